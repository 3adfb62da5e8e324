// Picture surfaces: each record's picture sheet and its one-bit mask, the three screen-sized
// surfaces of the saver (back buffer, stretched background, widened foreground strip), the file
// check, and the two transparent draws of one cell.
//
// Records hold surfaces through SurfaceRef, so a rebuilt record lets go of its old surfaces and
// a surface shared with a copy lives until its last holder lets go.
#include "sprites/surfaces.h"

#include "host/starter.h"
#include "host/system.h"
#include "platform/dir.h"
#include "platform/gdi.h"
#include "runtime/conversions.h"
#include "runtime/errors.h"
#include "sprites/animations.h"

namespace {

// The platform may refuse a DC now and then; a few tries, then the record goes without.
constexpr int kCreateTries = 3;
constexpr unsigned kLoadFlags =
    win::LR_LOADFROMFILE | win::LR_DEFAULTSIZE | win::LR_CREATEDIBSECTION;
// Only the top-left 640 pixels of a background picture are stretched over the screen.
constexpr int kBackgroundSourceWidth = 640;

// A memory DC compatible with the screen; 0 when every try is refused.
SurfaceRef MakeMemoryDC() {
  for (int i = 0; i < kCreateTries; ++i) {
    if (const win::HDC dc = win::CreateCompatibleDC(0)) return SurfaceRef::Adopt(dc);
  }
  return {};
}

// A screen-sized holder's DC, made on first use and reused after.
void EnsureDC(SurfaceRef& field) {
  if (field == 0) field = MakeMemoryDC();
}

// Selects a new bitmap into dc and frees the one it replaces, so a rebuilt screen surface does
// not leak its old pixels.
void SelectNewBitmap(win::HDC dc, win::HBITMAP bitmap) {
  if (dc == 0) return;
  win::DeleteObject(win::SelectObject(dc, bitmap));
}

// A bitmap in the palette picture's format: the format of every screen-sized surface.
win::HBITMAP ScreenFormatBitmap(rt::Long width, rt::Long height) {
  return win::CreateCompatibleBitmap(Palette.ImageDC, width.Value(), height.Value());
}

void SelectMask(win::HDC mask, win::HDC picture, int width, int height) {
  SelectNewBitmap(mask, win::CreateBitmap(width, height, 1, 1, nullptr));
  // Under the colour-to-mono rule the picture's background colour, black, becomes white.
  win::BitBlt(mask, 0, 0, width, height, picture, 0, 0, win::Rop::SRCCOPY);
}

}  // namespace

void GenerateDC(Sprite& rec) {
  rt::Trap("System/GenerateDC", [&] {
    SurfaceRef picture = MakeMemoryDC();
    if (picture == 0) {
      RemoveDC(rec);
      return;
    }
    const win::HBITMAP bitmap =
        win::LoadImageA(0, DataDir + rec.ImageFile, win::IMAGE_BITMAP, 0, 0, kLoadFlags);
    // A missing or broken picture counts as 0 x 0; its DC keeps the 1 x 1 stock bitmap.
    win::BITMAP size{};
    if (bitmap != 0) {
      win::GetObjectA(bitmap, sizeof size, &size);
      win::SelectObject(picture, bitmap);
    }
    win::SetBkColor(picture, win::RGB(0, 0, 0));
    rec.ImageDC = picture;

    SurfaceRef mask = MakeMemoryDC();
    if (mask == 0) {
      RemoveDC(rec);
      return;
    }
    SelectMask(mask, picture, size.bmWidth, size.bmHeight);
    rec.MaskDC = mask;
  });
}

// Kept as it always was: the context names module Starter.
void RemoveDC(Sprite& rec) {
  rt::Trap("Starter/RemoveDC", [&] {
    rec.ImageDC.Release();
    rec.MaskDC.Release();
  });
}

void GenerateColorDC() {
  rt::Trap("System/GenerateColorDC", [] {
    EnsureDC(Buffer.ImageDC);
    SelectNewBitmap(Buffer.ImageDC, ScreenFormatBitmap(ScreenWidth, ScreenHeight));
  });
}

