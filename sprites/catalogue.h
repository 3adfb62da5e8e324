// The catalogue: one row for each of the thirty items the user switches on and off, and one for
// each of the eight centrepieces, holding every fact about it that more than one procedure
// needs. The items are in the order start-up reads their keys, which is also the order the
// settings dialog fills its boxes. The procedures that follow an order of their own (the saver's
// drawing and building, the release at exit, the writing of the settings) keep it as an explicit
// list of records, each naming its row by the row's record.
#pragma once

#include <vector>

#include "runtime/checked.h"
#include "sprites/sprite.h"

// What the settings dialog's preview pane runs on its tab's preview record every tick.
using PaneRoutine = void (*)(Sprite& rec);

struct CatalogueItem {
  Sprite* record;       // a group's element 1, which holds its flag, Installed and surfaces
  const char* key;      // the settings key as start-up reads it
  bool default_on;      // on when the settings file has no positive "firstrun"
  int tab;              // the dialog's tab: 1 "Large Fish", 2 "Coral Fish", 3 "More..."
  int slot;             // its place there: 0 to 4 down the left column, 5 to 9 down the right
  const char* caption;  // the check box's
  const char* tooltip;  // the preview button's; "" for none
  const char* icon;     // the preview button's built-in picture
  const char* picture;  // the sheet its property table names, by which the pane knows it
  PaneRoutine pane_routine;
  rt::Integer* restarts;  // the counter a pick sets to 0 (the one its script follows), or null
  Sprite* second_sheet = nullptr;     // a further record with a sheet of its own, on this flag
  const char* written_key = nullptr;  // the key as the dialog writes it, when not spelled as read

  const char* WrittenKey() const { return written_key ? written_key : key; }
  // The records whose surfaces the item's own flag builds and the exit releases.
  std::vector<Sprite*> Sheets() const;
};

// The thirty items, in reading order. Built on first use, once every record exists.
const std::vector<CatalogueItem>& Catalogue();
// The row of the item whose record (a group's element 1) this is; fails loudly for any other.
const CatalogueItem& CatalogueEntry(const Sprite& record);

struct Centrepiece {
  Sprite* record;
  const char* caption;           // its entry in the dialog's list
  void (*routine)(Sprite& rec);  // what the saver's frame runs on it
  const char* picture;
  PaneRoutine pane_routine;
};

// The eight centrepieces, by their numbers 1 to 8.
const std::vector<Centrepiece>& Centrepieces();
// The centrepiece of a choice number; null for 0 and for anything outside 1 to 8.
const Centrepiece* CentrepieceOfChoice(rt::Integer choice);

// The dialog's preview record of a tab 0 to 3.
Sprite& TabPreview(int tab);

// The pane's routine for the bubbles: the first 25 bubbles of the left column, not the record.
void BubblesInPane(Sprite& rec);
