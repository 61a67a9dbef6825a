#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <latch>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "hyphenator/state.hpp"
#include "support/model.hpp"
#include "support/support.hpp"
#include "text/hyphenation/hyphenator.hpp"

namespace text::hyphenation {
namespace {

using Fragments = std::vector<std::u32string>;
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

using testing::cutsOf;
using testing::errorOf;
using testing::identity;
using testing::join;
using testing::lowerAscii;
using testing::randomText;

// A hyphenator over `word` whose raw list is exactly `raw`, given as an exception entry.
Hyphenator withRawList(std::u32string word, Scores raw, std::int64_t leftMin,
                       std::int64_t rightMin) {
  return Hyphenator(identity, Patterns(),
                    Exceptions(ExceptionMap{{std::move(word), std::move(raw)}}), leftMin, rightMin);
}

// Counts how often each deferred field is built.
struct BuildCounts {
  std::atomic<int> chars{0};
  std::atomic<int> patterns{0};
  std::atomic<int> exceptions{0};
};

Hyphenator countingHyphenator(BuildCounts& counts, Patterns patterns, Exceptions exceptions,
                              std::int64_t leftMin, std::int64_t rightMin) {
  return detail::makeDeferredHyphenator(
      [&counts] {
        ++counts.chars;
        std::vector<std::pair<char32_t, char32_t>> pairs;
        for (char32_t c = U'A'; c <= U'Z'; ++c) {
          pairs.emplace_back(c, c + 32);
        }
        return detail::CharMap(pairs);
      },
      [&counts, patterns] {
        ++counts.patterns;
        return patterns;
      },
      [&counts, exceptions] {
        ++counts.exceptions;
        return exceptions;
      },
      leftMin, rightMin);
}

TEST(Hyphenate, EmptyWordGivesOneEmptyFragmentAndConsultsNothing) {
  for (auto [leftMin, rightMin] : {std::pair<std::int64_t, std::int64_t>{0, 0}, {-5, -5}, {2, 3}}) {
    BuildCounts counts;
    const Hyphenator hyphenator =
        countingHyphenator(counts, Patterns(), Exceptions(), leftMin, rightMin);
    EXPECT_EQ(hyphenate(hyphenator, U""), Fragments{U""});
    EXPECT_EQ(counts.chars + counts.patterns + counts.exceptions, 0);
  }
  // Even an exception with an empty list for the empty word raises nothing.
  EXPECT_EQ(hyphenate(withRawList(U"", {}, 0, 0), U""), Fragments{U""});
}

TEST(Hyphenate, WordsShorterThanBothMinimumsStayWholeWithoutAnyLookup) {
  const struct {
    std::int64_t leftMin, rightMin;
    std::u32string word;
  } cases[] = {
      {2, 3, U"abcd"},
      {5, 0, U"abcd"},
      {-1, 6, U"abcd"},
      {1, kMax, U"abcd"},
      {kMax, kMax, U"abcd"},  // the sum overflows int64_t, the word is still
                              // shorter
      {kMax, 1, U"a"},
  };
  for (const auto& c : cases) {
    BuildCounts counts;
    const Hyphenator hyphenator = countingHyphenator(counts, parsePatterns(U"1a1\n1b1\n1c1\n1d1"),
                                                     Exceptions(), c.leftMin, c.rightMin);
    EXPECT_EQ(hyphenate(hyphenator, c.word), Fragments{c.word});
    EXPECT_EQ(counts.chars + counts.patterns + counts.exceptions, 0);
  }
  // Breaks that the exception table lists do not help a short word either.
  EXPECT_EQ(hyphenate(withRawList(U"abc", {1, 1, 1, 1}, 2, 2), U"abc"), Fragments{U"abc"});
}

TEST(Hyphenate, TrimmingKeepsBreaksBetweenTheMinimums) {
  const Scores odd(6, 1);  // for "abcde": every gap, both ends included, allows a break
  const struct {
    std::int64_t leftMin, rightMin;
    Scores raw;
    Fragments fragments;
  } cases[] = {
      {1, 1, odd, {U"a", U"b", U"c", U"d", U"e"}},
      {2, 3, odd, {U"ab", U"cde"}},
      {3, 2, odd, {U"abc", U"de"}},  // n = l + r: one break at most, after l characters
      {6, -1, odd, {U"abcde"}},
      {0, 0, odd, {U"a", U"b", U"c", U"d", U"e", U""}},
      {2, -1, odd, {U"ab", U"c", U"d", U"e", U""}},
      {-1, 3, odd, {U"a", U"b", U"c", U"de"}},  // a negative l keeps |l| more entries
      {-3, 7, odd, {U"a", U"bcde"}},
      {-2, 2, odd, {U"a", U"b", U"c", U"d", U"e", U""}},
      {1, 1, {0, 3, -1, 2, -5, 7}, {U"a", U"b", U"cd", U"e"}},  // negative odd values break
      {1, 1, {1, 1, 1}, {U"a", U"b", U"cde"}},                  // a short list breaks nowhere else
      {1, 1, {}, {U"abcde"}},
      {0, -3, Scores(9, 1), {U"a", U"b", U"c", U"d", U"e", U""}},  // surplus entries are ignored
      {1, 0, {0, 0, 0, 0, 0}, {U"abcde"}},                         // no entry for the last gap
      // Minimums at the ends of int64_t: exact arithmetic, never wrapped.
      {kMin, kMin, odd, {U"a", U"b", U"c", U"d", U"e", U""}},
      {kMin, kMax, odd, {U"a", U"b", U"c", U"d", U"e", U""}},
      {kMin + 3, kMax, odd, {U"a", U"b", U"c", U"de"}},
      {kMax, kMin, odd, {U"abcde"}},
      {1, kMin, odd, {U"a", U"b", U"c", U"d", U"e", U""}},
      {kMin, 4, odd, {U"a", U"b", U"c", U"d", U"e", U""}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(hyphenate(withRawList(U"abcde", c.raw, c.leftMin, c.rightMin), U"abcde"), c.fragments)
        << "l = " << c.leftMin << ", r = " << c.rightMin;
  }
}

TEST(Hyphenate, AnEmptyScoreListWithNoLeftMinimumIsMalformed) {
  const std::u32string word = U"Ab\u00E9\U0001F600";
  const auto hyphenator = [&](std::int64_t leftMin) {
    return Hyphenator(lowerAscii, Patterns(),
                      Exceptions(ExceptionMap{{U"ab\u00E9\U0001F600", Scores{}}}), leftMin, 0);
  };
  // The message carries the word as the caller gave it, in UTF-8.
  EXPECT_EQ(errorOf([&] { hyphenate(hyphenator(0), word); }),
            "Malformed hyphenation score for Ab\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(errorOf([&] { hyphenate(hyphenator(-4), word); }),
            "Malformed hyphenation score for Ab\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(hyphenate(hyphenator(1), word), Fragments{word});
  // In UTF-8 and UTF-16 it is the caller's bytes or units, those of no character included.
  const Hyphenator latin1(lowerAscii, Patterns(),
                          Exceptions(ExceptionMap{{U"ab\u00E9\u00FF", Scores{}}}), 0, 0);
  EXPECT_EQ(errorOf([&] { hyphenate(latin1, std::string_view("Ab\xE9\xFF")); }),
            "Malformed hyphenation score for Ab\xE9\xFF");
  std::vector<std::size_t> points;
  EXPECT_EQ(errorOf([&] { hyphenationPoints(latin1, std::string_view("Ab\xE9\xFF"), points); }),
            "Malformed hyphenation score for Ab\xE9\xFF");
  const Hyphenator surrogate(lowerAscii, Patterns(),
                             Exceptions(ExceptionMap{{U"a\xD800", Scores{}}}), 0, 0);
  EXPECT_EQ(errorOf([&] { hyphenate(surrogate, std::u16string_view(u"A\xD800")); }),
            "Malformed hyphenation score for A\xED\xA0\x80");
  // Code points that UTF-8 cannot carry keep their values, in UTF-8 as first defined.
  const std::u32string odd{U'x', char32_t{0xD800}, char32_t{0x110000}};
  EXPECT_EQ(errorOf([&] { hyphenate(withRawList(odd, {}, 0, 0), odd); }),
            "Malformed hyphenation score for x\xED\xA0\x80\xF4\x90\x80\x80");
}

TEST(Hyphenate, PatternsDecideWhenNoExceptionListsTheWord) {
  const Patterns aOneB = parsePatterns(U"a1b");
  const Patterns bOneDot = parsePatterns(U"b1.");
  const struct {
    Patterns patterns;
    std::int64_t leftMin, rightMin;
    Fragments fragments;
  } cases[] = {
      {aOneB, 1, 1, {U"a", U"b"}},
      {aOneB, 2, 1, {U"ab"}},
      {bOneDot, 1, 0, {U"ab", U""}},
      {bOneDot, 1, 1, {U"ab"}},
  };
  for (const auto& c : cases) {
    const Hyphenator hyphenator(identity, c.patterns, Exceptions(), c.leftMin, c.rightMin);
    EXPECT_EQ(hyphenate(hyphenator, U"ab"), c.fragments);
  }
}

TEST(Hyphenate, AListedWordNeverReachesThePatterns) {
  BuildCounts counts;
  const Hyphenator hyphenator =
      countingHyphenator(counts, parsePatterns(U"1a1\n1b1"), parseExceptions(U"ab\nta-ble"), 1, 1);
  EXPECT_EQ(hyphenate(hyphenator, U"AB"), Fragments{U"AB"});
  EXPECT_EQ(hyphenate(hyphenator, U"Table"), (Fragments{U"Ta", U"ble"}));
  EXPECT_EQ(counts.patterns, 0);
  EXPECT_EQ(hyphenate(hyphenator, U"aba"), (Fragments{U"a", U"b", U"a"}));
  EXPECT_EQ(counts.patterns, 1);
}

TEST(Hyphenate, FragmentsKeepTheCallersLetters) {
  const Hyphenator hyphenator(lowerAscii, parsePatterns(U"a1b"), parseExceptions(U"ta-ble"), 2, 2);
  EXPECT_EQ(hyphenate(hyphenator, U"CAB"), Fragments{U"CAB"});
  EXPECT_EQ(hyphenate(hyphenator, U"CCABB"), (Fragments{U"CCA", U"BB"}));
  EXPECT_EQ(hyphenate(hyphenator, U"TaBLE"), (Fragments{U"Ta", U"BLE"}));
}

TEST(Hyphenate, ACharacterFunctionMayHyphenateOnItsOwn) {
  const Hyphenator inner(identity, parsePatterns(U"1b"), Exceptions(), 1, 1);
  const Hyphenator outer(
      [&inner](char32_t c) {
        EXPECT_EQ(hyphenate(inner, U"abab"), (Fragments{U"a", U"ba", U"b"}));
        return lowerAscii(c);
      },
      parsePatterns(U"a1b"), Exceptions(), 1, 1);
  EXPECT_EQ(hyphenate(outer, U"ABAB"), (Fragments{U"A", U"BA", U"B"}));
}

// The cutting rule read literally: trim to T, drop its first entry, cut after every odd entry.
// Only for minimums small enough that nothing overflows.
std::optional<Fragments> literalHyphenate(std::u32string_view word, const Scores& raw,
                                          std::int64_t leftMin, std::int64_t rightMin) {
  const auto n = static_cast<std::int64_t>(word.size());
  if (n == 0) return Fragments{U""};
  if (n < leftMin + rightMin) return Fragments{std::u32string(word)};
  Scores trimmed(std::max<std::int64_t>(leftMin, 0), 0);
  const std::int64_t take = n - leftMin - rightMin + 1;
  for (std::int64_t k = std::max<std::int64_t>(leftMin, 0);
       k < static_cast<std::int64_t>(raw.size()) && k < std::max<std::int64_t>(leftMin, 0) + take;
       ++k) {
    trimmed.push_back(raw[k]);
  }
  if (trimmed.empty()) return std::nullopt;
  const Scores breaks(trimmed.begin() + 1, trimmed.end());
  Fragments fragments;
  std::u32string current;
  for (std::size_t i = 0; i < word.size(); ++i) {
    current += word[i];
    if (i >= breaks.size()) {
      current += word.substr(i + 1);
      break;
    }
    if (breaks[i] % 2 != 0) fragments.push_back(std::exchange(current, U""));
  }
  fragments.push_back(current);
  return fragments;
}

TEST(Hyphenate, MatchesTheLiteralCuttingRuleForEveryMinimum) {
  std::mt19937 random(3);
  for (int round = 0; round < 3000; ++round) {
    std::u32string word(1 + random() % 7, U'a');
    for (char32_t& c : word) {
      c = U'a' + random() % 3;
    }
    Scores raw(random() % (word.size() + 4));
    for (auto& score : raw) {
      score = static_cast<std::int64_t>(random() % 7) - 3;
    }
    const std::int64_t leftMin = static_cast<std::int64_t>(random() % 13) - 4;
    const std::int64_t rightMin = static_cast<std::int64_t>(random() % 13) - 4;

    const Hyphenator hyphenator = withRawList(word, raw, leftMin, rightMin);
    const std::optional<Fragments> expected = literalHyphenate(word, raw, leftMin, rightMin);
    if (expected) {
      EXPECT_EQ(hyphenate(hyphenator, word), *expected)
          << "l = " << leftMin << ", r = " << rightMin;
    } else {
      EXPECT_NE(errorOf([&] { hyphenate(hyphenator, word); }), "no error");
    }
  }
}

TEST(Hyphenate, BreaksFallExactlyWhereTheRawListIsOddBetweenTheMinimums) {
  std::mt19937 random(5);
  for (int round = 0; round < 300; ++round) {
    const std::u32string patternText = testing::randomPatternText(random, 7, 3, U".abc", false);
    std::u32string exceptionText;
    for (int i = random() % 4; i > 0; --i) {
      exceptionText += randomText(random, U"abc-", 5) + U"\n";
    }
    const Patterns patterns = parsePatterns(patternText);
    const Exceptions exceptions = parseExceptions(exceptionText);
    const std::int64_t leftMin = 1 + random() % 3;
    const std::int64_t rightMin = 1 + random() % 3;
    const Hyphenator hyphenator(lowerAscii, patterns, exceptions, leftMin, rightMin);

    for (int w = 0; w < 20; ++w) {
      const std::u32string word = randomText(random, U"abcAB", 8);
      const Fragments fragments = hyphenate(hyphenator, word);
      ASSERT_EQ(join(fragments), word);

      std::u32string key = word;
      for (char32_t& c : key) {
        c = lowerAscii(c);
      }
      const Scores raw = lookupException(key, exceptions).value_or(lookupPattern(key, patterns));
      const std::vector<std::size_t> expected =
          testing::modelBreaks(word.size(), raw, leftMin, rightMin).value();
      const std::vector<std::size_t> actual = cutsOf(fragments);
      EXPECT_EQ(actual, expected);
    }
  }
}

TEST(Hyphenator, FieldsAreWhatWasGiven) {
  const Patterns patterns = parsePatterns(U"a1b");
  const Exceptions exceptions = parseExceptions(U"ta-ble");
  const Hyphenator hyphenator(lowerAscii, patterns, exceptions, -7, kMax);
  EXPECT_EQ(hyphenatorChars(hyphenator)(U'Q'), U'q');
  EXPECT_EQ(hyphenatorPatterns(hyphenator), patterns);
  EXPECT_EQ(&hyphenatorExceptions(hyphenator).entries(), &exceptions.entries());
  EXPECT_EQ(hyphenatorLeftMin(hyphenator), -7);
  EXPECT_EQ(hyphenatorRightMin(hyphenator), kMax);
}

TEST(DeferredHyphenator, EachFieldIsBuiltOnItsFirstUse) {
  BuildCounts counts;
  CharFunction chars;
  {
    const Hyphenator hyphenator =
        countingHyphenator(counts, parsePatterns(U"a1b"), parseExceptions(U"x-y"), 1, 1);
    chars = hyphenatorChars(hyphenator);
    EXPECT_EQ(counts.chars, 0);  // handing out the function builds nothing
    EXPECT_EQ(hyphenatorLeftMin(hyphenator) + hyphenatorRightMin(hyphenator), 2);
    EXPECT_EQ(counts.chars + counts.patterns + counts.exceptions, 0);
    EXPECT_EQ(show(hyphenatorExceptions(hyphenator)), show(parseExceptions(U"x-y")));
    EXPECT_EQ(counts.exceptions, 1);
    EXPECT_EQ(counts.patterns, 0);
    EXPECT_EQ(hyphenatorPatterns(hyphenator), parsePatterns(U"a1b"));
    EXPECT_EQ(counts.patterns, 1);
    EXPECT_EQ(counts.chars, 0);
  }
  // The function keeps the state alive after the hyphenator is gone.
  EXPECT_EQ(chars(U'A'), U'a');
  EXPECT_EQ(chars(U'-'), U'-');
  EXPECT_EQ(counts.chars, 1);
}

TEST(DeferredHyphenator, AFailedBuildFailsEveryUseWithTheSameError) {
  std::atomic<int> builds{0};
  const Hyphenator hyphenator =
      detail::makeDeferredHyphenator([] { return detail::CharMap(); },
                                     [&builds]() -> Patterns {
                                       ++builds;
                                       throw Error("Could not find hyph-xx.pat.txt.gz");
                                     },
                                     [] { return Exceptions(); }, 1, 1);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(errorOf([&] { hyphenate(hyphenator, U"abc"); }), "Could not find hyph-xx.pat.txt.gz");
  }
  EXPECT_THROW(hyphenatorPatterns(hyphenator), Error);
  EXPECT_EQ(builds, 1);
  EXPECT_EQ(hyphenate(hyphenator, U"a"), Fragments{U"a"});  // too short to need the patterns
}

TEST(DeferredHyphenator, ConcurrentFirstUseBuildsEachFieldOnce) {
  for (int round = 0; round < 20; ++round) {
    BuildCounts counts;
    const Hyphenator hyphenator =
        countingHyphenator(counts, parsePatterns(U"a1b"), parseExceptions(U"x-y"), 1, 1);
    constexpr int kThreads = 8;
    std::latch start(kThreads);
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([&] {
        start.arrive_and_wait();
        for (int i = 0; i < 50; ++i) {
          wrong += hyphenate(hyphenator, U"ABAB") != Fragments{U"A", U"BA", U"B"};
          wrong += hyphenate(hyphenator, U"XY") != Fragments{U"X", U"Y"};
        }
      });
    }
    for (auto& thread : threads) {
      thread.join();
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(counts.chars, 1);
    EXPECT_EQ(counts.patterns, 1);
    EXPECT_EQ(counts.exceptions, 1);
  }
}

}  // namespace
}  // namespace text::hyphenation
