#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "text/hyphenation/language.hpp"

namespace text::hyphenation {
namespace {

TEST(LanguageFromTag, ReadsNamesCodesAndTheTagsUsersType) {
  using enum Language;
  struct Case {
    std::string tag;
    std::optional<Language> language;
  };
  const Case cases[] = {
      // Names and file codes, in any letter case, "_" for "-".
      {"English_GB", English_GB},
      {"english_us", English_US},
      {"GERMAN_SWISS", German_Swiss},
      {"en-us", English_US},
      {"EN_GB", English_GB},
      {"de-ch-1901", German_Swiss},
      {"la-x-classic", Latin_Classic},
      {"zh-latn-pinyin", Chinese},
      {"mul-ethi", Ethiopic},
      {"cop", Coptic},
      {"grc", Greek_Ancient},
      {"hy", Armenian},
      {"el-polyton", Greek_Poly},
      {"sh-cyrl", Serbocroatian_Cyrillic},
      // Short tags.
      {"en", English_US},
      {"en-US", English_US},
      {"en-AU", English_GB},
      {"de", German_1996},
      {"de-DE", German_1996},
      {"de-AT", German_1996},
      {"de-CH", German_Swiss},
      {"el", Greek_Mono},
      {"el-GR", Greek_Mono},
      {"no", Norwegian_Bokmal},
      {"nb-NO", Norwegian_Bokmal},
      {"nn-NO", Norwegian_Nynorsk},
      {"sr", Serbian_Cyrillic},
      {"sr-Latn", Serbocroatian_Latin},
      {"sh", Serbocroatian_Latin},
      {"mn", Mongolian},
      {"zh", Chinese},
      {"zh-Hans-CN", Chinese},
      {"la", Latin},
      {"am", Ethiopic},
      {"ti", Ethiopic},
      {"pt-BR", Portuguese},
      {"pt-PT", Portuguese},
      {"fr-FR", French},
      {"fr_CA", French},
      {"es-419", Spanish},
      {"ru-RU", Russian},
      // Regions leave out, then the longest known leading part.
      {"de-AT-1901", German_1901},
      {"de-CH-1996", German_1996},
      {"sr-Latn-RS", Serbocroatian_Latin},
      {"sr-Cyrl-RS", Serbian_Cyrillic},
      {"en-GB-oxendict", English_GB},
      // Nothing.
      {"", std::nullopt},
      {"xx", std::nullopt},
      {"english", std::nullopt},
      {"en us", std::nullopt},
      {"-en", std::nullopt},
      {"en-", std::nullopt},
      {"en--us", std::nullopt},
      {"xx-en", std::nullopt},
      {"Klingon", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(languageFromTag(c.tag), c.language) << c.tag;
  }
}

TEST(LanguageFromTag, TakesBackEveryCodeAndName) {
  for (const Language language : allLanguages()) {
    EXPECT_EQ(languageFromTag(languageAffix(language)), language);
    EXPECT_EQ(languageFromTag(show(language)), language);
  }
}

}  // namespace
}  // namespace text::hyphenation
