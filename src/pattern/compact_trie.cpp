// The lookup of lookup.cpp, in the compact trie, on the same word and the same nine patterns
// (hy3ph, he2n, hena4, hen5at, 1na, n2at, 1tio, 2io, o2n). The letters get classes in code point
// order: . 1, a 2, e 3, h 4, i 5, n 6, o 7, p 8, t 9, y 10. The root's child under class c is
// slot c, so "h" is slot 4, "n" slot 6, "t" 9, "i" 5, "o" 7. Every other state with children got
// a base of its own when the trie was frozen, the smallest at which its children's slots were
// free: say "h" got 11, so that "hy" is slot 11 + 10 = 21 and "he" slot 11 + 3 = 14. A step from
// "h" under "e" reads slot 14 and finds the check 3 there, so slot 14 is "he"; under "a" it reads
// slot 13, whose check is not 2 (the slot is free, or another state's child under another
// class), so "h" has no child "a".
//
// A walk starts at every position of the framed word and follows the letters from the root
// until a step fails, taking the scores of every state where a pattern ends:
//
//   .  h  y  p  h  e  n  a  t  i  o  n  .
//      h  hy hyp hyph                            hy3ph ends at hyph
//               h  he hen hena henat             he2n, hena4, hen5at
//                     n  na nat                  1na, n2at
//                           t  ti tio            1tio
//                              i  io             2io
//                                 o  on          o2n
//                                    n           (no "n." pattern here)
//
// Each pattern's scores, stored once per distinct list as a window of 16 bytes, are laid on the
// gaps from the walk's start with one vector maximum: . h y3p h e2n5a4t2i o2n .
//
// A walk is as long as the longest pattern that starts there, which bounds a lookup by the word's
// length times the longest pattern. Tries with longer patterns than `deepest` also carry failure
// links (the longest proper suffix of a state's letters that is a state too: hyph -> h,
// henat -> nat -> t, tio -> io -> o), and are read in one pass instead: at each character the
// state is the longest pattern prefix ending there, and the patterns that end at the character
// are that state's and those along its output links.

#include "pattern/compact_trie.hpp"

#include <algorithm>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#elif defined(__ARM_NEON)
#include <arm_neon.h>
#endif

namespace text::hyphenation::detail {
namespace {

// Calls apply(start, output) for every pattern that occurs in the framed word of `length`
// classes (with a 0 after them), from position `start`, given as a pointer into `framed`.
template <class Format, class Apply>
void walkEachStart(const CompactTrie<Format>& trie, const typename Format::Class* framed,
                   std::size_t length, Apply&& apply) {
  using F = Format;
  const typename F::Unit* const units = trie.units.data();
  const typename F::Class* const end = framed + length;
  const typename F::Class* start = framed;
  const typename F::Class* at = framed;
  std::uint32_t letterClass = *at;
  typename F::Unit unit = units[letterClass];
  // One loop for all the walks: most steps go on without a pattern ending there, at the cost of
  // a read, a compare and a shift; the 0 after the word ends every walk, since no slot checks
  // class 0.
  while (true) {
    if (F::passes(unit, letterClass)) {
      letterClass = *++at;
      unit = units[F::base(unit) + letterClass];
      continue;
    }
    if (F::endsWith(unit, letterClass)) {
      if (!(unit & F::leaf)) {
        apply(start, F::payload(units[F::base(unit)]));
        letterClass = *++at;
        unit = units[F::base(unit) + letterClass];
        continue;
      }
      apply(start, F::payload(unit));
    }
    if (++start == end) return;
    at = start;
    letterClass = *at;
    unit = units[letterClass];
  }
}

template <class Format, class Apply>
void walkWithFailures(const CompactTrie<Format>& trie, const typename Format::Class* framed,
                      std::size_t length, Apply&& apply) {
  using F = Format;
  const typename F::Unit* const units = trie.units.data();
  auto outputOf = [&](std::uint32_t state) {
    const typename F::Unit unit = units[state];
    return unit & F::leaf ? F::payload(unit) : F::payload(units[F::base(unit)]);
  };
  auto ends = [&](std::uint32_t state) { return state != trie.root && (units[state] & F::ends); };
  std::uint32_t state = trie.root;
  for (std::size_t at = 0; at < length; ++at) {
    const std::uint32_t letterClass = framed[at];
    while (true) {
      const typename F::Unit unit = units[state];
      if (!(unit & F::leaf)) {
        const std::uint64_t next = F::base(unit) + letterClass;
        if (F::letterClass(units[next]) == letterClass) {
          state = static_cast<std::uint32_t>(next);
          break;
        }
      }
      if (state == trie.root) break;
      state = trie.failure[state];
    }
    for (std::uint32_t found = ends(state) ? state : trie.outputLink[state]; found != trie.none;
         found = trie.outputLink[found]) {
      apply(framed + at + 1 - trie.depth[found], outputOf(found));
    }
  }
}

template <class Format, class Apply>
void walk(const CompactTrie<Format>& trie, const typename Format::Class* framed, std::size_t length,
          Apply&& apply) {
  if (trie.failure.empty()) {
    walkEachStart(trie, framed, length, apply);
  } else {
    walkWithFailures(trie, framed, length, apply);
  }
}

void raiseWindow(std::uint8_t* to, const std::uint8_t* scores) {
  static_assert(OutputArrays::windowSize == 16);
#if defined(__SSE2__)
  const __m128i raised = _mm_max_epu8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(to)),
                                      _mm_loadu_si128(reinterpret_cast<const __m128i*>(scores)));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(to), raised);
