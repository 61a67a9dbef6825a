#pragma once

// hyphenkit: divides words into the fragments between which a hyphen may be set, by the
// Knuth–Liang method of competing patterns.
//
//   #include <text/hyphenation.hpp>
//   namespace hy = text::hyphenation;
//   auto parts = hy::hyphenate(hy::english_US, U"hyphenation");  // "hy", "phen", "ation"

#include "text/hyphenation/error.hpp"
#include "text/hyphenation/exception.hpp"
#include "text/hyphenation/hyphenator.hpp"
#include "text/hyphenation/language.hpp"
#include "text/hyphenation/pattern.hpp"
