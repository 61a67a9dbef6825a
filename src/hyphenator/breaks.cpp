#include "hyphenator/breaks.hpp"

#include <algorithm>
#include <limits>
#include <optional>
#include <span>
#include <type_traits>

#include "common/utf16.hpp"
#include "common/utf8_decode.hpp"
#include "exception/storage.hpp"
#include "hyphenator/fast_path.hpp"
#include "hyphenator/scratch.hpp"
#include "hyphenator/state.hpp"
#include "pattern/lookup.hpp"

namespace text::hyphenation::detail {
namespace {

// n < leftMin + rightMin as whole numbers: the sum may lie outside the range of int64_t.
bool shorterThanMinimums(std::int64_t n, Minimums minimums) {
  // n >= 0, so n - left can only overflow upwards, and then it exceeds every right minimum.
  if (minimums.left < 0 && n > std::numeric_limits<std::int64_t>::max() + minimums.left) {
    return false;
  }
  return n - minimums.left < minimums.right;
}

// The last k for which a break after k characters survives the trimming: n - rightMin, moved
// |leftMin| further right when leftMin is negative, and never past the word's end. Exact for every
// pair of int64_t minimums.
std::int64_t lastBreak(std::int64_t n, Minimums minimums) {
  if (minimums.right <= 0) return n;
  const std::uint64_t shift = minimums.left < 0 ? 0 - static_cast<std::uint64_t>(minimums.left) : 0;
  const std::uint64_t right = static_cast<std::uint64_t>(minimums.right);
  if (shift >= right) return n;
  return n - static_cast<std::int64_t>(right - shift);  // right - shift <= rightMin
}

// Appends every k from max(leftMin, 1) to the last break and within `raw` whose score is odd.
template <class Score>
[[gnu::always_inline]] inline void appendOddGaps(std::span<const Score> raw, std::int64_t n,
                                                 Minimums minimums,
                                                 std::vector<std::size_t>& breaks) {
  const std::int64_t first = std::max<std::int64_t>(minimums.left, 1);
  const std::int64_t last =
      std::min(lastBreak(n, minimums), static_cast<std::int64_t>(raw.size()) - 1);
  for (std::int64_t k = first; k <= last; ++k) {
    if (raw[k] % 2 != 0) breaks.push_back(static_cast<std::size_t>(k));
  }
}

void normalise(const HyphenatorState& state, std::u32string_view word, std::u32string& key) {
  key.resize(word.size());
  if (state.table) {
    const CharMap& map = state.table->get();
    for (std::size_t i = 0; i < word.size(); ++i) {
      key[i] = map(word[i]);
    }
  } else {
    for (std::size_t i = 0; i < word.size(); ++i) {
      key[i] = state.function(word[i]);
    }
  }
}

// The character that stands for `c` in the key.
char32_t normalised(const HyphenatorState& state, char32_t c) {
  return state.table ? state.table->get()(c) : state.function(c);
}

// The raw list the plain way: the exception table's list for the key (the word through the
// character function or map), else the pattern trie's.
const Scores& plainScores(const HyphenatorState& state, std::u32string_view word,
                          Scratch& scratch) {
  std::u32string& key = scratch.key();
  key.clear();
  const ExceptionStorage& exceptions = ExceptionAccess::storage(state.exceptions.get());
  const ExceptionFilter& filter =
      state.exceptionFilter.get([&] { return ExceptionFilter(exceptions); });
  if (filter.mayList(word.size(), normalised(state, word.front()),
                     normalised(state, word.back()))) {
    normalise(state, word, key);
    if (const Scores* listed = exceptions.find(key)) return *listed;
  }
  if (key.size() != word.size()) normalise(state, word, key);
  lookupPatternInto(key, state.patterns.get(), scratch.scores());
  return scratch.scores();
}

// Words up to this many characters take the fast path with buffers on the stack.
constexpr std::size_t shortWord = 200;

// The breaks on the fast path of a word whose letter classes are framed[1..n]: looked up among
// the exceptions by those classes and else in the trie, into a byte per gap. `framed` holds n + 3
// classes, `gaps` gapBytes(n) bytes. Either list has at least n >= 1 entries, so the malformed
// case cannot arise here.
template <class Trie>
[[gnu::always_inline]] inline void framedBreaks(const FastPath& fastPath, const Trie& trie,
                                                typename Trie::Class* framed, std::size_t n,
                                                std::uint8_t* gaps, Minimums minimums,
                                                std::vector<std::size_t>& breaks) {
  using Class = typename Trie::Class;
  framed[0] = framed[n + 1] = static_cast<Class>(trie.dotClass());
  framed[n + 2] = 0;
  const auto size = static_cast<std::int64_t>(n);
  if (fastPath.exceptions.mayList(n, framed[1], framed[n])) {
    if (const auto listed = fastPath.exceptions.find(framed + 1, n); listed.data() != nullptr) {
      appendOddGaps(listed, size, minimums, breaks);
      return;
    }
  }
  appendOddGaps(trie.scoreFramed(framed, n, gaps), size, minimums, breaks);
}

// The same for a word of code points: each goes straight from its character to the letter class
// of its normalised form.
template <class Trie>
[[gnu::always_inline]] inline void fastBreaks(const FastPath& fastPath, const Trie& trie,
                                              std::u32string_view word, Minimums minimums,
                                              typename Trie::Class* framed, std::uint8_t* gaps,
                                              std::vector<std::size_t>& breaks) {
  using Class = typename Trie::Class;
  const CodePointPages<std::uint16_t> classOf = fastPath.classes;
  for (std::size_t k = 0; k < word.size(); ++k)
    framed[k + 1] = static_cast<Class>(classOf(word[k]));
  framedBreaks(fastPath, trie, framed, word.size(), gaps, minimums, breaks);
}

// Readers of each form of a word: whether every character takes one unit (then the unit at `at`
// is the character), and else the character at `at` with, into `length`, the number of units it
// takes.
struct Utf8Reader {
  std::string_view units;
  bool singleUnits() const {
    unsigned char any = 0;
    for (const char unit : units)
      any |= static_cast<unsigned char>(unit);
    return any < 0x80;
  }
  char32_t unit(std::size_t at) const { return static_cast<unsigned char>(units[at]); }
  // One byte and two, the form of the Latin, Greek and Cyrillic letters, are told apart without
  // a branch, which text mixing both would mispredict; longer sequences are read there.
  char32_t operator()(std::size_t at, std::size_t& length) const {
    const auto byte = static_cast<unsigned char>(units[at]);
    if (byte >= 0xE0) [[unlikely]] {
      return decodeUtf8Character(units.substr(at), length);
    }
    const auto next = at + 1 < units.size() ? static_cast<unsigned char>(units[at + 1]) : 0;
    const bool pair = byte >= 0xC2 && (next & 0xC0) == 0x80;
    length = 1 + pair;
    return pair ? (char32_t{byte} & 0x1F) << 6 | (next & 0x3F) : char32_t{byte};
  }
};
template <class Unit>
struct Utf16Reader {
  std::span<const Unit> units;
  bool singleUnits() const {
    bool surrogate = false;
    for (const Unit unit : units)
      surrogate |= (unit & 0xF800) == 0xD800;
    return !surrogate;
  }
  char32_t unit(std::size_t at) const { return units[at]; }
  char32_t operator()(std::size_t at, std::size_t& length) const {
    return decodeUtf16Character(units.data() + at, units.size() - at, length);
  }
};
struct Utf32Reader {
  std::span<const std::uint32_t> units;
  bool singleUnits() const { return true; }
  char32_t unit(std::size_t at) const { return units[at]; }
  char32_t operator()(std::size_t at, std::size_t& length) const {
    length = 1;
    return units[at];
  }
};

// findBreaks for a word of `size` units that `read` reads: a short word on the fast path is read
// once, each character straight to its letter class, where it starts noted; any other is decoded
// into the thread's buffer and takes the code-point road. Breaks counted in characters become the
// offsets of the characters' first units.
template <class Reader>
bool unitBreaks(const HyphenatorState& state, std::size_t size, Reader read, Minimums minimums,
                Scratch* scratch, std::vector<std::size_t>& breaks) {
  breaks.clear();
  if (state.fastPath && size <= shortWord) {
    state.fastPath->visitTrie([&](const auto& trie) {
      using Class = typename std::remove_cvref_t<decltype(trie)>::Class;
      Class framed[shortWord + 3];
      std::uint8_t starts[shortWord + 1];  // shortWord < 256
      alignas(16) std::uint8_t gaps[NarrowTrie::gapBytes(shortWord)];
      const CodePointPages<std::uint16_t> classOf = state.fastPath->classes;
      const bool single = read.singleUnits();
      std::size_t n = 0;
      if (single) {
        for (n = 0; n < size; ++n)
          framed[n + 1] = static_cast<Class>(classOf(read.unit(n)));
      } else {
        for (std::size_t at = 0, length = 0; at < size; at += length) {
          starts[n] = static_cast<std::uint8_t>(at);
          framed[++n] = static_cast<Class>(classOf(read(at, length)));
        }
      }
      const auto characters = static_cast<std::int64_t>(n);
      if (n == 0 || shorterThanMinimums(characters, minimums)) return;
      framedBreaks(*state.fastPath, trie, framed, n, gaps, minimums, breaks);
      if (single) return;
      for (std::size_t& k : breaks)
        k = k < n ? starts[k] : size;
    });
    return true;
  }
  std::optional<Scratch> ownScratch;
  if (!scratch) scratch = &ownScratch.emplace();
  std::u32string& word = scratch->word();
  word.clear();
  for (std::size_t at = 0, length = 0; at < size; at += length)
    word.push_back(read(at, length));
  if (!findBreaks(state, word, minimums, scratch, breaks)) return false;
  if (word.size() == size) return true;
  // Characters counted into units in a second walk rather than from a table of every
  // character's start, which would cost a long word eight bytes a character.
  std::size_t at = 0, character = 0, length = 0;
  for (std::size_t& k : breaks) {
    for (; character < k; ++character, at += length)
      read(at, length);
    k = at;
  }
  return true;
}

}  // namespace

// The raw list R (entry k belongs to the gap before character k of the key) is trimmed to
// T = max(l, 0) zeros followed by up to m = n - l - r + 1 entries of R from entry max(l, 0) on;
// the word is then cut after character i wherever entry i + 1 of T is odd. T is never built:
// entry k of T is 0 for k < l and R[k] up to the end of R or of the m entries, so a break falls
// after k characters exactly when max(l, 1) <= k <= lastBreak and R[k] exists and is odd. This
// holds for every int64_t pair of minimums, even where l + r itself would overflow; minimums far
// past the word's length simply leave no gap that may break.
//
// Example (l = 2, r = 3): "hyphenation" has R = [0,0,3,0,0,2,5,4,2,0,2]; k runs from 2 to 8, and
// the odd entries at k = 2 and k = 6 give "hy", "phen", "ation".
//
// `scratch` may be null: only long words and the plain road need buffers, and take the thread's
// own then.
bool findBreaks(const HyphenatorState& state, std::u32string_view word, Minimums minimums,
                Scratch* scratch, std::vector<std::size_t>& breaks) {
  breaks.clear();
  const auto n = static_cast<std::int64_t>(word.size());
  if (n == 0 || shorterThanMinimums(n, minimums)) return true;

  if (state.fastPath) {
    state.fastPath->visitTrie([&](const auto& trie) {
      using Class = typename std::remove_cvref_t<decltype(trie)>::Class;
      if (word.size() <= shortWord) {
        Class framed[shortWord + 3];
        alignas(16) std::uint8_t gaps[NarrowTrie::gapBytes(shortWord)];
        fastBreaks(*state.fastPath, trie, word, minimums, framed, gaps, breaks);
        return;
      }
      std::optional<Scratch> ownScratch;
      if (!scratch) scratch = &ownScratch.emplace();
      std::vector<Class>& framed = scratch->framed<Class>();
      framed.resize(word.size() + 3);
      scratch->gaps().resize(NarrowTrie::gapBytes(word.size()));
      fastBreaks(*state.fastPath, trie, word, minimums, framed.data(), scratch->gaps().data(),
                 breaks);
    });
    return true;
  }

  std::optional<Scratch> ownScratch;
  if (!scratch) scratch = &ownScratch.emplace();
  const Scores& raw = plainScores(state, word, *scratch);
  // T is empty only when it has no leading zeros and R has nothing to give.
  if (minimums.left <= 0 && raw.empty()) return false;
  appendOddGaps(std::span<const std::int64_t>(raw), n, minimums, breaks);
  return true;
}

bool findBreaks(const HyphenatorState& state, std::string_view utf8, Minimums minimums,
                Scratch* scratch, std::vector<std::size_t>& breaks) {
  return unitBreaks(state, utf8.size(), Utf8Reader{utf8}, minimums, scratch, breaks);
}

bool findBreaks(const HyphenatorState& state, std::u16string_view utf16, Minimums minimums,
                Scratch* scratch, std::vector<std::size_t>& breaks) {
  return unitBreaks(state, utf16.size(), Utf16Reader<char16_t>{utf16}, minimums, scratch, breaks);
}

bool findBreaks(const HyphenatorState& state, std::span<const std::uint16_t> utf16,
                Minimums minimums, Scratch* scratch, std::vector<std::size_t>& breaks) {
  return unitBreaks(state, utf16.size(), Utf16Reader<std::uint16_t>{utf16}, minimums, scratch,
                    breaks);
}

bool findBreaks(const HyphenatorState& state, std::span<const std::uint32_t> units,
                Minimums minimums, Scratch* scratch, std::vector<std::size_t>& breaks) {
  return unitBreaks(state, units.size(), Utf32Reader{units}, minimums, scratch, breaks);
}

Error malformedScores(std::string_view word) {
  return Error("Malformed hyphenation score for " + std::string(word));
}

}  // namespace text::hyphenation::detail
