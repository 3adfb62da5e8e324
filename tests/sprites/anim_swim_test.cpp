#include "anim_test_support.h"

namespace anim_test {
namespace {

class SwimTest : public SpriteTest {};

// On 800 x 600 the limits are -400 and 1200 across, -150 (or the top edge) and 535 down; the
// tests look at the new position, and one equal to a limit is inside.
TEST_F(SwimTest, TurnsOnlyBeyondALimitAndTheStraightOnesAlreadyAboveTheTopEdge) {
  // x, y, dx, dy; turns across, down when straight, down when diagonal
  const std::tuple<int, int, int, int, bool, bool, bool> cases[] = {
      {-395, 200, -5, 1, false, false, false}, {-396, 200, -5, 1, true, false, false},
      {1195, 200, 5, 1, false, false, false},  {1196, 200, 5, 1, true, false, false},
      {300, 4, 5, -4, false, false, false},    {300, 3, 5, -4, false, true, false},
      {300, -146, 5, -4, false, true, false},  {300, -147, 5, -4, false, true, true},
      {300, 531, 5, 4, false, false, false},   {300, 532, 5, 4, false, true, true}};
  // Straight swimmers turn at the top edge.
  // clang-format off
  const std::pair<void (*)(Sprite&), bool> swimmers[] = {
      {Anim_Swim_RightOnly, true}, {Anim_Swim_LeftOnly, true}, {Anim_Swim_RightDown, false},
      {Anim_Swim_LeftUp, false}, {Anim_Swim_RightUp, false}};
  // clang-format on
  for (const auto& [routine, straight] : swimmers) {
    for (const auto& [x, y, dx, dy, turns_x, turns_y_straight, turns_y_diagonal] : cases) {
      Sprite s{.X = x, .Y = y, .Width = 129, .Frames = 8, .DX = dx, .DY = dy};  // a whale
      routine(s);
      const bool turns_y = straight ? turns_y_straight : turns_y_diagonal;
      EXPECT_TRUE(s.X == x + dx && s.Y == y + dy && s.DX == (turns_x ? -dx : dx) &&
                  s.DY == (turns_y ? -dy : dy))
          << (straight ? "straight" : "diagonal") << " to " << x + dx << ", " << y + dy;
    }
  }
}

// The strip is chosen after the turns, from the steps they leave: the whale at Y 535 swims right
// and down but turns at BottomLimit.
TEST_F(SwimTest, FirstStripOnlyForTheSwimmersOwnDirection) {
  // y, dx, dy, first strip
  const std::tuple<void (*)(Sprite&), int, int, int, bool> cases[] = {
      {Anim_Swim_RightOnly, 200, 5, -1, true},  {Anim_Swim_RightOnly, 200, 0, 1, false},
      {Anim_Swim_LeftOnly, 200, -5, 1, true},   {Anim_Swim_LeftOnly, 200, 0, 1, false},
      {Anim_Swim_RightDown, 200, 5, 1, true},   {Anim_Swim_RightDown, 200, 5, 0, false},
      {Anim_Swim_RightDown, 200, -5, 1, false}, {Anim_Swim_RightDown, 535, 6, 1, false},
      {Anim_Swim_LeftUp, 200, -5, -1, true},    {Anim_Swim_LeftUp, 200, 5, -1, false},
      {Anim_Swim_LeftUp, 200, -5, 1, false},    {Anim_Swim_RightUp, 200, 5, -1, true},
      {Anim_Swim_RightUp, 200, 5, 1, false},    {Anim_Swim_RightUp, 200, -5, -1, false}};
  for (const auto& [routine, y, dx, dy, first] : cases) {
    Sprite s{.X = 300, .Y = y, .Width = 129, .Frames = 8, .DX = dx, .DY = dy};
    s.StripOffset = first ? 8 * 129 : 0;  // start on the other strip
    routine(s);
    EXPECT_EQ(s.StripOffset, first ? 0 : 8 * 129) << "DX " << dx << ", DY " << dy;
  }
}

TEST_F(SwimTest, StillLoopWrapsAndReverseTurnsOnItsEndCells) {
  const std::tuple<void (*)(Sprite&), Sprite, std::vector<int>> cases[] = {
      {Anim_Still_Loop, {.Frames = 8}, {0, 1, 2, 3, 4, 5, 6, 7, 0, 1}},
      {Anim_Still_Reverse, {.Frames = 5, .FrameStep = 1}, {0, 1, 2, 3, 4, 3, 2, 1, 0, 1, 2}},
      {Anim_Still_Reverse, {.Frames = 5, .Frame = 2}, {2, 2, 2}}};  // FrameStep 0
  for (auto [routine, s, expected] : cases) {
    std::vector<int> shown;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      shown.push_back(s.Frame.Value());
      routine(s);
    }
    EXPECT_EQ(shown, expected);
  }
}

TEST_F(SwimTest, FallerWaitsForItsTickAndParksOnlyOncePastTheBottomEdge) {
  Sprite bottle{.X = 100, .Y = -51, .Height = 51, .Width = 32, .Frames = 13, .Frame = 12};
  for (const auto& [tick, y, frame] : {std::tuple{249, -51, 12}, {250, -45, 0}}) {
    TickCount = tick;  // parked before its tick of 250, then falling 6 a tick
    Anim_Swim_Drop(bottle, 250);
    EXPECT_TRUE(bottle.Y == y && bottle.Frame == frame) << "TickCount " << tick;
  }
  TickCount = 251;
  for (const auto& [y, parks] : {std::pair{594, false}, {595, true}}) {  // ScreenHeight 600
    bottle.Y = y;
    Anim_Swim_Drop(bottle, 250);
    EXPECT_TRUE(bottle.Y == (parks ? -51 : y + 6) && bottle.DY == (parks ? 0 : 6)) << y;
  }
}

TEST_F(SwimTest, DrawsBeforeTheStepMaskedOrAddedWithoutAMask) {
  constexpr win::COLORREF kCell0 = win::RGB(0xC0, 0, 0), kCell1 = win::RGB(0, 0xC0, 0);
  GiveBuffer(40, 20);
  Sprite s{.X = 2, .Y = 2, .Height = 3, .Width = 4, .Frames = 2, .DX = 10};
  GiveSheet(s, {kCell0, kCell1, kCell0, kCell1});
  Sprite jelly = s;
  Anim_Swim_RightOnly(s);
  EXPECT_TRUE(At(2, 2) == kCell0 && At(12, 2) == kSea) << "cell 0 at the old position only";
  Anim_Swim_RightOnly(s);
  EXPECT_EQ(At(12, 2), kCell1);
  jelly.Y = 10;
  Anim_Swim_RightUp(jelly);
  EXPECT_EQ(At(2, 10), kCell0 | kSea) << "the jellyfish is ORed on without a mask";
}

TEST_F(SwimTest, AnOverflowIsReportedUnderTheRoutinesNameAndEndsTheCall) {
  Sprite s{.Width = 200, .Frames = 300, .Frame = 200, .DX = 1};  // cell 200 lies beyond 16 bits
  for (auto routine : {&Anim_Swim_RightOnly, Anim_Swim_LeftOnly, Anim_Swim_RightDown,
                       Anim_Swim_LeftUp, Anim_Swim_RightUp, Anim_Still_Loop, Anim_Still_Reverse})
    routine(s);
  Anim_Swim_Drop(s, 0);
  EXPECT_TRUE(s.Frame == 200 && s.X == 0) << "nothing after the draw ran";
  const std::vector<std::string> names = {
      "Anim_Swim_RightOnly", "Anim_Swim_LeftOnly", "Anim_Swim_RightDown", "Anim_Swim_LeftUp",
      "Anim_Swim_RightUp",   "Anim_Still_Loop",    "Anim_Still_Reverse",  "Anim_Swim_Drop"};
  ASSERT_EQ(errors_.contexts().size(), names.size());
  for (std::size_t i = 0; i < names.size(); ++i)
    EXPECT_EQ(errors_.contexts()[i], "Animations\\" + names[i]);
}

}  // namespace
}  // namespace anim_test
