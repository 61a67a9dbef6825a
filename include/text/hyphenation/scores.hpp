#pragma once

#include <cstdint>
#include <vector>

namespace text::hyphenation {

// A score list: entry k belongs to the gap before character k of a word (or pattern), entry n to
// the gap after the last of n characters. An odd final score allows a break there, an even one
// (0 included) forbids it. Pattern scores of one gap combine by maximum, exception scores of one
// word by minimum.
using Scores = std::vector<std::int64_t>;

// The empty value of a combinable type: mempty<Patterns>(), mempty<Exceptions>().
template <class T>
T mempty() {
  return T::mempty();
}

}  // namespace text::hyphenation
