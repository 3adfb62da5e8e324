#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "dialog_test_support.h"
#include "sprites/animations.h"
#include "sprites/catalogue.h"

namespace {

using dialog_test::DialogTest;

class Pickers : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    dialog_ = &Open();
    dialog_->Timer1.SetEnabled(false);
  }
  void TearDown() override {
    for (int i = 1; i <= 50; ++i) BubblesLeft(i) = Sprite{};
    for (Sprite* s : {&Crab, &Watch, &Anchor, &Whale, &Clams(1)}) *s = Sprite{};
    DialogTest::TearDown();
  }
  // A picture file of the given size, so that GenerateDC builds a real surface.
  void Picture(const std::string& name, int width, int height) {
    media_.WritePicture(name, width, height, [](int, int) { return win::RGB(9, 9, 9); });
  }
  ConfigurationForm* dialog_ = nullptr;
};

TEST_F(Pickers, ItemButtonsCopyTheItemIntoTheirTabsRecordWithItsOwnSurface) {
  Picture("a_whale.bmp", 40, 20);
  Whale.ImageFile = "a_whale.bmp";
  Whale.Width = 40;
  Whale.Frames = 3;
  Whale.DX = -4;
  ShortTick = 17;
  TickCount = 170;
  dialog_->PickItem(CatalogueEntry(Whale));
  EXPECT_EQ(PredatorPreview.ImageFile, "a_whale.bmp");
  EXPECT_EQ(PredatorPreview.Width, 40);
  EXPECT_EQ(PredatorPreview.Frames, 3);
  EXPECT_EQ(PredatorPreview.DX, -4);
  EXPECT_NE(PredatorPreview.ImageDC.Handle(), 0);
  EXPECT_EQ(Whale.ImageDC.Handle(), 0) << "the item itself is not touched";
  EXPECT_EQ(ShortTick, 17);
  EXPECT_EQ(TickCount, 170);
  EXPECT_EQ(FishPreview.ImageFile, "a_previewother.bmp") << "other tabs keep theirs";
}

TEST_F(Pickers, ScriptedItemsRestartTheCounterTheirScriptFollows) {
  struct Case {
    Sprite* preview;
    Sprite* item;
    bool short_reset, long_reset;
  };
  const Case cases[] = {
      {&FishPreview, &Crab, true, false},
      {&FishPreview, &Clams(1), true, false},
      {&OtherPreview, &Anchor, false, true},
      {&OtherPreview, &Eyes, false, true},
      {&OtherPreview, &DiverHead, true, false},
      {&OtherPreview, &Worm, false, false},
      {&FishPreview, &EmperorFish(1), false, false},
  };
  for (const Case& c : cases) {
    c.item->ImageFile = "marker.bmp";
    ShortTick = 42;
    TickCount = 420;
    dialog_->PickItem(CatalogueEntry(*c.item));
    EXPECT_EQ(c.preview->ImageFile, "marker.bmp");
    EXPECT_EQ(ShortTick, c.short_reset ? 0 : 42) << c.item->ImageFile;
    EXPECT_EQ(TickCount, c.long_reset ? 0 : 420);
    c.item->ImageFile.clear();
  }
}

TEST_F(Pickers, BackgroundsFillThePaneAndNoneLeavesItBlack) {
  Picture("a_backgroundpreview3.bmp", 197, 167);
  ScenePreview.Frame = 4;
  ScenePreview.Frames = 6;
  ScenePreview.StripOffset = 99;
  ScenePreview.DX = 5;
  dialog_->CheckBackground.SetListIndex(3);
  EXPECT_EQ(ScenePreview.ImageFile, "a_backgroundpreview3.bmp");
  EXPECT_NE(ScenePreview.ImageDC.Handle(), 0);
  EXPECT_EQ(ScenePreview.X, 0);
  EXPECT_EQ(ScenePreview.Y, 0);
  EXPECT_EQ(ScenePreview.Width, 197);
  EXPECT_EQ(ScenePreview.Height, 167);
  EXPECT_EQ(ScenePreview.Frames, 1);
  EXPECT_EQ(ScenePreview.Frame, 0);
  EXPECT_EQ(ScenePreview.StripOffset, 0);
  EXPECT_EQ(ScenePreview.DX, 5) << "other fields are kept";

  dialog_->CheckBackground.SetListIndex(0);
  EXPECT_EQ(ScenePreview.ImageFile, "");
  EXPECT_EQ(ScenePreview.ImageDC.Handle(), 0);
  EXPECT_TRUE(errors_.contexts().empty());
}

TEST_F(Pickers, TheForegroundPreviewFillsThePane) {
  dialog_->CheckCenterPiece.SetListIndex(7);
  dialog_->CheckForeGround.SetListIndex(-1);
  dialog_->CheckForeGround.SetListIndex(0);
  EXPECT_EQ(ScenePreview.ImageFile, "a_foregroundpreview0.bmp");
  EXPECT_EQ(ScenePreview.Width, 197);
  EXPECT_EQ(ScenePreview.Height, 167);
  EXPECT_EQ(ScenePreview.X, 0);
}

