// The dialogs end to end: the settings dialog ("/c") driven by real clicks and keys, what it
// saves read back from the settings file; and the error path: a settings file that X_GetData
// refuses, and a password switch without its window, open the report dialog, whose buttons
// answer real keys and clicks.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "harness.h"

namespace e2e {

// An Apply that cannot save says so and leaves the dialog open, the keyboard back where it was
// when the message goes, with no window manager to hand it back. The message box keeps what the
// saver will show; Enter applies it whatever button has the focus, and that button does not act
// too: a text that cannot be saved stays in the open box, after one message. Once it can, Apply
// saves the ticked box and the speed beside what the file held, and ends.
TEST(SettingsDialog, SavesTheChoicesOnceItCanAndTheMessageAsTheSaverWillShowIt) {
  Session session(800, 600);
  session.WriteSettings("firstrun=1\r\nbackground= 4\r\ncenterpiece= 5\r\nspeed= 70\r\n");
  Process& program = session.Start({"/c"});
  const unsigned long dialog = session.WaitWindow("^Solmere Finbrook ScreenSaver$");
  session.WaitFocus(dialog);
  // Clicks and keys reach the program in the order they are sent: none waits for the last.
  const auto click = [&](int x, int y) {  // in pixels of the client area, from the layout's twips
    session.Xdo({"mousemove", "--window", std::to_string(dialog), std::to_string(x),
                 std::to_string(y), "click", "1"});
  };
  const auto settings = [&] { return session.ReadWindirFile("quorvane.ini"); };
  click(505 * 4 / 6 + 505 / 12, 10);                   // the options tab, fifth of six
  click((4080 + 240) / 15 + 6, (480 + 360) / 15 + 8);  // Turn Off On Mouse Move
  // Past "Text Message" to the speed bar, then two steps and a page towards "Fast".
  session.Xdo({"key", "--delay", "50", "Tab", "Tab", "Right", "Right", "Page_Down"});
  click((4080 + 240) / 15 + 6, (480 + 840) / 15 + 8);  // Text Message

  const std::string entry = "^Solmere Finbrook ScreenSaver Message$";
  click((4080 + 2040 + 540) / 15, (480 + 780 + 187) / 15);  // Change
  unsigned long box = session.WaitWindow(entry);
  session.WaitFocus(box);
  std::string typed;
  for (int i = 0; i < 200; ++i) typed += static_cast<char>('a' + i % 26);
  session.Xdo({"type", "--delay", "4", typed});
  session.Xdo({"key", "Return"});
  session.WaitWindow(entry, 10s, true);
  EXPECT_NE(settings().find("messagetext=" + typed.substr(0, 127) + "\r"), std::string::npos);

  const auto ini = session.windir() / "quorvane.ini";
  std::filesystem::permissions(ini, std::filesystem::perms(0444));
  const auto apply = [&] { click((2280 + 1455 / 2) / 15, (3240 + 375 / 2) / 15); };
  apply();
  const unsigned long message = session.WaitFocusElsewhere({dialog}, "a message");
  EXPECT_EQ(session.Xdo({"getwindowname", std::to_string(message)}),
            "Solmere Finbrook ScreenSaver\n");
  session.Xdo({"key", "Return"});
  // Space with the pointer off the dialog: Apply has the keyboard again and fails once more.
  session.Await("the message closed", 5s, [&] { return session.Focus() != message; });
  session.Xdo({"mousemove", "799", "599", "key", "space"});
  const unsigned long again = session.WaitFocusElsewhere({dialog}, "a second message");
  session.Xdo({"key", "Return"});
  session.Await("the second message closed", 5s, [&] { return session.Focus() != again; });
  click((4080 + 2040 + 540) / 15, (480 + 780 + 187) / 15);
  session.WaitFocus(box = session.WaitWindow(entry));
  session.Xdo({"key", "--delay", "20", "ctrl+a", "H", "e", "l", "l", "o", "Tab"});
  // One message at each Enter, as a second one would block the next; Tab moves on from Apply
  // Changes to Cancel, then round to the text.
  for (const std::string focused : {"Apply Changes", "Cancel"}) {
    session.Xdo({"key", "Return"});
    const unsigned long failed =
        session.WaitFocusElsewhere({dialog, box}, "a message after Enter on " + focused);
    session.Xdo({"key", "Return"});
    session.Await("the message closed", 5s, [&] { return session.Focus() != failed; });
    session.Xdo({"key", "Tab"});
  }
  std::filesystem::permissions(ini, std::filesystem::perms(0644));
  session.Xdo({"key", "Return"});
  session.WaitWindow(entry, 10s, true);
  EXPECT_NE(settings().find("messagetext=Hello\r"), std::string::npos);

  apply();
  ASSERT_EQ(program.WaitExit(10s), 0);
  for (const char* line : {"MouseMove= 1", "speed= 58", "background= 4", "messagetext=Hello"})
    EXPECT_NE(settings().find(line), std::string::npos) << line << " in " << settings();
}

TEST(ErrorReport, SendOpensTheReportAndLeavesItOpenDontSendEndsIt) {
  Session session(800, 600);
  session.WriteSettings("firstrun=1\r\nspeed=40000\r\n");
  const auto opener = session.windir() / "opener.sh";
  std::ofstream(opener) << "#!/bin/sh\nprintf '%s\\n' \"$@\" >> \"$(dirname \"$0\")/opened.txt\"\n";
  ::chmod(opener.c_str(), 0755);
  Process& program =
      session.Start({"/a"}, {{"FINBROOK_OPENER", opener.string()}, {"FINBROOK_WINVER", "nt"}});
  const unsigned long dialog = session.WaitWindow("^Solmere Finbrook ScreenSaver$");
  session.WaitFocus(dialog);

  session.Xdo({"key", "alt+s"});
  session.Await("the report's page opened", 5s,
                [&] { return !session.ReadWindirFile("opened.txt").empty(); });
  EXPECT_EQ(session.ReadWindirFile("opened.txt"),
            "https://support.solmere-finbrook.example/support/bugreport.asp?Error= 5"
            "&Procedure=Starter/Run_Password&WinVersion=NT&Version=7.0&ScreenSaver_Tag=Finbrook\n");
  EXPECT_FALSE(program.WaitExit(200ms).has_value()) << "sending leaves the dialog open";

  // "&Don't Send" stands at the bottom right: its middle, in pixels of the client area.
  session.Xdo({"mousemove", "--window", std::to_string(dialog), "408", "220", "click", "1"});
  EXPECT_EQ(program.WaitExit(10s), 0);
}

}  // namespace e2e
