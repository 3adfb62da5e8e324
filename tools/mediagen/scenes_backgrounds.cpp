// The four background scenes and the palette picture. Each scene is designed on a 640 x 480
// grid and painted at whatever size its canvas has (full size, or the dialog's preview).
#include <cmath>

#include "mediagen/pictures.h"

namespace mediagen {

namespace {

// Maps a design grid (640 x 480 for a whole scene) onto the canvas: paths forward, paints back.
struct Design {
  Affine to_canvas, to_design;
  Path operator()(const Path& p) const { return Apply(p, to_canvas); }
  Paint operator()(const Paint& p) const {
    const Affine back = to_design;
    return [p, back](double x, double y) {
      const Vec q = back({x, y});
      return p(q.x, q.y);
    };
  }
  // A grid of its own inside this one: its point `from` lands on `to`, scaled by k.
  Design Inner(Vec from, double k, Vec to) const {
    return {Affine::Move(-from.x, -from.y)
                .Then(Affine::Stretch(k, k))
                .Then(Affine::Move(to.x, to.y))
                .Then(to_canvas),
            to_design.Then(Affine::Move(-to.x, -to.y))
                .Then(Affine::Stretch(1 / k, 1 / k))
                .Then(Affine::Move(from.x, from.y))};
  }
};

// The water's colour at depth y, without the play of light near the surface.
Color Depth(Color top, Color bottom, double y) {
  return Mix(top, bottom, std::pow(y / 480, 0.8));
}

void Water(Canvas& c, const Design& d, Color top, Color bottom, int seed) {
  c.Fill(d(Rect(0, 0, 640, 480)), d([=](double x, double y) {
           const double caustic = 0.06 * (Fractal(x / 40, y / 25, seed, 3) - 0.5) * (1 - y / 480);
           return Shade(Depth(top, bottom, y), 1 + caustic);
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

// A kelp plant rising from the floor at x: a stalk that bows with the current, and broad
// ruffled blades at uneven spacing, each on a float, streaming away to the right. A tall plant
// spreads a canopy of longer blades where it meets the surface. `size` scales the blades.
void Kelp(Canvas& c, const Design& d, double x, double height, double lean, double size, Color leaf,
          int seed) {
  Rng rng(seed);
  Path stalk;
  const double bow = rng.Range(-25, 25), phase = rng.Range(0, 6);
  for (int k = 0; k <= 12; ++k) {
    const double t = k / 12.0;
    stalk.push_back({x + lean * t * t + bow * std::sin(t * kPi) + 6 * std::sin(t * 5 + phase),
                     480 - height * t});
  }
  const Path line = SmoothOpen(stalk, 6);
  const int n = static_cast<int>(line.size());
  c.Fill(d(Tube(line, [size](double t) { return size * (5 - 2.5 * t); })),
         d(Solid(Shade(leaf, 0.6))));
  const auto blade = [&](Vec at, double len, double w, double angle) {
    // out along `angle`, then the current bends it over to the right and lets its tip sag
    const Vec dir = {std::cos(angle), std::sin(angle)};
    const Path rib = SmoothOpen({at, at + dir * (len * 0.3) + Vec{len * 0.05, 0},
                                 at + dir * (len * 0.5) + Vec{len * 0.3, len * 0.02},
                                 at + dir * (len * 0.55) + Vec{len * 0.65, len * 0.12}},
                                8);
    const double ruffle = rng.Range(0, 6);
    const auto width = [w, ruffle](double t) {
      return w * std::sin(kPi * std::pow(t, 0.45)) * (1 + 0.12 * std::sin(t * 30 + ruffle)) + 0.8;
    };
    const Color lit = Shade(leaf, rng.Range(0.7, 0.85) + 0.35 * (1 - at.y / 480));  // up: brighter
    c.Fill(d(Tube(rib, width)), d(Linear(at, Shade(lit, 0.7), rib.back(), Shade(lit, 1.1))));
    c.Glaze(d(Tube(rib, [&width](double t) { return width(t) * 0.55; })),
            d(Solid(Shade(lit, 1.25))), 0.35);  // the thin sunlit middle of the blade
    c.Fill(d(Ellipse(at, 2.4 * size, 2 * size)), d(Solid(Shade(lit, 1.15))));
  };
  double along = rng.Range(0.1, 0.2);
  for (int k = 0; along < 0.92; ++k, along += rng.Range(0.08, 0.16)) {
    // every blade streams downstream; they part from the stalk at angles of their own
    const Vec at = line[static_cast<int>(along * (n - 1))];
    const double grow = size * (1.1 - 0.4 * along), rise = k % 2 ? 0.35 : 0.9;
    blade(at, rng.Range(50, 80) * grow, rng.Range(11, 15) * grow,
          -kPi / 2 + rise + rng.Range(-0.2, 0.25));
  }
  if (height > 440) {  // the canopy at the surface
    for (int k = 0; k < 4; ++k) {
      blade(line[n - 1 - k * n / 14], rng.Range(70, 100) * size, rng.Range(13, 17) * size,
            rng.Range(-0.5, 0.2));
    }
  }
}

void MuddyWaters(Canvas& c, const Design& d) {
  const Color haze = Rgb(30, 95, 100), top = Rgb(80, 175, 170), bottom = Rgb(10, 45, 55);
  Water(c, d, top, bottom, 4);
  Rays(c, d, Rgb(210, 250, 235), 5, 5);
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
        Rgb(35, 70, 65), haze, 0.5);
  Rng rng(6);
  // a far stand in shadow, darker than the water it stands in, then the near plants in clumps
  // of their own, tall ones that reach the surface among shorter ones
  for (int i = 0; i < 9; ++i) {
    const double x = i * 75 + rng.Range(-25, 25);
    Kelp(c, d, x, rng.Range(200, 420), rng.Range(-20, 40), 0.85, Rgb(28, 62, 48), 40 + i);
  }
  c.Glaze(d(Rect(0, 0, 640, 480)), d([=](double, double y) { return Depth(top, bottom, y); }),
          0.35);
  struct Plant {
    double x, height, lean, size;
  };
  for (const Plant& p :
       {Plant{20, 470, 30, 1.0}, Plant{95, 250, 10, 0.9}, Plant{150, 380, -20, 1.05},
        Plant{290, 500, 40, 1.1}, Plant{335, 190, 15, 0.85}, Plant{455, 330, -25, 1.0},
        Plant{530, 480, 20, 1.05}, Plant{600, 260, -10, 0.9}}) {
    Kelp(c, d, p.x, p.height, p.lean, p.size, Rgb(125, 130, 45), static_cast<int>(p.x) + 7);
  }
  Floor(c, d, 440, Rgb(150, 130, 90), haze, 7);
  for (int i = 0; i < 120; ++i) {  // a little drifting silt
    const double x = rng.Range(0, 640), y = rng.Range(0, 480), r = rng.Range(0.6, 1.4);
    c.Glaze(d(Ellipse({x, y}, r, r, 0, 8)), d(Solid(Rgb(190, 220, 200))), 0.25);
  }
}

// Weathered rock: a bumpy height field lit from the upper left, with faint strata, on top of
// the shading `form` that gives the mass its shape.
Color Rock(double x, double y, Color dark, Color light, double form, int seed) {
  const double h = Fractal(x / 16, y / 16, seed, 4);
  const double lit = h - Fractal((x + 2) / 16, (y + 2) / 16, seed, 4);
  const double strata = 0.07 * std::sin(y / 5 + 4 * Noise(x / 50, y / 50, seed + 7));
  return Shade(Mix(dark, light, h), std::max(0.15, form + 2.2 * lit + strata));
}

// A closed smooth outline roughened along its length, except where it runs along the bottom
// (below `floor`).
Path Craggy(const Path& smooth, double amount, int seed, double floor = 470) {
  Path out = smooth;
  const int n = static_cast<int>(out.size());
  for (int i = 0; i < n; ++i) {
    const Vec a = smooth[(i + n - 1) % n], b = smooth[(i + 1) % n];
    Vec nrm = {b.y - a.y, a.x - b.x};
    const double len = std::hypot(nrm.x, nrm.y);
    if (len == 0 || smooth[i].y > floor) continue;
    nrm = nrm * (1 / len);
    out[i] = out[i] + nrm * (amount * (Fractal(i / 5.0, 0.5, seed, 3) - 0.5));
  }
  return out;
}

void SkullMountain(Canvas& c, const Design& d) {
  const Color haze = Rgb(40, 50, 110), top = Rgb(80, 110, 190), bottom = Rgb(15, 10, 45);
  Water(c, d, top, bottom, 8);
  Rays(c, d, Rgb(200, 210, 255), 6, 9);
  const Path far_hills = Craggy(SmoothClosed({{-20, 480},
                                              {0, 360},
                                              {90, 320},
                                              {160, 380},
                                              {480, 380},
                                              {560, 300},
                                              {660, 340},
                                              {660, 480}},
                                             12),
                                12, 5);
  c.Fill(d(far_hills), d([haze](double x, double y) {
           return Mix(Rock(x, y, Rgb(35, 35, 65), Rgb(80, 80, 120), 0.9, 21), haze, 0.65);
         }));
  // the mountain: a cranium of weathered rock lit from the upper left, shadowed on its right.
  // It is drawn on a grid of its own and set well back, small and right of the middle, so
  // that its face stays clear of the centrepieces and pillars that stand in mid-scene and the
  // water's haze softens it; its flanks run on down to the sea floor.
  const double k = 0.5;
  const Design sk = d.Inner({330, 105}, k, {480, 160});
  const Vec centre = {330, 300};
  // temples sunk in shadow, cheekbones standing out below the eyes
  const auto bump = [](double x, double y, Vec at, double rx, double ry) {
    return std::exp(-std::pow((x - at.x) / rx, 2) - std::pow((y - at.y) / ry, 2));
  };
  const Paint rock = [centre, bump, k](double x, double y) {
    const double u = (x - centre.x) / 165, v = (y - 105) / 375;
    double form = 1.15 - 0.45 * (u + 0.3) * (u + 0.3) - 0.35 * v - 0.15 * u;
    for (int side = -1; side <= 1; side += 2) {
      form -= 0.3 * bump(x, y, {330 + side * 150.0, 260}, 24, 55);
      form += (side < 0 ? 0.3 : 0.12) * bump(x, y, {330 + side * 95.0, 318}, 36, 11);
      form -= 0.35 * bump(x, y, {330 + side * 62.0, 258}, 58, 50);  // hollows round the eyes
      form += (side < 0 ? 0.35 : 0.15) * bump(x, y, {330 + side * 62.0, 206}, 46, 9);  // brow
    }
    // the grain is the scene's, not this smaller grid's, so the stone is not finer than the hills
    return Rock(x * k, y * k, Rgb(55, 52, 72), Rgb(150, 142, 150), form, 12);
  };
  const Path cranium = Craggy(SmoothClosed({{-90, 720},
                                            {-40, 590},
                                            {70, 500},
                                            {145, 420},
                                            {160, 330},
                                            {175, 210},
                                            {240, 130},
                                            {330, 105},
                                            {420, 130},
                                            {480, 210},
                                            {495, 330},
                                            {515, 420},
                                            {600, 500},
                                            {720, 590},
                                            {770, 720}},
                                           16),
                              14, 3, 700);
  c.Fill(sk(cranium), sk(rock));
  // eye sockets: deep hollows, darkest at their back, under an overhanging brow
  for (int side = -1; side <= 1; side += 2) {
    const Vec e = {330 + side * 62.0, 255};
    c.Fill(sk(Craggy(Ellipse(e, 44, 38, side * 0.25, 48), 6, 8 + side)),
           sk(Radial(e + Vec{side * 4.0, 6}, 46, Rgb(6, 6, 18), Rgb(28, 25, 45))));
    c.Glaze(sk(Ellipse(e + Vec{0, 8}, 20, 16)),
            sk(Radial(e + Vec{0, 8}, 20, Rgb(110, 200, 150), Rgb(20, 30, 45))), 0.2);
    c.Fill(sk(Craggy(Ribbon(SmoothOpen({e + Vec{-48, -18}, e + Vec{-10, -42}, e + Vec{30, -40},
                                        e + Vec{48, -22}},
                                       8),
                            14, 10),
                     5, 9 + side)),
           sk(rock));
    c.Glaze(
        sk(Ribbon(SmoothOpen({e + Vec{-40, -16}, e + Vec{-6, -34}, e + Vec{38, -20}}, 8), 6, 4)),
        sk(Solid(Rgb(15, 12, 30))), 0.45);  // the brow's shadow inside the socket
  }
  // the nose: a ragged hollow that narrows upward
  const Path nose = Craggy(SmoothClosed({{330, 292},
                                         {346, 326},
                                         {352, 348},
                                         {334, 342},
                                         {330, 350},
                                         {326, 342},
                                         {308, 348},
                                         {314, 326}},
                                        6),
                           3, 4);
  c.Fill(sk(nose), sk(Linear({330, 292}, Rgb(40, 36, 62), {330, 350}, Rgb(10, 9, 25))));
  // a grin of big worn stone teeth, some chipped, an upper row over a lower one
  c.Fill(
      sk(SmoothClosed({{222, 362}, {330, 352}, {438, 362}, {430, 392}, {330, 420}, {230, 392}}, 5)),
      sk(Solid(Rgb(12, 10, 26))));
  const auto tooth = [&](double x, double top, double bottom, double w, bool upper, int k) {
    const double tip = upper ? bottom : top, root = upper ? top : bottom;
    const double chip = (k * 7) % 5 == 0 ? 5 : 0;  // a corner broken off
    c.Fill(sk(SmoothClosed({{x - w / 2, root},
                            {x + w / 2, root},
                            {x + w / 2 - 1, tip + (upper ? -5 - chip : 5 + chip)},
                            {x + w / 4, tip + (upper ? -chip : chip)},
                            {x - w / 4, tip},
                            {x - w / 2 + 1, tip + (upper ? -5 : 5)}},
                           3)),
           sk([x, w, root, tip](double px, double py) {  // smooth old bone, no grain
             const double across = (px - x) / w, along = (py - root) / (tip - root);
             return Shade(Rgb(165, 158, 140),
                          1.05 - 0.6 * std::abs(across + 0.15) - 0.15 * (1 - along));
           }));
  };
  for (int i = 0; i < 9; ++i) {
    const double x = 246 + i * 21.0, sag = 8 * std::sin(kPi * i / 8);
    tooth(x, 358 + sag * 0.3, 386 + sag - (i == 6 ? 8 : 0), 18, true, i);
  }
  for (int i = 0; i < 8; ++i) {
    const double x = 256 + i * 21.0, sag = 8 * std::sin(kPi * (i + 0.5) / 8);
    tooth(x, 392 + sag, 412 + sag * 0.6, 17, false, i + 3);
  }
  // the water between lays its own colour over the mountain, teeth and all
  c.Glaze(sk(cranium), d([=](double, double y) { return Depth(top, bottom, y); }), 0.45);
  Floor(c, d, 430, Rgb(120, 115, 130), haze, 10);
  // boulders fallen round its foot
  Rng rng(17);
  for (int i = 0; i < 9; ++i) {
    const Vec b = {rng.Range(140, 520), rng.Range(440, 470)};
    const double r = rng.Range(10, 24);
    c.Fill(d(Craggy(Ellipse(b, r, r * 0.6, 0, 24), r * 0.3, 40 + i)), d([b, r](double x, double y) {
             const double form = 1.1 - 0.5 * ((x - b.x) / r + 0.4) - 0.4 * (y - b.y) / r;
             return Rock(x, y, Rgb(50, 48, 70), Rgb(135, 128, 140), form, 50);
           }));
  }
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
  const double sx = c.width() / 640.0, sy = c.height() / 480.0;
  const Design d{Affine::Stretch(sx, sy), Affine::Stretch(1 / sx, 1 / sy)};
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