TEST_F(Pickers, ACentrepieceIsCopiedCentredOnceAndRestartsShortTick) {
  Picture("a_watch.bmp", 110, 252);
  Watch.ImageFile = "a_watch.bmp";
  Watch.Width = 110;
  Watch.Height = 126;
  Watch.Frames = 1;
  Watch.X = 600;
  ShortTick = 55;
  dialog_->CheckCenterPiece.SetListIndex(7);
  EXPECT_EQ(dialog_->CheckCenterPiece.Text(), "TimePiece");
  EXPECT_EQ(ScenePreview.ImageFile, "a_watch.bmp");
  EXPECT_EQ(ScenePreview.X, 44);
  EXPECT_EQ(ScenePreview.Y, 20);
  EXPECT_NE(ScenePreview.ImageDC.Handle(), 0);
  EXPECT_EQ(ShortTick, 0);
  EXPECT_EQ(Watch.X, 600);

  ShortTick = 33;
  dialog_->CheckCenterPiece.SetListIndex(0);
  EXPECT_EQ(ScenePreview.ImageFile, "a_watch.bmp");
  EXPECT_EQ(ScenePreview.Width, 110);
  EXPECT_EQ(ScenePreview.ImageDC.Handle(), 0);
  EXPECT_EQ(ShortTick, 0);
}

TEST_F(Pickers, TheCentrepieceListFollowsTheCentrepieceNumbers) {
  Sprite* const records[] = {&ScubaDude, &EvilRelic, &Lifeguard, &SwimDude,
                             &Mermaid,   &Bather,    &Watch,     &Treasure};
  for (int n = 1; n <= 8; ++n) {
    records[n - 1]->ImageFile = "centrepiece" + std::to_string(n);
    dialog_->CheckCenterPiece.SetListIndex(n);
    EXPECT_EQ(ScenePreview.ImageFile, "centrepiece" + std::to_string(n));
    records[n - 1]->ImageFile.clear();
  }
}

TEST_F(Pickers, TheBubblesScatterOverThePaneAndTheSecondHalfTurns) {
  Picture("a_bubble.bmp", 11, 20);
  for (int i = 1; i <= 50; ++i) {
    BubblesLeft(i).Width = 11;
    BubblesLeft(i).Height = 10;
    BubblesLeft(i).DX = 3;
    BubblesLeft(i).DY = -6;
    BubblesLeft(i).X = 5000;
    BubblesLeft(i).Y = 5000;
  }
  BubblesLeft(1).ImageFile = "a_bubble.bmp";
  const SurfaceRef before = BubblesLeft(1).ImageDC;

  dialog_->PickItem(CatalogueEntry(BubblesLeft(1)));
  EXPECT_EQ(OtherPreview.ImageFile, "a_bubble.bmp");
  EXPECT_EQ(OtherPreview.ImageDC.Handle(), before.Handle());
  EXPECT_NE(BubblesLeft(1).ImageDC.Handle(), 0);
  int min_x = 1000, max_x = -1, min_y = 1000, max_y = -1;
  for (int i = 1; i <= 25; ++i) {
    const int x = BubblesLeft(i).X.Value(), y = BubblesLeft(i).Y.Value();
    min_x = std::min(min_x, x);
    max_x = std::max(max_x, x);
    min_y = std::min(min_y, y);
    max_y = std::max(max_y, y);
    EXPECT_EQ(BubblesLeft(i).DX, i >= 13 ? -3 : 3) << i;
  }
  EXPECT_GE(min_x, 0);
  EXPECT_LE(max_x, 186);
  EXPECT_GE(min_y, 0);
  EXPECT_LE(max_y, 167);
  EXPECT_GT(max_x - min_x, 20) << "scattered";
  for (int i = 26; i <= 50; ++i) {
    EXPECT_EQ(BubblesLeft(i).X, 5000);
    EXPECT_EQ(BubblesLeft(i).DX, 3);
  }

  dialog_->PickItem(CatalogueEntry(BubblesLeft(1)));
  for (int i = 1; i <= 25; ++i) EXPECT_EQ(BubblesLeft(i).DX, 3) << "turned back: " << i;
}

TEST_F(Pickers, TheAboutPicturesOpenTheMakersSiteAndTheDialogStays) {
  const auto opener = media_.Folder() / "opener.sh";
  const auto opened = media_.Folder() / "opened.txt";
  std::ofstream(opener) << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"" << opened.string() << "\"\n";
  ::chmod(opener.c_str(), 0755);
  ::setenv("FINBROOK_OPENER", opener.c_str(), 1);
  dialog_->Picture11_Click();
  dialog_->Picture34_Click();
  std::vector<std::string> lines;
  for (int i = 0; i < 500 && lines.size() < 2; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    lines.clear();
    std::ifstream in(opened);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
  }
  ::unsetenv("FINBROOK_OPENER");
  EXPECT_EQ(lines, (std::vector<std::string>(2, "https://www.solmere-finbrook.example")));
  EXPECT_TRUE(dialog_->Loaded());
}

}  // namespace
