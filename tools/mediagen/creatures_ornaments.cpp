// The items of the More... tab: anchor, bottles, bubbles and hearts, the diver's helmet, the
// eyes in the dark, the fishing sign, the snitch, the pillars, the scuba diver and the worm.
#include <cmath>

#include "mediagen/creatures.h"
#include "mediagen/pictures.h"

namespace mediagen {

void Limb(Canvas& c, const Path& joints, double w0, double w1, const Paint& paint) {
  c.Fill(Ribbon(SmoothOpen(joints, 4), w0, w1), paint);
  c.Fill(Ellipse(joints.front(), w0 / 2, w0 / 2), paint);
  c.Fill(Ellipse(joints.back(), w1 / 2, w1 / 2), paint);
}

// A 3 x 5 pixel alphabet for the few words the pictures carry.
void Letters(Canvas& c, const char* text, double x, double y, double px, Color ink,
             const Affine& m) {
  struct Glyph {
    char ch;
    const char* rows;  // 15 cells, row by row
  };
  static const Glyph kGlyphs[] = {{'N', "101111111111101"}, {'O', "111101101101111"},
                                  {'F', "111100110100100"}, {'I', "111010010010111"},
                                  {'S', "111100111001111"}, {'H', "101101111101101"},
                                  {'G', "111100101101111"}, {'!', "010010010000010"}};
  for (const char* p = text; *p; ++p, x += 4 * px) {
    for (const Glyph& g : kGlyphs) {
      if (g.ch != *p) continue;
      for (int i = 0; i < 15; ++i) {
        if (g.rows[i] == '1') {
          const double gx = x + (i % 3) * px, gy = y + (i / 3) * px;
          c.Fill(Apply(Rect(gx, gy, gx + px, gy + px), m), ink);
        }
      }
    }
  }
}

namespace {

const Paint kRust = [](double x, double y) {
  return Mix(Rgb(95, 85, 80), Rgb(150, 80, 40), Noise(x * 0.3, y * 0.3, 5));
};

Image AnchorCell(int cell) {
  Canvas c(76, 83);
  // tips over a little more on each cell, pivoting on its crown
  const Affine tilt = Affine::Turn(-0.07 * cell, {38, 78});
  const auto T = [&](Path p) { return Apply(p, tilt); };
  c.Fill(T(Ribbon({{38, 14}, {38, 74}}, 7, 7)), kRust);
  c.Fill(T(Ribbon({{24, 22}, {52, 22}}, 5, 5)), kRust);
  c.Fill(T(Tube(Ellipse({38, 8}, 7, 7, 0, 24), [](double) { return 3.5; })), kRust);
  Path arm;
  for (int i = 0; i <= 16; ++i) {
    const double a = kPi * (0.1 + 0.8 * i / 16);
    arm.push_back({38 - 30 * std::cos(a), 48 + 26 * std::sin(a)});
  }
  c.Fill(T(Ribbon(arm, 7, 7)), kRust);
  for (int side = -1; side <= 1; side += 2) {
    const Vec tip = arm[side < 0 ? 0 : 16];
    c.Fill(T(Path{tip + Vec{-5.0 * side, 4}, tip + Vec{6.0 * side, -8}, tip + Vec{3.0 * side, 6}}),
           kRust);
  }
  c.Glaze(T(Ribbon({{36, 16}, {36, 70}}, 2, 2)), Solid(Rgb(200, 170, 140)), 0.4);
  return c.Resolve(0.75);
}

// Rocks as it sinks, the light running over the glass.
Image BottleCell(int cell, bool green) {
  Canvas c(32, 51);
  const double ph = Phase(cell, 13);
  const Affine rock = Affine::Turn(0.38 * std::sin(ph), {16, 26});
  const Color glass = green ? Rgb(40, 130, 60) : Rgb(130, 70, 25);
  const Path body = SmoothClosed({{9, 47},
                                  {9, 22},
                                  {12, 17},
                                  {14, 12},
                                  {14, 5},
                                  {18, 5},
                                  {18, 12},
                                  {20, 17},
                                  {23, 22},
                                  {23, 47}},
                                 3);
  c.Fill(Apply(body, rock), Linear({9, 0}, Shade(glass, 0.6), {23, 0}, Shade(glass, 1.1)));
  c.Fill(Apply(Rect(13.5, 2, 18.5, 7), rock), Rgb(170, 130, 80));  // cork
  if (green) {                                                     // the rolled message inside
    c.Glaze(Apply(Rect(12, 27, 20, 42), rock), Solid(Rgb(235, 220, 170)), 0.75);
  } else {
    c.Glaze(Apply(Rect(9.5, 28, 22.5, 38), rock), Solid(Rgb(230, 200, 120)), 0.9);  // label
  }
  const double glint = 11 + 2 * std::cos(ph);
  c.Glaze(Apply(Rect(glint, 20, glint + 1.6, 45), rock), Solid(Rgb(255, 255, 255)), 0.6);
  return c.Resolve(0.8);
}

Image BubbleCell() {
  Canvas c(11, 10);
  c.Fill(Ellipse({5.5, 5}, 5.2, 4.8), Rgb(150, 210, 245));
  c.Erase(Ellipse({5.6, 5.1}, 3.6, 3.2));
  c.Fill(Ellipse({3.7, 3.3}, 1.2, 1.0), Rgb(255, 255, 255));
  return c.Resolve(1.0);
}

// Beats and turns through its eight cells.
Image HeartCell(int cell) {
  Canvas c(15, 14);
  const double ph = Phase(cell, 8);
  const double sx = 0.55 + 0.45 * std::abs(std::cos(ph / 2)), beat = 1 + 0.08 * std::sin(ph * 2);
  Path h;
  for (int i = 0; i < 48; ++i) {
    const double t = 2 * kPi * i / 48;
    const double x = 16 * std::pow(std::sin(t), 3);
    const double y =
        -(13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t));
    h.push_back({7.5 + x * 0.42 * sx * beat, 7.3 + y * 0.4 * beat});
  }
  c.Fill(h, Radial({5.5, 4.5}, 9, Rgb(255, 120, 150), Rgb(190, 10, 50)));
  c.Fill(Ellipse({7.5 - 3 * sx, 4.3}, 1.3 * sx, 1.0), Rgb(255, 220, 230));
  return c.Resolve(0.85);
}

// A brass diving helmet hanging in from above; cells 1 to 6 let a burst of air escape.
Image DiverHeadCell(int cell) {
  Canvas c(129, 150);
  const Paint brass = [](double x, double y) {
    const double l = std::exp(-((x - 48) * (x - 48) + (y - 60) * (y - 60)) / 900.0);
    return Mix(Rgb(150, 95, 30), Rgb(255, 225, 130), l);
  };
  c.Fill(Ribbon(SmoothOpen({{90, 0}, {88, 20}, {80, 38}}, 6), 9, 9), Rgb(60, 60, 55));  // air hose
  c.Fill(Ellipse({64, 70}, 44, 46), brass);
  c.Fill(Rect(22, 100, 106, 122), Mix(Rgb(150, 95, 30), Rgb(230, 180, 90), 0.4));  // breastplate
  c.Fill(Ellipse({64, 122}, 44, 10), brass);
  for (int i = 0; i < 6; ++i) c.Fill(Ellipse({28 + i * 14.5, 118}, 3, 3), Rgb(120, 120, 125));
  // front port with a face behind the glass
  c.Fill(Ellipse({60, 72}, 23, 23), Rgb(90, 70, 35));
  c.Fill(Ellipse({60, 72}, 19, 19), Radial({54, 66}, 24, Rgb(120, 160, 170), Rgb(30, 60, 80)));
  c.Glaze(Ellipse({60, 76}, 12, 14), Solid(Rgb(230, 180, 150)), 0.8);
  c.Fill(Ellipse({55, 72}, 2, 2.5), Rgb(30, 30, 40));
  c.Fill(Ellipse({66, 72}, 2, 2.5), Rgb(30, 30, 40));
  c.Fill(Ellipse({60.5, 82}, 3, 1.5 + (cell > 0 ? 1.5 : 0)), Rgb(120, 40, 40));
  for (int i = 0; i < 4; ++i) {  // the grille bars over the port
    c.Fill(Rect(50 + 6.5 * i, 53, 51.5 + 6.5 * i, 91), Rgb(110, 80, 30));
  }
  c.Glaze(Ellipse({48, 62}, 6, 4, -0.6), Solid(Rgb(255, 255, 255)), 0.5);
  c.Fill(Ellipse({104, 70}, 9, 11), brass);  // side port
  c.Fill(Ellipse({104, 70}, 6, 8), Rgb(50, 90, 110));
  if (cell >= 1 && cell <= 6) {
    Rng rng(40 + cell);
    for (int i = 0; i < 5 + cell * 2; ++i) {
      const double age = rng.Range(0, 1);
      const double y = 40 - (cell - 1 + age) * 7, x = 84 + rng.Range(-6, 10) + 2 * std::sin(y);
      if (y < 3) continue;
      const double r = 1.2 + 2.5 * rng.Next();
      c.Fill(Ellipse({x, y}, r, r), Rgb(170, 220, 250));
      c.Erase(Ellipse({x + 0.2, y + 0.2}, r * 0.6, r * 0.6));
    }
  }
  return c.Resolve(0.75);
}

// Two eyes glowing in a dark hole: cell 0 wide open, cell 5 shut (the rest cell).
Image EyesCell(int cell) {
  Canvas c(30, 12);
  const double shut = cell / 5.0;
  for (int side = 0; side < 2; ++side) {
    const Vec at = {8.0 + 14 * side, 6};
    if (shut < 1) {
      c.Fill(Ellipse(at, 5.5, 4.5), Radial(at, 5.5, Rgb(255, 250, 150), Rgb(200, 150, 20)));
      c.Fill(Ellipse(at + Vec{0.5, 0.3}, 1.3, 3.3), Rgb(20, 12, 8));
      Path lid = Ellipse(at, 5.8, 4.8);
      for (Vec& p : lid) p.y = std::min(p.y, at.y - 4.8 + 9.6 * shut);
      c.Fill(lid, Rgb(60, 40, 25));
    }
    c.Fill(Ribbon({at + Vec{-5.5, -4.5 + 9 * shut}, at + Vec{5.5, -4.5 + 9 * shut}}, 1.2, 1.2),
           Rgb(30, 22, 15));
  }
  return c.Resolve(1.0);
}

Image MarinaSignCell(int cell) {
  Canvas c(55, 141);
  const double ph = Phase(cell, 6);
  const Paint wood = [](double x, double y) {
    return Mix(Rgb(110, 75, 40), Rgb(160, 115, 65), Noise(x * 0.5, y * 0.05, 9));
  };
  c.Fill(Rect(24, 20, 31, 141), wood);  // the post
  c.Fill(Rect(6, 18, 50, 23), wood);    // the cross bar
  const Affine swing = Affine::Turn(0.07 * std::sin(ph), {28, 22});
  for (double x : {11.0, 45.0})
    c.Fill(Apply(Ribbon({{x, 22}, {x, 32}}, 1, 1), swing), Rgb(150, 150, 150));
  c.Fill(Apply(Rect(3, 32, 53, 62), swing), Rgb(235, 230, 210));
  c.Fill(Apply(Tube(Rect(3, 32, 53, 62), [](double) { return 2.0; }), swing), Rgb(170, 40, 30));
  Letters(c, "NO", 21, 35, 1.5, Rgb(170, 30, 30), swing);
  Letters(c, "FISHING", 6.5, 48, 1.5, Rgb(170, 30, 30), swing);
  // weed waving at the foot of the post
  for (int k = 0; k < 3; ++k) {
    Path weed;
    for (int i = 0; i <= 8; ++i) {
      const double t = i / 8.0;
      weed.push_back({20 + 7.0 * k + 3 * std::sin(ph + t * 4 + k) * t, 141 - t * (40 + 10 * k)});
    }
    c.Fill(Ribbon(weed, 4, 1), Linear({0, 100}, Rgb(40, 120, 50), {0, 141}, Rgb(20, 70, 30)));
  }
  return c.Resolve(0.8);
}

// Sinks with his feet in a block of concrete, waving his arms.
Image SnitchCell(int cell) {
  Canvas c(65, 144);
  const double ph = Phase(cell, 6);
  const Color suit = Rgb(45, 45, 60), skin = Rgb(235, 185, 150);
  const Paint stripes = [suit](double x, double) {
    return std::fmod(x, 4.0) < 0.6 ? Rgb(110, 110, 130) : suit;
  };
  c.Fill(Rect(12, 112, 53, 142), [](double x, double y) {
    return Mix(Rgb(150, 150, 145), Rgb(200, 200, 190), Noise(x * 0.4, y * 0.4, 3));
  });
  Limb(c, {{27, 115}, {26, 96}, {29, 78}}, 8, 9, stripes);
  Limb(c, {{39, 115}, {40, 96}, {37, 78}}, 8, 9, stripes);
  c.Fill(SmoothClosed({{21, 82}, {20, 60}, {24, 46}, {42, 46}, {46, 60}, {45, 82}}, 4), stripes);
  c.Fill(Path{{29, 46}, {37, 46}, {33, 62}}, Rgb(240, 240, 240));  // shirt
  const double flap = 3 * std::sin(ph);
  c.Fill(Ribbon({{33, 48}, {33 + flap, 40}, {33 - flap, 30}}, 3, 4),
         Rgb(200, 30, 40));  // tie floats up
  for (int side = -1; side <= 1; side += 2) {
    const double wave = 0.5 * std::sin(ph + (side > 0 ? 0 : 2));
    const Vec sh = {33 + side * 10.0, 49};
    const Vec el = sh + Vec{side * (9 + 3 * wave), -12 + 4 * wave};
    const Vec hand = el + Vec{side * (2 - 6 * wave), -13};
    Limb(c, {sh, el, hand}, 6, 5, stripes);
    c.Fill(Ellipse(hand + Vec{0, -2}, 3.5, 4), skin);
  }
  c.Fill(Ellipse({33, 37}, 8, 9), Radial({31, 34}, 11, Rgb(250, 210, 180), Rgb(200, 140, 110)));
  c.Fill(Ellipse({30, 35}, 1.2, 1.8), Rgb(20, 20, 30));
  c.Fill(Ellipse({36, 35}, 1.2, 1.8), Rgb(20, 20, 30));
  c.Fill(Ellipse({33, 41.5}, 2.2, 1.8 + 0.6 * std::sin(ph * 2)), Rgb(110, 30, 30));
  c.Fill(Ellipse({33, 28}, 12, 2.5), Rgb(40, 35, 35));  // fedora
  c.Fill(SmoothClosed({{25, 29}, {26, 20}, {33, 18}, {40, 20}, {41, 29}}, 3), Rgb(55, 50, 50));
  c.Fill(Rect(25.5, 25, 40.5, 27.5), Rgb(150, 30, 30));
  for (int i = 0; i < 3; ++i) {  // air escaping from his mouth
    const double y = 30 - 9 * i - 9 * std::fmod(cell / 6.0, 1.0), r = 1.5 + i * 0.6;
    if (y > 3) {
      c.Fill(Ellipse({38 + 2 * std::sin(i + ph), y - 10}, r, r), Rgb(170, 220, 250));
      c.Erase(Ellipse({38 + 2 * std::sin(i + ph), y - 10}, r * 0.55, r * 0.55));
    }
  }
  return c.Resolve(0.8);
}

// Two marble columns: the left one whole, the right one broken off.
Image PillarCell(int cell) {
  Canvas c(63, 169);
  const Paint marble = [](double x, double y) {
    const double flute = 0.5 + 0.5 * std::cos((x - 31.5) * 0.75);
    const double vein = std::pow(Noise(x * 0.15, y * 0.04, 21), 3);
    return Shade(Mix(Rgb(225, 220, 205), Rgb(160, 170, 165), vein),
                 0.78 + 0.25 * flute - 0.2 * std::abs(x - 28) / 31);
  };
  const double top = cell == 0 ? 22 : 40;
  c.Fill(Rect(2, 154, 61, 169), marble);
  c.Fill(Rect(6, 146, 57, 155), marble);
  if (cell == 0) {
    c.Fill(Rect(1, 6, 62, 16), marble);
    c.Fill(SmoothClosed({{6, 16}, {57, 16}, {52, 23}, {11, 23}}, 2), marble);
    c.Fill(Ellipse({6, 16}, 5, 5), marble);
    c.Fill(Ellipse({57, 16}, 5, 5), marble);
    c.Fill(Rect(11, top, 52, 147), marble);
  } else {
    c.Fill(Path{{11, 147}, {11, 52}, {20, 44}, {27, 50}, {35, top}, {44, 48}, {52, 56}, {52, 147}},
           marble);
  }
  for (int k = 0; k < 4; ++k) {  // weed and sponge growing on the foot
    c.Fill(Ellipse({10.0 + 14 * k, 150 - 3.0 * (k % 2)}, 6, 4),
           Mix(Rgb(60, 130, 60), Rgb(150, 60, 110), k / 3.0));
  }
  c.Glaze(Ribbon({{30, 70}, {26, 95}, {33, 120}}, 1, 0.6), Solid(Rgb(90, 90, 85)), 0.7);
  return c.Resolve(0.8);
}

// The hook hangs from the line at column 9; the worm writhes on it.
Image WormCell(int cell) {
  Canvas c(37, 60);
  const Color steel = Rgb(170, 175, 185);
  c.Fill(Rect(8.4, 0, 9.6, 2.5), Rgb(128, 128, 128));  // the line's knot on the eye
  c.Fill(Tube(Ellipse({9, 4}, 1.9, 1.9, 0, 16), [](double) { return 1.2; }), steel);
  Path hook = SmoothOpen({{9, 6}, {9, 38}, {12, 47}, {20, 47}, {24, 40}, {23, 33}}, 6);
  c.Fill(Ribbon(hook, 2, 1.4), steel);
  c.Fill(Path{{23, 31}, {25, 36}, {21, 36}}, steel);
  const double wr[5] = {0.0, 0.6, 1.2, 1.8, 2.8};
  const double w = wr[cell];
  const Paint pink = [](double x, double y) {
    return std::fmod(y + x * 0.3, 3.0) < 0.8 ? Rgb(200, 90, 100) : Rgb(240, 140, 150);
  };
  // a loop round the shank and two writhing ends
  c.Fill(Ribbon(SmoothOpen({{9, 14}, {16, 18}, {9, 22}, {2, 26}, {9, 30}, {16, 34}, {10, 40}}, 5),
                5, 5),
         pink);
  Path end1, end2;
  for (int i = 0; i <= 8; ++i) {
    const double t = i / 8.0;
    end1.push_back({9 - t * 8 + 3 * std::sin(w + t * 4) * t, 40 + t * 17});
    end2.push_back({16 + t * 14 + 2 * std::sin(w * 1.3 + t * 5) * t,
                    14 - t * 6 + 3 * std::cos(w + t * 3) * t});
  }
  c.Fill(Ribbon(end1, 5, 3), pink);
  c.Fill(Ribbon(end2, 5, 3), pink);
  return c.Resolve(0.8);
}

}  // namespace

