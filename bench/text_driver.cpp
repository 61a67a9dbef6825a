// Times hyphenateText on a file, as the hyphenate command uses it: pieces of about 1 MiB, each
// ending at a space, US English, separator "-". Prints the processor time and the rate.
//
//   text_driver FILE
//
// Uses only the public API that every revision has, so that bench/text-speed can build it
// against an earlier revision of the library too.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "text/hyphenation.hpp"

namespace hy = text::hyphenation;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: text_driver FILE\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  hy::hyphenateText(hy::english_US, "Warm up every table first.", "-");
  std::size_t written = 0;
  const std::clock_t start = std::clock();
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = std::min(text.size(), at + (std::size_t{1} << 20));
    while (end < text.size() && text[end - 1] != ' ')
      ++end;
    written +=
        hy::hyphenateText(hy::english_US, std::string_view(text).substr(at, end - at), "-").size();
    at = end;
  }
  const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  std::printf("%.3f s processor time, %.1f MB/s, %zu bytes in, %zu out\n", seconds,
              static_cast<double>(text.size()) / seconds / 1e6, text.size(), written);
  return 0;
}
