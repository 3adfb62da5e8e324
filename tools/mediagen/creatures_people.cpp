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

// A fin on the foot at `ankle`, trailing along `dir` and bent by `flex` (radians, + down).
void DiveFin(Canvas& c, Vec ankle, Vec dir, double flex, Color blade) {
  const double a = std::atan2(dir.y, dir.x);
  Path spine;
  for (int i = 0; i <= 10; ++i) {
    const double t = i / 10.0, turn = a + flex * t * t;
    const Vec prev = spine.empty() ? ankle : spine.back();
    spine.push_back(prev + Vec{std::cos(turn), std::sin(turn)} * (i == 0 ? 0 : 2.5));
  }
  const auto width = [](double t) { return 6.5 + 6 * t - 3 * t * t * t; };
  c.Fill(Tube(spine, [&](double t) { return width(t) + 1.6; }), Shade(blade, 0.45));
  c.Fill(Tube(spine, width), Linear(ankle, Shade(blade, 1.1), spine.back(), Shade(blade, 0.8)));
  c.Glaze(Tube(spine, [&](double t) { return width(t) * 0.3; }), Solid(Shade(blade, 0.6)), 0.6);
  c.Fill(Ellipse(ankle + dir * 3, 5, 3.6, a), Rgb(30, 30, 36));  // the foot pocket
}

