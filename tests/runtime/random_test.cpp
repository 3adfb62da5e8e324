#include "runtime/random.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

namespace {

TEST(RandomTest, NumbersLieInTheUnitInterval) {
  rt::RandomizeWith(7);
  for (int i = 0; i < 10000; ++i) {
    const double r = rt::Rnd();
    ASSERT_TRUE(r >= 0.0 && r < 1.0) << r;
  }
}

TEST(RandomTest, ReseedsWithinOneClockTickStillDiffer) {
  const std::uint64_t tick = 99;
  rt::SetRandomizeClockForTests(&tick);
  std::set<double> firsts;
  for (int i = 0; i < 20; ++i) {
    rt::Randomize();
    firsts.insert(rt::Rnd());
  }
  rt::SetRandomizeClockForTests(nullptr);
  EXPECT_EQ(firsts.size(), 20u);
}

}  // namespace
