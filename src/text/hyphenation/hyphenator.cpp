#include "text/hyphenation/hyphenator.hpp"

#include <algorithm>
#include <limits>
#include <span>
#include <utility>

#include "text/hyphenation/hyphenator_breaks.hpp"
#include "text/hyphenation/pattern_lookup.hpp"
#include "text/hyphenation/utf8_decode.hpp"
#include "text/hyphenation/utf8_encode.hpp"

namespace text::hyphenation {

using detail::CharMap;
using detail::Deferred;
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
void detail::findBreaks(const HyphenatorState& state, std::u32string_view word, Scratch& scratch,
                        std::vector<std::size_t>& breaks) {
  breaks.clear();
  const auto n = static_cast<std::int64_t>(word.size());
  const std::int64_t leftMin = state.leftMin;
  const std::int64_t rightMin = state.rightMin;
  if (n == 0 || shorterThanMinimums(n, leftMin, rightMin)) return;

  std::u32string& key = scratch.key();
  normalise(state, word, key);

  std::span<const std::int64_t> raw;
  const ExceptionMap& exceptions = state.exceptions.get().entries();
  if (const auto listed = exceptions.find(key); listed != exceptions.end()) {
    raw = listed->second;
  } else {
    detail::lookupPatternInto(key, state.patterns.get(), scratch.scores());
    raw = scratch.scores();
  }

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

std::vector<std::u32string> hyphenate(const Hyphenator& hyphenator, std::u32string_view word) {
  Scratch scratch;
  std::vector<std::size_t>& breaks = scratch.breaks();
  detail::findBreaks(HyphenatorAccess::state(hyphenator), word, scratch, breaks);
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
  detail::findBreaks(HyphenatorAccess::state(hyphenator), word, scratch, breaks);
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
