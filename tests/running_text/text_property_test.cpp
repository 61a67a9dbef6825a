// Words set in sentences get exactly the breaks that hyphenate gives each word alone: over the
// two word lists, TeX's test words and, for every language, its exception words and words made
// from its own patterns; with brackets, quotation marks and punctuation around them, capitalised
// or not, composed or decomposed.

#include <gtest/gtest.h>
#include <utf8proc.h>

#include <algorithm>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "common/utf8_decode.hpp"
#include "common/utf8_encode.hpp"
#include "language/embedded_files.hpp"
#include "pattern/letters.hpp"
#include "support/word_lists.hpp"
#include "text/hyphenation.hpp"

namespace text::hyphenation {
namespace {

using testing::dataFile;

// Every `step`th word of a list of tests/data.
std::vector<std::u32string> everyNthWord(const std::string& name, std::size_t step) {
  std::vector<std::u32string> words;
  const std::vector<std::u32string> all = testing::readWordList(name);
  for (std::size_t k = 0; k < all.size(); k += step)
    words.push_back(all[k]);
  return words;
}

// The words of tests/data/tex-words.tsv, by file code.
std::map<std::string, std::vector<std::u32string>> texWords() {
  std::map<std::string, std::vector<std::u32string>> words;
  std::istringstream in(dataFile("tex-words.tsv"));
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line.front() == '#') continue;
    const std::size_t tab = line.find('\t');
    const std::size_t second = line.find('\t', tab + 1);
    words[line.substr(0, tab)].push_back(
        detail::decodeUtf8(line.substr(tab + 1, second - tab - 1)));
  }
  return words;
}

utf8proc_category_t category(char32_t c) {
  return utf8proc_category(static_cast<utf8proc_int32_t>(c));
}
bool isLetter(char32_t c) {
  return category(c) >= UTF8PROC_CATEGORY_LU && category(c) <= UTF8PROC_CATEGORY_LO &&
         c != U'\u02BC';
}
bool isMark(char32_t c) {
  return category(c) >= UTF8PROC_CATEGORY_MN && category(c) <= UTF8PROC_CATEGORY_ME;
}
bool isLowercase(char32_t c) {
  return category(c) == UTF8PROC_CATEGORY_LL;
}
bool isUppercase(char32_t c) {
  return category(c) == UTF8PROC_CATEGORY_LU || category(c) == UTF8PROC_CATEGORY_LT;
}

std::string normalised(const std::string& text,
                       utf8proc_uint8_t* (*form)(const utf8proc_uint8_t*)) {
  utf8proc_uint8_t* result = form(reinterpret_cast<const utf8proc_uint8_t*>(text.c_str()));
  std::string out(reinterpret_cast<const char*>(result));
  std::free(result);
  return out;
}

// Whether `word` is one word of running text by itself: letters and the marks after them, with
// single characters of the patterns that are no letters between letters; in Normalisation Form
// C; and no identifier (no lower-case letter before a capital) or URL start.
bool standsAlone(const Hyphenator& hyphenator, const std::vector<char32_t>& patternLetters,
                 const std::u32string& word) {
  if (word.empty() || !isLetter(word.front()) || !isLetter(word.back())) return false;
  const CharFunction chars = hyphenatorChars(hyphenator);
  for (std::size_t k = 1; k < word.size(); ++k) {
    const char32_t c = word[k];
    if (isLowercase(word[k - 1]) && isUppercase(c)) return false;
    if (isLetter(c) || isMark(c)) continue;
    const bool inner = std::binary_search(patternLetters.begin(), patternLetters.end(), chars(c));
    if (!inner || c == U'-' || c == U'\u00AD' || category(c) == UTF8PROC_CATEGORY_ND ||
        category(c) == UTF8PROC_CATEGORY_ZS || !isLetter(word[k + 1]) ||
        !(isLetter(word[k - 1]) || isMark(word[k - 1]))) {
      return false;
    }
  }
  const std::string utf8 = detail::encodeUtf8(word);
  std::string lower;
  for (const char c : utf8.substr(0, 6))
    lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return normalised(utf8, utf8proc_NFC) == utf8 && !lower.starts_with("www") &&
         !lower.starts_with("mailto");
}

