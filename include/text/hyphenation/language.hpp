#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "text/hyphenation/error.hpp"
#include "text/hyphenation/export.hpp"
#include "text/hyphenation/hyphenator.hpp"

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
HYPHENKIT_API std::string_view languageAffix(Language language);

// The language a user means by `tag`, or nothing when it names none or names a language without
// patterns here. Letter case is ignored, "_" is read as "-", and a POSIX locale name stands for
// its tag: "de_DE.UTF-8" and "pt_BR@euro" as de-DE and pt-BR, "sr_RS@latin" as sr-Latn-RS.
// Accepted, in this order:
//   - a name as show gives it: "English_GB", "german_swiss";
//   - a file code as languageAffix gives it: "en-us", "de-ch-1901", "la-x-classic";
//   - a short tag from this table:
//       en -> en-us        en-au, en-nz, en-ie, en-za, en-in -> en-gb
//       de, de-de, de-ch, de-li -> de-1996  de-li-1901 -> de-ch-1901 (as de-ch-1901 itself)
//       el -> el-monoton   no -> nb         sr -> sr-cyrl    sr-latn, sh, bs -> sh-latn
//       mn -> mn-cyrl      zh-latn -> zh-latn-pinyin         ku -> kmr
//       am (Amharic), ti (Tigrinya), gez (Ge'ez) -> mul-ethi
//     and, naming no patterns: zh, zh-hans, zh-hant (Chinese in Han characters; the Chinese
//     patterns are for pinyin);
//   - a longer tag: the same without its region subtags (two letters or three digits after the
//     first subtag): "pt-BR" -> pt, "nn-NO" -> nn, "es-419" -> es, "de-AT-1901" -> de-1901,
//     "sr-Latn-RS" -> sh-latn, "zh-TW" -> none; failing that, its longest accepted leading part:
//     "en-GB-oxendict" -> en-gb, "zh-Latn-pinyin-x-foo" -> zh-latn-pinyin.
// Pure; safe to call from any number of threads.
HYPHENKIT_API std::optional<Language> languageFromTag(std::string_view tag);

// Whether `tag` names a language at all, with patterns here or without: true for everything
// languageFromTag accepts and for every other well-formed language tag or POSIX locale name (a
// language subtag of two or three letters, then subtags of one to eight letters or digits:
// "zh-Hans", "ja", "ar_EG.UTF-8", "xx"); false for "", "Klingon", "en us", "de--CH". A tag for
// which this is true and languageFromTag gives nothing is a language without patterns: text in
// it is left as it is. Pure; safe to call from any number of threads.
HYPHENKIT_API bool isLanguageTag(std::string_view tag);

// The short tags of the table above that languageFromTag reads as `language`, in the table's
// order: {"de", "de-de", "de-ch", "de-li"} for German_1996, {} for French (whose code "fr" is
// its tag). The texts are constants that live as long as the program. Pure; safe to call from
// any number of threads.
HYPHENKIT_API std::vector<std::string_view> languageTags(Language language);

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
HYPHENKIT_API Language toEnum(std::int64_t number);

// The value numbered one higher; throws Error for Welsh.
HYPHENKIT_API Language succ(Language language);
// The value numbered one lower; throws Error for Afrikaans.
HYPHENKIT_API Language pred(Language language);

// The values from `from` up to Welsh.
HYPHENKIT_API std::vector<Language> enumFrom(Language from);
// The values from `from` up to `to`; empty when `from` > `to`.
HYPHENKIT_API std::vector<Language> enumFromTo(Language from, Language to);
// `from`, `then`, and on in steps of the difference of their numbers up to Welsh (or down to
// Afrikaans): enumFromThen(Afrikaans, Basque) is Afrikaans, Basque, Bulgarian, ..., Welsh.
// Throws Error when `from` == `then`, a range that would never end.
HYPHENKIT_API std::vector<Language> enumFromThen(Language from, Language then);
// As enumFromThen, stopping at `to`. When `to` lies beyond `then` against the direction of
// counting the range is [from] if `to` is not beyond `from` either, else empty.
// Throws Error when `from` == `then` <= `to`, a range that would never end.
HYPHENKIT_API std::vector<Language> enumFromThenTo(Language from, Language then, Language to);

