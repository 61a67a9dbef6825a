// Hyphenating running text: the text is read one character at a time, words are gathered as
// runs of letters, and each word is cut by the same breaks as hyphenate would find for it.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "common/utf8_decode.hpp"
#include "hyphenator/breaks.hpp"
#include "hyphenator/scratch.hpp"
#include "hyphenator/state.hpp"
#include "running_text/word_letters.hpp"
#include "text/hyphenation/hyphenator.hpp"

namespace text::hyphenation {

namespace {

// The text with the separator at every break of every word; `isLetter` tells whether a
// well-formed character may belong to a word.
template <class IsLetter>
std::string hyphenateWords(const detail::HyphenatorState& state, std::string_view text,
                           std::string_view separator, IsLetter isLetter) {
  // ASCII, most of most texts, is told apart by one bit.
  std::uint64_t asciiLetters[2] = {0, 0};
  for (char32_t c = 0; c < 0x80; ++c) {
    if (isLetter(c)) asciiLetters[c >> 6] |= std::uint64_t{1} << (c & 0x3F);
  }
  // The character at `at`: its value, its length in bytes, and whether it is a letter. A byte
  // that starts no well-formed sequence stands alone and is never a letter.
  const auto letterAt = [&](std::size_t at, char32_t& c, std::size_t& length) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x80) {
      c = byte;
      length = 1;
      return ((asciiLetters[byte >> 6] >> (byte & 0x3F)) & 1) != 0;
    }
    c = detail::decodeUtf8Character(text.substr(at), length);
    return length > 1 && isLetter(c);
  };

  detail::Scratch scratch;
  std::u32string& word = scratch.word();
  std::vector<std::size_t>& starts = scratch.starts();
  std::vector<std::size_t>& breaks = scratch.breaks();
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  std::size_t copied = 0;  // text[0, copied) is in `out`
  std::size_t at = 0;
  char32_t c = 0;
  std::size_t length = 0;
  while (at < text.size()) {
    if (!letterAt(at, c, length)) {
      at += length;
      continue;
    }
    // A word starts at `at`: gather it, then copy what precedes it and it, cut at its breaks.
    const std::size_t wordStart = at;
    word.clear();
    starts.clear();
    do {
      word.push_back(c);
      starts.push_back(at);
      at += length;
    } while (at < text.size() && letterAt(at, c, length));
    starts.push_back(at);
    detail::findBreaks(state, word, detail::minimumsOf(state), &scratch, breaks);
    out.append(text.substr(copied, wordStart - copied));
    std::size_t from = wordStart;
    for (const std::size_t k : breaks) {
      out.append(text.substr(from, starts[k] - from));
      out.append(separator);
      from = starts[k];
    }
    out.append(text.substr(from, at - from));
    copied = at;
    // The character that ended the word is no letter.
    at += at < text.size() ? length : 0;
  }
  out.append(text.substr(copied));
  return out;
}

}  // namespace

std::string hyphenateText(const Hyphenator& hyphenator, std::string_view text,
                          std::string_view separator) {
  const detail::HyphenatorState& state = detail::HyphenatorAccess::state(hyphenator);
  const detail::CharSet& letters = detail::wordLetters(state);
  if (state.table) {
    return hyphenateWords(state, text, separator, [&](char32_t c) { return letters.contains(c); });
  }
  return hyphenateWords(state, text, separator,
                        [&](char32_t c) { return letters.contains(state.function(c)); });
}

}  // namespace text::hyphenation
