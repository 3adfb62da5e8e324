#include "host/bugreport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QPushButton>
#include <QWidget>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "host/starter.h"
#include "platform/forms_qt.h"
#include "platform/temp_windir.h"

namespace {

QWidget* WidgetOf(forms::Control& control) {
  return static_cast<forms::ControlImpl&>(control.impl()).widget.data();
}

// A control's place in the dialog's client area, in pixels.
QRect PlaceOf(forms::Control& control) {
  QWidget* widget = WidgetOf(control);
  return QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
}

class BugReportDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    RunMode = 0;
    ErrNumberText = " 6";
    ErrContext = "Starter/Main";
    ::setenv("FINBROOK_WINVER", "nt", 1);
    windir_.Write("opener.sh",
                  "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done >> "
                  "\"$(dirname \"$0\")/opened.txt\"\n");
    ::chmod(windir_.File("opener.sh").c_str(), 0755);
    ::setenv("FINBROOK_OPENER", windir_.File("opener.sh").c_str(), 1);
    if (!BugReportLoaded()) LoadBugReport();
  }
  void TearDown() override {
    ::unsetenv("FINBROOK_OPENER");
    ::unsetenv("FINBROOK_WINVER");
  }
  std::vector<std::string> Opened(std::size_t expected) {
    std::vector<std::string> lines;
    for (int i = 0; i < 500 && lines.size() < expected; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      lines.clear();
      std::ifstream in(windir_.File("opened.txt"));
      for (std::string line; std::getline(in, line);) lines.push_back(line);
    }
    return lines;
  }
  test_support::TempWindir windir_;
};

TEST_F(BugReportDialog, ShowsItsTextsAndNeverTheErrorItself) {
  BugReportForm& dialog = BugReport();
  EXPECT_TRUE(dialog.Visible());
  EXPECT_EQ(dialog.Caption(), "Solmere Finbrook ScreenSaver");
  EXPECT_EQ(dialog.Label1.Caption(),
            "The Solmere Finbrook ScreenSaver has encountered a problem and needs to close. We "
            "Are sorry for the inconvenience.");
  EXPECT_EQ(dialog.Label2.Caption(), "Please report this problem by clicking the button below.");
  EXPECT_EQ(dialog.Label3.Caption(),
            "We have created an error report that you can send to help us improve the Solmere "
            "Finbrook Screensaver.  We will treat this report as confidential and anonymous.");
  EXPECT_EQ(dialog.Command1.Caption(), "&Send Error Report");
  EXPECT_EQ(dialog.Command2.Caption(), "&Don't Send");
  for (forms::Label* label : {&dialog.Label1, &dialog.Label2, &dialog.Label3}) {
    EXPECT_EQ(label->Caption().find('6'), std::string::npos);
    EXPECT_EQ(label->Caption().find("Starter"), std::string::npos);
  }
}

TEST_F(BugReportDialog, BandLabelsAndButtonsStandInTheirOrder) {
  BugReportForm& dialog = BugReport();
  const QRect band = PlaceOf(dialog.Frame1);
  const QRect label1 = PlaceOf(dialog.Label1), picture = PlaceOf(dialog.Picture1);
  const QRect label2 = PlaceOf(dialog.Label2), label3 = PlaceOf(dialog.Label3);
  const QRect send = PlaceOf(dialog.Command1), dont = PlaceOf(dialog.Command2);
  const QSize client = WidgetOf(dialog.Frame1)->window()->size();

  EXPECT_EQ(band.topLeft(), QPoint(0, 0));
  EXPECT_EQ(band.width(), client.width());
  EXPECT_EQ(WidgetOf(dialog.Frame1)->palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_TRUE(band.contains(label1));
  EXPECT_TRUE(band.contains(picture));
  EXPECT_EQ(picture.size(), QSize(32, 33));
  EXPECT_LT(label1.right(), picture.left());
  EXPECT_EQ(picture.top(), label1.top());
  EXPECT_GT(picture.right(), band.width() * 3 / 4);  // at the band's right end

  EXPECT_GT(label2.top(), band.bottom());
  EXPECT_GT(label3.top(), label2.bottom());
  EXPECT_GT(send.top(), label3.bottom());
  EXPECT_EQ(send.top(), dont.top());
  EXPECT_LT(send.right(), dont.left());
  EXPECT_LE(dont.bottom(), client.height());
  EXPECT_LE(dont.right(), client.width());
  EXPECT_TRUE(dialog.Label1.Visible() && dialog.Label2.Visible() && dialog.Label3.Visible());
}

// The positive number and the NT family are in the Send test's address.
TEST_F(BugReportDialog, TheAddressCarriesANegativeNumberAndTheFamily) {
  ErrNumberText = "-5";
  ErrContext = "Animations\\Anim_Custom_Worm";
  ::setenv("FINBROOK_WINVER", "95", 1);
  EXPECT_EQ(BugReportAddress(),
            "https://support.solmere-finbrook.example/support/bugreport.asp?Error=-5"
            "&Procedure=Animations\\Anim_Custom_Worm&WinVersion=95&Version=7.0"
            "&ScreenSaver_Tag=Finbrook");
}

TEST_F(BugReportDialog, SendOpensThePageAsOneArgumentEachTimeAndStaysOpen) {
  ErrContext = "Animations\\Anim_Custom_Worm";
  auto* send = static_cast<QPushButton*>(WidgetOf(BugReport().Command1));
  send->click();
  send->click();
  const std::vector<std::string> opened = Opened(2);
  ASSERT_EQ(opened.size(), 2u);
  const std::string address =
      "https://support.solmere-finbrook.example/support/bugreport.asp?Error= 6"
      "&Procedure=Animations\\Anim_Custom_Worm&WinVersion=NT&Version=7.0"
      "&ScreenSaver_Tag=Finbrook";
  EXPECT_EQ(opened[0], address);
  EXPECT_EQ(opened[1], address);
  EXPECT_TRUE(BugReport().Visible());
}

TEST_F(BugReportDialog, DontSendAndTheCloseBoxBothEndTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(static_cast<QPushButton*>(WidgetOf(BugReport().Command2))->click(),
              ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(WidgetOf(BugReport().Command2)->window()->close(), ::testing::ExitedWithCode(0), "");
  EXPECT_TRUE(BugReport().Visible());
}

}  // namespace
