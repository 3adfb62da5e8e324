// The centrepieces that are not people: the treasure chest, the evil relic and the pocket watch.
#include <cmath>

#include "mediagen/creatures.h"
#include "mediagen/pictures.h"

namespace mediagen {

namespace {

const Paint kWood = [](double x, double y) {
  return Mix(Rgb(95, 55, 25), Rgb(150, 95, 45), Noise(x * 0.6, y * 0.08, 31));
};

// The lid swings open over cells 0 to 3, showing the gold inside.
Image TreasureCell(int cell) {
  Canvas c(109, 94);
  const double open = cell / 3.0;
  const double hinge_y = 52, lid_h = 26 * std::cos(open * 1.2);
  if (cell > 0) {  // the gold heap glowing inside
    c.Fill(Rect(12, hinge_y - 8, 97, hinge_y + 4),
           Radial({54, hinge_y - 6}, 50, Rgb(255, 240, 140), Rgb(200, 140, 20)));
    Rng rng(5);
    for (int i = 0; i < 18; ++i) {
      const Vec p = {rng.Range(16, 93), rng.Range(hinge_y - 12, hinge_y)};
      c.Fill(Ellipse(p, 3.5, 2.5),
             Radial(p + Vec{-1, -1}, 4, Rgb(255, 250, 180), Rgb(210, 150, 20)));
    }
    c.Fill(Ellipse({40, hinge_y - 12}, 4, 4),
           Radial({39, hinge_y - 13}, 4, Rgb(255, 120, 140), Rgb(160, 0, 40)));
  }
  // lid: its back edge stays on the hinge, its front rises with the opening
  const double lift = 30 * open;
  c.Fill(SmoothClosed({{8, hinge_y - lift},
                       {8, hinge_y - lid_h - lift},
                       {54, hinge_y - lid_h - 8 - lift},
                       {101, hinge_y - lid_h - lift},
                       {101, hinge_y - lift}},
                      3),
         kWood);
  for (double x : {20.0, 88.0}) {
    c.Fill(Rect(x - 3, hinge_y - lid_h - 6 - lift, x + 3, hinge_y - lift), Rgb(200, 160, 60));
  }
  c.Fill(Rect(8, hinge_y, 101, 92), kWood);
  c.Fill(Rect(8, hinge_y, 101, 56), Rgb(200, 160, 60));
  for (double x : {20.0, 88.0}) c.Fill(Rect(x - 3, hinge_y, x + 3, 92), Rgb(200, 160, 60));
  c.Fill(Rect(48, 58, 61, 70), Rgb(220, 180, 70));
  c.Fill(Ellipse({54.5, 63}, 2, 2.5), Rgb(40, 30, 20));
  c.Glaze(Rect(8, 86, 101, 92), Solid(Rgb(40, 25, 15)), 0.5);
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
