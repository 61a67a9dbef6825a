#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "common/code_point_table.hpp"
#include "text/hyphenation/scores.hpp"

namespace text::hyphenation::detail {

// The distinct score lists of one or more tries: each state where a pattern ends refers to its
// list by an output id. A list of at most windowSize scores is a window, stored in windowSize
// bytes with zeros after its end so that it is applied with one vector maximum; a longer one is
// stored as it is. Lookups apply the windows a second time over, with the top bit of each of their
// scores set: a gap of the word that some pattern covers then holds the top bit, which tells it
// from a gap no pattern reaches, while the maximum and the parity of its score stay as they were.
struct OutputArrays {
  static constexpr std::size_t windowSize = 16;
  static constexpr std::uint8_t covered = 0x80;

  std::span<const std::uint8_t> windows;         // windowSize bytes per window
  std::span<const std::uint8_t> coveredWindows;  // the same, each score with `covered` set
  std::span<const std::uint8_t> windowLengths;   // scores per window
  std::span<const std::uint32_t> longBegin;      // long list k: longScores[longBegin[k]..[k + 1])
  std::span<const std::uint8_t> longScores;
};

// How a trie packs a slot into one integer: in the low bits the "check", the letter class the
// slot answers to, whose top bit says that a pattern ends at the state; above them the payload,
// whose top bit says that the state has no children. A state with children has its base as the
// payload, and when a pattern ends there too the slot at the base itself (class 0, never a child)
// holds the output id as its payload; a state without children has the output id. So a step
// that goes on compares the check with the class as it is, and only a step that fails that
// compare asks whether a pattern ends. A trie of at most 126 letter classes takes 32 bits a slot
// and compares one byte a step; any other takes 64.
template <class UnitType, unsigned CheckBits>
struct UnitFormat {
  using Unit = UnitType;
  using Check = std::conditional_t<CheckBits == 8, std::uint8_t, std::uint32_t>;
  using Class = Check;  // what a framed word's classes are stored as
  static constexpr unsigned checkBits = CheckBits;
  static constexpr Unit ends = Unit{1} << (checkBits - 1);
  static constexpr Unit classMask = ends - 1;
  // The check of a slot that no letter reaches: no letter class has this value, and neither has
  // class 0, which stands for a character outside the alphabet.
  static constexpr Unit noClass = classMask;
  static constexpr std::uint64_t largestClass = classMask - 1;
  static constexpr Unit leaf = Unit{1} << (8 * sizeof(Unit) - 1);
  static constexpr std::uint64_t payloadLimit = std::uint64_t{1}
                                                << (8 * sizeof(Unit) - checkBits - 1);
  // Output ids from this bit on name long lists; below it, windows.
  static constexpr std::uint64_t longOutput = payloadLimit >> 1;

  static constexpr std::uint32_t letterClass(Unit unit) {
    return static_cast<std::uint32_t>(unit & classMask);
  }
  // The slot answers to `letterClass` and no pattern ends there.
  static constexpr bool passes(Unit unit, std::uint32_t letterClass) {
    return static_cast<Check>(unit) == static_cast<Check>(letterClass);
  }
  // The slot answers to `letterClass` and a pattern ends there.
  static constexpr bool endsWith(Unit unit, std::uint32_t letterClass) {
    return static_cast<Check>(unit) == static_cast<Check>(letterClass | ends);
  }
  // The base of a state with children.
  static constexpr std::uint64_t base(Unit unit) { return unit >> checkBits; }
  static constexpr std::uint64_t payload(Unit unit) { return (unit & ~leaf) >> checkBits; }
  static constexpr Unit make(std::uint64_t letterClass, bool endsHere, bool isLeaf,
                             std::uint64_t payload) {
    return static_cast<Unit>(letterClass) | (endsHere ? ends : 0) | (isLeaf ? leaf : 0) |
           static_cast<Unit>(payload << checkBits);
  }
};
using NarrowFormat = UnitFormat<std::uint32_t, 8>;
using WideFormat = UnitFormat<std::uint64_t, 32>;

// A pattern trie in compact, immutable arrays: a double array over dense letter classes. A
// state is a slot; the root is slot 0 and its child under class c is slot c. Every other state
// with children has a base of its own, unique among all states, and its child under class c is
// the slot base + c, which checks c: since no two states share a base, a slot that checks c can
// only belong to the state whose base is the slot minus c. So a step is one add, one read and
// one compare, with no parent stored, and a slot costs 4 bytes in the narrow format.
//
// The arrays live where the trie was made: in a FrozenTrie (a pattern text parsed at run time)
// or in the library's read-only data (a language compiled when the library was built), read in
// place either way.
template <class Format>
struct CompactTrie {
  using Unit = typename Format::Unit;
  using Class = typename Format::Class;
  static constexpr std::uint32_t root = 0;
  static constexpr std::uint32_t none = 0;  // no child: the root is nobody's child
  static constexpr std::uint32_t noOutput = 0xFFFFFFFF;

