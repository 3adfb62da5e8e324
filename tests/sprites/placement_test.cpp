#include "sprites/placement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "host/starter.h"
#include "runtime/random.h"
#include "sprites/animations.h"

namespace {

constexpr int kDraws = 20000;

class PlacementTest : public ::testing::Test {
 protected:
  void SetUp() override { rt::RandomizeWith(12345); }
};

TEST_F(PlacementTest, StartFrameCoversEveryCellOfTheFirstStrip) {
  std::set<int> seen;
  for (int i = 0; i < kDraws; ++i) seen.insert(RandomStartFrame(7).Value());
  EXPECT_EQ(seen, (std::set<int>{0, 1, 2, 3, 4, 5, 6}));
  for (int i = 0; i < 100; ++i) EXPECT_EQ(RandomStartFrame(1), 0);
}

TEST_F(PlacementTest, SwimPositionSpansTheTurnLimits) {
  LeftLimit = -3;
  RightLimit = 9;
  BottomLimit = 12;
  int min_x = 1000, max_x = -1000, min_y = 1000, max_y = -1000;
  for (int i = 0; i < kDraws; ++i) {
    const Position p = RandomSwimPosition(5, 4);
    min_x = std::min(min_x, p.X.Value());
    max_x = std::max(max_x, p.X.Value());
    min_y = std::min(min_y, p.Y.Value());
    max_y = std::max(max_y, p.Y.Value());
  }
  EXPECT_EQ(min_x, -3);  // LeftLimit
  EXPECT_EQ(max_x, 4);   // RightLimit - Width
  EXPECT_EQ(min_y, 0);
  EXPECT_EQ(max_y, 8);  // BottomLimit - Height
}

TEST_F(PlacementTest, DropPositionWaitsJustAboveTheScreen) {
  ScreenWidth = 40;
  int min_x = 1000, max_x = -1000;
  for (int i = 0; i < kDraws; ++i) {
    const Position p = RandomDropPosition(32, 51);
    EXPECT_EQ(p.Y, -51);
    min_x = std::min(min_x, p.X.Value());
    max_x = std::max(max_x, p.X.Value());
  }
  EXPECT_EQ(min_x, 0);
  EXPECT_EQ(max_x, 8);
  ScreenWidth = 32;
  for (int i = 0; i < 100; ++i) EXPECT_EQ(RandomDropPosition(32, 51).X, 0);
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

// Differences that would overflow 16 bits on a very wide screen are taken in 32 bits.
TEST_F(PlacementTest, VeryWideScreensPlaceWithoutOverflow) {
  ScreenWidth = 20000;
  LeftLimit = -10000;
  RightLimit = 30000;
  BottomLimit = 1000;
  for (int i = 0; i < 1000; ++i) {
    const Position p = RandomSwimPosition(195, 54);
    EXPECT_GE(p.X, -10000);
    EXPECT_LE(p.X, 30000 - 195);
  }
  EXPECT_NO_THROW(RandomDropPosition(65, 144));
}

}  // namespace
