#include <gtest/gtest.h>

#include <vector>

#include "anim_test_support.h"
#include "sprites/animations.h"

namespace {

using anim_test::At;
using anim_test::ErrorRecorder;

constexpr win::COLORREF kSea = win::RGB(0, 0, 0x40);
constexpr win::COLORREF kBlack = win::RGB(0, 0, 0);

// A sheet of solid cells with a mask row under the picture row that keeps every pixel opaque.
SurfaceRef MaskRowSheet(int width, int height, const std::vector<win::COLORREF>& colours) {
  return anim_test::PaintedSurface(
      width * static_cast<int>(colours.size()), 2 * height,
      [&](int x, int y) { return y < height ? colours[x / width] : kBlack; });
}

class PreviewRoutinesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PreviewPaneWidth = 197;
    PreviewPaneHeight = 167;
    ShortTick = 0;
    TickCount = 0;
    anim_test::GiveBuffer(260, 200, kSea);
  }
  void TearDown() override {
    FishPreview = Sprite{};
    OtherPreview = Sprite{};
    anim_test::Clear(BubblesLeft);
    Buffer = Sprite{};
    ShortTick = 0;
    TickCount = 0;
  }
};

// ---- Delayed reverse ----

TEST_F(PreviewRoutinesTest, DelayedReverseStepsOnlyInItsFourWindows) {
  struct Case {
    int first, last, step;  // step: -1 down, +1 up, 0 rests
  };
  const Case cases[] = {{0, 0, 0},    {1, 10, -1}, {11, 20, 0}, {21, 30, 1}, {31, 50, 0},
                        {51, 60, -1}, {61, 70, 0}, {71, 80, 1}, {81, 99, 0}};
  Sprite& rec = OtherPreview;
  rec.Width = 4;
  rec.Height = 3;
  rec.Frames = 5;
  for (const auto& c : cases) {
    for (int tick = c.first; tick <= c.last; ++tick) {
      ShortTick = tick;
      rec.Frame = 2;
      Anim_Preview_DelayedReverse(rec);
      EXPECT_EQ(rec.Frame.Value(), 2 + c.step) << "ShortTick " << tick;
    }
  }
}

TEST_F(PreviewRoutinesTest, DelayedReverseStopsAtBothEndsAndNeverWraps) {
  Sprite& rec = FishPreview;
  rec.Width = 4;
  rec.Height = 3;
  rec.Frames = 4;
  // A full ten-second cycle from the middle cell: down to 0, up to 3, down, up.
  rec.Frame = 2;
  std::vector<int> at_window_ends;
  for (int tick = 1; tick <= 99; ++tick) {
    ShortTick = tick;
    Anim_Preview_DelayedReverse(rec);
    if (tick == 10 || tick == 30 || tick == 60 || tick == 80)
      at_window_ends.push_back(rec.Frame.Value());
  }
  EXPECT_EQ(at_window_ends, (std::vector<int>{0, 3, 0, 3}));

  // A cell above the last one is not pulled back by an up window, only by a down window.
  rec.Frame = 6;
  ShortTick = 25;
  Anim_Preview_DelayedReverse(rec);
  EXPECT_EQ(rec.Frame.Value(), 6);
  ShortTick = 5;
  Anim_Preview_DelayedReverse(rec);
  EXPECT_EQ(rec.Frame.Value(), 5);

  rec.Frames = 1;
  rec.Frame = 0;
  for (int tick = 0; tick <= 99; ++tick) {
    ShortTick = tick;
    Anim_Preview_DelayedReverse(rec);
    ASSERT_EQ(rec.Frame.Value(), 0) << "one cell never changes, ShortTick " << tick;
  }
}

