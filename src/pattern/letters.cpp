#include "pattern/letters.hpp"

#include <algorithm>

#include "pattern/scores.hpp"

namespace text::hyphenation::detail {

std::vector<char32_t> patternLetters(const Patterns& trie) {
  std::vector<char32_t> letters;
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
