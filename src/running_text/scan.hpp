#pragma once

// The one scan of running text behind hyphenateText, TextStream and findTextBreaks: tokens
// between white space, judged prose or not, and in prose tokens the words, each cut where
// hyphenate cuts it. The text is either UTF-8 bytes or characters with their byte offsets; both
// read the same through a Source:
//   size()              the number of positions
//   read(at)            the character at position `at`, its kind and the position after it
//   offset(at)          the byte offset of position `at` (at <= size())
//   afterSeparator(at)  the position after the separator when the text at `at` holds it, else npos

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/utf8_decode.hpp"
#include "common/utf8_encode.hpp"
#include "hyphenator/breaks.hpp"
#include "hyphenator/scratch.hpp"
#include "running_text/rules.hpp"
#include "running_text/unicode.hpp"

namespace text::hyphenation::detail {

inline constexpr std::size_t noPosition = static_cast<std::size_t>(-1);

struct Read {
  char32_t c;
  CharKind kind;
  std::size_t next;
};

// A part of a word that normalises on its own: where it starts in the word as given, and where
// its composed form starts in the word's Normalisation Form C.
struct Part {
  std::size_t start;
  std::size_t composedStart;
};

// The word being gathered: its characters and the position of each (and the position after the
// last), in storage that only grows.
class WordBuffer {
 public:
  std::size_t capacity() const { return characters_.size(); }
  char32_t* characters() { return characters_.data(); }
  std::size_t* positions() { return positions_.data(); }
  void grow() {
    characters_.resize(2 * characters_.size() + 32);
    positions_.resize(characters_.size() + 1);
  }

 private:
  std::u32string characters_;
  std::vector<std::size_t> positions_;
};

// The buffers of one thread's scans, reused so that a warm call allocates nothing but its
// result. A character function that itself hyphenates text finds them taken and gets fresh ones.
class TextScratch {
 public:
  TextScratch() : buffers_(shared().inUse ? own_ : shared()) { buffers_.inUse = true; }
  ~TextScratch() { buffers_.inUse = false; }
  TextScratch(const TextScratch&) = delete;
  TextScratch& operator=(const TextScratch&) = delete;

  Scratch& words() { return words_; }                               // findBreaks' buffers
  WordBuffer& word() { return buffers_.word; }                      // the word being gathered
  std::vector<std::size_t>& indices() { return buffers_.indices; }  // breaks in the word
  std::vector<std::size_t>& offsets() { return buffers_.offsets; }  // breaks in the token
  std::u32string& nfc() { return buffers_.nfc; }
  std::vector<Part>& parts() { return buffers_.parts; }
  std::u32string& run() { return buffers_.run; }  // splitting a word into parts
  std::u32string& joined() { return buffers_.joined; }
  std::u32string& composed() { return buffers_.composed; }
  NormalisationBuffers& normalisation() { return buffers_.normalisation; }

 private:
  struct Buffers {
    WordBuffer word;
    std::vector<std::size_t> indices;
    std::vector<std::size_t> offsets;
    std::u32string nfc;
    std::vector<Part> parts;
    std::u32string run;
    std::u32string joined;
    std::u32string composed;
    NormalisationBuffers normalisation;
    bool inUse = false;
  };
  static Buffers& shared() {
    thread_local Buffers buffers;
    return buffers;
  }

  Scratch words_;
  Buffers own_;
  Buffers& buffers_;
};

// Appends to scratch.indices(), ascending, each k for which `word` (a word by the rules, with its
// characters as the text holds them) takes the separator before its character k. `mayChange`:
// the word may differ from its Normalisation Form C; `hasMark`: it holds a combining mark.
void findWordBreaks(const TextRules& rules, std::u32string_view word, bool mayChange, bool hasMark,
                    TextScratch& scratch);

class Utf8Source {
 public:
  Utf8Source(const TextRules& rules, std::string_view text)
      : rules_(rules), ascii_(rules.ascii().data()), text_(text) {}

