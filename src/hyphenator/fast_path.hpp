#pragma once

#include <cstdint>
#include <vector>

#include "common/char_map.hpp"
#include "exception/filter.hpp"
#include "pattern/automaton.hpp"
#include "text/hyphenation/pattern.hpp"

namespace text::hyphenation::detail {

// What hyphenate needs of a hyphenator with a character map and a parsed (frozen) pattern trie,
// put together once so that a word costs one table read per character before the automaton:
// the character map composed with the automaton's alphabet, from a code point straight to the
// letter class of its normalised form, and a filter in front of the exception table.
class HyphenationPlan {
 public:
  // All three must outlive the plan (they live in the same hyphenator).
  HyphenationPlan(const CharMap& chars, const Patterns& patterns,
                  const ExceptionFilter& exceptions);
  HyphenationPlan(HyphenationPlan&&) = default;  // the tables keep their storage

  // The automaton, or null when the trie is not a parsed one (it was built by inserting or
  // combining): such hyphenators take the plain road.
  const FrozenTrie* trie() const { return trie_; }
  const CharMap& chars() const { return chars_; }
  const ExceptionFilter& exceptions() const { return exceptions_; }

  // The letter class of the normalised form of `c`.
  std::uint32_t letterClass(char32_t c) const {
    if (c < 0x100) return latin_[c];
    if (c <= lastPlane) return blocks_[(std::size_t{pages_[c >> 8]} << 8) | (c & 0xFF)];
    return trie_->letterClass(chars_(c));
  }

 private:
  static constexpr char32_t lastPlane = 0x10FFFF;

  const CharMap& chars_;
  const FrozenTrie* trie_ = nullptr;
  const ExceptionFilter& exceptions_;
  std::vector<std::uint16_t> pages_;   // code point >> 8 -> block; block 0 is all zeros
  std::vector<std::uint32_t> blocks_;  // 256 classes per block
  const std::uint32_t* latin_ = nullptr;
};

}  // namespace text::hyphenation::detail
