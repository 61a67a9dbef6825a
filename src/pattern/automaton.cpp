// The lookup as an automaton, on the word and the nine patterns of lookup.cpp (hy3ph, he2n, hena4,
// hen5at, 1na, n2at, 1tio, 2io, o2n). The states are the prefixes of the patterns: h, hy, hyp,
// hyph, he, hen, hena, henat, n, na, nat, t, ti, tio, i, io, o, on. A state's failure link leads
// to the longest proper suffix of its letters that is a state too (hyph -> h, hena -> na,
// henat -> nat -> t, tio -> io -> o, on -> n). Reading the framed word, a state without a child
// for the next character follows failure links until one has it (after hyph, "e" leads through h
// to he; after henat, "i" through nat and t to ti), so the state after each character spells the
// longest pattern prefix that ends there:
//
//   .     h  y   p    h     e   n    a     t      i   o    n   .
//   root  h  hy  hyp  hyph  he  hen  hena  henat  ti  tio  on  root
//
// Every pattern that ends at a character lies on the failure chain of the state reached there,
// so each state carries the scores of all of them, merged by maximum into a window of the 16 gaps
// up to the one after its last letter: hena holds hena4 and 1na, henat holds hen5at and n2at
// (5 and 2 before the "a", merged to 5), tio holds 1tio and 2io. A lookup is then one transition
// and at most one 16-byte maximum per character:
//
//   after hyph:  3 before "p"        after henat:  5 before "a"
//   after hen:   2 before "n"        after tio:    1 before "t", 2 before "i"
//   after hena:  1 before "n",       after on:     2 before "n"
//                4 after "a"
//   together:    . h y3p h e2n5a4t2i o2n .
//
// Outputs that do not fit a window (patterns longer than it, or reaching past the closing ".")
// are applied score by score; see Output in automaton.hpp.

#include "pattern/automaton.hpp"

#include <algorithm>
#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#elif defined(__ARM_NEON)
#include <arm_neon.h>
#endif

