#pragma once

// The reference models that the library's fast forms are held to: pattern lookup by brute force
// and the cutting rule taken literally. Both are slow and plain on purpose.

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
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

struct ModelPattern {
  std::u32string letters;
  Scores scores;
};

// One line of pattern text: a digit scores the gap before the character after it (which it
// consumes), any other character gets a 0, and the end of the line gives a closing 0 unless a
// digit ended it. The letters are the line without its digits.
inline ModelPattern modelPattern(std::u32string_view line) {
  const auto isDigit = [](char32_t c) { return c >= U'0' && c <= U'9'; };
  ModelPattern pattern;
  for (char32_t c : line) {
    if (!isDigit(c)) pattern.letters += c;
  }
  std::size_t at = 0;
  for (; at < line.size(); at += isDigit(line[at]) ? 2 : 1)
    pattern.scores.push_back(isDigit(line[at]) ? line[at] - U'0' : 0);
  if (at == line.size()) pattern.scores.push_back(0);
  return pattern;
}

// The patterns of a run of lines: where lines share letters the first one wins.
inline std::vector<ModelPattern> modelPatterns(std::span<const std::u32string> lines) {
  std::vector<ModelPattern> patterns;
  std::set<std::u32string> seen;
  for (const auto& line : lines) {
    ModelPattern pattern = modelPattern(line);
    if (seen.insert(pattern.letters).second) patterns.push_back(std::move(pattern));
  }
  return patterns;
}

// The lookup of `word` by brute force: every pattern is tried at every start of the framed word,
// the pattern without letters (the root's scores) also at the end, and each contributes its
// scores from its start on, combined by maximum; the gaps of the frame start at 0. The list runs
// as far as the furthest contribution (each covers a run of gaps from a start within the frame,
// so no gap is left without a score), and loses its first and last entry.
inline Scores modelLookup(const std::vector<ModelPattern>& patterns, std::u32string_view word) {
  const std::u32string framed = U"." + std::u32string(word) + U".";
  const std::size_t length = framed.size();
  auto matchesAt = [&](const ModelPattern& pattern, std::size_t start) {
    return start + pattern.letters.size() <= length &&
           framed.compare(start, pattern.letters.size(), pattern.letters) == 0;
  };
  std::size_t reach = length;
  for (const auto& pattern : patterns) {
    for (std::size_t start = 0; start <= length; ++start) {
      if (matchesAt(pattern, start)) reach = std::max(reach, start + pattern.scores.size());
    }
  }
  Scores combined(reach, std::numeric_limits<std::int64_t>::min());
  std::fill(combined.begin(), combined.begin() + static_cast<std::ptrdiff_t>(length), 0);
  for (const auto& pattern : patterns) {
    for (std::size_t start = 0; start <= length; ++start) {
      if (!matchesAt(pattern, start)) continue;
      for (std::size_t k = 0; k < pattern.scores.size(); ++k)
        combined[start + k] = std::max(combined[start + k], pattern.scores[k]);
    }
  }
  return Scores(combined.begin() + 1, combined.end() - 1);
}

// The lookup of `word` in the trie that parsing `lines` makes.
inline Scores modelLookup(std::span<const std::u32string> lines, std::u32string_view word) {
  return modelLookup(modelPatterns(lines), word);
}

// The cuts hyphenate makes in a word of n characters with the raw score list `raw`, by the
// cutting rule taken literally: T is max(l, 0) zeros and then up to n - l - r + 1 entries of the
// raw list from entry max(l, 0) on; the word is cut after character i wherever T[i + 1] is odd.
// An empty word, or one shorter than l + r, is not cut. No value when T is empty: hyphenate
// reports a malformed score. The arithmetic is exact for any minimums, and T is never built: its
// leading zeros may number in the quintillions.
inline std::optional<std::vector<std::size_t>> modelBreaks(std::size_t n,
                                                           std::span<const std::int64_t> raw,
                                                           std::int64_t leftMin,
                                                           std::int64_t rightMin) {
  __extension__ typedef __int128 Wide;
  const Wide length = static_cast<Wide>(n);
  const Wide l = leftMin;
  const Wide r = rightMin;
  const Wide given = static_cast<Wide>(raw.size());
  std::vector<std::size_t> cuts;
  if (length == 0 || length < l + r) return cuts;
  const Wide zeros = l > 0 ? l : 0;
  const Wide taken = std::min(length - l - r + 1, std::max<Wide>(given - zeros, 0));
  if (zeros + taken == 0) return std::nullopt;
  for (std::size_t i = 0; i < n; ++i) {
    const Wide j = static_cast<Wide>(i) + 1;
    if (j >= zeros && j < zeros + taken && raw[static_cast<std::size_t>(j)] % 2 != 0)
      cuts.push_back(i + 1);
  }
  return cuts;
}

}  // namespace text::hyphenation::testing
