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
  const Start document{E::Other, Space::Html, false, false, outside, 0};
  entries_.push_back({document, E::Other, Space::Html, false, true, false, outside, 0, 0, 0});
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
  const std::uint32_t id =
      push(Start{element, space, tag.noHyphenateClass, tag.htmlEncoding, language, tag.nameHash});
  if (id == 0 || space != Space::Html) return;
  if (hasFlag(element, kFormatting)) addFormatting(entries_.back().start, id);
  if (oneOf(element, {E::Td, E::Th, E::Caption, E::Applet, E::Object, E::Marquee, E::Template})) {
    formatting_.push_back({true, id, entries_.back().start});
  }
}

// Opens an element; returns its id, or 0 past the depth limit.
std::uint32_t OpenElements::push(const Start& start) {
  if (entries_.size() > kDeepest) {
    ++beyondDeepest_;
    return 0;
  }
  const Element element = start.element;
  const Space space = start.space;
  const bool noHyphenation = start.noHyphenateClass || space != Space::Html ||
                             (element != E::Other && hasFlag(element, kNoHyphenation));
  bool integrationPoint = false;
  if (space == Space::Svg) integrationPoint = oneOf(element, {E::Foreignobject, E::Desc, E::Title});
  if (space == Space::MathMl) {
    integrationPoint = oneOf(element, {E::Mi, E::Mo, E::Mn, E::Ms, E::Mtext}) ||
                       (element == E::AnnotationXml && start.htmlEncoding);
  }
  // An element that a table does not take goes before the table.
  const bool tablePart =
      space == Space::Html &&
      oneOf(element, {E::Caption, E::Colgroup, E::Col, E::Tbody, E::Thead, E::Tfoot, E::Tr, E::Td,
                      E::Th, E::Table, E::Template, E::Form});
  const std::size_t foster = tablePart ? kNoFosterParent : fosterParent();
  const std::size_t parent = foster != kNoFosterParent ? foster : entries_.size() - 1;
  const std::uint32_t id = nextId_++;
  if (nextId_ == 0) nextId_ = 1;  // 0 stays "none"
  entries_.push_back({start, element, space, noHyphenation, false, integrationPoint, kNoLanguage,
                      static_cast<std::uint16_t>(parent), id, start.nameHash});
  refresh(entries_.size() - 1);
  return id;
}

std::size_t OpenElements::positionOf(std::uint32_t id) const {
  for (std::size_t k = entries_.size() - 1; k > 0; --k) {
    if (entries_[k].id == id) return k;
  }
  return kNoFosterParent;
}

bool OpenElements::isListed(std::uint32_t id) const {
  return std::any_of(formatting_.begin(), formatting_.end(),
                     [id](const Formatting& entry) { return !entry.marker && entry.id == id; });
}

// A marker goes, with everything after it, when the element that put it down has ended.
void OpenElements::dropClosedMarkers() {
  for (std::size_t k = formatting_.size(); k > 0; --k) {
    if (formatting_[k - 1].marker && !isOpen(formatting_[k - 1].id)) formatting_.resize(k - 1);
  }
}

void OpenElements::addFormatting(const Start& start, std::uint32_t id) {
  dropClosedMarkers();
  // Of elements alike since the last marker, the list keeps the last three.
  std::size_t alike = 0;
  std::size_t earliest = formatting_.size();
  for (std::size_t k = formatting_.size(); k > 0 && !formatting_[k - 1].marker; --k) {
    const Start& other = formatting_[k - 1].start;
    if (other.nameHash == start.nameHash && other.ownLanguage == start.ownLanguage &&
        other.noHyphenateClass == start.noHyphenateClass) {
      ++alike;
      earliest = k - 1;
    }
  }
  if (alike >= 3) formatting_.erase(formatting_.begin() + static_cast<std::ptrdiff_t>(earliest));
  if (formatting_.size() >= kMostFormatting) formatting_.erase(formatting_.begin());
  formatting_.push_back({false, id, start});
}

// Opens again, in order, the formatting elements of the list since the last marker that are no
// longer open.
void OpenElements::reconstructFormatting() {
  if (formatting_.empty() || beyondDeepest_ > 0) return;
  dropClosedMarkers();
  if (formatting_.empty() || formatting_.back().marker || isOpen(formatting_.back().id)) return;
  std::size_t first = formatting_.size() - 1;
  while (first > 0 && !formatting_[first - 1].marker && !isOpen(formatting_[first - 1].id))
    --first;
  for (std::size_t k = first; k < formatting_.size(); ++k) {
    formatting_[k].id = push(formatting_[k].start);
  }
}

void OpenElements::text() {
  if (xml_ || top().space != Space::Html) return;
  reconstructFormatting();
}

