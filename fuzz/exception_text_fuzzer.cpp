// Exception text: parsing and lookup against a model, the laws of combining, hyphenate and
// rendering.

#include <cstdint>
#include <map>
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

// Scores by the rule: a hyphen scores 1 for the gap before the character after it (which it
// consumes), any other character gets a 0, and the end gives a closing 0 unless a hyphen ended it.
hy::Scores modelScores(std::u32string_view entry) {
  hy::Scores scores;
  std::size_t at = 0;
  while (at < entry.size()) {
    scores.push_back(entry[at] == U'-' ? 1 : 0);
    at += entry[at] == U'-' ? 2 : 1;
  }
  if (at == entry.size()) scores.push_back(0);
  return scores;
}

hy::Scores modelZipMin(const hy::Scores& left, const hy::Scores& right) {
  hy::Scores result;
  for (std::size_t k = 0; k < left.size() && k < right.size(); ++k)
    result.push_back(left[k] < right[k] ? left[k] : right[k]);
  return result;
}

std::u32string keyOf(std::u32string_view entry) {
  std::u32string key;
  for (char32_t c : entry) {
    if (c != U'-') key += c;
  }
  return key;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 4096) return 0;
  const auto [text, leftMin, rightMin] = fuzz::textInput(data, size);

  const hy::Exceptions table = hy::parseExceptions(text);
  const std::vector<std::u32string> lines = support::linesOf(text);

  std::map<std::u32string, hy::Scores> model;
  for (const auto& line : lines) {
    const hy::Scores scores = modelScores(line);
    FUZZ_CHECK(hy::scoreException(line) == scores);
    FUZZ_CHECK(scores.size() >= keyOf(line).size() + 1);
    auto [at, inserted] = model.emplace(keyOf(line), scores);
    if (!inserted) at->second = modelZipMin(at->second, scores);
  }
  FUZZ_CHECK(table.entries().size() == model.size());

  const hy::Hyphenator hyphenator(support::identity, hy::Patterns(), table, leftMin, rightMin);
  for (const auto& [key, scores] : model) {
    FUZZ_CHECK(hy::lookupException(key, table) == scores);
    if (key.size() > 256) continue;
    const std::vector<std::u32string> fragments = hy::hyphenate(hyphenator, key);
    FUZZ_CHECK(support::join(fragments) == key);
    FUZZ_CHECK(support::cutsOf(fragments) ==
               support::modelBreaks(key.size(), scores, leftMin, rightMin));
  }

  // Three parts of the lines, as texts that join into the whole.
  const std::size_t third = lines.size() / 3;
  const std::span<const std::u32string> all(lines);
  const hy::Exceptions a = hy::parseExceptions(support::textOf(all.first(third)));
  const hy::Exceptions b = hy::parseExceptions(support::textOf(all.subspan(third, third)));
  const hy::Exceptions c = hy::parseExceptions(support::textOf(all.subspan(2 * third)));
  const hy::Exceptions empty;
  FUZZ_CHECK(a + (b + c) == table);
  FUZZ_CHECK((a + b) + c == table);
  FUZZ_CHECK(a + b == b + a);
  FUZZ_CHECK(table + table == table);
  FUZZ_CHECK(table + empty == table && empty + table == table);
  FUZZ_CHECK(hy::stimes(1 + (size > 2 ? data[2] : 0), table) == table);
  const std::vector<hy::Exceptions> parts = {a, b, c};
  FUZZ_CHECK(hy::mconcat(parts) == table && hy::sconcat(parts) == table);
  FUZZ_CHECK(hy::parseExceptions(support::textOf(all)) == table);

  const std::string shown = hy::show(table);
  FUZZ_CHECK(hy::showsPrec(11, table) == "(" + shown + ")");
  for (char byte : shown)
    FUZZ_CHECK(byte >= 0x20 && byte <= 0x7E);
  return 0;
}
