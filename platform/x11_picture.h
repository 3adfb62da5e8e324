// The raster's pictures on X windows (private to platform/; shows no X type): the X server
// reads the pixel words of a bitmap where they are, from memory it shares with us (MIT-SHM) or,
// where it cannot, through the connection.
#pragma once

#include "platform/gdi.h"

namespace win::x11 {

// From now on large bitmaps are made in memory that the server can share, when it offers that.
void ShareLargeBitmaps();
// Whether the window holds its pixels as the raster's 24/32-bit words do (0x00RRGGBB in 32
// bits, in this machine's byte order), so that they can go to it as they are.
bool TakesPictures(HWND window);
// Puts what the DC shows in the rectangle on the window, at the same place. The first time a
// bitmap goes to the X server its words move into memory that the server shares, when it
// offers that; either way the server has read them when this returns, so the program may draw
// on the bitmap again.
void PutPicture(HWND window, HDC dc, int x, int y, int width, int height);

}  // namespace win::x11
