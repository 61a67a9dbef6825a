#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "text/hyphenation/error.hpp"
#include "text/hyphenation/export.hpp"
#include "text/hyphenation/scores.hpp"

namespace text::hyphenation {

// The exception table: words whose breaks are given outright, one a line with a hyphen-minus at
// each break ("as-so-ciate"). Every function here is pure (it returns a new value and never
// changes its arguments), is safe to call from any number of threads at once, and throws nothing
// but std::bad_alloc unless its comment says otherwise.
//
//   Exceptions table = parseExceptions(U"as-so-ciate\nproject\n");
//   lookupException(U"associate", table);   // {0,0,1,0,1,0,0,0,0,0}

// Hash map from word to score list; keys are compared code point for code point.
using ExceptionMap = std::unordered_map<std::u32string, Scores>;

namespace detail {
class ExceptionStorage;
struct ExceptionAccess;
}  // namespace detail

// A table of words whose breaks are given outright. Immutable and cheap to copy (a handle to
// shared storage, which tables made from it share too: adding a word costs about the few nodes on
// its way, not the table); safe to read from any number of threads.
class HYPHENKIT_API Exceptions {
 public:
  // The empty table.
  Exceptions();
  // The table holding exactly `entries`; nothing is checked.
  explicit Exceptions(ExceptionMap entries);

  static Exceptions mempty() { return Exceptions(); }

  // Every entry of the table, in no particular order: made the first time it is asked for (a
  // copy of the table as a std::unordered_map, once, even when threads ask together), then the
  // same object for this table and every copy of it.
  const ExceptionMap& entries() const;

 private:
  friend struct detail::ExceptionAccess;
  explicit Exceptions(std::shared_ptr<const detail::ExceptionStorage> storage)
      : storage_(std::move(storage)) {}

  std::shared_ptr<const detail::ExceptionStorage> storage_;
};

// The score list of an entry text: "ta-ble" gives [0,0,1,0,0,0].
HYPHENKIT_API Scores scoreException(std::u32string_view entry);
// Element-wise minimum, as long as the shorter list.
HYPHENKIT_API Scores zipMin(const Scores& left, const Scores& right);
// The table with `entry` added; a word already present keeps only the breaks both versions share.
HYPHENKIT_API Exceptions addException(std::u32string_view entry, const Exceptions& table);
// The table of every LF-separated line of `text`.
HYPHENKIT_API Exceptions parseExceptions(std::u32string_view text);
// The stored score list of exactly `word`, or nothing.
HYPHENKIT_API std::optional<Scores> lookupException(std::u32string_view word,
                                                    const Exceptions& table);

// Union; a word in both tables gets the element-wise minimum of its two lists.
HYPHENKIT_API Exceptions operator+(const Exceptions& left, const Exceptions& right);
// Combines a non-empty sequence from the right; throws Error for an empty one.
HYPHENKIT_API Exceptions sconcat(std::span<const Exceptions> tables);
// Combines `count` copies (the table itself); throws Error when count < 1.
HYPHENKIT_API Exceptions stimes(std::int64_t count, const Exceptions& table);
// Combines a possibly empty sequence from the right, ending in mempty.
HYPHENKIT_API Exceptions mconcat(std::span<const Exceptions> tables);

HYPHENKIT_API bool operator==(const Exceptions& left, const Exceptions& right);

// Exceptions (fromList [("table",[0,0,1,0,0,0])]), entries in ascending code-point order of their
// words, so equal tables render equally; wrapped in parentheses when precedence >= 11.
// A word is a double-quoted literal in ASCII: '"' and '\\' take a backslash, U+0020..U+007E stand
// for themselves, LF, CR and TAB are written \n, \r, \t, and every other code point c is written
// \uXXXX when c <= U+FFFF and \UXXXXXXXX above (upper-case hex, also for values past U+10FFFF).
HYPHENKIT_API std::string showsPrec(int precedence, const Exceptions& table);
// showsPrec at precedence 0.
HYPHENKIT_API std::string show(const Exceptions& table);
// "[" + the show text of each table, separated by "," + "]".
HYPHENKIT_API std::string showList(std::span<const Exceptions> tables);
HYPHENKIT_API std::ostream& operator<<(std::ostream& out, const Exceptions& table);

}  // namespace text::hyphenation
