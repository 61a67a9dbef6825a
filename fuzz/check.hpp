#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

// A failed check aborts, which libFuzzer reports as a crash and keeps the input.
#define FUZZ_CHECK(condition)                                                             \
  do {                                                                                    \
    if (!(condition)) {                                                                   \
      std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
      std::abort();                                                                       \
    }                                                                                     \
  } while (0)

namespace fuzz {

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

// The lines from `from` to `to`, each followed by its LF, so that texts made this way join into
// a text of all their lines.
inline std::u32string textOf(const std::vector<std::u32string>& lines, std::size_t from,
                             std::size_t to) {
  std::u32string text;
  for (std::size_t k = from; k < to; ++k)
    text += lines[k] + U"\n";
  return text;
}

inline char32_t identity(char32_t c) {
  return c;
}

inline std::u32string join(const std::vector<std::u32string>& fragments) {
  std::u32string word;
  for (const auto& fragment : fragments)
    word += fragment;
  return word;
}

inline bool isDigit(char32_t c) {
  return c >= U'0' && c <= U'9';
}

// Where the cuts of `fragments` fall: after how many characters of the word.
inline std::vector<long> cutsOf(const std::vector<std::u32string>& fragments) {
  std::vector<long> cuts;
  long at = 0;
  for (std::size_t k = 0; k + 1 < fragments.size(); ++k) {
    at += static_cast<long>(fragments[k].size());
    cuts.push_back(at);
  }
  return cuts;
}

// The cuts hyphenate must make for a word of n characters with the raw score list `raw` and small
// minimums, by the literal rule: T is max(l, 0) zeros and then up to n - l - r + 1 entries of the
// raw list from entry max(l, 0) on; the word is cut after character i wherever T[i + 1] is odd.
template <class Scores>
std::vector<long> expectedCuts(long n, const Scores& raw, long leftMin, long rightMin) {
  std::vector<long> cuts;
  if (n == 0 || n < leftMin + rightMin) return cuts;
  const long zeros = leftMin > 0 ? leftMin : 0;
  std::vector<long> trimmed(static_cast<std::size_t>(zeros), 0);
  for (long k = zeros;
       k < zeros + (n - leftMin - rightMin + 1) && k < static_cast<long>(raw.size()); ++k)
    trimmed.push_back(static_cast<long>(raw[static_cast<std::size_t>(k)] % 2));
  for (long i = 0; i < n; ++i) {
    if (static_cast<std::size_t>(i + 1) < trimmed.size() && trimmed[i + 1] != 0)
      cuts.push_back(i + 1);
  }
  return cuts;
}

}  // namespace fuzz
