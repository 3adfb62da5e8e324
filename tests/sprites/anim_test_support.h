// Shared fixtures of the sprite and frame tests: the screen and its turn limits, a reset of every
// record, and tiny synthetic surfaces built with the raster calls so that tests can look at what
// lands in the back buffer. Trapped errors: host_test::ErrorRecorder.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "host/host_test_support.h"
#include "host/starter.h"
#include "platform/gdi.h"
#include "sprites/animations.h"
#include "sprites/catalogue.h"

namespace anim_test {

using host_test::ErrorRecorder;

constexpr win::COLORREF kSea = win::RGB(0, 0, 0x40);
constexpr win::COLORREF kBlack = win::RGB(0, 0, 0);
constexpr win::COLORREF kWhite = win::RGB(255, 255, 255);

// A screen of the given size with the turn limits start-up takes from it.
inline void UseScreen(int width, int height) {
  MeasureScreen(width * 15.0f, height * 15.0f, 15, 15);
}

template <int Upper>
void Clear(rt::Array<Sprite, Upper>& group) {
  for (int i = 0; i <= Upper; ++i) group(i) = Sprite{};
}

// Every record of the scene back to its zeroed start: the items (the catalogue names a group by
// its element 1, so the groups are cleared whole), the centrepieces and the other records.
inline void ResetRecords() {
  for (const CatalogueItem& item : Catalogue()) *item.record = Sprite{};
  Clear(Clams), Clear(EmperorFish), Clear(RedFish), Clear(SwimHorses), Clear(YellowFish);
  Clear(AngelFish), Clear(BlueDevils), Clear(Bottles), Clear(Pillars), Clear(BubblesRight);
  Clear(BubblesLeft);
  for (const Centrepiece& c : Centrepieces()) *c.record = Sprite{};
  for (Sprite* s : {&PreviewSprite, &Palette, &Foreground, &Background, &Buffer, &CenterpieceSlot,
                    &ScenePreview, &PredatorPreview, &FishPreview, &OtherPreview})
    *s = Sprite{};
}

// A 32-bit surface of the given size, each pixel from paint(x, y).
inline SurfaceRef PaintedSurface(int width, int height,
                                 const std::function<win::COLORREF(int, int)>& paint) {
  const win::HDC dc = win::CreateCompatibleDC(0);
  win::SelectObject(dc, win::CreateBitmap(width, height, 1, 32, nullptr));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) win::SetPixel(dc, x, y, paint(x, y));
  return SurfaceRef::Adopt(dc);
}

// The one-bit mask of a picture surface: white where the picture is pure black.
inline SurfaceRef MaskOf(win::HDC picture) {
  const int width = win::BitmapWidth(picture), height = win::BitmapHeight(picture);
  const win::HDC dc = win::CreateCompatibleDC(0);
  win::SelectObject(dc, win::CreateBitmap(width, height, 1, 1, nullptr));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      win::SetPixel(dc, x, y, win::GetPixel(picture, x, y) == kBlack ? kWhite : kBlack);
  return SurfaceRef::Adopt(dc);
}

inline SurfaceRef SolidSurface(int width, int height, win::COLORREF colour) {
  return PaintedSurface(width, height, [colour](int, int) { return colour; });
}

// A sheet of solid cells of s's size, cell n coloured colours[n], and its mask. The last column
// of every cell is black, so every cell has a transparent edge.
inline void GiveSheet(Sprite& s, const std::vector<win::COLORREF>& colours) {
  const int w = s.Width.Value();
  s.ImageDC = PaintedSurface(w * static_cast<int>(colours.size()), s.Height.Value(),
                             [&](int x, int) { return x % w == w - 1 ? kBlack : colours[x / w]; });
  s.MaskDC = MaskOf(s.ImageDC);
}

// A sheet of solid cells of the given size over a mask row that keeps every pixel opaque.
inline SurfaceRef MaskRowSheet(int width, int height, const std::vector<win::COLORREF>& colours) {
  return PaintedSurface(width * static_cast<int>(colours.size()), 2 * height,
                        [&](int x, int y) { return y < height ? colours[x / width] : kBlack; });
}

// A back buffer of the given size filled with the sea colour.
inline void GiveBuffer(int width, int height) {
  Buffer.ImageDC = SolidSurface(width, height, kSea);
}

inline win::COLORREF At(int x, int y) {
  return win::GetPixel(BufferDC(), x, y);
}

// Every sprite test starts on an 800 x 600 screen with every record and counter zeroed, records
// the errors its routines trap, and leaves the records zeroed for the next.
class SpriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseScreen(800, 600);
    ResetRecords();
    TickCount = ShortTick = WormStillCount = 0;
  }
  void TearDown() override { ResetRecords(); }
  ErrorRecorder errors_;
};

}  // namespace anim_test
