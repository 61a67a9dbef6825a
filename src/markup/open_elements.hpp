#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "markup/element.hpp"
#include "markup/tokenizer.hpp"

namespace text::hyphenation::detail {

// Which hyphenator the text of an element takes: a Language value (0 to 72), the caller's own
// hyphenator for text outside any lang, or none.
using LanguageSlot = std::int16_t;
inline constexpr LanguageSlot kInheritedLanguage = -2;  // the element has no lang of its own
inline constexpr LanguageSlot kNoLanguage = -1;         // a language without patterns, or ""
inline constexpr LanguageSlot kOutsideLanguage = 73;    // the caller's language

// What applies to the character data at the current point of a document.
struct TextScope {
  LanguageSlot language;
  bool hyphenate;
};

// The stack of open elements of a browser's tree builder, cut down to what decides the language
// of text and whether it is hyphenated: where an element ends, including the end tags HTML lets
// authors omit (p, li, dd, dt, option, table parts, ruby parts), blocks that end an open p, end
// tags that end the elements open inside theirs, void elements, and svg and math content with
// the tags that leave it. In XML an element ends at its end tag, and "/>" ends any element.
//
// Its memory is fixed: past kDeepest open elements, start tags are only counted, and text is
// left alone until as many end tags have come.
class OpenElements {
 public:
  static constexpr std::size_t kDeepest = 512;

  // What a start tag asks of the tokenizer: its element's content is raw text of this kind.
  struct Content {
    Tokenizer::Content kind;
    std::string_view name;
  };

  OpenElements(bool xml, LanguageSlot outside);

  // `language` is what the tag's own lang or xml:lang selects, or kInheritedLanguage.
  Content startTag(const Tag& tag, LanguageSlot language);
  void endTag(const Tag& tag);

  // Before character data: formatting elements that a block ended without their end tag (a
  // <b> open when </p> came) are opened again, as a browser does; the scope may change.
  void text();

  TextScope scope() const;
  // Whether CDATA sections are allowed: in svg and math content, and everywhere in XML.
  bool allowsCdata() const;

  std::size_t depth() const { return entries_.size() - 1; }

 private:
  enum class Space : std::uint8_t { Html, Svg, MathMl };
  // What an element keeps of its start tag: enough to open it again.
  struct Start {
    Element element;
    Space space;
    bool noHyphenateClass;
    bool htmlEncoding;
    LanguageSlot ownLanguage;
    std::uint64_t nameHash;
  };
  struct Entry {
    Start start;
    Element element;  // start.element, start.space: read everywhere
    Space space;
    bool ownNoHyphenation;
    bool hyphenate;         // as inherited and its own
    bool integrationPoint;  // HTML content may go in it
    LanguageSlot language;  // as inherited or its own
    std::uint16_t parent;   // the entry it inherits from: the one below, or, for an element
                            // a table moves out of itself, the one below the table
    std::uint32_t id;       // tells the entries apart for the list of formatting elements
    std::uint64_t nameHash;
  };
  // An entry of the list of active formatting elements: a formatting element, or a marker that
  // a cell, caption, applet, object, marquee or template puts down so that the formatting
  // elements before it stay outside it.
  struct Formatting {
    bool marker;
    std::uint32_t id;  // of the element, or of the one that put the marker down
    Start start;
  };
  static constexpr std::size_t kMostFormatting = 64;

  void push(const Tag& tag, Element element, Space space, LanguageSlot language);
  std::uint32_t push(const Start& start);
  bool isOpen(std::uint32_t id) const { return positionOf(id) != kNoFosterParent; }
  std::size_t positionOf(std::uint32_t id) const;
  bool isListed(std::uint32_t id) const;
  void dropClosedMarkers();
  void addFormatting(const Start& start, std::uint32_t id);
  void reconstructFormatting();
  void removeEntry(std::size_t position);
  void pop() { entries_.pop_back(); }
  void popUntil(Element element);
  void popUntilAny(std::initializer_list<Element> elements);
  void popWhileTopIsNot(std::initializer_list<Element> elements);
  void generateImpliedEndTags(Element except);
  void closeParagraph();
  void refresh(std::size_t from);
  void startHtmlTag(const Tag& tag, Element element, LanguageSlot language, Content& content);
  void endHtmlTag(const Tag& tag, Element element);
  void endFormattingTag(const Tag& tag, Element element);
  void endOtherTag(const Tag& tag);

  const Entry& top() const { return entries_.back(); }
  bool topIs(Element element) const {
    return top().space == Space::Html && top().element == element;
  }
  bool isSpecial(const Entry& entry) const;
  bool isScopeBoundary(const Entry& entry) const;
  bool isIntegrationPoint(const Entry& entry) const { return entry.integrationPoint; }
  // Where content that a table does not take goes instead: the entry below the nearest table,
  // when the top is a table, tbody, thead, tfoot or tr; kNoFosterParent otherwise.
  static constexpr std::size_t kNoFosterParent = static_cast<std::size_t>(-1);
  std::size_t fosterParent() const;
  // Whether an HTML element of this kind is open with no boundary of the given scope between it
  // and the top.
  bool inScope(Element element, std::initializer_list<Element> boundaries = {}) const;
  bool inTableScope(Element element) const;

  bool xml_;
  std::vector<Entry> entries_;  // entries_[0] stands for the document, outside every element
  std::size_t beyondDeepest_ = 0;
  std::vector<Formatting> formatting_;
  std::uint32_t nextId_ = 1;
};

}  // namespace text::hyphenation::detail
