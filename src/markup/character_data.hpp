#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace text::hyphenation::detail {

// Decodes character data as a browser reads it between tags: UTF-8, where a byte that belongs
// to no well-formed sequence is U+FFFD, and character references, named ("&eacute;", and the
// old names a browser takes without ";", "&eacute") or numeric ("&#233;", "&#xE9;"; "&#150;"
// is U+2013 as in windows-1252). In XML only names with ";" count. A reference is one
// character, or two for the few names that stand for two.
//
// Appends the characters of bytes[from, ...) to `characters` and, for each, the offset of its
// first byte in `bytes` to `starts` (the second character of a reference starts where the
// reference ends). Returns where it stopped: the end of `bytes`, or, unless `complete`, the
// start of a sequence or reference that bytes still to come may go on.
std::size_t decodeCharacterData(std::string_view bytes, std::size_t from, bool complete, bool xml,
                                std::u32string& characters, std::vector<std::size_t>& starts);

}  // namespace text::hyphenation::detail
