#pragma once

#include <cstdint>
#include <string_view>

namespace text::hyphenation::detail {

// The elements whose names the markup layer acts on, in ascending order of their lower-case
// names (element.cpp holds the names and checks the order); every other name is Other.
enum class Element : std::uint8_t {
  Other,
  A,
  Address,
  AnnotationXml,
  Applet,
  Area,
  Article,
  Aside,
  B,
  Base,
  Basefont,
  Bgsound,
  Big,
  Blockquote,
  Body,
  Br,
  Button,
  Caption,
  Center,
  Code,
  Col,
  Colgroup,
  Dd,
  Desc,
  Details,
  Dialog,
  Dir,
  Div,
  Dl,
  Dt,
  Em,
  Embed,
  Fieldset,
  Figcaption,
  Figure,
  Font,
  Footer,
  Foreignobject,
  Form,
  Frame,
  Frameset,
  H1,
  H2,
  H3,
  H4,
  H5,
  H6,
  Head,
  Header,
  Hgroup,
  Hr,
  Html,
  I,
  Iframe,
  Image,
  Img,
  Input,
  Kbd,
  Keygen,
  Li,
  Link,
  Listing,
  Main,
  Malignmark,
  Marquee,
  Math,
  Menu,
  Meta,
  Mglyph,
  Mi,
  Mn,
  Mo,
  Ms,
  Mtext,
  Nav,
  Nobr,
  Noembed,
  Noframes,
  Noscript,
  Object,
  Ol,
  Optgroup,
  Option,
  P,
  Param,
  Plaintext,
  Pre,
  Rb,
  Rp,
  Rt,
  Rtc,
  Ruby,
  S,
  Samp,
  Script,
  Search,
  Section,
  Select,
  Small,
  Source,
  Span,
  Strike,
  Strong,
  Style,
  Sub,
  Summary,
  Sup,
  Svg,
  Table,
  Tbody,
  Td,
  Template,
  Textarea,
  Tfoot,
  Th,
  Thead,
  Title,
  Tr,
  Track,
  Tt,
  U,
  Ul,
  Var,
  Wbr,
  Xmp,
};

// What a start or end tag of an HTML element does to the elements around it and to its text.
enum ElementFlag : std::uint16_t {
  kVoid = 1 << 0,             // has no end tag and no content
  kSpecial = 1 << 1,          // stops the search of an unmatched end tag
  kClosesParagraph = 1 << 2,  // its start tag ends an open p
  kFormatting = 1 << 3,       // a misnested end tag of it is repaired, not ignored
  kNoHyphenation = 1 << 4,    // its text is code, preformatted or not shown
  kImpliedEnd = 1 << 5,       // ended without its end tag by the tags that end its parent
  kBreakout = 1 << 6,         // its start tag leaves svg or math content
  kHeadContent = 1 << 7,      // may stand in head without ending it
  kScopeBoundary = 1 << 8,    // an end tag outside it does not reach elements inside it
};

// The element of an ASCII lower-case tag name, Other for a name the table does not hold.
Element elementNamed(std::string_view name);

std::string_view elementName(Element element);
std::uint16_t elementFlags(Element element);

inline bool hasFlag(Element element, ElementFlag flag) {
  return (elementFlags(element) & flag) != 0;
}

}  // namespace text::hyphenation::detail
