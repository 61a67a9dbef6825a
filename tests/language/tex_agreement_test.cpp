#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "common/utf8_decode.hpp"
#include "support/support.hpp"
#include "text/hyphenation.hpp"

namespace text::hyphenation {
namespace {

// Real words of many languages and scripts, with the breaks TeX's own hyphenation engine finds
// with the same patterns, exceptions and minimums (see tests/data/README.md).
TEST(TexAgreement, RealWordsSplitAsTeXSplitsThem) {
  std::map<std::string, Language> byCode;
  for (Language language : enumFrom(Language::Afrikaans)) {
    byCode.emplace(languageAffix(language), language);
  }
  std::ifstream in(HYPHENKIT_TEST_DATA_DIR "/tex-words.tsv");
  ASSERT_TRUE(in) << "cannot open tex-words.tsv";
  std::map<std::string, int> wordsPerLanguage;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string code, word, expected;
    std::getline(fields, code, '\t');
    std::getline(fields, word, '\t');
    std::getline(fields, expected, '\t');
    ASSERT_TRUE(byCode.contains(code)) << line;
    const std::u32string got =
        testing::join(hyphenate(languageHyphenator(byCode[code]), detail::decodeUtf8(word)), U"-");
    EXPECT_EQ(got, detail::decodeUtf8(expected))
        << code << " " << word << " (TeX: " << expected << ")";
    ++wordsPerLanguage[code];
  }
  EXPECT_GE(wordsPerLanguage.size(), 10u);
}

}  // namespace
}  // namespace text::hyphenation
