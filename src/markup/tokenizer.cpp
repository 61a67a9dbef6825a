#include "markup/tokenizer.hpp"

#include <cstring>

namespace text::hyphenation::detail {

enum class Tokenizer::State : std::uint8_t {
  Data,
  TagOpen,
  EndTagOpen,
  TagName,
  BeforeAttributeName,
  AttributeName,
  AfterAttributeName,
  BeforeAttributeValue,
  AttributeValueDoubleQuoted,
  AttributeValueSingleQuoted,
  AttributeValueUnquoted,
  AfterAttributeValueQuoted,
  SelfClosingStartTag,
  MarkupDeclarationOpen,
  BogusComment,
  CommentStart,
  CommentStartDash,
  Comment,
  CommentEndDash,
  CommentEnd,
  CommentEndBang,
  Doctype,
  CdataSection,
  CdataSectionBracket,
  CdataSectionEnd,
  // Raw text and escapable raw text (RAWTEXT, RCDATA) and their end tags.
  RawText,
  RawLessThanSign,
  RawEndTagOpen,
  RawEndTagName,
  PlainText,
  ScriptData,
  ScriptDataLessThanSign,
  ScriptDataEndTagOpen,
  ScriptDataEndTagName,
  ScriptDataEscapeStart,
  ScriptDataEscapeStartDash,
  ScriptDataEscaped,
  ScriptDataEscapedDash,
  ScriptDataEscapedDashDash,
  ScriptDataEscapedLessThanSign,
  ScriptDataEscapedEndTagOpen,
  ScriptDataEscapedEndTagName,
  ScriptDataDoubleEscapeStart,
  ScriptDataDoubleEscaped,
  ScriptDataDoubleEscapedDash,
  ScriptDataDoubleEscapedDashDash,
  ScriptDataDoubleEscapedLessThanSign,
  ScriptDataDoubleEscapeEnd,
  // XML only.
  ProcessingInstruction,
  ProcessingInstructionQuestionMark,
  XmlComment,
  XmlCommentDash,
  XmlCommentDashDash,
  XmlDoctype,
  XmlDoctypeDoubleQuoted,
  XmlDoctypeSingleQuoted,
  XmlDoctypeSubset,
  XmlDoctypeSubsetDoubleQuoted,
  XmlDoctypeSubsetSingleQuoted,
};

namespace {

constexpr std::string_view kNoHyphenate = "nohyphenate";
constexpr std::string_view kScript = "script";

bool isAlpha(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// HTML's white space, with CR, which the input stream turns into LF before tokenizing.
bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Where a name may start after "<": an ASCII letter in HTML; in XML also "_", ":" and any
// character beyond ASCII.
bool startsName(char c, bool xml) {
  return isAlpha(c) || (xml && (c == '_' || c == ':' || static_cast<unsigned char>(c) >= 0x80));
}

}  // namespace

void Tokenizer::setContent(Content content, std::string_view name) {
  rawName_ = name;
  switch (content) {
    case Content::Markup:
      state_ = State::Data;
      break;
    case Content::RawText:
    case Content::EscapableRawText:
      state_ = State::RawText;
      break;
    case Content::ScriptData:
      state_ = State::ScriptData;
      break;
    case Content::PlainText:
      state_ = State::PlainText;
      break;
  }
  rawState_ = state_;
}

std::string_view Tokenizer::finish() {
  const std::string_view held = std::string_view("</").substr(0, held_);
  held_ = 0;
  state_ = State::Data;
  return held;
}

Tokenizer::Token Tokenizer::next(std::string_view chunk, std::size_t from) {
  const std::size_t size = chunk.size();
  std::size_t at = from;
  std::string_view prefix;
  bool text = state_ == State::Data;
  if (held_ != 0) {
    prefix = std::string_view("</").substr(0, held_);
    held_ = 0;
    switch (resolveOpen(chunk, at)) {
      case Resolution::Held:
        return {Kind::Held, at, {}};
      case Resolution::Closed:
        return {Kind::Markup, at, prefix};
      case Resolution::Text:
        text = true;
        break;
      case Resolution::Markup:
        text = false;
        break;
    }
  }
  while (text) {
    const void* found = std::memchr(chunk.data() + at, '<', size - at);
    if (found == nullptr) return {Kind::Text, size, prefix};
    const std::size_t open =
        static_cast<std::size_t>(static_cast<const char*>(found) - chunk.data());
    if (open > from || !prefix.empty()) return {Kind::Text, open, prefix};
    // The token starts with "<": the bytes after it tell whether it is markup or text.
    at = open + 1;
    state_ = State::TagOpen;
    switch (resolveOpen(chunk, at)) {
      case Resolution::Held:
        return {Kind::Held, at, {}};
      case Resolution::Closed:
        return {Kind::Markup, at, {}};
      case Resolution::Text:
        break;
      case Resolution::Markup:
        text = false;
        break;
    }
  }
  while (at < size) {
    switch (step(chunk, at)) {
      case Step::Continue:
        break;
      case Step::Closed:
        return {Kind::Markup, at, prefix};
      case Step::Tag:
        return {tag_.end ? Kind::EndTag : Kind::StartTag, at, prefix};
    }
  }
  return {Kind::Markup, size, prefix};
}

// In TagOpen or EndTagOpen, at `at`: what the "<" or "</" before it begins. Consumes what it
// decides on; Held when the chunk ends before that, with the bytes kept in held_.
Tokenizer::Resolution Tokenizer::resolveOpen(std::string_view chunk, std::size_t& at) {
  if (state_ == State::TagOpen) {
    if (at == chunk.size()) {
      held_ = 1;
      return Resolution::Held;
    }
    const char c = chunk[at];
    if (c == '!') {
      ++at;
      state_ = State::MarkupDeclarationOpen;
      declaration_ = {};
      declarationMatched_ = 0;
      return Resolution::Markup;
    }
    if (c == '?') {
      ++at;
      state_ = xml_ ? State::ProcessingInstruction : State::BogusComment;
      return Resolution::Markup;
    }
    if (startsName(c, xml_)) {
      beginTag(false);
      state_ = State::TagName;
      return Resolution::Markup;
    }
    if (c != '/') {
      state_ = State::Data;
      return Resolution::Text;
    }
    ++at;
    state_ = State::EndTagOpen;
  }
  if (at == chunk.size()) {
    held_ = 2;
    return Resolution::Held;
  }
  const char c = chunk[at];
  if (startsName(c, xml_)) {
    beginTag(true);
    state_ = State::TagName;
    return Resolution::Markup;
  }
  if (c == '>') {  // "</>" is dropped
    ++at;
    state_ = State::Data;
    return Resolution::Closed;
  }
  state_ = State::BogusComment;
  return Resolution::Markup;
}

void Tokenizer::beginTag(bool end) {
  tag_.end = end;
  tag_.selfClosing = false;
  tag_.name.clear();
  tag_.nameHash = 14695981039346656037u;
  tag_.hasLang = false;
  tag_.hasXmlLang = false;
  tag_.lang.clear();
  tag_.xmlLang.clear();
  tag_.noHyphenateClass = false;
  tag_.htmlEncoding = false;
  sawClass_ = false;
  sawEncoding_ = false;
  attribute_ = Attribute::Other;
}

void Tokenizer::pushNameByte(char c) {
  if (!xml_) c = lower(c);
  tag_.name.push(c);
  tag_.nameHash = (tag_.nameHash ^ static_cast<unsigned char>(c)) * 1099511628211u;
}

void Tokenizer::beginAttribute() {
  attributeName_.clear();
  attribute_ = Attribute::Other;
}

void Tokenizer::endAttributeName() {
  const std::string_view name = attributeName_.truncated() ? "" : attributeName_.view();
  attribute_ = Attribute::Other;
  if (tag_.end) return;
  // Of repeated attributes the first counts, as in a browser.
  if (name == "lang" && !tag_.hasLang) {
    tag_.hasLang = true;
    attribute_ = Attribute::Lang;
  } else if (name == "xml:lang" && !tag_.hasXmlLang) {
    tag_.hasXmlLang = true;
    attribute_ = Attribute::XmlLang;
  } else if (name == "encoding" && !sawEncoding_) {
    sawEncoding_ = true;
    attribute_ = Attribute::Encoding;
    encoding_.clear();
  } else if (name == "class" && !sawClass_) {
    sawClass_ = true;
    attribute_ = Attribute::Class;
    classMatched_ = 0;
  }
}

void Tokenizer::pushValueByte(char c) {
  switch (attribute_) {
    case Attribute::Other:
      return;
    case Attribute::Lang:
      tag_.lang.push(c);
      return;
    case Attribute::XmlLang:
      tag_.xmlLang.push(c);
      return;
    case Attribute::Encoding:
      encoding_.push(lower(c));
      return;
    case Attribute::Class:
      if (isSpace(c)) {
        if (classMatched_ == static_cast<int>(kNoHyphenate.size())) tag_.noHyphenateClass = true;
        classMatched_ = 0;
      } else if (classMatched_ >= 0 && classMatched_ < static_cast<int>(kNoHyphenate.size()) &&
                 c == kNoHyphenate[static_cast<std::size_t>(classMatched_)]) {
        ++classMatched_;
      } else {
        classMatched_ = -1;
      }
      return;
  }
}

void Tokenizer::endValue() {
  if (attribute_ == Attribute::Class && classMatched_ == static_cast<int>(kNoHyphenate.size())) {
    tag_.noHyphenateClass = true;
  }
  if (attribute_ == Attribute::Encoding && !encoding_.truncated()) {
    tag_.htmlEncoding =
        encoding_.view() == "text/html" || encoding_.view() == "application/xhtml+xml";
  }
  attribute_ = Attribute::Other;
}

bool Tokenizer::appropriateEndTag() const {
  return !tag_.name.truncated() && tag_.name.view() == rawName_;
}

// One byte (or, where nothing can happen for a while, a run of bytes) in a state other than
// Data. Consumes what the state consumes; a state that reconsumes leaves `at` where it is.
Tokenizer::Step Tokenizer::step(std::string_view chunk, std::size_t& at) {
  const char c = chunk[at];
  // Skips to the next byte that can matter in states where only `wanted` can.
  const auto skipTo = [&](char wanted) {
    const void* found = std::memchr(chunk.data() + at, wanted, chunk.size() - at);
    at = found == nullptr
             ? chunk.size()
             : static_cast<std::size_t>(static_cast<const char*>(found) - chunk.data());
  };
  switch (state_) {
    case State::Data:
    case State::TagOpen:
    case State::EndTagOpen:
      break;  // next() handles these
    case State::TagName:
    case State::BeforeAttributeName:
    case State::AttributeName:
    case State::AfterAttributeName:
    case State::BeforeAttributeValue:
    case State::AttributeValueDoubleQuoted:
    case State::AttributeValueSingleQuoted:
    case State::AttributeValueUnquoted:
    case State::AfterAttributeValueQuoted:
    case State::SelfClosingStartTag:
      return tagStep(c, at);

    case State::MarkupDeclarationOpen: {
      if (declarationMatched_ == 0) {
        if (c == '-') {
          declaration_ = "--";
        } else if (c == 'D' || (!xml_ && c == 'd')) {
          declaration_ = "doctype";
        } else if (c == '[') {
          declaration_ = "[CDATA[";
        } else {
          state_ = State::BogusComment;
          return Step::Continue;
        }
      }
      const char expected = declaration_[declarationMatched_];
      const bool matches = declaration_ == "doctype"
                               ? (xml_ ? c == expected - 'a' + 'A' : lower(c) == expected)
                               : c == expected;
      if (!matches) {
        state_ = State::BogusComment;
        return Step::Continue;
      }
      ++at;
      if (++declarationMatched_ < declaration_.size()) return Step::Continue;
      if (declaration_ == "--") {
        state_ = xml_ ? State::XmlComment : State::CommentStart;
      } else if (declaration_ == "doctype") {
        state_ = xml_ ? State::XmlDoctype : State::Doctype;
      } else {
        state_ = cdataAllowed_ || xml_ ? State::CdataSection : State::BogusComment;
      }
      return Step::Continue;
    }

    case State::BogusComment:
    case State::Doctype:
      skipTo('>');
      if (at == chunk.size()) return Step::Continue;
      ++at;
      state_ = State::Data;
      return Step::Closed;

    case State::CommentStart:
    case State::CommentStartDash:
      if (c == '>') {  // "<!-->" and "<!--->" are whole comments
        ++at;
        state_ = State::Data;
        return Step::Closed;
      }
      if (c == '-') {
        ++at;
        state_ = state_ == State::CommentStart ? State::CommentStartDash : State::CommentEnd;
        return Step::Continue;
      }
      state_ = State::Comment;
      return Step::Continue;
    case State::Comment:
      skipTo('-');
      if (at == chunk.size()) return Step::Continue;
      ++at;
      state_ = State::CommentEndDash;
      return Step::Continue;
    case State::CommentEndDash:
      if (c == '-') {
        ++at;
        state_ = State::CommentEnd;
      } else {
        state_ = State::Comment;
      }
      return Step::Continue;
    case State::CommentEnd:
    case State::CommentEndBang:
      if (c == '>') {  // "-->" and "--!>"
        ++at;
        state_ = State::Data;
        return Step::Closed;
      }
      if (c == '!' && state_ == State::CommentEnd) {
        ++at;
        state_ = State::CommentEndBang;
      } else if (c == '-') {
        ++at;
        state_ = state_ == State::CommentEnd ? State::CommentEnd : State::CommentEndDash;
      } else {
        state_ = State::Comment;
      }
      return Step::Continue;

    case State::CdataSection:
      skipTo(']');
      if (at == chunk.size()) return Step::Continue;
      ++at;
      state_ = State::CdataSectionBracket;
      return Step::Continue;
    case State::CdataSectionBracket:
      if (c == ']') {
        ++at;
        state_ = State::CdataSectionEnd;
      } else {
        state_ = State::CdataSection;
      }
      return Step::Continue;
    case State::CdataSectionEnd:
      if (c == '>') {
        ++at;
        state_ = State::Data;
        return Step::Closed;
      }
      if (c == ']') {
        ++at;
      } else {
        state_ = State::CdataSection;
      }
      return Step::Continue;

    case State::RawText:
      skipTo('<');
      if (at == chunk.size()) return Step::Continue;
      ++at;
      state_ = State::RawLessThanSign;
      return Step::Continue;
    case State::RawLessThanSign:
    case State::RawEndTagOpen:
    case State::RawEndTagName:
      return rawStep(c, at);
    case State::PlainText:
      at = chunk.size();
      return Step::Continue;

    case State::ScriptData:
      skipTo('<');
      if (at == chunk.size()) return Step::Continue;
      ++at;
      state_ = State::ScriptDataLessThanSign;
      return Step::Continue;
    case State::ScriptDataLessThanSign:
    case State::ScriptDataEndTagOpen:
    case State::ScriptDataEndTagName:
    case State::ScriptDataEscapeStart:
    case State::ScriptDataEscapeStartDash:
    case State::ScriptDataEscaped:
    case State::ScriptDataEscapedDash:
    case State::ScriptDataEscapedDashDash:
    case State::ScriptDataEscapedLessThanSign:
    case State::ScriptDataEscapedEndTagOpen:
    case State::ScriptDataEscapedEndTagName:
    case State::ScriptDataDoubleEscapeStart:
    case State::ScriptDataDoubleEscaped:
    case State::ScriptDataDoubleEscapedDash:
    case State::ScriptDataDoubleEscapedDashDash:
    case State::ScriptDataDoubleEscapedLessThanSign:
    case State::ScriptDataDoubleEscapeEnd:
      return scriptStep(c, at);

    case State::ProcessingInstruction:
      skipTo('?');
      if (at == chunk.size()) return Step::Continue;
      ++at;
      state_ = State::ProcessingInstructionQuestionMark;
      return Step::Continue;
    case State::ProcessingInstructionQuestionMark:
      if (c == '>') {
        ++at;
        state_ = State::Data;
        return Step::Closed;
      }
      if (c == '?') {
        ++at;
      } else {
        state_ = State::ProcessingInstruction;
      }
      return Step::Continue;
    case State::XmlComment:
      skipTo('-');
      if (at == chunk.size()) return Step::Continue;
      ++at;
      state_ = State::XmlCommentDash;
      return Step::Continue;
    case State::XmlCommentDash:
      if (c == '-') {
        ++at;
        state_ = State::XmlCommentDashDash;
      } else {
        state_ = State::XmlComment;
      }
      return Step::Continue;
    case State::XmlCommentDashDash:
      if (c == '>') {
        ++at;
        state_ = State::Data;
        return Step::Closed;
      }
      if (c == '-') {
        ++at;
      } else {
        state_ = State::XmlComment;
      }
      return Step::Continue;
    case State::XmlDoctype:
      ++at;
      if (c == '>') {
        state_ = State::Data;
        return Step::Closed;
      }
      if (c == '"') state_ = State::XmlDoctypeDoubleQuoted;
      if (c == '\'') state_ = State::XmlDoctypeSingleQuoted;
      if (c == '[') state_ = State::XmlDoctypeSubset;
      return Step::Continue;
    case State::XmlDoctypeDoubleQuoted:
    case State::XmlDoctypeSingleQuoted:
      ++at;
      if (c == (state_ == State::XmlDoctypeDoubleQuoted ? '"' : '\'')) state_ = State::XmlDoctype;
      return Step::Continue;
    case State::XmlDoctypeSubset:
      ++at;
      if (c == ']') state_ = State::XmlDoctype;
      if (c == '"') state_ = State::XmlDoctypeSubsetDoubleQuoted;
      if (c == '\'') state_ = State::XmlDoctypeSubsetSingleQuoted;
      return Step::Continue;
    case State::XmlDoctypeSubsetDoubleQuoted:
    case State::XmlDoctypeSubsetSingleQuoted:
      ++at;
      if (c == (state_ == State::XmlDoctypeSubsetDoubleQuoted ? '"' : '\'')) {
        state_ = State::XmlDoctypeSubset;
      }
      return Step::Continue;
  }
  ++at;
  return Step::Continue;
}

Tokenizer::Step Tokenizer::tagStep(char c, std::size_t& at) {
  const auto emit = [&] {
    ++at;
    state_ = State::Data;
    return Step::Tag;
  };
  switch (state_) {
    case State::TagName:
      if (isSpace(c)) {
        state_ = State::BeforeAttributeName;
      } else if (c == '/') {
        state_ = State::SelfClosingStartTag;
      } else if (c == '>') {
        return emit();
      } else {
        pushNameByte(c);
      }
      break;
    case State::BeforeAttributeName:
      if (isSpace(c)) break;
      if (c == '/' || c == '>') {
        state_ = State::AfterAttributeName;
        return Step::Continue;
      }
      beginAttribute();
      if (c == '=') {  // a name may start with "="
        attributeName_.push(c);
        break;
      }
      state_ = State::AttributeName;
      return Step::Continue;
    case State::AttributeName:
      if (isSpace(c) || c == '/' || c == '>') {
        endAttributeName();
        state_ = State::AfterAttributeName;
        return Step::Continue;
      }
      if (c == '=') {
        endAttributeName();
        state_ = State::BeforeAttributeValue;
        break;
      }
      attributeName_.push(xml_ ? c : lower(c));
      break;
    case State::AfterAttributeName:
      if (isSpace(c)) break;
      if (c == '/') {
        state_ = State::SelfClosingStartTag;
      } else if (c == '=') {
        state_ = State::BeforeAttributeValue;
      } else if (c == '>') {
        return emit();
      } else {
        beginAttribute();
        state_ = State::AttributeName;
        return Step::Continue;
      }
      break;
    case State::BeforeAttributeValue:
      if (isSpace(c)) break;
      if (c == '"') {
        state_ = State::AttributeValueDoubleQuoted;
      } else if (c == '\'') {
        state_ = State::AttributeValueSingleQuoted;
      } else if (c == '>') {
        endValue();
        return emit();
      } else {
        state_ = State::AttributeValueUnquoted;
        return Step::Continue;
      }
      break;
    case State::AttributeValueDoubleQuoted:
    case State::AttributeValueSingleQuoted:
      if (c == (state_ == State::AttributeValueDoubleQuoted ? '"' : '\'')) {
        endValue();
        state_ = State::AfterAttributeValueQuoted;
      } else {
        pushValueByte(c);
      }
      break;
    case State::AttributeValueUnquoted:
      if (isSpace(c)) {
        endValue();
        state_ = State::BeforeAttributeName;
      } else if (c == '>') {
        endValue();
        return emit();
      } else {
        pushValueByte(c);
      }
      break;
    case State::AfterAttributeValueQuoted:
      if (isSpace(c)) {
        state_ = State::BeforeAttributeName;
      } else if (c == '/') {
        state_ = State::SelfClosingStartTag;
      } else if (c == '>') {
        return emit();
      } else {
        state_ = State::BeforeAttributeName;
        return Step::Continue;
      }
      break;
    case State::SelfClosingStartTag:
      if (c == '>') {
        tag_.selfClosing = true;
        return emit();
      }
      state_ = State::BeforeAttributeName;
      return Step::Continue;
    default:
      break;
  }
  ++at;
  return Step::Continue;
}

// After "<" in raw text or escapable raw text: only the element's own end tag ends it.
Tokenizer::Step Tokenizer::rawStep(char c, std::size_t& at) {
  switch (state_) {
    case State::RawLessThanSign:
      if (c == '/') {
        ++at;
        state_ = State::RawEndTagOpen;
      } else {
        state_ = rawState_;
      }
      return Step::Continue;
    case State::RawEndTagOpen:
      if (isAlpha(c)) {
        beginTag(true);
        state_ = State::RawEndTagName;
      } else {
        state_ = rawState_;
      }
      return Step::Continue;
    case State::RawEndTagName:
      if ((isSpace(c) || c == '/' || c == '>') && appropriateEndTag()) {
        state_ = State::TagName;
        return tagStep(c, at);
      }
      if (!isAlpha(c)) {
        state_ = rawState_;
        return Step::Continue;
      }
      pushNameByte(c);
      ++at;
      return Step::Continue;
    default:
      ++at;
      return Step::Continue;
  }
}

// Script data: besides its end tag, "<!--" escapes it, and a "<script" inside the escape
// hides the next "</script>", as in a browser.
Tokenizer::Step Tokenizer::scriptStep(char c, std::size_t& at) {
  // The end tag "</script" is checked the same way in and out of the escape.
  const auto endTagName = [&](State otherwise) {
    if ((isSpace(c) || c == '/' || c == '>') && appropriateEndTag()) {
      state_ = State::TagName;
      return tagStep(c, at);
    }
    if (!isAlpha(c)) {
      state_ = otherwise;
      return Step::Continue;
    }
    pushNameByte(c);
    ++at;
    return Step::Continue;
  };
  // Reading a name that may be "script", for the double escape.
  const auto matchScript = [&] {
    const char l = lower(c);
    if (scriptMatched_ < kScript.size() && kScript[scriptMatched_] == l) {
      ++scriptMatched_;
    } else {
      scriptMismatch_ = true;
    }
    ++at;
  };
  const auto sawScript = [&] { return !scriptMismatch_ && scriptMatched_ == kScript.size(); };
  const auto consumeTo = [&](State next) {
    ++at;
    state_ = next;
    return Step::Continue;
  };
  const auto reconsumeIn = [&](State next) {
    state_ = next;
    return Step::Continue;
  };
  switch (state_) {
    case State::ScriptDataLessThanSign:
      if (c == '/') return consumeTo(State::ScriptDataEndTagOpen);
      if (c == '!') return consumeTo(State::ScriptDataEscapeStart);
      return reconsumeIn(State::ScriptData);
    case State::ScriptDataEndTagOpen:
      if (!isAlpha(c)) return reconsumeIn(State::ScriptData);
      beginTag(true);
      return reconsumeIn(State::ScriptDataEndTagName);
    case State::ScriptDataEndTagName:
      return endTagName(State::ScriptData);
    case State::ScriptDataEscapeStart:
      if (c == '-') return consumeTo(State::ScriptDataEscapeStartDash);
      return reconsumeIn(State::ScriptData);
    case State::ScriptDataEscapeStartDash:
      if (c == '-') return consumeTo(State::ScriptDataEscapedDashDash);
      return reconsumeIn(State::ScriptData);
    case State::ScriptDataEscaped:
      if (c == '-') return consumeTo(State::ScriptDataEscapedDash);
      if (c == '<') return consumeTo(State::ScriptDataEscapedLessThanSign);
      ++at;
      return Step::Continue;
    case State::ScriptDataEscapedDash:
      if (c == '-') return consumeTo(State::ScriptDataEscapedDashDash);
      if (c == '<') return consumeTo(State::ScriptDataEscapedLessThanSign);
      return consumeTo(State::ScriptDataEscaped);
    case State::ScriptDataEscapedDashDash:
      if (c == '-') return consumeTo(State::ScriptDataEscapedDashDash);
      if (c == '<') return consumeTo(State::ScriptDataEscapedLessThanSign);
      if (c == '>') return consumeTo(State::ScriptData);
      return consumeTo(State::ScriptDataEscaped);
    case State::ScriptDataEscapedLessThanSign:
      if (c == '/') return consumeTo(State::ScriptDataEscapedEndTagOpen);
      if (isAlpha(c)) {
        scriptMatched_ = 0;
        scriptMismatch_ = false;
        return reconsumeIn(State::ScriptDataDoubleEscapeStart);
      }
      return reconsumeIn(State::ScriptDataEscaped);
    case State::ScriptDataEscapedEndTagOpen:
      if (!isAlpha(c)) return reconsumeIn(State::ScriptDataEscaped);
      beginTag(true);
      return reconsumeIn(State::ScriptDataEscapedEndTagName);
    case State::ScriptDataEscapedEndTagName:
      return endTagName(State::ScriptDataEscaped);
    case State::ScriptDataDoubleEscapeStart:
      if (isSpace(c) || c == '/' || c == '>') {
        return consumeTo(sawScript() ? State::ScriptDataDoubleEscaped : State::ScriptDataEscaped);
      }
      if (isAlpha(c)) {
        matchScript();
        return Step::Continue;
      }
      return reconsumeIn(State::ScriptDataEscaped);
    case State::ScriptDataDoubleEscaped:
      if (c == '-') return consumeTo(State::ScriptDataDoubleEscapedDash);
      if (c == '<') return consumeTo(State::ScriptDataDoubleEscapedLessThanSign);
      ++at;
      return Step::Continue;
    case State::ScriptDataDoubleEscapedDash:
      if (c == '-') return consumeTo(State::ScriptDataDoubleEscapedDashDash);
      if (c == '<') return consumeTo(State::ScriptDataDoubleEscapedLessThanSign);
      return consumeTo(State::ScriptDataDoubleEscaped);
    case State::ScriptDataDoubleEscapedDashDash:
      if (c == '-') return consumeTo(State::ScriptDataDoubleEscapedDashDash);
      if (c == '<') return consumeTo(State::ScriptDataDoubleEscapedLessThanSign);
      if (c == '>') return consumeTo(State::ScriptData);
      return consumeTo(State::ScriptDataDoubleEscaped);
    case State::ScriptDataDoubleEscapedLessThanSign:
      if (c == '/') {
        scriptMatched_ = 0;
        scriptMismatch_ = false;
        return consumeTo(State::ScriptDataDoubleEscapeEnd);
      }
      return reconsumeIn(State::ScriptDataDoubleEscaped);
    case State::ScriptDataDoubleEscapeEnd:
      if (isSpace(c) || c == '/' || c == '>') {
        return consumeTo(sawScript() ? State::ScriptDataEscaped : State::ScriptDataDoubleEscaped);
      }
      if (isAlpha(c)) {
        matchScript();
        return Step::Continue;
      }
      return reconsumeIn(State::ScriptDataDoubleEscaped);
    default:
      ++at;
      return Step::Continue;
  }
}

}  // namespace text::hyphenation::detail
