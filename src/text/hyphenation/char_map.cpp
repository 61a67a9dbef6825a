#include "text/hyphenation/char_map.hpp"

#include <algorithm>

namespace text::hyphenation::detail {

CharMap::CharMap(const std::vector<std::pair<char32_t, char32_t>>& pairs) {
  for (const auto& [key, value] : pairs) {
    auto at = std::lower_bound(sorted_.begin(), sorted_.end(), key,
                               [](const auto& entry, char32_t k) { return entry.first < k; });
    if (at != sorted_.end() && at->first == key) {
      at->second = value;
    } else {
      sorted_.insert(at, {key, value});
    }
  }
}

char32_t CharMap::operator()(char32_t c) const {
  auto at = std::lower_bound(sorted_.begin(), sorted_.end(), c,
                             [](const auto& entry, char32_t k) { return entry.first < k; });
  return at != sorted_.end() && at->first == c ? at->second : c;
}

std::vector<std::pair<char32_t, char32_t>> CharMap::entries() const { return sorted_; }

}  // namespace text::hyphenation::detail
