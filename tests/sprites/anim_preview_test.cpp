#include "anim_test_support.h"

namespace anim_test {
namespace {

// The dialog's 197 x 167 pane over a larger back buffer.
class PreviewTest : public SpriteTest {
 protected:
  void SetUp() override {
    SpriteTest::SetUp();
    PreviewPaneWidth = 197;
    PreviewPaneHeight = 167;
    GiveBuffer(260, 200);
  }
};

TEST_F(PreviewTest, DelayedReverseStepsDownThenUpInItsWindowsAndStopsAtBothEnds) {
  Sprite rec{.Height = 3, .Width = 4, .Frames = 5};
  // first and last ShortTick, and the step: -1 down, +1 up, 0 rests
  const std::tuple<int, int, int> windows[] = {{0, 0, 0},   {1, 10, -1}, {11, 20, 0},
                                               {21, 30, 1}, {31, 50, 0}, {51, 60, -1},
                                               {61, 70, 0}, {71, 80, 1}, {81, 99, 0}};
  for (const auto& [first, last, step] : windows) {
    for (int tick = first; tick <= last; ++tick) {
      ShortTick = tick;
      rec.Frame = 2;
      Anim_Preview_DelayedReverse(rec);
      EXPECT_EQ(rec.Frame, 2 + step) << "ShortTick " << tick;
    }
  }
  // A whole cycle from the middle cell of four, each drawn before the step: down to 0, up to 3,
  // down, up.
  const std::vector<win::COLORREF> cells = {win::RGB(200, 0, 0), win::RGB(0, 200, 0),
                                            win::RGB(0, 0, 200), win::RGB(200, 200, 0)};
  rec = {.X = 20, .Y = 30, .Height = 3, .Width = 4, .Frames = 4, .Frame = 2};
  rec.ImageDC = MaskRowSheet(4, 3, cells);
  std::vector<int> at_window_ends;
  for (int tick = 1; tick <= 99; ++tick) {
    ShortTick = tick;
    Anim_Preview_DelayedReverse(rec);
    if (tick == 1) {
      EXPECT_EQ(At(20, 30), cells[2]);
    }
    if (tick == 10 || tick == 30 || tick == 60 || tick == 80)
      at_window_ends.push_back(rec.Frame.Value());
  }
  EXPECT_EQ(at_window_ends, (std::vector<int>{0, 3, 0, 3}));
  EXPECT_TRUE(At(23, 32) == cells[3] && At(24, 30) == kSea && At(20, 33) == kSea) << "one cell";
}

// A leader at the first third of the pane, at the record's own Y, and two followers at the
// second third, above and below; half of a 9-wide fish is 4.5: 45.5 and 95.5 round to even. The
// cell is drawn, then stepped, and wraps once past the last.
TEST_F(PreviewTest, SchoolFillsThePaneWithALeaderAndTwoFollowers) {
  constexpr win::COLORREF kFish = win::RGB(240, 200, 0);
  PreviewPaneWidth = 150;
  PreviewPaneHeight = 90;
  FishPreview = {.X = 3, .Y = 5, .Height = 10, .Width = 9, .Frames = 2, .Frame = 1};
  FishPreview.ImageDC = MaskRowSheet(9, 10, {kSea, kFish});
  Anim_Preview_School(FishPreview);
  for (const auto& [x, y] : {std::pair{46, 5}, {96, 25}, {96, 55}}) {
    EXPECT_TRUE(At(x, y) == kFish && At(x + 8, y + 9) == kFish && At(x - 1, y) == kSea &&
                At(x, y - 1) == kSea && At(x + 9, y + 9) == kSea)
        << "a copy at " << x << ", " << y;
  }
  EXPECT_EQ(FishPreview.Frame, 0);
}

// Only the first 25 bubbles move, all drawn from the first bubble's sheet. The side tests look at
// the new X only and do not clamp it; a bubble past the top comes back at the pane's width, not
// its height.
TEST_F(PreviewTest, TwentyFiveBubblesTurnAtThePaneSidesAndReenterAtThePaneWidth) {
  constexpr win::COLORREF kBubble = win::RGB(160, 200, 0x80);
  for (int i = 1; i <= 50; ++i)
    BubblesLeft(i) = {.X = 90, .Y = 100, .Height = 10, .Width = 11, .DX = 2, .DY = -6};
  BubblesLeft(1).ImageDC = MaskRowSheet(11, 10, {kBubble});
  BubblesLeft(25).X = 10;
  BubblesLeft(25).Y = 20;
  Anim_Preview_Bubble();
  EXPECT_TRUE(At(10, 20) == kBubble && At(20, 29) == kBubble && At(21, 20) == kSea);
  EXPECT_TRUE(BubblesLeft(25).Y == 14 && BubblesLeft(26).Y == 100) << "bubble 26 stands still";
  const std::tuple<int, int, bool> cases[] = {{186, 2, false}, {187, 2, true}, {187, -2, true},
                                              {0, -2, false},  {-1, -2, true}, {-3, 2, true}};
  for (const auto& [new_x, dx, turns] : cases) {  // the right side at 197 - 11 = 186
    BubblesLeft(9).X = new_x - dx;
    BubblesLeft(9).DX = dx;
    Anim_Preview_Bubble();
    EXPECT_TRUE(BubblesLeft(9).X == new_x && BubblesLeft(9).DX == (turns ? -dx : dx))
        << "at " << new_x << " moving " << dx;
  }
  for (const auto& [pane_width, y, new_y] :
       {std::tuple{197.0f, 5, 197}, {197.0f, 6, 0}, {120.5f, 2, 120}}) {  // halves to even
    PreviewPaneWidth = pane_width;
    BubblesLeft(3).Y = y;
    Anim_Preview_Bubble();
    EXPECT_EQ(BubblesLeft(3).Y, new_y) << "from " << y << " in a pane " << pane_width;
  }
}

}  // namespace
}  // namespace anim_test
