#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "text/hyphenation/pattern.hpp"

namespace text::hyphenation::detail {

// One explicit trie node. A Patterns handle without a node is the empty trie.
struct PatternNode {
  using Edge = std::pair<char32_t, Patterns>;

  PatternNode(Scores scores, std::vector<Edge> children)
      : scores(std::move(scores)), children(std::move(children)) {}
  PatternNode(const PatternNode&) = default;
  // Tears down chains of nodes that only this one owns without recursing once per level.
  ~PatternNode();

  Scores scores;
  std::vector<Edge> children;  // ascending keys
};

struct PatternAccess {
  static const PatternNode* node(const Patterns& trie) { return trie.node_.get(); }
  static const std::shared_ptr<const PatternNode>& handle(const Patterns& trie) {
    return trie.node_;
  }
  static std::shared_ptr<const PatternNode> release(Patterns& trie) {
    return std::move(trie.node_);
  }
  static Patterns make(std::shared_ptr<const PatternNode> node) {
    return Patterns(std::move(node));
  }
};

// The element-wise maximum of two score lists, as long as the longer one: beyond the shorter
// list's end the longer list's entries follow unchanged.
Scores zipMax(const Scores& left, const Scores& right);

// The scores of the node, empty for the empty trie.
const Scores& scoresOf(const Patterns& trie);
// The children of the node in ascending key order, none for the empty trie.
const std::vector<PatternNode::Edge>& childrenOf(const Patterns& trie);
// The child under `key`, or nullptr.
const Patterns* findChild(const Patterns& trie, char32_t key);

// The lookup done the slow, obvious way: a walk from the root at every position of the framed
// word. Works on every trie; tests compare the fast lookup against it.
void referenceLookupInto(std::u32string_view word, const Patterns& trie, Scores& scores);

}  // namespace text::hyphenation::detail
