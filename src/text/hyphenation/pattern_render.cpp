#include <ostream>

#include "text/hyphenation/pattern_node.hpp"

namespace text::hyphenation {
namespace {

void appendScores(std::string& out, const Scores& scores) {
  out += '[';
  for (std::size_t k = 0; k < scores.size(); ++k) {
    if (k > 0) out += ',';
    out += std::to_string(scores[k]);
  }
  out += ']';
}

// Appends the trie at precedence 0 without recursing: a frame per open node, remembering the
// next child to print.
void appendTrie(std::string& out, const Patterns& trie) {
  struct Frame {
    const std::vector<detail::PatternNode::Edge>* children;
    std::size_t next;
  };
  std::vector<Frame> stack;
  auto open = [&](const Patterns& node) {
    out += "Patterns ";
    appendScores(out, detail::scoresOf(node));
    out += " (fromList [";
    stack.push_back(Frame{&detail::childrenOf(node), 0});
  };
  open(trie);
  while (!stack.empty()) {
    Frame& frame = stack.back();
    if (frame.next == frame.children->size()) {
      out += "])";
      stack.pop_back();
      if (!stack.empty()) out += ')';
      continue;
    }
    const auto& [key, child] = (*frame.children)[frame.next];
    if (frame.next > 0) out += ',';
    ++frame.next;
    out += '(';
    out += std::to_string(static_cast<std::uint32_t>(key));
    out += ',';
    open(child);
  }
}

}  // namespace

std::string showsPrec(int precedence, const Patterns& trie) {
  std::string out;
  if (precedence >= 11) out += '(';
  appendTrie(out, trie);
  if (precedence >= 11) out += ')';
  return out;
}

std::string show(const Patterns& trie) {
  return showsPrec(0, trie);
}

std::string showList(std::span<const Patterns> tries) {
  std::string out = "[";
  for (std::size_t k = 0; k < tries.size(); ++k) {
    if (k > 0) out += ',';
    appendTrie(out, tries[k]);
  }
  out += ']';
  return out;
}

std::ostream& operator<<(std::ostream& out, const Patterns& trie) {
  return out << show(trie);
}

}  // namespace text::hyphenation
