// The people who stand in the middle of the sea floor as centrepieces: the confused diver, the
// lifeguard, the pudgy vacationer and the bather in his tub.
#include <cmath>

#include "mediagen/creatures.h"
#include "mediagen/draw_people.h"
#include "mediagen/pictures.h"

namespace mediagen {

namespace {

const Color kSuitInk = Rgb(14, 16, 30);
const Color kSkinInk = Rgb(150, 90, 70);

void Bubble(Canvas& c, Vec at, double r) {
  c.Fill(Ellipse(at, r, r), Rgb(190, 230, 250));
  c.Erase(Ellipse(at + Vec{0.2, 0.2}, r * 0.58, r * 0.58));
  c.Fill(Ellipse(at + Vec{-r * 0.45, -r * 0.45}, r * 0.25, r * 0.25), Rgb(250, 255, 255));
}

// Cell 0 scratching his head; cells 1 and 2 blow a puff of bubbles.
Image ScubaDudeCell(int cell) {
  Canvas c(92, 155);
  const Color suit = Rgb(34, 44, 80);
  const Paint wet = [suit](double x, double y) {
    return Shade(suit, 1.3 - std::abs(x - 42) / 55 - (y > 100 ? 0.1 : 0));
  };
  const Color fins = Rgb(250, 200, 30);
  for (int side = -1; side <= 1; side += 2) {  // fins splay outward from the ankles
    const Vec ankle = {46 + side * 9.0, 143};
    c.Fill(SmoothClosed({ankle + Vec{-side * 4.0, -2}, ankle + Vec{side * 4.0, -3},
                         ankle + Vec{side * 22.0, 8}, ankle + Vec{side * 10.0, 11},
                         ankle + Vec{-side * 5.0, 9}},
                        3),
           Linear(ankle, fins, ankle + Vec{side * 20.0, 8}, Shade(fins, 0.7)));
    for (int r = 0; r < 2; ++r) {
      c.Fill(Ribbon({ankle + Vec{side * (2.0 + 4 * r), 2}, ankle + Vec{side * (10.0 + 6 * r), 9}},
                    1, 1),
             Shade(fins, 0.65));
    }
    InkedLimb(c, {{46 + side * 8.0, 98}, {46 + side * 10.0, 122}, ankle}, 13, 10, wet, kSuitInk);
    c.Fill(Ellipse({46 + side * 10.0, 122}, 5, 4), Rgb(70, 80, 110));  // knee pads
  }
  // the tank peeks out behind his right side
  c.Fill(SmoothClosed({{58, 62}, {62, 50}, {70, 50}, {73, 62}, {73, 98}, {58, 98}}, 3),
         Linear({58, 0}, Rgb(255, 230, 90), {73, 0}, Rgb(190, 130, 20)));
  c.Fill(Rect(62, 44, 68, 51), Rgb(160, 160, 170));  // valve
  c.Fill(SmoothClosed({{33, 56}, {46, 52}, {59, 56}, {61, 80}, {58, 102}, {34, 102}, {31, 80}}, 4),
         wet);
  c.Fill(Ribbon({{46, 58}, {46, 90}}, 1.4, 1.4), Rgb(150, 160, 180));  // zip
  for (int side = -1; side <= 1; side += 2) {                          // side panels
    c.Fill(Ribbon({{46 + side * 13.0, 58}, {46 + side * 12.0, 92}}, 3, 2), Rgb(40, 140, 200));
  }
  c.Fill(Rect(32, 91, 60, 98), Rgb(50, 50, 55));  // weight belt
  for (double x : {36.0, 54.0}) c.Fill(Rect(x - 2.5, 90, x + 2.5, 99), Rgb(120, 120, 130));
  c.Fill(Rect(43, 91, 49, 98), Rgb(210, 210, 220));
  // left arm on the hip, right hand scratching the hood
  InkedLimb(c, {{34, 60}, {24, 78}, {30, 92}}, 9, 8, wet, kSuitInk);
  Hand(c, {30, 92}, {0.6, 0.4}, 6, Solid(Rgb(60, 60, 70)), -1);
  c.Fill(Ellipse({46, 36}, 14.5, 15.5), kSuitInk);
  c.Fill(Ellipse({46, 36}, 13.5, 14.5),
         Radial({41, 29}, 20, Shade(suit, 1.5), Shade(suit, 0.8)));  // hood
  c.Fill(Ellipse({46, 40}, 9.5, 9.5), SkinPaint({43, 36}));
  c.Fill(SmoothClosed({{34, 30}, {58, 30}, {58, 41}, {50, 42}, {46, 39}, {42, 42}, {34, 41}}, 3),
         Rgb(40, 40, 50));  // mask frame
  c.Fill(
      SmoothClosed({{36, 32}, {56, 32}, {56, 39.5}, {50, 40}, {46, 37}, {42, 40}, {36, 39.5}}, 3),
      Linear({36, 32}, Rgb(170, 230, 245), {56, 40}, Rgb(90, 170, 210)));
  c.Fill(Ribbon({{37.5, 33}, {41, 33}}, 1, 1), Rgb(235, 250, 255));  // glint
  // puzzled eyes: one wide, one squinting under a raised brow
  c.Fill(Ellipse({41, 36}, 2.4, 2.8), Rgb(250, 250, 250));
  c.Fill(Ellipse({51, 36.5}, 2.6, 1.6), Rgb(250, 250, 250));
  c.Fill(Ellipse({41.5, 36.5}, 1.2, 1.3), Rgb(30, 30, 40));
  c.Fill(Ellipse({51.5, 36.5}, 1.1, 1.1), Rgb(30, 30, 40));
  c.Fill(Ribbon({{38, 32.5}, {41, 31.3}, {44, 32.5}}, 1, 1), Rgb(90, 60, 40));
  c.Fill(Ellipse({46, 48}, 4.5, 3.2), Rgb(70, 70, 80));  // regulator
  c.Fill(Ellipse({46, 48}, 2, 1.4), Rgb(130, 130, 140));
  c.Fill(Ribbon(SmoothOpen({{50, 49}, {58, 50}, {63, 46}}, 4), 2.2, 2.2), Rgb(60, 60, 70));
  InkedLimb(c, {{58, 60}, {71, 44}, {60, 24}}, 9, 8, wet, kSuitInk);
  Hand(c, {60, 24}, {-0.7, -0.5}, 6.5, Solid(Rgb(60, 60, 70)), 1);
  const Color query = Rgb(250, 235, 110);
  c.Fill(Ribbon(SmoothOpen({{7, 13}, {9, 5}, {16, 3}, {21, 8}, {14, 15}, {14, 21}}, 4), 3.4, 3),
         query);
  c.Fill(Ellipse({14, 26.5}, 2.2, 2.2), query);
  if (cell > 0) {
    for (int i = 0; i < 4; ++i) {
      const double y = 44 - (cell == 1 ? 4 : 20) - 5.5 * i, r = 1.6 + i * 0.45;
      Bubble(c, {33 + 2.5 * std::sin(i * 2.0), y}, r);
    }
  }
  return c.Resolve(0.75);
}

// Holds the ring buoy and waves; the five cells sweep the arm from left to right and back.
Image LifeguardCell(int f) {
  Canvas c(91, 156);
  const Paint skin = SkinPaint({34, 40});
  const Color hair = Rgb(250, 215, 110);
  const double sway = 0.35 * (f - 2);
  // ponytail behind the head swings against the wave
  Hair(c, {44, 24}, {0.45 - 0.1 * sway, 0.9}, 24, 1.2 - sway, hair, 4, 4);
  for (int side = -1; side <= 1; side += 2) {
    InkedLimb(c, {{38 + side * 6.0, 100}, {38 + side * 7.5, 124}, {38 + side * 6.5, 146}}, 10, 6.5,
              skin, kSkinInk);
    c.Fill(Ellipse({38 + side * 9.0, 149}, 5.5, 3), kSkinInk);
    c.Fill(Ellipse({38 + side * 9.0, 148.6}, 4.7, 2.3), skin);
  }
  c.Fill(SmoothClosed({{31, 44}, {45, 44}, {50, 56}, {26, 56}}, 3), skin);  // neck, shoulders
  const Paint suit = [](double x, double y) {
    return Shade(Rgb(230, 35, 40), 1.1 - std::abs(x - 34) / 40 - (y - 52) / 200);
  };
  const Path body = SmoothClosed({{27, 54},
                                  {33, 56},
                                  {38, 62},
                                  {43, 56},
                                  {49, 54},
                                  {47, 78},
                                  {49, 96},
                                  {45, 101},
                                  {38, 108},
                                  {31, 101},
                                  {27, 96},
                                  {29, 78}},
                                 4);
  c.Fill(Apply(body, Affine::Stretch(1.08, 1.03, {38, 80})), Rgb(120, 15, 20));
  c.Fill(body, suit);
  c.Fill(Path{{35, 70}, {41, 70}, {41, 67}, {35, 67}}, Rgb(250, 250, 250));  // white cross
  c.Fill(Path{{36.5, 64.5}, {39.5, 64.5}, {39.5, 72.5}, {36.5, 72.5}}, Rgb(250, 250, 250));
  c.Fill(Ribbon({{29, 92}, {47, 92}}, 1.4, 1.4), Rgb(250, 250, 250));
  // left arm holds the buoy at her side
  c.Fill(Tube(Ellipse({17, 106}, 11, 11), [](double) { return 8.5; }), Rgb(120, 30, 30));
  c.Fill(Tube(Ellipse({17, 106}, 11, 11), [](double) { return 7.0; }), [](double x, double y) {
    const double a = std::atan2(y - 106, x - 17) + kPi;
    const Color base = std::fmod(a, kPi / 2) < kPi / 4 ? Rgb(252, 252, 252) : Rgb(240, 60, 40);
    return Shade(base, 1.0 - 0.15 * (y - 96) / 20);
  });
  InkedLimb(c, {{28, 57}, {22, 76}, {22, 92}}, 7, 5.5, skin, kSkinInk);
  Hand(c, {22, 92}, {-0.2, 1}, 5, skin, 1);
  const double a = -0.45 + 0.28 * f;  // forearm angle from upright
  const Vec sh = {48, 57}, el = {61, 46}, hand = el + Vec{12 * std::sin(a), -13 * std::cos(a)};
  InkedLimb(c, {sh, el, hand}, 7, 5.5, skin, kSkinInk);
  Hand(c, hand, hand - el, 5.5, skin, -1);
  c.Fill(Ribbon({{33, 47}, {38, 57}, {43, 47}}, 0.9, 0.9), Rgb(230, 230, 240));  // whistle cord
  c.Fill(Ellipse({38, 58}, 2.6, 2), Rgb(240, 220, 40));
  Face(c, {38, 34}, 11, hair, 0);
  return c.Resolve(0.75);
}

// Bobs in place, paddling with hands and flippers, a rubber ring round his middle.
Image SwimDudeCell(int f) {
  Canvas c(64, 131);
  const double ph = Phase(f, 6);
  const double bob = 2 * std::sin(ph);
  const Paint skin = SkinPaint({26, 52 + bob});
  for (int side = -1; side <= 1; side += 2) {  // legs paddle in turn
    const double k = 4 * std::sin(ph + (side > 0 ? kPi : 0));
    const Vec ankle = {32 + side * 9.0 + k, 121 + bob};
    InkedLimb(c, {{32 + side * 8.0, 94 + bob}, {32 + side * 10.0 + k * 0.3, 108 + bob}, ankle}, 11,
              7, skin, kSkinInk);
    c.Fill(SmoothClosed({ankle + Vec{-4, -1}, ankle + Vec{4, -1}, ankle + Vec{side * 8.0, 9},
                         ankle + Vec{-side * 6.0, 9}},
                        3),
           Linear(ankle, Rgb(70, 200, 100), ankle + Vec{0, 9}, Rgb(30, 130, 60)));
  }
  c.Fill(
      SmoothClosed({{14, 86}, {50, 86}, {52, 100}, {40, 102}, {32, 98}, {24, 102}, {12, 100}}, 3),
      [](double x, double y) {  // flowered trunks
        const bool petal = std::hypot(std::fmod(x + 40, 8.0) - 4, std::fmod(y, 8.0) - 4) < 1.8;
        return petal ? Rgb(250, 250, 200) : Rgb(40, 110, 200);
      });
  // the rubber ring: a striped torus, its far half behind him
  const Path ring = Ellipse({32, 86 + bob}, 26, 8);
  c.Fill(Tube(ring, [](double) { return 9.0; }), Shade(Rgb(235, 70, 100), 0.7));
  c.Fill(Ellipse({32, 66 + bob}, 23, 27), kSkinInk);
  c.Fill(Ellipse({32, 66 + bob}, 22, 26), skin);  // the belly
  c.Fill(Ellipse({32, 75 + bob}, 1.4, 1.8), Shade(kSkin, 0.7));
  for (int side = -1; side <= 1; side += 2) {
    c.Fill(Ribbon({{32 + side * 4.0, 52 + bob},
                   {32 + side * 11.0, 56 + bob},
                   {32 + side * 16.0, 53 + bob}},
                  1, 1),
           Shade(kSkin, 0.8));  // a fold under each pec
  }
  const Paint rubber = [bob](double x, double y) {
    const double a = std::atan2((y - 86 - bob) / 8, (x - 32) / 26) + kPi;
    const Color base =
        std::fmod(a + 0.3, kPi / 3) < kPi / 6 ? Rgb(252, 240, 80) : Rgb(235, 70, 100);
    return Shade(base, 1.15 - 0.25 * std::abs(y - 83 - bob) / 7);
  };
  c.Fill(Tube(Path(ring.begin(), ring.begin() + 21), [](double) { return 9.0; }), rubber);
  for (int side = -1; side <= 1; side += 2) {  // hands paddle on the ring
    const double w = 4 * std::sin(ph + side);
    const Vec hand = {32 + side * 23.0, 80 + bob + w};
    InkedLimb(c, {{32 + side * 17.0, 50 + bob}, {32 + side * 26.0, 62 + bob + w * 0.5}, hand}, 9, 7,
              skin, kSkinInk);
    Hand(c, hand, {side * 0.3, 1}, 5.5, skin, -side);
  }
  Face(c, {32, 31 + bob}, 12, Rgb(100, 65, 40), 0);
  c.Fill(Ribbon({{19, 31 + bob}, {45, 31 + bob}}, 2, 2), Rgb(40, 40, 60));  // mask strap
  c.Fill(SmoothClosed({{21, 25 + bob},
                       {43, 25 + bob},
                       {43, 35 + bob},
                       {35, 36 + bob},
                       {32, 33 + bob},
                       {29, 36 + bob},
                       {21, 35 + bob}},
                      3),
         Rgb(50, 50, 65));
  c.Glaze(SmoothClosed({{23, 27 + bob},
                        {41, 27 + bob},
                        {41, 33.5 + bob},
                        {35, 34 + bob},
                        {32, 31.5 + bob},
                        {29, 34 + bob},
                        {23, 33.5 + bob}},
                       3),
          Solid(Rgb(150, 220, 240)), 0.45);
  c.Fill(Ribbon({{44, 40 + bob}, {49, 34 + bob}, {49, 12 + bob}}, 3.2, 3.2),
         Rgb(250, 120, 30));  // snorkel
  c.Fill(Ribbon({{47.4, 12 + bob}, {50.6, 12 + bob}}, 3, 3), Rgb(40, 40, 60));
  return c.Resolve(0.75);
}

// Scrubs with a long brush in a claw-foot tub full of foam; the duck bobs beside him.
Image BatherCell(int f) {
  Canvas c(90, 123);
  const double ph = Phase(f, 8);
  const Paint skin = SkinPaint({36, 60});
  const double scrub = 5 * std::sin(ph);
  // shoulders and chest rising from the foam
  c.Fill(SmoothClosed({{22, 90}, {26, 76}, {36, 72}, {50, 72}, {60, 76}, {64, 90}}, 4), kSkinInk);
  c.Fill(SmoothClosed({{23, 90}, {27, 77}, {36, 73}, {50, 73}, {59, 77}, {63, 90}}, 4), skin);
  const Vec hand = {66 + 0.4 * scrub, 56 + scrub};
  c.Fill(Ribbon({hand + Vec{-3, 6}, hand + Vec{10, -22}}, 2.6, 2.6), Rgb(150, 95, 50));  // handle
  const Vec head = hand + Vec{11, -26};
  const Affine along = Affine::Turn(-1.14, head);  // the brush follows its handle
  for (int i = -3; i <= 3; ++i) {
    c.Fill(
        Apply(Rect(head.x + 1.8 * i - 0.5, head.y + 2, head.x + 1.8 * i + 0.5, head.y + 6), along),
        Rgb(245, 230, 175));
  }
  c.Fill(Apply(SmoothClosed(
                   {head + Vec{-7, -2}, head + Vec{7, -2}, head + Vec{7, 2.5}, head + Vec{-7, 2.5}},
                   2),
               along),
         Linear(head + Vec{0, -3}, Rgb(190, 125, 70), head + Vec{0, 3}, Rgb(130, 80, 40)));
  InkedLimb(c, {{56, 80}, {70, 72}, hand}, 7, 6, skin, kSkinInk);
  Hand(c, hand, {-0.2, -1}, 5.5, skin, -1);
  Face(c, {43, 60}, 11.5, Rgb(90, 60, 40), 0.25 * std::sin(ph));
  // shower cap with a frilled band
  c.Fill(SmoothClosed({{30, 56}, {31, 46}, {43, 40}, {55, 46}, {56, 56}, {43, 52}}, 4),
         Radial({38, 44}, 18, Rgb(255, 190, 220), Rgb(220, 110, 160)));
  for (int i = 0; i < 7; ++i) {
    c.Fill(Ellipse({31.5 + i * 4.0, 55 - 2.2 * std::sin(i * kPi / 6)}, 2.4, 2), Rgb(255, 215, 235));
  }
  // the tub: rolled rim, enamel body, gold claw feet
  const Paint enamel = [](double x, double y) {
    return Mix(Rgb(252, 252, 255), Rgb(150, 165, 195),
               0.35 * std::abs(x - 45) / 40 + (y - 84) / 40);
  };
  c.Fill(SmoothClosed({{6, 84}, {84, 84}, {81, 102}, {68, 111}, {22, 111}, {9, 102}}, 4), enamel);
  c.Fill(Tube(Path{{5, 83}, {85, 83}}, [](double) { return 5.0; }),
         Linear({0, 80}, Rgb(255, 255, 255), {0, 86}, Rgb(190, 200, 220)));
  c.Fill(Ribbon({{20, 94}, {70, 94}}, 1.2, 1.2), Rgb(120, 170, 220), 0.6);
  for (int side = -1; side <= 1; side += 2) {  // claw feet: a leg, a ball and three toes
    const Vec foot = {45 + side * 27.0, 113};
    c.Fill(SmoothClosed(
               {foot + Vec{-3, -5}, foot + Vec{3, -5}, foot + Vec{4, 3}, foot + Vec{-4, 3}}, 3),
           Linear(foot + Vec{-4, 0}, Rgb(250, 215, 90), foot + Vec{4, 0}, Rgb(180, 130, 30)));
    for (int t = -1; t <= 1; ++t) {
      c.Fill(Ellipse(foot + Vec{t * 3.2, 6}, 2, 3), Rgb(215, 170, 50));
    }
  }
  Rng rng(77);
  for (int i = 0; i < 18; ++i) {  // foam, shimmering as it pops
    const double x = rng.Range(8, 82), y = rng.Range(74, 84),
                 r = rng.Range(3, 6) * (0.85 + 0.15 * std::sin(ph + i));
    c.Fill(Ellipse({x, y}, r, r),
           Radial({x - 1, y - 1}, r, Rgb(255, 255, 255), Rgb(185, 205, 240)));
  }
  const double duck = 1.5 * std::sin(ph + 1);
  const Color yellow = Rgb(255, 215, 30);
  c.Fill(
      SmoothClosed(
          {{12, 73 + duck}, {26, 71 + duck}, {29, 66 + duck}, {24, 77 + duck}, {14, 78 + duck}}, 3),
      Linear({0, 66 + duck}, yellow, {0, 78 + duck}, Shade(yellow, 0.75)));
  c.Fill(Ellipse({16, 66 + duck}, 4.2, 4), Radial({15, 64 + duck}, 5, Rgb(255, 245, 140), yellow));
  c.Fill(SmoothClosed({{12.5, 65.5 + duck}, {7, 66.5 + duck}, {12.5, 68.2 + duck}}, 2),
         Rgb(250, 130, 30));
  c.Fill(Ellipse({15, 64.5 + duck}, 0.9, 0.9), Rgb(20, 20, 20));
  return c.Resolve(0.75);
}

}  // namespace

void AddCentrefolkPictures(std::vector<Picture>& out) {
  out.push_back({"a_swimdude.bmp", [] { return MakeSheet(64, 131, 6, SwimDudeCell, false); }});
  out.push_back({"a_lifeguard.bmp", [] { return MakeSheet(91, 156, 5, LifeguardCell, false); }});
  out.push_back({"a_scubadude.bmp", [] { return MakeSheet(92, 155, 3, ScubaDudeCell, false); }});
  out.push_back({"a_bather.bmp", [] { return MakeSheet(90, 123, 8, BatherCell, false); }});
}

}  // namespace mediagen
