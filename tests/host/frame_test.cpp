// The saver's frame: its counters, clock values, the gates of its item table, the centrepiece
// choice and the back-to-front order, on a small screen with synthetic surfaces.
#include <gtest/gtest.h>

#include "host/screensaver.h"
#include "host/starter.h"
#include "platform/gdi.h"
#include "runtime/clock.h"
#include "sprites/anim_test_support.h"
#include "sprites/animations.h"
#include "sprites/catalogue.h"
#include "sprites/surfaces.h"

namespace {

using win::RGB;

constexpr int kWidth = 200;
constexpr int kHeight = 150;

using anim_test::SolidSurface;

void GiveSurfaces(Sprite& s, int w, int h, win::COLORREF colour) {
  s.Width = w;
  s.Height = h;
  s.Frames = 1;
  s.ImageDC = SolidSurface(w, h, colour);
  s.MaskDC = anim_test::MaskOf(s.ImageDC);
}

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    anim_test::ResetRecords();
    anim_test::UseScreen(kWidth, kHeight);
    TickCount = 0;
    ShortTick = 0;
    Buffer.ImageDC = SolidSurface(kWidth, kHeight, RGB(0, 0, 0));
    Background.ImageDC = SolidSurface(kWidth, kHeight, RGB(0, 0, 200));
    static const rt::TimeOfDay noon{12, 0, 0};
    rt::SetTimeOfDayForTests(&noon);
  }
  void TearDown() override { rt::SetTimeOfDayForTests(nullptr); }
};

TEST_F(FrameTest, CountersStartAtOneAndWrapAfterTheirTops) {
  AdvanceSaverCounters();
  EXPECT_EQ(TickCount.Value(), 1);
  EXPECT_EQ(ShortTick.Value(), 1);

  TickCount = 999;
  ShortTick = 99;
  AdvanceSaverCounters();
  EXPECT_EQ(TickCount.Value(), 1000);
  EXPECT_EQ(ShortTick.Value(), 100);
  AdvanceSaverCounters();
  EXPECT_EQ(TickCount.Value(), 0);
  EXPECT_EQ(ShortTick.Value(), 0);
}

TEST_F(FrameTest, ClockValuesComeFromTheTimeOfDay) {
  const rt::TimeOfDay t{13, 45, 30};
  rt::SetTimeOfDayForTests(&t);
  TakeClockValues();
  EXPECT_FLOAT_EQ(ClockHour, 13);
  EXPECT_FLOAT_EQ(ClockMinute, 45);
  EXPECT_FLOAT_EQ(ClockSecond, 30);
  EXPECT_FLOAT_EQ(ClockHourFraction, 13.75f);
}

TEST_F(FrameTest, BothBottlesFollowTheFirstBottlesFlag) {
  for (int i = 1; i <= 2; ++i) {
    Bottles(i).Height = 51;
    Bottles(i).Frames = 13;
    Bottles(i).Y = -51;
  }
  // Only the second bottle's own flag on: neither falls.
  Bottles(2).Visible = rt::kTrue;
  TickCount = 749;
  ComposeFrame();
  EXPECT_EQ(Bottles(2).DY.Value(), 0);

  // The first bottle's flag on: the second falls at its own start tick, 750.
  Bottles(1).Visible = rt::kTrue;
  Bottles(2).Visible = rt::kFalse;
  TickCount = 749;
  ComposeFrame();
  EXPECT_EQ(Bottles(2).DY.Value(), 6);
  EXPECT_EQ(Bottles(2).Y.Value(), -45);
  EXPECT_EQ(Bottles(1).DY.Value(), 0);
}

