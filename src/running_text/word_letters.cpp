#include "running_text/word_letters.hpp"

#include <algorithm>
#include <vector>

#include "hyphenator/fast_path.hpp"
#include "hyphenator/state.hpp"
#include "pattern/letters.hpp"

namespace text::hyphenation::detail {

namespace {

// With a compiled language: the characters whose normalised form has the class of a letter of
// the patterns other than ".", read off its table of classes.
CharSet compiledWordLetters(const FastPath& fastPath) {
  const CodePointPages<std::uint16_t>& classes = fastPath.classes;
  const std::uint32_t patternLetters =
      fastPath.visitTrie([](const auto& trie) { return trie.patternLetters; });
  const std::span<const char32_t> alphabet =
      fastPath.visitTrie([](const auto& trie) { return trie.alphabet; });
  std::vector<char32_t> members;
  for (std::size_t page = 0; page < classes.pageCount; ++page) {
    const std::uint16_t* block = classes.blocks + (std::size_t{classes.pages[page]} << 8);
    for (std::size_t offset = 0; offset < 256; ++offset) {
      const std::uint16_t letterClass = block[offset];
      if (letterClass != 0 && letterClass <= patternLetters && alphabet[letterClass - 1] != U'.') {
        members.push_back(static_cast<char32_t>(page << 8 | offset));
      }
    }
  }
  return CharSet(members);
}

CharSet findWordLetters(const HyphenatorState& state) {
  if (state.fastPath) return compiledWordLetters(*state.fastPath);
  const std::vector<char32_t> letters = patternLetters(state.patterns.get());
  if (!state.table) return CharSet(letters);

  // A character the map leaves alone is a word letter when it is a letter itself; one the map
  // changes is a word letter when its image is.
  const auto isLetter = [&](char32_t c) {
    return std::binary_search(letters.begin(), letters.end(), c);
  };
  const auto mapped = state.table->get().entries();  // ascending keys
  std::vector<char32_t> keys;
  for (const auto& entry : mapped)
    keys.push_back(entry.first);
  std::vector<char32_t> members;
  for (const char32_t c : letters) {
    if (!std::binary_search(keys.begin(), keys.end(), c)) members.push_back(c);
  }
  for (const auto& [key, value] : mapped) {
    if (isLetter(value)) members.push_back(key);
  }
  return CharSet(members);
}

}  // namespace

const CharSet& wordLetters(const HyphenatorState& state) {
  return state.wordLetters.get([&] { return findWordLetters(state); });
}

}  // namespace text::hyphenation::detail