namespace text::hyphenation::detail {
namespace {

constexpr std::uint32_t freeSlot = 0xFFFFFFFF;   // check of an unused slot
constexpr std::uint32_t rootCheck = 0xFFFFFFFE;  // check of the root: nobody's child
constexpr std::uint32_t listEnd = 0xFFFFFFFF;

// Merged outputs longer than this are applied pattern by pattern instead, which keeps them
// small even for pattern sets made of long overlapping patterns.
constexpr std::size_t longestMergedOutput = 64;

// Words up to this many gaps (with the window's margin) are scored in a byte buffer on the
// stack; longer ones directly in the result.
constexpr std::size_t stackGaps = 256;

}  // namespace

LetterClasses letterClassesOf(const std::vector<char32_t>& alphabet) {
  std::vector<LetterClasses::Entry> entries;
  entries.reserve(alphabet.size());
  for (std::size_t k = 0; k < alphabet.size(); ++k)
    entries.emplace_back(alphabet[k], static_cast<std::uint32_t>(k + 1));
  return LetterClasses(entries);
}

FrozenTrie::FrozenTrie(TrieDraft draft)
    : alphabet_(std::move(draft.alphabet)), classes_(std::move(draft.classes)) {
  std::vector<std::uint32_t> order, depth;
  place(draft, order, depth);
  draft = TrieDraft();
  link(order);
  buildRows();
  buildOutputs(order, depth);
}

// Gives every draft node a slot, breadth first: a node's children go to base + their classes,
// with the smallest base whose slots are all free. Candidate bases come from a list of free
// slots; a slot that has failed as a candidate often leaves the list, so that placing stays
// linear however full the front of the array gets.
void FrozenTrie::place(const TrieDraft& draft, std::vector<std::uint32_t>& order,
                       std::vector<std::uint32_t>& depth) {
  std::vector<std::uint32_t> draftNode;
  std::vector<std::uint32_t> nextFree, previousFree;
  std::vector<std::uint8_t> misses, listed;
  std::uint32_t freeHead = listEnd, freeTail = listEnd;

  auto grow = [&](std::size_t size) {
    const std::size_t old = check_.size();
    if (size <= old) return;
    size = std::max(size, old + old / 4 + alphabet_.size() + 64);
    for (auto* slots : {&base_, &firstChild_, &nextSibling_, &draftNode, &depth}) {
      slots->resize(size, 0);
    }
    check_.resize(size, freeSlot);
    nextFree.resize(size, listEnd);
    previousFree.resize(size, listEnd);
    misses.resize(size, 0);
    listed.resize(size, 1);
    for (std::size_t slot = old; slot < size; ++slot) {
      auto index = static_cast<std::uint32_t>(slot);
      previousFree[slot] = freeTail;
      if (freeTail == listEnd) {
        freeHead = index;
      } else {
        nextFree[freeTail] = index;
      }
      freeTail = index;
    }
  };
  auto unlist = [&](std::uint32_t slot) {
    if (!listed[slot]) return;
    listed[slot] = 0;
    std::uint32_t next = nextFree[slot], previous = previousFree[slot];
    (previous == listEnd ? freeHead : nextFree[previous]) = next;
    (next == listEnd ? freeTail : previousFree[next]) = previous;
  };

  // The smallest base from a listed free slot on at which all the children fit. Children go to
  // base + class, at or after that slot, so reserved slots before the list's slots stay free.
  std::vector<std::uint32_t> children;
  auto findBase = [&] {
    const std::uint32_t first = draft.nodes[children.front()].letterClass;
    const std::uint32_t last = draft.nodes[children.back()].letterClass;
    std::uint32_t candidate = freeHead;
    while (true) {
      if (candidate == listEnd) {
        candidate = static_cast<std::uint32_t>(check_.size());
        grow(check_.size() + 1);
      }
      if (candidate >= first) {
        const std::uint32_t base = candidate - first;
        if (std::size_t{base} + last >= check_.size()) grow(std::size_t{base} + last + 1);
        bool fits = true;
        for (std::uint32_t child : children) {
          if (check_[base + draft.nodes[child].letterClass] != freeSlot) {
            fits = false;
            break;
          }
        }
        if (fits) return base;
      }
      const std::uint32_t next = nextFree[candidate];
      if (++misses[candidate] >= 16) unlist(candidate);
      candidate = next;
    }
  };

  // The root's children go to their classes, and with few classes the slots up to the last
  // class stay reserved for them, so that a state at most shallow_ is the root or its child.
  const std::size_t classes = alphabet_.size();
  shallow_ = (classes + 1) * (classes + 1) <= 0x10000 ? static_cast<std::uint32_t>(classes) : 0;
  // Room for every node and a little slack, so that the arrays rarely have to move.
  grow(draft.nodes.size() + draft.nodes.size() / 8 + classes + 1);
  for (std::uint32_t slot = root; slot <= shallow_; ++slot)
    unlist(slot);
  check_[root] = rootCheck;
  order.push_back(root);
  std::size_t used = 1;
  for (std::size_t at = 0; at < order.size(); ++at) {
    const std::uint32_t state = order[at];
    children.clear();
    for (std::uint32_t child = draft.nodes[draftNode[state]].firstChild; child != 0;
         child = draft.nodes[child].nextSibling) {
      children.push_back(child);
    }
    if (children.empty()) continue;
    std::sort(children.begin(), children.end(), [&](std::uint32_t a, std::uint32_t b) {
      return draft.nodes[a].letterClass < draft.nodes[b].letterClass;
    });
    const std::uint32_t base = state == root ? 0 : findBase();
    base_[state] = base;
    std::uint32_t previous = none;
    for (std::uint32_t child : children) {
      std::uint32_t slot = base + draft.nodes[child].letterClass;
      unlist(slot);
      check_[slot] = state;
      draftNode[slot] = child;
      depth[slot] = depth[state] + 1;
      order.push_back(slot);
      (previous == none ? firstChild_[state] : nextSibling_[previous]) = slot;
      previous = slot;
      used = std::max<std::size_t>(used, slot + 1);
    }
  }

  // Trim to the used slots, but keep check_ long enough for base + any class.
  std::size_t reach = used;
  for (std::size_t slot = 0; slot < used; ++slot) {
    if (firstChild_[slot] != none) reach = std::max<std::size_t>(reach, base_[slot] + 1);
  }
  reach += alphabet_.size();
  for (auto* slots : {&base_, &firstChild_, &nextSibling_}) {
    slots->resize(used);
    slots->shrink_to_fit();
  }
  check_.resize(std::max(reach, used), freeSlot);
  check_.shrink_to_fit();

  ownBegin_.reserve(used + 1);
  ownScores_.reserve(draft.scores.size());
  for (std::size_t slot = 0; slot < used; ++slot) {
    ownBegin_.push_back(static_cast<std::uint32_t>(ownScores_.size()));
    if (check_[slot] == freeSlot) continue;
    const TrieDraft::Node& node = draft.nodes[draftNode[slot]];
    for (std::size_t k = 0; k < node.scoresCount; ++k) {
      ownScores_.push_back(draft.scores[node.scoresBegin + k]);
    }
  }
  ownBegin_.push_back(static_cast<std::uint32_t>(ownScores_.size()));
  ownScores_.shrink_to_fit();
}

// Failure links, breadth first: a child's link is found from its parent's.
void FrozenTrie::link(const std::vector<std::uint32_t>& order) {
  failure_.assign(base_.size(), root);
  for (std::uint32_t state : order) {
    if (state == root) continue;
    for (std::uint32_t child = firstChild_[state]; child != none; child = nextSibling_[child]) {
      const std::uint32_t letterClass = child - base_[state];
      std::uint32_t fallback = failure_[state];
      while (true) {
        std::uint32_t next = step(fallback, letterClass);
        if (next != none) {
          failure_[child] = next;
          break;
        }
        if (fallback == root) break;
        fallback = failure_[fallback];
      }
    }
  }
}

void FrozenTrie::buildRows() {
  const std::size_t width = alphabet_.size() + 1;
  rows_.assign((shallow_ + 1) * width, root);
  for (std::uint32_t letterClass = 1; letterClass < width; ++letterClass) {
    if (std::uint32_t child = step(root, letterClass)) rows_[letterClass] = child;
  }
  for (std::uint32_t state = 1; state <= shallow_; ++state) {
    if (check_[state] != root) continue;
    for (std::uint32_t letterClass = 0; letterClass < width; ++letterClass) {
      std::uint32_t child = step(state, letterClass);
      rows_[state * width + letterClass] = child != none ? child : rows_[letterClass];
    }
  }
}

void FrozenTrie::buildOutputs(const std::vector<std::uint32_t>& order,
                              const std::vector<std::uint32_t>& depth) {
  output_.assign(base_.size(), 0);
  std::size_t patterns = 0;
  for (std::size_t state = 0; state < base_.size(); ++state)
    patterns += !scores(state).empty();
  // Every pattern may add a window; window 0 stands for none. Trimmed at the end.
  windows_.assign((patterns + 1) * windowSize, 0);
  std::size_t windowCount = 1;
  std::array<std::uint8_t, longestMergedOutput + windowSize> merged;
  for (std::uint32_t state : order) {
    auto own = scores(state);
    const std::uint32_t inherited = state == root ? 0 : output_[failure_[state]];
    if (own.empty()) {
      output_[state] = inherited;
      continue;
    }
    // Gaps relative to the gap after the state's last letter: the own scores cover
    // [-depth, own.size() - depth).
    const std::int64_t letters = depth[state];
    const std::int64_t ownLow = -letters;
    const std::int64_t ownEnd = static_cast<std::int64_t>(own.size()) - letters;
    farthestReach_ = std::max(farthestReach_, ownEnd);
    auto addOutput = [&](Output output) {
      output_[state] = exact | static_cast<std::uint32_t>(outputs_.size());
      outputs_.push_back(output);
    };
    auto chain = [&] { addOutput(Output{state, static_cast<std::int32_t>(ownLow), 0, 0, true}); };

    // The inherited output as a run of scores.
    std::int64_t restLow = 0, restReach = 0;
    std::span<const std::uint8_t> rest;
    if (inherited != 0 && !(inherited & exact)) {
      restLow = 1 - static_cast<std::int64_t>(windowSize);
      restReach = 1;
      rest = {windows_.data() + std::size_t{inherited} * windowSize, windowSize};
    } else if (inherited != 0) {
      const Output& output = outputs_[inherited & ~exact];
      if (output.chained) {
        chain();
        continue;
      }
      restLow = output.low;
      restReach = output.reach;
      rest = {outputScores_.data() + output.offset, output.count};
    }
    std::int64_t low = rest.empty() ? ownLow : std::min(ownLow, restLow);
    std::int64_t end =
        rest.empty() ? ownEnd : std::max(ownEnd, restLow + std::int64_t(rest.size()));
    std::int64_t reach = inherited != 0 ? std::max(ownEnd, restReach) : ownEnd;
    if (end - low > std::int64_t{longestMergedOutput} + std::int64_t{windowSize}) {
      chain();
      continue;
    }
    const auto size = static_cast<std::size_t>(end - low);
    std::fill_n(merged.begin(), size, 0);
    std::copy(own.begin(), own.end(), merged.begin() + (ownLow - low));
    for (std::size_t k = 0; k < rest.size(); ++k) {
      std::uint8_t& at = merged[restLow - low + k];
      at = std::max(at, rest[k]);
    }
    // Zeros change nothing: every gap starts at 0, and the result's length follows `reach`.
    auto first = merged.begin();
    auto last = merged.begin() + size;
    while (first != last && *first == 0)
      ++first;
    while (last != first && *(last - 1) == 0)
      --last;
    low += first - merged.begin();
    const auto count = static_cast<std::size_t>(last - first);
    if (reach == 1 && (count == 0 || low > -std::int64_t{windowSize})) {
      output_[state] = static_cast<std::uint32_t>(windowCount);
      ++windowCount;
      // Byte k of a window scores relative gap k + 1 - windowSize.
      std::copy(first, last, windows_.begin() + (windowCount * windowSize - 1 + low));
    } else if (count > longestMergedOutput || reach > std::int64_t{INT32_MAX} ||
               low < std::int64_t{INT32_MIN}) {
      chain();
    } else {
      addOutput(Output{static_cast<std::uint32_t>(outputScores_.size()),
                       static_cast<std::int32_t>(count == 0 ? 0 : low),
                       static_cast<std::uint32_t>(count), static_cast<std::int32_t>(reach), false});
      outputScores_.insert(outputScores_.end(), first, last);
    }
  }
  windows_.resize(windowCount * windowSize);
  windows_.shrink_to_fit();
  outputs_.shrink_to_fit();
  outputScores_.shrink_to_fit();
}

std::uint32_t FrozenTrie::find(std::uint32_t state, char32_t key) const {
  std::uint32_t letterClass = classes_(key);
  return letterClass == 0 ? none : step(state, letterClass);
}

// Gap g of the framed word in a byte buffer, g from -windowSize on.
struct ByteGaps {
  std::uint8_t* gaps;
  void ensure(std::size_t) {}
  void window(std::size_t gap, const std::uint8_t* scores) {
    static_assert(FrozenTrie::windowSize == 16);
    std::uint8_t* to = gaps + gap + 1 - FrozenTrie::windowSize;
#if defined(__SSE2__)
    __m128i raised = _mm_max_epu8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(to)),
                                  _mm_loadu_si128(reinterpret_cast<const __m128i*>(scores)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to), raised);
#elif defined(__ARM_NEON)
    vst1q_u8(to, vmaxq_u8(vld1q_u8(to), vld1q_u8(scores)));
#else
    for (std::size_t k = 0; k < FrozenTrie::windowSize; ++k)
      to[k] = std::max(to[k], scores[k]);
#endif
  }
  void raise(std::size_t gap, std::uint8_t score) {
    gaps[gap] = std::max(gaps[gap], score);
  }
};

