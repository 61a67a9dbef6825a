#include "stream.hpp"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace command {

std::string_view Reader::read() {
  ssize_t got;
  do {
    got = ::read(input_, buffer_.data(), buffer_.size());
  } while (got < 0 && errno == EINTR);
  if (got < 0) {
    error_ = errno;
    return {};
  }
  const auto size = static_cast<std::size_t>(got);
  drained_ = size < buffer_.size();
  return {buffer_.data(), size};
}

bool endsNoWord(char byte) {
  return byte != '\0' && std::strchr(" \t\n\r\f\v.0123456789<>", byte) != nullptr;
}

namespace {

// Where to cut `text`, which holds no byte that ends a word, as near its end as a character
// boundary allows. No well-formed sequence spans a cut before a byte that is no continuation byte
// (10xxxxxx), nor one before a continuation byte that follows three others.
std::size_t characterBoundary(std::string_view text) {
  const auto isContinuation = [&](std::size_t at) {
    return (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80;
  };
  std::size_t end = text.size() - 1;
  for (; end > text.size() - 4; --end) {
    if (!isContinuation(end)) return end;
  }
  return isContinuation(end) ? text.size() - 1 : end;
}

}  // namespace

// held_ never holds a byte that ends a word after what was handed on, so only the new bytes need
// looking at: however long a word grows, each byte is looked at once.
std::string_view TextWindow::push(std::string_view bytes) {
  held_.erase(0, handedOn_);
  const std::size_t known = held_.size();
  held_.append(bytes);
  std::size_t end = held_.size();
  while (end > known && !endsNoWord(held_[end - 1]))
    --end;
  if (end == known) end = held_.size() >= holdLimit ? characterBoundary(held_) : 0;
  handedOn_ = end;
  return std::string_view(held_).substr(0, end);
}

std::string_view TextWindow::finish() {
  held_.erase(0, handedOn_);
  handedOn_ = held_.size();
  return held_;
}

// Lines that begin and end within one chunk are handed on from the chunk itself; only the start
// of a line that the next chunk may finish is copied into held_.
void LineWindow::push(std::string_view bytes) {
  for (std::size_t newline; (newline = bytes.find('\n')) != std::string_view::npos;) {
    const std::string_view end = bytes.substr(0, newline + 1);
    if (copying_) {
      copy_(end);
      copying_ = false;
    } else if (held_.empty()) {
      line_(end);
    } else {
      held_.append(end);
      line_(held_);
      held_.clear();
    }
    bytes.remove_prefix(end.size());
  }
  if (!copying_ && held_.size() + bytes.size() < holdLimit) {
    held_.append(bytes);
    return;
  }
  if (!held_.empty()) copy_(held_);
  if (!bytes.empty()) copy_(bytes);
  held_.clear();
  copying_ = true;
}

void LineWindow::finish() {
  if (!held_.empty()) line_(held_);
  held_.clear();
  copying_ = false;
}

}  // namespace command
