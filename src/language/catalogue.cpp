#include "text/hyphenation/language.hpp"

#include <ostream>

#include "common/render.hpp"

namespace text::hyphenation {
namespace {

struct LanguageEntry {
  std::string_view name;
  std::string_view code;
};

// Indexed by number.
constexpr std::array<LanguageEntry, languageCount> catalogue = {{
    {"Afrikaans", "af"},
    {"Armenian", "hy"},
    {"Assamese", "as"},
    {"Basque", "eu"},
    {"Bengali", "bn"},
    {"Bulgarian", "bg"},
    {"Catalan", "ca"},
    {"Chinese", "zh-latn-pinyin"},
    {"Coptic", "cop"},
    {"Croatian", "hr"},
    {"Czech", "cs"},
    {"Danish", "da"},
    {"Dutch", "nl"},
    {"English_US", "en-us"},
    {"English_GB", "en-gb"},
    {"Esperanto", "eo"},
    {"Estonian", "et"},
    {"Ethiopic", "mul-ethi"},
    {"Finnish", "fi"},
    {"French", "fr"},
    {"Friulan", "fur"},
    {"Galician", "gl"},
    {"Georgian", "ka"},
    {"German_1901", "de-1901"},
    {"German_1996", "de-1996"},
    {"German_Swiss", "de-ch-1901"},
    {"Greek_Ancient", "grc"},
    {"Greek_Mono", "el-monoton"},
    {"Greek_Poly", "el-polyton"},
    {"Gujarati", "gu"},
    {"Hindi", "hi"},
    {"Hungarian", "hu"},
    {"Icelandic", "is"},
    {"Indonesian", "id"},
    {"Interlingua", "ia"},
    {"Irish", "ga"},
    {"Italian", "it"},
    {"Kannada", "kn"},
    {"Kurmanji", "kmr"},
    {"Latin", "la"},
    {"Latin_Classic", "la-x-classic"},
    {"Latvian", "lv"},
    {"Lithuanian", "lt"},
    {"Malayalam", "ml"},
    {"Marathi", "mr"},
    {"Mongolian", "mn-cyrl"},
    {"Norwegian_Bokmal", "nb"},
    {"Norwegian_Nynorsk", "nn"},
    {"Occitan", "oc"},
    {"Oriya", "or"},
    {"Panjabi", "pa"},
    {"Piedmontese", "pms"},
    {"Polish", "pl"},
    {"Portuguese", "pt"},
    {"Romanian", "ro"},
    {"Romansh", "rm"},
    {"Russian", "ru"},
    {"Sanskrit", "sa"},
    {"Serbian_Cyrillic", "sr-cyrl"},
    {"Serbocroatian_Cyrillic", "sh-cyrl"},
    {"Serbocroatian_Latin", "sh-latn"},
    {"Slovak", "sk"},
    {"Slovenian", "sl"},
    {"Spanish", "es"},
    {"Swedish", "sv"},
    {"Tamil", "ta"},
    {"Telugu", "te"},
    {"Thai", "th"},
    {"Turkish", "tr"},
    {"Turkmen", "tk"},
    {"Ukrainian", "uk"},
    {"Uppersorbian", "hsb"},
    {"Welsh", "cy"},
}};

[[noreturn]] void throwOutOfRange(std::int64_t number) {
  throw Error("toEnum{Language}: tag (" + std::to_string(number) +
              ") is outside of enumeration's range (0," + std::to_string(languageCount - 1) + ")");
}

// The number of a value that may have been made by a cast; only the 73 named ones are accepted.
int checkedNumber(Language language) {
  int number = fromEnum(language);
  if (number < 0 || number >= languageCount) throwOutOfRange(number);
  return number;
}

// The stepped range a, b, b + (b - a), ... bounded by c, on numbers already checked.
std::vector<Language> steppedRange(std::string_view function, int a, int b, int c) {
  std::vector<Language> range;
  if (b >= a) {
    if (c < b) {
      if (c >= a) range.push_back(toEnum(a));
      return range;
    }
    if (a == b) throw Error(std::string(function) + "{Language}: a step of zero never ends");
    for (int number = a; number <= c; number += b - a)
      range.push_back(toEnum(number));
  } else {
    if (c > b) {
      if (c <= a) range.push_back(toEnum(a));
      return range;
    }
    for (int number = a; number >= c; number -= a - b)
      range.push_back(toEnum(number));
  }
  return range;
}

}  // namespace

std::string_view languageAffix(Language language) {
  return catalogue[checkedNumber(language)].code;
}

Language toEnum(std::int64_t number) {
  if (number < 0 || number >= languageCount) throwOutOfRange(number);
  return static_cast<Language>(number);
}

Language succ(Language language) {
  if (checkedNumber(language) == fromEnum(lastLanguage)) {
    throw Error("succ{Language}: tried to take `succ' of last tag in enumeration");
  }
  return static_cast<Language>(fromEnum(language) + 1);
}

Language pred(Language language) {
  if (checkedNumber(language) == fromEnum(firstLanguage)) {
    throw Error("pred{Language}: tried to take `pred' of first tag in enumeration");
  }
  return static_cast<Language>(fromEnum(language) - 1);
}

std::vector<Language> enumFrom(Language from) {
  return enumFromTo(from, lastLanguage);
}

std::vector<Language> enumFromTo(Language from, Language to) {
  std::vector<Language> range;
  for (int number = checkedNumber(from), last = checkedNumber(to); number <= last; ++number) {
    range.push_back(static_cast<Language>(number));
  }
  return range;
}

std::vector<Language> enumFromThen(Language from, Language then) {
  int a = checkedNumber(from);
  int b = checkedNumber(then);
  int limit = b >= a ? fromEnum(lastLanguage) : fromEnum(firstLanguage);
  return steppedRange("enumFromThen", a, b, limit);
}

std::vector<Language> enumFromThenTo(Language from, Language then, Language to) {
  return steppedRange("enumFromThenTo", checkedNumber(from), checkedNumber(then),
                      checkedNumber(to));
}

std::string show(Language language) {
  return std::string(catalogue[checkedNumber(language)].name);
}

std::string showsPrec(int /*precedence*/, Language language) {
  return show(language);
}

std::string showList(std::span<const Language> languages) {
  return detail::showListOf(languages,
                            [](std::string& out, Language language) { out += show(language); });
}

std::ostream& operator<<(std::ostream& out, Language language) {
  return out << show(language);
}

}  // namespace text::hyphenation