#elif defined(__ARM_NEON)
  vst1q_u8(to, vmaxq_u8(vld1q_u8(to), vld1q_u8(scores)));
#else
  for (std::size_t k = 0; k < OutputArrays::windowSize; ++k)
    to[k] = std::max(to[k], scores[k]);
#endif
}

// Raises scores[start + k] to list[k], appending past the end: a list never starts beyond it.
void raise(Scores& scores, std::size_t start, std::span<const std::uint8_t> list) {
  for (std::size_t k = 0; k < list.size(); ++k) {
    const std::size_t at = start + k;
    if (at < scores.size()) {
      scores[at] = std::max<std::int64_t>(scores[at], list[k]);
    } else {
      scores.push_back(list[k]);
    }
  }
}

// The scores of gap bytes, without the bit that says a pattern covers them.
void assignScores(std::span<const std::uint8_t> gaps, Scores& scores) {
  scores.resize(gaps.size());
  for (std::size_t k = 0; k < gaps.size(); ++k)
    scores[k] = gaps[k] & ~OutputArrays::covered;
}

// Words up to this many characters are framed on the stack.
constexpr std::size_t stackLetters = 256;

}  // namespace

template <class Format>
std::span<const std::uint8_t> CompactTrie<Format>::scores(std::uint32_t state) const {
  if (state == root) {
    return rootOutput == noOutput ? std::span<const std::uint8_t>() : outputScores(rootOutput);
  }
  const Unit unit = units[state];
  if (!(unit & Format::ends)) return {};
  if (unit & Format::leaf) return outputScores(Format::payload(unit));
  return outputScores(Format::payload(units[Format::base(unit)]));
}

template <class Format>
std::uint32_t CompactTrie<Format>::firstChild(std::uint32_t state) const {
  const Unit unit = units[state];
  if (unit & Format::leaf) return none;
  const std::uint64_t base = Format::base(unit);
  for (std::uint32_t letterClass = 1; letterClass <= patternLetters; ++letterClass) {
    if (Format::letterClass(units[base + letterClass]) == letterClass)
      return static_cast<std::uint32_t>(base + letterClass);
  }
  return none;
}

template <class Format>
std::uint32_t CompactTrie<Format>::nextSibling(std::uint32_t child) const {
  const std::uint32_t own = Format::letterClass(units[child]);
  const std::uint64_t base = child - own;  // the parent's, bases being unique
  for (std::uint32_t letterClass = own + 1; letterClass <= patternLetters; ++letterClass) {
    if (Format::letterClass(units[base + letterClass]) == letterClass)
      return static_cast<std::uint32_t>(base + letterClass);
  }
  return none;
}

template <class Format>
std::uint32_t CompactTrie<Format>::find(std::uint32_t state, char32_t key) const {
  const std::uint32_t letterClass = classes(key);
  const Unit unit = units[state];
  if (letterClass == 0 || (unit & Format::leaf)) return none;
  const std::uint64_t slot = Format::base(unit) + letterClass;
  return Format::letterClass(units[slot]) == letterClass ? static_cast<std::uint32_t>(slot) : none;
}

