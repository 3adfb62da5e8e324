// X_Cleanup_And_End (module Starter): the one way out of every mode that opens a window. The
// steps run in this order whatever the mode, since each teardown tests for itself whether it
// has anything to undo:
//   1. every picture surface is released (the same 48 records in every mode),
//   2. the cursor is shown, 3. the system keys are given back,
//   4. the songs are stopped and closed, 5. the sound effects are closed,
//   6. the process ends at once.
// An error stops the run before the end, leaving the error dialog open; its "&Don't Send"
// runs the exit again, and a record released the first time is passed over the second.
#include "audio/sounds.h"
#include "host/starter.h"
#include "host/system.h"
#include "platform/app.h"
#include "platform/user32.h"
#include "sprites/animations.h"
#include "sprites/catalogue.h"
#include "sprites/surfaces.h"

namespace {

void EndProcess() {
  forms::End();
}
EndStep end_step = &EndProcess;

}  // namespace

std::vector<const Sprite*> ItemsInReleaseOrder() {
  return {&Dolphin,    &TigerShark,    &HammerHead,     &Manatee,        &Octopus,
          &Orca,       &Shark,         &SwimMaid,       &Tuna,           &Whale,
          &JellyFish,  &Clams(1),      &Crab,           &EmperorFish(1), &RedFish(1),
          &SeaHorse,   &SwimHorses(1), &YellowFish(1),  &AngelFish(1),   &BlueDevils(1),
          &Anchor,     &Bottles(1),    &BubblesLeft(1), &DiverHead,      &Eyes,
          &MarinaSign, &MofiaSnitch,   &Pillars(1),     &ScubaDiver,     &Worm};
}

void SetEndStepForTests(EndStep step) {
  end_step = step ? step : &EndProcess;
}

void X_Cleanup_And_End() {
  rt::Trap("Starter/X_Cleanup_And_End", [] {
    for (Sprite* rec : {&Background, &Foreground, &Palette, &Buffer, &Mermaid, &ScubaDude,
                        &SwimDude, &EvilRelic, &Bather, &Lifeguard, &Treasure, &Watch})
      RemoveDC(*rec);
    for (const Sprite* rec : ItemsInReleaseOrder()) {
      for (Sprite* sheet : CatalogueEntry(*rec).Sheets()) RemoveDC(*sheet);
    }
    for (Sprite* rec :
         {&PreviewSprite, &ScenePreview, &PredatorPreview, &FishPreview, &OtherPreview})
      RemoveDC(*rec);
    win::ShowCursor(true);
    SetTFS("enable");
    CloseSongs();
    CloseSoundFX();
    end_step();
  });
}