// Gap g of the framed word in scores[windowSize + g], growing as patterns reach further.
struct WideGaps {
  Scores& scores;
  void ensure(std::size_t end) {
    if (FrozenTrie::windowSize + end > scores.size()) scores.resize(FrozenTrie::windowSize + end);
  }
  void window(std::size_t gap, const std::uint8_t* from) {
    std::int64_t* to = scores.data() + gap + 1;
    for (std::size_t k = 0; k < FrozenTrie::windowSize; ++k) {
      to[k] = std::max<std::int64_t>(to[k], from[k]);
    }
  }
  void raise(std::size_t gap, std::uint8_t score) {
    std::int64_t& at = scores[FrozenTrie::windowSize + gap];
    at = std::max<std::int64_t>(at, score);
  }
};

// Applies the outputs that are not windows: merged scores placed exactly, or a chain of own
// scores. They may reach past the frame; `end` follows the last gap they cover.
template <class Gaps>
class LookupRun {
 public:
  LookupRun(const FrozenTrie& trie, Gaps gaps, std::size_t end)
      : trie_(trie), gaps_(gaps), end_(end) {}

  // Returns one past the last gap covered so far.
  std::size_t apply(std::uint32_t index, std::size_t gap) {
    while (true) {
      const FrozenTrie::Output& output = trie_.outputs_[index];
      if (!output.chained) {
        cover(gap + output.reach);
        const std::uint8_t* from = trie_.outputScores_.data() + output.offset;
        for (std::size_t k = 0; k < output.count; ++k)
          gaps_.raise(gap + output.low + k, from[k]);
        return end_;
      }
      const std::uint32_t state = output.offset;
      auto own = trie_.scores(state);
      const std::size_t start = gap + output.low;
      cover(start + own.size());
      for (std::size_t k = 0; k < own.size(); ++k)
        gaps_.raise(start + k, own[k]);
      if (state == FrozenTrie::root) return end_;
      const std::uint32_t next = trie_.output_[trie_.failure_[state]];
      if (next == 0) return end_;
      if (!(next & FrozenTrie::exact)) {
        gaps_.window(gap, trie_.windows_.data() + std::size_t{next} * FrozenTrie::windowSize);
        cover(gap + 1);
        return end_;
      }
      index = next & ~FrozenTrie::exact;
    }
  }

