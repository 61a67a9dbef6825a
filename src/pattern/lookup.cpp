#include "pattern/lookup.hpp"

#include <algorithm>

#include "pattern/node.hpp"

namespace text::hyphenation {
namespace detail {
namespace {

// Raises scores[start + k] to list[k]. The buffer only grows at its end, and a contribution
// never starts beyond it, so entries past the end are appended as they are.
void raise(Scores& scores, std::size_t start, const NodeView& node) {
  for (std::size_t k = 0; k < node.scoreCount(); ++k) {
    std::size_t at = start + k;
    if (at < scores.size()) {
      scores[at] = std::max(scores[at], node.score(k));
    } else {
      scores.push_back(node.score(k));
    }
  }
}

}  // namespace

void referenceLookupInto(std::u32string_view word, const Patterns& trie, Scores& scores) {
  // Entry j of the combined list is the largest score that a pattern matching the framed word
  // gives the gap before character j, with 0 as the floor for the gaps inside the frame. Beyond
  // the frame only what patterns put there counts (the root's list, reaching past the end).
  const std::size_t length = word.size() + 2;
  auto framed = [&](std::size_t at) { return at == 0 || at == length - 1 ? U'.' : word[at - 1]; };
  scores.assign(length, 0);
  const NodeView root(trie);
  for (std::size_t start = 0; start < length; ++start) {
    NodeView node = root;
    std::size_t at = start;
    while (true) {
      raise(scores, start, node);
      if (at == length) break;
      auto child = node.find(framed(at));
      if (!child.valid()) break;
      node = child.view();
      ++at;
    }
  }
  raise(scores, length, root);
  // Without the gap before the opening "." and the last entry.
  scores.erase(scores.begin());
  scores.pop_back();
}

void lookupPatternInto(std::u32string_view word, const Patterns& trie, Scores& scores) {
  const PatternNode* node = PatternAccess::node(trie);
  if (node && node->frozen && node->state == FrozenTrie::root) {
    node->frozen->lookup(word, scores);
  } else {
    referenceLookupInto(word, trie, scores);
  }
}

}  // namespace detail

Scores lookupPattern(std::u32string_view word, const Patterns& trie) {
  Scores scores;
  detail::lookupPatternInto(word, trie, scores);
  return scores;
}

}  // namespace text::hyphenation
