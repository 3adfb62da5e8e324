#include "platform/shell32.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>

#include "platform/temp_windir.h"

namespace {

using test_support::TempWindir;

// Waits (up to a generous limit) for a condition that another process brings about.
template <class Condition>
bool Eventually(Condition done) {
  for (int i = 0; i < 500; ++i) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return done();
}

class Shell : public ::testing::Test {
 protected:
  void SetUp() override {
    // The opener writes its argument count, its pid and each argument, one a line.
    windir_.Write(
        "opener.sh",
        "#!/bin/sh\nout=\"$(dirname \"$0\")/opened.txt\"\n"
        "{ echo \"$#\"; echo \"$$\"; for a in \"$@\"; do echo \"$a\"; done; } > \"$out.tmp\"\n"
        "mv \"$out.tmp\" \"$out\"\n");
    ::chmod(windir_.File("opener.sh").c_str(), 0755);
    ::setenv("FINBROOK_OPENER", windir_.File("opener.sh").c_str(), 1);
  }
  void TearDown() override { ::unsetenv("FINBROOK_OPENER"); }
  TempWindir windir_;
};

TEST_F(Shell, OpenHandsTheAddressOverAsOneArgumentThroughNoShell) {
  const std::string address =
      "https://example.invalid/support/bugreport.asp?Error= "
      "6&Procedure=Animations\\Anim_Custom_Worm"
      "&x=$(touch pwned);`id` 'q'";
  EXPECT_GT(win::ShellExecuteA(0, "open", address.c_str(), nullptr, nullptr,
                               win::ShowCommand::SW_SHOWNORMAL),
            32);
  ASSERT_TRUE(Eventually([&] { return std::filesystem::exists(windir_.File("opened.txt")); }));
  std::ifstream in(windir_.File("opened.txt"));
  std::string count, pid, argument;
  std::getline(in, count);
  std::getline(in, pid);
  std::getline(in, argument);
  EXPECT_EQ(count, "1");
  EXPECT_EQ(argument, address);
  EXPECT_FALSE(std::filesystem::exists(windir_.File("pwned")));
  // Nobody waits for the opener, yet once it has finished no dead child of ours remains.
  EXPECT_TRUE(Eventually([&] { return !std::filesystem::exists("/proc/" + pid); }))
      << "opener " << pid << " was left unreaped";
}

TEST_F(Shell, AMissingOpenerIsAFailureResult) {
  ::setenv("FINBROOK_OPENER", windir_.File("no-such-opener").c_str(), 1);
  EXPECT_LE(win::ShellExecuteA(0, "open", "https://example.invalid/", nullptr, nullptr,
                               win::ShowCommand::SW_SHOWNORMAL),
            32);
}

TEST_F(Shell, OnlyOpeningOneAddressIsServed) {
  EXPECT_THROW(
      win::ShellExecuteA(0, "print", "x", nullptr, nullptr, win::ShowCommand::SW_SHOWNORMAL),
      std::logic_error);
  EXPECT_THROW(
      win::ShellExecuteA(0, "open", "x", "-flag", nullptr, win::ShowCommand::SW_SHOWNORMAL),
      std::logic_error);
}

}  // namespace
