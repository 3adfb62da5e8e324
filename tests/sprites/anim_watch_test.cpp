#include "sprites/anim_watch.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "anim_test_support.h"
#include "sprites/animations.h"

namespace {

using anim_test::At;
using anim_test::ErrorRecorder;

struct Point {
  int x, y;
  bool operator==(const Point&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Point& p) {
  return os << "(" << p.x << ", " << p.y << ")";
}

// End points relative to the centre of a dial centred at (500, 300).
Point EndOffset(double v, double k, double length) {
  const win::POINT p = HandEnd(500, 300, v, k, length);
  return {p.x - 500, p.y - 300};
}
Point Hour(double fraction) {
  return EndOffset(fraction, 30, 15);
}
Point Minute(double v) {
  return EndOffset(v, 6, 25);
}

TEST(WatchHands, EndPointsAtKnownTimes) {
  struct Case {
    const char* when;
    Point got, expected;
  };
  const Case cases[] = {
      {"3:00:00 hour, 15 right", Hour(3), {15, 0}},
      {"3:00:00 minute and second, 25 up", Minute(0), {0, -25}},
      // 195 degrees from the right: between 9 and 10, 15 cos 195 = -14.49, 15 sin 195 = -3.88.
      {"9:30:00 hour", Hour(9.5), {-14, -4}},
      {"9:30:00 minute, straight down", Minute(30), {0, 25}},
      // 322.5 degrees: 15 cos = 11.90, 15 sin = -9.13.
      {"13:45:30 hour", Hour(13.75), {12, -9}},
      {"13:45:30 minute, straight left", Minute(45), {-25, 0}},
      {"13:45:30 second, straight down", Minute(30), {0, 25}},
      // With the dial's 3.14159 the 12.5 of an exact pi comes out just above a half at 40 and
      // just below one at 50, so both round away from what an exact pi gives.
      {"minute 40", Minute(40), {-22, 13}},
      {"minute 50", Minute(50), {-22, -12}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.expected) << c.when;
}

TEST(WatchHands, EndPointBeyondThe32BitRangeRaisesOverflow) {
  EXPECT_THROW(HandEnd(2147483647, 0, 3, 30, 15), rt::RuntimeError);
}

constexpr win::COLORREF kSea = win::RGB(0, 0, 0x40);
constexpr win::COLORREF kDial = win::RGB(0xF0, 0xF0, 0xE0);
constexpr win::COLORREF kGlass = win::RGB(0x80, 0xC0, 0xFF);
constexpr win::COLORREF kBlack = win::RGB(0, 0, 0);

class WatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    anim_test::GiveBuffer(120, 130, kSea);
    watch_.Width = 110;
    watch_.Height = 126;
    watch_.Frames = 1;
    // The dial fills cell 0 but its last column; the glass is black (transparent) but for a
    // glint in its top-left corner.
    watch_.ImageDC = anim_test::PaintedSurface(220, 126, [](int x, int y) {
      if (x < 110) return x == 109 ? kBlack : kDial;
      return x - 110 < 4 && y < 4 ? kGlass : kBlack;
    });
    watch_.MaskDC = anim_test::MaskOf(watch_.ImageDC);
  }
  void TearDown() override {
    Buffer = Sprite{};
    watch_ = Sprite{};
  }
  static void SetClock(float hour, float minute, float second) {
    ClockHour = hour;
    ClockMinute = minute;
    ClockSecond = second;
    ClockHourFraction = minute / 60 + hour;
  }
  Sprite watch_;
};

TEST_F(WatchTest, DialThenBlackHandsWithoutTheirEndPointsThenTheGlass) {
  watch_.Frame = 1;  // the watch ignores its cell and strip
  watch_.StripOffset = 7;
  SetClock(3, 0, 0);
  Anim_Custom_Watch(watch_);
  const int cx = 53, cy = 69;
  for (int x = cx; x < cx + 15; ++x) EXPECT_EQ(At(x, cy), kBlack) << "hour hand x " << x;
  EXPECT_EQ(At(cx + 15, cy), kDial) << "the end point is left out";
  for (int y = cy - 24; y <= cy; ++y) EXPECT_EQ(At(cx, y), kBlack) << "minute hand y " << y;
  EXPECT_EQ(At(cx, cy - 25), kDial);
  EXPECT_EQ(At(cx - 1, cy - 10), kDial);
  EXPECT_EQ(At(1, 1), kGlass) << "the glass lies over the dial";
  EXPECT_EQ(At(109, 50), kSea) << "black is transparent";
  EXPECT_EQ(At(60, 100), kDial);
}

TEST_F(WatchTest, HandsFollowTheClockValuesFromTheRecordsPosition) {
  watch_.X = 5;
  watch_.Y = 2;
  SetClock(13, 45, 30);
  Anim_Custom_Watch(watch_);
  const int cx = 58, cy = 71;
  for (int x = cx - 24; x <= cx; ++x) EXPECT_EQ(At(x, cy), kBlack) << "minute hand x " << x;
  EXPECT_EQ(At(cx - 25, cy), kDial);
  for (int y = cy; y < cy + 25; ++y) EXPECT_EQ(At(cx, y), kBlack) << "second hand y " << y;
  EXPECT_EQ(At(cx, cy + 25), kDial);
  EXPECT_EQ(At(cx + 4, cy - 3), kBlack) << "on the hour hand towards (+12, -9)";
  EXPECT_EQ(At(cx, cy - 5), kDial) << "nothing points up";
}

TEST_F(WatchTest, OverflowIsReportedUnderTheRoutine) {
  ErrorRecorder recorder;
  watch_.X = 2147483600;  // the centre's x overflows
  Anim_Custom_Watch(watch_);
  EXPECT_EQ(recorder.contexts(), (std::vector<std::string>{"Animations\\Anim_Custom_Watch"}));
}

}  // namespace
