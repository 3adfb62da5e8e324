#include <gtest/gtest.h>

#include <vector>

#include "anim_test_support.h"
#include "sprites/animations.h"

namespace {

using anim_test::At;
using anim_test::ErrorRecorder;

struct Swimmer {
  const char* name;
  void (*routine)(Sprite&);
  bool turns_at_screen_top;  // else at TopLimit
};
const Swimmer kSwimmers[] = {
    {"Anim_Swim_RightOnly", Anim_Swim_RightOnly, true},
    {"Anim_Swim_LeftOnly", Anim_Swim_LeftOnly, true},
    {"Anim_Swim_RightDown", Anim_Swim_RightDown, false},
    {"Anim_Swim_LeftUp", Anim_Swim_LeftUp, false},
    {"Anim_Swim_RightUp", Anim_Swim_RightUp, false},
};

// A whale-sized swimmer in the middle of an 800 x 600 screen, no surfaces.
Sprite MidScreenSwimmer(int dx, int dy) {
  return {.X = 300, .Y = 200, .Height = 73, .Width = 129, .Frames = 8, .DX = dx, .DY = dy};
}

class SwimTest : public ::testing::Test {
 protected:
  void SetUp() override {
    anim_test::UseScreen800x600();
    Buffer = Sprite{};
  }
};

TEST_F(SwimTest, HorizontalTurnOnlyBeyondTheLimitAndBackInsideNextCall) {
  struct Case {
    int start_x, dx;
    bool turns;
  };
  // The new X is what the limit test sees: equal to a limit is inside.
  const Case cases[] = {
      {-395, -5, false},  // new X -400 = LeftLimit
      {-396, -5, true},   // new X -401
      {1195, 5, false},   // new X 1200 = RightLimit
      {1196, 5, true},    // new X 1201
  };
  for (const auto& sw : kSwimmers) {
    for (const auto& c : cases) {
      Sprite s = MidScreenSwimmer(c.dx, 1);
      s.X = c.start_x;
      sw.routine(s);
      EXPECT_EQ(s.X.Value(), c.start_x + c.dx) << sw.name;
      EXPECT_EQ(s.DX.Value(), c.turns ? -c.dx : c.dx) << sw.name << " from " << c.start_x;
      if (c.turns) {
        sw.routine(s);
        EXPECT_TRUE(s.X >= LeftLimit && s.X <= RightLimit) << sw.name << " back inside";
      }
    }
  }
}

TEST_F(SwimTest, VerticalTurnLimitsDependOnTheSwimmer) {
  struct Case {
    int start_y, dy;
    bool turns_straight, turns_diagonal;
  };
  const Case cases[] = {
      {4, -4, false, false},    // new Y 0: the top edge is inside
      {3, -4, true, false},     // new Y -1: only the straight swimmers turn
      {-146, -4, true, false},  // new Y -150 = TopLimit
      {-147, -4, true, true},   // new Y -151
      {531, 4, false, false},   // new Y 535 = BottomLimit
      {532, 4, true, true},     // new Y 536
  };
  for (const auto& sw : kSwimmers) {
    for (const auto& c : cases) {
      Sprite s = MidScreenSwimmer(5, c.dy);
      s.Y = c.start_y;
      sw.routine(s);
      EXPECT_EQ(s.Y.Value(), c.start_y + c.dy) << sw.name;
      const bool turns = sw.turns_at_screen_top ? c.turns_straight : c.turns_diagonal;
      EXPECT_EQ(s.DY.Value(), turns ? -c.dy : c.dy) << sw.name << " from Y " << c.start_y;
    }
  }
}

TEST_F(SwimTest, StripFollowsTheDirectionsLeftAfterTheTurns) {
  const long second = 8 * 129;  // Frames x Width
  struct Case {
    void (*routine)(Sprite&);
    const char* name;
    int dx, dy;
    long strip;
    int y = 200;
  };
  const Case cases[] = {
      {Anim_Swim_RightOnly, "RightOnly right", 5, -1, 0},
      {Anim_Swim_RightOnly, "RightOnly left", -5, 1, second},
      {Anim_Swim_RightOnly, "RightOnly still", 0, 1, second},
      {Anim_Swim_LeftOnly, "LeftOnly left", -5, 1, 0},
      {Anim_Swim_LeftOnly, "LeftOnly right", 5, -1, second},
      {Anim_Swim_LeftOnly, "LeftOnly still", 0, 1, second},
      {Anim_Swim_RightDown, "RightDown right down", 5, 1, 0},
      {Anim_Swim_RightDown, "RightDown right up", 5, -1, second},
      {Anim_Swim_RightDown, "RightDown left down", -5, 1, second},
      {Anim_Swim_RightDown, "RightDown right level", 5, 0, second},
      {Anim_Swim_RightDown, "RightDown turning at BottomLimit", 6, 1, second, 535},
      {Anim_Swim_LeftUp, "LeftUp left up", -5, -1, 0},
      {Anim_Swim_LeftUp, "LeftUp left down", -5, 1, second},
      {Anim_Swim_LeftUp, "LeftUp right up", 5, -1, second},
      {Anim_Swim_RightUp, "RightUp right up", 5, -1, 0},
      {Anim_Swim_RightUp, "RightUp right down", 5, 1, second},
      {Anim_Swim_RightUp, "RightUp left up", -5, -1, second},
  };
  for (const auto& c : cases) {
    Sprite s = MidScreenSwimmer(c.dx, c.dy);
    s.Y = c.y;
    s.StripOffset = c.strip == 0 ? second : 0;  // start on the other strip
    c.routine(s);
    EXPECT_EQ(s.StripOffset.Value(), c.strip) << c.name;
  }
}

TEST_F(SwimTest, CellsStepAndWrap) {
  Sprite s = MidScreenSwimmer(1, 0);
  s.Frames = 3;
  std::vector<int> cells;
  for (int i = 0; i < 5; ++i) {
    Anim_Swim_LeftOnly(s);
    cells.push_back(s.Frame.Value());
  }
  EXPECT_EQ(cells, (std::vector<int>{1, 2, 0, 1, 2}));
}

TEST_F(SwimTest, FallerParkedFallingAndParkedAgain) {
  Sprite bottle{.X = 100, .Y = -51, .Height = 51, .Width = 32, .Frames = 13, .Frame = 12};

  TickCount = 249;
  Anim_Swim_Drop(bottle, 250);
  EXPECT_EQ(bottle.Y.Value(), -51) << "parked before its tick";
  EXPECT_EQ(bottle.Frame.Value(), 12) << "a parked faller does not step";

  TickCount = 250;
  Anim_Swim_Drop(bottle, 250);
  EXPECT_EQ(bottle.DY.Value(), 6);
  EXPECT_EQ(bottle.Y.Value(), -45);
  EXPECT_EQ(bottle.Frame.Value(), 0);

  // Keeps falling past its tick until its new Y passes ScreenHeight.
  TickCount = 251;
  bottle.Y = 594;
  Anim_Swim_Drop(bottle, 250);
  EXPECT_EQ(bottle.Y.Value(), 600) << "a new Y equal to ScreenHeight keeps falling";
  EXPECT_EQ(bottle.DY.Value(), 6);
  Anim_Swim_Drop(bottle, 250);
  EXPECT_EQ(bottle.Y.Value(), -51) << "parked again above the screen";
  EXPECT_EQ(bottle.DY.Value(), 0);
  EXPECT_EQ(bottle.X.Value(), 100);

  bottle.Y = 595;
  bottle.DY = 6;
  Anim_Swim_Drop(bottle, 250);
  EXPECT_EQ(bottle.Y.Value(), -51) << "ScreenHeight + 1 parks";
}

TEST_F(SwimTest, StillLoopWrapsAndReverseRunsBackAndForth) {
  Sprite sign;
  sign.Frames = 8;
  std::vector<int> shown;
  for (int i = 0; i < 10; ++i) {
    shown.push_back(sign.Frame.Value());
    Anim_Still_Loop(sign);
  }
  EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 0, 1}));

  Sprite guard;
  guard.Frames = 5;
  guard.FrameStep = 1;
  shown.clear();
  for (int i = 0; i < 11; ++i) {
    shown.push_back(guard.Frame.Value());
    Anim_Still_Reverse(guard);
  }
  EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 3, 4, 3, 2, 1, 0, 1, 2}));

  Sprite stuck;
  stuck.Frames = 5;
  stuck.Frame = 2;
  Anim_Still_Reverse(stuck);
  Anim_Still_Reverse(stuck);
  EXPECT_EQ(stuck.Frame.Value(), 2) << "FrameStep 0 keeps the cell";
}

