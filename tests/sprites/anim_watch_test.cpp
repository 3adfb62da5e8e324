#include "sprites/anim_watch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "anim_test_support.h"
#include "sprites/animations.h"

namespace {

using anim_test::At;
using anim_test::kBlack;
using anim_test::kSea;

// End points from the centre of a dial at (500, 300), as (dx, dy).
std::pair<int, int> Hand(double v, double degrees_per_unit, double length) {
  const win::POINT p = HandEnd(500, 300, v, degrees_per_unit, length);
  return {p.x - 500, p.y - 300};
}

TEST(WatchHands, EndPointsAtKnownTimes) {
  struct Case {
    const char* when;
    std::pair<int, int> got, expected;
  };
  const Case cases[] = {
      {"3:00 hour, 15 right", Hand(3, 30, 15), {15, 0}},
      {"minute 0, 25 up", Hand(0, 6, 25), {0, -25}},
      // 195 degrees from the right: 15 cos 195 = -14.49, 15 sin 195 = -3.88.
      {"9:30 hour", Hand(9.5, 30, 15), {-14, -4}},
      {"minute 30, straight down", Hand(30, 6, 25), {0, 25}},
      // 322.5 degrees: 15 cos = 11.90, 15 sin = -9.13.
      {"13:45 hour", Hand(13.75, 30, 15), {12, -9}},
      {"minute 45, straight left", Hand(45, 6, 25), {-25, 0}},
      // With the dial's 3.14159 the 12.5 of an exact pi comes out just above a half at 40 and
      // just below one at 50, so both round away from what an exact pi gives.
      {"minute 40", Hand(40, 6, 25), {-22, 13}},
      {"minute 50", Hand(50, 6, 25), {-22, -12}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.expected) << c.when;
  EXPECT_THROW(HandEnd(2147483647, 0, 3, 30, 15), rt::RuntimeError) << "beyond 32 bits";
}

class WatchTest : public anim_test::SpriteTest {
 protected:
  void SetUp() override {
    SpriteTest::SetUp();
    anim_test::GiveBuffer(120, 130);
    // The dial fills cell 0 but its last column; the glass is black (transparent) but for a
    // glint in its top-left corner. The watch ignores its cell and strip.
    Watch = {.Height = 126, .Width = 110, .Frames = 1, .Frame = 1, .StripOffset = 7};
    Watch.ImageDC = anim_test::PaintedSurface(220, 126, [](int x, int y) {
      if (x < 110) return x == 109 ? kBlack : kDial;
      return x - 110 < 4 && y < 4 ? kGlass : kBlack;
    });
    Watch.MaskDC = anim_test::MaskOf(Watch.ImageDC);
  }
  static constexpr win::COLORREF kDial = win::RGB(0xF0, 0xF0, 0xE0);
  static constexpr win::COLORREF kGlass = win::RGB(0x80, 0xC0, 0xFF);
};

// The hands are black lines that leave out their end points, between the dial and the glass.
TEST_F(WatchTest, DrawsTheDialTheHandsFromItsCentreAndTheGlass) {
  struct Case {
    int x, y;
    float hour, minute, second;
    std::vector<std::pair<int, int>> hand_ends;  // straight hands, from the centre
  };
  const Case cases[] = {{0, 0, 3, 0, 0, {{15, 0}, {0, -25}}},
                        {5, 2, 13, 45, 30, {{-25, 0}, {0, 25}}}};
  for (const Case& c : cases) {
    anim_test::GiveBuffer(120, 130);
    Watch.X = c.x;
    Watch.Y = c.y;
    ClockHour = c.hour;
    ClockMinute = c.minute;
    ClockSecond = c.second;
    ClockHourFraction = c.minute / 60 + c.hour;
    Anim_Custom_Watch(Watch);
    const int cx = c.x + 53, cy = c.y + 69;
    for (const auto& [dx, dy] : c.hand_ends) {
      const int length = std::max(std::abs(dx), std::abs(dy));
      for (int step = 0; step < length; ++step) {
        EXPECT_EQ(At(cx + dx / length * step, cy + dy / length * step), kBlack)
            << "hand to (" << dx << ", " << dy << "), step " << step;
      }
      EXPECT_EQ(At(cx + dx, cy + dy), kDial) << "the end point is left out";
    }
    EXPECT_EQ(At(c.x + 1, c.y + 1), kGlass) << "the glass lies over the dial";
    EXPECT_EQ(At(c.x + 109, c.y + 50), kSea) << "black is transparent";
  }
  EXPECT_EQ(At(5 + 53 + 4, 2 + 69 - 3), kBlack) << "on the hour hand of 13:45 towards (12, -9)";
  EXPECT_EQ(At(5 + 53, 2 + 69 - 5), kDial) << "nothing points up at 13:45:30";
}

TEST_F(WatchTest, AnOverflowIsReportedUnderTheRoutinesName) {
  Watch.X = 2147483600;  // the centre's x overflows
  Anim_Custom_Watch(Watch);
  EXPECT_EQ(errors_.contexts(), (std::vector<std::string>{"Animations\\Anim_Custom_Watch"}));
}

}  // namespace
