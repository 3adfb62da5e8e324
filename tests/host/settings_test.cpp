#include <gtest/gtest.h>

#include <set>
#include <string>

#include "host/starter.h"
#include "host/system.h"
#include "host_test_support.h"
#include "platform/temp_windir.h"
#include "sprites/animations.h"
#include "sprites/catalogue.h"

namespace {

using host_test::ErrorRecorder;

class Settings : public ::testing::Test {
 protected:
  void SetUp() override { host_test::ResetSettings(); }
  void TearDown() override { host_test::ResetSettings(); }

  // The settings file holds exactly these lines in its one section.
  void File(const std::string& lines) {
    windir_.Write("quorvane.ini", "[Solmere Finbrook]\r\n" + lines);
  }
  static std::set<std::string> ItemsOn() {
    std::set<std::string> on;
    for (const CatalogueItem& item : Catalogue())
      if (item.record->Visible != 0) on.insert(item.key);
    return on;
  }

  test_support::TempWindir windir_;
  ErrorRecorder errors_;
};

void ExpectDefaults() {
  EXPECT_EQ(Background.Choice, 4);
  EXPECT_EQ(CenterpieceSlot.Choice, 5);
  const std::set<std::string> expected_on = {
      "scubadiver", "octopus",    "emperorfish", "redfish",   "whale",  "hammerhead", "shark",
      "clam",       "anchor",     "eyes",        "crab",      "worm",   "tuna",       "seahorse",
      "swimmaid",   "yellowfish", "pillar",      "swimhorse", "bubble", "angelfish",  "bluedevil"};
  std::set<std::string> on;
  for (const CatalogueItem& item : Catalogue()) {
    if (item.record->Visible != 0) {
      on.insert(item.key);
      EXPECT_EQ(item.record->Visible, rt::kTrue) << item.key;
    }
  }
  EXPECT_EQ(on, expected_on);
  EXPECT_EQ(FrameInterval, 70);
  EXPECT_EQ(ExitOnMouseMove, 0);
  EXPECT_EQ(SoundOn(0), rt::kTrue);
  EXPECT_EQ(SoundOn(1), 0);
  EXPECT_EQ(MessageOn, 0);
  EXPECT_EQ(MessageText, "");
  for (int i = 0; i <= 5; ++i) EXPECT_EQ(SongOn(i), 0) << "song" << i;
}

TEST_F(Settings, NoFileGivesTheDefaults) {
  X_GetData();
  ExpectDefaults();
  EXPECT_TRUE(errors_.contexts().empty());
}

TEST_F(Settings, FirstrunNotPositiveGivesTheDefaultsWhateverElseTheFileHolds) {
  for (const char* firstrun :
       {"firstrun=0\r\n", "firstrun=-1\r\n", "firstrun=yes\r\n", "firstrun=\r\n", ""}) {
    host_test::ResetSettings();
    File(std::string(firstrun) + "background=1\r\norca= 1\r\nspeed=5\r\nsong2= 1\r\n");
    X_GetData();
    SCOPED_TRACE(firstrun);
    ExpectDefaults();
  }
}

TEST_F(Settings, FirstrunAloneLeavesEverythingZeroOffOrEmpty) {
  File("firstrun=1\r\n");
  X_GetData();
  EXPECT_EQ(Background.Choice, 0);
  EXPECT_EQ(CenterpieceSlot.Choice, 0);
  EXPECT_TRUE(ItemsOn().empty());
  EXPECT_EQ(FrameInterval, 0);
  EXPECT_EQ(SoundOn(0), 0);
  EXPECT_EQ(MessageOn, 0);
  EXPECT_EQ(ExitOnMouseMove, 0);
  EXPECT_TRUE(errors_.contexts().empty());
}

TEST_F(Settings, EachItemKeySwitchesOnItsOwnItemOnly) {
  for (const CatalogueItem& item : Catalogue()) {
    host_test::ResetSettings();
    File("firstrun=1\r\n" + std::string(item.key) + "= 1\r\n");
    X_GetData();
    EXPECT_EQ(ItemsOn(), std::set<std::string>{item.key});
    EXPECT_EQ(item.record->Visible, rt::kTrue) << item.key;
  }
}

TEST_F(Settings, AFlagIsOnForAPositiveLeadingNumber) {
  struct Case {
    const char* value;
    bool on;
  };
  const Case cases[] = {{"1", true},  {" 1", true},  {"1.5", true}, {"2abc", true},
                        {"0", false}, {"-1", false}, {"", false},   {"abc", false}};
  for (const auto& c : cases) {
    host_test::ResetSettings();
    const std::string v = c.value;
    File("firstrun=1\r\nwhale=" + v + "\r\nmessage=" + v + "\r\nsong3=" + v + "\r\nsound1=" + v +
         "\r\nMouseMove=" + v + "\r\n");
    X_GetData();
    const rt::Integer expected = c.on ? rt::kTrue : rt::kFalse;
    EXPECT_EQ(Whale.Visible, expected) << '"' << v << '"';
    EXPECT_EQ(MessageOn, expected) << '"' << v << '"';
    EXPECT_EQ(SongOn(3), expected) << '"' << v << '"';
    EXPECT_EQ(SoundOn(1), expected) << '"' << v << '"';
    EXPECT_EQ(ExitOnMouseMove, expected) << '"' << v << '"';
  }
}

TEST_F(Settings, SongAndSoundKeysCarryPlainDigits) {
  File("firstrun=1\r\nsong0=1\r\nsong5=1\r\nsong 1=1\r\nsound0=1\r\nsound 1=1\r\n");
  X_GetData();
  EXPECT_EQ(SongOn(0), rt::kTrue);
  EXPECT_EQ(SongOn(5), rt::kTrue);
  EXPECT_EQ(SongOn(1), 0);
  EXPECT_EQ(SoundOn(0), rt::kTrue);
  EXPECT_EQ(SoundOn(1), 0);
}

TEST_F(Settings, NumbersAreRoundedHalfToEvenAndNotRangeChecked) {
  struct Case {
    const char* background;
    const char* centerpiece;
    const char* speed;
    int bg, cp, sp;
  };
  const Case cases[] = {
      {"2.5", "3.5", " 70", 2, 4, 70},
      {" 9", "12", "1", 9, 12, 1},
      {"-0.5", "7.5x", "140", 0, 8, 140},
  };
  for (const auto& c : cases) {
    host_test::ResetSettings();
    File(std::string("firstrun=1\r\nbackground=") + c.background +
         "\r\ncenterpiece=" + c.centerpiece + "\r\nspeed=" + c.speed + "\r\n");
    X_GetData();
    EXPECT_EQ(Background.Choice, c.bg) << c.background;
    EXPECT_EQ(CenterpieceSlot.Choice, c.cp) << c.centerpiece;
    EXPECT_EQ(FrameInterval, c.sp) << c.speed;
  }
}

TEST_F(Settings, ASpeedBeyondSixteenBitsIsReportedAndTheLaterKeysStayOff) {
  File(
      "firstrun=1\r\nwhale= 1\r\nspeed=40000\r\nmessage= 1\r\nmessagetext=hello\r\n"
      "song0= 1\r\nsound0= 1\r\nMouseMove= 1\r\n");
  X_GetData();
  EXPECT_EQ(errors_.contexts(), std::vector<std::string>{"Starter/X_GetData"});
  EXPECT_EQ(rt::ErrNumber(), rt::kOverflow);
  EXPECT_EQ(Whale.Visible, rt::kTrue);
  EXPECT_EQ(FrameInterval, 0);
  EXPECT_EQ(MessageOn, 0);
  EXPECT_EQ(MessageText, "");
  EXPECT_EQ(SongOn(0), 0);
  EXPECT_EQ(SoundOn(0), 0);
  EXPECT_EQ(ExitOnMouseMove, 0);
}

TEST_F(Settings, AnOverflowingBackgroundStopsBeforeTheItems) {
  File("firstrun=1\r\nbackground=-40000\r\nwhale= 1\r\n");
  X_GetData();
  EXPECT_EQ(errors_.contexts(), std::vector<std::string>{"Starter/X_GetData"});
  EXPECT_EQ(Whale.Visible, 0);
}

TEST_F(Settings, TheMessageTextIsReadAsStoredUpTo127Characters) {
  const std::string text200(200, 'w');
  File("firstrun=1\r\nmessagetext=" + text200 + "\r\n");
  X_GetData();
  EXPECT_EQ(MessageText, text200.substr(0, 127));
  host_test::ResetSettings();
  File("firstrun=1\r\nmessagetext= Happy  \"birthday\" \r\n");
  X_GetData();
  EXPECT_EQ(MessageText, " Happy  \"birthday\" ");
}

TEST_F(Settings, AKeyWrittenWithCapitalsIsFound) {
  PutIniData("quorvane.ini", "Solmere Finbrook", "firstrun", "1");
  PutIniData("quorvane.ini", "Solmere Finbrook", "Dolphin", " 1");
  X_GetData();
  EXPECT_EQ(Dolphin.Visible, rt::kTrue);
}

}  // namespace
