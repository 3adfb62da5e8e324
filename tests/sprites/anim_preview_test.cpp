#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "anim_test_support.h"
#include "sprites/animations.h"

namespace {

using anim_test::At;
using anim_test::kSea;
using anim_test::MaskRowSheet;

// The dialog's 197 x 167 pane over a larger back buffer, and fifty bubbles at (90, 100), each
// stepping 2 across and 6 up.
class PreviewTest : public anim_test::SpriteTest {
 protected:
  void SetUp() override {
    SpriteTest::SetUp();
    PreviewPaneWidth = 197;
    PreviewPaneHeight = 167;
    anim_test::GiveBuffer(260, 200);
    for (int i = 1; i <= 50; ++i) {
      BubblesLeft(i) = {.X = 90, .Y = 100, .Height = 10, .Width = 11, .DX = 2, .DY = -6};
    }
  }
};

TEST_F(PreviewTest, DelayedReverseStepsDownThenUpInItsWindowsAndStopsAtBothEnds) {
  Sprite rec{.Height = 3, .Width = 4, .Frames = 5};
  // first and last ShortTick, and the step: -1 down, +1 up, 0 rests
  for (const auto& [first, last, step] : {std::tuple{0, 0, 0},
                                          {1, 10, -1},
                                          {11, 20, 0},
                                          {21, 30, 1},
                                          {31, 50, 0},
                                          {51, 60, -1},
                                          {61, 70, 0},
                                          {71, 80, 1},
                                          {81, 99, 0}}) {
    for (int tick = first; tick <= last; ++tick) {
      ShortTick = tick;
      rec.Frame = 2;
      Anim_Preview_DelayedReverse(rec);
      EXPECT_EQ(rec.Frame, 2 + step) << "ShortTick " << tick;
    }
  }
  // A whole cycle from the middle cell of four: down to 0, up to 3, down, up.
  rec.Frames = 4;
  rec.Frame = 2;
  std::vector<int> at_window_ends;
  for (int tick = 1; tick <= 99; ++tick) {
    ShortTick = tick;
    Anim_Preview_DelayedReverse(rec);
    if (tick == 10 || tick == 30 || tick == 60 || tick == 80)
      at_window_ends.push_back(rec.Frame.Value());
  }
  EXPECT_EQ(at_window_ends, (std::vector<int>{0, 3, 0, 3}));
}

// The school's cell wraps to 0 once past the last; the back-and-forth item never wraps.
TEST_F(PreviewTest, BothDrawTheCurrentCellBeforeTheyStepIt) {
  const std::vector<win::COLORREF> cells = {win::RGB(200, 0, 0), win::RGB(0, 200, 0),
                                            win::RGB(0, 0, 200), win::RGB(200, 200, 0)};
  FishPreview = {.Y = 74, .Height = 18, .Width = 30, .Frames = 3, .Frame = 3};  // at Frames
  FishPreview.ImageDC = MaskRowSheet(30, 18, cells);
  OtherPreview = FishPreview;
  OtherPreview.X = 200;
  OtherPreview.Y = 150;
  ShortTick = 5;
  std::vector<win::COLORREF> school, item;
  for (int call = 0; call < 4; ++call) {
    Anim_Preview_School(FishPreview);
    Anim_Preview_DelayedReverse(OtherPreview);
    school.push_back(At(51, 74));
    item.push_back(At(200, 150));
  }
  EXPECT_EQ(school, (std::vector{cells[3], cells[0], cells[1], cells[2]}));
  EXPECT_EQ(item, (std::vector{cells[3], cells[2], cells[1], cells[0]}));
}

// A leader at the first third of the pane, at the record's own Y, and two followers at the
// second third, above and below.
TEST_F(PreviewTest, SchoolFillsThePaneWithALeaderAndTwoFollowers) {
  constexpr win::COLORREF kFish = win::RGB(240, 200, 0);
  struct Case {
    float pane_width, pane_height;
    int width, height, y;
    std::vector<std::pair<int, int>> copies;
  };
  const Case cases[] = {{197, 167, 30, 18, 74, {{51, 74}, {116, 47}, {116, 102}}},
                        // Half of a 9-wide fish is 4.5: 45.5 -> 46, 95.5 -> 96 (halves to even).
                        {150, 90, 9, 10, 5, {{46, 5}, {96, 25}, {96, 55}}}};
  for (const Case& c : cases) {
    anim_test::GiveBuffer(260, 200);
    PreviewPaneWidth = c.pane_width;
    PreviewPaneHeight = c.pane_height;
    FishPreview = {.X = 3, .Y = c.y, .Height = c.height, .Width = c.width, .Frames = 1};
    FishPreview.ImageDC = MaskRowSheet(c.width, c.height, {kFish});
    Anim_Preview_School(FishPreview);
    for (const auto& [x, y] : c.copies) {
      EXPECT_TRUE(At(x, y) == kFish && At(x + c.width - 1, y + c.height - 1) == kFish &&
                  At(x - 1, y) == kSea && At(x, y - 1) == kSea &&
                  At(x + c.width, y + c.height - 1) == kSea)
          << "a copy at " << x << ", " << y << " in a pane " << c.pane_width << " wide";
    }
    EXPECT_EQ(At(3, c.y), kSea) << "the record's own X is not used";
  }
}

TEST_F(PreviewTest, OnlyTheFirst25BubblesMoveAndAllDrawFromTheFirstBubblesSheet) {
  constexpr win::COLORREF kBubble = win::RGB(160, 200, 255);
  BubblesLeft(1).ImageDC = MaskRowSheet(11, 10, {kBubble});
  BubblesLeft(1).X = 200;  // out of the way
  BubblesLeft(25).X = 10;
  BubblesLeft(25).Y = 20;
  Anim_Preview_Bubble();
  EXPECT_TRUE(At(10, 20) == kBubble && At(20, 29) == kBubble && At(21, 20) == kSea);
  EXPECT_TRUE(BubblesLeft(25).X == 12 && BubblesLeft(25).Y == 14);
  EXPECT_TRUE(BubblesLeft(26).X == 90 && BubblesLeft(26).Y == 100) << "bubble 26 stands still";
}

// The side tests look at the new X only, and do not clamp it; a bubble past the top comes back
// at the pane's width, not its height.
TEST_F(PreviewTest, BubblesTurnAtThePaneSidesAndReenterAtThePaneWidth) {
  for (const auto& [new_x, dx, turns] : {std::tuple{186, 2, false},
                                         {187, 2, true},
                                         {187, -2, true},
                                         {0, -2, false},
                                         {-1, -2, true},
                                         {-3, 2, true}}) {  // 197 - 11 = 186
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

TEST_F(PreviewTest, AnOverflowIsReportedUnderTheRoutinesNameAndEndsTheTick) {
  BubblesLeft(5).Y = -2147483647;  // plus DY leaves 32 bits
  Anim_Preview_Bubble();
  EXPECT_EQ(BubblesLeft(6).Y, 100);
  FishPreview = {.Height = 1, .Width = 30000, .Frames = 3, .Frame = 2};  // a cell beyond 16 bits
  ShortTick = 5;
  Anim_Preview_DelayedReverse(FishPreview);
  Anim_Preview_School(FishPreview);
  EXPECT_EQ(FishPreview.Frame, 2);
  EXPECT_EQ(errors_.contexts(),
            anim_test::InAnimations(
                {"Anim_Preview_Bubble", "Anim_Preview_DelayedReverse", "Anim_Preview_School"}));
}

}  // namespace
