#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace text::hyphenation::detail {

// What a code point that is not a key of a table gives: the same value everywhere, or the code
// point itself.
template <class Value>
struct ZeroDefault {
  static constexpr bool constant = true;
  static constexpr Value of(char32_t) { return Value{}; }
};
struct IdentityDefault {
  static constexpr bool constant = false;
  static constexpr char32_t of(char32_t c) { return c; }
};

// The arrays of a code-point table, wherever they live: in a CodePointTable, or in the library's
// read-only data, compiled when the library was built. A read takes two array reads: the high
// bits of a code point pick a block of 256 values, its low byte the value in the block; Latin-1
// (U+0000..U+00FF), most of most text, takes one. Page k of the index is block pages[k]; block 0
// holds the defaults when the default is constant, and means "the default" when it is not. Keys
// past U+10FFFF, which only a hand-made character function produces, are kept apart in `beyond`,
// sorted, so that the page index stays no longer than Unicode's.
template <class Value, class Default = ZeroDefault<Value>>
struct CodePointPages {
  using Entry = std::pair<char32_t, Value>;
  static constexpr char32_t lastCodePoint = 0x10FFFF;

  const Value* latin;          // the block of page 0
  const std::uint32_t* pages;  // code point >> 8 -> block, up to the last key's page
  std::size_t pageCount;
  const Value* blocks;            // 256 values per block
  std::span<const Entry> beyond;  // ascending keys past U+10FFFF

  Value operator()(char32_t c) const {
    if (c < 0x100) return latin[c];
    const std::size_t page = c >> 8;
    if (page < pageCount) {
      const std::uint32_t block = pages[page];
      if (Default::constant || block != 0) return blocks[(std::size_t{block} << 8) | (c & 0xFF)];
      return Default::of(c);
    }
    if (c <= lastCodePoint || beyond.empty()) return Default::of(c);
    auto at = std::lower_bound(beyond.begin(), beyond.end(), c,
                               [](const Entry& entry, char32_t key) { return entry.first < key; });
    return at != beyond.end() && at->first == c ? at->second : Default::of(c);
  }
};

// A fixed map from code point to value, built once and read for every character of every word,
// in the arrays of CodePointPages. Pages without a key share block 0 when the default is
// constant, and are not stored when it is not.
template <class Value, class Default = ZeroDefault<Value>>
class CodePointTable {
 public:
  using Entry = std::pair<char32_t, Value>;
  // Reads through copies of the table's addresses, for a hot loop whose stores the compiler
  // could not otherwise tell apart from the table's members.
  using Reader = CodePointPages<Value, Default>;

  // Every code point gives its default.
  CodePointTable() : CodePointTable(std::vector<Entry>()) {}
  // Later entries for the same key replace earlier ones.
  explicit CodePointTable(const std::vector<Entry>& entries);

  CodePointTable(const CodePointTable& other) { *this = other; }
  CodePointTable& operator=(const CodePointTable& other);
  CodePointTable(CodePointTable&&) = default;  // vectors keep their storage: latin_ stays valid
  CodePointTable& operator=(CodePointTable&&) = default;

  Value operator()(char32_t c) const { return pages()(c); }
  Reader pages() const {
    return Reader{latin_, pages_.data(), pages_.size(), blocks_.data(), beyond_};
  }

  // The keys, ascending, with their values.
  std::vector<Entry> entries() const { return entries_; }
  // The page index and the blocks, as CodePointPages reads them.
  const std::vector<std::uint32_t>& pageIndex() const { return pages_; }
  const std::vector<Value>& blocks() const { return blocks_; }

  // Heap bytes held, for measurements.
  std::size_t bytes() const {
    return pages_.capacity() * sizeof(pages_[0]) + blocks_.capacity() * sizeof(blocks_[0]) +
           entries_.capacity() * sizeof(entries_[0]) + beyond_.capacity() * sizeof(beyond_[0]);
  }

 private:
  static constexpr char32_t lastCodePoint = Reader::lastCodePoint;

  std::vector<std::uint32_t> pages_;  // code point >> 8 -> block, up to the last key's page
  std::vector<Value> blocks_;         // 256 values per block; block 0 holds the defaults
  const Value* latin_ = nullptr;      // the block of page 0
  std::vector<Entry> entries_;        // ascending keys
  std::vector<Entry> beyond_;         // the entries past U+10FFFF
};

template <class Value, class Default>
CodePointTable<Value, Default>::CodePointTable(const std::vector<Entry>& entries)
    : entries_(entries) {
  // Sorted stably, so that of several entries for one key the last one given is kept.
  std::stable_sort(entries_.begin(), entries_.end(),
                   [](const Entry& a, const Entry& b) { return a.first < b.first; });
  auto kept = entries_.begin();
  for (auto at = entries_.begin(); at != entries_.end(); ++at) {
    if (kept != entries_.begin() && (kept - 1)->first == at->first) {
      *(kept - 1) = *at;
    } else {
      *kept++ = *at;
    }
  }
  entries_.erase(kept, entries_.end());

  const auto unicodeEnd = std::find_if(entries_.begin(), entries_.end(), [](const Entry& entry) {
    return entry.first > lastCodePoint;
  });
  beyond_.assign(unicodeEnd, entries_.end());
  const std::size_t pageCount =
      unicodeEnd == entries_.begin() ? 1 : ((unicodeEnd - 1)->first >> 8) + 1;
  pages_.assign(pageCount, 0);
  blocks_.assign(256, Default::of(0));
  auto fill = [&](std::size_t page) {
    pages_[page] = static_cast<std::uint32_t>(blocks_.size() >> 8);
    for (std::size_t offset = 0; offset < 256; ++offset)
      blocks_.push_back(Default::of(static_cast<char32_t>((page << 8) | offset)));
  };
  // Page 0 always has a block of its own when the default varies, so that Latin-1 is one read.
  if (!Default::constant) fill(0);
  for (auto at = entries_.begin(); at != unicodeEnd; ++at) {
    const std::size_t page = at->first >> 8;
    if (pages_[page] == 0) fill(page);
    blocks_[(std::size_t{pages_[page]} << 8) | (at->first & 0xFF)] = at->second;
  }
  latin_ = blocks_.data() + (std::size_t{pages_[0]} << 8);
}

template <class Value, class Default>
CodePointTable<Value, Default>& CodePointTable<Value, Default>::operator=(
    const CodePointTable& other) {
  pages_ = other.pages_;
  blocks_ = other.blocks_;
  entries_ = other.entries_;
  beyond_ = other.beyond_;
  latin_ = blocks_.data() + (std::size_t{pages_[0]} << 8);
  return *this;
}

// Maps a code point to the character that stands for it; a code point that is not a key maps to
// itself.
using CharMap = CodePointTable<char32_t, IdentityDefault>;

// A fixed set of code points: the keys of a table whose members give 1.
class CharSet {
 public:
  CharSet() = default;
  // Repeats are allowed.
  explicit CharSet(const std::vector<char32_t>& members) : table_(entriesOf(members)) {}

  bool contains(char32_t c) const { return table_(c) != 0; }

 private:
  static std::vector<CodePointTable<std::uint8_t>::Entry> entriesOf(
      const std::vector<char32_t>& members) {
    std::vector<CodePointTable<std::uint8_t>::Entry> entries;
    entries.reserve(members.size());
    for (const char32_t c : members)
      entries.emplace_back(c, 1);
    return entries;
  }

  CodePointTable<std::uint8_t> table_;
};

}  // namespace text::hyphenation::detail
