// The UTF-8 layer: decoding accounts for every byte, well-formed text round-trips, words decoded
// from arbitrary bytes hyphenate into fragments that join to the word, and the UTF-8 hyphenate and
// hyphenateText give back the input's bytes.

#include <cstdint>
#include <string>
#include <vector>

#include "check.hpp"
#include "common/utf8_decode.hpp"
#include "common/utf8_encode.hpp"
#include "support/support.hpp"
#include "text/hyphenation.hpp"

namespace hy = text::hyphenation;
namespace support = text::hyphenation::testing;

namespace {

// The length of the well-formed UTF-8 sequence at `at`, or 0, straight from the table of
// well-formed byte sequences of the Unicode standard.
std::size_t wellFormedLength(std::string_view bytes, std::size_t at) {
  auto byte = [&](std::size_t k) -> unsigned {
    return at + k < bytes.size() ? static_cast<unsigned char>(bytes[at + k]) : 0x100;
  };
  auto in = [](unsigned value, unsigned low, unsigned high) {
    return value >= low && value <= high;
  };
  const unsigned b0 = byte(0);
  if (b0 <= 0x7F) return 1;
  if (in(b0, 0xC2, 0xDF)) return in(byte(1), 0x80, 0xBF) ? 2 : 0;
  unsigned low = 0x80, high = 0xBF;
  if (b0 == 0xE0) low = 0xA0;
  if (b0 == 0xED) high = 0x9F;
  if (b0 == 0xF0) low = 0x90;
  if (b0 == 0xF4) high = 0x8F;
  if (in(b0, 0xE0, 0xEF)) return in(byte(1), low, high) && in(byte(2), 0x80, 0xBF) ? 3 : 0;
  if (in(b0, 0xF0, 0xF4))
    return in(byte(1), low, high) && in(byte(2), 0x80, 0xBF) && in(byte(3), 0x80, 0xBF) ? 4 : 0;
  return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::size_t> starts;
  const std::u32string text = hy::detail::decodeUtf8(bytes, starts);
  FUZZ_CHECK(text == hy::detail::decodeUtf8(bytes));
  FUZZ_CHECK(starts.size() == text.size());

  // Every byte belongs to exactly one character: a well-formed sequence, or a byte on its own
  // that stands for the code point of its value.
  bool wellFormed = true;
  std::size_t at = 0;
  for (std::size_t k = 0; k < text.size(); ++k) {
    FUZZ_CHECK(starts[k] == at);
    const std::size_t length = wellFormedLength(bytes, at);
    if (length == 0) {
      wellFormed = false;
      FUZZ_CHECK(text[k] == static_cast<unsigned char>(bytes[at]));
      at += 1;
    } else {
      FUZZ_CHECK(hy::detail::encodeUtf8(text.substr(k, 1)) == bytes.substr(at, length));
      at += length;
    }
  }
  FUZZ_CHECK(at == bytes.size());
  if (wellFormed) FUZZ_CHECK(hy::detail::encodeUtf8(text) == bytes);
  const std::string encoded = hy::detail::encodeUtf8(text);
  FUZZ_CHECK(hy::detail::encodeUtf8(hy::detail::decodeUtf8(encoded)) == encoded);

  // Words of the decoded text, split at spaces, hyphenated in US English and in a language chosen
  // by the first byte.
  const hy::Hyphenator& chosen =
      hy::languageHyphenator(hy::toEnum(size > 0 ? data[0] % hy::languageCount : 0));
  std::u32string word;
  for (std::size_t k = 0; k <= text.size(); ++k) {
    if (k < text.size() && text[k] != U' ' && word.size() < 128) {
      word += text[k];
      continue;
    }
    FUZZ_CHECK(support::join(hy::hyphenate(hy::english_US, word)) == word);
    FUZZ_CHECK(support::join(hy::hyphenate(chosen, word)) == word);
    word.clear();
  }

  // The UTF-8 entry points: fragments are slices of the bytes, and hyphenateText only inserts
  // separators (one that the input does not contain and that cannot straddle an inserted one, so
  // that removing it is unambiguous).
  const std::string_view head = bytes.substr(0, 256);
  std::string separator;
  for (std::string_view candidate : {"-", "\xC2\xAD", "|", "=", "\x01", "\x02", "\x03"}) {
    if (bytes.find(candidate) == std::string_view::npos) {
      separator = candidate;
      break;
    }
  }
  for (const hy::Hyphenator* hyphenator : {&hy::english_US.get(), &chosen}) {
    std::string joined;
    for (const std::string& fragment : hy::hyphenate(*hyphenator, head))
      joined += fragment;
    FUZZ_CHECK(joined == head);
    if (separator.empty()) continue;
    std::string output = hy::hyphenateText(*hyphenator, bytes, separator);
    // A stream fed the bytes in pieces of every length from 1 to 13 gives the same output.
    hy::TextStream stream(*hyphenator, {.separator = separator});
    std::string streamed;
    const auto sink = [&](std::string_view piece) { streamed += piece; };
    for (std::size_t at = 0, size = 1; at < bytes.size(); at += size, size = size % 13 + 1)
      stream.write(bytes.substr(at, size), sink);
    stream.finish(sink);
    FUZZ_CHECK(streamed == output);
    for (std::size_t at = output.find(separator); at != std::string::npos;
         at = output.find(separator, at))
      output.erase(at, separator.size());
    FUZZ_CHECK(output == bytes);
  }
  return 0;
}
