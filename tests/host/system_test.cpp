#include "host_test_support.h"
#include "platform/user32.h"

namespace {

TEST(Folders, TheWindowsDirectoryGainsOneTrailingBackslash) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\WINDOWS", "C:\\WINDOWS\\"}, {"C:\\", "C:\\"}, {"D:\\Win\\", "D:\\Win\\"}, {"", "\\"}};
  for (const auto& [windows_directory, windir] : cases) {
    FoldersFrom(windows_directory);
    EXPECT_EQ(WinDir + "|" + DataDir,
              std::string(windir) + "|" + windir + "Quorvane\\Solmere Finbrook\\");
  }
}

using IniData = host_test::HostTest;

// Which writes are refused, and that they change nothing, is the settings file's own test.
TEST_F(IniData, ReadsUpTo127CharactersAndARefusedWriteSaysSo) {
  PutIniData("quorvane.ini", "Solmere Finbrook", "messagetext", std::string(150, 'z'));
  EXPECT_EQ(GetIniData("quorvane.ini", "Solmere Finbrook", "messagetext"), std::string(127, 'z'));
  EXPECT_FALSE(PutIniData("quorvane.ini", "Solmere Finbrook", "speed", "1\r\nfirstrun=1"));
  EXPECT_TRUE(errors_.contexts().empty());
}

std::vector<unsigned> lock_calls;

TEST(KeyLock, LocksAndUnlocksOnlyOnWindows95WithThePasswordOn) {
  const std::tuple<const char*, int, const char*, std::vector<unsigned>> cases[] = {
      {"95", 1, "disable", {1}},   {"95", 1, "DISABLE", {1}}, {"95", 1, "Enable", {0}},
      {"95", 1, "lock", {}},       {"95", 1, "", {}},         {"95", 2, "disable", {}},
      {"95", 0, "disable", {}},    {"95", -1, "disable", {}}, {"NT", 1, "disable", {}},
      {"Unknown", 1, "enable", {}}};
  SetKeyLockCallForTests([](unsigned action, unsigned param, void* pv, unsigned win_ini) {
    EXPECT_TRUE(action == win::SPI_SETSCREENSAVERRUNNING && pv != nullptr && win_ini == 0u);
    lock_calls.push_back(param);
    return true;
  });
  for (const auto& [version, use_password, state, calls] : cases) {
    lock_calls.clear();
    WinVersion = version;
    UsePassword = use_password;
    SetTFS(state);
    EXPECT_EQ(lock_calls, calls) << version << " " << use_password << " " << state;
  }
  SetKeyLockCallForTests(nullptr);
  WinVersion.clear();
  UsePassword = 0;
}

}  // namespace
