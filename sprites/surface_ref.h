// SurfaceRef: a record's hold on a memory drawing surface (a DC with its bitmap).
//
// A record and its copies share one surface by reference; the surface is deleted when the last
// holder lets go. So a copied preview record never frees a picture its source still draws, a
// rebuilt record does not leak its old surface, and nothing is deleted twice.
#pragma once

#include "platform/gdi.h"

class SurfaceRef {
 public:
  SurfaceRef() = default;
  // Takes over a freshly made DC (the first hold on it).
  static SurfaceRef Adopt(win::HDC dc);

  SurfaceRef(const SurfaceRef& other);
  SurfaceRef& operator=(const SurfaceRef& other);
  SurfaceRef(SurfaceRef&& other) noexcept;
  SurfaceRef& operator=(SurfaceRef&& other) noexcept;
  ~SurfaceRef();

  // The handle as the drawing calls take it; 0 when the record holds no surface.
  operator win::HDC() const { return dc_; }  // NOLINT: handles are used as plain numbers
  win::HDC Handle() const { return dc_; }
  // Lets go of this hold; the field reads 0 afterwards.
  void Release();

 private:
  win::HDC dc_ = 0;
};
