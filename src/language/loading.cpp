#include <string>
#include <utility>

#include "hyphenator/state.hpp"
#include "language/char_table.hpp"
#include "language/compiled_languages.hpp"
#include "language/embedded_files.hpp"
#include "pattern/node.hpp"
#include "text/hyphenation/language.hpp"

namespace text::hyphenation {
namespace {

// The fewest characters a language allows before the first break and after the last.
std::pair<std::int64_t, std::int64_t> minimums(Language language) {
  using enum Language;
  switch (language) {
    case Assamese:
    case Bengali:
    case Chinese:
    case Coptic:
    case Ethiopic:
    case Greek_Ancient:
    case Greek_Mono:
    case Greek_Poly:
    case Gujarati:
    case Hindi:
    case Kannada:
    case Malayalam:
    case Marathi:
    case Oriya:
    case Panjabi:
    case Tamil:
    case Telugu:
      return {1, 1};
    case Afrikaans:
    case Armenian:
    case Georgian:
      return {1, 2};
    case Sanskrit:
      return {1, 3};
    case Czech:
    case English_US:
    case English_GB:
    case Estonian:
    case French:
    case Irish:
    case Portuguese:
    case Slovak:
    case Thai:
    case Welsh:
      return {2, 3};
    default:
      return {2, 2};
  }
}

}  // namespace

// Words go through the language's compiled fast path, so a hyphenator costs nothing to make and
// its first word builds nothing. Its fields are built when a caller first asks for them: the
// patterns as a view of the compiled trie, the character map and the exceptions from their files.
Hyphenator loadHyphenator(Language language) {
  const detail::CompiledLanguage& compiled = detail::compiledLanguage(languageAffix(language));
  const std::string prefix = "hyph-" + std::string(languageAffix(language)) + ".";
  const auto [leftMin, rightMin] = minimums(language);
  return detail::makeDeferredHyphenator(
      [name = prefix + "chr.txt.gz"] {
        return detail::parseCharTable(detail::readEmbeddedFile(name));
      },
      [&fastPath = compiled.fastPath] {
        auto trie = fastPath.visitTrie([](const auto& compiled) {
          return std::make_shared<const detail::FrozenTrie>(compiled);
        });
        return detail::PatternAccess::make(
            std::make_shared<const detail::PatternNode>(std::move(trie), detail::FrozenTrie::root));
      },
      [name = prefix + "hyp.txt.gz"] { return parseExceptions(detail::readEmbeddedFile(name)); },
      leftMin, rightMin, &compiled.fastPath);
}

}  // namespace text::hyphenation
