#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/utf8_decode.hpp"
#include "support/support.hpp"
#include "text/hyphenation.hpp"

namespace text::hyphenation {
namespace {

using Pieces = std::vector<std::string>;

using testing::join;

TEST(HyphenateUtf8, SlicesTheCallersBytes) {
  EXPECT_EQ(hyphenate(english_US, std::string_view("Hyphenation")),
            (Pieces{"Hy", "phen", "ation"}));
  EXPECT_EQ(hyphenate(german_1996, std::string_view("Silbentrennung")),
            (Pieces{"Sil", "ben", "tren", "nung"}));
  EXPECT_EQ(hyphenate(russian, std::string_view("перенос")), (Pieces{"пе", "ре", "нос"}));
  EXPECT_EQ(hyphenate(english_US, std::string_view("")), Pieces{""});
  // A lone E9 byte is one character, as the two bytes of a well-formed U+00E9 are.
  EXPECT_EQ(hyphenate(english_US, std::string_view("hyph\xE9nation")),
            (Pieces{"hy", "ph\xE9", "na", "tion"}));
  EXPECT_EQ(hyphenate(english_US, std::string_view("hyph\xC3\xA9nation")),
            (Pieces{"hy", "ph\xC3\xA9", "na", "tion"}));
}

// Words of letters, multi-byte characters and bytes that belong to no well-formed sequence:
// the fragments join to the input, and they are the code-point version's fragments.
TEST(HyphenateUtf8, AgreesWithTheCodePointVersionOnRandomWords) {
  const Pieces pieces = {
      "hy", "phen", "a",  "tion", "ta",   "ble",  "ER",   "ss",   "ß",        "ä",
      "ü",  "пе",   "ре", "нос",  "\xE9", "\xC3", "\x80", "\xFF", "\xE2\x82", "\xF0\x9F\x98\x80",
      "-",  "'"};
  const std::vector<Language> languages = {Language::English_US, Language::German_1996,
                                           Language::Russian, Language::French};
  std::mt19937 random(20261209);
  for (int round = 0; round < 4000; ++round) {
    const std::string word = testing::randomJoin(random, pieces, 9);
    const Hyphenator& hyphenator = languageHyphenator(languages[round % languages.size()]);

    const Pieces fragments = hyphenate(hyphenator, std::string_view(word));
    ASSERT_EQ(join(fragments), word);
    const std::vector<std::u32string> expected = hyphenate(hyphenator, detail::decodeUtf8(word));
    ASSERT_EQ(fragments.size(), expected.size()) << word;
    for (std::size_t k = 0; k < fragments.size(); ++k) {
      // No well-formed sequence spans a cut, so each fragment decodes on its own to the same
      // characters.
      ASSERT_EQ(detail::decodeUtf8(fragments[k]), expected[k]) << word;
    }
  }
}

}  // namespace
}  // namespace text::hyphenation