  std::size_t size() const { return text_.size(); }
  std::size_t offset(std::size_t at) const { return at; }

  Read read(std::size_t at) const {
    const auto byte = static_cast<unsigned char>(text_[at]);
    if (byte < 0x80) return {byte, ascii_[byte], at + 1};
    std::size_t length = 0;
    const char32_t c = decodeUtf8Character(text_.substr(at), length);
    if (length == 1) return {c, otherRole, at + 1};  // a byte of no well-formed sequence
    return {c, rules_.kindOf(c), at + length};
  }

  std::size_t afterSeparator(std::size_t at) const {
    const std::string_view separator = rules_.options().separator;
    return text_.substr(at, separator.size()) == separator ? at + separator.size() : noPosition;
  }

 private:
  const TextRules& rules_;
  const CharKind* ascii_;
  std::string_view text_;
};

class CharacterSource {
 public:
  CharacterSource(const TextRules& rules, std::u32string_view characters,
                  std::span<const std::size_t> starts)
      : rules_(rules), ascii_(rules.ascii().data()), characters_(characters), starts_(starts) {}

  std::size_t size() const { return characters_.size(); }
  std::size_t offset(std::size_t at) const { return starts_[at]; }

  Read read(std::size_t at) const {
    const char32_t c = characters_[at];
    if (c < 0x80) return {c, ascii_[c], at + 1};
    if (starts_[at + 1] - starts_[at] == 1 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      return {c, otherRole, at + 1};
    }
    return {c, rules_.kindOf(c), at + 1};
  }

  std::size_t afterSeparator(std::size_t at) const {
    const std::u32string_view separator = rules_.separatorCharacters();
    return characters_.substr(at, separator.size()) == separator ? at + separator.size()
                                                                 : noPosition;
  }

 private:
  const TextRules& rules_;
  const CharKind* ascii_;
  std::u32string_view characters_;
  std::span<const std::size_t> starts_;
};

template <class Source>
class TextScanner {
 public:
  TextScanner(const TextRules& rules, const Source& source, TextScratch& scratch)
      : rules_(rules), source_(source), scratch_(scratch), size_(source.size()) {}

  // Whether the first token, which starts at position 0, is no prose.
  bool judgesNonProse() {
    token(0, true);
    return nonProse_;
  }

  // Calls emit(offset) for every break, ascending. `continuesToken`: the text starts inside a
  // token that was already judged prose.
  template <class Emit>
  void run(Emit&& emit, bool continuesToken = false) {
    std::size_t at = 0;
    bool first = true;
    while (at < size_) {
      const Read read = source_.read(at);
      if (roleOf(read.kind) == spaceRole) {
        at = read.next;
        first = false;
        continue;
      }
      at = token(at, rules_.options().skipNonProse && !(first && continuesToken));
      first = false;
      for (const std::size_t offset : scratch_.offsets())
        emit(offset);
    }
  }

 private:
  // The token at `start`: its breaks go to scratch_.offsets(); returns the position after it.
  std::size_t token(std::size_t start, bool judge) {
    const Source source = source_;
    std::vector<std::size_t>& offsets = scratch_.offsets();
    offsets.clear();
    nonProse_ = true;
    Read read = source.read(start);
    if (judge) {
      std::size_t at = start;
      Read opening = read;
      while (opening.kind & openingFlag) {
        at = opening.next;
        if (at >= size_) break;
        opening = source.read(at);
      }
      if (at < size_ && mayOpenNonProse(opening.c) && opensNonProse(at)) return skipToken(at);
    }
    bool afterAlphanumeric = false;  // the character before is a letter or a digit
    char32_t before = 0;
    std::size_t at = start;
    while (true) {
      const CharRole role = roleOf(read.kind);
      if (role == spaceRole) break;
      if (role == letterRole) {
        bool identifier = false;
        at = word(at, read, judge ? &identifier : nullptr);
        if (identifier) {
          offsets.clear();
          return skipToken(at);
        }
        afterAlphanumeric = true;
        before = 0;
      } else {
        if (judge && read.next < size_ &&
            marksNonProse(read.c, afterAlphanumeric, before, read.next)) {
          offsets.clear();
          return skipToken(read.next);
        }
        afterAlphanumeric = (read.kind & digitFlag) != 0;
        before = read.c;
        at = read.next;
      }
      if (at >= size_) break;
      read = source.read(at);
    }
    nonProse_ = false;
    return at;
  }

