#include "platform/paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/temp_windir.h"

namespace {

namespace fs = std::filesystem;
using test_support::TempWindir;

TEST(Paths, TheWindowsDirectoryIsCWindows) {
  char buffer[256];
  const unsigned n = win::GetWindowsDirectoryA(buffer, sizeof buffer);
  EXPECT_EQ(std::string(buffer, n), "C:\\WINDOWS");
  EXPECT_EQ(buffer[n], '\0');
  // Too small a buffer: nothing is copied and the size needed (with the zero) comes back.
  char small[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(win::GetWindowsDirectoryA(small, sizeof small), n + 1);
  EXPECT_EQ(small[0], 'x');
}

TEST(Paths, UnderFinbrookWindirEverythingLivesInThatFolder) {
  TempWindir windir;
  EXPECT_EQ(win::HostPath("C:\\WINDOWS\\quorvane.ini"), (windir.Dir() / "quorvane.ini").string());
  EXPECT_EQ(win::HostPath("C:\\WINDOWS\\Quorvane\\Solmere Finbrook\\a_whale.bmp"),
            (windir.Dir() / "Quorvane" / "Solmere Finbrook" / "a_whale.bmp").string());
}

TEST(Paths, EachComponentIsFoundWithoutRegardToCase) {
  TempWindir windir;
  fs::create_directories(windir.Dir() / "quorvane" / "SOLMERE finbrook");
  windir.Write("quorvane/SOLMERE finbrook/A_Whale.BMP", "x");
  EXPECT_EQ(win::HostPath("c:\\windows\\Quorvane\\Solmere Finbrook\\a_whale.bmp"),
            (windir.Dir() / "quorvane" / "SOLMERE finbrook" / "A_Whale.BMP").string());
  // A name that does not exist keeps the spelling it was given.
  EXPECT_EQ(win::HostPath("C:\\WINDOWS\\Quorvane\\Solmere Finbrook\\a_Song0.Mid"),
            (windir.Dir() / "quorvane" / "SOLMERE finbrook" / "a_Song0.Mid").string());
}

TEST(Paths, WithoutFinbrookWindirMediaIsBuiltInAndTheRestPerUser) {
  TempWindir windir;
  ::unsetenv("FINBROOK_WINDIR");
  const fs::path exe_dir = fs::read_symlink("/proc/self/exe").parent_path();
  EXPECT_EQ(win::HostPath("C:\\WINDOWS\\Quorvane\\Solmere Finbrook\\a_whale.bmp"),
            (exe_dir / "media" / "a_whale.bmp").string());
  EXPECT_EQ(win::HostPath("C:\\WINDOWS\\quorvane.ini"),
            (windir.Dir() / "config" / "finbrook" / "quorvane.ini").string());
  // Anything else of that name, say a folder "Quorvane" alone, is the user's.
  EXPECT_EQ(win::HostPath("C:\\WINDOWS\\Quorvane\\other.txt"),
            (windir.Dir() / "config" / "finbrook" / "Quorvane" / "other.txt").string());

  ::unsetenv("XDG_CONFIG_HOME");
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "/tmp";
  EXPECT_EQ(win::HostPath("C:\\WINDOWS\\quorvane.ini"),
            (fs::path(home) / ".config" / "finbrook" / "quorvane.ini").string());
}

TEST(Paths, OtherPathsMapOntoTheHostRoot) {
  TempWindir windir;
  EXPECT_EQ(win::HostPath("/already/a/host/path"), "/already/a/host/path");
  EXPECT_EQ(win::HostPath("D:\\no-such-dir-finbrook\\x.bmp"), "/no-such-dir-finbrook/x.bmp");
  EXPECT_EQ(win::HostPath("\\no-such-dir-finbrook\\Solmere Finbrook\\"),
            "/no-such-dir-finbrook/Solmere Finbrook");
  // "C:\WINDOWSX" is not the Windows directory.
  EXPECT_EQ(win::HostPath("C:\\WINDOWSX\\a.ini"), "/WINDOWSX/a.ini");
  EXPECT_EQ(win::HostPath("C:\\windows\\"), windir.Dir().string());
}

}  // namespace
