#include "mediagen/draw_people.h"

#include <algorithm>
#include <cmath>

namespace mediagen {

namespace {

Vec Unit(Vec d) {
  const double len = std::hypot(d.x, d.y);
  return len > 0 ? d * (1 / len) : Vec{1, 0};
}

const Color kInk = Rgb(90, 50, 40);

}  // namespace

Paint SkinPaint(Vec light) {
  return [light](double x, double y) {
    return Shade(kSkin, std::max(0.8, 1.08 - 0.006 * std::hypot(x - light.x, y - light.y)));
  };
}

void Face(Canvas& c, Vec at, double r, Color hair, double turn) {
  const double sh = turn * r * 0.35;
  for (int side = -1; side <= 1; side += 2) {  // ears, drawn first so the head overlaps them
    const Vec e = at + Vec{side * r * 0.98 + sh * 0.4, r * 0.05};
    c.Fill(Ellipse(e, r * 0.22, r * 0.3), Shade(kSkin, 0.85));
  }
  c.Fill(Ellipse(at, r * 1.04, r * 1.14), kInk);
  c.Fill(Ellipse(at, r, r * 1.1),
         Radial(at + Vec{-r * 0.3, -r * 0.4}, r * 1.7, Shade(kSkin, 1.1), Shade(kSkin, 0.82)));
  const double ex = r * 0.38;
  for (int side = -1; side <= 1; side += 2) {
    const Vec eye = at + Vec{side * ex + sh, -r * 0.08};
    c.Fill(Ellipse(at + Vec{side * ex * 1.15 + sh, r * 0.3}, r * 0.2, r * 0.12), Rgb(245, 150, 140),
           0.6);  // cheeks
    c.Fill(Ellipse(eye, r * 0.19, r * 0.23), Rgb(252, 252, 250));
    c.Fill(Ellipse(eye + Vec{turn * r * 0.06, r * 0.03}, r * 0.12, r * 0.15), Rgb(50, 90, 150));
    c.Fill(Ellipse(eye + Vec{turn * r * 0.06, r * 0.03}, r * 0.06, r * 0.08), Rgb(20, 20, 30));
    c.Fill(Ribbon({eye + Vec{-r * 0.2, -r * 0.3}, eye + Vec{0, -r * 0.36},
                   eye + Vec{r * 0.2, -r * 0.3}},
                  r * 0.09, r * 0.06),
           Shade(hair, 0.7));  // brows
  }
  c.Fill(Ribbon({at + Vec{sh * 1.4, -r * 0.02}, at + Vec{sh * 1.4 + turn * r * 0.1, r * 0.22},
                 at + Vec{sh * 1.4 - r * 0.08, r * 0.27}},
                r * 0.08, r * 0.08),
         Shade(kSkin, 0.72));  // nose
  c.Fill(Ribbon(SmoothOpen({at + Vec{-r * 0.3 + sh, r * 0.47}, at + Vec{sh, r * 0.62},
                            at + Vec{r * 0.3 + sh, r * 0.47}},
                           4),
                r * 0.13, r * 0.13),
         Rgb(190, 60, 70));
  c.Fill(SmoothClosed({at + Vec{-r * 1.07, r * 0.05}, at + Vec{-r * 0.95, -r * 0.95},
                       at + Vec{0, -r * 1.28}, at + Vec{r * 0.95, -r * 0.95},
                       at + Vec{r * 1.07, r * 0.05}, at + Vec{r * 0.7, -r * 0.55},
                       at + Vec{r * 0.1, -r * 0.72}, at + Vec{-r * 0.7, -r * 0.5}},
                      4),
         Linear(at + Vec{0, -r * 1.2}, Shade(hair, 1.25), at, Shade(hair, 0.75)));
}

void Hair(Canvas& c, Vec crown, Vec flow, double length, double phase, Color hair, int strands,
          double thickness) {
  const Vec n = {-flow.y, flow.x};
  for (int k = 0; k < strands; ++k) {
    Path s;
    const double off = (k - (strands - 1) / 2.0) * thickness * 0.45;
    const double reach = length * (0.8 + 0.2 * std::sin(k * 2.3));
    for (int i = 0; i <= 12; ++i) {
      const double t = i / 12.0;
      s.push_back(
          crown + flow * (t * reach) +
          n * (off * (1 + 0.8 * t) + 0.12 * length * std::sin(phase + t * 5 + k * 0.6) * t));
    }
    const Color tone = Mix(Shade(hair, 0.75), Shade(hair, 1.2), ((k * 5) % 7) / 6.0);
    c.Fill(Tube(s, [thickness](double t) { return thickness * (1 - 0.75 * t * t) + 0.6; }),
           Shade(tone, 0.8));
    c.Fill(Tube(s, [thickness](double t) { return thickness * (1 - 0.75 * t * t) * 0.6; }), tone);
  }
}

void InkedLimb(Canvas& c, const Path& joints, double w0, double w1, const Paint& paint, Color ink) {
  const Path line = SmoothOpen(joints, 4);
  c.Fill(Ribbon(line, w0 + 1.4, w1 + 1.4), ink);
  c.Fill(Ellipse(joints.front(), (w0 + 1.4) / 2, (w0 + 1.4) / 2), ink);
  c.Fill(Ellipse(joints.back(), (w1 + 1.4) / 2, (w1 + 1.4) / 2), ink);
  c.Fill(Ribbon(line, w0, w1), paint);
  c.Fill(Ellipse(joints.front(), w0 / 2, w0 / 2), paint);
  c.Fill(Ellipse(joints.back(), w1 / 2, w1 / 2), paint);
}

void Hand(Canvas& c, Vec wrist, Vec dir, double size, const Paint& paint, int thumb_side) {
  const Vec d = Unit(dir), n = {-d.y, d.x};
  const Vec palm = wrist + d * (size * 0.55);
  const double a = std::atan2(d.y, d.x);
  const Vec thumb = wrist + d * (size * 0.35) + n * (thumb_side * size * 0.55);
  c.Fill(Ellipse(thumb, size * 0.42, size * 0.24, a + thumb_side * 0.9, 16), kInk);
  c.Fill(Ellipse(palm, size * 0.72, size * 0.5, a, 20), kInk);
  c.Fill(Ellipse(thumb, size * 0.32, size * 0.16, a + thumb_side * 0.9, 16), paint);
  c.Fill(Ellipse(palm, size * 0.62, size * 0.42, a, 20), paint);
}

void MerTail(Canvas& c, const Path& line, double w0, double phase, Color scales) {
  const Vec end = line.back(), prev = line[line.size() - 3];
  const Vec d = Unit(end - prev), n = {-d.y, d.x};
  const double spread = 0.7 * w0 + 2 * std::sin(phase);
  const Path fluke =
      SmoothClosed({end - d * 2, end + d * 8 + n * spread, end + d * 12 + n * (spread + 3),
                    end + d * 7, end + d * 12 - n * (spread + 3), end + d * 8 - n * spread},
                   4);
  c.Fill(fluke,
         Linear(end, Shade(scales, 1.1), end + d * 12, Mix(scales, Rgb(200, 255, 230), 0.6)));
  for (int k = -1; k <= 1; ++k) {  // fin rays; the middle one stops short of the notch
    c.Fill(Ribbon({end, end + d * (k ? 10 : 6) + n * (k * spread * 0.8)}, 0.8, 0.5),
           Shade(scales, 0.8));
  }
  const Paint scaly = [scales](double x, double y) {
    // overlapping scale rows: a crescent per cell, lighter toward its top
    const double u = std::fmod(x * 0.42 + (std::fmod(y * 0.5, 2.0) < 1 ? 0.5 : 0), 1.0);
    const double v = std::fmod(y * 0.5, 1.0);
    const double rim = std::hypot(u - 0.5, v) > 0.55 ? 0.8 : 1.0;
    return Shade(scales, rim * (0.9 + 0.25 * (1 - v)));
  };
  c.Fill(Tube(line, [w0](double t) { return w0 * (1 - 0.7 * t) + 1.4; }), Shade(scales, 0.6));
  c.Fill(Tube(line, [w0](double t) { return w0 * (1 - 0.7 * t); }), scaly);
  c.Glaze(Tube(line, [w0](double t) { return w0 * (1 - 0.7 * t) * 0.35; }),
          Solid(Rgb(230, 255, 250)), 0.25);
}

}  // namespace mediagen
