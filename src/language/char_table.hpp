#pragma once

#include <string_view>

#include "common/code_point_table.hpp"

namespace text::hyphenation::detail {

// The character table of a language's "chr" file: each line lists one letter, its canonical
// form first and then the forms that stand for it ("aA", "ıI"). The last line that lists a
// character decides its value; a line of one character declares nothing.
CharMap parseCharTable(std::u32string_view text);

}  // namespace text::hyphenation::detail
