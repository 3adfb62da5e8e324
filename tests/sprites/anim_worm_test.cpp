#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "anim_test_support.h"
#include "host/screensaver.h"
#include "sprites/animations.h"

namespace {

using anim_test::At;
using anim_test::kSea;

class WormTest : public anim_test::SpriteTest {
 protected:
  // The worm as its property table leaves it, 60 pixels high, above an 800 x 600 screen.
  Sprite worm_{.X = 100, .Y = -60, .Height = 60, .Frame = 1, .DY = 7, .State = "None"};
};

TEST_F(WormTest, DropsHangsAHundredCallsThenRisesToRestAboveTheTopLimit) {
  TickCount = 98;
  std::map<std::string, int> calls_in;  // calls spent acting in each state
  std::vector<int> transition_cells, still_counts;
  int drop_end_y = 0;
  for (int call = 0; call < 400; ++call) {
    AdvanceSaverCounters();
    const std::string acting = worm_.State == "None" && TickCount == 100 ? "Dropping" : worm_.State;
    Anim_Custom_Worm(worm_);
    ++calls_in[acting];
    if (acting == "Dropping" && worm_.State == "Transition") drop_end_y = worm_.Y.Value();
    if (acting == "Transition") transition_cells.push_back(worm_.Frame.Value());
    if (acting == "Still") still_counts.push_back(WormStillCount.Value());
    if (acting == "Still" || acting == "Rising") {
      const int t = ShortTick.Value();
      ASSERT_EQ(worm_.Frame, t % 20 == 10 && t < 100 ? 4 : 3) << "wriggles at ShortTick " << t;
    }
  }
  ASSERT_EQ(
      calls_in,
      (std::map<std::string, int>{
          {"None", 189}, {"Dropping", 43}, {"Transition", 3}, {"Still", 100}, {"Rising", 65}}));
  EXPECT_EQ(drop_end_y, 241) << "the first Y below 600 / 2 - 60";
  EXPECT_EQ(transition_cells, (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(still_counts[0] == 1 && still_counts[98] == 99 && still_counts[99] == 0);
  EXPECT_EQ(worm_.Y, 241 - 65 * 7) << "the first Y above TopLimit - Height = -210";
  EXPECT_EQ(worm_.X, 100);
}

TEST_F(WormTest, StartsOnlyAtTick100Or600AndStopsDroppingOnlyBelowMidScreen) {
  for (int tick : {0, 99, 101, 599, 601, 1000}) {
    TickCount = tick;
    Anim_Custom_Worm(worm_);
    EXPECT_TRUE(worm_.State == "None" && worm_.Y == -60) << "TickCount " << tick;
  }
  TickCount = 600;
  Anim_Custom_Worm(worm_);
  EXPECT_TRUE(worm_.State == "Dropping" && worm_.Y == -53 && worm_.Frame == 0)
      << "switched and stepped in the same call";
  for (const auto& [y, state] : {std::pair{233, "Dropping"}, {234, "Transition"}}) {
    worm_.Y = y;
    worm_.State = "Dropping";
    Anim_Custom_Worm(worm_);
    EXPECT_EQ(worm_.State, state) << "to " << y + 7 << "; 600 / 2 - 60 is 240";
  }
}

TEST_F(WormTest, GreyLineRunsFromTheTopEdgeToJustInsideTheWorm) {
  constexpr win::COLORREF kGrey = win::RGB(128, 128, 128), kWorm = win::RGB(0xD0, 0x60, 0x60);
  for (const auto& [y, last_row] : {std::pair{10, 12}, {-2, 0}, {-3, -1}}) {
    anim_test::GiveBuffer(30, 30);
    Sprite bare{.X = 2, .Y = y, .State = "None"};  // no surfaces: only the line shows
    Anim_Custom_Worm(bare);
    for (int row = 0; row <= last_row; ++row) EXPECT_EQ(At(11, row), kGrey) << y << ", " << row;
    EXPECT_EQ(At(11, last_row + 1), kSea) << "worm at " << y;
  }
  anim_test::GiveBuffer(30, 30);
  worm_ = {.X = 2, .Y = 10, .Height = 4, .Width = 12, .Frame = 1, .State = "None"};
  anim_test::GiveSheet(worm_, {kWorm, kWorm});
  Anim_Custom_Worm(worm_);
  EXPECT_EQ(At(11, 9), kGrey);
  for (int row = 10; row <= 13; ++row) EXPECT_EQ(At(11, row), kWorm) << "covers the line's end";
}

TEST_F(WormTest, AnOverflowIsReportedUnderTheRoutinesName) {
  worm_.Y = 32766;  // Y + 2 no longer fits 16 bits
  Anim_Custom_Worm(worm_);
  EXPECT_EQ(errors_.contexts(), (std::vector<std::string>{"Animations\\Anim_Custom_Worm"}));
}

}  // namespace
