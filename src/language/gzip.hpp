#pragma once

#include <span>
#include <string>

namespace text::hyphenation::detail {

// The bytes of one or more gzip members one after another, inflated and joined. Throws Error
// with zlib's message for anything else; no bytes at all inflate to nothing.
std::string gunzip(std::span<const unsigned char> compressed);

}  // namespace text::hyphenation::detail
