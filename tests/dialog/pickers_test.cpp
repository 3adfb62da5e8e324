#include "dialog_test_support.h"

namespace {

using dialog_test::Place;

class Pickers : public dialog_test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    dialog_ = &Open();
    dialog_->Timer1.SetEnabled(false);
  }
  void TearDown() override {
    for (int i = 1; i <= 50; ++i) BubblesLeft(i) = Sprite{};
    Watch = Whale = Sprite{};
    DialogTest::TearDown();
  }
  // A picture file of the given size, so that GenerateDC builds a real surface.
  void Picture(const std::string& name, int width, int height) {
    media_.WritePicture(name, width, height, [](int, int) { return win::RGB(9, 9, 9); });
  }
  ConfigurationForm* dialog_ = nullptr;
};

// The item goes whole into its tab's record, with surfaces of its own; a scripted item
// restarts the counter its script follows, and only that one.
TEST_F(Pickers, AnItemButtonCopiesTheItemAndRestartsItsScriptsCounter) {
  Picture("a_whale.bmp", 40, 20);
  Whale = Sprite{.Width = 40, .Frames = 3, .DX = -4, .ImageFile = "a_whale.bmp"};
  dialog_->PickItem(CatalogueEntry(Whale));
  EXPECT_EQ(PredatorPreview.DX, -4);
  EXPECT_NE(PredatorPreview.ImageDC.Handle(), 0);
  EXPECT_EQ(Whale.ImageDC.Handle(), 0) << "the item itself is not touched";
  const std::tuple<Sprite*, int, int> restarts[] = {
      {&Crab, 0, 420},      {&Clams(1), 0, 420}, {&Anchor, 42, 0}, {&Eyes, 42, 0},
      {&DiverHead, 0, 420}, {&Worm, 42, 420},    {&Whale, 42, 420}};
  for (const auto& [item, short_tick, tick_count] : restarts) {
    ShortTick = 42;
    TickCount = 420;
    dialog_->PickItem(CatalogueEntry(*item));
    EXPECT_EQ(ShortTick, short_tick) << CatalogueEntry(*item).key;
    EXPECT_EQ(TickCount, tick_count) << CatalogueEntry(*item).key;
  }
}

TEST_F(Pickers, ABackgroundFillsThePaneInOneCellAndNoneLeavesItBlack) {
  Picture("a_backgroundpreview3.bmp", 197, 167);
  ScenePreview = Sprite{.X = 9, .Frames = 6, .Frame = 4, .StripOffset = 99};
  dialog_->CheckBackground.SetListIndex(3);
  EXPECT_NE(ScenePreview.ImageDC.Handle(), 0);
  EXPECT_EQ(Place(ScenePreview), "0,0 197x167");
  EXPECT_EQ(ScenePreview.Frames, 1);
  dialog_->CheckBackground.SetListIndex(0);
  EXPECT_EQ(ScenePreview.ImageDC.Handle(), 0);
}

// Centred by the rounding rule: 98.5 - 55 gives 44, 83.5 - 63 gives 20. "<None>" keeps the
// record without its picture, and also restarts ShortTick.
TEST_F(Pickers, ACentrepieceIsCopiedCentredAndRestartsShortTick) {
  Picture("a_watch.bmp", 110, 252);
  Watch = Sprite{.X = 600, .Height = 126, .Width = 110, .Frames = 1, .ImageFile = "a_watch.bmp"};
  for (const int entry : {7, 0}) {
    ShortTick = 55;
    dialog_->CheckCenterPiece.SetListIndex(entry);
    EXPECT_EQ(Place(ScenePreview) + " " + ScenePreview.ImageFile, "44,20 110x126 a_watch.bmp");
    EXPECT_EQ(ScenePreview.ImageDC.Handle() != 0, entry == 7);
    EXPECT_EQ(ShortTick, 0);
  }
  EXPECT_EQ(Watch.X, 600);
}

// Two picks without a tick between them turn the second half back again.
TEST_F(Pickers, TheBubblesScatterOverThePaneAndTheSecondHalfTurns) {
  Picture("a_bubble.bmp", 11, 20);
  for (int i = 1; i <= 50; ++i)
    BubblesLeft(i) = Sprite{.X = 5000, .Y = 5000, .Height = 10, .Width = 11, .DX = 3, .DY = -6};
  BubblesLeft(1).ImageFile = "a_bubble.bmp";
  dialog_->PickItem(CatalogueEntry(BubblesLeft(1)));
  EXPECT_EQ(OtherPreview.ImageFile, "a_bubble.bmp");
  for (int i = 1; i <= 50; ++i) {
    const Sprite& b = BubblesLeft(i);
    EXPECT_EQ(b.DX, i >= 13 && i <= 25 ? -3 : 3) << i;
    EXPECT_TRUE(i > 25 ? b.X == 5000 : b.X >= 0 && b.X <= 186 && b.Y >= 0 && b.Y <= 167) << i;
  }
  dialog_->PickItem(CatalogueEntry(BubblesLeft(1)));
  for (int i = 1; i <= 25; ++i) EXPECT_EQ(BubblesLeft(i).DX, 3) << "turned back: " << i;
}

}  // namespace
