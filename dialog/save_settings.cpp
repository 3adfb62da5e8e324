// "&Apply": every control's state goes to the settings file, in a fixed order, and the dialog
// closes, which ends the process. The values in memory stay as start-up read them.
#include <string>

#include "dialog/configuration.h"
#include "host/system.h"
#include "runtime/conversions.h"

namespace {

void Put(const std::string& key, const std::string& value) {
  PutIniData("quorvane.ini", "Solmere Finbrook", key, value);
}

}  // namespace

void ConfigurationForm::Command2_Click() {
  Put("firstrun", "1");
  Put("centerpiece", rt::Str(CheckCenterPiece.ListIndex()));
  Put("background", rt::Str(CheckBackground.ListIndex()));
  Put("foreground", rt::Str(CheckForeGround.ListIndex()));

  const char* item_keys[] = {"whale",      "orca",        "hammerhead",  "shark",      "manatee",
                             "octopus",    "tuna",        "swimmaid",    "tigershark", "Dolphin",
                             "redfish",    "emperorfish", "swimhorse",   "jellyfish",  "yellowfish",
                             "crab",       "clam",        "seahorse",    "angelfish",  "bluedevil",
                             "scubadiver", "worm",        "mofiasnitch", "pillar",     "bottle",
                             "bubble",     "anchor",      "marinasign",  "eyes",       "diverhead"};
  const std::vector<ItemControl> items = ItemControls();
  for (const std::string key : item_keys) {
    for (const ItemControl& c : items) {
      if (c.key == key) Put(key, rt::Str(c.box->Value()));
    }
  }

  // The bar's fast end would be an interval of 0, which stops the saver's frame timer.
  if (speedchk.Value() == speedchk.Max()) {
    Put("speed", "1");
  } else {
    Put("speed", rt::Str(speedchk.Max() - speedchk.Value()));
  }
  for (int i = 0; i <= 5; ++i) Put("song" + rt::Digits(i), rt::Str(songchk[i].Value()));
  for (int i = 0; i <= 1; ++i) Put("sound" + rt::Digits(i), rt::Str(soundchk[i].Value()));
  Put("message", rt::Str(messagecheck.Value()));
  Put("MouseMove", rt::Str(MouseMoveCheck.Value()));

  Unload();
}