TEST_F(FrameTest, BothBubbleColumnsFollowTheFirstLeftBubble) {
  for (auto* column : {&BubblesRight, &BubblesLeft}) {
    for (int i = 1; i <= 50; ++i) {
      (*column)(i).Width = 11;
      (*column)(i).Height = 10;
      (*column)(i).Frames = 1;
      (*column)(i).DY = -6;
      (*column)(i).Y = 100;
      (*column)(i).X = (column == &BubblesLeft) ? 5 : 180;
    }
  }
  BubblesRight(1).Visible = rt::kTrue;  // not a gate
  ComposeFrame();
  EXPECT_EQ(BubblesRight(7).Y.Value(), 100);
  EXPECT_EQ(BubblesLeft(7).Y.Value(), 100);

  BubblesLeft(1).Visible = rt::kTrue;
  ComposeFrame();
  EXPECT_EQ(BubblesRight(7).Y.Value(), 94);
  EXPECT_EQ(BubblesLeft(7).Y.Value(), 94);
}

TEST_F(FrameTest, AnItemWithoutPictureStillMovesAndAnItemSwitchedOffDoesNot) {
  Whale.Visible = rt::kTrue;  // on, but its picture was never built
  Whale.Width = 10;
  Whale.Height = 10;
  Whale.Frames = 2;
  Whale.X = 50;
  Whale.Y = 20;
  Whale.DX = 3;
  Whale.DY = 1;
  Shark = Whale;
  Shark.Visible = rt::kFalse;
  ComposeFrame();
  EXPECT_EQ(Whale.X.Value(), 53);
  EXPECT_EQ(Whale.Frame.Value(), 1);
  EXPECT_EQ(Shark.X.Value(), 50);
  // Nothing of the whale reached the back buffer: the background shows where it stood.
  EXPECT_EQ(win::GetPixel(BufferDC(), 55, 25), RGB(0, 0, 200));
}

TEST_F(FrameTest, OnlyCentrepieceChoicesOneToEightAreDrawn) {
  for (const Centrepiece& c : Centrepieces())
    *c.record = Sprite{.Height = 10, .Width = 10, .Frames = 3, .FrameStep = 1};
  for (int choice : {0, 9, -1}) {
    CenterpieceSlot.Choice = choice;
    ComposeFrame();
    for (const Centrepiece& c : Centrepieces())
      EXPECT_EQ(c.record->Frame.Value(), 0) << "choice " << choice;
  }
  CenterpieceSlot.Choice = 5;
  ComposeFrame();
  EXPECT_EQ(Mermaid.Frame.Value(), 1);
  EXPECT_EQ(Bather.Frame.Value(), 0);
}

TEST_F(FrameTest, ItemsLieBehindTheCoralAndTheFrontRowInFrontOfIt) {
  // A coral strip of 20 rows whose left half is opaque green and right half transparent.
  Foreground.Height = 20;
  Foreground.ImageDC = anim_test::PaintedSurface(
      kWidth, 20, [](int x, int) { return x < kWidth / 2 ? RGB(0, 160, 0) : RGB(0, 0, 0); });
  Foreground.MaskDC = anim_test::MaskOf(Foreground.ImageDC);
  // A shark behind the coral across its edge, a sea horse in front of it.
  Shark.Visible = rt::kTrue;
  GiveSurfaces(Shark, 40, 10, RGB(220, 0, 0));
  Shark.X = 80;
  Shark.Y = 125;
  Shark.DX = 0;
  SeaHorse.Visible = rt::kTrue;
  GiveSurfaces(SeaHorse, 10, 10, RGB(240, 240, 0));
  SeaHorse.X = 60;
  SeaHorse.Y = 135;

  ComposeFrame();
  const win::HDC b = BufferDC();
  EXPECT_EQ(win::GetPixel(b, 10, 10), RGB(0, 0, 200)) << "background";
  EXPECT_EQ(win::GetPixel(b, 85, 127), RGB(220, 0, 0)) << "shark above the strip";
  EXPECT_EQ(win::GetPixel(b, 85, 133), RGB(0, 160, 0)) << "coral covers the shark";
  EXPECT_EQ(win::GetPixel(b, 110, 133), RGB(220, 0, 0)) << "shark behind transparent coral";
  EXPECT_EQ(win::GetPixel(b, 65, 140), RGB(240, 240, 0)) << "front row over the coral";
  EXPECT_EQ(win::GetPixel(b, 150, 145), RGB(0, 0, 200)) << "transparent coral over water";
}

}  // namespace
