// "&Apply": every control's state goes to the settings file, in a fixed order, and the dialog
// closes, which ends the process. The values in memory stay as start-up read them. A write that
// fails stops the rest: the user is told why, and the dialog stays open with their choices, so
// that they can mend the cause and apply again, or cancel.
#include <string>
#include <utility>
#include <vector>

#include "dialog/configuration.h"
#include "host/system.h"
#include "platform/kernel32.h"
#include "platform/profile.h"
#include "runtime/conversions.h"
#include "runtime/product.h"
#include "sprites/animations.h"
#include "sprites/catalogue.h"

void ShowSaveFailure(const std::string& what) {
  forms::MsgBox("The " + what + " could not be saved.\n\n" +
                    win::ProfileHostPath(product::kSettingsFile) + ": " + win::LastErrorText(),
                product::kTitle);
}

std::vector<const Sprite*> ItemsInSavingOrder() {
  return {&Whale,          &Orca,           &HammerHead,    &Shark,        &Manatee,
          &Octopus,        &Tuna,           &SwimMaid,      &TigerShark,   &Dolphin,
          &RedFish(1),     &EmperorFish(1), &SwimHorses(1), &JellyFish,    &YellowFish(1),
          &Crab,           &Clams(1),       &SeaHorse,      &AngelFish(1), &BlueDevils(1),
          &ScubaDiver,     &Worm,           &MofiaSnitch,   &Pillars(1),   &Bottles(1),
          &BubblesLeft(1), &Anchor,         &MarinaSign,    &Eyes,         &DiverHead};
}

void ConfigurationForm::Command2_Click() {
  std::vector<std::pair<std::string, std::string>> values;
  auto put = [&values](const std::string& key, const std::string& value) {
    values.emplace_back(key, value);
  };
  put("firstrun", "1");
  put("centerpiece", rt::Str(CheckCenterPiece.ListIndex()));
  put("background", rt::Str(CheckBackground.ListIndex()));
  // Kept as it always was: "foreground" is written though nothing reads it.
  put("foreground", rt::Str(CheckForeGround.ListIndex()));

  for (const Sprite* rec : ItemsInSavingOrder()) {
    const CatalogueItem& item = CatalogueEntry(*rec);
    put(item.WrittenKey(), rt::Str(ControlsOf(item).box.Value()));
  }

  // The bar's fast end would be an interval of 0, which stops the saver's frame timer.
  if (speedchk.Value() == speedchk.Max()) {
    put("speed", "1");
  } else {
    put("speed", rt::Str(speedchk.Max() - speedchk.Value()));
  }
  for (int i = 0; i <= 5; ++i) put("song" + rt::Digits(i), rt::Str(songchk[i].Value()));
  for (int i = 0; i <= 1; ++i) put("sound" + rt::Digits(i), rt::Str(soundchk[i].Value()));
  put("message", rt::Str(messagecheck.Value()));
  put("MouseMove", rt::Str(MouseMoveCheck.Value()));

  for (const auto& [key, value] : values) {
    if (!PutIniData(product::kSettingsFile, product::kSettingsSection, key, value)) {
      ShowSaveFailure("settings");
      return;
    }
  }
  Unload();
}
