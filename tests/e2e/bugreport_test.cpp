// The error path end to end: a settings file that X_GetData refuses, and a password switch
// without its window, open the report dialog; its buttons answer real keys and clicks.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "harness.h"

namespace e2e {

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
