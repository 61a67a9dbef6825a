#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/code_point_table.hpp"
#include "pattern/compact_trie.hpp"
#include "text/hyphenation/scores.hpp"

namespace text::hyphenation::detail {

// The letters of a pattern text numbered densely in ascending code point order from 1 (class k
// is letter k - 1 of the alphabet); every other code point has class 0.
using LetterClasses = CodePointTable<std::uint32_t>;
// `alphabet` unique; classes follow its order.
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
  // Class k is alphabet[k - 1]: the letters of the patterns in ascending order, then any letters
  // a language's exceptions hold beyond them (see CompactTrie::patternLetters).
  std::vector<char32_t> alphabet;
  std::uint32_t patternLetters = 0;
  LetterClasses classes;
  std::vector<Node> nodes;  // nodes[0] is the root
  std::vector<std::uint8_t> scores;
};

// The draft of a pattern text, with `extraLetters` (ascending) given classes after the letters
// of the patterns that are not among them.
TrieDraft draftPatterns(std::u32string_view text, const std::vector<char32_t>& extraLetters = {});

// The distinct score lists of the tries frozen into it, each stored once (see OutputArrays). A
// trie keeps a table of its own; the languages compiled into the library share one.
class OutputTable {
 public:
  struct Ref {
    bool isLong;
    std::uint32_t index;  // among the windows, or among the long lists
  };
  OutputTable();
  Ref add(std::span<const std::uint8_t> scores);
  // No more adds: drops the index of the lists already added.
  void seal() { known_ = {}; }

  OutputArrays arrays() const {
    return OutputArrays{windows_, coveredWindows_, windowLengths_, longBegin_, longScores_};
  }
  std::size_t windowCount() const { return windowLengths_.size(); }
  std::size_t longCount() const { return longBegin_.size() - 1; }
  std::size_t bytes() const;

 private:
  std::vector<std::uint8_t> windows_;
  std::vector<std::uint8_t> coveredWindows_;
  std::vector<std::uint8_t> windowLengths_;
  std::vector<std::uint32_t> longBegin_;
  std::vector<std::uint8_t> longScores_;
  std::unordered_map<std::string, Ref> known_;
};

// The arrays of a frozen trie, in the narrow format when it fits and the wide one otherwise;
// its outputs are in the OutputTable it was frozen with.
struct FrozenArrays {
  std::vector<std::uint32_t> narrowUnits;  // exactly one of the two holds units
  std::vector<std::uint64_t> wideUnits;
  CodePointTable<std::uint8_t> narrowClasses;
  CodePointTable<std::uint32_t> wideClasses;
  std::vector<char32_t> alphabet;
  std::uint32_t patternLetters = 0;
  std::uint32_t rootOutput = NarrowTrie::noOutput;
  bool regular = true;
  std::vector<std::uint32_t> failure, outputLink, depth;  // only for a deep trie
  std::size_t longestPattern = 0;                         // in letters

  bool narrow() const { return !narrowUnits.empty(); }
  // The view of the arrays, with the outputs of `outputs`.
  NarrowTrie narrowView(const OutputArrays& outputs) const;
  WideTrie wideView(const OutputArrays& outputs) const;
  std::size_t bytes() const;
};

// Places the draft's states in a double array (see CompactTrie) and adds its score lists to
// `outputs`.
FrozenArrays freezeDraft(const TrieDraft& draft, OutputTable& outputs);

// A frozen trie: the compact trie of a pattern text parsed at run time, owning its arrays, or a
// view of a language's trie compiled into the library. Immutable; safe to read from any number of
// threads.
class FrozenTrie {
 public:
  static constexpr std::uint32_t root = NarrowTrie::root;
  static constexpr std::uint32_t none = NarrowTrie::none;

  explicit FrozenTrie(const TrieDraft& draft);
  // A view of arrays that outlive it.
  explicit FrozenTrie(const NarrowTrie& compiled) : narrow_(compiled) {}
  explicit FrozenTrie(const WideTrie& compiled) : wide_(compiled) {}
  FrozenTrie(const FrozenTrie&) = delete;
  FrozenTrie& operator=(const FrozenTrie&) = delete;

  // Calls `read` with the compact trie, narrow or wide.
  template <class Read>
  decltype(auto) visit(Read&& read) const {
    return narrow_ ? read(*narrow_) : read(*wide_);
  }
  // The narrow form, or null.
  const NarrowTrie* narrow() const { return narrow_ ? &*narrow_ : nullptr; }

  // The node view.
  std::span<const std::uint8_t> scores(std::uint32_t state) const {
    return visit([&](const auto& trie) { return trie.scores(state); });
  }
  std::uint32_t firstChild(std::uint32_t state) const {
    return visit([&](const auto& trie) { return trie.firstChild(state); });
  }
  std::uint32_t nextSibling(std::uint32_t child) const {
    return visit([&](const auto& trie) { return trie.nextSibling(child); });
  }
  char32_t key(std::uint32_t child) const {
    return visit([&](const auto& trie) { return trie.key(child); });
  }
  std::uint32_t find(std::uint32_t state, char32_t key) const {
    return visit([&](const auto& trie) { return trie.find(state, key); });
  }
  void lookup(std::u32string_view word, Scores& scores) const {
    visit([&](const auto& trie) { trie.lookup(word, scores); });
  }
  // The letters of the patterns, ascending.
  std::span<const char32_t> letters() const {
    return visit([](const auto& trie) { return trie.alphabet.first(trie.patternLetters); });
  }

  // Heap bytes held, for measurements.
  std::size_t bytes() const { return arrays_.bytes() + outputs_.bytes(); }

 private:
  OutputTable outputs_;
  FrozenArrays arrays_;
  std::optional<NarrowTrie> narrow_;
  std::optional<WideTrie> wide_;
};

}  // namespace text::hyphenation::detail
