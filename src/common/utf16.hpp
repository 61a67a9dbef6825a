#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace text::hyphenation::detail {

// Decodes UTF-16 text into `text`, whose capacity is reused. Never fails: a surrogate that is not
// half of a pair becomes on its own the character with its value, and decoding goes on with the
// next code unit. Safe from any number of threads.
void decodeUtf16Into(std::u16string_view units, std::u32string& text);

// Turns `positions`, ascending numbers of characters of the decoded `units`, into the offsets of
// the code units where those characters start (the size of `units` for the number of
// characters), in one walk.
void characterOffsetsToUnits(std::u16string_view units, std::vector<std::size_t>& positions);

}  // namespace text::hyphenation::detail
