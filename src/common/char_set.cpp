#include "common/char_set.hpp"

#include <algorithm>

namespace text::hyphenation::detail {

CharSet::CharSet(std::span<const char32_t> members) {
  char32_t greatest = 0;
  for (const char32_t c : members) {
    if (c > 0x10FFFF) {
      beyondUnicode_.push_back(c);
    } else {
      greatest = std::max(greatest, c);
    }
  }
  std::sort(beyondUnicode_.begin(), beyondUnicode_.end());
  if (beyondUnicode_.size() == members.size()) return;

  pageOf_.assign((greatest >> 8) + 1, 0);
  for (const char32_t c : members) {
    if (c > 0x10FFFF) continue;
    std::uint32_t& slot = pageOf_[c >> 8];
    if (slot == 0) {
      bits_.resize(bits_.size() + 4, 0);
      slot = static_cast<std::uint32_t>(bits_.size() >> 2);
    }
    bits_[(std::size_t{slot - 1} << 2) | ((c & 0xFF) >> 6)] |= std::uint64_t{1} << (c & 0x3F);
  }
}

bool CharSet::containsBeyondUnicode(char32_t c) const {
  return std::binary_search(beyondUnicode_.begin(), beyondUnicode_.end(), c);
}

}  // namespace text::hyphenation::detail
