#include "mediagen/draw_fish.h"

#include <algorithm>
#include <cmath>

namespace mediagen {

namespace {

double Smooth(double a, double b, double x) {
  const double t = std::clamp((x - a) / (b - a), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

// Top or bottom edge of the body at u (sign -1 top, +1 bottom).
double Edge(const FishLook& s, double u, double phase, int sign) {
  const double h = FishHalfDepth(s, u) * (1 + sign * s.belly);
  return FishCentre(s, u, phase) + sign * h;
}

Vec BodyPoint(const FishLook& s, double u, double phase, double v) {
  const double cy = FishCentre(s, u, phase);
  const double h = FishHalfDepth(s, u) * (1 + (v > 0 ? s.belly : -s.belly));
  return {s.nose_x + u * s.length, cy + v * h};
}

// Darker at the root, lighter toward the tip; rays fan out from the root.
Paint FinPaint(Color fin, Vec base, Vec tip, double rays) {
  const Paint shade = Linear(base, Shade(fin, 0.8), tip, Shade(fin, 1.25));
  if (rays <= 0) return shade;
  return [=](double x, double y) {
    const double a = std::atan2(y - base.y, x - base.x);
    return Shade(shade(x, y), 1 - rays * 0.3 * (0.5 + 0.5 * std::cos(a * 24)));
  };
}

// A flowing fin; with an edge colour, a band of it runs along the outline away from the root.
void FillFin(Canvas& c, const FishLook& s, const Path& fin, const Paint& paint, Vec root) {
  if (s.fin_edge) {
    c.Fill(fin, *s.fin_edge, s.fin_alpha);
    c.Fill(Apply(fin, Affine::Stretch(0.84, 0.84, root)), paint, s.fin_alpha);
    return;
  }
  c.Fill(fin, paint, s.fin_alpha);
}

// A fin standing on the body edge between f.from and f.to, its tip swept back and rippling.
void DrawEdgeFin(Canvas& c, const FishLook& s, const Fin& f, int sign, double phase, Color colour) {
  if (f.height <= 0) return;
  Path outer;
  const int n = 10;
  Path base;
  for (int i = 0; i <= n; ++i) {
    const double u = f.from + (f.to - f.from) * i / n;
    base.push_back(BodyPoint(s, u, phase, sign * 0.6));
  }
  const Vec root = base.front(), end = base.back();
  const double len = end.x - root.x;
  const double ripple = 0.08 * f.height * std::sin(phase);
  const Vec tip = {
      root.x + len * f.sweep + ripple,
      Edge(s, f.from + (f.to - f.from) * std::min(f.sweep, 1.0), phase, sign) + sign * f.height};
  Path pts = {
      root, Lerp(root, tip, 0.55) + Vec{-0.1 * len, sign * 0.05 * f.height}, tip,
      Lerp(tip, end, 0.5) + Vec{(0.05 - f.hollow) * len, sign * (0.1 - 0.5 * f.hollow) * f.height},
      end};
  Path fin = SmoothOpen(pts, 6);
  if (f.ripple > 0) {  // waves run out along the edge, calm at both ends
    const int m = static_cast<int>(fin.size()) - 1;
    for (int i = 1; i < m; ++i) {
      const double t = double(i) / m;
      fin[i].y += sign * f.ripple * f.height * std::sin(t * 9 - phase) * std::sin(kPi * t);
    }
  }
  fin.insert(fin.end(), base.rbegin(), base.rend());
  const Vec mid = Lerp(root, end, 0.5);
  FillFin(c, s, fin, FinPaint(colour, mid, tip, s.fin_rays), mid);
}

void DrawTail(Canvas& c, const FishLook& s, double phase) {
  const double cy = FishCentre(s, 1.0, phase);
  const double slope = FishCentre(s, 1.0, phase) - FishCentre(s, 0.9, phase);
  const Vec a = {s.nose_x + s.length - 1.0, cy};
  const double pd = std::max(FishHalfDepth(s, 1.0), 0.6);
  const double sweep = 0.8 + 0.2 * std::cos(phase);  // the fin turns toward and away from us
  const double len = s.tail_length * sweep, span = s.tail_span;
  const double skew = 0.12 * span * std::sin(phase) + slope * 3;
  Path pts;
  switch (s.tail) {
    case Tail::kForked:
      pts = {a + Vec{0, -pd},
             a + Vec{len * 0.5, -span * 0.34 + skew},
             a + Vec{len, -span * 0.5 + skew},
             a + Vec{len * 0.9, -span * 0.28 + skew},
             a + Vec{len * 0.62, skew * 0.6},
             a + Vec{len * 0.9, span * 0.28 + skew},
             a + Vec{len, span * 0.5 + skew},
             a + Vec{len * 0.5, span * 0.34 + skew},
             a + Vec{0, pd}};
      break;
    case Tail::kLunate: {  // a crescent: convex leading edges, tips swept back
      const double notch = s.tail_notch, mid = notch + 0.4 * (1 - notch);
      pts = {a + Vec{0, -pd},
             a + Vec{len * 0.3, -span * 0.22 + skew},
             a + Vec{len * 0.7, -span * 0.42 + skew},
             a + Vec{len, -span * 0.5 + skew},
             a + Vec{len * mid, -span * 0.25 + skew},
             a + Vec{len * (notch + 0.06), -span * 0.08 + skew * 0.6},
             a + Vec{len * notch, skew * 0.6},
             a + Vec{len * (notch + 0.06), span * 0.08 + skew * 0.6},
             a + Vec{len * mid, span * 0.25 + skew},
             a + Vec{len, span * 0.5 + skew},
             a + Vec{len * 0.7, span * 0.42 + skew},
             a + Vec{len * 0.3, span * 0.22 + skew},
             a + Vec{0, pd}};
      break;
    }
    case Tail::kShark:
      pts = {a + Vec{0, -pd},
             a + Vec{len * 0.5, -span * 0.38 + skew},
             a + Vec{len, -span * 0.68 + skew},
             a + Vec{len * 0.8, -span * 0.45 + skew},
             a + Vec{len * 0.55, -span * 0.05 + skew * 0.3},
             a + Vec{len * 0.62, span * 0.3 + skew},
             a + Vec{len * 0.35, span * 0.2 + skew},
             a + Vec{len * 0.1, pd}};
      break;
    case Tail::kRounded:
    case Tail::kFan:
      pts.push_back(a + Vec{0, -pd});
      for (int i = 0; i <= 6; ++i) {
        const double t = -0.9 + 1.8 * i / 6;
        const double r =
            len * (s.tail == Tail::kFan ? 1.0 - 0.15 * std::abs(t) : 0.85 + 0.15 * std::cos(t));
        pts.push_back(a + Vec{r * std::cos(t) * 0.95, span * 0.5 * std::sin(t) / std::sin(0.9) +
                                                          skew * (0.5 + 0.5 * std::cos(t))});
      }
      pts.push_back(a + Vec{0, pd});
      break;
    case Tail::kFlatFlukes: {  // it tilts only a little as the tail beats
      const double h = span * 0.5;
      const Affine beat = Affine::Turn(std::atan(slope * 0.3) + 0.12 * std::sin(phase + 0.6), a);
      const Path far = {a + Vec{len * 0.15, -pd * 0.8}, a + Vec{len * 0.6, -h * 0.5},
                        a + Vec{len * 0.92, -h}, a + Vec{len * 0.85, -h * 0.35},
                        a + Vec{len * 0.4, 0}};
      const Path near = {a + Vec{-1, -pd},
                         a + Vec{len * 0.5, -pd * 0.4 - h * 0.15},
                         a + Vec{len, -h * 0.25},
                         a + Vec{len * 0.8, h * 0.3},
                         a + Vec{len * 0.4, pd * 0.5 + h * 0.35},
                         a + Vec{-1, pd}};
      c.Fill(Apply(SmoothClosed(far, 5), beat), Solid(Shade(s.back, 0.8)));
      c.Fill(Apply(SmoothClosed(near, 6), beat),
             Linear(a + Vec{0, -h}, Shade(s.back, 0.85), a + Vec{0, h}, Shade(s.back, 1.15)));
      return;
    }
    case Tail::kVeil: {  // its lower lobe droops, its edge ripples as waves run out along it
      pts.push_back(a + Vec{0, -pd});
      for (int i = 0; i <= 12; ++i) {
        const double t = -1 + i / 6.0;
        const double r =
            len * (0.85 + 0.07 * std::sin(2 * kPi * t - phase) + 0.25 * std::max(t, 0.0));
        pts.push_back(a + Vec{r * std::cos(t), span * 0.5 * std::sin(t) / std::sin(1.0) +
                                                   span * 0.12 * (t + 1) * (t + 1) +
                                                   skew * (0.5 + 0.5 * std::cos(t))});
      }
      pts.push_back(a + Vec{0, pd});
      break;
    }
    case Tail::kFlukes: {
      const double tilt = slope * 4 + 0.3 * span * std::sin(phase + 0.6);
      pts = {a + Vec{-1, -pd},
             a + Vec{len * 0.6, -span * 0.18 + tilt * 0.6},
             a + Vec{len, -span * 0.3 + tilt},
             a + Vec{len * 0.9, span * 0.05 + tilt},
             a + Vec{len * 0.5, span * 0.2 + tilt * 0.5},
             a + Vec{-1, pd}};
      c.Fill(SmoothClosed(pts, 6),
             Linear(a, Shade(s.back, 0.9), a + Vec{len, 0}, Shade(s.back, 0.7)));
      return;
    }
  }
  const bool pointed = s.tail != Tail::kRounded && s.tail != Tail::kFan && s.tail != Tail::kVeil;
  FillFin(c, s, pointed ? pts : SmoothClosed(pts, 6),
          FinPaint(s.tail_fin.value_or(s.fin), a, a + Vec{len, 0}, s.fin_rays), a);
}

}  // namespace

double FishHalfDepth(const FishLook& s, double u) {
  u = std::clamp(u, 0.0, 1.0);
  // t^b (1 - t)^a peaks at b / (a + b): choose a so that the peak falls on the hump.
  const double b = s.nose;
  const double a = b * (1 - s.hump) / s.hump;
  const double peak = std::pow(s.hump, b) * std::pow(1 - s.hump, a);
  double p = std::pow(u, b) * std::pow(1 - u, a) / peak;
  if (s.taper > 0) p *= 1 - Smooth(1 - s.taper, 1.0, u);
  return 0.5 * s.depth * (s.peduncle * Smooth(0.3, 1.0, u) + (1 - s.peduncle) * p);
}

double FishCentre(const FishLook& s, double u, double phase) {
  return s.centre_y + s.bend * std::sin(phase - 2.0 * u) * u * u;
}

void DrawEye(Canvas& c, Vec at, double r, Color iris) {
  c.Fill(Ellipse(at, r, r),
         Radial(at + Vec{-0.3 * r, -0.3 * r}, r * 1.3, Shade(iris, 1.2), Shade(iris, 0.6)));
  c.Fill(Ellipse(at + Vec{-0.1 * r, 0}, r * 0.58, r * 0.62), Rgb(12, 12, 20));
  c.Fill(Ellipse(at + Vec{-0.35 * r, -0.35 * r}, r * 0.24, r * 0.24), Rgb(250, 250, 250));
}

void DrawFish(Canvas& c, const FishLook& s, double phase) {
  DrawTail(c, s, phase);
  const Color rear = s.rear_fin.value_or(s.fin);
  DrawEdgeFin(c, s, s.dorsal, -1, phase, s.fin);
  DrawEdgeFin(c, s, s.second_dorsal, -1, phase + 1, rear);
  DrawEdgeFin(c, s, s.anal, 1, phase + 0.5, rear);
  if (s.pelvic_length > 0) {  // two threads from the belly, trailing down and back
    const double l = s.pelvic_length;
    for (int k = 0; k < 2; ++k) {
      const Vec root = BodyPoint(s, s.pectoral_at + 0.04 * k, phase, 0.6);
      const double sway = 0.12 * l * std::sin(phase - 1 - k);
      c.Fill(Ribbon(SmoothOpen({root, root + Vec{0.2 * l + sway * 0.5, 0.5 * l},
                                root + Vec{0.5 * l + sway, 0.9 * l}},
                               5),
                    1.4, 1.0),
             FinPaint(rear, root, root + Vec{0, l}, 0), s.fin_alpha);
    }
  }

  Path body;
  const int n = 28;
  for (int i = 0; i <= n; ++i) body.push_back(BodyPoint(s, double(i) / n, phase, -1));
  for (int i = n; i >= 0; --i) body.push_back(BodyPoint(s, double(i) / n, phase, 1));
  const Paint paint = [&s, phase](double x, double y) {
    const double u = std::clamp((x - s.nose_x) / s.length, 0.0, 1.0);
    const double h = std::max(FishHalfDepth(s, u), 0.5);
    const double v = std::clamp((y - FishCentre(s, u, phase)) / h, -1.0, 1.0);
    Color base = Mix(s.back, s.belly_color, Smooth(-0.25, 0.55, v));
    if (s.pattern) base = s.pattern(u, v, base);
    const double light =
        1.0 + 0.45 * std::exp(-((u - 0.3) * (u - 0.3) / 0.03 + (v + 0.45) * (v + 0.45) / 0.06));
    const double rim = 0.72 + 0.28 * std::sqrt(std::max(0.0, 1 - v * v));
    return Shade(base, light * rim);
  };
  c.Fill(body, paint);

  if (s.gill_u > 0) {
    Path gill;
    for (int i = -4; i <= 4; ++i) {
      const double v = i / 6.0;
      gill.push_back(BodyPoint(s, s.gill_u - 0.03 * (1 - v * v) * 1.5, phase, v));
    }
    c.Glaze(Ribbon(gill, 0.7, 0.5), Solid(Shade(s.back, 0.45)), 0.55);
  }
  if (s.mouth > 0) {
    const Vec m = BodyPoint(s, 0.02, phase, 0.25);
    c.Glaze(Ribbon({m, m + Vec{s.mouth, 0.3}}, 0.8, 0.5), Solid(Rgb(40, 20, 25)), 0.8);
  }
  if (s.eye_r > 0) DrawEye(c, BodyPoint(s, s.eye_u, phase, s.eye_v), s.eye_r, s.iris);

  if (s.pectoral_length > 0) {
    const Vec root = BodyPoint(s, s.pectoral_at, phase, 0.25);
    const double ang = s.pectoral_angle + 0.35 * std::sin(phase + 1.2);
    const Vec dir = {std::cos(ang), std::sin(ang)};
    const Vec tip = root + dir * s.pectoral_length;
    Path fin = SmoothClosed({root + Vec{-dir.y, dir.x} * (s.pectoral_width * 0.5),
                             Lerp(root, tip, 0.6) + Vec{-dir.y, dir.x} * (s.pectoral_width * 0.5),
                             tip, root + Vec{dir.y, -dir.x} * (s.pectoral_width * 0.4)},
                            5);
    c.Fill(fin, FinPaint(s.fin, root, tip, 0), std::min(1.0, s.fin_alpha + 0.1));
  }
}

}  // namespace mediagen
