#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "text/hyphenation/error.hpp"

namespace text::hyphenation::detail {

struct HyphenatorState;
class Scratch;

// The fewest characters allowed before the first break and after the last.
struct Minimums {
  std::int64_t left;
  std::int64_t right;
};

// Writes to `breaks`, in ascending order, every k for which hyphenate cuts `word` after its first
// k characters, with `minimums` in place of the hyphenator's (minimumsOf(state) for its own).
// Long words and words off the fast path use the buffers of `scratch`, or of a Scratch of its
// own when that is null. False, with `breaks` empty, when the word's scores leave nothing to cut
// (possible only with a left minimum of 0 or less and an empty exception list): the caller throws
// malformedScores with the word as it was given. Throws the Error of a field that failed to build.
[[nodiscard]] bool findBreaks(const HyphenatorState& state, std::u32string_view word,
                              Minimums minimums, Scratch* scratch,
                              std::vector<std::size_t>& breaks);

// The same for a word of UTF-8 bytes, UTF-16 code units (as char16_t or uint16_t, C's) or 32-bit
// code points, with the breaks as offsets of units: the offset of the first unit of the character
// after each break (the word's size for a break after its last). A byte of no well-formed UTF-8
// sequence, or a surrogate without its other half, is a character of its own, as decodeUtf8 and
// decodeUtf16Character read them. A short word on the fast path is read once, straight to
// letter classes; any other is decoded into the buffers of `scratch`, or of a Scratch of its own
// when that is null.
[[nodiscard]] bool findBreaks(const HyphenatorState& state, std::string_view utf8,
                              Minimums minimums, Scratch* scratch,
                              std::vector<std::size_t>& breaks);
[[nodiscard]] bool findBreaks(const HyphenatorState& state, std::u16string_view utf16,
                              Minimums minimums, Scratch* scratch,
                              std::vector<std::size_t>& breaks);
[[nodiscard]] bool findBreaks(const HyphenatorState& state, std::span<const std::uint16_t> utf16,
                              Minimums minimums, Scratch* scratch,
                              std::vector<std::size_t>& breaks);
[[nodiscard]] bool findBreaks(const HyphenatorState& state, std::span<const std::uint32_t> units,
                              Minimums minimums, Scratch* scratch,
                              std::vector<std::size_t>& breaks);

// The Error for a word whose scores leave nothing to cut, naming it by `word`, its bytes as the
// caller gave them (or its code points in UTF-8, see encodeUtf8Lossless).
Error malformedScores(std::string_view word);

}  // namespace text::hyphenation::detail
