#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/hyphenation.hpp"

namespace text::hyphenation {
namespace {

// Runs during static initialisation, before main and in no particular order with the library's
// own translation units: a prebuilt hyphenator must already work here.
const std::vector<std::u32string> splitBeforeMain = hyphenate(english_US, U"hyphenation");

TEST(LanguageHyphenator, WorksFromAnotherTranslationUnitsStaticInitialiser) {
  EXPECT_EQ(splitBeforeMain, (std::vector<std::u32string>{U"hy", U"phen", U"ation"}));
}

}  // namespace
}  // namespace text::hyphenation
