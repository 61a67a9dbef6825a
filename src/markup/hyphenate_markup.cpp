// Hyphenating markup: the tokenizer splits the input into character data and markup, the stack
// of open elements tells which language the character data is in and whether it is hyphenated,
// and the running-text rules find its breaks. Markup is copied through at once; character data
// that is hyphenated is held until its stretch ends at a tag, or, for a long stretch, up to the
// point where its breaks are settled.

#include <algorithm>
#include <array>

#include "markup/character_data.hpp"
#include "markup/open_elements.hpp"
#include "markup/tokenizer.hpp"
#include "running_text/rules.hpp"
#include "text/hyphenation/markup.hpp"

namespace text::hyphenation {
namespace detail {

class MarkupState {
 public:
  MarkupState(std::optional<Hyphenator> outside, MarkupOptions options)
      : outside_(std::move(outside)), options_(std::move(options)) {
    reset();
  }

  void write(std::string_view piece, TextSink sink);
  void finish(TextSink sink);

 private:
  // Held text is hyphenated in pieces once it reaches this many bytes; past twice as many
  // without a settled break (one "word" of 64 KiB), all that is held is hyphenated as if it
  // ended there, as the text stream does.
  static constexpr std::size_t kWindow = std::size_t{64} * 1024;
  // Bytes enough to see an XML declaration after a byte order mark: EF BB BF "<?xml ".
  static constexpr std::size_t kDeclarationBytes = 9;

  void reset();
  void start(bool xml);
  void decide(TextSink sink);
  void feed(std::string_view chunk, TextSink sink);
  void text(std::string_view bytes, TextSink sink);
  void markup(const Tokenizer::Token& token, std::string_view bytes, TextSink sink);
  void settle(TextSink sink);
  void endText(TextSink sink);
  void emitHeld(std::size_t characterCount, TextSink sink);
  LanguageSlot languageOf(const Tag& tag);
  const TextRules* rulesFor(TextScope scope);

  std::optional<Hyphenator> outside_;
  MarkupOptions options_;
  std::array<std::unique_ptr<TextRules>, kOutsideLanguage + 1> rules_;

  std::string start_;  // the first bytes while the syntax is not yet decided
  std::optional<Tokenizer> tokenizer_;
  std::optional<OpenElements> elements_;
  const TextRules* textRules_ = nullptr;  // of the current text; null: copied unchanged

