// TextStream gives the output of one hyphenateText call however the text is cut into pieces,
// and holds no more than its window while doing so.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "text/hyphenation.hpp"

namespace text::hyphenation {
namespace {

// Writes `text` in the given pieces and finishes; the output, and the largest piece the sink got.
std::string streamed(TextStream& stream, const std::vector<std::string_view>& pieces,
                     std::size_t* largest = nullptr) {
  std::string out;
  const auto sink = [&](std::string_view piece) {
    out += piece;
    if (largest) *largest = std::max(*largest, piece.size());
  };
  for (const std::string_view piece : pieces)
    stream.write(piece, sink);
  stream.finish(sink);
  return out;
}

std::vector<std::string_view> cutRandomly(std::string_view text, std::mt19937& random,
                                          std::size_t longest) {
  std::vector<std::string_view> pieces;
  while (!text.empty()) {
    const std::size_t size = std::min<std::size_t>(text.size(), 1 + random() % longest);
    pieces.push_back(text.substr(0, size));
    text.remove_prefix(size);
  }
  return pieces;
}

TEST(TextStream, GivesWhatOneCallGivesWhereverTheTextIsCut) {
  const std::vector<std::string> texts = {
      "Die Silbentrennung (auch Worttrennung), \u201Eentsprechend\u201C: Gro\u0308\u00DFe "
      "Schifffahrt! https://www.example.com/documentation, ~/Silbentrennung "
      "configuration_variable ent\u00ADspre\u00ADchend \xC3\x28 Fa\xE2\x82 nie-amptelike ",
      "hyphenation\u00A0hyphenation\u2003hyphenation\xE2\x80\xA8"
      "documentation camelCase "
      "--almost-all #hyphenation 'opera' dell'Italia",
      "",
      "    ",
      "hyphenation",
  };
  const std::vector<Language> languages = {Language::German_1996, Language::English_US,
                                           Language::Italian, Language::Afrikaans};
  std::mt19937 random(77);
  for (const std::string& text : texts) {
    for (const Language language : languages) {
      for (const bool skipNonProse : {true, false}) {
        const TextOptions options{.separator = "\u00AD", .skipNonProse = skipNonProse};
        const std::string whole = hyphenateText(languageHyphenator(language), text, options);
        TextStream stream(languageHyphenator(language), options);
        for (const std::size_t longest : {1, 2, 3, 7, 50, 1000}) {
          EXPECT_EQ(streamed(stream, cutRandomly(text, random, longest)), whole)
              << show(language) << " " << longest << ": " << text;
        }
      }
    }
  }
}

// Any bytes at all: the stream gives what one call gives, and both only insert separators.
TEST(TextStream, AnyBytesGiveBackTheirBytes) {
  const std::vector<std::string> pieces = {
      "hy",   "phen", "a",    "tion",   "Über",     "ß",        "o\u0308", "\u0301", "пе",
      "ре",   " ",    "\n",   "\u00A0", "\u00AD",   "'",        "\u2019",  "-",      "\u2010",
      ".",    "42",   "_",    "@",      "://",      "/",        "~",       "#",      "www.",
      "\xE9", "\xC3", "\x80", "\xFF",   "\xE2\x82", "\xF0\x9F", "Aa",      "aB",     "|"};
  std::mt19937 random(2024);
  for (int round = 0; round < 1500; ++round) {
    std::string text;
    for (int k = static_cast<int>(random() % 40); k > 0; --k)
      text += pieces[random() % pieces.size()];
    const Hyphenator& hyphenator = round % 2 ? english_US : german_1996;
    const TextOptions options{.separator = "|", .skipNonProse = round % 3 != 0};
    const std::string whole = hyphenateText(hyphenator, text, options);
    std::string back = whole;
    // "|" stands in the input too: compare with the input's own "|" taken out.
    std::string input = text;
    back.erase(std::remove(back.begin(), back.end(), '|'), back.end());
    input.erase(std::remove(input.begin(), input.end(), '|'), input.end());
    ASSERT_EQ(back, input) << text;
    TextStream stream(hyphenator, options);
    ASSERT_EQ(streamed(stream, cutRandomly(text, random, 1 + random() % 9)), whole) << text;
  }
}

TEST(TextStream, HoldsBackNoMoreThanItsWindow) {
  const std::string sentence = "Hyphenation of computer programs needs dictionaries. ";
  std::string text;
  while (text.size() < 3 * TextStream::windowSize)
    text += sentence;
  const std::string word(3 * TextStream::windowSize + 5, 'a');
  for (const std::string* input : {&std::as_const(text), &word}) {
    TextStream stream(english_US);
    std::string out;
    std::size_t written = 0;
    std::size_t outputLetters = 0;
    const auto sink = [&](std::string_view piece) {
      out += piece;
      outputLetters += piece == "-" ? 0 : piece.size();
    };
    for (std::size_t at = 0; at < input->size(); at += 4096) {
      const std::string_view piece = std::string_view(*input).substr(at, 4096);
      stream.write(piece, sink);
      written += piece.size();
      ASSERT_GE(outputLetters + TextStream::windowSize, written);
    }
    stream.finish(sink);
    std::string back = out;
    back.erase(std::remove(back.begin(), back.end(), '-'), back.end());
    EXPECT_EQ(back, *input);
  }
  // Prose runs the window's size without white space are hyphenated in pieces.
  EXPECT_EQ(hyphenateText(english_US, text), [&] {
    TextStream stream(english_US);
    return streamed(stream, {text});
  }());
}

TEST(TextStream, ALongTokenThatIsNoProseIsCopiedAsItComes) {
  const std::string url = "https://example.com/" + std::string(2 * TextStream::windowSize, 'a');
  const std::string text = url + " hyphenation";
  TextStream stream(english_US);
  std::mt19937 random(5);
  EXPECT_EQ(streamed(stream, cutRandomly(text, random, 70000)), url + " hy-phen-ation");
}

TEST(TextStream, NeverJoinsTheSeparatorToTheText) {
  // Pieces are views of the input or the separator, whatever the separator's length.
  const std::string separator(10000, '~');
  std::string text;
  for (int k = 0; k < 300; ++k)
    text += "hyphenation ";
  TextStream stream(english_US, {.separator = separator});
  std::size_t largest = 0;
  std::size_t total = 0;
  const auto sink = [&](std::string_view piece) {
    largest = std::max(largest, piece.size());
    total += piece.size();
  };
  stream.write(text, sink);
  stream.finish(sink);
  EXPECT_EQ(largest, separator.size());
  EXPECT_EQ(total, text.size() + 600 * separator.size());
}

TEST(TextStream, FinishingStartsANewText) {
  TextStream stream(german_1996);
  EXPECT_EQ(streamed(stream, {"Silben", "trennung"}), "Sil-ben-tren-nung");
  EXPECT_EQ(streamed(stream, {"bit", "te"}), "bit-te");
  TextStream moved = std::move(stream);
  EXPECT_EQ(streamed(moved, {"Silbentrennung"}), "Sil-ben-tren-nung");
}

}  // namespace
}  // namespace text::hyphenation
