#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "language/char_table.hpp"
#include "language/embedded_files.hpp"
#include "support/support.hpp"
#include "text/hyphenation.hpp"

namespace text::hyphenation {
namespace {

using testing::join;

TEST(LoadHyphenator, TakesEachLanguagesMinimums) {
  struct Case {
    Language language;
    std::int64_t left, right;
  };
  for (const Case& c : std::vector<Case>{{Language::Sanskrit, 1, 3},
                                         {Language::Afrikaans, 1, 2},
                                         {Language::Georgian, 1, 2},
                                         {Language::Hindi, 1, 1},
                                         {Language::Greek_Poly, 1, 1},
                                         {Language::German_1996, 2, 2},
                                         {Language::Turkish, 2, 2},
                                         {Language::English_US, 2, 3},
                                         {Language::Welsh, 2, 3}}) {
    const Hyphenator hyphenator = loadHyphenator(c.language);
    EXPECT_EQ(hyphenatorLeftMin(hyphenator), c.left) << show(c.language);
    EXPECT_EQ(hyphenatorRightMin(hyphenator), c.right) << show(c.language);
  }
}

TEST(LoadHyphenator, NormalisesCharactersThroughTheShippedTables) {
  struct Case {
    Language language;
    char32_t from, to;
  };
  for (const Case& c : std::vector<Case>{
           {Language::English_US, U'A', U'a'},
           {Language::English_US, U'Z', U'z'},
           {Language::English_US, U'a', U'a'},
           {Language::English_US, U'-', U'-'},
           {Language::English_US, U'\u00E9', U'\u00E9'},
           {Language::Turkish, U'I', U'\u0131'},
           {Language::Turkish, U'\u0130', U'i'},
           {Language::German_1901, U'S', U's'},
           {Language::German_1996, U'S', U's'},
           {Language::German_Swiss, U'S', U's'},
           {Language::German_1996, U's', U's'},
           {Language::German_1996, U'\u1E9E', U'\u00DF'},
           {Language::Greek_Poly, U'\u0399', U'\u03B9'},
           {Language::Armenian, U'\u0535', U'\u0565'},
       }) {
    EXPECT_EQ(hyphenatorChars(loadHyphenator(c.language))(c.from), c.to)
        << show(c.language) << " U+" << std::hex << static_cast<std::uint32_t>(c.from);
  }
}

TEST(LoadHyphenator, SplitsTheEnglishExamples) {
  const Hyphenator english = loadHyphenator(Language::English_US);
  EXPECT_EQ(hyphenate(english, U"hyphenation"),
            (std::vector<std::u32string>{U"hy", U"phen", U"ation"}));
  EXPECT_EQ(hyphenate(english, U"associate"),
            (std::vector<std::u32string>{U"as", U"so", U"ciate"}));
  EXPECT_EQ(hyphenate(english, U"project"), (std::vector<std::u32string>{U"project"}));
  EXPECT_EQ(hyphenate(english, U"HyPHENATION"),
            (std::vector<std::u32string>{U"Hy", U"PHEN", U"ATION"}));
  EXPECT_EQ(lookupPattern(U"hyphenation", hyphenatorPatterns(english)),
            (Scores{0, 0, 3, 0, 0, 2, 5, 4, 2, 0, 2}));
}

// Words go through the language as the build compiled it, so hyphenating reads no file at all;
// a field is built from its file when a caller first asks for it, and the patterns not even
// then: they are a view of the compiled trie.
TEST(LoadHyphenator, ReadsNoFileUntilAFieldIsUsed) {
  const std::string pat = "hyph-sk.pat.txt.gz", hyp = "hyph-sk.hyp.txt.gz",
                    chr = "hyph-sk.chr.txt.gz";
  const auto before = [&](const std::string& name) { return detail::embeddedReadCount(name); };
  const auto patterns = before(pat), exceptions = before(hyp), characters = before(chr);

  const Hyphenator slovak = loadHyphenator(Language::Slovak);  // minimums 2 and 3
  EXPECT_EQ(hyphenate(slovak, U"ruka"), std::vector<std::u32string>{U"ruka"});
  EXPECT_EQ(hyphenate(slovak, U""), std::vector<std::u32string>{U""});
  hyphenate(slovak, U"mestečko");
  hyphenate(slovak, U"rozhodnutie");
  const CharFunction chars = hyphenatorChars(slovak);
  EXPECT_EQ(before(chr), characters);  // taking the function is not calling it
  EXPECT_EQ(before(pat), patterns);
  EXPECT_EQ(before(hyp), exceptions);

  chars(U'A');
  chars(U'B');
  EXPECT_EQ(before(chr), characters + 1);
  hyphenatorExceptions(slovak);
  hyphenatorExceptions(slovak);
  EXPECT_EQ(before(hyp), exceptions + 1);
  EXPECT_EQ(lookupPattern(U"rozhodnutie", hyphenatorPatterns(slovak)),
            lookupPattern(U"rozhodnutie", parsePatterns(detail::readEmbeddedFile(pat))));
  EXPECT_EQ(before(pat), patterns + 1);  // the read just above

  // A second hyphenator of the same language shares no field with the first.
  const Hyphenator again = loadHyphenator(Language::Slovak);
  EXPECT_EQ(hyphenate(again, U"rozhodnutie"), hyphenate(slovak, U"rozhodnutie"));
  hyphenatorExceptions(again);
  EXPECT_EQ(before(hyp), exceptions + 2);
}

TEST(LoadHyphenator, EveryLanguageSplitsALongWordOfItsOwnLetters) {
  for (Language language : enumFrom(Language::Afrikaans)) {
    const std::string chr = "hyph-" + std::string(languageAffix(language)) + ".chr.txt.gz";
    std::u32string letters;
    for (const auto& [form, canonical] :
         detail::parseCharTable(detail::readEmbeddedFile(chr)).entries()) {
      if (letters.find(canonical) == std::u32string::npos) letters += canonical;
    }
    ASSERT_FALSE(letters.empty()) << show(language);
    std::u32string word;
    while (word.size() < 60)
      word += letters;
    const auto fragments = hyphenate(languageHyphenator(language), word);
    EXPECT_EQ(join(fragments, U""), word) << show(language);
  }
}

}  // namespace
}  // namespace text::hyphenation
