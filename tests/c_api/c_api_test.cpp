// The C interface gives what the C++ one gives, and fails with codes and messages, never with an
// exception.

#include "hyphenkit.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "common/utf8_encode.hpp"
#include "support/support.hpp"
#include "support/word_lists.hpp"
#include "text/hyphenation.hpp"

namespace text::hyphenation {
namespace {

using Points = std::vector<std::size_t>;

struct Handle {
  hyphenkit_hyphenator* get = nullptr;
  ~Handle() { hyphenkit_hyphenator_free(get); }
};

Handle languageHandle(Language language) {
  Handle handle;
  EXPECT_EQ(
      hyphenkit_hyphenator_language(static_cast<std::size_t>(fromEnum(language)), &handle.get),
      HYPHENKIT_OK);
  return handle;
}

// The breaks the C interface gives for a word in each of its three forms, each mapped to the
// number of characters before the break, so that they compare with the code-point API.
void expectSameBreaks(const hyphenkit_hyphenator* handle, const Hyphenator& hyphenator,
                      const std::u32string& word) {
  Points expected;
  hyphenationPoints(hyphenator, word, expected);
  std::vector<std::size_t> breaks(word.size() + 1);

  const std::vector<std::uint32_t> utf32(word.begin(), word.end());
  ptrdiff_t count =
      hyphenkit_breaks_utf32(handle, utf32.data(), utf32.size(), breaks.data(), breaks.size());
  ASSERT_EQ(Points(breaks.begin(), breaks.begin() + count), expected);

  const std::string utf8 = detail::encodeUtf8(word);
  count = hyphenkit_breaks_utf8(handle, utf8.data(), utf8.size(), breaks.data(), breaks.size());
  Points bytes;
  for (const std::size_t k : expected)
    bytes.push_back(detail::encodeUtf8(word.substr(0, k)).size());
  ASSERT_EQ(Points(breaks.begin(), breaks.begin() + count), bytes) << utf8;

  const std::u16string utf16 = testing::utf16Of(word);
  Points units;
  for (const std::size_t k : expected)
    units.push_back(testing::utf16Of(word.substr(0, k)).size());
  count = hyphenkit_breaks_utf16(handle, reinterpret_cast<const std::uint16_t*>(utf16.data()),
                                 utf16.size(), breaks.data(), breaks.size());
  ASSERT_EQ(Points(breaks.begin(), breaks.begin() + count), units) << utf8;
}

TEST(CInterface, BreaksAreTheCodePointBreaksInEveryForm) {
  for (const auto& [name, language] : {std::pair{"words-en-us.txt.gz", Language::English_US},
                                       std::pair{"words-de-1996.txt.gz", Language::German_1996}}) {
    const Handle handle = languageHandle(language);
    for (const std::u32string& word : testing::readWordList(name))
      expectSameBreaks(handle.get, languageHyphenator(language), word);
  }
  for (const Language language : allLanguages()) {
    SCOPED_TRACE(show(language));
    const Handle handle = languageHandle(language);
    for (const std::u32string& word : testing::patternWords(language, 200))
      expectSameBreaks(handle.get, languageHyphenator(language), word);
  }
}

TEST(CInterface, TellsTheLanguagesAndTheirTags) {
  ASSERT_EQ(hyphenkit_language_count(), static_cast<std::size_t>(languageCount));
  for (const Language language : allLanguages()) {
    const auto number = static_cast<std::size_t>(fromEnum(language));
    EXPECT_EQ(hyphenkit_language_code(number), languageAffix(language));
    EXPECT_EQ(hyphenkit_language_name(number), show(language));
  }
  EXPECT_EQ(hyphenkit_language_code(languageCount), nullptr);
  EXPECT_EQ(hyphenkit_language_name(static_cast<std::size_t>(-1)), nullptr);
  std::size_t found = 0;
  ASSERT_EQ(hyphenkit_language_from_tag("de-CH", &found), HYPHENKIT_OK);
  EXPECT_EQ(found, static_cast<std::size_t>(fromEnum(Language::German_1996)));
  EXPECT_EQ(hyphenkit_language_from_tag("zh-Hans", &found), HYPHENKIT_E_UNKNOWN_LANGUAGE);
  EXPECT_STREQ(hyphenkit_last_error(), "no patterns for the language 'zh-Hans'");
  EXPECT_EQ(hyphenkit_language_from_tag("not a tag!", &found), HYPHENKIT_E_UNKNOWN_LANGUAGE);
  EXPECT_STREQ(hyphenkit_last_error(), "not a language tag: 'not a tag!'");
  EXPECT_STREQ(hyphenkit_version(), "0.1.0");
}

TEST(CInterface, FailsWithCodesAndMessages) {
  Handle handle;
  std::size_t breaks[4];
  EXPECT_EQ(hyphenkit_hyphenator_tag(nullptr, &handle.get), HYPHENKIT_E_INVALID_ARGUMENT);
  EXPECT_EQ(hyphenkit_hyphenator_tag("en", nullptr), HYPHENKIT_E_INVALID_ARGUMENT);
  EXPECT_EQ(hyphenkit_hyphenator_language(languageCount, &handle.get),
            HYPHENKIT_E_UNKNOWN_LANGUAGE);
  EXPECT_EQ(handle.get, nullptr);
  EXPECT_EQ(hyphenkit_breaks_utf8(nullptr, "ab", 2, breaks, 4), HYPHENKIT_E_INVALID_ARGUMENT);
  EXPECT_EQ(hyphenkit_hyphenator_build(nullptr, 3, nullptr, 0, nullptr, 0, 1, 1, &handle.get),
            HYPHENKIT_E_INVALID_ARGUMENT);
  EXPECT_STREQ(hyphenkit_last_error(), "a null pointer with a size");

  // Room for fewer breaks than there are: as many as fit, and the count of all of them.
  ASSERT_EQ(hyphenkit_hyphenator_tag("en-us", &handle.get), HYPHENKIT_OK);
  std::size_t one[1] = {99};
  EXPECT_EQ(hyphenkit_breaks_utf8(handle.get, "hyphenation", 11, one, 1), 2);
  EXPECT_EQ(one[0], 2u);
  EXPECT_EQ(hyphenkit_breaks_utf8(handle.get, "hyphenation", 11, nullptr, 0), 2);
  EXPECT_EQ(hyphenkit_breaks_utf8(handle.get, nullptr, 0, nullptr, 0), 0);
}

TEST(CInterface, BuildsHyphenatorsAndHyphenatesRunningText) {
  Handle mine;
  const std::string patterns = "a1b\nb1\xC3\xA9\n", exceptions = "ab-ab\n",
                    characters = "aA\nbB\n\xC3\xA9\xC3\x89\n";
  ASSERT_EQ(hyphenkit_hyphenator_build(patterns.data(), patterns.size(), exceptions.data(),
                                       exceptions.size(), characters.data(), characters.size(), 1,
                                       1, &mine.get),
            HYPHENKIT_OK);
  hyphenkit_text_options options;
  hyphenkit_text_options_init(&options);
  EXPECT_STREQ(options.separator, "-");
  EXPECT_NE(options.skip_non_prose, 0);
  options.separator = "\xC2\xAD";
  const std::string text =
      "AB \xC3\x89"
      "B\xC3\x89 ABAB www.ab.ab";
  const ptrdiff_t size =
      hyphenkit_hyphenate_text(mine.get, text.data(), text.size(), &options, nullptr, 0);
  const std::string expected =
      "A\xC2\xAD"
      "B \xC3\x89"
      "B\xC2\xAD\xC3\x89 AB\xC2\xAD"
      "AB www.ab.ab";
  ASSERT_EQ(size, static_cast<ptrdiff_t>(expected.size()));
  std::string out(static_cast<std::size_t>(size), '\0');
  EXPECT_EQ(hyphenkit_hyphenate_text(mine.get, text.data(), text.size(), &options, out.data(),
                                     out.size()),
            size);
  EXPECT_EQ(out, expected);
  // Too little room: the start of the result, and its whole size.
  char start[3];
  EXPECT_EQ(hyphenkit_hyphenate_text(mine.get, text.data(), text.size(), &options, start, 3), size);
  EXPECT_EQ(std::string(start, 3), expected.substr(0, 3));
}

TEST(CInterface, ThreadsShareOneHyphenator) {
  Handle handle;
  ASSERT_EQ(hyphenkit_hyphenator_tag("de", &handle.get), HYPHENKIT_OK);
  const std::vector<std::u32string> words = testing::patternWords(Language::German_1996, 2000);
  std::vector<std::thread> threads;
  std::vector<int> wrong(4, 0);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      std::vector<std::size_t> breaks(64);
      Points expected;
      for (const std::u32string& word : words) {
        const std::string utf8 = detail::encodeUtf8(word);
        const ptrdiff_t count =
            hyphenkit_breaks_utf8(handle.get, utf8.data(), utf8.size(), breaks.data(), 64);
        hyphenationPoints(german_1996, word, expected);
        wrong[t] += count != static_cast<ptrdiff_t>(expected.size());
      }
    });
  }
  for (auto& thread : threads)
    thread.join();
  EXPECT_EQ(wrong, std::vector<int>(4, 0));
}

}  // namespace
}  // namespace text::hyphenation
