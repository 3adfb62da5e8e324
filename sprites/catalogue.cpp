// The rows of the catalogue. Adding an item is one row here plus its picture (its record, its
// property table's block, its sheet and its button's icon) and its two controls on the settings
// dialog's form, then its place in each order that it joins: the writing of the settings, the
// saver's drawing and building, and the release at exit.
#include "sprites/catalogue.h"

#include <array>
#include <stdexcept>

#include "sprites/animations.h"

std::vector<Sprite*> CatalogueItem::Sheets() const {
  if (second_sheet) return {record, second_sheet};
  return {record};
}

const std::vector<CatalogueItem>& Catalogue() {
  constexpr bool on = true, off = false;
  rt::Integer* const none = nullptr;
  rt::Integer* const short_tick = &ShortTick;
  rt::Integer* const tick_count = &TickCount;
  // clang-format off
  static const std::vector<CatalogueItem> items = {
      // record, key, default, tab, slot, caption, button tooltip ("" none),
      //     icon, picture, pane routine, counter a pick restarts[, second sheet, written key]
      {&Shark, "shark", on, 1, 3, "Blue Shark", "Preview Blue Shark",
          "icon_shark", "a_shark.bmp", Anim_Still_Loop, none},
      {&Octopus, "octopus", on, 1, 6, "Octopus", "Preview Octopus",
          "icon_octopus", "a_octopus.bmp", Anim_Still_Loop, none},
      {&Whale, "whale", on, 1, 0, "Sperm Whale", "Preview Sperm Whale",
          "icon_whale", "a_whale.bmp", Anim_Still_Loop, none},
      {&Orca, "orca", off, 1, 1, "Orca", "Preview Orca",
          "icon_orca", "a_orca.bmp", Anim_Still_Loop, none},
      {&Manatee, "manatee", off, 1, 5, "Manatee", "Preview Manatee",
          "icon_manatee", "a_manatee.bmp", Anim_Still_Loop, none},
      {&HammerHead, "hammerhead", on, 1, 2, "HammerHead", "Preview HammerHead",
          "icon_hammerhead", "a_hammerhead.bmp", Anim_Still_Loop, none},
      {&Tuna, "tuna", on, 1, 7, "Tuna", "Preview Tuna",
          "icon_tuna", "a_tuna.bmp", Anim_Still_Loop, none},
      {&SwimMaid, "swimmaid", on, 1, 8, "Mermaid", "Preview Mermaid",
          "icon_swimmaid", "a_swimmaid.bmp", Anim_Still_Loop, none},
      // Kept as it always was: the tiger shark's button names another shark.
      {&TigerShark, "tigershark", off, 1, 4, "Tiger Shark", "Preview Great White",
          "icon_tigershark", "a_tigershark.bmp", Anim_Still_Loop, none},
      // Kept as it always was: read as "dolphin", written as "Dolphin" (keys meet whatever
      // their case), and no tooltip on its button.
      {&Dolphin, "dolphin", off, 1, 9, "Dolphin", "",
          "icon_dolphin", "a_Dolphin.bmp", Anim_Still_Loop, none, nullptr, "Dolphin"},
      {&EmperorFish(1), "emperorfish", on, 2, 1, "Emperor Fish", "Preview Emperor Fish",
          "icon_emperorfish", "a_emperorfish.bmp", Anim_Preview_School, none},
      {&RedFish(1), "redfish", on, 2, 0, "Red Beta", "Preview Red Fish",
          "icon_redfish", "a_redfish.bmp", Anim_Preview_School, none},
      {&Crab, "crab", on, 2, 5, "Crab", "Preview Crab",
          "icon_crab", "a_crab.bmp", Anim_Preview_DelayedReverse, short_tick},
      {&Clams(1), "clam", on, 2, 6, "Giant Clams", "Preview Giant Clams",
          "icon_clams", "a_clam.bmp", Anim_Preview_DelayedReverse, short_tick},
      {&SeaHorse, "seahorse", on, 2, 7, "Lone Horse", "Preview Lone Horse",
          "icon_seahorse", "a_seahorse.bmp", Anim_Still_Loop, none},
      {&SwimHorses(1), "swimhorse", on, 2, 2, "Sea Horses", "Preview Sea Horses",
          "icon_swimhorses", "a_swimhorse.bmp", Anim_Preview_School, none},
      // Kept as it always was: the jellyfish's button names another fish.
      {&JellyFish, "jellyfish", off, 2, 8, "Jelly Fish", "Preview Blow Fish",
          "icon_jellyfish", "a_jellyfish.bmp", Anim_Still_Loop, none},
      {&YellowFish(1), "yellowfish", on, 2, 3, "Yellow Tang", "Preview Yellow Fish",
          "icon_yellowfish", "a_yellowfish.bmp", Anim_Preview_School, none},
      // Kept as it always was: no tooltip on this button nor on the next.
      {&AngelFish(1), "angelfish", on, 2, 9, "Angel Fish", "",
          "icon_angelfish", "a_angelfish.bmp", Anim_Preview_School, none},
      {&BlueDevils(1), "bluedevil", on, 2, 4, "Blue Damsel", "",
          "icon_bluedevils", "a_bluedevil.bmp", Anim_Preview_School, none},
      {&ScubaDiver, "scubadiver", on, 3, 0, "Scuba Diver", "Preview Scuba Diver",
          "icon_scubadiver", "a_scubadiver.bmp", Anim_Still_Loop, none},
      {&Anchor, "anchor", on, 3, 6, "Anchor", "Preview Anchor",
          "icon_anchor", "a_anchor.bmp", Anim_Custom_Anchor, tick_count},
      {&MarinaSign, "marinasign", off, 3, 7, "Fishing Sign", "Preview Fishing Sign",
          "icon_marinasign", "a_marinasign.bmp", Anim_Still_Loop, none},
      {&Eyes, "eyes", on, 3, 8, "Evil Eyes", "Preview Evil Eyes",
          "icon_eyes", "a_eyes.bmp", Anim_Custom_Eyes, tick_count},
      // Both bubble columns draw with, and follow the flag of, the left column's element 1.
      {&BubblesLeft(1), "bubble", on, 3, 5, "Bubbles", "Preview Bubbles",
          "icon_bubbles", "a_bubble.bmp", BubblesInPane, none},
      {&Worm, "worm", on, 3, 1, "Hooked Worm", "Preview Hooked Worm",
          "icon_worm", "a_worm.bmp", Anim_Preview_DelayedReverse, none},
      // Kept as it always was: its record and button say "Mofia", its check box "Mafia".
      {&MofiaSnitch, "mofiasnitch", off, 3, 2, "Mafia Snitch", "Preview Mofia Snitch",
          "icon_mofiasnitch", "a_mofiasnitch.bmp", Anim_Still_Loop, none},
      {&DiverHead, "diverhead", off, 3, 9, "Diver Head", "Preview Diver Head",
          "icon_diverhead", "a_diverhead.bmp", Anim_Custom_DiverHead, short_tick},
      {&Pillars(1), "pillar", on, 3, 3, "Pillars", "Preview Pillars",
          "icon_pillars", "a_pillar.bmp", Anim_Still_Loop, none},
      // Each bottle has a sheet of its own; the first bottle's flag governs both.
      {&Bottles(1), "bottle", off, 3, 4, "Falling Bottles", "Preview Falling Bottles",
          "icon_bottles", "a_bottle1.bmp", Anim_Still_Loop, none, &Bottles(2)},
  };
  // clang-format on
  return items;
}

