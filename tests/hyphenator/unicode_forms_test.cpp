// A word given as code points, as UTF-8 or as UTF-16 breaks in the same places, each entry point
// counting in its own units: code points, bytes, code units.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/utf16.hpp"
#include "common/utf8_decode.hpp"
#include "common/utf8_encode.hpp"
#include "support/support.hpp"
#include "support/word_lists.hpp"
#include "text/hyphenation.hpp"

namespace text::hyphenation {
namespace {

using Points = std::vector<std::size_t>;

// The offsets, in units of `encode`'s form, of the characters after `points`.
template <class Encode>
Points unitOffsets(std::u32string_view word, const Points& points, Encode encode) {
  Points offsets;
  for (const std::size_t k : points)
    offsets.push_back(encode(word.substr(0, k)).size());
  return offsets;
}

// Checks every form of `word` against the code-point breaks.
void expectSameBreaks(const Hyphenator& hyphenator, const std::u32string& word) {
  Points points, utf8Points, utf16Points;
  hyphenationPoints(hyphenator, word, points);
  const std::string utf8 = detail::encodeUtf8(word);
  const std::u16string utf16 = testing::utf16Of(word);
  hyphenationPoints(hyphenator, utf8, utf8Points);
  hyphenationPoints(hyphenator, utf16, utf16Points);
  const auto encode8 = [](std::u32string_view part) { return detail::encodeUtf8(part); };
  ASSERT_EQ(utf8Points, unitOffsets(word, points, encode8)) << utf8;
  ASSERT_EQ(utf16Points, unitOffsets(word, points, testing::utf16Of)) << utf8;

  const std::vector<std::u32string> fragments = hyphenate(hyphenator, word);
  std::vector<std::string> utf8Fragments;
  std::vector<std::u16string> utf16Fragments;
  for (const std::u32string& fragment : fragments) {
    utf8Fragments.push_back(detail::encodeUtf8(fragment));
    utf16Fragments.push_back(testing::utf16Of(fragment));
  }
  ASSERT_EQ(hyphenate(hyphenator, utf8), utf8Fragments);
  ASSERT_EQ(hyphenate(hyphenator, utf16), utf16Fragments);
}

TEST(UnicodeForms, UtfBreaksAreTheCodePointBreaksInTheirUnits) {
  for (const auto& [name, language] : {std::pair{"words-en-us.txt.gz", Language::English_US},
                                       std::pair{"words-de-1996.txt.gz", Language::German_1996}}) {
    for (const std::u32string& word : testing::readWordList(name))
      expectSameBreaks(languageHyphenator(language), word);
  }
  for (const Language language : allLanguages()) {
    SCOPED_TRACE(show(language));
    const Hyphenator& hyphenator = languageHyphenator(language);
    for (const std::u32string& word : testing::patternWords(language, 200))
      expectSameBreaks(hyphenator, word);
    for (const auto& [word, scores] : hyphenatorExceptions(hyphenator).entries())
      expectSameBreaks(hyphenator, word);
  }
}

// Bytes of no well-formed sequence count as one character each, and so do surrogates without
// their other half; a caller's hyphenator (off the compiled road) counts the same.
TEST(UnicodeForms, IllFormedWordsCountAsTheirDecodedCharacters) {
  const Hyphenator mine(testing::lowerAscii, parsePatterns(U"a1b\nb1\u00E9\n\u00E91c\n"),
                        Exceptions(), 1, 1);
  std::mt19937 random(3);
  // Words of one- and two-byte sequences alone are read another way than words with longer ones.
  const std::vector<std::string> bytePieces[] = {
      {"a", "b", "c", "\xC3\xA9", "\xE9", "\xC3", "\xED\xA0\x80", "\xF0\x9F\x98\x80", "\xFF"},
      {"a", "b", "\xC3\xA9", "\xC3", "\xA9", "\x80", "\xC0\x80", "\xC1", "\xDF\xBF", "\x7F"}};
  const std::vector<std::u16string> unitPieces = {u"a",      u"b",      u"\u00E9",      u"c",
                                                  u"\xD800", u"\xDC00", u"\xD83D\xDE00"};
  for (const Hyphenator* hyphenator : {&mine, &static_cast<const Hyphenator&>(english_US)}) {
    for (int round = 0; round < 2000; ++round) {
      const std::string utf8 = testing::randomJoin(random, bytePieces[round % 2], 8);
      Points points, expected;
      hyphenationPoints(*hyphenator, utf8, points);
      std::vector<std::size_t> starts;
      const std::u32string decoded = detail::decodeUtf8(utf8, starts);
      hyphenationPoints(*hyphenator, decoded, expected);
      for (std::size_t& k : expected)
        k = k < starts.size() ? starts[k] : utf8.size();
      ASSERT_EQ(points, expected) << utf8;

      std::u16string utf16;
      for (int k = static_cast<int>(random() % 9); k > 0; --k)
        utf16 += unitPieces[random() % unitPieces.size()];
      std::u32string characters;
      std::vector<std::size_t> unitStarts;
      for (std::size_t at = 0, length = 0; at < utf16.size(); at += length) {
        unitStarts.push_back(at);
        characters += detail::decodeUtf16Character(utf16.data() + at, utf16.size() - at, length);
      }
      hyphenationPoints(*hyphenator, utf16, points);
      hyphenationPoints(*hyphenator, characters, expected);
      for (std::size_t& k : expected)
        k = k < unitStarts.size() ? unitStarts[k] : utf16.size();
      ASSERT_EQ(points, expected);
      EXPECT_EQ(testing::join(hyphenate(*hyphenator, utf16)), utf16);
    }
  }
  std::u32string characters;
  detail::decodeUtf16Into(u"a\xD800\xD83D\xDE00\xDC00", characters);
  EXPECT_EQ(characters, (std::u32string{U'a', char32_t{0xD800}, U'\U0001F600', char32_t{0xDC00}}));
}

}  // namespace
}  // namespace text::hyphenation
