#include "stream.hpp"

#include <fcntl.h>
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

// Random text from a small alphabet of letters, line ends, other bytes and UTF-8 sequences.
std::string randomText(std::size_t size, std::mt19937& random) {
  static const std::vector<std::string> pieces = {"a", "b", "é", "€", "😀",    " ",    "\n",  ".",
                                                  "7", "<", "-", "'", "\xff", "\x80", "\r\n"};
  std::string text;
  while (text.size() < size) {
    text += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
  }
  return text;
}

TEST(CharacterCount, CountsCharactersAndEachByteOfNoSequence) {
  const struct {
    std::string text;
    std::size_t count;
  } cases[] = {
      {"", 0},
      {"hyphenation", 11},
      {"Gr\u00F6\u00DFe \u20AC \U0001F600", 9},
      {"o\u0308", 2},  // a combining mark is a character of its own
      {"\xFF\x80"
       "a",
       3},
      {"\xC3", 1},
      {"\xE2\x82", 2},          // a sequence cut short
      {"\xC0\xAF", 2},          // an overlong form
      {"\xED\xA0\x80", 3},      // a surrogate
      {"\xF4\x90\x80\x80", 4},  // past U+10FFFF
  };
  for (const auto& [text, count] : cases) {
    EXPECT_EQ(command::characterCount(text), count) << text;
  }
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

TEST(Output, KeepsTheOrderOfSmallAndLargePiecesAndReportsAFailedWrite) {
  char name[] = "/tmp/hyphenate_output_XXXXXX";
  const int file = ::mkstemp(name);
  ASSERT_GE(file, 0);
  ::unlink(name);
  std::mt19937 random(3);
  std::string expected;
  {
    command::Output output(file);
    for (int piece = 0; piece < 300; ++piece) {
      // Mostly small pieces, now and then one larger than the buffer.
      const std::size_t size = piece % 50 == 7 ? command::chunkSize + piece : piece % 13;
      const std::string text(size, static_cast<char>('a' + piece % 26));
      output.write(text);
      expected += text;
    }
    output.flush();
  }
  std::string written(expected.size() + 1, '\0');
  ASSERT_EQ(::pread(file, written.data(), written.size(), 0),
            static_cast<ssize_t>(expected.size()));
  written.resize(expected.size());
  EXPECT_EQ(written, expected);
  ::close(file);

  const int full = ::open("/dev/full", O_WRONLY);
  ASSERT_GE(full, 0);
  command::Output output(full);
  output.write("lost");
  EXPECT_THROW(output.flush(), command::OutputError);
  ::close(full);
}

}  // namespace
