#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "text/hyphenation/error.hpp"

namespace text::hyphenation {

// The languages and language variants whose hyphenation data the library carries. A value's
// number (fromEnum) is its position below; it alone decides equality, order and stepping.
// The order is that of the names, except that English_US (13) comes before English_GB (14).
//
//   languageAffix(Language::German_Swiss)            // "de-ch-1901"
//   show(succ(Language::English_US))                 // "English_GB"
//   enumFromTo(Language::Turkish, Language::Welsh)   // Turkish, Turkmen, ..., Welsh
//
// Every function here is pure and safe to call from any number of threads. Given a value
// outside the 73 below (one made by a cast), all but fromEnum and the comparisons throw the
// Error that toEnum gives for its number.
enum class Language : int {
  Afrikaans,
  Armenian,
  Assamese,
  Basque,
  Bengali,
  Bulgarian,
  Catalan,
  Chinese,
  Coptic,
  Croatian,
  Czech,
  Danish,
  Dutch,
  English_US,
  English_GB,
  Esperanto,
  Estonian,
  Ethiopic,
  Finnish,
  French,
  Friulan,
  Galician,
  Georgian,
  German_1901,
  German_1996,
  German_Swiss,
  Greek_Ancient,
  Greek_Mono,
  Greek_Poly,
  Gujarati,
  Hindi,
  Hungarian,
  Icelandic,
  Indonesian,
  Interlingua,
  Irish,
  Italian,
  Kannada,
  Kurmanji,
  Latin,
  Latin_Classic,
  Latvian,
  Lithuanian,
  Malayalam,
  Marathi,
  Mongolian,
  Norwegian_Bokmal,
  Norwegian_Nynorsk,
  Occitan,
  Oriya,
  Panjabi,
  Piedmontese,
  Polish,
  Portuguese,
  Romanian,
  Romansh,
  Russian,
  Sanskrit,
  Serbian_Cyrillic,
  Serbocroatian_Cyrillic,
  Serbocroatian_Latin,
  Slovak,
  Slovenian,
  Spanish,
  Swedish,
  Tamil,
  Telugu,
  Thai,
  Turkish,
  Turkmen,
  Ukrainian,
  Uppersorbian,
  Welsh,
};

// The bounds: the least and the greatest value, and how many values there are.
inline constexpr Language firstLanguage = Language::Afrikaans;
inline constexpr Language lastLanguage = Language::Welsh;
inline constexpr int languageCount = static_cast<int>(lastLanguage) + 1;

// Every value, in order.
constexpr std::array<Language, languageCount> allLanguages() {
  std::array<Language, languageCount> all{};
  for (int number = 0; number < languageCount; ++number) {
    all[number] = static_cast<Language>(number);
  }
  return all;
}

// The code under which the language's data files are stored: "en-us", "de-ch-1901",
// "zh-latn-pinyin". The text is a constant that lives as long as the program.
std::string_view languageAffix(Language language);

// Less, equal or greater by number (the operators <, <=, ==, <=> ... compare the same way).
constexpr std::strong_ordering compare(Language left, Language right) {
  return left <=> right;
}

// The value's number, 0 to 72.
constexpr int fromEnum(Language language) {
  return static_cast<int>(language);
}
// The value numbered `number`. Throws Error("toEnum{Language}: tag (73) is outside of
// enumeration's range (0,72)") (with the number asked for) outside 0 to 72.
Language toEnum(std::int64_t number);

// The value numbered one higher; throws Error for Welsh.
Language succ(Language language);
// The value numbered one lower; throws Error for Afrikaans.
Language pred(Language language);

// The values from `from` up to Welsh.
std::vector<Language> enumFrom(Language from);
// The values from `from` up to `to`; empty when `from` > `to`.
std::vector<Language> enumFromTo(Language from, Language to);
// `from`, `then`, and on in steps of the difference of their numbers up to Welsh (or down to
// Afrikaans): enumFromThen(Afrikaans, Basque) is Afrikaans, Basque, Bulgarian, ..., Welsh.
// Throws Error when `from` == `then`, a range that would never end.
std::vector<Language> enumFromThen(Language from, Language then);
// As enumFromThen, stopping at `to`. When `to` lies beyond `then` against the direction of
// counting the range is [from] if `to` is not beyond `from` either, else empty.
// Throws Error when `from` == `then` <= `to`, a range that would never end.
std::vector<Language> enumFromThenTo(Language from, Language then, Language to);

// The name exactly as written above: "English_US", "German_1901".
std::string show(Language language);
// The name; no parentheses are added at any precedence.
std::string showsPrec(int precedence, Language language);
// "[English_US,Welsh]"; "[]" when empty.
std::string showList(std::span<const Language> languages);
std::ostream& operator<<(std::ostream& out, Language language);

}  // namespace text::hyphenation
