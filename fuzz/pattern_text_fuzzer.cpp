// Pattern text: parsing, inserting, lookup against a brute-force model, hyphenate and rendering.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "check.hpp"
#include "common/utf8_decode.hpp"
#include "text/hyphenation.hpp"

namespace hy = text::hyphenation;

namespace {

struct Pattern {
  std::u32string letters;
  hy::Scores scores;
};

std::u32string lettersOf(std::u32string_view line) {
  std::u32string letters;
  for (char32_t c : line) {
    if (!fuzz::isDigit(c)) letters += c;
  }
  return letters;
}

// Scores by the rule: a digit scores the gap before the character after it (which it consumes),
// any other character gets a 0, and the end of the text gives a closing 0 unless a digit ended it.
hy::Scores modelScores(std::u32string_view line) {
  hy::Scores scores;
  for (std::size_t at = 0;;) {
    if (at >= line.size()) {
      if (at == line.size()) scores.push_back(0);
      return scores;
    }
    if (fuzz::isDigit(line[at])) {
      scores.push_back(line[at] - U'0');
      at += 2;
    } else {
      scores.push_back(0);
      at += 1;
    }
  }
}

// The lookup of `word` by brute force: every pattern is tried at every start of the framed word,
// the pattern without letters (the root's scores) also at the end, and each contributes its
// scores from its start on; the gaps of the frame start at 0. The list runs as far as the
// furthest contribution, and loses its first and last entry.
hy::Scores modelLookup(std::u32string_view word, const std::vector<Pattern>& patterns) {
  const std::u32string framed = U"." + std::u32string(word) + U".";
  const std::size_t length = framed.size();
  auto matchesAt = [&](const Pattern& pattern, std::size_t start) {
    return start + pattern.letters.size() <= length &&
           framed.compare(start, pattern.letters.size(), pattern.letters) == 0;
  };
  constexpr std::int64_t none = std::numeric_limits<std::int64_t>::min();
  std::size_t reach = length;
  for (const auto& pattern : patterns) {
    for (std::size_t start = 0; start <= length; ++start) {
      if (matchesAt(pattern, start)) reach = std::max(reach, start + pattern.scores.size());
    }
  }
  hy::Scores combined(reach, none);
  std::fill(combined.begin(), combined.begin() + static_cast<std::ptrdiff_t>(length), 0);
  for (const auto& pattern : patterns) {
    for (std::size_t start = 0; start <= length; ++start) {
      if (!matchesAt(pattern, start)) continue;
      for (std::size_t k = 0; k < pattern.scores.size(); ++k)
        combined[start + k] = std::max(combined[start + k], pattern.scores[k]);
    }
  }
  for (std::int64_t score : combined)
    FUZZ_CHECK(score != none);
  return hy::Scores(combined.begin() + 1, combined.end() - 1);
}

// The patterns of a run of lines: where lines share letters the first one wins.
template <class Iterator>
std::vector<Pattern> modelPatterns(Iterator begin, Iterator end) {
  std::vector<Pattern> patterns;
  std::map<std::u32string, bool> seen;
  for (auto line = begin; line != end; ++line) {
    std::u32string letters = lettersOf(*line);
    if (seen.emplace(letters, true).second) patterns.push_back({letters, modelScores(*line)});
  }
  return patterns;
}

// Combining: patterns with the same letters get the element-wise maximum of their scores, as long
// as the longer list.
std::vector<Pattern> modelCombine(std::vector<Pattern> left, const std::vector<Pattern>& right) {
  for (const auto& pattern : right) {
    auto same = std::find_if(left.begin(), left.end(),
                             [&](const Pattern& p) { return p.letters == pattern.letters; });
    if (same == left.end()) {
      left.push_back(pattern);
      continue;
    }
    hy::Scores& scores = same->scores;
    if (scores.size() < pattern.scores.size()) scores.resize(pattern.scores.size(), INT64_MIN);
    for (std::size_t k = 0; k < pattern.scores.size(); ++k)
      scores[k] = std::max(scores[k], pattern.scores[k]);
  }
  return left;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 2048) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::u32string text = hy::detail::decodeUtf8(bytes);
  const long leftMin = size > 0 ? data[0] % 5 - 1 : 1;
  const long rightMin = size > 1 ? data[1] % 5 - 1 : 1;

