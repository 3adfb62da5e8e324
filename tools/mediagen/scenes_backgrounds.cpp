// The four background scenes and the palette picture. Each scene is designed on a 640 x 480
// grid and painted at whatever size its canvas has (full size, or the dialog's preview).
#include <cmath>

#include "mediagen/pictures.h"

namespace mediagen {

namespace {

// Maps the 640 x 480 design grid onto the canvas.
struct Design {
  double sx, sy;
  Path operator()(const Path& p) const { return Apply(p, Affine::Stretch(sx, sy)); }
  Paint operator()(const Paint& p) const {
    const double kx = sx, ky = sy;
    return [p, kx, ky](double x, double y) { return p(x / kx, y / ky); };
  }
};

void Water(Canvas& c, const Design& d, Color top, Color bottom, int seed) {
  c.Fill(d(Rect(0, 0, 640, 480)), d([=](double x, double y) {
           const double t = y / 480;
           const double caustic = 0.06 * (Fractal(x / 40, y / 25, seed, 3) - 0.5) * (1 - t);
           return Shade(Mix(top, bottom, std::pow(t, 0.8)), 1 + caustic);
         }));
}

void Rays(Canvas& c, const Design& d, Color light, int count, int seed) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    const double x = rng.Range(-40, 640), w = rng.Range(15, 45), lean = rng.Range(60, 160);
    c.Glaze(d(Path{{x, 0}, {x + w, 0}, {x + w * 2.5 + lean, 480}, {x + lean, 480}}),
            d(Solid(light)), 0.06 + 0.05 * rng.Next());
  }
}

// A silhouette whose colour fades into the water with distance.
void Ridge(Canvas& c, const Design& d, const Path& shape, Color near, Color haze, double far) {
  c.Fill(d(shape), d([=](double x, double y) {
           return Mix(Shade(near, 0.85 + 0.3 * Noise(x / 30, y / 30, 3)), haze, far);
         }));
}

void Floor(Canvas& c, const Design& d, double y0, Color sand, Color haze, int seed) {
  Path floor = {{0, 480}};
  for (int i = 0; i <= 32; ++i)
    floor.push_back({i * 20.0, y0 + 12 * std::sin(i * 0.7 + seed) + 6 * Noise(i, 0, seed)});
  floor.push_back({640, 480});
  c.Fill(d(floor), d([=](double x, double y) {
           const double ripple = 0.5 + 0.5 * std::sin(x / 9 + 3 * Noise(x / 60, y / 20, seed));
           return Mix(Shade(sand, 0.85 + 0.2 * ripple), haze,
                      std::clamp((480 - y) / 200, 0.0, 0.6));
         }));
}

void ArchWay(Canvas& c, const Design& d) {
  const Color haze = Rgb(30, 90, 140);
  Water(c, d, Rgb(70, 170, 210), Rgb(10, 40, 90), 1);
  Rays(c, d, Rgb(220, 250, 255), 9, 2);
  Ridge(c, d,
        SmoothClosed(
            {{-20, 480}, {40, 330}, {120, 300}, {200, 340}, {260, 320}, {330, 360}, {340, 480}}, 6),
        Rgb(40, 80, 120), haze, 0.55);
  // the arch: an outer hull with the opening cut out of it
  Path arch = SmoothOpen({{250, 480},
                          {240, 330},
                          {275, 200},
                          {360, 140},
                          {450, 150},
                          {530, 215},
                          {560, 330},
                          {575, 480}},
                         8);
  Path hole = SmoothOpen(
      {{510, 480}, {500, 340}, {470, 250}, {410, 215}, {350, 235}, {315, 320}, {310, 480}}, 8);
  arch.insert(arch.end(), hole.begin(), hole.end());
  Ridge(c, d, arch, Rgb(70, 75, 95), haze, 0.25);
  c.Glaze(d(SmoothClosed({{275, 205}, {360, 146}, {450, 156}, {380, 170}, {300, 230}}, 5)),
          d(Solid(Rgb(160, 210, 230))), 0.35);
  Floor(c, d, 420, Rgb(200, 185, 140), haze, 3);
}