// Swims to the left with a flutter kick: the legs beat in turn, the fins trailing each stroke.
Image ScubaDiverCell(int f) {
  Canvas c(150, 90);
  const double ph = Phase(f, 8);
  const Color suit = Rgb(48, 60, 105), ink = Rgb(18, 22, 40), stripe = Rgb(40, 185, 215);
  const Color fins = Rgb(250, 205, 30);
  const Paint wet = [suit](double, double y) { return Shade(suit, 1.45 - (y - 34) / 45); };
  for (int leg = 0; leg < 2; ++leg) {  // far leg first, in shadow
    const double kick = 9 * std::sin(ph + leg * kPi), swing = std::cos(ph + leg * kPi);
    const Vec hip = {80, 50.0 + leg * 1.5}, knee = {102, hip.y + 0.35 * kick + 1.5},
              ankle = {119, hip.y + kick};
    const double dim = leg == 0 ? 0.7 : 1.0;
    const Paint leg_paint = [&wet, dim](double x, double y) { return Shade(wet(x, y), dim); };
    DiveFin(c, ankle, ankle - knee, 0.55 * swing, Shade(fins, 0.75 + 0.25 * leg));
    InkedLimb(c, {hip, knee, ankle}, 11, 7, leg_paint, ink);
    c.Fill(Ribbon(SmoothOpen({hip + Vec{0, -2.5}, knee + Vec{0, -2}, ankle + Vec{-3, -1.5}}, 4),
                  1.6, 1.2),
           Shade(stripe, dim));
  }
  Limb(c, {{40, 53}, {46, 61}, {34, 64}}, 7, 6, [&wet](double x, double y) {
    return Shade(wet(x, y), 0.7);
  });  // far arm, tucked under the chest
  const Path torso = SmoothClosed(
      {{24, 45}, {40, 39}, {66, 41}, {84, 46}, {84, 55}, {62, 59}, {36, 60}, {25, 54}}, 5);
  c.Fill(Apply(torso, Affine::Stretch(1.03, 1.12, {55, 50})), ink);
  c.Fill(torso, wet);
  c.Fill(Ribbon(SmoothOpen({{30, 52}, {50, 53}, {70, 52}, {84, 51}}, 4), 2, 1.8), stripe);
  c.Fill(Rect(72, 41.5, 78, 58.5), Rgb(28, 28, 34));  // weight belt and its buckle
  c.Fill(Rect(73, 47, 77, 52), Rgb(190, 195, 205));
  // the tank on his back, its valve ahead of his shoulders
  const Path tank = SmoothClosed({{38, 30}, {74, 29}, {79, 34.5}, {74, 40}, {38, 40.5}}, 4);
  c.Fill(Apply(tank, Affine::Stretch(1.03, 1.15, {58, 35})), ink);
  c.Fill(tank, Linear({0, 29}, Rgb(255, 235, 90), {0, 41}, Rgb(190, 120, 15)));
  c.Glaze(Rect(40, 31.5, 73, 33), Solid(Rgb(255, 255, 235)), 0.6);
  c.Fill(Rect(33, 32, 39, 37), Rgb(170, 170, 180));
  c.Fill(Ellipse({33, 34.5}, 2.5, 3), Rgb(120, 120, 130));
  for (double x : {48.0, 66.0}) c.Fill(Rect(x, 38, x + 3, 49), Rgb(30, 30, 38));  // straps
  c.Fill(Ribbon(SmoothOpen({{32, 36}, {24, 40}, {16, 50}, {11, 53}}, 5), 2, 2), Rgb(45, 45, 55));
  // head in its hood, mask and mouthpiece
  c.Fill(Ellipse({20, 46}, 10.5, 10), ink);
  c.Fill(Ellipse({20, 46}, 9.5, 9), wet);
  c.Fill(Ellipse({15, 48}, 6, 6.5), SkinPaint({12, 45}));
  c.Fill(SmoothClosed({{6, 42}, {16, 40.5}, {18, 46}, {15, 50}, {7, 49}}, 3), Rgb(30, 30, 40));
  c.Fill(SmoothClosed({{7.5, 43}, {15.5, 42}, {16.5, 46}, {14, 48.5}, {8, 48}}, 3),
         Linear({7, 42}, Rgb(190, 235, 250), {15, 48}, Rgb(70, 150, 190)));
  c.Glaze(Ribbon({{9, 44}, {12, 43.5}}, 1, 1), Solid(Rgb(255, 255, 255)), 0.8);
  c.Fill(Ribbon({{17, 44}, {28, 42}}, 1.6, 1.6), Rgb(30, 30, 40));  // mask strap
  c.Fill(Ellipse({10, 53}, 2.6, 2.2), Rgb(50, 50, 60));
  // near arm: a slow sculling stroke under the chest
  const double scull = 3 * std::sin(ph);
  const Vec elbow = {44, 62 + 0.5 * scull}, hand = {30 + scull, 63};
  InkedLimb(c, {{42, 49}, elbow, hand}, 7.5, 6, wet, ink);
  Hand(c, hand, hand - elbow, 3.6, Solid(Rgb(35, 35, 45)), 1);
  for (int i = 0; i < 4; ++i) {  // breath rising from the mouthpiece
    const double y = 48 - 11 * i - 11 * std::fmod(f / 4.0, 1.0), r = 1.6 + i * 0.6;
    if (y > 3 && y < 46) {
      const Vec b = {7 + 2.5 * std::sin(ph + i * 1.7) + i * 1.5, y};
      c.Fill(Ellipse(b, r, r), Rgb(190, 230, 250));
      c.Erase(Ellipse(b + Vec{0.2, 0.2}, r * 0.55, r * 0.55));
    }
  }
  return c.Resolve(0.75);
}

