#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "text/hyphenation/exception.hpp"

namespace text::hyphenation {
namespace {

TEST(ExceptionShow, RendersTablesAtEveryPrecedence) {
  const Exceptions table = parseExceptions(U"ta-ble");
  const struct {
    int precedence;
    Exceptions table;
    std::string text;
  } cases[] = {
      {0, Exceptions(), "Exceptions (fromList [])"},
      {10, Exceptions(), "Exceptions (fromList [])"},
      {11, Exceptions(), "(Exceptions (fromList []))"},
      {0, table, "Exceptions (fromList [(\"table\",[0,0,1,0,0,0])])"},
      {11, table, "(Exceptions (fromList [(\"table\",[0,0,1,0,0,0])]))"},
      {0, Exceptions({{U"a", {-3, 12}}, {U"", {}}}),
       "Exceptions (fromList [(\"\",[]),(\"a\",[-3,12])])"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(showsPrec(c.precedence, c.table), c.text);
  }
  EXPECT_EQ(show(table), showsPrec(0, table));
  std::ostringstream out;
  out << table;
  EXPECT_EQ(out.str(), show(table));
}

TEST(ExceptionShow, ListsEntriesInCodePointOrderOfTheirWords) {
  const Exceptions table = parseExceptions(U"b\nab\n\u00E9\na\nB\n\U0001F600");
  EXPECT_EQ(show(table),
            "Exceptions (fromList [(\"B\",[0,0]),(\"a\",[0,0]),(\"ab\",[0,0,0]),(\"b\",[0,0]),"
            "(\"\\u00E9\",[0,0]),(\"\\U0001F600\",[0,0])])");
}

TEST(ExceptionShow, EscapesEverythingOutsidePrintableAscii) {
  const struct {
    std::u32string word;
    std::string text;
  } cases[] = {
      {U"plain text~", "\"plain text~\""},
      {U"say \"hi\"", "\"say \\\"hi\\\"\""},
      {U"back\\slash", "\"back\\\\slash\""},
      {U"\n\r\t", "\"\\n\\r\\t\""},
      {std::u32string(1, U'\0'), "\"\\u0000\""},
      {U"\x7F\x1F", "\"\\u007F\\u001F\""},
      {U"\u00e9\uFFFF", "\"\\u00E9\\uFFFF\""},
      {U"\U00010000\U0010FFFF", "\"\\U00010000\\U0010FFFF\""},
      {std::u32string(1, char32_t{0xFFFFFFFF}), "\"\\UFFFFFFFF\""},
      {std::u32string(1, char32_t{0xD800}), "\"\\uD800\""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(show(Exceptions(ExceptionMap{{c.word, {0}}})),
              "Exceptions (fromList [(" + c.text + ",[0])])");
  }
}

TEST(ExceptionShow, ShowListJoinsTablesWithCommas) {
  const std::vector<Exceptions> tables{Exceptions(), parseExceptions(U"x-y")};
  EXPECT_EQ(showList(std::span<const Exceptions>()), "[]");
  EXPECT_EQ(showList(tables),
            "[Exceptions (fromList []),Exceptions (fromList [(\"xy\",[0,1,0])])]");
}

}  // namespace
}  // namespace text::hyphenation
