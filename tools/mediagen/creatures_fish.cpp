// The school fish and the sea horses.
#include <algorithm>
#include <cmath>

#include "mediagen/creatures.h"
#include "mediagen/pictures.h"

namespace mediagen {

FishLook Placed(FishLook s, double scale, double dx, double dy) {
  s.nose_x = s.nose_x * scale + dx;
  s.centre_y = s.centre_y * scale + dy;
  for (double* v : {&s.length, &s.depth, &s.bend, &s.tail_length, &s.tail_span, &s.dorsal.height,
                    &s.anal.height, &s.second_dorsal.height, &s.pectoral_length, &s.pectoral_width,
                    &s.eye_r, &s.mouth, &s.pelvic_length}) {
    *v *= scale;
  }
  return s;
}

FishLook BlueDevilLook() {
  FishLook s;
  s.nose_x = 1.5;
  s.length = 20;
  s.centre_y = 9;
  s.depth = 10.5;
  s.hump = 0.4;
  s.nose = 0.6;
  s.peduncle = 0.3;
  s.tail_length = 7.5;
  s.tail_span = 10;
  s.dorsal = {0.3, 0.95, 3.2, 0.7};
  s.anal = {0.6, 0.95, 2.6, 0.6};
  s.back = Rgb(20, 70, 235);
  s.belly_color = Rgb(70, 170, 255);
  s.fin = Rgb(30, 110, 240);
  s.pectoral_length = 4;
  s.pectoral_width = 2;
  s.eye_u = 0.14;
  s.eye_v = -0.2;
  s.eye_r = 1.7;
  s.iris = Rgb(40, 60, 120);
  s.pattern = [](double u, double v, Color base) {
    // electric blue with a bright streak along the back
    return Mix(base, Rgb(140, 230, 255),
               0.5 * std::exp(-(v + 0.55) * (v + 0.55) / 0.02) * (u < 0.8));
  };
  return s;
}

// Silver-blue and barred, its dorsal and anal fins swept back into long trailing points and
// two threads hanging from its belly.
FishLook AngelFishLook() {
  FishLook s;
  s.nose_x = 2;
  s.length = 21;
  s.centre_y = 20;
  s.depth = 17;
  s.hump = 0.42;
  s.nose = 0.75;
  s.peduncle = 0.2;
  s.tail = Tail::kFan;
  s.tail_length = 8;
  s.tail_span = 12;
  s.dorsal = {0.2, 0.9, 13.5, 1.6, 0.25};
  s.anal = {0.26, 0.9, 13.5, 1.55, 0.25};
  s.back = Rgb(175, 195, 225);
  s.belly_color = Rgb(230, 238, 250);
  s.fin = Rgb(150, 175, 215);
  s.fin_alpha = 0.9;
  s.fin_rays = 0.4;
  s.pectoral_at = 0.3;
  s.pectoral_length = 3.5;
  s.pelvic_length = 16;
  s.eye_u = 0.13;
  s.eye_v = -0.15;
  s.eye_r = 1.9;
  s.iris = Rgb(210, 50, 40);
  s.pattern = [](double u, double, Color base) {
    const auto band = [u](double at, double w) { return std::exp(-(u - at) * (u - at) / w); };
    const double dark = std::max({band(0.15, 0.002), band(0.45, 0.004), band(0.8, 0.003)});
    return Mix(base, Rgb(25, 30, 45), 0.85 * dark);
  };
  return s;
}

// An oval, deep blue body that tapers into a yellow tail, with four bold yellow stripes that
// follow its curve, a dark mask through the eye edged in pale blue, and dorsal and anal fins
// whose pale blue edges keep their outline on the water.
FishLook EmperorFishLook() {
  FishLook s;
  s.nose_x = 2;
  s.length = 19;
  s.centre_y = 10;
  s.depth = 17;
  s.hump = 0.42;
  s.nose = 0.85;
  s.peduncle = 0.3;
  s.taper = 0.2;
  s.tail = Tail::kRounded;
  s.tail_length = 6.5;
  s.tail_span = 8;
  s.dorsal = {0.2, 0.98, 3, 0.6};
  s.anal = {0.42, 0.98, 3, 0.6};
  s.back = Rgb(25, 40, 150);
  s.belly_color = Rgb(35, 60, 185);
  s.fin = Rgb(110, 190, 255);
  s.rear_fin = Rgb(100, 170, 255);
  s.tail_fin = Rgb(255, 205, 20);
  s.pectoral_length = 3;
  s.eye_u = 0.15;
  s.eye_v = -0.15;
  s.eye_r = 1.4;
  s.iris = Rgb(120, 190, 250);
  s.gill_u = 0;
  const FishLook shape = s;  // the stripes are spaced in pixels, so they need the body's depth
  s.pattern = [shape](double u, double v, Color base) {
    if (u < 0.08) return Rgb(150, 190, 240);                           // the pale snout
    if (u < 0.11 || (u > 0.23 && u < 0.27)) return Rgb(90, 170, 250);  // the mask's blue rims
    if (u < 0.23) return Rgb(18, 20, 40);                              // the mask through the eye
    if (std::abs(v) > 0.86) return Shade(base, 0.7);                   // a dark rim under the fins
    // across the flank, bending with the body and rising a little toward the tail
    const double y = v * (0.5 * FishHalfDepth(shape, u) + 2.6) + 1.2 * u;
    return std::cos(y * 2 * kPi / 3.1) > 0.15 ? Rgb(255, 225, 40) : base;
  };
  return s;
}

// A fighting fish: a full red body trailing a great drooping veil of a tail and long flowing
// dorsal and anal fins, bright crimson with a pale rim that keeps them apart from the water,
// and the waves running out along their edges.
FishLook RedFishLook() {
  FishLook s;
  s.nose_x = 2;
  s.length = 17;
  s.centre_y = 11;
  s.depth = 14;
  s.hump = 0.38;
  s.nose = 0.8;
  s.peduncle = 0.35;
  s.bend = 1;
  s.tail = Tail::kVeil;
  s.tail_length = 16;
  s.tail_span = 17;
  s.dorsal = {0.4, 0.97, 6.5, 1.35, 0, 0.15};
  s.anal = {0.3, 0.97, 11, 1.25, 0, 0.12};
  s.back = Rgb(225, 30, 35);
  s.belly_color = Rgb(255, 110, 90);
  s.fin = Rgb(230, 30, 60);
  s.rear_fin = Rgb(215, 25, 75);
  s.fin_edge = Rgb(255, 150, 165);
  s.fin_rays = 0.15;
  s.fin_alpha = 0.95;
  s.pectoral_at = 0.28;
  s.pectoral_length = 3;
  s.pelvic_length = 9;
  s.eye_u = 0.13;
  s.eye_v = -0.2;
  s.eye_r = 1.8;
  s.iris = Rgb(255, 220, 90);
  s.gill_u = 0.27;
  s.mouth = 1.5;
  return s;
}

FishLook YellowFishLook() {
  FishLook s;
  s.nose_x = 1.5;
  s.length = 23;
  s.centre_y = 15.5;
  s.depth = 20;
  s.hump = 0.45;
  s.nose = 0.95;
  s.peduncle = 0.2;
  s.tail_length = 8;
  s.tail_span = 12;
  s.tail = Tail::kLunate;
  s.dorsal = {0.25, 0.92, 5, 0.6};
  s.anal = {0.35, 0.92, 4.5, 0.6};
  s.back = Rgb(255, 215, 0);
  s.belly_color = Rgb(255, 240, 90);
  s.fin = Rgb(255, 200, 20);
  s.pectoral_length = 4;
  s.eye_u = 0.2;
  s.eye_v = -0.3;
  s.eye_r = 1.9;
  s.iris = Rgb(60, 40, 20);
  s.pattern = [](double u, double v, Color base) {
    if (u > 0.9 && std::abs(v) < 0.5) return Rgb(255, 255, 245);  // the white spine
    return base;
  };
  return s;
}

void DrawSeahorse(Canvas& c, Vec top, double h, double phase, Color body, Color fin) {
  const double bob = 0.02 * std::sin(phase);
  const double curl = 0.04 * std::sin(phase + 1);
  const auto p = [&](double x, double y) { return Vec{top.x + x * h, top.y + (y + bob) * h}; };
  // Back ridge to tail tip: the spine that the body tube follows.
  Path spine = SmoothOpen(
      {p(0.04, 0.12), p(0.13, 0.26), p(0.12, 0.42), p(0.06, 0.58), p(0.06, 0.72), p(0.14, 0.84),
       p(0.13 + curl, 0.95), p(0.03 + curl, 0.98), p(-0.01 + curl, 0.9), p(0.05 + curl, 0.86)},
      6);
  const Paint skin = [&, h](double x, double y) {
    const double ring = 0.5 + 0.5 * std::sin((y - top.y) / h * 60);
    const double side = std::clamp((x - top.x) / h * 3, -1.0, 1.0);
    return Shade(Mix(body, Shade(body, 1.4), 0.5 - 0.5 * side), 0.85 + 0.2 * ring);
  };
  // dorsal fin flutters on the back
  const double f = 0.05 * std::sin(phase * 2);
  c.Fill(SmoothClosed({p(0.15, 0.5), p(0.27 + f, 0.48), p(0.28 - f, 0.6), p(0.14, 0.64)}, 5),
         Linear(p(0.15, 0.5), fin, p(0.28, 0.55), Shade(fin, 1.4)), 0.9);
  // the tail's tip stays at least a pixel and a bit wide, so that it never breaks off when small
  const double tip = std::max(0.03 * h, 1.3);
  c.Fill(Tube(spine, [h, tip](double t) { return h * 0.2 * (1 - t) * (1 - t) + tip; }), skin);
  // belly bulge, head and snout
  c.Fill(Ellipse(p(0.02, 0.5), 0.13 * h, 0.17 * h, 0.15), skin);
  c.Fill(Ellipse(p(0.0, 0.15), 0.11 * h, 0.095 * h, -0.3), skin);
  c.Fill(Ribbon({p(-0.05, 0.17), p(-0.2, 0.2), p(-0.3, 0.22)}, 0.08 * h, 0.06 * h), skin);
  c.Fill(Ellipse(p(0.07, 0.03), 0.05 * h, 0.05 * h), Shade(body, 1.2));  // coronet
  DrawEye(c, p(-0.01, 0.14), std::max(0.045 * h, 1.0), Rgb(240, 220, 120));
}

namespace {

Image SchoolCell(int w, int h, const FishLook& s, int frame, int frames) {
  Canvas c(w, h);
  DrawFish(c, s, Phase(frame, frames));
  return c.Resolve(0.8);
}

void AddSchool(std::vector<Picture>& out, const char* name, int w, int h, int frames,
               FishLook (*look)()) {
  out.push_back({name, [=] {
                   const FishLook s = look();
                   return MakeSwimSheet(
                       w, h, frames, [&](int f) { return SchoolCell(w, h, s, f, frames); }, true,
                       true);
                 }});
}

}  // namespace

void AddFishPictures(std::vector<Picture>& out) {
  AddSchool(out, "a_bluedevil.bmp", 30, 18, 7, BlueDevilLook);
  AddSchool(out, "a_angelfish.bmp", 40, 42, 10, AngelFishLook);
  AddSchool(out, "a_emperorfish.bmp", 31, 20, 8, EmperorFishLook);
  AddSchool(out, "a_redfish.bmp", 41, 31, 8, RedFishLook);
  AddSchool(out, "a_yellowfish.bmp", 33, 31, 8, YellowFishLook);
  out.push_back(
      {"a_swimhorse.bmp", [] {
         return MakeSwimSheet(
             20, 21, 6,
             [](int f) {
               Canvas c(20, 21);
               DrawSeahorse(c, {9, 0.5}, 20, Phase(f, 6), Rgb(250, 150, 30), Rgb(255, 220, 120));
               return c.Resolve(0.8);
             },
             true, true);
       }});
  out.push_back(
      {"a_seahorse.bmp", [] {
         return MakeSheet(
             40, 45, 8,
             [](int f) {
               Canvas c(40, 45);
               const double ph = Phase(f, 8);
               // a swaying blade of sea grass that the tail holds on to
               const double sway = 2.5 * std::sin(ph);
               c.Fill(
                   Tube(
                       SmoothOpen(
                           {{26, 45}, {27 + sway * 0.3, 30}, {25 + sway, 12}, {28 + sway * 1.4, 1}},
                           6),
                       [](double t) { return 3.2 * (1 - t) + 0.8; }),
                   Linear({22, 0}, Rgb(120, 200, 80), {30, 0}, Rgb(40, 110, 40)));
               DrawSeahorse(c, {17 + sway * 0.5, 1}, 42, ph, Rgb(200, 90, 170), Rgb(250, 180, 230));
               return c.Resolve(0.8);
             },
             false);
       }});
}

}  // namespace mediagen
