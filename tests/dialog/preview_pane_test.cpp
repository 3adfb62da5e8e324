#include "dialog/preview_pane.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_test_support.h"
#include "runtime/clock.h"
#include "sprites/animations.h"

namespace {

using dialog_test::DialogTest;

// ---- Which routine each tab runs ----

TEST(PaneDispatch, EachTabChoosesItsRoutineByTheExactFileName) {
  struct Row {
    int tab;
    const char* name;
    PaneRoutine routine;
  };
  const Row rows[] = {
      {0, "a_lifeguard.bmp", &Anim_Still_Reverse},
      {0, "a_scubadude.bmp", &Anim_Custom_ScubaDude},
      {0, "a_treasure.bmp", &Anim_Preview_DelayedReverse},
      {0, "a_watch.bmp", &Anim_Custom_Watch},
      {0, "a_mermaid.bmp", &Anim_Still_Loop},
      {0, "a_backgroundpreview2.bmp", &Anim_Still_Loop},
      {0, "", &Anim_Still_Loop},
      {0, "A_watch.bmp", &Anim_Still_Loop},
      {0, "a_watch.bmp ", &Anim_Still_Loop},
      {1, "a_whale.bmp", &Anim_Still_Loop},
      {1, "a_crab.bmp", &Anim_Still_Loop},
      {1, "a_watch.bmp", &Anim_Still_Loop},
      {2, "a_seahorse.bmp", &Anim_Still_Loop},
      {2, "a_jellyfish.bmp", &Anim_Still_Loop},
      {2, "a_crab.bmp", &Anim_Preview_DelayedReverse},
      {2, "a_clam.bmp", &Anim_Preview_DelayedReverse},
      {2, "a_bluedevil.bmp", &Anim_Preview_School},
      {2, "a_angelfish.bmp", &Anim_Preview_School},
      {2, "a_swimhorse.bmp", &Anim_Preview_School},
      {2, "a_yellowfish.bmp", &Anim_Preview_School},
      {2, "a_redfish.bmp", &Anim_Preview_School},
      {2, "a_emperorfish.bmp", &Anim_Preview_School},
      {2, "a_previewother.bmp", &Anim_Still_Loop},
      {2, "a_Crab.bmp", &Anim_Still_Loop},
      {3, "a_scubadiver.bmp", &Anim_Still_Loop},
      {3, "a_bottle1.bmp", &Anim_Still_Loop},
      {3, "a_anchor.bmp", &Anim_Custom_Anchor},
      {3, "a_eyes.bmp", &Anim_Custom_Eyes},
      {3, "a_diverhead.bmp", &Anim_Custom_DiverHead},
      {3, "a_worm.bmp", &Anim_Preview_DelayedReverse},
      {3, "a_bubble.bmp", &BubblesInPane},
      {3, "A_anchor.bmp", &Anim_Still_Loop},
  };
  for (const Row& row : rows) EXPECT_EQ(PaneRoutineFor(row.tab, row.name), row.routine) << row.name;
}

// ---- The tick ----

class PaneTick : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    rt::SetTimeOfDayForTests(&time_);
    dialog_ = &Open();
    dialog_->Timer1.SetEnabled(false);  // the tests tick by hand
    ShortTick = 0;
    TickCount = 0;
  }
  void TearDown() override {
    rt::SetTimeOfDayForTests(nullptr);
    DialogTest::TearDown();
  }
  rt::TimeOfDay time_{13, 30, 15};
  ConfigurationForm* dialog_ = nullptr;
};

TEST_F(PaneTick, OptionsAndAboutHideThePaneAndStopTheCountersButNotTheClock) {
  for (int tab = 0; tab <= 3; ++tab) {
    dialog_->Tabs.SetTab(tab);
    EXPECT_TRUE(dialog_->PreviewPicture.Visible()) << "tab " << tab;
  }
  for (int tab : {4, 5}) {
    dialog_->Tabs.SetTab(tab);
    ClockHour = 0;
    dialog_->Timer1_Timer();
    EXPECT_EQ(ShortTick, 0);
    EXPECT_EQ(TickCount, 0);
    EXPECT_FALSE(dialog_->PreviewPicture.Visible());
    EXPECT_EQ(ClockHour, 13.0f);
    EXPECT_EQ(ClockHourFraction, 13.5f);
    EXPECT_EQ(ClockSecond, 15.0f);
  }
}

TEST_F(PaneTick, CountersAdvanceShortTickFirstAndWrapOnReachingTheirCycle) {
  struct Case {
    int short_before, long_before, short_after, long_after;
  };
  const Case cases[] = {{0, 0, 1, 1}, {98, 500, 99, 501}, {99, 998, 0, 999}, {99, 999, 0, 0}};
  for (int tab = 0; tab <= 3; ++tab) {
    dialog_->Tabs.SetTab(tab);
    for (const Case& c : cases) {
      ShortTick = c.short_before;
      TickCount = c.long_before;
      dialog_->Timer1_Timer();
      EXPECT_EQ(ShortTick, c.short_after) << "tab " << tab;
      EXPECT_EQ(TickCount, c.long_after) << "tab " << tab;
    }
  }
}

