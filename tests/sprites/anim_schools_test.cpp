#include <gtest/gtest.h>

#include <vector>

#include "anim_test_support.h"
#include "sprites/animations.h"

namespace {

using anim_test::At;
using anim_test::ErrorRecorder;

struct Offset {
  int dx, dy;
};

// Places a school: the leader at (x, y), the others at the given offsets from it; every member
// steps dx horizontally and dy vertically, with no wobble, on the first (left-facing) strip.
template <int Upper>
void PlaceSchool(rt::Array<Sprite, Upper>& school, int x, int y, int dx, int dy,
                 const std::vector<Offset>& offsets) {
  anim_test::Clear(school);
  for (int i = 1; i <= static_cast<int>(offsets.size()) + 1; ++i) {
    Sprite& m = school(i);
    m.Width = 41;
    m.Height = 31;
    m.Frames = 8;
    m.DX = dx;
    m.DY = dy;
    m.X = i == 1 ? x : x + offsets[i - 2].dx;
    m.Y = i == 1 ? y : y + offsets[i - 2].dy;
  }
}

const std::vector<Offset> kRedFishOffsets = {{55, 55}, {75, -55}, {125, 15}};

class SchoolsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    anim_test::UseScreen800x600();
    Buffer = Sprite{};
  }
};

TEST_F(SchoolsTest, WobbleFlipsAfterPeriodCallsThenEveryPeriodLessOne) {
  PlaceSchool(RedFish, 100, 300, 0, 0, kRedFishOffsets);
  RedFish(2).DY = 1;
  RedFish(2).WobblePeriod = 30;
  std::vector<int> flips;
  for (int call = 1; call <= 100; ++call) {
    const int before = RedFish(2).DY.Value();
    Anim_Custom_redfish();
    if (RedFish(2).DY.Value() != before) flips.push_back(call);
  }
  EXPECT_EQ(flips, (std::vector<int>{30, 59, 88}));
  EXPECT_EQ(RedFish(2).WobbleCount.Value(), 100 - 88 + 1);
}

TEST_F(SchoolsTest, LeaderTurnsVerticallyOnlyBeyondTheBandAndFollowersRideTheNewStep) {
  struct Case {
    int leader_y, dy;
    bool turns;
  };
  const Case cases[] = {{1, -1, false}, {0, -1, true}, {534, 1, false}, {535, 1, true}};
  for (const auto& c : cases) {
    PlaceSchool(YellowFish, 100, c.leader_y, 0, c.dy, {{55, 55}, {75, -55}, {125, 15}, {145, -25}});
    for (int i = 2; i <= 5; ++i) YellowFish(i).DY = 0;  // followers of their own stand still
    const int follower_y = YellowFish(3).Y.Value();
    Anim_Custom_Yellowfish();
    const int leader_dy = c.turns ? -c.dy : c.dy;
    EXPECT_EQ(YellowFish(1).DY.Value(), leader_dy) << "leader from Y " << c.leader_y;
    EXPECT_EQ(YellowFish(3).Y.Value(), follower_y + leader_dy) << "follower rides the new step";
  }
}

TEST_F(SchoolsTest, FollowerAddsItsOwnStepToTheLeaders) {
  PlaceSchool(AngelFish, 100, 300, -3, 1, {{55, 55}, {75, -55}, {125, 15}, {145, -25}});
  AngelFish(4).DY = -1;
  AngelFish(4).WobblePeriod = 10;
  const int y = AngelFish(4).Y.Value();
  Anim_Custom_AngelFish();
  EXPECT_EQ(AngelFish(4).Y.Value(), y + 1 - 1);
  EXPECT_EQ(AngelFish(4).X.Value(), 100 + 125 - 3);
}

TEST_F(SchoolsTest, SchoolArrivingAtTheLeftLimitLeavesMirrored) {
  PlaceSchool(RedFish, -398, 300, -5, 0, kRedFishOffsets);
  for (int call = 0; call < 40; ++call) Anim_Custom_redfish();
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(RedFish(i).DX.Value(), 5) << "member " << i;
    EXPECT_EQ(RedFish(i).StripOffset.Value(), 8 * 41) << "member " << i << " faces right";
  }
  for (int i = 2; i <= 4; ++i) {
    EXPECT_EQ(RedFish(1).X.Value() - RedFish(i).X.Value(), kRedFishOffsets[i - 2].dx)
        << "follower " << i << " now trails to the left";
  }
}

TEST_F(SchoolsTest, EveryMemberTurnsWhenTheLeaderPassesTheRightLimit) {
  PlaceSchool(EmperorFish, 1196, 300, 5, 0,
              {{35, -20}, {-85, -45}, {125, -35}, {-300, 45}, {10, 15}});
  for (int i = 1; i <= 6; ++i) EmperorFish(i).StripOffset = 8 * 41;
  Anim_Custom_emperorfish();  // leader at 1201
  for (int i = 1; i <= 6; ++i) {
    EXPECT_EQ(EmperorFish(i).DX.Value(), -5) << "member " << i;
    EXPECT_EQ(EmperorFish(i).StripOffset.Value(), 0) << "member " << i;
  }
}

TEST_F(SchoolsTest, FollowerBeyondTheRightLimitWaitsForTheLeader) {
  PlaceSchool(RedFish, 1100, 300, 5, 0, {{200, 0}, {10, 0}, {20, 0}});
  Anim_Custom_redfish();
  EXPECT_EQ(RedFish(2).DX.Value(), 5);
  EXPECT_EQ(RedFish(2).X.Value(), 1305);
}

