// The saver's frame on a small screen with synthetic surfaces.
#include "host/screensaver.h"
#include "host_test_support.h"
#include "platform/gdi.h"
#include "runtime/clock.h"
#include "sprites/anim_test_support.h"

namespace {

using anim_test::SolidSurface;
using win::RGB;

constexpr win::COLORREF kWater = RGB(0, 0, 200);

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    anim_test::ResetRecords();
    anim_test::UseScreen(200, 150);
    TickCount = ShortTick = 0;
    Buffer.ImageDC = SolidSurface(200, 150, RGB(0, 0, 0));
    Background.ImageDC = SolidSurface(200, 150, kWater);
    rt::SetTimeOfDayForTests(&time_);
  }
  void TearDown() override { rt::SetTimeOfDayForTests(nullptr); }
  rt::TimeOfDay time_{13, 45, 30};
};

// The saver's own rule: TickCount first, each back to 0 after passing 1000 or 100.
TEST_F(FrameTest, CountersStartAtOneAndWrapAfterTheirTopsAndTheClockIsTaken) {
  const int cases[][4] = {{0, 0, 1, 1}, {999, 99, 1000, 100}, {1000, 100, 0, 0}};
  for (const auto& c : cases) {
    TickCount = c[0];
    ShortTick = c[1];
    AdvanceSaverCounters();
    EXPECT_EQ(TickCount.Value(), c[2]) << c[0];
    EXPECT_EQ(ShortTick.Value(), c[3]) << c[1];
  }
  TakeClockValues();
  EXPECT_EQ((std::vector<float>{ClockHour, ClockMinute, ClockSecond, ClockHourFraction}),
            (std::vector<float>{13, 45, 30, 13.75f}));
}

// Both bottles follow the first bottle's flag, both bubble columns the first left bubble's, and
// only centrepiece choices 1 to 8 run; a switched-on item without its picture moves unseen.
TEST_F(FrameTest, EachItemMovesByItsOwnGateOnly) {
  for (int i = 1; i <= 2; ++i) Bottles(i) = Sprite{.Y = -51, .Height = 51, .Frames = 13};
  for (int i = 1; i <= 50; ++i)
    BubblesLeft(i) = BubblesRight(i) =
        Sprite{.X = 5, .Y = 100, .Height = 10, .Width = 11, .Frames = 1, .DY = -6};
  Mermaid = Sprite{.Height = 10, .Width = 10, .Frames = 3, .FrameStep = 1};
  Whale = Sprite{.X = 50, .Y = 20, .Height = 10, .Width = 10, .Frames = 2, .Visible = -1, .DX = 3};
  const auto frame = [](int choice, Sprite& bottle, auto& bubbles) {
    Bottles(1).Visible = Bottles(2).Visible = BubblesLeft(1).Visible = BubblesRight(1).Visible = 0;
    bottle.Visible = bubbles(1).Visible = rt::kTrue;
    CenterpieceSlot.Choice = choice;
    TickCount = 749;  // the second bottle starts falling at 750
    ComposeFrame();
    return std::vector<int>{Bottles(2).DY.Value(), static_cast<int>(BubblesLeft(7).Y.Value()),
                            static_cast<int>(BubblesRight(7).Y.Value()), Mermaid.Frame.Value()};
  };
  EXPECT_EQ(frame(9, Bottles(2), BubblesRight), (std::vector<int>{0, 100, 100, 0}));
  EXPECT_EQ(frame(0, Bottles(2), BubblesRight), (std::vector<int>{0, 100, 100, 0}));
  EXPECT_EQ(frame(5, Bottles(1), BubblesLeft), (std::vector<int>{6, 94, 94, 1}));
  EXPECT_EQ(Whale.X.Value(), 59);
  EXPECT_EQ(win::GetPixel(BufferDC(), 65, 25), kWater) << "nothing of the whale was drawn";
}

TEST_F(FrameTest, ItemsLieBehindTheCoralThenTheCentrepieceThenTheFrontRow) {
  // A coral strip of 20 rows whose left half is opaque green and right half transparent.
  Foreground.Height = 20;
  Foreground.ImageDC = anim_test::PaintedSurface(
      200, 20, [](int x, int) { return x < 100 ? RGB(0, 160, 0) : RGB(0, 0, 0); });
  Foreground.MaskDC = anim_test::MaskOf(Foreground.ImageDC);
  // A shark behind the coral across its edge, a sea horse in front of it and of the mermaid,
  // the centrepiece, over the coral.
  Shark = Sprite{.X = 80, .Y = 125, .Height = 10, .Width = 40, .Frames = 1, .Visible = rt::kTrue};
  SeaHorse =
      Sprite{.X = 60, .Y = 135, .Height = 10, .Width = 10, .Frames = 1, .Visible = rt::kTrue};
  Mermaid = Sprite{.X = 50, .Y = 135, .Height = 10, .Width = 15, .Frames = 1};
  CenterpieceSlot.Choice = 5;
  for (auto [s, colour] : {std::pair{&Shark, RGB(220, 0, 0)},
                           {&SeaHorse, RGB(240, 240, 0)},
                           {&Mermaid, RGB(200, 0, 200)}}) {
    s->ImageDC = SolidSurface(s->Width.Value(), 10, colour);
    s->MaskDC = anim_test::MaskOf(s->ImageDC);
  }
  ComposeFrame();
  const auto at = [](int x, int y) { return win::GetPixel(BufferDC(), x, y); };
  EXPECT_EQ(at(10, 10), kWater) << "background";
  EXPECT_EQ(at(85, 127), RGB(220, 0, 0)) << "shark above the strip";
  EXPECT_EQ(at(85, 133), RGB(0, 160, 0)) << "coral covers the shark";
  EXPECT_EQ(at(110, 133), RGB(220, 0, 0)) << "shark behind transparent coral";
  EXPECT_EQ(at(55, 140), RGB(200, 0, 200)) << "centrepiece over the coral";
  EXPECT_EQ(at(62, 140), RGB(240, 240, 0)) << "front row over the centrepiece";
  EXPECT_EQ(at(150, 145), kWater) << "transparent coral over water";
}

}  // namespace
