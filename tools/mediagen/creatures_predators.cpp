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

// Grey back, white belly with a crisp line between them, as on most sharks and dolphins.
std::function<Color(double, double, Color)> Countershade(Color top, Color under, double line) {
  return [=](double, double v, Color) {
    return Mix(top, under, std::clamp((v - line) * 6 + 0.5, 0.0, 1.0));
  };
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
  s.pectoral_length = 30;
  s.pectoral_width = 10;
  s.pectoral_angle = 1.0;
  s.eye_u = 0.1;
  s.eye_v = -0.2;
  s.eye_r = 2.5;
  s.iris = Rgb(30, 30, 35);
  s.gill_u = 0;
  return s;
}

FishLook HammerheadLook() {
  FishLook s = GreatWhiteLook();
  s.nose_x = 10;
  s.length = 132;
  s.centre_y = 38;
  s.depth = 30;
  s.nose = 0.35;
  s.tail_length = 34;
  s.tail_span = 44;
  s.dorsal = {0.33, 0.45, 26, 0.6};
  s.back = Rgb(120, 115, 100);
  s.fin = Rgb(115, 110, 95);
  s.pattern = Countershade(Rgb(125, 118, 102), Rgb(225, 220, 205), 0.2);
  s.eye_u = 0.0;
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
  s.pectoral_length = 28;
  s.pectoral_width = 7;
  s.pectoral_angle = 1.1;
  s.eye_r = 2.4;
  return s;
}

