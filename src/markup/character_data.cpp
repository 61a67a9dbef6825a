#include "markup/character_data.hpp"

#include <algorithm>

#include "common/utf8_decode.hpp"
#include "markup/named_references.hpp"

namespace text::hyphenation::detail {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool isHexDigit(char c) {
  return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool isAlphanumeric(char c) {
  return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A byte of an XML name, or of one that HTML would take for text.
bool isNameByte(char c) {
  return isAlphanumeric(c) || c == '.' || c == '-' || c == '_' || c == ':' ||
         static_cast<unsigned char>(c) >= 0x80;
}

constexpr std::size_t kLongestEntityName = 64;

// The number of bytes of the UTF-8 sequence that `lead` starts, 1 for a byte that starts none.
std::size_t sequenceLength(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 1;
}

// What a numeric reference stands for.
char32_t numericValue(char32_t value) {
  if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return kReplacement;
  if (value >= 0x80 && value <= 0x9F) return kC1Replacements[value - 0x80];
  return value;
}

const NamedReference* findName(std::string_view name) {
  const auto found = std::lower_bound(
      kNamedReferences.begin(), kNamedReferences.end(), name,
      [](const NamedReference& entry, std::string_view key) { return entry.name < key; });
  return found != kNamedReferences.end() && found->name == name ? &*found : nullptr;
}

// The reference at bytes[at] ("&"): its length, 0 if it is none, or npos if the bytes end
// before that is known. `first` and `second` receive what it stands for (second 0 for one
// character).
std::size_t readReference(std::string_view bytes, std::size_t at, bool complete, bool xml,
                          char32_t& first, char32_t& second) {
  constexpr std::size_t kUnknown = std::string_view::npos;
  const std::size_t size = bytes.size();
  second = 0;
  std::size_t k = at + 1;
  if (k == size) return complete ? 0 : kUnknown;
  if (bytes[k] == '#') {
    ++k;
    if (k == size) return complete ? 0 : kUnknown;
    const bool hex = bytes[k] == 'x' || bytes[k] == 'X';
    if (hex && ++k == size) return complete ? 0 : kUnknown;
    const std::size_t digits = k;
    char32_t value = 0;
    while (k < size && (hex ? isHexDigit(bytes[k]) : isDigit(bytes[k]))) {
      const char c = bytes[k];
      const char32_t digit = isDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10;
      value = std::min<char32_t>(value * (hex ? 16 : 10) + digit, 0x110000);
      ++k;
    }
    if (k == size && !complete) return kUnknown;
    if (k == digits) return 0;
    if (k < size && bytes[k] == ';') ++k;
    first = numericValue(value);
    return k - at;
  }
  // A name: the longest one in the table that the bytes begin with.
  std::size_t nameEnd = k;
  while (nameEnd < size && nameEnd - k < kLongestEntityName && isNameByte(bytes[nameEnd])) {
    ++nameEnd;
  }
  if (nameEnd == size && !complete) return kUnknown;
  const std::size_t limit = std::min(size, at + 1 + kLongestReferenceName);
  while (k < limit && isAlphanumeric(bytes[k]))
    ++k;
  if (k < limit && bytes[k] == ';') ++k;
  for (std::size_t end = k; end > at + 1; --end) {
    const std::string_view name = bytes.substr(at + 1, end - at - 1);
    if (xml && name.back() != ';') continue;
    if (const NamedReference* found = findName(name)) {
      first = found->first;
      second = found->second;
      return end - at;
    }
  }
  // A reference to an entity of the document's own, such as XML declares, is one character
  // that is no letter, so that no break falls inside it.
  if (nameEnd > at + 1 && nameEnd < size && bytes[nameEnd] == ';') {
    first = kReplacement;
    return nameEnd + 1 - at;
  }
  return 0;
}

}  // namespace

std::size_t decodeCharacterData(std::string_view bytes, std::size_t from, bool complete, bool xml,
                                std::u32string& characters, std::vector<std::size_t>& starts) {
  const std::size_t size = bytes.size();
  std::size_t at = from;
  while (at < size) {
    const auto byte = static_cast<unsigned char>(bytes[at]);
    if (byte < 0x80 && byte != '&') {
      characters.push_back(byte);
      starts.push_back(at);
      ++at;
      continue;
    }
    if (byte == '&') {
      char32_t first = 0;
      char32_t second = 0;
      const std::size_t length = readReference(bytes, at, complete, xml, first, second);
      if (length == std::string_view::npos) return at;
      if (length == 0) {
        characters.push_back(U'&');
        starts.push_back(at);
        ++at;
        continue;
      }
      characters.push_back(first);
      starts.push_back(at);
      at += length;
      if (second != 0) {
        characters.push_back(second);
        starts.push_back(at);
      }
      continue;
    }
    const std::size_t expected = sequenceLength(byte);
    if (!complete && expected > size - at) {
      // Cut short by the end of the bytes so far, unless a byte already shows it is broken.
      bool continues = true;
      for (std::size_t k = at + 1; k < size; ++k) {
        continues = continues && (static_cast<unsigned char>(bytes[k]) & 0xC0) == 0x80;
      }
      if (continues) return at;
    }
    std::size_t length = 0;
    const char32_t c = decodeUtf8Character(bytes.substr(at), length);
    characters.push_back(length == 1 ? kReplacement : c);
    starts.push_back(at);
    at += length;
  }
  return at;
}

}  // namespace text::hyphenation::detail