void AddOrnamentPictures(std::vector<Picture>& out) {
  out.push_back({"a_anchor.bmp", [] { return MakeSheet(76, 83, 5, AnchorCell, false); }});
  out.push_back({"a_bottle1.bmp", [] {
                   return MakeSheet(
                       32, 51, 13, [](int f) { return BottleCell(f, true); }, false);
                 }});
  out.push_back({"a_bottle2.bmp", [] {
                   return MakeSheet(
                       32, 51, 13, [](int f) { return BottleCell(f, false); }, false);
                 }});
  out.push_back({"a_bubble.bmp", [] {
                   return MakeSheet(
                       11, 10, 1, [](int) { return BubbleCell(); }, true);
                 }});
  out.push_back({"a_heart.bmp", [] { return MakeSheet(15, 14, 8, HeartCell, true); }});
  out.push_back({"a_diverhead.bmp", [] { return MakeSheet(129, 150, 8, DiverHeadCell, false); }});
  out.push_back({"a_eyes.bmp", [] { return MakeSheet(30, 12, 6, EyesCell, false); }});
  out.push_back({"a_marinasign.bmp", [] { return MakeSheet(55, 141, 6, MarinaSignCell, false); }});
  out.push_back({"a_mofiasnitch.bmp", [] { return MakeSheet(65, 144, 6, SnitchCell, false); }});
  out.push_back({"a_pillar.bmp", [] { return MakeSheet(63, 169, 2, PillarCell, false); }});
  out.push_back({"a_worm.bmp", [] { return MakeSheet(37, 60, 5, WormCell, true); }});
}

}  // namespace mediagen
