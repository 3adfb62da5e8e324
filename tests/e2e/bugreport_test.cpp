// The error path end to end: a settings file that X_GetData refuses, and a password switch
// without its window, open the report dialog; its buttons answer real keys and clicks.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QColor>
#include <filesystem>
#include <fstream>
#include <thread>

#include "harness.h"

namespace {

using namespace std::chrono_literals;

class ErrorReport : public ::testing::Test {
 protected:
  void SetUp() override {
    session_.WriteSettings("firstrun=1\r\nspeed=40000\r\n");
    std::ofstream(session_.windir() / "opener.sh")
        << "#!/bin/sh\nprintf '%s\\n' \"$@\" >> \"$(dirname \"$0\")/opened.txt\"\n";
    ::chmod((session_.windir() / "opener.sh").c_str(), 0755);
  }
  e2e::Process& StartFailing() {
    return session_.Start({"/a"}, {{"FINBROOK_OPENER", (session_.windir() / "opener.sh").string()},
                                   {"FINBROOK_WINVER", "nt"}});
  }
  std::string Opened() {
    std::ifstream in(session_.windir() / "opened.txt");
    std::string line;
    std::getline(in, line);
    return line;
  }
  e2e::Session session_{800, 600};
};

TEST_F(ErrorReport, SendOpensTheReportAndAltDEnds) {
  e2e::Process& program = StartFailing();
  const unsigned long dialog = session_.WaitWindow("^Solmere Finbrook ScreenSaver$");
  ASSERT_NE(dialog, 0u);
  ASSERT_TRUE(session_.WaitFocus(dialog));

  session_.Xdo({"key", "alt+s"});
  for (int i = 0; i < 250 && Opened().empty(); ++i) std::this_thread::sleep_for(20ms);
  EXPECT_EQ(Opened(),
            "https://support.solmere-finbrook.example/support/bugreport.asp?Error= 5"
            "&Procedure=Starter/Run_Password&WinVersion=NT&Version=7.0&ScreenSaver_Tag=Finbrook");
  EXPECT_FALSE(program.WaitExit(200ms).has_value()) << "sending leaves the dialog open";

  session_.Xdo({"key", "alt+d"});
  EXPECT_EQ(program.WaitExit(10s), 0);
}

TEST_F(ErrorReport, TheDialogShowsItsBandAndDontSendEndsOnAClick) {
  e2e::Process& program = StartFailing();
  const unsigned long dialog = session_.WaitWindow("^Solmere Finbrook ScreenSaver$");
  ASSERT_NE(dialog, 0u);
  const std::string geometry =
      session_.Xdo({"getwindowgeometry", "--shell", std::to_string(dialog)});
  auto value = [&](const std::string& key) {
    const auto at = geometry.find(key + "=");
    return at == std::string::npos ? -1 : std::stoi(geometry.substr(at + key.size() + 1));
  };
  const int x = value("X"), y = value("Y");
  ASSERT_GE(x, 0);
  const QImage shot = session_.Screenshot();
  EXPECT_EQ(shot.pixelColor(x + 4, y + 4), QColor(Qt::white)) << "the white band at the top";
  EXPECT_NE(shot.pixelColor(x + 4, y + 150), QColor(Qt::white)) << "the dialog below it";

  // "&Don't Send" stands at the bottom right: its middle, in pixels of the client area.
  session_.Xdo({"mousemove", "--window", std::to_string(dialog), "408", "220"});
  session_.Xdo({"click", "1"});
  EXPECT_EQ(program.WaitExit(10s), 0);
}

}  // namespace