const CatalogueItem& CatalogueEntry(const Sprite& record) {
  for (const CatalogueItem& item : Catalogue()) {
    if (item.record == &record) return item;
  }
  throw std::logic_error("CatalogueEntry: a record that is no item of the catalogue");
}

const std::vector<Centrepiece>& Centrepieces() {
  // clang-format off
  static const std::vector<Centrepiece> centrepieces = {
      // record, list entry, saver's routine, picture, pane routine
      {&ScubaDude, "Confused Diver", Anim_Custom_ScubaDude, "a_scubadude.bmp",
          Anim_Custom_ScubaDude},
      {&EvilRelic, "Evil Relic", Anim_Still_Loop, "a_evilrelic.bmp", Anim_Still_Loop},
      {&Lifeguard, "Friendly LifeGuard", Anim_Still_Reverse, "a_lifeguard.bmp",
          Anim_Still_Reverse},
      {&SwimDude, "Pudgy Vacationer", Anim_Still_Loop, "a_swimdude.bmp", Anim_Still_Loop},
      {&Mermaid, "Relaxed Mermaid", Anim_Still_Loop, "a_mermaid.bmp", Anim_Still_Loop},
      {&Bather, "Rub-A-Dub-Dub", Anim_Still_Loop, "a_bather.bmp", Anim_Still_Loop},
      {&Watch, "TimePiece", Anim_Custom_Watch, "a_watch.bmp", Anim_Custom_Watch},
      {&Treasure, "Treasure Chest", Anim_Custom_Treasure, "a_treasure.bmp",
          Anim_Preview_DelayedReverse},
  };
  // clang-format on
  return centrepieces;
}

const Centrepiece* CentrepieceOfChoice(rt::Integer choice) {
  if (choice < 1 || choice > 8) return nullptr;
  return &Centrepieces()[static_cast<std::size_t>(choice.Value() - 1)];
}

Sprite& TabPreview(int tab) {
  const std::array<Sprite*, 4> previews = {&ScenePreview, &PredatorPreview, &FishPreview,
                                           &OtherPreview};
  return *previews.at(static_cast<std::size_t>(tab));
}

void BubblesInPane(Sprite& /*rec*/) {
  Anim_Preview_Bubble();
}
