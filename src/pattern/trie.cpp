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
  std::vector<Patterns> orphans;
  children.dismantle(orphans);
  while (!orphans.empty()) {
    std::shared_ptr<const PatternNode> node = PatternAccess::release(orphans.back());
    orphans.pop_back();
    if (node && node.use_count() == 1) {
      std::atomic_thread_fence(std::memory_order_acquire);
      const_cast<PatternNode&>(*node).children.dismantle(orphans);
    }
  }
}

NodeView::NodeView(const Patterns& trie) : node_(PatternAccess::node(trie)) {
  if (!node_) return;
  if (node_->frozen) {
    frozen_ = &node_->frozen;
    state_ = node_->state;
  }
  if (node_->view) node_ = nullptr;
}

bool NodeView::sameAs(const NodeView& other) const {
  if (node_ || other.node_) return node_ == other.node_;
  if (!frozen_ || !other.frozen_) return frozen_ == other.frozen_;
  return *frozen_ == *other.frozen_ && state_ == other.state_;
}

const std::shared_ptr<const Scores>& NodeView::ownScores() const {
  static const std::shared_ptr<const Scores> none;
  return node_ ? node_->scores : none;
}

std::size_t NodeView::scoreCount() const {
  if (node_ && node_->scores) return node_->scores->size();
  return frozen_ ? (*frozen_)->scores(state_).size() : 0;
}

std::int64_t NodeView::score(std::size_t k) const {
  if (node_ && node_->scores) return (*node_->scores)[k];
  return (*frozen_)->scores(state_)[k];
}

Scores NodeView::scores() const {
  if (node_ && node_->scores) return *node_->scores;
  if (!frozen_) return Scores();
  const auto bytes = (*frozen_)->scores(state_);
  return Scores(bytes.begin(), bytes.end());
}

NodeView::Child NodeView::children() const {
  Child child;
  if (frozen_) {
    child.frozen_ = frozen_;
    child.frozenChild_ = (*frozen_)->firstChild(state_);
  }
  if (node_) child.own_ = node_->children.begin();
  child.settle();
  return child;
}

NodeView::Child NodeView::find(char32_t key) const {
  Child child;
  if (node_) {
    if (const Patterns* own = node_->children.find(key)) {
      child.found_ = own;
      child.foundKey_ = key;
      child.single_ = true;
      child.from_ = Child::From::own;
      return child;
    }
  }
  if (frozen_) {
    child.frozen_ = frozen_;
    child.frozenChild_ = (*frozen_)->find(state_, key);
    child.single_ = true;
    if (child.frozenChild_ != FrozenTrie::none) child.from_ = Child::From::frozen;
  }
  return child;
}

void NodeView::Child::settle() {
  const bool own = own_.valid();
  const bool base = frozenChild_ != FrozenTrie::none;
  if (own && base) {
    from_ = own_.key() <= (*frozen_)->key(frozenChild_) ? From::own : From::frozen;
  } else {
    from_ = own ? From::own : base ? From::frozen : From::none;
  }
}

char32_t NodeView::Child::key() const {
  if (from_ == From::frozen) return (*frozen_)->key(frozenChild_);
  return found_ ? foundKey_ : own_.key();
}

NodeView NodeView::Child::view() const {
  if (from_ == From::frozen) {
    NodeView view;
    view.frozen_ = frozen_;
    view.state_ = frozenChild_;
    return view;
  }
  return NodeView(found_ ? *found_ : own_.child());
}

Patterns NodeView::Child::handle() const {
  if (from_ == From::frozen) {
    return PatternAccess::make(std::make_shared<const PatternNode>(*frozen_, frozenChild_));
  }
  return found_ ? *found_ : own_.child();
}

void NodeView::Child::next() {
  if (single_) {
    from_ = From::none;
    return;
  }
  if (from_ == From::own) {
    // An own child replaces the base's child under the same key.
    if (frozenChild_ != FrozenTrie::none && (*frozen_)->key(frozenChild_) == own_.key()) {
      frozenChild_ = (*frozen_)->nextSibling(frozenChild_);
    }
    own_.next();
  } else if (from_ == From::frozen) {
    frozenChild_ = (*frozen_)->nextSibling(frozenChild_);
  }
  settle();
}

}  // namespace detail

using detail::ChildMap;
using detail::NodeView;
using detail::PatternAccess;
using detail::PatternNode;

