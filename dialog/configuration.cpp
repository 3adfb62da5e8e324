// The settings dialog: its layout, its loading from the settings values, the option handlers and
// its closing. Form_Load, in this order:
//   1. centre the window; 2. select the three scenery lists (each runs its picker);
//   3. the thirty item boxes from their records; 4. the speed bar; 5. the message option;
//   6. the songs; 7. the sound effects; 8. the mouse-move option; 9. the version;
//   10. the preview surfaces; 11. show the window.
// The dialog only reads the settings values; every way out ends the process through the common
// exit.
#include "dialog/configuration.h"

#include "dialog/center_form.h"
#include "dialog/message_entry.h"
#include "host/starter.h"
#include "runtime/errors.h"
#include "runtime/product.h"
#include "sprites/animations.h"
#include "sprites/surfaces.h"

namespace {

ConfigurationForm* the_dialog = nullptr;

// A 17 x 17 pixel preview button and a 17 x 16 speaker, in twips.
constexpr double kButtonSize = 255;
constexpr double kSpeakerHeight = 240;
constexpr int kPreviewPointer = 99;

}  // namespace

ConfigurationForm& Configuration() {
  if (!the_dialog) the_dialog = new ConfigurationForm;  // lives until the process ends
  return *the_dialog;
}

std::vector<ConfigurationForm::ItemControl> ConfigurationForm::ItemControls() {
  return {{"shark", &CheckShark, &Picture4, &Shark},
          {"octopus", &CheckOctopus, &Picture7, &Octopus},
          {"whale", &CheckWhale, &Picture1, &Whale},
          {"orca", &CheckOrca, &Picture2, &Orca},
          {"manatee", &CheckManatee, &Picture6, &Manatee},
          {"hammerhead", &CheckHammerHead, &Picture3, &HammerHead},
          {"tuna", &CheckTuna, &Picture8, &Tuna},
          {"swimmaid", &CheckSwimMaid, &Picture27, &SwimMaid},
          {"tigershark", &CheckTigerShark, &Picture5, &TigerShark},
          {"Dolphin", &CheckDolphin, &Picture33, &Dolphin},
          {"emperorfish", &CheckEmperorFish, &Picture17, &EmperorFish(1)},
          {"redfish", &CheckRedFish, &Picture18, &RedFish(1)},
          {"crab", &CheckCrab, &Picture19, &Crab},
          {"clam", &CheckClam, &Picture21, &Clams(1)},
          {"seahorse", &CheckSeaHorse, &Picture20, &SeaHorse},
          {"swimhorse", &CheckSwimHorse, &Picture16, &SwimHorses(1)},
          {"jellyfish", &CheckJellyFish, &Picture15, &JellyFish},
          {"yellowfish", &CheckYellowFish, &Picture14, &YellowFish(1)},
          {"angelfish", &CheckAngelFish, &Picture23, &AngelFish(1)},
          {"bluedevil", &CheckBlueDevil, &Picture22, &BlueDevils(1)},
          {"scubadiver", &CheckScubaDiver, &Picture26, &ScubaDiver},
          {"anchor", &CheckAnchor, &Picture29, &Anchor},
          {"marinasign", &CheckMarinaSign, &Picture30, &MarinaSign},
          {"eyes", &CheckEyes, &Picture31, &Eyes},
          {"bubble", &CheckBubbles, &Picture28, &BubblesLeft(1)},
          {"worm", &CheckWorm, &Picture25, &Worm},
          {"mofiasnitch", &CheckMofiaSnitch, &Picture24, &MofiaSnitch},
          {"diverhead", &CheckDiverHead, &Picture32, &DiverHead},
          {"pillar", &CheckPillar, &Picture10, &Pillars(1)},
          {"bottle", &CheckBottle, &Picture9, &Bottles(1)}};
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
      {Frame7,
       "CenterPiece",
       "Select A CenterPiece",
       CheckCenterPiece,
       {"<None>", "Confused Diver", "Evil Relic", "Friendly LifeGuard", "Pudgy Vacationer",
        "Relaxed Mermaid", "Rub-A-Dub-Dub", "TimePiece", "Treasure Chest"},
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
  struct ItemLayout {
    forms::CheckBox& box;
    forms::PictureBox& button;
    const char* caption;
    const char* button_tooltip;  // null: none
    const char* icon;
    void (ConfigurationForm::*click)();
  };
  using C = ConfigurationForm;
  // Each tab: the left column's five rows, then the right column's.
  const ItemLayout tabs[3][10] = {
      {{CheckWhale, Picture1, "Sperm Whale", "Preview Sperm Whale", "icon_whale",
        &C::Picture1_Click},
       {CheckOrca, Picture2, "Orca", "Preview Orca", "icon_orca", &C::Picture2_Click},
       {CheckHammerHead, Picture3, "HammerHead", "Preview HammerHead", "icon_hammerhead",
        &C::Picture3_Click},
       {CheckShark, Picture4, "Blue Shark", "Preview Blue Shark", "icon_shark", &C::Picture4_Click},
       {CheckTigerShark, Picture5, "Tiger Shark", "Preview Great White", "icon_tigershark",
        &C::Picture5_Click},
       {CheckManatee, Picture6, "Manatee", "Preview Manatee", "icon_manatee", &C::Picture6_Click},
       {CheckOctopus, Picture7, "Octopus", "Preview Octopus", "icon_octopus", &C::Picture7_Click},
       {CheckTuna, Picture8, "Tuna", "Preview Tuna", "icon_tuna", &C::Picture8_Click},
       {CheckSwimMaid, Picture27, "Mermaid", "Preview Mermaid", "icon_swimmaid",
        &C::Picture27_Click},
       {CheckDolphin, Picture33, "Dolphin", nullptr, "icon_dolphin", &C::Picture33_Click}},
      {{CheckRedFish, Picture18, "Red Beta", "Preview Red Fish", "icon_redfish",
        &C::Picture18_Click},
       {CheckEmperorFish, Picture17, "Emperor Fish", "Preview Emperor Fish", "icon_emperorfish",
        &C::Picture17_Click},
       {CheckSwimHorse, Picture16, "Sea Horses", "Preview Sea Horses", "icon_swimhorses",
        &C::Picture16_Click},
       {CheckYellowFish, Picture14, "Yellow Tang", "Preview Yellow Fish", "icon_yellowfish",
        &C::Picture14_Click},
       {CheckBlueDevil, Picture22, "Blue Damsel", nullptr, "icon_bluedevils", &C::Picture22_Click},
       {CheckCrab, Picture19, "Crab", "Preview Crab", "icon_crab", &C::Picture19_Click},
       {CheckClam, Picture21, "Giant Clams", "Preview Giant Clams", "icon_clams",
        &C::Picture21_Click},
       {CheckSeaHorse, Picture20, "Lone Horse", "Preview Lone Horse", "icon_seahorse",
        &C::Picture20_Click},
       {CheckJellyFish, Picture15, "Jelly Fish", "Preview Blow Fish", "icon_jellyfish",
        &C::Picture15_Click},
       {CheckAngelFish, Picture23, "Angel Fish", nullptr, "icon_angelfish", &C::Picture23_Click}},
      {{CheckScubaDiver, Picture26, "Scuba Diver", "Preview Scuba Diver", "icon_scubadiver",
        &C::Picture26_Click},
       {CheckWorm, Picture25, "Hooked Worm", "Preview Hooked Worm", "icon_worm",
        &C::Picture25_Click},
       {CheckMofiaSnitch, Picture24, "Mafia Snitch", "Preview Mofia Snitch", "icon_mofiasnitch",
        &C::Picture24_Click},
       {CheckPillar, Picture10, "Pillars", "Preview Pillars", "icon_pillars", &C::Picture10_Click},
       {CheckBottle, Picture9, "Falling Bottles", "Preview Falling Bottles", "icon_bottles",
        &C::Picture9_Click},
       {CheckBubbles, Picture28, "Bubbles", "Preview Bubbles", "icon_bubbles", &C::Picture28_Click},
       {CheckAnchor, Picture29, "Anchor", "Preview Anchor", "icon_anchor", &C::Picture29_Click},
       {CheckMarinaSign, Picture30, "Fishing Sign", "Preview Fishing Sign", "icon_marinasign",
        &C::Picture30_Click},
       {CheckEyes, Picture31, "Evil Eyes", "Preview Evil Eyes", "icon_eyes", &C::Picture31_Click},
       {CheckDiverHead, Picture32, "Diver Head", "Preview Diver Head", "icon_diverhead",
        &C::Picture32_Click}},
  };
  forms::Frame* frames[] = {&fraOptions, &Frame4, &Frame6};
  for (int tab = 0; tab < 3; ++tab) {
    frames[tab]->Move(120, 480, 4080, 2655);
    for (int i = 0; i < 10; ++i) {
      const ItemLayout& item = tabs[tab][i];
      const double left = i < 5 ? 240 : 2160;
      const double top = 360 + (i % 5) * 450;
      item.box.Move(left, top, 1455, 255);
      item.box.SetCaption(item.caption);
      item.box.SetToolTipText(std::string("Include The ") + item.caption);
      item.button.Move(left + 1500, top, kButtonSize, kButtonSize);
      item.button.SetBorder(false);
      item.button.SetPicture(item.icon);
      item.button.SetMouseIcon("pointer");
      item.button.SetMousePointer(kPreviewPointer);
      if (item.button_tooltip) item.button.SetToolTipText(item.button_tooltip);
      item.button.OnClick = [this, click = item.click] { (this->*click)(); };
    }
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

    for (const ItemControl& c : ItemControls()) {
      if (c.item->Visible == rt::kTrue && c.item->Installed == rt::kTrue) c.box->SetValue(1);
      if (c.item->Installed == 0) c.box->SetEnabled(false);
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

    // The scenery lists' picks above are replaced by the introductory pictures: the pane first
    // shows those, whatever is selected.
    GenerateDC(Palette);
    GenerateColorDC();
    Properties_Preview();
    GenerateDC(ScenePreview);
    GenerateDC(PredatorPreview);
    GenerateDC(FishPreview);
    GenerateDC(OtherPreview);

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

void ConfigurationForm::changebutton_Click() {
  rt::Trap("Configuration/ChangeButton_Click", [this] {
    messageentry().Show();
    Hide();
  });
}
