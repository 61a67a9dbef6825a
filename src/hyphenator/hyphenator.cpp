#include "text/hyphenation/hyphenator.hpp"

#include <optional>
#include <utility>

#include "common/utf16.hpp"
#include "common/utf8_decode.hpp"
#include "common/utf8_encode.hpp"
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

namespace {

// The breaks of `word`, throwing for malformed scores with the word named by `name()`.
template <class Name>
void breaksOf(const Hyphenator& hyphenator, std::u32string_view word, Scratch* scratch,
              std::vector<std::size_t>& breaks, Name name) {
  const HyphenatorState& state = HyphenatorAccess::state(hyphenator);
  if (!detail::findBreaks(state, word, detail::minimumsOf(state), scratch, breaks)) {
    throw detail::malformedScores(name());
  }
}

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

const auto unitOffset = [](std::size_t at) { return at; };

// The breaks of a UTF-8 word as byte offsets, and of a UTF-16 word as code-unit offsets.
void utf8Breaks(const Hyphenator& hyphenator, std::string_view utf8, Scratch* scratch,
                std::vector<std::size_t>& breaks) {
  const HyphenatorState& state = HyphenatorAccess::state(hyphenator);
  if (!detail::findBreaks(state, utf8, detail::minimumsOf(state), scratch, breaks)) {
    throw detail::malformedScores(utf8);
  }
}

void utf16Breaks(const Hyphenator& hyphenator, std::u16string_view utf16, Scratch* scratch,
                 std::vector<std::size_t>& breaks) {
  const HyphenatorState& state = HyphenatorAccess::state(hyphenator);
  if (!detail::findBreaks(state, utf16, detail::minimumsOf(state), scratch, breaks)) {
    std::u32string word;
    detail::decodeUtf16Into(utf16, word);
    throw detail::malformedScores(detail::encodeUtf8Lossless(word));
  }
}

}  // namespace

void hyphenationPoints(const Hyphenator& hyphenator, std::u32string_view word,
                       std::vector<std::size_t>& out) {
  breaksOf(hyphenator, word, nullptr, out, [&] { return detail::encodeUtf8Lossless(word); });
}

void hyphenationPoints(const Hyphenator& hyphenator, std::string_view utf8,
                       std::vector<std::size_t>& out) {
  utf8Breaks(hyphenator, utf8, nullptr, out);
}

void hyphenationPoints(const Hyphenator& hyphenator, std::u16string_view utf16,
                       std::vector<std::size_t>& out) {
  utf16Breaks(hyphenator, utf16, nullptr, out);
}

std::vector<std::u32string> hyphenate(const Hyphenator& hyphenator, std::u32string_view word) {
  Scratch scratch;
  std::vector<std::size_t>& breaks = scratch.breaks();
  breaksOf(hyphenator, word, &scratch, breaks, [&] { return detail::encodeUtf8Lossless(word); });
  return fragmentsAt<std::u32string>(word, breaks, unitOffset);
}

// Slices of the caller's bytes: a break after k characters is a cut before the first byte of
// character k, or after the last byte when k is the word's length.
std::vector<std::string> hyphenate(const Hyphenator& hyphenator, std::string_view utf8) {
  Scratch scratch;
  std::vector<std::size_t>& breaks = scratch.breaks();
  utf8Breaks(hyphenator, utf8, &scratch, breaks);
  return fragmentsAt<std::string>(utf8, breaks, unitOffset);
}

std::vector<std::u16string> hyphenate(const Hyphenator& hyphenator, std::u16string_view utf16) {
  Scratch scratch;
  std::vector<std::size_t>& breaks = scratch.breaks();
  utf16Breaks(hyphenator, utf16, &scratch, breaks);
  return fragmentsAt<std::u16string>(utf16, breaks, unitOffset);
}

}  // namespace text::hyphenation
