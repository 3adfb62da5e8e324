#include <map>

#include "anim_test_support.h"
#include "host/screensaver.h"

namespace anim_test {
namespace {

class WormTest : public SpriteTest {};

// The worm as its property table leaves it, 60 pixels high, above an 800 x 600 screen: it drops
// at TickCount 100 until below 600 / 2 - 60, hangs, rises above TopLimit - 60 = -210 and rests
// there until TickCount 600.
TEST_F(WormTest, DropsAtTick100HangsAHundredCallsRisesAndDropsAgainAt600) {
  Worm = {.X = 100, .Y = -60, .Height = 60, .Frame = 1, .DY = 7, .State = "None"};
  std::map<std::string, int> calls_in;  // calls spent acting in each state
  int drop_end_y = 0, rest_y = 0;
  for (int call = 1; call <= 600; ++call) {
    AdvanceSaverCounters();
    const std::string acting =
        Worm.State == "None" && (TickCount == 100 || TickCount == 600) ? "Dropping" : Worm.State;
    Anim_Custom_Worm(Worm);
    ++calls_in[acting];
    if (acting == "Dropping" && Worm.State == "Transition") drop_end_y = Worm.Y.Value();
    if (acting == "Rising" && Worm.State == "None") rest_y = Worm.Y.Value();
    if (acting == "Still" || acting == "Rising") {
      const int t = ShortTick.Value();
      ASSERT_EQ(Worm.Frame, t % 20 == 10 && t < 100 ? 4 : 3) << "wriggles at ShortTick " << t;
    }
  }
  ASSERT_EQ(
      calls_in,
      (std::map<std::string, int>{
          {"None", 388}, {"Dropping", 44}, {"Transition", 3}, {"Still", 100}, {"Rising", 65}}));
  EXPECT_TRUE(drop_end_y == 241 && rest_y == 241 - 65 * 7) << drop_end_y << ", " << rest_y;
  EXPECT_EQ(WormStillCount, 0) << "counted to 100 and back to 0 as the worm began to rise";
  EXPECT_TRUE(Worm.State == "Dropping" && Worm.Y == rest_y + 7 && Worm.X == 100);

  Worm = {.Y = 233, .Height = 60, .DY = 7, .State = "Dropping"};
  Anim_Custom_Worm(Worm);
  EXPECT_EQ(Worm.State, "Dropping") << "240 is not below 600 / 2 - 60";
}

// The line runs from the top edge to two pixels below the worm's top, where the worm covers it.
TEST_F(WormTest, GreyLineRunsFromTheTopEdgeToJustInsideTheWorm) {
  constexpr win::COLORREF kGrey = win::RGB(128, 128, 128), kWorm = win::RGB(0xD0, 0x60, 0x20);
  for (const auto& [y, last_row] : {std::pair{10, 12}, {-2, 0}, {-3, -1}}) {
    GiveBuffer(30, 30);
    Sprite bare{.X = 2, .Y = y, .State = "None"};  // no surfaces: only the line shows
    Anim_Custom_Worm(bare);
    for (int row = 0; row <= last_row; ++row) EXPECT_EQ(At(11, row), kGrey) << y << ", " << row;
    EXPECT_EQ(At(11, last_row + 1), kSea) << "worm at " << y;
  }
  Worm = {.X = 2, .Y = 10, .Height = 4, .Width = 12, .Frame = 1, .State = "None"};
  GiveSheet(Worm, {kWorm, kWorm});
  Anim_Custom_Worm(Worm);
  EXPECT_TRUE(At(11, 9) == kGrey && At(11, 10) == kWorm && At(11, 12) == kWorm);
}

}  // namespace
}  // namespace anim_test
