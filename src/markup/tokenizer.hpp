#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace text::hyphenation::detail {

// Text of which only the first N bytes are kept; whatever follows is counted as lost, so that a
// tag of any length takes fixed memory.
template <std::size_t N>
class BoundedText {
 public:
  void clear() {
    length_ = 0;
    truncated_ = false;
  }
  void push(char c) {
    if (length_ < N) {
      bytes_[length_++] = c;
    } else {
      truncated_ = true;
    }
  }
  std::string_view view() const { return {bytes_.data(), length_}; }
  bool truncated() const { return truncated_; }

 private:
  std::array<char, N> bytes_{};
  std::size_t length_ = 0;
  bool truncated_ = false;
};

// What the markup layer needs of a tag. Names are ASCII lower-cased in HTML and kept as written
// in XML.
struct Tag {
  static constexpr std::size_t kLongestValue = 64;

  bool end = false;
  bool selfClosing = false;
  BoundedText<32> name;    // its first bytes; a longer name names no element of the table
  std::uint64_t nameHash;  // of the whole name, to match the end tag of any element
  // The first lang and xml:lang attributes; a longer value keeps its first kLongestValue bytes.
  bool hasLang = false;
  bool hasXmlLang = false;
  BoundedText<kLongestValue> lang;
  BoundedText<kLongestValue> xmlLang;
  // The first class attribute lists nohyphenate.
  bool noHyphenateClass = false;
  // The first encoding attribute is "text/html" or "application/xhtml+xml" (in any case), which
  // makes a MathML annotation-xml hold HTML.
  bool htmlEncoding = false;
};

// The states of the HTML tokenizer, as the HTML standard defines them, for everything that is
// not character data: tags and their attributes (a quoted value may hold ">"), comments with
// their odd endings ("<!-->", "--!>"), bogus comments (which is what "<?...>" is in HTML), the
// doctype, CDATA sections, and the contents of raw-text elements (script with its escaped
// forms, style, textarea, ...), up to their appropriate end tag. In XML, "<?...?>" is a
// processing instruction, a comment ends only at "-->", the doctype may hold an internal
// subset, and CDATA sections are allowed everywhere.
//
// It works on bytes and resumes anywhere: input comes in chunks of any size, and next() splits
// them into tokens that are character data or markup, holding back nothing but a "<" or "</"
// at a chunk's end until the next byte tells which it begins. What element a start tag opens,
// and so whether its content is raw text, is for the caller to tell (setContent), as the tree
// builder tells a browser's tokenizer.
class Tokenizer {
 public:
  enum class Kind : std::uint8_t {
    Text,      // character data, to be decoded by the caller
    Markup,    // copied through as it is
    StartTag,  // markup that ends a start tag; tag() tells about it
    EndTag,    // markup that ends an end tag
    Held,      // bytes held back: the next token's prefix
  };
  // The bytes of a token are `prefix` (held back from an earlier chunk) and then the chunk's
  // bytes from the `from` given to next() up to `end`.
  struct Token {
    Kind kind;
    std::size_t end;
    std::string_view prefix;
  };
  enum class Content : std::uint8_t { Markup, RawText, EscapableRawText, ScriptData, PlainText };

  explicit Tokenizer(bool xml) : xml_(xml) {}

  // The token that starts at chunk[from]; `from` < chunk.size(). A token may end at the end of a
  // chunk and go on in the next, except Held, which is always all of the rest of the chunk.
  Token next(std::string_view chunk, std::size_t from);
  // At the end of the input: the bytes held back, which then are character data ("<" or "</").
  std::string_view finish();

  // The tag of the last StartTag or EndTag token.
  const Tag& tag() const { return tag_; }

  // Called after a StartTag token: its element's content up to its end tag (for `name`, a
  // static string) is of this kind. Content::Markup is the default.
  void setContent(Content content, std::string_view name);
  // Whether "<![CDATA[" opens a CDATA section here (in svg, math and XML) or a bogus comment.
  void allowCdata(bool allowed) { cdataAllowed_ = allowed; }

  bool xml() const { return xml_; }

 private:
  enum class State : std::uint8_t;
  enum class Resolution : std::uint8_t { Text, Markup, Closed, Held };
  enum class Step : std::uint8_t { Continue, Closed, Tag };

  Resolution resolveOpen(std::string_view chunk, std::size_t& at);
  Step step(std::string_view chunk, std::size_t& at);
  Step tagStep(char c, std::size_t& at);
  Step rawStep(char c, std::size_t& at);
  Step scriptStep(char c, std::size_t& at);
  void beginTag(bool end);
  void pushNameByte(char c);
  void beginAttribute();
  void endAttributeName();
  void pushValueByte(char c);
  void endValue();
  bool appropriateEndTag() const;

  bool xml_;
  bool cdataAllowed_ = false;
  State state_{};
  std::uint8_t held_ = 0;  // 1: "<" held back, 2: "</"
  Tag tag_;

  // The attribute being read: which of the interesting ones it is, and its name so far.
  enum class Attribute : std::uint8_t { Other, Lang, XmlLang, Class, Encoding };
  Attribute attribute_ = Attribute::Other;
  BoundedText<16> attributeName_;
  bool sawClass_ = false;
  bool sawEncoding_ = false;
  BoundedText<24> encoding_;
  int classMatched_ = 0;  // bytes of "nohyphenate" matched in the current class name; -1: none

  std::string_view declaration_;  // "--", "doctype" or "[CDATA[" after "<!"
  std::size_t declarationMatched_ = 0;

  // Raw content: the element whose end tag ends it, and the state to go back to.
  std::string_view rawName_;
  State rawState_{};
  std::size_t scriptMatched_ = 0;  // bytes of "script" in a possible nested script tag
  bool scriptMismatch_ = false;
};

}  // namespace text::hyphenation::detail
