#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "support/support.hpp"
#include "text/hyphenation/exception.hpp"

namespace text::hyphenation {
namespace {

TEST(ExceptionScores, AHyphenScoresTheGapInFrontOfTheCodePointItReplaces) {
  const struct {
    std::u32string entry;
    Scores scores;
  } cases[] = {
      {U"", {0}},
      {U"-", {1}},
      {U"--", {1, 0}},
      {U"ab-", {0, 0, 1}},
      {U"-ab", {1, 0, 0}},
      {U"ta-ble", {0, 0, 1, 0, 0, 0}},
      {U"as-so-ciate", {0, 0, 1, 0, 1, 0, 0, 0, 0, 0}},
      {U"present", {0, 0, 0, 0, 0, 0, 0, 0}},
      {U"a--b", {0, 1, 0, 0}},
      {U"a---b", {0, 1, 1, 0}},
      {U"a\u2010b", {0, 0, 0, 0}},  // U+2010 HYPHEN is an ordinary letter
      {U"ta-ble\r", {0, 0, 1, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(scoreException(c.entry), c.scores) << show(Exceptions(ExceptionMap{{c.entry, {}}}));
  }
}

TEST(ExceptionScores, ZipMinIsAsLongAsTheShorterList) {
  EXPECT_EQ(zipMin({0, 1, 1, 0}, {1, 1, 0}), (Scores{0, 1, 0}));
  EXPECT_EQ(zipMin({5, -3}, {2, 7, 9}), (Scores{2, -3}));
  EXPECT_EQ(zipMin({}, {1, 2}), Scores{});
}

TEST(ExceptionParsing, LinesAreCutAtLineFeedsOnly) {
  const struct {
    std::u32string text;
    ExceptionMap entries;
  } cases[] = {
      {U"", {}},
      {U"\n", {{U"", {0}}}},
      {U"a\n\nb", {{U"a", {0, 0}}, {U"", {0}}, {U"b", {0, 0}}}},
      {U"ta-ble", {{U"table", {0, 0, 1, 0, 0, 0}}}},
      {U"ta-ble\n", {{U"table", {0, 0, 1, 0, 0, 0}}}},
      {U"ta-ble\r\n", {{U"table\r", {0, 0, 1, 0, 0, 0, 0}}}},
      {U"as-so-ciate\npresent\n",
       {{U"associate", {0, 0, 1, 0, 1, 0, 0, 0, 0, 0}}, {U"present", Scores(8, 0)}}},
      {U" x-y \n", {{U" xy ", {0, 0, 1, 0, 0}}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(parseExceptions(c.text), Exceptions(c.entries))
        << show(parseExceptions(c.text)) << " vs " << show(Exceptions(c.entries));
  }
}

TEST(ExceptionParsing, VersionsOfOneWordKeepOnlyTheBreaksTheyShare) {
  const struct {
    std::u32string text;
    std::u32string word;
    Scores scores;
  } cases[] = {
      {U"ta-ble\ntab-le", U"table", {0, 0, 0, 0, 0, 0}},
      {U"ab\na--b", U"ab", {0, 0, 0}},
      {U"a--b\na---b", U"ab", {0, 1, 0, 0}},
      {U"as-so-ciate\nas-soc-i-ate", U"associate", {0, 0, 1, 0, 0, 0, 0, 0, 0, 0}},
      {U"as-so-ciate\nassociate", U"associate", Scores(10, 0)},
  };
  for (const auto& c : cases) {
    const Exceptions table = parseExceptions(c.text);
    EXPECT_EQ(table.entries().size(), 1u);
    EXPECT_EQ(lookupException(c.word, table), c.scores);
    EXPECT_EQ(addException(c.text.substr(0, c.text.find(U'\n')),
                           addException(c.text.substr(c.text.find(U'\n') + 1), Exceptions())),
              table);
  }
}

TEST(ExceptionLookup, FindsExactlyTheKey) {
  const Exceptions table = parseExceptions(U"ta-ble\n");
  EXPECT_EQ(lookupException(U"table", table), (Scores{0, 0, 1, 0, 0, 0}));
  EXPECT_EQ(lookupException(U"ta-ble", table), std::nullopt);
  EXPECT_EQ(lookupException(U"Table", table), std::nullopt);
  EXPECT_EQ(lookupException(U"tabl", table), std::nullopt);
  EXPECT_EQ(lookupException(U"", table), std::nullopt);
  EXPECT_EQ(lookupException(U"", parseExceptions(U"\n")), Scores{0});
}

TEST(ExceptionBuilding, AddExceptionLeavesItsArgumentUnchanged) {
  const Exceptions before = parseExceptions(U"ta-ble");
  const Exceptions after = addException(U"tab-le", before);
  EXPECT_EQ(lookupException(U"table", before), (Scores{0, 0, 1, 0, 0, 0}));
  EXPECT_EQ(lookupException(U"table", after), Scores(6, 0));
}

// Random entry texts over a small alphabet, so that words repeat and hyphens come in rows.
std::vector<std::u32string> randomLines(std::mt19937& random, int count) {
  static constexpr char32_t kAlphabet[] = {U'a', U'b', U'-', U'-', U'\r', U'\u00E9'};
  std::vector<std::u32string> lines;
  for (int i = 0; i < count; ++i) {
    std::u32string line(random() % 6, U'a');
    for (char32_t& c : line) {
      c = kAlphabet[random() % std::size(kAlphabet)];
    }
    lines.push_back(line);
  }
  return lines;
}

using testing::textOf;

TEST(ExceptionParsing, TheOrderOfLinesDoesNotMatter) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    std::vector<std::u32string> lines = randomLines(random, 1 + round % 12);
    const Exceptions table = parseExceptions(textOf(lines));

    Exceptions added;
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
      added = addException(*line, added);
    }
    EXPECT_EQ(added, table);

    std::shuffle(lines.begin(), lines.end(), random);
    EXPECT_EQ(parseExceptions(textOf(lines)), table) << show(table);
    EXPECT_EQ(show(parseExceptions(textOf(lines))), show(table));
  }
}

TEST(ExceptionCombining, UnionMergesCommonWordsByMinimum) {
  const Exceptions left = parseExceptions(U"ta-ble\nab");
  const Exceptions right = parseExceptions(U"tab-le\na--b\nx-y");
  const Exceptions expected(
      ExceptionMap{{U"table", Scores(6, 0)}, {U"ab", {0, 0, 0}}, {U"xy", {0, 1, 0}}});
  EXPECT_EQ(left + right, expected);
  EXPECT_EQ(lookupException(U"table", left), (Scores{0, 0, 1, 0, 0, 0}));
}

TEST(ExceptionCombining, CombiningLawsHold) {
  std::mt19937 random(11);
  for (int round = 0; round < 100; ++round) {
    const Exceptions a = parseExceptions(textOf(randomLines(random, round % 5)));
    const Exceptions b = parseExceptions(textOf(randomLines(random, round % 7)));
    const Exceptions c = parseExceptions(textOf(randomLines(random, 3)));
    EXPECT_EQ(a + b, b + a);
    EXPECT_EQ((a + b) + c, a + (b + c));
    EXPECT_EQ(a + a, a);
    EXPECT_EQ(a + Exceptions::mempty(), a);
    EXPECT_EQ(Exceptions::mempty() + a, a);
    const std::vector<Exceptions> all{a, b, c};
    EXPECT_EQ(sconcat(all), a + (b + c));
    EXPECT_EQ(mconcat(all), a + (b + c));
    EXPECT_EQ(stimes(3, a), a);
  }
}

TEST(ExceptionCombining, ReusesStorageWhereTheResultIsAnOperand) {
  const Exceptions a = parseExceptions(U"ta-ble");
  const Exceptions b = parseExceptions(U"x-y");
  EXPECT_EQ(&(a + Exceptions()).entries(), &a.entries());
  EXPECT_EQ(&(Exceptions() + a).entries(), &a.entries());
  EXPECT_EQ(&(a + a).entries(), &a.entries());
  EXPECT_EQ(&stimes(5, a).entries(), &a.entries());
  EXPECT_NE(&(a + b).entries(), &a.entries());
}

TEST(ExceptionCombining, SequencesAndCounts) {
  const Exceptions a = parseExceptions(U"ta-ble");
  EXPECT_EQ(mconcat(std::span<const Exceptions>()), Exceptions());
  EXPECT_EQ(sconcat(std::vector<Exceptions>{a}), a);
  EXPECT_EQ(stimes(1, a), a);
  EXPECT_EQ(stimes(INT64_MAX, a), a);

  const auto message = [](auto&& call) {
    try {
      call();
    } catch (const Error& error) {
      return std::string(error.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message([] { sconcat(std::span<const Exceptions>()); }), "sconcat: empty sequence");
  EXPECT_EQ(message([&] { stimes(0, a); }), "stimes: positive multiplier expected");
  EXPECT_EQ(message([&] { stimes(INT64_MIN, a); }), "stimes: positive multiplier expected");
}

}  // namespace
}  // namespace text::hyphenation
