#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "exception/storage.hpp"

namespace text::hyphenation::detail {

// A quick test in front of an exception table that answers "certainly not listed" for most
// words without hashing them: one bit per hash of a word's length and its first and last
// characters. An empty table answers no at once; a listed word always answers yes.
class ExceptionFilter {
 public:
  explicit ExceptionFilter(const ExceptionStorage& table);

  bool empty() const { return bits_.empty(); }
  bool mayList(std::size_t size, char32_t first, char32_t last) const {
    if (bits_.empty()) return false;
    const std::uint32_t bit = slot(size, first, last);
    return (bits_[bit >> 6] >> (bit & 63)) & 1;
  }

 private:
  static constexpr int slotBits = 14;
  static std::uint32_t slot(std::size_t size, char32_t first, char32_t last) {
    const std::uint32_t mixed = static_cast<std::uint32_t>(size) * 0x9E3779B1u ^
                                first * 0x85EBCA77u ^ (last + 0x165667B1u) * 0xC2B2AE3Du;
    return (mixed * 0x27D4EB2Fu) >> (32 - slotBits);
  }

  std::vector<std::uint64_t> bits_;
};

}  // namespace text::hyphenation::detail
