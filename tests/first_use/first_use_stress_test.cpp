// First use of every language from eight threads at once. This runs in a process of its own (and
// CTest starts several), so that no earlier test has built any hyphenator or field yet.

#include <gtest/gtest.h>

#include <array>
#include <latch>
#include <string>
#include <thread>
#include <vector>

#include "language/embedded_files.hpp"
#include "text/hyphenation.hpp"

namespace text::hyphenation {
namespace {

constexpr int threadCount = 8;
using Fragments = std::vector<std::u32string>;

const std::array<PrebuiltHyphenator, languageCount> prebuilt = {
    afrikaans,
    armenian,
    assamese,
    basque,
    bengali,
    bulgarian,
    catalan,
    chinese,
    coptic,
    croatian,
    czech,
    danish,
    dutch,
    english_US,
    english_GB,
    esperanto,
    estonian,
    ethiopic,
    finnish,
    french,
    friulan,
    galician,
    georgian,
    german_1901,
    german_1996,
    german_Swiss,
    greek_Ancient,
    greek_Mono,
    greek_Poly,
    gujarati,
    hindi,
    hungarian,
    icelandic,
    indonesian,
    interlingua,
    irish,
    italian,
    kannada,
    kurmanji,
    latin,
    latin_Classic,
    latvian,
    lithuanian,
    malayalam,
    marathi,
    mongolian,
    norwegian_Bokmal,
    norwegian_Nynorsk,
    occitan,
    oriya,
    panjabi,
    piedmontese,
    polish,
    portuguese,
    romanian,
    romansh,
    russian,
    sanskrit,
    serbian_Cyrillic,
    serbocroatian_Cyrillic,
    serbocroatian_Latin,
    slovak,
    slovenian,
    spanish,
    swedish,
    tamil,
    telugu,
    thai,
    turkish,
    turkmen,
    ukrainian,
    uppersorbian,
    welsh,
};

std::string fileName(Language language, std::string_view kind) {
  return "hyph-" + std::string(languageAffix(language)) + "." + std::string(kind) + ".txt.gz";
}

// Words of the language's own letters in every form its character table lists (so upper case
// too): line k of the table gives its character k mod the line's length to each word.
std::vector<std::u32string> wordsOf(Language language) {
  const std::u32string table = detail::readEmbeddedFile(fileName(language, "chr"));
  std::vector<std::u32string> lines;
  for (std::size_t start = 0; start < table.size();) {
    std::size_t end = table.find(U'\n', start);
    if (end == std::u32string::npos) end = table.size();
    if (end > start) lines.push_back(table.substr(start, end - start));
    start = end + 1;
  }
  std::vector<std::u32string> words;
  for (std::size_t offset = 0; offset < 3; ++offset) {
    std::u32string word;
    for (std::size_t k = offset; k < lines.size() && word.size() < 12 + 4 * offset; k += 1 + offset)
      word += lines[k][k % lines[k].size()];
    words.push_back(word);
  }
  return words;
}

struct Seen {
  std::array<const Hyphenator*, languageCount> prebuilt{};
  std::array<const Hyphenator*, languageCount> selected{};
  std::array<std::vector<Fragments>, languageCount> results{};
};

// The fragments of the words, then what the hyphenator's exceptions and character function say
// of the first word: the first use of a field, from many threads at once.
Fragments hyphenateAll(const Hyphenator& hyphenator, const std::vector<std::u32string>& words) {
  Fragments all;
  for (const auto& word : words) {
    for (auto& fragment : hyphenate(hyphenator, word))
      all.push_back(std::move(fragment));
    all.emplace_back(U"|");
  }
  const std::u32string& first = words.front();
  all.emplace_back(lookupException(first, hyphenatorExceptions(hyphenator)) ? U"listed" : U"");
  all.emplace_back(1, hyphenatorChars(hyphenator)(first.front()));
  return all;
}

TEST(ConcurrentFirstUse, EveryLanguageFromEightThreadsAtOnceMatchesASingleThread) {
  for (Language language : allLanguages()) {
    ASSERT_EQ(detail::embeddedReadCount(fileName(language, "hyp")), 0u)
        << "this test must run in a fresh process";
  }
  std::array<std::vector<std::u32string>, languageCount> words;
  std::vector<Hyphenator> loaded;
  for (Language language : allLanguages()) {
    words[fromEnum(language)] = wordsOf(language);
    loaded.push_back(loadHyphenator(language));
  }

  std::latch start(threadCount);
  std::vector<Seen> seen(threadCount);
  std::vector<std::thread> threads;
  for (int t = 0; t < threadCount; ++t) {
    threads.emplace_back([&, t] {
      start.arrive_and_wait();
      // Each thread takes the languages in its own order and the three ways in its own order, so
      // that every way meets a first use somewhere.
      for (int i = 0; i < languageCount; ++i) {
        const int number = (i * (2 * t + 1) + 9 * t) % languageCount;
        const auto& w = words[number];
        auto& results = seen[t].results[number];
        for (int way = 0; way < 3; ++way) {
          switch ((way + t) % 3) {
            case 0: {
              const Hyphenator& hyphenator = prebuilt[number];
              seen[t].prebuilt[number] = &hyphenator;
              results.push_back(hyphenateAll(hyphenator, w));
              break;
            }
            case 1: {
              const Hyphenator& hyphenator = languageHyphenator(toEnum(number));
              seen[t].selected[number] = &hyphenator;
              results.push_back(hyphenateAll(hyphenator, w));
              break;
            }
            default:
              results.push_back(hyphenateAll(loaded[number], w));
              break;
          }
        }
      }
    });
  }
  for (auto& thread : threads)
    thread.join();

  for (Language language : allLanguages()) {
    const int number = fromEnum(language);
    SCOPED_TRACE(show(language));
    const Fragments expected = hyphenateAll(loadHyphenator(language), words[number]);
    EXPECT_GT(expected.size(), 2 * words[number].size()) << "no word of the language was split";
    for (int t = 0; t < threadCount; ++t) {
      EXPECT_EQ(seen[t].prebuilt[number], &languageHyphenator(language));
      EXPECT_EQ(seen[t].selected[number], &languageHyphenator(language));
      ASSERT_EQ(seen[t].results[number].size(), 3u);
      for (const Fragments& result : seen[t].results[number])
        EXPECT_EQ(result, expected);
    }
    // Words go through the compiled language, which no thread reads from its files; each
    // hyphenator reads its exceptions once: the shared one, the loaded one and the check above.
    EXPECT_EQ(detail::embeddedReadCount(fileName(language, "pat")), 0u);
    EXPECT_EQ(detail::embeddedReadCount(fileName(language, "hyp")), 3u);
  }
}

}  // namespace
}  // namespace text::hyphenation
