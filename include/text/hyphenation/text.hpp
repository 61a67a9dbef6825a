#pragma once

// Hyphenating running text: UTF-8 text in, the same text with a separator at every break of
// every word out.
//
//   hyphenateText(german_1996, "Die Silbentrennung, bitte!")     // "Die Sil-ben-tren-nung,
//   bit-te!" hyphenateText(english_US, "See https://example.com/hyphenation", {.separator =
//   "\u00AD"})
//     // the address stays as it is: "See https://example.com/hyphenation"
//
// A word is a longest run of Unicode letters (general category L) with the combining marks that
// follow them, a character counting as a letter when it or its image under hyphenatorChars is
// one. A character of the hyphenator's patterns that is no letter (an apostrophe such as U+0027,
// U+2019 or U+02BC, the zero-width joiner or non-joiner) belongs to a word only between two
// letters, so "aujourd'hui" is one word and the quote marks of "'opera'" are not part of it.
// Digits and "." never belong to a word, nor does a byte of no well-formed UTF-8 sequence.
// Then, for every word:
//   - the breaks are those hyphenate gives the word alone, looked up in its Normalisation Form C
//     (so decomposed text breaks like composed text) and mapped back to the text as it was; no
//     break falls before a combining mark, nor at either end of a word;
//   - explicit hyphens (U+002D, U+2010, U+2011) end a word whatever the patterns hold: the parts
//     on either side are words of their own, and no separator goes next to the hyphen;
//   - a word that already holds a soft hyphen (U+00AD) or the separator between two of its
//     letters keeps exactly the breaks it has and gets no others, so hyphenating a text twice
//     gives what hyphenating it once gives (for a separator of at most 16 characters that is no
//     explicit hyphen and holds no white space; a longer one is only ever inserted).
// Tokens that are not prose are copied unchanged (unless skipNonProse is off); a token is a
// longest run of characters that are no white space, taken without the brackets and quotation
// marks that open it:
//   - URLs: anything with "scheme://", or starting "www." or "mailto:";
//   - e-mail addresses: an "@" between a letter, digit or one of "._+-" and a letter or digit;
//   - file paths starting "/", "~/", "./" or "../";
//   - identifiers: a "_" between two letters or digits (snake_case), or a lower-case letter
//     followed by an upper-case one (camelCase, MacBook) unless the lower-case letters are one
//     or two at the start of a word ("iPhone", the Irish "nGaeilge");
//   - command-line options: "-" or "--" followed by an ASCII letter or digit;
//   - hashtags: "#" followed by a letter, digit or "_".
// Everything else (spaces, punctuation, digits, markup, invalid bytes) is copied as it is:
// removing every inserted separator gives back the text byte for byte.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "text/hyphenation/export.hpp"
#include "text/hyphenation/hyphenator.hpp"

namespace text::hyphenation {

// How one call hyphenates running text. The defaults give every word the breaks hyphenate gives
// it, with "-" between the fragments.
struct TextOptions {
  std::string separator = "-";  // inserted at every break
  // Words with fewer characters (counted in Normalisation Form C) stay whole; 0: no limit.
  std::size_t minWordLength = 0;
  // The fewest characters before the first and after the last break, in place of the
  // hyphenator's minimums for this call; a value below 1 counts as 1.
  std::optional<std::int64_t> leftMin = std::nullopt;
  std::optional<std::int64_t> rightMin = std::nullopt;
  // URLs, e-mail addresses, paths, identifiers, options and hashtags are copied unchanged.
  bool skipNonProse = true;
};

// A copy of the UTF-8 `text` with options.separator at every break of every word, by the rules
// at the top of this header. Throws the Error of a hyphenator field that failed to build (and
// the Error hyphenate throws for a word, possible only with a hand-made hyphenator). Safe to call
// from any number of threads at once.
HYPHENKIT_API std::string hyphenateText(const Hyphenator& hyphenator, std::string_view text,
                                        const TextOptions& options = {});

// The same with the given separator and the other options at their defaults:
//   hyphenateText(english_US, "Hyphenation, e.g. 42 hyphenations.", "-")
//     gives "Hy-phen-ation, e.g. 42 hy-phen-ations."
HYPHENKIT_API std::string hyphenateText(const Hyphenator& hyphenator, std::string_view text,
                                        std::string_view separator);

// Where a TextStream sends its output: a reference to any function or callable object that takes
// a std::string_view, which must outlive the call it is passed to. The views it receives are
// valid only during that call.
class TextSink {
 public:
  // Implicit, so that a lambda converts; a TextSink itself is copied, not wrapped.
  template <class Function,
            class = std::enable_if_t<!std::is_same_v<std::remove_cvref_t<Function>, TextSink> &&
                                     std::is_invocable_v<Function&, std::string_view>>>
  TextSink(Function&& function)
      : context_(const_cast<void*>(static_cast<const void*>(std::addressof(function)))),
        call_(&invoke<std::remove_reference_t<Function>>) {}

  void operator()(std::string_view piece) const { call_(context_, piece); }

 private:
  template <class Function>
  static void invoke(void* context, std::string_view piece) {
    (*static_cast<Function*>(context))(piece);
  }

  void* context_;
  void (*call_)(void*, std::string_view);
};

// Running text of any length in constant memory: the text goes in piece by piece, cut anywhere
// (inside a word or a UTF-8 sequence too), and the output comes out piece by piece, as views of
// the input and of the separator, so that the memory held never grows with the text, the
// separator's length or the number of breaks. The output is that of hyphenateText on the whole
// text, with one exception: a stretch of more than windowSize bytes without white space is
// judged (prose or not) on its first windowSize bytes and, if prose, hyphenated in pieces cut at
// a character that belongs to no word where there is one, else anywhere between two characters.
//
//   TextStream stream(english_US, {.separator = "\u00AD"});
//   std::string out;
//   auto append = [&](std::string_view piece) { out += piece; };
//   stream.write("Hyphen", append);
//   stream.write("ation is done.", append);  // may write "Hyph\u00ADen\u00ADation is "
//   stream.finish(append);                    // writes the rest: "done."
//
// Each piece of input is looked at once: the end of the text that may still change is found by
// scanning the new piece back to its last white space, never by scanning what is held again.
// A stream is used by one thread at a time; streams on one hyphenator may run in parallel.
class HYPHENKIT_API TextStream {
 public:
  // The most text held back, in bytes.
  static constexpr std::size_t windowSize = std::size_t{1} << 20;

  // Throws the Error of a hyphenator field that failed to build.
  explicit TextStream(const Hyphenator& hyphenator, const TextOptions& options = {});
  ~TextStream();
  TextStream(TextStream&&) noexcept;
  TextStream& operator=(TextStream&&) noexcept;

  // Takes the next piece of the text and passes to `sink` all output that no later input can
  // change. Throws what hyphenateText throws, and whatever `sink` throws; after an exception the
  // stream may only be destroyed or assigned.
  void write(std::string_view piece, TextSink sink);
  // Ends the text: passes the rest of the output to `sink`. The stream is then ready for a new
  // text. Throws as write does.
  void finish(TextSink sink);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace text::hyphenation
