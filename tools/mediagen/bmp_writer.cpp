#include "mediagen/bmp_writer.h"

#include <fstream>
#include <stdexcept>

namespace mediagen {

Image MirrorX(const Image& src) {
  Image out(src.width, src.height);
  for (int y = 0; y < src.height; ++y) {
    for (int x = 0; x < src.width; ++x) out.At(src.width - 1 - x, y) = src.At(x, y);
  }
  return out;
}

void Paste(Image& dst, const Image& src, int x, int y) {
  for (int sy = 0; sy < src.height; ++sy) {
    const int dy = y + sy;
    if (dy < 0 || dy >= dst.height) continue;
    for (int sx = 0; sx < src.width; ++sx) {
      const int dx = x + sx;
      if (dx >= 0 && dx < dst.width) dst.At(dx, dy) = src.At(sx, sy);
    }
  }
}

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xff));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xff));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xffff);
  Put16(out, v >> 16);
}

}  // namespace

void WriteBmp(const std::filesystem::path& path, const Image& image) {
  const std::uint32_t row_bytes = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
  const std::uint32_t data_bytes = row_bytes * static_cast<std::uint32_t>(image.height);
  constexpr std::uint32_t kHeaderBytes = 14 + 40;
  std::vector<std::uint8_t> out;
  out.reserve(kHeaderBytes + data_bytes);
  out.push_back('B');
  out.push_back('M');
  Put32(out, kHeaderBytes + data_bytes);
  Put32(out, 0);
  Put32(out, kHeaderBytes);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(image.width));
  Put32(out, static_cast<std::uint32_t>(image.height));  // positive: bottom-up rows
  Put16(out, 1);                                         // planes
  Put16(out, 24);                                        // bits per pixel
  Put32(out, 0);                                         // BI_RGB
  Put32(out, data_bytes);
  Put32(out, 2835);  // 72 dots per inch
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const Pixel& p = image.At(x, y);
      out.push_back(p.b);
      out.push_back(p.g);
      out.push_back(p.r);
    }
    for (std::uint32_t pad = static_cast<std::uint32_t>(image.width) * 3; pad < row_bytes; ++pad) {
      out.push_back(0);
    }
  }
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace mediagen