  // Whether a token may be no prose by its first character (see opensNonProse).
  static bool mayOpenNonProse(char32_t c) {
    switch (c) {
      case U'w':
      case U'W':
      case U'm':
      case U'M':
      case U'/':
      case U'~':
      case U'.':
      case U'-':
      case U'#':
        return true;
      default:
        return false;
    }
  }

  std::size_t skipToken(std::size_t at) const {
    while (at < size_) {
      const Read read = source_.read(at);
      if (roleOf(read.kind) == spaceRole) break;
      at = read.next;
    }
    return at;
  }

  bool isAlphanumeric(std::size_t at) const {
    if (at >= size_) return false;
    const CharKind kind = source_.read(at).kind;
    return roleOf(kind) == letterRole || (kind & digitFlag);
  }

  // Whether the ASCII text `prefix` stands at `at`, letters in either case.
  bool holds(std::size_t at, std::string_view prefix) const {
    for (const char expected : prefix) {
      if (at >= size_) return false;
      const Read read = source_.read(at);
      char32_t c = read.c;
      if (c >= U'A' && c <= U'Z') c += U'a' - U'A';
      if (c != static_cast<char32_t>(expected)) return false;
      at = read.next;
    }
    return true;
  }

  // Whether a token whose first character after its opening brackets and quotes is at `at` is a
  // URL, a path, an option or a hashtag by its start.
  bool opensNonProse(std::size_t at) const {
    const Read read = source_.read(at);
    switch (read.c) {
      case U'w':
      case U'W':
        return holds(at, "www.");
      case U'm':
      case U'M':
        return holds(at, "mailto:");
      case U'/':
        return read.next < size_ && roleOf(source_.read(read.next).kind) != spaceRole;
      case U'~':
        return holds(read.next, "/");
      case U'.':
        return holds(read.next, "/") || holds(read.next, "./");
      case U'-': {
        std::size_t after = read.next;
        if (holds(after, "-")) after = source_.read(after).next;
        return after < size_ && isAsciiAlphanumeric(source_.read(after).c);
      }
      case U'#':
        return isAlphanumeric(read.next) || holds(read.next, "_");
      default:
        return false;
    }
  }

  static bool isAsciiAlphanumeric(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9');
  }

  // Whether `c`, a character inside a token that is no letter, followed by position `after`,
  // makes the token a URL, an e-mail address or a snake_case identifier.
  bool marksNonProse(char32_t c, bool afterAlphanumeric, char32_t before, std::size_t after) const {
    switch (c) {
      case U':':
        return afterAlphanumeric && holds(after, "//");
      case U'@':
        return (afterAlphanumeric || before == U'.' || before == U'_' || before == U'+' ||
                before == U'-') &&
               isAlphanumeric(after);
      case U'_':
        return afterAlphanumeric && isAlphanumeric(after);
      default:
        return false;
    }
  }

