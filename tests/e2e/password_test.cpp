// Mode 3 end to end: "/a" with another program's window as the owner of the change dialog.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "harness.h"

namespace {

using namespace std::chrono_literals;

// The registry store keeps each value's bytes as hex pairs.
std::string Hex(const std::string& text) {
  std::string hex;
  for (unsigned char c : text) {
    char pair[4];
    std::snprintf(pair, sizeof pair, hex.empty() ? "%02x" : ",%02x", c);
    hex += pair;
  }
  return hex;
}

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The change dialog of "/a" under a host window; the same password typed twice and Enter.
struct Change {
  e2e::Session session{800, 600};
  unsigned long owner = 0, dialog = 0;
  e2e::Process* program = nullptr;

  void Open() {
    owner = session.StartHostWindow("Display Properties", 400, 300);
    ASSERT_NE(owner, 0u);
    program = &session.Start({"/a", std::to_string(owner)});
    dialog = session.WaitWindow("^Change Password$");
    ASSERT_NE(dialog, 0u);
    ASSERT_TRUE(session.WaitFocus(dialog));
  }
  void Type(const char* password) {
    session.Xdo({"type", "--delay", "20", password});
    session.Xdo({"key", "Tab"});
    session.Xdo({"type", "--delay", "20", password});
    session.Xdo({"key", "Return"});
  }
};

TEST(PasswordChange, TypedTwiceAndEnterSetsItAndTheProcessEnds) {
  Change change;
  ASSERT_NO_FATAL_FAILURE(change.Open());
  char owner_hex[32];
  std::snprintf(owner_hex, sizeof owner_hex, "0x%lx", change.owner);
  EXPECT_NE(change.session
                .Run({"/usr/bin/xprop", "-id", std::to_string(change.dialog), "WM_TRANSIENT_FOR"})
                .find(owner_hex),
            std::string::npos)
      << "the dialog is owned by the given window";
  // Without a window manager nothing else places it: it sits centred over its owner, which
  // fills the top left 400 x 300 pixels.
  const std::string geometry =
      change.session.Xdo({"getwindowgeometry", "--shell", std::to_string(change.dialog)});
  const auto value = [&](const std::string& key) {
    const auto at = geometry.find("\n" + key + "=");
    return at == std::string::npos ? -1000 : std::stoi(geometry.substr(at + key.size() + 2));
  };
  EXPECT_NEAR(value("X") + value("WIDTH") / 2.0, 200, 1) << geometry;
  EXPECT_NEAR(value("Y") + value("HEIGHT") / 2.0, 150, 1) << geometry;
  change.Type("sea urchin");

  EXPECT_EQ(change.program->WaitExit(10s), 0);
  const std::string store = ReadAll(change.session.windir() / "registry.ini");
  EXPECT_NE(store.find("dword:00000001"), std::string::npos) << store;  // the flag is on
  EXPECT_NE(store.find("hex(1):" + Hex("$y$")), std::string::npos) << store;
  EXPECT_EQ(store.find(Hex("sea urchin")), std::string::npos) << store;
}

TEST(PasswordChange, AStoreThatCannotBeWrittenIsReportedAndTheProcessFails) {
  Change change;
  const auto store = change.session.windir() / "registry.ini";
  std::ofstream(store).close();
  std::filesystem::permissions(store, std::filesystem::perms(0444));
  ASSERT_NO_FATAL_FAILURE(change.Open());
  change.Type("sea urchin");

  const unsigned long box = change.session.WaitFocusElsewhere({change.dialog, change.owner});
  ASSERT_NE(box, 0u) << "no message";
  EXPECT_EQ(change.session.Xdo({"getwindowname", std::to_string(box)}), "Change Password\n");
  EXPECT_FALSE(change.program->WaitExit(300ms).has_value()) << "the message waits for the user";
  change.session.Xdo({"key", "Return"});
  EXPECT_EQ(change.program->WaitExit(10s), 1);
  EXPECT_EQ(ReadAll(store), "");
}

}  // namespace
