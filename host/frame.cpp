// The frame of the full-screen saver. LoadPics4ScreenSaver builds every surface once, before the
// window opens; each tick of maintimer then:
//   1. advances TickCount and ShortTick,
//   2. copies the stretched background into the back buffer,
//   3. draws the switched-on items back to front (the table below),
//   4. masks the coral strip in along the bottom edge,
//   5. takes the clock values from the time of day,
//   6. draws the chosen centrepiece and 7. the front row in front of the coral,
//   8. copies the back buffer to the window in one blit and refreshes window and label.
#include <span>
#include <vector>

#include "host/screensaver.h"
#include "host/starter.h"
#include "runtime/clock.h"
#include "sprites/animations.h"
#include "sprites/catalogue.h"
#include "sprites/surfaces.h"

namespace {

// An item's on/off flag is its Visible; a group's is the Visible of its element 1.
bool On(const Sprite& flag_holder) {
  return rt::IsTrue(flag_holder.Visible);
}

struct ItemRow {
  const Sprite* gate;
  void (*draw)();
};

// Items drawn behind the coral, back to front. The gate is the item's own flag unless the
// row names another record (both bottles follow element 1; both bubble columns and the schools
// follow their element 1).
const ItemRow kBackToFront[] = {
    {&MarinaSign, [] { Anim_Still_Loop(MarinaSign); }},
    {&TigerShark, [] { Anim_Swim_LeftOnly(TigerShark); }},
    {&HammerHead, [] { Anim_Swim_RightOnly(HammerHead); }},
    {&Orca, [] { Anim_Swim_LeftOnly(Orca); }},
    {&Dolphin, [] { Anim_Swim_LeftOnly(Dolphin); }},
    {&Shark, [] { Anim_Swim_RightOnly(Shark); }},
    {&Octopus, [] { Anim_Swim_LeftOnly(Octopus); }},
    {&SwimMaid, [] { Anim_Swim_LeftUp(SwimMaid); }},
    {&Whale, [] { Anim_Swim_RightDown(Whale); }},
    {&Manatee, [] { Anim_Swim_RightOnly(Manatee); }},
    {&Tuna, [] { Anim_Swim_LeftOnly(Tuna); }},
    {&MofiaSnitch, [] { Anim_Swim_Drop(MofiaSnitch, 500); }},
    {&Bottles(1), [] { Anim_Swim_Drop(Bottles(1), 250); }},
    {&Bottles(1), [] { Anim_Swim_Drop(Bottles(2), 750); }},
    {&BubblesLeft(1), [] { Anim_Custom_BubbleRight(); }},
    {&BubblesLeft(1), [] { Anim_Custom_BubbleLeft(); }},
    {&BlueDevils(1), [] { Anim_Custom_bluedevil(); }},
    {&AngelFish(1), [] { Anim_Custom_AngelFish(); }},
    {&RedFish(1), [] { Anim_Custom_redfish(); }},
    {&YellowFish(1), [] { Anim_Custom_Yellowfish(); }},
    {&EmperorFish(1), [] { Anim_Custom_emperorfish(); }},
    {&SwimHorses(1), [] { Anim_Custom_SwimHorse(); }},
    {&ScubaDiver, [] { Anim_Swim_LeftOnly(ScubaDiver); }},
    {&JellyFish, [] { Anim_Swim_RightUp(JellyFish); }},
    {&Pillars(1), [] { Anim_Custom_Pillars(); }},
    {&Worm, [] { Anim_Custom_Worm(Worm); }},
    {&DiverHead, [] { Anim_Custom_DiverHead(DiverHead); }},
};

// The front row, drawn in front of the coral and the centrepiece, back to front.
const ItemRow kInFront[] = {
    {&SeaHorse, [] { Anim_Still_Loop(SeaHorse); }}, {&Clams(1), [] { Anim_Custom_Clam(); }},
    {&Crab, [] { Anim_Custom_Crab(Crab); }},        {&Anchor, [] { Anim_Custom_Anchor(Anchor); }},
    {&Eyes, [] { Anim_Custom_Eyes(Eyes); }},
};

void DrawRows(std::span<const ItemRow> rows) {
  for (const ItemRow& row : rows) {
    if (On(*row.gate)) row.draw();
  }
}

}  // namespace

