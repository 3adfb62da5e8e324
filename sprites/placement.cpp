// The placement rules shared by the property tables. Random values are drawn in the order the
// fields are listed (X before Y). The integer differences are taken in checked 32-bit arithmetic
// so that very wide screens place items instead of overflowing; the rest is floating point.
#include "sprites/placement.h"

#include "host/starter.h"
#include "host/system.h"
#include "runtime/conversions.h"
#include "runtime/random.h"
#include "sprites/animations.h"
#include "sprites/surfaces.h"

namespace {

// floor(r * span + base) as a whole number of pixels.
rt::Long FloorOf(double v) {
  return rt::CLng(rt::Int(v));
}

}  // namespace

rt::Integer RandomStartFrame(rt::Integer frames) {
  return rt::CInt(rt::Int(rt::Rnd() * frames.AsDouble()));
}

rt::Long RandomSwimX(rt::Integer width) {
  const rt::Long span = RightLimit - width - LeftLimit + 1;
  return FloorOf(rt::Rnd() * span.AsDouble() + LeftLimit.AsDouble());
}

rt::Long RandomSwimY(rt::Integer height) {
  const rt::Long span = BottomLimit - height + 1;
  return FloorOf(rt::Rnd() * span.AsDouble());
}

Position RandomSwimPosition(rt::Integer width, rt::Integer height) {
  const rt::Long x = RandomSwimX(width);
  return {x, RandomSwimY(height)};
}

Position RandomDropPosition(rt::Integer width, rt::Integer height) {
  const rt::Long span = ScreenWidth - width + 1;
  return {FloorOf(rt::Rnd() * span.AsDouble()), -rt::Long(height)};
}

rt::Long CentreAnchoredX(double offset) {
  return rt::CLng(ScreenWidth / 2 + offset);
}

void CheckInstalled(Sprite& s) {
  s.Installed = FileInstallCheck(DataDir + s.ImageFile);
}

void SetPicture(Sprite& s, const std::string& image_file) {
  s.ImageFile = image_file;
  CheckInstalled(s);
}

void SetCells(Sprite& s, rt::Integer width, rt::Integer height, rt::Integer frames) {
  s.Width = width;
  s.Height = height;
  s.StripOffset = 0;
  s.StripOffsetY = 0;
  s.Frames = frames;
}
