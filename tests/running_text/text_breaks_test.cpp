// The rules on characters that came from a caller's bytes, as markup passes them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "running_text/rules.hpp"
#include "text/hyphenation.hpp"

namespace text::hyphenation {
namespace {

// Characters and their starts, from pairs of (character, bytes it came from).
struct Stretch {
  std::u32string characters;
  std::vector<std::size_t> starts{0};

  Stretch& add(char32_t c, std::size_t bytes = 1) {
    characters.push_back(c);
    starts.push_back(starts.back() + bytes);
    return *this;
  }
  Stretch& add(std::u32string_view text) {
    for (const char32_t c : text)
      add(c, c < 0x80 ? 1 : c < 0x800 ? 2 : 3);
    return *this;
  }
};

std::vector<std::size_t> breaksOf(const detail::TextRules& rules, const Stretch& stretch) {
  std::vector<std::size_t> offsets = {999};  // appended to, never cleared
  detail::findTextBreaks(rules, stretch.characters, stretch.starts, offsets);
  offsets.erase(offsets.begin());
  return offsets;
}

TEST(TextBreaks, OffsetsAreBytesOfTheCallersInput) {
  const detail::TextRules rules(english_US, {});
  // "hyph&eacute;nation": the reference is one letter from 8 bytes.
  const Stretch stretch = Stretch().add(U"hyph").add(U'\u00E9', 8).add(U"nation");
  std::vector<std::size_t> points;
  hyphenationPoints(english_US, stretch.characters, points);
  ASSERT_EQ(points, (std::vector<std::size_t>{2, 5, 7}));
  EXPECT_EQ(breaksOf(rules, stretch), (std::vector<std::size_t>{2, 12, 14}));
  EXPECT_EQ(breaksOf(rules, Stretch().add(U"hyphenation, hyphenation")),
            (std::vector<std::size_t>{2, 6, 15, 19}));
}

TEST(TextBreaks, ASoftHyphenFromAReferenceIsABreakAlreadyThere) {
  const detail::TextRules rules(german_1996, {.separator = "&#173;"});
  // "Silben&shy;trennung Silbentrennung".
  const Stretch stretch =
      Stretch().add(U"Silben").add(U'\u00AD', 5).add(U"trennung Silbentrennung");
  EXPECT_EQ(breaksOf(rules, stretch), (std::vector<std::size_t>{23, 26, 30}));
}

TEST(TextBreaks, ASingleByteAbove0x7FIsNoLetter) {
  const detail::TextRules rules(english_US, {});
  // "hyphenation" with an invalid byte standing for "e", decoded as U+00E9.
  const Stretch invalid = Stretch().add(U"hyph").add(U'\u00E9', 1).add(U"nation");
  EXPECT_EQ(breaksOf(rules, invalid), (std::vector<std::size_t>{7}));
}

TEST(TextBreaks, SettledPrefixEndsAtTheLastWhiteSpace) {
  const detail::TextRules rules(english_US, {});
  EXPECT_EQ(detail::settledPrefix(rules, U"hyphenation hyphen"), 12u);
  EXPECT_EQ(detail::settledPrefix(rules, U"hyphenation\u00A0hy\u2003"), 15u);
  EXPECT_EQ(detail::settledPrefix(rules, U"hyphenation"), 0u);
  EXPECT_EQ(detail::settledPrefix(rules, U""), 0u);
}

}  // namespace
}  // namespace text::hyphenation
