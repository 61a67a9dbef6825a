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
#include "text/hyphenation.hpp"

namespace text::hyphenation {
namespace {

std::u32string fileText(Language language, std::string_view kind) {
  return detail::readEmbeddedFile("hyph-" + std::string(languageAffix(language)) + "." +
                                  std::string(kind) + ".txt.gz");
}

// Words that meet many of the patterns: pieces of the patterns' own letters joined, with now and
// then a letter of the alphabet or a "." between them.
std::vector<std::u32string> wordsFromPatterns(std::u32string_view patternText, std::mt19937& random,
                                              int count) {
  std::vector<std::u32string> pieces;
  for (const std::u32string& line : testing::linesOf(patternText)) {
    std::u32string letters;
    for (const char32_t c : line) {
      if ((c < U'0' || c > U'9') && c != U'.') letters += c;
    }
    if (!letters.empty()) pieces.push_back(letters);
  }
  std::vector<std::u32string> words;
  for (int k = 0; k < count; ++k) {
    std::u32string word;
    for (int piece = 1 + random() % 4; piece > 0; --piece) {
      const std::u32string& from = pieces[random() % pieces.size()];
      const std::size_t start = random() % from.size();
      word += from.substr(start, 1 + random() % (from.size() - start));
      if (random() % 8 == 0) word += random() % 2 ? U'.' : from[random() % from.size()];
    }
    words.push_back(word);
  }
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

    std::vector<std::u32string> words = wordsFromPatterns(text, random, 400);
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
    std::vector<std::u32string> words = wordsFromPatterns(patternText, random, 300);
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
