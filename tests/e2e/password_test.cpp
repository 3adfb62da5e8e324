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

TEST(PasswordChange, TypedTwiceAndEnterSetsItAndTheProcessEnds) {
  e2e::Session session(800, 600);
  const unsigned long owner = session.StartHostWindow("Display Properties", 400, 300);
  ASSERT_NE(owner, 0u);
  e2e::Process& program = session.Start({"/a", std::to_string(owner)});

  const unsigned long dialog = session.WaitWindow("^Change Password$");
  ASSERT_NE(dialog, 0u);
  char owner_hex[32];
  std::snprintf(owner_hex, sizeof owner_hex, "0x%lx", owner);
  EXPECT_NE(session.Run({"/usr/bin/xprop", "-id", std::to_string(dialog), "WM_TRANSIENT_FOR"})
                .find(owner_hex),
            std::string::npos)
      << "the dialog is owned by the given window";
  // Without a window manager nothing else places it: it sits centred over its owner, which
  // fills the top left 400 x 300 pixels.
  const std::string geometry =
      session.Xdo({"getwindowgeometry", "--shell", std::to_string(dialog)});
  const auto value = [&](const std::string& key) {
    const auto at = geometry.find("\n" + key + "=");
    return at == std::string::npos ? -1000 : std::stoi(geometry.substr(at + key.size() + 2));
  };
  EXPECT_NEAR(value("X") + value("WIDTH") / 2.0, 200, 1) << geometry;
  EXPECT_NEAR(value("Y") + value("HEIGHT") / 2.0, 150, 1) << geometry;
  ASSERT_TRUE(session.WaitFocus(dialog));
  session.Xdo({"type", "--delay", "20", "sea urchin"});
  session.Xdo({"key", "Tab"});
  session.Xdo({"type", "--delay", "20", "sea urchin"});
  session.Xdo({"key", "Return"});

  EXPECT_EQ(program.WaitExit(10s), 0);
  const std::string store = ReadAll(session.windir() / "registry.ini");
  EXPECT_NE(store.find("dword:00000001"), std::string::npos) << store;  // the flag is on
  EXPECT_NE(store.find("hex(1):" + Hex("$y$")), std::string::npos) << store;
  EXPECT_EQ(store.find(Hex("sea urchin")), std::string::npos) << store;
}

}  // namespace