 private:
  void cover(std::size_t end) {
    if (end > end_) {
      end_ = end;
      gaps_.ensure(end);
    }
  }

  const FrozenTrie& trie_;
  Gaps gaps_;
  std::size_t end_;
};

template <class Gaps, class Letters>
std::size_t FrozenTrie::run(std::size_t size, Letters letterClass, Gaps gaps) const {
  // Locals, so that writing the gaps cannot make the compiler reload the tables.
  const std::uint32_t* const base = base_.data();
  const std::uint32_t* const check = check_.data();
  const std::uint32_t* const failure = failure_.data();
  const std::uint32_t* const output = output_.data();
  const std::uint8_t* const windows = windows_.data();
  std::size_t end = size + 2;
  const std::uint32_t* const rows = rows_.data();
  const std::uint32_t shallow = shallow_;
  const std::size_t width = alphabet_.size() + 1;
  auto advance = [&](std::uint32_t state, std::uint32_t letterClass) {
    while (true) {
      if (state <= shallow) return rows[state * width + letterClass];
      const std::uint32_t next = base[state] + letterClass;
      if (check[next] == state) return next;
      state = failure[state];
    }
  };
  // A window reaches the gap after the character just read, which lies past the frame only
  // after the closing ".".
  auto emit = [&](std::uint32_t state, std::size_t gap) {
    const std::uint32_t found = output[state];
    if (found == 0) return;
    if (!(found & exact)) {
      gaps.window(gap, windows + std::size_t{found} * windowSize);
    } else {
      end = LookupRun<Gaps>(*this, gaps, end).apply(found & ~exact, gap);
    }
  };

  // The root's own scores count at every gap, the first one included.
  emit(root, 0);
  const std::uint32_t dot = classes_(U'.');
  std::uint32_t state = advance(root, dot);
  emit(state, 1);
  for (std::size_t at = 0; at < size; ++at) {
    state = advance(state, letterClass(at));
    emit(state, at + 2);
  }
  state = advance(state, dot);
  emit(state, size + 2);
  if (output[state] != 0 && !(output[state] & exact)) end = std::max(end, size + 3);
  return end;
}

