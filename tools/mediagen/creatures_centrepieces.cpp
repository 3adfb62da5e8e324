// The centrepieces that are not people: the treasure chest, the evil relic and the pocket watch.
#include <algorithm>
#include <array>
#include <cmath>

#include "mediagen/creatures.h"
#include "mediagen/pictures.h"

namespace mediagen {

namespace {

const Paint kWood = [](double x, double y) {
  return Mix(Rgb(95, 55, 25), Rgb(150, 95, 45), Noise(x * 0.6, y * 0.08, 31));
};

const Color kBrass = Rgb(205, 165, 65);

// The lid swings back on its hinge over cells 0 to 3. Seen from the front, a lid turned by
// `angle` shows its curved top above a strip of its underside whose height grows with
// sin(angle); once upright it shows only the lined underside.
Image TreasureCell(int cell) {
  Canvas c(109, 94);
  const double hinge_y = 52, depth = 34, crown = 20;
  const double angle = std::array{0.0, 0.45, 0.95, 1.65}[cell];  // radians, upright at the end
  const double under = depth * std::sin(angle);
  // highest point of the domed top, projected: max over the lid's depth of u sin + v cos
  double top = 0;
  for (int i = 0; i <= 20; ++i) {
    const double u = depth * i / 20.0, v = crown * std::sqrt(1 - std::pow(2 * u / depth - 1, 2));
    top = std::max(top, u * std::sin(angle) + v * std::cos(angle));
  }
  const auto arch = [](double x) { return 5 * std::sin(kPi * (x - 8) / 93); };
  Path shell;
  for (int i = 0; i <= 16; ++i) {
    const double x = 8 + 93.0 * i / 16;
    shell.push_back({x, hinge_y - top - arch(x)});
  }
  shell.push_back({101, hinge_y});
  shell.push_back({8, hinge_y});
  c.Fill(shell, [hinge_y, top](double x, double y) {
    const double t = (hinge_y - y) / std::max(top, 1.0);
    return Shade(kWood(x, y), 0.7 + 0.5 * t);
  });
  for (double x : {20.0, 88.0}) {
    c.Fill(Rect(x - 3, hinge_y - top - arch(x) - 0.5, x + 3, hinge_y), kBrass);
  }
  if (cell > 0) {
    // the lid's underside: a brass frame round a red velvet lining
    const double y0 = hinge_y - under;
    c.Fill(Rect(8, y0, 101, hinge_y), Rgb(90, 60, 25));
    c.Fill(Rect(10, y0 + 1.5, 99, hinge_y), kBrass);
    if (under > 8) {
      c.Fill(Rect(14, y0 + 4, 95, hinge_y),
             Linear({0, y0}, Rgb(200, 40, 60), {0, hinge_y}, Rgb(120, 15, 35)));
    }
    // the gold heaped inside, glowing more as the lid opens
    const double glow = cell / 3.0;
    c.Fill(SmoothClosed({{12, hinge_y + 1},
                         {20, hinge_y - 7},
                         {40, hinge_y - 11},
                         {62, hinge_y - 10},
                         {86, hinge_y - 8},
                         {97, hinge_y + 1}},
                        4),
           Radial({54, hinge_y - 8}, 50, Mix(Rgb(240, 200, 80), Rgb(255, 245, 170), glow),
                  Rgb(190, 130, 20)));
    Rng rng(5);
    for (int i = 0; i < 22; ++i) {
      const Vec p = {rng.Range(16, 93), rng.Range(hinge_y - 11, hinge_y - 1)};
      c.Fill(Ellipse(p, 3.5, 2.3), Rgb(150, 100, 15));
      c.Fill(Ellipse(p, 3, 1.8), Radial(p + Vec{-1, -1}, 4, Rgb(255, 250, 190), Rgb(215, 160, 30)));
    }
    c.Fill(Ellipse({38, hinge_y - 12}, 4, 4),
           Radial({37, hinge_y - 13}, 4, Rgb(255, 140, 160), Rgb(160, 0, 40)));
    c.Fill(Path{{70, hinge_y - 17}, {74, hinge_y - 11}, {70, hinge_y - 8}, {66, hinge_y - 11}},
           Rgb(80, 220, 120));  // an emerald
  }
  const Paint body = [](double x, double y) { return Shade(kWood(x, y), 1.05 - (y - 52) / 90); };
  c.Fill(Rect(8, hinge_y, 101, 92), body);
  for (double y : {66.0, 79.0}) c.Fill(Rect(8, y, 101, y + 0.8), Rgb(70, 40, 20));  // planks
  c.Fill(Rect(8, hinge_y, 101, 56), kBrass);
  for (double x : {20.0, 88.0}) c.Fill(Rect(x - 3, hinge_y, x + 3, 92), kBrass);
  for (double x : {8.0, 101.0})
    c.Fill(Rect(x - (x > 50 ? 4 : 0), 86, x + (x > 50 ? 0 : 4), 92), kBrass);
  c.Fill(Rect(47, 57, 62, 71), Rgb(150, 110, 30));
  c.Fill(Rect(48, 58, 61, 70), Linear({48, 58}, Rgb(245, 210, 110), {61, 70}, Rgb(190, 140, 40)));
  c.Fill(Ellipse({54.5, 62.5}, 2, 2.2), Rgb(40, 30, 20));
  c.Fill(Path{{53.5, 63}, {55.5, 63}, {56, 67.5}, {53, 67.5}}, Rgb(40, 30, 20));
  c.Glaze(Rect(8, 86, 101, 92), Solid(Rgb(40, 25, 15)), 0.4);
  return c.Resolve(0.75);
}

// Dark basalt lit from the upper left, grainy and pitted, with moss creeping over the hollows.
Color RelicStone(double x, double y) {
  const double grain = Fractal(x / 7, y / 7, 2, 3), pit = Noise(x * 0.8, y * 0.8, 3);
  Color c = Mix(Rgb(70, 74, 72), Rgb(150, 150, 138), grain);
  if (pit > 0.78) c = Shade(c, 0.7);
  const double moss = Fractal(x / 14, y / 14, 17, 2);
  return Mix(c, Rgb(60, 105, 45), std::clamp((moss - 0.58) * 4, 0.0, 0.5));
}

// Stone shaded as a rounded mass centred on cx, half as wide as hw, darker toward its foot.
Paint Carved(double cx, double hw, double top, double bottom, double light = 1.0) {
  return [=](double x, double y) {
    const double u = (x - cx + 0.35 * hw) / (1.3 * hw), v = (y - top) / (bottom - top);
    return Shade(RelicStone(x, y), light * std::max(0.45, 1.2 - 0.9 * u * u - 0.25 * v));
  };
}

// A groove cut into the stone: a dark line with a lit lower lip.
void Groove(Canvas& c, const Path& line, double w) {
  c.Glaze(Ribbon(Shift(line, 0.6, 0.8), w, w), Solid(Rgb(190, 190, 170)), 0.35);
  c.Glaze(Ribbon(line, w, w), Solid(Rgb(15, 15, 18)), 0.75);
}

// A slab seen slightly from above: lit top face, front face, darker right side.
void Slab(Canvas& c, double x0, double x1, double y0, double y1, double lip) {
  c.Fill(Path{{x0 + lip, y0 - lip}, {x1 - lip, y0 - lip}, {x1, y0}, {x0, y0}},
         [](double x, double y) { return Shade(RelicStone(x, y), 1.25); });
  c.Fill(Rect(x0, y0, x1, y1), [=](double x, double y) {
    return Shade(RelicStone(x, y),
                 0.95 - 0.45 * (x - x0) / (x1 - x0) - 0.15 * (y - y0) / (y1 - y0));
  });
  c.Glaze(Rect(x0, y1 - 2, x1, y1), Solid(Rgb(20, 25, 25)), 0.5);
}

// A glow: a bright core fading into a coloured rim, over whatever stone lies beneath.
void Glow(Canvas& c, Vec at, double r, Color core, Color rim) {
  c.Glaze(Ellipse(at, r * 1.8, r * 1.8), Radial(at, r * 1.8, rim, Shade(rim, 0.6)), 0.25);
  c.Fill(Ellipse(at, r, r), Radial(at + Vec{-r * 0.25, -r * 0.25}, r * 1.1, core, rim));
}

// A horned idol squatting on a stepped plinth, clutching a glowing stone; its eyes burn red.
Image EvilRelicCell() {
  Canvas c(125, 122);
  const Color ink = Rgb(25, 25, 28), ember = Rgb(230, 40, 10), venom = Rgb(60, 230, 110);
  for (int side = -1; side <= 1; side += 2) {  // horns, ringed and curling up and out
    const auto at = [side](double x, double y) { return Vec{62.5 + side * x, y}; };
    const Path horn = SmoothOpen({at(26, 26), at(40, 20), at(50, 10), at(48, 1)}, 6);
    c.Fill(Tube(horn, [](double t) { return 12 * (1 - t) + 1.6; }), ink);
    c.Fill(Tube(horn, [](double t) { return 10 * (1 - t) + 0.6; }), [side](double x, double y) {
      const double ring = 0.5 + 0.5 * std::sin((x * side * 0.8 - y * 0.9));
      return Shade(Mix(Rgb(150, 140, 115), Rgb(95, 88, 70), y / 30), 0.8 + 0.3 * ring);
    });
  }
  Slab(c, 4, 121, 108, 122, 4);
  Slab(c, 16, 109, 97, 108, 4);
  for (int i = 0; i < 9; ++i) {  // runes cut into the lower slab, glowing from within
    const double x = 12 + i * 11.5;
    const Path rune = i % 3 == 0   ? Path{{x, 119}, {x + 2, 112}, {x + 4, 119}}
                      : i % 3 == 1 ? Path{{x, 112}, {x + 4, 115}, {x, 119}}
                                   : Path{{x + 2, 112}, {x + 2, 119}, {x + 4, 116}};
    c.Fill(Ribbon(SmoothOpen(rune, 2), 1.8, 1.8), Mix(venom, Rgb(20, 60, 30), i / 12.0));
  }
  const Path body = SmoothClosed({{30, 98}, {27, 72}, {35, 52}, {90, 52}, {98, 72}, {95, 98}}, 6);
  c.Fill(Apply(body, Affine::Stretch(1.04, 1.03, {62.5, 80})), ink);
  c.Fill(body, Carved(62.5, 36, 52, 98, 0.75));
  Groove(c, {{40, 98}, {44, 90}, {81, 90}, {85, 98}}, 1.2);  // the crossed legs' outline
  const Path head = SmoothClosed(
      {{32, 58}, {28, 34}, {36, 14}, {62.5, 6}, {89, 14}, {97, 34}, {93, 58}, {62.5, 66}}, 6);
  c.Fill(Apply(head, Affine::Stretch(1.04, 1.04, {62.5, 36})), ink);
  c.Fill(head, Carved(62.5, 34, 6, 66));
  // heavy brow over deep, slanted sockets
  c.Fill(Ribbon(SmoothOpen({{32, 24}, {50, 31}, {62.5, 35}, {75, 31}, {93, 24}}, 5), 7, 7),
         [](double x, double y) { return Shade(RelicStone(x, y), 1.15); });
  for (int side = -1; side <= 1; side += 2) {
    const Vec e = {62.5 + side * 15.0, 40};
    c.Fill(Ellipse(e, 10, 6.5, side * 0.35), Rgb(14, 10, 12));
    Glow(c, e + Vec{side * 1.0, 0.5}, 4.2, Rgb(255, 240, 160), ember);
    c.Fill(Ellipse(e + Vec{side * 1.0, 0.5}, 0.9, 3.2), Rgb(40, 5, 5));  // slit pupils
  }
  c.Fill(Path{{62.5, 36}, {56, 50}, {69, 50}},
         [](double x, double y) { return Shade(RelicStone(x, y), x < 62.5 ? 1.15 : 0.75); });
  for (int side = -1; side <= 1; side += 2) {
    c.Fill(Ellipse({62.5 + side * 3.0, 49}, 2, 1.2), Rgb(20, 15, 15));
  }
  // a wide grimace full of fangs
  const Path mouth =
      SmoothClosed({{43, 53}, {62.5, 56}, {82, 53}, {76, 61}, {62.5, 63}, {49, 61}}, 4);
  c.Fill(mouth, Rgb(30, 8, 10));
  c.Glaze(Ellipse({62.5, 59}, 12, 3), Solid(Rgb(140, 20, 20)), 0.5);
  const Color fang = Rgb(215, 205, 170);
  for (int i = 0; i < 7; ++i) {
    const double x = 48 + i * 4.8, y = 54 + 1.2 * std::sin(kPi * i / 6), len = i % 3 == 0 ? 7 : 3.5;
    c.Fill(Path{{x - 1.7, y - 0.5}, {x + 1.7, y - 0.5}, {x, y + len}}, fang);
  }
  for (int i = 0; i < 4; ++i) {
    const double x = 52 + i * 7.0;
    c.Fill(Path{{x - 1.5, 62.5}, {x + 1.5, 62.5}, {x, 58.5}}, Shade(fang, 0.85));
  }
  // a third eye carved in the forehead, glowing like the stone in its claws
  Groove(c, Ellipse({62.5, 20}, 6, 4, 0, 24), 1.2);
  Glow(c, {62.5, 20}, 2.2, Rgb(230, 255, 220), venom);
  // arms folded over the belly; the claws meet round the glowing stone
  const Paint arm = Carved(62.5, 40, 52, 98, 1.15);
  for (int side = -1; side <= 1; side += 2) {
    const auto at = [side](double x, double y) { return Vec{62.5 + side * x, y}; };
    const Path joints = {at(28, 62), at(31, 80), at(13, 86)};
    c.Fill(Ribbon(SmoothOpen(joints, 4), 11.5, 9.5), ink);
    c.Fill(Ribbon(SmoothOpen(joints, 4), 9, 7), arm);
    c.Fill(Ellipse(at(28, 62), 7, 7), ink);
    c.Fill(Ellipse(at(28, 62), 5.8, 5.8), arm);
  }
  Glow(c, {62.5, 82}, 7, Rgb(235, 255, 230), venom);
  for (int side = -1; side <= 1; side += 2) {
    for (int k = 0; k < 3; ++k) {
      const Vec base = {62.5 + side * 10.0, 77.0 + k * 4.5};
      c.Fill(Path{base + Vec{0, -1.6}, base + Vec{0, 1.6}, base + Vec{-side * 6.5, 0.4 * k - 0.6}},
             ink);
      c.Fill(Path{base + Vec{0, -1}, base + Vec{0, 1}, base + Vec{-side * 5.2, 0.4 * k - 0.6}},
             Rgb(150, 140, 120));
    }
  }
  // cracks, and shells grown on the foot of the plinth
  Groove(c, {{84, 14}, {80, 20}, {83, 25}, {78, 30}}, 0.9);
  Groove(c, {{36, 60}, {40, 68}, {37, 76}, {41, 84}}, 0.9);
  Groove(c, {{98, 97}, {94, 103}, {97, 108}, {93, 114}, {95, 120}}, 0.9);
  Rng rng(23);
  for (int i = 0; i < 9; ++i) {
    const Vec p = {rng.Range(6, 119), rng.Range(117, 121)};
    const double r = rng.Range(1.4, 2.6);
    c.Fill(Ellipse(p, r, r * 0.8), Rgb(170, 160, 140));
    c.Fill(Ellipse(p + Vec{0, -0.3}, r * 0.45, r * 0.35), Rgb(60, 55, 50));
  }
  return c.Resolve(0.75);
}

constexpr Vec kDialCentre = {53, 69};

// Cell 0: the pocket watch with its light dial; cell 1: the glass and bezel laid over the hands,
// pure black (transparent) wherever a hand can reach.
Image WatchCell(int cell) {
  Canvas c(110, 126);
  const Vec o = kDialCentre;
  const Paint gold = [o](double x, double y) {
    const double l =
        std::exp(-((x - o.x + 18) * (x - o.x + 18) + (y - o.y + 22) * (y - o.y + 22)) / 500.0);
    return Mix(Rgb(170, 120, 30), Rgb(255, 235, 140),
               l + 0.2 * std::sin(std::atan2(y - o.y, x - o.x) * 3));
  };
  if (cell == 0) {
    c.Fill(Ribbon(SmoothOpen({{53, 16}, {80, 8}, {100, 20}, {106, 40}}, 6), 3, 3),
           Rgb(200, 160, 60));                                                       // chain
    c.Fill(Tube(Ellipse({53, 14}, 9, 9, 0, 24), [](double) { return 4.0; }), gold);  // bow
    c.Fill(Rect(47, 20, 59, 30), gold);                                              // crown
    c.Fill(Ellipse(o, 45, 45), gold);
    c.Fill(Ellipse(o, 36, 36),
           Radial(o + Vec{-8, -10}, 44, Rgb(255, 252, 240), Rgb(225, 215, 190)));
    for (int h = 0; h < 12; ++h) {
      const double a = h * kPi / 6;
      const Vec d = {std::sin(a), -std::cos(a)};
      const double inner = h % 3 == 0 ? 27 : 30;
      c.Fill(Ribbon({o + d * inner, o + d * 34}, h % 3 == 0 ? 2.4 : 1.4, h % 3 == 0 ? 2.4 : 1.4),
             Rgb(40, 40, 60));
    }
    c.Fill(Ellipse(o, 1.8, 1.8), Rgb(40, 40, 60));
  } else {
    c.Fill(Ellipse(o, 45, 45), gold);
    c.Erase(Ellipse(o, 36, 36));
    c.Fill(
        Ribbon(SmoothOpen({o + Vec{-33, -6}, o + Vec{-30, -18}, o + Vec{-20, -29}}, 4), 2.2, 1.2),
        Rgb(250, 250, 255));
    c.Erase(Ellipse(o, 26.5, 26.5));
  }
  return c.Resolve(0.8);
}

}  // namespace

void AddCentrepiecePictures(std::vector<Picture>& out) {
  out.push_back({"a_treasure.bmp", [] { return MakeSheet(109, 94, 4, TreasureCell, true); }});
  out.push_back({"a_evilrelic.bmp", [] {
                   return MakeSheet(
                       125, 122, 1, [](int) { return EvilRelicCell(); }, false);
                 }});
  out.push_back({"a_watch.bmp", [] { return MakeSheet(110, 126, 2, WatchCell, false); }});
}

}  // namespace mediagen
