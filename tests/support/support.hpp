#pragma once

// Small helpers shared by the tests, the fuzzers and the benchmarks; none needs a test framework.

#include <cstddef>
#include <istream>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/utf8_decode.hpp"
#include "text/hyphenation/error.hpp"

namespace text::hyphenation::testing {

inline char32_t identity(char32_t c) {
  return c;
}

// A to Z become a to z; every other character stays itself.
inline char32_t lowerAscii(char32_t c) {
  return c >= U'A' && c <= U'Z' ? c + 32 : c;
}

// The pieces one after another, with `separator` between each two.
template <class String>
String join(const std::vector<String>& pieces,
            std::basic_string_view<typename String::value_type> separator = {}) {
  String joined;
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    if (k > 0) joined += separator;
    joined += pieces[k];
  }
  return joined;
}

// Where the cuts between `fragments` fall: after how many characters (or bytes) of their join.
template <class String>
std::vector<std::size_t> cutsOf(const std::vector<String>& fragments) {
  std::vector<std::size_t> cuts;
  std::size_t at = 0;
  for (std::size_t k = 0; k + 1 < fragments.size(); ++k) {
    at += fragments[k].size();
    cuts.push_back(at);
  }
  return cuts;
}

// The fragments of `word` cut after each of its first `cuts` characters; `cuts` ascends and
// stays within the word, so that cutsOf gives it back.
inline std::vector<std::u32string> splitAt(std::u32string_view word,
                                           std::span<const std::size_t> cuts) {
  std::vector<std::u32string> fragments;
  std::size_t at = 0;
  for (std::size_t cut : cuts) {
    fragments.emplace_back(word.substr(at, cut - at));
    at = cut;
  }
  fragments.emplace_back(word.substr(at));
  return fragments;
}

// Lines cut at LF only; a final LF ends the last line instead of starting an empty one.
inline std::vector<std::u32string> linesOf(std::u32string_view text) {
  std::vector<std::u32string> lines;
  std::u32string line;
  for (char32_t c : text) {
    if (c == U'\n') {
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// The lines, each followed by its LF, so that texts made this way join into a text of all their
// lines.
inline std::u32string textOf(std::span<const std::u32string> lines) {
  std::u32string text;
  for (const auto& line : lines)
    text += line + U"\n";
  return text;
}

// The message of the Error that `call` throws, or "no error".
std::string errorOf(auto&& call) {
  try {
    call();
  } catch (const Error& error) {
    return error.what();
  }
  return "no error";
}

// The UTF-16 form of `word`: values past U+FFFF as surrogate pairs, every other one as itself.
inline std::u16string utf16Of(std::u32string_view word) {
  std::u16string units;
  for (const char32_t c : word) {
    if (c >= 0x10000 && c <= 0x10FFFF) {
      units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      units += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      units += static_cast<char16_t>(c);
    }
  }
  return units;
}

// Up to `maxSize` characters drawn from `alphabet`.
inline std::u32string randomText(std::mt19937& random, std::u32string_view alphabet,
                                 std::size_t maxSize) {
  std::u32string text(random() % (maxSize + 1), U' ');
  for (char32_t& c : text)
    c = alphabet[random() % alphabet.size()];
  return text;
}

// Up to `maxPieces` of `pieces`, drawn at random, one after another.
inline std::string randomJoin(std::mt19937& random, const std::vector<std::string>& pieces,
                              int maxPieces) {
  std::string joined;
  const int count = std::uniform_int_distribution<int>(0, maxPieces)(random);
  for (int k = 0; k < count; ++k)
    joined += pieces[random() % pieces.size()];
  return joined;
}

// Pattern text of up to `maxLines` lines of 1 to `maxLetters` letters from `alphabet`, some
// letters after a digit and some lines ending in one; with `doubleDigits`, now and then two digits
// in a row, whose scores reach past the pattern's letters.
inline std::u32string randomPatternText(std::mt19937& random, unsigned maxLines,
                                        unsigned maxLetters, std::u32string_view alphabet,
                                        bool doubleDigits) {
  std::u32string text;
  for (unsigned i = random() % (maxLines + 1); i > 0; --i) {
    std::u32string pattern;
    for (unsigned letters = 1 + random() % maxLetters; letters > 0; --letters) {
      if (random() % 2) pattern += U'0' + random() % 10;
      if (doubleDigits && random() % 16 == 0) pattern += U'0' + random() % 10;
      pattern += alphabet[random() % alphabet.size()];
    }
    if (random() % 2) pattern += U'0' + random() % 10;
    text += pattern + U"\n";
  }
  return text;
}

// A word list in UTF-8, one word a line; a CR before the LF is dropped and empty lines skipped.
inline std::vector<std::u32string> readWords(std::istream& in) {
  std::vector<std::u32string> words;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) words.push_back(detail::decodeUtf8(line));
  }
  return words;
}

}  // namespace text::hyphenation::testing