TEST_F(PreviewRoutinesTest, DelayedReverseDrawsTheCurrentCellBeforeStepping) {
  constexpr win::COLORREF kFirst = win::RGB(200, 10, 10), kSecond = win::RGB(10, 200, 10);
  Sprite& rec = FishPreview;
  rec.Width = 4;
  rec.Height = 3;
  rec.Frames = 2;
  rec.Frame = 1;
  rec.X = 20;
  rec.Y = 30;
  rec.ImageDC = MaskRowSheet(4, 3, {kFirst, kSecond});
  ShortTick = 5;
  Anim_Preview_DelayedReverse(rec);
  EXPECT_EQ(At(20, 30), kSecond);
  EXPECT_EQ(At(23, 32), kSecond);
  EXPECT_EQ(At(24, 30), kSea);
  EXPECT_EQ(At(20, 33), kSea);
  EXPECT_EQ(rec.Frame.Value(), 0);
}

// ---- School ----

// A leader at the first third of the pane and two followers at the second, above and below.
TEST_F(PreviewRoutinesTest, SchoolFillsThePaneWithALeaderAndTwoFollowers) {
  constexpr win::COLORREF kFish = win::RGB(240, 200, 0);
  struct Copy {
    int x, y;
  };
  struct Case {
    float pane_width, pane_height;
    int width, height, y;
    std::vector<Copy> copies;
  };
  const Case cases[] = {
      {197, 167, 30, 18, 74, {{51, 74}, {116, 47}, {116, 102}}},
      // Half of a 9-wide fish is 4.5: 45.5 -> 46, 95.5 -> 96 (halves to even).
      {150, 90, 9, 10, 5, {{46, 5}, {96, 25}, {96, 55}}},
  };
  for (const Case& c : cases) {
    anim_test::GiveBuffer(260, 200, kSea);
    PreviewPaneWidth = c.pane_width;
    PreviewPaneHeight = c.pane_height;
    Sprite& rec = FishPreview;
    rec.Width = c.width;
    rec.Height = c.height;
    rec.Frames = 1;
    rec.X = 3;  // not used: the leader's x comes from the pane
    rec.Y = c.y;
    rec.ImageDC = MaskRowSheet(c.width, c.height, {kFish});
    Anim_Preview_School(rec);
    for (const Copy p : c.copies) {
      SCOPED_TRACE(testing::Message() << c.pane_width << ": " << p.x << "," << p.y);
      EXPECT_EQ(At(p.x, p.y), kFish);
      EXPECT_EQ(At(p.x + c.width - 1, p.y + c.height - 1), kFish);
      EXPECT_EQ(At(p.x - 1, p.y), kSea);
      EXPECT_EQ(At(p.x, p.y - 1), kSea);
      EXPECT_EQ(At(p.x + c.width, p.y + c.height - 1), kSea);
    }
    EXPECT_EQ(At(3, c.y), kSea);
  }
}

TEST_F(PreviewRoutinesTest, SchoolStepsItsCellAndWrapsOneBeyondTheEnd) {
  constexpr win::COLORREF kCells[] = {win::RGB(200, 0, 0), win::RGB(0, 200, 0), win::RGB(0, 0, 200),
                                      win::RGB(200, 200, 0)};
  Sprite& rec = FishPreview;
  rec.Width = 30;
  rec.Height = 18;
  rec.Frames = 3;
  rec.Y = 74;
  rec.ImageDC = MaskRowSheet(30, 18, {kCells[0], kCells[1], kCells[2], kCells[3]});
  rec.Frame = 3;  // at Frames: drawn once, then back to the first cell
  std::vector<int> frames;
  std::vector<win::COLORREF> drawn;
  for (int i = 0; i < 4; ++i) {
    Anim_Preview_School(rec);
    drawn.push_back(At(51, 74));
    frames.push_back(rec.Frame.Value());
  }
  EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 0}));
  EXPECT_EQ(drawn, (std::vector<win::COLORREF>{kCells[3], kCells[0], kCells[1], kCells[2]}));
}

// ---- Bubbles ----

class PreviewBubblesTest : public PreviewRoutinesTest {
 protected:
  void SetUp() override {
    PreviewRoutinesTest::SetUp();
    anim_test::Clear(BubblesLeft);
    for (int i = 1; i <= 50; ++i) {
      BubblesLeft(i) = Sprite{
          .X = 90, .Y = 100, .Height = 10, .Width = 11, .Frames = 3, .Frame = 1, .DX = 2, .DY = -6};
    }
  }
};

