#pragma once

#include <string_view>

namespace text::hyphenation::detail {

// Calls `line` with each line of `text` in order. Lines are cut at LF and nowhere else (a CR
// stays in its line); a final LF ends the last line instead of starting an empty one, and an
// empty text has no lines. This is how pattern, exception and character-table texts are read.
template <class Line>
void forEachLine(std::u32string_view text, Line line) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(U'\n', start);
    if (end == std::u32string_view::npos) end = text.size();
    line(text.substr(start, end - start));
    start = end + 1;
  }
}

}  // namespace text::hyphenation::detail