// The name exactly as written above: "English_US", "German_1901".
HYPHENKIT_API std::string show(Language language);
// The name; no parentheses are added at any precedence.
HYPHENKIT_API std::string showsPrec(int precedence, Language language);
// "[English_US,Welsh]"; "[]" when empty.
HYPHENKIT_API std::string showList(std::span<const Language> languages);
HYPHENKIT_API std::ostream& operator<<(std::ostream& out, Language language);

// A new hyphenator for `language`. Words are hyphenated through the language as it was compiled
// into the library, so the first word builds nothing. Its fields are built when first asked for,
// once, even when several threads arrive together: the patterns as a view of the compiled trie
// (equal to parsePatterns of the language's pattern file), the character table and exceptions
// from the embedded data. Every call builds its own fields; most callers want the shared
// languageHyphenator instead. Never throws itself.
HYPHENKIT_API Hyphenator loadHyphenator(Language language);

// The shared hyphenator of `language`, built by loadHyphenator on first use and kept until the
// process ends: every call returns the same object. Safe from any thread, and from static
// initialisers of other translation units. Throws Error only for a value made by a cast outside
// the enumeration.
HYPHENKIT_API const Hyphenator& languageHyphenator(Language language);

// Names one language's shared hyphenator; converts to `const Hyphenator&` wherever one is
// expected, building it on first use:
//   hyphenate(english_US, U"hyphenation")          // "hy", "phen", "ation"
//   const Hyphenator& german = german_1996;        // the same object as
//                                                  // languageHyphenator(Language::German_1996)
struct PrebuiltHyphenator {
  Language language;

  operator const Hyphenator&() const { return languageHyphenator(language); }
  const Hyphenator& get() const { return languageHyphenator(language); }
};

