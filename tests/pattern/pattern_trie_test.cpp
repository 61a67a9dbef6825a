#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "pattern/node.hpp"
#include "support/model.hpp"
#include "text/hyphenation/pattern.hpp"

namespace text::hyphenation {
namespace {

// The node reached from the root along `letters`; fails the test when there is none.
Patterns nodeAt(const Patterns& trie, std::u32string_view letters) {
  Patterns node = trie;
  for (char32_t letter : letters) {
    auto children = patternChildren(node);
    auto child = children.find(letter);
    if (child == children.end()) {
      ADD_FAILURE() << "no node for letter " << static_cast<std::uint32_t>(letter);
      return Patterns();
    }
    node = child->second;
  }
  return node;
}

TEST(ScorePattern, DigitsScoreTheGapBeforeTheNextCharacter) {
  struct Case {
    std::u32string_view pattern;
    Scores scores;
  };
  const Case cases[] = {
      {U"", {0}},
      {U"a1b", {0, 1, 0}},
      {U"1ab", {1, 0, 0}},
      {U"ab1", {0, 0, 1}},
      {U".ach4", {0, 0, 0, 0, 4}},
      {U"hen5at", {0, 0, 0, 5, 0, 0}},
      {U"0\u044C0", {0, 0}},
      {U"5", {5}},
      // The character after a digit is skipped even when it is a digit itself.
      {U"a12b", {0, 1, 0, 0}},
      {U"12", {1, 0}},
      {U"123", {1, 3}},
      {U"a12", {0, 1, 0}},
      // Digits of other scripts are letters.
      {U"a\u0661b", {0, 0, 0, 0}},
  };
  for (const auto& [pattern, scores] : cases) {
    EXPECT_EQ(scorePattern(pattern), scores) << show(Patterns(scores, {}));
  }
}

TEST(InsertPattern, LastInsertionWinsAndOtherNodesStay) {
  Patterns trie = testing::trieOf({U"a1b", U"a3b"});
  EXPECT_EQ(patternScores(nodeAt(trie, U"ab")), (Scores{0, 3, 0}));

  Patterns replaced = insertPattern(U"ab1", testing::trieOf({U"a1b"}));
  EXPECT_EQ(patternScores(nodeAt(replaced, U"a")), Scores{});
  EXPECT_EQ(patternScores(nodeAt(replaced, U"ab")), (Scores{0, 0, 1}));

  // A pattern ending at an inner node keeps that node's children.
  Patterns inner = insertPattern(U"a2", testing::trieOf({U"a1bc"}));
  EXPECT_EQ(patternScores(nodeAt(inner, U"a")), (Scores{0, 2}));
  EXPECT_EQ(patternScores(nodeAt(inner, U"abc")), (Scores{0, 1, 0, 0}));

  // Letterless patterns set the root's scores.
  EXPECT_EQ(patternScores(insertPattern(U"12", testing::trieOf({U"a1b"}))), (Scores{1, 0}));
  EXPECT_EQ(patternScores(insertPattern(U"", Patterns())), Scores{0});
}

TEST(InsertPattern, LeavesItsArgumentUnchanged) {
  Patterns before = testing::trieOf({U"a1b", U"c2d"});
  std::string text = show(before);
  Patterns after = insertPattern(U"a3bc", before);
  after = insertPattern(U"a5b", after);
  EXPECT_EQ(show(before), text);
  EXPECT_NE(after, before);
  EXPECT_EQ(patternScores(nodeAt(after, U"ab")), (Scores{0, 5, 0}));
  EXPECT_EQ(patternScores(nodeAt(after, U"abc")), (Scores{0, 3, 0, 0}));
  EXPECT_EQ(nodeAt(after, U"c"), nodeAt(before, U"c"));
}

// Inserting and combining copy the nodes on the changed paths and nothing else: every other child,
// explicit or frozen, is the very node it was, and so are the scores of the nodes on the path.
TEST(InsertPattern, SharesEverythingOffThePath) {
  const auto same = [](const Patterns& a, const Patterns& b, std::u32string_view letters) {
    detail::NodeView x(a), y(b);
    for (const char32_t letter : letters) {
      x = x.find(letter).view();
      y = y.find(letter).view();
    }
    return x.sameAs(y);
  };
  Patterns wide;
  for (char32_t c = 0x4E00; c < 0x4E00 + 3000; ++c)
    wide = insertPattern(std::u32string(1, c) + U"1x", wide);
  const Patterns deeper = insertPattern(U"\u4E05xy2", wide);
  EXPECT_TRUE(same(wide, deeper, U"\u4E04"));
  EXPECT_TRUE(same(wide, deeper, U"\u4E06x"));
  EXPECT_FALSE(same(wide, deeper, U"\u4E05"));
  EXPECT_EQ(detail::NodeView(deeper).find(U'\u4E05').view().ownScores(),
            detail::NodeView(wide).find(U'\u4E05').view().ownScores());

  const Patterns parsed = parsePatterns(U"ab1\nac2\nad3\nabc4\n");
  const Patterns changed = insertPattern(U"a5e", parsed + insertPattern(U"xy1", Patterns()));
  for (std::u32string_view letters : {U"ab", U"ac", U"ad", U"abc"})
    EXPECT_TRUE(same(parsed, changed, letters)) << letters.size();
  EXPECT_EQ(lookupPattern(U"abcae", changed), (Scores{0, 0, 1, 4, 5}));
}

TEST(ParsePatterns, FirstOfSeveralLinesWithTheSameLettersWins) {
  struct Case {
    std::u32string_view text;
    std::u32string_view letters;
    Scores scores;
  };
  const Case cases[] = {
      {U"a1b\na3b", U"ab", {0, 1, 0}},
      {U"a3b\na1b\n", U"ab", {0, 3, 0}},
      {U"ab1\nx\na1b", U"ab", {0, 0, 1}},
      {U"5\n3\n", U"", {5}},
      {U"\n7", U"", {0}},
      {U"a12b\nab", U"ab", {0, 1, 0, 0}},
  };
  for (const auto& [text, letters, scores] : cases) {
    EXPECT_EQ(patternScores(nodeAt(parsePatterns(text), letters)), scores);
  }
}

TEST(ParsePatterns, LinesAreSplitOnlyAtLineFeeds) {
  EXPECT_EQ(parsePatterns(U""), Patterns());
  EXPECT_EQ(parsePatterns(U"\n"), Patterns({0}, {}));
  EXPECT_EQ(parsePatterns(U"a1b\n.c2"), parsePatterns(U"a1b\n.c2\n"));
  EXPECT_EQ(parsePatterns(U"a1b\n\nc"), testing::trieOf({U"c", U"", U"a1b"}));
  // Spaces, tabs and carriage returns are letters like any other.
  EXPECT_EQ(parsePatterns(U" a\t1\r\n"), testing::trieOf({U" a\t1\r"}));
  EXPECT_EQ(patternScores(nodeAt(parsePatterns(U"a1b\r\n"), U"ab\r")), (Scores{0, 1, 0, 0}));
}

TEST(Patterns, CombiningMergesScoresByMaximumAndChildrenByUnion) {
  Patterns combined = testing::trieOf({U"a1b"}) + testing::trieOf({U"a2bc"});
  EXPECT_EQ(patternScores(nodeAt(combined, U"ab")), (Scores{0, 1, 0}));
  EXPECT_EQ(patternChildren(nodeAt(combined, U"ab")).size(), 1u);
  EXPECT_EQ(patternScores(nodeAt(combined, U"abc")), (Scores{0, 2, 0, 0}));
  EXPECT_EQ(patternScores(nodeAt(testing::trieOf({U"a1b"}) + testing::trieOf({U"a2b"}), U"ab")),
            (Scores{0, 2, 0}));

  // Score lists of different lengths keep the longer tail; negative scores stay.
  Patterns longer({-3, 5, -7, 9}, {});
  Patterns shorter({-1, 2}, {});
  EXPECT_EQ(patternScores(longer + shorter), (Scores{-1, 5, -7, 9}));
  EXPECT_EQ(patternScores(shorter + longer), (Scores{-1, 5, -7, 9}));
  EXPECT_EQ(patternScores(Patterns({}, {}) + shorter), (Scores{-1, 2}));
}

// Small random tries, with negative scores and lists of any length.
Patterns randomTrie(std::mt19937& random, int depth = 0) {
  std::uniform_int_distribution<int> count(0, depth < 3 ? 3 : 0);
  std::uniform_int_distribution<int> score(-2, 4);
  std::uniform_int_distribution<int> letter(0, 3);
  Scores scores(std::uniform_int_distribution<int>(0, 3)(random));
  for (auto& entry : scores)
    entry = score(random);
  Patterns::Children children;
  for (int k = count(random); k > 0; --k) {
    children[U'a' + letter(random)] = randomTrie(random, depth + 1);
  }
  return Patterns(scores, children);
}

TEST(Patterns, CombiningIsAssociativeCommutativeAndIdempotentWithEmptyAsIdentity) {
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    Patterns a = randomTrie(random), b = randomTrie(random), c = randomTrie(random);
    ASSERT_EQ(a + b, b + a) << show(a) << " " << show(b);
    ASSERT_EQ((a + b) + c, a + (b + c));
    ASSERT_EQ(a + a, a);
    ASSERT_EQ(a + Patterns(), a);
    ASSERT_EQ(Patterns::mempty() + a, a);
    ASSERT_EQ(a + Patterns({}, {}), a);
    ASSERT_EQ(stimes(3, a), a);
    std::vector<Patterns> three{a, b, c};
    ASSERT_EQ(sconcat(three), a + (b + c));
    ASSERT_EQ(mconcat(three), a + (b + c));
  }
}

TEST(Patterns, SequenceCombinersRejectWhatTheyCannotCombine) {
  Patterns a = testing::trieOf({U"a1b"});
  EXPECT_EQ(stimes(1, a), a);
  EXPECT_EQ(mconcat({}), Patterns());
  EXPECT_EQ(sconcat(std::vector<Patterns>{a}), a);
  for (std::int64_t count : {std::int64_t{0}, std::int64_t{-1}, INT64_MIN}) {
    try {
      stimes(count, a);
      ADD_FAILURE() << "stimes accepted " << count;
    } catch (const Error& error) {
      EXPECT_STREQ(error.what(), "stimes: positive multiplier expected");
    }
  }
  try {
    sconcat({});
    ADD_FAILURE() << "sconcat accepted an empty sequence";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "sconcat: empty sequence");
  }
}

