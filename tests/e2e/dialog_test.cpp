// The settings dialog end to end: "/c" driven by real clicks and keys, what it saves read back
// from the settings file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>

#include "harness.h"

namespace e2e {

// The message box keeps what the saver will show and Enter applies it, even on Cancel; an
// Apply that cannot save says so and leaves the dialog open, the keyboard back on Apply; once it
// can, Apply saves the ticked box and the speed beside what the file held, and ends.
TEST(SettingsDialog, SavesTheChoicesOnceItCanAndTheMessageAsTheSaverWillShowIt) {
  Session session(800, 600);
  session.WriteSettings("firstrun=1\r\nbackground= 4\r\ncenterpiece= 5\r\nspeed= 70\r\n");
  Process& program = session.Start({"/c"});
  const unsigned long dialog = session.WaitWindow("^Solmere Finbrook ScreenSaver$");
  ASSERT_TRUE(dialog != 0 && session.WaitFocus(dialog));
  const auto click = [&](int x, int y) {  // in pixels of the client area, from the layout's twips
    session.Xdo({"mousemove", "--window", std::to_string(dialog), std::to_string(x),
                 std::to_string(y), "click", "1"});
    std::this_thread::sleep_for(150ms);
  };
  const auto settings = [&] { return session.ReadWindirFile("quorvane.ini"); };
  click(505 * 4 / 6 + 505 / 12, 10);                   // the options tab, fifth of six
  click((4080 + 240) / 15 + 6, (480 + 360) / 15 + 8);  // Turn Off On Mouse Move
  // Past "Text Message" to the speed bar, then two steps and a page towards "Fast".
  session.Xdo({"key", "--delay", "50", "Tab", "Tab", "Right", "Right", "Page_Down"});
  click((4080 + 240) / 15 + 6, (480 + 840) / 15 + 8);  // Text Message

  const std::string entry = "^Solmere Finbrook ScreenSaver Message$";
  const auto edit = [&](const std::vector<std::string>& input) {
    click((4080 + 2040 + 540) / 15, (480 + 780 + 187) / 15);  // Change
    const unsigned long window = session.WaitWindow(entry);
    if (window == 0 || !session.WaitFocus(window)) return false;
    session.Xdo(input);
    session.Xdo({"key", "Return"});
    for (int i = 0; i < 100; ++i, std::this_thread::sleep_for(50ms))
      if (session.Xdo({"search", "--onlyvisible", "--name", entry}).empty()) return true;
    return false;
  };
  std::string typed;
  for (int i = 0; i < 200; ++i) typed += static_cast<char>('a' + i % 26);
  ASSERT_TRUE(edit({"type", "--delay", "4", typed}));
  EXPECT_NE(settings().find("messagetext=" + typed.substr(0, 127) + "\r"), std::string::npos);
  // Tab, Tab: past Apply Changes to Cancel.
  ASSERT_TRUE(edit({"key", "--delay", "20", "ctrl+a", "H", "e", "l", "l", "o", "Tab", "Tab"}));
  EXPECT_NE(settings().find("messagetext=Hello\r"), std::string::npos) << "Enter on Cancel";

  const auto ini = session.windir() / "quorvane.ini";
  std::filesystem::permissions(ini, std::filesystem::perms(0444));
  click((2280 + 1455 / 2) / 15, (3240 + 375 / 2) / 15);  // Apply
  const unsigned long box = session.WaitFocusElsewhere({dialog});
  ASSERT_NE(box, 0u) << "no message";
  EXPECT_EQ(session.Xdo({"getwindowname", std::to_string(box)}), "Solmere Finbrook ScreenSaver\n");
  session.Xdo({"key", "Return"});
  EXPECT_FALSE(program.WaitExit(500ms).has_value()) << "the dialog stays open";

  std::filesystem::permissions(ini, std::filesystem::perms(0644));
  // The keyboard is back on Apply, with no window manager, wherever the pointer is.
  session.Xdo({"mousemove", "799", "599", "key", "space"});
  ASSERT_EQ(program.WaitExit(10s), 0);
  for (const char* line : {"MouseMove= 1", "speed= 58", "background= 4", "messagetext=Hello"})
    EXPECT_NE(settings().find(line), std::string::npos) << line << " in " << settings();
}

}  // namespace e2e
