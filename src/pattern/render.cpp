#include <ostream>

#include "common/render.hpp"
#include "pattern/node.hpp"

namespace text::hyphenation {
namespace {

// Appends the trie at precedence 0 without recursing: a frame per open node, remembering the
// next child to print.
void appendTrie(std::string& out, const Patterns& trie) {
  struct Frame {
    detail::NodeView::Child child;
    bool first;
  };
  std::vector<Frame> stack;
  auto open = [&](const detail::NodeView& node) {
    out += "Patterns ";
    detail::appendScoreList(out, node.scoreCount(), [&](std::size_t k) { return node.score(k); });
    out += " (fromList [";
    stack.push_back(Frame{node.children(), true});
  };
  open(detail::NodeView(trie));
  while (!stack.empty()) {
    Frame& frame = stack.back();
    if (!frame.child.valid()) {
      out += "])";
      stack.pop_back();
      if (!stack.empty()) out += ')';
      continue;
    }
    if (!frame.first) out += ',';
    frame.first = false;
    out += '(';
    out += std::to_string(static_cast<std::uint32_t>(frame.child.key()));
    out += ',';
    detail::NodeView child = frame.child.view();
    frame.child.next();
    open(child);
  }
}

}  // namespace

std::string showsPrec(int precedence, const Patterns& trie) {
  return detail::showAtPrecedence(precedence, [&](std::string& out) { appendTrie(out, trie); });
}

std::string show(const Patterns& trie) {
  return showsPrec(0, trie);
}

std::string showList(std::span<const Patterns> tries) {
  return detail::showListOf(tries, appendTrie);
}

std::ostream& operator<<(std::ostream& out, const Patterns& trie) {
  return out << show(trie);
}

}  // namespace text::hyphenation
