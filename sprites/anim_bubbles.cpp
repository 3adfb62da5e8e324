// The two bubble columns, fifty bubbles each, rising and zigzagging inside the right and the
// left sixth of the screen. Both draw from the sheet of BubblesLeft(1), so swapping that sheet
// (the hearts) changes both columns.
#include "host/starter.h"
#include "runtime/errors.h"
#include "sprites/anim_draw.h"
#include "sprites/animations.h"
#include "sprites/surfaces.h"

namespace {

constexpr int kBubbles = 50;

// A bubble that has passed the top edge re-enters just below the bottom one.
void RiseAndStep(Sprite& b) {
  if (b.Y < 0) b.Y = ScreenHeight;
  b.Frame += 1;
  if (b.Frame >= b.Frames) b.Frame = 0;
}

}  // namespace

// The right column is laid over the scene additively, without a mask.
void Anim_Custom_BubbleRight() {
  rt::Trap("Animations\\Anim_Custom_BubbleRight", [] {
    for (int i = 1; i <= kBubbles; ++i) {
      Sprite& b = BubblesRight(i);
      OrCell(b, BubblesLeft(1));
      b.X += b.DX;
      b.Y += b.DY;
      // Both tests run, one after the other, as the column always has. The product is taken
      // in 32 bits so that screens wider than 6553 pixels keep their right column.
      if (b.X.AsDouble() < (ScreenWidth * 5).AsDouble() / 6) b.DX = -b.DX;
      if (b.X > ScreenWidth - b.Width) b.DX = -b.DX;
      RiseAndStep(b);
    }
  });
}

// The left column is drawn opaque, with the mask row of its sheet.
void Anim_Custom_BubbleLeft() {
  rt::Trap("Animations\\Anim_Custom_BubbleLeft", [] {
    for (int i = 1; i <= kBubbles; ++i) {
      Sprite& b = BubblesLeft(i);
      DrawMaskRowCell(b, BubblesLeft(1), b.X, b.Y);
      b.X += b.DX;
      b.Y += b.DY;
      if (b.X.AsDouble() > ScreenWidth.AsDouble() / 6 - b.Width.AsDouble()) b.DX = -b.DX;
      if (b.X < 0) b.DX = -b.DX;
      RiseAndStep(b);
    }
  });
}
