#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "common/code_point_table.hpp"
#include "text/hyphenation/scores.hpp"

namespace text::hyphenation::detail {

// The letters of a pattern text numbered densely in ascending code point order from 1 (class k
// is letter k - 1 of the alphabet); every other code point has class 0.
using LetterClasses = CodePointTable<std::uint32_t>;
// `alphabet` ascending and unique.
LetterClasses letterClassesOf(const std::vector<char32_t>& alphabet);

// A pattern text's trie as parsing builds it, before it is frozen: nodes keyed by letter class,
// children in a sibling list in no particular order, scores as bytes (parsed scores are digits).
struct TrieDraft {
  struct Node {
    std::uint32_t firstChild = 0;  // 0: none (the root is nobody's child)
    std::uint32_t nextSibling = 0;
    std::uint32_t letterClass = 0;
    std::uint32_t scoresBegin = 0;
    std::uint32_t scoresCount = 0;  // 0: no pattern ends here
  };
  std::vector<char32_t> alphabet;  // class k is alphabet[k - 1]
  LetterClasses classes;
  std::vector<Node> nodes;  // nodes[0] is the root
  std::vector<std::uint8_t> scores;
};

// The trie of a parsed pattern text in compact, immutable arrays, together with a Knuth–Liang
// (Aho–Corasick) automaton over it, so that a lookup reads each character of the word once.
//
// The trie is a double array: the child of state s under letter class c is state base[s] + c
// when check[base[s] + c] is s; the root's children sit at their classes. Each state also has a
// failure link (the state of the longest proper suffix of its letters that is in the trie) and an
// output: the scores of every pattern that ends at it or along its failure links, merged by
// maximum. Most outputs are a window of 16 scores for the 16 gaps up to the one after the character
// just read, applied with one vector maximum; the rest (long or malformed patterns) are applied
// entry by entry.
class FrozenTrie {
 public:
  static constexpr std::uint32_t root = 0;
  static constexpr std::uint32_t none = 0;  // no child or sibling: the root is nobody's child
  static constexpr std::size_t windowSize = 16;

  explicit FrozenTrie(TrieDraft draft);

  // The node view.
  std::span<const std::uint8_t> scores(std::uint32_t state) const {
    return {ownScores_.data() + ownBegin_[state], ownBegin_[state + 1] - ownBegin_[state]};
  }
  std::uint32_t firstChild(std::uint32_t state) const { return firstChild_[state]; }
  std::uint32_t nextSibling(std::uint32_t child) const { return nextSibling_[child]; }
  char32_t key(std::uint32_t child) const { return alphabet_[child - base_[check_[child]] - 1]; }
  // The child of `state` under `key`, or none.
  std::uint32_t find(std::uint32_t state, char32_t key) const;

  // The lookup of the whole trie (from the root) for `word`.
  void lookup(std::u32string_view word, Scores& scores) const;
  // The raw score list of a word of at most shortWord letters, given as the letter classes of
  // its characters (0 for one outside the alphabet), for callers that map characters to classes
  // on their own: entry k belongs to the gap before letter k, as lookup gives it, but as bytes in
  // `buffer`. A span without data (data() == nullptr) when some pattern of the trie reaches
  // further than the gap after the closing "." (then lookup is the way).
  static constexpr std::size_t shortWord = 200;
  struct alignas(16) ShortWordBuffer {
    std::uint8_t gaps[windowSize + shortWord + 3];
  };
  std::span<const std::uint8_t> scoreShortWord(std::span<const std::uint32_t> classes,
                                               ShortWordBuffer& buffer) const;
  // The same for a word of any length whose characters `classes` takes to letter classes, into
  // `buffer` (its capacity reused): a byte per gap, so that a long word costs a byte per
  // character rather than a score of eight.
  std::span<const std::uint8_t> scoreWord(std::u32string_view word, const LetterClasses& classes,
                                          std::vector<std::uint8_t>& buffer) const;

  // Letter k of the alphabet has class k + 1; every other code point has class 0.
  std::span<const char32_t> alphabet() const { return alphabet_; }
  std::uint32_t letterClass(char32_t c) const { return classes_(c); }

  // Heap bytes held, for measurements.
  std::size_t bytes() const;

 private:
  // An output that is not a window: merged scores placed exactly, or, when merging would make
  // them too long, the state's own scores followed by its failure's output.
  struct Output {
    std::uint32_t offset;  // into outputScores_; the state when chained
    // Gap of the first score, relative to the gap after the character read (when chained: of
    // the state's own first score, so minus its depth).
    std::int32_t low;
    std::uint32_t count;
    std::int32_t reach;  // one past the last gap any of the patterns scores, relative likewise
    bool chained;
  };
  static constexpr std::uint32_t exact = 0x80000000;  // output_ bit: an Output, not a window
  template <class Gaps>
  friend class LookupRun;

  std::uint32_t step(std::uint32_t state, std::uint32_t letterClass) const {
    std::uint32_t next = base_[state] + letterClass;
    return check_[next] == state ? next : none;
  }
  // `letterClass(k)` is the class of letter k of a word of `size` letters.
  template <class Gaps, class Letters>
  std::size_t run(std::size_t size, Letters letterClass, Gaps gaps) const;
  // Building, with the states in breadth-first order and their depths.
  void place(const TrieDraft& draft, std::vector<std::uint32_t>& order,
             std::vector<std::uint32_t>& depth);
  void link(const std::vector<std::uint32_t>& order);
  void buildRows();
  void buildOutputs(const std::vector<std::uint32_t>& order,
                    const std::vector<std::uint32_t>& depth);

  std::vector<char32_t> alphabet_;
  LetterClasses classes_;
  std::vector<std::uint32_t> base_;
  std::vector<std::uint32_t> check_;  // the parent; padded so that base + class stays inside
  std::vector<std::uint32_t> firstChild_;
  std::vector<std::uint32_t> nextSibling_;  // children in ascending key order
  std::vector<std::uint32_t> ownBegin_;     // one more than states
  std::vector<std::uint8_t> ownScores_;
  std::vector<std::uint32_t> failure_;
  // Full transition rows (failures resolved) for the root and its children, which have slots
  // 0 to shallow_: row s starts at s * (classes + 1). Most failures end there.
  std::uint32_t shallow_ = 0;
  std::vector<std::uint32_t> rows_;
  std::vector<std::uint32_t> output_;  // 0: nothing; a window; or exact + an Output
  std::vector<std::uint8_t> windows_;  // windowSize scores per window, window 0 unused
  std::vector<Output> outputs_;
  std::vector<std::uint8_t> outputScores_;
  std::int64_t farthestReach_ = 0;  // largest reach of any pattern
};

}  // namespace text::hyphenation::detail
