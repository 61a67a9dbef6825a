#include "hyphenator/breaks.hpp"

#include <algorithm>
#include <limits>
#include <optional>
#include <span>

#include "common/utf8_encode.hpp"
#include "hyphenator/scratch.hpp"
#include "hyphenator/state.hpp"
#include "pattern/lookup.hpp"

namespace text::hyphenation::detail {
namespace {

// n < leftMin + rightMin as whole numbers: the sum may lie outside the range of int64_t.
bool shorterThanMinimums(std::int64_t n, Minimums minimums) {
  // n >= 0, so n - left can only overflow upwards, and then it exceeds every right minimum.
  if (minimums.left < 0 && n > std::numeric_limits<std::int64_t>::max() + minimums.left) {
    return false;
  }
  return n - minimums.left < minimums.right;
}

// The last k for which a break after k characters survives the trimming: n - rightMin, moved
// |leftMin| further right when leftMin is negative, and never past the word's end. Exact for every
// pair of int64_t minimums.
std::int64_t lastBreak(std::int64_t n, Minimums minimums) {
  if (minimums.right <= 0) return n;
  const std::uint64_t shift = minimums.left < 0 ? 0 - static_cast<std::uint64_t>(minimums.left) : 0;
  const std::uint64_t right = static_cast<std::uint64_t>(minimums.right);
  if (shift >= right) return n;
  return n - static_cast<std::int64_t>(right - shift);  // right - shift <= rightMin
}

// Appends every k from max(leftMin, 1) to the last break and within `raw` whose score is odd.
template <class Score>
[[gnu::always_inline]] inline void appendOddGaps(std::span<const Score> raw, std::int64_t n,
                                                 Minimums minimums,
                                                 std::vector<std::size_t>& breaks) {
  const std::int64_t first = std::max<std::int64_t>(minimums.left, 1);
  const std::int64_t last =
      std::min(lastBreak(n, minimums), static_cast<std::int64_t>(raw.size()) - 1);
  for (std::int64_t k = first; k <= last; ++k) {
    if (raw[k] % 2 != 0) breaks.push_back(static_cast<std::size_t>(k));
  }
}

void normalise(const HyphenatorState& state, std::u32string_view word, std::u32string& key) {
  key.resize(word.size());
  if (state.table) {
    const CharMap& map = state.table->get();
    for (std::size_t i = 0; i < word.size(); ++i) {
      key[i] = map(word[i]);
    }
  } else {
    for (std::size_t i = 0; i < word.size(); ++i) {
      key[i] = state.function(word[i]);
    }
  }
}

// The character that stands for `c` in the key.
char32_t normalised(const HyphenatorState& state, char32_t c) {
  return state.table ? state.table->get()(c) : state.function(c);
}

// A raw score list: pattern scores of a long word on the fast path come as bytes (`narrow`),
// every other list as integers (`wide`); the one that is used has data.
struct RawScores {
  std::span<const std::int64_t> wide;
  std::span<const std::uint8_t> narrow;
};

// The raw list the plain way: the exception table's list for the key (the word through the
// character function or map), else the pattern trie's. The first word that reaches the patterns
// builds the fast path, which a long word then takes too.
RawScores plainScores(const HyphenatorState& state, std::u32string_view word, Scratch& scratch) {
  std::u32string& key = scratch.key();
  key.clear();
  const ExceptionMap& exceptions = state.exceptions.get().entries();
  const ExceptionFilter& filter =
      state.exceptionFilter.get([&] { return ExceptionFilter(exceptions); });
  if (filter.mayList(word.size(), normalised(state, word.front()),
                     normalised(state, word.back()))) {
    normalise(state, word, key);
    if (const auto listed = exceptions.find(key); listed != exceptions.end()) {
      return {listed->second, {}};
    }
  }
  const Patterns& patterns = state.patterns.get();
  const FastPath* fastPath = state.fastPath.load(std::memory_order_acquire);
  if (state.table && !fastPath) {
    const FastPath& built =
        state.fastPathSlot.get([&] { return FastPath(state.table->get(), patterns, filter); });
    if (built.trie()) {
      state.fastPath.store(&built, std::memory_order_release);
      fastPath = &built;
    }
  }
  // A byte per gap rather than a score of eight.
  if (fastPath && word.size() > FrozenTrie::shortWord) {
    const auto narrow = fastPath->trie()->scoreWord(word, fastPath->classes(), scratch.gaps());
    if (narrow.data() != nullptr) return {{}, narrow};
  }
  if (key.size() != word.size()) normalise(state, word, key);
  lookupPatternInto(key, patterns, scratch.scores());
  return {scratch.scores(), {}};
}

// Whether no exception can list the word.
bool unlisted(const FastPath& fastPath, std::u32string_view word) {
  const ExceptionFilter& exceptions = fastPath.exceptions();
  return exceptions.empty() || !exceptions.mayList(word.size(), fastPath.chars()(word.front()),
                                                   fastPath.chars()(word.back()));
}

// The raw list on the fast path, when it applies: no exception can list the word, so it goes
// straight from its characters to letter classes and through the automaton, into a byte per gap
// on the stack. A span without data when it does not apply.
std::span<const std::uint8_t> fastScores(const FastPath& fastPath, std::u32string_view word,
                                         FrozenTrie::ShortWordBuffer& buffer) {
  if (word.size() > FrozenTrie::shortWord || !unlisted(fastPath, word)) return {};
  std::uint32_t classes[FrozenTrie::shortWord];
  fastPath.letterClasses(word, classes);
  return fastPath.trie()->scoreShortWord({classes, word.size()}, buffer);
}

}  // namespace

// The raw list R (entry k belongs to the gap before character k of the key) is trimmed to
// T = max(l, 0) zeros followed by up to m = n - l - r + 1 entries of R from entry max(l, 0) on;
// the word is then cut after character i wherever entry i + 1 of T is odd. T is never built:
// entry k of T is 0 for k < l and R[k] up to the end of R or of the m entries, so a break falls
// after k characters exactly when max(l, 1) <= k <= lastBreak and R[k] exists and is odd. This
// holds for every int64_t pair of minimums, even where l + r itself would overflow; minimums far
// past the word's length simply leave no gap that may break.
//
// Example (l = 2, r = 3): "hyphenation" has R = [0,0,3,0,0,2,5,4,2,0,2]; k runs from 2 to 8, and
// the odd entries at k = 2 and k = 6 give "hy", "phen", "ation".
//
// `scratch` may be null: only the plain road needs buffers, and takes the thread's own then.
void findBreaks(const HyphenatorState& state, std::u32string_view word, Minimums minimums,
                Scratch* scratch, std::vector<std::size_t>& breaks) {
  breaks.clear();
  const auto n = static_cast<std::int64_t>(word.size());
  if (n == 0 || shorterThanMinimums(n, minimums)) return;

  const FastPath* fastPath = state.fastPath.load(std::memory_order_acquire);
  if (fastPath) {
    FrozenTrie::ShortWordBuffer buffer;
    // The fast list has at least n >= 1 entries, so the malformed case cannot arise here.
    if (const auto raw = fastScores(*fastPath, word, buffer); raw.data() != nullptr) {
      appendOddGaps(raw, n, minimums, breaks);
      return;
    }
  }

  std::optional<Scratch> ownScratch;
  if (!scratch) scratch = &ownScratch.emplace();
  const RawScores raw = plainScores(state, word, *scratch);
  if (raw.narrow.data() != nullptr) {
    appendOddGaps(raw.narrow, n, minimums, breaks);
    return;
  }
  // T is empty only when it has no leading zeros and R has nothing to give.
  if (minimums.left <= 0 && raw.wide.empty()) {
    throw Error("Malformed hyphenation score for " + encodeUtf8(word));
  }
  appendOddGaps(raw.wide, n, minimums, breaks);
}

}  // namespace text::hyphenation::detail
