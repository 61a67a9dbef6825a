#include <gtest/gtest.h>

#include <string>

#include "text/hyphenation/pattern.hpp"

namespace text::hyphenation {
namespace {

// Nothing may recurse once per letter: a pattern or word of a million letters would overflow
// the stack in building, combining, comparing, rendering or destroying the trie.
constexpr std::size_t million = 1'000'000;

TEST(LongPatterns, AMillionLetterPatternWorksEverywhere) {
  std::u32string letters(million, U'a');
  std::u32string pattern = letters + U"1";
  Patterns inserted = insertPattern(pattern, Patterns());
  Patterns parsed = parsePatterns(U"b1\n" + pattern + U"\n");
  Patterns other = insertPattern(U"b1", parsePatterns(pattern));
  EXPECT_EQ(parsed, other);
  EXPECT_NE(parsed, inserted);
  EXPECT_EQ(parsed, inserted + insertPattern(U"b1", Patterns()));
  EXPECT_EQ(inserted + parsed, parsed);

  // A second chain, sharing nothing with the first, combined node by node.
  Patterns longer = insertPattern(letters + U"a2", Patterns());
  Patterns both = longer + inserted;
  EXPECT_NE(both, longer);

  std::string text = show(inserted);
  const std::string open = "Patterns [] (fromList [(97,";
  const std::string leafEnd = "0,1] (fromList [])";
  EXPECT_EQ(text.size(), million * (open.size() + 3) + 10 + (2 * million + 1) + 15);
  EXPECT_EQ(text.substr(0, 2 * open.size()), open + open);
  EXPECT_EQ(text.find(leafEnd), text.size() - 3 * million - leafEnd.size());
  EXPECT_EQ(text.find_first_not_of(")])", text.size() - 3 * million), std::string::npos);
  EXPECT_EQ(show(parsePatterns(pattern)), text);

  // The automaton walks the chain once; the match of the long pattern ends at the gap before
  // the closing ".", which only counts when another pattern reaches past it.
  Scores along = lookupPattern(letters + U"b", parsed);
  ASSERT_EQ(along.size(), million + 1);
  EXPECT_EQ(along[million], 1);
  EXPECT_EQ(along[million - 1], 0);
  EXPECT_EQ(lookupPattern(letters, parsed), Scores(million, 0));

  std::u32string word(million, U'b');
  Scores scores = lookupPattern(word, parsed);
  ASSERT_EQ(scores.size(), million);
  EXPECT_EQ(scores[0], 0);
  EXPECT_EQ(scores[1], 1);
  EXPECT_EQ(scores[million - 1], 1);
}

}  // namespace
}  // namespace text::hyphenation
