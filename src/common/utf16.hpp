#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace text::hyphenation::detail {

// The character at the start of the `size` units (at least one) of `units`, char16_t or any
// other 16-bit type: a surrogate pair's, or, for any other unit, a surrogate without its other
// half included, the unit's own value; `length` receives the number of units it takes.
template <class Unit>
char32_t decodeUtf16Character(const Unit* units, std::size_t size, std::size_t& length) {
  const char32_t first = units[0];
  if (first >= 0xD800 && first <= 0xDBFF && size > 1 && units[1] >= 0xDC00 && units[1] <= 0xDFFF) {
    length = 2;
    return 0x10000 + ((first - 0xD800) << 10) + (char32_t{units[1]} - 0xDC00);
  }
  length = 1;
  return first;
}

// The characters of UTF-16 text, read as decodeUtf16Character reads them, into `text`, whose
// capacity is reused. Safe from any number of threads.
void decodeUtf16Into(std::u16string_view units, std::u32string& text);

}  // namespace text::hyphenation::detail
