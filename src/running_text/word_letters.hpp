#pragma once

#include "common/code_point_table.hpp"

namespace text::hyphenation::detail {

struct HyphenatorState;

// The characters that can belong to a word in running text, built on first use from the
// hyphenator's patterns and kept in it. With a character map: every character that the map takes
// to a letter of the patterns, so that scanning a text needs no lookup in the map; with a
// caller's function: the letters themselves, each character being passed through the function
// first.
const CharSet& wordLetters(const HyphenatorState& state);

}  // namespace text::hyphenation::detail