// Kept as it always was: the context names GenerateColorDC, as the foreground's does.
void GenerateBackgroundDC() {
  rt::Trap("System/GenerateColorDC", [] {
    EnsureDC(Background.ImageDC);
    SelectNewBitmap(Background.ImageDC, ScreenFormatBitmap(ScreenWidth, ScreenHeight));
    // A copy loads the picture, so the holder keeps its own screen-sized surface.
    Sprite picture = Background;
    GenerateDC(picture);
    win::StretchBlt(Background.ImageDC, 0, 0, ScreenWidth.Value(), ScreenHeight.Value(),
                    picture.ImageDC, 0, 0, kBackgroundSourceWidth, Background.Height.Value(),
                    win::Rop::SRCCOPY);
    RemoveDC(picture);
  });
}

// The coral strip is the picture centred at the screen width and repeated edge to edge outwards
// until both ends of the strip are covered, so that it runs unbroken along the bottom of any
// screen; a screen narrower than the picture cuts the one centred copy at both ends.
void GenerateForegroundDC() {
  rt::Trap("System/GenerateColorDC", [] {
    const rt::Integer w = Foreground.Width;
    const rt::Integer h = Foreground.Height;
    const rt::Long sw = ScreenWidth;

    EnsureDC(Foreground.ImageDC);
    const win::HDC strip = Foreground.ImageDC;
    SelectNewBitmap(strip, ScreenFormatBitmap(sw, h));
    win::SetBkColor(strip, win::RGB(0, 0, 0));

    Sprite picture = Foreground;
    GenerateDC(picture);
    if (w > 0) {
      // Copies at x0 + k * w, from the one that reaches the left end to the last that starts
      // before the right end; the blit cuts the outer ones at the strip's ends.
      rt::Long x = rt::CLng(sw / 2 - w / 2);
      while (x > 0) x -= w;
      for (; x < sw; x += w) {
        win::BitBlt(strip, x.Value(), 0, w.Value(), h.Value(), picture.ImageDC, 0, 0,
                    win::Rop::SRCCOPY);
      }
    }

    EnsureDC(Foreground.MaskDC);
    SelectMask(Foreground.MaskDC, strip, sw.Value(), h.Value());
    RemoveDC(picture);
  });
}

rt::Integer FileInstallCheck(const std::string& path) {
  return rt::TrapValue<rt::Integer>("System/FileInstallCheck", [&] {
    const std::string found = forms::Dir(path, forms::FileAttribute::vbNormal);
    return rt::Truth(!found.empty() && rt::UCase(found) == rt::UCase(TrimPath(path)));
  });
}

std::string TrimPath(const std::string& path) {
  return rt::TrapValue<std::string>("System/TrimPath", [&] {
    std::string rest = path;
    for (std::size_t cut = rest.find('\\'); cut != std::string::npos; cut = rest.find('\\'))
      rest.erase(0, cut + 1);
    return rest;
  });
}

void DrawSpriteCell(const Sprite& r, const Sprite& s, rt::Long x, rt::Long y) {
  const rt::Long src_x = r.Frame * r.Width + r.StripOffset;
  win::BitBlt(BufferDC(), x.Value(), y.Value(), r.Width.Value(), r.Height.Value(), s.MaskDC,
              src_x.Value(), 0, win::Rop::SRCAND);
  win::BitBlt(BufferDC(), x.Value(), y.Value(), r.Width.Value(), r.Height.Value(), s.ImageDC,
              src_x.Value(), 0, win::Rop::SRCPAINT);
}

void DrawMaskRowCell(const Sprite& r, const Sprite& s, rt::Long x, rt::Long y) {
  const rt::Long src_x = r.Frame * r.Width + r.StripOffset;
  win::BitBlt(BufferDC(), x.Value(), y.Value(), r.Width.Value(), r.Height.Value(), s.ImageDC,
              src_x.Value(), r.Height.Value(), win::Rop::SRCAND);
  win::BitBlt(BufferDC(), x.Value(), y.Value(), r.Width.Value(), r.Height.Value(), s.ImageDC,
              src_x.Value(), 0, win::Rop::SRCPAINT);
}
