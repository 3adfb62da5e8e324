// A tiny BMP writer for the raster's tests: pictures of every supported layout, written from a
// readable description, which the tests then damage byte by byte where they need broken files.
#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

// Layouts are written with designated initializers that name only what a case needs; the rest
// keep their defaults on purpose.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace bmptest {

constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitfields = 3;

struct Layout {
  int width = 1;
  int height = 1;  // rows of pixels are given top row first whatever the order in the file
  int bpp = 24;
  bool top_down = false;
  std::uint32_t compression = kRgb;
  std::uint32_t info_size = 40;          // 12 writes the old core header
  std::vector<std::uint32_t> palette;    // 0x00RRGGBB
  std::array<std::uint32_t, 3> masks{};  // bit fields: red, green, blue
  // Indices up to 8 bits; raw pixel values for 16 bits and bit fields; 0x00RRGGBB otherwise.
  std::vector<std::uint32_t> pixels;
  std::vector<std::uint8_t> rle;  // run-length data as it goes into the file
};

inline void Put(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
inline void Patch32(std::vector<std::uint8_t>& file, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline std::vector<std::uint8_t> PixelData(const Layout& s) {
  if (s.compression == kRle8 || s.compression == kRle4) return s.rle;
  const std::size_t stride = (static_cast<std::size_t>(s.width) * s.bpp + 31) / 32 * 4;
  std::vector<std::uint8_t> data(stride * s.height, 0);
  for (int r = 0; r < s.height; ++r) {
    const int y = s.top_down ? r : s.height - 1 - r;
    std::uint8_t* row = data.data() + r * stride;
    for (int x = 0; x < s.width; ++x) {
      const std::uint32_t v = s.pixels[static_cast<std::size_t>(y) * s.width + x];
      if (s.bpp < 8) {
        row[x * s.bpp / 8] |= static_cast<std::uint8_t>(v << (8 - s.bpp - (x * s.bpp) % 8));
      } else {
        for (int b = 0; b < s.bpp / 8; ++b) row[x * s.bpp / 8 + b] = (v >> (8 * b)) & 0xFF;
      }
    }
  }
  return data;
}

inline std::vector<std::uint8_t> File(const Layout& s) {
  const bool core = s.info_size == 12;
  const bool masks_after = s.compression == kBitfields && s.info_size == 40;
  const std::size_t pixels_at =
      14 + s.info_size + (masks_after ? 12 : 0) + s.palette.size() * (core ? 3 : 4);
  const std::vector<std::uint8_t> data = PixelData(s);
  std::vector<std::uint8_t> out{'B', 'M'};
  Put(out, static_cast<std::uint32_t>(pixels_at + data.size()), 4);
  Put(out, 0, 4);
  Put(out, static_cast<std::uint32_t>(pixels_at), 4);
  Put(out, s.info_size, 4);
  Put(out, s.width, core ? 2 : 4);
  Put(out, s.top_down ? -s.height : s.height, core ? 2 : 4);
  Put(out, 1, 2);
  Put(out, s.bpp, 2);
  if (!core) {
    for (std::uint32_t v : {s.compression, static_cast<std::uint32_t>(data.size()), 2835u, 2835u,
                            static_cast<std::uint32_t>(s.palette.size()), 0u}) {
      Put(out, v, 4);
    }
    if (s.info_size > 40) {  // the larger headers hold the masks themselves
      for (std::uint32_t m : s.masks) Put(out, m, 4);
    }
    out.resize(14 + s.info_size, 0);
    if (masks_after) {
      for (std::uint32_t m : s.masks) Put(out, m, 4);
    }
  }
  for (std::uint32_t c : s.palette) Put(out, c, core ? 3 : 4);
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

inline void Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

}  // namespace bmptest
