#include "common/utf8_decode.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace text::hyphenation::detail {
namespace {

std::string bytes(std::initializer_list<unsigned char> values) {
  return std::string(values.begin(), values.end());
}

// The textbook encoding, for code points that are not surrogates and at most U+10FFFF.
std::string encode(char32_t c) {
  std::string out;
  auto put = [&](unsigned value) { out += static_cast<char>(value); };
  if (c < 0x80) {
    put(c);
  } else if (c < 0x800) {
    put(0xC0 | c >> 6), put(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    put(0xE0 | c >> 12), put(0x80 | (c >> 6 & 0x3F)), put(0x80 | (c & 0x3F));
  } else {
    put(0xF0 | c >> 18), put(0x80 | (c >> 12 & 0x3F)), put(0x80 | (c >> 6 & 0x3F));
    put(0x80 | (c & 0x3F));
  }
  return out;
}

// Decoding by brute force: at each position try every length from 1 to 4, and accept the one
// whose bytes are exactly the textbook encoding of the value they spell out.
std::u32string modelDecode(const std::string& in) {
  std::u32string out;
  for (std::size_t at = 0; at < in.size();) {
    std::size_t taken = 0;
    for (std::size_t length = 1; length <= 4 && at + length <= in.size() && !taken; ++length) {
      auto lead = static_cast<unsigned char>(in[at]);
      char32_t value = length == 1 ? lead : lead & (0x7F >> length);
      for (std::size_t k = 1; k < length; ++k) {
        value = value << 6 | (static_cast<unsigned char>(in[at + k]) & 0x3F);
      }
      bool valid = value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF);
      if (valid && encode(value) == in.substr(at, length)) {
        out += value;
        taken = length;
      }
    }
    if (!taken) {
      out += static_cast<unsigned char>(in[at]);
      taken = 1;
    }
    at += taken;
  }
  return out;
}

TEST(DecodeUtf8, IllFormedBytesStandForThemselves) {
  struct Case {
    const char* what;
    std::string in;
    std::u32string out;
  };
  const Case cases[] = {
      {"empty", "", U""},
      {"ASCII", "hyphenation\n", U"hyphenation\n"},
      {"lone Latin-1 byte", bytes({0x41, 0xE9, 0x42}), U"A\u00E9B"},
      {"two-byte sequence", bytes({0xC3, 0xA9}), U"\u00E9"},
      {"three-byte sequence", bytes({0xE2, 0x82, 0xAC}), U"\u20AC"},
      {"four-byte emoji", bytes({0xF0, 0x9F, 0x98, 0x80}), U"\U0001F600"},
      {"largest code point", bytes({0xF4, 0x8F, 0xBF, 0xBF}), U"\U0010FFFF"},
      {"overlong slash", bytes({0xC0, 0xAF}), U"\u00C0\u00AF"},
      {"overlong three bytes", bytes({0xE0, 0x80, 0xAF}), U"\u00E0\u0080\u00AF"},
      {"overlong four bytes", bytes({0xF0, 0x8F, 0xBF, 0xBF}), U"\u00F0\u008F\u00BF\u00BF"},
      {"surrogate", bytes({0xED, 0xA0, 0x80}), U"\u00ED\u00A0\u0080"},
      {"above U+10FFFF", bytes({0xF4, 0x90, 0x80, 0x80}), U"\u00F4\u0090\u0080\u0080"},
      {"lead byte F5", bytes({0xF5, 0x80}), U"\u00F5\u0080"},
      {"stray continuation", bytes({0x80, 0x61, 0xBF}), U"\u0080a\u00BF"},
      {"cut short at the end", bytes({0x61, 0xE2, 0x82}), U"a\u00E2\u0082"},
      {"cut short before ASCII", bytes({0xF0, 0x9F, 0x98, 0x41}), U"\u00F0\u009F\u0098A"},
      {"good after bad", bytes({0xFF, 0xC3, 0xA9}), U"\u00FF\u00E9"},
      {"long ASCII run then a sequence", "abcdefghijklmnop" + bytes({0xC3, 0xA9}),
       U"abcdefghijklmnop\u00E9"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(decodeUtf8(c.in), c.out) << c.what;
  }
}

TEST(DecodeUtf8, StartsGiveTheOffsetOfEachCharacter) {
  std::vector<std::size_t> starts;
  std::u32string text =
      decodeUtf8(bytes({0x61, 0xC3, 0xA9, 0xFF, 0xF0, 0x9F, 0x98, 0x80, 0x62}), starts);
  EXPECT_EQ(text, U"a\u00E9\u00FF\U0001F600b");
  EXPECT_EQ(starts, (std::vector<std::size_t>{0, 1, 3, 4, 8}));
}

TEST(DecodeUtf8, WellFormedTextRoundTrips) {
  std::mt19937 random(1);
  // Code points drawn from every encoded length, surrogates excluded.
  std::uniform_int_distribution<int> lengthOf(1, 4);
  auto codePoint = [&]() -> char32_t {
    switch (lengthOf(random)) {
      case 1:
        return std::uniform_int_distribution<char32_t>(0, 0x7F)(random);
      case 2:
        return std::uniform_int_distribution<char32_t>(0x80, 0x7FF)(random);
      case 3: {
        char32_t c = std::uniform_int_distribution<char32_t>(0x800, 0xFFFF - 0x800)(random);
        return c >= 0xD800 ? c + 0x800 : c;
      }
      default:
        return std::uniform_int_distribution<char32_t>(0x10000, 0x10FFFF)(random);
    }
  };
  for (int round = 0; round < 2000; ++round) {
    std::u32string text;
    std::string encoded;
    int length = std::uniform_int_distribution<int>(0, 40)(random);
    for (int k = 0; k < length; ++k) {
      text += codePoint();
      encoded += encode(text.back());
    }
    ASSERT_EQ(decodeUtf8(encoded), text);
  }
}

TEST(DecodeUtf8, ArbitraryBytesMatchTheBruteForceModelAndAccountForEveryByte) {
  std::mt19937 random(2);
  // Bytes that make interesting neighbours: ASCII, continuations, and every kind of lead byte.
  const unsigned char palette[] = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF,
                                   0xC0, 0xC1, 0xC2, 0xDF, 0xE0, 0xE1, 0xEC, 0xED, 0xEE,
                                   0xEF, 0xF0, 0xF1, 0xF3, 0xF4, 0xF5, 0xFF};
  std::uniform_int_distribution<std::size_t> pick(0, std::size(palette) - 1);
  std::uniform_int_distribution<int> anyByte(0, 255);
  for (int round = 0; round < 20000; ++round) {
    std::string in;
    int length = std::uniform_int_distribution<int>(0, 24)(random);
    for (int k = 0; k < length; ++k) {
      in += static_cast<char>(round % 2 ? palette[pick(random)] : anyByte(random));
    }
    std::vector<std::size_t> starts;
    std::u32string text = decodeUtf8(in, starts);
    ASSERT_EQ(text, modelDecode(in));
    ASSERT_EQ(decodeUtf8(in), text);
    // Each character is either its own encoding or one byte standing for itself.
    ASSERT_EQ(starts.size(), text.size());
    std::size_t at = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
      ASSERT_EQ(starts[k], at);
      std::string encoded = encode(text[k]);
      if (in.compare(at, encoded.size(), encoded) == 0) {
        at += encoded.size();
      } else {
        ASSERT_EQ(static_cast<unsigned char>(in[at]), text[k]);
        at += 1;
      }
    }
    ASSERT_EQ(at, in.size());
  }
}

}  // namespace
}  // namespace text::hyphenation::detail
