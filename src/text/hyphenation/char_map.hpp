#pragma once

#include <utility>
#include <vector>

namespace text::hyphenation::detail {

// A fixed map from code point to code point, built once and read on every character of every
// word; a code point that is not a key maps to itself.
class CharMap {
 public:
  CharMap() = default;
  // Later pairs for the same key replace earlier ones.
  explicit CharMap(const std::vector<std::pair<char32_t, char32_t>>& pairs);

  char32_t operator()(char32_t c) const;

  // The keys and their values, in ascending key order.
  std::vector<std::pair<char32_t, char32_t>> entries() const;

 private:
  std::vector<std::pair<char32_t, char32_t>> sorted_;  // placeholder representation
};

}  // namespace text::hyphenation::detail
