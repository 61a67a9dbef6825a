#include "hyphenator/fast_path.hpp"

#include <algorithm>

#include "pattern/node.hpp"

namespace text::hyphenation::detail {

HyphenationPlan::HyphenationPlan(const CharMap& chars, const Patterns& patterns,
                                 const ExceptionFilter& exceptions)
    : chars_(chars), exceptions_(exceptions) {
  const PatternNode* node = PatternAccess::node(patterns);
  if (!node || !node->frozen || node->state != FrozenTrie::root) return;
  trie_ = node->frozen.get();

  // Only the pages that hold a key of the map or a letter of the alphabet can give a class
  // other than 0: a code point on any other page stays itself and is no letter.
  std::vector<bool> needed((lastPlane >> 8) + 1, false);
  needed[0] = true;  // Latin-1 is read without the page table
  for (const auto& [key, value] : chars.entries()) {
    if (key <= lastPlane) needed[key >> 8] = true;
  }
  for (char32_t letter : trie_->alphabet()) {
    if (letter <= lastPlane) needed[letter >> 8] = true;
  }
  pages_.assign(needed.size(), 0);
  blocks_.assign(256, 0);
  for (std::size_t page = 0; page < needed.size(); ++page) {
    if (!needed[page]) continue;
    pages_[page] = static_cast<std::uint16_t>(blocks_.size() >> 8);
    for (char32_t c = static_cast<char32_t>(page << 8); c < ((page + 1) << 8); ++c)
      blocks_.push_back(trie_->letterClass(chars(c)));
  }
  latin_ = blocks_.data() + (std::size_t{pages_[0]} << 8);
}

}  // namespace text::hyphenation::detail
