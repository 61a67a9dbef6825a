#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/hyphenation/error.hpp"
#include "text/hyphenation/exception.hpp"
#include "text/hyphenation/pattern.hpp"

namespace text::hyphenation {

// Normalises one character of a word before lookup (case folding and the like).
using CharFunction = std::function<char32_t(char32_t)>;

namespace detail {
struct HyphenatorState;
struct HyphenatorAccess;
}  // namespace detail

// Everything specific to a language: the character function, the pattern trie, the exception
// table and the fewest characters allowed before the first and after the last break.
// Immutable and cheap to copy; safe to use from any number of threads at once.
class Hyphenator {
 public:
  // Throws Error("Hyphenator: the character function is empty") when `chars` holds no function.
  Hyphenator(CharFunction chars, Patterns patterns, Exceptions exceptions, std::int64_t leftMin,
             std::int64_t rightMin);

 private:
  friend struct detail::HyphenatorAccess;
  explicit Hyphenator(std::shared_ptr<const detail::HyphenatorState> state)
      : state_(std::move(state)) {}

  std::shared_ptr<const detail::HyphenatorState> state_;
};

// The fields. A field that a loaded hyphenator builds on first use is built here (or, for the
// character function, on its first call); a failed build throws the same Error at every use.
CharFunction hyphenatorChars(const Hyphenator& hyphenator);
Patterns hyphenatorPatterns(const Hyphenator& hyphenator);
Exceptions hyphenatorExceptions(const Hyphenator& hyphenator);
std::int64_t hyphenatorLeftMin(const Hyphenator& hyphenator);
std::int64_t hyphenatorRightMin(const Hyphenator& hyphenator);

// The fragments of `word` between which a hyphen may be set; joined they give back `word`.
// hyphenate(h, U"hyphenation") with US English gives {U"hy", U"phen", U"ation"}.
// Throws Error("Malformed hyphenation score for " + word) when the scores leave nothing to cut.
std::vector<std::u32string> hyphenate(const Hyphenator& hyphenator, std::u32string_view word);

}  // namespace text::hyphenation
