#include "sprites/surface_ref.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

SurfaceRef NewSurface() {
  return SurfaceRef::Adopt(win::CreateCompatibleDC(0));
}

class SurfaceRefTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(win::LiveDCCount(), start_); }
  int Held() const { return win::LiveDCCount() - start_; }
  const int start_ = win::LiveDCCount();
};

TEST_F(SurfaceRefTest, LastHolderDeletesTheSurfaceAndASecondReleaseDoesNothing) {
  SurfaceRef first = NewSurface();
  {
    SurfaceRef copy = first;
    SurfaceRef assigned;
    assigned = first;
    EXPECT_EQ(assigned.Handle(), first.Handle());
    copy.Release();
    copy.Release();
  }
  EXPECT_EQ(Held(), 1) << "copies letting go must not delete the surface";
  EXPECT_EQ(win::BitmapWidth(first), 1) << "the surface must still be usable";
  first.Release();
  EXPECT_TRUE(first.Handle() == 0 && Held() == 0);
}

TEST_F(SurfaceRefTest, AssigningAndMovingKeepExactlyTheHoldsLeft) {
  SurfaceRef a = NewSurface();
  SurfaceRef b = NewSurface();
  a = b;  // a's old surface has no holder left
  EXPECT_EQ(Held(), 1);
  SurfaceRef& alias = a;
  a = alias;
  const win::HDC dc = b.Handle();
  SurfaceRef c = std::move(a);
  EXPECT_TRUE(c.Handle() == dc && a.Handle() == 0);  // NOLINT: a moved-from hold reads 0
  b = std::move(c);                                  // two holds become one
  b.Release();
  EXPECT_EQ(Held(), 0);
  EXPECT_EQ(SurfaceRef::Adopt(0).Handle(), 0);
}

}  // namespace
