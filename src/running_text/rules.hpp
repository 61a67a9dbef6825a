#pragma once

// The running-text rules (see text/hyphenation/text.hpp) for callers that hold text in a form of
// their own: markup passes the characters of the text between two tags, each with the bytes of
// the source it came from ("&eacute;" is one character from 8 bytes), and receives the byte
// offsets at which separators go.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/code_point_table.hpp"
#include "hyphenator/breaks.hpp"
#include "hyphenator/state.hpp"
#include "text/hyphenation/text.hpp"

namespace text::hyphenation::detail {

// The part a character plays in running text, in the low bits of a CharKind; the high bits hold
// what the non-prose tests ask of it.
enum CharRole : std::uint8_t {
  spaceRole,       // white space: ends every word and token
  letterRole,      // a Unicode letter, or a character whose image is one
  markRole,        // a combining mark: belongs to the word of the letter before it
  innerRole,       // a character of the patterns that is no letter: only between two letters
  softHyphenRole,  // U+00AD: between two letters, a break already present
  otherRole,       // ends a word: punctuation, digits, explicit hyphens, invalid bytes, ...
  askRole,         // in unicodeKinds() only: the hyphenator decides
};
using CharKind = std::uint8_t;
inline constexpr CharKind roleMask = 0x07;
inline constexpr CharKind stableFlag = 0x08;   // normalisation never changes it (see unicode.hpp)
inline constexpr CharKind upperFlag = 0x10;    // an upper-case (or title-case) letter
inline constexpr CharKind lowerFlag = 0x20;    // a lower-case letter
inline constexpr CharKind digitFlag = 0x40;    // a decimal digit
inline constexpr CharKind openingFlag = 0x80;  // a bracket or quotation mark that may open a token

inline CharRole roleOf(CharKind kind) {
  return static_cast<CharRole>(kind & roleMask);
}

// The kinds of the characters of the Basic Multilingual Plane, where nearly all text lies, that no
// hyphenator changes: letters, marks, digits and white space; every other character has askRole.
// Built on first use, once per process.
const std::array<CharKind, 0x10000>& unicodeKinds();

// Everything a call derives once from its hyphenator and options. Holds the hyphenator, so it
// stays valid on its own; immutable, and safe to share between threads.
class TextRules {
 public:
  // Throws the Error of a hyphenator field that failed to build.
  TextRules(const Hyphenator& hyphenator, const TextOptions& options);

  // The kind of a well-formed character.
  CharKind kindOf(char32_t c) const {
    if (c < 0x80) return ascii_[c];
    if (c < 0x10000) {
      const CharKind kind = unicode_[c];
      if (roleOf(kind) != askRole) return kind;
    }
    return classify(c);
  }
  const std::array<CharKind, 128>& ascii() const { return ascii_; }

  const HyphenatorState& state() const { return HyphenatorAccess::state(hyphenator_); }
  const TextOptions& options() const { return options_; }
  // The minimums of this call: the options' where given (at least 1), else the hyphenator's.
  Minimums minimums() const { return minimums_; }
  // The separator as characters, and whether it joins letters into one word (see text.hpp):
  // it does when it is not empty, holds no white space, is not an explicit hyphen alone and has
  // at most joiningLength characters, which bounds what a word's end compares.
  std::u32string_view separatorCharacters() const { return separatorCharacters_; }
  bool separatorJoins() const { return separatorJoins_; }
  static constexpr std::size_t joiningLength = 16;

 private:
  CharKind classify(char32_t c) const;
  bool isPatternCharacter(char32_t c) const;

  Hyphenator hyphenator_;
  TextOptions options_;
  const CharSet& patternCharacters_;
  const CharMap* map_;  // the character function when it is a map
  std::array<CharKind, 128> ascii_{};
  Minimums minimums_;
  const CharKind* unicode_;
  std::u32string separatorCharacters_;
  bool separatorJoins_;
};

// `characters[k]` came from bytes [starts[k], starts[k + 1]) of the caller's input, so `starts`
// has characters.size() + 1 entries; a character from a single byte of 0x80 or more is taken for
// a byte of no well-formed sequence. The stretch is complete: no word or token goes on across
// either end. Appends to `offsets`, ascending, every byte offset at which the separator goes.
// Throws what hyphenateText throws. Safe from any number of threads.
void findTextBreaks(const TextRules& rules, std::u32string_view characters,
                    std::span<const std::size_t> starts, std::vector<std::size_t>& offsets);

// How many leading characters are settled: their breaks are the same whatever follows. That is
// everything up to and including the last white space; 0 when there is none, and then a caller
// that must bound what it holds passes the stretch to findTextBreaks as complete.
std::size_t settledPrefix(const TextRules& rules, std::u32string_view characters);

}  // namespace text::hyphenation::detail
