// The large creatures: sharks, tuna, the sea mammals and the swimming mermaid.
#include <cmath>

#include "mediagen/creatures.h"
#include "mediagen/pictures.h"

namespace mediagen {

namespace {

// A point of the body outline: v -1 on the back, +1 on the belly.
Vec On(const FishLook& s, double u, double v, double phase) {
  const double h = FishHalfDepth(s, u) * (1 + (v > 0 ? s.belly : -s.belly));
  return {s.nose_x + u * s.length, FishCentre(s, u, phase) + v * h};
}

double Smooth01(double x) {
  return std::clamp(x, 0.0, 1.0);
}

// Grey back, white belly with a crisp line between them, as on most sharks and dolphins.
std::function<Color(double, double, Color)> Countershade(Color top, Color under, double line) {
  return [=](double, double v, Color) { return Mix(top, under, Smooth01((v - line) * 6 + 0.5)); };
}

// A small eye in a ring of paler skin, so that it shows on a dark hide.
void RingedEye(Canvas& c, Vec at, double r, Color iris, Color ring) {
  c.Glaze(Ellipse(at, r + 1.6, r + 1.1), Solid(ring), 0.75);
  DrawEye(c, at, r, iris);
}

void GillSlits(Canvas& c, const FishLook& s, double phase, double at, int count) {
  for (int i = 0; i < count; ++i) {
    const double u = at + 0.025 * i;
    c.Glaze(Ribbon({On(s, u, -0.35, phase), On(s, u - 0.01, 0.3, phase)}, 1.0, 0.8),
            Solid(Shade(s.back, 0.45)), 0.6);
  }
}

FishLook DolphinLook() {
  FishLook s;
  s.nose_x = 13;
  s.length = 150;
  s.centre_y = 27;
  s.depth = 31;
  s.hump = 0.33;
  s.nose = 0.55;
  s.peduncle = 0.16;
  s.bend = 5;
  s.tail = Tail::kFlukes;
  s.tail_length = 29;
  s.tail_span = 24;
  s.dorsal = {0.42, 0.6, 17, 0.95};
  s.back = Rgb(80, 95, 120);
  s.belly_color = Rgb(225, 230, 238);
  s.fin = Rgb(75, 90, 115);
  s.pattern = Countershade(Rgb(85, 100, 128), Rgb(228, 232, 240), 0.25);
  s.pectoral_at = 0.27;
  s.pectoral_length = 18;
  s.pectoral_width = 7;
  s.pectoral_angle = 0.9;
  s.eye_u = 0.14;
  s.eye_v = 0.0;
  s.eye_r = 2.6;
  s.iris = Rgb(60, 50, 40);
  s.gill_u = 0;
  s.mouth = 14;
  return s;
}

FishLook GreatWhiteLook() {
  FishLook s;
  s.nose_x = 3;
  s.length = 128;
  s.centre_y = 36;
  s.depth = 36;
  s.hump = 0.36;
  s.nose = 0.55;
  s.peduncle = 0.12;
  s.bend = 2;
  s.tail = Tail::kShark;
  s.tail_length = 38;
  s.tail_span = 48;
  s.dorsal = {0.36, 0.52, 22, 0.75};
  s.second_dorsal = {0.84, 0.89, 4, 0.6};
  s.anal = {0.84, 0.9, 4, 0.6};
  s.back = Rgb(95, 105, 115);
  s.belly_color = Rgb(235, 235, 235);
  s.fin = Rgb(90, 100, 110);
  s.pattern = Countershade(Rgb(100, 110, 122), Rgb(238, 238, 236), 0.15);
  s.pectoral_at = 0.3;
  s.pectoral_length = 28;
  s.pectoral_width = 10;
  s.pectoral_angle = 0.65;
  s.eye_u = 0.1;
  s.eye_v = -0.2;
  s.eye_r = 2.5;
  s.iris = Rgb(30, 30, 35);
  s.gill_u = 0;
  return s;
}

// Blunt-snouted and brownish grey, with dark bars across the back that fade toward the head.
FishLook TigerSharkLook() {
  FishLook s = GreatWhiteLook();
  s.nose = 0.45;
  s.depth = 33;
  s.back = Rgb(110, 112, 98);
  s.fin = Rgb(100, 102, 90);
  s.pattern = [](double u, double v, Color) {
    const Color base = Mix(Rgb(118, 120, 104), Rgb(232, 230, 220), Smooth01((v - 0.15) * 6 + 0.5));
    const double wobble = 0.35 * Noise(u * 9, v * 2.5, 11);
    const double bar = std::abs(std::fmod(u * 17 + 0.6 * v + wobble, 1.0) - 0.5);
    const double strength = Smooth01((u - 0.15) * 4) * Smooth01((0.25 - v) * 3);
    return Shade(base, 1 - 0.42 * strength * Smooth01((0.22 - bar) * 12));
  };
  return s;
}

FishLook HammerheadLook() {
  FishLook s = GreatWhiteLook();
  s.nose_x = 10;
  s.length = 132;
  s.centre_y = 38;
  s.depth = 30;
  s.nose = 0.6;
  s.tail_length = 34;
  s.tail_span = 44;
  s.dorsal = {0.33, 0.45, 26, 0.6};
  s.back = Rgb(120, 115, 100);
  s.fin = Rgb(115, 110, 95);
  s.pattern = Countershade(Rgb(125, 118, 102), Rgb(225, 220, 205), 0.2);
  s.eye_u = 0.03;
  return s;
}

FishLook BlueSharkLook() {
  FishLook s = GreatWhiteLook();
  s.nose_x = 2;
  s.length = 100;
  s.centre_y = 32;
  s.depth = 22;
  s.nose = 0.7;
  s.hump = 0.4;
  s.tail_length = 28;
  s.tail_span = 40;
  s.dorsal = {0.4, 0.52, 14, 0.7};
  s.back = Rgb(40, 70, 170);
  s.fin = Rgb(40, 70, 165);
  s.pattern = Countershade(Rgb(40, 75, 180), Rgb(230, 235, 245), 0.2);
  s.pectoral_length = 30;
  s.pectoral_width = 7;
  s.pectoral_angle = 0.55;
  s.eye_r = 2.4;
  return s;
}

// A bluefin: a torpedo with a dark blue back over a silver belly, dark spiny first dorsal,
// pectoral and crescent tail, and yellow soft fins and finlets.
FishLook TunaLook() {
  FishLook s;
  s.nose_x = 2;
  s.length = 76;
  s.centre_y = 23;
  s.depth = 23;
  s.hump = 0.4;
  s.nose = 0.8;
  s.peduncle = 0.1;
  s.belly = 0.08;
  s.bend = 1;
  s.tail = Tail::kLunate;
  s.tail_length = 19;
  s.tail_span = 38;
  s.tail_notch = 0.36;
  s.dorsal = {0.27, 0.5, 5, 0.12};
  s.second_dorsal = {0.55, 0.63, 9, 1.1};
  s.anal = {0.59, 0.67, 8, 1.1};
  s.back = Rgb(18, 32, 86);
  s.belly_color = Rgb(212, 218, 228);
  s.fin = Rgb(50, 64, 108);
  s.rear_fin = Rgb(235, 195, 45);
  s.pattern = [](double u, double v, Color base) {
    // a steel-blue sheen along the flank and rows of pale dashes across the silver below it
    const Color sheen =
        Mix(base, Rgb(95, 150, 205), 0.45 * std::exp(-(v + 0.1) * (v + 0.1) / 0.012));
    const bool dash = v > 0.15 && v < 0.75 && u > 0.35 && u < 0.85 && std::sin(u * 95) > 0.75 &&
                      std::sin(v * 40) > -0.2;
    return dash ? Shade(sheen, 1.25) : sheen;
  };
  s.pectoral_at = 0.27;
  s.pectoral_length = 11;
  s.pectoral_width = 2.6;
  s.pectoral_angle = 0.3;
  s.eye_u = 0.1;
  s.eye_v = -0.12;
  s.eye_r = 2.3;
  s.iris = Rgb(190, 180, 150);
  s.gill_u = 0.22;
  s.mouth = 4;
  return s;
}

FishLook OrcaLook() {
  FishLook s;
  s.nose_x = 3;
  s.length = 105;
  s.centre_y = 64;
  s.depth = 38;
  s.hump = 0.36;
  s.nose = 0.5;
  s.peduncle = 0.2;
  s.bend = 4;
  s.tail = Tail::kFlukes;
  s.tail_length = 28;
  s.tail_span = 26;
  s.dorsal = {0.38, 0.55, 40, 0.35};
  s.back = Rgb(18, 20, 26);
  s.belly_color = Rgb(240, 242, 245);
  s.fin = Rgb(22, 24, 30);
  s.pattern = [](double u, double v, Color) {
    const double patch =
        std::exp(-((u - 0.18) * (u - 0.18) / 0.002 + (v + 0.35) * (v + 0.35) / 0.03));
    // the white belly narrows to a point behind the flank patch, which sweeps up
    const bool belly =
        v > 0.45 + 5 * std::max(0.0, u - 0.6) - 0.75 * std::exp(-(u - 0.58) * (u - 0.58) / 0.006);
    const Color black = Rgb(20, 22, 28), white = Rgb(240, 242, 245);
    const double saddle = std::exp(-((u - 0.5) * (u - 0.5) / 0.005 + (v + 0.9) * (v + 0.9) / 0.05));
    if (belly || patch > 0.5) return white;
    return Mix(black, Rgb(120, 125, 135), saddle);
  };
  s.pectoral_at = 0.25;
  s.pectoral_length = 20;
  s.pectoral_width = 10;
  s.pectoral_angle = 1.2;
  s.eye_u = 0.13;
  s.eye_v = -0.05;
  s.eye_r = 1.5;
  s.iris = Rgb(40, 40, 40);
  s.gill_u = 0;
  s.mouth = 12;
  return s;
}

// Slate grey over a paler belly, the skin creased only behind the head, a horizontal fluke.
FishLook SpermWhaleLook() {
  FishLook s;
  s.nose_x = 3;
  s.length = 95;
  s.centre_y = 34;
  s.depth = 42;
  s.hump = 0.25;
  s.nose = 0.12;
  s.peduncle = 0.14;
  s.taper = 0.45;
  s.bend = 3;
  s.tail = Tail::kFlatFlukes;
  s.tail_length = 28;
  s.tail_span = 26;
  s.dorsal = {0.62, 0.72, 4, 0.5};
  s.back = Rgb(72, 76, 92);
  s.belly_color = Rgb(150, 152, 165);
  s.fin = Rgb(65, 68, 82);
  s.pattern = [](double u, double v, Color base) {
    // a few long shallow creases along the flank behind the head, fading toward the tail
    const double crease = std::pow(Noise(u * 14, v * 7, 5), 3) * Smooth01((u - 0.35) * 6);
    const Color belly = Mix(base, Rgb(150, 152, 165), Smooth01((v - 0.35) * 2.5));
    return Shade(belly, 1 - 0.25 * crease);
  };
  s.pectoral_length = 0;  // WhaleDetails sets the small flipper low on the flank
  s.eye_r = 0;            // and the eye in its pale ring
  s.gill_u = 0;
  return s;
}

// A grey-brown barrel, wrinkled, with a paler belly and a faint green bloom of algae on its
// back, that narrows only a little before flowing into a broad round paddle.
FishLook ManateeLook() {
  FishLook s;
  s.nose_x = 10;
  s.length = 102;
  s.centre_y = 33;
  s.depth = 48;
  s.hump = 0.42;
  s.nose = 0.5;
  s.peduncle = 0.42;
  s.belly = 0.12;
  s.taper = 0.15;
  s.bend = 3;
  s.tail = Tail::kRounded;
  s.tail_length = 30;
  s.tail_span = 44;
  s.back = Rgb(100, 97, 90);
  s.belly_color = Rgb(200, 190, 170);
  s.fin = Rgb(95, 90, 84);
  s.pattern = [](double u, double v, Color base) {
    const Color skin = Mix(base, Rgb(200, 190, 170), Smooth01((v - 0.1) * 2.5));
    const Color algae =
        Mix(skin, Rgb(110, 130, 85), 0.35 * Smooth01(-v - 0.3) * Noise(u * 9, v * 3, 8));
    return Shade(algae, 0.92 + 0.14 * Noise(u * 30, v * 6, 7));
  };
  s.pectoral_length = 0;  // ManateeFace draws the flipper with its nails
  s.eye_r = 0;            // and the eye in its pale ring
  s.gill_u = 0;
  return s;
}

Image Swimmer(int w, int h, const FishLook& s, double phase,
              const std::function<void(Canvas&, const FishLook&, double)>& extra) {
  Canvas c(w, h);
  DrawFish(c, s, phase);
  if (extra) extra(c, s, phase);
  return c.Resolve(0.8);
}

void AddSwimmer(std::vector<Picture>& out, const char* name, int w, int h, int frames,
                bool first_faces_left, FishLook (*look)(),
                std::function<void(Canvas&, const FishLook&, double)> extra = {}) {
  out.push_back({name, [=] {
                   const FishLook s = look();
                   return MakeSwimSheet(
                       w, h, frames,
                       [&](int f) { return Swimmer(w, h, s, Phase(f, frames), extra); },
                       first_faces_left, false);
                 }});
}

void SharkMouth(Canvas& c, const FishLook& s, double phase) {
  GillSlits(c, s, phase, 0.2, 5);
  const Vec a = On(s, 0.05, 0.45, phase), b = On(s, 0.16, 0.55, phase);
  c.Fill(Ribbon(SmoothOpen({a, Lerp(a, b, 0.5) + Vec{0, 1.5}, b}, 4), 2.4, 1.2), Rgb(90, 30, 40));
  for (int i = 0; i < 5; ++i) {  // a row of teeth
    const Vec t = Lerp(a, b, 0.1 + 0.18 * i);
    c.Fill(Path{t + Vec{-1, -0.6}, t + Vec{1, -0.6}, t + Vec{0, 1.6}}, Rgb(250, 250, 240));
  }
}

// The hammer seen a little from above and tilted: a flat wing across the head whose near half
// swings forward and down, its top lit, its leading edge straight and its trailing edge swept
// back into the head, with an eye at each end.
void HammerHead(Canvas& c, const FishLook& s, double phase) {
  GillSlits(c, s, phase, 0.2, 5);
  const Vec front = On(s, 0.06, 0.0, phase);
  const Vec far = front + Vec{12, -12}, near = front + Vec{-7, 14};
  const Path wing = SmoothClosed({far + Vec{-1.5, -1.5}, far + Vec{2.5, -1}, far + Vec{3, 2},
                                  front + Vec{12, -1}, front + Vec{12, 6}, near + Vec{5, 0},
                                  near + Vec{2.5, 2.5}, near + Vec{-2, 1}, front + Vec{-3.5, -1}},
                                 5);
  c.Fill(Apply(wing, Affine::Stretch(1.06, 1.04, front + Vec{4, 0})), Shade(s.back, 0.55));
  c.Fill(wing,
         Linear(front + Vec{-3, 0}, Shade(s.back, 1.35), front + Vec{10, 2}, Shade(s.back, 0.85)));
  // the lit leading edge and the shadow where the wing's trailing edge meets the head
  c.Glaze(Ribbon(SmoothOpen({far + Vec{-1, 0}, front + Vec{-2.5, 0}, near + Vec{-1.5, 0.5}}, 4),
                 1.4, 1.6),
          Solid(Shade(s.belly_color, 1.05)), 0.7);
  c.Glaze(
      Ribbon(SmoothOpen({front + Vec{12, -2}, front + Vec{12, 4}, near + Vec{5, -1}}, 4), 1.6, 0.8),
      Solid(Shade(s.back, 0.5)), 0.6);
  DrawEye(c, far + Vec{0.8, 0.6}, 1.5, Rgb(200, 170, 60));
  DrawEye(c, near + Vec{0.5, 0.2}, 2.1, Rgb(200, 170, 60));
}

// The beak in front of the rounded melon, its smiling mouth line running back toward the eye.
void DolphinSmile(Canvas& c, const FishLook& s, double phase) {
  const Vec melon = On(s, 0.02, 0.1, phase), tip = melon + Vec{-11, 2.5};
  const Path beak = SmoothClosed({melon + Vec{2, -4}, tip + Vec{1, -1.6}, tip + Vec{0, 0.6},
                                  tip + Vec{2, 2}, melon + Vec{3, 6}},
                                 4);
  c.Fill(Apply(beak, Affine::Stretch(1.06, 1.2, melon)), Shade(s.back, 0.55));
  c.Fill(beak, Linear(melon + Vec{0, -4}, Shade(s.back, 1.1), melon + Vec{0, 5}, s.belly_color));
  c.Fill(Ribbon(SmoothOpen({tip + Vec{1, 0.6}, melon + Vec{2, 2.4}, On(s, 0.07, 0.22, phase)}, 4),
                1.0, 0.7),
         Shade(s.back, 0.5));
  const Vec blow = On(s, 0.22, -0.92, phase);
  c.Glaze(Ellipse(blow, 2, 1), Solid(Shade(s.back, 0.5)), 0.7);
}

void WhaleDetails(Canvas& c, const FishLook& s, double phase) {
  // the narrow lower jaw tucked under the great square head, pale inside the mouth line
  const Vec j0 = On(s, 0.07, 0.78, phase), j1 = On(s, 0.34, 0.8, phase);
  const Path jaw = SmoothClosed({j0 + Vec{0, -1.5}, j1 + Vec{0, -2.5}, j1 + Vec{3, 0.5},
                                 Lerp(j0, j1, 0.5) + Vec{0, 3}, j0 + Vec{0, 1.5}},
                                5);
  c.Fill(jaw, Linear(j0, Rgb(200, 198, 202), j1, Shade(s.belly_color, 1.05)));
  c.Glaze(Ribbon(SmoothOpen(
                     {j0 + Vec{0.5, -1.2}, Lerp(j0, j1, 0.5) + Vec{0, -1.8}, j1 + Vec{1, -2.5}}, 4),
                 0.9, 0.6),
          Solid(Rgb(35, 35, 45)), 0.8);
  RingedEye(c, On(s, 0.3, 0.35, phase), 2.2, Rgb(70, 60, 50), Rgb(175, 175, 185));
  // the small flipper low on the flank, paddling
  const Vec root = On(s, 0.44, 0.55, phase);
  const double beat = 0.25 * std::sin(phase + 1.2);
  const Vec tip = root + Vec{7 + 2 * beat, 8 - 3 * beat};
  c.Fill(SmoothClosed({root + Vec{-2.5, -1}, root + Vec{3, -1.5}, tip, root + Vec{-1, 3}}, 5),
         Linear(root, Shade(s.back, 0.9), tip, Shade(s.back, 0.7)));
  // three low knuckles along the back toward the flukes
  for (int i = 0; i < 3; ++i) {
    c.Glaze(Ellipse(On(s, 0.78 + 0.06 * i, -0.92, phase), 2.4, 1.4), Solid(Shade(s.back, 1.25)),
            0.7);
  }
}

// The heavy muzzle bends down in front of the small head: a broad bristled lip pad with
// nostrils on top; a small eye in a pale ring; soft folds at the neck; a paddle flipper with
// three nails swept back along the chest, paddling.
void ManateeFace(Canvas& c, const FishLook& s, double phase) {
  const double swing = 0.3 * std::sin(phase);
  const Vec shoulder = On(s, 0.22, 0.35, phase);
  const Vec tip = shoulder + Vec{13 + 5 * swing, 11 - 4 * swing};
  const Path flipper =
      SmoothClosed({shoulder + Vec{-3, -3}, shoulder + Vec{4, -2}, tip + Vec{2, -3},
                    tip + Vec{4, 1}, tip + Vec{0, 4}, shoulder + Vec{-2, 5}},
                   5);
  c.Fill(Apply(flipper, Affine::Stretch(1.08, 1.05, shoulder)), Shade(s.back, 0.65));
  c.Fill(flipper, Linear(shoulder, Shade(s.back, 1.2), tip, Shade(s.back, 0.9)));
  for (int i = -1; i <= 1; ++i) {
    c.Fill(Ellipse(tip + Vec{1.8 * i - 0.5, 0.6 - 0.4 * std::abs(i)}, 0.9, 0.8),
           Rgb(225, 215, 195));  // nails
  }
  for (int i = 0; i < 2; ++i) {
    const double u = 0.17 + 0.035 * i;
    c.Glaze(Ribbon(SmoothOpen({On(s, u + 0.02, -0.7, phase), On(s, u - 0.01, 0, phase),
                               On(s, u + 0.02, 0.7, phase)},
                              4),
                   1.2, 1.2),
            Solid(Shade(s.back, 0.6)), 0.35);
  }
  const Vec m = On(s, 0.0, 0.2, phase);
  const Path muzzle = SmoothClosed({On(s, 0.1, -0.55, phase), m + Vec{-4, -8}, m + Vec{-9, -1},
                                    m + Vec{-8, 8}, m + Vec{0, 11}, On(s, 0.12, 0.65, phase)},
                                   5);
  c.Fill(Apply(muzzle, Affine::Stretch(1.04, 1.05, m + Vec{4, 0})), Shade(s.back, 0.5));
  c.Fill(muzzle, Linear(m + Vec{0, -7}, Shade(s.back, 1.15), m + Vec{0, 9}, s.belly_color));
  c.Glaze(Ribbon(SmoothOpen({m + Vec{-7.5, 5.5}, m + Vec{-3, 7.5}, m + Vec{1, 7}}, 4), 1.1, 0.8),
          Solid(Rgb(60, 50, 45)), 0.75);  // the cleft under the lip pad
  Rng rng(3);
  for (int i = 0; i < 14; ++i) {  // bristles on the lip pad
    const Vec b = m + Vec{rng.Range(-7, -1), rng.Range(-2, 5)};
    c.Fill(Ellipse(b, 0.45, 0.45, 0, 8), Rgb(55, 48, 42));
  }
  for (int i = 0; i < 4; ++i) {  // whiskers standing out from the front of the pad
    const Vec root = m + Vec{-7.5 + 0.4 * i, -1 + 1.8 * i};
    c.Fill(Ribbon({root, root + Vec{-2.5, -0.8 + 0.6 * i}}, 0.7, 0.5), Rgb(70, 62, 55));
  }
  c.Fill(Ellipse(m + Vec{-3.5, -5}, 1.2, 0.6, -0.4), Shade(s.back, 0.4));  // nostrils
  c.Fill(Ellipse(m + Vec{-1, -5.8}, 1.0, 0.55, -0.3), Shade(s.back, 0.4));
  RingedEye(c, On(s, 0.12, -0.28, phase), 1.6, Rgb(70, 55, 40), Shade(s.belly_color, 1.05));
}

// The yellow finlets along the back and belly from the soft fins to the tail, and the dark
// keel on the narrow tail stock.
void TunaFinlets(Canvas& c, const FishLook& s, double phase) {
  const Color yellow = Rgb(250, 212, 40);
  for (int sign = -1; sign <= 1; sign += 2) {
    const double from = sign < 0 ? 0.67 : 0.71;
    const int count = sign < 0 ? 8 : 7;
    const double step = (0.985 - from) / count;
    for (int i = 0; i < count; ++i) {
      const double u = from + step * i, size = 2.6 - 1.1 * i / count;
      const Vec root = On(s, u, sign * 0.75, phase),
                end = On(s, u + step * 0.85, sign * 0.75, phase);
      const Vec tip = On(s, u + step * 1.1, sign * 1.0, phase) + Vec{0, sign * size};
      c.Fill(Path{root, tip, end}, yellow);
    }
  }
  c.Fill(Ribbon({On(s, 0.9, 0, phase), On(s, 1.0, 0, phase) + Vec{1.5, 0}}, 0.8, 1.6),
         Shade(s.fin, 0.7));
}

void OrcaDetails(Canvas& c, const FishLook& s, double phase) {
  const Vec p = On(s, 0.16, -0.45, phase);
  c.Fill(Ellipse(p + Vec{6, 0}, 7, 3.2, -0.15), Rgb(240, 242, 245));  // the eye patch
}

}  // namespace

void AddPredatorPictures(std::vector<Picture>& out) {
  AddSwimmer(out, "a_Dolphin.bmp", 195, 54, 9, true, DolphinLook, DolphinSmile);
  AddSwimmer(out, "a_tigershark.bmp", 174, 66, 6, true, TigerSharkLook, SharkMouth);
  AddSwimmer(out, "a_hammerhead.bmp", 177, 71, 9, false, HammerheadLook, HammerHead);
  AddSwimmer(out, "a_manatee.bmp", 148, 70, 8, false, ManateeLook, ManateeFace);
  AddSwimmer(out, "a_orca.bmp", 138, 101, 8, true, OrcaLook, OrcaDetails);
  AddSwimmer(out, "a_shark.bmp", 130, 62, 6, false, BlueSharkLook, SharkMouth);
  AddSwimmer(out, "a_tuna.bmp", 100, 46, 8, true, TunaLook, TunaFinlets);
  AddSwimmer(out, "a_whale.bmp", 129, 73, 8, false, SpermWhaleLook, WhaleDetails);
}

}  // namespace mediagen
