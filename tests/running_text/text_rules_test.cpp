// The running-text rules, one behaviour per test, with the cases of real documents that the
// rules exist for.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/hyphenation.hpp"

namespace text::hyphenation {
namespace {

struct Case {
  const Hyphenator& hyphenator;
  std::string text;
  std::string expected;
};

void expectAll(const std::vector<Case>& cases, const TextOptions& options = {}) {
  for (const Case& c : cases) {
    EXPECT_EQ(hyphenateText(c.hyphenator, c.text, options), c.expected) << c.text;
  }
}

// The word hyphenated alone, its fragments joined by `separator`.
std::string alone(const Hyphenator& hyphenator, std::string_view word,
                  std::string_view separator = "-") {
  std::string joined;
  for (const std::string& fragment : hyphenate(hyphenator, word)) {
    if (!joined.empty()) joined += separator;
    joined += fragment;
  }
  return joined;
}

char32_t lowerAscii(char32_t c) {
  return c >= U'A' && c <= U'Z' ? c + 32 : c;
}

TEST(RunningText, WordsAreRunsOfUnicodeLettersWhateverThePatternsHold) {
  expectAll({
      // Letters that the language's patterns lack no longer cut a word short.
      {italian, "città perché modalità", "cit-tà per-ché mo-da-li-tà"},
      {spanish, "pingüino", alone(spanish, "pingüino")},
      {romanian, "cuvânt", alone(romanian, "cuvânt")},
      {french, "ambiguë", alone(french, "ambiguë")},
      // Latin words in Cyrillic text are words too (with no Russian pattern to break them).
      {russian, "Firefox и Перенос", "Firefox и Пе-ре-нос"},
      // Combining marks belong to the letter before them.
      {hindi, "हिन्दी मराठी", alone(hindi, "हिन्दी") + " " + alone(hindi, "मराठी")},
  });
  EXPECT_EQ(alone(italian, "modalità"), "mo-da-li-tà");
}

TEST(RunningText, ACharacterIsALetterWhenItsImageIs) {
  // "+" is a letter to this hyphenator's character function; "x" is a letter to Unicode.
  const Hyphenator own([](char32_t c) { return c == U'+' ? U'a' : lowerAscii(c); },
                       parsePatterns(U"a1b"), Exceptions(), 1, 1);
  expectAll({{own, "+b ab,AB x+bx", "+-b a-b,A-B x+-bx"}});
}

TEST(RunningText, PatternCharactersThatAreNoLettersBelongToAWordOnlyBetweenLetters) {
  expectAll({
      {italian, "'opera'", "'ope-ra'"},
      {italian, "\u2019opera\u2019", "\u2019ope-ra\u2019"},
      {italian, "«l'opera»", "«" + alone(italian, "l'opera") + "»"},
      {french, "aujourd'hui", alone(french, "aujourd'hui")},
      {french, "aujourd\u2019hui", alone(french, "aujourd\u2019hui")},
      // Two apostrophes in a row join nothing.
      {italian, "opera''opera", "ope-ra''ope-ra"},
      // Apostrophes that are not the language's own split words as other punctuation does.
      {english_US, "hyphenation's", "hy-phen-ation's"},
      // A zero-width non-joiner between two letters, in a language whose patterns hold it.
      {marathi, "म\u200Cराठी", alone(marathi, "म\u200Cराठी")},
  });
  EXPECT_EQ(alone(french, "aujourd'hui"), "au-jour-d'hui");
}

TEST(RunningText, DigitsAndFullStopsNeverBelongToAWord) {
  expectAll({
      {english_US, "hyphenation42hyphenation.hyphenation",
       "hy-phen-ation42hy-phen-ation.hy-phen-ation"},
      {english_US, "e.g. i.e. etc.", "e.g. i.e. etc."},
      {hindi, "हिन्दी१२३हिन्दी", alone(hindi, "हिन्दी") + "१२३" + alone(hindi, "हिन्दी")},
  });
}

TEST(RunningText, ExplicitHyphensEndWordsEvenWherePatternsHoldThem) {
  expectAll({
      {portuguese, "bem-sucedido", "bem-su-ce-dido"},
      {russian, "кто-нибудь", "кто-ни-будь"},
      {afrikaans, "nie-amptelike", "nie-" + alone(afrikaans, "amptelike")},
      {turkmen, "türkmen-iňlis", alone(turkmen, "türkmen") + "-" + alone(turkmen, "iňlis")},
      {ukrainian, "будь-який", "будь-який"},
      {english_US, "hyphenation\u2010hyphenation\u2011hyphenation",
       "hy-phen-ation\u2010hy-phen-ation\u2011hy-phen-ation"},
  });
  // The word-level call is unchanged: "-" is a letter of these patterns there.
  EXPECT_NE(alone(portuguese, "bem-sucedido"), "bem-su-ce-dido");
  EXPECT_NE(alone(russian, "кто-нибудь"), "кто-ни-будь");
}

TEST(RunningText, NoSeparatorEverTouchesAnExplicitHyphen) {
  // With a right minimum of 0 this hyphenator breaks after the last letter of "ab".
  const Hyphenator own([](char32_t c) { return c; }, parsePatterns(U"b1.\n1c"), Exceptions(), 0, 0);
  EXPECT_EQ(alone(own, "ab", "|"), "ab|");
  EXPECT_EQ(alone(own, "abc", "|"), "ab|c");
  expectAll({{own, "ab-cd ab\u2010cd abc", "ab-cd ab\u2010cd ab|c"}}, {.separator = "|"});
}

TEST(RunningText, AWordWithABreakAlreadyKeepsExactlyItsBreaks) {
  const TextOptions soft{.separator = "\u00AD"};
  const std::string once = hyphenateText(german_1996, "entsprechend", soft);
  EXPECT_EQ(once, "ent\u00ADspre\u00ADchend");
  EXPECT_EQ(hyphenateText(german_1996, once, soft), once);
  expectAll(
      {
          // An author's single soft hyphen is the word's only break.
          {german_1996, "Silben\u00ADtrennung", "Silben\u00ADtrennung"},
          // At an edge of a word a soft hyphen holds no break of the word.
          {german_1996, "\u00ADSilbentrennung\u00AD", "\u00ADSil|ben|tren|nung\u00AD"},
          // The separator between two letters counts as a break already there.
          {german_1996, "Sil|ben|tren|nung Silbentrennung", "Sil|ben|tren|nung Sil|ben|tren|nung"},
      },
      {.separator = "|"});
  // Any separator that is no explicit hyphen: hyphenating twice is hyphenating once.
  const std::string text =
      "Die Silbentrennung (auch Worttrennung) ist ein Verfahren, \u201Edas\u201C Wörter "
      "trennt; Größenänderung, Schifffahrt.";
  for (const std::string separator : {"\u00AD", "|", "&shy;", "<wbr>", "\u200B"}) {
    const TextOptions options{.separator = separator};
    const std::string first = hyphenateText(german_1996, text, options);
    EXPECT_NE(first, text) << separator;
    EXPECT_EQ(hyphenateText(german_1996, first, options), first) << separator;
  }
}

TEST(RunningText, DecomposedWordsBreakAsComposedOnesAndKeepTheirBytes) {
  // "Größenänderung" with its umlauts as o, a + U+0308 COMBINING DIAERESIS.
  const std::string decomposed = "Gro\u0308\u00DFena\u0308nderung";
  EXPECT_EQ(hyphenateText(german_1996, "Größenänderung"), "Grö-ßen-än-de-rung");
  EXPECT_EQ(hyphenateText(german_1996, decomposed), "Gro\u0308-\u00DFen-a\u0308n-de-rung");
  // Greek with oxia (U+1F73) is looked up as with tonos (U+03AD), its canonical equivalent.
  EXPECT_EQ(hyphenateText(greek_Mono, "καλημ\u1F73ρα"), "κα-λη-μ\u1F73-ρα");
  EXPECT_EQ(hyphenateText(greek_Mono, "καλημέρα"), "κα-λη-μέ-ρα");
  // Hangul jamo compose across starters into one syllable: breaks stay between syllables.
  const Hyphenator everywhere([](char32_t c) { return c; }, parsePatterns(U"1"), Exceptions(), 1,
                              1);
  EXPECT_EQ(hyphenateText(everywhere, "\u1112\u1161\u11AB\u1100\u1173\u11AF", {.separator = "|"}),
            "\u1112\u1161\u11AB|\u1100\u1173\u11AF");
}

TEST(RunningText, NoBreakFallsBetweenACharacterAndItsCombiningMarks) {
  // "x" has no precomposed form with an acute accent, so the mark stays a character of its own
  // in Normalisation Form C; the patterns would break before it.
  const Hyphenator own([](char32_t c) { return c; }, parsePatterns(U"1\u0301\n1y"), Exceptions(), 1,
                       1);
  EXPECT_EQ(alone(own, "x\u0301y", "|"), "x|\u0301|y");
  EXPECT_EQ(hyphenateText(own, "x\u0301y", {.separator = "|"}), "x\u0301|y");
}

TEST(RunningText, TokensThatAreNoProseAreCopiedUnchanged) {
  const std::vector<std::string> tokens = {
      "https://www.example.com/documentation",
      "<https://example.com/hyphenation>",
      "ftp://mirror.example.org/hyphenation",
      "www.hyphenation.example",
      "mailto:documentation@example.com",
      "maintainers@lists.example.org",
      "(documentation.team@example.org)",
      "/usr/share/documentation",
      "~/documentation/hyphenation",
      "./configuration",
      "../configuration",
      "configuration_variable",
      "__configuration_variable",
      "camelCaseHyphenation",
      "getDocumentation()",
      "MacBook",
      "--almost-all",
      "--documentation=hyphenation",
      "-hyphenation",
      "#hyphenation",
      "#documentation_day",
  };
  for (const std::string& token : tokens) {
    const std::string text = "See " + token + ", documentation.";
    EXPECT_EQ(hyphenateText(english_US, text), "See " + token + ", doc-u-men-ta-tion.") << token;
    EXPECT_NE(hyphenateText(english_US, text, {.skipNonProse = false}),
              "See " + token + ", doc-u-men-ta-tion.")
        << token;
  }
}

TEST(RunningText, ProseThatLooksLikeATokenIsHyphenated) {
  expectAll({
      // An apostrophe opens a new part of the word: no camelCase.
      {italian, "dell'Italia nell'Unione",
       alone(italian, "dell'Italia") + " " + alone(italian, "nell'Unione")},
      // One or two lower-case letters before a capital: Irish mutations, "iPhone".
      {irish, "i nGaillimh, na hÉireann",
       "i " + alone(irish, "nGaillimh") + ", na " + alone(irish, "hÉireann")},
      {english_US, "and/or hyphenation/documentation", "and/or hy-phen-ation/doc-u-men-ta-tion"},
      {english_US, "e-mail hyphenation-documentation", "e-mail hy-phen-ation-doc-u-men-ta-tion"},
      {english_US, "HYPHENATION Hyphenation", "HY-PHEN-ATION Hy-phen-ation"},
      {english_US, "#1 hyphenation @hyphenation", "#1 hy-phen-ation @hy-phen-ation"},
      {english_US, "(hyphenation), \"hyphenation\"!", "(hy-phen-ation), \"hy-phen-ation\"!"},
  });
}

TEST(RunningText, OptionsOfTheCall) {
  EXPECT_EQ(hyphenateText(english_US, "hyphenation", {.separator = "\u00AD"}),
            "hy\u00ADphen\u00ADation");
  EXPECT_EQ(hyphenateText(english_US, "hyphenation", {.separator = ""}), "hyphenation");
  // Minimum word length, in characters of the composed form.
  EXPECT_EQ(hyphenateText(english_US, "hyphenation", {.minWordLength = 12}), "hyphenation");
  EXPECT_EQ(hyphenateText(english_US, "hyphenation", {.minWordLength = 11}), "hy-phen-ation");
  EXPECT_EQ(hyphenateText(german_1996, "Gro\u0308\u00DFe", {.minWordLength = 6}),
            "Gro\u0308\u00DFe");
  EXPECT_EQ(hyphenateText(german_1996, "Gro\u0308\u00DFe", {.minWordLength = 5}),
            "Gro\u0308-\u00DFe");
}

TEST(RunningText, MinimumOverridesActAsAHyphenatorWithThoseMinimums) {
  const Hyphenator& english = english_US;
  const std::string text = "Hyphenation of computer programs, dictionaries and documentation.";
  for (const std::int64_t left : {1, 2, 3, 4}) {
    for (const std::int64_t right : {1, 2, 3, 5}) {
      const Hyphenator same(hyphenatorChars(english), hyphenatorPatterns(english),
                            hyphenatorExceptions(english), left, right);
      EXPECT_EQ(hyphenateText(english, text, {.leftMin = left, .rightMin = right}),
                hyphenateText(same, text))
          << left << " " << right;
    }
  }
  // Either alone; a minimum below 1 counts as 1, so no break falls at a word's edge.
  EXPECT_EQ(hyphenateText(english, "hyphenation", {.leftMin = 3}), "hyphen-ation");
  EXPECT_EQ(hyphenateText(english, "hyphenation", {.rightMin = 6}), "hy-phenation");
  EXPECT_EQ(hyphenateText(english, text, {.leftMin = 0, .rightMin = -4}),
            hyphenateText(english, text, {.leftMin = 1, .rightMin = 1}));
}

TEST(RunningText, GermanInSwitzerlandFollowsTheReformedRules) {
  const Hyphenator& swiss = languageHyphenator(*languageFromTag("de-CH"));
  EXPECT_EQ(hyphenateText(swiss, "Fenster Kiste"), "Fens-ter Kis-te");
  const Hyphenator& traditional = languageHyphenator(*languageFromTag("de-CH-1901"));
  EXPECT_EQ(hyphenateText(traditional, "Fenster Kiste"), "Fen-ster Ki-ste");
}

}  // namespace
}  // namespace text::hyphenation
