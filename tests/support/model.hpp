#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "text/hyphenation/pattern.hpp"

namespace text::hyphenation::testing {

// The trie made by inserting `patterns` in order into the empty trie.
inline Patterns trieOf(std::initializer_list<std::u32string_view> patterns) {
  Patterns trie;
  for (auto pattern : patterns)
    trie = insertPattern(pattern, trie);
  return trie;
}

// The lookup taken literally: for every start position the zipMax of every
// matching pattern's scores, combined from the end as zipMax(M(i), 0 : C(i + 1)).
inline Scores modelLookup(const std::vector<std::u32string>& lines, std::u32string_view word) {
  std::map<std::u32string, Scores> patterns;  // letters -> scores of the first such line
  for (const auto& line : lines) {
    std::u32string letters;
    for (char32_t c : line) {
      if (c < U'0' || c > U'9') letters += c;
    }
    patterns.emplace(letters, scorePattern(line));
  }
  std::u32string framed = U"." + std::u32string(word) + U".";
  auto zipMax = [](Scores a, const Scores& b) {
    if (a.size() < b.size()) a.resize(b.size(), INT64_MIN);
    for (std::size_t k = 0; k < b.size(); ++k)
      a[k] = std::max(a[k], b[k]);
    return a;
  };
  auto root = patterns.find(U"");
  Scores combined = root == patterns.end() ? Scores{} : root->second;
  for (std::size_t start = framed.size(); start-- > 0;) {
    Scores here;
    for (const auto& [letters, scores] : patterns) {
      if (framed.compare(start, letters.size(), letters) == 0 &&
          start + letters.size() <= framed.size()) {
        here = zipMax(here, scores);
      }
    }
    combined.insert(combined.begin(), 0);
    combined = zipMax(combined, here);
  }
  return Scores(combined.begin() + 1, combined.end() - 1);
}

}  // namespace text::hyphenation::testing
