#include "text/hyphenation/char_map.hpp"

#include <gtest/gtest.h>

namespace text::hyphenation::detail {
namespace {

TEST(CharMap, LaterPairsReplaceEarlierOnesAndOtherCodePointsMapToThemselves) {
  CharMap map({{U'A', U'a'}, {U'S', U'\u00DF'}, {U'S', U's'}, {0x10FFFF, U'x'}});
  EXPECT_EQ(map(U'A'), U'a');
  EXPECT_EQ(map(U'S'), U's');
  EXPECT_EQ(map(0x10FFFF), U'x');
  EXPECT_EQ(map(U'a'), U'a');
  EXPECT_EQ(map(0xFFFFFFFF), 0xFFFFFFFF);
  EXPECT_EQ(CharMap()(U'Q'), U'Q');
}

}  // namespace
}  // namespace text::hyphenation::detail
