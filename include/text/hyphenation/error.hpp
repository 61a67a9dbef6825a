#pragma once

#include <stdexcept>
#include <string>

#include "text/hyphenation/export.hpp"

namespace text::hyphenation {

// The one error type of the library. what() is the complete, exact message, for example
// "Malformed hyphenation score for hyphenation" or "Could not find hyph-xx.pat.txt.gz".
class HYPHENKIT_API Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace text::hyphenation