  std::span<const Unit> units;  // long enough that every base + class is inside
  CodePointPages<Class> classes;
  std::span<const char32_t> alphabet;  // class k is alphabet[k - 1]
  // Classes 1..patternLetters are the letters of the patterns, in ascending order; the classes
  // after them are letters that only a language's exceptions hold, which no state has as a child.
  std::uint32_t patternLetters;
  OutputArrays outputs;
  std::uint32_t rootOutput;  // the scores of the empty pattern, or noOutput
  // Every output is one score per gap of its pattern (d letters, d + 1 scores) and the root has
  // none: what every pattern text without two digits in a row gives. Such a trie scores words
  // in bytes on the stack and knows how far its patterns reach without measuring them.
  bool regular;
  // A trie with patterns longer than deepest letters also has failure links, so that a lookup
  // stays linear in the word however long its patterns: per slot, the state of the longest proper
  // suffix of its letters, the nearest state along those links where a pattern ends, and the depth.
  static constexpr std::size_t deepest = 48;
  std::span<const std::uint32_t> failure;
  std::span<const std::uint32_t> outputLink;
  std::span<const std::uint32_t> depth;

  std::uint32_t classCount() const { return static_cast<std::uint32_t>(alphabet.size()); }
  std::uint32_t letterClass(char32_t c) const { return classes(c); }

  // The node view: the scores of the pattern ending at `state` (none for a state no pattern
  // ends at), its children in ascending key order, and the child under a key.
  std::span<const std::uint8_t> scores(std::uint32_t state) const;
  std::uint32_t firstChild(std::uint32_t state) const;
  std::uint32_t nextSibling(std::uint32_t child) const;
  char32_t key(std::uint32_t child) const {
    return alphabet[Format::letterClass(units[child]) - 1];
  }
  std::uint32_t find(std::uint32_t state, char32_t key) const;

  // lookupPattern from the root.
  void lookup(std::u32string_view word, Scores& scores) const;

  // The raw scores of a word for callers that take its characters to letter classes on their
  // own, for a regular trie only: `framed` holds n + 3 classes, the class of "." (dotClass()),
  // the word's n classes (0 for a character outside the alphabet), "." again and a 0 after it.
  // `gaps` holds at least gapBytes(n) bytes. Entry k of the result belongs to the gap before
  // letter k, as lookup gives it; the score is its low seven bits (see OutputArrays::covered).
  std::span<const std::uint8_t> scoreFramed(const Class* framed, std::size_t n,
                                            std::uint8_t* gaps) const;
  static constexpr std::size_t gapBytes(std::size_t n) {
    return std::max<std::size_t>(n + 2 + OutputArrays::windowSize, 64);
  }
  std::uint32_t dotClass() const { return classes(U'.'); }

  // Bytes of the arrays, for measurements.
  std::size_t bytes() const;

  std::span<const std::uint8_t> outputScores(std::uint64_t id) const {
    if (id < Format::longOutput)
      return {outputs.windows.data() + id * OutputArrays::windowSize, outputs.windowLengths[id]};
    const std::size_t index = id - Format::longOutput;
    return outputs.longScores.subspan(outputs.longBegin[index],
                                      outputs.longBegin[index + 1] - outputs.longBegin[index]);
  }
};

using NarrowTrie = CompactTrie<NarrowFormat>;
using WideTrie = CompactTrie<WideFormat>;

extern template struct CompactTrie<NarrowFormat>;
extern template struct CompactTrie<WideFormat>;

}  // namespace text::hyphenation::detail
