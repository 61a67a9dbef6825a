#include "markup/character_data.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "markup/named_references.hpp"

namespace hy = text::hyphenation;

namespace {

struct Decoded {
  std::u32string characters;
  std::vector<std::size_t> starts;
  std::size_t stopped;
};

Decoded decode(std::string_view bytes, bool complete = true, bool xml = false) {
  Decoded out;
  out.stopped =
      hy::detail::decodeCharacterData(bytes, 0, complete, xml, out.characters, out.starts);
  return out;
}

}  // namespace

TEST(CharacterData, ReferencesAreReadAsABrowserReadsThemInText) {
  struct Case {
    std::string_view bytes;
    std::u32string characters;
    std::vector<std::size_t> starts;
  };
  const Case cases[] = {
      {"caf&eacute;", U"café", {0, 1, 2, 3}},
      {"&eacute", U"é", {0}},  // an old name needs no ";"
      {"&eacutex", U"éx", {0, 7}},
      {"&notit;", U"¬it;", {0, 4, 5, 6}},  // the longest name that matches
      {"&notin;", U"∉", {0}},
      {"&#233;&#xE9;&#Xe9&#0233", U"éééé", {0, 6, 12, 17}},
      {"&#150;&#x80;&#x81;", U"\u2013\u20AC\u0081", {0, 6, 12}},  // windows-1252's C1
      {"&#0;&#xD800;&#x110000;&#99999999999;", U"\uFFFD\uFFFD\uFFFD\uFFFD", {0, 4, 12, 22}},
      {"&#;&#x;&#a", U"&#;&#x;&#a", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},  // no digits: text
      {"& &amp &; &&", U"& & &; &&", {0, 1, 2, 6, 7, 8, 9, 10, 11}},
      {"&NotEqualTilde;x", U"\u2242\u0338x", {0, 15, 15}},  // two characters, one reference
      {"&unknown;x", U"\uFFFDx", {0, 9}},                   // an entity of the document's own
      {"a\xE9"
       "b\xC3\xA9",
       U"a\uFFFDbé",
       {0, 1, 2, 3}},  // bytes of no sequence
  };
  for (const Case& c : cases) {
    const Decoded got = decode(c.bytes);
    EXPECT_EQ(got.characters, c.characters) << c.bytes;
    EXPECT_EQ(got.starts, c.starts) << c.bytes;
    EXPECT_EQ(got.stopped, c.bytes.size()) << c.bytes;
  }
}

TEST(CharacterData, XmlTakesNamesOnlyWithTheirSemicolon) {
  EXPECT_EQ(decode("&eacute;&eacute &amp;", true, true).characters, U"é&eacute &");
}

TEST(CharacterData, StopsWhereBytesStillToComeMayChangeTheCharacter) {
  struct Case {
    std::string_view bytes;
    std::size_t stopped;
  };
  const Case cases[] = {
      {"ab&", 2},      {"ab&ea", 2},   {"ab&#", 2},       {"ab&#x", 2},
      {"ab&#12", 2},   {"ab\xC3", 2},  {"ab\xE2\x80", 2}, {"ab&amp;", 7},
      {"ab&amp x", 8}, {"ab\xC3x", 4}, {"ab&#12 ", 7},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(decode(c.bytes, false).stopped, c.stopped) << c.bytes;
    // Whatever is cut short is read as it stands at the end of the input.
    EXPECT_EQ(decode(c.bytes, true).stopped, c.bytes.size()) << c.bytes;
  }
  // A long run of letters after "&" is no name to wait for.
  const std::string longName = "&" + std::string(100, 'a');
  EXPECT_EQ(decode(longName, false).stopped, longName.size());
}

TEST(CharacterData, ReadingInPiecesGivesWhatReadingWholeGives) {
  const std::string text =
      "caf&eacute; &eacutex &#233;&#xE9; &NotEqualTilde; \xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80 "
      "&amp &notin; &#; \xE9\xC3 &unknown; end";
  const Decoded whole = decode(text);
  // Feed the bytes one at a time, decoding as far as each prefix allows.
  Decoded pieces;
  std::size_t at = 0;
  for (std::size_t end = 1; end <= text.size(); ++end) {
    at = hy::detail::decodeCharacterData(std::string_view(text).substr(0, end), at,
                                         end == text.size(), false, pieces.characters,
                                         pieces.starts);
  }
  EXPECT_EQ(pieces.characters, whole.characters);
  EXPECT_EQ(pieces.starts, whole.starts);
}

TEST(NamedReferences, AreSortedAndUniqueForLookup) {
  const auto& table = hy::detail::kNamedReferences;
  EXPECT_TRUE(std::adjacent_find(table.begin(), table.end(), [](const auto& a, const auto& b) {
                return a.name >= b.name;
              }) == table.end());
  for (const auto& entry : table) {
    EXPECT_LE(entry.name.size(), hy::detail::kLongestReferenceName);
    EXPECT_NE(entry.first, 0u) << entry.name;
  }
}
