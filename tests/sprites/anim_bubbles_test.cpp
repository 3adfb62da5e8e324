#include "anim_test_support.h"

namespace anim_test {
namespace {

class BubblesTest : public SpriteTest {};

// The turn tests look at the new X only, not at the direction. Bubble 50 shows that the loop
// reaches the column's last bubble.
TEST_F(BubblesTest, ColumnsTurnInsideTheirSixthOfTheScreen) {
  // right column, screen width, new X, DX, turns
  const std::tuple<bool, int, int, int, bool> cases[] = {
      {true, 800, 666, -3, true},  // 666 < 800 x 5 / 6 = 666.67
      {true, 800, 667, -3, false},   {true, 800, 666, 3, true},    {true, 800, 789, 3, false},
      {true, 800, 790, 3, true},     {true, 7680, 6399, -3, true},  // 7680 x 5 passes 16 bits
      {true, 7680, 6400, -3, false}, {false, 800, 123, 3, true},    // 123 > 800 / 6 - 11
      {false, 800, 122, 3, false},   {false, 800, 0, -3, false},   {false, 800, -1, -3, true}};
  BubblesRight(50) = BubblesLeft(50) = {.Y = 300, .Width = 11, .DY = -6};
  for (const auto& [right, screen_width, new_x, dx, turns] : cases) {
    ScreenWidth = screen_width;
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
    (*column)(1) = {.Y = 5, .Frames = 2, .Frame = 1, .DY = -6};  // to -1
    (*column)(2) = {.Y = 6, .DY = -6};                           // to 0
  }
  Anim_Custom_BubbleRight();
  Anim_Custom_BubbleLeft();
  for (auto* column : {&BubblesRight, &BubblesLeft})
    EXPECT_TRUE((*column)(1).Y == 600 && (*column)(1).Frame == 0 && (*column)(2).Y == 0);
}

// One 3 x 2 cell: the picture row with its last column black over its mask row (that the mask
// row is the one read is the mask-row draw's own test). The middle column shows OR against mask.
TEST_F(BubblesTest, BothColumnsDrawFromTheLeftSheetRightAddedLeftThroughItsMaskRow) {
  constexpr win::COLORREF kBubble = win::RGB(0xA0, 0xC0, 0x80);
  GiveBuffer(40, 20);
  BubblesRight(1) = {.X = 2, .Y = 2, .Height = 2, .Width = 3};
  BubblesLeft(1) = {.X = 10, .Y = 2, .Height = 2, .Width = 3};
  BubblesLeft(1).ImageDC = PaintedSurface(3, 4, [](int x, int y) {
    if (y < 2) return x == 2 ? kBlack : kBubble;
    return x == 2 ? kWhite : kBlack;
  });
  Anim_Custom_BubbleRight();
  Anim_Custom_BubbleLeft();
  EXPECT_TRUE(At(2, 2) == (kBubble | kSea) && At(3, 2) == (kBubble | kSea) && At(4, 2) == kSea)
      << "right: ORed, no mask";
  EXPECT_TRUE(At(11, 2) == kBubble && At(12, 2) == kSea) << "left: opaque but where masked";
}

}  // namespace
}  // namespace anim_test
