#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "common/utf8_encode.hpp"
#include "hyphenkit.h"
#include "support/support.hpp"
#include "text/hyphenation.hpp"

// ThreadSanitizer's runtime defines operator new itself, so under it nothing is counted and the
// test is skipped.
#if defined(__SANITIZE_THREAD__)
#define HYPHENKIT_COUNTS_ALLOCATIONS 0
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define HYPHENKIT_COUNTS_ALLOCATIONS 0
#endif
#endif
#ifndef HYPHENKIT_COUNTS_ALLOCATIONS
#define HYPHENKIT_COUNTS_ALLOCATIONS 1
#endif

// Every allocation through operator new in this test binary is counted, per thread, so that a
// test can tell that a call allocated nothing.
namespace {
thread_local std::size_t allocations = 0;
}  // namespace

#if HYPHENKIT_COUNTS_ALLOCATIONS
void* operator new(std::size_t size) {
  ++allocations;
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
// The nothrow form too (std::stable_sort's buffer comes from it): a sanitizer's own version
// would hand out memory that the operator delete below cannot free.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  ++allocations;
  return std::malloc(size == 0 ? 1 : size);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
  std::free(memory);
}
void operator delete(void* memory) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}
#endif

namespace text::hyphenation {
namespace {

TEST(HyphenationPoints, AllocatesNothingOnceTheLanguageAndTheBufferAreWarm) {
  if (!HYPHENKIT_COUNTS_ALLOCATIONS) GTEST_SKIP() << "allocations are not counted here";
  const struct {
    Language language;
    std::vector<std::u32string> words;
  } cases[] = {
      // Listed exceptions, words the patterns split, upper case, letters of no table, and a
      // word too long for the fast road.
      {Language::English_US,
       {U"hyphenation", U"present", U"associate", U"Project", U"TABLE", U"naïveté", U"x",
        std::u32string(300, U'a') + U"tion"}},
      {Language::German_1996,
       {U"Silbentrennung", U"Donaudampfschifffahrt", U"STRASSE", U"größer",
        std::u32string(250, U'e')}},
      {Language::Russian, {U"переносы", U"слово", U"Москва"}},
  };
  for (const auto& c : cases) {
    const Hyphenator& hyphenator = languageHyphenator(c.language);
    hyphenkit_hyphenator* handle = nullptr;
    ASSERT_EQ(
        hyphenkit_hyphenator_language(static_cast<std::size_t>(fromEnum(c.language)), &handle),
        HYPHENKIT_OK);
    std::vector<std::string> utf8;
    std::vector<std::u16string> utf16;
    for (const auto& word : c.words) {
      utf8.push_back(detail::encodeUtf8(word));
      utf16.push_back(testing::utf16Of(word));
    }
    std::vector<std::size_t> points;
    std::size_t offsets[64];
    // Every entry point that takes a word: the code points, UTF-8, UTF-16, and the C interface.
    const auto all = [&] {
      for (std::size_t k = 0; k < c.words.size(); ++k) {
        hyphenationPoints(hyphenator, c.words[k], points);
        hyphenationPoints(hyphenator, utf8[k], points);
        hyphenationPoints(hyphenator, utf16[k], points);
        hyphenkit_breaks_utf8(handle, utf8[k].data(), utf8[k].size(), offsets, 64);
      }
    };
    // The first round builds the language and grows the buffers.
    all();
    const std::size_t before = allocations;
    for (int round = 0; round < 3; ++round)
      all();
    EXPECT_EQ(allocations - before, 0u) << languageAffix(c.language);
    // The counting works: hyphenate allocates its result.
    hyphenate(hyphenator, c.words.front());
    EXPECT_GT(allocations - before, 0u) << languageAffix(c.language);
    hyphenkit_hyphenator_free(handle);
  }
}

// Running text, once its tables and the thread's buffers are warm: one call allocates its result
// and nothing else (with a separator short enough to be stored in place), and a stream with a
// warm window allocates nothing at all.
TEST(RunningText, AllocatesOnlyItsResultOnceWarm) {
  if (!HYPHENKIT_COUNTS_ALLOCATIONS) GTEST_SKIP() << "allocations are not counted here";
  const std::string text =
      "Die Silbentrennung, bitte: Gro\u0308\u00DFena\u0308nderung, Schifffahrt "
      "https://example.com/silbentrennung ent\u00ADspre\u00ADchend "
      "Größenänderung \u00BBdas\u00AB";
  const TextOptions options{.separator = "\u00AD"};
  hyphenateText(german_1996, text, options);
  std::size_t before = allocations;
  const std::string once = hyphenateText(german_1996, text, options);
  EXPECT_EQ(allocations - before, 1u);

  TextStream stream(german_1996, options);
  std::string out;
  out.reserve(4 * text.size());
  const auto sink = [&](std::string_view piece) { out += piece; };
  const auto writeInPieces = [&] {
    out.clear();
    for (std::size_t at = 0; at < text.size(); at += 7)
      stream.write(std::string_view(text).substr(at, 7), sink);
    stream.finish(sink);
  };
  writeInPieces();
  before = allocations;
  writeInPieces();
  EXPECT_EQ(allocations - before, 0u);
  EXPECT_EQ(out, once);
}

}  // namespace
}  // namespace text::hyphenation
