#include "common/utf16.hpp"

namespace text::hyphenation::detail {
namespace {

constexpr bool isHigh(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool isLow(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}
// Whether a pair starts at `at`.
bool pairAt(std::u16string_view units, std::size_t at) {
  return isHigh(units[at]) && at + 1 < units.size() && isLow(units[at + 1]);
}

}  // namespace

void decodeUtf16Into(std::u16string_view units, std::u32string& text) {
  text.resize(units.size());
  std::size_t length = 0;
  for (std::size_t at = 0; at < units.size(); ++at, ++length) {
    if (pairAt(units, at)) {
      text[length] = 0x10000 + ((char32_t{units[at]} - 0xD800) << 10) + (units[at + 1] - 0xDC00);
      ++at;
    } else {
      text[length] = units[at];
    }
  }
  text.resize(length);
}

void characterOffsetsToUnits(std::u16string_view units, std::vector<std::size_t>& positions) {
  std::size_t at = 0;
  std::size_t character = 0;
  for (std::size_t& position : positions) {
    for (; character < position; ++character)
      at += pairAt(units, at) ? 2 : 1;
    position = at;
  }
}

}  // namespace text::hyphenation::detail
