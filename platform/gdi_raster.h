// Internals of the software raster shared by its sources (not part of the gdi.h contract): the
// bitmap and DC records, the handle table and the conversion of colours to pixel values.
//
// Storage is chosen for the blits, not for the platform's byte layout: one byte per pixel for 1
// bit (0 black, 1 white) and 8 bits (a colour-table index), one 0x00RRGGBB word per pixel for 24
// and 32 bits. Rows are contiguous, top row first.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi.h"

namespace win::raster {

// Larger bitmaps are refused rather than allocated: no screen or picture of the program comes
// near it, and a hostile size must not exhaust memory.
constexpr int kMaxDimension = 16384;
constexpr COLORREF kClrInvalid = 0xFFFFFFFF;
constexpr COLORREF kWhite = 0x00FFFFFF;

// A 24/32-bit pixel word (0x00RRGGBB) from a COLORREF (0x00BBGGRR) and back: red and blue swap.
constexpr std::uint32_t WordFromColor(COLORREF c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr COLORREF ColorFromWord(std::uint32_t w) {
  return WordFromColor(w);
}

struct Bitmap {
  int width = 0;
  int height = 0;
  int bits = 1;                      // 1, 8, 24 or 32
  std::vector<std::uint8_t> bytes;   // 1 and 8 bits
  std::vector<std::uint32_t> words;  // 24 and 32 bits
  // 8 bits: colours as 0x00RRGGBB; entries past table_size are black, so any index shows.
  std::array<std::uint32_t, 256> table{};
  int table_size = 0;
  HDC holder = 0;  // the DC that holds and owns it; 0 when free (always 0 for the stock one)
  bool stock = false;

  bool Wide() const { return bits >= 24; }
  std::uint8_t* Row8(int y) { return bytes.data() + static_cast<std::size_t>(y) * width; }
  const std::uint8_t* Row8(int y) const {
    return bytes.data() + static_cast<std::size_t>(y) * width;
  }
  std::uint32_t* Row32(int y) { return words.data() + static_cast<std::size_t>(y) * width; }
  const std::uint32_t* Row32(int y) const {
    return words.data() + static_cast<std::size_t>(y) * width;
  }
  // The colour (0x00RRGGBB) a pixel shows.
  std::uint32_t WordAt(int x, int y) const;
  // The pixel value that shows a colour (0x00RRGGBB) best: the word itself, the nearest table
  // entry, or for one bit the nearer of black and white.
  std::uint32_t ValueOf(std::uint32_t word) const;
  std::uint8_t Nearest(std::uint32_t word) const;

 private:
  // Nearest-entry answers by colour: converting a picture to 8 bits asks for the same few
  // colours over and over, and the table never changes once the bitmap exists.
  mutable std::vector<std::uint32_t> nearest_keys_;
  mutable std::vector<std::uint8_t> nearest_values_;
};

// A zeroed (black) bitmap of a valid size and depth.
Bitmap MakeBitmap(int width, int height, int bits);

struct Dc {
  HBITMAP bitmap = 0;
  COLORREF bk_color = kWhite;
  COLORREF text_color = 0;
  POINT position{0, 0};
};

Dc* FindDc(HDC dc);
Bitmap* FindBitmap(HBITMAP bitmap);
// The bitmap a live DC holds (a DC always holds one).
Bitmap& BitmapOf(const Dc& dc);

// Anything the program never does: thrown as a logic error naming the call, so that it surfaces
// at once instead of drawing something plausible but wrong.
[[noreturn]] void Unsupported(const char* call, const std::string& what);

}  // namespace win::raster
