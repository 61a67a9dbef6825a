#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "text/hyphenation/pattern.hpp"

namespace text::hyphenation::detail {

// The children of an explicit trie node: a persistent map from code point to child, ordered by
// key. It is a balanced (AVL) tree whose nodes are shared by the maps made from one another, so
// setting a key copies only the nodes on its path: a node with many children costs a logarithm of
// their number to change, not their number.
class ChildMap {
  struct Node;
  using Link = std::shared_ptr<const Node>;

 public:
  ChildMap() = default;
  // From keys in ascending order, without repeats.
  explicit ChildMap(const std::vector<std::pair<char32_t, Patterns>>& sorted);

  std::size_t size() const { return root_ ? root_->size : 0; }
  bool empty() const { return !root_; }
  // The child under `key`, or null.
  const Patterns* find(char32_t key) const;
  // This map with `child` under `key`, in place of any child there.
  ChildMap with(char32_t key, Patterns child) const;

  // The children in ascending key order, without allocating: each step looks the next key up
  // from the top, so that a cursor is two pointers however deep a walk keeps many of them.
  class Cursor {
   public:
    bool valid() const { return at_ != nullptr; }
    char32_t key() const { return at_->key; }
    const Patterns& child() const { return at_->child; }
    void next();

   private:
    friend class ChildMap;
    const Node* root_ = nullptr;
    const Node* at_ = nullptr;
  };
  Cursor begin() const;

  // Empties the map, taking out the children of the tree nodes that no other map shares, into
  // `children`, so that a trie of a million levels can be torn down in a loop.
  void dismantle(std::vector<Patterns>& children);

 private:
  struct Node {
    char32_t key;
    Patterns child;
    Link left, right;
    int height;
    std::size_t size;
  };
  static Link make(char32_t key, Patterns child, Link left, Link right);
  static Link balance(char32_t key, Patterns child, Link left, Link right);
  static Link insert(const Link& node, char32_t key, Patterns child);
  static Link build(const std::vector<std::pair<char32_t, Patterns>>& sorted, std::size_t begin,
                    std::size_t end);
  static int height(const Link& node) { return node ? node->height : 0; }

  explicit ChildMap(Link root) : root_(std::move(root)) {}

  Link root_;
};

}  // namespace text::hyphenation::detail
