#include "runtime/random.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

namespace {

// Each draw lies in [0, 1), and reseeding within one tick of the clock still starts afresh.
TEST(RandomTest, ReseedsWithinOneClockTickStillDifferAndDrawsLieInTheUnitInterval) {
  const std::uint64_t tick = 99;
  rt::SetRandomizeClockForTests(&tick);
  std::set<double> firsts;
  for (int i = 0; i < 20; ++i) {
    rt::Randomize();
    firsts.insert(rt::Rnd());
    for (int draw = 0; draw < 500; ++draw) ASSERT_LT(rt::Rnd(), 1.0);
  }
  rt::SetRandomizeClockForTests(nullptr);
  EXPECT_EQ(firsts.size(), 20u);
}

}  // namespace
