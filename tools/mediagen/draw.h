// A small vector toolkit for the media pictures: paths, paints and a supersampled canvas whose
// edges are resolved against transparent black without a dark fringe.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

#include "mediagen/bmp_writer.h"

namespace mediagen {

constexpr double kPi = 3.14159265358979323846;

struct Vec {
  double x = 0, y = 0;
};
inline Vec operator+(Vec a, Vec b) {
  return {a.x + b.x, a.y + b.y};
}
inline Vec operator-(Vec a, Vec b) {
  return {a.x - b.x, a.y - b.y};
}
inline Vec operator*(Vec a, double k) {
  return {a.x * k, a.y * k};
}
Vec Lerp(Vec a, Vec b, double t);

// Channels from 0 to 255 as floats, so that blends and shading keep their precision.
struct Color {
  float r = 0, g = 0, b = 0;
};
Color Rgb(int r, int g, int b);
Color Mix(Color a, Color b, double t);
Color Shade(Color c, double k);  // k < 1 darkens, k > 1 lightens toward white

using Path = std::vector<Vec>;
using Paint = std::function<Color(double x, double y)>;

// x' = a x + b y + c; y' = d x + e y + f.
struct Affine {
  double a = 1, b = 0, c = 0, d = 0, e = 1, f = 0;
  Vec operator()(Vec p) const { return {a * p.x + b * p.y + c, d * p.x + e * p.y + f}; }
  Affine Then(const Affine& next) const;  // this first, then next
  static Affine Move(double dx, double dy);
  static Affine Turn(double radians, Vec centre = {});
  static Affine Stretch(double sx, double sy, Vec centre = {});
};
Path Apply(const Path& path, const Affine& m);
Path Shift(const Path& path, double dx, double dy);

Path Ellipse(Vec centre, double rx, double ry, double rotation = 0, int points = 40);
Path Rect(double x0, double y0, double x1, double y1);
// Closed and open Catmull-Rom curves through the given points.
Path SmoothClosed(const Path& points, int per_segment = 8);
Path SmoothOpen(const Path& points, int per_segment = 8);
Path Bezier(Vec p0, Vec p1, Vec p2, Vec p3, int points = 16);
// A ribbon along a centre line whose width goes from w0 to w1 (tentacles, hair, lines).
Path Ribbon(const Path& centre, double w0, double w1);
// The same with any width profile, t running from 0 to 1 along the line.
Path Tube(const Path& centre, const std::function<double(double t)>& width);

Paint Solid(Color c);
Paint Linear(Vec a, Color ca, Vec b, Color cb);
Paint Radial(Vec centre, double radius, Color inner, Color outer);

// Deterministic noise: value noise in [0, 1]; a positive period makes it repeat along x.
double Noise(double x, double y, int seed, int period_x = 0);
double Fractal(double x, double y, int seed, int octaves, int period_x = 0);

// A fixed-seed generator, so every run makes the same pictures.
class Rng {
 public:
  explicit Rng(std::uint32_t seed) : state_(seed * 2654435761u + 1013904223u) {}
  double Next();  // [0, 1)
  double Range(double lo, double hi) { return lo + (hi - lo) * Next(); }

 private:
  std::uint32_t state_;
};

class Canvas {
 public:
  // ss: subsamples per pixel along each axis; wrap_x repeats every shape one width left and
  // right so the picture tiles edge to edge.
  Canvas(int width, int height, int ss = 4, bool wrap_x = false);

  int width() const { return width_; }
  int height() const { return height_; }
  void Fill(const Path& path, const Paint& paint, double alpha = 1.0);
  void Fill(const Path& path, Color c, double alpha = 1.0) { Fill(path, Solid(c), alpha); }
  // Lays a paint over what is already covered, leaving transparent places transparent.
  void Glaze(const Path& path, const Paint& paint, double alpha);
  void Erase(const Path& path);
  // Averages the covered subsamples of each pixel: a pixel at least half covered takes that
  // average, never mixed with the transparent black; the rest is pure black. outline darkens
  // opaque pixels that touch transparent ones.
  Image Resolve(double outline = 1.0) const;

 private:
  struct Sample {
    float r, g, b;
    bool on;
  };
  template <typename Visit>
  void Scan(const Path& path, Visit visit);

  int width_, height_, ss_;
  bool wrap_x_;
  std::vector<Sample> samples_;
};

// Every opaque pixel at least this bright in each channel, so only true black is transparent.
constexpr int kDarkest = 6;

}  // namespace mediagen
