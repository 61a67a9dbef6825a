#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace text::hyphenation::detail {

// A fixed map from code point to code point, built once and read on every character of every
// word; a code point that is not a key maps to itself. Lookups go through a two-level table:
// the high bits of a code point select a page of 256 values, so a lookup is two array reads.
class CharMap {
 public:
  CharMap() = default;
  // Later pairs for the same key replace earlier ones.
  explicit CharMap(const std::vector<std::pair<char32_t, char32_t>>& pairs);

  char32_t operator()(char32_t c) const {
    const std::size_t page = c >> 8;
    if (page >= pageOf_.size()) return c;
    const std::uint32_t slot = pageOf_[page];
    return slot == 0 ? c : values_[(std::size_t{slot - 1} << 8) | (c & 0xFF)];
  }

  // The keys and their values, in ascending key order.
  std::vector<std::pair<char32_t, char32_t>> entries() const { return entries_; }

 private:
  std::vector<std::uint32_t> pageOf_;  // 0: no key on the page; k: page k - 1 of values_
  std::vector<char32_t> values_;       // 256 values per page, identity where no key
  std::vector<std::pair<char32_t, char32_t>> entries_;
};

}  // namespace text::hyphenation::detail
