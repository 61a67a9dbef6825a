#pragma once

#include <string_view>

#include "text/hyphenation/pattern.hpp"

namespace text::hyphenation::detail {

// The scores lookupPattern gives for `word`, written into `scores`, whose capacity is reused so
// that a hot loop stops allocating once the buffer has grown.
void lookupPatternInto(std::u32string_view word, const Patterns& trie, Scores& scores);

}  // namespace text::hyphenation::detail
