#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "pattern/frozen_trie.hpp"
#include "text/hyphenation/pattern.hpp"

namespace text::hyphenation::detail {

// One trie node: either explicit (its own scores and children) or a view of one state of a
// frozen trie. Parsing makes frozen tries; inserting and combining make explicit nodes along
// the paths they change and keep every untouched subtree as it was, frozen or not. A Patterns
// handle without a node is the empty trie.
struct PatternNode {
  using Edge = std::pair<char32_t, Patterns>;

  PatternNode(Scores scores, std::vector<Edge> children)
      : scores(std::move(scores)), children(std::move(children)) {}
  PatternNode(std::shared_ptr<const FrozenTrie> frozen, std::uint32_t state)
      : frozen(std::move(frozen)), state(state) {}
  PatternNode(const PatternNode&) = delete;
  // Tears down chains of nodes that only this one owns without recursing once per level.
  ~PatternNode();

  Scores scores;
  std::vector<Edge> children;  // ascending keys
  std::shared_ptr<const FrozenTrie> frozen;
  std::uint32_t state = 0;
};

struct PatternAccess {
  static const PatternNode* node(const Patterns& trie) { return trie.node_.get(); }
  static std::shared_ptr<const PatternNode> release(Patterns& trie) {
    return std::move(trie.node_);
  }
  static Patterns make(std::shared_ptr<const PatternNode> node) {
    return Patterns(std::move(node));
  }
};

// A borrowed view of one node, explicit or frozen, valid while the handle it was taken from
// lives. Walking a frozen trie through views allocates nothing.
class NodeView {
 public:
  // A position among a node's children, which come in ascending key order.
  class Child {
   public:
    bool valid() const {
      return frozen_ ? state_ != FrozenTrie::none : node_ && index_ < node_->children.size();
    }
    char32_t key() const;
    NodeView view() const;
    // A handle to the child, for building new nodes.
    Patterns handle() const;
    void next();

   private:
    friend class NodeView;
    const PatternNode* node_ = nullptr;
    std::size_t index_ = 0;
    const std::shared_ptr<const FrozenTrie>* frozen_ = nullptr;
    std::uint32_t state_ = 0;
  };

  NodeView() = default;  // the empty trie
  explicit NodeView(const Patterns& trie);

  // The same node, so that equal subtrees need not be compared.
  bool sameAs(const NodeView& other) const;
  bool empty() const { return scoreCount() == 0 && !children().valid(); }

  std::size_t scoreCount() const;
  std::int64_t score(std::size_t k) const;
  Scores scores() const;

  Child children() const;
  // The child under `key`, or an invalid position.
  Child find(char32_t key) const;

 private:
  const PatternNode* node_ = nullptr;                          // explicit node, or null
  const std::shared_ptr<const FrozenTrie>* frozen_ = nullptr;  // frozen trie, or null
  std::uint32_t state_ = 0;
};

// The lookup done the slow, obvious way over the node view: a walk from the root at every
// position of the framed word. Works on every trie; tests compare the fast lookup against it.
void referenceLookupInto(std::u32string_view word, const Patterns& trie, Scores& scores);

}  // namespace text::hyphenation::detail
