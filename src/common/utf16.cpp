#include "common/utf16.hpp"

namespace text::hyphenation::detail {

void decodeUtf16Into(std::u16string_view units, std::u32string& text) {
  text.clear();
  for (std::size_t at = 0, length = 0; at < units.size(); at += length)
    text.push_back(decodeUtf16Character(units.data() + at, units.size() - at, length));
}

}  // namespace text::hyphenation::detail
