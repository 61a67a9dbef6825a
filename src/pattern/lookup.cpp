// Knuth–Liang patterns. A pattern is a run of letters with a score in each gap between them,
// and "." stands for the edge of a word. A word is framed by "." on both sides, and every gap
// takes the largest score of all the patterns that occur around it; an odd score allows a break,
// an even one forbids it. With nine of the English patterns:
//
//   . h y p h e n a t i o n .
//     h y3p h                  hy3ph
//           h e2n              he2n
//           h e n a4           hena4
//           h e n5a t          hen5at
//              1n a            1na
//               n2a t          n2at
//                  1t i o      1tio
//                    2i o      2io
//                       o2n    o2n
//   . h y3p h e2n5a4t2i o2n .  ->  hy-phen-ation
//
// The trie keys each pattern by its letters and keeps its scores at the node the letters lead
// to, so that one walk from each position of the word finds every pattern that occurs there:
// the walk from "h" (position 1) passes the nodes h, hy, hyp, hyph and takes the scores of
// "hy3ph" where that pattern ends; the walk from the second "h" takes "he2n", "hena4" and
// "hen5at". This is the reference walk below, which works on every trie through node views. A
// parsed trie does the same walks in its compact arrays (compact_trie.cpp).

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
  if (node && node->isFrozenRoot()) {
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
