#include "hyphenator/fast_path.hpp"

#include <vector>

#include "pattern/node.hpp"

namespace text::hyphenation::detail {

FastPath::FastPath(const CharMap& chars, const Patterns& patterns,
                   const ExceptionFilter& exceptions)
    : chars_(chars), exceptions_(exceptions) {
  const PatternNode* node = PatternAccess::node(patterns);
  if (!node || !node->frozen || node->state != FrozenTrie::root) return;
  trie_ = node->frozen.get();

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
  for (const char32_t letter : trie_->alphabet())
    consider(letter);
  std::vector<LetterClasses::Entry> entries;
  for (const char32_t c : candidates) {
    if (const std::uint32_t letterClass = trie_->letterClass(chars(c)))
      entries.emplace_back(c, letterClass);
  }
  classes_ = LetterClasses(entries);
}

}  // namespace text::hyphenation::detail
