// Starting values of the ornaments, the bubble columns, the scene's holders, the centrepieces
// and the settings dialog's preview pictures.
#include <string>

#include "host/starter.h"
#include "runtime/conversions.h"
#include "runtime/errors.h"
#include "runtime/random.h"
#include "sprites/animations.h"
#include "sprites/placement.h"

namespace {

// A single-row sheet and its first cell.
void SetCellsAndFrame(Sprite& s, rt::Integer width, rt::Integer height, rt::Integer frames,
                      rt::Integer frame) {
  SetCells(s, width, height, frames);
  s.Frame = frame;
}

void SetSteps(Sprite& s, rt::Integer dx, rt::Integer dy) {
  s.DX = dx;
  s.DY = dy;
}

void SetPosition(Sprite& s, Position p) {
  s.X = p.X;
  s.Y = p.Y;
}

// An ornament on the sea floor: its left edge measured from the middle of the screen, its top
// edge a fixed height above the bottom.
void OnSeaFloor(Sprite& s, double x_offset, rt::Integer raise) {
  s.X = CentreAnchoredX(x_offset);
  s.Y = ScreenHeight - raise;
}

void FillBottles() {
  rt::Randomize();
  for (int i = 1; i <= 2; ++i) {
    Sprite& s = Bottles(i);
    SetCells(s, 32, 51, 13);
    s.Frame = RandomStartFrame(s.Frames);
    SetSteps(s, 0, 0);
    SetPosition(s, RandomDropPosition(s.Width, s.Height));
  }
  // Each bottle has a sheet of its own, checked on its own.
  Bottles(1).ImageFile = "a_bottle1.bmp";
  Bottles(2).ImageFile = "a_bottle2.bmp";
  CheckInstalled(Bottles(1));
  CheckInstalled(Bottles(2));
}

enum class Column { Right, Left };

// One column of fifty bubbles: the first half drifts right, the second left, all rise. The
// column's span of X is taken in 32 bits so that very wide screens still start cleanly.
template <int Upper>
void FillBubbles(rt::Array<Sprite, Upper>& column, Column side) {
  for (int i = 1; i <= 50; ++i) {
    rt::Randomize();
    Sprite& s = column(i);
    SetCells(s, 11, 10, 1);
    SetSteps(s, i <= 25 ? 3 : -3, -6);
    s.Y = rt::CLng(rt::Int(rt::Rnd() * (ScreenHeight.AsDouble() + 1)));
    if (side == Column::Right) {
      const double right_sixth = (ScreenWidth * 5) / 6;
      const rt::Long last = ScreenWidth - s.Width;
      s.X = rt::CLng(rt::Int(rt::Rnd() * (last.AsDouble() - right_sixth + 1) + right_sixth));
    } else {
      s.X = rt::CLng(rt::Int(rt::Rnd() * (ScreenWidth / 6 - s.Width.AsDouble() + 1)));
    }
  }
}

void FillPillars() {
  for (int i = 1; i <= 2; ++i) {
    Sprite& s = Pillars(i);
    SetCellsAndFrame(s, 63, 169, 1, 0);
    SetSteps(s, 0, 0);
    s.Y = ScreenHeight - s.Height - 120;
    SetPicture(s, "a_pillar.bmp");
  }
  // The left pillar is the sheet's first cell, the right pillar its second.
  Pillars(1).X = CentreAnchoredX(-80 - Pillars(1).Width.AsDouble());
  Pillars(2).X = CentreAnchoredX(+80);
  Pillars(1).StripOffset = 0;
  Pillars(2).StripOffset = Pillars(1).Width;
}

struct Centrepiece {
  Sprite* rec;
  const char* image_file;
  int width;
  int height;
  int frames;
  int lift;        // extra pixels right of centre
  int raise;       // bottom edge above the screen's bottom
  int frame_step;  // 0: left as it is
};

// In the order they are filled; the comments give their centrepiece numbers.
// clang-format off
const Centrepiece kCentrepieces[] = {
    {&Mermaid,   "a_mermaid.bmp",   138, 120, 8, 0,  60, 0},  // 5
    {&SwimDude,  "a_swimdude.bmp",  64,  131, 6, 0,  60, 0},  // 4
    {&Lifeguard, "a_lifeguard.bmp", 91,  156, 5, 13, 57, 1},  // 3
    {&ScubaDude, "a_scubadude.bmp", 92,  155, 3, 0,  53, 0},  // 1
    {&Treasure,  "a_treasure.bmp",  109, 94,  4, 0,  70, 0},  // 8
    {&EvilRelic, "a_evilrelic.bmp", 125, 122, 1, 0,  60, 0},  // 2
    {&Bather,    "a_bather.bmp",    90,  123, 8, 0,  70, 0},  // 6
    {&Watch,     "a_watch.bmp",     110, 126, 1, 0,  68, 0},  // 7
};
// clang-format on

}  // namespace

