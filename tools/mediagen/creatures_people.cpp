// People of the sea: the scuba diver, the swimming mermaid and the centrepieces that stand on
// the sea floor in front of the coral.
#include <cmath>

#include "mediagen/creatures.h"
#include "mediagen/pictures.h"

namespace mediagen {

namespace {

const Color kSkin = Rgb(240, 190, 150);

Paint SkinPaint(Vec light) {
  return [light](double x, double y) {
    return Shade(kSkin, 1.1 - 0.012 * std::hypot(x - light.x, y - light.y));
  };
}

// A face seen from the front (or turned by `turn`, -1 left to 1 right).
void Face(Canvas& c, Vec at, double r, Color hair, double turn = 0) {
  c.Fill(Ellipse(at, r, r * 1.1),
         Radial(at + Vec{-r * 0.3, -r * 0.4}, r * 1.6, Shade(kSkin, 1.1), Shade(kSkin, 0.75)));
  const double ex = r * 0.38, sh = turn * r * 0.35;
  for (int side = -1; side <= 1; side += 2) {
    c.Fill(Ellipse(at + Vec{side * ex + sh, -r * 0.1}, r * 0.16, r * 0.2), Rgb(250, 250, 250));
    c.Fill(Ellipse(at + Vec{side * ex + sh + turn * r * 0.05, -r * 0.08}, r * 0.1, r * 0.13),
           Rgb(40, 60, 110));
  }
  c.Glaze(Ribbon(SmoothOpen({at + Vec{-r * 0.3 + sh, r * 0.45}, at + Vec{sh, r * 0.58},
                             at + Vec{r * 0.3 + sh, r * 0.45}},
                            4),
                 r * 0.12, r * 0.12),
          Solid(Rgb(180, 60, 60)), 0.9);
  c.Fill(SmoothClosed({at + Vec{-r * 1.05, 0}, at + Vec{-r * 0.9, -r * 0.9}, at + Vec{0, -r * 1.25},
                       at + Vec{r * 0.9, -r * 0.9}, at + Vec{r * 1.05, 0},
                       at + Vec{r * 0.6, -r * 0.6}, at + Vec{-r * 0.6, -r * 0.6}},
                      4),
         Linear(at + Vec{0, -r}, Shade(hair, 1.2), at, Shade(hair, 0.8)));
}

// Streaming hair: strands from the crown that drift with the phase.
void Hair(Canvas& c, Vec crown, Vec flow, double length, double phase, Color hair, int strands) {
  for (int k = 0; k < strands; ++k) {
    Path s;
    const double off = (k - strands / 2.0) * 1.6;
    for (int i = 0; i <= 10; ++i) {
      const double t = i / 10.0;
      const Vec n = {-flow.y, flow.x};
      s.push_back(crown + flow * (t * length) +
                  n * (off * (1 + t) + 4 * std::sin(phase + t * 4 + k * 0.7) * t));
    }
    c.Fill(Ribbon(s, 3.5, 1), Mix(Shade(hair, 0.8), Shade(hair, 1.2), (k % 3) / 2.0));
  }
}

// A fish tail from hip to fluke along a swaying centre line.
void MerTail(Canvas& c, const Path& line, double w0, double phase, Color scales) {
  const Paint scaly = [scales](double x, double y) {
    const double s = 0.5 + 0.5 * std::sin(x * 1.3) * std::sin(y * 1.3);
    return Shade(scales, 0.85 + 0.3 * s);
  };
  c.Fill(Tube(line, [w0](double t) { return w0 * (1 - 0.75 * t); }), scaly);
  const Vec end = line.back(), prev = line[line.size() - 3];
  Vec d = end - prev;
  d = d * (1 / std::hypot(d.x, d.y));
  const Vec n = {-d.y, d.x};
  const double spread = 11 + 2 * std::sin(phase);
  c.Fill(SmoothClosed({end, end + d * 10 + n * spread, end + d * 6, end + d * 10 - n * spread}, 4),
         Linear(end, Shade(scales, 1.2), end + d * 10, Mix(scales, Rgb(200, 255, 230), 0.5)));
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
  Hair(c, {36, 34}, {0.55, 0.83}, 40, ph, hair, 7);
  Path tail;
  for (int i = 0; i <= 10; ++i) {
    const double t = i / 10.0;
    tail.push_back({52 + 42 * t + 7 * std::sin(ph - t * 3) * t, 74 + 52 * t});
  }
  MerTail(c, tail, 16, ph, Rgb(30, 160, 140));
  c.Fill(SmoothClosed({{32, 42}, {44, 40}, {58, 72}, {48, 80}, {38, 66}}, 4), SkinPaint({36, 45}));
  c.Fill(Ellipse({41, 53}, 6.5, 4.5, 1.0), Rgb(150, 60, 170));  // shell top
  const double stroke = 3 * std::sin(ph);
  Limb(c, {{36, 46}, {24, 34 + stroke}, {14, 20 + stroke}}, 5, 4, SkinPaint({30, 30}));
  Limb(c, {{42, 44}, {34, 28 - stroke}, {28, 14 - stroke}}, 5, 4, SkinPaint({30, 30}));
  Face(c, {32, 33}, 8, hair, -0.6);
  return c.Resolve(0.75);
}

// Sits on a rock combing the water with her hand; hair and tail drift.
Image MermaidCell(int f) {
  Canvas c(138, 120);
  const double ph = Phase(f, 8);
  const Color hair = Rgb(250, 200, 60);
  c.Fill(SmoothClosed({{14, 120}, {20, 92}, {50, 80}, {90, 84}, {118, 96}, {124, 120}}, 5),
         [](double x, double y) {
           return Mix(Rgb(90, 90, 100), Rgb(150, 145, 140), Noise(x * 0.15, y * 0.15, 4));
         });
  Hair(c, {56, 26}, {0.75, 0.66}, 48, ph, hair, 9);
  Path tail;
  for (int i = 0; i <= 10; ++i) {
    const double t = i / 10.0;
    tail.push_back({58 + 50 * t, 74 + 10 * t - 18 * t * t + 4 * std::sin(ph - t * 2) * t * t});
  }
  MerTail(c, tail, 20, ph, Rgb(40, 150, 170));
  c.Fill(SmoothClosed({{47, 38}, {65, 38}, {68, 70}, {60, 82}, {46, 76}}, 4), SkinPaint({52, 42}));
  c.Fill(Ellipse({52, 50}, 5, 4), Rgb(200, 70, 140));
  c.Fill(Ellipse({62, 50}, 5, 4), Rgb(200, 70, 140));
  const double wave = 0.4 * std::sin(ph);
  Limb(c, {{48, 42}, {38, 56}, {34 + 6 * wave, 40 - 8 * wave}}, 5, 4, SkinPaint({40, 40}));
  Limb(c, {{66, 42}, {72, 58}, {66, 70}}, 5, 4, SkinPaint({60, 50}));
  Face(c, {57, 27}, 10, hair, 0);
  return c.Resolve(0.75);
}

Image SwimDudeCell(int f) {
  Canvas c(64, 131);
  const double ph = Phase(f, 6);
  const double bob = 2 * std::sin(ph);
  const Paint skin = SkinPaint({26, 50});
  for (int side = -1; side <= 1; side += 2) {  // legs paddle in turn
    const double k = 4 * std::sin(ph + (side > 0 ? kPi : 0));
    Limb(c,
         {{32 + side * 8.0, 92 + bob},
          {32 + side * 10.0 + k * 0.3, 108 + bob},
          {32 + side * 9.0 + k, 124 + bob}},
         9, 7, skin);
    c.Fill(Ellipse({32 + side * 12.0 + k, 127 + bob}, 6, 3), Rgb(60, 180, 90));
  }
  c.Fill(Ellipse({32, 68 + bob}, 22, 27), skin);  // the belly
  c.Fill(SmoothClosed({{11, 82 + bob}, {53, 82 + bob}, {50, 100 + bob}, {14, 100 + bob}}, 2),
         [](double x, double y) {
           return std::fmod(x * 0.4 + y * 0.2, 3.0) < 1.2 ? Rgb(250, 240, 80) : Rgb(230, 70, 100);
         });
  for (int side = -1; side <= 1; side += 2) {
    const double w = 5 * std::sin(ph * 1 + side);
    Limb(c,
         {{32 + side * 18.0, 52 + bob},
          {32 + side * 26.0, 66 + bob + w},
          {32 + side * 25.0, 80 + bob + w}},
         7, 6, skin);
  }
  Face(c, {32, 32 + bob}, 12, Rgb(90, 60, 40), 0);
  c.Fill(Tube(Rect(22, 26 + bob, 42, 36 + bob), [](double) { return 2.0; }),
         Rgb(40, 40, 60));  // mask
  c.Glaze(Rect(22, 26 + bob, 42, 36 + bob), Solid(Rgb(150, 220, 240)), 0.35);
  c.Fill(Ribbon({{44, 40 + bob}, {48, 30 + bob}, {48, 12 + bob}}, 3, 3),
         Rgb(250, 120, 30));  // snorkel
  return c.Resolve(0.75);
}

Image LifeguardCell(int f) {
  Canvas c(91, 156);
  const Paint skin = SkinPaint({38, 60});
  for (int side = -1; side <= 1; side += 2) {
    Limb(c, {{38 + side * 7.0, 100}, {38 + side * 8.0, 126}, {38 + side * 7.0, 150}}, 10, 7, skin);
  }
  c.Fill(SmoothClosed({{26, 50}, {50, 50}, {49, 80}, {52, 104}, {24, 104}, {27, 80}}, 4),
         Linear({0, 50}, Rgb(240, 40, 40), {0, 104}, Rgb(170, 20, 30)));
  c.Fill(Rect(30, 72, 46, 76), Rgb(250, 250, 250));
  // one arm holds the float, the other waves through the five cells
  Limb(c, {{26, 54}, {18, 74}, {20, 92}}, 7, 6, skin);
  c.Fill(Tube(Ellipse({14, 96}, 12, 12), [](double) { return 7.0; }), [](double x, double y) {
    return std::fmod(std::atan2(y - 96, x - 14) + kPi, kPi / 2) < kPi / 4 ? Rgb(250, 250, 250)
                                                                          : Rgb(240, 60, 40);
  });
  const double a = -0.9 + 0.45 * f;
  const Vec sh = {50, 54}, el = sh + Vec{14, -8},
            hand = el + Vec{14 * std::cos(a - 0.6), 18 * std::sin(a - 0.6)};
  Limb(c, {sh, el, hand}, 7, 6, skin);
  c.Fill(Ellipse(hand, 4, 4.5), skin);
  Hair(c, {38, 22}, {0.3, 0.95}, 26, f * 0.8, Rgb(250, 220, 120), 6);
  Face(c, {38, 34}, 11, Rgb(250, 220, 120), 0);
  c.Fill(Ribbon({{33, 48}, {38, 58}, {43, 48}}, 1, 1), Rgb(200, 200, 210));  // whistle cord
  c.Fill(Ellipse({38, 59}, 2.5, 2), Rgb(230, 230, 60));
  return c.Resolve(0.75);
}

// Cell 0 scratching his head; cells 1 and 2 blow a puff of bubbles.
Image ScubaDudeCell(int cell) {
  Canvas c(92, 155);
  const Color suit = Rgb(30, 40, 70);
  const Paint wet = [suit](double x, double) { return Shade(suit, 1.25 - std::abs(x - 46) / 60); };
  for (int side = -1; side <= 1; side += 2) {
    Limb(c, {{46 + side * 8.0, 100}, {46 + side * 9.0, 124}, {46 + side * 8.0, 144}}, 11, 9, wet);
    c.Fill(Ellipse({46 + side * 14.0, 150}, 12, 4.5), Rgb(240, 200, 20));
  }
  c.Fill(SmoothClosed({{33, 52}, {59, 52}, {60, 104}, {32, 104}}, 4), wet);
  c.Fill(Rect(60, 55, 70, 95), Linear({60, 0}, Rgb(255, 230, 80), {70, 0}, Rgb(200, 140, 20)));
  Limb(c, {{35, 58}, {24, 80}, {30, 96}}, 8, 7, wet);
  Limb(c, {{57, 58}, {68, 44}, {56, 26}}, 8, 7, wet);  // hand on his head
  c.Fill(Ellipse({46, 36}, 13, 14), wet);
  c.Fill(Ellipse({46, 38}, 9, 9), SkinPaint({42, 34}));
  c.Fill(Rect(36, 30, 56, 40), Rgb(120, 200, 230));
  c.Fill(Tube(Rect(36, 30, 56, 40), [](double) { return 2.0; }), Rgb(50, 50, 60));
  c.Fill(Ellipse({41, 35}, 2, 2.5), Rgb(250, 250, 250));
  c.Fill(Ellipse({51, 34}, 2.5, 2), Rgb(250, 250, 250));
  c.Fill(Ellipse({41, 35.5}, 1, 1), Rgb(30, 30, 40));
  c.Fill(Ellipse({51, 33.5}, 1, 1), Rgb(30, 30, 40));
  c.Fill(Ellipse({46, 47}, 4, 3), Rgb(60, 60, 70));  // regulator
  c.Fill(Ribbon(SmoothOpen({{14, 20}, {16, 12}, {22, 10}, {26, 15}, {20, 21}, {20, 26}}, 4), 3, 3),
         Rgb(250, 240, 120));
  c.Fill(Ellipse({20, 31}, 1.8, 1.8), Rgb(250, 240, 120));
  if (cell > 0) {
    for (int i = 0; i < 4; ++i) {
      const double y = 44 - (cell == 1 ? 6 : 22) - 5 * i, r = 1.5 + i * 0.4;
      c.Fill(Ellipse({50 + 3 * std::sin(i * 2.0), y}, r, r), Rgb(180, 225, 250));
      c.Erase(Ellipse({50.2 + 3 * std::sin(i * 2.0), y + 0.2}, r * 0.55, r * 0.55));
    }
  }
  return c.Resolve(0.75);
}

Image BatherCell(int f) {
  Canvas c(90, 123);
  const double ph = Phase(f, 8);
  Hair(c, {42, 58}, {0.2, -0.98}, 6, ph, Rgb(90, 60, 40), 3);
  Face(c, {42, 66}, 11, Rgb(90, 60, 40), 0.2 * std::sin(ph));
  const double scrub = 6 * std::sin(ph);
  Limb(c, {{55, 86}, {66, 74}, {60 + scrub, 60}}, 6, 5, SkinPaint({60, 70}));
  c.Fill(Rect(56 + scrub, 48, 72 + scrub, 56), Rgb(170, 110, 60));  // the brush
  for (int i = 0; i < 6; ++i)
    c.Fill(Rect(57 + scrub + i * 2.6, 56, 58 + scrub + i * 2.6, 60), Rgb(240, 220, 160));
  c.Fill(SmoothClosed({{6, 82}, {84, 82}, {80, 104}, {66, 110}, {24, 110}, {10, 104}}, 4),
         Linear({0, 82}, Rgb(250, 250, 250), {0, 110}, Rgb(170, 180, 200)));
  c.Fill(Tube(Path{{4, 82}, {86, 82}}, [](double) { return 4.0; }), Rgb(230, 230, 235));
  for (int side = -1; side <= 1; side += 2) {  // claw feet
    c.Fill(Ellipse({45 + side * 28.0, 114}, 5, 7), Rgb(220, 180, 60));
  }
  Rng rng(77);
  for (int i = 0; i < 14; ++i) {  // foam, shimmering as it pops
    const double x = rng.Range(8, 82), y = rng.Range(72, 82),
                 r = rng.Range(3, 6) * (0.85 + 0.15 * std::sin(ph + i));
    c.Fill(Ellipse({x, y}, r, r),
           Radial({x - 1, y - 1}, r, Rgb(255, 255, 255), Rgb(190, 210, 240)));
  }
  const double duck = 2 * std::sin(ph + 1);
  c.Fill(Ellipse({20, 70 + duck}, 7, 5), Rgb(255, 220, 30));
  c.Fill(Ellipse({15, 63 + duck}, 4, 4), Rgb(255, 220, 30));
  c.Fill(Path{{11, 63 + duck}, {7, 64 + duck}, {11, 65.5 + duck}}, Rgb(250, 130, 30));
  c.Fill(Ellipse({14, 62 + duck}, 0.9, 0.9), Rgb(20, 20, 20));
  return c.Resolve(0.75);
}

}  // namespace

void AddPeoplePictures(std::vector<Picture>& out) {
  out.push_back(
      {"a_scubadiver.bmp", [] { return MakeSwimSheet(150, 90, 8, ScubaDiverCell, true, false); }});
  out.push_back(
      {"a_swimmaid.bmp", [] { return MakeSwimSheet(115, 149, 8, SwimMaidCell, true, false); }});
  out.push_back({"a_mermaid.bmp", [] { return MakeSheet(138, 120, 8, MermaidCell, false); }});
  out.push_back({"a_swimdude.bmp", [] { return MakeSheet(64, 131, 6, SwimDudeCell, false); }});
  out.push_back({"a_lifeguard.bmp", [] { return MakeSheet(91, 156, 5, LifeguardCell, false); }});
  out.push_back({"a_scubadude.bmp", [] { return MakeSheet(92, 155, 3, ScubaDudeCell, false); }});
  out.push_back({"a_bather.bmp", [] { return MakeSheet(90, 123, 8, BatherCell, false); }});
}

}  // namespace mediagen
