#pragma once

#include <string>
#include <string_view>

namespace text::hyphenation::detail {

// The UTF-8 form of `text`. A value that is no Unicode scalar value (a surrogate, or anything past
// U+10FFFF) is written as U+FFFD REPLACEMENT CHARACTER, so the result is always valid UTF-8.
std::string encodeUtf8(std::u32string_view text);

// As encodeUtf8, into `out`, whose capacity is reused.
void encodeUtf8Into(std::u32string_view text, std::string& out);

// Every value of `text` in the scheme of UTF-8 as first defined, which reaches past Unicode:
// surrogates in three bytes like any value below U+10000, values past U+10FFFF in four to seven
// bytes, so that no value is lost. Unicode text gives the same bytes as encodeUtf8; for naming a
// caller's word in a message.
std::string encodeUtf8Lossless(std::u32string_view text);

}  // namespace text::hyphenation::detail