inline constexpr PrebuiltHyphenator afrikaans{Language::Afrikaans};
inline constexpr PrebuiltHyphenator armenian{Language::Armenian};
inline constexpr PrebuiltHyphenator assamese{Language::Assamese};
inline constexpr PrebuiltHyphenator basque{Language::Basque};
inline constexpr PrebuiltHyphenator bengali{Language::Bengali};
inline constexpr PrebuiltHyphenator bulgarian{Language::Bulgarian};
inline constexpr PrebuiltHyphenator catalan{Language::Catalan};
inline constexpr PrebuiltHyphenator chinese{Language::Chinese};
inline constexpr PrebuiltHyphenator coptic{Language::Coptic};
inline constexpr PrebuiltHyphenator croatian{Language::Croatian};
inline constexpr PrebuiltHyphenator czech{Language::Czech};
inline constexpr PrebuiltHyphenator danish{Language::Danish};
inline constexpr PrebuiltHyphenator dutch{Language::Dutch};
inline constexpr PrebuiltHyphenator english_US{Language::English_US};
inline constexpr PrebuiltHyphenator english_GB{Language::English_GB};
inline constexpr PrebuiltHyphenator esperanto{Language::Esperanto};
inline constexpr PrebuiltHyphenator estonian{Language::Estonian};
inline constexpr PrebuiltHyphenator ethiopic{Language::Ethiopic};
inline constexpr PrebuiltHyphenator finnish{Language::Finnish};
inline constexpr PrebuiltHyphenator french{Language::French};
inline constexpr PrebuiltHyphenator friulan{Language::Friulan};
inline constexpr PrebuiltHyphenator galician{Language::Galician};
inline constexpr PrebuiltHyphenator georgian{Language::Georgian};
inline constexpr PrebuiltHyphenator german_1901{Language::German_1901};
inline constexpr PrebuiltHyphenator german_1996{Language::German_1996};
inline constexpr PrebuiltHyphenator german_Swiss{Language::German_Swiss};
inline constexpr PrebuiltHyphenator greek_Ancient{Language::Greek_Ancient};
inline constexpr PrebuiltHyphenator greek_Mono{Language::Greek_Mono};
inline constexpr PrebuiltHyphenator greek_Poly{Language::Greek_Poly};
inline constexpr PrebuiltHyphenator gujarati{Language::Gujarati};
inline constexpr PrebuiltHyphenator hindi{Language::Hindi};
inline constexpr PrebuiltHyphenator hungarian{Language::Hungarian};
inline constexpr PrebuiltHyphenator icelandic{Language::Icelandic};
inline constexpr PrebuiltHyphenator indonesian{Language::Indonesian};
inline constexpr PrebuiltHyphenator interlingua{Language::Interlingua};
inline constexpr PrebuiltHyphenator irish{Language::Irish};
inline constexpr PrebuiltHyphenator italian{Language::Italian};
inline constexpr PrebuiltHyphenator kannada{Language::Kannada};
inline constexpr PrebuiltHyphenator kurmanji{Language::Kurmanji};
inline constexpr PrebuiltHyphenator latin{Language::Latin};
inline constexpr PrebuiltHyphenator latin_Classic{Language::Latin_Classic};
inline constexpr PrebuiltHyphenator latvian{Language::Latvian};
inline constexpr PrebuiltHyphenator lithuanian{Language::Lithuanian};
inline constexpr PrebuiltHyphenator malayalam{Language::Malayalam};
inline constexpr PrebuiltHyphenator marathi{Language::Marathi};
inline constexpr PrebuiltHyphenator mongolian{Language::Mongolian};
inline constexpr PrebuiltHyphenator norwegian_Bokmal{Language::Norwegian_Bokmal};
inline constexpr PrebuiltHyphenator norwegian_Nynorsk{Language::Norwegian_Nynorsk};
inline constexpr PrebuiltHyphenator occitan{Language::Occitan};
inline constexpr PrebuiltHyphenator oriya{Language::Oriya};
inline constexpr PrebuiltHyphenator panjabi{Language::Panjabi};
inline constexpr PrebuiltHyphenator piedmontese{Language::Piedmontese};
inline constexpr PrebuiltHyphenator polish{Language::Polish};
inline constexpr PrebuiltHyphenator portuguese{Language::Portuguese};
inline constexpr PrebuiltHyphenator romanian{Language::Romanian};
inline constexpr PrebuiltHyphenator romansh{Language::Romansh};
inline constexpr PrebuiltHyphenator russian{Language::Russian};
inline constexpr PrebuiltHyphenator sanskrit{Language::Sanskrit};
inline constexpr PrebuiltHyphenator serbian_Cyrillic{Language::Serbian_Cyrillic};
inline constexpr PrebuiltHyphenator serbocroatian_Cyrillic{Language::Serbocroatian_Cyrillic};
inline constexpr PrebuiltHyphenator serbocroatian_Latin{Language::Serbocroatian_Latin};
inline constexpr PrebuiltHyphenator slovak{Language::Slovak};
inline constexpr PrebuiltHyphenator slovenian{Language::Slovenian};
inline constexpr PrebuiltHyphenator spanish{Language::Spanish};
inline constexpr PrebuiltHyphenator swedish{Language::Swedish};
inline constexpr PrebuiltHyphenator tamil{Language::Tamil};
inline constexpr PrebuiltHyphenator telugu{Language::Telugu};
inline constexpr PrebuiltHyphenator thai{Language::Thai};
inline constexpr PrebuiltHyphenator turkish{Language::Turkish};
inline constexpr PrebuiltHyphenator turkmen{Language::Turkmen};
inline constexpr PrebuiltHyphenator ukrainian{Language::Ukrainian};
inline constexpr PrebuiltHyphenator uppersorbian{Language::Uppersorbian};
inline constexpr PrebuiltHyphenator welsh{Language::Welsh};

}  // namespace text::hyphenation
