#include "running_text/word_letters.hpp"

#include <algorithm>
#include <vector>

#include "hyphenator/state.hpp"
#include "pattern/letters.hpp"

namespace text::hyphenation::detail {

namespace {

CharSet findWordLetters(const HyphenatorState& state) {
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
