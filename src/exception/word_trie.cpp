#include "exception/word_trie.hpp"

#include <atomic>
#include <functional>
#include <utility>

#include "text/hyphenation/exception.hpp"

namespace text::hyphenation::detail {

std::uint64_t WordTrie::hashOf(std::u32string_view word) {
  return std::hash<std::u32string_view>()(word);
}

const Scores* WordTrie::find(std::u32string_view word) const {
  const Node* node = root_.get();
  if (!node) return nullptr;
  const std::uint64_t hash = hash_(word);
  for (unsigned level = 0; level < lastLevel; ++level) {
    const std::uint32_t bit = slotBit(hash, level);
    if (node->entryBits & bit) {
      const Entry& entry = *node->entries[rank(node->entryBits, bit)];
      return entry.word == word ? &entry.scores : nullptr;
    }
    if (!(node->childBits & bit)) return nullptr;
    node = node->children[rank(node->childBits, bit)].get();
  }
  for (const auto& entry : node->entries) {
    if (entry->word == word) return &entry->scores;
  }
  return nullptr;
}

WordTrie::Node& WordTrie::own(std::shared_ptr<Node>& node) {
  if (node.use_count() != 1) {
    node = std::make_shared<Node>(*node);
  } else {
    // Whatever the trie's other owners wrote before letting go happened before this change.
    std::atomic_thread_fence(std::memory_order_acquire);
  }
  return *node;
}

void WordTrie::merge(std::u32string word, Scores scores) {
  const std::uint64_t hash = hash_(word);
  mergeEntry(std::make_shared<const Entry>(Entry{std::move(word), std::move(scores), hash}));
}

void WordTrie::merge(const std::shared_ptr<const Entry>& entry) {
  mergeEntry(entry);
}

void WordTrie::mergeEntry(std::shared_ptr<const Entry> entry) {
  const auto merged = [&](const Entry& old) {
    return std::make_shared<const Entry>(
        Entry{old.word, zipMin(old.scores, entry->scores), old.hash});
  };
  if (!root_) root_ = std::make_shared<Node>();
  std::shared_ptr<Node>* at = &root_;
  for (unsigned level = 0;; ++level) {
    Node& node = own(*at);
    if (level == lastLevel) {
      for (auto& old : node.entries) {
        if (old->word == entry->word) {
          old = merged(*old);
          return;
        }
      }
      node.entries.push_back(std::move(entry));
      ++size_;
      return;
    }
    const std::uint32_t bit = slotBit(entry->hash, level);
    if (node.childBits & bit) {
      at = &node.children[rank(node.childBits, bit)];
      continue;
    }
    if (!(node.entryBits & bit)) {
      node.entries.insert(node.entries.begin() + rank(node.entryBits, bit), std::move(entry));
      node.entryBits |= bit;
      ++size_;
      return;
    }
    const std::size_t index = rank(node.entryBits, bit);
    if (node.entries[index]->word == entry->word) {
      node.entries[index] = merged(*node.entries[index]);
      return;
    }
    // Two words in one slot: the one there moves down into a node of its own, where the new one
    // follows it on the next turn.
    auto child = std::make_shared<Node>();
    if (level + 1 == lastLevel) {
      child->entries.push_back(std::move(node.entries[index]));
    } else {
      child->entryBits = slotBit(node.entries[index]->hash, level + 1);
      child->entries.push_back(std::move(node.entries[index]));
    }
    node.entries.erase(node.entries.begin() + index);
    node.entryBits &= ~bit;
    node.childBits |= bit;
    const auto placed =
        node.children.insert(node.children.begin() + rank(node.childBits, bit), std::move(child));
    at = &*placed;
  }
}

}  // namespace text::hyphenation::detail
