#include "common/utf8_encode.hpp"

namespace text::hyphenation::detail {

std::string encodeUtf8(std::u32string_view text) {
  std::string out;
  encodeUtf8Into(text, out);
  return out;
}

void encodeUtf8Into(std::u32string_view text, std::string& out) {
  out.clear();
  out.reserve(text.size());
  for (char32_t c : text) {
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = 0xFFFD;
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
}

std::string encodeUtf8Lossless(std::u32string_view text) {
  std::string out;
  for (const char32_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    // A lead byte of `length` bytes has `length` high bits set; each continuation byte carries
    // six bits of the value.
    std::size_t length = 2;
    while (length < 7 && c >= (char32_t{1} << (5 * length + 1)))
      ++length;
    const unsigned lead = (0xFF00u >> length) & 0xFFu;
    out += static_cast<char>(lead | (length < 7 ? c >> (6 * (length - 1)) : 0));
    for (std::size_t k = length - 1; k-- > 0;)
      out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
  }
  return out;
}

}  // namespace text::hyphenation::detail
