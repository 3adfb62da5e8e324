// The hooked worm: lowered on a grey line from above the screen at TickCount 100 and 600, hangs
// for 100 calls, then is pulled back up. State machine:
//   "None" -> "Dropping" (TickCount 100 or 600) -> "Transition" (below mid-screen, less a worm)
//   -> "Still" (cell 3 reached) -> "Rising" (100 calls) -> "None" (above TopLimit, less a worm).
#include <string>

#include "host/starter.h"
#include "runtime/conversions.h"
#include "runtime/errors.h"
#include "sprites/animations.h"
#include "sprites/surfaces.h"

namespace {

constexpr win::COLORREF kLineGrey = win::RGB(128, 128, 128);

// While hanging and rising the worm shows cell 3, wriggling to cell 4 on single ticks.
rt::Integer HangingCell() {
  const int t = ShortTick.Value();
  const bool wriggle = t == 10 || t == 30 || t == 50 || t == 70 || t == 90;
  return wriggle ? 4 : 3;
}

}  // namespace

void Anim_Custom_Worm(Sprite& s) {
  rt::Trap("Animations\\Anim_Custom_Worm", [&] {
    // The line runs from the top edge to just inside the worm, which then covers its end.
    const rt::Integer line_end = rt::CInt(s.Y + 2);
    const rt::Long line_x = s.X + 9;
    for (int y = 0; y <= line_end.Value(); ++y) {
      win::SetPixel(BufferDC(), line_x.Value(), y, kLineGrey);
    }
    if (s.State == "None" && (TickCount == 100 || TickCount == 600)) s.State = "Dropping";
    DrawSpriteCell(s, s, s.X, s.Y);

    if (s.State == "Dropping") {
      s.Frame = 0;
      s.Y += s.DY;
      if (s.Y.AsDouble() > ScreenHeight.AsDouble() / 2 - s.Height.AsDouble()) {
        s.State = "Transition";
      }
    } else if (s.State == "Transition") {
      s.Frame += 1;
      if (s.Frame >= 3) s.State = "Still";
    } else if (s.State == "Still") {
      s.Frame = HangingCell();
      WormStillCount += 1;
      if (WormStillCount == 100) {
        s.State = "Rising";
        WormStillCount = 0;
      }
    } else if (s.State == "Rising") {
      s.Frame = HangingCell();
      s.Y -= s.DY;
      if (s.Y < TopLimit - s.Height) s.State = "None";
    }
  });
}
