#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "common/utf8_decode.hpp"
#include "common/utf8_encode.hpp"
#include "language/embedded_files.hpp"
#include "pattern/node.hpp"
#include "support/model.hpp"
#include "support/support.hpp"
#include "support/word_lists.hpp"
#include "text/hyphenation.hpp"

namespace text::hyphenation {
namespace {

using testing::readWordList;

// The breaks found the plain way, through the public fields: the character function on every
// letter, the exception table, else a walk of the trie from every position of the framed word;
// then every odd score between the two minimums (which are positive for every language).
std::vector<std::size_t> referencePoints(const Hyphenator& hyphenator, std::u32string_view word) {
  std::u32string key;
  const CharFunction chars = hyphenatorChars(hyphenator);
  for (char32_t c : word)
    key.push_back(chars(c));
  Scores raw;
  if (auto listed = lookupException(key, hyphenatorExceptions(hyphenator))) {
    raw = *listed;
  } else {
    detail::referenceLookupInto(key, hyphenatorPatterns(hyphenator), raw);
  }
  return testing::modelBreaks(word.size(), raw, hyphenatorLeftMin(hyphenator),
                              hyphenatorRightMin(hyphenator))
      .value();
}

std::string withHyphens(std::u32string_view word, const std::vector<std::size_t>& points) {
  return detail::encodeUtf8(testing::join(testing::splitAt(word, points), U"-"));
}

TEST(WordLists, EveryEntryPointAgreesWithTheReferenceWalkOnEveryWord) {
  const struct {
    Language language;
    const char* file;
    std::size_t count;
  } lists[] = {{Language::English_US, "words-en-us.txt.gz", 63875},
               {Language::German_1996, "words-de-1996.txt.gz", 89003}};
  for (const auto& list : lists) {
    const std::vector<std::u32string> words = readWordList(list.file);
    ASSERT_EQ(words.size(), list.count) << list.file;
    const Hyphenator& hyphenator = languageHyphenator(list.language);
    std::vector<std::size_t> points;
    int wrong = 0;
    for (const std::u32string& word : words) {
      hyphenationPoints(hyphenator, word, points);
      const std::vector<std::size_t> expected = referencePoints(hyphenator, word);
      const std::vector<std::u32string> fragments = hyphenate(hyphenator, word);
      const std::u32string joined = testing::join(fragments);
      const std::vector<std::size_t> cuts = testing::cutsOf(fragments);
      if (points != expected || cuts != expected || joined != word) {
        if (++wrong <= 10) {
          ADD_FAILURE() << withHyphens(word, points) << " (hyphenate: " << withHyphens(word, cuts)
                        << ") where the reference gives " << withHyphens(word, expected);
        }
      }
    }
    EXPECT_EQ(wrong, 0) << list.file;
  }
}

// TeX's own breaks of both lists are too large to carry here; set HYPHENKIT_TEX_ORACLE to a
// directory holding en-us.tsv and de-1996.tsv (word TAB TeX's hyphenation) to check them.
TEST(WordLists, AgreeWithTeXWhenItsOutputIsAtHand) {
  const char* directory = std::getenv("HYPHENKIT_TEX_ORACLE");
  if (!directory) GTEST_SKIP() << "HYPHENKIT_TEX_ORACLE is not set";
  for (Language language : {Language::English_US, Language::German_1996}) {
    const std::string code(languageAffix(language));
    std::ifstream in(std::string(directory) + "/" + code + ".tsv");
    ASSERT_TRUE(in) << code;
    std::string line;
    std::vector<std::size_t> points;
    std::size_t words = 0;
    int wrong = 0;
    while (std::getline(in, line)) {
      const std::size_t tab = line.find('\t');
      if (tab == std::string::npos) continue;
      const std::u32string word = detail::decodeUtf8(line.substr(0, tab));
      hyphenationPoints(languageHyphenator(language), word, points);
      ++words;
      if (withHyphens(word, points) != line.substr(tab + 1) && ++wrong <= 10) {
        ADD_FAILURE() << code << ": " << withHyphens(word, points) << " where TeX gives "
                      << line.substr(tab + 1);
      }
    }
    EXPECT_GT(words, 0u) << code;
    EXPECT_EQ(wrong, 0) << code << " mismatches out of " << words;
  }
}

}  // namespace
}  // namespace text::hyphenation
