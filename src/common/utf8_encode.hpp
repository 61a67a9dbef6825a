#pragma once

#include <string>
#include <string_view>

namespace text::hyphenation::detail {

// The UTF-8 form of `text`. A value that is no Unicode scalar value (a surrogate, or anything past
// U+10FFFF) is written as U+FFFD REPLACEMENT CHARACTER, so the result is always valid UTF-8.
std::string encodeUtf8(std::u32string_view text);

// As encodeUtf8, into `out`, whose capacity is reused.
void encodeUtf8Into(std::u32string_view text, std::string& out);

}  // namespace text::hyphenation::detail
