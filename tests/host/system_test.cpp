#include "host/system.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/starter.h"
#include "host_test_support.h"
#include "platform/temp_windir.h"
#include "platform/user32.h"

namespace {

using host_test::ErrorRecorder;

TEST(Folders, TheWindowsDirectoryGainsOneTrailingBackslash) {
  struct Case {
    const char* windows_directory;
    const char* windir;
  };
  const Case cases[] = {
      {"C:\\WINDOWS", "C:\\WINDOWS\\"},
      {"C:\\", "C:\\"},  // a drive root gains no second backslash
      {"D:\\Win\\", "D:\\Win\\"},
      {"", "\\"},  // a failed query (n = 0)
  };
  for (const auto& c : cases) {
    FoldersFrom(c.windows_directory);
    EXPECT_EQ(WinDir, c.windir) << c.windows_directory;
    EXPECT_EQ(DataDir, std::string(c.windir) + "Quorvane\\Solmere Finbrook\\")
        << c.windows_directory;
  }
}

TEST(Version, TheFamilyFollowsThePlatformIdentifier) {
  struct Case {
    const char* winver;  // null: not set
    const char* family;
  };
  const Case cases[] = {{nullptr, "NT"}, {"95", "95"}, {"nt", "NT"}, {"unknown", "Unknown"}};
  for (const auto& c : cases) {
    if (c.winver) {
      ::setenv("FINBROOK_WINVER", c.winver, 1);
    } else {
      ::unsetenv("FINBROOK_WINVER");
    }
    EXPECT_EQ(GetVersion32(), c.family) << (c.winver ? c.winver : "(unset)");
  }
  ::unsetenv("FINBROOK_WINVER");
}

TEST(IniData, ReadsBackWhatWasWrittenAndNothingForAMissingKey) {
  test_support::TempWindir windir;
  ErrorRecorder errors;
  EXPECT_EQ(GetIniData("quorvane.ini", "Solmere Finbrook", "speed"), "");
  EXPECT_TRUE(PutIniData("quorvane.ini", "Solmere Finbrook", "speed", " 70"));
  PutIniData("quorvane.ini", "Solmere Finbrook", "messagetext", std::string(150, 'z'));
  EXPECT_EQ(GetIniData("quorvane.ini", "Solmere Finbrook", "SPEED"), " 70");
  EXPECT_EQ(GetIniData("quorvane.ini", "Solmere Finbrook", "messagetext"), std::string(127, 'z'));
  // A refused write says so and changes nothing.
  EXPECT_FALSE(PutIniData("quorvane.ini", "Solmere Finbrook", "speed", "1\r\nfirstrun=1"));
  EXPECT_EQ(GetIniData("quorvane.ini", "Solmere Finbrook", "speed"), " 70");
  EXPECT_EQ(GetIniData("quorvane.ini", "Solmere Finbrook", "firstrun"), "");
  EXPECT_TRUE(errors.contexts().empty());
}

// Records each call of the key lock.
std::vector<unsigned> lock_calls;
bool RecordLock(unsigned action, unsigned param, void* pv, unsigned win_ini) {
  EXPECT_EQ(action, win::SPI_SETSCREENSAVERRUNNING);
  EXPECT_NE(pv, nullptr);
  EXPECT_EQ(win_ini, 0u);
  lock_calls.push_back(param);
  return true;
}

class KeyLock : public ::testing::Test {
 protected:
  void SetUp() override {
    lock_calls.clear();
    SetKeyLockCallForTests(&RecordLock);
  }
  void TearDown() override {
    SetKeyLockCallForTests(nullptr);
    WinVersion.clear();
    UsePassword = 0;
  }
};

TEST_F(KeyLock, LocksAndUnlocksOnlyOnWindows95WithThePasswordOn) {
  struct Case {
    const char* version;
    int use_password;
    const char* state;
    std::vector<unsigned> calls;
  };
  const Case cases[] = {
      {"95", 1, "disable", {1}},    {"95", 1, "DISABLE", {1}}, {"95", 1, "Enable", {0}},
      {"95", 1, "lock", {}},        {"95", 1, "", {}},         {"95", 2, "disable", {}},
      {"95", 0, "disable", {}},     {"95", -1, "disable", {}}, {"NT", 1, "disable", {}},
      {"Unknown", 1, "enable", {}},
  };
  for (const auto& c : cases) {
    lock_calls.clear();
    WinVersion = c.version;
    UsePassword = c.use_password;
    SetTFS(c.state);
    EXPECT_EQ(lock_calls, c.calls) << c.version << " " << c.use_password << " " << c.state;
  }
}

}  // namespace
