#include "platform/dir.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "sprites/media_folder.h"
#include "support/raised_error.h"

namespace {

using testing_media::kDataDir;
using testing_media::MediaFolder;

std::string Dir(const std::string& path) {
  return forms::Dir(path, forms::FileAttribute::vbNormal);
}

// The stored name comes back whatever the case asked, of the name and of its folders; among
// names differing in case only the exact spelling wins, else the first in name order.
TEST(DirTest, FindsOneNormalFileWithoutRegardToCase) {
  MediaFolder media;
  for (const char* name :
       {"a_Dolphin.bmp", "A_CRAB.BMP", "a_crab.bmp", "a_Crab.bmp", ".a_hidden.bmp"})
    media.Touch(name);
  std::filesystem::create_directory(media.Folder() / "a_folder.bmp");
  const struct {
    std::string path;
    const char* found;
  } cases[] = {
      {kDataDir + "A_DOLPHIN.BMP", "a_Dolphin.bmp"},
      {"c:\\windows\\QUORVANE\\solmere finbrook\\a_dolphin.bmp", "a_Dolphin.bmp"},
      {(media.Folder() / "A_DOLPHIN.bmp").string(), "a_Dolphin.bmp"},
      {kDataDir + "a_Crab.bmp", "a_Crab.bmp"},
      {kDataDir + "A_crab.BMP", "A_CRAB.BMP"},
      {kDataDir + "a_missing.bmp", ""},
      {kDataDir + ".a_hidden.bmp", ""},
      {kDataDir + "a_folder.bmp", ""},
      {kDataDir + "a_*.bmp", ""},
      {kDataDir + "*", ""},
      {kDataDir, ""},
      {kDataDir + "..", ""},
      {"C:\\WINDOWS\\NoSuchFolder\\a_crab.bmp", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Dir(c.path), c.found) << c.path;
}

TEST(DirTest, RefusesANameNoFileCanHaveAndSearchesForNormalFilesOnly) {
  using namespace std::string_literals;
  for (const std::string& name : {"a|b.bmp"s, "a<b.bmp"s, "a\"b.bmp"s, "a\0b.bmp"s}) {
    EXPECT_EQ(test_support::ErrorOf([&] { Dir(kDataDir + name); }), rt::kBadFileName) << name;
  }
  EXPECT_THROW(forms::Dir(kDataDir + "a.bmp", static_cast<forms::FileAttribute>(16)),
               std::logic_error);
}

}  // namespace
