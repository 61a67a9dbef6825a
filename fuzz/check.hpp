#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/utf8_decode.hpp"

// A failed check aborts, which libFuzzer reports as a crash and keeps the input.
#define FUZZ_CHECK(condition)                                                             \
  do {                                                                                    \
    if (!(condition)) {                                                                   \
      std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
      std::abort();                                                                       \
    }                                                                                     \
  } while (0)

namespace fuzz {

// What the text fuzzers make of an input: its bytes decoded as UTF-8, and two minimums from -1
// to 3 that its first two bytes choose, so that the cutting rule meets zero and negative ones.
struct TextInput {
  std::u32string text;
  long leftMin;
  long rightMin;
};

inline TextInput textInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  return {text::hyphenation::detail::decodeUtf8(bytes), size > 0 ? data[0] % 5 - 1 : 1,
          size > 1 ? data[1] % 5 - 1 : 1};
}

}  // namespace fuzz
