#include <gtest/gtest.h>

#include <latch>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "language/char_table.hpp"
#include "language/embedded_files.hpp"
#include "text/hyphenation.hpp"

namespace text::hyphenation {
namespace {

std::string fileName(Language language, std::string_view kind) {
  return "hyph-" + std::string(languageAffix(language)) + "." + std::string(kind) + ".txt.gz";
}

// A long word made of every letter the language's character table knows.
std::u32string wordOfLetters(Language language) {
  std::u32string letters;
  for (const auto& [form, canonical] :
       detail::parseCharTable(detail::readEmbeddedFile(fileName(language, "chr"))).entries()) {
    if (letters.find(canonical) == std::u32string::npos) letters += canonical;
  }
  return letters + letters;
}

TEST(LanguageHyphenator, IsTheOneObjectThePrebuiltValueNames) {
  EXPECT_EQ(&languageHyphenator(Language::English_US), &static_cast<const Hyphenator&>(english_US));
  EXPECT_EQ(&languageHyphenator(Language::English_US), &languageHyphenator(Language::English_US));
  EXPECT_EQ(&languageHyphenator(Language::Afrikaans), &static_cast<const Hyphenator&>(afrikaans));
  EXPECT_EQ(&languageHyphenator(Language::Welsh), &static_cast<const Hyphenator&>(welsh));
  EXPECT_NE(&languageHyphenator(Language::English_GB), &languageHyphenator(Language::English_US));
}

TEST(LanguageHyphenator, ReadsNaturallyWhereAHyphenatorIsExpected) {
  EXPECT_EQ(hyphenate(english_US, U"hyphenation"),
            (std::vector<std::u32string>{U"hy", U"phen", U"ation"}));
  EXPECT_EQ(hyphenatorLeftMin(german_1996), 2);
  const Hyphenator copy = english_US;
  const Hyphenator loaded = loadHyphenator(Language::English_US);
  for (std::u32string word : {U"associate", U"project", U"encyclopedia", U"table"}) {
    EXPECT_EQ(hyphenate(copy, word), hyphenate(loaded, word));
  }
}

TEST(LanguageHyphenator, ConcurrentFirstUseBuildsEachLanguageOnce) {
  const std::vector<Language> languages = {Language::Polish,     Language::Russian,
                                           Language::Greek_Mono, Language::Hindi,
                                           Language::Georgian,   Language::Dutch};
  std::map<Language, long> readsBefore;
  for (Language language : languages) {
    readsBefore[language] = detail::embeddedReadCount(fileName(language, "pat"));
  }
  const Hyphenator shared = loadHyphenator(Language::Italian);
  const std::u32string italianWord = wordOfLetters(Language::Italian);
  const long italianReads = detail::embeddedReadCount(fileName(Language::Italian, "pat"));

  constexpr int threadCount = 8;
  std::latch start(threadCount);
  std::vector<std::map<Language, const Hyphenator*>> seen(threadCount);
  std::vector<std::map<Language, std::vector<std::u32string>>> results(threadCount);
  std::vector<std::vector<std::u32string>> sharedResults(threadCount);
  std::vector<std::thread> threads;
  for (int t = 0; t < threadCount; ++t) {
    threads.emplace_back([&, t] {
      start.arrive_and_wait();
      sharedResults[t] = hyphenate(shared, italianWord);
      for (std::size_t i = 0; i < languages.size(); ++i) {
        const Language language = languages[(i + t) % languages.size()];
        const Hyphenator& hyphenator = languageHyphenator(language);
        seen[t][language] = &hyphenator;
        results[t][language] = hyphenate(hyphenator, wordOfLetters(language));
      }
    });
  }
  for (auto& thread : threads)
    thread.join();

  // Words go through the compiled languages: no thread reads a pattern file.
  EXPECT_EQ(detail::embeddedReadCount(fileName(Language::Italian, "pat")), italianReads);
  for (Language language : languages)
    EXPECT_EQ(detail::embeddedReadCount(fileName(language, "pat")), readsBefore[language]);
  for (int t = 0; t < threadCount; ++t) {
    EXPECT_EQ(sharedResults[t], hyphenate(loadHyphenator(Language::Italian), italianWord));
    for (Language language : languages) {
      EXPECT_EQ(seen[t][language], &languageHyphenator(language));
      EXPECT_EQ(results[t][language], hyphenate(loadHyphenator(language), wordOfLetters(language)));
    }
  }
}

}  // namespace
}  // namespace text::hyphenation
