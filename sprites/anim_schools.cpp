// The schools of small fish. Element 1 leads and owns the sheet; every member is drawn with its
// surfaces. Two families: followers that trail the leader with a wobble of their own (drawn
// after the step), and schools that keep their shape in lock step (drawn before the step).
#include <string_view>

#include "host/starter.h"
#include "runtime/array.h"
#include "runtime/errors.h"
#include "sprites/animations.h"
#include "sprites/surfaces.h"

namespace {

void StepCell(Sprite& s) {
  s.Frame += 1;
  if (s.Frame >= s.Frames) s.Frame = 0;
}

// The first strip faces left: a member turning at the left limit shows the second.
void TurnToFaceRight(Sprite& s) {
  s.DX = -s.DX;
  s.StripOffset = s.Frames * s.Width;
}
void TurnToFaceLeft(Sprite& s) {
  s.DX = -s.DX;
  s.StripOffset = 0;
}

// Followers ride on the leader's vertical step plus their own, which flips every WobblePeriod
// calls; each member turns by itself at the left limit, all together when the leader passes the
// right one, so a school mirrors its shape at the left and keeps it at the right.
template <int Upper>
void FollowTheLeader(std::string_view context, rt::Array<Sprite, Upper>& school, int members) {
  rt::Trap(context, [&] {
    Sprite& leader = school(1);
    leader.X += leader.DX;
    leader.Y += leader.DY;
    if (leader.Y > BottomLimit || leader.Y < 0) leader.DY = -leader.DY;

    for (int i = 2; i <= members; ++i) {
      Sprite& f = school(i);
      f.WobbleCount += 1;
      if (f.WobbleCount == f.WobblePeriod) {
        f.DY = -f.DY;
        f.WobbleCount = 1;
      }
      f.Y = f.Y + leader.DY + f.DY;
      f.X += f.DX;
    }

    for (int i = 1; i <= members; ++i) {
      Sprite& m = school(i);
      StepCell(m);
      if (m.X < LeftLimit) {
        TurnToFaceRight(m);
      } else if (leader.X > RightLimit) {
        TurnToFaceLeft(m);
      }
      DrawSpriteCell(m, leader, m.X, m.Y);
    }
  });
}

// Every member shares the leader's steps and turns on the leader's position alone. The school
// stays between band_top and BottomLimit vertically.
template <int Upper>
void LockStep(std::string_view context, rt::Array<Sprite, Upper>& school, int members,
              double (*band_top)()) {
  rt::Trap(context, [&] {
    const Sprite& leader = school(1);
    for (int i = 1; i <= members; ++i) {
      Sprite& m = school(i);
      DrawSpriteCell(m, leader, m.X, m.Y);
      StepCell(m);
      m.X += m.DX;
      m.Y += m.DY;
    }
    if (leader.X < LeftLimit) {
      for (int i = 1; i <= members; ++i) TurnToFaceRight(school(i));
    } else if (leader.X > RightLimit) {
      for (int i = 1; i <= members; ++i) TurnToFaceLeft(school(i));
    }
    if (leader.Y.AsDouble() < band_top() || leader.Y > BottomLimit) {
      for (int i = 1; i <= members; ++i) school(i).DY = -school(i).DY;
    }
  });
}

}  // namespace

void Anim_Custom_redfish() {
  FollowTheLeader("Animations\\Anim_Custom_redfish", RedFish, 4);
}
void Anim_Custom_Yellowfish() {
  FollowTheLeader("Animations\\Anim_Custom_Yellowfish", YellowFish, 5);
}
void Anim_Custom_emperorfish() {
  FollowTheLeader("Animations\\Anim_Custom_emperorfish", EmperorFish, 6);
}
void Anim_Custom_AngelFish() {
  FollowTheLeader("Animations\\Anim_Custom_AngelFish", AngelFish, 5);
}

void Anim_Custom_bluedevil() {
  LockStep("Animations\\Anim_Custom_bluedevil", BlueDevils, 7, [] { return 0.0; });
}
// The sea horses keep to the lower half of the swimming band; the half is taken exactly.
void Anim_Custom_SwimHorse() {
  LockStep("Animations\\Anim_Custom_SwimHorse", SwimHorses, 5,
           [] { return BottomLimit.AsDouble() / 2; });
}