void MuddyWaters(Canvas& c, const Design& d) {
  const Color haze = Rgb(70, 80, 45);
  Water(c, d, Rgb(130, 140, 80), Rgb(35, 40, 20), 4);
  Rays(c, d, Rgb(220, 220, 150), 5, 5);
  Ridge(c, d,
        SmoothClosed({{-20, 480},
                      {30, 360},
                      {150, 380},
                      {280, 340},
                      {420, 380},
                      {560, 330},
                      {660, 370},
                      {660, 480}},
                     6),
        Rgb(60, 60, 35), haze, 0.5);
  Rng rng(6);
  for (int i = 0; i < 14; ++i) {  // reeds in the murk
    const double x = rng.Range(0, 640), h = rng.Range(80, 200);
    Path reed;
    for (int k = 0; k <= 8; ++k)
      reed.push_back({x + 12 * std::sin(k * 0.5 + i) * k / 8, 470 - h * k / 8});
    c.Fill(d(Ribbon(reed, 7, 2)), d(Solid(Mix(Rgb(40, 50, 20), haze, 0.4))));
  }
  Floor(c, d, 440, Rgb(110, 90, 55), haze, 7);
  for (int i = 0; i < 500; ++i) {  // drifting silt
    const double x = rng.Range(0, 640), y = rng.Range(0, 480), r = rng.Range(0.6, 1.8);
    c.Glaze(d(Ellipse({x, y}, r, r, 0, 8)), d(Solid(Rgb(190, 180, 120))), 0.35);
  }
}

void SkullMountain(Canvas& c, const Design& d) {
  const Color haze = Rgb(40, 50, 110);
  Water(c, d, Rgb(80, 110, 190), Rgb(15, 10, 45), 8);
  Rays(c, d, Rgb(200, 210, 255), 6, 9);
  Ridge(c, d,
        SmoothClosed({{-20, 480},
                      {0, 360},
                      {90, 320},
                      {160, 380},
                      {480, 380},
                      {560, 300},
                      {660, 340},
                      {660, 480}},
                     6),
        Rgb(45, 45, 80), haze, 0.5);
  // the mountain: a cranium with a jaw of rock teeth
  const Paint bone = [](double x, double y) {
    return Mix(Rgb(120, 115, 130), Rgb(60, 55, 80),
               std::clamp((y - 120) / 320 + 0.3 * Noise(x / 25, y / 25, 12), 0.0, 1.0));
  };
  c.Fill(d(SmoothClosed({{170, 480},
                         {160, 330},
                         {175, 210},
                         {240, 130},
                         {330, 105},
                         {420, 130},
                         {480, 210},
                         {495, 330},
                         {480, 480}},
                        8)),
         d(bone));
  for (int side = -1; side <= 1; side += 2) {
    c.Fill(d(Ellipse({330 + side * 62.0, 255}, 42, 36, side * 0.25)), d(Solid(Rgb(12, 10, 25))));
    c.Glaze(d(Ellipse({330 + side * 62.0, 260}, 12, 10)), d(Solid(Rgb(120, 200, 160))), 0.3);
  }
  c.Fill(d(Path{{330, 295}, {310, 345}, {350, 345}}), d(Solid(Rgb(15, 12, 30))));
  // a grin of big worn teeth, ivory against the dark rock, upper row over a lower one
  c.Fill(
      d(SmoothClosed({{222, 362}, {330, 352}, {438, 362}, {430, 392}, {330, 420}, {230, 392}}, 5)),
      d(Solid(Rgb(15, 12, 30))));
  const auto tooth = [&](double x, double top, double bottom, double w, bool upper) {
    const double tip = upper ? bottom : top, root = upper ? top : bottom;
    c.Fill(d(SmoothClosed({{x - w / 2, root},
                           {x + w / 2, root},
                           {x + w / 2 - 1, tip + (upper ? -5 : 5)},
                           {x + w / 4, tip},
                           {x - w / 4, tip},
                           {x - w / 2 + 1, tip + (upper ? -5 : 5)}},
                          3)),
           d(Linear({x, root}, Rgb(165, 155, 135), {x + w / 3, tip}, Rgb(225, 215, 190))));
  };
  for (int i = 0; i < 9; ++i) {
    const double x = 246 + i * 21.0, sag = 8 * std::sin(kPi * i / 8);
    tooth(x, 358 + sag * 0.3, 386 + sag, 18, true);
  }
  for (int i = 0; i < 8; ++i) {
    const double x = 256 + i * 21.0, sag = 8 * std::sin(kPi * (i + 0.5) / 8);
    tooth(x, 392 + sag, 412 + sag * 0.6, 17, false);
  }
  Floor(c, d, 430, Rgb(120, 115, 130), haze, 10);
}