namespace {

// Clears the first `size` bytes of a gap buffer. Most words fit the first 64 bytes, which clear
// in a few fixed stores.
void clearGaps(std::uint8_t* buffer, std::size_t size) {
  constexpr std::size_t usual = 64;
  std::memset(buffer, 0, usual);
  if (size > usual) std::memset(buffer + usual, 0, size - usual);
}

}  // namespace

std::span<const std::uint8_t> FrozenTrie::scoreShortWord(std::span<const std::uint32_t> classes,
                                                         ShortWordBuffer& buffer) const {
  static_assert(sizeof buffer.gaps >= 64);
  if (farthestReach_ > 1 || classes.size() > shortWord) return {};
  clearGaps(buffer.gaps, windowSize + classes.size() + 3);
  const std::size_t end = run(
      classes.size(), [&](std::size_t at) { return classes[at]; },
      ByteGaps{buffer.gaps + windowSize});
  // The framed word's gaps 1 to end - 2: without the gap before the opening "." and the last.
  return std::span<const std::uint8_t>(buffer.gaps + windowSize + 1, end - 2);
}

std::span<const std::uint8_t> FrozenTrie::scoreWord(std::u32string_view word,
                                                    const LetterClasses& classes,
                                                    std::vector<std::uint8_t>& buffer) const {
  if (farthestReach_ > 1) return {};
  buffer.assign(windowSize + word.size() + 3, 0);
  const LetterClasses::Reader classOf(classes);
  const std::size_t end = run(
      word.size(), [&](std::size_t at) { return classOf(word[at]); },
      ByteGaps{buffer.data() + windowSize});
  return std::span<const std::uint8_t>(buffer.data() + windowSize + 1, end - 2);
}

