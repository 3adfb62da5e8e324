#include <gtest/gtest.h>

#include <vector>

#include "anim_test_support.h"
#include "sprites/animations.h"

namespace {

using anim_test::At;
using anim_test::ErrorRecorder;

// Fifty 11 x 10 bubbles rising 6 a tick at the given x, half drifting right and half left.
void FillColumn(rt::Array<Sprite, 50>& column, int x) {
  anim_test::Clear(column);
  for (int i = 1; i <= 50; ++i) {
    column(i) = Sprite{
        .X = x, .Y = 300, .Height = 10, .Width = 11, .Frames = 1, .DX = i <= 25 ? 3 : -3, .DY = -6};
  }
}

class BubblesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    anim_test::UseScreen800x600();
    Buffer = Sprite{};
    FillColumn(BubblesRight, 700);
    FillColumn(BubblesLeft, 50);
  }
  void TearDown() override {
    anim_test::Clear(BubblesRight);
    anim_test::Clear(BubblesLeft);
    Buffer = Sprite{};
  }
};

TEST_F(BubblesTest, EveryBubbleRisesAndDrifts) {
  Anim_Custom_BubbleRight();
  Anim_Custom_BubbleLeft();
  for (int i = 1; i <= 50; ++i) {
    const int dx = i <= 25 ? 3 : -3;
    EXPECT_EQ(BubblesRight(i).X.Value(), 700 + dx) << i;
    EXPECT_EQ(BubblesRight(i).Y.Value(), 294) << i;
    EXPECT_EQ(BubblesLeft(i).X.Value(), 50 + dx) << i;
    EXPECT_EQ(BubblesLeft(i).Y.Value(), 294) << i;
  }
  EXPECT_EQ(BubblesRight(0).Y.Value(), 0);
  EXPECT_EQ(BubblesLeft(0).Y.Value(), 0);
}

TEST_F(BubblesTest, ColumnsTurnInsideTheirSixthOfAnEightHundredPixelScreen) {
  struct Case {
    bool right;
    int new_x, dx;
    bool turns;
  };
  const Case cases[] = {
      {true, 666, -3, true},                          // 666 < 800 x 5 / 6 = 666.67
      {true, 667, -3, false}, {true, 666, 3, true},   // the test does not look at the direction
      {true, 789, 3, false},                          // 800 - 11
      {true, 790, 3, true},   {false, 123, 3, true},  // 123 > 800 / 6 - 11 = 122.33
      {false, 122, 3, false}, {false, 0, -3, false}, {false, -1, -3, true},
  };
  for (const auto& c : cases) {
    Sprite& b = c.right ? BubblesRight(7) : BubblesLeft(7);
    b.X = c.new_x - c.dx;
    b.DX = c.dx;
    if (c.right) {
      Anim_Custom_BubbleRight();
    } else {
      Anim_Custom_BubbleLeft();
    }
    EXPECT_EQ(b.X.Value(), c.new_x);
    EXPECT_EQ(b.DX.Value(), c.turns ? -c.dx : c.dx)
        << (c.right ? "right" : "left") << " column at " << c.new_x;
  }
}

TEST_F(BubblesTest, BubblePastTheTopReentersAtTheBottom) {
  for (auto* column : {&BubblesRight, &BubblesLeft}) {
    (*column)(3).Y = 5;  // new Y -1
    (*column)(4).Y = 6;  // new Y 0
  }
  Anim_Custom_BubbleRight();
  Anim_Custom_BubbleLeft();
  for (auto* column : {&BubblesRight, &BubblesLeft}) {
    EXPECT_EQ((*column)(3).Y.Value(), 600);
    EXPECT_EQ((*column)(4).Y.Value(), 0);
  }
}

TEST_F(BubblesTest, CellsStepAndWrap) {
  BubblesLeft(2).Frames = 3;
  BubblesRight(2).Frames = 2;
  std::vector<int> left, right;
  for (int i = 0; i < 4; ++i) {
    Anim_Custom_BubbleRight();
    Anim_Custom_BubbleLeft();
    left.push_back(BubblesLeft(2).Frame.Value());
    right.push_back(BubblesRight(2).Frame.Value());
  }
  EXPECT_EQ(left, (std::vector<int>{1, 2, 0, 1}));
  EXPECT_EQ(right, (std::vector<int>{1, 0, 1, 0}));
}

TEST_F(BubblesTest, AScreenOf7680PixelsKeepsItsRightColumnTurning) {
  ErrorRecorder recorder;
  ScreenWidth = 7680;  // 7680 x 5 does not fit 16 bits; the column works in 32
  BubblesRight(1).X = 6402;
  BubblesRight(1).DX = -3;
  Anim_Custom_BubbleRight();
  EXPECT_EQ(BubblesRight(1).X.Value(), 6399);
  EXPECT_EQ(BubblesRight(1).DX.Value(), 3) << "6399 < 7680 x 5 / 6 = 6400 turns it";
  EXPECT_TRUE(recorder.contexts().empty());
}

TEST_F(BubblesTest, OverflowIsReportedAndEarlierBubblesKeepTheirMove) {
  ErrorRecorder recorder;
  BubblesLeft(5).Y = -2147483647;
  Anim_Custom_BubbleLeft();
  EXPECT_EQ(BubblesLeft(4).Y.Value(), 294) << "moved before the overflow";
  EXPECT_EQ(recorder.contexts(), (std::vector<std::string>{"Animations\\Anim_Custom_BubbleLeft"}));
}

// ---- What lands in the back buffer ----

constexpr win::COLORREF kSea = win::RGB(0, 0, 0x40);
constexpr win::COLORREF kBubble = win::RGB(0xA0, 0xC0, 0x80);
constexpr win::COLORREF kWhite = win::RGB(255, 255, 255);
constexpr win::COLORREF kBlack = win::RGB(0, 0, 0);

TEST_F(BubblesTest, BothColumnsDrawFromTheLeftSheetRightAddedLeftThroughItsMaskRow) {
  anim_test::GiveBuffer(40, 20, kSea);
  for (auto* column : {&BubblesRight, &BubblesLeft}) {
    for (int i = 1; i <= 50; ++i) {
      (*column)(i).Width = 3;
      (*column)(i).Height = 2;
      (*column)(i).X = 30;  // all but bubble 1 stack up out of the way
      (*column)(i).Y = 15;
    }
  }
  BubblesRight(1).X = 2;
  BubblesRight(1).Y = 2;
  BubblesLeft(1).X = 10;
  BubblesLeft(1).Y = 2;
  // One 3 x 2 cell: picture row on top, its last column black; the mask row below it white
  // where the picture is transparent. The picture's black column is masked off, and the mask row
  // also clears one picture pixel so the left column shows the mask row is the one used.
  BubblesLeft(1).ImageDC = anim_test::PaintedSurface(3, 4, [](int x, int y) {
    if (y < 2) return x == 2 ? kBlack : kBubble;
    return x == 2 || (x == 0 && y == 2) ? kWhite : kBlack;
  });
  Anim_Custom_BubbleRight();
  EXPECT_EQ(At(2, 2), kBubble | kSea) << "right column: picture ORed, no mask";
  EXPECT_EQ(At(4, 2), kSea);
  Anim_Custom_BubbleLeft();
  EXPECT_EQ(At(11, 2), kBubble) << "left column: opaque";
  EXPECT_EQ(At(10, 2), kBubble | kSea) << "where the mask row is white the sea stays";
  EXPECT_EQ(At(12, 2), kSea);
}

}  // namespace
