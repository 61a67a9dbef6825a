#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "hyphenator/fast_path.hpp"
#include "hyphenator/state.hpp"
#include "pattern/node.hpp"
#include "support/model.hpp"
#include "support/support.hpp"
#include "text/hyphenation/hyphenator.hpp"

namespace text::hyphenation {
namespace {

using Points = std::vector<std::size_t>;

using testing::identity;
using testing::randomText;

// Upper-case A to C fold to a to c, and "é" stands for "e" the way the language tables map
// accented capitals; every other character stays itself.
const std::vector<std::pair<char32_t, char32_t>> kFolding = {
    {U'A', U'a'}, {U'B', U'b'}, {U'C', U'c'}, {U'é', U'e'}, {U'\U0001F600', U'a'}};

char32_t fold(char32_t c) {
  for (const auto& [from, to] : kFolding) {
    if (c == from) return to;
  }
  return c;
}

TEST(HyphenationPoints, ClearsTheBufferAndAgreesWithHyphenate) {
  const Hyphenator hyphenator(identity, parsePatterns(U"a1b\nb1c"), parseExceptions(U"ab-ab"), 1,
                              1);
  const struct {
    std::u32string word;
    Points points;
  } cases[] = {
      {U"", {}}, {U"a", {}}, {U"abc", {1, 2}}, {U"abab", {2}}, {U"xyz", {}}, {U"cab", {2}},
  };
  Points points = {7, 8, 9};
  for (const auto& c : cases) {
    hyphenationPoints(hyphenator, c.word, points);
    EXPECT_EQ(points, c.points) << c.word.size();
    const auto fragments = hyphenate(hyphenator, c.word);
    EXPECT_EQ(fragments.size(), c.points.size() + 1);
  }
}

TEST(HyphenationPoints, RaisesTheMalformedScoreErrorAsHyphenateDoes) {
  const Hyphenator hyphenator(identity, Patterns(), Exceptions(ExceptionMap{{U"ab", {}}}), 0, 0);
  Points points;
  EXPECT_THROW(hyphenationPoints(hyphenator, U"ab", points), Error);
  EXPECT_THROW(hyphenate(hyphenator, U"ab"), Error);
  hyphenationPoints(hyphenator, U"", points);
  EXPECT_TRUE(points.empty());
}

// The language hyphenators take the fast road: their character map folded together with the
// patterns' alphabet, and exceptions looked up by letter classes. Random pattern sets, exception
// tables, minimums and words (with letters the patterns never mention, characters the map folds,
// and characters beyond the Basic Multilingual Plane) must give exactly what the plain road
// gives: the character function, the exception table, then a walk of the trie from every
// position. Pattern sets the fast road cannot take (two digits in a row) take the plain one.
TEST(HyphenationPoints, TheFastRoadAgreesWithThePlainWalk) {
  std::mt19937 random(11);
  for (int round = 0; round < 400; ++round) {
    const std::u32string patternText = testing::randomPatternText(random, 11, 4, U".abce", true);
    std::u32string exceptionText;
    for (int i = random() % 3; i > 0; --i)
      exceptionText += randomText(random, U"abc-", 6) + U"\n";
    const Patterns patterns = parsePatterns(patternText);
    const Exceptions exceptions = parseExceptions(exceptionText);
    const std::int64_t leftMin = static_cast<std::int64_t>(random() % 4);
    const std::int64_t rightMin = static_cast<std::int64_t>(random() % 4);
    detail::OutputTable outputs;
    std::optional<detail::FastPathArrays> compiled;
    try {
      compiled = detail::buildFastPath(detail::CharMap(kFolding), patternText, exceptions, outputs);
    } catch (const Error&) {
    }
    const std::optional<detail::FastPath> fastPath =
        compiled ? std::optional(compiled->view(outputs.arrays())) : std::nullopt;
    const Hyphenator hyphenator = detail::makeDeferredHyphenator(
        [] { return detail::CharMap(kFolding); }, [patterns] { return patterns; },
        [exceptions] { return exceptions; }, leftMin, rightMin, fastPath ? &*fastPath : nullptr);

    Points points;
    for (int w = 0; w < 30; ++w) {
      // Mostly short words, and now and then one longer than the fast road takes.
      const std::u32string word =
          randomText(random, U"abceABCé.xz\U0001F600", w % 15 == 14 ? 300 : 10);
      std::u32string key = word;
      for (char32_t& c : key)
        c = fold(c);
      Scores raw;
      if (auto listed = lookupException(key, exceptions)) {
        raw = *listed;
      } else {
        detail::referenceLookupInto(key, patterns, raw);
      }
      const std::optional<Points> expected =
          testing::modelBreaks(word.size(), raw, leftMin, rightMin);
      if (!expected) {
        EXPECT_THROW(hyphenationPoints(hyphenator, word, points), Error);
        continue;
      }
      hyphenationPoints(hyphenator, word, points);
      EXPECT_EQ(points, *expected) << "patterns " << show(patterns) << ", l = " << leftMin
                                   << ", r = " << rightMin << ", word of " << word.size();
    }
  }
}

}  // namespace
}  // namespace text::hyphenation
