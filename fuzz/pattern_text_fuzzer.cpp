// Pattern text: parsing, inserting, lookup against a brute-force model, hyphenate and rendering.

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "check.hpp"
#include "support/model.hpp"
#include "support/support.hpp"
#include "text/hyphenation.hpp"

namespace hy = text::hyphenation;
namespace support = text::hyphenation::testing;

namespace {

using support::ModelPattern;

// Combining: patterns with the same letters get the element-wise maximum of their scores, as long
// as the longer list.
std::vector<ModelPattern> modelCombine(std::vector<ModelPattern> left,
                                       const std::vector<ModelPattern>& right) {
  for (const auto& pattern : right) {
    auto same = std::find_if(left.begin(), left.end(),
                             [&](const ModelPattern& p) { return p.letters == pattern.letters; });
    if (same == left.end()) {
      left.push_back(pattern);
      continue;
    }
    hy::Scores& scores = same->scores;
    if (scores.size() < pattern.scores.size()) scores.resize(pattern.scores.size(), INT64_MIN);
    for (std::size_t k = 0; k < pattern.scores.size(); ++k)
      scores[k] = std::max(scores[k], pattern.scores[k]);
  }
  return left;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 2048) return 0;
  const auto [text, leftMin, rightMin] = fuzz::textInput(data, size);

  const hy::Patterns trie = hy::parsePatterns(text);
  const std::vector<std::u32string> lines = support::linesOf(text);

  for (const auto& line : lines)
    FUZZ_CHECK(hy::scorePattern(line) == support::modelPattern(line).scores);
  const std::vector<ModelPattern> patterns = support::modelPatterns(lines);

  // Words: the letters of each line, without and with its full stops, and pieces of the text.
  std::vector<std::u32string> words;
  for (const auto& pattern : patterns) {
    std::u32string plain = pattern.letters;
    std::erase(plain, U'.');
    words.push_back(plain);
    words.push_back(pattern.letters);
    if (words.size() > 24) break;
  }
  for (std::size_t start = 0; start < text.size() && words.size() < 32; start += 7)
    words.push_back(text.substr(start, 3 + start % 11));

  const hy::Hyphenator hyphenator(support::identity, trie, hy::Exceptions(), leftMin, rightMin);
  for (auto word : words) {
    if (word.size() > 64) word.resize(64);
    const hy::Scores scores = hy::lookupPattern(word, trie);
    FUZZ_CHECK(scores == support::modelLookup(patterns, word));
    const std::vector<std::u32string> fragments = hy::hyphenate(hyphenator, word);
    FUZZ_CHECK(support::join(fragments) == word);
    FUZZ_CHECK(support::cutsOf(fragments) ==
               support::modelBreaks(word.size(), scores, leftMin, rightMin));
  }

  // Tries made by inserting into and combining parsed tries look words up like their models.
  const std::size_t half = lines.size() / 2;
  const std::span<const std::u32string> firstHalf = std::span(lines).first(half);
  const std::span<const std::u32string> lastHalf = std::span(lines).subspan(half);
  const hy::Patterns firstLines = hy::parsePatterns(support::textOf(firstHalf));
  const hy::Patterns lastLines = hy::parsePatterns(support::textOf(lastHalf));
  const std::vector<ModelPattern> combinedModel =
      modelCombine(support::modelPatterns(firstHalf), support::modelPatterns(lastHalf));
  const hy::Patterns combined = firstLines + lastLines;
  const std::u32string extra = lines.empty() ? std::u32string(U"1") : lines.back() + U"3";
  const hy::Patterns inserted = hy::insertPattern(extra, trie);
  const ModelPattern extraPattern = support::modelPattern(extra);
  std::vector<ModelPattern> insertedModel = patterns;
  std::erase_if(insertedModel,
                [&](const ModelPattern& p) { return p.letters == extraPattern.letters; });
  insertedModel.push_back(extraPattern);
  for (std::size_t k = 0; k < words.size() && k < 12; ++k) {
    const std::u32string word = words[k].substr(0, 32);
    FUZZ_CHECK(hy::lookupPattern(word, combined) == support::modelLookup(combinedModel, word));
    FUZZ_CHECK(hy::lookupPattern(word, inserted) == support::modelLookup(insertedModel, word));
  }

  // One line parsed alone is that line inserted into the empty trie, with or without its LF.
  for (std::size_t k = 0; k < lines.size() && k < 16; ++k) {
    const hy::Patterns alone = hy::insertPattern(lines[k], hy::Patterns());
    FUZZ_CHECK(hy::parsePatterns(lines[k]) == alone || lines[k].empty());
    FUZZ_CHECK(hy::parsePatterns(lines[k] + U"\n") == alone);
  }
  if (!text.empty() && text.back() != U'\n') FUZZ_CHECK(hy::parsePatterns(text + U"\n") == trie);

  // Combining two halves: commutative, idempotent, mempty its identity.
  const hy::Patterns first = hy::parsePatterns(text.substr(0, text.size() / 2));
  const hy::Patterns second = hy::parsePatterns(text.substr(text.size() / 2));
  const hy::Patterns both = first + second;
  FUZZ_CHECK(both == second + first);
  FUZZ_CHECK(both + both == both);
  FUZZ_CHECK(both + hy::Patterns() == both && hy::Patterns() + both == both);
  FUZZ_CHECK((first + second) + trie == first + (second + trie));

  const std::string shown = hy::show(trie);
  FUZZ_CHECK(hy::showsPrec(11, trie) == "(" + shown + ")");
  FUZZ_CHECK(shown.rfind("Patterns [", 0) == 0);
  return 0;
}
