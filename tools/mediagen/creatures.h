// Creature drawings used by more than one picture (sheets, previews, the coral strip).
#pragma once

#include "mediagen/draw.h"
#include "mediagen/draw_fish.h"

namespace mediagen {

// A sea horse facing left, its head top at `top`, `height` px tall, in the given colours.
void DrawSeahorse(Canvas& c, Vec top, double height, double phase, Color body, Color fin);

// The school fish, each filling a canvas of its own cell size, facing left.
FishLook BlueDevilLook();
FishLook AngelFishLook();
FishLook EmperorFishLook();
FishLook RedFishLook();
FishLook YellowFishLook();

// A rounded limb through its joints, tapering from w0 to w1.
void Limb(Canvas& c, const Path& joints, double w0, double w1, const Paint& paint);
// Capital letters from a tiny built-in alphabet, px pixels per dot.
void Letters(Canvas& c, const char* text, double x, double y, double px, Color ink,
             const Affine& m = {});

// The look moved and scaled so that it can be drawn at any place and size.
FishLook Placed(FishLook s, double scale, double dx, double dy);

}  // namespace mediagen
