#include "host_test_support.h"
#include "platform/gdi.h"
#include "platform/user32.h"
#include "platform/winmm.h"
#include "sprites/surface_ref.h"

namespace {

std::vector<std::string> winmm_log;
// What the exit had done at each moment noted (the key release, the end): the live surfaces, the
// cursor's show count and the sound calls made.
std::vector<std::vector<int>> moments;

int CursorCount() {
  win::ShowCursor(false);
  return win::ShowCursor(true);
}
void Note() {
  moments.push_back({win::LiveDCCount(), CursorCount(), static_cast<int>(winmm_log.size())});
}

// Surfaces and cursor before the keys, the keys before any sound call, the songs before the
// effects, and the end last.
TEST(CommonExit, ReleasesSurfacesShowsTheCursorUnlocksClosesSongsThenEffectsThenEnds) {
  host_test::ErrorRecorder errors;
  win::RecordWinmmCallsForTests(&winmm_log);
  SetKeyLockCallForTests([](unsigned, unsigned param, void*, unsigned) {
    EXPECT_EQ(param, 0u);
    Note();
    return true;
  });
  SetEndStepForTests(&Note);
  WinVersion = "95";
  UsePassword = 1;
  RunMode = 2;
  // A few of the records the exit must release, from the first to the last of its list, and a
  // group member other than element 1, which never holds surfaces of its own and is left.
  for (Sprite* s : {&Background, &Buffer, &Watch, &Whale, &Bottles(2), &BubblesLeft(1), &Pillars(1),
                    &OtherPreview, &Clams(2)})
    s->ImageDC = SurfaceRef::Adopt(win::CreateCompatibleDC(0));
  Whale.MaskDC = SurfaceRef::Adopt(win::CreateCompatibleDC(0));
  const int dcs = win::LiveDCCount() - 9, cursor = CursorCount();
  X_Cleanup_And_End();
  ASSERT_FALSE(winmm_log.empty());
  EXPECT_EQ(moments,
            (std::vector<std::vector<int>>{{dcs, cursor + 1, 0},
                                           {dcs, cursor + 1, static_cast<int>(winmm_log.size())}}));
  EXPECT_EQ(winmm_log.front().rfind("mciSendStringA(status song", 0), 0u) << winmm_log.front();
  EXPECT_EQ(winmm_log.back(), "sndPlaySoundA(null, 2)");
  EXPECT_TRUE(errors.contexts().empty());
  win::RecordWinmmCallsForTests(nullptr);
  SetKeyLockCallForTests(nullptr);
  SetEndStepForTests(nullptr);
  WinVersion.clear();
  UsePassword = 0;
  Clams(2).ImageDC.Release();
}

TEST(CommonExit, AnErrorIsReportedAndTheProcessDoesNotEnd) {
  host_test::ErrorRecorder errors;
  SetEndStepForTests([] { rt::Raise(rt::kOverflow); });
  X_Cleanup_And_End();
  EXPECT_EQ(errors.contexts(), std::vector<std::string>{"Starter/X_Cleanup_And_End"});
  SetEndStepForTests(nullptr);
}

}  // namespace
