// X_GetData (module Starter): the user's settings, read once at start-up from "quorvane.ini".
// Without a positive "firstrun" the file is not trusted and the defaults below apply; with it,
// every key is read and a missing key simply stays 0, off or empty.
#include <string>
#include <vector>

#include "host/starter.h"
#include "host/system.h"
#include "runtime/conversions.h"
#include "runtime/product.h"
#include "sprites/animations.h"

namespace {

std::string Read(const std::string& key) {
  return GetIniData(product::kSettingsFile, product::kSettingsSection, key);
}

// A flag key only ever switches its flag on.
void TurnOnWhenPositive(rt::Integer& flag, const std::string& key) {
  if (rt::Val(Read(key)) > 0) flag = rt::kTrue;
}

rt::Integer RoundedNumber(const std::string& key) {
  return rt::CInt(rt::Val(Read(key)));
}

struct ItemKey {
  const char* key;
  Sprite* item;  // a group's flag is its element 1's
  bool default_on;
};

// The item keys in the order they are read. Built on first use, once every record exists.
const std::vector<ItemKey>& ItemKeys() {
  static const std::vector<ItemKey> keys = {
      {"shark", &Shark, true},
      {"octopus", &Octopus, true},
      {"whale", &Whale, true},
      {"orca", &Orca, false},
      {"manatee", &Manatee, false},
      {"hammerhead", &HammerHead, true},
      {"tuna", &Tuna, true},
      {"swimmaid", &SwimMaid, true},
      {"tigershark", &TigerShark, false},
      {"dolphin", &Dolphin, false},
      {"emperorfish", &EmperorFish(1), true},
      {"redfish", &RedFish(1), true},
      {"crab", &Crab, true},
      {"clam", &Clams(1), true},
      {"seahorse", &SeaHorse, true},
      {"swimhorse", &SwimHorses(1), true},
      {"jellyfish", &JellyFish, false},
      {"yellowfish", &YellowFish(1), true},
      {"angelfish", &AngelFish(1), true},
      {"bluedevil", &BlueDevils(1), true},
      {"scubadiver", &ScubaDiver, true},
      {"anchor", &Anchor, true},
      {"marinasign", &MarinaSign, false},
      {"eyes", &Eyes, true},
      {"bubble", &BubblesLeft(1), true},
      {"worm", &Worm, true},
      {"mofiasnitch", &MofiaSnitch, false},
      {"diverhead", &DiverHead, false},
      {"pillar", &Pillars(1), true},
      {"bottle", &Bottles(1), false},
  };
  return keys;
}

void SetDefaults() {
  Background.Choice = 4;
  CenterpieceSlot.Choice = 5;
  for (const ItemKey& item : ItemKeys())
    if (item.default_on) item.item->Visible = rt::kTrue;
  FrameInterval = 70;
  SoundOn(0) = rt::kTrue;
}

}  // namespace

void X_GetData() {
  rt::Trap("Starter/X_GetData", [] {
    if (!(rt::Val(Read("firstrun")) > 0)) {
      SetDefaults();
      return;
    }
    Background.Choice = RoundedNumber("background");
    CenterpieceSlot.Choice = RoundedNumber("centerpiece");
    for (const ItemKey& item : ItemKeys()) TurnOnWhenPositive(item.item->Visible, item.key);
    FrameInterval = RoundedNumber("speed");
    TurnOnWhenPositive(MessageOn, "message");
    MessageText = Read("messagetext");
    for (LoopIndex = 0; LoopIndex <= 5; LoopIndex += 1)
      TurnOnWhenPositive(SongOn(LoopIndex), "song" + rt::Digits(LoopIndex));
    for (LoopIndex = 0; LoopIndex <= 1; LoopIndex += 1)
      TurnOnWhenPositive(SoundOn(LoopIndex), "sound" + rt::Digits(LoopIndex));
    TurnOnWhenPositive(ExitOnMouseMove, "MouseMove");
  });
}
