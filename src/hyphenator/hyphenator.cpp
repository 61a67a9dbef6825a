#include "text/hyphenation/hyphenator.hpp"

#include <algorithm>
#include <limits>
#include <optional>
#include <span>
#include <utility>

#include "common/utf8_decode.hpp"
#include "common/utf8_encode.hpp"
#include "hyphenator/breaks.hpp"
#include "pattern/lookup.hpp"

namespace text::hyphenation {

using detail::CharMap;
using detail::Deferred;
using detail::FrozenTrie;
using detail::HyphenatorAccess;
using detail::HyphenatorState;
using detail::Scratch;

namespace {

CharFunction callable(CharFunction chars) {
  // Refused here rather than at the first word long enough to need it, and with the library's
  // own error instead of std::bad_function_call.
  if (!chars) throw Error("Hyphenator: the character function is empty");
  return chars;
}

}  // namespace

Hyphenator::Hyphenator(CharFunction chars, Patterns patterns, Exceptions exceptions,
                       std::int64_t leftMin, std::int64_t rightMin)
    : state_(new HyphenatorState{callable(std::move(chars)), std::nullopt,
                                 Deferred<Patterns>(std::move(patterns)),
                                 Deferred<Exceptions>(std::move(exceptions)), leftMin, rightMin}) {}

namespace detail {

Hyphenator makeDeferredHyphenator(std::function<CharMap()> chars,
                                  std::function<Patterns()> patterns,
                                  std::function<Exceptions()> exceptions, std::int64_t leftMin,
                                  std::int64_t rightMin) {
  return HyphenatorAccess::make(std::shared_ptr<const HyphenatorState>(new HyphenatorState{
      CharFunction(), std::optional<Deferred<CharMap>>(std::in_place, std::move(chars)),
      Deferred<Patterns>(std::move(patterns)), Deferred<Exceptions>(std::move(exceptions)), leftMin,
      rightMin}));
}

}  // namespace detail

CharFunction hyphenatorChars(const Hyphenator& hyphenator) {
  const auto& state = HyphenatorAccess::shared(hyphenator);
  if (!state->table) return state->function;
  // The function holds the state, so it stays usable after the hyphenator is gone.
  return [state](char32_t c) { return state->table->get()(c); };
}

Patterns hyphenatorPatterns(const Hyphenator& hyphenator) {
  return HyphenatorAccess::state(hyphenator).patterns.get();
}

Exceptions hyphenatorExceptions(const Hyphenator& hyphenator) {
  return HyphenatorAccess::state(hyphenator).exceptions.get();
}

std::int64_t hyphenatorLeftMin(const Hyphenator& hyphenator) {
  return HyphenatorAccess::state(hyphenator).leftMin;
}

std::int64_t hyphenatorRightMin(const Hyphenator& hyphenator) {
  return HyphenatorAccess::state(hyphenator).rightMin;
}

namespace {

// n < leftMin + rightMin as whole numbers: the sum may lie outside the range of int64_t.
bool shorterThanMinimums(std::int64_t n, std::int64_t leftMin, std::int64_t rightMin) {
  // n >= 0, so n - leftMin can only overflow upwards, and then it exceeds every rightMin.
  if (leftMin < 0 && n > std::numeric_limits<std::int64_t>::max() + leftMin) return false;
  return n - leftMin < rightMin;
}

// The last k for which a break after k characters survives the trimming: n - rightMin, moved
// |leftMin| further right when leftMin is negative, and never past the word's end. Exact for every
// pair of int64_t minimums.
std::int64_t lastBreak(std::int64_t n, std::int64_t leftMin, std::int64_t rightMin) {
  if (rightMin <= 0) return n;
  const std::uint64_t shift = leftMin < 0 ? 0 - static_cast<std::uint64_t>(leftMin) : 0;
  const std::uint64_t right = static_cast<std::uint64_t>(rightMin);
  if (shift >= right) return n;
  return n - static_cast<std::int64_t>(right - shift);  // right - shift <= rightMin
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

// The raw list the plain way: the key through the character function or map, the exception
// table, else the pattern trie. The first word that reaches the patterns builds the plan.
std::span<const std::int64_t> plainScores(const HyphenatorState& state, std::u32string_view word,
                                          Scratch& scratch) {
  std::u32string& key = scratch.key();
  normalise(state, word, key);
  const ExceptionMap& exceptions = state.exceptions.get().entries();
  const detail::ExceptionFilter& filter =
      state.exceptionFilter.get([&] { return detail::ExceptionFilter(exceptions); });
  if (filter.mayList(key.size(), key.front(), key.back())) {
    if (const auto listed = exceptions.find(key); listed != exceptions.end()) return listed->second;
  }
  const Patterns& patterns = state.patterns.get();
  if (state.table && !state.plan.load(std::memory_order_acquire)) {
    const detail::HyphenationPlan& plan = state.planSlot.get(
        [&] { return detail::HyphenationPlan(state.table->get(), patterns, filter); });
    if (plan.trie()) state.plan.store(&plan, std::memory_order_release);
  }
  detail::lookupPatternInto(key, patterns, scratch.scores());
  return scratch.scores();
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
void detail::findBreaks(const HyphenatorState& state, std::u32string_view word, Scratch* scratch,
                        std::vector<std::size_t>& breaks) {
  breaks.clear();
  const auto n = static_cast<std::int64_t>(word.size());
  const std::int64_t leftMin = state.leftMin;
  const std::int64_t rightMin = state.rightMin;
  if (n == 0 || shorterThanMinimums(n, leftMin, rightMin)) return;

  const detail::HyphenationPlan* plan = state.plan.load(std::memory_order_acquire);
  if (plan && word.size() <= FrozenTrie::shortWord &&
      (plan->exceptions().empty() ||
       !plan->exceptions().mayList(word.size(), plan->chars()(word.front()),
                                   plan->chars()(word.back())))) {
    // The fast road: no exception can list the word, so it goes straight from its characters
    // to letter classes and through the automaton, into a byte per gap of the framed word.
    std::uint32_t classes[FrozenTrie::shortWord];
    for (std::size_t i = 0; i < word.size(); ++i)
      classes[i] = plan->letterClass(word[i]);
    alignas(16) std::uint8_t buffer[FrozenTrie::shortBuffer];
    const std::size_t end = plan->trie()->scoreShortWord({classes, word.size()}, buffer);
    if (end != 0) {
      // Gap k + 1 of the framed word is entry k of the raw list, which has end - 2 entries
      // (at least n >= 1 of them, so the malformed case cannot arise here).
      const std::uint8_t* raw = buffer + FrozenTrie::windowSize + 1;
      const std::int64_t first = std::max<std::int64_t>(leftMin, 1);
      const std::int64_t last =
          std::min(lastBreak(n, leftMin, rightMin), static_cast<std::int64_t>(end) - 3);
      for (std::int64_t k = first; k <= last; ++k) {
        if (raw[k] & 1) breaks.push_back(static_cast<std::size_t>(k));
      }
      return;
    }
  }

  std::optional<Scratch> ownScratch;
  if (!scratch) scratch = &ownScratch.emplace();
  const std::span<const std::int64_t> raw = plainScores(state, word, *scratch);
  // T is empty only when it has no leading zeros and R has nothing to give.
  if (leftMin <= 0 && raw.empty()) {
    throw Error("Malformed hyphenation score for " + detail::encodeUtf8(word));
  }

  const std::int64_t first = std::max<std::int64_t>(leftMin, 1);
  std::int64_t last = lastBreak(n, leftMin, rightMin);
  last = std::min(last, static_cast<std::int64_t>(raw.size()) - 1);
  for (std::int64_t k = first; k <= last; ++k) {
    if (raw[k] % 2 != 0) breaks.push_back(static_cast<std::size_t>(k));
  }
}

void hyphenationPoints(const Hyphenator& hyphenator, std::u32string_view word,
                       std::vector<std::size_t>& out) {
  detail::findBreaks(HyphenatorAccess::state(hyphenator), word, nullptr, out);
}

std::vector<std::u32string> hyphenate(const Hyphenator& hyphenator, std::u32string_view word) {
  Scratch scratch;
  std::vector<std::size_t>& breaks = scratch.breaks();
  detail::findBreaks(HyphenatorAccess::state(hyphenator), word, &scratch, breaks);
  std::vector<std::u32string> fragments;
  fragments.reserve(breaks.size() + 1);
  std::size_t start = 0;
  for (const std::size_t end : breaks) {
    fragments.emplace_back(word.substr(start, end - start));
    start = end;
  }
  fragments.emplace_back(word.substr(start));
  return fragments;
}

// Slices of the caller's bytes: a break after k characters is a cut before the first byte of
// character k, or after the last byte when k is the word's length.
std::vector<std::string> hyphenate(const Hyphenator& hyphenator, std::string_view utf8) {
  Scratch scratch;
  std::u32string& word = scratch.word();
  std::vector<std::size_t>& starts = scratch.starts();
  detail::decodeUtf8Into(utf8, word, starts);
  starts.push_back(utf8.size());
  std::vector<std::size_t>& breaks = scratch.breaks();
  detail::findBreaks(HyphenatorAccess::state(hyphenator), word, &scratch, breaks);
  std::vector<std::string> fragments;
  fragments.reserve(breaks.size() + 1);
  std::size_t start = 0;
  for (const std::size_t k : breaks) {
    fragments.emplace_back(utf8.substr(start, starts[k] - start));
    start = starts[k];
  }
  fragments.emplace_back(utf8.substr(start));
  return fragments;
}

}  // namespace text::hyphenation
