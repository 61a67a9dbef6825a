#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace text::hyphenation::detail {

// Decodes UTF-8 text. Never fails: a byte that is not part of a well-formed sequence (a stray
// continuation byte, an overlong form, a surrogate, a value above U+10FFFF, a sequence cut
// short) becomes on its own the character with the byte's value, as if read as ISO-8859-1, and
// decoding goes on with the next byte. So 41 E9 42 decodes to "A", U+00E9, "B" and C0 AF to
// U+00C0, U+00AF, while C3 A9 is the one character U+00E9. Safe from any number of threads.
std::u32string decodeUtf8(std::string_view bytes);

// As decodeUtf8; `starts` receives, for every character, the offset of its first byte.
std::u32string decodeUtf8(std::string_view bytes, std::vector<std::size_t>& starts);

// As the above, into `text` and `starts`, whose capacity is reused.
void decodeUtf8Into(std::string_view bytes, std::u32string& text, std::vector<std::size_t>& starts);

// As decodeUtf8, into `text`, whose capacity is reused.
void decodeUtf8Into(std::string_view bytes, std::u32string& text);

// The character at the start of `bytes` (not empty), decoded as above; `length` receives the
// number of bytes it takes, 1 for a byte that starts no well-formed sequence.
char32_t decodeUtf8Character(std::string_view bytes, std::size_t& length);

}  // namespace text::hyphenation::detail
