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
// to, so that one walk from each position of the word finds every pattern that occurs there.

#include <algorithm>
#include <atomic>
#include <iterator>

#include "text/hyphenation/pattern_node.hpp"

namespace text::hyphenation {
namespace detail {
namespace {

const Scores noScores;
const std::vector<PatternNode::Edge> noChildren;

bool isDigit(char32_t c) {
  return c >= U'0' && c <= U'9';
}

template <class Children>
auto findEdge(Children& children, char32_t key) {
  return std::lower_bound(children.begin(), children.end(), key,
                          [](const PatternNode::Edge& edge, char32_t k) { return edge.first < k; });
}

}  // namespace

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

Scores zipMax(const Scores& left, const Scores& right) {
  const Scores& longer = left.size() >= right.size() ? left : right;
  const Scores& shorter = left.size() >= right.size() ? right : left;
  Scores result = longer;
  for (std::size_t k = 0; k < shorter.size(); ++k)
    result[k] = std::max(result[k], shorter[k]);
  return result;
}

const Scores& scoresOf(const Patterns& trie) {
  const PatternNode* node = PatternAccess::node(trie);
  return node ? node->scores : noScores;
}

const std::vector<PatternNode::Edge>& childrenOf(const Patterns& trie) {
  const PatternNode* node = PatternAccess::node(trie);
  return node ? node->children : noChildren;
}

const Patterns* findChild(const Patterns& trie, char32_t key) {
  const auto& children = childrenOf(trie);
  auto at = findEdge(children, key);
  return at != children.end() && at->first == key ? &at->second : nullptr;
}

}  // namespace detail

using detail::PatternAccess;
using detail::PatternNode;

Patterns::Patterns() = default;

Patterns::Patterns(Scores scores, Children children) {
  std::vector<PatternNode::Edge> edges(std::make_move_iterator(children.begin()),
                                       std::make_move_iterator(children.end()));
  node_ = std::make_shared<const PatternNode>(std::move(scores), std::move(edges));
}

Scores patternScores(const Patterns& node) {
  return detail::scoresOf(node);
}

Patterns::Children patternChildren(const Patterns& node) {
  const auto& children = detail::childrenOf(node);
  return Patterns::Children(children.begin(), children.end());
}

Scores scorePattern(std::u32string_view pattern) {
  Scores scores;
  std::size_t at = 0;
  while (at < pattern.size()) {
    char32_t c = pattern[at];
    if (detail::isDigit(c)) {
      scores.push_back(c - U'0');
      // The character after a digit is the letter it scores, even when it is another digit.
      at += 2;
      if (at > pattern.size()) return scores;
    } else {
      scores.push_back(0);
      at += 1;
    }
  }
  scores.push_back(0);
  return scores;
}

Patterns insertPattern(std::u32string_view pattern, const Patterns& trie) {
  std::u32string letters;
  for (char32_t c : pattern) {
    if (!detail::isDigit(c)) letters.push_back(c);
  }
  Scores scores = scorePattern(pattern);

  // path[k] is the existing node spelled by the first k letters.
  std::vector<const Patterns*> path{&trie};
  while (path.size() <= letters.size()) {
    const Patterns* child = detail::findChild(*path.back(), letters[path.size() - 1]);
    if (!child) break;
    path.push_back(child);
  }

  std::size_t depth = path.size() - 1;
  std::shared_ptr<const PatternNode> built;
  if (depth == letters.size()) {
    built =
        std::make_shared<const PatternNode>(std::move(scores), detail::childrenOf(*path.back()));
  } else {
    // A new chain for the letters the trie does not have yet, built from its far end.
    built =
        std::make_shared<const PatternNode>(std::move(scores), std::vector<PatternNode::Edge>{});
    for (std::size_t k = letters.size() - 1; k > depth; --k) {
      std::vector<PatternNode::Edge> edge;
      edge.emplace_back(letters[k], PatternAccess::make(std::move(built)));
      built = std::make_shared<const PatternNode>(Scores{}, std::move(edge));
    }
    ++depth;
  }
  // Copy the existing nodes above, each with its child on the path replaced.
  while (depth > 0) {
    --depth;
    const Patterns& old = *path[depth];
    auto children = detail::childrenOf(old);
    char32_t key = letters[depth];
    auto at = detail::findEdge(children, key);
    if (at != children.end() && at->first == key) {
      at->second = PatternAccess::make(std::move(built));
    } else {
      children.emplace(at, key, PatternAccess::make(std::move(built)));
    }
    built = std::make_shared<const PatternNode>(detail::scoresOf(old), std::move(children));
  }
  return PatternAccess::make(std::move(built));
}

Patterns operator+(const Patterns& left, const Patterns& right) {
  // Merged nodes are built bottom-up with an explicit stack: a frame per pair of nodes being
  // merged, whose children are collected until both child lists are used up.
  struct Frame {
    Frame(const Patterns* left, const Patterns* right) : left(left), right(right) {}
    const Patterns* left;
    const Patterns* right;
    std::size_t leftAt = 0;
    std::size_t rightAt = 0;
    std::vector<PatternNode::Edge> children;
  };
  auto trivial = [](const Patterns& a, const Patterns& b) -> const Patterns* {
    const PatternNode* na = PatternAccess::node(a);
    const PatternNode* nb = PatternAccess::node(b);
    if (na == nb || !nb) return &a;
    if (!na) return &b;
    return nullptr;
  };
  if (const Patterns* shortcut = trivial(left, right)) return *shortcut;

  std::vector<Frame> stack;
  stack.push_back(Frame{&left, &right});
  Patterns finished;
  while (true) {
    Frame& frame = stack.back();
    const auto& leftChildren = detail::childrenOf(*frame.left);
    const auto& rightChildren = detail::childrenOf(*frame.right);
    bool descended = false;
    while (frame.leftAt < leftChildren.size() || frame.rightAt < rightChildren.size()) {
      if (frame.rightAt == rightChildren.size() ||
          (frame.leftAt < leftChildren.size() &&
           leftChildren[frame.leftAt].first < rightChildren[frame.rightAt].first)) {
        frame.children.push_back(leftChildren[frame.leftAt++]);
      } else if (frame.leftAt == leftChildren.size() ||
                 rightChildren[frame.rightAt].first < leftChildren[frame.leftAt].first) {
        frame.children.push_back(rightChildren[frame.rightAt++]);
      } else {
        const Patterns& a = leftChildren[frame.leftAt].second;
        const Patterns& b = rightChildren[frame.rightAt].second;
        if (const Patterns* shortcut = trivial(a, b)) {
          frame.children.emplace_back(leftChildren[frame.leftAt].first, *shortcut);
          ++frame.leftAt;
          ++frame.rightAt;
        } else {
          stack.push_back(Frame{&a, &b});
          descended = true;
          break;
        }
      }
    }
    if (descended) continue;
    finished = PatternAccess::make(std::make_shared<const PatternNode>(
        detail::zipMax(detail::scoresOf(*frame.left), detail::scoresOf(*frame.right)),
        std::move(frame.children)));
    stack.pop_back();
    if (stack.empty()) return finished;
    Frame& parent = stack.back();
    parent.children.emplace_back(detail::childrenOf(*parent.left)[parent.leftAt].first,
                                 std::move(finished));
    ++parent.leftAt;
    ++parent.rightAt;
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
  std::vector<std::pair<const Patterns*, const Patterns*>> pending{{&left, &right}};
  while (!pending.empty()) {
    auto [a, b] = pending.back();
    pending.pop_back();
    if (PatternAccess::node(*a) == PatternAccess::node(*b)) continue;
    if (detail::scoresOf(*a) != detail::scoresOf(*b)) return false;
    const auto& aChildren = detail::childrenOf(*a);
    const auto& bChildren = detail::childrenOf(*b);
    if (aChildren.size() != bChildren.size()) return false;
    for (std::size_t k = 0; k < aChildren.size(); ++k) {
      if (aChildren[k].first != bChildren[k].first) return false;
      pending.emplace_back(&aChildren[k].second, &bChildren[k].second);
    }
  }
  return true;
}

}  // namespace text::hyphenation
