#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

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
// Words off the fast path use the key and score buffers of `scratch`, or of a Scratch of its
// own when that is null. Throws the Error hyphenate throws.
void findBreaks(const HyphenatorState& state, std::u32string_view word, Minimums minimums,
                Scratch* scratch, std::vector<std::size_t>& breaks);

}  // namespace text::hyphenation::detail