  // Gathers the word whose first letter `first` is at `at` and puts its breaks into
  // scratch_.offsets(); returns the position after it. With `identifier` given, a camelCase word
  // sets it instead and gets no breaks.
  std::size_t word(std::size_t at, Read current, bool* identifier) {
    // Local copies, which the stores into the buffer cannot alias.
    const Source source = source_;
    const std::size_t size = size_;
    WordBuffer& buffer = scratch_.word();
    char32_t* characters = buffer.characters();
    std::size_t* positions = buffer.positions();
    std::size_t capacity = buffer.capacity();
    std::size_t length = 0;
    // Makes room for one more character; the stores themselves stay in the loop.
    const auto reserve = [&] {
      if (length < capacity) [[likely]]
        return;
      buffer.grow();
      characters = buffer.characters();
      positions = buffer.positions();
      capacity = buffer.capacity();
    };
    bool holdsBreaks = false;
    bool hasMark = false;
    bool stable = true;  // every character is one that normalisation leaves alone
    // The lower-case letters just before, and whether they begin the word or a part of it that
    // follows an apostrophe or a break.
    std::size_t lowerRun = 0;
    bool runOpensPart = true;
    bool camelCase = false;
    while (true) {
      if (identifier != nullptr) {
        if (current.kind & upperFlag) {
          if (lowerRun > 0 && !(runOpensPart && lowerRun <= 2)) camelCase = true;
          lowerRun = 0;
          runOpensPart = false;
        } else if (current.kind & lowerFlag) {
          ++lowerRun;
        } else if (roleOf(current.kind) == letterRole) {
          lowerRun = 0;
          runOpensPart = false;
        }
      }
      reserve();
      characters[length] = current.c;
      positions[length++] = at;
      stable = stable && (current.kind & stableFlag);
      at = current.next;
      if (at >= size) break;
      const Read next = source.read(at);
      const CharRole role = roleOf(next.kind);
      if (role == letterRole || role == markRole) {
        hasMark = hasMark || role == markRole;
        current = next;
        continue;
      }
      // What joins two letters into one word: the separator, a soft hyphen or an apostrophe.
      if (rules_.separatorJoins()) {
        const std::size_t after = source.afterSeparator(at);
        if (after != noPosition && after < size) {
          const Read letter = source.read(after);
          if (roleOf(letter.kind) == letterRole) {
            holdsBreaks = true;
            at = after;
            current = letter;
            lowerRun = 0;
            runOpensPart = true;
            continue;
          }
        }
      }
      if ((role == innerRole || role == softHyphenRole) && next.next < size) {
        const Read letter = source.read(next.next);
        if (roleOf(letter.kind) == letterRole) {
          holdsBreaks = holdsBreaks || role == softHyphenRole;
          reserve();
          characters[length] = next.c;
          positions[length++] = at;
          stable = stable && (next.kind & stableFlag);
          at = next.next;
          current = letter;
          lowerRun = 0;
          runOpensPart = true;
          continue;
        }
      }
      break;
    }
    positions[length] = at;
    if (camelCase) {
      *identifier = true;
      return at;
    }
    if (holdsBreaks) return at;
    std::vector<std::size_t>& offsets = scratch_.offsets();
    if (stable && rules_.options().minWordLength == 0) {
      // Most words: nothing to normalise, no combining mark to keep a break from (marks are
      // never stable); findBreaks puts none before the first character.
      std::vector<std::size_t>& breaks = scratch_.words().breaks();
      if (!findBreaks(rules_.state(), {characters, length}, rules_.minimums(), &scratch_.words(),
                      breaks)) {
        throw malformedScores(encodeUtf8Lossless({characters, length}));
      }
      for (const std::size_t k : breaks) {
        if (k < length) offsets.push_back(source.offset(positions[k]));
      }
      return at;
    }
    std::vector<std::size_t>& indices = scratch_.indices();
    indices.clear();
    findWordBreaks(rules_, {characters, length}, !stable, hasMark, scratch_);
    for (const std::size_t k : indices)
      offsets.push_back(source.offset(positions[k]));
    return at;
  }

  const TextRules& rules_;
  const Source& source_;
  TextScratch& scratch_;
  const std::size_t size_;
  bool nonProse_ = false;  // the last token was judged no prose
};

}  // namespace text::hyphenation::detail
