#include "pattern/scores.hpp"

#include <algorithm>

#include "text/hyphenation/pattern.hpp"

namespace text::hyphenation {

Scores detail::zipMax(const Scores& left, const Scores& right) {
  const Scores& longer = left.size() >= right.size() ? left : right;
  const Scores& shorter = left.size() >= right.size() ? right : left;
  Scores result = longer;
  for (std::size_t k = 0; k < shorter.size(); ++k)
    result[k] = std::max(result[k], shorter[k]);
  return result;
}

Scores scorePattern(std::u32string_view pattern) {
  Scores scores;
  detail::forEachPatternScore(pattern, [&](std::uint8_t score) { scores.push_back(score); });
  return scores;
}

}  // namespace text::hyphenation
