#include "text/hyphenation/language.hpp"

#include <gtest/gtest.h>

#include "support/support.hpp"

#include <climits>
#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace text::hyphenation {
namespace {

using enum Language;

struct NamedLanguage {
  const char* name;
  const char* code;
};

// Number, name and code of every value, in order.
const NamedLanguage catalogue[] = {
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
};

using testing::errorOf;

std::vector<int> numbers(const std::vector<Language>& languages) {
  std::vector<int> result;
  for (Language language : languages)
    result.push_back(fromEnum(language));
  return result;
}

TEST(Language, EveryValueHasItsNumberNameAndCode) {
  ASSERT_EQ(std::size(catalogue), 73u);
  ASSERT_EQ(allLanguages().size(), 73u);
  std::set<std::string_view> codes;
  for (int number = 0; number < 73; ++number) {
    Language language = allLanguages()[number];
    SCOPED_TRACE(catalogue[number].name);
    EXPECT_EQ(fromEnum(language), number);
    EXPECT_EQ(toEnum(number), language);
    EXPECT_EQ(show(language), catalogue[number].name);
    EXPECT_EQ(languageAffix(language), catalogue[number].code);
    std::ostringstream out;
    out << language;
    EXPECT_EQ(out.str(), catalogue[number].name);

    std::string_view code = languageAffix(language);
    codes.insert(code);
    EXPECT_GE(code.size(), 2u);
    EXPECT_LE(code.size(), 14u);
    EXPECT_EQ(code.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-"), code.npos);
  }
  EXPECT_EQ(codes.size(), 73u);
  EXPECT_EQ(firstLanguage, Afrikaans);
  EXPECT_EQ(lastLanguage, Welsh);
  EXPECT_EQ(languageAffix(German_Swiss), "de-ch-1901");
}

TEST(Language, OrderFollowsTheNumbersWithEnglishUSBeforeEnglishGB) {
  EXPECT_EQ(fromEnum(English_US), 13);
  EXPECT_EQ(fromEnum(English_GB), 14);
  EXPECT_LT(English_US, English_GB);
  EXPECT_EQ(compare(English_US, English_GB), std::strong_ordering::less);
  EXPECT_EQ(compare(Welsh, Welsh), std::strong_ordering::equal);
  EXPECT_EQ(compare(Welsh, Afrikaans), std::strong_ordering::greater);
  // Apart from the two English values, the order is the byte order of the names.
  for (int number = 1; number < 73; ++number) {
    if (number == 14) continue;
    EXPECT_LT(std::string_view(catalogue[number - 1].name), catalogue[number].name);
  }
}

TEST(Language, ToEnumRejectsNumbersOutsideZeroTo72) {
  struct Case {
    std::int64_t number;
    const char* message;
  };
  const Case cases[] = {
      {73, "toEnum{Language}: tag (73) is outside of enumeration's range (0,72)"},
      {-1, "toEnum{Language}: tag (-1) is outside of enumeration's range (0,72)"},
      {INT_MAX, "toEnum{Language}: tag (2147483647) is outside of enumeration's range (0,72)"},
      {INT_MIN, "toEnum{Language}: tag (-2147483648) is outside of enumeration's range (0,72)"},
      {INT64_MAX,
       "toEnum{Language}: tag (9223372036854775807) is outside of enumeration's range (0,72)"},
      {INT64_MIN,
       "toEnum{Language}: tag (-9223372036854775808) is outside of enumeration's range (0,72)"},
      {std::int64_t{1} << 32,
       "toEnum{Language}: tag (4294967296) is outside of enumeration's range (0,72)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(errorOf([&] { toEnum(c.number); }), c.message);
  }
  EXPECT_EQ(toEnum(0), Afrikaans);
  EXPECT_EQ(toEnum(72), Welsh);
}

TEST(Language, SuccAndPredStepByOneAndStopAtTheEnds) {
  for (int number = 0; number < 72; ++number) {
    EXPECT_EQ(succ(toEnum(number)), toEnum(number + 1));
    EXPECT_EQ(pred(toEnum(number + 1)), toEnum(number));
  }
  EXPECT_EQ(errorOf([] { succ(Welsh); }),
            "succ{Language}: tried to take `succ' of last tag in enumeration");
  EXPECT_EQ(errorOf([] { pred(Afrikaans); }),
            "pred{Language}: tried to take `pred' of first tag in enumeration");
}

TEST(Language, ValuesMadeByACastOutsideTheRangeAreRefused) {
  const auto outside = static_cast<Language>(73);
  const auto negative = static_cast<Language>(-1);
  const std::string message = "toEnum{Language}: tag (73) is outside of enumeration's range (0,72)";
  EXPECT_EQ(errorOf([&] { languageAffix(outside); }), message);
  EXPECT_EQ(errorOf([&] { show(outside); }), message);
  EXPECT_EQ(errorOf([&] { succ(outside); }), message);
  EXPECT_EQ(errorOf([&] { enumFrom(outside); }), message);
  EXPECT_EQ(errorOf([&] { enumFromThenTo(Afrikaans, Basque, outside); }), message);
  EXPECT_EQ(errorOf([&] { pred(negative); }),
            "toEnum{Language}: tag (-1) is outside of enumeration's range (0,72)");
}

TEST(Language, PlainRanges) {
  EXPECT_EQ(enumFrom(Welsh), std::vector{Welsh});
  EXPECT_EQ(enumFrom(Afrikaans).size(), 73u);
  EXPECT_EQ(enumFrom(Uppersorbian), (std::vector{Uppersorbian, Welsh}));
  EXPECT_EQ(enumFromTo(Welsh, Afrikaans), std::vector<Language>{});
  EXPECT_EQ(enumFromTo(Dutch, Dutch), std::vector{Dutch});
  EXPECT_EQ(enumFromTo(Dutch, Esperanto), (std::vector{Dutch, English_US, English_GB, Esperanto}));
}

TEST(Language, SteppedRanges) {
  std::vector<int> everyThird;
  for (int number = 0; number <= 72; number += 3)
    everyThird.push_back(number);
  EXPECT_EQ(numbers(enumFromThen(Afrikaans, Basque)), everyThird);
  EXPECT_EQ(everyThird.size(), 25u);

  std::vector<Language> downwards = enumFromThen(Welsh, Uppersorbian);
  ASSERT_EQ(downwards.size(), 73u);
  EXPECT_EQ(downwards.front(), Welsh);
  EXPECT_EQ(downwards.back(), Afrikaans);

  EXPECT_EQ(enumFromThenTo(Basque, Afrikaans, Armenian), std::vector{Basque});
  EXPECT_EQ(enumFromThenTo(Basque, Afrikaans, Welsh), std::vector<Language>{});
  EXPECT_EQ(enumFromThenTo(Afrikaans, Basque, Armenian), std::vector{Afrikaans});
  EXPECT_EQ(enumFromThenTo(Basque, Armenian, Afrikaans), (std::vector{Basque, Armenian}));
  EXPECT_EQ(enumFromThenTo(Welsh, Afrikaans, Afrikaans), (std::vector{Welsh, Afrikaans}));
}

TEST(Language, AStepOfZeroThatWouldNeverEndIsRefused) {
  EXPECT_EQ(errorOf([] { enumFromThen(Thai, Thai); }),
            "enumFromThen{Language}: a step of zero never ends");
  EXPECT_EQ(errorOf([] { enumFromThenTo(Thai, Thai, Thai); }),
            "enumFromThenTo{Language}: a step of zero never ends");
  EXPECT_EQ(errorOf([] { enumFromThenTo(Afrikaans, Afrikaans, Welsh); }),
            "enumFromThenTo{Language}: a step of zero never ends");
  // Below the start a step of zero yields nothing at all, which is a finite answer.
  EXPECT_EQ(enumFromThenTo(Thai, Thai, Tamil), std::vector<Language>{});
}

// The stepped range as the arithmetic sequence a, a + (b - a), a + 2 (b - a), ... cut at the
// first number beyond c (counting up when b >= a, down otherwise); "infinite" when it never is.
struct ModelRange {
  bool infinite = false;
  std::vector<int> numbers;
};

ModelRange modelRange(int a, int b, int c) {
  ModelRange model;
  const int step = b - a;
  for (int k = 0; k <= 73; ++k) {
    const int number = a + k * step;
    if (step >= 0 ? number > c : number < c) return model;
    model.numbers.push_back(number);
  }
  model.infinite = true;
  return model;
}

TEST(Language, SteppedRangesMatchTheArithmeticModelForEveryTriple) {
  for (int a = 0; a < 73; ++a) {
    for (int b = 0; b < 73; ++b) {
      ModelRange unbounded = modelRange(a, b, b >= a ? 72 : 0);
      if (unbounded.infinite) {
        EXPECT_THROW(enumFromThen(toEnum(a), toEnum(b)), Error);
      } else {
        ASSERT_EQ(numbers(enumFromThen(toEnum(a), toEnum(b))), unbounded.numbers) << a << b;
      }
      for (int c = 0; c < 73; ++c) {
        ModelRange model = modelRange(a, b, c);
        if (model.infinite) {
          EXPECT_THROW(enumFromThenTo(toEnum(a), toEnum(b), toEnum(c)), Error);
        } else {
          ASSERT_EQ(numbers(enumFromThenTo(toEnum(a), toEnum(b), toEnum(c))), model.numbers)
              << a << " " << b << " " << c;
        }
      }
    }
  }
}

TEST(Language, RenderingGivesTheNameAtAnyPrecedence) {
  const Language pair[] = {English_US, Welsh};
  EXPECT_EQ(showList(pair), "[English_US,Welsh]");
  EXPECT_EQ(showList(std::span<const Language>()), "[]");
  EXPECT_EQ(showList(std::vector{Norwegian_Bokmal}), "[Norwegian_Bokmal]");
  EXPECT_EQ(showsPrec(0, German_1901), "German_1901");
  EXPECT_EQ(showsPrec(11, German_1901), "German_1901");
  EXPECT_EQ(showsPrec(INT_MAX, Serbocroatian_Latin), "Serbocroatian_Latin");
}

}  // namespace
}  // namespace text::hyphenation
