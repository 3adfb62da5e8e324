// The settings dialog end to end: "/c" on a private X display, driven by real clicks and keys;
// what it writes is read back from the settings file.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "harness.h"

namespace {

using namespace std::chrono_literals;

constexpr int kClientWidth = 505;  // 7575 x 3810 twips
constexpr int kClientHeight = 254;
// The pane's inner area, in pixels of the client area: 4320, 600 twips plus its border.
constexpr int kPaneLeft = 290, kPaneTop = 42, kPaneWidth = 197, kPaneHeight = 167;

class SettingsDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    session_.WriteSettings("firstrun=1\r\nbackground= 4\r\ncenterpiece= 5\r\nspeed= 70\r\n");
  }
  unsigned long OpenDialog() {
    program_ = &session_.Start({"/c"});
    const unsigned long dialog = session_.WaitWindow("^Solmere Finbrook ScreenSaver$");
    if (dialog != 0) {
      const std::string geometry =
          session_.Xdo({"getwindowgeometry", "--shell", std::to_string(dialog)});
      x_ = Value(geometry, "X");
      y_ = Value(geometry, "Y");
    }
    return dialog;
  }
  static int Value(const std::string& text, const std::string& key) {
    const auto at = text.find("\n" + key + "=");
    return at == std::string::npos ? -1 : std::stoi(text.substr(at + key.size() + 2));
  }
  // A click at a point of the dialog's client area.
  void Click(unsigned long dialog, int x, int y) {
    session_.Xdo({"mousemove", "--window", std::to_string(dialog), std::to_string(x),
                  std::to_string(y), "click", "1"});
    std::this_thread::sleep_for(150ms);
  }
  // The six tabs share the strip's width.
  void SelectTab(unsigned long dialog, int tab) {
    Click(dialog, kClientWidth * tab / 6 + kClientWidth / 12, 10);
  }
  std::string Settings() const {
    std::ifstream in(session_.windir() / "quorvane.ini", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  QImage Pane() {
    return session_.Screenshot().copy(x_ + kPaneLeft, y_ + kPaneTop, kPaneWidth, kPaneHeight);
  }

  e2e::Session session_{800, 600};
  e2e::Process* program_ = nullptr;
  int x_ = -1, y_ = -1;
};

TEST_F(SettingsDialog, OpensCentredAndItsPaneIsAnimated) {
  const unsigned long dialog = OpenDialog();
  ASSERT_NE(dialog, 0u);
  const std::string geometry =
      session_.Xdo({"getwindowgeometry", "--shell", std::to_string(dialog)});
  EXPECT_EQ(Value(geometry, "WIDTH"), kClientWidth);
  EXPECT_EQ(Value(geometry, "HEIGHT"), kClientHeight);
  EXPECT_NEAR(x_, (800 - kClientWidth) / 2, 2);
  EXPECT_NEAR(y_, (600 - kClientHeight) / 2, 2);

  // The "More..." tab's bubbles move on every tick.
  SelectTab(dialog, 3);
  Click(dialog, 2160 / 15 + 120 / 15 + 1500 / 15 + 8, (480 + 360) / 15 + 8);  // Preview Bubbles
  QImage first;
  for (int i = 0; i < 50 && (first.isNull() || first.pixelColor(1, 1) != QColor(Qt::black)); ++i) {
    std::this_thread::sleep_for(100ms);
    first = Pane();
  }
  bool changed = false;
  for (int i = 0; i < 20 && !changed; ++i) {
    std::this_thread::sleep_for(150ms);
    changed = Pane() != first;
  }
  EXPECT_TRUE(changed) << "two pictures of the pane differ";
  program_->Kill();
}

TEST_F(SettingsDialog, ATickedBoxAndTheSpeedAreWrittenByApply) {
  const unsigned long dialog = OpenDialog();
  ASSERT_NE(dialog, 0u);
  ASSERT_TRUE(session_.WaitFocus(dialog));
  SelectTab(dialog, 4);
  Click(dialog, (4080 + 240) / 15 + 6, (480 + 360) / 15 + 8);  // Turn Off On Mouse Move
  // Past "Text Message" to the speed bar, then two steps and a page towards "Fast".
  session_.Xdo({"key", "--delay", "50", "Tab", "Tab", "Right", "Right", "Page_Down"});
  session_.Xdo({"key", "alt+a"});
  ASSERT_EQ(program_->WaitExit(10s), 0);
  const std::string written = Settings();
  EXPECT_NE(written.find("MouseMove= 1"), std::string::npos) << written;
  EXPECT_NE(written.find("speed= 58"), std::string::npos) << written;
  EXPECT_NE(written.find("background= 4"), std::string::npos) << written;
  EXPECT_NE(written.find("firstrun=1"), std::string::npos) << written;
}

TEST_F(SettingsDialog, CancelEndsWithoutWriting) {
  const unsigned long dialog = OpenDialog();
  ASSERT_NE(dialog, 0u);
  ASSERT_TRUE(session_.WaitFocus(dialog));
  const std::string before = Settings();
  SelectTab(dialog, 1);
  Click(dialog, (120 + 240) / 15 + 6, (480 + 360) / 15 + 8);  // Sperm Whale
  session_.Xdo({"key", "alt+c"});
  ASSERT_EQ(program_->WaitExit(10s), 0);
  EXPECT_EQ(Settings(), before);
}

TEST_F(SettingsDialog, AnApplyThatCannotSaveSaysSoAndCancelStillEndsWithTheFileUntouched) {
  std::filesystem::permissions(session_.windir() / "quorvane.ini", std::filesystem::perms(0444));
  const std::string before = Settings();
  const unsigned long dialog = OpenDialog();
  ASSERT_NE(dialog, 0u);
  ASSERT_TRUE(session_.WaitFocus(dialog));
  SelectTab(dialog, 1);
  Click(dialog, (120 + 240) / 15 + 6, (480 + 360) / 15 + 8);  // Sperm Whale
  session_.Xdo({"key", "alt+a"});

  const unsigned long box = session_.WaitFocusElsewhere({dialog});
  ASSERT_NE(box, 0u) << "no message";
  EXPECT_EQ(session_.Xdo({"getwindowname", std::to_string(box)}), "Solmere Finbrook ScreenSaver\n");
  session_.Xdo({"key", "Return"});
  EXPECT_FALSE(program_->WaitExit(500ms).has_value()) << "the dialog stays open";
  EXPECT_EQ(session_.Xdo({"search", "--onlyvisible", "--name", "^Solmere Finbrook ScreenSaver$"}),
            std::to_string(dialog) + "\n")
      << "the message is gone, the dialog is still there";
  Click(dialog, (480 + 1455 / 2) / 15, (3240 + 375 / 2) / 15);  // Cancel
  ASSERT_EQ(program_->WaitExit(10s), 0);
  EXPECT_EQ(Settings(), before);
}

// Typed past its limit the box keeps what the saver will show; Enter applies once and nothing
// else, even on Cancel; after a Cancel the box shows the text last applied, not the one read at
// start-up.
TEST_F(SettingsDialog, TheMessageDialogAppliesWhatItShowsAndNeverPutsAnOlderTextBack) {
  const unsigned long dialog = OpenDialog();
  ASSERT_NE(dialog, 0u);
  SelectTab(dialog, 4);
  Click(dialog, (4080 + 240) / 15 + 6, (480 + 840) / 15 + 8);  // Text Message
  const std::string entry_name = "^Solmere Finbrook ScreenSaver Message$";
  const auto open_entry = [&] {
    Click(dialog, (4080 + 2040 + 540) / 15, (480 + 780 + 187) / 15);  // Change
    const unsigned long entry = session_.WaitWindow(entry_name);
    return entry != 0 && session_.WaitFocus(entry);
  };
  const auto leave_entry = [&](const char* key) {
    session_.Xdo({"key", key});
    for (int i = 0; i < 100; ++i) {
      if (session_.Xdo({"search", "--onlyvisible", "--name", entry_name}).empty()) return true;
      std::this_thread::sleep_for(50ms);
    }
    return false;
  };
  const auto message = [&] {
    const std::string written = Settings();
    const auto at = written.find("messagetext=");
    if (at == std::string::npos) return std::string("(none)");
    const auto from = at + std::string("messagetext=").size();
    return written.substr(from, written.find_first_of("\r\n", from) - from);
  };

  std::string typed;
  for (int i = 0; i < 200; ++i) typed += static_cast<char>('a' + i % 26);
  ASSERT_TRUE(open_entry());
  session_.Xdo({"type", "--delay", "4", typed});
  ASSERT_TRUE(leave_entry("Return"));
  const std::string kept = typed.substr(0, 127);
  EXPECT_EQ(message(), kept);

  ASSERT_TRUE(open_entry());
  session_.Xdo({"key", "ctrl+a"});
  session_.Xdo({"type", "--delay", "20", "Hello"});
  session_.Xdo({"key", "Tab", "Tab"});  // Apply Changes, then Cancel
  ASSERT_TRUE(leave_entry("Return"));
  EXPECT_EQ(message(), "Hello") << "Enter on Cancel applies";

  ASSERT_TRUE(open_entry());
  session_.Xdo({"key", "ctrl+a"});
  session_.Xdo({"type", "--delay", "20", "Never kept"});
  ASSERT_TRUE(leave_entry("alt+c"));
  ASSERT_TRUE(open_entry());
  ASSERT_TRUE(leave_entry("Return"));
  EXPECT_EQ(message(), "Hello") << "the box showed the text last applied";
  EXPECT_TRUE(program_->Running()) << "the settings dialog is back, still open";
  program_->Kill();
}

}  // namespace
