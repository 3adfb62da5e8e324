// The preview pane beside the first four tabs. Every 100 ms Timer1_Timer:
//   1. hands the pane's size to the preview routines;
//   2. on tabs 0 to 3 shows the pane and runs that tab's compose routine, which advances the
//      counters, centres the record (not on the Scenery tab), clears the pane's corner of the
//      back buffer and the pane, draws with the routine its file name calls for, and copies the
//      back buffer to the pane; on tabs 4 and 5 hides the pane and draws nothing;
//   3. takes the time of day for the clock centrepiece, for the next tick.
#include "dialog/preview_pane.h"

#include <string>

#include "dialog/configuration.h"
#include "host/screensaver.h"
#include "host/starter.h"
#include "platform/gdi.h"
#include "runtime/conversions.h"
#include "runtime/errors.h"
#include "sprites/animations.h"
#include "sprites/catalogue.h"

PaneRoutine PaneRoutineFor(int tab, const std::string& image_file) {
  if (tab == 0) {
    for (const Centrepiece& c : Centrepieces()) {
      if (image_file == c.picture) return c.pane_routine;
    }
  } else {
    for (const CatalogueItem& item : Catalogue()) {
      if (item.tab == tab && image_file == item.picture) return item.pane_routine;
    }
  }
  return &Anim_Still_Loop;
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
  // Kept as it always was: taken after the drawing, so the clock shows the tick before's time.
  TakeClockValues();
}

void ConfigurationForm::Tabs_Click(rt::Integer /*previous_tab*/) {
  PreviewPicture.SetVisible(Tabs.Tab() >= 0 && Tabs.Tab() <= 3);
}

// Kept as it always was: the dialog's own counter rule, not the saver's: ShortTick first, each
// back to 0 on reaching 100 or 1000.
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

// The compose routines' steps; the Scenery tab's record keeps the place its picker gave it.
void ConfigurationForm::ComposeTab(int tab) {
  RunTicker();
  Sprite& preview = TabPreview(tab);
  if (tab != 0) CentreInPane(preview);
  ClearPane();
  PaneRoutineFor(tab, preview.ImageFile)(preview);
  ShowPane();
}

void ConfigurationForm::RunScenery() {
  rt::Trap("Configuration/RunScenery", [this] { ComposeTab(0); });
}

void ConfigurationForm::RunPredators() {
  rt::Trap("Configuration/RunPredators", [this] { ComposeTab(1); });
}

void ConfigurationForm::RunFish() {
  rt::Trap("Configuration/RunFish", [this] { ComposeTab(2); });
}

void ConfigurationForm::RunOther() {
  rt::Trap("Configuration/RunOther", [this] { ComposeTab(3); });
}
