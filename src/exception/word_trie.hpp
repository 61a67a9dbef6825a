#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/hyphenation/scores.hpp"

namespace text::hyphenation::detail {

// The storage of an exception table: a persistent hash array mapped trie from word to score list.
// The hash of a word picks, five bits a level, one of 32 slots in each node on its way down; a
// slot holds one entry or a node, and a node keeps only the slots in use, in order, with a bit per
// slot saying which. A lookup is one hash and a walk of at most a few levels.
//
// Copies share their nodes. A change copies the nodes on the path it changes, except nodes that
// no other map shares, which it changes where they are: so adding a word to a shared table costs
// the few nodes of its path, and building a table no one else sees copies nothing.
class WordTrie {
 public:
  struct Entry {
    std::u32string word;
    Scores scores;
    std::uint64_t hash;
  };

  using Hash = std::uint64_t (*)(std::u32string_view word);
  static std::uint64_t hashOf(std::u32string_view word);

  // The empty trie; tests may give a hash of their own, to make words collide.
  explicit WordTrie(Hash hash = hashOf) : hash_(hash) {}

  std::size_t size() const { return size_; }
  // The scores of exactly `word`, or null.
  const Scores* find(std::u32string_view word) const;
  // Adds `word` with `scores`, or, when the word is there, keeps for it the element-wise minimum
  // of both lists (zipMin).
  void merge(std::u32string word, Scores scores);
  // The same for an entry of another trie, which is shared rather than copied when its word is new.
  void merge(const std::shared_ptr<const Entry>& entry);
  // Calls visit(entry) for every entry (a std::shared_ptr<const Entry>), in no particular order.
  template <class Visit>
  void forEach(Visit visit) const;
  // Whether the two are one trie (and so equal without comparing).
  bool sameAs(const WordTrie& other) const { return root_ == other.root_; }

 private:
  struct Node {
    std::uint32_t entryBits = 0;                        // the slots that hold an entry
    std::uint32_t childBits = 0;                        // the slots that hold a node
    std::vector<std::shared_ptr<const Entry>> entries;  // in slot order; below the last level, all
    std::vector<std::shared_ptr<Node>> children;        // in slot order
  };
  static constexpr unsigned bitsPerLevel = 5;
  // Past this level the hash has no bits left: its one node lists the entries that share them.
  static constexpr unsigned lastLevel = 64 / bitsPerLevel;

  static std::uint32_t slotBit(std::uint64_t hash, unsigned level) {
    return std::uint32_t{1} << ((hash >> (bitsPerLevel * level)) & ((1u << bitsPerLevel) - 1));
  }
  static std::size_t rank(std::uint32_t bits, std::uint32_t bit) {
    return static_cast<std::size_t>(std::popcount(bits & (bit - 1)));
  }
  // `node` made safe to change: copied when another trie shares it.
  static Node& own(std::shared_ptr<Node>& node);
  void mergeEntry(std::shared_ptr<const Entry> entry);

  Hash hash_;
  std::shared_ptr<Node> root_;
  std::size_t size_ = 0;
};

template <class Visit>
void WordTrie::forEach(Visit visit) const {
  if (!root_) return;
  std::vector<const Node*> pending{root_.get()};
  while (!pending.empty()) {
    const Node* node = pending.back();
    pending.pop_back();
    for (const auto& entry : node->entries)
      visit(entry);
    for (const auto& child : node->children)
      pending.push_back(child.get());
  }
}

}  // namespace text::hyphenation::detail