TEST(Patterns, EqualityIsStructural) {
  EXPECT_EQ(Patterns(), Patterns({}, {}));
  EXPECT_EQ(testing::trieOf({U"a1b", U"c"}), testing::trieOf({U"c", U"a1b"}));
  EXPECT_NE(testing::trieOf({U"a1b"}), testing::trieOf({U"a1b", U"a"}));
  EXPECT_NE(testing::trieOf({U"a1b"}), testing::trieOf({U"a2b"}));
  EXPECT_NE(testing::trieOf({U"a1b"}), testing::trieOf({U"a1c"}));
  EXPECT_NE(Patterns({0}, {}), Patterns());
  EXPECT_EQ(Patterns({}, {{U'a', Patterns({0, 0}, {})}}),
            testing::trieOf({U"a"}) + Patterns({}, {{U'a', {}}}));
}

TEST(Patterns, RendersLikeItsConstructorExpression) {
  const std::string ab =
      "Patterns [] (fromList [(97,Patterns [] (fromList [(98,Patterns [0,1,0] (fromList "
      "[]))]))])";
  Patterns trie = testing::trieOf({U"a1b"});
  EXPECT_EQ(show(trie), ab);
  EXPECT_EQ(showsPrec(10, trie), ab);
  EXPECT_EQ(showsPrec(11, trie), "(" + ab + ")");
  EXPECT_EQ(show(Patterns()), "Patterns [] (fromList [])");
  EXPECT_EQ(show(Patterns({-1, 20}, {{0x10FFFF, {}}, {U'a', {}}})),
            "Patterns [-1,20] (fromList [(97,Patterns [] (fromList [])),"
            "(1114111,Patterns [] (fromList []))])");
  std::vector<Patterns> list{Patterns(), trie};
  EXPECT_EQ(showList(list), "[Patterns [] (fromList [])," + ab + "]");
  EXPECT_EQ(showList({}), "[]");
  std::ostringstream out;
  out << trie;
  EXPECT_EQ(out.str(), ab);
}

TEST(Unsnoc, SplitsOffTheLastElement) {
  EXPECT_EQ(unsnoc(std::vector<int>{}), std::nullopt);
  auto one = unsnoc(std::vector<int>{1});
  ASSERT_TRUE(one);
  EXPECT_EQ(one->first, std::vector<int>{});
  EXPECT_EQ(one->second, 1);
  auto three = unsnoc(std::vector<int>{1, 2, 3});
  ASSERT_TRUE(three);
  EXPECT_EQ(three->first, (std::vector<int>{1, 2}));
  EXPECT_EQ(three->second, 3);
}

}  // namespace
}  // namespace text::hyphenation
