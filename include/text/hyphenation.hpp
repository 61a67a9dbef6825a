#pragma once

// hyphenkit: divides words into the fragments between which a hyphen may be set, by the
// Knuth–Liang method of competing patterns.
//
//   #include <text/hyphenation.hpp>
//   namespace hy = text::hyphenation;
//   auto parts = hy::hyphenate(hy::english_US, U"hyphenation");  // "hy", "phen", "ation"
//
//   std::vector<std::size_t> points;  // in a hot loop: reused, nothing allocated per word
//   hy::hyphenationPoints(hy::english_US, U"hyphenation", points);  // 2, 6

#include "text/hyphenation/error.hpp"
#include "text/hyphenation/exception.hpp"
#include "text/hyphenation/hyphenator.hpp"
#include "text/hyphenation/language.hpp"
#include "text/hyphenation/markup.hpp"
#include "text/hyphenation/pattern.hpp"
#include "text/hyphenation/scores.hpp"
#include "text/hyphenation/text.hpp"
