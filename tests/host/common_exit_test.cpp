#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/starter.h"
#include "host/system.h"
#include "host_test_support.h"
#include "platform/gdi.h"
#include "platform/user32.h"
#include "platform/winmm.h"
#include "sprites/animations.h"
#include "sprites/surface_ref.h"

namespace {

using host_test::ErrorRecorder;

// What the exit had done by the time the key lock was released and by the time it ended.
struct Moment {
  int live_dcs;
  int cursor_count;
  size_t winmm_calls;
};
std::vector<std::string> winmm_log;
std::vector<Moment> key_unlocks;
std::vector<Moment> ends;

int CursorCount() {
  win::ShowCursor(false);
  return win::ShowCursor(true);
}
Moment Now() {
  return {win::LiveDCCount(), CursorCount(), winmm_log.size()};
}

bool RecordUnlock(unsigned, unsigned param, void*, unsigned) {
  EXPECT_EQ(param, 0u);
  key_unlocks.push_back(Now());
  return true;
}
void RecordEnd() {
  ends.push_back(Now());
}
void FailingEnd() {
  rt::Raise(rt::kOverflow);
}

SurfaceRef NewSurface() {
  return SurfaceRef::Adopt(win::CreateCompatibleDC(0));
}

class CommonExit : public ::testing::Test {
 protected:
  void SetUp() override {
    winmm_log.clear();
    key_unlocks.clear();
    ends.clear();
    win::RecordWinmmCallsForTests(&winmm_log);
    SetKeyLockCallForTests(&RecordUnlock);
    SetEndStepForTests(&RecordEnd);
    WinVersion = "95";
    UsePassword = 1;
    RunMode = 2;
  }
  void TearDown() override {
    win::RecordWinmmCallsForTests(nullptr);
    SetKeyLockCallForTests(nullptr);
    SetEndStepForTests(nullptr);
    WinVersion.clear();
    UsePassword = 0;
    RunMode = 0;
    for (Sprite* s : Listed()) {
      s->ImageDC.Release();
      s->MaskDC.Release();
    }
    Clams(2).ImageDC.Release();
  }
  // A few of the records the exit must release, from the first to the last of its list.
  static std::vector<Sprite*> Listed() {
    return {&Background, &Buffer,         &Watch,      &Whale,
            &Bottles(2), &BubblesLeft(1), &Pillars(1), &OtherPreview};
  }
  ErrorRecorder errors_;
};

TEST_F(CommonExit, ReleasesSurfacesShowsTheCursorUnlocksClosesSoundThenEnds) {
  const int dcs_before = win::LiveDCCount();
  for (Sprite* s : Listed()) s->ImageDC = NewSurface();
  Whale.MaskDC = NewSurface();
  // A group member other than element 1 never holds surfaces of its own; the exit leaves it.
  Clams(2).ImageDC = NewSurface();
  const int cursor_before = CursorCount();

  X_Cleanup_And_End();

  for (Sprite* s : Listed()) EXPECT_EQ(s->ImageDC.Handle(), 0);
  EXPECT_EQ(Whale.MaskDC.Handle(), 0);
  EXPECT_NE(Clams(2).ImageDC.Handle(), 0);
  ASSERT_EQ(key_unlocks.size(), 1u);
  // By the key release every surface but the stray one is gone and the cursor shows again;
  // no sound call has been made yet.
  EXPECT_EQ(key_unlocks[0].live_dcs, dcs_before + 1);
  EXPECT_EQ(key_unlocks[0].cursor_count, cursor_before + 1);
  EXPECT_EQ(key_unlocks[0].winmm_calls, 0u);
  // The songs are closed before the simple sound player is silenced, and that is the last call.
  ASSERT_FALSE(winmm_log.empty());
  EXPECT_EQ(winmm_log.front().rfind("mciSendStringA(status song", 0), 0u) << winmm_log.front();
  EXPECT_EQ(winmm_log.back(), "sndPlaySoundA(null, 2)");
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_EQ(ends[0].winmm_calls, winmm_log.size());
  EXPECT_TRUE(errors_.contexts().empty());
}

TEST_F(CommonExit, ASecondRunReleasesNothingTwice) {
  for (Sprite* s : Listed()) s->ImageDC = NewSurface();
  X_Cleanup_And_End();
  const int dcs_after_first = win::LiveDCCount();
  // A surface made after the first run must survive the second: nothing stale is freed.
  const SurfaceRef unrelated = NewSurface();
  X_Cleanup_And_End();
  EXPECT_EQ(win::LiveDCCount(), dcs_after_first + 1);
  EXPECT_EQ(ends.size(), 2u);
  EXPECT_TRUE(errors_.contexts().empty());
}

TEST_F(CommonExit, AnErrorIsReportedAndTheProcessDoesNotEnd) {
  SetEndStepForTests(&FailingEnd);
  X_Cleanup_And_End();
  EXPECT_EQ(errors_.contexts(), std::vector<std::string>{"Starter/X_Cleanup_And_End"});
}

TEST_F(CommonExit, OutsideWindows95WithThePasswordTheKeysAreLeftAlone) {
  WinVersion = "NT";
  X_Cleanup_And_End();
  EXPECT_TRUE(key_unlocks.empty());
  EXPECT_EQ(ends.size(), 1u);
}

}  // namespace