void FrozenTrie::lookup(std::u32string_view word, Scores& scores) const {
  // Gaps are numbered in the framed word: gap g is the one before its character g. The result
  // drops gap 0 and the last gap covered.
  const LetterClasses::Reader classOf(classes_);
  auto letterClass = [&](std::size_t at) { return classOf(word[at]); };
  const std::size_t size = word.size();
  const std::size_t length = size + 2;
  if (farthestReach_ <= 1 && windowSize + length + 1 <= stackGaps) {
    alignas(16) std::uint8_t buffer[stackGaps];
    clearGaps(buffer, windowSize + length + 1);
    const std::size_t end = run(size, letterClass, ByteGaps{buffer + windowSize});
    scores.assign(buffer + windowSize + 1, buffer + windowSize + end - 1);
    return;
  }
  scores.assign(windowSize + length + 1, 0);
  const std::size_t end = run(size, letterClass, WideGaps{scores});
  std::copy(scores.begin() + windowSize + 1, scores.begin() + windowSize + end - 1, scores.begin());
  scores.resize(end - 2);
}

std::size_t FrozenTrie::bytes() const {
  auto size = [](const auto& v) { return v.capacity() * sizeof(v[0]); };
  return size(alphabet_) + classes_.bytes() + size(rows_) + size(base_) + size(check_) +
         size(firstChild_) + size(nextSibling_) + size(ownBegin_) + size(ownScores_) +
         size(failure_) + size(output_) + size(windows_) + size(outputs_) + size(outputScores_);
}

}  // namespace text::hyphenation::detail
