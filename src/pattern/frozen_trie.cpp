#include "pattern/frozen_trie.hpp"

#include <algorithm>
#include <utility>

namespace text::hyphenation::detail {

LetterClasses letterClassesOf(const std::vector<char32_t>& alphabet) {
  std::vector<LetterClasses::Entry> entries;
  entries.reserve(alphabet.size());
  for (std::size_t k = 0; k < alphabet.size(); ++k)
    entries.emplace_back(alphabet[k], static_cast<std::uint32_t>(k + 1));
  return LetterClasses(entries);
}

OutputTable::OutputTable() : longBegin_{0} {}

OutputTable::Ref OutputTable::add(std::span<const std::uint8_t> scores) {
  std::string key(scores.begin(), scores.end());
  if (const auto known = known_.find(key); known != known_.end()) return known->second;
  Ref ref{};
  if (scores.size() <= OutputArrays::windowSize) {
    ref = Ref{false, static_cast<std::uint32_t>(windowLengths_.size())};
    windows_.insert(windows_.end(), scores.begin(), scores.end());
    windows_.resize(windows_.size() + OutputArrays::windowSize - scores.size(), 0);
    for (const std::uint8_t score : scores)
      coveredWindows_.push_back(score | OutputArrays::covered);
    coveredWindows_.resize(windows_.size(), 0);
    windowLengths_.push_back(static_cast<std::uint8_t>(scores.size()));
  } else {
    ref = Ref{true, static_cast<std::uint32_t>(longCount())};
    longScores_.insert(longScores_.end(), scores.begin(), scores.end());
    longBegin_.push_back(static_cast<std::uint32_t>(longScores_.size()));
  }
  known_.emplace(std::move(key), ref);
  return ref;
}

std::size_t OutputTable::bytes() const {
  return windows_.capacity() + coveredWindows_.capacity() + windowLengths_.capacity() +
         longBegin_.capacity() * sizeof(std::uint32_t) + longScores_.capacity();
}

namespace {

constexpr std::uint32_t listEnd = 0xFFFFFFFF;

// Where the draft's states go: a slot per state, the states with children a base each, and
// for a state with children where a pattern ends, the slot at its base for its output.
struct Placement {
  enum Kind : std::uint8_t { freeSlot, state, outputSlot };
  std::vector<Kind> kind;
  std::vector<std::uint32_t> node;  // the draft node of a state; the owner of an output slot
  std::vector<std::uint32_t> base;  // of a state with children
  std::vector<std::uint32_t> parent;
  std::vector<std::uint32_t> depth;
  std::vector<std::uint8_t> isBase;
  std::vector<std::uint32_t> order;  // the states, breadth first
  std::size_t used = 0;              // one past the last slot taken or reached by a base
};

// Gives every draft node a slot, breadth first: a node's children go to base + their classes,
// with the smallest unused base at which their slots (and the output slot, when it needs one)
// are free. Candidate bases come from a list of free slots; a slot that has failed as a
// candidate often leaves the list, so that placing stays linear however full the front gets.
Placement place(const TrieDraft& draft) {
  const std::size_t classCount = draft.alphabet.size();
  Placement placed;
  std::vector<std::uint32_t> nextFree, previousFree;
  std::vector<std::uint8_t> misses, listed;
  std::uint32_t freeHead = listEnd, freeTail = listEnd;

  auto grow = [&](std::size_t size) {
    const std::size_t old = placed.kind.size();
    if (size <= old) return;
    size = std::max(size, old + old / 4 + classCount + 64);
    placed.kind.resize(size, Placement::freeSlot);
    for (auto* slots : {&placed.node, &placed.base, &placed.parent, &placed.depth})
      slots->resize(size, 0);
    placed.isBase.resize(size, 0);
    nextFree.resize(size, listEnd);
    previousFree.resize(size, listEnd);
    misses.resize(size, 0);
    listed.resize(size, 1);
    for (std::size_t slot = old; slot < size; ++slot) {
      const auto index = static_cast<std::uint32_t>(slot);
      previousFree[slot] = freeTail;
      (freeTail == listEnd ? freeHead : nextFree[freeTail]) = index;
      freeTail = index;
    }
  };
  auto unlist = [&](std::uint32_t slot) {
    if (!listed[slot]) return;
    listed[slot] = 0;
    const std::uint32_t next = nextFree[slot], previous = previousFree[slot];
    (previous == listEnd ? freeHead : nextFree[previous]) = next;
    (next == listEnd ? freeTail : previousFree[next]) = previous;
  };
  auto take = [&](std::uint32_t slot, Placement::Kind kind) {
    placed.kind[slot] = kind;
    placed.used = std::max<std::size_t>(placed.used, slot + 1);
    unlist(slot);
  };

  std::vector<std::uint32_t> children;  // draft nodes, ascending class
  auto fits = [&](std::uint32_t base, bool outputSlot) {
    if (base == 0 || placed.isBase[base]) return false;
    if (outputSlot && placed.kind[base] != Placement::freeSlot) return false;
    for (const std::uint32_t child : children) {
      if (placed.kind[base + draft.nodes[child].letterClass] != Placement::freeSlot) return false;
    }
    return true;
  };
  auto findBase = [&](bool outputSlot) {
    const std::uint32_t first = outputSlot ? 0 : draft.nodes[children.front()].letterClass;
    const std::uint32_t last = draft.nodes[children.back()].letterClass;
    std::uint32_t candidate = freeHead;
    while (true) {
      if (candidate == listEnd) {
        candidate = static_cast<std::uint32_t>(placed.kind.size());
        grow(placed.kind.size() + 1);
      }
      if (candidate >= first) {
        const std::uint32_t base = candidate - first;
        if (std::size_t{base} + last >= placed.kind.size()) grow(std::size_t{base} + last + 1);
        if (fits(base, outputSlot)) return base;
      }
      const std::uint32_t next = nextFree[candidate];
      if (++misses[candidate] >= 255) unlist(candidate);
      candidate = next;
    }
  };

  // Room for every node and a little slack, so that the arrays rarely move.
  grow(draft.nodes.size() + draft.nodes.size() / 16 + classCount + 1);
  take(FrozenTrie::root, Placement::state);
  placed.isBase[0] = 1;
  placed.order.push_back(FrozenTrie::root);
  for (std::size_t at = 0; at < placed.order.size(); ++at) {
    const std::uint32_t slot = placed.order[at];
    const TrieDraft::Node& node = draft.nodes[placed.node[slot]];
    children.clear();
    for (std::uint32_t child = node.firstChild; child != 0; child = draft.nodes[child].nextSibling)
      children.push_back(child);
    if (children.empty()) continue;
    std::sort(children.begin(), children.end(), [&](std::uint32_t a, std::uint32_t b) {
      return draft.nodes[a].letterClass < draft.nodes[b].letterClass;
    });
    const bool outputSlot = slot != FrozenTrie::root && node.scoresCount != 0;
    const std::uint32_t base = slot == FrozenTrie::root ? 0 : findBase(outputSlot);
    placed.isBase[base] = 1;
    placed.base[slot] = base;
    if (outputSlot) {
      take(base, Placement::outputSlot);
      placed.node[base] = slot;
    }
    for (const std::uint32_t child : children) {
      const std::uint32_t childSlot = base + draft.nodes[child].letterClass;
      take(childSlot, Placement::state);
      placed.node[childSlot] = child;
      placed.parent[childSlot] = slot;
      placed.depth[childSlot] = placed.depth[slot] + 1;
      placed.order.push_back(childSlot);
    }
    placed.used = std::max<std::size_t>(placed.used, std::size_t{base} + classCount + 1);
  }
  placed.used = std::max<std::size_t>(placed.used, classCount + 1);
  grow(placed.used);
  return placed;
}

// Failure and output links for a deep trie, breadth first: a state's failure is found from its
// parent's.
void link(const TrieDraft& draft, const Placement& placed, FrozenArrays& arrays) {
  const std::size_t count = placed.used;
  arrays.failure.assign(count, FrozenTrie::root);
  arrays.outputLink.assign(count, FrozenTrie::none);
  arrays.depth.assign(placed.depth.begin(), placed.depth.begin() + count);
  auto hasChildren = [&](std::uint32_t state) {
    return draft.nodes[placed.node[state]].firstChild != 0;
  };
  auto step = [&](std::uint32_t state, std::uint32_t letterClass) -> std::uint32_t {
    if (!hasChildren(state)) return FrozenTrie::none;
    const std::uint32_t slot = placed.base[state] + letterClass;
    const bool child = placed.kind[slot] == Placement::state && slot != FrozenTrie::root &&
                       draft.nodes[placed.node[slot]].letterClass == letterClass;
    return child ? slot : FrozenTrie::none;
  };
  auto ends = [&](std::uint32_t state) {
    return state != FrozenTrie::root && draft.nodes[placed.node[state]].scoresCount != 0;
  };
  for (const std::uint32_t state : placed.order) {
    if (state == FrozenTrie::root) continue;
    const std::uint32_t parent = placed.parent[state];
    const std::uint32_t letterClass = draft.nodes[placed.node[state]].letterClass;
    std::uint32_t fallback = parent;
    while (fallback != FrozenTrie::root) {
      fallback = arrays.failure[fallback];
      if (const std::uint32_t next = step(fallback, letterClass)) {
        fallback = next;
        break;
      }
    }
    arrays.failure[state] = fallback;
    arrays.outputLink[state] = ends(fallback) ? fallback : arrays.outputLink[fallback];
  }
}

template <class Format, class Unit>
void pack(const TrieDraft& draft, const Placement& placed,
          const std::vector<OutputTable::Ref>& outputOf, std::vector<Unit>& units) {
  using F = Format;
  auto id = [](OutputTable::Ref ref) {
    return ref.isLong ? F::longOutput + ref.index : std::uint64_t{ref.index};
  };
  units.assign(placed.used, F::make(F::noClass, false, false, 0));
  for (std::size_t slot = 1; slot < placed.used; ++slot) {
    if (placed.kind[slot] == Placement::outputSlot) {
      units[slot] = F::make(F::noClass, false, false, id(outputOf[placed.node[slot]]));
      continue;
    }
    if (placed.kind[slot] != Placement::state) continue;
    const TrieDraft::Node& node = draft.nodes[placed.node[slot]];
    if (node.firstChild != 0) {
      units[slot] = F::make(node.letterClass, node.scoresCount != 0, false, placed.base[slot]);
    } else {
      units[slot] = F::make(node.letterClass, true, true, id(outputOf[slot]));
    }
  }
}

}  // namespace

FrozenArrays freezeDraft(const TrieDraft& draft, OutputTable& outputs) {
  const Placement placed = place(draft);
  FrozenArrays arrays;
  arrays.alphabet = draft.alphabet;
  arrays.patternLetters = draft.patternLetters;

  // The output of every state where a pattern ends; a state without children always has one
  // in a parsed trie, and gets the empty list otherwise.
  std::vector<OutputTable::Ref> outputOf(placed.used);
  for (const std::uint32_t slot : placed.order) {
    const TrieDraft::Node& node = draft.nodes[placed.node[slot]];
    arrays.longestPattern = std::max<std::size_t>(arrays.longestPattern, placed.depth[slot]);
    if (node.scoresCount == 0 && (node.firstChild != 0 || slot == FrozenTrie::root)) continue;
    const std::span<const std::uint8_t> scores(draft.scores.data() + node.scoresBegin,
                                               node.scoresCount);
    outputOf[slot] = outputs.add(scores);
    if (slot == FrozenTrie::root) {
      arrays.rootOutput = 0;  // numbered below, once the format is known
      arrays.regular = false;
    } else if (scores.size() != placed.depth[slot] + 1) {
      arrays.regular = false;
    }
  }

  const std::size_t classCount = draft.alphabet.size();
  const bool narrow = classCount <= NarrowFormat::largestClass &&
                      placed.used <= NarrowFormat::payloadLimit &&
                      outputs.windowCount() <= NarrowFormat::longOutput &&
                      outputs.longCount() <= NarrowFormat::longOutput;
  std::vector<char32_t> alphabet = draft.alphabet;
  auto numbered = [&](auto format) {
    using F = decltype(format);
    const OutputTable::Ref ref = outputOf[FrozenTrie::root];
    return static_cast<std::uint32_t>(ref.isLong ? F::longOutput + ref.index : ref.index);
  };
  if (narrow) {
    pack<NarrowFormat>(draft, placed, outputOf, arrays.narrowUnits);
    std::vector<CodePointTable<std::uint8_t>::Entry> entries;
    for (std::size_t k = 0; k < classCount; ++k)
      entries.emplace_back(alphabet[k], static_cast<std::uint8_t>(k + 1));
    arrays.narrowClasses = CodePointTable<std::uint8_t>(entries);
    if (arrays.rootOutput != NarrowTrie::noOutput) arrays.rootOutput = numbered(NarrowFormat());
  } else {
    pack<WideFormat>(draft, placed, outputOf, arrays.wideUnits);
    arrays.wideClasses = letterClassesOf(alphabet);
    if (arrays.rootOutput != NarrowTrie::noOutput) arrays.rootOutput = numbered(WideFormat());
  }
  if (arrays.longestPattern > NarrowTrie::deepest) link(draft, placed, arrays);
  return arrays;
}

NarrowTrie FrozenArrays::narrowView(const OutputArrays& outputs) const {
  return NarrowTrie{narrowUnits, narrowClasses.pages(),
                    alphabet,    patternLetters,
                    outputs,     rootOutput,
                    regular,     failure,
                    outputLink,  depth};
}

WideTrie FrozenArrays::wideView(const OutputArrays& outputs) const {
  return WideTrie{
      wideUnits, wideClasses.pages(), alphabet, patternLetters, outputs, rootOutput, regular,
      failure,   outputLink,          depth};
}

std::size_t FrozenArrays::bytes() const {
  auto size = [](const auto& v) { return v.capacity() * sizeof(v[0]); };
  return size(narrowUnits) + size(wideUnits) + narrowClasses.bytes() + wideClasses.bytes() +
         size(alphabet) + size(failure) + size(outputLink) + size(depth);
}

FrozenTrie::FrozenTrie(const TrieDraft& draft) : arrays_(freezeDraft(draft, outputs_)) {
  outputs_.seal();
  if (arrays_.narrow()) {
    narrow_.emplace(arrays_.narrowView(outputs_.arrays()));
  } else {
    wide_.emplace(arrays_.wideView(outputs_.arrays()));
  }
}

}  // namespace text::hyphenation::detail
