#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "anim_test_support.h"
#include "host/screensaver.h"
#include "sprites/animations.h"

namespace {

using anim_test::At;
using anim_test::ErrorRecorder;

// The worm as its property table leaves it, hanging 60 pixels high above an 800 x 600 screen.
Sprite StartingWorm() {
  return {.X = 100,
          .Y = -60,
          .Height = 60,
          .Width = 37,
          .Frames = 3,
          .Frame = 1,
          .DY = 7,
          .State = "None"};
}

class WormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    anim_test::UseScreen800x600();
    Buffer = Sprite{};
    WormStillCount = 0;
    TickCount = 0;
    ShortTick = 0;
  }
};

TEST_F(WormTest, DropsHangsRisesAndRestsOnA600PixelScreen) {
  Sprite worm = StartingWorm();
  TickCount = 98;
  std::map<std::string, int> calls_in;  // calls spent acting in each state
  std::vector<int> still_counts;
  int drop_end_y = 0;
  for (int call = 0; call < 400; ++call) {
    AdvanceSaverCounters();
    const std::string acting = worm.State == "None" && TickCount == 100 ? "Dropping" : worm.State;
    Anim_Custom_Worm(worm);
    ++calls_in[acting];
    if (acting == "Dropping" && worm.State == "Transition") drop_end_y = worm.Y.Value();
    if (acting == "Still") still_counts.push_back(WormStillCount.Value());
  }
  EXPECT_EQ(drop_end_y, 241) << "the first Y above 600 / 2 - 60";
  EXPECT_EQ(calls_in["Dropping"], 43);
  EXPECT_EQ(calls_in["Transition"], 3);
  EXPECT_EQ(calls_in["Still"], 100);
  EXPECT_EQ(calls_in["Rising"], 65);
  EXPECT_EQ(worm.State, "None");
  EXPECT_EQ(worm.Y.Value(), 241 - 65 * 7) << "rests above TopLimit - Height = -210";
  EXPECT_LT(worm.Y.Value(), -210);
  ASSERT_EQ(still_counts.size(), 100u);
  EXPECT_EQ(still_counts.front(), 1);
  EXPECT_EQ(still_counts[98], 99);
  EXPECT_EQ(still_counts.back(), 0) << "back to 0 as the worm starts rising";
  EXPECT_EQ(worm.X.Value(), 100);
}

TEST_F(WormTest, CellsOfTheDropTransitionAndHang) {
  Sprite worm = StartingWorm();
  TickCount = 600;
  Anim_Custom_Worm(worm);
  EXPECT_EQ(worm.State, "Dropping") << "switched and stepped in the same call";
  EXPECT_EQ(worm.Y.Value(), -53);
  EXPECT_EQ(worm.Frame.Value(), 0);

  worm.Y = 233;
  Anim_Custom_Worm(worm);
  EXPECT_EQ(worm.State, "Dropping") << "240 is not below 600 / 2 - 60";
  EXPECT_EQ(worm.Y.Value(), 240);
  worm.Y = 234;
  Anim_Custom_Worm(worm);
  EXPECT_EQ(worm.State, "Transition") << "241 is";

  std::vector<int> cells;
  for (int i = 0; i < 3; ++i) {
    Anim_Custom_Worm(worm);
    cells.push_back(worm.Frame.Value());
  }
  EXPECT_EQ(cells, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(worm.State, "Still");

  struct Case {
    int short_tick, cell;
  };
  for (const Case c : {Case{10, 4}, Case{11, 3}, Case{30, 4}, Case{90, 4}, Case{20, 3}}) {
    ShortTick = c.short_tick;
    Anim_Custom_Worm(worm);
    EXPECT_EQ(worm.Frame.Value(), c.cell) << "ShortTick " << c.short_tick;
  }
  worm.State = "Rising";
  ShortTick = 50;
  Anim_Custom_Worm(worm);
  EXPECT_EQ(worm.Frame.Value(), 4);
}

TEST_F(WormTest, WaitsAboveTheScreenForTick100Or600) {
  Sprite worm = StartingWorm();
  for (int tick : {0, 99, 101, 599, 601, 1000}) {
    TickCount = tick;
    Anim_Custom_Worm(worm);
    EXPECT_EQ(worm.State, "None") << "TickCount " << tick;
    EXPECT_EQ(worm.Y.Value(), -60);
  }
  worm.State = "none";  // states are compared exactly
  TickCount = 100;
  Anim_Custom_Worm(worm);
  EXPECT_EQ(worm.State, "none");
  EXPECT_EQ(worm.Y.Value(), -60);
}

TEST_F(WormTest, OverflowIsReportedUnderTheRoutine) {
  ErrorRecorder recorder;
  Sprite worm = StartingWorm();
  worm.Y = 32766;  // Y + 2 no longer fits 16 bits
  Anim_Custom_Worm(worm);
  worm.Y = 0;
  worm.State = "Still";
  WormStillCount = 32767;
  Anim_Custom_Worm(worm);
  EXPECT_EQ(recorder.contexts(), (std::vector<std::string>{"Animations\\Anim_Custom_Worm",
                                                           "Animations\\Anim_Custom_Worm"}));
}

// ---- What lands in the back buffer ----

constexpr win::COLORREF kSea = win::RGB(0, 0, 0x40);
constexpr win::COLORREF kGrey = win::RGB(128, 128, 128);
constexpr win::COLORREF kWorm = win::RGB(0xD0, 0x60, 0x60);

TEST_F(WormTest, GreyLineFromTheTopEdgeToJustInsideTheWorm) {
  anim_test::GiveBuffer(30, 30, kSea);
  Sprite bare = StartingWorm();  // no surfaces: only the line shows
  bare.X = 2;
  bare.Y = 10;
  Anim_Custom_Worm(bare);
  for (int y = 0; y <= 12; ++y) EXPECT_EQ(At(11, y), kGrey) << "y " << y;
  EXPECT_EQ(At(11, 13), kSea);
  EXPECT_EQ(At(10, 5), kSea);

  anim_test::GiveBuffer(30, 30, kSea);
  Sprite worm = StartingWorm();
  worm.Width = 12;
  worm.Height = 4;
  worm.X = 2;
  worm.Y = 10;
  anim_test::GiveSheet(worm, 12, 4, {kWorm, kWorm});
  Anim_Custom_Worm(worm);
  EXPECT_EQ(At(11, 9), kGrey);
  for (int y = 10; y <= 13; ++y) EXPECT_EQ(At(11, y), kWorm) << "the worm covers the line's end";

  anim_test::GiveBuffer(30, 30, kSea);
  bare.Y = -3;  // Y + 2 below 0: no line
  Anim_Custom_Worm(bare);
  EXPECT_EQ(At(11, 0), kSea);
  bare.Y = -2;
  Anim_Custom_Worm(bare);
  EXPECT_EQ(At(11, 0), kGrey);
  EXPECT_EQ(At(11, 1), kSea);
  Buffer = Sprite{};
}

}  // namespace
