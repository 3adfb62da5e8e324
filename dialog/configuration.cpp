// The settings dialog: its layout, its loading from the settings values, the option handlers and
// its closing. Form_Load, in this order:
//   1. centre the window; 2. select the three scenery lists (each runs its picker);
//   3. the thirty item boxes from their records; 4. the speed bar; 5. the message option;
//   6. the songs; 7. the sound effects; 8. the mouse-move option; 9. the version;
//   10. the preview surfaces; 11. show the window.
// The dialog only reads the settings values; every way out ends the process through the common
// exit.
#include "dialog/configuration.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "dialog/center_form.h"
#include "dialog/message_entry.h"
#include "host/starter.h"
#include "runtime/errors.h"
#include "runtime/product.h"
#include "sprites/animations.h"
#include "sprites/surfaces.h"

namespace {

// A 17 x 17 pixel preview button and a 17 x 16 speaker, in twips.
constexpr double kButtonSize = 255;
constexpr double kSpeakerHeight = 240;
constexpr int kPreviewPointer = 99;

// "<None>", then the centrepieces by their numbers.
std::vector<const char*> CentrepieceList() {
  std::vector<const char*> entries = {"<None>"};
  for (const Centrepiece& c : Centrepieces()) entries.push_back(c.caption);
  return entries;
}

}  // namespace

ConfigurationForm& Configuration() {
  static ConfigurationForm* const dialog = new ConfigurationForm;  // lives until the process ends
  return *dialog;
}

ConfigurationForm::ItemControls ConfigurationForm::ControlsOf(const CatalogueItem& item) {
  struct Pair {
    const Sprite* record;
    forms::CheckBox& box;
    forms::PictureBox& button;
  };
  const Pair pairs[] = {
      {&Whale, CheckWhale, Picture1},
      {&Orca, CheckOrca, Picture2},
      {&HammerHead, CheckHammerHead, Picture3},
      {&Shark, CheckShark, Picture4},
      {&TigerShark, CheckTigerShark, Picture5},
      {&Manatee, CheckManatee, Picture6},
      {&Octopus, CheckOctopus, Picture7},
      {&Tuna, CheckTuna, Picture8},
      {&SwimMaid, CheckSwimMaid, Picture27},
      {&Dolphin, CheckDolphin, Picture33},
      {&RedFish(1), CheckRedFish, Picture18},
      {&EmperorFish(1), CheckEmperorFish, Picture17},
      {&SwimHorses(1), CheckSwimHorse, Picture16},
      {&YellowFish(1), CheckYellowFish, Picture14},
      {&BlueDevils(1), CheckBlueDevil, Picture22},
      {&Crab, CheckCrab, Picture19},
      {&Clams(1), CheckClam, Picture21},
      {&SeaHorse, CheckSeaHorse, Picture20},
      {&JellyFish, CheckJellyFish, Picture15},
      {&AngelFish(1), CheckAngelFish, Picture23},
      {&ScubaDiver, CheckScubaDiver, Picture26},
      {&Worm, CheckWorm, Picture25},
      {&MofiaSnitch, CheckMofiaSnitch, Picture24},
      {&Pillars(1), CheckPillar, Picture10},
      {&Bottles(1), CheckBottle, Picture9},
      {&BubblesLeft(1), CheckBubbles, Picture28},
      {&Anchor, CheckAnchor, Picture29},
      {&MarinaSign, CheckMarinaSign, Picture30},
      {&Eyes, CheckEyes, Picture31},
      {&DiverHead, CheckDiverHead, Picture32},
  };
  for (const Pair& pair : pairs) {
    if (pair.record == item.record) return {pair.box, pair.button};
  }
  throw std::logic_error("Configuration.ControlsOf: an item without controls");
}

ConfigurationForm::ConfigurationForm() {
  SetCaption(product::kTitle);
  SetBorderStyle(forms::BorderStyle::FixedToolWindow);
  SetScaleMode(forms::ScaleMode::Twip);
  SetClientSize(7575, 3810);

  LayOutTabs();
  LayOutItems();
  LayOutOptions();
  LayOutAbout();

  PreviewPicture.Move(4320, 600, 3015, 2565);
  PreviewPicture.SetBackColor(win::RGB(0, 0, 0));
  PreviewPicture.SetScaleMode(forms::ScaleMode::Pixel);

  Timer1.SetInterval(100);
  Timer1.SetEnabled(true);
  Timer1.OnTimer = [this] { Timer1_Timer(); };

  Command1.Move(480, 3240, 1455, 375);
  Command1.SetCaption("&Cancel");
  Command1.SetToolTipText("Exit Without Saving Changes");
  Command1.OnClick = [this] { Command1_Click(); };
  Command2.Move(2280, 3240, 1455, 375);
  Command2.SetCaption("&Apply");
  Command2.SetToolTipText("Save Changes And Exit");
  Command2.OnClick = [this] { Command2_Click(); };
  Command2.SetTabIndex(0);
}

