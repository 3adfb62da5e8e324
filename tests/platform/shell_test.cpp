#include "platform/shell32.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/temp_windir.h"

namespace {

// Waits (up to a generous limit) for a condition that another process brings about.
bool Eventually(const std::function<bool()>& done) {
  for (int i = 0; i < 500 && !done(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return done();
}

std::int32_t Open(const std::string& address, const char* parameters = nullptr,
                  const char* verb = "open") {
  return win::ShellExecuteA(0, verb, address.c_str(), parameters, nullptr,
                            win::ShowCommand::SW_SHOWNORMAL);
}

TEST(Shell, OpenHandsTheAddressOverAsOneArgumentThroughNoShellAndReapsTheOpener) {
  test_support::TempWindir windir;
  // The opener writes its argument count, its pid and each argument, one a line.
  const std::string opener = windir.Write(
      "opener.sh",
      "#!/bin/sh\nout=\"$(dirname \"$0\")/opened.txt\"\n"
      "{ echo \"$#\"; echo \"$$\"; for a in \"$@\"; do echo \"$a\"; done; } > \"$out.tmp\"\n"
      "mv \"$out.tmp\" \"$out\"\n");
  ::chmod(opener.c_str(), 0755);
  windir.SetEnv("FINBROOK_OPENER", opener);
  const std::string address =
      "https://example.invalid/support/bugreport.asp?Error= "
      "6&Procedure=Animations\\Anim_Custom_Worm"
      "&x=$(touch pwned);`id` 'q'";
  EXPECT_GT(Open(address), 32);
  ASSERT_TRUE(Eventually([&] { return std::filesystem::exists(windir.File("opened.txt")); }));
  std::ifstream in(windir.File("opened.txt"));
  std::string count, pid, argument;
  std::getline(in, count);
  std::getline(in, pid);
  std::getline(in, argument);
  EXPECT_EQ(count, "1");
  EXPECT_EQ(argument, address);
  EXPECT_FALSE(std::filesystem::exists(windir.File("pwned")));
  // Nobody waits for the opener, yet once it has finished no dead child of ours remains.
  EXPECT_TRUE(Eventually([&] { return !std::filesystem::exists("/proc/" + pid); }))
      << "opener " << pid << " was left unreaped";

  windir.SetEnv("FINBROOK_OPENER", windir.File("no-such-opener").string());
  EXPECT_LE(Open("https://example.invalid/"), 32) << "a missing opener is a failure";
  EXPECT_THROW(Open("x", nullptr, "print"), std::logic_error);
  EXPECT_THROW(Open("x", "-flag"), std::logic_error);
}

}  // namespace