std::vector<const Sprite*> ItemsInBuildOrder() {
  return {&TigerShark,  &HammerHead,    &Manatee,       &Octopus,        &Orca,
          &Shark,       &SwimMaid,      &Tuna,          &Whale,          &Dolphin,
          &JellyFish,   &Clams(1),      &Crab,          &EmperorFish(1), &RedFish(1),
          &SeaHorse,    &SwimHorses(1), &YellowFish(1), &AngelFish(1),   &BlueDevils(1),
          &Anchor,      &Bottles(1),    &DiverHead,     &Eyes,           &MarinaSign,
          &MofiaSnitch, &Pillars(1),    &ScubaDiver,    &Worm,           &BubblesLeft(1)};
}

std::vector<const Sprite*> ItemsInDrawOrder() {
  std::vector<const Sprite*> gates;
  for (const ItemRow& row : kBackToFront) gates.push_back(row.gate);
  for (const ItemRow& row : kInFront) gates.push_back(row.gate);
  return gates;
}

void LoadPics4ScreenSaver() {
  rt::Trap("Starter/LoadPics4ScreenSaver", [] {
    GenerateDC(Palette);
    GenerateColorDC();
    GenerateBackgroundDC();
    GenerateForegroundDC();
    if (const Centrepiece* c = CentrepieceOfChoice(CenterpieceSlot.Choice)) {
      if (rt::IsTrue(c->record->Installed)) GenerateDC(*c->record);
    }
    // The items that are on; each builds every sheet of its own that is there.
    for (const Sprite* rec : ItemsInBuildOrder()) {
      if (!On(*rec)) continue;
      for (Sprite* sheet : CatalogueEntry(*rec).Sheets()) {
        if (rt::IsTrue(sheet->Installed)) GenerateDC(*sheet);
      }
    }
  });
}

// Kept as it always was: each counter goes back to 0 only once it exceeds its top, so their
// cycles are 1001 and 101 ticks, not the dialog's 1000 and 100.
void AdvanceSaverCounters() {
  TickCount += 1;
  if (TickCount > 1000) TickCount = 0;
  ShortTick += 1;
  if (ShortTick > 100) ShortTick = 0;
}

void ComposeFrame() {
  AdvanceSaverCounters();

  win::BitBlt(BufferDC(), 0, 0, ScreenWidth.Value(), ScreenHeight.Value(), Background.ImageDC, 0, 0,
              win::Rop::SRCCOPY);

  DrawRows(kBackToFront);

  // Everything drawn so far lies behind the coral; what follows stands in front of it.
  const rt::Integer strip_height = Foreground.Height;
  const rt::Long strip_y = ScreenHeight - strip_height;
  win::BitBlt(BufferDC(), 0, strip_y.Value(), ScreenWidth.Value(), strip_height.Value(),
              Foreground.MaskDC, 0, 0, win::Rop::SRCAND);
  win::BitBlt(BufferDC(), 0, strip_y.Value(), ScreenWidth.Value(), strip_height.Value(),
              Foreground.ImageDC, 0, 0, win::Rop::SRCPAINT);

  TakeClockValues();

  if (const Centrepiece* c = CentrepieceOfChoice(CenterpieceSlot.Choice)) c->routine(*c->record);

  DrawRows(kInFront);
}

// Kept as it always was: the context names the timer "MainTimer".
void ScreenSaverForm::maintimer_Timer() {
  rt::Trap("ScreenSaver/MainTimer", [&] {
    ComposeFrame();
    // One blit per tick, so the window never shows a half-drawn frame; the label is refreshed
    // after it so that it stays over the picture.
    win::BitBlt(hDC(), 0, 0, ScreenWidth.Value(), ScreenHeight.Value(), BufferDC(), 0, 0,
                win::Rop::SRCCOPY);
    Refresh();
    ScreenLabel.Refresh();
  });
}

void TakeClockValues() {
  const rt::TimeOfDay now = rt::Now();
  ClockHour = static_cast<float>(now.hour);
  ClockMinute = static_cast<float>(now.minute);
  ClockSecond = static_cast<float>(now.second);
  ClockHourFraction = ClockMinute / 60.0f + ClockHour;
}
