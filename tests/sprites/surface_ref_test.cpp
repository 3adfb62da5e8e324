#include "sprites/surface_ref.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// A DC the drawing layer counts as alive until it is deleted.
win::HDC NewDC() {
  return win::CreateCompatibleDC(0);
}

class SurfaceRefTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(win::LiveDCCount(), start_); }
  const int start_ = win::LiveDCCount();
};

TEST_F(SurfaceRefTest, LastHolderDeletesTheSurface) {
  SurfaceRef first = SurfaceRef::Adopt(NewDC());
  EXPECT_EQ(win::LiveDCCount(), start_ + 1);
  {
    SurfaceRef copy = first;
    SurfaceRef assigned;
    assigned = first;
    EXPECT_EQ(copy.Handle(), first.Handle());
    EXPECT_EQ(assigned.Handle(), first.Handle());
  }
  EXPECT_EQ(win::LiveDCCount(), start_ + 1) << "copies letting go must not delete the surface";
  EXPECT_EQ(win::BitmapWidth(first), 1) << "the surface must still be usable";
  first.Release();
  EXPECT_EQ(first.Handle(), 0);
  EXPECT_EQ(win::LiveDCCount(), start_);
}

TEST_F(SurfaceRefTest, ReleasingTwiceReleasesNothingTheSecondTime) {
  SurfaceRef a = SurfaceRef::Adopt(NewDC());
  SurfaceRef b = a;
  a.Release();
  a.Release();
  EXPECT_EQ(win::LiveDCCount(), start_ + 1) << "b still holds the surface";
  b.Release();
  EXPECT_EQ(win::LiveDCCount(), start_);
}

TEST_F(SurfaceRefTest, AssigningAnotherSurfaceLetsGoOfTheOldOne) {
  SurfaceRef a = SurfaceRef::Adopt(NewDC());
  const SurfaceRef b = SurfaceRef::Adopt(NewDC());
  a = b;
  EXPECT_EQ(win::LiveDCCount(), start_ + 1);
  EXPECT_EQ(a.Handle(), b.Handle());
}

TEST_F(SurfaceRefTest, SelfAndSameSurfaceAssignmentKeepTheHold) {
  SurfaceRef a = SurfaceRef::Adopt(NewDC());
  SurfaceRef b = a;
  SurfaceRef& alias = a;
  a = alias;
  a = b;
  b = std::move(a);  // two holds become one
  EXPECT_EQ(win::LiveDCCount(), start_ + 1);
  EXPECT_EQ(a.Handle(), 0);  // NOLINT: a moved-from hold reads 0
  b.Release();
  EXPECT_EQ(win::LiveDCCount(), start_);
}

TEST_F(SurfaceRefTest, MovingHandsTheHoldOver) {
  SurfaceRef a = SurfaceRef::Adopt(NewDC());
  const win::HDC dc = a.Handle();
  SurfaceRef b = std::move(a);
  EXPECT_EQ(b.Handle(), dc);
  EXPECT_EQ(a.Handle(), 0);  // NOLINT: a moved-from hold reads 0
  SurfaceRef c;
  c = std::move(b);
  EXPECT_EQ(c.Handle(), dc);
  EXPECT_EQ(win::LiveDCCount(), start_ + 1);
}

TEST_F(SurfaceRefTest, NoSurfaceReadsZero) {
  SurfaceRef none;
  SurfaceRef adopted_none = SurfaceRef::Adopt(0);
  EXPECT_EQ(static_cast<win::HDC>(none), 0);
  EXPECT_EQ(adopted_none.Handle(), 0);
  none.Release();
}

}  // namespace
