#pragma once

#include <cstdint>
#include <string_view>

#include "common/code_point_table.hpp"
#include "exception/compiled_table.hpp"
#include "pattern/frozen_trie.hpp"
#include "text/hyphenation/exception.hpp"

namespace text::hyphenation::detail {

// Everything hyphenate needs of a language, compiled when the library is built and read where it
// lies, so that the first word of a language builds nothing: a table from each code point
// straight to the letter class of its normalised form (the character table composed with the
// trie's alphabet), the pattern trie, and the exceptions keyed by those classes. A word then
// costs one table read per character before the trie.
struct FastPath {
  CodePointPages<std::uint16_t> classes;
  NarrowTrie narrow;  // the trie, when it is narrow (its units are not empty)
  WideTrie wide;      // the trie otherwise
  CompiledExceptions exceptions;

  // Calls `read` with the trie.
  template <class Read>
  decltype(auto) visitTrie(Read&& read) const {
    return narrow.units.empty() ? read(wide) : read(narrow);
  }
};

// The arrays of a fast path, as the build makes them before writing them into the library.
struct FastPathArrays {
  CodePointTable<std::uint16_t> classes;
  FrozenArrays trie;
  CompiledExceptionArrays exceptions;

  FastPath view(const OutputArrays& outputs) const {
    if (trie.narrow())
      return FastPath{classes.pages(), trie.narrowView(outputs), {}, exceptions.view()};
    return FastPath{classes.pages(), {}, trie.wideView(outputs), exceptions.view()};
  }
};

// The fast path of a language whose characters `chars` normalises, with these patterns and
// exceptions; the trie's score lists go to `outputs`. Throws Error when they do not fit it:
// 2^16 letters or more, patterns longer than NarrowTrie::deepest or with two digits in a row, or
// exceptions of 2^16 letters or more.
FastPathArrays buildFastPath(const CharMap& chars, std::u32string_view patterns,
                             const Exceptions& exceptions, OutputTable& outputs);

}  // namespace text::hyphenation::detail
