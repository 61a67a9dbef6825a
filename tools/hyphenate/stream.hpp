// The command's streaming: input is read in chunks and output written through a buffer, and
// each mode holds back only what the next chunk may still continue (the library's streams do so
// for running text and markup, LineWindow for words mode), handing every piece that is settled
// on at once. So input of any size streams through in bounded memory, and text typed or piped in
// slowly comes out as it arrives.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace command {

// Bytes asked for by one read.
inline constexpr std::size_t chunkSize = std::size_t{1} << 16;
// The most LineWindow holds back; a longer line is let through.
inline constexpr std::size_t holdLimit = std::size_t{1} << 20;

// Reads a file descriptor in chunks of at most chunkSize bytes.
class Reader {
 public:
  explicit Reader(int input) : input_(input), buffer_(chunkSize) {}

  // The next bytes, valid until the next call; empty at the end of the input or after a failed
  // read (see error).
  std::string_view read();
  // 0, or the errno of the read that failed.
  int error() const { return error_; }
  // Whether the last read returned less than it asked for: what comes next is not there yet.
  bool drained() const { return drained_; }

 private:
  int input_;
  std::vector<char> buffer_;
  int error_ = 0;
  bool drained_ = false;
};

// A failed write, after which nothing more is worth doing.
struct OutputError {
  int error;  // errno
};

// Writes to a file descriptor through a buffer of chunkSize bytes: the output of a stream comes
// as many small pieces (a fragment, a separator), and each costs a copy, not a call into stdio
// or the kernel. A piece as large as the buffer goes out directly.
class Output {
 public:
  explicit Output(int output) : output_(output) { buffer_.reserve(chunkSize); }

  // Throw OutputError when the descriptor refuses what it is given.
  void write(std::string_view piece) {
    if (piece.size() <= buffer_.capacity() - buffer_.size()) {
      buffer_.append(piece);
    } else {
      writeSlowly(piece);
    }
  }
  void flush();

 private:
  void writeSlowly(std::string_view piece);
  void writeAll(std::string_view bytes);

  int output_;
  std::string buffer_;
};

// Words mode: every line is one word. `line` receives each whole line with its line feed (and
// the last one without, if the input does not end in one); a line that grows past holdLimit is no
// word, and is handed to `copy` in pieces, to be copied unchanged, up to and including its line
// feed.
class LineWindow {
 public:
  using Sink = std::function<void(std::string_view)>;

  LineWindow(Sink line, Sink copy) : line_(std::move(line)), copy_(std::move(copy)) {}

  void push(std::string_view bytes);
  void finish();

 private:
  Sink line_;
  Sink copy_;
  std::string held_;  // the start of a line still waiting for its line feed
  bool copying_ = false;
};

// The number of characters in `text`, a byte of no well-formed UTF-8 sequence counting as one.
std::size_t characterCount(std::string_view text);

}  // namespace command
