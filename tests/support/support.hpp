#pragma once

#include <string>

#include "text/hyphenation/error.hpp"

namespace text::hyphenation::testing {

// The message of the Error that `call` throws, or "no error".
std::string errorOf(auto&& call) {
  try {
    call();
  } catch (const Error& error) {
    return error.what();
  }
  return "no error";
}

}  // namespace text::hyphenation::testing
