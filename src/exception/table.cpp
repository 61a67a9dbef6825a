#include "text/hyphenation/exception.hpp"

#include <algorithm>
#include <ostream>
#include <utility>
#include <vector>

#include "common/lines.hpp"
#include "common/render.hpp"
#include "exception/storage.hpp"

namespace text::hyphenation {
namespace {

constexpr char32_t kHyphen = U'-';

using detail::ExceptionAccess;
using detail::ExceptionStorage;
using detail::WordTrie;

// One storage shared by every empty table, so that mempty costs no allocation.
const Exceptions& emptyTable() {
  static const Exceptions empty = ExceptionAccess::make(ExceptionMap());
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

const ExceptionStorage& storageOf(const Exceptions& table) {
  return ExceptionAccess::storage(table);
}

// The single insert-or-merge step of parsing: a key seen before keeps only the breaks that both
// of its versions allow.
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
  std::vector<std::pair<const std::u32string*, const Scores*>> entries;
  entries.reserve(storageOf(table).size());
  storageOf(table).forEach([&](const std::u32string& word, const Scores& scores) {
    entries.emplace_back(&word, &scores);
  });
  std::sort(entries.begin(), entries.end(),
            [](const auto& left, const auto& right) { return *left.first < *right.first; });
  out += "Exceptions (fromList [";
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i != 0) out += ',';
    out += '(';
    appendQuotedWord(out, *entries[i].first);
    out += ',';
    const Scores& scores = *entries[i].second;
    detail::appendScoreList(out, scores.size(), [&](std::size_t k) { return scores[k]; });
    out += ')';
  }
  out += "])";
}

}  // namespace

Exceptions::Exceptions() : Exceptions(emptyTable()) {}

Exceptions::Exceptions(ExceptionMap entries)
    : Exceptions(entries.empty() ? emptyTable() : ExceptionAccess::make(std::move(entries))) {}

const ExceptionMap& Exceptions::entries() const {
  return storage_->map();
}

namespace detail {

const WordTrie& ExceptionStorage::words() const {
  if (!byMap_) return *words_;
  std::call_once(made_, [&] {
    WordTrie words;
    for (const auto& [word, scores] : *map_)
      words.merge(word, scores);
    words_.emplace(std::move(words));
  });
  return *words_;
}

const ExceptionMap& ExceptionStorage::map() const {
  if (byMap_) return *map_;
  std::call_once(made_, [&] {
    ExceptionMap map;
    map.reserve(words_->size());
    words_->forEach([&](const auto& entry) { map.emplace(entry->word, entry->scores); });
    map_.emplace(std::move(map));
  });
  return *map_;
}

}  // namespace detail

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

// A word added to a table shares the table's nodes but those on its way down.
Exceptions addException(std::u32string_view entry, const Exceptions& table) {
  WordTrie words = storageOf(table).words();
  words.merge(keyOf(entry), scoreException(entry));
  return ExceptionAccess::make(std::move(words));
}

// Merging by zipMin is commutative and associative, so the lines may be taken in text order.
Exceptions parseExceptions(std::u32string_view text) {
  ExceptionMap map;
  detail::forEachLine(
      text, [&](std::u32string_view line) { mergeInto(map, keyOf(line), scoreException(line)); });
  return Exceptions(std::move(map));
}

std::optional<Scores> lookupException(std::u32string_view word, const Exceptions& table) {
  if (const Scores* scores = storageOf(table).find(std::u32string(word))) return *scores;
  return std::nullopt;
}

Exceptions operator+(const Exceptions& left, const Exceptions& right) {
  // A table merged with itself or with the empty table is unchanged: hand back its storage.
  const ExceptionStorage& a = storageOf(left);
  const ExceptionStorage& b = storageOf(right);
  if (b.size() == 0 || &a == &b) return left;
  if (a.size() == 0) return right;
  // The union is commutative, so the smaller table's entries go into (a copy of) the larger.
  const bool leftLarger = a.size() >= b.size();
  WordTrie merged = (leftLarger ? a : b).words();
  (leftLarger ? b : a).forEach([&](const std::u32string& word, const Scores& scores) {
    merged.merge(word, scores);
  });
  return ExceptionAccess::make(std::move(merged));
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
  const ExceptionStorage& a = storageOf(left);
  const ExceptionStorage& b = storageOf(right);
  if (&a == &b) return true;
  if (a.size() != b.size()) return false;
  bool equal = true;
  a.forEach([&](const std::u32string& word, const Scores& scores) {
    const Scores* other = equal ? b.find(word) : nullptr;
    equal = other && *other == scores;
  });
  return equal;
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