namespace {

// Lays the scores of the patterns a walk finds on a byte per gap of the framed word.
template <class Format>
class GapWriter {
 public:
  using Class = typename Format::Class;
  GapWriter(const CompactTrie<Format>& trie, const Class* framed, std::uint8_t* gaps)
      : trie_(trie),
        windows_(trie.outputs.coveredWindows.data()),
        framed_(framed),
        gaps_(gaps),
        distance_(reinterpret_cast<std::uintptr_t>(gaps) -
                  reinterpret_cast<std::uintptr_t>(framed)) {}

  void operator()(const Class* start, std::uint64_t id) {
    // With a byte per class the gap of a class lies a fixed distance from it, which spares the
    // walk a register (a tenth of its instructions, measured).
    std::uint8_t* const to =
        sizeof(Class) == 1
            // NOLINTNEXTLINE(performance-no-int-to-ptr)
            ? reinterpret_cast<std::uint8_t*>(reinterpret_cast<std::uintptr_t>(start) + distance_)
            : gaps_ + (start - framed_);
    if (id < Format::longOutput) [[likely]] {
      raiseWindow(to, windows_ + id * OutputArrays::windowSize);
    } else {
      const auto list = trie_.outputScores(id);
      for (std::size_t k = 0; k < list.size(); ++k)
        to[k] = std::max<std::uint8_t>(to[k], list[k] | OutputArrays::covered);
    }
  }

 private:
  const CompactTrie<Format>& trie_;
  const std::uint8_t* windows_;
  const Class* framed_;
  std::uint8_t* gaps_;
  std::uintptr_t distance_;
};

}  // namespace

template <class Format>
std::span<const std::uint8_t> CompactTrie<Format>::scoreFramed(const Class* framed, std::size_t n,
                                                               std::uint8_t* gaps) const {
  // Most words fit the first gapBytes(0) bytes, which clear in a few fixed stores.
  if (gapBytes(n) == gapBytes(0)) {
    std::memset(gaps, 0, gapBytes(0));
  } else {
    std::memset(gaps, 0, gapBytes(n));
  }
  walk(*this, framed, n + 2, GapWriter<Format>(*this, framed, gaps));
  // Gap g of the framed word is gaps[g]; the result leaves out the gap before the opening "."
  // and the last one. The gap after the closing "." counts when a pattern covers it.
  return {gaps + 1, gaps[n + 2] != 0 ? n + 1 : n};
}

template <class Format>
void CompactTrie<Format>::lookup(std::u32string_view word, Scores& scores) const {
  const std::size_t n = word.size();
  const std::size_t length = n + 2;
  Class stackFramed[stackLetters + 3];
  std::vector<Class> heapFramed;
  Class* framed = stackFramed;
  if (n > stackLetters) {
    heapFramed.resize(n + 3);
    framed = heapFramed.data();
  }
  const CodePointPages<Class> classOf = classes;
  framed[0] = framed[n + 1] = dotClass();
  for (std::size_t k = 0; k < n; ++k)
    framed[k + 1] = classOf(word[k]);
  framed[n + 2] = 0;

  if (regular) {
    if (n <= stackLetters) {
      alignas(16) std::uint8_t gaps[gapBytes(stackLetters)];
      assignScores(scoreFramed(framed, n, gaps), scores);
    } else {
      std::vector<std::uint8_t> gaps(gapBytes(n));
      assignScores(scoreFramed(framed, n, gaps.data()), scores);
    }
    return;
  }
  // Entry g of the combined list is the largest score that a pattern gives the gap before
  // character g of the framed word, 0 inside the frame; beyond it only what patterns put there
  // counts. The empty pattern's scores count at every position, one past the end included.
  scores.assign(length, 0);
  const bool rootScores = rootOutput != noOutput;
  if (rootScores) {
    for (std::size_t start = 0; start <= length; ++start)
      raise(scores, start, outputScores(rootOutput));
  }
  walk(*this, framed, length, [&](const Class* start, std::uint64_t id) {
    raise(scores, static_cast<std::size_t>(start - framed), outputScores(id));
  });
  scores.erase(scores.begin());
  scores.pop_back();
}

template struct CompactTrie<NarrowFormat>;
template struct CompactTrie<WideFormat>;

}  // namespace text::hyphenation::detail
