#include "dialog/preview_pane.h"
#include "dialog_test_support.h"
#include "runtime/clock.h"

namespace {

// The exact file name chooses, on its own tab only; anything else is a still loop.
TEST(PaneDispatch, EachTabChoosesItsRoutineByTheExactFileName) {
  // clang-format off
  const PaneRoutine loop = &Anim_Still_Loop, delayed = &Anim_Preview_DelayedReverse;
  const std::tuple<int, const char*, PaneRoutine> rows[] = {
      {0, "a_lifeguard.bmp", &Anim_Still_Reverse}, {0, "a_treasure.bmp", delayed},
      {0, "a_watch.bmp", &Anim_Custom_Watch},      {0, "A_watch.bmp", loop},
      {0, "a_watch.bmp ", loop},                   {1, "a_crab.bmp", loop},
      {2, "a_crab.bmp", delayed},                  {2, "a_clam.bmp", delayed},
      {2, "a_yellowfish.bmp", &Anim_Preview_School}, {3, "a_worm.bmp", delayed},
      {3, "a_bubble.bmp", &BubblesInPane},         {3, "A_anchor.bmp", loop}};
  // clang-format on
  for (const auto& [tab, name, routine] : rows)
    EXPECT_EQ(PaneRoutineFor(tab, name), routine) << tab << " " << name;
}

class PaneTick : public dialog_test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    rt::SetTimeOfDayForTests(&time_);
    dialog_ = &Open();
    dialog_->Timer1.SetEnabled(false);  // the tests tick by hand
  }
  void TearDown() override {
    rt::SetTimeOfDayForTests(nullptr);
    DialogTest::TearDown();
  }
  void Tick(int tab) {
    dialog_->Tabs.SetTab(tab);
    dialog_->Timer1_Timer();
  }
  rt::TimeOfDay time_{13, 30, 15};
  ConfigurationForm* dialog_ = nullptr;
};

// The dialog's own rule: ShortTick first, each back to 0 on reaching 100 or 1000; on the
// Options and About tabs the pane hides and the counters stand, but the clock is taken.
TEST_F(PaneTick, TheCountersRunOnThePreviewTabsOnlyAndTheClockOnAll) {
  const int cases[][4] = {{0, 0, 1, 1}, {98, 500, 99, 501}, {99, 998, 0, 999}, {99, 999, 0, 0}};
  for (int tab = 0; tab <= 5; ++tab) {
    for (const auto& c : cases) {
      ShortTick = c[0];
      TickCount = c[1];
      ClockHour = 0;
      Tick(tab);
      EXPECT_EQ(ShortTick, tab <= 3 ? c[2] : c[0]) << "tab " << tab;
      EXPECT_EQ(TickCount, tab <= 3 ? c[3] : c[1]) << "tab " << tab;
      EXPECT_EQ(dialog_->PreviewPicture.Visible(), tab <= 3) << "tab " << tab;
      EXPECT_EQ(ClockHour, 13.0f) << "tab " << tab;
    }
  }
}

}  // namespace