void Properties_Other() {
  rt::Trap("Animations/Properties_Other", [] {
    SetCellsAndFrame(Anchor, 76, 83, 5, 0);
    SetSteps(Anchor, 0, 0);
    OnSeaFloor(Anchor, -325, 170);
    SetPicture(Anchor, "a_anchor.bmp");

    FillBottles();
    FillBubbles(BubblesRight, Column::Right);
    FillBubbles(BubblesLeft, Column::Left);
    // One sheet and one check serve both columns.
    SetPicture(BubblesLeft(1), "a_bubble.bmp");

    SetCellsAndFrame(DiverHead, 129, 150, 8, 0);
    SetSteps(DiverHead, 0, 0);
    DiverHead.X = 20;
    DiverHead.Y = 0;
    SetPicture(DiverHead, "a_diverhead.bmp");

    // The eyes' script moves them between cells 0 and 5; they start on the last one.
    SetCellsAndFrame(Eyes, 30, 12, 5, 5);
    SetSteps(Eyes, 0, 0);
    OnSeaFloor(Eyes, +245, 50);
    SetPicture(Eyes, "a_eyes.bmp");

    SetCellsAndFrame(MarinaSign, 55, 141, 6, 1);
    SetSteps(MarinaSign, 0, 0);
    OnSeaFloor(MarinaSign, -100, 280);
    SetPicture(MarinaSign, "a_marinasign.bmp");

    rt::Randomize();
    SetCells(MofiaSnitch, 65, 144, 6);
    MofiaSnitch.Frame = RandomStartFrame(MofiaSnitch.Frames);
    SetSteps(MofiaSnitch, 0, 0);
    SetPosition(MofiaSnitch, RandomDropPosition(MofiaSnitch.Width, MofiaSnitch.Height));
    SetPicture(MofiaSnitch, "a_mofiasnitch.bmp");

    FillPillars();

    rt::Randomize();
    SetCells(ScubaDiver, 150, 90, 8);
    ScubaDiver.Frame = RandomStartFrame(ScubaDiver.Frames);
    SetSteps(ScubaDiver, -6, 1);
    SetPosition(ScubaDiver, RandomSwimPosition(ScubaDiver.Width, ScubaDiver.Height));
    SetPicture(ScubaDiver, "a_scubadiver.bmp");

    rt::Randomize();
    SetCellsAndFrame(Worm, 37, 60, 3, 1);
    SetSteps(Worm, 0, 7);
    SetPosition(Worm, RandomDropPosition(Worm.Width, Worm.Height));
    Worm.State = "None";
    SetPicture(Worm, "a_worm.bmp");
  });
}

void Properties_Scenery() {
  rt::Trap("Animations/Properties_Scenery", [] {
    // The holders are built whether or not their pictures exist: no file check.
    Palette.ImageFile = "a_palette.bmp";
    Foreground.Width = 784;
    Foreground.Height = 247;
    Foreground.ImageFile = "a_foreground0.bmp";
    Background.Width = 640;
    Background.Height = 480;
    Background.ImageFile = "a_background" + rt::Digits(Background.Choice) + ".bmp";

    for (const Centrepiece& c : kCentrepieces) {
      Sprite& s = *c.rec;
      SetCellsAndFrame(s, c.width, c.height, c.frames, 0);
      s.X = CentreAnchoredX(-s.Width / 2 + c.lift);
      s.Y = ScreenHeight - c.raise - s.Height;
      if (c.frame_step != 0) s.FrameStep = c.frame_step;
      SetPicture(s, c.image_file);
    }
  });
}

void Properties_Preview() {
  rt::Trap("Animations/Properties_Preview", [] {
    struct PreviewPicture {
      Sprite* rec;
      const char* image_file;
    };
    const PreviewPicture previews[] = {{&ScenePreview, "a_previewscenery.bmp"},
                                       {&PredatorPreview, "a_previewother.bmp"},
                                       {&FishPreview, "a_previewother.bmp"},
                                       {&OtherPreview, "a_previewother.bmp"}};
    for (const PreviewPicture& p : previews) {
      SetCellsAndFrame(*p.rec, 197, 167, 1, 0);
      p.rec->X = 0;
      p.rec->Y = 0;
      p.rec->ImageFile = p.image_file;
    }
  });
}
