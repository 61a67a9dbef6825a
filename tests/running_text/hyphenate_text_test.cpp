#include <gtest/gtest.h>
#include <utf8proc.h>

#include <algorithm>
#include <latch>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "common/utf8_decode.hpp"
#include "common/utf8_encode.hpp"
#include "hyphenator/state.hpp"
#include "pattern/letters.hpp"
#include "running_text/word_letters.hpp"
#include "support/support.hpp"
#include "text/hyphenation.hpp"

namespace text::hyphenation {
namespace {

using testing::lowerAscii;

// hyphenateText the obvious way, by the running-text rules with non-prose tokens left to other
// tests: decode the whole text, give each character its part (by Unicode's categories, through
// the character function, and by the patterns), gather each word, and put the separator at each
// break hyphenate finds in it, but never before a combining mark. The texts it is given are in
// Normalisation Form C.
std::string modelHyphenateText(const Hyphenator& hyphenator, const std::vector<char32_t>& letters,
                               const std::string& text, const std::string& separator) {
  enum Part { space, letter, mark, inner, soft, other };
  const CharFunction chars = hyphenatorChars(hyphenator);
  const auto partOf = [&](char32_t c, bool wellFormed) {
    const auto category = [](char32_t c) {
      return utf8proc_category(static_cast<utf8proc_int32_t>(c));
    };
    const auto isLetter = [&](char32_t c) {
      return category(c) >= UTF8PROC_CATEGORY_LU && category(c) <= UTF8PROC_CATEGORY_LO &&
             c != U'\u02BC';
    };
    const auto isMark = [&](char32_t c) {
      return category(c) >= UTF8PROC_CATEGORY_MN && category(c) <= UTF8PROC_CATEGORY_ME;
    };
    if (!wellFormed) return other;
    if (c == U'\u00AD') return soft;
    if (c == U'-' || c == U'\u2010' || c == U'\u2011' || c == U'.') return other;
    if ((c >= 9 && c <= 13) || c == 0x85 || category(c) == UTF8PROC_CATEGORY_ZS ||
        category(c) == UTF8PROC_CATEGORY_ZL || category(c) == UTF8PROC_CATEGORY_ZP) {
      return space;
    }
    if (isLetter(c)) return letter;
    if (isMark(c)) return mark;
    if (category(c) == UTF8PROC_CATEGORY_ND) return other;
    if (c != U'\u02BC' && chars(c) != c && isLetter(chars(c))) return letter;
    if (c != U'\u02BC' && chars(c) != c && isMark(chars(c))) return mark;
    return std::binary_search(letters.begin(), letters.end(), chars(c)) ? inner : other;
  };
  std::vector<std::size_t> starts;
  const std::u32string decoded = detail::decodeUtf8(text, starts);
  starts.push_back(text.size());
  std::vector<Part> parts;
  for (std::size_t k = 0; k < decoded.size(); ++k)
    parts.push_back(partOf(decoded[k], starts[k + 1] - starts[k] > 1 || decoded[k] < 0x80));
  std::string out;
  for (std::size_t k = 0; k < decoded.size();) {
    if (parts[k] != letter) {
      out += text.substr(starts[k], starts[k + 1] - starts[k]);
      ++k;
      continue;
    }
    // The word: letters and marks, and single inner characters or soft hyphens between letters.
    std::size_t end = k + 1;
    bool holdsBreaks = false;
    while (end < decoded.size()) {
      if (parts[end] == letter || parts[end] == mark) {
        ++end;
      } else if ((parts[end] == inner || parts[end] == soft) && end + 1 < decoded.size() &&
                 parts[end + 1] == letter) {
        holdsBreaks = holdsBreaks || parts[end] == soft;
        end += 2;
      } else {
        break;
      }
    }
    const std::u32string word = decoded.substr(k, end - k);
    std::vector<std::size_t> points;
    if (!holdsBreaks) hyphenationPoints(hyphenator, word, points);
    std::size_t point = 0;
    for (std::size_t j = k; j < end; ++j) {
      while (point < points.size() && points[point] < j - k)
        ++point;
      if (point < points.size() && points[point] == j - k && parts[j] != mark) out += separator;
      out += text.substr(starts[j], starts[j + 1] - starts[j]);
    }
    k = end;
  }
  return out;
}

std::string withoutSeparators(std::string text, char separator) {
  text.erase(std::remove(text.begin(), text.end(), separator), text.end());
  return text;
}

TEST(HyphenateText, CutsEveryWordAndCopiesEverythingElse) {
  struct Case {
    const Hyphenator& hyphenator;
    std::string text;
    std::string expected;
  };
  const Case cases[] = {
      {english_US, "hyphenation", "hy-phen-ation"},
      {english_US, "(hyphenation), \"hyphenation\"!", "(hy-phen-ation), \"hy-phen-ation\"!"},
      {english_US, "HYPHENATION Hyphenation", "HY-PHEN-ATION Hy-phen-ation"},
      {english_US, "e.g. i.e. etc.", "e.g. i.e. etc."},
      // Digits and full stops are never letters: they split a word like any other non-letter.
      {english_US, "hyphenation42hyphenation.hyphenation",
       "hy-phen-ation42hy-phen-ation.hy-phen-ation"},
      // An invalid byte is never part of a word.
      {english_US, "hyphenation\xFFhyphenation", "hy-phen-ation\xFFhy-phen-ation"},
      {english_US, "<p class=\"hyphenation\">", "<p class=\"hy-phen-ation\">"},
      {english_US, "", ""},
      {english_US, " \n\t ", " \n\t "},
      {german_1996, "Die Silbentrennung, bitte!", "Die Sil-ben-tren-nung, bit-te!"},
      {russian, "Перенос слов.", "Пе-ре-нос слов."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(hyphenateText(c.hyphenator, c.text, "-"), c.expected) << c.text;
  }
  EXPECT_EQ(hyphenateText(english_US, "hyphenation", "\u00AD"), "hy\u00ADphen\u00ADation");
  EXPECT_EQ(hyphenateText(english_US, "hyphenation", ""), "hyphenation");
}

TEST(HyphenateText, LettersAreThoseOfTheCallersPatternsThroughTheCharacterFunction) {
  const Hyphenator own(lowerAscii, parsePatterns(U"a1b\nc1d"), Exceptions(), 1, 1);
  // "x" occurs in no pattern, so it separates words; "A" and "B" are letters through the function.
  // "abxAB" would be a camelCase identifier, copied unchanged, were non-prose tokens skipped.
  EXPECT_EQ(hyphenateText(own, "abxAB cd,dc ab.ab", {.separator = "|", .skipNonProse = false}),
            "a|bxA|B c|d,dc a|b.a|b");
}

// Random texts of words, spaces, punctuation, digits, markup and invalid bytes: the result is
// the model's, and without the separators it is the input, byte for byte.
TEST(HyphenateText, AgreesWithTheModelAndKeepsEveryByte) {
  const std::vector<std::string> pieces = {
      "hy",  "phen", "a",    "tion", "TA",           "ble",
      "ER",  "ß",    "ä",    "Über", "пе",           "ре",
      "нос", " ",    " ",    "\n",   "\r\n",         ",",
      ".",   "e.g.", "42",   "'",    "\xE2\x80\x99", "-",
      "<b>", "\xE9", "\xC3", "\x80", "\xFF",         "\xE2\x82",
      "\t"};
  const std::vector<Language> languages = {Language::English_US, Language::German_1996,
                                           Language::Russian, Language::French, Language::Dutch};
  std::vector<std::vector<char32_t>> letters;
  for (const Language language : languages)
    letters.push_back(detail::patternLetters(hyphenatorPatterns(languageHyphenator(language))));
  std::mt19937 random(1209);
  for (int round = 0; round < 3000; ++round) {
    const std::string text = testing::randomJoin(random, pieces, 40);
    const std::size_t which = round % languages.size();
    const Hyphenator& hyphenator = languageHyphenator(languages[which]);
    const std::string result =
        hyphenateText(hyphenator, text, {.separator = "|", .skipNonProse = false});
    ASSERT_EQ(withoutSeparators(result, '|'), text);
    ASSERT_EQ(result, modelHyphenateText(hyphenator, letters[which], text, "|")) << text;
  }
}

// The set of letters is built once, on first use, even when many threads start together.
TEST(HyphenateText, ThreadsSharingAFreshHyphenatorAllGetTheSameText) {
  const Hyphenator fresh = loadHyphenator(Language::English_US);
  const std::string text = "Hyphenation of computer programs, e.g. dictionaries.";
  const std::string expected = "Hy-phen-ation of com-puter pro-grams, e.g. dic-tio-nar-ies.";
  constexpr int threadCount = 8;
  std::latch start(threadCount);
  std::vector<std::string> results(threadCount);
  std::vector<std::thread> threads;
  for (int t = 0; t < threadCount; ++t) {
    threads.emplace_back([&, t] {
      start.arrive_and_wait();
      results[t] = hyphenateText(fresh, text, "-");
    });
  }
  for (auto& thread : threads)
    thread.join();
  for (const auto& result : results)
    EXPECT_EQ(result, expected);
}

// The command cuts its input after any of these bytes, trusting that no language takes one for
// a letter (or maps one to a letter).
TEST(HyphenateText, NoLanguageTakesSpacesMarkupOrDigitsForLetters) {
  const std::u32string boundaries = U" \t\n\r\f\v.0123456789<>";
  for (const Language language : allLanguages()) {
    const auto& state = detail::HyphenatorAccess::state(languageHyphenator(language));
    for (const char32_t c : boundaries) {
      EXPECT_FALSE(detail::wordLetters(state).contains(c)) << show(language) << " " << int(c);
    }
  }
}

}  // namespace
}  // namespace text::hyphenation
