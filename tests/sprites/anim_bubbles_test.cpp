#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "anim_test_support.h"
#include "sprites/animations.h"

namespace {

using anim_test::At;
using anim_test::kBlack;
using anim_test::kSea;
using anim_test::kWhite;

// Fifty 11 x 10 bubbles in each column, at X 700 and 50, rising 6 a tick from Y 300; the first
// 25 drift right, the others left.
class BubblesTest : public anim_test::SpriteTest {
 protected:
  void SetUp() override {
    SpriteTest::SetUp();
    for (int i = 1; i <= 50; ++i) {
      BubblesRight(i) = {.X = 700, .Y = 300, .Height = 10, .Width = 11, .Frames = 1, .DY = -6};
      BubblesRight(i).DX = i <= 25 ? 3 : -3;
      BubblesLeft(i) = BubblesRight(i);
      BubblesLeft(i).X = 50;
    }
  }
};

// The turn tests look at the new X only, not at the direction. Bubble 50 shows that the loop
// reaches the column's last bubble.
TEST_F(BubblesTest, ColumnsTurnInsideTheirSixthOfAnEightHundredPixelScreen) {
  // right column, new X, DX, turns
  const std::tuple<bool, int, int, bool> cases[] = {
      {true, 666, -3, true},  // 666 < 800 x 5 / 6 = 666.67
      {true, 667, -3, false}, {true, 666, 3, true},  {true, 789, 3, false},  // 800 - 11
      {true, 790, 3, true},   {false, 123, 3, true},                         // > 800 / 6 - 11
      {false, 122, 3, false}, {false, 0, -3, false}, {false, -1, -3, true}};
  for (const auto& [right, new_x, dx, turns] : cases) {
    Sprite& b = right ? BubblesRight(50) : BubblesLeft(50);
    b.X = new_x - dx;
    b.DX = dx;
    right ? Anim_Custom_BubbleRight() : Anim_Custom_BubbleLeft();
    EXPECT_TRUE(b.X == new_x && b.DX == (turns ? -dx : dx))
        << (right ? "right" : "left") << " column at " << new_x << " moving " << dx;
  }
}

TEST_F(BubblesTest, ABubblePastTheTopReentersAtTheBottomAndCellsWrap) {
  for (auto* column : {&BubblesRight, &BubblesLeft}) {
    (*column)(1).Y = 5;  // to -1
    (*column)(2).Y = 6;  // to 0
    (*column)(2).Frames = 2;
  }
  for (int call = 1; call <= 2; ++call) {
    Anim_Custom_BubbleRight();
    Anim_Custom_BubbleLeft();
    for (auto* column : {&BubblesRight, &BubblesLeft}) {
      if (call == 1) {
        EXPECT_TRUE((*column)(1).Y == 600 && (*column)(2).Y == 0);
      }
      EXPECT_EQ((*column)(2).Frame, call == 1 ? 1 : 0);
    }
  }
}

TEST_F(BubblesTest, AScreenOf7680PixelsKeepsItsRightColumnTurning) {
  ScreenWidth = 7680;  // 7680 x 5 does not fit 16 bits
  BubblesRight(1).X = 6402;
  BubblesRight(1).DX = -3;
  Anim_Custom_BubbleRight();
  EXPECT_EQ(BubblesRight(1).DX, 3) << "6399 < 7680 x 5 / 6 = 6400 turns it";
  EXPECT_TRUE(errors_.contexts().empty());
}

TEST_F(BubblesTest, AnOverflowIsReportedUnderTheColumnsName) {
  BubblesRight(5).Y = -2147483647;  // plus DY leaves 32 bits
  BubblesLeft(5).Y = -2147483647;
  Anim_Custom_BubbleRight();
  Anim_Custom_BubbleLeft();
  EXPECT_EQ(errors_.contexts(), (std::vector<std::string>{"Animations\\Anim_Custom_BubbleRight",
                                                          "Animations\\Anim_Custom_BubbleLeft"}));
}

// One 3 x 2 cell: the picture row with its last column black over a mask row that also clears
// one picture pixel, so the left column shows that the mask row is the one it uses.
TEST_F(BubblesTest, BothColumnsDrawFromTheLeftSheetRightAddedLeftThroughItsMaskRow) {
  constexpr win::COLORREF kBubble = win::RGB(0xA0, 0xC0, 0x80);
  anim_test::GiveBuffer(40, 20);
  for (auto* column : {&BubblesRight, &BubblesLeft}) {
    for (int i = 1; i <= 50; ++i) (*column)(i) = {.X = 30, .Y = 15, .Height = 2, .Width = 3};
  }
  BubblesRight(1) = {.X = 2, .Y = 2, .Height = 2, .Width = 3};
  BubblesLeft(1) = {.X = 10, .Y = 2, .Height = 2, .Width = 3};
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