TEST_F(PreviewBubblesTest, TwentyFiveBubblesRiseAndTheRestStandStill) {
  Anim_Preview_Bubble();
  for (int i = 1; i <= 50; ++i) {
    const bool moves = i <= 25;
    EXPECT_EQ(BubblesLeft(i).X.Value(), moves ? 92 : 90) << i;
    EXPECT_EQ(BubblesLeft(i).Y.Value(), moves ? 94 : 100) << i;
    EXPECT_EQ(BubblesLeft(i).Frame.Value(), 1) << "cells are not stepped: " << i;
  }
}

TEST_F(PreviewBubblesTest, BubblesTurnAtThePaneSidesWithoutClamping) {
  struct Case {
    int new_x, dx;
    bool turns;
  };
  const Case cases[] = {
      {186, 2, false},                   // 197 - 11
      {187, 2, true},  {187, -2, true},  // the test does not look at the direction
      {0, -2, false},  {-1, -2, true},  {-3, 2, true},
  };
  for (const auto& c : cases) {
    Sprite& b = BubblesLeft(9);
    b.X = c.new_x - c.dx;
    b.DX = c.dx;
    Anim_Preview_Bubble();
    EXPECT_EQ(b.X.Value(), c.new_x) << "no clamping";
    EXPECT_EQ(b.DX.Value(), c.turns ? -c.dx : c.dx) << "at " << c.new_x << " moving " << c.dx;
  }
}

TEST_F(PreviewBubblesTest, ABubblePastTheTopReentersAtThePaneWidth) {
  BubblesLeft(3).Y = 5;  // to -1
  BubblesLeft(4).Y = 6;  // to 0
  Anim_Preview_Bubble();
  EXPECT_EQ(BubblesLeft(3).Y.Value(), 197);
  EXPECT_EQ(BubblesLeft(4).Y.Value(), 0);
  PreviewPaneWidth = 120.5f;  // rounds to the even neighbour
  BubblesLeft(3).Y = 2;
  Anim_Preview_Bubble();
  EXPECT_EQ(BubblesLeft(3).Y.Value(), 120);
}

TEST_F(PreviewBubblesTest, EveryBubbleDrawsFromTheFirstBubblesSheet) {
  constexpr win::COLORREF kBubble = win::RGB(160, 200, 255);
  BubblesLeft(1).ImageDC = MaskRowSheet(11, 10, {kBubble, kBubble, kBubble});
  BubblesLeft(1).X = 200;  // out of the way
  BubblesLeft(7).X = 10;
  BubblesLeft(7).Y = 20;
  Anim_Preview_Bubble();
  EXPECT_EQ(At(10, 20), kBubble);
  EXPECT_EQ(At(20, 29), kBubble);
  EXPECT_EQ(At(21, 20), kSea);
}

// ---- Failures ----

TEST_F(PreviewBubblesTest, OverflowsAreReportedAndEndTheTick) {
  ErrorRecorder recorder;
  BubblesLeft(5).Y = -2147483647;  // plus DY leaves 32 bits
  Anim_Preview_Bubble();
  EXPECT_EQ(BubblesLeft(4).Y.Value(), 94);
  EXPECT_EQ(BubblesLeft(6).Y.Value(), 100) << "not reached";

  Sprite& rec = FishPreview;
  rec.Width = 30000;  // Frame x Width leaves 16 bits
  rec.Height = 1;
  rec.Frames = 3;
  rec.Frame = 2;
  ShortTick = 5;
  Anim_Preview_DelayedReverse(rec);
  EXPECT_EQ(rec.Frame.Value(), 2);
  Anim_Preview_School(rec);
  EXPECT_EQ(rec.Frame.Value(), 2);
  EXPECT_EQ(recorder.contexts(),
            (std::vector<std::string>{"Animations\\Anim_Preview_Bubble",
                                      "Animations\\Anim_Preview_DelayedReverse",
                                      "Animations\\Anim_Preview_School"}));
}

}  // namespace
