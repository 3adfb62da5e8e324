#include "mediagen/draw.h"

#include <algorithm>
#include <cmath>

namespace mediagen {

Vec Lerp(Vec a, Vec b, double t) {
  return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

Color Rgb(int r, int g, int b) {
  return {static_cast<float>(r), static_cast<float>(g), static_cast<float>(b)};
}

Color Mix(Color a, Color b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  const auto m = [t](float u, float v) { return static_cast<float>(u + (v - u) * t); };
  return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

Color Shade(Color c, double k) {
  if (k <= 1.0) {
    const auto s = static_cast<float>(std::max(k, 0.0));
    return {c.r * s, c.g * s, c.b * s};
  }
  return Mix(c, Rgb(255, 255, 255), std::min(k - 1.0, 1.0));
}

Affine Affine::Then(const Affine& n) const {
  return {n.a * a + n.b * d, n.a * b + n.b * e, n.a * c + n.b * f + n.c,
          n.d * a + n.e * d, n.d * b + n.e * e, n.d * c + n.e * f + n.f};
}

Affine Affine::Move(double dx, double dy) {
  return {1, 0, dx, 0, 1, dy};
}

Affine Affine::Turn(double r, Vec o) {
  const double cs = std::cos(r), sn = std::sin(r);
  return {cs, -sn, o.x - cs * o.x + sn * o.y, sn, cs, o.y - sn * o.x - cs * o.y};
}

Affine Affine::Stretch(double sx, double sy, Vec o) {
  return {sx, 0, o.x - sx * o.x, 0, sy, o.y - sy * o.y};
}

Path Apply(const Path& path, const Affine& m) {
  Path out;
  out.reserve(path.size());
  for (const Vec& p : path) out.push_back(m(p));
  return out;
}

Path Shift(const Path& path, double dx, double dy) {
  return Apply(path, Affine::Move(dx, dy));
}

Path Ellipse(Vec c, double rx, double ry, double rotation, int points) {
  Path out;
  const double cs = std::cos(rotation), sn = std::sin(rotation);
  for (int i = 0; i < points; ++i) {
    const double t = 2 * kPi * i / points;
    const double x = rx * std::cos(t), y = ry * std::sin(t);
    out.push_back({c.x + x * cs - y * sn, c.y + x * sn + y * cs});
  }
  return out;
}

Path Rect(double x0, double y0, double x1, double y1) {
  return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

namespace {

Vec CatmullRom(Vec p0, Vec p1, Vec p2, Vec p3, double t) {
  const double t2 = t * t, t3 = t2 * t;
  const auto f = [&](double a, double b, double c, double d) {
    return 0.5 * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 +
                  (-a + 3 * b - 3 * c + d) * t3);
  };
  return {f(p0.x, p1.x, p2.x, p3.x), f(p0.y, p1.y, p2.y, p3.y)};
}

}  // namespace

Path SmoothClosed(const Path& pts, int per) {
  Path out;
  const int n = static_cast<int>(pts.size());
  for (int i = 0; i < n; ++i) {
    const Vec p0 = pts[(i + n - 1) % n], p1 = pts[i], p2 = pts[(i + 1) % n], p3 = pts[(i + 2) % n];
    for (int k = 0; k < per; ++k) out.push_back(CatmullRom(p0, p1, p2, p3, double(k) / per));
  }
  return out;
}

Path SmoothOpen(const Path& pts, int per) {
  Path out;
  const int n = static_cast<int>(pts.size());
  if (n < 2) return pts;
  for (int i = 0; i + 1 < n; ++i) {
    const Vec p0 = pts[std::max(i - 1, 0)], p1 = pts[i], p2 = pts[i + 1],
              p3 = pts[std::min(i + 2, n - 1)];
    for (int k = 0; k < per; ++k) out.push_back(CatmullRom(p0, p1, p2, p3, double(k) / per));
  }
  out.push_back(pts.back());
  return out;
}

Path Bezier(Vec p0, Vec p1, Vec p2, Vec p3, int points) {
  Path out;
  for (int i = 0; i <= points; ++i) {
    const double t = double(i) / points, u = 1 - t;
    out.push_back(p0 * (u * u * u) + p1 * (3 * u * u * t) + p2 * (3 * u * t * t) +
                  p3 * (t * t * t));
  }
  return out;
}

Path Ribbon(const Path& centre, double w0, double w1) {
  return Tube(centre, [w0, w1](double t) { return w0 + (w1 - w0) * t; });
}

Path Tube(const Path& centre, const std::function<double(double t)>& width) {
  const int n = static_cast<int>(centre.size());
  if (n < 2) return {};
  Path left, right;
  for (int i = 0; i < n; ++i) {
    const Vec a = centre[std::max(i - 1, 0)], b = centre[std::min(i + 1, n - 1)];
    Vec d = b - a;
    const double len = std::hypot(d.x, d.y);
    d = len > 0 ? d * (1 / len) : Vec{1, 0};
    const double w = 0.5 * width(double(i) / (n - 1));
    left.push_back({centre[i].x - d.y * w, centre[i].y + d.x * w});
    right.push_back({centre[i].x + d.y * w, centre[i].y - d.x * w});
  }
  left.insert(left.end(), right.rbegin(), right.rend());
  return left;
}

Paint Solid(Color c) {
  return [c](double, double) { return c; };
}

Paint Linear(Vec a, Color ca, Vec b, Color cb) {
  const Vec d = b - a;
  const double len2 = std::max(d.x * d.x + d.y * d.y, 1e-9);
  return
      [=](double x, double y) { return Mix(ca, cb, ((x - a.x) * d.x + (y - a.y) * d.y) / len2); };
}

Paint Radial(Vec c, double radius, Color inner, Color outer) {
  return
      [=](double x, double y) { return Mix(inner, outer, std::hypot(x - c.x, y - c.y) / radius); };
}

namespace {

double Hash(int x, int y, int seed) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                    static_cast<std::uint32_t>(y) * 668265263u +
                    static_cast<std::uint32_t>(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xffffff) / double(0x1000000);
}

}  // namespace

double Noise(double x, double y, int seed, int period_x) {
  const double fx = std::floor(x), fy = std::floor(y);
  int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
  const double tx = x - fx, ty = y - fy;
  const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
  const auto wrap = [period_x](int v) {
    return period_x > 0 ? ((v % period_x) + period_x) % period_x : v;
  };
  const int x1 = wrap(x0 + 1);
  x0 = wrap(x0);
  const double a = Hash(x0, y0, seed), b = Hash(x1, y0, seed);
  const double c = Hash(x0, y0 + 1, seed), d = Hash(x1, y0 + 1, seed);
  return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

double Fractal(double x, double y, int seed, int octaves, int period_x) {
  double sum = 0, amp = 0.5, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * Noise(x, y, seed + i * 101, period_x);
    norm += amp;
    x *= 2;
    y *= 2;
    period_x *= 2;
    amp *= 0.5;
  }
  return sum / norm;
}

double Rng::Next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return (state_ >> 8) / double(1 << 24);
}

Canvas::Canvas(int width, int height, int ss, bool wrap_x)
    : width_(width),
      height_(height),
      ss_(ss),
      wrap_x_(wrap_x),
      samples_(static_cast<size_t>(width) * ss * height * ss, Sample{0, 0, 0, false}) {}

// Visits every subsample whose centre lies inside the path (non-zero winding), with its index
// and its position in pixel units.
template <typename Visit>
void Canvas::Scan(const Path& path, Visit visit) {
  const int n = static_cast<int>(path.size());
  if (n < 3) return;
  double min_y = path[0].y, max_y = path[0].y, min_x = path[0].x, max_x = path[0].x;
  for (const Vec& p : path) {
    min_y = std::min(min_y, p.y);
    max_y = std::max(max_y, p.y);
    min_x = std::min(min_x, p.x);
    max_x = std::max(max_x, p.x);
  }
  const int sw = width_ * ss_, sh = height_ * ss_;
  const int offsets = wrap_x_ ? 3 : 1;
  const int row0 = std::max(0, static_cast<int>(std::floor(min_y * ss_)));
  const int row1 = std::min(sh - 1, static_cast<int>(std::ceil(max_y * ss_)));
  std::vector<std::pair<double, int>> cross;
  for (int row = row0; row <= row1; ++row) {
    const double yc = (row + 0.5) / ss_;
    cross.clear();
    for (int i = 0; i < n; ++i) {
      const Vec a = path[i], b = path[(i + 1) % n];
      if ((a.y <= yc) == (b.y <= yc)) continue;
      const double x = a.x + (yc - a.y) * (b.x - a.x) / (b.y - a.y);
      cross.push_back({x, b.y > a.y ? 1 : -1});
    }
    std::sort(cross.begin(), cross.end());
    int winding = 0;
    for (size_t k = 0; k + 1 < cross.size(); ++k) {
      winding += cross[k].second;
      if (winding == 0) continue;
      for (int o = 0; o < offsets; ++o) {
        const double shift = wrap_x_ ? (o - 1) * width_ : 0.0;
        const double xa = cross[k].first + shift, xb = cross[k + 1].first + shift;
        if (xb < 0 || xa > width_) continue;
        const int c0 = std::max(0, static_cast<int>(std::ceil(xa * ss_ - 0.5)));
        const int c1 = std::min(sw - 1, static_cast<int>(std::ceil(xb * ss_ - 0.5)) - 1);
        for (int col = c0; col <= c1; ++col) {
          visit(static_cast<size_t>(row) * sw + col, (col + 0.5) / ss_ - shift, yc);
        }
      }
    }
  }
}

void Canvas::Fill(const Path& path, const Paint& paint, double alpha) {
  const auto a = static_cast<float>(alpha);
  Scan(path, [&](size_t i, double x, double y) {
    Sample& s = samples_[i];
    const Color c = paint(x, y);
    if (s.on && a < 1) {
      s.r += (c.r - s.r) * a;
      s.g += (c.g - s.g) * a;
      s.b += (c.b - s.b) * a;
    } else {
      s = {c.r, c.g, c.b, true};
    }
  });
}

void Canvas::Glaze(const Path& path, const Paint& paint, double alpha) {
  const auto a = static_cast<float>(alpha);
  Scan(path, [&](size_t i, double x, double y) {
    Sample& s = samples_[i];
    if (!s.on) return;
    const Color c = paint(x, y);
    s.r += (c.r - s.r) * a;
    s.g += (c.g - s.g) * a;
    s.b += (c.b - s.b) * a;
  });
}

void Canvas::Erase(const Path& path) {
  Scan(path, [&](size_t i, double, double) { samples_[i].on = false; });
}

Image Canvas::Resolve(double outline) const {
  Image out(width_, height_);
  std::vector<bool> opaque(static_cast<size_t>(width_) * height_, false);
  const int sw = width_ * ss_;
  const int half = (ss_ * ss_ + 1) / 2;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      double r = 0, g = 0, b = 0;
      int count = 0;
      for (int sy = 0; sy < ss_; ++sy) {
        for (int sx = 0; sx < ss_; ++sx) {
          const Sample& s = samples_[static_cast<size_t>(y * ss_ + sy) * sw + x * ss_ + sx];
          if (!s.on) continue;
          r += s.r;
          g += s.g;
          b += s.b;
          ++count;
        }
      }
      if (count < half) continue;
      opaque[static_cast<size_t>(y) * width_ + x] = true;
      const auto ch = [count](double v) {
        return static_cast<std::uint8_t>(std::clamp(std::lround(v / count), 0l, 255l));
      };
      out.At(x, y) = {ch(r), ch(g), ch(b)};
    }
  }
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      if (!opaque[static_cast<size_t>(y) * width_ + x]) continue;
      Pixel& p = out.At(x, y);
      const auto open = [&](int px, int py) {
        if (wrap_x_) px = (px + width_) % width_;
        if (px < 0 || py < 0 || px >= width_ || py >= height_) return false;
        return !opaque[static_cast<size_t>(py) * width_ + px];
      };
      if (outline < 1 && (open(x - 1, y) || open(x + 1, y) || open(x, y - 1) || open(x, y + 1))) {
        p.r = static_cast<std::uint8_t>(p.r * outline);
        p.g = static_cast<std::uint8_t>(p.g * outline);
        p.b = static_cast<std::uint8_t>(p.b * outline);
      }
      p.r = std::max<std::uint8_t>(p.r, kDarkest);
      p.g = std::max<std::uint8_t>(p.g, kDarkest);
      p.b = std::max<std::uint8_t>(p.b, kDarkest);
    }
  }
  return out;
}

}  // namespace mediagen