// The word as running text gives it: hyphenate's breaks, but none before a combining mark.
// `pieces[k]` is how character k of the word is written in the text.
std::string expectedWord(const Hyphenator& hyphenator, const std::u32string& word,
                         const std::vector<std::string>& pieces) {
  std::vector<std::size_t> points;
  hyphenationPoints(hyphenator, word, points);
  std::string out;
  std::size_t point = 0;
  for (std::size_t k = 0; k < word.size(); ++k) {
    while (point < points.size() && points[point] < k)
      ++point;
    if (point < points.size() && points[point] == k && !isMark(word[k])) out += '|';
    out += pieces[k];
  }
  return out;
}

TEST(RunningTextProperty, WordsInSentencesBreakAsTheyDoAlone) {
  const std::vector<std::string> openings = {"",  "",  "",  "(",      "[", "\"", "«",
                                             "„", "“", "'", "\u2019", "¿", "¡",  "\u2018"};
  const std::vector<std::string> closings = {"",  "",  "",       ")",  "]",   "\"",    "»",
                                             "”", "'", "\u2019", ",",  ".",   ";",     ":",
                                             "!", "?", "…",      "),", "\".", "\u201C"};
  const std::vector<std::string> spaces = {" ", " ", " ", "\n", "  ", "\u00A0", "\t", "\r\n"};
  std::map<std::string, std::vector<std::u32string>> tex = texWords();
  std::mt19937 random(1313);
  std::size_t checked = 0;
  for (const Language language : allLanguages()) {
    const Hyphenator& hyphenator = languageHyphenator(language);
    const std::string code(languageAffix(language));
    std::vector<std::u32string> words = testing::patternWords(language, 150);
    for (const auto& [key, scores] : hyphenatorExceptions(hyphenator).entries())
      words.push_back(key);
    words.insert(words.end(), tex[code].begin(), tex[code].end());
    if (language == Language::English_US) {
      for (auto& word : everyNthWord("words-en-us.txt.gz", 25))
        words.push_back(std::move(word));
    }
    if (language == Language::German_1996) {
      for (auto& word : everyNthWord("words-de-1996.txt.gz", 35))
        words.push_back(std::move(word));
    }
    const std::vector<char32_t> letters = detail::patternLetters(hyphenatorPatterns(hyphenator));
    std::string text;
    std::string expected;
    for (std::u32string word : words) {
      if (!standsAlone(hyphenator, letters, word)) continue;
      const int form = static_cast<int>(random() % 6);
      if (form == 0) {
        const auto upper = static_cast<char32_t>(utf8proc_toupper(word.front()));
        if (isUppercase(upper)) word.front() = upper;
      }
      // Each character as the text writes it: composed, or (form 1) decomposed.
      std::vector<std::string> pieces;
      for (const char32_t c : word) {
        const std::string piece = detail::encodeUtf8(std::u32string(1, c));
        pieces.push_back(form == 1 ? normalised(piece, utf8proc_NFD) : piece);
      }
      const std::string opening = openings[random() % openings.size()];
      const std::string closing = closings[random() % closings.size()];
      const std::string space = spaces[random() % spaces.size()];
      std::string written;
      for (const std::string& piece : pieces)
        written += piece;
      text += opening + written + closing + space;
      expected += opening + expectedWord(hyphenator, word, pieces) + closing + space;
      ++checked;
    }
    const std::string result = hyphenateText(hyphenator, text, {.separator = "|"});
    if (result == expected) continue;
    // Name the first word that differs.
    const auto [in, out] = std::mismatch(result.begin(), result.end(), expected.begin());
    const std::size_t from = result.rfind(' ', in - result.begin());
    ADD_FAILURE() << code << ": got \"" << result.substr(from + 1, 60) << "\", expected \""
                  << expected.substr(from + 1, 60) << "\"";
  }
  EXPECT_GT(checked, 10000u);
}

}  // namespace
}  // namespace text::hyphenation
