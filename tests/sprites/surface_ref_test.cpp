#include "sprites/surface_ref.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// Holds are counted per surface: copies, assignments and moves keep exactly the holds left, and
// only the last holder deletes the surface.
TEST(SurfaceRefTest, OnlyTheLastHolderDeletesTheSurface) {
  const int start = win::LiveDCCount();
  SurfaceRef a = SurfaceRef::Adopt(win::CreateCompatibleDC(0));
  SurfaceRef b = SurfaceRef::Adopt(win::CreateCompatibleDC(0));
  SurfaceRef copy = b;
  a = b;  // a's old surface has no holder left
  EXPECT_EQ(win::LiveDCCount(), start + 1);
  copy.Release();
  copy.Release();
  SurfaceRef moved = std::move(a);
  EXPECT_TRUE(moved.Handle() == b.Handle() && a.Handle() == 0);  // NOLINT: a moved-from hold
  b = std::move(moved);                                          // two holds become one
  EXPECT_EQ(win::BitmapWidth(b), 1) << "copies letting go must not delete the surface";
  b.Release();
  EXPECT_TRUE(b.Handle() == 0 && win::LiveDCCount() == start);
  EXPECT_EQ(SurfaceRef::Adopt(0).Handle(), 0);
}

}  // namespace
