// Hyphenating running text that arrives in pieces, holding back only the text after the last
// white space: words and tokens never cross white space, so everything before it is settled.

#include <string>

#include "common/utf8_decode.hpp"
#include "running_text/rules.hpp"
#include "running_text/scan.hpp"
#include "text/hyphenation/text.hpp"

namespace text::hyphenation {
namespace {

using detail::roleOf;

bool isContinuationByte(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The end of the white-space character that starts at `at` in `text`, or 0 when none starts
// there (a character cut off by the end of `text` is none).
std::size_t spaceEndAt(const detail::TextRules& rules, std::string_view text, std::size_t at) {
  const auto byte = static_cast<unsigned char>(text[at]);
  if (byte < 0x80) return roleOf(rules.ascii()[byte]) == detail::spaceRole ? at + 1 : 0;
  std::size_t length = 0;
  const char32_t c = detail::decodeUtf8Character(text.substr(at), length);
  return length > 1 && roleOf(rules.kindOf(c)) == detail::spaceRole ? at + length : 0;
}

// The end of the first white space in `text`, or 0.
std::size_t firstSpaceEnd(const detail::TextRules& rules, std::string_view text) {
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (isContinuationByte(text[at])) continue;
    if (const std::size_t end = spaceEndAt(rules, text, at)) return end;
  }
  return 0;
}

// The end of the last white space in `text`, or 0.
std::size_t lastSpaceEnd(const detail::TextRules& rules, std::string_view text) {
  for (std::size_t at = text.size(); at > 0; --at) {
    if (isContinuationByte(text[at - 1])) continue;
    if (const std::size_t end = spaceEndAt(rules, text, at - 1)) return end;
  }
  return 0;
}

}  // namespace

struct TextStream::State {
  State(const Hyphenator& hyphenator, const TextOptions& options) : rules(hyphenator, options) {}

  // Hyphenates `text`, a stretch that ends at white space or where the text is cut, into `sink`.
  void emit(std::string_view text, bool continuesToken, TextSink sink) {
    if (text.empty()) return;
    detail::TextScratch scratch;
    const detail::Utf8Source source(rules, text);
    const std::string_view separator = rules.options().separator;
    std::size_t copied = 0;
    detail::TextScanner<detail::Utf8Source>(rules, source, scratch)
        .run(
            [&](std::size_t offset) {
              sink(text.substr(copied, offset - copied));
              sink(separator);
              copied = offset;
            },
            continuesToken);
    if (copied < text.size()) sink(text.substr(copied));
  }

  // `held` has reached the window's size without white space: the token is judged on what is
  // held, and then copied as it comes or hyphenated in pieces.
  void relieve(TextSink sink) {
    if (!continuesToken && rules.options().skipNonProse) {
      detail::TextScratch scratch;
      const detail::Utf8Source source(rules, held);
      if (detail::TextScanner<detail::Utf8Source>(rules, source, scratch).judgesNonProse()) {
        sink(held);
        held.clear();
        copying = true;
        return;
      }
    }
    // Cut after the last character that belongs to no word, when that frees at least half the
    // window (so that the text is scanned a bounded number of times); else before the last
    // character.
    const detail::Utf8Source source(rules, held);
    std::size_t cut = 0;
    // The last bytes may be a character cut short by the end of the piece.
    for (std::size_t at = held.size() - 4; at > windowSize / 2; --at) {
      if (isContinuationByte(held[at - 1])) continue;
      const detail::Read read = source.read(at - 1);
      if (roleOf(read.kind) == detail::otherRole) {
        cut = read.next;
        break;
      }
    }
    if (cut == 0) {
      cut = held.size() - 1;
      for (int back = 0; back < 3 && cut > 0 && isContinuationByte(held[cut]); ++back)
        --cut;
      // A run of continuation bytes is a run of characters of one byte each.
      if (isContinuationByte(held[cut])) cut = held.size() - 1;
    }
    emit(std::string_view(held).substr(0, cut), true, sink);
    held.erase(0, cut);
    continuesToken = true;
  }

  detail::TextRules rules;
  std::string held;             // text after the last white space, not yet hyphenated
  bool copying = false;         // inside a token that is no prose, longer than the window
  bool continuesToken = false;  // `held` starts inside a token already judged prose
};

TextStream::TextStream(const Hyphenator& hyphenator, const TextOptions& options)
    : state_(std::make_unique<State>(hyphenator, options)) {}
TextStream::~TextStream() = default;
TextStream::TextStream(TextStream&&) noexcept = default;
TextStream& TextStream::operator=(TextStream&&) noexcept = default;

void TextStream::write(std::string_view piece, TextSink sink) {
  State& state = *state_;
  while (!piece.empty()) {
    if (state.copying) {
      const std::size_t end = firstSpaceEnd(state.rules, piece);
      if (end == 0) {
        sink(piece);
        return;
      }
      sink(piece.substr(0, end));
      piece.remove_prefix(end);
      state.copying = false;
      continue;
    }
    // Never more than the window is held.
    const std::string_view chunk = piece.substr(0, windowSize - state.held.size());
    piece.remove_prefix(chunk.size());
    const std::size_t settled = lastSpaceEnd(state.rules, chunk);
    if (settled == 0) {
      state.held.append(chunk);
      if (state.held.size() >= windowSize) state.relieve(sink);
      continue;
    }
    std::size_t from = 0;
    if (!state.held.empty()) {
      // The held token ends at the chunk's first white space.
      from = firstSpaceEnd(state.rules, chunk);
      state.held.append(chunk.substr(0, from));
      state.emit(state.held, state.continuesToken, sink);
    } else {
      state.emit(chunk.substr(0, settled), state.continuesToken, sink);
      from = settled;
    }
    if (from < settled) state.emit(chunk.substr(from, settled - from), false, sink);
    state.continuesToken = false;
    state.held.assign(chunk.substr(settled));
  }
}

void TextStream::finish(TextSink sink) {
  State& state = *state_;
  if (!state.copying) state.emit(state.held, state.continuesToken, sink);
  state.held.clear();
  state.copying = false;
  state.continuesToken = false;
}

}  // namespace text::hyphenation
