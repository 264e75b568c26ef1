#include "platform/window/Random.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace window {
namespace {

std::vector<std::int32_t> Draws(int count, std::int32_t low, std::int32_t high) {
  std::vector<std::int32_t> draws;
  for (int i = 0; i < count; ++i) {
    draws.push_back(RandomInRange(low, high));
  }
  return draws;
}

TEST(RandomTest, ASeedMakesTheDrawsRepeatable) {
  SeedRandom(1234);
  const auto first = Draws(20, 1, 1000);
  SeedRandom(1234);
  EXPECT_EQ(Draws(20, 1, 1000), first);
  SeedRandom(4321);
  EXPECT_NE(Draws(20, 1, 1000), first);
}

TEST(RandomTest, DrawsCoverTheWholeRangeEvenlyAndNothingOutside) {
  SeedRandom(7);
  std::map<std::int32_t, int> counts;
  for (const std::int32_t draw : Draws(60000, 1, 6)) {
    ++counts[draw];
  }
  ASSERT_EQ(counts.size(), 6U);
  EXPECT_EQ(counts.begin()->first, 1);
  EXPECT_EQ(counts.rbegin()->first, 6);
  for (const auto& [value, count] : counts) {
    EXPECT_NEAR(count, 10000, 500) << value;
  }
}

TEST(RandomTest, BoundsInEitherOrderAndASingleValue) {
  SeedRandom(3);
  for (const std::int32_t draw : Draws(200, 1000, 1)) {
    EXPECT_GE(draw, 1);
    EXPECT_LE(draw, 1000);
  }
  EXPECT_EQ(Draws(5, 42, 42), std::vector<std::int32_t>(5, 42));
}

} // namespace
} // namespace window
