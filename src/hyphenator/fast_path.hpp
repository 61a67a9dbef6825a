#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/code_point_table.hpp"
#include "exception/filter.hpp"
#include "pattern/automaton.hpp"
#include "text/hyphenation/pattern.hpp"

namespace text::hyphenation::detail {

// What hyphenate needs of a hyphenator with a character map and a parsed (frozen) pattern trie,
// put together once so that a word costs one table read per character before the automaton:
// the character map composed with the automaton's alphabet, from a code point straight to the
// letter class of its normalised form, and a filter in front of the exception table.
class FastPath {
 public:
  // All three must outlive the fast path (they live in the same hyphenator).
  FastPath(const CharMap& chars, const Patterns& patterns, const ExceptionFilter& exceptions);

  // The automaton, or null when the trie is not a parsed one (it was built by inserting or
  // combining): such hyphenators take the plain road.
  const FrozenTrie* trie() const { return trie_; }
  const CharMap& chars() const { return chars_; }
  const ExceptionFilter& exceptions() const { return exceptions_; }

  // Every code point to the letter class of its normalised form.
  const LetterClasses& classes() const { return classes_; }
  // The letter class of the normalised form of `c`.
  std::uint32_t letterClass(char32_t c) const { return classes_(c); }
  // The same for every character of `word`, into `classes`.
  void letterClasses(std::u32string_view word, std::uint32_t* classes) const {
    const LetterClasses::Reader classOf(classes_);
    for (std::size_t i = 0; i < word.size(); ++i)
      classes[i] = classOf(word[i]);
  }

 private:
  const CharMap& chars_;
  const FrozenTrie* trie_ = nullptr;
  const ExceptionFilter& exceptions_;
  LetterClasses classes_;
};

}  // namespace text::hyphenation::detail
