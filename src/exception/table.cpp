#include "text/hyphenation/exception.hpp"

#include <algorithm>
#include <ostream>
#include <utility>
#include <vector>

#include "common/lines.hpp"
#include "common/render.hpp"

namespace text::hyphenation {
namespace {

constexpr char32_t kHyphen = U'-';

// One empty map shared by every empty table, so that mempty costs no allocation.
const std::shared_ptr<const ExceptionMap>& emptyMap() {
  static const auto empty = std::make_shared<const ExceptionMap>();
  return empty;
}

std::u32string keyOf(std::u32string_view entry) {
  std::u32string key;
  key.reserve(entry.size());
  for (char32_t c : entry) {
    if (c != kHyphen) key.push_back(c);
  }
  return key;
}

// The single insert-or-merge step that every way of building a table goes through: a key seen
// before keeps only the breaks that both of its versions allow.
void mergeInto(ExceptionMap& map, std::u32string key, Scores scores) {
  auto [at, inserted] = map.try_emplace(std::move(key), std::move(scores));
  if (!inserted) at->second = zipMin(at->second, scores);
}

void appendHex(std::string& out, std::uint32_t value, int digits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
    out += kDigits[(value >> shift) & 0xF];
  }
}

void appendQuotedWord(std::string& out, std::u32string_view word) {
  out += '"';
  for (char32_t c : word) {
    if (c == U'"' || c == U'\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 0x20 && c <= 0x7E) {
      out += static_cast<char>(c);
    } else if (c == U'\n') {
      out += "\\n";
    } else if (c == U'\r') {
      out += "\\r";
    } else if (c == U'\t') {
      out += "\\t";
    } else if (c <= 0xFFFF) {
      out += "\\u";
      appendHex(out, c, 4);
    } else {
      out += "\\U";
      appendHex(out, c, 8);
    }
  }
  out += '"';
}

// Exceptions (fromList [(word,scores),...]), entries in ascending code-point order of their words.
void appendTable(std::string& out, const Exceptions& table) {
  std::vector<const ExceptionMap::value_type*> entries;
  entries.reserve(table.entries().size());
  for (const auto& entry : table.entries()) {
    entries.push_back(&entry);
  }
  std::sort(entries.begin(), entries.end(),
            [](const auto* left, const auto* right) { return left->first < right->first; });
  out += "Exceptions (fromList [";
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i != 0) out += ',';
    out += '(';
    appendQuotedWord(out, entries[i]->first);
    out += ',';
    const Scores& scores = entries[i]->second;
    detail::appendScoreList(out, scores.size(), [&](std::size_t k) { return scores[k]; });
    out += ')';
  }
  out += "])";
}

}  // namespace

Exceptions::Exceptions() : entries_(emptyMap()) {}

Exceptions::Exceptions(ExceptionMap entries)
    : entries_(entries.empty() ? emptyMap()
                               : std::make_shared<const ExceptionMap>(std::move(entries))) {}

// Entry i belongs to the gap before code point i of the key. A hyphen stands for the gap in front
// of the code point after it, so that code point gets no entry of its own: "a--b" gives
// [0,1,0,0], the second hyphen taking the place of the "b".
Scores scoreException(std::u32string_view entry) {
  Scores scores;
  scores.reserve(entry.size() + 1);
  std::size_t i = 0;
  while (i < entry.size()) {
    if (entry[i] == kHyphen) {
      scores.push_back(1);
      if (i + 1 == entry.size()) return scores;
      i += 2;
    } else {
      scores.push_back(0);
      i += 1;
    }
  }
  scores.push_back(0);
  return scores;
}

Scores zipMin(const Scores& left, const Scores& right) {
  const std::size_t size = std::min(left.size(), right.size());
  Scores result(size);
  for (std::size_t i = 0; i < size; ++i) {
    result[i] = std::min(left[i], right[i]);
  }
  return result;
}

Exceptions addException(std::u32string_view entry, const Exceptions& table) {
  ExceptionMap map = table.entries();
  mergeInto(map, keyOf(entry), scoreException(entry));
  return Exceptions(std::move(map));
}

// Merging by zipMin is commutative and associative, so the lines may be taken in text order.
Exceptions parseExceptions(std::u32string_view text) {
  ExceptionMap map;
  detail::forEachLine(
      text, [&](std::u32string_view line) { mergeInto(map, keyOf(line), scoreException(line)); });
  return Exceptions(std::move(map));
}

std::optional<Scores> lookupException(std::u32string_view word, const Exceptions& table) {
  const auto at = table.entries().find(std::u32string(word));
  if (at == table.entries().end()) return std::nullopt;
  return at->second;
}

Exceptions operator+(const Exceptions& left, const Exceptions& right) {
  // A table merged with itself or with the empty table is unchanged: hand back its storage.
  if (right.entries().empty() || &left.entries() == &right.entries()) return left;
  if (left.entries().empty()) return right;
  // The union is commutative, so copy the larger map and merge the smaller one into it.
  const bool leftLarger = left.entries().size() >= right.entries().size();
  const ExceptionMap& larger = leftLarger ? left.entries() : right.entries();
  const ExceptionMap& smaller = leftLarger ? right.entries() : left.entries();
  ExceptionMap map = larger;
  for (const auto& [word, scores] : smaller) {
    mergeInto(map, word, scores);
  }
  return Exceptions(std::move(map));
}

Exceptions sconcat(std::span<const Exceptions> tables) {
  if (tables.empty()) throw Error("sconcat: empty sequence");
  Exceptions result = tables.back();
  for (std::size_t i = tables.size() - 1; i-- > 0;) {
    result = tables[i] + result;
  }
  return result;
}

Exceptions stimes(std::int64_t count, const Exceptions& table) {
  if (count < 1) throw Error("stimes: positive multiplier expected");
  return table;
}

Exceptions mconcat(std::span<const Exceptions> tables) {
  if (tables.empty()) return Exceptions::mempty();
  return sconcat(tables);
}

bool operator==(const Exceptions& left, const Exceptions& right) {
  return &left.entries() == &right.entries() || left.entries() == right.entries();
}

std::string showsPrec(int precedence, const Exceptions& table) {
  return detail::showAtPrecedence(precedence, [&](std::string& out) { appendTable(out, table); });
}

std::string show(const Exceptions& table) {
  return showsPrec(0, table);
}

std::string showList(std::span<const Exceptions> tables) {
  return detail::showListOf(tables, appendTable);
}

std::ostream& operator<<(std::ostream& out, const Exceptions& table) {
  return out << show(table);
}

}  // namespace text::hyphenation
