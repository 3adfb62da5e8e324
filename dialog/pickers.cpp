// What the pane shows: the three Scenery lists and the thirty item buttons put a picture into
// their tab's preview record, which the pane then animates; the About tab's two pictures open
// the maker's web site. Picks never touch the settings or the check boxes.
#include "dialog/configuration.h"
#include "host/starter.h"
#include "platform/shell32.h"
#include "runtime/conversions.h"
#include "runtime/errors.h"
#include "runtime/random.h"
#include "sprites/animations.h"
#include "sprites/surfaces.h"

namespace {

// Background and foreground pictures fill the whole pane in one cell.
void FillPane(Sprite& rec) {
  rec.X = 0;
  rec.Y = 0;
  rec.Width = 197;
  rec.Height = 167;
  rec.Frames = 1;
  rec.StripOffset = 0;
  rec.Frame = 0;
}

void Pick(const Sprite& item, Sprite& preview) {
  preview = item;
  GenerateDC(preview);
}

// The browser opens beside the dialog, which stays open.
void OpenMakerSite(win::HWND dialog) {
  win::ShellExecuteA(dialog, "open", kMakerSite, nullptr, nullptr, win::ShowCommand::SW_SHOWNORMAL);
}

}  // namespace

void ConfigurationForm::CheckBackground_Click() {
  rt::Trap("Configuration/CheckBackground_Click", [this] {
    ScenePreview.ImageDC.Release();
    const rt::Integer n = CheckBackground.ListIndex();
    if (n != 0) {
      ScenePreview.ImageFile = "a_backgroundpreview" + rt::Digits(n) + ".bmp";
      GenerateDC(ScenePreview);
    } else {
      ScenePreview.ImageFile = "";
      ScenePreview.ImageDC.Release();
    }
    FillPane(ScenePreview);
  });
}

void ConfigurationForm::CheckCenterPiece_Click() {
  rt::Trap("Configuration/CheckCenterpiece_Click", [this] {
    const rt::Integer n = CheckCenterPiece.ListIndex();
    Sprite* const centrepieces[] = {&ScubaDude, &EvilRelic, &Lifeguard, &SwimDude,
                                    &Mermaid,   &Bather,    &Watch,     &Treasure};
    if (n == 0) {
      ScenePreview.ImageDC.Release();
    } else if (n >= 1 && n <= 8) {
      ScenePreview = *centrepieces[n.Value() - 1];
    }
    ShortTick = 0;
    if (n != 0) GenerateDC(ScenePreview);
    CentreInPane(ScenePreview);
  });
}

void ConfigurationForm::CheckForeGround_Click() {
  rt::Trap("Configuration/CheckForeground_Click", [this] {
    if (CheckForeGround.Text() == "Coral Reef") {
      ScenePreview.ImageFile = "a_foregroundpreview0.bmp";
      GenerateDC(ScenePreview);
    }
    FillPane(ScenePreview);
  });
}

// ---- "Large Fish" ----
void ConfigurationForm::Picture1_Click() {
  Pick(Whale, PredatorPreview);
}
void ConfigurationForm::Picture2_Click() {
  Pick(Orca, PredatorPreview);
}
void ConfigurationForm::Picture3_Click() {
  Pick(HammerHead, PredatorPreview);
}
void ConfigurationForm::Picture4_Click() {
  Pick(Shark, PredatorPreview);
}
void ConfigurationForm::Picture5_Click() {
  Pick(TigerShark, PredatorPreview);
}
void ConfigurationForm::Picture6_Click() {
  Pick(Manatee, PredatorPreview);
}
void ConfigurationForm::Picture7_Click() {
  Pick(Octopus, PredatorPreview);
}
void ConfigurationForm::Picture8_Click() {
  Pick(Tuna, PredatorPreview);
}
void ConfigurationForm::Picture27_Click() {
  Pick(SwimMaid, PredatorPreview);
}
void ConfigurationForm::Picture33_Click() {
  Pick(Dolphin, PredatorPreview);
}

// ---- "Coral Fish": the crab and the clams start their script afresh ----
void ConfigurationForm::Picture14_Click() {
  Pick(YellowFish(1), FishPreview);
}
void ConfigurationForm::Picture15_Click() {
  Pick(JellyFish, FishPreview);
}
void ConfigurationForm::Picture16_Click() {
  Pick(SwimHorses(1), FishPreview);
}
void ConfigurationForm::Picture17_Click() {
  Pick(EmperorFish(1), FishPreview);
}
void ConfigurationForm::Picture18_Click() {
  Pick(RedFish(1), FishPreview);
}
void ConfigurationForm::Picture19_Click() {
  Pick(Crab, FishPreview);
  ShortTick = 0;
}
void ConfigurationForm::Picture20_Click() {
  Pick(SeaHorse, FishPreview);
}
void ConfigurationForm::Picture21_Click() {
  Pick(Clams(1), FishPreview);
  ShortTick = 0;
}
void ConfigurationForm::Picture22_Click() {
  Pick(BlueDevils(1), FishPreview);
}
void ConfigurationForm::Picture23_Click() {
  Pick(AngelFish(1), FishPreview);
}

// ---- "More...": each scripted item restarts the counter its script follows ----
void ConfigurationForm::Picture9_Click() {
  Pick(Bottles(1), OtherPreview);
}
void ConfigurationForm::Picture10_Click() {
  Pick(Pillars(1), OtherPreview);
}
void ConfigurationForm::Picture24_Click() {
  Pick(MofiaSnitch, OtherPreview);
}
void ConfigurationForm::Picture25_Click() {
  Pick(Worm, OtherPreview);
}
void ConfigurationForm::Picture26_Click() {
  Pick(ScubaDiver, OtherPreview);
}
void ConfigurationForm::Picture29_Click() {
  Pick(Anchor, OtherPreview);
  TickCount = 0;
}
void ConfigurationForm::Picture30_Click() {
  Pick(MarinaSign, OtherPreview);
}
void ConfigurationForm::Picture31_Click() {
  Pick(Eyes, OtherPreview);
  TickCount = 0;
}
void ConfigurationForm::Picture32_Click() {
  Pick(DiverHead, OtherPreview);
  ShortTick = 0;
}

// The bubbles are drawn from the group's own first element, so its surfaces are rebuilt there;
// then 25 bubbles are scattered over the pane, the second half turned the other way each time.
void ConfigurationForm::Picture28_Click() {
  OtherPreview = BubblesLeft(1);
  GenerateDC(BubblesLeft(1));
  for (LoopIndex = 1; LoopIndex <= 25; LoopIndex += 1) {
    Sprite& b = BubblesLeft(LoopIndex.Value());
    b.X = rt::CLng(rt::Int((PreviewPicture.ScaleWidth() - b.Width.AsDouble() + 1) * rt::Rnd()));
    b.Y = rt::CLng(rt::Int((PreviewPicture.ScaleHeight() + 1) * rt::Rnd()));
    if (LoopIndex >= 13) b.DX = -b.DX;
  }
}

// ---- "About" ----
void ConfigurationForm::Picture11_Click() {
  OpenMakerSite(hWnd());
}
void ConfigurationForm::Picture34_Click() {
  OpenMakerSite(hWnd());
}