FishLook TunaLook() {
  FishLook s;
  s.nose_x = 2;
  s.length = 76;
  s.centre_y = 23;
  s.depth = 25;
  s.hump = 0.4;
  s.nose = 0.65;
  s.peduncle = 0.08;
  s.bend = 1;
  s.tail = Tail::kLunate;
  s.tail_length = 20;
  s.tail_span = 36;
  s.dorsal = {0.3, 0.45, 7, 0.3};
  s.second_dorsal = {0.58, 0.66, 8, 0.6};
  s.anal = {0.6, 0.68, 7, 0.6};
  s.back = Rgb(25, 45, 110);
  s.belly_color = Rgb(215, 222, 230);
  s.fin = Rgb(230, 200, 60);
  s.pattern = [](double u, double v, Color base) {
    const Color band =
        Mix(base, Rgb(120, 200, 220), 0.5 * std::exp(-(v + 0.05) * (v + 0.05) / 0.01));
    const double bars = v > 0.2 ? 0.1 * (0.5 + 0.5 * std::sin(u * 70)) : 0.0;
    return Shade(band, 1 - bars);
  };
  s.pectoral_length = 10;
  s.pectoral_width = 3;
  s.eye_u = 0.1;
  s.eye_v = -0.15;
  s.eye_r = 3;
  s.iris = Rgb(200, 190, 160);
  s.mouth = 5;
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

FishLook SpermWhaleLook() {
  FishLook s;
  s.nose_x = 3;
  s.length = 100;
  s.centre_y = 36;
  s.depth = 42;
  s.hump = 0.2;
  s.nose = 0.12;
  s.peduncle = 0.14;
  s.bend = 4;
  s.tail = Tail::kFlukes;
  s.tail_length = 25;
  s.tail_span = 26;
  s.dorsal = {0.62, 0.72, 4, 0.5};
  s.back = Rgb(70, 72, 85);
  s.belly_color = Rgb(110, 110, 120);
  s.fin = Rgb(65, 66, 78);
  s.pattern = [](double u, double v, Color base) {
    const double wrinkle = 0.5 + 0.5 * std::sin(u * 160 + v * 4);
    return Shade(base, 0.92 + 0.08 * wrinkle * (u > 0.35));
  };
  s.pectoral_at = 0.4;
  s.pectoral_length = 12;
  s.pectoral_width = 6;
  s.pectoral_angle = 1.3;
  s.eye_u = 0.36;
  s.eye_v = 0.25;
  s.eye_r = 1.8;
  s.iris = Rgb(50, 45, 40);
  s.gill_u = 0;
  return s;
}

FishLook ManateeLook() {
  FishLook s;
  s.nose_x = 4;
  s.length = 112;
  s.centre_y = 34;
  s.depth = 48;
  s.hump = 0.5;
  s.nose = 0.35;
  s.peduncle = 0.35;
  s.bend = 3;
  s.tail = Tail::kRounded;
  s.tail_length = 28;
  s.tail_span = 34;
  s.back = Rgb(120, 115, 105);
  s.belly_color = Rgb(160, 150, 135);
  s.fin = Rgb(110, 105, 96);
  s.pattern = [](double u, double v, Color base) {
    return Shade(base, 0.94 + 0.12 * Noise(u * 30, v * 6, 7));
  };
  s.pectoral_at = 0.2;
  s.pectoral_length = 16;
  s.pectoral_width = 8;
  s.pectoral_angle = 1.3;
  s.eye_u = 0.08;
  s.eye_v = -0.25;
  s.eye_r = 1.4;
  s.iris = Rgb(40, 35, 30);
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

void HammerHead(Canvas& c, const FishLook& s, double phase) {
  GillSlits(c, s, phase, 0.2, 5);
  // the flat hammer seen edge-on: a broad blade across the snout with the eye at its end
  const Vec front = On(s, 0.02, 0.0, phase);
  c.Fill(SmoothClosed(
             {front + Vec{-9, -4}, front + Vec{12, -6}, front + Vec{14, 1}, front + Vec{-9, 3}}, 4),
         Linear(front + Vec{0, -6}, Shade(s.back, 1.15), front + Vec{0, 3},
                Shade(s.belly_color, 0.9)));
  DrawEye(c, front + Vec{-6, -1}, 2.2, Rgb(200, 170, 60));
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
  // the narrow lower jaw under the great square head
  const Vec j0 = On(s, 0.05, 0.7, phase), j1 = On(s, 0.32, 0.75, phase);
  c.Fill(Ribbon({j0 + Vec{2, 0}, j1}, 3, 5), Rgb(170, 165, 170));
  c.Glaze(Ribbon({j0 + Vec{2, -2}, j1 + Vec{0, -3}}, 1, 1), Solid(Rgb(40, 40, 50)), 0.8);
  // a knuckled ridge along the back toward the flukes
  for (int i = 0; i < 4; ++i) {
    c.Fill(Ellipse(On(s, 0.76 + 0.05 * i, -0.95, phase), 2.2, 1.6), Shade(s.back, 1.05));
  }
}

void ManateeFace(Canvas& c, const FishLook& s, double phase) {
  const Vec m = On(s, 0.02, 0.2, phase);
  c.Fill(Ellipse(m + Vec{1, 1}, 7, 8), Rgb(150, 140, 125));
  for (int i = 0; i < 5; ++i)
    c.Fill(Ellipse(m + Vec{-1 + i * 1.5, 2.0 + (i % 2)}, 0.6, 0.6), Rgb(60, 55, 50));
  c.Glaze(Ribbon({m + Vec{-4, 5}, m + Vec{3, 7}}, 1, 1), Solid(Rgb(70, 60, 55)), 0.7);
}

void OrcaDetails(Canvas& c, const FishLook& s, double phase) {
  const Vec p = On(s, 0.16, -0.45, phase);
  c.Fill(Ellipse(p + Vec{6, 0}, 7, 3.2, -0.15), Rgb(240, 242, 245));  // the eye patch
}

}  // namespace

void AddPredatorPictures(std::vector<Picture>& out) {
  AddSwimmer(out, "a_Dolphin.bmp", 195, 54, 9, true, DolphinLook, DolphinSmile);
  AddSwimmer(out, "a_tigershark.bmp", 174, 66, 6, true, GreatWhiteLook, SharkMouth);
  AddSwimmer(out, "a_hammerhead.bmp", 177, 71, 9, false, HammerheadLook, HammerHead);
  AddSwimmer(out, "a_manatee.bmp", 148, 70, 8, false, ManateeLook, ManateeFace);
  AddSwimmer(out, "a_orca.bmp", 138, 101, 8, true, OrcaLook, OrcaDetails);
  AddSwimmer(out, "a_shark.bmp", 130, 62, 6, false, BlueSharkLook, SharkMouth);
  AddSwimmer(out, "a_tuna.bmp", 100, 46, 8, true, TunaLook);
  AddSwimmer(out, "a_whale.bmp", 129, 73, 8, false, SpermWhaleLook, WhaleDetails);
}

}  // namespace mediagen
