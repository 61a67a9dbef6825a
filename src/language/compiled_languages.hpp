#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "hyphenator/fast_path.hpp"

namespace text::hyphenation::detail {

// A language as the build compiled it into the library from its pattern, exception and
// character-table files.
struct CompiledLanguage {
  std::string_view code;  // the file code, "en-us"
  FastPath fastPath;
  // Bytes of read-only data the language adds: its trie (counted with the first of the
  // languages that share one), its character classes and its exceptions.
  std::size_t bytes;
  std::string_view sharesTrieWith;  // the code of the language whose trie it shares, or empty
};

// Every language of the data directory the library was built from, in ascending order of code.
// Generated at build time by tools/compile_languages.cpp; fixed for the life of the process.
std::span<const CompiledLanguage> compiledLanguages();
// Bytes of the score lists that every language's trie shares.
std::size_t compiledOutputBytes();

// The compiled language with file code `code`; throws Error("Could not find " + code) when the
// library has none.
const CompiledLanguage& compiledLanguage(std::string_view code);

}  // namespace text::hyphenation::detail
