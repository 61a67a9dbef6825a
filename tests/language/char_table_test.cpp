#include "language/char_table.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace text::hyphenation::detail {
namespace {

using Entries = std::vector<std::pair<char32_t, char32_t>>;

TEST(CharTable, ParsesLinesIntoCanonicalForms) {
  struct Case {
    std::u32string text;
    Entries entries;
  };
  const std::vector<Case> cases = {
      {U"", {}},
      {U"\n\n", {}},
      {U"a\nb\n\nc\n", {}},  // one-character lines declare nothing
      {U"aA\nbB\n", {{U'A', U'a'}, {U'B', U'b'}}},
      {U"aA\nbB", {{U'A', U'a'}, {U'B', U'b'}}},  // a last line without a line feed counts
      {U"aa\n", {{U'a', U'a'}}},                  // a letter written twice maps to itself
      {U"sS\n\u00DFSS\n", {{U'S', U'\u00DF'}}},   // the last line that lists a character wins
      {U"iI\n\u0131I\n", {{U'I', U'\u0131'}}},
      {U"aA\r\n", {{U'\r', U'a'}, {U'A', U'a'}}},  // a carriage return is an ordinary character
      {U"\u0587\u0535\u0552\n", {{U'\u0535', U'\u0587'}, {U'\u0552', U'\u0587'}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(parseCharTable(c.text).entries(), c.entries);
  }
}

TEST(CharTable, MapsCharactersThatAreNotKeysToThemselves) {
  const CharMap table = parseCharTable(U"aA\nbB\n");
  EXPECT_EQ(table(U'A'), U'a');
  EXPECT_EQ(table(U'a'), U'a');
  EXPECT_EQ(table(U'-'), U'-');
  EXPECT_EQ(table(U'\u00E9'), U'\u00E9');
}

}  // namespace
}  // namespace text::hyphenation::detail
