#include "language/gzip.hpp"

#include <zlib.h>

#include <algorithm>
#include <climits>

#include "text/hyphenation/error.hpp"

namespace text::hyphenation::detail {
namespace {

// A first guess at the inflated size: the length that the last member's trailer records (modulo
// 2^32), trusted no further than deflate's greatest ratio of about 1032 to 1 allows.
std::size_t inflatedSizeGuess(std::span<const unsigned char> compressed) {
  constexpr std::size_t smallest = 256;
  if (compressed.size() < 4) return smallest;
  const unsigned char* trailer = compressed.data() + compressed.size() - 4;
  std::size_t recorded = std::size_t{trailer[0]} | std::size_t{trailer[1]} << 8 |
                         std::size_t{trailer[2]} << 16 | std::size_t{trailer[3]} << 24;
  return std::clamp(recorded, smallest, std::max(smallest, compressed.size() * 1032));
}

class InflateStream {
 public:
  InflateStream() {
    int status = inflateInit2(&stream_, 16 + MAX_WBITS);
    if (status != Z_OK) throw Error(stream_.msg ? stream_.msg : zError(status));
  }
  ~InflateStream() { inflateEnd(&stream_); }
  InflateStream(const InflateStream&) = delete;
  InflateStream& operator=(const InflateStream&) = delete;

  z_stream* operator->() { return &stream_; }
  z_stream* get() { return &stream_; }

 private:
  z_stream stream_{};
};

}  // namespace

std::string gunzip(std::span<const unsigned char> compressed) {
  std::string inflated;
  if (compressed.empty()) return inflated;
  InflateStream stream;
  // zlib counts in uInt; larger buffers are handed over in pieces.
  const unsigned char* input = compressed.data();
  std::size_t inputLeft = compressed.size();
  auto refill = [&] {
    if (stream->avail_in == 0 && inputLeft > 0) {
      auto piece = static_cast<uInt>(std::min<std::size_t>(inputLeft, UINT_MAX));
      stream->next_in = const_cast<unsigned char*>(input);
      stream->avail_in = piece;
      input += piece;
      inputLeft -= piece;
    }
  };
  inflated.resize(inflatedSizeGuess(compressed));
  std::size_t produced = 0;
  for (;;) {
    refill();
    if (produced == inflated.size()) inflated.resize(inflated.size() * 2);
    auto* output = reinterpret_cast<unsigned char*>(inflated.data());
    stream->next_out = output + produced;
    stream->avail_out =
        static_cast<uInt>(std::min<std::size_t>(inflated.size() - produced, UINT_MAX));
    int status = inflate(stream.get(), Z_NO_FLUSH);
    produced = static_cast<std::size_t>(stream->next_out - output);
    if (status == Z_STREAM_END) {
      refill();
      if (stream->avail_in == 0) break;
      inflateReset(stream.get());  // another gzip member follows
    } else if (status == Z_BUF_ERROR && stream->avail_out > 0) {
      throw Error("unexpected end of file");  // no input left before the stream's end
    } else if (status != Z_OK && status != Z_BUF_ERROR) {
      throw Error(stream->msg ? stream->msg : zError(status));
    }
  }
  inflated.resize(produced);
  return inflated;
}

}  // namespace text::hyphenation::detail
