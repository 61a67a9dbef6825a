#include "markup/element.hpp"

#include <algorithm>
#include <array>

namespace text::hyphenation::detail {
namespace {

struct ElementInfo {
  std::string_view name;
  std::uint16_t flags;
};

// Entry k describes Element value k + 1, so the names must stay in the enumeration's order.
constexpr std::array kElements = std::to_array<ElementInfo>({
    {"a", kFormatting},
    {"address", kSpecial | kClosesParagraph},
    {"annotation-xml", 0},
    {"applet", kSpecial | kScopeBoundary},
    {"area", kVoid | kSpecial},
    {"article", kSpecial | kClosesParagraph},
    {"aside", kSpecial | kClosesParagraph},
    {"b", kFormatting | kBreakout},
    {"base", kVoid | kSpecial | kHeadContent},
    {"basefont", kVoid | kSpecial | kHeadContent},
    {"bgsound", kVoid | kSpecial | kHeadContent},
    {"big", kFormatting | kBreakout},
    {"blockquote", kSpecial | kClosesParagraph | kBreakout},
    {"body", kSpecial | kBreakout},
    {"br", kVoid | kSpecial | kBreakout},
    {"button", kSpecial},
    {"caption", kSpecial | kScopeBoundary},
    {"center", kSpecial | kClosesParagraph | kBreakout},
    {"code", kFormatting | kNoHyphenation | kBreakout},
    {"col", kVoid | kSpecial},
    {"colgroup", kSpecial},
    {"dd", kSpecial | kImpliedEnd | kBreakout},
    {"desc", 0},
    {"details", kSpecial | kClosesParagraph},
    {"dialog", kClosesParagraph},
    {"dir", kSpecial | kClosesParagraph},
    {"div", kSpecial | kClosesParagraph | kBreakout},
    {"dl", kSpecial | kClosesParagraph | kBreakout},
    {"dt", kSpecial | kImpliedEnd | kBreakout},
    {"em", kFormatting | kBreakout},
    {"embed", kVoid | kSpecial | kBreakout},
    {"fieldset", kSpecial | kClosesParagraph},
    {"figcaption", kSpecial | kClosesParagraph},
    {"figure", kSpecial | kClosesParagraph},
    {"font", kFormatting},
    {"footer", kSpecial | kClosesParagraph},
    {"foreignobject", 0},
    {"form", kSpecial | kClosesParagraph},
    {"frame", kVoid | kSpecial},
    {"frameset", kSpecial},
    {"h1", kSpecial | kClosesParagraph | kBreakout},
    {"h2", kSpecial | kClosesParagraph | kBreakout},
    {"h3", kSpecial | kClosesParagraph | kBreakout},
    {"h4", kSpecial | kClosesParagraph | kBreakout},
    {"h5", kSpecial | kClosesParagraph | kBreakout},
    {"h6", kSpecial | kClosesParagraph | kBreakout},
    {"head", kSpecial | kBreakout},
    {"header", kSpecial | kClosesParagraph},
    {"hgroup", kSpecial | kClosesParagraph},
    {"hr", kVoid | kSpecial | kClosesParagraph | kBreakout},
    {"html", kSpecial | kScopeBoundary},
    {"i", kFormatting | kBreakout},
    {"iframe", kSpecial | kNoHyphenation},
    {"image", kVoid},
    {"img", kVoid | kSpecial | kBreakout},
    {"input", kVoid | kSpecial},
    {"kbd", kNoHyphenation},
    {"keygen", kVoid | kSpecial},
    {"li", kSpecial | kImpliedEnd | kBreakout},
    {"link", kVoid | kSpecial | kHeadContent},
    {"listing", kSpecial | kClosesParagraph | kNoHyphenation | kBreakout},
    {"main", kSpecial | kClosesParagraph},
    {"malignmark", 0},
    {"marquee", kSpecial | kScopeBoundary},
    {"math", 0},
    {"menu", kSpecial | kClosesParagraph | kBreakout},
    {"meta", kVoid | kSpecial | kBreakout | kHeadContent},
    {"mglyph", 0},
    {"mi", 0},
    {"mn", 0},
    {"mo", 0},
    {"ms", 0},
    {"mtext", 0},
    {"nav", kSpecial | kClosesParagraph},
    {"nobr", kFormatting | kBreakout},
    {"noembed", kSpecial | kNoHyphenation},
    {"noframes", kSpecial | kNoHyphenation | kHeadContent},
    {"noscript", kSpecial | kNoHyphenation | kHeadContent},
    {"object", kSpecial | kScopeBoundary},
    {"ol", kSpecial | kClosesParagraph | kBreakout},
    {"optgroup", kImpliedEnd},
    {"option", kImpliedEnd},
    {"p", kSpecial | kClosesParagraph | kImpliedEnd | kBreakout},
    {"param", kVoid | kSpecial},
    {"plaintext", kSpecial | kClosesParagraph | kNoHyphenation},
    {"pre", kSpecial | kClosesParagraph | kNoHyphenation | kBreakout},
    {"rb", kImpliedEnd},
    {"rp", kImpliedEnd},
    {"rt", kImpliedEnd},
    {"rtc", kImpliedEnd},
    {"ruby", kBreakout},
    {"s", kFormatting | kBreakout},
    {"samp", kNoHyphenation},
    {"script", kSpecial | kNoHyphenation | kHeadContent},
    {"search", kSpecial | kClosesParagraph},
    {"section", kSpecial | kClosesParagraph},
    {"select", kSpecial},
    {"small", kFormatting | kBreakout},
    {"source", kVoid | kSpecial},
    {"span", kBreakout},
    {"strike", kFormatting | kBreakout},
    {"strong", kFormatting | kBreakout},
    {"style", kSpecial | kNoHyphenation | kHeadContent},
    {"sub", kBreakout},
    {"summary", kSpecial | kClosesParagraph},
    {"sup", kBreakout},
    {"svg", 0},
    {"table", kSpecial | kClosesParagraph | kBreakout | kScopeBoundary},
    {"tbody", kSpecial},
    {"td", kSpecial | kScopeBoundary},
    {"template", kSpecial | kHeadContent | kScopeBoundary},
    {"textarea", kSpecial | kNoHyphenation},
    {"tfoot", kSpecial},
    {"th", kSpecial | kScopeBoundary},
    {"thead", kSpecial},
    {"title", kSpecial | kNoHyphenation | kHeadContent},
    {"tr", kSpecial},
    {"track", kVoid | kSpecial},
    {"tt", kFormatting | kBreakout},
    {"u", kFormatting | kBreakout},
    {"ul", kSpecial | kClosesParagraph | kBreakout},
    {"var", kNoHyphenation | kBreakout},
    {"wbr", kVoid | kSpecial},
    {"xmp", kSpecial | kClosesParagraph | kNoHyphenation},
});

static_assert(std::is_sorted(kElements.begin(), kElements.end(),
                             [](const ElementInfo& a, const ElementInfo& b) {
                               return a.name < b.name;
                             }));
static_assert(kElements.size() == static_cast<std::size_t>(Element::Xmp));

}  // namespace

Element elementNamed(std::string_view name) {
  const auto found = std::lower_bound(
      kElements.begin(), kElements.end(), name,
      [](const ElementInfo& info, std::string_view key) { return info.name < key; });
  if (found == kElements.end() || found->name != name) return Element::Other;
  return static_cast<Element>(found - kElements.begin() + 1);
}

std::string_view elementName(Element element) {
  if (element == Element::Other) return {};
  return kElements[static_cast<std::size_t>(element) - 1].name;
}

std::uint16_t elementFlags(Element element) {
  if (element == Element::Other) return 0;
  return kElements[static_cast<std::size_t>(element) - 1].flags;
}

}  // namespace text::hyphenation::detail
