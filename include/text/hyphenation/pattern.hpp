#pragma once

#include <cstdint>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "text/hyphenation/error.hpp"
#include "text/hyphenation/export.hpp"
#include "text/hyphenation/scores.hpp"

namespace text::hyphenation {

// The pattern trie of the Knuth–Liang method, and its text format: one pattern a line, letters
// with score digits between them ("hy3ph", ".ach4"). Every function here is pure (it returns a
// new value and never changes its arguments), is safe to call from any number of threads at once,
// and throws nothing but std::bad_alloc unless its comment says otherwise.
//
//   Patterns trie = parsePatterns(U"a1b\nb2c\n");
//   lookupPattern(U"abc", trie);   // {0, 1, 2}: a break may fall between a and b, not b and c

namespace detail {
struct PatternNode;
struct PatternAccess;
}  // namespace detail

// A node of a Knuth–Liang pattern trie; the whole trie is its root node. Immutable and cheap to
// copy (a handle to shared nodes); safe to read from any number of threads.
class HYPHENKIT_API Patterns {
 public:
  // Children keyed by the code point of the next letter, in ascending order.
  using Children = std::map<char32_t, Patterns>;

  // The empty trie: no scores, no children.
  Patterns();
  Patterns(Scores scores, Children children);

  static Patterns mempty() { return Patterns(); }

 private:
  friend struct detail::PatternAccess;
  explicit Patterns(std::shared_ptr<const detail::PatternNode> node) : node_(std::move(node)) {}

  std::shared_ptr<const detail::PatternNode> node_;
};

// The scores of the pattern that ends at this node (empty when none ends here).
HYPHENKIT_API Scores patternScores(const Patterns& node);
// The children of this node, in ascending key order.
HYPHENKIT_API Patterns::Children patternChildren(const Patterns& node);

// The score list of one pattern's text: "a1b" gives [0,1,0], ".ach4" [0,0,0,0,4].
HYPHENKIT_API Scores scorePattern(std::u32string_view pattern);
// The trie with `pattern` added; a pattern with the same letters replaces the earlier scores.
HYPHENKIT_API Patterns insertPattern(std::u32string_view pattern, const Patterns& trie);
// The trie of every line of `text` (LF-separated); where lines share letters the first wins.
// The result is stored compactly with an automaton that looks a word up in one pass; tries made
// or changed by insertPattern and + keep the parts they share with it but look words up node
// by node.
HYPHENKIT_API Patterns parsePatterns(std::u32string_view text);
// The combined scores of every pattern matching `word` framed by "." on both sides: entry k for
// the gap before letter k, and an entry after the last letter only when a pattern reaches past
// the closing ".". lookupPattern(U"hyphenation", English patterns) gives
// {0,0,3,0,0,2,5,4,2,0,2}.
HYPHENKIT_API Scores lookupPattern(std::u32string_view word, const Patterns& trie);

// Node-by-node merge: scores by element-wise maximum, children by union.
HYPHENKIT_API Patterns operator+(const Patterns& left, const Patterns& right);
// Combines a non-empty sequence from the right; throws Error for an empty one.
HYPHENKIT_API Patterns sconcat(std::span<const Patterns> tries);
// Combines `count` copies; throws Error when count < 1.
HYPHENKIT_API Patterns stimes(std::int64_t count, const Patterns& trie);
// Combines a possibly empty sequence from the right, ending in mempty.
HYPHENKIT_API Patterns mconcat(std::span<const Patterns> tries);

// Structural equality: same scores and equal children.
HYPHENKIT_API bool operator==(const Patterns& left, const Patterns& right);

// "Patterns [0,1,0] (fromList [])"; wrapped in parentheses when precedence >= 11.
HYPHENKIT_API std::string showsPrec(int precedence, const Patterns& trie);
HYPHENKIT_API std::string show(const Patterns& trie);
HYPHENKIT_API std::string showList(std::span<const Patterns> tries);
HYPHENKIT_API std::ostream& operator<<(std::ostream& out, const Patterns& trie);

// The sequence without its last element, and that element; nothing for an empty sequence.
template <class T>
std::optional<std::pair<std::vector<T>, T>> unsnoc(std::vector<T> sequence) {
  if (sequence.empty()) return std::nullopt;
  T last = std::move(sequence.back());
  sequence.pop_back();
  return std::pair<std::vector<T>, T>(std::move(sequence), std::move(last));
}

}  // namespace text::hyphenation
