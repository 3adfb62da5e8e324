#include "platform/paths.h"

#include <gtest/gtest.h>

#include "platform/temp_windir.h"

namespace {

// Under FINBROOK_WINDIR the Windows directory is that folder; each component of a path is found
// there without regard to case, and a name that does not exist keeps the spelling it was given.
// Other paths map onto the host's root.
TEST(Paths, WindowsPathsLeadToTheirHostFilesWhateverTheirCase) {
  test_support::TempWindir windir;
  windir.Write("quorvane/SOLMERE finbrook/A_Whale.BMP", "x");
  const std::string dir = windir.Dir().string();
  const struct {
    const char* path;
    std::string host;
  } cases[] = {
      {"C:\\WINDOWS\\quorvane.ini", dir + "/quorvane.ini"},
      {"c:\\windows\\Quorvane\\Solmere Finbrook\\a_whale.bmp",
       dir + "/quorvane/SOLMERE finbrook/A_Whale.BMP"},
      {"C:\\WINDOWS\\Quorvane\\Solmere Finbrook\\a_Song0.Mid",
       dir + "/quorvane/SOLMERE finbrook/a_Song0.Mid"},
      {"C:\\windows\\", dir},
      {"/already/a/host/path", "/already/a/host/path"},
      {"D:\\no-such-dir-finbrook\\x.bmp", "/no-such-dir-finbrook/x.bmp"},
      {"\\no-such-dir-finbrook\\Solmere Finbrook\\", "/no-such-dir-finbrook/Solmere Finbrook"},
      {"C:\\WINDOWSX\\a.ini", "/WINDOWSX/a.ini"},
  };
  for (const auto& c : cases) EXPECT_EQ(win::HostPath(c.path), c.host) << c.path;
}

// Without FINBROOK_WINDIR the media folder is the one built beside the program, and all else
// below the Windows directory (a folder "Quorvane" alone too) is the user's.
TEST(Paths, WithoutFinbrookWindirMediaIsBuiltInAndTheRestPerUser) {
  test_support::TempWindir windir;
  windir.SetEnv("FINBROOK_WINDIR", std::nullopt);
  const auto exe_dir = std::filesystem::read_symlink("/proc/self/exe").parent_path();
  const std::string user = windir.Dir().string() + "/config/finbrook";
  EXPECT_EQ(win::HostPath("C:\\WINDOWS\\Quorvane\\Solmere Finbrook\\a_whale.bmp"),
            (exe_dir / "media" / "a_whale.bmp").string());
  EXPECT_EQ(win::HostPath("C:\\WINDOWS\\quorvane.ini"), user + "/quorvane.ini");
  EXPECT_EQ(win::HostPath("C:\\WINDOWS\\Quorvane\\other.txt"), user + "/Quorvane/other.txt");
  windir.SetEnv("XDG_CONFIG_HOME", std::nullopt);
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "/tmp";
  EXPECT_EQ(win::HostPath("C:\\WINDOWS\\quorvane.ini"), home + "/.config/finbrook/quorvane.ini");
}

}  // namespace
