#include "sprites/surface_ref.h"

#include <unordered_map>

namespace {

// Holds per surface. The table is never destroyed: records are globals whose destructors run
// at exit in no order we control, and they must still find it.
std::unordered_map<win::HDC, int>& Holds() {
  static auto* holds = new std::unordered_map<win::HDC, int>();
  return *holds;
}

void AddHold(win::HDC dc) {
  if (dc != 0) ++Holds()[dc];
}

}  // namespace

SurfaceRef SurfaceRef::Adopt(win::HDC dc) {
  SurfaceRef ref;
  AddHold(dc);
  ref.dc_ = dc;
  return ref;
}

SurfaceRef::SurfaceRef(const SurfaceRef& other) : dc_(other.dc_) {
  AddHold(dc_);
}

SurfaceRef& SurfaceRef::operator=(const SurfaceRef& other) {
  if (other.dc_ != dc_) {
    AddHold(other.dc_);  // before letting go, so self-sharing holds never reach zero
    Release();
    dc_ = other.dc_;
  }
  return *this;
}

SurfaceRef::SurfaceRef(SurfaceRef&& other) noexcept : dc_(other.dc_) {
  other.dc_ = 0;
}

SurfaceRef& SurfaceRef::operator=(SurfaceRef&& other) noexcept {
  if (this != &other) {
    Release();
    dc_ = other.dc_;
    other.dc_ = 0;
  }
  return *this;
}

SurfaceRef::~SurfaceRef() {
  Release();
}

void SurfaceRef::Release() {
  if (dc_ == 0) return;
  const win::HDC dc = dc_;
  dc_ = 0;
  auto& holds = Holds();
  const auto it = holds.find(dc);
  if (it == holds.end() || --it->second > 0) return;
  holds.erase(it);
  win::DeleteDC(dc);
}
