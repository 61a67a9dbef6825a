#pragma once

#include <cstdint>
#include <string_view>

#include "text/hyphenation/scores.hpp"

namespace text::hyphenation::detail {

// The ASCII digits are the scores of pattern text; every other code point is a letter.
constexpr bool isScoreDigit(char32_t c) {
  return c >= U'0' && c <= U'9';
}

// Calls `score` with each entry of the score list of one pattern's text, in order: a digit
// scores the gap before the character after it (which is taken to be a letter even when it is
// another digit: "a12b" gives 0,1,0,0), a letter without a digit scores 0 at the gap before it,
// and the gap after the last letter scores 0 unless the text ends with a digit. So "hy3ph"
// gives 0,0,3,0,0 and ".ach4" 0,0,0,0,4.
template <class Score>
void forEachPatternScore(std::u32string_view pattern, Score score) {
  std::size_t at = 0;
  while (at < pattern.size()) {
    if (isScoreDigit(pattern[at])) {
      score(static_cast<std::uint8_t>(pattern[at] - U'0'));
      at += 2;
      if (at > pattern.size()) return;
    } else {
      score(std::uint8_t{0});
      at += 1;
    }
  }
  score(std::uint8_t{0});
}

// The element-wise maximum of two score lists, as long as the longer one: beyond the shorter
// list's end the longer list's entries follow unchanged.
Scores zipMax(const Scores& left, const Scores& right);

}  // namespace text::hyphenation::detail
