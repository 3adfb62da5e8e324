#include "dialog/configuration.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>

#include <string>
#include <vector>

#include "dialog_test_support.h"
#include "platform/forms.h"
#include "platform/forms_qt.h"

namespace {

using dialog_test::DialogTest;

TEST_F(DialogTest, OpensCentredOnTheSceneryTabWithItsCaptionAndVersion) {
  ConfigurationForm& dialog = Open();
  EXPECT_TRUE(dialog.Visible());
  EXPECT_EQ(dialog.Caption(), "Solmere Finbrook ScreenSaver");
  EXPECT_EQ(dialog.ScaleWidth(), 7575);
  EXPECT_EQ(dialog.ScaleHeight(), 3810);
  EXPECT_NEAR(dialog.Left(), forms::Screen.Width() / 2 - dialog.Width() / 2, 15);
  EXPECT_NEAR(dialog.Top(), forms::Screen.Height() / 2 - dialog.Height() / 2, 15);
  EXPECT_EQ(dialog.Tabs.Tab(), 0);
  EXPECT_EQ(dialog.VersionLabel.Caption(), "Version 7.0");
  EXPECT_EQ(dialog.PreviewPicture.ScaleWidth(), 197);
  EXPECT_EQ(dialog.PreviewPicture.ScaleHeight(), 167);
  EXPECT_TRUE(errors_.contexts().empty());
}

TEST_F(DialogTest, TheIntroductoryPicturesReplaceThePicksMadeWhileLoading) {
  Background.Choice = 3;
  CenterpieceSlot.Choice = 7;
  Watch.ImageFile = "a_watch.bmp";
  ConfigurationForm& dialog = Open();
  EXPECT_EQ(dialog.CheckBackground.Text(), "Skull Mountain");
  EXPECT_EQ(dialog.CheckCenterPiece.Text(), "TimePiece");
  EXPECT_EQ(dialog.CheckForeGround.ListIndex(), 0);
  EXPECT_EQ(ScenePreview.ImageFile, "a_previewscenery.bmp");
  for (Sprite* other : {&PredatorPreview, &FishPreview, &OtherPreview})
    EXPECT_EQ(other->ImageFile, "a_previewother.bmp");
  EXPECT_NE(Palette.ImageDC.Handle(), 0);
  EXPECT_NE(BufferDC(), 0);
  EXPECT_EQ(win::BitmapWidth(BufferDC()), 800);
}

TEST_F(DialogTest, ItemBoxesShowTheFlagOnlyWhenThePictureIsThere) {
  struct Case {
    Sprite* item;
    forms::CheckBox ConfigurationForm::*box;
    int visible, installed;
    int value;
    bool enabled;
  };
  const Case cases[] = {
      {&Shark, &ConfigurationForm::CheckShark, -1, -1, 1, true},
      {&Orca, &ConfigurationForm::CheckOrca, -1, 0, 0, false},
      {&Whale, &ConfigurationForm::CheckWhale, 0, -1, 0, true},
      {&Tuna, &ConfigurationForm::CheckTuna, 0, 0, 0, false},
      {&Dolphin, &ConfigurationForm::CheckDolphin, 1, -1, 0, true},  // not the stored true
      {&EmperorFish(1), &ConfigurationForm::CheckEmperorFish, -1, -1, 1, true},
      {&BubblesLeft(1), &ConfigurationForm::CheckBubbles, -1, 0, 0, false},
      {&Bottles(1), &ConfigurationForm::CheckBottle, -1, -1, 1, true},
  };
  for (const Case& c : cases) {
    c.item->Visible = c.visible;
    c.item->Installed = c.installed;
  }
  // The other members of a group play no part.
  EmperorFish(2).Visible = 0;
  EmperorFish(2).Installed = 0;
  Bottles(2).Installed = 0;
  RedFish(2).Visible = -1;
  ConfigurationForm& dialog = Open();
  for (const Case& c : cases) {
    EXPECT_EQ((dialog.*c.box).Value(), c.value) << (dialog.*c.box).Caption();
    EXPECT_EQ((dialog.*c.box).Enabled(), c.enabled) << (dialog.*c.box).Caption();
  }
  EXPECT_EQ(dialog.CheckRedFish.Value(), 0);
  EmperorFish(2) = Sprite{};
  RedFish(2) = Sprite{};
}

TEST_F(DialogTest, EveryItemBoxFollowsItsOwnRecord) {
  EXPECT_EQ(Catalogue().size(), 30u);
  for (const CatalogueItem& item : Catalogue()) {
    host_test::ResetSettings();
    item.record->Visible = -1;
    ConfigurationForm& dialog = Open();
    for (const CatalogueItem& other : Catalogue())
      EXPECT_EQ(dialog.ControlsOf(other).box.Value(), &other == &item ? 1 : 0) << other.key;
  }
}

TEST_F(DialogTest, SpeedBarStandsAtOneHundredFortyLessTheInterval) {
  const int cases[][2] = {{70, 70}, {1, 139}, {0, 140}, {140, 0}};
  for (const auto& c : cases) {
    FrameInterval = c[0];
    EXPECT_EQ(Open().speedchk.Value(), c[1]) << "interval " << c[0];
  }
  EXPECT_EQ(Open().speedchk.Max(), 140);
  EXPECT_EQ(Open().speedchk.Min(), 0);
}

TEST_F(DialogTest, ValuesTheControlsRefuseStopTheLoadingBeforeTheWindowShows) {
  const auto reload = [&] { return Open().Visible(); };
  FrameInterval = 141;
  EXPECT_FALSE(reload());
  FrameInterval = 70;
  Background.Choice = 9;
  EXPECT_FALSE(reload());
  Background.Choice = 0;
  CenterpieceSlot.Choice = -2;
  EXPECT_FALSE(reload());
  EXPECT_EQ(errors_.contexts(), (std::vector<std::string>(3, "Configuration/Form_Load")));
}

TEST_F(DialogTest, ChangeIsEnabledExactlyWhileTheMessageIsTicked) {
  ConfigurationForm& dialog = Open();
  EXPECT_EQ(dialog.messagecheck.Value(), 0);
  EXPECT_FALSE(dialog.changebutton.Enabled());
  dialog.messagecheck.SetValue(1);
  EXPECT_TRUE(dialog.changebutton.Enabled());
  dialog.messagecheck.SetValue(0);
  EXPECT_FALSE(dialog.changebutton.Enabled());

  MessageOn = -1;
  ConfigurationForm& with_message = Open();
  EXPECT_EQ(with_message.messagecheck.Value(), 1);
  EXPECT_TRUE(with_message.changebutton.Enabled());
}

TEST_F(DialogTest, SongsSoundsAndMouseMoveBoxesFollowTheirFlags) {
  SongOn(1) = -1;
  SongOn(4) = -1;
  SongOn(5) = 1;  // not the stored true
  SoundOn(1) = -1;
  ExitOnMouseMove = -1;
  ConfigurationForm& dialog = Open();
  std::vector<int> songs;
  for (int i = 0; i <= 5; ++i) songs.push_back(dialog.songchk[i].Value().Value());
  EXPECT_EQ(songs, (std::vector<int>{0, 1, 0, 0, 1, 0}));
  EXPECT_EQ(dialog.soundchk[0].Value(), 0);
  EXPECT_EQ(dialog.soundchk[1].Value(), 1);
  EXPECT_EQ(dialog.MouseMoveCheck.Value(), 1);
  EXPECT_EQ(dialog.songchk[3].Caption(), "MargaritaVille");
  EXPECT_EQ(dialog.soundchk[1].Caption(), "Whale Call");
}

// Apply leads the tab order, so it holds the focus when the dialog opens: Enter saves.
TEST_F(DialogTest, ApplyHasTheFocusWhenTheDialogOpens) {
  ConfigurationForm& dialog = Open();
  for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(),
            static_cast<forms::ControlImpl&>(dialog.Command2.impl()).widget.data());
}

TEST_F(DialogTest, CancelEndsThroughTheCommonExitAndWritesNothing) {
  ConfigurationForm& dialog = Open();
  dialog.CheckShark.SetValue(1);
  dialog.Command1_Click();
  EXPECT_FALSE(dialog.Loaded());
  EXPECT_EQ(dialog_test::Ends(), 1);
  EXPECT_FALSE(IniExists());
  EXPECT_EQ(ScenePreview.ImageDC.Handle(), 0) << "surfaces released";
}

TEST_F(DialogTest, ChangeHidesTheDialogBehindTheMessageDialog) {
  MessageOn = -1;
  ConfigurationForm& dialog = Configuration();
  dialog.Load();
  dialog.changebutton_Click();
  EXPECT_FALSE(dialog.Visible());
  EXPECT_TRUE(messageentry().Visible());
  EXPECT_TRUE(errors_.contexts().empty());
}

}  // namespace
