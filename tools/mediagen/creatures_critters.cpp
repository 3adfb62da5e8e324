// The octopus, the jellyfish, the crab and the giant clams.
#include <cmath>

#include "mediagen/creatures.h"
#include "mediagen/pictures.h"

namespace mediagen {

namespace {

// Swims left by jets: the mantle leads and five thick arms stream behind, spreading and
// closing with each stroke, their tips curling in turn up and down.
Image OctopusCell(int f) {
  Canvas c(136, 81);
  const double ph = Phase(f, 16);
  const double open = 0.5 + 0.5 * std::cos(ph);
  const Color skin = Rgb(215, 80, 50), dark = Rgb(150, 45, 35), light = Rgb(250, 160, 120);
  const Paint flesh = [&](double, double y) {
    return Mix(Mix(skin, light, std::clamp((38 - y) / 30, 0.0, 0.7)), dark,
               std::clamp((y - 44) / 30, 0.0, 0.6));
  };
  const Paint under = Solid(Rgb(245, 170, 140));
  for (int k = 0; k < 5; ++k) {
    const double spread = (k - 2) / 2.0;
    const int curl = k < 2 || k == 3 ? 1 : -1;  // which way the tip rolls: mostly inward
    // walk along the arm, turning more and more toward the tip so that it rolls up
    Path arm;
    Vec at = {48 + 2.0 * (2 - std::abs(k - 2)), 38 + 5 * spread};
    double heading = spread * (0.2 + 0.25 * open);
    const double len = 74 - 8 * std::abs(spread) - 10 * open, steps = 24;
    for (int i = 0; i <= steps; ++i) {
      const double t = i / steps;
      arm.push_back(at);
      const double roll = std::max(0.0, (t - 0.55) / 0.45);
      heading += 0.05 * std::sin(ph - t * 5 + k) + curl * (0.9 - 0.3 * open) * roll * roll;
      at = at + Vec{std::cos(heading), std::sin(heading)} * (len / steps);
    }
    const Path ribbon = Tube(arm, [](double t) { return 12 * std::pow(1 - t, 0.8) + 2.2; });
    c.Fill(ribbon, flesh);
    // the paler underside shows as a band along the inner edge of the curl
    c.Glaze(Tube(Shift(arm, 0, curl * 1.2), [](double t) { return 5 * (1 - t) + 0.6; }), under,
            0.5);
  }
  // the mantle, stretched a little as the jet squeezes it
  const Vec m = {30, 36 - 2 * open};
  c.Fill(Ellipse(m, 28 + 3 * (1 - open), 19 - 2 * (1 - open), -0.15), flesh);
  c.Glaze(Ellipse(m + Vec{-6, -7}, 12, 6, -0.2), Solid(Rgb(255, 190, 160)), 0.45);
  c.Glaze(Ellipse(m + Vec{4, 8}, 16, 6, -0.15), Solid(dark), 0.3);
  DrawEye(c, {52, 36}, 4, Rgb(240, 210, 90));
  return c.Resolve(0.8);
}

// Pulses as it rises. It is drawn with a plain OR and no mask, so every colour adds to the
// water behind it: the few flat colours keep each channel in its top bits, which the water
// can barely change, and so the jelly reads as the same pale lilac on every background.
Image JellyCell(int f, bool tilt_right) {
  Canvas c(56, 71);
  const double ph = Phase(f, 31);
  const double squeeze = 0.5 + 0.5 * std::sin(ph);
  const double rx = 21 - 4 * squeeze, ry = 14 + 3 * squeeze;
  const Vec top = {28, 3};
  const double rim = top.y + ry;
  const Affine lean = Affine::Turn((tilt_right ? 1 : -1) * 0.12, {28, 30});
  const Color bell = Rgb(255, 192, 255), glow = Rgb(255, 248, 255);
  // The tentacles hang from just inside the rim and are wide enough never to break apart.
  for (int k = 0; k < 7; ++k) {
    const double x0 = top.x - rx * 0.85 + rx * 1.7 * k / 6;
    Path t;
    for (int i = 0; i <= 16; ++i) {
      const double s = i / 16.0;
      t.push_back({x0 + 3 * std::sin(ph - s * 5 + k * 2) * s + (x0 - top.x) * 0.15 * s,
                   rim - 1 + s * (48 - 8 * squeeze - 3 * (k % 2))});
    }
    c.Fill(Apply(Ribbon(t, 1.7, 1.5), lean), bell);
  }
  for (int k = 0; k < 4; ++k) {  // frilly oral arms, ruffled along their edges
    const double x0 = top.x + (k - 1.5) * 4;
    Path t;
    for (int i = 0; i <= 12; ++i) {
      const double s = i / 12.0;
      t.push_back({x0 + 3 * std::sin(ph - s * 4 + k * 1.7) * s, rim - 2 + s * (30 - 4 * squeeze)});
    }
    c.Fill(
        Apply(Tube(t, [k](double s) { return 3.4 - 1.6 * s + 0.8 * std::sin(s * 20 + k); }), lean),
        bell);
  }
  // the top half of an ellipse round the rim's centre, from left to right
  const auto arc = [&](double a, double b) {
    Path out;
    for (int i = 0; i <= 24; ++i) {
      const double t = kPi + kPi * i / 24;
      out.push_back({top.x + a * std::cos(t), rim + b * std::sin(t)});
    }
    return out;
  };
  Path dome = arc(rx, ry);
  for (int i = 0; i <= 16; ++i) {  // scalloped rim
    const double x = top.x + rx - 2 * rx * i / 16;
    dome.push_back({x, rim + 1.2 + 1.2 * std::cos(i * kPi)});
  }
  c.Fill(Apply(dome, lean), bell);
  // the band of the margin and the four rings of the gonads seen through the bell
  Path margin = arc(rx - 1.6, ry - 1.6);
  const Path outer = arc(rx - 0.2, ry - 0.2);
  margin.insert(margin.end(), outer.rbegin(), outer.rend());
  c.Fill(Apply(margin, lean), glow);
  for (int k = 0; k < 4; ++k) {
    const Vec at = {top.x + (k - 1.5) * rx * 0.36, rim - ry * (0.35 + 0.08 * (k == 1 || k == 2))};
    Path ring = Ellipse(at, rx * 0.14, ry * 0.13, 0, 14);
    ring.push_back(ring.front());
    c.Fill(Apply(Tube(ring, [](double) { return 1.3; }), lean), glow);
  }
  c.Fill(Apply(Ellipse(top + Vec{-rx * 0.4, ry * 0.38}, rx * 0.22, ry * 0.16, -0.5), lean), glow);
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

// A giant clam seen from the side, its hinge down; open 0 is shut, 1 gapes wide. The shell is
// fluted into five broad ribs fanning up from the hinge, each ending in a round lobe of the
// scalloped rim; as it opens, the vivid mantle swells out over the rim, turquoise edged in
// deep blue and dotted with bright spots.
void DrawClam(Canvas& c, double w, double h, double open) {
  const double cx = w / 2, rx = w / 2 - 1, lip = h * 0.45, lobe = h * 0.13;
  const double ribs = 5;
  const auto fan = [&](double x, double y) {  // across the ribs, 0 to ribs from left to right
    return ribs / 2 + (x - cx) / rx * ribs / 2 * (h + 4 - lip) / (h + 4 - y);
  };
  const Paint shell = [&](double x, double y) {
    const double crest = std::abs(std::sin(fan(x, y) * kPi));
    const Color base = Mix(Rgb(250, 242, 220), Rgb(175, 150, 120), (y - lip + lobe) / (h - lip));
    return Shade(base, 0.7 + 0.42 * crest);
  };
  if (open > 0.05) {
    const double rise = open * h * 0.34;
    Path mantle;
    for (int i = 0; i <= 30; ++i) {
      const double t = i / 30.0, x = cx - rx * 0.88 + 1.76 * rx * t;
      const double swell = std::sin(kPi * t) * (1 + 0.15 * std::sin(t * 6 * kPi));
      mantle.push_back({x, lip - rise * std::sqrt(swell)});
    }
    mantle.push_back({cx + rx * 0.8, lip + 2});
    mantle.push_back({cx - rx * 0.8, lip + 2});
    const Paint vivid = [&](double x, double y) {
      if (Noise(x * 0.9, y * 0.9, 5) > 0.7) return Rgb(170, 255, 215);
      return Mix(Rgb(30, 220, 230), Rgb(60, 90, 230), std::clamp((x - cx) / rx + 0.5, 0.0, 1.0));
    };
    c.Fill(Apply(mantle, Affine::Stretch(1.04, 1.12, {cx, lip + 2})), Rgb(35, 45, 170));
    c.Fill(mantle, vivid);
  }
  Path body;
  const int n = 60;
  const auto x_at = [&](int i) { return cx - rx + 2 * rx * i / n; };
  for (int i = 0; i <= n; ++i) {  // the scalloped rim, a lobe on each rib, left to right
    body.push_back({x_at(i), lip - lobe * std::sqrt(std::abs(std::sin(ribs * kPi * i / n)))});
  }
  for (int i = 1; i < 24; ++i) {
    const double a = kPi * i / 24;
    body.push_back({cx + rx * std::cos(a), lip + (h - 1 - lip) * std::sin(a)});
  }
  c.Fill(body, shell);
  // the line where the two valves meet, zigzagging along the rim
  Path seam;
  for (int i = 2; i <= n - 2; ++i)
    seam.push_back({x_at(i), lip + 1.5 + 1.2 * std::abs(std::sin(ribs * kPi * i / n))});
  c.Glaze(Ribbon(seam, 0.8, 0.8), Solid(Rgb(120, 95, 75)), 0.6);
  if (open > 0.7)
    c.Fill(Ellipse({cx, lip - h * 0.12}, h * 0.08, h * 0.08),
           Radial({cx - 1, lip - h * 0.14}, h * 0.12, Rgb(255, 255, 255), Rgb(200, 190, 210)));
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