void ConfigurationForm::LayOutTabs() {
  Tabs.Move(0, 0, 7575, 3810);
  const char* captions[] = {"Scenery", "Large Fish", "Coral Fish", "More...", "Options", "About"};
  for (int tab = 0; tab < 6; ++tab) Tabs.SetTabCaption(tab, captions[tab]);
  Tabs.OnClick = [this](rt::Integer previous_tab) { Tabs_Click(previous_tab); };

  struct SceneryList {
    forms::Frame& frame;
    const char* caption;
    const char* tooltip;
    forms::ComboBox& list;
    std::vector<const char*> items;
    void (ConfigurationForm::*click)();
  };
  const SceneryList lists[] = {
      {Frame7, "CenterPiece", "Select A CenterPiece", CheckCenterPiece, CentrepieceList(),
       &ConfigurationForm::CheckCenterPiece_Click},
      {Frame8,
       "Background",
       "Select A Background Image",
       CheckBackground,
       {"<None>", "ArchWay", "Muddy Waters", "Skull Mountain", "The Reef"},
       &ConfigurationForm::CheckBackground_Click},
      {Frame9,
       "Foreground",
       "Select A Foreground Image",
       CheckForeGround,
       {"Coral Reef"},
       &ConfigurationForm::CheckForeGround_Click},
  };
  double top = 480;
  for (const SceneryList& l : lists) {
    l.frame.Move(120, top, 4080, 855);
    l.frame.SetCaption(l.caption);
    l.frame.SetToolTipText(l.tooltip);
    l.list.Move(240, 360, 3600, 315);
    for (const char* item : l.items) l.list.AddItem(item);
    l.list.OnClick = [this, click = l.click] { (this->*click)(); };
    top += 900;
  }
}

void ConfigurationForm::LayOutItems() {
  forms::Frame* frames[] = {&fraOptions, &Frame4, &Frame6};
  for (forms::Frame* frame : frames) frame->Move(120, 480, 4080, 2655);
  for (const CatalogueItem& item : Catalogue()) {
    auto [box, button] = ControlsOf(item);
    const double left = item.slot < 5 ? 240 : 2160;
    const double top = 360 + (item.slot % 5) * 450;
    box.Move(left, top, 1455, 255);
    box.SetCaption(item.caption);
    box.SetToolTipText(std::string("Include The ") + item.caption);
    button.Move(left + 1500, top, kButtonSize, kButtonSize);
    button.SetBorder(false);
    button.SetPicture(item.icon);
    button.SetMouseIcon("pointer");
    button.SetMousePointer(kPreviewPointer);
    if (*item.tooltip) button.SetToolTipText(item.tooltip);
    button.OnClick = [this, &item] { PickItem(item); };
  }
}

void ConfigurationForm::LayOutOptions() {
  MusicFrame.Move(120, 480, 3840, 1455);
  MusicFrame.SetCaption("Music Selections");
  MusicFrame.SetToolTipText("Select Background Music");
  struct Song {
    int index;
    const char* caption;
  };
  // Row by row, the left column first.
  const Song songs[] = {{0, "Under The Sea"}, {4, "Kokomo"},        {3, "MargaritaVille"},
                        {1, "Jaws"},          {2, "The Boardwalk"}, {5, "The Silence"}};
  for (int place = 0; place < 6; ++place) {
    const int i = songs[place].index;
    const double left = place % 2 == 0 ? 240 : 2010;
    const double top = 360 + (place / 2) * 330;
    songchk[i].Move(left, top, 1440, 255);
    songchk[i].SetCaption(songs[place].caption);
    speaker[i].Move(left + 1470, top, kButtonSize, kSpeakerHeight);
    speaker[i].SetBorder(false);
    speaker[i].SetPicture("speaker");
    speaker[i].OnClick = [this, i] { speaker_Click(i); };
  }

  Frame3.Move(120, 2040, 3840, 1095);
  Frame3.SetCaption("Sound FX");
  Frame3.SetToolTipText("Select A Sound Type");
  const char* effects[] = {"Bubbles", "Whale Call"};
  for (int i = 0; i < 2; ++i) {
    const double left = i == 0 ? 240 : 2010;
    soundchk[i].Move(left, 480, 1440, 255);
    soundchk[i].SetCaption(effects[i]);
    speakerfx[i].Move(left + 1470, 480, kButtonSize, kSpeakerHeight);
    speakerfx[i].SetBorder(false);
    speakerfx[i].SetPicture("speaker");
    speakerfx[i].OnClick = [this, i] { speakerfx_Click(i); };
  }

  Frame1.Move(4080, 480, 3375, 1455);
  Frame1.SetCaption("Other Options");
  MouseMoveCheck.Move(240, 360, 3000, 255);
  MouseMoveCheck.SetCaption("Turn Off On Mouse Move");
  messagecheck.Move(240, 840, 1800, 255);
  messagecheck.SetCaption("Text Message");
  messagecheck.SetToolTipText("Include A Personalized Message On-Screen");
  messagecheck.OnClick = [this] { messagecheck_Click(); };
  changebutton.Move(2040, 780, 1095, 375);
  changebutton.SetCaption("Change");
  changebutton.SetToolTipText("Change Personalized Message");
  changebutton.SetEnabled(false);
  changebutton.OnClick = [this] { changebutton_Click(); };

  Frame2.Move(4080, 2040, 3375, 1095);
  Frame2.SetCaption("Speed Option");
  Frame2.SetToolTipText("Select Animation Speed");
  speedchk.Move(180, 360, 3015, 255);
  speedchk.SetMin(0);
  speedchk.SetMax(140);
  speedchk.SetSmallChange(1);
  speedchk.SetLargeChange(10);
  Label3.Move(180, 720, 1000, 255);
  Label3.SetCaption("Slow");
  Label1.Move(1187, 720, 1000, 255);
  Label1.SetAlignment(forms::Alignment::Center);
  Label1.SetCaption("Normal");
  Label2.Move(2195, 720, 1000, 255);
  Label2.SetAlignment(forms::Alignment::RightJustify);
  Label2.SetCaption("Fast");
}

