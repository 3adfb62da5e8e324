#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "dialog_test_support.h"
#include "host/system.h"

namespace {

using dialog_test::DialogTest;
using dialog_test::Entries;

// The keys of the thirty item boxes in the order Apply writes them.
const std::vector<std::string> kItemKeys = {
    "whale",     "orca",      "hammerhead", "shark",      "manatee",     "octopus",
    "tuna",      "swimmaid",  "tigershark", "Dolphin",    "redfish",     "emperorfish",
    "swimhorse", "jellyfish", "yellowfish", "crab",       "clam",        "seahorse",
    "angelfish", "bluedevil", "scubadiver", "worm",       "mofiasnitch", "pillar",
    "bottle",    "bubble",    "anchor",     "marinasign", "eyes",        "diverhead"};

TEST_F(DialogTest, ApplyWritesEveryControlInItsOrderAndEnds) {
  Background.Choice = 2;
  CenterpieceSlot.Choice = 5;
  Orca.Installed = 0;  // on in the settings, but its picture is missing
  Orca.Visible = -1;
  Whale.Visible = -1;
  FrameInterval = 70;
  ConfigurationForm& dialog = Open();
  dialog.CheckCrab.SetValue(1);
  dialog.CheckBubbles.SetValue(1);
  dialog.songchk[4].SetValue(1);
  dialog.soundchk[1].SetValue(1);
  dialog.MouseMoveCheck.SetValue(1);
  dialog.speedchk.SetValue(100);

  dialog.Command2_Click();

  Entries want = {
      {"firstrun", "1"}, {"centerpiece", " 5"}, {"background", " 2"}, {"foreground", " 0"}};
  for (const std::string& key : kItemKeys) {
    const bool on = key == "whale" || key == "crab" || key == "bubble";
    want.emplace_back(key, on ? " 1" : " 0");
  }
  want.emplace_back("speed", " 40");
  for (int i = 0; i <= 5; ++i) want.emplace_back("song" + std::to_string(i), i == 4 ? " 1" : " 0");
  want.emplace_back("sound0", " 0");
  want.emplace_back("sound1", " 1");
  want.emplace_back("message", " 0");
  want.emplace_back("MouseMove", " 1");
  ASSERT_EQ(want.size(), 45u);
  EXPECT_EQ(ReadIni(), want);
  EXPECT_EQ(dialog_test::Ends(), 1);
  EXPECT_FALSE(dialog.Loaded());
}

TEST_F(DialogTest, SpeedIsTheIntervalWithTheFastEndWrittenAsOne) {
  const std::pair<int, std::string> cases[] = {{0, " 140"}, {70, " 70"}, {139, " 1"}, {140, "1"}};
  for (const auto& [bar, written] : cases) {
    ConfigurationForm& dialog = Open();
    dialog.speedchk.SetValue(bar);
    dialog.Command2_Click();
    EXPECT_EQ(GetIniData("quorvane.ini", "Solmere Finbrook", "speed"), written) << "bar " << bar;
  }
}

TEST_F(DialogTest, ApplyLeavesTheValuesInMemoryAndKeysItDoesNotWrite) {
  PutIniData("quorvane.ini", "Solmere Finbrook", "messagetext", "Kept");
  MessageOn = -1;
  Shark.Visible = -1;
  FrameInterval = 0;
  ConfigurationForm& dialog = Open();
  dialog.messagecheck.SetValue(0);
  dialog.CheckShark.SetValue(0);
  dialog.CheckCenterPiece.SetListIndex(8);
  dialog.speedchk.SetValue(3);
  dialog.Command2_Click();
  EXPECT_EQ(MessageOn, -1);
  EXPECT_EQ(Shark.Visible, -1);
  EXPECT_EQ(FrameInterval, 0);
  EXPECT_EQ(CenterpieceSlot.Choice, 0);
  EXPECT_EQ(GetIniData("quorvane.ini", "Solmere Finbrook", "messagetext"), "Kept");
  EXPECT_EQ(GetIniData("quorvane.ini", "Solmere Finbrook", "message"), " 0");
  EXPECT_EQ(GetIniData("quorvane.ini", "Solmere Finbrook", "centerpiece"), " 8");
  EXPECT_EQ(ReadIni().size(), 46u);
}

// The user hears why, keeps their choices, and can apply them once the cause is mended.
TEST_F(DialogTest, AFailedApplySaysWhyAndStaysOpenUntilApplyWorks) {
  WriteReadOnlyIni("firstrun=1");
  ConfigurationForm& dialog = Open();
  dialog.CheckCrab.SetValue(1);
  dialog_test::MessageBoxes boxes;
  dialog.Command2_Click();
  EXPECT_EQ(boxes.texts, std::vector<std::string>{"The settings could not be saved.\n\n" +
                                                  IniPath() + ": Permission denied"});
  EXPECT_TRUE(dialog.Loaded());
  EXPECT_EQ(dialog_test::Ends(), 0);
  EXPECT_EQ(ReadIni(), (Entries{{"firstrun", "1"}}));

  std::filesystem::permissions(IniPath(), std::filesystem::perms(0644));
  dialog.Command2_Click();
  EXPECT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(dialog_test::Ends(), 1);
  EXPECT_EQ(GetIniData("quorvane.ini", "Solmere Finbrook", "crab"), " 1");
}

TEST_F(DialogTest, WhatApplyWritesStartUpReadsBack) {
  ConfigurationForm& dialog = Open();
  dialog.CheckBackground.SetListIndex(4);
  dialog.CheckDolphin.SetValue(1);
  dialog.CheckPillar.SetValue(1);
  dialog.songchk[2].SetValue(1);
  dialog.speedchk.SetValue(140);
  dialog.Command2_Click();

  host_test::ResetSettings();
  X_GetData();
  EXPECT_EQ(Background.Choice, 4);
  EXPECT_EQ(Dolphin.Visible, -1) << "written as \"Dolphin\", read as \"dolphin\"";
  EXPECT_EQ(Pillars(1).Visible, -1);
  EXPECT_EQ(Shark.Visible, 0);
  EXPECT_EQ(SongOn(2), -1);
  EXPECT_EQ(FrameInterval, 1);
  EXPECT_TRUE(errors_.contexts().empty());
}

}  // namespace