TEST_F(PaneTick, ClockValuesComeAfterTheDrawing) {
  ClockHour = 0;
  ClockMinute = 0;
  ScenePreview.ImageFile = "a_watch.bmp";
  dialog_->Timer1_Timer();
  EXPECT_EQ(ClockMinute, 30.0f);
  EXPECT_EQ(ClockHourFraction, 13.5f);
}

TEST_F(PaneTick, LargeFishCoralFishAndMoreRecordsAreCentredEveryTick) {
  struct Case {
    int tab;
    Sprite* rec;
    int width, height, x, y;
  };
  const Case cases[] = {{1, &PredatorPreview, 130, 62, 34, 52},
                        {2, &FishPreview, 177, 71, 10, 48},
                        {3, &OtherPreview, 11, 10, 93, 78}};
  for (const Case& c : cases) {
    dialog_->Tabs.SetTab(c.tab);
    c.rec->Width = c.width;
    c.rec->Height = c.height;
    c.rec->X = 0;
    c.rec->Y = 0;
    dialog_->Timer1_Timer();
    EXPECT_EQ(c.rec->X, c.x) << "tab " << c.tab;
    EXPECT_EQ(c.rec->Y, c.y) << "tab " << c.tab;
  }
  // The Scenery record stays where its picker put it.
  dialog_->Tabs.SetTab(0);
  ScenePreview.X = 5;
  ScenePreview.Y = 7;
  dialog_->Timer1_Timer();
  EXPECT_EQ(ScenePreview.X, 5);
  EXPECT_EQ(ScenePreview.Y, 7);
}

TEST_F(PaneTick, EachTickClearsTheCornerDrawsAndCopiesToThePane) {
  constexpr win::COLORREF kFish = win::RGB(250, 120, 10);
  // A 20 x 10 one-cell sheet with an all-black mask row: the whole cell is opaque.
  media_.WritePicture("a_tuna.bmp", 20, 20,
                      [&](int, int y) { return y < 10 ? kFish : win::RGB(0, 0, 0); });
  Tuna.ImageFile = "a_tuna.bmp";
  Tuna.Width = 20;
  Tuna.Height = 10;
  Tuna.Frames = 1;
  dialog_->PickItem(CatalogueEntry(Tuna));
  // Something left in the back buffer's corner from before is cleared.
  win::SetPixel(BufferDC(), 3, 3, win::RGB(255, 255, 255));
  dialog_->Tabs.SetTab(1);
  dialog_->Timer1_Timer();
  const win::HDC pane = dialog_->PreviewPicture.hDC();
  EXPECT_EQ(win::GetPixel(pane, 88, 78), kFish);  // centred at (88, 78)
  EXPECT_EQ(win::GetPixel(pane, 107, 87), kFish);
  EXPECT_EQ(win::GetPixel(pane, 87, 78), win::RGB(0, 0, 0));
  EXPECT_EQ(win::GetPixel(pane, 3, 3), win::RGB(0, 0, 0));
  EXPECT_EQ(win::GetPixel(BufferDC(), 88, 78), kFish);
}

TEST_F(PaneTick, WithTheBubblesPickedThePaneShowsBubblesAndNothingAtTheCentre) {
  BubblesLeft(1).ImageFile = "a_bubble.bmp";
  for (int i = 1; i <= 25; ++i) {
    BubblesLeft(i).Width = 11;
    BubblesLeft(i).Height = 10;
    BubblesLeft(i).DX = 2;
    BubblesLeft(i).DY = -6;
  }
  dialog_->PickItem(CatalogueEntry(BubblesLeft(1)));
  std::vector<long> ys;
  for (int i = 1; i <= 25; ++i) ys.push_back(BubblesLeft(i).Y.Value());
  dialog_->Tabs.SetTab(3);
  dialog_->Timer1_Timer();
  for (int i = 1; i <= 25; ++i) {
    const long want = ys[i - 1] - 6 < 0 ? 197 : ys[i - 1] - 6;
    EXPECT_EQ(BubblesLeft(i).Y.Value(), want) << i;
  }
  for (int i = 1; i <= 25; ++i) BubblesLeft(i) = Sprite{};
}

TEST_F(PaneTick, AFaultIsReportedUnderTheTabsRoutineAndTheNextTickGoesOn) {
  const char* contexts[] = {"Configuration/RunScenery", "Configuration/RunPredators",
                            "Configuration/RunFish", "Configuration/RunOther"};
  for (int tab = 0; tab <= 3; ++tab) {
    dialog_->Tabs.SetTab(tab);
    TickCount = 32767;  // the counter's own step overflows
    dialog_->Timer1_Timer();
    EXPECT_EQ(errors_.contexts().back(), contexts[tab]);
    TickCount = 0;
    dialog_->Timer1_Timer();
    EXPECT_EQ(errors_.contexts().size(), static_cast<std::size_t>(tab + 1));
  }
}

}  // namespace
