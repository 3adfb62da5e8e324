// The routines that only the settings dialog's preview pane uses: an item stepping back and
// forth in time with ShortTick, one school fish shown as a school of three, and a small column
// of rising bubbles. All draw through the mask row of their sheet.
#include "runtime/conversions.h"
#include "runtime/errors.h"
#include "sprites/animations.h"
#include "sprites/surfaces.h"

namespace {

bool InWindow(rt::Integer tick, int first, int last) {
  return tick >= first && tick <= last;
}

// A pane coordinate from a floating-point sum; one that does not fit 32 bits is an overflow.
rt::Long PanePlace(double v) {
  return rt::CLng(v);
}

}  // namespace

// Over one dialog cycle of ShortTick the item steps down to its first cell, rests, steps up to
// its last cell, rests, and does it all again; the cell never wraps.
void Anim_Preview_DelayedReverse(Sprite& rec) {
  rt::Trap("Animations\\Anim_Preview_DelayedReverse", [&] {
    DrawMaskRowCell(rec, rec, rec.X, rec.Y);
    if (InWindow(ShortTick, 1, 10) || InWindow(ShortTick, 51, 60)) {
      if (rec.Frame > 0) rec.Frame -= 1;
    } else if (InWindow(ShortTick, 21, 30) || InWindow(ShortTick, 71, 80)) {
      if (rec.Frame < rec.Frames - 1) rec.Frame += 1;
    }
  });
}

// A leader at the left third of the pane and two followers at the right third, above and below;
// the leader keeps the height that the pane's centring gave the record.
void Anim_Preview_School(Sprite& rec) {
  rt::Trap("Animations\\Anim_Preview_School", [&] {
    const double pw = PreviewPaneWidth, ph = PreviewPaneHeight;
    const double fw = rec.Width.AsDouble(), fh = rec.Height.AsDouble();
    DrawMaskRowCell(rec, rec, PanePlace(pw / 3 - fw / 2), rec.Y);
    DrawMaskRowCell(rec, rec, PanePlace(2 * pw / 3 - fw / 2), PanePlace(ph / 3 - fh / 2));
    DrawMaskRowCell(rec, rec, PanePlace(2 * pw / 3 - fw / 2), PanePlace(2 * ph / 3 - fh / 2));
    rec.Frame += 1;
    if (rec.Frame >= rec.Frames) rec.Frame = 0;
  });
}

// Twenty-five bubbles bounce between the pane's sides and rise; one that passes the top comes
// back at the pane's width below it, which lies a little under the bottom edge of the pane.
void Anim_Preview_Bubble() {
  rt::Trap("Animations\\Anim_Preview_Bubble", [] {
    for (int i = 1; i <= 25; ++i) {
      Sprite& b = BubblesLeft(i);
      DrawMaskRowCell(b, BubblesLeft(1), b.X, b.Y);
      b.X += b.DX;
      b.Y += b.DY;
      const double pw = PreviewPaneWidth;
      if (b.X.AsDouble() > pw - b.Width.AsDouble() || b.X.AsDouble() < 0) b.DX = -b.DX;
      if (b.Y < 0) b.Y = PanePlace(pw);
    }
  });
}
