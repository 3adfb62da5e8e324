#include "dialog_test_support.h"
#include "host/screensaver.h"
#include "platform/forms_test_support.h"

namespace {

using dialog_test::DialogTest;

// Only the stored true counts as on; a missing picture disables its box whatever the setting.
TEST_F(DialogTest, AnItemBoxShowsTheFlagOnlyWhenThePictureIsThere) {
  const std::tuple<Sprite*, int, int, int> cases[] = {
      {&Shark, -1, -1, 1},  {&Orca, -1, 0, 0},           {&Whale, 0, -1, 0},
      {&Dolphin, 1, -1, 0}, {&BubblesLeft(1), -1, 0, 0}, {&Bottles(1), -1, -1, 1}};
  for (const auto& [item, visible, installed, value] : cases) {
    item->Visible = visible;
    item->Installed = installed;
  }
  ConfigurationForm& dialog = Open();
  for (const auto& [item, visible, installed, value] : cases) {
    const forms::CheckBox& box = dialog.ControlsOf(CatalogueEntry(*item)).box;
    EXPECT_EQ(box.Value(), value) << box.Caption();
    EXPECT_EQ(box.Enabled(), installed != 0) << box.Caption();
  }
}

// Each order kept by hand holds every item once (the two rows drawing the bottles or the bubble
// columns count once); every item has its picture, its icon and two controls of its own.
TEST_F(DialogTest, EveryItemIsInEachOrderOnceWithItsPictureIconAndControls) {
  auto drawn = ItemsInDrawOrder();
  drawn.erase(std::unique(drawn.begin(), drawn.end()), drawn.end());
  const std::vector<const Sprite*> orders[] = {ItemsInSavingOrder(), ItemsInBuildOrder(),
                                               ItemsInReleaseOrder(), drawn};
  ConfigurationForm& dialog = Open();
  std::set<const void*> controls;
  for (const CatalogueItem& item : Catalogue()) {
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(std::count(orders[i].begin(), orders[i].end(), item.record), 1)
          << item.key << " in order " << i << " of save, build, release, draw";
    EXPECT_TRUE(
        std::filesystem::is_regular_file(FINBROOK_MEDIA_DIR "/" + std::string(item.picture)))
        << item.key;
    EXPECT_NO_THROW(forms::FindBuiltinPicture(item.icon)) << item.key;
    const auto [box, button] = dialog.ControlsOf(item);
    EXPECT_TRUE(controls.insert(&box).second && controls.insert(&button).second) << item.key;
  }
}

TEST_F(DialogTest, TheSpeedBarStandsAtOneHundredFortyLessTheInterval) {
  for (const auto& [interval, bar] : {std::pair{70, 70}, {1, 139}, {0, 140}, {140, 0}}) {
    FrameInterval = interval;
    EXPECT_EQ(Open().speedchk.Value(), bar) << "interval " << interval;
  }
}

TEST_F(DialogTest, AValueTheControlsRefuseStopsTheLoadingBeforeTheWindowShows) {
  FrameInterval = 141;
  EXPECT_FALSE(Open().Visible());
  FrameInterval = 70;
  Background.Choice = 9;
  EXPECT_FALSE(Open().Visible());
  EXPECT_EQ(errors_.contexts(), (std::vector<std::string>(2, "Configuration/Form_Load")));
}

TEST_F(DialogTest, ChangeIsEnabledExactlyWhileTheMessageIsTicked) {
  ConfigurationForm& dialog = Open();
  EXPECT_FALSE(dialog.changebutton.Enabled());
  dialog.messagecheck.SetValue(1);
  EXPECT_TRUE(dialog.changebutton.Enabled());
  dialog.messagecheck.SetValue(0);
  EXPECT_FALSE(dialog.changebutton.Enabled());
}

// Apply leads the tab order, so it holds the focus when the dialog opens: Enter saves.
TEST_F(DialogTest, ApplyHasTheFocusWhenTheDialogOpens) {
  ConfigurationForm& dialog = Open();
  EXPECT_TRUE(test_support::PumpUntil(
      [&] { return QApplication::focusWidget() == test_support::WidgetOf(dialog.Command2); }));
}

}  // namespace
