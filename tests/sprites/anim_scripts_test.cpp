#include <map>

#include "anim_test_support.h"
#include "dialog/configuration.h"
#include "host/screensaver.h"

namespace anim_test {
namespace {

class ScriptsTest : public SpriteTest {};

struct Script {
  const char* name;
  std::function<void()> call;
  std::function<int()> cell;
  bool on_short_tick;
  int start;                                  // the cell every cycle starts and ends on
  int settled_from;                           // the counter value from which the cell stays there
  std::vector<std::pair<int, int>> timeline;  // the cell after the call at a counter value
};

// clang-format off
const Script kScripts[] = {
    {"eyes", [] { Anim_Custom_Eyes(Eyes); }, [] { return Eyes.Frame.Value(); }, false, 5, 844,
     {{1, 4}, {5, 0}, {11, 2}, {12, 4}, {14, 0}, {22, 4}, {24, 0}, {60, 1}, {64, 5}, {324, 0},
      {341, 4}, {343, 0}, {364, 5}}},
    {"crab", [] { Anim_Custom_Crab(Crab); }, [] { return Crab.Frame.Value(); }, false, 7, 844,
     {{7, 0}, {36, 7}, {203, 3}, {233, 7}, {506, 0}, {536, 7}, {716, 0}, {746, 7}}},
    {"anchor", [] { Anim_Custom_Anchor(Anchor); }, [] { return Anchor.Frame.Value(); }, false,
     0, 844, {{8, 4}, {9, 4}, {10, 0}, {203, 4}, {204, 4}, {205, 0}, {803, 4}, {805, 0}}},
    // The clams' three cells read as three digits.
    {"clams", Anim_Custom_Clam,
     [] { return Clams(1).Frame.Value() * 100 + Clams(2).Frame.Value() * 10 +
                 Clams(3).Frame.Value(); }, false, 0, 844,
     {{13, 40}, {53, 0}, {103, 400}, {153, 0}, {203, 4}, {243, 0}, {303, 40}, {343, 0},
      {623, 0}, {703, 400}, {842, 1}, {843, 0}}},
    {"scuba dude", [] { Anim_Custom_ScubaDude(ScubaDude); },
     [] { return ScubaDude.Frame.Value(); }, true, 0, 93,
     {{9, 0}, {10, 1}, {11, 0}, {12, 2}, {13, 0}, {92, 2}}},
    {"treasure", [] { Anim_Custom_Treasure(Treasure); }, [] { return Treasure.Frame.Value(); },
     true, 0, 28, {{4, 0}, {5, 1}, {7, 3}, {24, 3}, {25, 2}, {27, 0}}},
    {"diver head", [] { Anim_Custom_DiverHead(DiverHead); },
     [] { return DiverHead.Frame.Value(); }, true, 0, 86,
     {{1, 1}, {6, 6}, {7, 0}, {19, 0}, {20, 1}, {26, 0}, {85, 6}}},
};
// clang-format on

// Three cycles under each caller's rule (the saver's counters run to 1000 and 100, the dialog's
// to 999 and 99), so a script that fails to come back drifts off its start cell.
TEST_F(ScriptsTest, EveryScriptFollowsItsTimelineAndEndsEachCycleOnItsStartCell) {
  for (const auto& [rule, tick, tick_cycle, short_cycle] :
       {std::tuple{"saver", &AdvanceSaverCounters, 1001, 101},
        {"dialog", ConfigurationForm::RunTicker, 1000, 100}}) {
    for (const Script& script : kScripts) {
      ResetRecords();
      Eyes.Frame = 5;
      Crab.Frame = 7;
      TickCount = ShortTick = 0;
      const int cycle = script.on_short_tick ? short_cycle : tick_cycle;
      std::map<int, int> first_cycle;
      for (int call = 0; call < 3 * cycle; ++call) {
        tick();
        script.call();
        const int counter = (script.on_short_tick ? ShortTick : TickCount).Value();
        if (call < cycle) first_cycle[counter] = script.cell();
        if (counter >= script.settled_from || call % cycle == cycle - 1) {
          ASSERT_EQ(script.cell(), script.start)
              << script.name << " (" << rule << ") at " << counter << ", call " << call;
        }
      }
      for (const auto& [counter, cell] : script.timeline)
        EXPECT_EQ(first_cycle.at(counter), cell)
            << script.name << " (" << rule << ") at " << counter;
    }
  }
}

// Members 2 and on reach their cells through their StripOffset.
TEST_F(ScriptsTest, DrawsBeforeItStepsAndGroupsWithElementOnesSheet) {
  const std::vector<win::COLORREF> cells = {win::RGB(0xC0, 0, 0), win::RGB(0, 0xC0, 0),
                                            win::RGB(0xC0, 0xC0, 0), win::RGB(0, 0xC0, 0x80)};
  GiveBuffer(20, 10);
  ScubaDude = {.X = 1, .Y = 1, .Height = 2, .Width = 3};
  for (int i = 1; i <= 3; ++i) {
    Clams(i) = {.X = 4 * i - 3, .Y = 7, .Height = 2, .Width = 3, .StripOffset = i == 1 ? 0 : 6};
    if (i <= 2)
      Pillars(i) = {.X = 4 * i - 3, .Y = 4, .Height = 2, .Width = 3, .StripOffset = 3 * i - 3};
  }
  Clams(3).Frame = 1;
  for (Sprite* s : {&ScubaDude, &Pillars(1), &Clams(1)}) GiveSheet(*s, cells);
  for (int tick : {10, 11}) {
    ShortTick = tick;
    Anim_Custom_ScubaDude(ScubaDude);
  }
  Anim_Custom_Pillars();
  Anim_Custom_Clam();  // TickCount 0: no script row
  EXPECT_EQ(At(1, 1), cells[1]) << "the call at 11 draws the cell that the call at 10 set";
  EXPECT_EQ(std::vector({At(1, 4), At(5, 4), At(1, 7), At(5, 7), At(9, 7)}),
            std::vector({cells[0], cells[1], cells[0], cells[2], cells[3]}))
      << "pillars, then clams";
}

}  // namespace
}  // namespace anim_test
