#pragma once

// The word lists of tests/data, for the tests (the path comes from HYPHENKIT_TEST_DATA_DIR).

#include <fstream>
#include <iterator>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "common/utf8_decode.hpp"
#include "language/embedded_files.hpp"
#include "text/hyphenation/language.hpp"

namespace text::hyphenation::testing {

// The bytes of tests/data/`name`.
inline std::string dataFile(const std::string& name) {
  std::ifstream in(std::string(HYPHENKIT_TEST_DATA_DIR) + "/" + name, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

// A list of tests/data: gzip'd lines "shared TAB rest", each word being the first `shared`
// characters of the word before followed by `rest`.
inline std::vector<std::u32string> readWordList(const std::string& name) {
  const std::string compressed = dataFile(name);
  const std::u32string text = detail::decodeUtf8(detail::gunzip(
      std::span(reinterpret_cast<const unsigned char*>(compressed.data()), compressed.size())));
  std::vector<std::u32string> words;
  std::u32string previous;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(U'\n', start);
    if (end == std::u32string::npos) end = text.size();
    const std::u32string_view line(text.data() + start, end - start);
    const std::size_t tab = line.find(U'\t');
    std::size_t shared = 0;
    for (char32_t digit : line.substr(0, tab))
      shared = shared * 10 + (digit - U'0');
    previous = previous.substr(0, shared) + std::u32string(line.substr(tab + 1));
    words.push_back(previous);
    start = end + 1;
  }
  return words;
}

// Words glued from the letters of one to three random patterns of `language` (without digits and
// "."), so that they meet many of its patterns; the same words on every run.
inline std::vector<std::u32string> patternWords(Language language, std::size_t count) {
  const std::u32string text =
      detail::readEmbeddedFile("hyph-" + std::string(languageAffix(language)) + ".pat.txt.gz");
  std::vector<std::u32string> pieces(1);
  for (const char32_t c : text) {
    if (c == U'\n') {
      if (!pieces.back().empty()) pieces.emplace_back();
    } else if (c != U'.' && (c < U'0' || c > U'9')) {
      pieces.back().push_back(c);
    }
  }
  if (pieces.back().empty()) pieces.pop_back();
  std::mt19937 random(fromEnum(language));
  std::vector<std::u32string> words(count);
  for (std::u32string& word : words) {
    for (int k = 1 + static_cast<int>(random() % 3); k > 0; --k)
      word += pieces[random() % pieces.size()];
  }
  return words;
}

}  // namespace text::hyphenation::testing