void OpenElements::removeEntry(std::size_t position) {
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(position));
  for (std::size_t above = position; above < entries_.size(); ++above) {
    std::uint16_t& parent = entries_[above].parent;
    if (parent >= position) {
      parent = static_cast<std::uint16_t>(parent == position ? position - 1 : parent - 1);
    }
  }
  refresh(position);
}

// Recomputes what entries from `from` up inherit, after the elements below them changed.
void OpenElements::refresh(std::size_t from) {
  for (std::size_t k = std::max<std::size_t>(from, 1); k < entries_.size(); ++k) {
    Entry& entry = entries_[k];
    const Entry& parent = entries_[entry.parent];
    const LanguageSlot own = entry.start.ownLanguage;
    entry.language = own == kInheritedLanguage ? parent.language : own;
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
  // Inline content opens the formatting elements a block ended again; blocks, list items, table
  // parts and what belongs in head do not.
  const bool block =
      (hasFlag(element, kClosesParagraph) && element != E::Xmp) || hasFlag(element, kHeadContent) ||
      oneOf(element,
            {E::Html,     E::Body,   E::Frameset, E::Head,     E::Li,      E::Dd,     E::Dt,
             E::Textarea, E::Iframe, E::Noembed,  E::Noscript, E::Caption, E::Col,    E::Colgroup,
             E::Frame,    E::Tbody,  E::Td,       E::Tfoot,    E::Th,      E::Thead,  E::Tr,
             E::Rb,       E::Rtc,    E::Rp,       E::Rt,       E::Param,   E::Source, E::Track});
  // A button in a button ends it first.
  if (element == E::Button && inScope(E::Button)) {
    generateImpliedEndTags(E::Other);
    popUntil(E::Button);
  }
  if (!block && element != E::Option && element != E::Optgroup) reconstructFormatting();
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
      reconstructFormatting();
      push(tag, element, Space::Html, language);
      return;
    case E::Optgroup:
      if (topIs(E::Option)) pop();
      if (topIs(E::Optgroup)) pop();
      reconstructFormatting();
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
    case E::Nobr: {
      // An a in an a (or nobr in nobr) first ends the open one.
      dropClosedMarkers();
      for (std::size_t k = formatting_.size(); k > 0 && !formatting_[k - 1].marker; --k) {
        if (formatting_[k - 1].start.element != element) continue;
        const std::uint32_t open = formatting_[k - 1].id;
        endFormattingTag(tag, element);
        std::erase_if(formatting_, [open](const Formatting& entry) { return entry.id == open; });
        if (const std::size_t at = positionOf(open); at != kNoFosterParent) removeEntry(at);
        reconstructFormatting();
        break;
      }
      push(tag, element, Space::Html, language);
      return;
    }
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
    endFormattingTag(tag, element);
  } else if (element != E::Other && (hasFlag(element, kSpecial) || hasFlag(element, kImpliedEnd))) {
    if (inScope(element)) popUntil(element);
  } else {
    endOtherTag(tag);
  }
}

// A browser repairs misnested formatting elements. An element whose content has no block
// simply ends; one that has blocks inside ends without them: they, and the formatting elements
// in between, go on outside it, while other elements in between end.
void OpenElements::endFormattingTag(const Tag& tag, Element element) {
  dropClosedMarkers();
  if (topIs(element) && !isListed(top().id)) {
    pop();
    return;
  }
  std::size_t listed = formatting_.size();
  for (std::size_t k = formatting_.size(); k > 0 && !formatting_[k - 1].marker; --k) {
    if (formatting_[k - 1].start.element == element) {
      listed = k - 1;
      break;
    }
  }
  if (listed == formatting_.size()) {
    endOtherTag(tag);
    return;
  }
  const std::size_t at = positionOf(formatting_[listed].id);
  if (at == kNoFosterParent) {
    formatting_.erase(formatting_.begin() + static_cast<std::ptrdiff_t>(listed));
    return;
  }
  bool blockInside = false;
  for (std::size_t k = entries_.size() - 1; k > at; --k) {
    if (isScopeBoundary(entries_[k])) return;  // out of scope: ignored
    blockInside = blockInside || isSpecial(entries_[k]);
  }
  formatting_.erase(formatting_.begin() + static_cast<std::ptrdiff_t>(listed));
  if (!blockInside) {
    entries_.resize(at);
    return;
  }
  std::size_t kept = at;
  for (std::size_t k = at + 1; k < entries_.size(); ++k) {
    const Entry& entry = entries_[k];
    const bool stays =
        isSpecial(entry) ||
        (entry.space == Space::Html && hasFlag(entry.element, kFormatting) && isListed(entry.id));
    if (!stays) continue;
    entries_[kept] = entry;
    entries_[kept].parent = static_cast<std::uint16_t>(kept - 1);
    ++kept;
  }
  entries_.resize(kept);
  refresh(at);
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