namespace {

std::shared_ptr<const Scores> shared(Scores scores) {
  return scores.empty() ? nullptr : std::make_shared<const Scores>(std::move(scores));
}

// The explicit node made from `old`: its own scores (or `scores` in their place) and own
// children with `child` under `key`, over its base.
Patterns changed(const NodeView& old, std::shared_ptr<const Scores> scores, ChildMap children) {
  return PatternAccess::make(std::make_shared<const PatternNode>(
      std::move(scores), std::move(children), old.base(), old.baseState()));
}

Patterns explicitNode(std::shared_ptr<const Scores> scores, ChildMap children) {
  return PatternAccess::make(
      std::make_shared<const PatternNode>(std::move(scores), std::move(children)));
}

}  // namespace

Patterns::Patterns() = default;

Patterns::Patterns(Scores scores, Children children) {
  std::vector<std::pair<char32_t, Patterns>> sorted(std::make_move_iterator(children.begin()),
                                                    std::make_move_iterator(children.end()));
  node_ = std::make_shared<const PatternNode>(shared(std::move(scores)), ChildMap(sorted));
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

// Copies the nodes on the pattern's path and nothing else: each new node shares its scores and
// the children it does not change with the node it replaces, and a frozen node's children stay
// where they are, under the new node as its base.
Patterns insertPattern(std::u32string_view pattern, const Patterns& trie) {
  std::u32string letters;
  for (char32_t c : pattern) {
    if (!detail::isScoreDigit(c)) letters.push_back(c);
  }
  auto scores = std::make_shared<const Scores>(scorePattern(pattern));

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
    built = changed(path.back(), std::move(scores), path.back().ownChildren());
  } else {
    // A new chain for the letters the trie does not have yet, built from its far end.
    built = explicitNode(std::move(scores), ChildMap());
    for (std::size_t k = letters.size() - 1; k > depth; --k)
      built = explicitNode(nullptr, ChildMap().with(letters[k], std::move(built)));
    ++depth;
  }
  // The nodes above, each with its child on the path replaced.
  while (depth > 0) {
    --depth;
    const NodeView& old = path[depth];
    built = changed(old, old.ownScores(), old.ownChildren().with(letters[depth], std::move(built)));
  }
  return built;
}

// Merges node by node with an explicit stack. At each pair of nodes the children of one side go
// into (a changed copy of) the other: the side with more children takes the other's, so that
// merging a small trie into a large one costs the small one's size.
Patterns operator+(const Patterns& left, const Patterns& right) {
  // The merge when it needs no new node: one side is empty or both are the same node.
  enum class Shortcut { none, left, right };
  auto shortcut = [](const NodeView& a, const NodeView& b) {
    if (a.sameAs(b) || b.empty()) return Shortcut::left;
    if (a.empty()) return Shortcut::right;
    return Shortcut::none;
  };
  struct Frame {
    Frame(const NodeView& left, const NodeView& right) {
      // A frozen base has at most as many children as its trie has letters.
      const auto weight = [](const NodeView& side) {
        return side.ownChildren().size() + (side.base() ? side.base()->letters().size() : 0);
      };
      const bool leftTakes = weight(left) >= weight(right);
      into = leftTakes ? left : right;
      from = leftTakes ? right : left;
      next = from.children();
      children = into.ownChildren();
      // A side without scores leaves the other's shared, or, with none of its own, its base's.
      if (from.scoreCount() == 0) {
        scores = into.ownScores();
      } else if (into.scoreCount() == 0) {
        scores = from.ownScores() ? from.ownScores() : shared(from.scores());
      } else {
        scores = shared(detail::zipMax(into.scores(), from.scores()));
      }
    }
    NodeView into, from;
    NodeView::Child next;  // from's next child to merge in
    ChildMap children;
    std::shared_ptr<const Scores> scores;
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
    bool descended = false;
    for (; frame.next.valid(); frame.next.next()) {
      const char32_t key = frame.next.key();
      const auto there = frame.into.find(key);
      if (!there.valid()) {
        frame.children = frame.children.with(key, frame.next.handle());
        continue;
      }
      const Shortcut common = shortcut(there.view(), frame.next.view());
      if (common == Shortcut::none) {
        stack.emplace_back(there.view(), frame.next.view());
        descended = true;
        break;
      }
      if (common == Shortcut::right) frame.children = frame.children.with(key, frame.next.handle());
    }
    if (descended) continue;
    Patterns finished = changed(frame.into, std::move(frame.scores), std::move(frame.children));
    stack.pop_back();
    if (stack.empty()) return finished;
    Frame& parent = stack.back();
    parent.children = parent.children.with(parent.next.key(), std::move(finished));
    parent.next.next();
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
