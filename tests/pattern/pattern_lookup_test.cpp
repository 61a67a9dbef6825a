#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "pattern/lookup.hpp"
#include "pattern/node.hpp"
#include "support/model.hpp"
#include "support/support.hpp"
#include "text/hyphenation/pattern.hpp"

namespace text::hyphenation {
namespace {

TEST(LookupPattern, ScoresOfOverlappingPatternsCombineByMaximum) {
  Patterns trie = parsePatterns(U"hy3ph\nhe2n\nhena4\nhen5at\n1na\nn2at\n1tio\n2io\no2n\n");
  EXPECT_EQ(lookupPattern(U"hyphenation", trie), (Scores{0, 0, 3, 0, 0, 2, 5, 4, 2, 0, 2}));
}

TEST(LookupPattern, ResultHasAnEntryAfterTheLastLetterOnlyWhenAPatternReachesIt) {
  struct Case {
    Patterns trie;
    std::u32string_view word;
    Scores scores;
  };
  const Case cases[] = {
      {testing::trieOf({U"a1b"}), U"ab", {0, 1}},
      {testing::trieOf({U"b1."}), U"ab", {0, 0, 1}},
      {testing::trieOf({U"b0."}), U"ab", {0, 0, 0}},
      {Patterns(), U"abc", {0, 0, 0}},
      {Patterns(), U"", {}},
      {testing::trieOf({U"a1b"}), U"", {}},
      {testing::trieOf({U"1."}), U"", {1}},
      {testing::trieOf({U".1."}), U"", {1}},
      // The gap after the last letter needs a pattern reaching past the closing ".".
      {testing::trieOf({U".a1"}), U"a", {0}},
      {testing::trieOf({U"a1."}), U"a", {0, 1}},
      {testing::trieOf({U"3.a"}), U"a", {0}},
      // Letters are exact code points: no case folding.
      {testing::trieOf({U"a1b"}), U"AB", {0, 0}},
  };
  for (const auto& [trie, word, scores] : cases) {
    EXPECT_EQ(lookupPattern(word, trie), scores) << show(trie);
  }
}

TEST(LookupPattern, RootScoresCountAtEveryPosition) {
  struct Case {
    std::u32string_view text;
    std::u32string_view word;
    Scores scores;
  };
  const Case cases[] = {
      // An empty line gives the root [0]: every word gets its last gap.
      {U"\n", U"ab", {0, 0, 0}},         {U"\n", U"", {0}},
      {U"5", U"ab", {5, 5, 5}},          {U"12", U"ab", {1, 1, 1, 1}},
      {U"12\na5b", U"ab", {1, 5, 1, 1}}, {U"123", U"", {3, 3}},
  };
  for (const auto& [text, word, scores] : cases) {
    EXPECT_EQ(lookupPattern(word, parsePatterns(text)), scores)
        << std::string(text.begin(), text.end());
  }
  // Negative root scores fall below the floor of 0 inside the frame but stay beyond it.
  EXPECT_EQ(lookupPattern(U"ab", Patterns({-5}, {})), (Scores{0, 0, 0}));
  EXPECT_EQ(lookupPattern(U"ab", Patterns({-5, -4}, {})), (Scores{0, 0, 0, -4}));
  EXPECT_EQ(lookupPattern(U"ab", Patterns({-5, -4, -3}, {})), (Scores{0, 0, 0, -3, -3}));
}

TEST(LookupPattern, MalformedPatternsReachPastTheirLetters) {
  // "a12b" has four scores for two letters, one more than "a1b": it reaches one gap further.
  EXPECT_EQ(lookupPattern(U"ab", parsePatterns(U"a12b")), (Scores{0, 1, 0}));
  EXPECT_EQ(lookupPattern(U"xab", parsePatterns(U"a12b")), (Scores{0, 0, 1, 0}));
  EXPECT_EQ(lookupPattern(U"abx", parsePatterns(U"a12b")), (Scores{0, 1, 0}));
  // "b9123" scores [0,9,2,0] and reaches two gaps past the closing ".".
  EXPECT_EQ(lookupPattern(U"ab", parsePatterns(U"b9123")), (Scores{0, 0, 9, 2}));
}

TEST(LookupPattern, FullStopsInsideTheWordMatchLikeTheFrame) {
  Patterns trie = parsePatterns(U".a1b\nb1.\n");
  EXPECT_EQ(lookupPattern(U"ab.ab", trie), (Scores{0, 1, 1, 0, 1, 1}));
  EXPECT_EQ(lookupPattern(U"cab.", trie), (Scores{0, 0, 0, 1}));
  EXPECT_EQ(lookupPattern(U".", parsePatterns(U".1.")), (Scores{1, 1}));
}

TEST(LookupPattern, LookupIntoReusesTheBufferAndOverwritesIt) {
  Patterns trie = parsePatterns(U"a1b\n");
  Scores scores{9, 9, 9, 9, 9, 9, 9, 9};
  detail::lookupPatternInto(U"ab", trie, scores);
  EXPECT_EQ(scores, (Scores{0, 1}));
  detail::lookupPatternInto(U"abab", trie, scores);
  EXPECT_EQ(scores, (Scores{0, 1, 0, 1}));
}

TEST(LookupPattern, MatchesTheModelAndTheReferenceWalkOnRandomPatterns) {
  std::mt19937 random(12345);
  const std::u32string alphabet = U"ab.";
  const std::u32string digits = U"0123456789";
  auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  Scores fast, reference;
  for (int round = 0; round < 400; ++round) {
    std::vector<std::u32string> lines;
    for (int count = pick(0, 12); count > 0; --count) {
      std::u32string line;
      for (int length = pick(0, 5); length > 0; --length) {
        if (pick(0, 2) == 0) line += digits[pick(0, 9)];
        if (pick(0, 8) == 0) line += digits[pick(0, 9)];
        line += alphabet[pick(0, 2)];
      }
      if (pick(0, 1) == 0) line += digits[pick(0, 9)];
      lines.push_back(line);
    }
    Patterns parsed = parsePatterns(testing::textOf(lines));
    Patterns inserted;
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
      inserted = insertPattern(*line, inserted);
    }
    ASSERT_EQ(parsed, inserted);
    for (int word = 0; word < 20; ++word) {
      std::u32string letters;
      for (int length = pick(0, 7); length > 0; --length)
        letters += alphabet[pick(0, 2)];
      Scores expected = testing::modelLookup(lines, letters);
      detail::lookupPatternInto(letters, parsed, fast);
      detail::referenceLookupInto(letters, inserted, reference);
      ASSERT_EQ(fast, expected) << show(parsed) << " word "
                                << std::string(letters.begin(), letters.end());
      ASSERT_EQ(reference, expected);
    }
  }
}

}  // namespace
}  // namespace text::hyphenation
