#include "pattern/letters.hpp"

#include <algorithm>

#include "pattern/node.hpp"
#include "pattern/scores.hpp"

namespace text::hyphenation::detail {

std::vector<char32_t> patternLetters(const Patterns& trie) {
  std::vector<char32_t> letters;
  // A parsed trie knows its letters: every one of them is the key of some node.
  if (const PatternNode* node = PatternAccess::node(trie); node && node->isFrozenRoot()) {
    for (const char32_t c : node->frozen->letters()) {
      if (c != U'.' && !isScoreDigit(c)) letters.push_back(c);
    }
    return letters;
  }
  std::vector<Patterns> pending{trie};
  while (!pending.empty()) {
    const Patterns node = std::move(pending.back());
    pending.pop_back();
    for (auto& [key, child] : patternChildren(node)) {
      if (key != U'.' && !isScoreDigit(key)) letters.push_back(key);
      pending.push_back(std::move(child));
    }
  }
  std::sort(letters.begin(), letters.end());
  letters.erase(std::unique(letters.begin(), letters.end()), letters.end());
  return letters;
}

}  // namespace text::hyphenation::detail
