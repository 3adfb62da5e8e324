// Our stand-in for the drawing calls (gdi32) and the picture loader of user32: a small software
// raster of memory device contexts, bitmaps of 1, 8 (with a colour table), 24 and 32 bits,
// one-bit masks and raster-operation blits. Every pixel the program shows comes from here, and
// tests read pixels back through the inspection calls at the end.
//
// Handles live in one table; 0 means none. Only what the program uses is implemented; any other
// raster operation or object kind fails loudly, naming the call.
#pragma once

#include <cstdint>
#include <string>

namespace win {

using HDC = std::int32_t;
using HBITMAP = std::int32_t;
using HGDIOBJ = std::int32_t;
using HWND = std::int32_t;
using COLORREF = std::uint32_t;  // 0x00BBGGRR, as the platform packs it

constexpr COLORREF RGB(int r, int g, int b) {
  return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) {
  return c & 0xFF;
}
constexpr int GetGValue(COLORREF c) {
  return (c >> 8) & 0xFF;
}
constexpr int GetBValue(COLORREF c) {
  return (c >> 16) & 0xFF;
}

// The raster operations the program uses, with their real codes.
enum class Rop : std::uint32_t {
  SRCCOPY = 0x00CC0020,
  SRCAND = 0x008800C6,
  SRCPAINT = 0x00EE0086,
  BLACKNESS = 0x00000042,
};

struct POINT {
  std::int32_t x;
  std::int32_t y;
};

// The 24-byte BITMAP record that GetObjectA fills.
struct BITMAP {
  std::int32_t bmType;
  std::int32_t bmWidth;
  std::int32_t bmHeight;
  std::int32_t bmWidthBytes;
  std::uint16_t bmPlanes;
  std::uint16_t bmBitsPixel;
  std::uint32_t bmBits;  // never filled: the program does not touch bits directly
};
static_assert(sizeof(BITMAP) == 24);

constexpr unsigned IMAGE_BITMAP = 0;
constexpr unsigned LR_LOADFROMFILE = 0x0010;
constexpr unsigned LR_DEFAULTSIZE = 0x0040;
constexpr unsigned LR_CREATEDIBSECTION = 0x2000;

// A memory DC compatible with the screen (reference 0) or with another DC. A new DC holds the
// shared 1x1 one-bit stock bitmap, background colour white, text colour black, position (0,0).
HDC CreateCompatibleDC(HDC reference);
// A bitmap of the format of the bitmap selected into the reference DC (one bit when that is the
// stock bitmap), all pixels zero (black).
HBITMAP CreateCompatibleBitmap(HDC reference, int width, int height);
// A bitmap of the given depth (1, 8, 24 or 32 bits, one plane); bits, when given, are rows
// padded to 16 bits as the platform's CreateBitmap expects. 0x0 gives the 1x1 stock bitmap.
HBITMAP CreateBitmap(int width, int height, unsigned planes, unsigned bits_per_pixel,
                     const void* bits);
// Selects a bitmap into a DC; the DC owns it from then on. Returns the previous bitmap (which
// the DC no longer owns), or 0 on failure.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
// Deletes a DC and the bitmap it owns.
bool DeleteDC(HDC dc);
// Deletes a bitmap that no DC holds.
bool DeleteObject(HGDIOBJ object);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF SetTextColor(HDC dc, COLORREF color);
// Fills bmWidth, bmHeight, bmBitsPixel, bmPlanes, bmWidthBytes; returns bytes written or 0.
int GetObjectA(HGDIOBJ object, int size, void* out);
// Loads a BMP file (a path in the program's Windows form, mapped by HostPath) keeping its own
// format; a file of 1, 4 or 8 bits becomes an 8-bit bitmap with the file's colour table. Returns
// 0 when the file is missing, not a regular file, broken, hostile or too large.
HBITMAP LoadImageA(std::int32_t instance, const std::string& path, unsigned type, int cx, int cy,
                   unsigned flags);

bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int src_x, int src_y, Rop rop);
bool StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int src_x, int src_y,
                int src_width, int src_height, Rop rop);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
bool MoveToEx(HDC dc, int x, int y, POINT* previous);
// Draws with the DC's pen (solid black, one pixel) from the current position to (x, y), the end
// point left out, and moves the current position there.
bool LineTo(HDC dc, int x, int y);

// ---- Inspection, for the platform's own windows and for tests (not platform calls) ----

// The colour of a pixel of the bitmap selected into a DC (for a 1-bit bitmap: white or black;
// 8 bits: the colour-table entry). Out of range gives 0xFFFFFFFF (CLR_INVALID).
COLORREF GetPixel(HDC dc, int x, int y);
int BitsPerPixel(HDC dc);
int BitmapWidth(HDC dc);
int BitmapHeight(HDC dc);
// Rows of a 24/32-bit bitmap are stored as 32-bit 0x00RRGGBB words, top row first; null for
// other depths. Windows wrap these rows without copying. Writes through MutablePixels32 must
// come before the next raster call: the raster notes the bitmap written only when it is asked.
const std::uint32_t* Pixels32(HDC dc);
std::uint32_t* MutablePixels32(HDC dc);
int Stride32(HDC dc);  // words per row
// Makes a DC the drawing surface of a window. A SRCCOPY onto it of the whole of a 24/32-bit
// bitmap of its size, from another DC, then copies nothing: the DC shows that bitmap itself, as
// it is, wherever the DC is read, and lets its own bitmap go. Anything else drawn on the DC, or
// the end of the bitmap it shows, first gives it a copy of its own again.
void MakeWindowSurface(HDC dc);
// How many DCs and bitmaps are alive (tests check that nothing leaks or is freed twice).
int LiveDCCount();
int LiveBitmapCount();

}  // namespace win
