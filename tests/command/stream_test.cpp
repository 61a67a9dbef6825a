#include "stream.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstddef>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

using command::holdLimit;
using command::LineWindow;
using command::TextWindow;

// Cuts `text` into chunks of random sizes up to `largest`, as reads from a pipe may.
std::vector<std::string_view> randomChunks(std::string_view text, std::size_t largest,
                                           std::mt19937& random) {
  std::vector<std::string_view> chunks;
  while (!text.empty()) {
    const std::size_t size = std::uniform_int_distribution<std::size_t>(1, largest)(random);
    chunks.push_back(text.substr(0, size));
    text.remove_prefix(chunks.back().size());
  }
  return chunks;
}

// Random text from a small alphabet of word bytes, word-ending bytes and UTF-8 sequences.
std::string randomText(std::size_t size, std::mt19937& random) {
  static const std::vector<std::string> pieces = {"a", "b", "é", "€", "😀",    " ",    "\n",  ".",
                                                  "7", "<", "-", "'", "\xff", "\x80", "\r\n"};
  std::string text;
  while (text.size() < size) {
    text += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
  }
  return text;
}

// What TextWindow must have handed on once it has seen `seen`: everything up to its last byte
// that ends a word.
std::size_t settledLength(std::string_view seen) {
  std::size_t end = seen.size();
  while (end > 0 && !command::endsNoWord(seen[end - 1]))
    --end;
  return end;
}

TEST(TextWindow, HandsOnEverythingUpToTheLastWordEndAndLosesNothing) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    const std::string text = randomText(1 + round * 37, random);
    TextWindow window;
    std::string out;
    std::size_t seen = 0;
    for (const std::string_view chunk : randomChunks(text, 1 + round % 50, random)) {
      const std::string_view piece = window.push(chunk);
      seen += chunk.size();
      out += piece;
      ASSERT_EQ(out.size(), settledLength(std::string_view(text).substr(0, seen)));
    }
    out += window.finish();
    ASSERT_EQ(out, text);
  }
}

TEST(TextWindow, CutsARunLongerThanTheLimitOnlyBetweenCharacters) {
  // Runs of one- to four-byte characters, and stray continuation bytes, which no sequence can
  // span more than three of.
  for (const std::string character :
       {"a", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\x80"}) {
    std::string run;
    while (run.size() < 3 * holdLimit)
      run += character;
    TextWindow window;
    std::string out;
    std::size_t held = 0;
    for (std::size_t at = 0; at < run.size(); at += command::chunkSize) {
      const std::string_view chunk = std::string_view(run).substr(at, command::chunkSize);
      const std::string_view piece = window.push(chunk);
      held += chunk.size() - piece.size();
      ASSERT_LT(held, holdLimit + command::chunkSize);
      if (!piece.empty() && character != "\x80") {
        ASSERT_EQ((out.size() + piece.size()) % character.size(), 0u) << "cut inside a character";
      }
      out += piece;
    }
    EXPECT_GT(out.size(), 0u) << "nothing was let through before the end";
    out += window.finish();
    EXPECT_EQ(out, run);
  }
}

TEST(TextWindow, AfterALongRunGoesOnWithWholeWords) {
  TextWindow window;
  const std::string run(holdLimit, 'a');
  EXPECT_EQ(window.push(run).size(), holdLimit - 1);
  EXPECT_EQ(window.push("bc de"), "abc ");
  EXPECT_EQ(window.push("f"), "");
  EXPECT_EQ(window.finish(), "def");
}

struct Events {
  std::vector<std::string> lines;
  std::string copied;
  std::string all;  // lines and copies, in order
};

LineWindow recorder(Events& events) {
  return LineWindow(
      [&](std::string_view line) {
        events.lines.emplace_back(line);
        events.all += line;
      },
      [&](std::string_view bytes) {
        events.copied += bytes;
        events.all += bytes;
      });
}

TEST(LineWindow, HandsOnEachLineWholeHoweverTheChunksFall) {
  std::mt19937 random(11);
  for (int round = 0; round < 200; ++round) {
    const std::string text = randomText(1 + round * 23, random);
    std::vector<std::string> expected;
    for (std::size_t start = 0; start < text.size();) {
      const std::size_t end = std::min(text.find('\n', start), text.size() - 1) + 1;
      expected.push_back(text.substr(start, end - start));
      start = end;
    }
    Events events;
    LineWindow window = recorder(events);
    for (const std::string_view chunk : randomChunks(text, 1 + round % 60, random))
      window.push(chunk);
    window.finish();
    ASSERT_EQ(events.lines, expected);
    ASSERT_EQ(events.copied, "");
  }
}

TEST(LineWindow, CopiesALineLongerThanTheLimitAndThenGoesOnWithLines) {
  Events events;
  LineWindow window = recorder(events);
  const std::string longLine = std::string(2 * holdLimit + 5, 'a') + "\r\n";
  const std::string text = "first\n" + longLine + "second\nthird";
  for (std::size_t at = 0; at < text.size(); at += command::chunkSize)
    window.push(std::string_view(text).substr(at, command::chunkSize));
  window.finish();
  EXPECT_EQ(events.lines, (std::vector<std::string>{"first\n", "second\n", "third"}));
  EXPECT_EQ(events.copied, longLine);
  EXPECT_EQ(events.all, text);
}

TEST(LineWindow, EmptyInputAndAFinalLineFeedGiveNoEmptyLine) {
  Events none;
  LineWindow empty = recorder(none);
  empty.finish();
  EXPECT_TRUE(none.lines.empty());
  Events events;
  LineWindow window = recorder(events);
  window.push("a\n\n");
  window.finish();
  EXPECT_EQ(events.lines, (std::vector<std::string>{"a\n", "\n"}));
}

TEST(Reader, ReadsAPipeToItsEndAndSaysWhenItPauses) {
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  ASSERT_EQ(::write(ends[1], "abc", 3), 3);
  command::Reader reader(ends[0]);
  EXPECT_EQ(reader.read(), "abc");
  EXPECT_TRUE(reader.drained());
  ::close(ends[1]);
  EXPECT_EQ(reader.read(), "");
  EXPECT_EQ(reader.error(), 0);
  ::close(ends[0]);
  command::Reader closed(ends[0]);
  EXPECT_EQ(closed.read(), "");
  EXPECT_NE(closed.error(), 0);
}

}  // namespace
