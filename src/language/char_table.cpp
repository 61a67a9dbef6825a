#include "language/char_table.hpp"

#include <utility>
#include <vector>

#include "common/lines.hpp"

namespace text::hyphenation::detail {

CharMap parseCharTable(std::u32string_view text) {
  std::vector<CharMap::Entry> records;
  forEachLine(text, [&](std::u32string_view line) {
    for (std::size_t i = 1; i < line.size(); ++i)
      records.emplace_back(line[i], line[0]);
  });
  return CharMap(records);
}

}  // namespace text::hyphenation::detail
