// X_GetData (module Starter): the user's settings, read once at start-up from "quorvane.ini".
// Without a positive "firstrun" the file is not trusted and the defaults below apply; with it,
// every key is read and a missing key simply stays 0, off or empty.
#include <string>

#include "host/starter.h"
#include "host/system.h"
#include "runtime/conversions.h"
#include "runtime/product.h"
#include "sprites/animations.h"
#include "sprites/catalogue.h"

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

void SetDefaults() {
  Background.Choice = 4;
  CenterpieceSlot.Choice = 5;
  for (const CatalogueItem& item : Catalogue())
    if (item.default_on) item.record->Visible = rt::kTrue;
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
    for (const CatalogueItem& item : Catalogue())
      TurnOnWhenPositive(item.record->Visible, item.key);
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
