// A parametric swimmer seen from the side, nose to the left: a body whose outline follows a
// depth profile, fins, a tail of one of several kinds, an eye, and shading with a highlight.
// Every school fish and the large fish and sea mammals are instances of it.
#pragma once

#include <functional>
#include <optional>

#include "mediagen/draw.h"

namespace mediagen {

// kFlukes: a dolphin's flukes seen edge on, swinging; kFlatFlukes: a broad fluke held level,
// nearly edge on, the far lobe's tip showing above the near one; kVeil: a long flowing fan that
// droops and ripples.
enum class Tail { kForked, kRounded, kLunate, kShark, kFlukes, kFlatFlukes, kFan, kVeil };

struct Fin {
  double from = 0, to = 0;  // along the body, 0 nose to 1 tail base
  double height = 0;        // px; 0 means no such fin
  double sweep = 0.3;       // where along the fin its tip stands, 0 front to 1 back and beyond
  double hollow = 0;        // how far the trailing edge bows in, of the fin's length: a sickle
  double ripple = 0;        // waves running along a flowing outer edge, of the fin's height
};

struct FishLook {
  double nose_x = 2, length = 20;  // body from the nose to the tail base, px
  double centre_y = 10, depth = 8;
  double hump = 0.35;      // where the body is deepest
  double nose = 0.5;       // roundness of the head: small is blunt, 1 is pointed
  double peduncle = 0.15;  // depth at the tail base, as a share of the full depth
  double belly = 0.0;      // > 0 lets the lower half bulge more than the back
  double taper = 0.0;      // > 0 narrows the last share of the body smoothly into the tail stock
  double bend = 0.5;       // vertical flex of the rear, px, moving with the phase
  Tail tail = Tail::kForked;
  double tail_length = 6, tail_span = 8;
  double tail_notch = 0.55;  // how far back a lunate tail's trailing edge cuts in, of its length
  Fin dorsal, anal, second_dorsal;
  double pectoral_at = 0.3, pectoral_length = 4, pectoral_width = 2, pectoral_angle = 0.6;
  Color back = Rgb(40, 80, 160), belly_color = Rgb(200, 210, 230), fin = Rgb(60, 90, 170);
  double fin_alpha = 1.0;
  std::optional<Color> rear_fin;  // the second dorsal and the anal fin, when they differ
  std::optional<Color> tail_fin;  // the tail, when it differs from the dorsal fin
  std::optional<Color> fin_edge;  // a lighter rim along the dorsal, anal and tail fins
  double fin_rays = 0;            // how strongly the fins' rays show, 0 to 1
  double pelvic_length = 0;       // px; long threads trailing from the belly, 0 for none
  // Colour of the body at (u along, v across: -1 back, +1 belly) before lighting.
  std::function<Color(double u, double v, Color base)> pattern;
  double eye_u = 0.12, eye_v = -0.2, eye_r = 1.6;  // eye_r 0: the caller draws the eye
  Color iris = Rgb(230, 200, 60);
  double gill_u = 0.25;  // 0: no gill line
  double mouth = 0.0;    // length of the mouth line, px
};

// Half the body depth at u, and the centre line at u for a given phase.
double FishHalfDepth(const FishLook& s, double u);
double FishCentre(const FishLook& s, double u, double phase);

void DrawFish(Canvas& c, const FishLook& s, double phase);
void DrawEye(Canvas& c, Vec at, double r, Color iris);

}  // namespace mediagen
