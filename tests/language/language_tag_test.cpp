#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
      {"de-CH", German_1996},
      {"el", Greek_Mono},
      {"el-GR", Greek_Mono},
      {"no", Norwegian_Bokmal},
      {"nb-NO", Norwegian_Bokmal},
      {"nn-NO", Norwegian_Nynorsk},
      {"sr", Serbian_Cyrillic},
      {"sr-Latn", Serbocroatian_Latin},
      {"sh", Serbocroatian_Latin},
      {"mn", Mongolian},
      {"zh-Latn", Chinese},
      {"zh-Hans-CN", std::nullopt},
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

TEST(LanguageFromTag, ChineseInHanCharactersHasNoPatternsAndSwissGermanIsReformed) {
  using enum Language;
  struct Case {
    std::string tag;
    std::optional<Language> language;
  };
  const Case cases[] = {
      {"zh", std::nullopt},         {"zh-Hans", std::nullopt},    {"zh-Hant", std::nullopt},
      {"zh-CN", std::nullopt},      {"zh-TW", std::nullopt},      {"zh-Hant-HK", std::nullopt},
      {"zh-Latn", Chinese},         {"zh-Latn-pinyin", Chinese},  {"zh-Latn-CN", Chinese},
      {"de-CH", German_1996},       {"de-LI", German_1996},       {"de-CH-1996", German_1996},
      {"de-CH-1901", German_Swiss}, {"de-LI-1901", German_Swiss}, {"de-AT-1901", German_1901},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(languageFromTag(c.tag), c.language) << c.tag;
  }
}

TEST(LanguageFromTag, ReadsPosixLocaleNamesAsTheirTags) {
  using enum Language;
  struct Case {
    std::string name;
    std::optional<Language> language;
  };
  const Case cases[] = {
      {"de_DE.UTF-8", German_1996},
      {"de_CH.UTF-8", German_1996},
      {"pt_BR@euro", Portuguese},
      {"en_GB.ISO-8859-1", English_GB},
      {"fr_FR.UTF-8@euro", French},
      {"sr_RS", Serbian_Cyrillic},
      {"sr_RS@latin", Serbocroatian_Latin},
      {"sr_RS.UTF-8@latin", Serbocroatian_Latin},
      {"zh_CN.UTF-8", std::nullopt},
      {"C.UTF-8", std::nullopt},
      {"POSIX", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(languageFromTag(c.name), c.language) << c.name;
  }
}

TEST(IsLanguageTag, TellsALanguageWithoutPatternsFromNoLanguage) {
  for (const std::string tag : {"en", "de-CH", "zh", "zh-Hans", "ja", "ko-KR", "ar_EG.UTF-8",
                                "yue-Hant-HK", "xx", "English_GB", "la-x-classic"}) {
    EXPECT_TRUE(isLanguageTag(tag)) << tag;
  }
  for (const std::string tag : {"", "Klingon", "english", "en us", "-en", "en-", "de--CH", "e",
                                "C.UTF-8", "POSIX", "xx-verylongsubtag", "12"}) {
    EXPECT_FALSE(isLanguageTag(tag)) << tag;
  }
  for (const Language language : allLanguages()) {
    EXPECT_TRUE(isLanguageTag(languageAffix(language)));
  }
}

TEST(LanguageTags, ListsEachShortTagUnderTheLanguageItSelects) {
  EXPECT_EQ(languageTags(Language::German_1996),
            (std::vector<std::string_view>{"de", "de-de", "de-ch", "de-li"}));
  EXPECT_EQ(languageTags(Language::Chinese), (std::vector<std::string_view>{"zh-latn"}));
  EXPECT_TRUE(languageTags(Language::French).empty());
  std::size_t count = 0;
  for (const Language language : allLanguages()) {
    for (const std::string_view tag : languageTags(language)) {
      EXPECT_EQ(languageFromTag(tag), language) << tag;
      ++count;
    }
  }
  EXPECT_EQ(count, 23u);
}

}  // namespace
}  // namespace text::hyphenation
