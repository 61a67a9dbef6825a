#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "common/code_point_table.hpp"
#include "common/deferred.hpp"
#include "exception/filter.hpp"
#include "hyphenator/breaks.hpp"
#include "hyphenator/fast_path.hpp"
#include "text/hyphenation/hyphenator.hpp"

namespace text::hyphenation::detail {

// The shared, immutable state behind a Hyphenator. The character function is either a caller's
// function or a character map; the map, the patterns and the exceptions may each be deferred to
// their first use. A language's hyphenator also has the fast path compiled into the library,
// which hyphenate takes instead of them. What hyphenate and running text derive from the fields
// is built on first use too, from the fields needed and no others.
struct HyphenatorState {
  CharFunction function;                   // set when the caller supplied the function
  std::optional<Deferred<CharMap>> table;  // set otherwise
  Deferred<Patterns> patterns;
  Deferred<Exceptions> exceptions;
  std::int64_t leftMin;
  std::int64_t rightMin;
  const FastPath* fastPath = nullptr;  // null for a hyphenator made by the caller
  Derived<ExceptionFilter> exceptionFilter{};
  // What running text takes for a letter (see running_text/word_letters.hpp).
  Derived<CharSet> wordLetters{};
};

// The hyphenator's own minimums, for findBreaks.
inline Minimums minimumsOf(const HyphenatorState& state) {
  return Minimums{state.leftMin, state.rightMin};
}

struct HyphenatorAccess {
  static const HyphenatorState& state(const Hyphenator& hyphenator) { return *hyphenator.state_; }
  static const std::shared_ptr<const HyphenatorState>& shared(const Hyphenator& hyphenator) {
    return hyphenator.state_;
  }
  static Hyphenator make(std::shared_ptr<const HyphenatorState> state) {
    return Hyphenator(std::move(state));
  }
};

// A hyphenator whose character map, patterns and exceptions are each built on first use, exactly
// once even under concurrent first use: the map on the first call of the character function, the
// patterns and exceptions when first read. A builder that throws makes every use of its field
// rethrow. Every builder must be callable (non-empty). Given a fast path, words go through it
// instead of the fields; it must agree with them and outlive the hyphenator.
Hyphenator makeDeferredHyphenator(std::function<CharMap()> chars,
                                  std::function<Patterns()> patterns,
                                  std::function<Exceptions()> exceptions, std::int64_t leftMin,
                                  std::int64_t rightMin, const FastPath* fastPath = nullptr);

}  // namespace text::hyphenation::detail