void TheReef(Canvas& c, const Design& d) {
  const Color haze = Rgb(40, 140, 200);
  Water(c, d, Rgb(90, 210, 240), Rgb(15, 70, 150), 11);
  Rays(c, d, Rgb(240, 255, 255), 11, 12);
  Rng rng(13);
  const Color tints[] = {Rgb(230, 90, 120), Rgb(250, 150, 60), Rgb(170, 90, 200), Rgb(240, 200, 80),
                         Rgb(80, 200, 150)};
  for (int layer = 0; layer < 2; ++layer) {
    const double far = layer == 0 ? 0.6 : 0.3;
    for (int i = 0; i < 16; ++i) {
      const double x = rng.Range(-20, 660), base = 420 + layer * 20 + rng.Range(-10, 10);
      const Color col = tints[static_cast<int>(rng.Range(0, 5))];
      if (i % 2 == 0) {  // branching coral
        for (int b = 0; b < 5; ++b) {
          const double a = -kPi / 2 + (b - 2) * 0.35,
                       len = rng.Range(40, 90) * (1 - layer * 0.2) + 30;
          Ridge(
              c, d,
              Ribbon(SmoothOpen({{x, base},
                                 {x + std::cos(a) * len * 0.5, base + std::sin(a) * len * 0.5 - 10},
                                 {x + std::cos(a) * len, base + std::sin(a) * len}},
                                4),
                     9, 4),
              col, haze, far);
        }
      } else {  // mound coral
        Ridge(c, d, Ellipse({x, base}, rng.Range(25, 55), rng.Range(18, 35)), col, haze, far);
      }
    }
  }
  Floor(c, d, 445, Rgb(235, 220, 170), haze, 14);
}

}  // namespace

void PaintBackground(Canvas& c, int which) {
  const Design d{c.width() / 640.0, c.height() / 480.0};
  switch (which) {
    case 1:
      ArchWay(c, d);
      break;
    case 2:
      MuddyWaters(c, d);
      break;
    case 3:
      SkullMountain(c, d);
      break;
    default:
      TheReef(c, d);
      break;
  }
}

void AddBackgroundPictures(std::vector<Picture>& out) {
  out.push_back({"a_palette.bmp", [] {
                   // a small true-colour swatch: only its pixel format matters
                   Image img(16, 16);
                   for (int y = 0; y < 16; ++y) {
                     for (int x = 0; x < 16; ++x) {
                       img.At(x, y) = {static_cast<std::uint8_t>(8 + x * 16),
                                       static_cast<std::uint8_t>(8 + y * 16),
                                       static_cast<std::uint8_t>(255 - x * 8 - y * 7)};
                     }
                   }
                   return img;
                 }});
  for (int n = 1; n <= 4; ++n) {
    out.push_back({"a_background" + std::to_string(n) + ".bmp", [n] {
                     Canvas c(640, 480, 2);
                     PaintBackground(c, n);
                     return c.Resolve(1.0);
                   }});
    out.push_back({"a_backgroundpreview" + std::to_string(n) + ".bmp", [n] {
                     Canvas c(197, 167, 3);
                     PaintBackground(c, n);
                     return c.Resolve(1.0);
                   }});
  }
}

}  // namespace mediagen