TEST_F(SwimTest, OverflowIsReportedUnderTheRoutineAndLeavesEarlierWrites) {
  ErrorRecorder recorder;
  Sprite s = MidScreenSwimmer(1, 0);
  s.X = 2147483647;
  Anim_Swim_LeftOnly(s);
  EXPECT_EQ(s.Frame.Value(), 1) << "stepped before the move overflowed";
  EXPECT_EQ(s.X.Value(), 2147483647);

  Sprite wide = MidScreenSwimmer(-1, 0);
  wide.Frames = 200;
  wide.Width = 200;  // Frames x Width overflows 16 bits when the strip is chosen
  Anim_Swim_RightOnly(wide);
  EXPECT_EQ(wide.X.Value(), 299) << "moved before the strip overflowed";

  Sprite loop;
  loop.Frames = 300;
  loop.Frame = 200;
  loop.Width = 200;  // the source x of the draw overflows: nothing after it runs
  Anim_Still_Loop(loop);
  EXPECT_EQ(loop.Frame.Value(), 200);

  Sprite reverse;
  reverse.Frames = 5;
  reverse.Frame = 1;
  reverse.FrameStep = -32768;
  Anim_Still_Reverse(reverse);

  EXPECT_EQ(
      recorder.contexts(),
      (std::vector<std::string>{"Animations\\Anim_Swim_LeftOnly", "Animations\\Anim_Swim_RightOnly",
                                "Animations\\Anim_Still_Loop", "Animations\\Anim_Still_Reverse"}));
}

