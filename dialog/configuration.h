// The settings dialog Configuration: six tabs of settings, a live preview pane beside the first
// four, auditions of the songs and sound effects, and the two ways out (Apply and Cancel).
#pragma once

#include <array>
#include <string>

#include "platform/forms.h"
#include "runtime/checked.h"
#include "sprites/catalogue.h"
#include "sprites/sprite.h"

class ConfigurationForm : public forms::Form {
 public:
  ConfigurationForm();

  forms::SSTab Tabs{*this, 6};

  // ---- Tab 0 "Scenery" ----
  forms::Frame Frame7{Tabs.Page(0)};
  forms::ComboBox CheckCenterPiece{Frame7};
  forms::Frame Frame8{Tabs.Page(0)};
  forms::ComboBox CheckBackground{Frame8};
  forms::Frame Frame9{Tabs.Page(0)};
  forms::ComboBox CheckForeGround{Frame9};

  // ---- Tab 1 "Large Fish" ----
  // Each item's check box and its preview button, the left column first.
  // clang-format off
  forms::Frame fraOptions{Tabs.Page(1)};
  forms::CheckBox CheckWhale{fraOptions};             forms::PictureBox Picture1{fraOptions};
  forms::CheckBox CheckOrca{fraOptions};              forms::PictureBox Picture2{fraOptions};
  forms::CheckBox CheckHammerHead{fraOptions};        forms::PictureBox Picture3{fraOptions};
  forms::CheckBox CheckShark{fraOptions};             forms::PictureBox Picture4{fraOptions};
  forms::CheckBox CheckTigerShark{fraOptions};        forms::PictureBox Picture5{fraOptions};
  forms::CheckBox CheckManatee{fraOptions};           forms::PictureBox Picture6{fraOptions};
  forms::CheckBox CheckOctopus{fraOptions};           forms::PictureBox Picture7{fraOptions};
  forms::CheckBox CheckTuna{fraOptions};              forms::PictureBox Picture8{fraOptions};
  forms::CheckBox CheckSwimMaid{fraOptions};          forms::PictureBox Picture27{fraOptions};
  forms::CheckBox CheckDolphin{fraOptions};           forms::PictureBox Picture33{fraOptions};

  // ---- Tab 2 "Coral Fish" ----
  forms::Frame Frame4{Tabs.Page(2)};
  forms::CheckBox CheckRedFish{Frame4};               forms::PictureBox Picture18{Frame4};
  forms::CheckBox CheckEmperorFish{Frame4};           forms::PictureBox Picture17{Frame4};
  forms::CheckBox CheckSwimHorse{Frame4};             forms::PictureBox Picture16{Frame4};
  forms::CheckBox CheckYellowFish{Frame4};            forms::PictureBox Picture14{Frame4};
  forms::CheckBox CheckBlueDevil{Frame4};             forms::PictureBox Picture22{Frame4};
  forms::CheckBox CheckCrab{Frame4};                  forms::PictureBox Picture19{Frame4};
  forms::CheckBox CheckClam{Frame4};                  forms::PictureBox Picture21{Frame4};
  forms::CheckBox CheckSeaHorse{Frame4};              forms::PictureBox Picture20{Frame4};
  forms::CheckBox CheckJellyFish{Frame4};             forms::PictureBox Picture15{Frame4};
  forms::CheckBox CheckAngelFish{Frame4};             forms::PictureBox Picture23{Frame4};

  // ---- Tab 3 "More..." ----
  forms::Frame Frame6{Tabs.Page(3)};
  forms::CheckBox CheckScubaDiver{Frame6};            forms::PictureBox Picture26{Frame6};
  forms::CheckBox CheckWorm{Frame6};                  forms::PictureBox Picture25{Frame6};
  forms::CheckBox CheckMofiaSnitch{Frame6};           forms::PictureBox Picture24{Frame6};
  forms::CheckBox CheckPillar{Frame6};                forms::PictureBox Picture10{Frame6};
  forms::CheckBox CheckBottle{Frame6};                forms::PictureBox Picture9{Frame6};
  forms::CheckBox CheckBubbles{Frame6};               forms::PictureBox Picture28{Frame6};
  forms::CheckBox CheckAnchor{Frame6};                forms::PictureBox Picture29{Frame6};
  forms::CheckBox CheckMarinaSign{Frame6};            forms::PictureBox Picture30{Frame6};
  forms::CheckBox CheckEyes{Frame6};                  forms::PictureBox Picture31{Frame6};
  forms::CheckBox CheckDiverHead{Frame6};             forms::PictureBox Picture32{Frame6};
  // clang-format on

