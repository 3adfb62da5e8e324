#include "platform/builtin_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

struct Expected {
  const char* name;
  int width;
  int height;
};

// The settings dialog's pictures and the sizes its controls are laid out for.
std::vector<Expected> DialogPictures() {
  std::vector<Expected> expected = {
      {"speaker", 17, 16}, {"banner", 201, 66}, {"logo", 144, 16}, {"pointer", 32, 32}};
  static const std::vector<std::string> icon_names = [] {
    std::vector<std::string> names;
    for (const char* item :
         {"whale",       "manatee",    "orca",       "octopus",  "hammerhead", "tuna",
          "shark",       "swimmaid",   "tigershark", "dolphin",  "redfish",    "crab",
          "emperorfish", "clams",      "swimhorses", "seahorse", "yellowfish", "jellyfish",
          "bluedevils",  "angelfish",  "scubadiver", "bubbles",  "worm",       "anchor",
          "mofiasnitch", "marinasign", "pillars",    "eyes",     "bottles",    "diverhead"}) {
      names.push_back(std::string("icon_") + item);
    }
    return names;
  }();
  for (const std::string& name : icon_names) expected.push_back({name.c_str(), 17, 17});
  return expected;
}

TEST(BuiltinPictures, EachDialogPictureHasItsSizeAndMoreThanOneColour) {
  for (const Expected& e : DialogPictures()) {
    SCOPED_TRACE(e.name);
    const forms::BuiltinPicture& picture = forms::FindBuiltinPicture(e.name);
    EXPECT_EQ(picture.width, e.width);
    EXPECT_EQ(picture.height, e.height);
    ASSERT_EQ(picture.pixels.size(), static_cast<std::size_t>(e.width) * e.height);
    std::set<std::uint32_t> colours(picture.pixels.begin(), picture.pixels.end());
    EXPECT_GT(colours.size(), 8u) << "too flat to show anything";
    EXPECT_TRUE(std::all_of(picture.pixels.begin(), picture.pixels.end(),
                            [](std::uint32_t p) { return p <= 0x00FFFFFF; }));
  }
}

TEST(BuiltinPictures, IconsDifferFromOneAnother) {
  std::set<std::vector<std::uint32_t>> seen;
  for (const Expected& e : DialogPictures()) {
    EXPECT_TRUE(seen.insert(forms::FindBuiltinPicture(e.name).pixels).second) << e.name;
  }
}

TEST(BuiltinPictures, NamesListEveryPictureOnce) {
  const std::vector<std::string> names = forms::BuiltinPictureNames();
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
  for (const Expected& e : DialogPictures()) {
    EXPECT_NE(std::find(names.begin(), names.end(), e.name), names.end()) << e.name;
  }
  EXPECT_NE(std::find(names.begin(), names.end(), forms::kBugReportPicture), names.end());
}

TEST(BuiltinPictures, PointerIsSeeThroughAroundTheHandAndPointsInsideIt) {
  const forms::BuiltinPicture& pointer = forms::FindBuiltinPicture("pointer");
  ASSERT_EQ(pointer.alpha.size(), pointer.pixels.size());
  const auto alpha_at = [&](int x, int y) { return pointer.alpha[y * pointer.width + x]; };
  EXPECT_EQ(alpha_at(0, 0), 0);
  EXPECT_EQ(alpha_at(pointer.width - 1, pointer.height - 1), 0);
  // The hotspot lies on the drawn hand, at its top: nothing opaque above it.
  EXPECT_GT(alpha_at(pointer.hotspot_x, pointer.hotspot_y + 1), 128);
  for (int y = 0; y < pointer.hotspot_y - 1; ++y) {
    for (int x = 0; x < pointer.width; ++x) EXPECT_LT(alpha_at(x, y), 128) << x << "," << y;
  }
}

TEST(BuiltinPictures, OpaquePicturesCarryNoAlpha) {
  EXPECT_TRUE(forms::FindBuiltinPicture("icon_whale").alpha.empty());
  EXPECT_TRUE(forms::FindBuiltinPicture("banner").alpha.empty());
}

}  // namespace
