#include "text/hyphenation/hyphenator.hpp"

#include <optional>
#include <utility>

#include "common/utf8_decode.hpp"
#include "hyphenator/breaks.hpp"
#include "hyphenator/scratch.hpp"
#include "hyphenator/state.hpp"

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
                                  std::int64_t rightMin, const FastPath* fastPath) {
  return HyphenatorAccess::make(std::shared_ptr<const HyphenatorState>(new HyphenatorState{
      CharFunction(), std::optional<Deferred<CharMap>>(std::in_place, std::move(chars)),
      Deferred<Patterns>(std::move(patterns)), Deferred<Exceptions>(std::move(exceptions)), leftMin,
      rightMin, fastPath}));
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

void hyphenationPoints(const Hyphenator& hyphenator, std::u32string_view word,
                       std::vector<std::size_t>& out) {
  const HyphenatorState& state = HyphenatorAccess::state(hyphenator);
  detail::findBreaks(state, word, detail::minimumsOf(state), nullptr, out);
}

namespace {

// The fragments of `word` cut after the characters counted in `breaks`: `offset(k)` is where
// character k starts among the word's units (its bytes in UTF-8, its code points in UTF-32).
template <class Fragment, class Offset>
std::vector<Fragment> fragmentsAt(std::basic_string_view<typename Fragment::value_type> word,
                                  const std::vector<std::size_t>& breaks, Offset offset) {
  std::vector<Fragment> fragments;
  fragments.reserve(breaks.size() + 1);
  std::size_t start = 0;
  for (const std::size_t k : breaks) {
    fragments.emplace_back(word.substr(start, offset(k) - start));
    start = offset(k);
  }
  fragments.emplace_back(word.substr(start));
  return fragments;
}

}  // namespace

std::vector<std::u32string> hyphenate(const Hyphenator& hyphenator, std::u32string_view word) {
  Scratch scratch;
  std::vector<std::size_t>& breaks = scratch.breaks();
  const HyphenatorState& state = HyphenatorAccess::state(hyphenator);
  detail::findBreaks(state, word, detail::minimumsOf(state), &scratch, breaks);
  return fragmentsAt<std::u32string>(word, breaks, [](std::size_t k) { return k; });
}

// Slices of the caller's bytes: a break after k characters is a cut before the first byte of
// character k, or after the last byte when k is the word's length.
std::vector<std::string> hyphenate(const Hyphenator& hyphenator, std::string_view utf8) {
  Scratch scratch;
  std::u32string& word = scratch.word();
  detail::decodeUtf8Into(utf8, word);
  std::vector<std::size_t>& breaks = scratch.breaks();
  const HyphenatorState& state = HyphenatorAccess::state(hyphenator);
  detail::findBreaks(state, word, detail::minimumsOf(state), &scratch, breaks);
  detail::characterOffsetsToBytes(utf8, breaks);
  return fragmentsAt<std::string>(utf8, breaks, [](std::size_t at) { return at; });
}

}  // namespace text::hyphenation
