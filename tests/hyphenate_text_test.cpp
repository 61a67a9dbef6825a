#include <gtest/gtest.h>

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
#include "text/hyphenation.hpp"

namespace text::hyphenation {
namespace {

char32_t lowerAscii(char32_t c) {
  return c >= U'A' && c <= U'Z' ? c + 32 : c;
}

// hyphenateText the obvious way: decode the whole text, mark each character that is a letter,
// and hyphenate each run of letters as a word.
std::string modelHyphenateText(const Hyphenator& hyphenator, const std::vector<char32_t>& letters,
                               const std::string& text, const std::string& separator) {
  const CharFunction chars = hyphenatorChars(hyphenator);
  std::vector<std::size_t> starts;
  const std::u32string decoded = detail::decodeUtf8(text, starts);
  starts.push_back(text.size());
  const auto isLetter = [&](std::size_t k) {
    const bool wellFormed = starts[k + 1] - starts[k] > 1 || decoded[k] < 0x80;
    return wellFormed && std::binary_search(letters.begin(), letters.end(), chars(decoded[k]));
  };
  std::string out;
  for (std::size_t k = 0; k < decoded.size();) {
    if (!isLetter(k)) {
      out += text.substr(starts[k], starts[k + 1] - starts[k]);
      ++k;
      continue;
    }
    std::size_t end = k;
    while (end < decoded.size() && isLetter(end))
      ++end;
    const auto fragments = hyphenate(hyphenator, decoded.substr(k, end - k));
    for (std::size_t f = 0; f < fragments.size(); ++f)
      out += (f == 0 ? "" : separator) + detail::encodeUtf8(fragments[f]);
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
  EXPECT_EQ(hyphenateText(own, "abxAB cd,dc ab.ab", "|"), "a|bxA|B c|d,dc a|b.a|b");
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
    std::string text;
    const int count = std::uniform_int_distribution<int>(0, 40)(random);
    for (int k = 0; k < count; ++k)
      text += pieces[random() % pieces.size()];
    const std::size_t which = round % languages.size();
    const Hyphenator& hyphenator = languageHyphenator(languages[which]);
    const std::string result = hyphenateText(hyphenator, text, "|");
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
