#include <algorithm>
#include <bit>
#include <vector>

#include "common/lines.hpp"
#include "pattern/frozen_trie.hpp"
#include "pattern/node.hpp"
#include "pattern/scores.hpp"

namespace text::hyphenation {
namespace {

// Every code point of the text that is a letter, ascending.
std::vector<char32_t> alphabetOf(std::u32string_view text) {
  std::vector<std::uint64_t> basic(0x10000 / 64);
  std::vector<char32_t> others;
  for (char32_t c : text) {
    if (c < 0x10000) {
      basic[c >> 6] |= std::uint64_t{1} << (c & 63);
    } else {
      others.push_back(c);
    }
  }
  for (char32_t c = U'0'; c <= U'9'; ++c)
    basic[c >> 6] &= ~(std::uint64_t{1} << (c & 63));
  basic[U'\n' >> 6] &= ~(std::uint64_t{1} << (U'\n' & 63));
  std::vector<char32_t> alphabet;
  for (std::size_t word = 0; word < basic.size(); ++word) {
    for (std::uint64_t bits = basic[word]; bits != 0; bits &= bits - 1) {
      alphabet.push_back(static_cast<char32_t>(word * 64 + std::countr_zero(bits)));
    }
  }
  std::sort(others.begin(), others.end());
  others.erase(std::unique(others.begin(), others.end()), others.end());
  alphabet.insert(alphabet.end(), others.begin(), others.end());
  return alphabet;
}

}  // namespace

namespace detail {

// The trie of every line, built in place; the first line with given letters sets their scores.
TrieDraft draftPatterns(std::u32string_view text, const std::vector<char32_t>& extraLetters) {
  TrieDraft draft;
  draft.alphabet = alphabetOf(text);
  draft.patternLetters = static_cast<std::uint32_t>(draft.alphabet.size());
  for (const char32_t c : extraLetters) {
    if (!std::binary_search(draft.alphabet.begin(), draft.alphabet.begin() + draft.patternLetters,
                            c))
      draft.alphabet.push_back(c);
  }
  draft.classes = letterClassesOf(draft.alphabet);
  draft.nodes.reserve(text.size() / 2 + 1);
  draft.scores.reserve(text.size() + 1);
  draft.nodes.emplace_back();
  // The children of the root and of the root's children are also found by class, since these
  // have the most; with a large alphabet only the root's.
  const std::size_t width = draft.alphabet.size() + 1;
  const bool dense = width * width <= 0x10000;
  std::vector<std::uint32_t> shallowChildren(dense ? width * width : width, 0);
  auto add = [&](std::uint32_t parent, std::uint32_t letterClass) {
    auto child = static_cast<std::uint32_t>(draft.nodes.size());
    detail::TrieDraft::Node& added = draft.nodes.emplace_back();
    added.letterClass = letterClass;
    added.nextSibling = draft.nodes[parent].firstChild;
    draft.nodes[parent].firstChild = child;
    return child;
  };
  auto deepChild = [&](std::uint32_t parent, std::uint32_t letterClass) {
    std::uint32_t child = draft.nodes[parent].firstChild;
    while (child != 0 && draft.nodes[child].letterClass != letterClass) {
      child = draft.nodes[child].nextSibling;
    }
    return child != 0 ? child : add(parent, letterClass);
  };

  detail::forEachLine(text, [&](std::u32string_view line) {
    std::uint32_t node = 0;
    std::size_t depth = 0;
    std::uint32_t firstClass = 0;
    for (char32_t c : line) {
      if (detail::isScoreDigit(c)) continue;
      const std::uint32_t letterClass = draft.classes(c);
      if (depth == 0 || (depth == 1 && dense)) {
        std::uint32_t& child = shallowChildren[firstClass * width + letterClass];
        if (child == 0) child = add(node, letterClass);
        node = child;
        if (depth == 0) firstClass = letterClass;
      } else {
        node = deepChild(node, letterClass);
      }
      ++depth;
    }
    if (draft.nodes[node].scoresCount == 0) {
      auto begin = draft.scores.size();
      detail::forEachPatternScore(line, [&](std::uint8_t score) { draft.scores.push_back(score); });
      draft.nodes[node].scoresBegin = static_cast<std::uint32_t>(begin);
      draft.nodes[node].scoresCount = static_cast<std::uint32_t>(draft.scores.size() - begin);
    }
  });
  return draft;
}

}  // namespace detail

Patterns parsePatterns(std::u32string_view text) {
  // Lines are taken first to last and a line whose letters already have scores is skipped,
  // which keeps the first of several lines with the same letters, as inserting them from the
  // last line to the first would.
  auto frozen = std::make_shared<const detail::FrozenTrie>(detail::draftPatterns(text));
  return detail::PatternAccess::make(
      std::make_shared<const detail::PatternNode>(std::move(frozen), detail::FrozenTrie::root));
}

}  // namespace text::hyphenation
