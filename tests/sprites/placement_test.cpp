#include "sprites/placement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <utility>

#include "anim_test_support.h"
#include "host/starter.h"
#include "runtime/random.h"
#include "sprites/animations.h"

namespace {

class PlacementTest : public anim_test::SpriteTest {
 protected:
  void SetUp() override {
    SpriteTest::SetUp();
    rt::RandomizeWith(12345);
  }
  // The smallest and the largest of many draws.
  template <class Draw>
  static std::pair<int, int> Range(Draw draw) {
    int lo = INT_MAX, hi = INT_MIN;
    for (int i = 0; i < 20000; ++i) {
      const int v = draw();
      lo = std::min(lo, v);
      hi = std::max(hi, v);
    }
    return {lo, hi};
  }
};

TEST_F(PlacementTest, StartFrameCoversTheCellsOfTheFirstStrip) {
  EXPECT_EQ(Range([] { return RandomStartFrame(7).Value(); }), std::pair(0, 6));
  EXPECT_EQ(Range([] { return RandomStartFrame(1).Value(); }), std::pair(0, 0));
}

TEST_F(PlacementTest, SwimPositionSpansTheTurnLimitsLessTheSize) {
  LeftLimit = -3;
  RightLimit = 9;
  BottomLimit = 12;
  EXPECT_EQ(Range([] { return RandomSwimPosition(5, 4).X.Value(); }), std::pair(-3, 4));
  EXPECT_EQ(Range([] { return RandomSwimPosition(5, 4).Y.Value(); }), std::pair(0, 8));
}

TEST_F(PlacementTest, DropPositionWaitsJustAboveTheScreen) {
  ScreenWidth = 40;
  EXPECT_EQ(Range([] { return RandomDropPosition(32, 51).X.Value(); }), std::pair(0, 8));
  EXPECT_EQ(Range([] { return RandomDropPosition(32, 51).Y.Value(); }), std::pair(-51, -51));
  ScreenWidth = 32;
  EXPECT_EQ(Range([] { return RandomDropPosition(32, 51).X.Value(); }), std::pair(0, 0));
}

TEST_F(PlacementTest, CentreAnchoredXRoundsHalvesToEven) {
  struct Case {
    int screen_width;
    double offset;
    int x;
  };
  const Case cases[] = {{640, -30.5, 290},  {800, -30.5, 370}, {1022, -30.5, 480},
                        {1024, -30.5, 482}, {1023, +248, 760}, {801, +248, 648},
                        {1024, -325, 187},  {1025, -325, 188}};
  for (const Case& c : cases) {
    ScreenWidth = c.screen_width;
    EXPECT_EQ(CentreAnchoredX(c.offset), c.x) << c.screen_width << " " << c.offset;
  }
}

// Spans that would overflow 16 bits on a very wide screen are taken in 32 bits.
TEST_F(PlacementTest, VeryWideScreensPlaceWithoutOverflow) {
  anim_test::UseScreen(20000, 1000);
  const auto [lo, hi] = Range([] { return RandomSwimPosition(195, 54).X.Value(); });
  EXPECT_TRUE(lo >= -10000 && hi <= 30000 - 195) << lo << " to " << hi;
  EXPECT_NO_THROW(RandomDropPosition(65, 144));
}

}  // namespace
