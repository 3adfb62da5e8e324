#include "dialog_test_support.h"

namespace {

using dialog_test::DialogTest;

// Every control in its fixed place after a key Apply does not write; a missing picture's item
// is written off, and only the stored true counts as on. The values in memory stay.
TEST_F(DialogTest, ApplyWritesEveryControlInItsOrderAndEnds) {
  PutIniData("quorvane.ini", "Solmere Finbrook", "messagetext", "Kept");
  Background.Choice = 2;
  CenterpieceSlot.Choice = 5;
  Orca.Installed = 0;
  Orca.Visible = Whale.Visible = Shark.Visible = SongOn(1) = ExitOnMouseMove = -1;
  SongOn(5) = 1;
  FrameInterval = 70;
  ConfigurationForm& dialog = Open();
  dialog.CheckShark.SetValue(0);
  dialog.CheckCrab.SetValue(1);
  dialog.CheckBubbles.SetValue(1);
  dialog.songchk[4].SetValue(1);
  dialog.soundchk[1].SetValue(1);
  dialog.speedchk.SetValue(100);
  dialog.Command2_Click();
  EXPECT_EQ(IniText(),
            "messagetext=Kept, firstrun=1, centerpiece= 5, background= 2, foreground= 0, "
            "whale= 1, orca= 0, hammerhead= 0, shark= 0, manatee= 0, octopus= 0, tuna= 0, "
            "swimmaid= 0, tigershark= 0, Dolphin= 0, redfish= 0, emperorfish= 0, swimhorse= 0, "
            "jellyfish= 0, yellowfish= 0, crab= 1, clam= 0, seahorse= 0, angelfish= 0, "
            "bluedevil= 0, scubadiver= 0, worm= 0, mofiasnitch= 0, pillar= 0, bottle= 0, "
            "bubble= 1, anchor= 0, marinasign= 0, eyes= 0, diverhead= 0, speed= 40, song0= 0, "
            "song1= 1, song2= 0, song3= 0, song4= 1, song5= 0, sound0= 0, sound1= 1, message= 0, "
            "MouseMove= 1");
  EXPECT_EQ(dialog_test::ends, 1);
  EXPECT_FALSE(dialog.Loaded());
  EXPECT_EQ(Shark.Visible, -1) << "the values in memory stay";
}

TEST_F(DialogTest, SpeedIsTheIntervalWithTheFastEndWrittenAsOne) {
  for (const auto& [bar, written] :
       {std::pair<int, std::string>{0, " 140"}, {70, " 70"}, {139, " 1"}, {140, "1"}}) {
    ConfigurationForm& dialog = Open();
    dialog.speedchk.SetValue(bar);
    dialog.Command2_Click();
    EXPECT_EQ(GetIniData("quorvane.ini", "Solmere Finbrook", "speed"), written) << "bar " << bar;
  }
}

// The user hears why, keeps their choices, and can apply them once the cause is mended.
TEST_F(DialogTest, AFailedApplySaysWhyAndStaysOpenUntilApplyWorks) {
  WriteReadOnlyIni("firstrun=1");
  ConfigurationForm& dialog = Open();
  dialog.CheckCrab.SetValue(1);
  dialog_test::MessageBoxes boxes;
  dialog.Command2_Click();
  EXPECT_EQ(boxes.texts, std::vector<std::string>{SaveFailure("settings")});
  EXPECT_TRUE(dialog.Loaded());
  EXPECT_EQ(dialog_test::ends, 0);
  EXPECT_EQ(IniText(), "firstrun=1");
  std::filesystem::permissions(IniPath(), std::filesystem::perms(0644));
  dialog.Command2_Click();
  EXPECT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(dialog_test::ends, 1);
  EXPECT_EQ(GetIniData("quorvane.ini", "Solmere Finbrook", "crab"), " 1");
}

}  // namespace