  const hy::Patterns trie = hy::parsePatterns(text);
  const std::vector<std::u32string> lines = fuzz::linesOf(text);

  for (const auto& line : lines)
    FUZZ_CHECK(hy::scorePattern(line) == modelScores(line));
  const std::vector<Pattern> patterns = modelPatterns(lines.begin(), lines.end());

  // Words: the letters of each line, without and with its full stops, and pieces of the text.
  std::vector<std::u32string> words;
  for (const auto& pattern : patterns) {
    std::u32string plain = pattern.letters;
    std::erase(plain, U'.');
    words.push_back(plain);
    words.push_back(pattern.letters);
    if (words.size() > 24) break;
  }
  for (std::size_t start = 0; start < text.size() && words.size() < 32; start += 7)
    words.push_back(text.substr(start, 3 + start % 11));

  const hy::Hyphenator hyphenator(fuzz::identity, trie, hy::Exceptions(), leftMin, rightMin);
  for (auto word : words) {
    if (word.size() > 64) word.resize(64);
    const hy::Scores scores = hy::lookupPattern(word, trie);
    FUZZ_CHECK(scores == modelLookup(word, patterns));
    const std::vector<std::u32string> fragments = hy::hyphenate(hyphenator, word);
    FUZZ_CHECK(fuzz::join(fragments) == word);
    FUZZ_CHECK(fuzz::cutsOf(fragments) ==
               fuzz::expectedCuts(static_cast<long>(word.size()), scores, leftMin, rightMin));
  }

  // Tries made by inserting into and combining parsed tries look words up like their models.
  const std::size_t half = lines.size() / 2;
  const hy::Patterns firstLines = hy::parsePatterns(fuzz::textOf(lines, 0, half));
  const hy::Patterns lastLines = hy::parsePatterns(fuzz::textOf(lines, half, lines.size()));
  const std::vector<Pattern> combinedModel =
      modelCombine(modelPatterns(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(half)),
                   modelPatterns(lines.begin() + static_cast<std::ptrdiff_t>(half), lines.end()));
  const hy::Patterns combined = firstLines + lastLines;
  const std::u32string extra = lines.empty() ? std::u32string(U"1") : lines.back() + U"3";
  const hy::Patterns inserted = hy::insertPattern(extra, trie);
  std::vector<Pattern> insertedModel = patterns;
  std::erase_if(insertedModel, [&](const Pattern& p) { return p.letters == lettersOf(extra); });
  insertedModel.push_back({lettersOf(extra), modelScores(extra)});
  for (std::size_t k = 0; k < words.size() && k < 12; ++k) {
    const std::u32string word = words[k].substr(0, 32);
    FUZZ_CHECK(hy::lookupPattern(word, combined) == modelLookup(word, combinedModel));
    FUZZ_CHECK(hy::lookupPattern(word, inserted) == modelLookup(word, insertedModel));
  }

  // One line parsed alone is that line inserted into the empty trie, with or without its LF.
  for (std::size_t k = 0; k < lines.size() && k < 16; ++k) {
    const hy::Patterns alone = hy::insertPattern(lines[k], hy::Patterns());
    FUZZ_CHECK(hy::parsePatterns(lines[k]) == alone || lines[k].empty());
    FUZZ_CHECK(hy::parsePatterns(lines[k] + U"\n") == alone);
  }
  if (!text.empty() && text.back() != U'\n') FUZZ_CHECK(hy::parsePatterns(text + U"\n") == trie);

  // Combining two halves: commutative, idempotent, mempty its identity.
  const hy::Patterns first = hy::parsePatterns(text.substr(0, text.size() / 2));
  const hy::Patterns second = hy::parsePatterns(text.substr(text.size() / 2));
  const hy::Patterns both = first + second;
  FUZZ_CHECK(both == second + first);
  FUZZ_CHECK(both + both == both);
  FUZZ_CHECK(both + hy::Patterns() == both && hy::Patterns() + both == both);
  FUZZ_CHECK((first + second) + trie == first + (second + trie));

  const std::string shown = hy::show(trie);
  FUZZ_CHECK(hy::showsPrec(11, trie) == "(" + shown + ")");
  FUZZ_CHECK(shown.rfind("Patterns [", 0) == 0);
  return 0;
}