void ConfigurationForm::LayOutAbout() {
  Picture34.Move(240, 600, 3015, 990);
  Picture34.SetBorder(false);
  Picture34.SetPicture("banner");
  Picture34.OnClick = [this] { Picture34_Click(); };

  Frame10.Move(3480, 480, 3975, 2655);
  Frame10.SetCaption(product::kTitle);
  Picture11.Move(240, 360, 2160, 240);
  Picture11.SetBorder(false);
  Picture11.SetPicture("logo");
  Picture11.OnClick = [this] { Picture11_Click(); };
  struct Line {
    forms::Label& label;
    double top, height;
    const char* caption;
  };
  const Line lines[] = {
      {Label9, 720, 255, product::kTitle},
      {VersionLabel, 960, 255, "Version ???"},
      {Label13, 1200, 255, "Release Date: 10/30/03"},
      {RightsLabel, 1500, 435, "Copyright Solmere Finbrook. All rights reserved."},
      {WarningLabel, 1980, 615,
       "This program is protected by copyright law. Copying or giving it away without "
       "permission is not allowed."},
  };
  for (const Line& line : lines) {
    line.label.Move(240, line.top, 3495, line.height);
    line.label.SetWordWrap(true);
    line.label.SetCaption(line.caption);
  }
}

void ConfigurationForm::Form_Load() {
  rt::Trap("Configuration/Form_Load", [this] {
    CenterForm(*this);

    CheckForeGround.SetListIndex(0);
    CheckBackground.SetListIndex(Background.Choice);
    CheckCenterPiece.SetListIndex(CenterpieceSlot.Choice);

    // Kept as it always was: only the stored true (-1) counts as on.
    for (const CatalogueItem& item : Catalogue()) {
      forms::CheckBox& box = ControlsOf(item).box;
      if (item.record->Visible == rt::kTrue && item.record->Installed == rt::kTrue) box.SetValue(1);
      if (item.record->Installed == 0) box.SetEnabled(false);
    }

    speedchk.SetValue(speedchk.Max() - FrameInterval);

    if (MessageOn == rt::kTrue) {
      messagecheck.SetValue(1);
      changebutton.SetEnabled(true);
    }
    for (int i = 0; i <= 5; ++i) {
      if (SongOn(i) == rt::kTrue) songchk[i].SetValue(1);
    }
    for (int i = 0; i <= 1; ++i) {
      if (SoundOn(i) == rt::kTrue) soundchk[i].SetValue(1);
    }
    if (ExitOnMouseMove == rt::kTrue) MouseMoveCheck.SetValue(1);

    VersionLabel.SetCaption(std::string("Version ") + product::kVersion);

    // Kept as it always was: the introductory pictures replace the scenery lists' picks above,
    // so the pane first shows those, whatever is selected.
    GenerateDC(Palette);
    GenerateColorDC();
    Properties_Preview();
    for (int tab = 0; tab <= 3; ++tab) GenerateDC(TabPreview(tab));

    Show();
  });
}

void ConfigurationForm::Command1_Click() {
  Unload();
}

void ConfigurationForm::Form_Unload(rt::Integer& /*cancel*/) {
  X_Cleanup_And_End();
}

void ConfigurationForm::messagecheck_Click() {
  changebutton.SetEnabled(messagecheck.Value() == 1);
}

// Kept as it always was: the context spells the button's name in other capitals.
void ConfigurationForm::changebutton_Click() {
  rt::Trap("Configuration/ChangeButton_Click", [this] {
    messageentry().Show();
    Hide();
  });
}
