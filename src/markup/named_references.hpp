#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace text::hyphenation::detail {

// One named character reference of HTML: "eacute;" stands for U+00E9. A few stand for two
// characters (`second` is 0 otherwise); some old names also work without their ";".
struct NamedReference {
  std::string_view name;
  char32_t first;
  char32_t second;
};

inline constexpr std::size_t kLongestReferenceName = 32;

// Every named reference of HTML, in ascending byte order of their names.
extern const std::array<NamedReference, 2231> kNamedReferences;

// What a numeric reference to U+0080..U+009F stands for: "&#150;" is U+2013, as in
// windows-1252; entry k belongs to U+0080 + k.
extern const std::array<char32_t, 32> kC1Replacements;

}  // namespace text::hyphenation::detail
