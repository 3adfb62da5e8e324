// Plain 24-bit pictures and the BMP files the program loads them from.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace mediagen {

struct Pixel {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Pixel&) const = default;
};

// A picture held top row first; pure black is the transparent colour of every sheet.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;

  Image() = default;
  Image(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h) {}
  Pixel& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
  const Pixel& At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

Image MirrorX(const Image& src);
// Copies src into dst with its top-left corner at (x, y), clipped to dst.
void Paste(Image& dst, const Image& src, int x, int y);

// Uncompressed 24-bit, bottom-up, BITMAPINFOHEADER: the format every loader accepts.
void WriteBmp(const std::filesystem::path& path, const Image& image);

}  // namespace mediagen
