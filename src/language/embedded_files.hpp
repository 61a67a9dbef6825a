#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "language/gzip.hpp"

namespace text::hyphenation::detail {

// One gzip-compressed data file carried in the library's read-only data, named
// "hyph-" + code + "." + kind + ".txt.gz" with kind one of chr, hyp, lic, pat.
struct EmbeddedFile {
  std::string_view name;
  std::span<const unsigned char> data;
};

// Every file of the data directory the library was built from, in ascending byte order of
// name; names are unique. Generated at build time; fixed for the life of the process.
std::span<const EmbeddedFile> embeddedFiles();

// The text of the embedded file called exactly `name` (case and all, ".gz" included):
// decompressed and decoded from UTF-8 (see decodeUtf8) afresh on every call.
// Throws Error("Could not find " + name) when there is no such file, and Error with zlib's
// message when its bytes are not valid gzip. Safe from any number of threads.
std::u32string readEmbeddedFile(std::string_view name);

// For tests: how many times readEmbeddedFile has decompressed the file called `name` in this
// process (0 for a name not in the table).
std::uint64_t embeddedReadCount(std::string_view name);

}  // namespace text::hyphenation::detail
