#pragma once

// Hyphenating HTML and XHTML: only character data is hyphenated, in the language its element's
// lang or xml:lang gives it, and apart from the separators inserted the output is the input
// byte for byte.
//
//   namespace hy = text::hyphenation;
//   hy::hyphenateHtml(hy::english_US, "<p>Hyphenation <code>hyphenation</code></p>")
//     gives "<p>Hy&#173;phen&#173;ation <code>hyphenation</code></p>"
//
// What is hyphenated: the text between tags, by the rules of hyphenateText (text.hpp), each
// stretch of text between two tags on its own, so that a word never spans a tag. "&eacute;" and
// the other character references count as the characters they stand for ("caf&eacute;" is the
// word "café"), and "&shy;", "&#173;" and "&#xAD;" as soft hyphens already in a word.
//
// What is never touched: tags with their names and attributes, comments, the doctype,
// processing instructions, CDATA sections, character references; the content of script,
// style, pre, listing, code, kbd, samp, var, textarea, title, xmp, iframe, noembed, noframes,
// noscript and plaintext, of svg and math, and of every element whose class list holds
// nohyphenate.
//
// Languages: the lang attribute (or xml:lang, which wins when an element has both) of an
// element gives its text and its descendants' the hyphenator that languageFromTag finds for it;
// text in a language without patterns there, or under lang="", is left alone, and text outside
// every lang takes the hyphenator the caller gives. Elements end where a browser ends them: at
// their end tag, at the end tag of an element they are open in, or where HTML lets the end tag
// be left out (a p ends at the next block, an li at the next li, a td at the next cell, ...).
//
// HTML or XHTML: by default a document is XHTML when it begins with an XML declaration
// ("<?xml ", after a byte order mark, if any), and HTML otherwise; MarkupOptions::syntax
// decides instead. In XHTML, elements end only at their end tag or "/>", CDATA sections are
// allowed everywhere, and script and style hold markup like any other element, so well-formed
// XHTML stays well-formed.
//
// Memory is bounded whatever the input: a tag, a comment or a raw-text element of any length
// passes through without being held whole, a long stretch of text is hyphenated in pieces that
// end where its breaks are settled (MarkupStream), and past 512 open elements text is left
// alone until the document closes back to that depth. Any bytes at all are safe input: bytes
// that are not valid UTF-8 pass through unchanged and are no letters.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "text/hyphenation/export.hpp"
#include "text/hyphenation/hyphenator.hpp"
#include "text/hyphenation/language.hpp"
#include "text/hyphenation/text.hpp"

namespace text::hyphenation {

enum class MarkupSyntax {
  Detect,  // XHTML when the input begins with an XML declaration, HTML otherwise
  Html,
  Xhtml,
};

// The default rules for character data in markup: those of running text, but with the soft
// hyphen written as a character reference for separator, which is valid in HTML and XML
// whatever the document's encoding.
inline TextOptions markupTextOptions() {
  TextOptions options;
  options.separator = "&#173;";
  return options;
}

struct MarkupOptions {
  TextOptions text = markupTextOptions();
  MarkupSyntax syntax = MarkupSyntax::Detect;
};

namespace detail {
class MarkupState;
}

// A copy of the HTML or XHTML `markup` with the separator inserted at every break of every word
// of its character data; `outside` hyphenates text outside every lang attribute (std::nullopt:
// that text is left alone). Throws the Error that hyphenate throws for a word. Safe to call from
// any number of threads at once.
HYPHENKIT_API std::string hyphenateHtml(const Hyphenator& outside, std::string_view markup,
                                        const MarkupOptions& options = {});
HYPHENKIT_API std::string hyphenateHtml(std::optional<Language> outside, std::string_view markup,
                                        const MarkupOptions& options = {});

// The same for input that comes in pieces: write() each piece in order, then finish(). The
// output goes to `sink` (any callable that takes a std::string_view, see TextSink) in pieces,
// views that are valid only during the call, and joined they are what hyphenateHtml gives for
// the whole input, however it was cut (but for a stretch of more than 64 KiB of text without
// white space, which is hyphenated in pieces). Memory stays bounded by
// a fixed window, whatever the input's size, the separator's length or the number of breaks.
//   hy::MarkupStream stream(hy::german_1996);
//   stream.write("<p>Silben", write);  stream.write("trennung</p>", write);  stream.finish(write);
// A stream is used by one thread at a time; separate streams are independent. Throws what
// hyphenateHtml throws; after an exception the stream is not to be used again.
class HYPHENKIT_API MarkupStream {
 public:
  explicit MarkupStream(const Hyphenator& outside, MarkupOptions options = {});
  explicit MarkupStream(std::optional<Language> outside, MarkupOptions options = {});
  MarkupStream(MarkupStream&&) noexcept;
  MarkupStream& operator=(MarkupStream&&) noexcept;
  ~MarkupStream();

  void write(std::string_view piece, TextSink sink);
  // Writes out what is held back; the stream then starts a new document.
  void finish(TextSink sink);

 private:
  std::unique_ptr<detail::MarkupState> state_;
};

}  // namespace text::hyphenation
