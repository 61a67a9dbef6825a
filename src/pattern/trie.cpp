#include <algorithm>
#include <atomic>
#include <iterator>

#include "pattern/node.hpp"
#include "pattern/scores.hpp"

namespace text::hyphenation {
namespace detail {
PatternNode::~PatternNode() {
  // Children that nobody else owns are emptied before they die, so that destroying a chain of a
  // million nodes takes a loop instead of a million nested destructor calls.
  std::vector<std::shared_ptr<const PatternNode>> pending;
  for (auto& edge : children)
    pending.push_back(PatternAccess::release(edge.second));
  while (!pending.empty()) {
    std::shared_ptr<const PatternNode> node = std::move(pending.back());
    pending.pop_back();
    if (node && node.use_count() == 1) {
      std::atomic_thread_fence(std::memory_order_acquire);
      auto& owned = const_cast<PatternNode&>(*node);
      for (auto& edge : owned.children)
        pending.push_back(PatternAccess::release(edge.second));
      owned.children.clear();
    }
  }
}

NodeView::NodeView(const Patterns& trie) {
  const PatternNode* node = PatternAccess::node(trie);
  if (node && node->frozen) {
    frozen_ = &node->frozen;
    state_ = node->state;
  } else {
    node_ = node;
  }
}

bool NodeView::sameAs(const NodeView& other) const {
  if (frozen_) return other.frozen_ && *frozen_ == *other.frozen_ && state_ == other.state_;
  return !other.frozen_ && node_ == other.node_;
}

std::size_t NodeView::scoreCount() const {
  if (frozen_) return (*frozen_)->scores(state_).size();
  return node_ ? node_->scores.size() : 0;
}

std::int64_t NodeView::score(std::size_t k) const {
  return frozen_ ? (*frozen_)->scores(state_)[k] : node_->scores[k];
}

Scores NodeView::scores() const {
  if (frozen_) {
    auto bytes = (*frozen_)->scores(state_);
    return Scores(bytes.begin(), bytes.end());
  }
  return node_ ? node_->scores : Scores();
}

NodeView::Child NodeView::children() const {
  Child child;
  if (frozen_) {
    child.frozen_ = frozen_;
    child.state_ = (*frozen_)->firstChild(state_);
  } else {
    child.node_ = node_;
  }
  return child;
}

NodeView::Child NodeView::find(char32_t key) const {
  Child child = children();
  if (frozen_) {
    child.state_ = (*frozen_)->find(state_, key);
  } else if (node_) {
    const auto& edges = node_->children;
    auto at =
        std::lower_bound(edges.begin(), edges.end(), key,
                         [](const PatternNode::Edge& edge, char32_t k) { return edge.first < k; });
    child.index_ = at != edges.end() && at->first == key ? at - edges.begin() : edges.size();
  }
  return child;
}

char32_t NodeView::Child::key() const {
  return frozen_ ? (*frozen_)->key(state_) : node_->children[index_].first;
}

NodeView NodeView::Child::view() const {
  NodeView view;
  if (frozen_) {
    view.frozen_ = frozen_;
    view.state_ = state_;
    return view;
  }
  return NodeView(node_->children[index_].second);
}

Patterns NodeView::Child::handle() const {
  if (frozen_) return PatternAccess::make(std::make_shared<const PatternNode>(*frozen_, state_));
  return node_->children[index_].second;
}

void NodeView::Child::next() {
  if (frozen_) {
    state_ = (*frozen_)->nextSibling(state_);
  } else {
    ++index_;
  }
}

}  // namespace detail

using detail::NodeView;
using detail::PatternAccess;
using detail::PatternNode;

Patterns::Patterns() = default;

Patterns::Patterns(Scores scores, Children children) {
  std::vector<PatternNode::Edge> edges(std::make_move_iterator(children.begin()),
                                       std::make_move_iterator(children.end()));
  node_ = std::make_shared<const PatternNode>(std::move(scores), std::move(edges));
}

Scores patternScores(const Patterns& node) {
  return NodeView(node).scores();
}

Patterns::Children patternChildren(const Patterns& node) {
  Patterns::Children children;
  for (auto child = NodeView(node).children(); child.valid(); child.next()) {
    children.emplace_hint(children.end(), child.key(), child.handle());
  }
  return children;
}

namespace {

std::vector<PatternNode::Edge> childrenOf(const NodeView& view) {
  std::vector<PatternNode::Edge> children;
  for (auto child = view.children(); child.valid(); child.next()) {
    children.emplace_back(child.key(), child.handle());
  }
  return children;
}

Patterns makeNode(Scores scores, std::vector<PatternNode::Edge> children) {
  return PatternAccess::make(
      std::make_shared<const PatternNode>(std::move(scores), std::move(children)));
}

}  // namespace

Patterns insertPattern(std::u32string_view pattern, const Patterns& trie) {
  std::u32string letters;
  for (char32_t c : pattern) {
    if (!detail::isScoreDigit(c)) letters.push_back(c);
  }
  Scores scores = scorePattern(pattern);

  // path[k] is the existing node spelled by the first k letters.
  std::vector<NodeView> path{NodeView(trie)};
  while (path.size() <= letters.size()) {
    auto child = path.back().find(letters[path.size() - 1]);
    if (!child.valid()) break;
    path.push_back(child.view());
  }

  std::size_t depth = path.size() - 1;
  Patterns built;
  if (depth == letters.size()) {
    built = makeNode(std::move(scores), childrenOf(path.back()));
  } else {
    // A new chain for the letters the trie does not have yet, built from its far end.
    built = makeNode(std::move(scores), {});
    for (std::size_t k = letters.size() - 1; k > depth; --k) {
      std::vector<PatternNode::Edge> edge;
      edge.emplace_back(letters[k], std::move(built));
      built = makeNode({}, std::move(edge));
    }
    ++depth;
  }
  // Copy the existing nodes above, each with its child on the path replaced.
  while (depth > 0) {
    --depth;
    const NodeView& old = path[depth];
    auto children = childrenOf(old);
    char32_t key = letters[depth];
    auto at =
        std::lower_bound(children.begin(), children.end(), key,
                         [](const PatternNode::Edge& edge, char32_t k) { return edge.first < k; });
    if (at != children.end() && at->first == key) {
      at->second = std::move(built);
    } else {
      children.emplace(at, key, std::move(built));
    }
    built = makeNode(old.scores(), std::move(children));
  }
  return built;
}

Patterns operator+(const Patterns& left, const Patterns& right) {
  // Merged nodes are built bottom-up with an explicit stack: a frame per pair of nodes being
  // merged, whose children are collected until both child lists are used up.
  struct Frame {
    Frame(const NodeView& left, const NodeView& right)
        : left(left), right(right), leftChild(left.children()), rightChild(right.children()) {}
    NodeView left;
    NodeView right;
    NodeView::Child leftChild;
    NodeView::Child rightChild;
    std::vector<PatternNode::Edge> children;
  };
  // The merge when it needs no new node: one side is empty or both are the same node.
  enum class Shortcut { none, left, right };
  auto shortcut = [](const NodeView& a, const NodeView& b) {
    if (a.sameAs(b) || b.empty()) return Shortcut::left;
    if (a.empty()) return Shortcut::right;
    return Shortcut::none;
  };
  switch (shortcut(NodeView(left), NodeView(right))) {
    case Shortcut::left:
      return left;
    case Shortcut::right:
      return right;
    case Shortcut::none:
      break;
  }

  std::vector<Frame> stack;
  stack.emplace_back(NodeView(left), NodeView(right));
  while (true) {
    Frame& frame = stack.back();
    NodeView::Child& a = frame.leftChild;
    NodeView::Child& b = frame.rightChild;
    bool descended = false;
    while (a.valid() || b.valid()) {
      if (!b.valid() || (a.valid() && a.key() < b.key())) {
        frame.children.emplace_back(a.key(), a.handle());
        a.next();
      } else if (!a.valid() || b.key() < a.key()) {
        frame.children.emplace_back(b.key(), b.handle());
        b.next();
      } else {
        Shortcut common = shortcut(a.view(), b.view());
        if (common == Shortcut::none) {
          stack.emplace_back(a.view(), b.view());
          descended = true;
          break;
        }
        frame.children.emplace_back(a.key(), common == Shortcut::left ? a.handle() : b.handle());
        a.next();
        b.next();
      }
    }
    if (descended) continue;
    Patterns finished = makeNode(detail::zipMax(frame.left.scores(), frame.right.scores()),
                                 std::move(frame.children));
    stack.pop_back();
    if (stack.empty()) return finished;
    Frame& parent = stack.back();
    parent.children.emplace_back(parent.leftChild.key(), std::move(finished));
    parent.leftChild.next();
    parent.rightChild.next();
  }
}

Patterns sconcat(std::span<const Patterns> tries) {
  if (tries.empty()) throw Error("sconcat: empty sequence");
  Patterns result = tries.back();
  for (std::size_t k = tries.size() - 1; k > 0; --k)
    result = tries[k - 1] + result;
  return result;
}

Patterns stimes(std::int64_t count, const Patterns& trie) {
  if (count < 1) throw Error("stimes: positive multiplier expected");
  // Combining is idempotent, so any number of copies combine to the trie itself.
  return trie;
}

Patterns mconcat(std::span<const Patterns> tries) {
  Patterns result;
  for (std::size_t k = tries.size(); k > 0; --k)
    result = tries[k - 1] + result;
  return result;
}

bool operator==(const Patterns& left, const Patterns& right) {
  std::vector<std::pair<NodeView, NodeView>> pending{{NodeView(left), NodeView(right)}};
  while (!pending.empty()) {
    auto [a, b] = pending.back();
    pending.pop_back();
    if (a.sameAs(b)) continue;
    std::size_t scoreCount = a.scoreCount();
    if (scoreCount != b.scoreCount()) return false;
    for (std::size_t k = 0; k < scoreCount; ++k) {
      if (a.score(k) != b.score(k)) return false;
    }
    auto aChild = a.children(), bChild = b.children();
    for (; aChild.valid() && bChild.valid(); aChild.next(), bChild.next()) {
      if (aChild.key() != bChild.key()) return false;
      pending.emplace_back(aChild.view(), bChild.view());
    }
    if (aChild.valid() || bChild.valid()) return false;
  }
  return true;
}

}  // namespace text::hyphenation
