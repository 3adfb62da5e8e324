#include "host/starter.h"

#include <gtest/gtest.h>

#include "support/raised_error.h"

#include <cstdlib>
#include <string>

#include "host/bugreport.h"
#include "host/system.h"
#include "host_test_support.h"
#include "platform/forms.h"
#include "platform/temp_windir.h"
#include "runtime/conversions.h"
#include "sprites/animations.h"

namespace {

using host_test::ErrorRecorder;

using test_support::ErrorOf;

TEST(Dispatch, TheFirstSwitchFoundInOrderPCADecidesWithoutRegardToCase) {
  struct Case {
    const char* raw;
    int mode;
  };
  const Case cases[] = {
      {"", 1},        {"/s", 1},      {"/S", 1},      {"  /s  ", 1},
      {"/p 1234", 4}, {"/P:1234", 4}, {"/c", 2},      {"/c:5678", 2},
      {"/C 99", 2},   {"/a 1234", 3}, {"/A:1234", 3}, {"/a 12 /p 34", 4},
      {"/s /a 5", 3}, {"/c /a", 2},   {"run /P", 4},  {"nothing", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(ModeOfCommandLine(c.raw), c.mode) << '"' << c.raw << '"';
}

TEST(Dispatch, OnlyASaverWithAnotherInstanceAndNoDisplayPropertiesEndsAtOnce) {
  struct Case {
    bool another;
    const char* prefix;
    win::HWND display_props;
    bool ends;
  };
  const Case cases[] = {
      {true, "/s", 0, true},  {true, "/s", 4711, false}, {false, "/s", 0, false},
      {true, "/p", 0, false}, {true, "/c", 0, false},    {true, "/a", 0, false},
      {true, "", 0, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(EndsAtOnce(c.another, c.prefix, c.display_props), c.ends)
        << c.another << " " << c.prefix << " " << c.display_props;
}

TEST(Screen, TheLimitsFollowTheScreenRoundedHalfToEven) {
  struct Case {
    float width_px, height_px;
    int width, height, top, bottom, right, left;
  };
  const Case cases[] = {
      {800, 600, 800, 600, -150, 535, 1200, -400},
      {1680, 1050, 1680, 1050, -262, 985, 2520, -840},
      {1365, 768, 1365, 768, -192, 703, 2048, -682},
      {1365.5f, 767.5f, 1366, 768, -192, 703, 2049, -683},  // fractions of a pixel, halves even
      {1364.5f, 600, 1364, 600, -150, 535, 2046, -682},
      {7680, 4320, 7680, 4320, -1080, 4255, 11520, -3840},
      {21846, 600, 21846, 600, -150, 535, 32769, -10923},  // a wall of monitors
  };
  for (const auto& c : cases) {
    MeasureScreen(c.width_px * 15, c.height_px * 15, 15, 15);
    EXPECT_EQ(ScreenWidth, c.width) << c.width_px;
    EXPECT_EQ(ScreenHeight, c.height) << c.height_px;
    EXPECT_EQ(TopLimit, c.top) << c.height_px;
    EXPECT_EQ(BottomLimit, c.bottom) << c.height_px;
    EXPECT_EQ(RightLimit, c.right) << c.width_px;
    EXPECT_EQ(LeftLimit, c.left) << c.width_px;
  }
}

TEST(Screen, ALimitBeyondThirtyTwoBitsIsAnOverflow) {
  // 1.5 x 2e9 leaves the 32-bit range although the width itself fits.
  EXPECT_EQ(ErrorOf([] { MeasureScreen(2e9f * 15, 600 * 15.0f, 15, 15); }), rt::kOverflow);
}

TEST(PreviewHandle, TheLongestNumericTailOfTheCommandLineIsTheParent) {
  struct Case {
    const char* cmdline;  // already trimmed and lower-cased, as Main leaves it
    win::HWND parent;
  };
  const Case cases[] = {
      {"/p 1234", 1234},
      {"/p:1234", 1234},
      {"/p1234", 1234},
      {"/p  56", 56},
      {"/p 12.5", 12},
      {"/p 13.5", 14},
      {"/p", 0},
      {"/p:", 0},
      {"/p abc", 0},
      {"/a 1 /p 2", 2},
      {"/p 20971525", 20971525},
  };
  for (const auto& c : cases) {
    CmdLine = c.cmdline;
    PreviewParent = 0;
    ParsePreviewParent();
    EXPECT_EQ(PreviewParent, c.parent) << c.cmdline;
  }
}

TEST(PasswordHandle, TheRestAfterThreeCharactersMustBeANumber) {
  struct Case {
    const char* raw;
    win::HWND parent;
    int error;
  };
  const Case cases[] = {
      {"/a 1234", 1234, 0},
      {"/a:1234", 1234, 0},
      {"/A  1234 ", 1234, 0},
      {"/a 12.5", 12, 0},
      {"/a", 0, rt::kInvalidProcedureCall},
      {"/a:", 0, rt::kTypeMismatch},
      {"/a xyz", 0, rt::kTypeMismatch},
      {"/a 99999999999", 0, rt::kOverflow},
  };
  for (const auto& c : cases) {
    RawCommandLine = c.raw;
    PasswordParent = 0;
    EXPECT_EQ(ErrorOf([] { ParsePasswordParent(); }), c.error) << c.raw;
    EXPECT_EQ(PasswordParent, c.parent) << c.raw;
  }
}

TEST(PasswordHandle, APasswordChangeWithoutAHandleIsReportedFromRunPassword) {
  ErrorRecorder errors;
  RawCommandLine = "/a";
  Run_Password();
  EXPECT_EQ(errors.contexts(), std::vector<std::string>{"Starter/Run_Password"});
  EXPECT_EQ(RunMode, 3);
}

// Main runs whole for the settings dialog's switch, in a Windows directory of its own and with an
// instance mark of its own.
class MainStart : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* dir = std::getenv("XDG_RUNTIME_DIR")) saved_runtime_dir_ = dir;
    ::setenv("XDG_RUNTIME_DIR", windir_.Dir().c_str(), 1);
    host_test::ResetSettings();
    ErrContext.clear();
    ErrNumberText.clear();
  }
  void TearDown() override {
    rt::SetErrorReporter(nullptr);
    host_test::ResetSettings();
    if (saved_runtime_dir_.empty()) {
      ::unsetenv("XDG_RUNTIME_DIR");
    } else {
      ::setenv("XDG_RUNTIME_DIR", saved_runtime_dir_.c_str(), 1);
    }
  }
  test_support::TempWindir windir_;
  std::string saved_runtime_dir_;
};

TEST_F(MainStart, TheSettingsSwitchRunsEveryStartUpStep) {
  windir_.Write("quorvane.ini", "[Solmere Finbrook]\nfirstrun=1\nbackground= 2\nwhale= 1\n");
  RawCommandLine = "  /C:1234  ";
  Main();
  EXPECT_EQ(CmdLine, "/c:1234");
  EXPECT_EQ(CmdPrefix, "/c");
  EXPECT_EQ(RunMode, 2);
  EXPECT_EQ(WinDir, "C:\\WINDOWS\\");
  EXPECT_EQ(ScreenWidth,
            rt::CInt(static_cast<double>(forms::Screen.Width() / forms::Screen.TwipsPerPixelX())));
  EXPECT_EQ(BottomLimit, ScreenHeight - 65);
  EXPECT_EQ(Background.Choice, 2);
  EXPECT_EQ(Whale.Visible, rt::kTrue);
  EXPECT_EQ(ErrContext, "");
  // The tables ran after the settings: a switched-on item has its picture's name.
  EXPECT_FALSE(Whale.ImageFile.empty());
}

TEST_F(MainStart, AFailureIsReportedThroughTheDialog) {
  RawCommandLine = "/A";
  Main();
  EXPECT_EQ(RunMode, 3);
  EXPECT_EQ(ErrContext, "Starter/Run_Password");
  EXPECT_EQ(ErrNumberText, " 5");
  EXPECT_TRUE(BugReportLoaded());
  BugReport().Unload();
}

}  // namespace
