#include "markup/open_elements.hpp"

#include <algorithm>

namespace text::hyphenation::detail {
namespace {

using E = Element;

bool oneOf(Element element, std::initializer_list<Element> elements) {
  return std::find(elements.begin(), elements.end(), element) != elements.end();
}

bool isHeading(Element element) {
  return oneOf(element, {E::H1, E::H2, E::H3, E::H4, E::H5, E::H6});
}

// An XML name's local part: "svg" of "svg:svg".
std::string_view localName(std::string_view name) {
  const std::size_t colon = name.rfind(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

}  // namespace

OpenElements::OpenElements(bool xml, LanguageSlot outside) : xml_(xml) {
  entries_.reserve(32);  // grows with the document, up to kDeepest + 1
  entries_.push_back({E::Other, Space::Html, false, true, false, outside, outside, 0, 0});
}

TextScope OpenElements::scope() const {
  if (beyondDeepest_ > 0) return {kNoLanguage, false};
  // Text in a table outside its cells goes before the table. (White space stays, but has no
  // words to break.)
  const std::size_t foster = fosterParent();
  const Entry& entry = entries_[foster != kNoFosterParent ? foster : entries_.size() - 1];
  return {entry.language, entry.hyphenate};
}

std::size_t OpenElements::fosterParent() const {
  if (xml_ || top().space != Space::Html ||
      !oneOf(top().element, {E::Table, E::Tbody, E::Thead, E::Tfoot, E::Tr})) {
    return kNoFosterParent;
  }
  for (std::size_t k = entries_.size() - 1; k > 0; --k) {
    if (entries_[k].space == Space::Html && entries_[k].element == E::Table) return k - 1;
  }
  return kNoFosterParent;
}

bool OpenElements::allowsCdata() const {
  return xml_ || top().space != Space::Html;
}

bool OpenElements::isSpecial(const Entry& entry) const {
  if (entry.space == Space::Html) return hasFlag(entry.element, kSpecial);
  return isIntegrationPoint(entry);
}

bool OpenElements::isScopeBoundary(const Entry& entry) const {
  if (entry.space == Space::Html) return hasFlag(entry.element, kScopeBoundary);
  return isIntegrationPoint(entry) || entry.element == E::AnnotationXml;
}

bool OpenElements::inScope(Element element, std::initializer_list<Element> boundaries) const {
  for (std::size_t k = entries_.size() - 1; k > 0; --k) {
    const Entry& entry = entries_[k];
    if (entry.space == Space::Html && entry.element == element) return true;
    if (isScopeBoundary(entry)) return false;
    if (entry.space == Space::Html && oneOf(entry.element, boundaries)) return false;
  }
  return false;
}

bool OpenElements::inTableScope(Element element) const {
  for (std::size_t k = entries_.size() - 1; k > 0; --k) {
    const Entry& entry = entries_[k];
    if (entry.space != Space::Html) continue;
    if (entry.element == element) return true;
    if (oneOf(entry.element, {E::Html, E::Table, E::Template})) return false;
  }
  return false;
}

void OpenElements::push(const Tag& tag, Element element, Space space, LanguageSlot language) {
  if (entries_.size() > kDeepest) {
    ++beyondDeepest_;
    return;
  }
  const bool noHyphenation = tag.noHyphenateClass || space != Space::Html ||
                             (element != E::Other && hasFlag(element, kNoHyphenation));
  bool integrationPoint = false;
  if (space == Space::Svg) integrationPoint = oneOf(element, {E::Foreignobject, E::Desc, E::Title});
  if (space == Space::MathMl) {
    integrationPoint = oneOf(element, {E::Mi, E::Mo, E::Mn, E::Ms, E::Mtext}) ||
                       (element == E::AnnotationXml && tag.htmlEncoding);
  }
  // An element that a table does not take goes before the table.
  const bool tablePart =
      space == Space::Html &&
      oneOf(element, {E::Caption, E::Colgroup, E::Col, E::Tbody, E::Thead, E::Tfoot, E::Tr, E::Td,
                      E::Th, E::Table, E::Template, E::Form});
  const std::size_t foster = tablePart ? kNoFosterParent : fosterParent();
  const std::size_t parent = foster != kNoFosterParent ? foster : entries_.size() - 1;
  entries_.push_back({element, space, noHyphenation, false, integrationPoint, language, kNoLanguage,
                      static_cast<std::uint16_t>(parent), tag.nameHash});
  refresh(entries_.size() - 1);
}

// Recomputes what entries from `from` up inherit, after the elements below them changed.
void OpenElements::refresh(std::size_t from) {
  for (std::size_t k = std::max<std::size_t>(from, 1); k < entries_.size(); ++k) {
    Entry& entry = entries_[k];
    const Entry& parent = entries_[entry.parent];
    entry.language = entry.ownLanguage == kInheritedLanguage ? parent.language : entry.ownLanguage;
    entry.hyphenate = parent.hyphenate && !entry.ownNoHyphenation;
  }
}

void OpenElements::popUntil(Element element) {
  popUntilAny({element});
}

void OpenElements::popUntilAny(std::initializer_list<Element> elements) {
  while (entries_.size() > 1) {
    const bool found = top().space == Space::Html && oneOf(top().element, elements);
    pop();
    if (found) return;
  }
}

void OpenElements::popWhileTopIsNot(std::initializer_list<Element> elements) {
  while (entries_.size() > 1 && !(top().space == Space::Html && oneOf(top().element, elements))) {
    pop();
  }
}

void OpenElements::generateImpliedEndTags(Element except) {
  while (entries_.size() > 1 && top().space == Space::Html && top().element != except &&
         hasFlag(top().element, kImpliedEnd)) {
    pop();
  }
}

void OpenElements::closeParagraph() {
  if (inScope(E::P, {E::Button})) popUntil(E::P);
}

OpenElements::Content OpenElements::startTag(const Tag& tag, LanguageSlot language) {
  Content content{Tokenizer::Content::Markup, {}};
  if (beyondDeepest_ > 0) {
    // Counted only; a void element or "/>" adds nothing to count.
    const Element element = tag.name.truncated() ? E::Other : elementNamed(tag.name.view());
    if (!hasFlag(element, kVoid) && !(tag.selfClosing && (xml_ || top().space != Space::Html))) {
      ++beyondDeepest_;
    }
    return content;
  }
  if (xml_) {
    const std::string_view local = localName(tag.name.view());
    Space space = top().space;
    if (local == "svg") space = Space::Svg;
    if (local == "math") space = Space::MathMl;
    const Element element = tag.name.truncated() ? E::Other : elementNamed(tag.name.view());
    if (!tag.selfClosing) push(tag, element, space, language);
    return content;
  }
  const Element element = tag.name.truncated() ? E::Other : elementNamed(tag.name.view());
  if (top().space != Space::Html && !isIntegrationPoint(top())) {
    if (!hasFlag(element, kBreakout)) {
      if (!tag.selfClosing) push(tag, element, top().space, language);
      return content;
    }
    // An HTML element in svg or math ends them, as far as the nearest HTML content.
    while (entries_.size() > 1 && top().space != Space::Html && !isIntegrationPoint(top()))
      pop();
  }
  startHtmlTag(tag, element, language, content);
  return content;
}

void OpenElements::startHtmlTag(const Tag& tag, Element element, LanguageSlot language,
                                Content& content) {
  // Anything that belongs in body, not head, ends an open head.
  if (topIs(E::Head) && !hasFlag(element, kHeadContent) && element != E::Head) pop();
  switch (element) {
    case E::Html:
      if (entries_.size() == 1) push(tag, element, Space::Html, language);
      return;
    case E::Head:
    case E::Body:
      if (inScope(element) || inScope(E::Body)) return;  // a second one adds nothing here
      push(tag, element, Space::Html, language);
      return;
    case E::Svg:
    case E::Math:
      if (!tag.selfClosing) {
        push(tag, element, element == E::Svg ? Space::Svg : Space::MathMl, language);
      }
      return;
    case E::Li:
    case E::Dd:
    case E::Dt: {
      // The nearest open item of the same list ends, unless a block other than address, div
      // and p stands between.
      const bool definition = element != E::Li;
      for (std::size_t k = entries_.size() - 1; k > 0; --k) {
        const Entry& entry = entries_[k];
        const bool item =
            entry.space == Space::Html &&
            (definition ? oneOf(entry.element, {E::Dd, E::Dt}) : entry.element == E::Li);
        if (item) {
          const Element found = entry.element;
          generateImpliedEndTags(found);
          popUntil(found);
          break;
        }
        if (isSpecial(entry) &&
            !(entry.space == Space::Html && oneOf(entry.element, {E::Address, E::Div, E::P}))) {
          break;
        }
      }
      closeParagraph();
      push(tag, element, Space::Html, language);
      return;
    }
    case E::Option:
      if (topIs(E::Option)) pop();
      push(tag, element, Space::Html, language);
      return;
    case E::Optgroup:
      if (topIs(E::Option)) pop();
      if (topIs(E::Optgroup)) pop();
      push(tag, element, Space::Html, language);
      return;
    case E::Rb:
    case E::Rtc:
    case E::Rp:
    case E::Rt:
      if (inScope(E::Ruby)) {
        generateImpliedEndTags(oneOf(element, {E::Rp, E::Rt}) ? E::Rtc : E::Other);
      }
      push(tag, element, Space::Html, language);
      return;
    case E::Caption:
    case E::Colgroup:
    case E::Col:
    case E::Tbody:
    case E::Thead:
    case E::Tfoot:
    case E::Tr:
    case E::Td:
    case E::Th: {
      // Table parts outside a table are ignored; inside one, each ends the parts it cannot be
      // in.
      if (!inTableScope(E::Table)) return;
      if (oneOf(element, {E::Td, E::Th})) {
        popWhileTopIsNot({E::Tr, E::Tbody, E::Thead, E::Tfoot, E::Table, E::Template, E::Html});
      } else if (element == E::Tr) {
        popWhileTopIsNot({E::Tbody, E::Thead, E::Tfoot, E::Table, E::Template, E::Html});
      } else {
        popWhileTopIsNot({E::Table, E::Template, E::Html});
      }
      if (element != E::Col) push(tag, element, Space::Html, language);
      return;
    }
    case E::A:
    case E::Nobr:
      // An a in an a (or nobr in nobr) first ends the open one.
      if (inScope(element)) endFormattingTag(element);
      push(tag, element, Space::Html, language);
      return;
    case E::Table:
      // A table that starts directly in a table ends it; elsewhere it may end a p.
      if (top().space == Space::Html &&
          oneOf(top().element, {E::Table, E::Tbody, E::Thead, E::Tfoot, E::Tr})) {
        popUntil(E::Table);
      } else {
        closeParagraph();
      }
      push(tag, element, Space::Html, language);
      return;
    default:
      break;
  }
  if (hasFlag(element, kClosesParagraph)) closeParagraph();
  if (isHeading(element) && top().space == Space::Html && isHeading(top().element)) pop();
  switch (element) {
    case E::Script:
      content = {Tokenizer::Content::ScriptData, elementName(element)};
      return;
    case E::Style:
    case E::Xmp:
    case E::Iframe:
    case E::Noembed:
    case E::Noframes:
    case E::Noscript:
      content = {Tokenizer::Content::RawText, elementName(element)};
      return;
    case E::Title:
    case E::Textarea:
      content = {Tokenizer::Content::EscapableRawText, elementName(element)};
      return;
    case E::Plaintext:
      content = {Tokenizer::Content::PlainText, elementName(element)};
      return;
    default:
      break;
  }
  if (!hasFlag(element, kVoid)) push(tag, element, Space::Html, language);
}

void OpenElements::endTag(const Tag& tag) {
  if (beyondDeepest_ > 0) {
    --beyondDeepest_;
    return;
  }
  if (xml_) {
    for (std::size_t k = entries_.size() - 1; k > 0; --k) {
      if (entries_[k].nameHash == tag.nameHash) {
        entries_.resize(k);
        return;
      }
    }
    return;
  }
  // In svg and math an end tag ends the nearest element of its name, as far as HTML content;
  // from there on HTML's rules apply.
  std::size_t k = entries_.size() - 1;
  while (k > 0 && entries_[k].space != Space::Html) {
    if (entries_[k].nameHash == tag.nameHash) {
      entries_.resize(k);
      return;
    }
    --k;
  }
  const Element element = tag.name.truncated() ? E::Other : elementNamed(tag.name.view());
  endHtmlTag(tag, element);
}

void OpenElements::endHtmlTag(const Tag& tag, Element element) {
  switch (element) {
    case E::Html:
    case E::Body:
      return;  // text after them still belongs to body
    case E::Head:
      if (topIs(E::Head)) pop();
      return;
    case E::P:
      if (inScope(E::P, {E::Button})) {
        generateImpliedEndTags(E::P);
        popUntil(E::P);
      }
      return;
    case E::Li:
      if (inScope(E::Li, {E::Ol, E::Ul})) popUntil(E::Li);
      return;
    case E::H1:
    case E::H2:
    case E::H3:
    case E::H4:
    case E::H5:
    case E::H6:
      if (inScope(E::H1) || inScope(E::H2) || inScope(E::H3) || inScope(E::H4) || inScope(E::H5) ||
          inScope(E::H6)) {
        popUntilAny({E::H1, E::H2, E::H3, E::H4, E::H5, E::H6});
      }
      return;
    case E::Td:
    case E::Th:
    case E::Tr:
    case E::Tbody:
    case E::Thead:
    case E::Tfoot:
    case E::Caption:
    case E::Colgroup:
    case E::Table:
      if (inTableScope(element)) popUntil(element);
      return;
    default:
      break;
  }
  if (hasFlag(element, kFormatting)) {
    endFormattingTag(element);
  } else if (element != E::Other && (hasFlag(element, kSpecial) || hasFlag(element, kImpliedEnd))) {
    if (inScope(element)) popUntil(element);
  } else {
    endOtherTag(tag);
  }
}

// A browser repairs misnested formatting elements. Where block elements were opened inside
// one, they go on outside it; otherwise it ends with the elements opened inside it.
void OpenElements::endFormattingTag(Element element) {
  bool blockInside = false;
  for (std::size_t k = entries_.size() - 1; k > 0; --k) {
    const Entry& entry = entries_[k];
    if (entry.space == Space::Html && entry.element == element) {
      if (!blockInside) {
        entries_.resize(k);
      } else {
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(k));
        for (std::size_t above = k; above < entries_.size(); ++above) {
          std::uint16_t& parent = entries_[above].parent;
          if (parent >= k) parent = static_cast<std::uint16_t>(parent == k ? k - 1 : parent - 1);
        }
        refresh(k);
      }
      return;
    }
    if (isScopeBoundary(entry)) return;
    if (isSpecial(entry)) blockInside = true;
  }
}

void OpenElements::endOtherTag(const Tag& tag) {
  for (std::size_t k = entries_.size() - 1; k > 0; --k) {
    const Entry& entry = entries_[k];
    if (entry.space == Space::Html && entry.nameHash == tag.nameHash) {
      entries_.resize(k);
      return;
    }
    if (isSpecial(entry)) return;
  }
}

}  // namespace text::hyphenation::detail
