#include "common/char_map.hpp"

#include <algorithm>
#include <map>

namespace text::hyphenation::detail {

CharMap::CharMap(const std::vector<std::pair<char32_t, char32_t>>& pairs) {
  std::map<char32_t, char32_t> latest;
  for (const auto& [key, value] : pairs)
    latest[key] = value;
  entries_.assign(latest.begin(), latest.end());
  if (entries_.empty()) return;

  pageOf_.assign((entries_.back().first >> 8) + 1, 0);
  for (const auto& [key, value] : entries_) {
    std::uint32_t& slot = pageOf_[key >> 8];
    if (slot == 0) {
      // Counted, not compared with first + 256, which wraps to 0 on the last page of char32_t.
      const char32_t first = key & ~char32_t{0xFF};
      for (char32_t offset = 0; offset < 256; ++offset)
        values_.push_back(first + offset);
      slot = static_cast<std::uint32_t>(values_.size() >> 8);
    }
    values_[(std::size_t{slot - 1} << 8) | (key & 0xFF)] = value;
  }
}

}  // namespace text::hyphenation::detail
