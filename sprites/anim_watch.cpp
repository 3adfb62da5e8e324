// The clock centrepiece: the dial, three hands for the time of day, and the glass over them.
#include "sprites/anim_watch.h"

#include <cmath>

#include "runtime/conversions.h"
#include "runtime/errors.h"
#include "sprites/animations.h"

namespace {

// The watch sheet always shows the dial as its first cell and the glass as its second, whatever
// Frame and StripOffset hold.
void MaskedCellAt(const Sprite& s, rt::Long src_x) {
  const win::HDC buffer = BufferDC();
  const int x = s.X.Value(), y = s.Y.Value(), w = s.Width.Value(), h = s.Height.Value();
  win::BitBlt(buffer, x, y, w, h, s.MaskDC, src_x.Value(), 0, win::Rop::SRCAND);
  win::BitBlt(buffer, x, y, w, h, s.ImageDC, src_x.Value(), 0, win::Rop::SRCPAINT);
}

struct Hand {
  double degrees_per_unit;
  double length;
};
constexpr Hand kHourHand{30, 15};
constexpr Hand kMinuteHand{6, 25};
constexpr Hand kSecondHand{6, 25};

// The hands use the back buffer's pen, which stays the default: solid black, one pixel wide.
void DrawHand(rt::Long cx, rt::Long cy, double v, const Hand& hand) {
  const win::POINT end = HandEnd(cx, cy, v, hand.degrees_per_unit, hand.length);
  win::MoveToEx(BufferDC(), cx.Value(), cy.Value(), nullptr);
  win::LineTo(BufferDC(), end.x, end.y);
}

}  // namespace

win::POINT HandEnd(rt::Long cx, rt::Long cy, double v, double k, double length) {
  // The dial's own value of pi; the hands' pixels depend on it where an end point nears a half.
  const double a = (v * k - 90) * (3.14159 / 180);
  return {rt::CLng(cx.AsDouble() + std::cos(a) * length).Value(),
          rt::CLng(cy.AsDouble() + std::sin(a) * length).Value()};
}

void Anim_Custom_Watch(Sprite& s) {
  rt::Trap("Animations\\Anim_Custom_Watch", [&] {
    const rt::Long cx = s.X + 53;
    const rt::Long cy = s.Y + 69;
    MaskedCellAt(s, 0);
    DrawHand(cx, cy, ClockHourFraction, kHourHand);
    DrawHand(cx, cy, ClockMinute, kMinuteHand);
    DrawHand(cx, cy, ClockSecond, kSecondHand);
    MaskedCellAt(s, s.Width);
  });
}
