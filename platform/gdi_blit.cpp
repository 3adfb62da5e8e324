// BitBlt and StretchBlt: clipping, the conversion of source pixels to the destination's format,
// and the raster operations on the destination's pixel values.
//
// A frame is a full-screen copy, then for each sprite cell a one-bit mask ANDed and a 24/32-bit
// picture ORed into the 24/32-bit back buffer, then a full-screen copy to the window, which the
// window takes as the picture to show rather than copying it. Those pairs of formats have loops
// of their own; the masked draws walk the source's runs (gdi_raster.h), skipping the stretches
// that leave the destination as it is (white under AND, black under OR) and filling the ones
// that clear it, so that only the outlines of a picture are combined pixel by pixel. Every
// other pair takes the generic path: a source row is converted into a scratch row of
// destination values, which is then combined.
#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <span>
#include <type_traits>
#include <vector>

#include "platform/gdi.h"
#include "platform/gdi_raster.h"
#include "platform/unsupported.h"

namespace win {
namespace {

using raster::Bitmap;
using raster::Dc;

void CheckRop(const char* call, Rop rop) {
  switch (rop) {
    case Rop::SRCCOPY:
    case Rop::SRCAND:
    case Rop::SRCPAINT:
    case Rop::BLACKNESS:
      return;
  }
  char code[16];
  std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(rop));
  Unsupported(call, std::string("raster operation ") + code);
}

template <Rop R, class T>
inline T Op(T d, T s) {
  if constexpr (R == Rop::SRCAND) {
    return d & s;
  } else if constexpr (R == Rop::SRCPAINT) {
    return d | s;
  } else {
    return s;
  }
}

// Calls f with the raster operation as a compile-time constant, so each loop is specialised.
template <class F>
void WithRop(Rop rop, F&& f) {
  switch (rop) {
    case Rop::SRCAND:
      f(std::integral_constant<Rop, Rop::SRCAND>{});
      break;
    case Rop::SRCPAINT:
      f(std::integral_constant<Rop, Rop::SRCPAINT>{});
      break;
    default:
      f(std::integral_constant<Rop, Rop::SRCCOPY>{});
      break;
  }
}

// Reused by every blit: the raster runs on the UI thread only, and a frame must not allocate.
template <class T, int kSlot>
T* Scratch(std::size_t n) {
  static std::vector<T> buffer;
  if (buffer.size() < n) buffer.resize(n);
  return buffer.data();
}

// A transfer after clipping: destination origin, source origin and extents.
struct Area {
  int x, y, sx, sy, w, h;
};

// The part of a w x h transfer whose pixels lie inside the destination and, when there is a
// source, inside the source too; the rest of the destination is left alone.
bool Clip(int x, int y, int w, int h, int sx, int sy, const Bitmap& dst, const Bitmap* src,
          Area& out) {
  std::int64_t i0 = std::max<std::int64_t>(0, -std::int64_t{x});
  std::int64_t j0 = std::max<std::int64_t>(0, -std::int64_t{y});
  std::int64_t i1 = std::min<std::int64_t>(w, std::int64_t{dst.width} - x);
  std::int64_t j1 = std::min<std::int64_t>(h, std::int64_t{dst.height} - y);
  if (src) {
    i0 = std::max<std::int64_t>(i0, -std::int64_t{sx});
    j0 = std::max<std::int64_t>(j0, -std::int64_t{sy});
    i1 = std::min<std::int64_t>(i1, std::int64_t{src->width} - sx);
    j1 = std::min<std::int64_t>(j1, std::int64_t{src->height} - sy);
  }
  if (i0 >= i1 || j0 >= j1) return false;
  out = {static_cast<int>(x + i0),  static_cast<int>(y + j0),  static_cast<int>(sx + i0),
         static_cast<int>(sy + j0), static_cast<int>(i1 - i0), static_cast<int>(j1 - j0)};
  return true;
}

void FillBlack(Bitmap& dst, const Area& a) {
  for (int j = 0; j < a.h; ++j) {
    if (dst.Wide()) {
      std::memset(dst.Row32(a.y + j) + a.x, 0, a.w * sizeof(std::uint32_t));
    } else {
      std::memset(dst.Row8(a.y + j) + a.x, 0, a.w);
    }
  }
}

// Four pixels at a time through the compiler's portable vector types: the project builds at a
// level of optimisation that does not vectorise these loops by itself, and they are the frame.
using Lanes = std::uint32_t __attribute__((vector_size(16)));
constexpr int kLanes = 4;

template <class V, class T>
inline V LoadLanes(const T* p) {
  V v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline void StoreLanes(std::uint32_t* p, Lanes v) {
  std::memcpy(p, &v, sizeof v);
}

// Both sides store the same values (24/32 to 24/32 bits, or 1 to 1 bit): rows combine as they
// are. A copy goes row by row even where whole rows line up: copied as one block, a screen is
// large enough for memcpy to write it around the caches, and the draws that follow the
// background would then fetch every pixel back from memory.
template <Rop R, class T>
void Direct(T* dst, int dst_width, const T* src, int src_width, const Area& a) {
  for (int j = 0; j < a.h; ++j) {
    const T* s = src + static_cast<std::size_t>(a.sy + j) * src_width + a.sx;
    T* d = dst + static_cast<std::size_t>(a.y + j) * dst_width + a.x;
    if constexpr (R == Rop::SRCCOPY) {
      std::memcpy(d, s, a.w * sizeof(T));
    } else {
      for (int i = 0; i < a.w; ++i) d[i] = Op<R>(d[i], s[i]);
    }
  }
}

// Combines n destination pixels with one value.
template <Rop R>
void CombineUniform(std::uint32_t* d, int n, std::uint32_t value) {
  if (R == Rop::SRCAND && value == raster::kWhite) return;  // words have no bits above white
  if (R == Rop::SRCPAINT && value == 0) return;
  if (R == Rop::SRCCOPY || (R == Rop::SRCAND && value == 0)) {
    std::fill_n(d, n, value);
    return;
  }
  const Lanes lanes = {value, value, value, value};
  int i = 0;
  for (; i + kLanes <= n; i += kLanes) StoreLanes(d + i, Op<R>(LoadLanes<Lanes>(d + i), lanes));
  for (; i < n; ++i) d[i] = Op<R>(d[i], value);
}

// Calls f(from, to, run) for each piece of the runs of the source's row y that lies in columns
// x0 to x0 + w - 1, from and to counted from x0.
template <class F>
void ForEachRun(const Bitmap& src, int y, int x0, int w, F&& f) {
  const std::span<const raster::Run> runs = src.Runs(y);
  auto run = std::upper_bound(runs.begin(), runs.end(), x0,
                              [](int x, const raster::Run& r) { return x < r.end; });
  for (int from = 0; from < w; ++run) {
    const int to = std::min(run->end - x0, w);
    f(from, to, *run);
    from = to;
  }
}

// A 24/32-bit picture ANDed or ORed in, four pixels at a time where its runs are not uniform.
template <Rop R>
void WideByRuns(Bitmap& dst, const Bitmap& src, const Area& a) {
  for (int j = 0; j < a.h; ++j) {
    const std::uint32_t* __restrict s = src.Row32(a.sy + j) + a.sx;
    std::uint32_t* __restrict d = dst.Row32(a.y + j) + a.x;
    ForEachRun(src, a.sy + j, a.sx, a.w, [&](int from, int to, const raster::Run& run) {
      if (run.uniform) {
        CombineUniform<R>(d + from, to - from, run.value);
        return;
      }
      int i = from;
      for (; i + kLanes <= to; i += kLanes) {
        StoreLanes(d + i, Op<R>(LoadLanes<Lanes>(d + i), LoadLanes<Lanes>(s + i)));
      }
      for (; i < to; ++i) d[i] = Op<R>(d[i], s[i]);
    });
  }
}

// Black mask pixels take the destination's text colour, white ones its background colour.
// Where the mask's runs are not uniform, four mask bytes (each 0 or 1) are gathered into a
// 4-bit number by one multiplication, which picks the four expanded colours from a table of the
// 16 possible patterns.
template <Rop R>
void MonoToWide(Bitmap& dst, const Dc& dst_dc, const Bitmap& src, const Area& a) {
  const std::uint32_t colour[2] = {raster::WordFromColor(dst_dc.text_color),
                                   raster::WordFromColor(dst_dc.bk_color)};
  Lanes patterns[16];
  for (int p = 0; p < 16; ++p) {
    for (int k = 0; k < kLanes; ++k) {
      const int bit = std::endian::native == std::endian::little ? 3 - k : k;
      patterns[p][k] = colour[(p >> bit) & 1];
    }
  }
  for (int j = 0; j < a.h; ++j) {
    const std::uint8_t* __restrict s = src.Row8(a.sy + j) + a.sx;
    std::uint32_t* __restrict d = dst.Row32(a.y + j) + a.x;
    ForEachRun(src, a.sy + j, a.sx, a.w, [&](int from, int to, const raster::Run& run) {
      if (run.uniform) {
        CombineUniform<R>(d + from, to - from, colour[run.value]);
        return;
      }
      int i = from;
      for (; i + kLanes <= to; i += kLanes) {
        const std::uint32_t pattern = (LoadLanes<std::uint32_t>(s + i) * 0x08040201u) >> 24;
        StoreLanes(d + i, Op<R>(LoadLanes<Lanes>(d + i), patterns[pattern]));
      }
      for (; i < to; ++i) d[i] = Op<R>(d[i], colour[s[i]]);
    });
  }
}

// The destination values of n source pixels of row sy from column sx.
void ConvertRow(const Bitmap& src, const Dc& src_dc, int sx, int sy, int n, const Bitmap& dst,
                const Dc& dst_dc, std::uint32_t* out) {
  if (src.bits == 1) {
    std::uint32_t values[2] = {0, 1};
    if (dst.bits != 1) {
      values[0] = dst.ValueOf(raster::WordFromColor(dst_dc.text_color));
      values[1] = dst.ValueOf(raster::WordFromColor(dst_dc.bk_color));
    }
    const std::uint8_t* s = src.Row8(sy) + sx;
    for (int i = 0; i < n; ++i) out[i] = values[s[i]];
  } else if (dst.bits == 1) {  // only the source's background colour turns white
    const std::uint32_t bk = raster::WordFromColor(src_dc.bk_color);
    for (int i = 0; i < n; ++i) out[i] = src.WordAt(sx + i, sy) == bk ? 1 : 0;
  } else if (dst.Wide()) {
    for (int i = 0; i < n; ++i) out[i] = src.WordAt(sx + i, sy);
  } else {
    for (int i = 0; i < n; ++i) out[i] = dst.Nearest(src.WordAt(sx + i, sy));
  }
}

template <Rop R>
void CombineRow(Bitmap& dst, int x, int y, const std::uint32_t* values, int n) {
  if (dst.Wide()) {
    std::uint32_t* d = dst.Row32(y) + x;
    for (int i = 0; i < n; ++i) d[i] = Op<R>(d[i], values[i]);
  } else {
    std::uint8_t* d = dst.Row8(y) + x;
    for (int i = 0; i < n; ++i) d[i] = Op<R>(d[i], static_cast<std::uint8_t>(values[i]));
  }
}

template <Rop R>
void Generic(Bitmap& dst, const Dc& dst_dc, const Bitmap& src, const Dc& src_dc, const Area& a) {
  std::uint32_t* row = Scratch<std::uint32_t, 0>(a.w);
  // Within one bitmap, a source above its destination is read bottom-up so that no source row
  // is overwritten before it is read; the scratch row takes care of overlap within a row.
  const bool upward = &dst == &src && a.sy < a.y;
  for (int k = 0; k < a.h; ++k) {
    const int j = upward ? a.h - 1 - k : k;
    ConvertRow(src, src_dc, a.sx, a.sy + j, a.w, dst, dst_dc, row);
    CombineRow<R>(dst, a.x, a.y + j, row, a.w);
  }
}

// The source pixels [first, end) along one axis that land on destination pixel i when n source
// pixels are stretched onto m: one repeated pixel when enlarging, all eliminated ones when
// shrinking.
void SourceSpan(std::int64_t i, std::int64_t m, std::int64_t n, std::int64_t& first,
                std::int64_t& end) {
  if (n <= m) {
    first = i * n / m;
    end = first + 1;
  } else {
    first = (i * n + m - 1) / m;
    end = ((i + 1) * n + m - 1) / m;
  }
}

// Each destination pixel is the AND of every source pixel (as a destination value) that lands
// on it; a destination pixel whose source pixels all lie outside the source stays unchanged.
template <Rop R>
void Stretch(Bitmap& dst, const Dc& dst_dc, const Bitmap& src, const Dc& src_dc, int x, int y,
             int w, int h, int sx, int sy, int sw, int sh) {
  const std::int64_t i0 = std::max<std::int64_t>(0, -std::int64_t{x});
  const std::int64_t i1 = std::min<std::int64_t>(w, std::int64_t{dst.width} - x);
  const std::int64_t j0 = std::max<std::int64_t>(0, -std::int64_t{y});
  const std::int64_t j1 = std::min<std::int64_t>(h, std::int64_t{dst.height} - y);
  if (i0 >= i1 || j0 >= j1) return;
  const int n = static_cast<int>(i1 - i0);
  std::int32_t* first = Scratch<std::int32_t, 1>(n);
  std::int32_t* end = Scratch<std::int32_t, 2>(n);
  std::uint32_t* acc = Scratch<std::uint32_t, 3>(n);
  std::uint32_t* row = Scratch<std::uint32_t, 4>(src.width);
  for (int k = 0; k < n; ++k) {
    std::int64_t f = 0;
    std::int64_t e = 0;
    SourceSpan(i0 + k, w, sw, f, e);
    first[k] = static_cast<std::int32_t>(std::clamp<std::int64_t>(sx + f, 0, src.width));
    end[k] = static_cast<std::int32_t>(std::clamp<std::int64_t>(sx + e, 0, src.width));
  }
  for (std::int64_t j = j0; j < j1; ++j) {
    std::int64_t f = 0;
    std::int64_t e = 0;
    SourceSpan(j, h, sh, f, e);
    f = std::clamp<std::int64_t>(sy + f, 0, src.height);
    e = std::clamp<std::int64_t>(sy + e, 0, src.height);
    if (f >= e) continue;
    std::fill(acc, acc + n, ~0u);
    for (std::int64_t r = f; r < e; ++r) {
      ConvertRow(src, src_dc, 0, static_cast<int>(r), src.width, dst, dst_dc, row);
      for (int k = 0; k < n; ++k) {
        for (int s = first[k]; s < end[k]; ++s) acc[k] &= row[s];
      }
    }
    const int dy = static_cast<int>(y + j);
    for (int k = 0; k < n; ++k) {
      if (first[k] >= end[k]) continue;
      const int dx = static_cast<int>(x + i0 + k);
      if (dst.Wide()) {
        dst.Row32(dy)[dx] = Op<R>(dst.Row32(dy)[dx], acc[k]);
      } else {
        dst.Row8(dy)[dx] = Op<R>(dst.Row8(dy)[dx], static_cast<std::uint8_t>(acc[k]));
      }
    }
  }
}

// A window's surface that gets the whole of a 24/32-bit bitmap of its size shows that bitmap
// instead of copying it (a SRCCOPY that lands on every pixel from every pixel).
bool ShowsWhole(Dc& dst_dc, const Dc& src_dc, Rop rop, const Area& a) {
  const Bitmap& d = raster::BitmapOf(dst_dc);
  const Bitmap& s = raster::BitmapOf(src_dc);
  if (!dst_dc.window || rop != Rop::SRCCOPY || !s.Wide() || s.stock || a.x != 0 || a.y != 0 ||
      a.sx != 0 || a.sy != 0 || a.w != d.width || a.h != d.height || a.w != s.width ||
      a.h != s.height) {
    return false;
  }
  raster::ShowInstead(dst_dc, src_dc);
  return true;
}

}  // namespace

bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int src_x, int src_y, Rop rop) {
  CheckRop("BitBlt", rop);
  Dc* dst_dc = raster::FindDc(dst);
  if (!dst_dc) return false;
  Area a{};
  if (rop == Rop::BLACKNESS) {  // needs no source
    Bitmap& d = raster::DrawingTarget(dst, *dst_dc);
    if (Clip(x, y, width, height, src_x, src_y, d, nullptr, a)) FillBlack(d, a);
    return true;
  }
  const Dc* src_dc = raster::FindDc(src);
  if (!src_dc) return false;
  const Bitmap& s = raster::BitmapOf(*src_dc);
  if (!Clip(x, y, width, height, src_x, src_y, raster::BitmapOf(*dst_dc), &s, a)) return true;
  if (ShowsWhole(*dst_dc, *src_dc, rop, a)) return true;
  Bitmap& d = raster::DrawingTarget(dst, *dst_dc);
  const bool distinct = &d != &s;
  WithRop(rop, [&](auto r) {
    constexpr Rop R = decltype(r)::value;
    if (distinct && d.Wide() && s.Wide()) {
      if constexpr (R == Rop::SRCCOPY) {
        Direct<R>(d.words.data(), d.width, s.words.data(), s.width, a);
      } else {
        WideByRuns<R>(d, s, a);
      }
    } else if (distinct && d.bits == 1 && s.bits == 1) {
      Direct<R>(d.bytes.data(), d.width, s.bytes.data(), s.width, a);
    } else if (distinct && d.Wide() && s.bits == 1) {
      MonoToWide<R>(d, *dst_dc, s, a);
    } else {
      Generic<R>(d, *dst_dc, s, *src_dc, a);
    }
  });
  return true;
}

bool StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int src_x, int src_y,
                int src_width, int src_height, Rop rop) {
  CheckRop("StretchBlt", rop);
  if (width < 0 || height < 0 || src_width < 0 || src_height < 0) {
    Unsupported("StretchBlt", "mirroring by a negative extent");
  }
  if (rop == Rop::BLACKNESS || (width == src_width && height == src_height)) {
    return BitBlt(dst, x, y, width, height, src, src_x, src_y, rop);
  }
  Dc* dst_dc = raster::FindDc(dst);
  const Dc* src_dc = raster::FindDc(src);
  if (!dst_dc || !src_dc) return false;
  if (width == 0 || height == 0 || src_width == 0 || src_height == 0) return true;
  Bitmap& d = raster::DrawingTarget(dst, *dst_dc);
  WithRop(rop, [&](auto r) {
    Stretch<decltype(r)::value>(d, *dst_dc, raster::BitmapOf(*src_dc), *src_dc, x, y, width, height,
                                src_x, src_y, src_width, src_height);
  });
  return true;
}

}  // namespace win
