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

Image EvilRelicCell() {
  Canvas c(125, 122);
  const Paint stone = [](double x, double y) {
    const double moss = Noise(x * 0.08, y * 0.08, 17);
    return Mix(Mix(Rgb(110, 105, 95), Rgb(160, 150, 130), Noise(x * 0.3, y * 0.3, 2)),
               Rgb(70, 110, 50), moss > 0.6 ? 0.6 : 0.0);
  };
  c.Fill(Rect(20, 106, 105, 122), stone);
  c.Fill(SmoothClosed({{30, 108}, {26, 40}, {36, 12}, {62, 4}, {88, 12}, {98, 40}, {94, 108}}, 5),
         stone);
  // brow, glowing eyes, flat nose and a grimace of teeth
  c.Fill(Rect(30, 34, 94, 42), Shade(Rgb(120, 112, 100), 0.8));
  for (int side = -1; side <= 1; side += 2) {
    const Vec e = {62 + side * 16.0, 52};
    c.Fill(Ellipse(e, 11, 8), Rgb(30, 20, 20));
    c.Fill(Ellipse(e, 6, 5), Radial(e, 7, Rgb(255, 240, 120), Rgb(230, 30, 10)));
  }
  c.Fill(Path{{62, 50}, {54, 76}, {70, 76}}, Shade(Rgb(130, 120, 105), 0.75));
  c.Fill(SmoothClosed({{38, 84}, {86, 84}, {80, 100}, {44, 100}}, 3), Rgb(40, 25, 25));
  for (int i = 0; i < 7; ++i) {
    c.Fill(Path{{42 + i * 6.0, 84}, {48 + i * 6.0, 84}, {45 + i * 6.0, 92}}, Rgb(230, 225, 200));
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
