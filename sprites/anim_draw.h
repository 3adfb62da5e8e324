// The picture-only draw shared by the jellyfish and the right bubble column: one OR blit of a
// cell, with no mask, so the picture adds onto whatever lies below it.
#pragma once

#include "platform/gdi.h"
#include "runtime/checked.h"
#include "sprites/animations.h"
#include "sprites/sprite.h"

// The source x of r's current cell: a 16-bit product plus the 32-bit strip offset, both checked.
inline rt::Long CellSourceX(const Sprite& r) {
  return r.Frame * r.Width + r.StripOffset;
}

// Draws r's current cell from s's picture surface at r's position.
inline void OrCell(const Sprite& r, const Sprite& s) {
  win::BitBlt(BufferDC(), r.X.Value(), r.Y.Value(), r.Width.Value(), r.Height.Value(), s.ImageDC,
              CellSourceX(r).Value(), 0, win::Rop::SRCPAINT);
}
