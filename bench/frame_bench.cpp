// The cost of composing one full-screen frame with the software raster, next to the cost of
// copying three 1920x1080 32-bit frames with memcpy (the yardstick: a frame should take at most
// twice as long).
//
// A frame, as the saver draws it: the background copied into the back buffer, about a hundred
// sprite cells drawn through their one-bit masks (AND, then the picture with OR), the
// screen-wide coral strip masked in along the bottom, and the back buffer handed to a window's
// surface, which shows it rather than copying it.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/gdi.h"

namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
constexpr int kCellWidth = 100;
constexpr int kCellHeight = 80;
constexpr int kCells = 8;
constexpr int kSprites = 100;
constexpr int kStripHeight = 247;

// A DC holding a new bitmap compatible with the screen, filled by pattern(x, y) (0x00RRGGBB).
template <class Pattern>
win::HDC Surface(int width, int height, int bits, Pattern pattern) {
  const win::HDC dc = win::CreateCompatibleDC(0);
  win::SelectObject(dc, bits == 32 ? win::CreateCompatibleBitmap(0, width, height)
                                   : win::CreateBitmap(width, height, 1, bits, nullptr));
  std::uint32_t* pixels = win::MutablePixels32(dc);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels[y * width + x] = pattern(x, y);
  }
  win::SetBkColor(dc, win::RGB(0, 0, 0));
  return dc;
}

// The one-bit mask of a picture: white where it is black.
win::HDC MaskOf(win::HDC picture) {
  const int w = win::BitmapWidth(picture);
  const int h = win::BitmapHeight(picture);
  const win::HDC mask = win::CreateCompatibleDC(0);
  win::SelectObject(mask, win::CreateBitmap(w, h, 1, 1, nullptr));
  win::BitBlt(mask, 0, 0, w, h, picture, 0, 0, win::Rop::SRCCOPY);
  return mask;
}

struct Scene {
  win::HDC buffer, background, sheet, sheet_mask, strip, strip_mask, window;
  struct Placement {
    int x, y, cell;
  };
  std::vector<Placement> sprites;

  Scene() {
    buffer = Surface(kScreenWidth, kScreenHeight, 32, [](int, int) { return 0u; });
    background = Surface(kScreenWidth, kScreenHeight, 32,
                         [](int x, int y) { return static_cast<std::uint32_t>(x * 7 + y * 3); });
    // Cells with a black (transparent) surround, as fish sheets have.
    sheet = Surface(kCellWidth * kCells, kCellHeight, 24, [](int x, int y) {
      const int cx = x % kCellWidth - kCellWidth / 2;
      const int cy = y - kCellHeight / 2;
      return cx * cx * 4 + cy * cy * 9 < 40 * 40 * 4 ? 0x00336699u + x : 0u;
    });
    sheet_mask = MaskOf(sheet);
    strip = Surface(kScreenWidth, kStripHeight, 32,
                    [](int x, int y) { return (x / 40 + y / 30) % 3 == 0 ? 0u : 0x00804020u; });
    strip_mask = MaskOf(strip);
    window = Surface(kScreenWidth, kScreenHeight, 32, [](int, int) { return 0u; });
    win::MakeWindowSurface(window);
    unsigned seed = 12345;  // a fixed spread over the screen, some cells cut at the edges
    for (int i = 0; i < kSprites; ++i) {
      seed = seed * 1103515245 + 12345;
      const int x = static_cast<int>(seed >> 8) % (kScreenWidth + kCellWidth) - kCellWidth / 2;
      seed = seed * 1103515245 + 12345;
      const int y = static_cast<int>(seed >> 8) % (kScreenHeight + kCellHeight) - kCellHeight / 2;
      sprites.push_back({x, y, i % kCells});
    }
  }

  void Frame() const {
    win::BitBlt(buffer, 0, 0, kScreenWidth, kScreenHeight, background, 0, 0, win::Rop::SRCCOPY);
    for (const auto& s : sprites) {
      const int src_x = s.cell * kCellWidth;
      win::BitBlt(buffer, s.x, s.y, kCellWidth, kCellHeight, sheet_mask, src_x, 0,
                  win::Rop::SRCAND);
      win::BitBlt(buffer, s.x, s.y, kCellWidth, kCellHeight, sheet, src_x, 0, win::Rop::SRCPAINT);
    }
    const int strip_y = kScreenHeight - kStripHeight;
    win::BitBlt(buffer, 0, strip_y, kScreenWidth, kStripHeight, strip_mask, 0, 0, win::Rop::SRCAND);
    win::BitBlt(buffer, 0, strip_y, kScreenWidth, kStripHeight, strip, 0, 0, win::Rop::SRCPAINT);
    win::BitBlt(window, 0, 0, kScreenWidth, kScreenHeight, buffer, 0, 0, win::Rop::SRCCOPY);
  }
};

void BM_ComposeFrame(benchmark::State& state) {
  static const Scene scene;
  for (auto _ : state) {
    scene.Frame();
    benchmark::DoNotOptimize(win::Pixels32(scene.window));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ComposeFrame)->Unit(benchmark::kMillisecond);

void BM_MemcpyThreeFrames(benchmark::State& state) {
  const std::size_t words = static_cast<std::size_t>(kScreenWidth) * kScreenHeight;
  std::vector<std::uint32_t> from(words, 0x00123456);
  std::vector<std::uint32_t> to(words, 0);
  for (auto _ : state) {
    for (int i = 0; i < 3; ++i) {
      std::memcpy(to.data(), from.data(), words * sizeof(std::uint32_t));
      benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(to.data());
  }
}
BENCHMARK(BM_MemcpyThreeFrames)->Unit(benchmark::kMillisecond);

}  // namespace
