// The password end to end: set in the change dialog of "/a" over another program's window, then
// asked for by the saver on Windows 95 before any way out.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "harness.h"

namespace e2e {

TEST(Password, AStoreThatCannotBeWrittenFailsTheChangeAndOnceSetItGuardsTheSaverOnWindows95) {
  Session session(800, 600);
  const unsigned long owner = session.StartHostWindow("Display Properties", 400, 300);
  // Types the password twice into the change dialog.
  unsigned long dialog = 0;
  const auto change = [&](const char* password) -> Process& {
    Process& program = session.Start({"/a", std::to_string(owner)});
    session.WaitFocus(dialog = session.WaitWindow("^Change Password$"));
    for (const char* key : {"Tab", "Return"}) {
      session.Xdo({"type", "--delay", "20", password});
      session.Xdo({"key", key});
    }
    return program;
  };
  const auto store = session.windir() / "registry.ini";
  std::ofstream(store).close();
  std::filesystem::permissions(store, std::filesystem::perms(0444));
  Process& refused = change("sea urchin");
  const unsigned long box = session.WaitFocusElsewhere({owner, dialog}, "a message");
  EXPECT_EQ(session.Xdo({"getwindowname", std::to_string(box)}), "Change Password\n");
  EXPECT_FALSE(refused.WaitExit(300ms).has_value()) << "the message waits for the user";
  session.Xdo({"key", "Return"});
  EXPECT_EQ(refused.WaitExit(10s), 1);
  EXPECT_EQ(session.ReadWindirFile("registry.ini"), "");

  std::filesystem::permissions(store, std::filesystem::perms(0644));
  ASSERT_EQ(change("kelp").WaitExit(10s), 0);
  Process& saver = session.StartSaver("firstrun=1\r\nbackground= 4\r\nspeed=70\r\n",
                                      {{"FINBROOK_WINVER", "95"}});
  const unsigned long window = session.WaitWindow("^Solmere Finbrook ScreenSaver$");
  session.WaitFocus(window);
  session.Xdo({"mousemove", "400", "300", "click", "1"});
  // The right password cancelled (Escape), a wrong one confirmed: the saver runs on and asks
  // again at the next key. Only the right password confirmed ends it.
  unsigned long prompt = 0;
  for (const auto& [password, key] : {std::pair{"kelp", "Escape"}, {"coral", "Return"}}) {
    prompt = session.WaitFocusElsewhere({window, owner, prompt},
                                        "a password prompt while the saver runs");
    session.Xdo({"type", "--delay", "20", password});
    session.Xdo({"key", key});
    session.Xdo({"key", "--window", std::to_string(window), "x"});
  }
  session.WaitFocusElsewhere({window, owner, prompt}, "a password prompt while the saver runs");
  session.Xdo({"type", "--delay", "20", "kelp"});
  session.Xdo({"key", "Return"});
  EXPECT_EQ(saver.WaitExit(5s), 0);
}

}  // namespace e2e
