#include "language/compiled_languages.hpp"

#include <algorithm>
#include <string>

#include "text/hyphenation/error.hpp"

namespace text::hyphenation::detail {

const CompiledLanguage& compiledLanguage(std::string_view code) {
  const std::span<const CompiledLanguage> languages = compiledLanguages();
  const auto at = std::lower_bound(
      languages.begin(), languages.end(), code,
      [](const CompiledLanguage& language, std::string_view key) { return language.code < key; });
  if (at == languages.end() || at->code != code) throw Error("Could not find " + std::string(code));
  return *at;
}

}  // namespace text::hyphenation::detail
