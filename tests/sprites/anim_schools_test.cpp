#include "anim_test_support.h"

namespace anim_test {
namespace {

class SchoolsTest : public SpriteTest {};

const std::pair<int, int> kOffsets[] = {{55, 55},   {75, -55}, {125, 15},
                                        {145, -25}, {-35, 0},  {115, 2}};

// Places the first members of a school: the leader at (x, y), the others at the offsets from
// it; each steps dx and dy, with no wobble, on the first (left-facing) strip. On 800 x 600 the
// limits are -400 and 1200 across and 535 down.
template <int Upper>
void PlaceSchool(rt::Array<Sprite, Upper>& school, int members, int x, int y, int dx, int dy) {
  for (int i = 1; i <= members; ++i) {
    const auto [ox, oy] = i == 1 ? std::pair{0, 0} : kOffsets[i - 2];
    school(i) = {.X = x + ox, .Y = y + oy, .Width = 41, .Frames = 8, .DX = dx, .DY = dy};
  }
}

// A follower's own step flips after WobblePeriod calls, then every WobblePeriod - 1, and adds to
// the leader's, the one left after the leader's turn.
TEST_F(SchoolsTest, FollowersWobbleAndRideTheLeadersStepWhichTurnsOnlyBeyondTheBand) {
  PlaceSchool(RedFish, 4, 100, 300, 0, 0);
  RedFish(2).DY = 1;
  RedFish(2).WobblePeriod = 30;
  std::vector<int> flips;
  for (int call = 1; call <= 100; ++call) {
    const rt::Integer before = RedFish(2).DY;
    Anim_Custom_redfish();
    if (RedFish(2).DY != before) flips.push_back(call);
  }
  EXPECT_EQ(flips, (std::vector<int>{30, 59, 88}));
  for (const auto& [y, dy, turns] :
       {std::tuple{1, -1, false}, {0, -1, true}, {534, 1, false}, {535, 1, true}}) {
    PlaceSchool(YellowFish, 5, 100, y, -3, dy);
    YellowFish(3).DY = 2;  // never flips: a period of 0 is never reached
    Anim_Custom_Yellowfish();
    const int leader_dy = turns ? -dy : dy;
    EXPECT_EQ(YellowFish(1).DY, leader_dy) << "leader from Y " << y;
    EXPECT_TRUE(YellowFish(3).Y == y - 55 + leader_dy + 2 && YellowFish(3).X == 100 + 75 - 3) << y;
  }
}

// At the left limit each member turns as it passes, so the school leaves mirrored; at the right
// every member turns with the leader, ahead of it or behind.
TEST_F(SchoolsTest, EachMemberTurnsAtTheLeftLimitAndAllWithTheLeaderAtTheRight) {
  PlaceSchool(RedFish, 4, -398, 300, -5, 0);
  for (int call = 0; call < 40; ++call) Anim_Custom_redfish();
  for (int i = 1; i <= 4; ++i) {
    EXPECT_TRUE(RedFish(i).DX == 5 && RedFish(i).StripOffset == 8 * 41) << "member " << i;
    EXPECT_EQ(RedFish(1).X - RedFish(i).X, i == 1 ? 0 : kOffsets[i - 2].first) << "member " << i;
  }
  RedFish(1).X = 1196;
  Anim_Custom_redfish();
  for (int i = 1; i <= 4; ++i) {
    EXPECT_TRUE(RedFish(i).DX == -5 && RedFish(i).StripOffset == 0) << "member " << i;
  }
}

// Lock-step members turn on the leader's new position alone: across at the limits, down at the
// band, which for the sea horses is the lower half, from 267.5 on 800 x 600.
TEST_F(SchoolsTest, LockStepTurnsTogetherOnTheLeadersPositionAlone) {
  // horses, leader's x, y, dx, dy; turns across, down
  const std::tuple<bool, int, int, int, int, bool, bool> cases[] = {
      {false, -396, 300, -4, 1, false, false},  // member 6 beyond LeftLimit stays
      {false, -397, 300, -4, 1, true, false},  {false, 1197, 300, 4, 1, true, false},
      {false, 100, 1, 4, -1, false, false},    {false, 100, 0, 4, -1, false, true},
      {false, 100, 535, 4, 1, false, true},    {true, 100, 268, 4, -1, false, true},
      {true, 100, 269, 4, -1, false, false},   {true, 100, 534, 4, 1, false, false},
      {true, 100, 535, 4, 1, false, true}};
  for (const auto& [horses, x, y, dx, dy, turns_x, turns_y] : cases) {
    PlaceSchool(SwimHorses, 5, x, y, dx, dy);
    PlaceSchool(BlueDevils, 7, x, y, dx, dy);
    horses ? Anim_Custom_SwimHorse() : Anim_Custom_bluedevil();
    for (int i = 1; i <= (horses ? 5 : 7); ++i) {
      const Sprite& m = horses ? SwimHorses(i) : BlueDevils(i);
      EXPECT_TRUE(m.DX == (turns_x ? -dx : dx) && m.DY == (turns_y ? -dy : dy))
          << (horses ? "horse " : "devil ") << i << ", leader to " << x + dx << ", " << y + dy;
      EXPECT_EQ(m.StripOffset, turns_x && dx < 0 ? 8 * 41 : 0);
    }
  }
}

TEST_F(SchoolsTest, LockStepDrawsBeforeItsStepFollowersAfterTheirsBothWithTheLeadersSheet) {
  constexpr win::COLORREF kFish = win::RGB(0xE0, 0x80, 0);
  GiveBuffer(60, 30);
  SwimHorses(1) = {.X = 2, .Y = 2, .Height = 2, .Width = 3, .Frames = 8, .DX = 10};
  SwimHorses(2) = {.X = 12, .Y = 4, .Height = 2, .Width = 3, .Frames = 8, .DX = 10};
  RedFish(1) = {.X = 2, .Y = 20, .Height = 2, .Width = 3, .Frames = 8, .DX = 10};
  RedFish(2) = {.X = 47, .Y = 25, .Height = 2, .Width = 3, .Frames = 8, .DX = 10};
  for (Sprite* leader : {&SwimHorses(1), &RedFish(1)})
    GiveSheet(*leader, std::vector<win::COLORREF>(8, kFish));
  Anim_Custom_SwimHorse();
  Anim_Custom_redfish();
  // Sea horses: the leader, the follower and a black column; red fish: old and new positions.
  EXPECT_EQ(std::vector({At(2, 2), At(12, 4), At(4, 2), At(2, 20), At(12, 20), At(57, 25)}),
            std::vector({kFish, kFish, kSea, kSea, kFish, kFish}));
}

}  // namespace
}  // namespace anim_test
