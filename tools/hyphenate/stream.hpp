// The command's input window: input is read in chunks, and each mode holds back only what the
// next chunk may still continue (a word in text mode, a line in words mode), handing every piece
// that is settled on at once. So input of any size streams through in bounded memory, and text
// typed or piped in slowly comes out as it arrives.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace command {

// Bytes asked for by one read.
inline constexpr std::size_t chunkSize = std::size_t{1} << 16;
// The most either window holds back; beyond it the held text is let through (see TextWindow and
// LineWindow).
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

// Text mode: holds back a word that may go on in the next chunk. What it hands on ends with a
// byte that ends no word in any language (white space, ".", a digit, "<" or ">"), so hyphenating
// it apart from what follows changes nothing. A run of more than holdLimit bytes without such a
// byte is handed on whole at a character boundary, which bounds the memory held (the two sides
// of the cut are then hyphenated as separate words).
class TextWindow {
 public:
  // Adds `bytes` and returns what is settled now: a view valid until the next call.
  std::string_view push(std::string_view bytes);
  // Everything still held, once the input has ended.
  std::string_view finish();

 private:
  std::string held_;
  std::size_t handedOn_ = 0;  // held_[0, handedOn_) was returned by the last call
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

// Bytes that are a letter in no language: a cut just after one never falls inside a word, nor
// inside a UTF-8 sequence. "." and the digits are never letters; the library's tests check that
// no language's patterns or character table makes a letter of the others.
bool endsNoWord(char byte);

}  // namespace command
