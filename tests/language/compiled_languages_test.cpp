// The languages compiled into the library when it is built hold what their files hold: each trie
// is the one parsePatterns makes of the language's pattern file, and words hyphenated through
// the compiled character classes and exceptions break as the plain road breaks them with the
// character table, exceptions and patterns read from the files.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/utf8_encode.hpp"
#include "language/char_table.hpp"
#include "language/compiled_languages.hpp"
#include "language/embedded_files.hpp"
#include "pattern/letters.hpp"
#include "pattern/node.hpp"
#include "support/support.hpp"
#include "support/word_lists.hpp"
#include "text/hyphenation.hpp"

namespace text::hyphenation {
namespace {

std::u32string fileText(Language language, std::string_view kind) {
  return detail::readEmbeddedFile("hyph-" + std::string(languageAffix(language)) + "." +
                                  std::string(kind) + ".txt.gz");
}

// Words that meet many of the patterns, and some of them with a "." inside, which patterns that
// start or end with one then meet in the middle of the word.
std::vector<std::u32string> wordsOfPatterns(Language language, std::mt19937& random) {
  std::vector<std::u32string> words = testing::patternWords(language, 400);
  for (std::size_t k = 0; k < words.size(); k += 7)
    words[k].insert(random() % (words[k].size() + 1), 1, U'.');
  return words;
}

TEST(CompiledLanguages, EveryTrieIsTheParsedTrieOfItsPatternFile) {
  std::mt19937 random(5);
  for (const Language language : allLanguages()) {
    SCOPED_TRACE(show(language));
    const std::u32string text = fileText(language, "pat");
    const Patterns parsed = parsePatterns(text);
    const Patterns compiled = hyphenatorPatterns(loadHyphenator(language));
    ASSERT_EQ(compiled, parsed);
    EXPECT_EQ(show(compiled), show(parsed));

    std::vector<std::u32string> words = wordsOfPatterns(language, random);
    const std::vector<char32_t> letters = detail::patternLetters(parsed);
    for (int k = 0; k < 100; ++k) {
      std::u32string word;
      for (int length = random() % 12; length > 0; --length)
        word += letters[random() % letters.size()];
      words.push_back(word);
    }
    for (const std::u32string& word : words) {
      Scores reference;
      detail::referenceLookupInto(word, parsed, reference);
      ASSERT_EQ(lookupPattern(word, compiled), reference) << detail::encodeUtf8(word);
      ASSERT_EQ(lookupPattern(word, parsed), reference) << detail::encodeUtf8(word);
    }
  }
}

TEST(CompiledLanguages, WordsBreakAsThePlainRoadBreaksThem) {
  std::mt19937 random(9);
  for (const Language language : allLanguages()) {
    SCOPED_TRACE(show(language));
    const std::u32string patternText = fileText(language, "pat");
    const detail::CharMap chars = detail::parseCharTable(fileText(language, "chr"));
    const Exceptions exceptions = parseExceptions(fileText(language, "hyp"));
    const Hyphenator& compiled = languageHyphenator(language);
    const Hyphenator plain([chars](char32_t c) { return chars(c); }, parsePatterns(patternText),
                           exceptions, hyphenatorLeftMin(compiled), hyphenatorRightMin(compiled));

    // Every form the character table knows (capitals too), words of the patterns' letters, the
    // listed words, and now and then a character no table holds or a word longer than the
    // stack takes.
    std::u32string forms = U"x\u00E9\U0001F600";
    for (const auto& [form, canonical] : chars.entries())
      forms += form;
    std::vector<std::u32string> words = wordsOfPatterns(language, random);
    for (int k = 0; k < 200; ++k)
      words.push_back(testing::randomText(random, forms, k % 50 == 49 ? 400 : 14));
    for (const auto& [word, scores] : exceptions.entries()) {
      words.push_back(word);
      std::u32string capital = word;
      for (char32_t& c : capital) {
        for (const auto& [form, canonical] : chars.entries()) {
          if (canonical == c && form != c) c = form;
        }
      }
      words.push_back(capital);
    }
    std::vector<std::size_t> points, expected;
    for (const std::u32string& word : words) {
      hyphenationPoints(compiled, word, points);
      hyphenationPoints(plain, word, expected);
      ASSERT_EQ(points, expected) << detail::encodeUtf8(word);
    }
  }
}

TEST(CompiledLanguages, LanguagesWithTheSamePatternsShareOneTrie) {
  std::size_t shared = 0;
  for (const detail::CompiledLanguage& language : detail::compiledLanguages()) {
    if (language.sharesTrieWith.empty()) continue;
    ++shared;
    const detail::CompiledLanguage& owner = detail::compiledLanguage(language.sharesTrieWith);
    EXPECT_EQ(language.fastPath.narrow.units.data(), owner.fastPath.narrow.units.data())
        << language.code;
  }
  EXPECT_EQ(shared, 3u);  // as, mr and nn have the patterns of bn, hi and nb
  EXPECT_EQ(detail::compiledLanguages().size(), static_cast<std::size_t>(languageCount));
  EXPECT_EQ(testing::errorOf([] { detail::compiledLanguage("xx"); }), "Could not find xx");
}

}  // namespace
}  // namespace text::hyphenation
