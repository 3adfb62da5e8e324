// People of the sea: the scuba diver, the swimming mermaid and the mermaid on her rock.
#include <cmath>

#include "mediagen/creatures.h"
#include "mediagen/draw_people.h"
#include "mediagen/pictures.h"

namespace mediagen {

namespace {

// Two scallop shells over the chest, ridged and lit from above.
void ShellTop(Canvas& c, Vec centre, double r, double tilt, Color shell) {
  for (int side = -1; side <= 1; side += 2) {
    const Vec at = centre + Vec{std::cos(tilt), std::sin(tilt)} * (side * r * 1.05);
    c.Fill(Ellipse(at, r * 1.1, r * 0.9, tilt), Shade(shell, 0.55));
    c.Fill(Ellipse(at, r, r * 0.8, tilt),
           Radial(at + Vec{0, -r * 0.5}, r * 1.4, Shade(shell, 1.3), shell));
    for (int k = -2; k <= 2; ++k) {
      c.Fill(Ribbon({at + Vec{0, r * 0.6}, at + Vec{k * r * 0.38, -r * 0.6}}, 0.7, 0.5),
             Shade(shell, 0.75));
    }
  }
}

Image ScubaDiverCell(int f) {
  Canvas c(150, 90);
  const double ph = Phase(f, 8);
  const Color suit = Rgb(30, 35, 60), fins = Rgb(240, 200, 20);
  const Paint wet = [suit](double, double y) { return Shade(suit, 1.3 - (y - 30) / 60); };
  for (int leg = 0; leg < 2; ++leg) {  // flutter kick: the legs beat in turn
    const double k = 8 * std::sin(ph + leg * kPi);
    const Vec hip = {78, 50.0 + leg * 2}, knee = {100, 50 + k * 0.5}, foot = {121, 50 + k};
    Limb(c, {hip, knee, foot}, 11, 7, wet);
    c.Fill(SmoothClosed({foot + Vec{-2, -3}, foot + Vec{24, -6 + k * 0.4},
                         foot + Vec{26, 4 + k * 0.4}, foot + Vec{-2, 4}},
                        3),
           Linear(foot, fins, foot + Vec{26, 0}, Shade(fins, 0.7)));
  }
  c.Fill(SmoothClosed({{28, 44}, {45, 38}, {80, 42}, {82, 56}, {45, 60}, {30, 56}}, 5), wet);
  c.Fill(SmoothClosed({{40, 30}, {76, 30}, {78, 40}, {40, 41}}, 4),
         Linear({0, 30}, Rgb(255, 230, 80), {0, 41}, Rgb(200, 140, 20)));  // tank
  Limb(c, {{42, 50}, {28, 58}, {14, 56}}, 8, 6, wet);
  c.Fill(Ellipse({20, 46}, 10, 10), wet);  // hood
  c.Fill(Ellipse({14, 47}, 6, 6), SkinPaint({12, 44}));
  c.Fill(SmoothClosed({{6, 41}, {16, 40}, {17, 48}, {7, 49}}, 3),
         Rgb(120, 200, 230));  // mask glass
  c.Fill(Tube(Ellipse({11.5, 44.5}, 6, 5), [](double) { return 1.4; }), Rgb(60, 60, 70));
  c.Fill(Ribbon(SmoothOpen({{10, 53}, {22, 40}, {40, 32}}, 4), 2, 2), Rgb(60, 60, 70));  // hose
  for (int i = 0; i < 3; ++i) {
    const double y = 34 - 10 * i - 4 * (f % 4), r = 2 + i * 0.5;
    if (y > 3) {
      c.Fill(Ellipse({8 + 2 * std::sin(ph + i), y}, r, r), Rgb(180, 225, 250));
      c.Erase(Ellipse({8.2 + 2 * std::sin(ph + i), y + 0.2}, r * 0.55, r * 0.55));
    }
  }
  return c.Resolve(0.75);
}

// Swims up and to the left, arms ahead, hair and tail streaming behind.
Image SwimMaidCell(int f) {
  Canvas c(115, 149);
  const double ph = Phase(f, 8);
  const Color hair = Rgb(230, 90, 30);
  Hair(c, {36, 32}, {0.55, 0.83}, 44, ph, hair, 8, 4.2);
  const Paint skin = SkinPaint({36, 40});
  const Color ink = Rgb(150, 90, 70);
  const Path body = SmoothClosed({{31, 42}, {45, 39}, {57, 66}, {47, 73}, {38, 62}}, 4);
  c.Fill(Apply(body, Affine::Stretch(1.08, 1.05, {45, 60})), ink);
  c.Fill(body, skin);
  Path tail;
  for (int i = 0; i <= 10; ++i) {
    const double t = i / 10.0;
    tail.push_back({49 + 45 * t + 7 * std::sin(ph - t * 3) * t, 66 + 60 * t});
  }
  MerTail(c, tail, 16, ph, Rgb(30, 160, 140));
  ShellTop(c, {43, 54}, 4, 1.0, Rgb(170, 80, 200));
  const double stroke = 3 * std::sin(ph);
  const Vec left = {13, 19 + stroke}, right = {27, 13 - stroke};
  InkedLimb(c, {{36, 46}, {24, 34 + stroke}, left}, 5.5, 4.5, skin, ink);
  Hand(c, left, left - Vec{24, 34 + stroke}, 4.2, skin, 1);
  InkedLimb(c, {{42, 44}, {34, 28 - stroke}, right}, 5.5, 4.5, skin, ink);
  Hand(c, right, right - Vec{34, 28 - stroke}, 4.2, skin, -1);
  Face(c, {32, 32}, 8.5, hair, -0.6);
  return c.Resolve(0.75);
}

// Sits on a rock waving to the viewer; her hair and tail drift with the water.
Image MermaidCell(int f) {
  Canvas c(138, 120);
  const double ph = Phase(f, 8);
  const Color hair = Rgb(250, 200, 60);
  const Paint skin = SkinPaint({50, 36});
  const Color ink = Rgb(150, 90, 70);
  const Path rock =
      SmoothClosed({{10, 120}, {16, 96}, {40, 84}, {84, 82}, {114, 92}, {128, 120}}, 5);
  c.Fill(Apply(rock, Affine::Stretch(1.02, 1.03, {68, 120})), Rgb(50, 50, 60));
  c.Fill(rock, [](double x, double y) {
    const double lit = 1.15 - (y - 82) / 60 - std::abs(x - 60) / 200;
    return Shade(Mix(Rgb(115, 115, 125), Rgb(175, 170, 160), Noise(x * 0.12, y * 0.18, 4)), lit);
  });
  for (int k = 0; k < 3; ++k) {  // weed at the foot of the rock
    Path weed;
    for (int i = 0; i <= 8; ++i) {
      const double t = i / 8.0;
      weed.push_back({18 + 7.0 * k + 3 * std::sin(ph + t * 4 + k) * t, 120 - t * (16 + 6 * k)});
    }
    c.Fill(Ribbon(weed, 3.5, 1), Linear({0, 96}, Rgb(60, 160, 70), {0, 120}, Rgb(25, 80, 35)));
  }
  c.Fill(Ellipse({58, 38}, 13, 14), Shade(hair, 0.8));  // hair falling behind her back
  Hair(c, {60, 24}, {0.72, 0.7}, 52, ph, hair, 10, 4.5);
  const Path body = SmoothClosed({{46, 40},
                                  {58, 37},
                                  {69, 40},
                                  {68, 56},
                                  {65, 66},
                                  {67, 74},
                                  {56, 78},
                                  {46, 74},
                                  {48, 66},
                                  {46, 56}},
                                 4);
  c.Fill(Apply(body, Affine::Stretch(1.07, 1.03, {57, 62})), ink);
  c.Fill(body, skin);
  Path tail;
  for (int i = 0; i <= 12; ++i) {
    const double t = i / 12.0;
    tail.push_back({50 + 58 * t, 72 + 18 * t - 26 * t * t + 5 * std::sin(ph - t * 2) * t * t});
  }
  MerTail(c, tail, 22, ph, Rgb(40, 150, 170));
  c.Fill(Ellipse({57, 68}, 0.9, 1.3), Shade(kSkin, 0.7));
  ShellTop(c, {57.5, 50}, 5.2, 0, Rgb(230, 100, 160));
  InkedLimb(c, {{67, 43}, {74, 60}, {72, 76}}, 6, 5, skin, ink);  // leaning on the rock
  Hand(c, {72, 76}, {0.2, 1}, 4.5, skin, 1);
  const double wave = 0.45 * std::sin(ph);
  const Vec el = {38, 52}, hand = el + Vec{-4 + 8 * wave, -16 + 2 * std::abs(wave)};
  InkedLimb(c, {{48, 43}, el, hand}, 6, 5, skin, ink);
  Hand(c, hand, hand - el, 5, skin, 1);
  Face(c, {57, 27}, 10.5, hair, 0);
  c.Fill(Ellipse({50, 17}, 2.6, 2.6), Rgb(250, 120, 150));  // a flower in her hair
  c.Fill(Ellipse({50, 17}, 1, 1), Rgb(255, 230, 90));
  return c.Resolve(0.75);
}

}  // namespace

void AddPeoplePictures(std::vector<Picture>& out) {
  out.push_back(
      {"a_scubadiver.bmp", [] { return MakeSwimSheet(150, 90, 8, ScubaDiverCell, true, false); }});
  out.push_back(
      {"a_swimmaid.bmp", [] { return MakeSwimSheet(115, 149, 8, SwimMaidCell, true, false); }});
  out.push_back({"a_mermaid.bmp", [] { return MakeSheet(138, 120, 8, MermaidCell, false); }});
}

}  // namespace mediagen
