#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace text::hyphenation::detail {

// A fixed set of code points, asked about every character of a text. Membership is one bit in a
// two-level table: the high bits of a code point select a page of 256 bits, so a test is two
// array reads. Values past U+10FFFF, which only a hand-made character function can produce, are
// kept apart in a sorted list.
class CharSet {
 public:
  CharSet() = default;
  // Repeats are allowed.
  explicit CharSet(std::span<const char32_t> members);

  bool contains(char32_t c) const {
    const std::size_t page = c >> 8;
    if (page >= pageOf_.size()) return c > 0x10FFFF && containsBeyondUnicode(c);
    const std::uint32_t slot = pageOf_[page];
    if (slot == 0) return false;
    const std::uint64_t bits = bits_[(std::size_t{slot - 1} << 2) | ((c & 0xFF) >> 6)];
    return (bits >> (c & 0x3F)) & 1;
  }

 private:
  bool containsBeyondUnicode(char32_t c) const;

  std::vector<std::uint32_t> pageOf_;  // 0: no member on the page; k: page k - 1 of bits_
  std::vector<std::uint64_t> bits_;    // 4 words of 64 bits per page
  std::vector<char32_t> beyondUnicode_;
};

}  // namespace text::hyphenation::detail
