// Ornaments that stay in place and play a fixed script keyed to the animation counters. Each
// call draws the current cell, then applies the first script row that names the counter's value;
// the new cell shows on the next call. Scripts change Frame by their own steps only and never
// wrap it, so each full counter cycle brings the item back to its start cell.
#include <span>
#include <string_view>

#include "runtime/array.h"
#include "runtime/errors.h"
#include "sprites/animations.h"
#include "sprites/surfaces.h"

namespace {

// Counter values a script row answers to: single values, or an inclusive run of them.
class Ticks {
 public:
  constexpr Ticks() = default;  // matches nothing: fills the unused places of a row
  constexpr Ticks(int value) : first_(value), last_(value) {}  // NOLINT: rows list bare values
  static constexpr Ticks Between(int first, int last) {
    Ticks t;
    t.first_ = first;
    t.last_ = last;
    return t;
  }
  constexpr bool Holds(rt::Integer v) const { return first_ <= v.Value() && v.Value() <= last_; }

 private:
  int first_ = 1;
  int last_ = 0;
};
constexpr Ticks Run(int first, int last) {
  return Ticks::Between(first, last);
}
constexpr Ticks kAnyOtherValue = Run(-32768, 32767);

struct Change {
  bool set;  // else the amount is added
  int amount;
};
constexpr Change Add(int n) {
  return {false, n};
}
constexpr Change SetTo(int n) {
  return {true, n};
}

struct ScriptRow {
  Ticks when[9];
  Change change;
  int member = 1;  // for a group: the member whose cell changes
};

const ScriptRow* FirstMatch(std::span<const ScriptRow> script, rt::Integer counter) {
  for (const ScriptRow& row : script) {
    for (const Ticks& t : row.when) {
      if (t.Holds(counter)) return &row;
    }
  }
  return nullptr;
}

void ApplyChange(const Change& c, Sprite& s) {
  if (c.set) {
    s.Frame = c.amount;
  } else {
    s.Frame += c.amount;
  }
}

// The whole call of a single-record script: draw, then step on the counter.
void PlayScript(std::string_view context, Sprite& s, std::span<const ScriptRow> script,
                rt::Integer counter) {
  rt::Trap(context, [&] {
    DrawSpriteCell(s, s, s.X, s.Y);
    if (const ScriptRow* row = FirstMatch(script, counter)) ApplyChange(row->change, s);
  });
}

// Each clam opens from cell 0 to 4 over four ticks, stays open and closes again, three times a
// cycle.
constexpr ScriptRow kClamScript[] = {
    {{Run(100, 103), Run(400, 403), Run(700, 703)}, Add(+1), 1},
    {{Run(150, 153), Run(450, 453), Run(750, 753)}, Add(-1), 1},
    {{Run(10, 13), Run(300, 303), Run(600, 603)}, Add(+1), 2},
    {{Run(50, 53), Run(340, 343), Run(620, 623)}, Add(-1), 2},
    {{Run(200, 203), Run(500, 503), Run(800, 803)}, Add(+1), 3},
    {{Run(240, 243), Run(540, 543), Run(840, 843)}, Add(-1), 3},
};

// From the rest cell 5 down to 0, glance 2, 4, 2, 0 twice, then back up to rest; twice a cycle.
constexpr ScriptRow kEyesScript[] = {
    {{Run(1, 5), Run(320, 324)}, Add(-1)},
    {{Run(60, 64), Run(360, 364)}, Add(+1)},
    {{11, 12, 21, 22, 330, 331, 340, 341}, Add(+2)},
    {{13, 14, 23, 24, 332, 333, 342, 343}, Add(-2)},
};

constexpr ScriptRow kScubaDudeScript[] = {
    {{10, 20, 30, 40, 50, 60, 70, 80, 90}, SetTo(1)},
    {{12, 32, 52, 72, 92}, SetTo(2)},
    {{kAnyOtherValue}, SetTo(0)},
};

// The lid opens from cell 0 to 3 and closes again once a cycle.
constexpr ScriptRow kTreasureScript[] = {
    {{Run(5, 7)}, Add(+1)},
    {{Run(25, 27)}, Add(-1)},
};

// Steps from cell 0 to 4, holds it a tick, drops back to 0 at once; four times a cycle.
constexpr ScriptRow kAnchorScript[] = {
    {{Run(5, 8), Run(200, 203), Run(500, 503), Run(800, 803)}, Add(+1)},
    {{10, 205, 505, 805}, SetTo(0)},
};

// From the rest cell 7 down to 0 and back three times a cycle, once only down to 3.
constexpr ScriptRow kCrabScript[] = {
    {{Run(1, 7), Run(200, 203), Run(500, 506), Run(710, 716)}, Add(-1)},
    {{Run(30, 36), Run(230, 233), Run(530, 536), Run(740, 746)}, Add(+1)},
};

// Cells 1 to 6 five times a cycle, back on cell 0 on the tick after each run.
constexpr ScriptRow kDiverHeadScript[] = {
    {{Run(1, 6), Run(20, 25), Run(40, 45), Run(60, 65), Run(80, 85)}, Add(+1)},
    {{kAnyOtherValue}, SetTo(0)},
};

}  // namespace

void Anim_Custom_Clam() {
  rt::Trap("Animations\\Anim_Custom_Clam", [] {
    for (int i = 1; i <= 3; ++i) DrawSpriteCell(Clams(i), Clams(1), Clams(i).X, Clams(i).Y);
    if (const ScriptRow* row = FirstMatch(kClamScript, TickCount)) {
      ApplyChange(row->change, Clams(row->member));
    }
  });
}

void Anim_Custom_Eyes(Sprite& s) {
  PlayScript("Animations\\Anim_Custom_Eyes", s, kEyesScript, TickCount);
}
void Anim_Custom_ScubaDude(Sprite& s) {
  PlayScript("Animations\\Anim_Custom_ScubaDude", s, kScubaDudeScript, ShortTick);
}
void Anim_Custom_Treasure(Sprite& s) {
  PlayScript("Animations\\Anim_Custom_Treasure", s, kTreasureScript, ShortTick);
}
void Anim_Custom_Anchor(Sprite& s) {
  PlayScript("Animations\\Anim_Custom_Anchor", s, kAnchorScript, TickCount);
}
void Anim_Custom_Crab(Sprite& s) {
  PlayScript("Animations\\Anim_Custom_Crab", s, kCrabScript, TickCount);
}
void Anim_Custom_DiverHead(Sprite& s) {
  PlayScript("Animations\\Anim_Custom_DiverHead", s, kDiverHeadScript, ShortTick);
}

// The two pillars play no script: the left one is the sheet's first cell, the right one its
// second, reached through its StripOffset.
void Anim_Custom_Pillars() {
  rt::Trap("Animations\\Anim_Custom_Pillars", [] {
    for (int i = 1; i <= 2; ++i) DrawSpriteCell(Pillars(i), Pillars(1), Pillars(i).X, Pillars(i).Y);
  });
}
