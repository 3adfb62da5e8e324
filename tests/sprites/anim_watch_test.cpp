#include "sprites/anim_watch.h"

#include "anim_test_support.h"

namespace anim_test {
namespace {

// The end points that round differently from what an exact pi gives or lie between the hours,
// from the centre of a dial at (500, 300).
TEST(WatchHands, EndPointsRoundWithTheDialsOwnPi) {
  // value, degrees per unit, length; the end's offset. An exact pi gives 12.5 at minutes 40 and
  // 50, which 3.14159 puts just above and just below a half.
  const std::tuple<double, double, double, int, int> cases[] = {
      {9.5, 30, 15, -14, -4},   // 9:30: 15 cos 195 = -14.49, 15 sin 195 = -3.88
      {13.75, 30, 15, 12, -9},  // 13:45: 15 cos 322.5 = 11.90, 15 sin 322.5 = -9.13
      {40, 6, 25, -22, 13},
      {50, 6, 25, -22, -12}};
  for (const auto& [value, degrees_per_unit, length, dx, dy] : cases) {
    const win::POINT p = HandEnd(500, 300, value, degrees_per_unit, length);
    EXPECT_EQ(std::pair(p.x - 500, p.y - 300), std::pair(dx, dy)) << value;
  }
  EXPECT_THROW(HandEnd(2147483647, 0, 3, 30, 15), rt::RuntimeError) << "beyond 32 bits";
}

class WatchTest : public SpriteTest {};

// The dial fills cell 0 but its last column; the glass is black (transparent) but for a glint in
// its top-left corner. The watch ignores its cell and strip.
TEST_F(WatchTest, DrawsTheDialThenHandsThatLeaveOutTheirEndsThenTheGlass) {
  constexpr win::COLORREF kDial = win::RGB(0xF0, 0xF0, 0xA0), kGlass = win::RGB(0x80, 0xC0, 0xFF);
  GiveBuffer(120, 130);
  Watch = {.X = 5, .Y = 2, .Height = 126, .Width = 110, .Frame = 1, .StripOffset = 7};
  Watch.ImageDC = PaintedSurface(220, 126, [&](int x, int y) {
    if (x < 110) return x == 109 ? kBlack : kDial;
    return x - 110 < 4 && y < 4 ? kGlass : kBlack;
  });
  Watch.MaskDC = MaskOf(Watch.ImageDC);
  ClockHour = ClockHourFraction = 3;
  ClockMinute = 0;
  ClockSecond = 30;
  Anim_Custom_Watch(Watch);
  const int cx = 5 + 53, cy = 2 + 69;
  // The hour hand 15 to the right, the minute hand 25 up, the second hand 25 down.
  for (const auto& [dx, dy, length] : {std::tuple{1, 0, 15}, {0, -1, 25}, {0, 1, 25}}) {
    for (int step = 0; step < length; ++step)
      EXPECT_EQ(At(cx + dx * step, cy + dy * step), kBlack) << dx << ", " << dy << ": " << step;
    EXPECT_EQ(At(cx + dx * length, cy + dy * length), kDial) << dx << ", " << dy << ": the end";
  }
  EXPECT_EQ(At(6, 3), kGlass) << "the glass lies over the dial";
  EXPECT_EQ(At(5 + 109, 50), kSea) << "black is transparent";
}

}  // namespace
}  // namespace anim_test
