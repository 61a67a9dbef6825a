#include "common/code_point_table.hpp"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace text::hyphenation::detail {
namespace {

TEST(CharMap, LaterPairsReplaceEarlierOnesAndOtherCodePointsMapToThemselves) {
  CharMap map({{U'A', U'a'}, {U'S', U'\u00DF'}, {U'S', U's'}, {0x10FFFF, U'x'}});
  EXPECT_EQ(map(U'A'), U'a');
  EXPECT_EQ(map(U'S'), U's');
  EXPECT_EQ(map(0x10FFFF), U'x');
  EXPECT_EQ(map(U'a'), U'a');
  EXPECT_EQ(map(0x10FF00), 0x10FF00u);
  EXPECT_EQ(map(0xFFFFFFFF), 0xFFFFFFFF);
  EXPECT_EQ(CharMap()(U'Q'), U'Q');
  EXPECT_EQ(map.entries().size(), 3u);
}

TEST(CharMap, AgreesWithAnOrderedMapOnRandomTables) {
  std::mt19937 random(7);
  for (int round = 0; round < 50; ++round) {
    std::vector<std::pair<char32_t, char32_t>> pairs;
    std::map<char32_t, char32_t> model;
    const char32_t span = round % 2 ? 0x3000 : 0x110000;
    for (int i = 0; i < 40; ++i) {
      char32_t key = random() % span, value = random() % span;
      pairs.emplace_back(key, value);
      model[key] = value;
    }
    CharMap map(pairs);
    for (const auto& [key, value] : model)
      EXPECT_EQ(map(key), value);
    for (int i = 0; i < 200; ++i) {
      char32_t c = random() % (span + 1000);
      auto found = model.find(c);
      EXPECT_EQ(map(c), found == model.end() ? c : found->second);
    }
  }
}

}  // namespace
}  // namespace text::hyphenation::detail
