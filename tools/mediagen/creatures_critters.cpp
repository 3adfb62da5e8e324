// The octopus, the jellyfish, the crab and the giant clams.
#include <cmath>

#include "mediagen/creatures.h"
#include "mediagen/pictures.h"

namespace mediagen {

namespace {

// Swims left by jets: the mantle leads and the arms stream behind, opening and closing.
Image OctopusCell(int f) {
  Canvas c(136, 81);
  const double ph = Phase(f, 16);
  const double open = 0.5 + 0.5 * std::cos(ph);
  const Color skin = Rgb(205, 70, 45), dark = Rgb(120, 30, 30), light = Rgb(250, 150, 110);
  const Paint flesh = [&](double x, double y) {
    const double spots = Noise(x * 0.35, y * 0.35, 11);
    return Mix(Mix(skin, light, std::clamp((40 - y) / 40, 0.0, 0.6)), dark,
               spots > 0.68 ? 0.5 : 0.0);
  };
  for (int k = 0; k < 6; ++k) {
    const double spread = (k - 2.5) / 2.5;
    Path arm;
    const Vec base = {50 + 2.0 * k, 40 + 4 * spread};
    for (int i = 0; i <= 14; ++i) {
      const double t = i / 14.0;
      const double len = 78 - 6 * std::abs(spread) - 14 * open;
      const double y =
          base.y + spread * t * (10 + 24 * open) + 4 * std::sin(ph * 1 - t * 5 + k) * t;
      arm.push_back({base.x + t * len, y});
    }
    c.Fill(Ribbon(arm, 9 - 0.6 * std::abs(spread), 1.2), flesh);
    for (int i = 2; i < 13; i += 2) {  // suckers along the arm
      const Vec s = arm[i];
      c.Fill(Ellipse(s + Vec{0, 2.5 - 0.15 * i}, 1.1 - 0.05 * i, 0.9 - 0.04 * i),
             Rgb(250, 200, 180));
    }
  }
  // the mantle, stretched a little as the jet squeezes it
  const Vec m = {30, 36 - 2 * open};
  c.Fill(Ellipse(m, 28 + 3 * (1 - open), 19 - 2 * (1 - open), -0.15), flesh);
  c.Glaze(Ellipse(m + Vec{-6, -7}, 12, 6, -0.2), Solid(Rgb(255, 190, 160)), 0.45);
  DrawEye(c, {52, 36}, 4, Rgb(240, 210, 90));
  return c.Resolve(0.8);
}

// Pulses as it rises; drawn additively, so dark parts stay see-through.
Image JellyCell(int f, bool tilt_right) {
  Canvas c(56, 71);
  const double ph = Phase(f, 31);
  const double squeeze = 0.5 + 0.5 * std::sin(ph);
  const double rx = 22 - 4 * squeeze, ry = 15 + 3 * squeeze;
  const Vec top = {28, 4};
  const Affine lean = Affine::Turn((tilt_right ? 1 : -1) * 0.12, {28, 30});
  for (int k = 0; k < 7; ++k) {
    const double x0 = top.x - rx * 0.8 + rx * 1.6 * k / 6;
    Path t;
    for (int i = 0; i <= 12; ++i) {
      const double s = i / 12.0;
      t.push_back({x0 + 3 * std::sin(ph * 1 + s * 6 + k) * s + (x0 - top.x) * 0.2 * s,
                   top.y + ry * 1.6 + s * (46 - 8 * squeeze)});
    }
    c.Fill(Apply(Ribbon(t, 1.4, 0.6), lean), Rgb(150, 110, 190));
  }
  for (int k = 0; k < 3; ++k) {  // frilly oral arms
    Path t;
    for (int i = 0; i <= 12; ++i) {
      const double s = i / 12.0;
      t.push_back(
          {top.x + (k - 1) * 5 + 4 * std::sin(ph + s * 5 + k * 2) * s, top.y + ry * 1.5 + s * 30});
    }
    c.Fill(Apply(Ribbon(t, 4, 1.5), lean), Rgb(200, 120, 200));
  }
  Path bell;
  for (int i = 0; i <= 24; ++i) {
    const double a = kPi + kPi * i / 24;
    bell.push_back({top.x + rx * std::cos(a), top.y + ry + ry * std::sin(a)});
  }
  for (int i = 0; i <= 12; ++i) {  // scalloped rim
    const double x = top.x + rx - 2 * rx * i / 12;
    bell.push_back({x, top.y + ry + 1.5 + 1.5 * std::cos(i * kPi)});
  }
  c.Fill(Apply(bell, lean),
         Radial(top + Vec{0, ry * 0.9}, rx * 1.2, Rgb(70, 40, 110), Rgb(230, 170, 255)));
  c.Glaze(Apply(Ellipse(top + Vec{-rx * 0.35, ry * 0.5}, rx * 0.3, ry * 0.25), lean),
          Solid(Rgb(255, 240, 255)), 0.7);
  return c.Resolve(1.0);
}

// Front view; cell 7 rests with claws down, cell 0 has them high and open.
Image CrabCell(int cell) {
  Canvas c(61, 40);
  const double up = (7 - cell) / 7.0;
  const Color shell = Rgb(215, 70, 30), deep = Rgb(140, 35, 20);
  const Paint carapace = Radial({30, 22}, 22, Rgb(250, 130, 70), deep);
  for (int side = -1; side <= 1; side += 2) {
    for (int k = 0; k < 3; ++k) {  // jointed walking legs
      const Vec hip = {30.0 + side * (12 + 3 * k), 30};
      const Vec knee = hip + Vec{side * (8.0 + 2 * k), -4.0 + k};
      const Vec foot = knee + Vec{side * (4.0 + k), 9};
      c.Fill(Ribbon({hip, knee}, 3.2, 2.6), deep);
      c.Fill(Ribbon({knee, foot}, 2.6, 1.0), deep);
    }
    // the claw arm lifts and the pincer opens as `up` grows
    const Vec shoulder = {30.0 + side * 13, 24};
    const Vec elbow = shoulder + Vec{side * 9.0, -3 - 3 * up};
    const Vec wrist = elbow + Vec{-side * 2 * up, -3 - 6 * up};
    c.Fill(Ribbon({shoulder, elbow, wrist}, 4, 3.5), shell);
    const double gape = 0.15 + 0.6 * up;
    const Vec claw = wrist + Vec{0, -4};
    c.Fill(Ellipse(claw, 6, 4.5, side * 0.3), carapace);
    const Vec tip = claw + Vec{side * 1.5, -5};
    c.Fill(SmoothClosed(
               {claw + Vec{-3, -1}, tip + Vec{-side * 2 * gape - 1, -2}, claw + Vec{0, -2}}, 3),
           shell);
    c.Fill(
        SmoothClosed({claw + Vec{1, -1}, tip + Vec{side * 3 * gape + 1, -1}, claw + Vec{3, 0}}, 3),
        shell);
    // eye stalks rise with the claws
    const Vec stalk = {30 + side * 4.0, 17 - 4 * up};
    c.Fill(Ribbon({{30 + side * 3.0, 20}, stalk}, 1.6, 1.4), deep);
    DrawEye(c, stalk, 1.8, Rgb(240, 240, 220));
  }
  c.Fill(SmoothClosed({{10, 28}, {14, 19}, {30, 15}, {46, 19}, {50, 28}, {42, 34}, {18, 34}}, 6),
         carapace);
  c.Glaze(Ellipse({25, 21}, 8, 3), Solid(Rgb(255, 190, 140)), 0.5);
  c.Glaze(Ribbon({{24, 30}, {30, 31}, {36, 30}}, 1, 1), Solid(deep), 0.8);
  return c.Resolve(0.8);
}

// A fluted giant clam; open 0 is shut, 1 wide open with its blue mantle and a pearl.
void DrawClam(Canvas& c, double w, double h, double open) {
  const double cx = w / 2, hinge = h * 0.62, rx = w / 2 - 1;
  const Paint shell = [&](double x, double y) {
    const double flute = 0.5 + 0.5 * std::cos((x - cx) / rx * 7 * kPi / 2);
    return Shade(Mix(Rgb(235, 225, 200), Rgb(180, 160, 130), (y - hinge + h * 0.3) / h),
                 0.8 + 0.25 * flute);
  };
  Path lower;
  for (int i = 0; i <= 28; ++i) {
    const double a = kPi * i / 28;
    lower.push_back({cx + rx * std::cos(a), hinge + (h - hinge - 1) * std::sin(a)});
  }
  Path top_edge;
  for (int i = 0; i <= 28; ++i) {
    const double x = cx - rx + 2 * rx * i / 28;
    top_edge.push_back({x, hinge - 1.2 * std::abs(std::sin(i * kPi / 4))});
  }
  lower.insert(lower.end(), top_edge.begin(), top_edge.end());
  // the inside and the upper valve, which swings up on its hinge as the clam opens: its outer
  // dome keeps its size while its pearly underside comes into view below the rim
  const double lift = open * hinge * 0.45, dome = hinge * 0.5;
  if (open > 0.05) {
    c.Fill(Ellipse({cx, hinge - lift * 0.45}, rx * 0.92, lift * 0.55 + 1),
           Radial({cx, hinge - lift * 0.5}, rx, Rgb(60, 200, 230), Rgb(60, 40, 150)));
    for (int i = 0; i < 5; ++i) {
      c.Glaze(Ellipse({cx - rx * 0.6 + rx * 0.3 * i, hinge - lift * 0.45}, 1.2, lift * 0.4 + 0.5),
              Solid(Rgb(150, 250, 255)), 0.6);
    }
    if (open > 0.7)
      c.Fill(
          Ellipse({cx, hinge - lift * 0.3}, h * 0.09, h * 0.09),
          Radial({cx - 1, hinge - lift * 0.35}, h * 0.12, Rgb(255, 255, 255), Rgb(200, 190, 210)));
  }
  const double lip = hinge - lift;
  Path upper;
  for (int i = 0; i <= 28; ++i) {
    const double a = kPi * i / 28;
    upper.push_back({cx + rx * std::cos(a), lip - dome * std::sin(a)});
  }
  for (int i = 28; i >= 0; --i) {
    const double x = cx - rx + 2 * rx * (28 - i) / 28;
    upper.push_back({x, lip + 1.2 * std::abs(std::sin(i * kPi / 4))});
  }
  c.Fill(upper, shell);
  if (open > 0.05) {
    const double inside = dome * 0.75 * open;
    c.Fill(Ellipse({cx, lip - inside * 0.45}, rx * 0.86, inside * 0.55), [cx, rx, lip](double x,
                                                                                       double y) {
      const double flute = 0.5 + 0.5 * std::cos((x - cx) / rx * 7 * kPi / 2);
      return Shade(Mix(Rgb(250, 235, 240), Rgb(200, 185, 215), (lip - y) / 6), 0.85 + 0.15 * flute);
    });
  }
  c.Fill(lower, shell);
}

Image ClamCell(int cell) {
  const bool big = cell < 5;
  const int w = big ? 40 : 30, h = big ? 27 : 19;
  Canvas c(w, h);
  DrawClam(c, w, h, (cell % 5) / 4.0);
  return c.Resolve(0.8);
}

}  // namespace

void AddCritterPictures(std::vector<Picture>& out) {
  out.push_back(
      {"a_octopus.bmp", [] { return MakeSwimSheet(136, 81, 16, OctopusCell, true, false); }});
  out.push_back({"a_jellyfish.bmp", [] {
                   return MakeSheet(
                       56, 71, 62, [](int cell) { return JellyCell(cell % 31, cell < 31); }, false);
                 }});
  out.push_back({"a_crab.bmp", [] { return MakeSheet(61, 40, 8, CrabCell, true); }});
  out.push_back({"a_clam.bmp", [] {
                   // five large cells, then five small ones from x 200, all 27 rows high
                   Image row(350, 27);
                   for (int i = 0; i < 10; ++i) {
                     Paste(row, ClamCell(i), i < 5 ? i * 40 : 200 + (i - 5) * 30, 0);
                   }
                   return MakeSheet(
                       350, 27, 1, [&](int) { return row; }, true);
                 }});
}

}  // namespace mediagen
