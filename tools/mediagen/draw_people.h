// Drawing pieces shared by the people of the picture set: skin, faces, hair, hands, inked limbs
// and the mermaids' tails.
#pragma once

#include "mediagen/draw.h"

namespace mediagen {

inline const Color kSkin = Rgb(240, 190, 150);

// Skin lit from `light`, darkening gently with distance but never below a warm shadow tone.
Paint SkinPaint(Vec light);
// A face seen from the front (or turned by `turn`, -1 left to 1 right), hair cap on top.
void Face(Canvas& c, Vec at, double r, Color hair, double turn = 0);
// Streaming hair: wavy locks from the crown that drift with the phase.
void Hair(Canvas& c, Vec crown, Vec flow, double length, double phase, Color hair, int strands,
          double thickness = 3.5);
// A limb with a dark rim, so that it stays readable in front of a body of the same colour.
void InkedLimb(Canvas& c, const Path& joints, double w0, double w1, const Paint& paint, Color ink);
// A mitten-shaped hand at the wrist, pointing along `dir`, thumb on the side of `thumb_side`.
void Hand(Canvas& c, Vec wrist, Vec dir, double size, const Paint& paint, int thumb_side);
// A fish tail from hip to fluke along a swaying centre line.
void MerTail(Canvas& c, const Path& line, double w0, double phase, Color scales);

}  // namespace mediagen