  // The held text: its bytes, the characters decoded from held_[0, decoded_) and where each
  // starts in held_.
  std::string held_;
  std::size_t decoded_ = 0;
  std::size_t nextSettle_ = kWindow;  // the size of held_ at which to try to settle again
  std::u32string characters_;
  std::vector<std::size_t> starts_;
  std::vector<std::size_t> offsets_;
};

void MarkupState::reset() {
  start_.clear();
  tokenizer_.reset();
  elements_.reset();
  held_.clear();
  decoded_ = 0;
  nextSettle_ = kWindow;
  characters_.clear();
  starts_.clear();
  if (options_.syntax != MarkupSyntax::Detect) start(options_.syntax == MarkupSyntax::Xhtml);
}

void MarkupState::start(bool xml) {
  tokenizer_.emplace(xml);
  elements_.emplace(xml, outside_ ? kOutsideLanguage : kNoLanguage);
  tokenizer_->allowCdata(elements_->allowsCdata());
  textRules_ = rulesFor(elements_->scope());
}

void MarkupState::write(std::string_view piece, TextSink sink) {
  if (!tokenizer_) {
    const std::size_t taken = std::min(piece.size(), kDeclarationBytes - start_.size());
    start_.append(piece.substr(0, taken));
    piece.remove_prefix(taken);
    if (start_.size() < kDeclarationBytes) return;
    decide(sink);
  }
  feed(piece, sink);
}

void MarkupState::finish(TextSink sink) {
  if (!tokenizer_) decide(sink);
  const std::string_view held = tokenizer_->finish();
  if (!held.empty()) text(held, sink);
  endText(sink);
  reset();
}

// Chooses the syntax from the first bytes, and feeds them.
void MarkupState::decide(TextSink sink) {
  std::string_view head = start_;
  if (head.starts_with("\xEF\xBB\xBF")) head.remove_prefix(3);
  const bool xml = head.size() > 5 && head.starts_with("<?xml") &&
                   (head[5] == ' ' || head[5] == '\t' || head[5] == '\r' || head[5] == '\n');
  start(xml);
  std::string first;
  first.swap(start_);
  feed(first, sink);
}

void MarkupState::feed(std::string_view chunk, TextSink sink) {
  std::size_t at = 0;
  while (at < chunk.size()) {
    const Tokenizer::Token token = tokenizer_->next(chunk, at);
    const std::string_view bytes = chunk.substr(at, token.end - at);
    at = token.end;
    switch (token.kind) {
      case Tokenizer::Kind::Held:
        break;
      case Tokenizer::Kind::Text:
        if (!token.prefix.empty()) text(token.prefix, sink);
        text(bytes, sink);
        break;
      case Tokenizer::Kind::Markup:
      case Tokenizer::Kind::StartTag:
      case Tokenizer::Kind::EndTag:
        markup(token, bytes, sink);
        break;
    }
  }
}

void MarkupState::text(std::string_view bytes, TextSink sink) {
  if (bytes.empty()) return;
  if (held_.empty()) {
    // The first character data after markup may open formatting elements again.
    elements_->text();
    textRules_ = rulesFor(elements_->scope());
  }
  if (textRules_ == nullptr) {
    sink(bytes);
    return;
  }
  held_.append(bytes);
  if (held_.size() >= nextSettle_) settle(sink);
}

void MarkupState::markup(const Tokenizer::Token& token, std::string_view bytes, TextSink sink) {
  endText(sink);
  if (!token.prefix.empty()) sink(token.prefix);
  if (!bytes.empty()) sink(bytes);
  if (token.kind == Tokenizer::Kind::Markup) return;
  const Tag& tag = tokenizer_->tag();
  if (token.kind == Tokenizer::Kind::StartTag) {
    const OpenElements::Content content = elements_->startTag(tag, languageOf(tag));
    if (content.kind != Tokenizer::Content::Markup) {
      tokenizer_->setContent(content.kind, content.name);
    }
  } else {
    elements_->endTag(tag);
  }
  tokenizer_->allowCdata(elements_->allowsCdata());
  textRules_ = rulesFor(elements_->scope());
}

// Hyphenates the held text up to where its breaks are settled, and lets it go.
void MarkupState::settle(TextSink sink) {
  decoded_ = decodeCharacterData(held_, decoded_, false, tokenizer_->xml(), characters_, starts_);
  const std::size_t settled = settledPrefix(*textRules_, characters_);
  if (settled > 0) {
    emitHeld(settled, sink);
  } else if (held_.size() >= 2 * kWindow) {
    emitHeld(characters_.size(), sink);
  }
  // Trying again after every small piece of one long word would look at the same characters
  // over and over.
  nextSettle_ = std::max(kWindow, held_.size() + kWindow / 8);
}

// The stretch of text ends: hyphenate all that is held.
void MarkupState::endText(TextSink sink) {
  if (held_.empty()) return;
  decodeCharacterData(held_, decoded_, true, tokenizer_->xml(), characters_, starts_);
  decoded_ = held_.size();
  emitHeld(characters_.size(), sink);
  nextSettle_ = kWindow;
}

// Writes out the first `characterCount` held characters with the separators that go between
// them, and drops them.
void MarkupState::emitHeld(std::size_t characterCount, TextSink sink) {
  const std::size_t end = characterCount < characters_.size() ? starts_[characterCount] : decoded_;
  std::string_view bytes(held_.data(), end);
  starts_.push_back(decoded_);
  offsets_.clear();
  findTextBreaks(*textRules_, std::u32string_view(characters_).substr(0, characterCount),
                 std::span<const std::size_t>(starts_).subspan(0, characterCount + 1), offsets_);
  starts_.pop_back();
  std::size_t from = 0;
  for (const std::size_t offset : offsets_) {
    if (offset <= from || offset >= end) continue;
    sink(bytes.substr(from, offset - from));
    sink(options_.text.separator);
    from = offset;
  }
  if (from < end) sink(bytes.substr(from));
  held_.erase(0, end);
  decoded_ -= end;
  characters_.erase(0, characterCount);
  starts_.erase(starts_.begin(), starts_.begin() + static_cast<std::ptrdiff_t>(characterCount));
  for (std::size_t& start : starts_)
    start -= end;
}

LanguageSlot MarkupState::languageOf(const Tag& tag) {
  const BoundedText<Tag::kLongestValue>* value = tag.hasXmlLang ? &tag.xmlLang
                                                 : tag.hasLang  ? &tag.lang
                                                                : nullptr;
  if (value == nullptr) return kInheritedLanguage;
  std::string_view code = value->view();
  // A value longer than what is kept is read up to its last whole subtag.
  if (value->truncated()) code = code.substr(0, code.rfind('-'));
  const auto space = [](char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
  };
  while (!code.empty() && space(code.front()))
    code.remove_prefix(1);
  while (!code.empty() && space(code.back()))
    code.remove_suffix(1);
  if (code.empty()) return kNoLanguage;
  const std::optional<Language> language = languageFromTag(code);
  return language ? static_cast<LanguageSlot>(fromEnum(*language)) : kNoLanguage;
}

const TextRules* MarkupState::rulesFor(TextScope scope) {
  if (!scope.hyphenate || scope.language == kNoLanguage) return nullptr;
  std::unique_ptr<TextRules>& rules = rules_[static_cast<std::size_t>(scope.language)];
  if (!rules) {
    const Hyphenator& hyphenator = scope.language == kOutsideLanguage
                                       ? *outside_
                                       : languageHyphenator(static_cast<Language>(scope.language));
    rules = std::make_unique<TextRules>(hyphenator, options_.text);
  }
  return rules.get();
}

}  // namespace detail

MarkupStream::MarkupStream(const Hyphenator& outside, MarkupOptions options)
    : state_(std::make_unique<detail::MarkupState>(outside, std::move(options))) {}

MarkupStream::MarkupStream(std::optional<Language> outside, MarkupOptions options)
    : state_(std::make_unique<detail::MarkupState>(
          outside ? std::optional<Hyphenator>(languageHyphenator(*outside)) : std::nullopt,
          std::move(options))) {}

MarkupStream::MarkupStream(MarkupStream&&) noexcept = default;
MarkupStream& MarkupStream::operator=(MarkupStream&&) noexcept = default;
MarkupStream::~MarkupStream() = default;

void MarkupStream::write(std::string_view piece, TextSink sink) {
  state_->write(piece, sink);
}

void MarkupStream::finish(TextSink sink) {
  state_->finish(sink);
}

namespace {

std::string hyphenateWhole(MarkupStream stream, std::string_view markup) {
  std::string out;
  out.reserve(markup.size() + markup.size() / 8);
  const auto append = [&out](std::string_view piece) { out.append(piece); };
  stream.write(markup, append);
  stream.finish(append);
  return out;
}

}  // namespace

std::string hyphenateHtml(const Hyphenator& outside, std::string_view markup,
                          const MarkupOptions& options) {
  return hyphenateWhole(MarkupStream(outside, options), markup);
}

std::string hyphenateHtml(std::optional<Language> outside, std::string_view markup,
                          const MarkupOptions& options) {
  return hyphenateWhole(MarkupStream(outside, options), markup);
}

}  // namespace text::hyphenation
