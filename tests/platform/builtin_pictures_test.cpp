#include "platform/builtin_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

TEST(BuiltinPictures, EachIsWholeShowsSomethingAndDiffersFromTheOthers) {
  std::set<std::vector<std::uint32_t>> looks;
  for (const std::string& name : forms::BuiltinPictureNames()) {
    const forms::BuiltinPicture& picture = forms::FindBuiltinPicture(name);
    const auto& pixels = picture.pixels;
    ASSERT_EQ(pixels.size(), static_cast<std::size_t>(picture.width) * picture.height) << name;
    EXPECT_TRUE(picture.alpha.empty() || picture.alpha.size() == pixels.size()) << name;
    EXPECT_GT(std::set(pixels.begin(), pixels.end()).size(), 8u) << name << " is too flat";
    EXPECT_LE(*std::max_element(pixels.begin(), pixels.end()), 0x00FFFFFFu) << name;
    EXPECT_TRUE(looks.insert(pixels).second) << name << " looks like another or is listed twice";
    if (name.starts_with("icon_")) {
      EXPECT_EQ(picture.width * picture.height, 17 * 17) << name << " does not fit its cell";
    }
  }
  EXPECT_NO_THROW(forms::FindBuiltinPicture(forms::kBugReportPicture));
}

}  // namespace