TEST_F(SchoolsTest, LockStepTurnsTogetherOnTheLeadersPositionAlone) {
  // A member beyond LeftLimit does not turn while the leader is inside.
  PlaceSchool(BlueDevils, -390, 300, -4, 1,
              {{-35, 25}, {45, -25}, {75, 15}, {85, -15}, {50, 0}, {115, 2}});
  Anim_Custom_bluedevil();
  EXPECT_EQ(BlueDevils(2).X.Value(), -429);
  EXPECT_EQ(BlueDevils(2).DX.Value(), -4);

  // The leader passing LeftLimit turns all seven; element 8 stays untouched.
  BlueDevils(1).X = -397;
  Anim_Custom_bluedevil();
  for (int i = 1; i <= 7; ++i) {
    EXPECT_EQ(BlueDevils(i).DX.Value(), 4) << "member " << i;
    EXPECT_EQ(BlueDevils(i).StripOffset.Value(), 8 * 41) << "member " << i;
  }
  EXPECT_EQ(BlueDevils(8).X.Value(), 0);

  BlueDevils(1).X = 1197;
  Anim_Custom_bluedevil();
  for (int i = 1; i <= 7; ++i) {
    EXPECT_EQ(BlueDevils(i).DX.Value(), -4) << "member " << i;
    EXPECT_EQ(BlueDevils(i).StripOffset.Value(), 0) << "member " << i;
  }
}

TEST_F(SchoolsTest, LockStepBands) {
  struct Case {
    bool horses;       // else the blue devils
    int leader_y, dy;  // the leader's new Y is leader_y + dy
    bool turns;
  };
  const Case cases[] = {
      {true, 268, -1, true},   // 267 lies above the half of BottomLimit, 267.5
      {true, 269, -1, false},  // 268
      {true, 534, 1, false},   // 535
      {true, 535, 1, true},    // 536
      {false, 1, -1, false},   // 0
      {false, 0, -1, true},    // -1
      {false, 535, 1, true},   // 536
  };
  const std::vector<Offset> offsets = {{25, 15}, {35, -15}, {55, 15}, {65, -15}, {75, 0}, {85, 0}};
  for (const auto& c : cases) {
    const int members = c.horses ? 5 : 7;
    if (c.horses) {
      PlaceSchool(SwimHorses, 100, c.leader_y, -2, c.dy, {offsets.begin(), offsets.begin() + 4});
      Anim_Custom_SwimHorse();
    } else {
      PlaceSchool(BlueDevils, 100, c.leader_y, -2, c.dy, offsets);
      Anim_Custom_bluedevil();
    }
    for (int i = 1; i <= members; ++i) {
      const int dy = (c.horses ? SwimHorses(i) : BlueDevils(i)).DY.Value();
      EXPECT_EQ(dy, c.turns ? -c.dy : c.dy) << (c.horses ? "horses" : "devils") << " leader new Y "
                                            << c.leader_y + c.dy << " member " << i;
    }
  }
}

TEST_F(SchoolsTest, OverflowIsReportedAndMembersAlreadyMovedKeepTheirValues) {
  ErrorRecorder recorder;
  PlaceSchool(SwimHorses, 100, 300, -2, 1, {{25, 15}, {35, -15}, {55, 15}, {65, -15}});
  SwimHorses(3).X = -2147483647;  // its move overflows
  Anim_Custom_SwimHorse();
  EXPECT_EQ(SwimHorses(2).X.Value(), 123);
  EXPECT_EQ(SwimHorses(4).X.Value(), 155) << "members after the failure are not moved";

  PlaceSchool(RedFish, 100, 300, -5, 0, kRedFishOffsets);
  RedFish(3).DY = -32768;
  RedFish(3).WobblePeriod = 1;  // flips on its first call: the negation overflows
  Anim_Custom_redfish();
  EXPECT_EQ(RedFish(1).X.Value(), 95) << "the leader moved first";

  EXPECT_EQ(recorder.contexts(), (std::vector<std::string>{"Animations\\Anim_Custom_SwimHorse",
                                                           "Animations\\Anim_Custom_redfish"}));
}

// ---- What lands in the back buffer ----

constexpr win::COLORREF kSea = win::RGB(0, 0, 0x40);
constexpr win::COLORREF kFish = win::RGB(0xE0, 0x80, 0);

TEST_F(SchoolsTest, MembersDrawWithTheLeadersSheetLockStepBeforeTheStepFollowersAfter) {
  anim_test::GiveBuffer(60, 30, kSea);
  auto small = [](auto& school) {
    for (int i = 1; i <= school.UBound(); ++i) {
      school(i).Width = 3;
      school(i).Height = 2;
      school(i).Frames = 1;
    }
    anim_test::GiveSheet(school(1), 3, 2, {kFish, kFish});
  };
  PlaceSchool(SwimHorses, 2, 2, 10, 0, {{0, 10}, {40, 0}, {40, 0}, {40, 0}});
  small(SwimHorses);
  PlaceSchool(RedFish, 2, 20, 10, 0, {{20, 5}, {40, 0}, {40, 0}});
  small(RedFish);

  Anim_Custom_SwimHorse();
  EXPECT_EQ(At(2, 2), kFish) << "lock-step leader at its old position";
  EXPECT_EQ(At(2, 12), kFish) << "follower drawn with the leader's sheet";
  EXPECT_EQ(At(4, 2), kSea) << "black is transparent";

  Anim_Custom_redfish();
  EXPECT_EQ(At(2, 20), kSea) << "follow-the-leader draws after the step";
  EXPECT_EQ(At(12, 20), kFish);
  EXPECT_EQ(At(32, 25), kFish);
  Buffer = Sprite{};
}

}  // namespace
