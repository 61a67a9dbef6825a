#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace text::hyphenation::detail {

// An exception table keyed by letter classes rather than characters, in flat arrays that can
// live in the library's read-only data: the form in which a language's exceptions are compiled
// into the library, so that its first word finds them built. A word is listed under the classes
// of its normalised characters, which stand for those characters one to one.
struct CompiledExceptions {
  // A bit per hash of a word's length and first and last classes, so that most words are known
  // to be unlisted without hashing them whole; no bits for an empty table.
  std::span<const std::uint64_t> filter;
  std::uint32_t filterBits;
  // Open addressing over a power of two: an entry's offset in `entries` plus one, or 0.
  std::span<const std::uint32_t> slots;
  // Each entry: its length n, its n classes, the length m of its scores, the m scores.
  std::span<const std::uint16_t> entries;

  bool mayList(std::size_t size, std::uint32_t first, std::uint32_t last) const {
    if (filter.empty()) return false;
    const std::uint32_t bit = filterSlot(size, first, last, filterBits);
    return (filter[bit >> 6] >> (bit & 63)) & 1;
  }
  // The scores of the word of `size` classes, or a span without data when it is not listed.
  template <class Class>
  std::span<const std::uint16_t> find(const Class* classes, std::size_t size) const;

  static std::uint32_t filterSlot(std::size_t size, std::uint32_t first, std::uint32_t last,
                                  std::uint32_t bits) {
    const std::uint32_t mixed = static_cast<std::uint32_t>(size) * 0x9E3779B1u ^
                                first * 0x85EBCA77u ^ (last + 0x165667B1u) * 0xC2B2AE3Du;
    return (mixed * 0x27D4EB2Fu) >> (32 - bits);
  }
};

// The arrays of a compiled exception table, as the build writes them into the library.
struct CompiledExceptionArrays {
  struct Entry {
    std::vector<std::uint16_t> classes;  // fewer than 2^16, none of them 0
    std::vector<std::uint16_t> scores;   // fewer than 2^16
  };
  // The entries' keys unique.
  explicit CompiledExceptionArrays(const std::vector<Entry>& table);

  std::vector<std::uint64_t> filter;
  std::uint32_t filterBits = 0;
  std::vector<std::uint32_t> slots;
  std::vector<std::uint16_t> entries;

  CompiledExceptions view() const { return CompiledExceptions{filter, filterBits, slots, entries}; }
};

}  // namespace text::hyphenation::detail
