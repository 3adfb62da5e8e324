// Swimmers, the faller and the two in-place loops: one record per call, drawn before it steps,
// so a change of cell or strip shows from the next call on.
#include <string_view>

#include "host/starter.h"
#include "runtime/errors.h"
#include "sprites/anim_draw.h"
#include "sprites/animations.h"
#include "sprites/surfaces.h"

namespace {

// How the five swimmers differ: which vertical limit stops them at the top, which facing the
// sheet's first strip shows, and whether the picture is laid over the scene without a mask.
struct SwimRule {
  std::string_view context;
  bool turns_at_screen_top;  // else at TopLimit, a quarter screen above the top edge
  bool (*first_strip)(rt::Integer dx, rt::Integer dy);
  bool picture_only;
};

void StepCell(Sprite& s) {
  s.Frame += 1;
  if (s.Frame >= s.Frames) s.Frame = 0;
}

void Swim(Sprite& s, const SwimRule& rule) {
  rt::Trap(rule.context, [&] {
    if (rule.picture_only) {
      OrCell(s, s);
    } else {
      DrawSpriteCell(s, s, s.X, s.Y);
    }
    StepCell(s);
    s.X += s.DX;
    s.Y += s.DY;
    // A turn only flips the step: the swimmer stays beyond the limit for this tick.
    if (s.X < LeftLimit || s.X > RightLimit) s.DX = -s.DX;
    const rt::Long top = rule.turns_at_screen_top ? rt::Long(0) : TopLimit;
    if (s.Y < top || s.Y > BottomLimit) s.DY = -s.DY;
    s.StripOffset = rule.first_strip(s.DX, s.DY) ? rt::Long(0) : rt::Long(s.Frames * s.Width);
  });
}

constexpr SwimRule kRightOnly{"Animations\\Anim_Swim_RightOnly", true,
                              [](rt::Integer dx, rt::Integer) { return dx > 0; }, false};
constexpr SwimRule kLeftOnly{"Animations\\Anim_Swim_LeftOnly", true,
                             [](rt::Integer dx, rt::Integer) { return dx < 0; }, false};
constexpr SwimRule kRightDown{"Animations\\Anim_Swim_RightDown", false,
                              [](rt::Integer dx, rt::Integer dy) { return dx > 0 && dy > 0; },
                              false};
constexpr SwimRule kLeftUp{"Animations\\Anim_Swim_LeftUp", false,
                           [](rt::Integer dx, rt::Integer dy) { return dx < 0 && dy < 0; }, false};
constexpr SwimRule kRightUp{"Animations\\Anim_Swim_RightUp", false,
                            [](rt::Integer dx, rt::Integer dy) { return dx > 0 && dy < 0; }, true};

}  // namespace

void Anim_Swim_RightOnly(Sprite& s) {
  Swim(s, kRightOnly);
}
void Anim_Swim_LeftOnly(Sprite& s) {
  Swim(s, kLeftOnly);
}
void Anim_Swim_RightDown(Sprite& s) {
  Swim(s, kRightDown);
}
void Anim_Swim_LeftUp(Sprite& s) {
  Swim(s, kLeftUp);
}
void Anim_Swim_RightUp(Sprite& s) {
  Swim(s, kRightUp);
}

// A faller waits parked above the screen (DY 0) until TickCount reaches its start tick, drops
// 6 pixels a tick, and parks again once it has passed the bottom edge.
void Anim_Swim_Drop(Sprite& s, rt::Integer startTick) {
  rt::Trap("Animations\\Anim_Swim_Drop", [&] {
    if (TickCount == startTick) s.DY = 6;
    if (s.DY <= 0) return;
    DrawSpriteCell(s, s, s.X, s.Y);
    StepCell(s);
    s.X += s.DX;
    s.Y += s.DY;
    if (s.Y > ScreenHeight) {
      s.Y = -s.Height;
      s.DY = 0;
    }
  });
}

void Anim_Still_Loop(Sprite& s) {
  rt::Trap("Animations\\Anim_Still_Loop", [&] {
    DrawSpriteCell(s, s, s.X, s.Y);
    StepCell(s);
  });
}

// Runs the cells forwards and backwards, turning on the first and the last cell.
void Anim_Still_Reverse(Sprite& s) {
  rt::Trap("Animations\\Anim_Still_Reverse", [&] {
    DrawSpriteCell(s, s, s.X, s.Y);
    s.Frame += s.FrameStep;
    if (s.Frame >= s.Frames - 1 || s.Frame <= 0) s.FrameStep = -s.FrameStep;
  });
}