// ---- What lands in the back buffer ----

constexpr win::COLORREF kSea = win::RGB(0, 0, 0x40);
constexpr win::COLORREF kCell0 = win::RGB(0xC0, 0, 0);
constexpr win::COLORREF kCell1 = win::RGB(0, 0xC0, 0);

class SwimPixelTest : public SwimTest {
 protected:
  void SetUp() override {
    SwimTest::SetUp();
    anim_test::GiveBuffer(40, 20, kSea);
  }
  void TearDown() override { Buffer = Sprite{}; }
  // A 4 x 3 swimmer at (2, 2) with two cells per strip, the second strip a copy of the first.
  static Sprite SmallSwimmer() {
    Sprite s;
    s.Width = 4;
    s.Height = 3;
    s.Frames = 2;
    s.X = 2;
    s.Y = 2;
    s.DX = 10;
    anim_test::GiveSheet(s, 4, 3, {kCell0, kCell1, kCell0, kCell1});
    return s;
  }
};

TEST_F(SwimPixelTest, MaskedSwimmerDrawsItsCellBeforeItSteps) {
  Sprite s = SmallSwimmer();
  Anim_Swim_RightOnly(s);
  EXPECT_EQ(At(2, 2), kCell0) << "cell 0 at the old position";
  EXPECT_EQ(At(5, 2), kSea) << "the black column is transparent";
  EXPECT_EQ(At(12, 2), kSea) << "nothing at the new position yet";
  EXPECT_EQ(s.Frame.Value(), 1);
  Anim_Swim_RightOnly(s);
  EXPECT_EQ(At(12, 2), kCell1);
}

TEST_F(SwimPixelTest, JellyfishAddsItsPictureWithoutAMask) {
  Sprite s = SmallSwimmer();
  s.DY = -1;
  Anim_Swim_RightUp(s);
  EXPECT_EQ(At(2, 2), kCell0 | kSea) << "the picture is ORed onto the sea";
  EXPECT_EQ(At(5, 2), kSea);
}

TEST_F(SwimPixelTest, FallerIsDrawnOnlyWhileFalling) {
  Sprite s = SmallSwimmer();
  s.DX = 0;
  TickCount = 1;
  Anim_Swim_Drop(s, 2);
  EXPECT_EQ(At(2, 2), kSea) << "parked: not drawn";
  TickCount = 2;
  Anim_Swim_Drop(s, 2);
  EXPECT_EQ(At(2, 2), kCell0);
}

}  // namespace
