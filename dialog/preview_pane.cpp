// The preview pane beside the first four tabs. Every 100 ms Timer1_Timer:
//   1. hands the pane's size to the preview routines;
//   2. on tabs 0 to 3 shows the pane and runs that tab's compose routine, which advances the
//      counters, centres the record (not on the Scenery tab), clears the pane's corner of the
//      back buffer and the pane, draws with the routine its file name calls for, and copies the
//      back buffer to the pane; on tabs 4 and 5 hides the pane and draws nothing;
//   3. takes the time of day for the clock centrepiece, for the next tick.
#include "dialog/preview_pane.h"

#include <initializer_list>
#include <string_view>

#include "dialog/configuration.h"
#include "host/screensaver.h"
#include "host/starter.h"
#include "platform/gdi.h"
#include "runtime/conversions.h"
#include "runtime/errors.h"
#include "sprites/animations.h"

namespace {

struct DispatchRow {
  std::initializer_list<std::string_view> names;  // empty: every other name
  PaneRoutine routine;
};

PaneRoutine Lookup(const std::string& image_file, std::initializer_list<DispatchRow> rows) {
  for (const DispatchRow& row : rows) {
    for (std::string_view name : row.names) {
      if (name == image_file) return row.routine;
    }
  }
  return std::data(rows)[rows.size() - 1].routine;
}

}  // namespace

void BubblesInPane(Sprite& /*rec*/) {
  Anim_Preview_Bubble();
}

PaneRoutine SceneryRoutine(const std::string& image_file) {
  return Lookup(image_file, {{{"a_lifeguard.bmp"}, &Anim_Still_Reverse},
                             {{"a_scubadude.bmp"}, &Anim_Custom_ScubaDude},
                             {{"a_treasure.bmp"}, &Anim_Preview_DelayedReverse},
                             {{"a_watch.bmp"}, &Anim_Custom_Watch},
                             {{}, &Anim_Still_Loop}});
}

PaneRoutine PredatorRoutine(const std::string& /*image_file*/) {
  return &Anim_Still_Loop;
}

PaneRoutine FishRoutine(const std::string& image_file) {
  return Lookup(image_file, {{{"a_seahorse.bmp", "a_jellyfish.bmp"}, &Anim_Still_Loop},
                             {{"a_crab.bmp", "a_clam.bmp"}, &Anim_Preview_DelayedReverse},
                             {{"a_bluedevil.bmp", "a_angelfish.bmp", "a_swimhorse.bmp",
                               "a_yellowfish.bmp", "a_redfish.bmp", "a_emperorfish.bmp"},
                              &Anim_Preview_School},
                             {{}, &Anim_Still_Loop}});
}

PaneRoutine OtherRoutine(const std::string& image_file) {
  return Lookup(image_file, {{{"a_scubadiver.bmp", "a_mofiasnitch.bmp", "a_pillar.bmp",
                               "a_marinasign.bmp", "a_bottle1.bmp"},
                              &Anim_Still_Loop},
                             {{"a_anchor.bmp"}, &Anim_Custom_Anchor},
                             {{"a_eyes.bmp"}, &Anim_Custom_Eyes},
                             {{"a_diverhead.bmp"}, &Anim_Custom_DiverHead},
                             {{"a_worm.bmp"}, &Anim_Preview_DelayedReverse},
                             {{"a_bubble.bmp"}, &BubblesInPane},
                             {{}, &Anim_Still_Loop}});
}

void ConfigurationForm::Timer1_Timer() {
  PreviewPaneWidth = static_cast<float>(PreviewPicture.ScaleWidth());
  PreviewPaneHeight = static_cast<float>(PreviewPicture.ScaleHeight());
  const rt::Integer tab = Tabs.Tab();
  const bool preview_tab = tab >= 0 && tab <= 3;
  PreviewPicture.SetVisible(preview_tab);
  if (tab == 0) RunScenery();
  if (tab == 1) RunPredators();
  if (tab == 2) RunFish();
  if (tab == 3) RunOther();
  TakeClockValues();
}

void ConfigurationForm::Tabs_Click(rt::Integer /*previous_tab*/) {
  PreviewPicture.SetVisible(Tabs.Tab() >= 0 && Tabs.Tab() <= 3);
}

// The dialog's own counter rule: ShortTick first, each back to 0 on reaching its cycle.
void ConfigurationForm::RunTicker() {
  ShortTick += 1;
  if (ShortTick == 100) ShortTick = 0;
  TickCount += 1;
  if (TickCount == 1000) TickCount = 0;
}

void ConfigurationForm::CentreInPane(Sprite& rec) {
  rec.X = rt::CLng(PreviewPicture.ScaleWidth() / 2 - rec.Width.AsDouble() / 2);
  rec.Y = rt::CLng(PreviewPicture.ScaleHeight() / 2 - rec.Height.AsDouble() / 2);
}

void ConfigurationForm::ClearPane() {
  win::BitBlt(BufferDC(), 0, 0, rt::CLng(PreviewPicture.ScaleWidth()).Value(),
              rt::CLng(PreviewPicture.ScaleHeight()).Value(), 0, 0, 0, win::Rop::BLACKNESS);
  PreviewPicture.Cls();
}

// The whole back buffer is offered; the pane keeps only its own size of it.
void ConfigurationForm::ShowPane() {
  win::BitBlt(PreviewPicture.hDC(), 0, 0, ScreenWidth.Value(), ScreenHeight.Value(), BufferDC(), 0,
              0, win::Rop::SRCCOPY);
  PreviewPicture.Refresh();
}

void ConfigurationForm::RunScenery() {
  rt::Trap("Configuration/RunScenery", [this] {
    RunTicker();
    ClearPane();
    SceneryRoutine(ScenePreview.ImageFile)(ScenePreview);
    ShowPane();
  });
}

void ConfigurationForm::RunPredators() {
  rt::Trap("Configuration/RunPredators", [this] {
    RunTicker();
    CentreInPane(PredatorPreview);
    ClearPane();
    PredatorRoutine(PredatorPreview.ImageFile)(PredatorPreview);
    ShowPane();
  });
}

void ConfigurationForm::RunFish() {
  rt::Trap("Configuration/RunFish", [this] {
    RunTicker();
    CentreInPane(FishPreview);
    ClearPane();
    FishRoutine(FishPreview.ImageFile)(FishPreview);
    ShowPane();
  });
}

void ConfigurationForm::RunOther() {
  rt::Trap("Configuration/RunOther", [this] {
    RunTicker();
    CentreInPane(OtherPreview);
    ClearPane();
    OtherRoutine(OtherPreview.ImageFile)(OtherPreview);
    ShowPane();
  });
}