// A head seen from the side, the face looking along `look`: brow, nose, lips and chin on the
// profile, one eye, the hair covering the crown and the back of the head.
void ProfileHead(Canvas& c, Vec at, double r, Vec look, Color hair) {
  const Vec f = look * (1 / std::hypot(look.x, look.y)), up = {-f.y, f.x};
  const auto p = [&](double ahead, double above) {
    return at + f * (ahead * r) + up * (above * r);
  };
  const Path head = SmoothClosed(
      {p(-0.95, 0.1), p(-0.6, 0.85), p(0.2, 1.0), p(0.8, 0.5), p(0.95, 0.12), p(1.18, -0.1),
       p(0.95, -0.3), p(0.98, -0.5), p(0.78, -0.82), p(0.3, -0.95), p(-0.3, -0.6)},
      4);
  c.Fill(Apply(head, Affine::Stretch(1.06, 1.06, at)), Rgb(90, 50, 40));
  c.Fill(head, Radial(p(0.4, 0.3), r * 1.6, Shade(kSkin, 1.1), Shade(kSkin, 0.85)));
  c.Fill(Ellipse(p(0.78, -0.6), r * 0.12, r * 0.06, std::atan2(f.y, f.x) + 0.5),
         Rgb(190, 60, 70));  // lips
  const Vec eye = p(0.55, 0.15);
  c.Fill(Ellipse(eye, r * 0.15, r * 0.2, std::atan2(f.y, f.x)), Rgb(252, 252, 250));
  c.Fill(Ellipse(eye + f * (r * 0.06), r * 0.1, r * 0.14), Rgb(50, 90, 150));
  c.Fill(Ellipse(eye + f * (r * 0.08), r * 0.05, r * 0.07), Rgb(20, 20, 30));
  c.Fill(Ribbon({p(0.4, 0.42), p(0.7, 0.42)}, r * 0.09, r * 0.06), Shade(hair, 0.7));  // brow
  c.Fill(Ellipse(p(0.4, -0.35), r * 0.16, r * 0.1), Rgb(245, 150, 140), 0.6);          // cheek
  c.Fill(SmoothClosed({p(-1.02, 0.2), p(-0.7, 0.95), p(0.2, 1.12), p(0.82, 0.62), p(0.35, 0.6),
                       p(-0.1, 0.2), p(-0.45, -0.45), p(-0.85, -0.45)},
                      4),
         Linear(p(0, 1.1), Shade(hair, 1.25), p(-0.6, -0.3), Shade(hair, 0.75)));
}

// Swims up and to the left in a breaststroke: her head lifted the way she swims, her elbows
// bent out and her hands gathering ahead of her face, hair and tail streaming behind.
Image SwimMaidCell(int f) {
  Canvas c(115, 149);
  const double ph = Phase(f, 8);
  const Color hair = Rgb(230, 90, 30);
  const Paint skin = SkinPaint({30, 30});
  const Color ink = Rgb(150, 90, 70);
  const Vec head = {36, 33};
  // the body's own frame: along runs from the neck toward the tail, across toward her back
  const Vec neck = {44, 44}, along = {0.55, 0.83}, across = {0.83, -0.55};
  const auto at = [&](double a, double b) { return neck + along * a + across * b; };
  Hair(c, head + Vec{4, -2}, {0.55, 0.83}, 46, ph, hair, 9, 4.4);
  // the far arm, behind her head, its elbow bent out above it
  const double stroke = std::sin(ph);
  const Vec far_elbow = {49 + 2 * stroke, 22 - 2 * stroke}, far_hand = {22 + 3 * stroke, 14};
  InkedLimb(c, {at(3, 6), far_elbow, far_hand}, 5.5, 4.5, skin, ink);
  Hand(c, far_hand, far_hand - far_elbow, 4.2, skin, 1);
  const Path body = SmoothClosed({at(1, 9), at(9, 8.5), at(18, 5.5), at(27, 8), at(31, 3),
                                  at(27, -7), at(18, -5), at(9, -8.5), at(1, -8)},
                                 4);
  c.Fill(Apply(body, Affine::Stretch(1.06, 1.04, at(15, 0))), ink);
  c.Fill(body, skin);
  Path tail;
  for (int i = 0; i <= 10; ++i) {
    const double t = i / 10.0;
    tail.push_back({57 + 39 * t + 7 * std::sin(ph - t * 3) * t, 66 + 60 * t});
  }
  MerTail(c, tail, 16, ph, Rgb(30, 160, 140));
  ShellTop(c, at(8, -1), 4.2, 1.0, Rgb(170, 80, 200));
  c.Fill(Ribbon({head + Vec{4, 6}, neck}, 7, 7), skin);  // the neck
  ProfileHead(c, head, 10, {-0.85, -0.5}, hair);
  // the near arm, in front, its elbow bent out below her chin
  const Vec near_elbow = {17 - 2 * stroke, 46 + stroke}, near_hand = {15 + 3 * stroke, 20};
  InkedLimb(c, {at(2, -7), near_elbow, near_hand}, 6, 4.8, skin, ink);
  Hand(c, near_hand, near_hand - near_elbow, 4.4, skin, -1);
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
