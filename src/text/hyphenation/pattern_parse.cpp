#include <vector>

#include "text/hyphenation/pattern_node.hpp"

namespace text::hyphenation {

Patterns parsePatterns(std::u32string_view text) {
  std::vector<std::u32string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(U'\n', start);
    if (end == std::u32string_view::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  // Inserting from the last line to the first lets the first of several lines with the same
  // letters win.
  Patterns trie;
  for (auto line = lines.rbegin(); line != lines.rend(); ++line)
    trie = insertPattern(*line, trie);
  return trie;
}

}  // namespace text::hyphenation
