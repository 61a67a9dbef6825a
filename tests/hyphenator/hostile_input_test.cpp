#include <gtest/gtest.h>

#include <pthread.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "common/deferred.hpp"
#include "common/utf8_encode.hpp"
#include "language/char_table.hpp"
#include "pattern/node.hpp"
#include "support/model.hpp"
#include "support/support.hpp"
#include "text/hyphenation.hpp"

namespace text::hyphenation {
namespace {

using Fragments = std::vector<std::u32string>;
constexpr std::size_t million = 1'000'000;
constexpr std::int64_t int64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t int64Max = std::numeric_limits<std::int64_t>::max();

// Runs `body` on a thread with a 256 KiB stack, so that anything recursing once per character
// of a long input overflows here instead of passing on the main thread's 8 MB.
void onSmallStack(const std::function<void()>& body) {
  struct Call {
    const std::function<void()>* body;
    std::exception_ptr error;
  } call{&body, nullptr};
  pthread_attr_t attributes;
  ASSERT_EQ(pthread_attr_init(&attributes), 0);
  ASSERT_EQ(pthread_attr_setstacksize(&attributes, 256 * 1024), 0);
  pthread_t thread;
  const int created = pthread_create(
      &thread, &attributes,
      [](void* argument) -> void* {
        auto* c = static_cast<Call*>(argument);
        try {
          (*c->body)();
        } catch (...) {
          c->error = std::current_exception();
        }
        return nullptr;
      },
      &call);
  pthread_attr_destroy(&attributes);
  ASSERT_EQ(created, 0);
  pthread_join(thread, nullptr);
  if (call.error) std::rethrow_exception(call.error);
}

using testing::errorOf;
using testing::identity;
using testing::join;

Scores referenceLookup(std::u32string_view word, const Patterns& trie) {
  Scores scores;
  detail::referenceLookupInto(word, trie, scores);
  return scores;
}

TEST(HostileInput, AMillionLetterChainIsBuiltCombinedComparedRenderedAndDestroyedOnASmallStack) {
  onSmallStack([] {
    const std::u32string letters(million, U'a');
    const std::u32string pattern = letters + U"1";
    Patterns parsed = parsePatterns(U"b1\n" + pattern + U"\n");
    Patterns inserted = insertPattern(pattern, insertPattern(U"b1", Patterns()));
    EXPECT_EQ(parsed, inserted);
    const Patterns chain = insertPattern(pattern, Patterns());
    EXPECT_EQ(parsed, insertPattern(U"b1", parsePatterns(pattern)));
    EXPECT_NE(parsed, chain);
    EXPECT_EQ(parsed, chain + insertPattern(U"b1", Patterns()));
    EXPECT_EQ(chain + parsed, parsed);
    // Merging two chains that share no node descends a million levels.
    Patterns longer = insertPattern(letters + U"a2", Patterns());
    Patterns both = longer + parsed;
    EXPECT_NE(both, longer);
    EXPECT_EQ(both, parsed + longer);
    EXPECT_EQ(both + both, both);
    EXPECT_NE(longer + chain, longer);
    EXPECT_EQ(show(parsed).size(), showsPrec(11, parsed).size() - 2);

    const std::string text = show(chain);
    const std::string open = "Patterns [] (fromList [(97,";
    const std::string leafEnd = "0,1] (fromList [])";
    EXPECT_EQ(text.size(), million * (open.size() + 3) + 10 + (2 * million + 1) + 15);
    EXPECT_EQ(text.substr(0, 2 * open.size()), open + open);
    EXPECT_EQ(text.find(leafEnd), text.size() - 3 * million - leafEnd.size());
    EXPECT_EQ(text.find_first_not_of(")])", text.size() - 3 * million), std::string::npos);
    EXPECT_EQ(show(parsePatterns(pattern)), text);

    // The automaton walks the chain once; the match of the long pattern ends at the gap before
    // the closing ".", which only counts when another pattern reaches past it.
    const Scores along = lookupPattern(letters + U"b", parsed);
    ASSERT_EQ(along.size(), million + 1);
    EXPECT_EQ(along[million], 1);
    EXPECT_EQ(along[million - 1], 0);
    EXPECT_EQ(lookupPattern(letters, parsed), Scores(million, 0));
    const Scores scores = lookupPattern(std::u32string(million, U'b'), parsed);
    ASSERT_EQ(scores.size(), million);
    EXPECT_EQ(scores[0], 0);
    EXPECT_EQ(scores[1], 1);
    EXPECT_EQ(scores[million - 1], 1);

    // A handle into the middle of a chain keeps its lower half alive while the upper half dies.
    Patterns middle = longer;
    for (std::size_t depth = 0; depth < million / 2; ++depth)
      middle = detail::NodeView(middle).find(U'a').handle();
    longer = Patterns();
    parsed = Patterns();
    std::size_t below = 0;
    detail::NodeView view(middle);
    for (; view.children().valid(); ++below)
      view = view.children().view();
    EXPECT_EQ(below, million / 2 + 1);
    EXPECT_EQ(view.scores(), scorePattern(letters + U"a2"));
    middle = Patterns();
    inserted = Patterns();
    both = Patterns();
  });
}

TEST(HostileInput, AMillionCharacterWordIsLookedUpAndHyphenatedOnASmallStack) {
  const Patterns& english = hyphenatorPatterns(english_US);
  onSmallStack([&] {
    std::u32string word;
    while (word.size() < million)
      word += U"hyphenation";
    const Fragments fragments = hyphenate(english_US, word);
    EXPECT_EQ(join(fragments), word);
    EXPECT_GT(fragments.size(), million / 11);
    EXPECT_EQ(lookupPattern(word, english), referenceLookup(word, english));

    // A word that matches a pattern at every position, and one listed as an exception.
    const std::u32string letters(million, U'a');
    const Patterns trie = parsePatterns(U"a1a\n");
    const Scores scores = lookupPattern(letters, trie);
    ASSERT_EQ(scores.size(), million);
    EXPECT_EQ(scores[1], 1);
    EXPECT_EQ(scores[million - 1], 1);
    EXPECT_EQ(hyphenate(Hyphenator(identity, trie, Exceptions(), 1, 1), letters).size(), million);

    std::u32string entry;
    for (std::size_t k = 0; k < million / 2; ++k)
      entry += U"b-";
    const Exceptions table = parseExceptions(entry + U"b\n");
    const std::u32string listed(million / 2 + 1, U'b');
    EXPECT_EQ(hyphenate(Hyphenator(identity, trie, table, 2, 2), listed).size(), million / 2 - 1);
    // Exceptions (fromList [("b…b",[0,1,…,1,0])]): the word, and a digit and comma per gap.
    EXPECT_EQ(show(table).size(), 3 * listed.size() + 32);
  });
}

TEST(HostileInput, CodePointsThatAreNotCharactersAreLettersLikeAnyOther) {
  const char32_t strange[] = {0, 0xD800, 0xDFFF, 0xFFFE, 0xFFFF, 0x10FFFF, 0x110000, 0xFFFFFFFF};
  for (char32_t c : strange) {
    SCOPED_TRACE(static_cast<std::uint32_t>(c));
    const std::u32string s(1, c);
    const std::u32string word = U"x" + s + U"y" + s + s + U"z";
    // Patterns that score gaps around the strange letter, one of them anchored to the start.
    const Patterns trie = parsePatterns(s + U"y1\n.x3" + s + U"\n" + s + U"5" + s + U"\n");
    const Scores scores = lookupPattern(word, trie);
    EXPECT_EQ(scores, referenceLookup(word, trie));
    EXPECT_EQ(scores, (Scores{0, 3, 0, 1, 5, 0}));
    EXPECT_NE(show(trie).find("(" + std::to_string(static_cast<std::uint32_t>(c)) + ",Patterns"),
              std::string::npos);

    const Hyphenator byPatterns(identity, trie, Exceptions(), 1, 1);
    EXPECT_EQ(hyphenate(byPatterns, word), (Fragments{U"x", s + U"y", s, s + U"z"}));

    const Exceptions table = parseExceptions(s + U"-x" + s + U"-" + s + U"\n" + s + U"\n");
    EXPECT_EQ(lookupException(s + U"x" + s + s, table), (Scores{0, 1, 0, 1, 0}));
    EXPECT_EQ(lookupException(s, table), (Scores{0, 0}));
    const Hyphenator byExceptions(identity, trie, table, 1, 1);
    EXPECT_EQ(hyphenate(byExceptions, s + U"x" + s + s), (Fragments{s, U"x" + s, s}));

    // Rendering writes every one of them as an ASCII escape.
    const std::string shown = show(table);
    for (char byte : shown) {
      EXPECT_TRUE(byte >= 0x20 && byte <= 0x7E) << shown;
    }

    // The error names the word with every value kept (what() is a C string, so a NUL ends it).
    const Hyphenator malformed(identity, trie, Exceptions(ExceptionMap{{word, Scores{}}}), 0, 0);
    const std::string message =
        "Malformed hyphenation score for " + detail::encodeUtf8Lossless(word);
    EXPECT_EQ(errorOf([&] { hyphenate(malformed, word); }), message.substr(0, message.find('\0')));

    // A character table may list them too; what it does not list maps to itself.
    const detail::CharMap map = detail::parseCharTable(U"a" + s + U"\n" + s + U"b\n");
    EXPECT_EQ(map(c), U'a');
    EXPECT_EQ(map(U'b'), c);
    EXPECT_EQ(map(U'z'), U'z');
    EXPECT_EQ(map(0xFFFFFFFE), 0xFFFFFFFE);
  }
  // The last page of char32_t, alone and after another page.
  for (std::u32string text : {U"a\xFFFFFFFF", U"ab\na\xFFFFFFFF"}) {
    const detail::CharMap map = detail::parseCharTable(text);
    EXPECT_EQ(map(0xFFFFFFFF), U'a');
    EXPECT_EQ(map(0xFFFFFFFE), 0xFFFFFFFE);
    EXPECT_EQ(map(0xFFFFFF00), 0xFFFFFF00);
    EXPECT_EQ(map(0xFE), 0xFE);
  }
}

TEST(HostileInput, DegenerateTextsAreAcceptedAsTheyStand) {
  struct PatternCase {
    std::u32string text;
    Scores rootScores;
    std::size_t children;
  };
  const PatternCase patternCases[] = {
      {U"", {}, 0},
      {U"\n", {0}, 0},
      {U"\n\n\n", {0}, 0},
      {U" ", {}, 1},
      {U" \t\r\n", {}, 1},
      {U"123", {1, 3}, 0},  // the digit after a digit is skipped as the letter it scores
      {U"1\n2\n", {1}, 0},  // the first of two lines with the same letters wins
      {U"99999999999999999999", {9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 0}, 0},
  };
  for (const auto& c : patternCases) {
    const Patterns trie = parsePatterns(c.text);
    EXPECT_EQ(patternScores(trie), c.rootScores) << show(trie);
    EXPECT_EQ(patternChildren(trie).size(), c.children) << show(trie);
    for (std::u32string word : {U"", U"a", U" ", U"ab1"}) {
      EXPECT_EQ(lookupPattern(word, trie), referenceLookup(word, trie));
    }
  }
  // Odd root scores allow a break at every gap, within the minimums.
  const Hyphenator everywhere(identity, parsePatterns(U"1"), Exceptions(), 1, 1);
  EXPECT_EQ(hyphenate(everywhere, U"abc"), (Fragments{U"a", U"b", U"c"}));

  struct ExceptionCase {
    std::u32string text;
    std::size_t entries;
    std::u32string key;
    std::optional<Scores> scores;
  };
  const ExceptionCase exceptionCases[] = {
      {U"", 0, U"", std::nullopt},          {U"\n", 1, U"", Scores{0}},
      {U" \n", 1, U" ", Scores{0, 0}},      {U"-", 1, U"", Scores{1}},
      {U"--", 1, U"", Scores{1, 0}},        {U"---\n-\n", 1, U"", Scores{1}},
      {U"--\n---\n", 1, U"", Scores{1, 0}}, {U"\n-\n", 1, U"", Scores{0}},
      {U"a-\n-a\n", 1, U"a", Scores{0, 0}},
  };
  for (const auto& c : exceptionCases) {
    const Exceptions table = parseExceptions(c.text);
    EXPECT_EQ(table.entries().size(), c.entries) << show(table);
    EXPECT_EQ(lookupException(c.key, table), c.scores) << show(table);
  }
  // The empty word is never looked up, whatever the table says of it.
  const Hyphenator hyphens(identity, Patterns(), parseExceptions(U"-"), 0, 0);
  EXPECT_EQ(hyphenate(hyphens, U""), Fragments{U""});

  for (std::int64_t count : {std::int64_t{0}, std::int64_t{-1}, int64Min}) {
    EXPECT_EQ(errorOf([&] { stimes(count, parsePatterns(U"a1b")); }),
              "stimes: positive multiplier expected");
    EXPECT_EQ(errorOf([&] { stimes(count, parseExceptions(U"a-b")); }),
              "stimes: positive multiplier expected");
  }
  EXPECT_EQ(stimes(int64Max, parsePatterns(U"a1b")), parsePatterns(U"a1b"));
  EXPECT_EQ(stimes(int64Max, parseExceptions(U"a-b")), parseExceptions(U"a-b"));
}

TEST(HostileInput, ExtremeMinimumsFollowTheCuttingRuleInExactArithmetic) {
  const Patterns trie = parsePatterns(U"1a\n1b\n1c\n1d\n1e\n1.");
  const std::u32string word = U"abcde";
  const Scores raw = lookupPattern(word, trie);  // odd before every letter and after the last
  const std::int64_t values[] = {int64Min, int64Min + 1, -3,      -1, 0, 1, 2,
                                 6,        int64Max - 1, int64Max};
  for (std::int64_t leftMin : values) {
    for (std::int64_t rightMin : values) {
      SCOPED_TRACE(std::to_string(leftMin) + ", " + std::to_string(rightMin));
      const Hyphenator hyphenator(identity, trie, Exceptions(), leftMin, rightMin);
      const Fragments expected =
          testing::splitAt(word, testing::modelBreaks(word.size(), raw, leftMin, rightMin).value());
      EXPECT_EQ(hyphenate(hyphenator, word), expected);
    }
  }
}

TEST(HostileInput, AHyphenatorRefusesAnEmptyCharacterFunction) {
  EXPECT_EQ(errorOf([] { Hyphenator(CharFunction(), Patterns(), Exceptions(), 1, 1); }),
            "Hyphenator: the character function is empty");
}

TEST(HostileInput, ADeferredValueWithAnEmptyBuilderFailsInsteadOfReadingNothing) {
  const detail::Deferred<int> deferred{std::function<int()>()};
  EXPECT_THROW(deferred.get(), std::bad_function_call);
  EXPECT_THROW(deferred.get(), std::bad_function_call);
  const detail::Deferred<int> given{7};
  EXPECT_EQ(given.get(), 7);
}

}  // namespace
}  // namespace text::hyphenation
