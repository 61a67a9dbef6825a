#include "common/utf8_encode.hpp"

#include <gtest/gtest.h>

namespace text::hyphenation::detail {
namespace {

TEST(Utf8Encode, EncodesScalarValuesAndReplacesTheRest) {
  const struct {
    char32_t c;
    std::string bytes;
  } cases[] = {
      {0x00, std::string(1, '\0')},
      {0x7F, "\x7F"},
      {0x80, "\xC2\x80"},
      {0x7FF, "\xDF\xBF"},
      {0x800, "\xE0\xA0\x80"},
      {0xD7FF, "\xED\x9F\xBF"},
      {0xD800, "\xEF\xBF\xBD"},
      {0xDFFF, "\xEF\xBF\xBD"},
      {0xE000, "\xEE\x80\x80"},
      {0xFFFF, "\xEF\xBF\xBF"},
      {0x10000, "\xF0\x90\x80\x80"},
      {0x10FFFF, "\xF4\x8F\xBF\xBF"},
      {0x110000, "\xEF\xBF\xBD"},
      {0xFFFFFFFF, "\xEF\xBF\xBD"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(encodeUtf8(std::u32string(1, c.c)), c.bytes) << std::hex << std::uint32_t{c.c};
  }
  EXPECT_EQ(encodeUtf8(U"h\u00E9\U0001F600!"), "h\xC3\xA9\xF0\x9F\x98\x80!");
  EXPECT_EQ(encodeUtf8(U""), "");
}

TEST(Utf8Encode, TheLosslessFormKeepsEveryValue) {
  const struct {
    char32_t c;
    std::string bytes;
  } cases[] = {
      {0x7F, "\x7F"},
      {0x7FF, "\xDF\xBF"},
      {0xD800, "\xED\xA0\x80"},
      {0xDFFF, "\xED\xBF\xBF"},
      {0x10FFFF, "\xF4\x8F\xBF\xBF"},
      {0x110000, "\xF4\x90\x80\x80"},
      {0x1FFFFF, "\xF7\xBF\xBF\xBF"},
      {0x200000, "\xF8\x88\x80\x80\x80"},
      {0x3FFFFFF, "\xFB\xBF\xBF\xBF\xBF"},
      {0x4000000, "\xFC\x84\x80\x80\x80\x80"},
      {0x7FFFFFFF, "\xFD\xBF\xBF\xBF\xBF\xBF"},
      {0x80000000, "\xFE\x82\x80\x80\x80\x80\x80"},
      {0xFFFFFFFF, "\xFE\x83\xBF\xBF\xBF\xBF\xBF"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(encodeUtf8Lossless(std::u32string(1, c.c)), c.bytes)
        << std::hex << std::uint32_t{c.c};
  }
  // Unicode text is UTF-8 as usual.
  const std::u32string text = U"h\u00E9\uFFFF\U0001F600\U0010FFFF!";
  EXPECT_EQ(encodeUtf8Lossless(text), encodeUtf8(text));
}

}  // namespace
}  // namespace text::hyphenation::detail
