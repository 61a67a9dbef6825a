#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace text::hyphenation::detail {

// What running text needs to know of a character's Unicode general category.
enum class CharCategory : std::uint8_t {
  UppercaseLetter,     // Lu and Lt
  LowercaseLetter,     // Ll
  OtherLetter,         // Lm and Lo
  Mark,                // Mn, Mc and Me: combining marks
  DecimalDigit,        // Nd
  Space,               // the White_Space characters: Zs, Zl, Zp, U+0009..U+000D and U+0085
  OpeningPunctuation,  // Ps, Pi and Pf: brackets and quotation marks that may open a token
  Other,
};

// The category of `c` by the Unicode character database that utf8proc carries; values that are
// no code point are Other. A lookup in utf8proc's tables: running text asks it once per
// character of the Basic Multilingual Plane (see rules.hpp). Safe from any number of threads.
CharCategory characterCategory(char32_t c);

// Whether normalisation to Form C leaves `c` as it is wherever it stands: it has combining class
// 0, no decomposition that composition would not undo, and composes with no character before it.
// A word of such characters is in Form C. Safe from any number of threads.
bool isNormalisationStable(char32_t c);

// Whether `c` has canonical combining class 0: normalisation never moves a character across it.
bool isStarter(char32_t c);

inline bool isLetterCategory(CharCategory category) {
  return category <= CharCategory::OtherLetter;
}

// Buffers that normalisation reuses from call to call.
struct NormalisationBuffers {
  std::string utf8;
  std::vector<std::int32_t> decomposed;
};

// `word` in Normalisation Form C, into `nfc`. Every character of `word` must be a Unicode scalar
// value. Safe from any number of threads, each with its own buffers.
void composeNfc(std::u32string_view word, std::u32string& nfc, NormalisationBuffers& buffers);

}  // namespace text::hyphenation::detail
