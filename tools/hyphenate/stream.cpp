#include "stream.hpp"

#include <unistd.h>
#include <utf8proc.h>

#include <cerrno>

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

void Output::flush() {
  writeAll(buffer_);
  buffer_.clear();
}

void Output::writeSlowly(std::string_view piece) {
  flush();
  if (piece.size() >= buffer_.capacity()) {
    writeAll(piece);
  } else {
    buffer_.append(piece);
  }
}

void Output::writeAll(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(output_, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      throw OutputError{errno};
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

std::size_t characterCount(std::string_view text) {
  const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(text.data());
  std::size_t count = 0;
  for (std::size_t at = 0; at < text.size(); ++count) {
    utf8proc_int32_t c;
    const utf8proc_ssize_t length =
        utf8proc_iterate(bytes + at, static_cast<utf8proc_ssize_t>(text.size() - at), &c);
    at += length > 0 ? static_cast<std::size_t>(length) : 1;
  }
  return count;
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
