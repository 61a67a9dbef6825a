#include "running_text/unicode.hpp"

#include <utf8proc.h>

#include <cstdint>

#include "common/utf8_encode.hpp"

namespace text::hyphenation::detail {
namespace {

CharCategory categoryFromDatabase(char32_t c) {
  if (c > 0x10FFFF) return CharCategory::Other;
  if ((c >= 0x09 && c <= 0x0D) || c == 0x85) return CharCategory::Space;
  switch (utf8proc_category(static_cast<utf8proc_int32_t>(c))) {
    case UTF8PROC_CATEGORY_LU:
    case UTF8PROC_CATEGORY_LT:
      return CharCategory::UppercaseLetter;
    case UTF8PROC_CATEGORY_LL:
      return CharCategory::LowercaseLetter;
    case UTF8PROC_CATEGORY_LM:
    case UTF8PROC_CATEGORY_LO:
      return CharCategory::OtherLetter;
    case UTF8PROC_CATEGORY_MN:
    case UTF8PROC_CATEGORY_MC:
    case UTF8PROC_CATEGORY_ME:
      return CharCategory::Mark;
    case UTF8PROC_CATEGORY_ND:
      return CharCategory::DecimalDigit;
    case UTF8PROC_CATEGORY_ZS:
    case UTF8PROC_CATEGORY_ZL:
    case UTF8PROC_CATEGORY_ZP:
      return CharCategory::Space;
    case UTF8PROC_CATEGORY_PS:
    case UTF8PROC_CATEGORY_PI:
    case UTF8PROC_CATEGORY_PF:
      return CharCategory::OpeningPunctuation;
    default:
      return CharCategory::Other;
  }
}

bool stableFromDatabase(char32_t c) {
  const utf8proc_property_t* property = utf8proc_get_property(static_cast<utf8proc_int32_t>(c));
  if (property->combining_class != 0) return false;
  // Combining marks may compose with what precedes them, and of the characters of class 0 that
  // can be the second of a composition, all but the Hangul vowel and final jamo are marks.
  if (categoryFromDatabase(c) == CharCategory::Mark || (c >= 0x1161 && c <= 0x1175) ||
      (c >= 0x11A8 && c <= 0x11C2)) {
    return false;
  }
  // Form C leaves compatibility decompositions alone.
  if (property->decomp_seqindex == UINT16_MAX || property->decomp_type != 0) return true;
  // A composite that normalisation rebuilds is stable; a singleton or an excluded one is not.
  std::u32string nfc;
  NormalisationBuffers buffers;
  composeNfc(std::u32string_view(&c, 1), nfc, buffers);
  return nfc.size() == 1 && nfc.front() == c;
}

}  // namespace

CharCategory characterCategory(char32_t c) {
  return categoryFromDatabase(c);
}

bool isNormalisationStable(char32_t c) {
  return c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF) && stableFromDatabase(c);
}

bool isStarter(char32_t c) {
  return c > 0x10FFFF ||
         utf8proc_get_property(static_cast<utf8proc_int32_t>(c))->combining_class == 0;
}

void composeNfc(std::u32string_view word, std::u32string& nfc, NormalisationBuffers& buffers) {
  // utf8proc decomposes (with canonical reordering) from UTF-8 only; composing then works in
  // place on the decomposed code points.
  buffers.utf8 = encodeUtf8(word);
  const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(buffers.utf8.data());
  const auto size = static_cast<utf8proc_ssize_t>(buffers.utf8.size());
  const auto options = static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_DECOMPOSE);
  std::vector<std::int32_t>& decomposed = buffers.decomposed;
  if (decomposed.size() < word.size() + 4) decomposed.resize(word.size() + 4);
  utf8proc_ssize_t length;
  while ((length = utf8proc_decompose(bytes, size, decomposed.data(),
                                      static_cast<utf8proc_ssize_t>(decomposed.size()), options)) >
         static_cast<utf8proc_ssize_t>(decomposed.size())) {
    decomposed.resize(static_cast<std::size_t>(length));
  }
  // Valid scalar values never fail to decompose.
  if (length < 0) length = 0;
  length =
      utf8proc_normalize_utf32(decomposed.data(), length,
                               static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE));
  nfc.assign(decomposed.begin(), decomposed.begin() + (length < 0 ? 0 : length));
}

}  // namespace text::hyphenation::detail
