#pragma once

#include <vector>

#include "text/hyphenation/pattern.hpp"

namespace text::hyphenation::detail {

// Every character that occurs as a letter in `trie`: the keys of all its nodes, in ascending
// order without repeats. "." (the edge of a word) and the ASCII digits (scores) are left out even
// where a hand-built trie uses them as keys: no character of a word stands for them. Walks the
// whole trie, so callers compute it once and keep it.
std::vector<char32_t> patternLetters(const Patterns& trie);

}  // namespace text::hyphenation::detail
