// The items of the More... tab: anchor, bottles, bubbles and hearts, the diver's helmet, the
// eyes in the dark, the fishing sign, the snitch, the pillars, the scuba diver and the worm.
#include <cmath>

#include "mediagen/creatures.h"
#include "mediagen/draw_people.h"
#include "mediagen/pictures.h"

namespace mediagen {

void Limb(Canvas& c, const Path& joints, double w0, double w1, const Paint& paint) {
  c.Fill(Ribbon(SmoothOpen(joints, 4), w0, w1), paint);
  c.Fill(Ellipse(joints.front(), w0 / 2, w0 / 2), paint);
  c.Fill(Ellipse(joints.back(), w1 / 2, w1 / 2), paint);
}

// Painted capitals drawn as strokes in a 3 x 5 box, px pixels per unit.
void Letters(Canvas& c, const char* text, double x, double y, double px, Color ink,
             const Affine& m) {
  for (const char* p = text; *p; ++p, x += 4 * px) {
    std::vector<Path> strokes;
    switch (*p) {
      case 'N':
        strokes = {{{0, 5}, {0, 0}, {3, 5}, {3, 0}}};
        break;
      case 'O':
        strokes = {SmoothClosed({{1.5, 0}, {3, 1.2}, {3, 3.8}, {1.5, 5}, {0, 3.8}, {0, 1.2}}, 4)};
        strokes[0].push_back(strokes[0].front());
        break;
      case 'F':
        strokes = {{{3, 0}, {0, 0}, {0, 5}}, {{0, 2.4}, {2.2, 2.4}}};
        break;
      case 'I':
        strokes = {{{1.5, 0}, {1.5, 5}}, {{0.4, 0}, {2.6, 0}}, {{0.4, 5}, {2.6, 5}}};
        break;
      case 'S':
        strokes = {SmoothOpen(
            {{3, 0.7}, {1.6, 0}, {0.1, 1.2}, {1.5, 2.5}, {2.9, 3.8}, {1.4, 5}, {0, 4.3}}, 4)};
        break;
      case 'H':
        strokes = {{{0, 0}, {0, 5}}, {{3, 0}, {3, 5}}, {{0, 2.5}, {3, 2.5}}};
        break;
      case 'G':
        strokes = {SmoothOpen({{3, 0.8}, {1.5, 0}, {0, 2.5}, {1.5, 5}, {3, 4}}, 4),
                   {{3, 5}, {3, 2.8}, {1.7, 2.8}}};
        break;
      default:
        break;
    }
    const Affine place = Affine::Stretch(px, px).Then(Affine::Move(x, y)).Then(m);
    for (const Path& s : strokes) {
      Path line = Apply(s, place);
      c.Fill(Ribbon(line, px * 0.95, px * 0.95), ink);
      for (const Vec& end : {line.front(), line.back()}) {
        c.Fill(Ellipse(end, px * 0.47, px * 0.47, 0, 10), ink);
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

// Tumbles end over end as it sinks: one full turn over the thirteen cells. The bottle is
// short enough to turn inside its cell without losing its ends.
Image BottleCell(int cell, bool green) {
  Canvas c(32, 51);
  const Vec mid = {16, 24.5};
  const Affine turn = Affine::Turn(Phase(cell, 13), mid);
  const auto T = [&](const Path& p) { return Apply(p, turn); };
  const Color glass = green ? Rgb(45, 150, 70) : Rgb(150, 80, 30);
  const Path body = SmoothClosed({{11, 40},
                                  {11, 25},
                                  {13, 21},
                                  {14.5, 18},
                                  {14.5, 12},
                                  {17.5, 12},
                                  {17.5, 18},
                                  {19, 21},
                                  {21, 25},
                                  {21, 40}},
                                 3);
  c.Fill(T(Apply(body, Affine::Stretch(1.12, 1.03, mid))), Shade(glass, 0.4));
  // the glass is lit from above whichever way the bottle points
  c.Fill(T(body),
         [&](double x, double y) { return Shade(glass, 1.3 - 0.022 * (y - 9) + 0.02 * (16 - x)); });
  c.Fill(T(Rect(14, 10.5, 18, 12.5)), Shade(glass, 1.3));   // the lip
  c.Fill(T(Rect(14.5, 8.5, 17.5, 11)), Rgb(185, 140, 85));  // cork
  if (green) {  // the rolled message inside, tied with string
    c.Glaze(T(Rect(13, 26, 19, 38)), Solid(Rgb(240, 228, 180)), 0.75);
    c.Glaze(T(Rect(13, 31, 19, 32.2)), Solid(Rgb(170, 60, 40)), 0.8);
  } else {
    c.Fill(T(Rect(11, 27, 21, 35)), Rgb(235, 205, 125));  // label
    c.Fill(T(Rect(12.5, 29.5, 19.5, 30.5)), Rgb(160, 40, 30));
    c.Fill(T(Rect(13.5, 32, 18.5, 33)), Rgb(160, 40, 30));
  }
  c.Glaze(T(Rect(12.5, 22, 13.8, 39)), Solid(Rgb(255, 255, 255)), 0.6);
  c.Glaze(T(Rect(15.2, 13, 15.9, 18)), Solid(Rgb(255, 255, 255)), 0.5);
  return c.Resolve(0.85);
}

Image BubbleCell() {
  Canvas c(11, 10);
  c.Fill(Ellipse({5.5, 5}, 5.2, 4.8), Rgb(150, 210, 245));
  c.Erase(Ellipse({5.6, 5.1}, 3.6, 3.2));
  c.Fill(Ellipse({3.7, 3.3}, 1.2, 1.0), Rgb(255, 255, 255));
  return c.Resolve(1.0);
}

// Beats and turns through its eight cells, never wider or taller than its cell allows, so that
// no lone pixel of a lobe or of the tip is cut off at the edge.
Image HeartCell(int cell) {
  Canvas c(15, 14);
  const double ph = Phase(cell, 8);
  const double sx = 0.55 + 0.45 * std::abs(std::cos(ph / 2)), beat = 1 + 0.06 * std::sin(ph * 2);
  const double k = 0.36 * beat;
  Path h;
  for (int i = 0; i < 48; ++i) {
    const double t = 2 * kPi * i / 48;
    const double x = 16 * std::pow(std::sin(t), 3);
    const double y = std::min(
        14.5, -(13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t)));
    h.push_back({7.5 + x * k * sx, 7 + (y - 2.5) * k});
  }
  c.Fill(h, Radial({5.5, 4.5}, 9, Rgb(255, 120, 150), Rgb(190, 10, 50)));
  c.Fill(Ellipse({7.5 - 3 * sx, 4.5}, 1.3 * sx, 1.0), Rgb(255, 220, 230));
  // A pixel that touches at most one other across its sides is a lobe's or the tip's last
  // sliver, which at this size reads as dirt beside the heart.
  const Image drawn = c.Resolve(0.85);
  Image out = drawn;
  const auto opaque = [&drawn](int x, int y) {
    return x >= 0 && y >= 0 && x < drawn.width && y < drawn.height && !(drawn.At(x, y) == Pixel{});
  };
  for (int y = 0; y < drawn.height; ++y) {
    for (int x = 0; x < drawn.width; ++x) {
      const int sides = opaque(x - 1, y) + opaque(x + 1, y) + opaque(x, y - 1) + opaque(x, y + 1);
      if (sides <= 1) out.At(x, y) = Pixel{};
    }
  }
  return out;
}

// Polished metal: a warm base lit from the upper left, a dark band where the sea floor is
// mirrored, and a hot spot.
Paint Polished(Color base, Vec centre, double r) {
  return [=](double x, double y) {
    const double u = (x - centre.x) / r, v = (y - centre.y) / r;
    const double lit = 1.25 - 0.55 * std::hypot(u + 0.35, v + 0.4);
    const double band = 0.25 * std::exp(-std::pow((v - 0.15 + 0.1 * u) * 5, 2));
    const double spot = std::exp(-(std::pow(u + 0.45, 2) + std::pow(v + 0.45, 2)) * 30);
    return Mix(Shade(base, std::max(0.45, lit - band)), Rgb(255, 250, 220), spot);
  };
}

// A ring of metal of width w round an ellipse.
void Rim(Canvas& c, Vec at, double rx, double ry, double w, const Paint& paint) {
  c.Fill(Tube(Ellipse(at, rx, ry, 0, 40), [w](double) { return w; }), paint);
}

// An old copper-and-brass diving helmet hanging in from the top of the screen. Cells 1 to 6
// open the exhaust valve: a burst of air climbs from it and spreads.
Image DiverHeadCell(int cell) {
  Canvas c(129, 150);
  const Color copper = Rgb(200, 115, 55), brass = Rgb(225, 180, 75), dark = Rgb(50, 35, 25);
  const Vec dome = {64, 66};
  const Paint bonnet = Polished(copper, dome, 44), fitting = Polished(brass, dome, 44);
  // the air hose leaves the gooseneck at the back and climbs out of sight
  c.Fill(Ribbon(SmoothOpen({{96, 0}, {98, 14}, {94, 28}, {88, 34}}, 6), 10, 10), dark);
  c.Fill(Ribbon(SmoothOpen({{96, 0}, {98, 14}, {94, 28}, {88, 34}}, 6), 8, 8),
         [](double x, double y) {
           return std::fmod(y + x * 0.2, 5.0) < 1.2 ? Rgb(45, 45, 40) : Rgb(85, 85, 75);
         });
  // corselet on the shoulders, studded brass rim with wing nuts
  const Path corselet = SmoothClosed(
      {{6, 146}, {10, 124}, {30, 108}, {64, 102}, {98, 108}, {118, 124}, {122, 146}}, 6);
  c.Fill(Apply(corselet, Affine::Stretch(1.02, 1.03, {64, 126})), dark);
  c.Fill(corselet, Polished(copper, {50, 118}, 60));
  c.Fill(Ribbon(SmoothOpen({{8, 140}, {30, 137}, {64, 136}, {98, 137}, {120, 140}}, 6), 7, 7),
         Polished(brass, {50, 118}, 60));
  for (int i = 0; i < 6; ++i) {
    const double x = 16 + i * 19.2, y = 137.5 + 0.8 * std::abs(i - 2.5);
    c.Fill(Path{{x - 4.5, y - 1},
                {x, y - 3},
                {x + 4.5, y - 1},
                {x + 4.5, y + 1},
                {x, y},
                {x - 4.5, y + 1}},
           Rgb(170, 170, 175));  // wing nut
    c.Fill(Ellipse({x, y}, 1.6, 1.6), Rgb(110, 110, 115));
  }
  c.Fill(Rect(52, 118, 76, 127), Polished(brass, {50, 118}, 60));  // name plate
  c.Fill(Rect(54, 120, 74, 125), Rgb(130, 95, 40));
  // the bonnet, its neck ring, the gooseneck
  c.Fill(Ellipse(dome, 45, 46), dark);
  c.Fill(Ellipse(dome, 43.5, 44.5), bonnet);
  c.Fill(Ribbon(SmoothOpen({{22, 100}, {64, 108}, {106, 100}}, 6), 8, 8), fitting);
  c.Fill(Ribbon(SmoothOpen({{86, 36}, {92, 32}, {97, 34}}, 4), 8, 8), fitting);
  // side port with its guard, and the small top port
  c.Fill(Ellipse({103, 62}, 8.5, 12.5), fitting);
  c.Fill(Ellipse({103.5, 62}, 6, 9.5), Radial({101, 58}, 11, Rgb(90, 150, 170), Rgb(20, 45, 60)));
  for (int k = -1; k <= 1; ++k) c.Fill(Rect(100, 61 + k * 4.0, 107, 62.2 + k * 4.0), fitting);
  c.Fill(Ellipse({56, 26}, 11, 5), fitting);
  c.Fill(Ellipse({56, 26.3}, 8, 3.2), Rgb(40, 80, 100));
  // the faceplate: a thick bolted rim round the glass, the diver looking out
  const Vec port = {57, 70};
  c.Fill(Ellipse(port, 25, 25), dark);
  Rim(c, port, 21, 21, 7, fitting);
  c.Fill(Ellipse(port, 18, 18), Radial(port + Vec{-6, -6}, 26, Rgb(90, 140, 150), Rgb(15, 35, 50)));
  const Paint skin = SkinPaint(port + Vec{-4, -6});
  c.Fill(Ellipse(port + Vec{0, 3}, 11, 13), skin);
  for (int side = -1; side <= 1; side += 2) {
    const Vec e = port + Vec{side * 4.5, 0};
    c.Fill(Ellipse(e, 2.2, 2.5), Rgb(250, 250, 245));
    c.Fill(Ellipse(e + Vec{-0.6, 0.3}, 1.2, 1.5), Rgb(40, 60, 90));
    c.Fill(Ribbon({e + Vec{-2.5, -3.5}, e + Vec{2.5, -3.5 - side * 0.6}}, 1.2, 1.0),
           Rgb(90, 60, 40));
  }
  c.Fill(Ribbon({port + Vec{0, 1}, port + Vec{-1.5, 6}, port + Vec{1, 6.5}}, 1.4, 1.4),
         Shade(kSkin, 0.75));
  c.Fill(SmoothClosed({port + Vec{-7, 10}, port + Vec{-2, 8}, port + Vec{0, 9}, port + Vec{2, 8},
                       port + Vec{7, 10}, port + Vec{0, 11}},
                      3),
         Rgb(110, 70, 40));  // moustache
  c.Fill(Ellipse(port + Vec{0, 12.5}, 2.4, cell > 0 ? 2 : 1), Rgb(120, 45, 45));
  c.Glaze(
      SmoothClosed(
          {port + Vec{-14, -6}, port + Vec{-8, -14}, port + Vec{-4, -15}, port + Vec{-11, -4}}, 3),
      Solid(Rgb(255, 255, 255)), 0.55);
  for (int i = 0; i < 8; ++i) {  // studs round the faceplate
    const double a = i * kPi / 4 + kPi / 8;
    const Vec b = port + Vec{std::cos(a), std::sin(a)} * 21;
    c.Fill(Ellipse(b, 2.3, 2.3), Rgb(120, 90, 40));
    c.Fill(Ellipse(b + Vec{-0.5, -0.5}, 1.4, 1.4), Rgb(250, 230, 160));
  }
  // the exhaust valve on the left cheek; from cell 1 a burst of air leaves it and climbs
  const Vec valve = {21, 74};
  c.Fill(Rect(17, 69, 27, 79), fitting);
  c.Fill(Ellipse({17, 74}, 3, 5), Polished(brass, {17, 70}, 8));
  if (cell >= 1 && cell <= 6) {
    for (int puff = 1; puff <= cell; ++puff) {
      const double age = cell - puff;  // cells since this puff left the valve
      Rng rng(40 + puff);
      for (int i = 0; i < 6; ++i) {
        const double spread = 3 + age * 3.2;
        const Vec b = {valve.x - 2 + rng.Range(-spread * 0.6, spread * 0.6),
                       valve.y - 8 - age * 13 + rng.Range(-3, 3) - 0.4 * age * age};
        const double r = 1.5 + rng.Range(0, 1.5) + age * 0.6;
        if (b.y - r < 1 || b.x - r < 1) continue;
        c.Fill(Ellipse(b, r, r), Rgb(190, 230, 250));
        c.Erase(Ellipse(b + Vec{0.3, 0.3}, r * 0.6, r * 0.6));
        c.Fill(Ellipse(b + Vec{-r * 0.45, -r * 0.45}, 0.7, 0.7), Rgb(255, 255, 255));
      }
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

// A weathered board hung on ropes from a post; it swings a little in the current.
Image MarinaSignCell(int cell) {
  Canvas c(55, 141);
  const double ph = Phase(cell, 6);
  const Paint wood = [](double x, double y) {
    const double grain =
        Noise(x * 0.9, y * 0.06, 9) + 0.3 * std::sin(x * 2.1 + 4 * Noise(x * 0.2, y * 0.03, 8));
    return Shade(Mix(Rgb(95, 65, 35), Rgb(165, 120, 70), grain), 1.1 - 0.004 * y);
  };
  const Color ink = Rgb(45, 30, 18);
  c.Fill(Rect(23, 16, 32, 141), ink);
  c.Fill(Rect(24, 17, 31, 141), [&wood](double x, double y) {
    return Shade(wood(x, y), 1.15 - 0.06 * (x - 24));
  });  // the post, rounded by the light
  c.Fill(Rect(4, 15, 51, 22), ink);
  c.Fill(Rect(5, 16, 50, 21), wood);  // the cross arm
  c.Fill(Path{{24, 21}, {31, 21}, {31, 28}}, ink);
  const Affine swing = Affine::Turn(0.08 * std::sin(ph), {28, 21});
  const auto S = [&](const Path& p) { return Apply(p, swing); };
  for (double x : {11.0, 45.0}) {
    c.Fill(S(Ribbon({{x, 20}, {x, 33}}, 1.4, 1.4)), Rgb(190, 170, 120));
    c.Fill(S(Ellipse({x, 20}, 1.6, 1.6)), Rgb(170, 150, 100));
  }
  c.Fill(S(Rect(2, 31, 53, 64)), ink);
  c.Fill(S(Rect(3, 32, 52, 47.4)), [&wood](double x, double y) { return Shade(wood(x, y), 1.25); });
  c.Fill(S(Rect(3, 48, 52, 63)), [&wood](double x, double y) { return Shade(wood(x, y), 1.15); });
  c.Glaze(S(Rect(5, 34, 50, 61)), Solid(Rgb(235, 225, 195)), 0.82);  // flaking white paint
  for (const Vec n : {Vec{5.5, 35}, Vec{49.5, 35}, Vec{5.5, 60}, Vec{49.5, 60}}) {
    c.Fill(S(Ellipse(n, 1, 1)), Rgb(110, 100, 95));
  }
  const Color red = Rgb(175, 30, 25);
  Letters(c, "NO", 22.3, 36, 1.6, red, swing);
  Letters(c, "FISHING", 7.3, 50.5, 1.5, red, swing);
  Rng rng(12);
  for (int i = 0; i < 5; ++i) {  // barnacles on the lower edge of the board and the post
    const Vec b = i < 3 ? Vec{rng.Range(6, 50), 62.5} : Vec{rng.Range(25, 30), rng.Range(100, 125)};
    const Path shell = Ellipse(b, 1.8, 1.4);
    c.Fill(i < 3 ? S(shell) : shell, Rgb(200, 195, 180));
    c.Fill(i < 3 ? S(Ellipse(b, 0.7, 0.5)) : Ellipse(b, 0.7, 0.5), Rgb(80, 75, 70));
  }
  // weed waving at the foot of the post
  for (int k = 0; k < 4; ++k) {
    Path weed;
    for (int i = 0; i <= 8; ++i) {
      const double t = i / 8.0;
      weed.push_back(
          {17 + 6.5 * k + 3 * std::sin(ph + t * 4 + k) * t, 141 - t * (26 + 9 * (k % 3))});
    }
    c.Fill(Ribbon(weed, 4, 1), Linear({0, 100}, Rgb(70, 160, 70), {0, 141}, Rgb(25, 80, 35)));
  }
  return c.Resolve(0.8);
}

// Cast concrete: grey with pale pebbles and dark pits, lit by `light`.
Paint Concrete(double light) {
  return [light](double x, double y) {
    Color c = Mix(Rgb(135, 135, 128), Rgb(185, 183, 172), Fractal(x / 5, y / 5, 3, 3));
    const double grit = Noise(x * 1.3, y * 1.3, 4);
    if (grit > 0.8) c = Rgb(215, 210, 195);
    if (grit < 0.12) c = Shade(c, 0.65);
    return Shade(c, light);
  };
}

// Sinks with his feet set in a block of concrete: arms flailing, knees jerking, tie and hat
// pulled upward by the water, air bursting from his mouth.
Image SnitchCell(int cell) {
  Canvas c(65, 144);
  const double ph = Phase(cell, 6);
  const Color suit = Rgb(52, 52, 70), ink = Rgb(20, 20, 28);
  const Paint stripes = [suit](double x, double) {
    return std::fmod(x, 4.0) < 0.7 ? Rgb(130, 130, 150) : suit;
  };
  const Paint skin = SkinPaint({30, 30});
  // the block, seen from a little above and to the left
  c.Fill(Path{{9, 118}, {47, 118}, {56, 110}, {18, 110}}, Concrete(1.2));
  c.Fill(Path{{47, 118}, {56, 110}, {56, 134}, {47, 142}}, Concrete(0.7));
  c.Fill(Rect(9, 118, 47, 142), Concrete(0.95));
  c.Glaze(Ribbon({{9, 118}, {47, 118}, {56, 110}}, 0.8, 0.8), Solid(Rgb(240, 240, 230)), 0.6);
  const double jerk = 3 * std::sin(ph * 2);
  for (int side = -1; side <= 1; side += 2) {  // legs, knees jerking against the block
    const Vec hip = {32.5 + side * 5.0, 82}, foot = {32.5 + side * 5.0, 114};
    const Vec knee = {32.5 + side * (7.0 + jerk * (side > 0 ? 1 : -0.6)), 98};
    InkedLimb(c, {hip, knee, foot}, 9, 8, stripes, ink);
    c.Fill(Ellipse(foot + Vec{0, 0.5}, 5.5, 2), Rgb(90, 90, 85));  // where the leg goes in
  }
  // the jacket sways as he struggles
  const Affine sway = Affine::Turn(0.05 * std::sin(ph), {32.5, 84});
  const auto S = [&](const Path& p) { return Apply(p, sway); };
  const Path jacket =
      SmoothClosed({{20, 86}, {19, 62}, {22, 50}, {43, 50}, {46, 62}, {45, 86}, {32.5, 88}}, 4);
  c.Fill(S(Apply(jacket, Affine::Stretch(1.06, 1.03, {32.5, 68}))), ink);
  c.Fill(S(jacket), stripes);
  c.Fill(S(Path{{28, 50}, {37, 50}, {32.5, 70}}), Rgb(240, 240, 235));  // shirt
  c.Fill(S(Path{{27, 50}, {32.5, 70}, {25, 60}}), Shade(suit, 0.7));    // lapels
  c.Fill(S(Path{{38, 50}, {32.5, 70}, {40, 60}}), Shade(suit, 0.7));
  for (double y : {72.0, 79.0}) c.Fill(S(Ellipse({35.5, y}, 1, 1)), Rgb(200, 200, 210));
  const double flap = 4 * std::sin(ph);
  c.Fill(S(Tube(SmoothOpen({{32.5, 53}, {32.5 + flap * 0.5, 45}, {32.5 - flap, 36}}, 4),
                [](double t) { return 2.5 + 1.5 * t; })),
         Rgb(205, 30, 40));                    // the tie floats up over his face
  for (int side = -1; side <= 1; side += 2) {  // arms thrashing, each on its own beat
    const double beat = ph + (side > 0 ? 2.1 : 0);
    const double upper = (side > 0 ? -0.95 : -2.2) + side * 0.45 * std::sin(beat);
    const double fore = upper + side * (0.4 + 0.6 * std::sin(beat + 1.2));
    const Vec sh = sway({32.5 + side * 10.0, 53});
    const Vec el = sh + Vec{std::cos(upper), std::sin(upper)} * 11;
    const Vec wr = el + Vec{std::cos(fore), std::sin(fore)} * 10;
    InkedLimb(c, {sh, el, wr}, 7, 6, stripes, ink);
    c.Fill(Ellipse(wr, 3.2, 3.2), Rgb(240, 240, 235));  // cuff
    Hand(c, wr, wr - el, 3.8, skin, side);
  }
  // a panicked face: brows up, eyes wide, mouth open
  const Vec head = sway({32.5, 40});
  c.Fill(Ellipse(head, 8.6, 9.6), ink);
  c.Fill(Ellipse(head, 7.8, 8.8),
         Radial(head + Vec{-2, -3}, 11, Rgb(250, 212, 180), Rgb(205, 145, 115)));
  for (int side = -1; side <= 1; side += 2) {
    const Vec e = head + Vec{side * 3.2, -1};
    c.Fill(Ellipse(e, 2.2, 2.6), Rgb(250, 250, 250));
    c.Fill(Ellipse(e + Vec{0.3 * std::sin(ph * 3), 0.3}, 0.9, 1.1), Rgb(20, 20, 30));
    c.Fill(Ribbon({e + Vec{-2, -3.2 + side * 0.6}, e + Vec{2, -3.6 - side * 0.6}}, 0.9, 0.9),
           Rgb(40, 30, 25));
  }
  c.Fill(Ellipse(head + Vec{0, 4.6}, 2.2, 2 + 0.7 * std::sin(ph * 2)), Rgb(90, 20, 25));
  c.Fill(
      SmoothClosed({head + Vec{-8, -2}, head + Vec{-6, -8}, head + Vec{0, -9.6}, head + Vec{6, -8},
                    head + Vec{8, -2}, head + Vec{5, -5.5}, head + Vec{-5, -5.5}},
                   3),
      Rgb(40, 30, 25));  // slicked hair
  // the fedora lifts off his head as he sinks
  const double lift = 3 + 2 * std::sin(ph + 1);
  const Affine hat =
      Affine::Turn(0.12 * std::sin(ph + 0.5), head + Vec{0, -10}).Then(Affine::Move(0, -lift));
  c.Fill(Apply(Ellipse(head + Vec{0, -9}, 12.5, 2.6), hat), Rgb(35, 32, 32));
  c.Fill(Apply(SmoothClosed({head + Vec{-7.5, -9}, head + Vec{-7, -18}, head + Vec{-2, -19},
                             head + Vec{0, -17}, head + Vec{2, -19}, head + Vec{7, -18},
                             head + Vec{7.5, -9}},
                            3),
               hat),
         Linear(head + Vec{-7, 0}, Rgb(80, 74, 70), head + Vec{7, 0}, Rgb(45, 40, 40)));
  c.Fill(Apply(Rect(head.x - 7.5, head.y - 12.5, head.x + 7.5, head.y - 10), hat),
         Rgb(160, 30, 30));
  for (int i = 0; i < 4; ++i) {  // his last breath
    const double y = head.y - 2 - 10 * i - 10 * std::fmod(cell / 3.0, 1.0), r = 1.4 + i * 0.5;
    if (y > 3 && y < head.y) {
      const Vec b = {head.x + 11 + 2 * std::sin(i + ph), y};
      c.Fill(Ellipse(b, r, r), Rgb(180, 225, 250));
      c.Erase(Ellipse(b + Vec{0.2, 0.2}, r * 0.55, r * 0.55));
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
  // a loop round the shank and two writhing ends with rounded tips, kept clear of the cell's edges
  c.Fill(Ribbon(SmoothOpen({{9, 14}, {16, 18}, {9, 22}, {4, 26}, {9, 30}, {16, 34}, {10, 40}}, 5),
                5, 5),
         pink);
  Path end1, end2;
  for (int i = 0; i <= 8; ++i) {
    const double t = i / 8.0;
    end1.push_back({9 - t * 4 + 2.5 * std::sin(w + t * 4) * t, 40 + t * 14});
    end2.push_back({16 + t * 14 + 2 * std::sin(w * 1.3 + t * 5) * t,
                    14 - t * 6 + 3 * std::cos(w + t * 3) * t});
  }
  for (const Path& end : {end1, end2}) {
    c.Fill(Ribbon(end, 5, 3), pink);
    c.Fill(Ellipse(end.back(), 1.5, 1.5), pink);
  }
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
