#include "platform/dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "runtime/errors.h"
#include "sprites/media_folder.h"

namespace {

using testing_media::kDataDir;
using testing_media::MediaFolder;

std::string DirOf(const std::string& name) {
  return forms::Dir(kDataDir + name, forms::FileAttribute::vbNormal);
}

TEST(DirTest, FindsTheStoredNameWhateverTheCaseAsked) {
  MediaFolder media;
  media.Touch("a_Dolphin.bmp");
  EXPECT_EQ(DirOf("a_Dolphin.bmp"), "a_Dolphin.bmp");
  EXPECT_EQ(DirOf("A_DOLPHIN.BMP"), "a_Dolphin.bmp");
  EXPECT_EQ(DirOf("a_dolphin.bmp"), "a_Dolphin.bmp");
  // The folders of the path are matched without regard to case too.
  EXPECT_EQ(forms::Dir("c:\\windows\\QUORVANE\\solmere finbrook\\a_dolphin.bmp",
                       forms::FileAttribute::vbNormal),
            "a_Dolphin.bmp");
}

TEST(DirTest, PrefersTheExactSpellingAmongNamesDifferingInCase) {
  MediaFolder media;
  media.Touch("A_CRAB.BMP");
  media.Touch("a_crab.bmp");
  media.Touch("a_Crab.bmp");
  EXPECT_EQ(DirOf("a_Crab.bmp"), "a_Crab.bmp");
  EXPECT_EQ(DirOf("A_crab.BMP"), "A_CRAB.BMP") << "the first in name order otherwise";
}

TEST(DirTest, FindsNothingThatIsNotOneNormalFile) {
  MediaFolder media;
  media.Touch("a_crab.bmp");
  media.Touch(".a_hidden.bmp");
  std::filesystem::create_directory(media.Folder() / "a_folder.bmp");
  const char* const refused[] = {
      "a_missing.bmp", ".a_hidden.bmp", "a_folder.bmp", "a_*.bmp", "a_crab.bm?", "*", "", ".", "..",
  };
  for (const char* name : refused) EXPECT_EQ(DirOf(name), "") << '"' << name << '"';
  EXPECT_EQ(forms::Dir(kDataDir, forms::FileAttribute::vbNormal), "") << "a folder path";
  EXPECT_EQ(forms::Dir("C:\\WINDOWS\\NoSuchFolder\\a_crab.bmp", forms::FileAttribute::vbNormal),
            "");
}

TEST(DirTest, TakesAHostPath) {
  MediaFolder media;
  media.Touch("a_crab.bmp");
  EXPECT_EQ(forms::Dir((media.Folder() / "A_CRAB.bmp").string(), forms::FileAttribute::vbNormal),
            "a_crab.bmp");
}

TEST(DirTest, RefusesANameNoFileCanHave) {
  const std::string names[] = {"a|b.bmp", "a<b.bmp", "a\"b.bmp", std::string("a\0b.bmp", 7)};
  for (const std::string& name : names) {
    try {
      DirOf(name);
      ADD_FAILURE() << "no error for " << name;
    } catch (const rt::RuntimeError& e) {
      EXPECT_EQ(e.Number(), rt::kBadFileName);
    }
  }
}

TEST(DirTest, SearchesForNormalFilesOnly) {
  EXPECT_THROW(forms::Dir(kDataDir + "a.bmp", static_cast<forms::FileAttribute>(16)),
               std::logic_error);
}

}  // namespace
