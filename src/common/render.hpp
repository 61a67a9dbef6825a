#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace text::hyphenation::detail {

// The text a value renders as at `precedence`: what `append` writes, wrapped in parentheses when
// the value stands as an argument (precedence 11 or more).
template <class Append>
std::string showAtPrecedence(int precedence, Append append) {
  std::string out;
  const bool argument = precedence >= 11;
  if (argument) out += '(';
  append(out);
  if (argument) out += ')';
  return out;
}

// "[" + each value as `append` writes it, separated by "," + "]".
template <class T, class Append>
std::string showListOf(std::span<const T> values, Append append) {
  std::string out = "[";
  for (std::size_t k = 0; k < values.size(); ++k) {
    if (k > 0) out += ',';
    append(out, values[k]);
  }
  out += ']';
  return out;
}

// A score list as "[0,1,-2]": `score(k)` gives entry k of `count`.
template <class Score>
void appendScoreList(std::string& out, std::size_t count, Score score) {
  out += '[';
  for (std::size_t k = 0; k < count; ++k) {
    if (k > 0) out += ',';
    out += std::to_string(score(k));
  }
  out += ']';
}

}  // namespace text::hyphenation::detail
