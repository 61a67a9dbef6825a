#include "language/char_table.hpp"

#include <utility>
#include <vector>

namespace text::hyphenation::detail {

CharMap parseCharTable(std::u32string_view text) {
  std::vector<std::pair<char32_t, char32_t>> records;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find(U'\n'), text.size());
    const std::u32string_view line = text.substr(0, end);
    for (std::size_t i = 1; i < line.size(); ++i)
      records.emplace_back(line[i], line[0]);
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return CharMap(records);
}

}  // namespace text::hyphenation::detail
