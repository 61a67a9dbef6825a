#include "hyphenator/fast_path.hpp"

#include <algorithm>
#include <vector>

#include "text/hyphenation/error.hpp"

namespace text::hyphenation::detail {

FastPathArrays buildFastPath(const CharMap& chars, std::u32string_view patterns,
                             const Exceptions& exceptions, OutputTable& outputs) {
  // Letters of the exceptions that no pattern holds get classes of their own, after the
  // patterns' letters, so that every listed word is a sequence of classes.
  std::vector<char32_t> extra;
  for (const auto& [word, scores] : exceptions.entries())
    extra.insert(extra.end(), word.begin(), word.end());
  std::sort(extra.begin(), extra.end());
  extra.erase(std::unique(extra.begin(), extra.end()), extra.end());
  const TrieDraft draft = draftPatterns(patterns, extra);
  FastPathArrays arrays{{}, freezeDraft(draft, outputs), CompiledExceptionArrays({})};
  const FrozenArrays& trie = arrays.trie;
  const auto letterClass = [&](char32_t c) -> std::uint32_t {
    return trie.narrow() ? trie.narrowClasses(c) : trie.wideClasses(c);
  };
  if (!trie.regular || !trie.failure.empty() || trie.alphabet.size() > 0xFFFF) {
    throw Error("These patterns cannot be compiled");
  }

  // Only a key of the map or a letter of the alphabet can have a normalised form that is a
  // letter; within Unicode, every code point on a page that holds one is tried, so that the
  // pages hold the composition's every value.
  constexpr char32_t lastCodePoint = 0x10FFFF;
  std::vector<bool> pages((lastCodePoint >> 8) + 1, false);
  std::vector<char32_t> candidates;
  auto consider = [&](char32_t c) {
    if (c > lastCodePoint) {
      candidates.push_back(c);
    } else if (!pages[c >> 8]) {
      pages[c >> 8] = true;
      for (char32_t offset = 0; offset < 256; ++offset)
        candidates.push_back((c & ~char32_t{0xFF}) | offset);
    }
  };
  for (const auto& [key, value] : chars.entries())
    consider(key);
  for (const char32_t letter : trie.alphabet)
    consider(letter);
  std::vector<CodePointTable<std::uint16_t>::Entry> classes;
  for (const char32_t c : candidates) {
    if (const std::uint32_t found = letterClass(chars(c)))
      classes.emplace_back(c, static_cast<std::uint16_t>(found));
  }
  arrays.classes = CodePointTable<std::uint16_t>(classes);

  std::vector<CompiledExceptionArrays::Entry> entries;
  for (const auto& [word, scores] : exceptions.entries()) {
    if (word.empty()) continue;  // hyphenate never looks the empty word up
    CompiledExceptionArrays::Entry& entry = entries.emplace_back();
    for (const char32_t c : word)
      entry.classes.push_back(static_cast<std::uint16_t>(letterClass(c)));
    for (const std::int64_t score : scores) {
      if (score < 0 || score > 255) throw Error("These exceptions cannot be compiled");
      entry.scores.push_back(static_cast<std::uint16_t>(score));
    }
    if (word.size() > 0xFFFF || scores.size() > 0xFFFF)
      throw Error("These exceptions cannot be compiled");
  }
  // In the order of their keys, so that the build writes the same bytes every time.
  std::sort(entries.begin(), entries.end(),
            [](const auto& a, const auto& b) { return a.classes < b.classes; });
  arrays.exceptions = CompiledExceptionArrays(entries);
  return arrays;
}

}  // namespace text::hyphenation::detail
