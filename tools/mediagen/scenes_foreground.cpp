// The coral strip along the bottom of the screen, and the small preview pictures: the Display
// Properties loop and the settings dialog's introductory and foreground previews.
#include <cmath>

#include "mediagen/creatures.h"
#include "mediagen/pictures.h"

namespace mediagen {

namespace {

constexpr int kStripW = 784, kStripH = 247;

Paint Rock(int seed) {
  return [seed](double x, double y) {
    const double n = Fractal(x / 16, y / 16, seed, 3, kStripW / 16);
    return Mix(Rgb(70, 65, 80), Rgb(150, 135, 120), n);
  };
}

void Branching(Canvas& c, const Affine& m, Vec base, double h, Color col, int seed) {
  Rng rng(seed);
  for (int b = 0; b < 6; ++b) {
    const double a = -kPi / 2 + (b - 2.5) * 0.28 + rng.Range(-0.1, 0.1),
                 len = h * rng.Range(0.6, 1.0);
    const Vec mid = base + Vec{std::cos(a) * len * 0.5, std::sin(a) * len * 0.5};
    const Vec tip = base + Vec{std::cos(a * 1.1 + 0.15) * len, std::sin(a) * len};
    const Paint p = Linear(base, Shade(col, 0.6), tip, Shade(col, 1.25));
    c.Fill(Apply(Ribbon(SmoothOpen({base, mid, tip}, 5), h * 0.12, h * 0.06), m), p);
    c.Fill(Apply(Ribbon({mid, mid + Vec{(b % 2 ? 1 : -1) * len * 0.3, -len * 0.3}}, h * 0.07,
                        h * 0.04),
                 m),
           p);
    c.Fill(Apply(Ellipse(tip, h * 0.04, h * 0.04), m), Shade(col, 1.4));
  }
}

void Brain(Canvas& c, const Affine& m, Vec at, double rx, double ry, Color col) {
  c.Fill(Apply(Ellipse(at, rx, ry), m), [=](double x, double y) {
    const double groove = std::sin((x - at.x) * 0.9 + 3 * std::sin((y - at.y) * 0.35));
    const double light = 1.15 - 0.5 * (y - at.y + ry) / (2 * ry);
    return Shade(col, light * (groove > 0.55 ? 0.65 : 1.0));
  });
}

void Fan(Canvas& c, const Affine& m, Vec base, double h, Color col) {
  for (int k = 0; k < 9; ++k) {
    const double a = -kPi / 2 + (k - 4) * 0.17;
    const Vec tip = base + Vec{std::cos(a) * h, std::sin(a) * h};
    c.Fill(Apply(Ribbon(SmoothOpen({base, Lerp(base, tip, 0.5) + Vec{(k - 4) * 1.5, 0}, tip}, 5),
                        2.2, 1.2),
                 m),
           Shade(col, 0.8 + 0.05 * k));
  }
  for (int r = 1; r <= 4; ++r) {
    Path arc;
    for (int k = 0; k <= 12; ++k) {
      const double a = -kPi / 2 + (k - 6) * 0.12;
      arc.push_back(base + Vec{std::cos(a) * h * r / 4.5, std::sin(a) * h * r / 4.5});
    }
    c.Fill(Apply(Ribbon(arc, 1.2, 1.2), m), Shade(col, 0.9));
  }
}

void Tubes(Canvas& c, const Affine& m, Vec base, double h, Color col) {
  for (int k = 0; k < 4; ++k) {
    const double x = base.x + (k - 1.5) * h * 0.22, top = base.y - h * (0.6 + 0.13 * ((k * 7) % 4));
    c.Fill(Apply(Rect(x - h * 0.09, top, x + h * 0.09, base.y), m),
           Linear({x - h * 0.09, 0}, Shade(col, 1.2), {x + h * 0.09, 0}, Shade(col, 0.6)));
    c.Fill(Apply(Ellipse({x, top}, h * 0.09, h * 0.035), m), Shade(col, 0.35));
  }
}

void Weed(Canvas& c, const Affine& m, Vec base, double h, Color col, int seed) {
  for (int k = 0; k < 3; ++k) {
    Path s;
    for (int i = 0; i <= 10; ++i) {
      const double t = i / 10.0;
      s.push_back(base + Vec{k * 4.0 + 6 * std::sin(t * 5 + seed + k), -t * h * (0.7 + 0.15 * k)});
    }
    c.Fill(Apply(Ribbon(s, 5, 1.5), m),
           Linear(base, Shade(col, 0.6), base + Vec{0, -h}, Shade(col, 1.2)));
  }
}

}  // namespace

// Ornaments stand at fixed places on the strip: the anchor near x 67 to 143 (foot at y 160),
// the sea horse near x 107 to 147, the centrepiece around x 323 to 461 (foot near y 190),
// the crab at x 361 to 422 on the bottom, the clams on the rock at x 576 to 680, and the eyes
// in the dark hole at x 637 to 667, y 197 to 209. The coral keeps clear of those places.
void PaintCoral(Canvas& c, double scale, double dx, double dy) {
  const Affine m = Affine::Stretch(scale, scale).Then(Affine::Move(dx, dy));
  // the sea floor: sand from the left, over the whole width
  Path sand = {{0, 247}};
  for (int i = 0; i <= 28; ++i) sand.push_back({i * 28.0, 190 + 8 * std::sin(i * kPi / 7)});
  sand.push_back({784, 247});
  c.Fill(Apply(sand, m), [](double x, double y) {
    const double n = Fractal(x / 14, y / 14, 41, 3, kStripW / 14);
    return Shade(Mix(Rgb(200, 180, 130), Rgb(240, 225, 180), n), 0.75 + 0.3 * (y - 180) / 67);
  });
  // rock masses: under the anchor, the clams' ledges with the eyes' hole, and the edges
  c.Fill(
      Apply(SmoothClosed({{30, 215}, {45, 170}, {90, 158}, {140, 160}, {175, 185}, {185, 215}}, 5),
            m),
      Rock(1));
  c.Fill(Apply(SmoothClosed({{545, 230},
                             {560, 120},
                             {600, 106},
                             {615, 110},
                             {640, 90},
                             {690, 88},
                             {700, 146},
                             {720, 150},
                             {735, 230}},
                            5),
               m),
         Rock(2));
  c.Fill(Apply(Ellipse({652, 203}, 22, 14), m), Rgb(14, 12, 18));
  c.Fill(Apply(SmoothClosed({{-40, 230}, {-30, 120}, {0, 80}, {30, 110}, {40, 230}}, 5), m),
         Rock(3));
  // coral clumps between the ornaments
  Branching(c, m, {215, 195}, 110, Rgb(235, 100, 120), 1);
  Fan(c, m, {258, 200}, 95, Rgb(170, 80, 200));
  Brain(c, m, {190, 208}, 34, 20, Rgb(200, 170, 80));
  Tubes(c, m, {290, 215}, 70, Rgb(230, 140, 50));
  Weed(c, m, {305, 220}, 90, Rgb(60, 160, 80), 2);
  Branching(c, m, {500, 200}, 120, Rgb(250, 170, 60), 2);
  Brain(c, m, {478, 212}, 30, 18, Rgb(120, 190, 120));
  Fan(c, m, {530, 215}, 80, Rgb(240, 90, 90));
  Weed(c, m, {470, 222}, 70, Rgb(40, 140, 90), 5);
  Tubes(c, m, {760, 215}, 90, Rgb(150, 100, 210));
  Branching(c, m, {15, 205}, 120, Rgb(250, 120, 80), 3);
  Brain(c, m, {730, 222}, 30, 16, Rgb(220, 120, 160));
  Weed(c, m, {20, 225}, 80, Rgb(60, 160, 80), 9);
  Brain(c, m, {160, 230}, 26, 14, Rgb(120, 180, 200));
  Weed(c, m, {600, 232}, 60, Rgb(80, 170, 70), 4);
  Brain(c, m, {340, 235}, 18, 10, Rgb(230, 160, 120));
  Brain(c, m, {440, 236}, 16, 9, Rgb(180, 140, 210));
}

namespace {

// One cell of the Display Properties loop: everything moves with 2 pi f / 6, so the last cell
// leads straight back into the first.
Image PreviewLoopCell(int f) {
  Canvas c(152, 112, 3);
  const double ph = Phase(f, 6);
  c.Fill(Rect(0, 0, 152, 112), Linear({0, 0}, Rgb(80, 190, 230), {0, 112}, Rgb(15, 60, 130)));
  for (int i = 0; i < 4; ++i) {
    const double x = 10 + 40 * i;
    c.Glaze(Path{{x, 0}, {x + 12, 0}, {x + 40, 112}, {x + 22, 112}}, Solid(Rgb(230, 250, 255)),
            0.08);
  }
  // the strip's left part only: its right edge stops short of the eyes' dark hole, which
  // without the eyes in it would read as a flaw cut by the frame
  PaintCoral(c, 0.3, -30, 112 - 0.3 * kStripH);
  FishLook fish = Placed(YellowFishLook(), 0.9, 48, 22 + 3 * std::sin(ph));
  DrawFish(c, fish, ph);
  FishLook red = Placed(RedFishLook(), 0.7, 96, 42 - 2 * std::sin(ph + 1));
  DrawFish(c, red, ph + 2);
  for (int i = 0; i < 4; ++i) {  // bubbles rise one spacing per loop
    const double y = 110 - std::fmod(i * 28 + f * 28.0 / 6, 112.0);
    c.Fill(Ellipse({128 + 3 * std::sin(y * 0.2), y}, 2.2, 2.2), Rgb(200, 235, 255));
    c.Glaze(Ellipse({128 + 3 * std::sin(y * 0.2), y}, 1.3, 1.3), Solid(Rgb(60, 140, 200)), 0.8);
  }
  return c.Resolve(1.0);
}

Image ForegroundPreview() {
  Canvas c(197, 167, 3);
  c.Fill(Rect(0, 0, 197, 167), Linear({0, 0}, Rgb(60, 150, 200), {0, 167}, Rgb(15, 50, 110)));
  const double s = 197.0 / kStripW * 1.6;
  PaintCoral(c, s, -60, 167 - s * kStripH);
  return c.Resolve(1.0);
}

Image SceneryPreview() {
  Canvas c(197, 167, 3);
  PaintBackground(c, 4);
  const double s = 0.45;
  PaintCoral(c, s, -80, 167 - s * kStripH);
  PaintCoral(c, s, -80 + s * kStripW, 167 - s * kStripH);
  return c.Resolve(1.0);
}

Image OtherPreview() {
  Canvas c(197, 167, 3);
  PaintBackground(c, 1);
  DrawFish(c, Placed(BlueDevilLook(), 1.4, 20, 30), 0.5);
  DrawFish(c, Placed(YellowFishLook(), 1.3, 120, 40), 1.5);
  DrawFish(c, Placed(RedFishLook(), 1.2, 60, 80), 2.5);
  DrawFish(c, Placed(EmperorFishLook(), 1.4, 130, 100), 3.5);
  DrawSeahorse(c, {30, 95}, 40, 0, Rgb(250, 150, 30), Rgb(255, 220, 120));
  return c.Resolve(1.0);
}

}  // namespace

void AddForegroundPictures(std::vector<Picture>& out) {
  out.push_back({"a_foreground0.bmp", [] {
                   Canvas c(kStripW, kStripH, 3, true);
                   PaintCoral(c, 1.0, 0, 0);
                   return c.Resolve(0.8);
                 }});
  out.push_back({"a_foregroundpreview0.bmp", ForegroundPreview});
  out.push_back({"a_preview.bmp", [] { return MakeSheet(152, 112, 6, PreviewLoopCell, false); }});
  out.push_back({"a_previewscenery.bmp", SceneryPreview});
  out.push_back({"a_previewother.bmp", OtherPreview});
}

}  // namespace mediagen
