// The running-text rules: what each character is to a word, and the breaks of one word.

#include "running_text/rules.hpp"

#include <algorithm>

#include "common/utf8_decode.hpp"
#include "common/utf8_encode.hpp"
#include "running_text/scan.hpp"
#include "running_text/unicode.hpp"
#include "running_text/word_letters.hpp"

namespace text::hyphenation::detail {
namespace {

bool isExplicitHyphen(char32_t c) {
  return c == U'-' || c == U'\u2010' || c == U'\u2011';
}

CharKind letterKind(CharCategory category) {
  switch (category) {
    case CharCategory::UppercaseLetter:
      return letterRole | upperFlag;
    case CharCategory::LowercaseLetter:
      return letterRole | lowerFlag;
    default:
      return letterRole;
  }
}

// Cuts `word`, which normalisation changes, into parts that normalise on their own, and sets
// scratch.nfc() to their composed forms one after the other. A part begins with a starter that
// is no combining mark, and takes in the next run up to a starter when the two compose across
// their boundary (Hangul syllables, some two-part vowels). Breaks can be mapped back to the word
// as given only at the start of a part.
void splitIntoParts(const TextRules& rules, std::u32string_view word, TextScratch& scratch) {
  std::vector<Part>& parts = scratch.parts();
  std::u32string& nfc = scratch.nfc();
  NormalisationBuffers& buffers = scratch.normalisation();
  std::u32string& run = scratch.run();            // composed
  std::u32string& joined = scratch.joined();      // the current part and the run, composed
  std::u32string& composed = scratch.composed();  // the current part, composed
  nfc.clear();
  std::size_t partStart = 0;
  std::size_t runStart = 0;
  for (std::size_t j = 1; j <= word.size(); ++j) {
    if (j < word.size() && (roleOf(rules.kindOf(word[j])) == markRole || !isStarter(word[j]))) {
      continue;
    }
    if (runStart == 0) {
      composeNfc(word.substr(0, j), composed, buffers);
    } else {
      composeNfc(word.substr(runStart, j - runStart), run, buffers);
      composeNfc(word.substr(partStart, j - partStart), joined, buffers);
      if (joined.size() == composed.size() + run.size() && joined.starts_with(composed) &&
          std::u32string_view(joined).substr(composed.size()) == run) {
        parts.push_back({partStart, nfc.size()});
        nfc += composed;
        partStart = runStart;
        composed = run;
      } else {
        composed = joined;
      }
    }
    runStart = j;
  }
  parts.push_back({partStart, nfc.size()});
  nfc += composed;
}

// What Unicode alone says of `c`: letters, marks, digits, white space, soft and explicit hyphens;
// for anything else askRole, with the flags that do not depend on the hyphenator.
CharKind unicodeKind(char32_t c) {
  if (c == U'\u00AD') return softHyphenRole | stableFlag;
  if (isExplicitHyphen(c) || c == U'.') return otherRole | stableFlag;
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return otherRole | stableFlag;
  const CharCategory category = characterCategory(c);
  const CharKind stable = isNormalisationStable(c) ? stableFlag : 0;
  // U+02BC MODIFIER LETTER APOSTROPHE is a letter to Unicode and an apostrophe to writers.
  if (isLetterCategory(category) && c != U'\u02BC') return letterKind(category) | stable;
  switch (category) {
    case CharCategory::Space:
      return spaceRole | stableFlag;
    case CharCategory::Mark:
      return markRole | stable;
    case CharCategory::DecimalDigit:
      return otherRole | digitFlag | stableFlag;
    default:
      break;
  }
  const bool opening = category == CharCategory::OpeningPunctuation || c == U'"' || c == U'\'' ||
                       c == U'<' || c == U'*' || c == U'`' || c == U'\u00A1' || c == U'\u00BF';
  return askRole | (opening ? openingFlag : 0) | stable;
}

}  // namespace

const std::array<CharKind, 0x10000>& unicodeKinds() {
  static const std::array<CharKind, 0x10000> kinds = [] {
    std::array<CharKind, 0x10000> built{};
    for (char32_t c = 0; c < 0x10000; ++c)
      built[c] = unicodeKind(c);
    return built;
  }();
  return kinds;
}

TextRules::TextRules(const Hyphenator& hyphenator, const TextOptions& options)
    : hyphenator_(hyphenator),
      options_(options),
      patternCharacters_(wordLetters(state())),
      map_(state().table ? &state().table->get() : nullptr),
      minimums_{options.leftMin ? std::max<std::int64_t>(*options.leftMin, 1) : state().leftMin,
                options.rightMin ? std::max<std::int64_t>(*options.rightMin, 1) : state().rightMin},
      unicode_(unicodeKinds().data()),
      separatorCharacters_(decodeUtf8(options.separator)) {
  for (char32_t c = 0; c < 0x80; ++c)
    ascii_[c] = roleOf(unicode_[c]) == askRole ? classify(c) : unicode_[c];
  const bool loneHyphen =
      separatorCharacters_.size() == 1 && isExplicitHyphen(separatorCharacters_.front());
  separatorJoins_ = !separatorCharacters_.empty() && separatorCharacters_.size() <= joiningLength &&
                    !loneHyphen &&
                    std::none_of(separatorCharacters_.begin(), separatorCharacters_.end(),
                                 [&](char32_t c) { return roleOf(kindOf(c)) == spaceRole; });
}

bool TextRules::isPatternCharacter(char32_t c) const {
  // With a character map the set holds every character that the map takes to a letter of the
  // patterns; with a caller's function, those letters themselves.
  return patternCharacters_.contains(map_ ? c : state().function(c));
}

CharKind TextRules::classify(char32_t c) const {
  const CharKind kind = c < 0x10000 ? unicode_[c] : unicodeKind(c);
  if (roleOf(kind) != askRole) return kind;
  if (c != U'\u02BC') {
    // Judged on its image too: a character the hyphenator reads as a letter is one.
    const char32_t image = map_ ? (*map_)(c) : state().function(c);
    if (image != c && image <= 0x10FFFF && !isExplicitHyphen(image) && image != U'.') {
      const CharCategory imageCategory = characterCategory(image);
      const CharKind stable = kind & stableFlag;
      if (isLetterCategory(imageCategory)) return letterKind(imageCategory) | stable;
      if (imageCategory == CharCategory::Mark) return markRole | stable;
    }
  }
  return (isPatternCharacter(c) ? innerRole : otherRole) | (kind & ~roleMask);
}

void findWordBreaks(const TextRules& rules, std::u32string_view word, bool mayChange, bool hasMark,
                    TextScratch& scratch) {
  std::u32string& nfc = scratch.nfc();
  std::vector<Part>& parts = scratch.parts();
  parts.clear();
  if (mayChange) {
    composeNfc(word, nfc, scratch.normalisation());
    if (nfc != word) splitIntoParts(rules, word, scratch);
  }
  const std::u32string_view key = parts.empty() ? word : std::u32string_view(nfc);
  if (key.size() < rules.options().minWordLength) return;
  std::vector<std::size_t>& breaks = scratch.words().breaks();
  if (!findBreaks(rules.state(), key, rules.minimums(), &scratch.words(), breaks)) {
    throw malformedScores(encodeUtf8Lossless(key));
  }

  std::vector<std::size_t>& indices = scratch.indices();
  const auto keep = [&](std::size_t k) {
    // Never at an edge of the word, nor between a character and its combining marks.
    if (k == 0 || k >= word.size()) return;
    if (hasMark && roleOf(rules.kindOf(word[k])) == markRole) return;
    indices.push_back(k);
  };
  if (parts.empty()) {
    for (const std::size_t k : breaks)
      keep(k);
    return;
  }
  // A break of the composed word at the start of a part's composed form goes to the start of
  // that part in the word as given; a break inside a part's composed form has no place there.
  auto part = parts.begin();
  for (const std::size_t k : breaks) {
    while (part != parts.end() && part->composedStart < k)
      ++part;
    if (part != parts.end() && part->composedStart == k) keep(part->start);
  }
}

void findTextBreaks(const TextRules& rules, std::u32string_view characters,
                    std::span<const std::size_t> starts, std::vector<std::size_t>& offsets) {
  TextScratch scratch;
  const CharacterSource source(rules, characters, starts);
  TextScanner<CharacterSource>(rules, source, scratch).run([&](std::size_t offset) {
    offsets.push_back(offset);
  });
}

std::size_t settledPrefix(const TextRules& rules, std::u32string_view characters) {
  for (std::size_t k = characters.size(); k > 0; --k) {
    const char32_t c = characters[k - 1];
    if (c <= 0x10FFFF && roleOf(rules.kindOf(c)) == spaceRole) return k;
  }
  return 0;
}

}  // namespace text::hyphenation::detail
