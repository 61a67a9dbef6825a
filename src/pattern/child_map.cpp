#include "pattern/child_map.hpp"

#include <algorithm>
#include <atomic>

namespace text::hyphenation::detail {

ChildMap::ChildMap(const std::vector<std::pair<char32_t, Patterns>>& sorted)
    : root_(build(sorted, 0, sorted.size())) {}

ChildMap::Link ChildMap::build(const std::vector<std::pair<char32_t, Patterns>>& sorted,
                               std::size_t begin, std::size_t end) {
  if (begin == end) return nullptr;
  const std::size_t middle = begin + (end - begin) / 2;
  return make(sorted[middle].first, sorted[middle].second, build(sorted, begin, middle),
              build(sorted, middle + 1, end));
}

ChildMap::Link ChildMap::make(char32_t key, Patterns child, Link left, Link right) {
  const int height = 1 + std::max(ChildMap::height(left), ChildMap::height(right));
  const std::size_t size = 1 + (left ? left->size : 0) + (right ? right->size : 0);
  return std::make_shared<const Node>(
      Node{key, std::move(child), std::move(left), std::move(right), height, size});
}

// The node of `key` over `left` and `right`, whose heights differ by at most two, rotated so
// that they differ by at most one.
ChildMap::Link ChildMap::balance(char32_t key, Patterns child, Link left, Link right) {
  if (height(left) > height(right) + 1) {
    if (height(left->left) >= height(left->right)) {
      return make(left->key, left->child, left->left,
                  make(key, std::move(child), left->right, std::move(right)));
    }
    const Link& pivot = left->right;
    return make(pivot->key, pivot->child, make(left->key, left->child, left->left, pivot->left),
                make(key, std::move(child), pivot->right, std::move(right)));
  }
  if (height(right) > height(left) + 1) {
    if (height(right->right) >= height(right->left)) {
      return make(right->key, right->child,
                  make(key, std::move(child), std::move(left), right->left), right->right);
    }
    const Link& pivot = right->left;
    return make(pivot->key, pivot->child, make(key, std::move(child), std::move(left), pivot->left),
                make(right->key, right->child, pivot->right, right->right));
  }
  return make(key, std::move(child), std::move(left), std::move(right));
}

// Recurses as deep as the tree is high, a few dozen levels at most.
ChildMap::Link ChildMap::insert(const Link& node, char32_t key, Patterns child) {
  if (!node) return make(key, std::move(child), nullptr, nullptr);
  if (key < node->key) {
    return balance(node->key, node->child, insert(node->left, key, std::move(child)), node->right);
  }
  if (node->key < key) {
    return balance(node->key, node->child, node->left, insert(node->right, key, std::move(child)));
  }
  return make(key, std::move(child), node->left, node->right);
}

const Patterns* ChildMap::find(char32_t key) const {
  for (const Node* node = root_.get(); node;) {
    if (key < node->key) {
      node = node->left.get();
    } else if (node->key < key) {
      node = node->right.get();
    } else {
      return &node->child;
    }
  }
  return nullptr;
}

ChildMap ChildMap::with(char32_t key, Patterns child) const {
  return ChildMap(insert(root_, key, std::move(child)));
}

void ChildMap::Cursor::next() {
  const Node* successor = nullptr;
  for (const Node* node = root_; node;) {
    if (at_->key < node->key) {
      successor = node;
      node = node->left.get();
    } else {
      node = node->right.get();
    }
  }
  at_ = successor;
}

ChildMap::Cursor ChildMap::begin() const {
  Cursor cursor;
  cursor.root_ = root_.get();
  for (const Node* node = root_.get(); node; node = node->left.get())
    cursor.at_ = node;
  return cursor;
}

void ChildMap::dismantle(std::vector<Patterns>& children) {
  std::vector<Link> pending;
  pending.push_back(std::move(root_));
  while (!pending.empty()) {
    Link node = std::move(pending.back());
    pending.pop_back();
    if (!node || node.use_count() != 1) continue;
    std::atomic_thread_fence(std::memory_order_acquire);
    auto& owned = const_cast<Node&>(*node);
    children.push_back(std::move(owned.child));
    pending.push_back(std::move(owned.left));
    pending.push_back(std::move(owned.right));
  }
}

}  // namespace text::hyphenation::detail
