// Hyphenating running text: the text is read one character at a time, words are gathered as
// runs of letters, and each word is cut by the same breaks as hyphenate would find for it.

#include <algorithm>
#include <vector>

#include "text/hyphenation/hyphenator.hpp"
#include "text/hyphenation/hyphenator_breaks.hpp"
#include "text/hyphenation/pattern_letters.hpp"
#include "text/hyphenation/utf8_decode.hpp"

namespace text::hyphenation {
namespace detail {

CharSet findWordLetters(const HyphenatorState& state) {
  const std::vector<char32_t> letters = patternLetters(state.patterns.get());
  if (!state.table) return CharSet(letters);

  // A character the map leaves alone is a word letter when it is a letter itself; one the map
  // changes is a word letter when its image is.
  const auto isLetter = [&](char32_t c) {
    return std::binary_search(letters.begin(), letters.end(), c);
  };
  const auto mapped = state.table->get().entries();  // ascending keys
  std::vector<char32_t> keys;
  for (const auto& entry : mapped)
    keys.push_back(entry.first);
  std::vector<char32_t> members;
  for (const char32_t c : letters) {
    if (!std::binary_search(keys.begin(), keys.end(), c)) members.push_back(c);
  }
  for (const auto& [key, value] : mapped) {
    if (isLetter(value)) members.push_back(key);
  }
  return CharSet(members);
}

}  // namespace detail

namespace {

// Whether `c`, a well-formed character of the text, can belong to a word.
class LetterTest {
 public:
  explicit LetterTest(const detail::HyphenatorState& state)
      : letters_(state.wordLetters.get()), function_(state.table ? nullptr : &state.function) {}

  bool operator()(char32_t c) const { return letters_.contains(function_ ? (*function_)(c) : c); }

 private:
  const detail::CharSet& letters_;
  const CharFunction* function_;  // null when the letters are already those of the raw text
};

}  // namespace

std::string hyphenateText(const Hyphenator& hyphenator, std::string_view text,
                          std::string_view separator) {
  const detail::HyphenatorState& state = detail::HyphenatorAccess::state(hyphenator);
  const LetterTest isLetter(state);
  detail::Scratch scratch;
  std::u32string& word = scratch.word();
  std::vector<std::size_t>& starts = scratch.starts();
  std::vector<std::size_t>& breaks = scratch.breaks();

  std::string out;
  out.reserve(text.size() + text.size() / 4);
  std::size_t copied = 0;  // text[0, copied) is in `out`
  std::size_t at = 0;
  // The next character: its value and length in bytes, and whether it may belong to a word.
  char32_t c = 0;
  std::size_t length = 0;
  const auto read = [&] {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x80) {
      c = byte;
      length = 1;
      return isLetter(c);
    }
    c = detail::decodeUtf8Character(text.substr(at), length);
    return length > 1 && isLetter(c);  // a byte on its own here is no well-formed character
  };

  while (at < text.size()) {
    if (!read()) {
      at += length;
      continue;
    }
    // A word starts at `at`: gather it, then copy what precedes it and it, cut at its breaks.
    word.clear();
    starts.clear();
    const std::size_t wordStart = at;
    do {
      word.push_back(c);
      starts.push_back(at);
      at += length;
    } while (at < text.size() && read());
    starts.push_back(at);
    detail::findBreaks(state, word, scratch, breaks);
    out.append(text.substr(copied, wordStart - copied));
    std::size_t from = wordStart;
    for (const std::size_t k : breaks) {
      out.append(text.substr(from, starts[k] - from));
      out.append(separator);
      from = starts[k];
    }
    out.append(text.substr(from, at - from));
    copied = at;
  }
  out.append(text.substr(copied));
  return out;
}

}  // namespace text::hyphenation