  // ---- Tab 4 "Options" ----
  forms::Frame MusicFrame{Tabs.Page(4)};
  std::array<forms::CheckBox, 6> songchk{forms::CheckBox(MusicFrame), forms::CheckBox(MusicFrame),
                                         forms::CheckBox(MusicFrame), forms::CheckBox(MusicFrame),
                                         forms::CheckBox(MusicFrame), forms::CheckBox(MusicFrame)};
  std::array<forms::PictureBox, 6> speaker{
      forms::PictureBox(MusicFrame), forms::PictureBox(MusicFrame), forms::PictureBox(MusicFrame),
      forms::PictureBox(MusicFrame), forms::PictureBox(MusicFrame), forms::PictureBox(MusicFrame)};
  forms::Frame Frame3{Tabs.Page(4)};
  std::array<forms::CheckBox, 2> soundchk{forms::CheckBox(Frame3), forms::CheckBox(Frame3)};
  std::array<forms::PictureBox, 2> speakerfx{forms::PictureBox(Frame3), forms::PictureBox(Frame3)};
  forms::Frame Frame1{Tabs.Page(4)};
  forms::CheckBox MouseMoveCheck{Frame1};
  forms::CheckBox messagecheck{Frame1};
  forms::CommandButton changebutton{Frame1};
  forms::Frame Frame2{Tabs.Page(4)};
  forms::HScrollBar speedchk{Frame2};
  forms::Label Label3{Frame2};
  forms::Label Label1{Frame2};
  forms::Label Label2{Frame2};

  // ---- Tab 5 "About" ----
  forms::PictureBox Picture34{Tabs.Page(5)};
  forms::Frame Frame10{Tabs.Page(5)};
  forms::PictureBox Picture11{Frame10};
  forms::Label Label9{Frame10};
  forms::Label VersionLabel{Frame10};
  forms::Label Label13{Frame10};
  forms::Label RightsLabel{Frame10};
  forms::Label WarningLabel{Frame10};

  // ---- Over the tabs ----
  forms::PictureBox PreviewPicture{*this};
  forms::Timer Timer1{*this};
  forms::CommandButton Command1{*this};
  forms::CommandButton Command2{*this};

  // The check box and the preview button that show an item of the catalogue.
  struct ItemControls {
    forms::CheckBox& box;
    forms::PictureBox& button;
  };
  ItemControls ControlsOf(const CatalogueItem& item);

  // Loading, closing and the options (configuration.cpp)
  void Command1_Click();
  void messagecheck_Click();
  void changebutton_Click();
  // Saving (save_settings.cpp)
  void Command2_Click();
  // The preview pane (preview_pane.cpp)
  void Timer1_Timer();
  void Tabs_Click(rt::Integer previous_tab);
  // The dialog's own counter rule; it needs no dialog, so tests step the counters with it.
  static void RunTicker();
  void RunScenery();
  void RunPredators();
  void RunFish();
  void RunOther();
  // The pickers (pickers.cpp)
  void CheckBackground_Click();
  void CheckCenterPiece_Click();
  void CheckForeGround_Click();
  // The one handler of the thirty preview buttons, given the button's item.
  void PickItem(const CatalogueItem& item);
  void Picture11_Click();
  void Picture34_Click();
  // The auditions (auditions.cpp)
  void speaker_Click(rt::Integer Index);
  void speakerfx_Click(rt::Integer Index);

 protected:
  void Form_Load() override;
  void Form_Unload(rt::Integer& cancel) override;

 private:
  void LayOutTabs();
  void LayOutItems();
  void LayOutOptions();
  void LayOutAbout();
  // Centres a record in the pane, as the pane's routines and the centrepiece picker do.
  void CentreInPane(Sprite& rec);
  // Places bubbles 1 to 25 of the left column in the pane, the second half turned round.
  void ScatterBubbles();
  // The steps of the compose routine of a tab 0 to 3.
  void ComposeTab(int tab);
  void ClearPane();
  void ShowPane();
};

// The one settings dialog of the process, created on first reference.
ConfigurationForm& Configuration();

// Tells the user that what ("settings", "message") could not be written to the settings file,
// naming the file and the system's reason for the last failed write.
void ShowSaveFailure(const std::string& what);
// The items' records in the order Apply writes their boxes, an order of their own.
std::vector<const Sprite*> ItemsInSavingOrder();

// The maker's web site, which the About tab's pictures open.
inline constexpr char kMakerSite[] = "https://www.solmere-finbrook.example";
