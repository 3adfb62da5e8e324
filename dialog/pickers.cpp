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
#include "sprites/catalogue.h"
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

// Kept as it always was: the context spells the list's name in other capitals, and "<None>"
// keeps the last centrepiece's record without its picture.
void ConfigurationForm::CheckCenterPiece_Click() {
  rt::Trap("Configuration/CheckCenterpiece_Click", [this] {
    const rt::Integer n = CheckCenterPiece.ListIndex();
    if (n == 0) {
      ScenePreview.ImageDC.Release();
    } else if (const Centrepiece* c = CentrepieceOfChoice(n)) {
      ScenePreview = *c->record;
    }
    ShortTick = 0;
    if (n != 0) GenerateDC(ScenePreview);
    CentreInPane(ScenePreview);
  });
}

// Kept as it always was: the context spells the list's name in other capitals.
void ConfigurationForm::CheckForeGround_Click() {
  rt::Trap("Configuration/CheckForeground_Click", [this] {
    if (CheckForeGround.Text() == "Coral Reef") {
      ScenePreview.ImageFile = "a_foregroundpreview0.bmp";
      GenerateDC(ScenePreview);
    }
    FillPane(ScenePreview);
  });
}

// The item's record (a group's element 1) goes whole into its tab's preview record, which gets
// surfaces of its own; a scripted item starts its script afresh. The bubbles are drawn from the
// group's own first element, so their surfaces are rebuilt there; then 25 bubbles are scattered
// over the pane.
void ConfigurationForm::PickItem(const CatalogueItem& item) {
  Sprite& preview = TabPreview(item.tab);
  preview = *item.record;
  if (item.record == &BubblesLeft(1)) {
    GenerateDC(BubblesLeft(1));
    ScatterBubbles();
  } else {
    GenerateDC(preview);
  }
  if (item.restarts) *item.restarts = 0;
}

// Kept as it always was: each pick turns the second half round again, so two picks without a
// tick between them leave every bubble going the way it went.
void ConfigurationForm::ScatterBubbles() {
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
