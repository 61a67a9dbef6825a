#include "common/utf8_decode.hpp"

#include <array>
#include <cstdint>
#include <cstring>

namespace text::hyphenation::detail {
namespace {

// What a lead byte promises: the length of its sequence (0 for a byte that cannot start one)
// and the range of the second byte. Narrowing that range is what rules out overlong forms
// (E0 80..9F, F0 80..8F), surrogates (ED A0..BF) and values above U+10FFFF (F4 90..BF); C0, C1
// and F5..FF start nothing. Every later byte is a plain continuation byte, 80..BF.
struct LeadByte {
  unsigned char length;
  unsigned char secondLow;
  unsigned char secondHigh;
};

constexpr std::array<LeadByte, 256> leadBytes = [] {
  std::array<LeadByte, 256> table;
  for (int byte = 0; byte < 256; ++byte) {
    unsigned char length = byte >= 0xF5   ? 0
                           : byte >= 0xF0 ? 4
                           : byte >= 0xE0 ? 3
                           : byte >= 0xC2 ? 2
                                          : 0;
    table[byte] = {length, 0x80, 0xBF};
  }
  table[0xE0].secondLow = 0xA0;
  table[0xED].secondHigh = 0x9F;
  table[0xF0].secondLow = 0x90;
  table[0xF4].secondHigh = 0x8F;
  return table;
}();

constexpr bool isContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// The length of the well-formed sequence at the start of `in` (`size` > 0 bytes, the first not
// ASCII), or 0 when there is none.
std::size_t sequenceLength(const unsigned char* in, std::size_t size) {
  const LeadByte& lead = leadBytes[in[0]];
  if (lead.length == 0 || size < lead.length) return 0;
  if (in[1] < lead.secondLow || in[1] > lead.secondHigh) return 0;
  for (std::size_t k = 2; k < lead.length; ++k) {
    if (!isContinuation(in[k])) return 0;
  }
  return lead.length;
}

char32_t sequenceValue(const unsigned char* in, std::size_t length) {
  char32_t value = in[0] & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k)
    value = (value << 6) | (in[k] & 0x3F);
  return value;
}

// Writes the characters of in[0, size) to `out` (room for `size` characters) and, when
// `starts` is not null, their offsets to `starts`; returns the number of characters.
std::size_t decodeInto(const unsigned char* in, std::size_t size, char32_t* out,
                       std::size_t* starts) {
  constexpr std::uint64_t highBits = 0x8080808080808080;
  std::size_t at = 0;
  std::size_t count = 0;
  while (at < size) {
    // Runs of ASCII, the bulk of most text, go eight bytes at a time.
    std::uint64_t word;
    while (at + 8 <= size && (std::memcpy(&word, in + at, 8), (word & highBits) == 0)) {
      for (std::size_t k = 0; k < 8; ++k) {
        out[count + k] = in[at + k];
        if (starts) starts[count + k] = at + k;
      }
      at += 8;
      count += 8;
    }
    if (at == size) break;
    std::size_t length = in[at] < 0x80 ? 1 : sequenceLength(in + at, size - at);
    if (starts) starts[count] = at;
    if (length <= 1) {
      out[count++] = in[at++];
    } else {
      out[count++] = sequenceValue(in + at, length);
      at += length;
    }
  }
  return count;
}

}  // namespace

std::u32string decodeUtf8(std::string_view bytes) {
  std::u32string text(bytes.size(), U'\0');
  text.resize(decodeInto(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                         text.data(), nullptr));
  return text;
}

std::u32string decodeUtf8(std::string_view bytes, std::vector<std::size_t>& starts) {
  std::u32string text;
  decodeUtf8Into(bytes, text, starts);
  return text;
}

void decodeUtf8Into(std::string_view bytes, std::u32string& text,
                    std::vector<std::size_t>& starts) {
  text.resize(bytes.size());
  starts.resize(bytes.size());
  std::size_t count = decodeInto(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                                 text.data(), starts.data());
  text.resize(count);
  starts.resize(count);
}

void decodeUtf8Into(std::string_view bytes, std::u32string& text) {
  text.resize(bytes.size());
  text.resize(decodeInto(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                         text.data(), nullptr));
}

char32_t decodeUtf8Character(std::string_view bytes, std::size_t& length) {
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  length = in[0] < 0x80 ? 1 : sequenceLength(in, bytes.size());
  if (length <= 1) {
    length = 1;
    return in[0];
  }
  return sequenceValue(in, length);
}

}  // namespace text::hyphenation::detail
