#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/hyphenation/error.hpp"
#include "text/hyphenation/exception.hpp"
#include "text/hyphenation/export.hpp"
#include "text/hyphenation/pattern.hpp"

namespace text::hyphenation {

// Normalises one character of a word before lookup (case folding and the like).
using CharFunction = std::function<char32_t(char32_t)>;

namespace detail {
struct HyphenatorState;
struct HyphenatorAccess;
}  // namespace detail

// Everything specific to a language: the character function, the pattern trie, the exception
// table and the fewest characters allowed before the first and after the last break.
// Immutable and cheap to copy; safe to use from any number of threads at once.
class HYPHENKIT_API Hyphenator {
 public:
  // Throws Error("Hyphenator: the character function is empty") when `chars` holds no function.
  Hyphenator(CharFunction chars, Patterns patterns, Exceptions exceptions, std::int64_t leftMin,
             std::int64_t rightMin);

 private:
  friend struct detail::HyphenatorAccess;
  explicit Hyphenator(std::shared_ptr<const detail::HyphenatorState> state)
      : state_(std::move(state)) {}

  std::shared_ptr<const detail::HyphenatorState> state_;
};

// The fields. A field that a loaded hyphenator builds on first use is built here (or, for the
// character function, on its first call), once, even when several threads arrive together; a
// failed build throws the same Error at every use. Safe from any number of threads at once.
HYPHENKIT_API CharFunction hyphenatorChars(const Hyphenator& hyphenator);
HYPHENKIT_API Patterns hyphenatorPatterns(const Hyphenator& hyphenator);
HYPHENKIT_API Exceptions hyphenatorExceptions(const Hyphenator& hyphenator);
HYPHENKIT_API std::int64_t hyphenatorLeftMin(const Hyphenator& hyphenator);
HYPHENKIT_API std::int64_t hyphenatorRightMin(const Hyphenator& hyphenator);

// The fragments of `word` between which a hyphen may be set; joined they give back `word`.
// hyphenate(h, U"hyphenation") with US English gives {U"hy", U"phen", U"ation"}.
// Throws Error("Malformed hyphenation score for " + word) when the scores leave nothing to cut
// (possible only with a left minimum of 0 or less and an empty exception list), and the Error of
// a field that failed to build. The word is written in UTF-8, its surrogates and values past
// U+10FFFF too, as UTF-8 first defined them (three to seven bytes), so that none is lost.
// Safe to call from any number of threads at once.
HYPHENKIT_API std::vector<std::u32string> hyphenate(const Hyphenator& hyphenator,
                                                    std::u32string_view word);

// The same for a word in UTF-8: the breaks fall where the code-point version puts them on the
// decoded word, and the fragments are slices of `utf8`, so joined they give back its bytes even
// when they are not valid UTF-8. Each byte that belongs to no well-formed sequence counts as one
// character, the one with the byte's value (as if read as ISO-8859-1).
// hyphenate(english_US, "Hyphenation") gives {"Hy", "phen", "ation"}. Throws as the code-point
// version does, with the caller's bytes exactly; safe to call from any number of threads at once.
HYPHENKIT_API std::vector<std::string> hyphenate(const Hyphenator& hyphenator,
                                                 std::string_view utf8);

// The same for a word in UTF-16: the fragments are slices of `utf16`, and a surrogate that is
// not half of a pair counts as one character, the one with its value. The message of the Error
// names the word in UTF-8 (an unpaired surrogate in three bytes).
HYPHENKIT_API std::vector<std::u16string> hyphenate(const Hyphenator& hyphenator,
                                                    std::u16string_view utf16);

// The places where hyphenate would cut `word`, without building the fragments: `out` is cleared
// and receives the number of characters before each break, ascending ({2, 6} for "hyphenation"
// in US English). Reuses the capacity of `out`, so a loop that passes the same vector allocates
// nothing once the hyphenator's data is built. Throws what hyphenate throws; safe from any
// number of threads at once (each with its own `out`).
HYPHENKIT_API void hyphenationPoints(const Hyphenator& hyphenator, std::u32string_view word,
                                     std::vector<std::size_t>& out);

// The same for a word in UTF-8, with the breaks as byte offsets into `utf8`: the offset of the
// first byte of the character after each break ({2, 6} for "hyphenation", {4} for "Größe"
// broken as "Grö-ße"). Characters count as the UTF-8 hyphenate counts them. Allocates nothing
// once `out` and the thread's buffers have grown to the longest word; throws what that hyphenate
// throws; safe from any number of threads at once.
HYPHENKIT_API void hyphenationPoints(const Hyphenator& hyphenator, std::string_view utf8,
                                     std::vector<std::size_t>& out);

// The same for a word in UTF-16, with the breaks as offsets of code units into `utf16`;
// characters count as the UTF-16 hyphenate counts them.
HYPHENKIT_API void hyphenationPoints(const Hyphenator& hyphenator, std::u16string_view utf16,
                                     std::vector<std::size_t>& out);

}  // namespace text::hyphenation
