#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "pattern/child_map.hpp"
#include "pattern/frozen_trie.hpp"
#include "text/hyphenation/pattern.hpp"

namespace text::hyphenation::detail {

// One trie node: a view of one state of a frozen trie, or an explicit node. Parsing makes frozen
// tries; inserting and combining make explicit nodes along the paths they change and keep every
// untouched subtree as it was, frozen or not. An explicit node made from a frozen one keeps that
// frozen state as its base: its own children add to or replace the base's, and its scores, when
// it has none of its own, are the base's; so a change never copies a frozen node's children. A
// Patterns handle without a node is the empty trie.
struct PatternNode {
  // A view of `state`.
  PatternNode(std::shared_ptr<const FrozenTrie> frozen, std::uint32_t state)
      : frozen(std::move(frozen)), state(state), view(true) {}
  // An explicit node over `base` at `baseState` (none when `base` is null).
  PatternNode(std::shared_ptr<const Scores> scores, ChildMap children,
              std::shared_ptr<const FrozenTrie> base = nullptr, std::uint32_t baseState = 0)
      : scores(std::move(scores)),
        children(std::move(children)),
        frozen(std::move(base)),
        state(baseState) {}
  PatternNode(const PatternNode&) = delete;
  // Tears down chains of nodes that only this one owns without recursing once per level.
  ~PatternNode();

  // A view of a frozen trie's root: the whole of a parsed trie.
  bool isFrozenRoot() const { return view && state == FrozenTrie::root; }

  std::shared_ptr<const Scores> scores;      // explicit: its own, or null
  ChildMap children;                         // explicit
  std::shared_ptr<const FrozenTrie> frozen;  // the view's trie, or the explicit node's base
  std::uint32_t state = 0;
  bool view = false;
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
// lives. Walking a trie through views allocates nothing.
class NodeView {
 public:
  // A position among a node's children, which come in ascending key order: an explicit node's
  // own children merged with its base's, its own taking the place of the base's under one key.
  class Child {
   public:
    bool valid() const { return from_ != From::none; }
    char32_t key() const;
    NodeView view() const;
    // A handle to the child, for building new nodes.
    Patterns handle() const;
    void next();

   private:
    friend class NodeView;
    enum class From { none, frozen, own };
    // Points at the smaller key of the two sequences.
    void settle();

    const std::shared_ptr<const FrozenTrie>* frozen_ = nullptr;
    std::uint32_t frozenChild_ = FrozenTrie::none;  // the base's next child, or none
    ChildMap::Cursor own_;
    const Patterns* found_ = nullptr;  // the own child find gave
    char32_t foundKey_ = 0;
    bool single_ = false;  // a position find gave
    From from_ = From::none;
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
  // The child under `key`, or an invalid position; its next() ends it.
  Child find(char32_t key) const;

  // What a node made from this one keeps: its own scores (null: its base's or none), its own
  // children, and the frozen state it rests on (this one's, for a view).
  const std::shared_ptr<const Scores>& ownScores() const;
  ChildMap ownChildren() const { return node_ ? node_->children : ChildMap(); }
  std::shared_ptr<const FrozenTrie> base() const { return frozen_ ? *frozen_ : nullptr; }
  std::uint32_t baseState() const { return state_; }

 private:
  const PatternNode* node_ = nullptr;                          // explicit node, or null
  const std::shared_ptr<const FrozenTrie>* frozen_ = nullptr;  // view or base, or null
  std::uint32_t state_ = 0;
};

// The lookup done the slow, obvious way over the node view: a walk from the root at every
// position of the framed word. Works on every trie; tests compare the fast lookup against it.
void referenceLookupInto(std::u32string_view word, const Patterns& trie, Scores& scores);

}  // namespace text::hyphenation::detail
