#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <vector>

#include "anim_test_support.h"
#include "dialog/configuration.h"
#include "host/screensaver.h"
#include "sprites/animations.h"

namespace {

using anim_test::At;
using anim_test::ErrorRecorder;

enum class Counter { Tick, Short };

struct Script {
  const char* name;
  void (*routine)(Sprite&);
  Counter counter;
  int start_cell;
  std::set<int> visits;
  int settled_from;  // the counter value from which the cell stays on its start
};

const Script kScripts[] = {
    {"eyes", Anim_Custom_Eyes, Counter::Tick, 5, {0, 1, 2, 3, 4, 5}, 844},
    {"scuba dude", Anim_Custom_ScubaDude, Counter::Short, 0, {0, 1, 2}, 93},
    {"treasure", Anim_Custom_Treasure, Counter::Short, 0, {0, 1, 2, 3}, 28},
    {"anchor", Anim_Custom_Anchor, Counter::Tick, 0, {0, 1, 2, 3, 4}, 844},
    {"crab", Anim_Custom_Crab, Counter::Tick, 7, {0, 1, 2, 3, 4, 5, 6, 7}, 844},
    {"diver head", Anim_Custom_DiverHead, Counter::Short, 0, {0, 1, 2, 3, 4, 5, 6}, 86},
};

struct Rule {
  const char* name;
  void (*tick)();
  int tick_cycle, short_cycle;
};
const Rule kRules[] = {
    {"saver", AdvanceSaverCounters, 1001, 101},
    {"dialog", ConfigurationForm::RunTicker, 1000, 100},
};

int CounterValue(Counter c) {
  return (c == Counter::Tick ? TickCount : ShortTick).Value();
}

class ScriptsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Buffer = Sprite{};
    TickCount = 0;
    ShortTick = 0;
  }
  // Calls body after each advance of the counters, for calls ticks, and returns the cell that
  // get() reads after each call, keyed by the counter value of that call.
  static std::map<int, int> CellsByCounter(const Rule& rule, Counter counter, int calls,
                                           const std::function<void()>& body,
                                           const std::function<int()>& get) {
    std::map<int, int> cells;
    for (int i = 0; i < calls; ++i) {
      rule.tick();
      body();
      cells[CounterValue(counter)] = get();
    }
    return cells;
  }
};

TEST_F(ScriptsTest, EveryScriptPlaysOncePerCycleUnderBothCounterRules) {
  for (const auto& rule : kRules) {
    for (const auto& script : kScripts) {
      TickCount = 0;
      ShortTick = 0;
      Sprite s;
      s.Frame = script.start_cell;
      const int cycle = script.counter == Counter::Tick ? rule.tick_cycle : rule.short_cycle;
      std::set<int> visited;
      for (int round = 1; round <= 3; ++round) {
        for (int call = 0; call < cycle; ++call) {
          rule.tick();
          script.routine(s);
          visited.insert(s.Frame.Value());
          if (CounterValue(script.counter) >= script.settled_from) {
            ASSERT_EQ(s.Frame.Value(), script.start_cell)
                << script.name << " under the " << rule.name << " rule at counter "
                << CounterValue(script.counter);
          }
        }
        EXPECT_EQ(CounterValue(script.counter), 0) << "one full cycle";
        EXPECT_EQ(s.Frame.Value(), script.start_cell)
            << script.name << " back on its start cell after cycle " << round << " (" << rule.name
            << ")";
      }
      EXPECT_EQ(visited, script.visits) << script.name << " (" << rule.name << ")";
    }
  }
}

TEST_F(ScriptsTest, ClamsPlayOncePerCycleUnderBothCounterRules) {
  for (const auto& rule : kRules) {
    anim_test::Clear(Clams);
    TickCount = 0;
    ShortTick = 0;
    for (int round = 1; round <= 3; ++round) {
      std::set<int> visited;
      for (int call = 0; call < rule.tick_cycle; ++call) {
        rule.tick();
        Anim_Custom_Clam();
        for (int i = 1; i <= 3; ++i) {
          visited.insert(Clams(i).Frame.Value());
          if (TickCount >= 844) {
            ASSERT_EQ(Clams(i).Frame.Value(), 0) << "clam " << i << " at " << TickCount.Value();
          }
        }
      }
      EXPECT_EQ(visited, (std::set<int>{0, 1, 2, 3, 4})) << rule.name;
      for (int i = 1; i <= 3; ++i) EXPECT_EQ(Clams(i).Frame.Value(), 0) << rule.name << " " << i;
    }
  }
}

// Cells after the call at each TickCount; the clams' three cells read as three digits.
TEST_F(ScriptsTest, TickCountScriptsFollowTheirTimelines) {
  Sprite eyes, crab, anchor;
  eyes.Frame = 5;
  crab.Frame = 7;
  anim_test::Clear(Clams);
  struct Timeline {
    const char* name;
    std::function<void()> call;
    std::function<int()> cell;
    std::vector<std::pair<int, int>> expected;
  };
  const Timeline timelines[] = {
      {"eyes",
       [&] { Anim_Custom_Eyes(eyes); },
       [&] { return eyes.Frame.Value(); },
       {{1, 4},  {2, 3},   {3, 2},   {4, 1},   {5, 0},   {10, 0},  {11, 2}, {12, 4},
        {13, 2}, {14, 0},  {21, 2},  {22, 4},  {23, 2},  {24, 0},  {59, 0}, {60, 1},
        {64, 5}, {319, 5}, {320, 4}, {324, 0}, {330, 2}, {343, 0}, {364, 5}}},
      {"crab",
       [&] { Anim_Custom_Crab(crab); },
       [&] { return crab.Frame.Value(); },
       {{7, 0},
        {29, 0},
        {36, 7},
        {203, 3},
        {229, 3},
        {233, 7},
        {506, 0},
        {536, 7},
        {716, 0},
        {746, 7}}},
      {"anchor",
       [&] { Anim_Custom_Anchor(anchor); },
       [&] { return anchor.Frame.Value(); },
       {{4, 0},
        {8, 4},
        {9, 4},
        {10, 0},
        {203, 4},
        {204, 4},
        {205, 0},
        {505, 0},
        {803, 4},
        {805, 0}}},
      {"clams",
       [] { Anim_Custom_Clam(); },
       [] {
         return Clams(1).Frame.Value() * 100 + Clams(2).Frame.Value() * 10 + Clams(3).Frame.Value();
       },
       {{9, 0},    {13, 40},   {53, 0},    {103, 400}, {153, 0}, {203, 4}, {243, 0},
        {303, 40}, {343, 0},   {403, 400}, {453, 0},   {503, 4}, {543, 0}, {603, 40},
        {623, 0},  {703, 400}, {753, 0},   {803, 4},   {842, 1}, {843, 0}, {1000, 0}}},
  };
  for (const Timeline& t : timelines) {
    TickCount = 0;
    ShortTick = 0;
    const auto cells = CellsByCounter(kRules[0], Counter::Tick, 1001, t.call, t.cell);
    for (const auto& [tick, cell] : t.expected)
      EXPECT_EQ(cells.at(tick), cell) << t.name << " at TickCount " << tick;
  }
}

TEST_F(ScriptsTest, ShortTickScripts) {
  Sprite dude, chest, head;
  const auto dude_cells = CellsByCounter(
      kRules[0], Counter::Short, 100, [&] { Anim_Custom_ScubaDude(dude); },
      [&] { return dude.Frame.Value(); });
  EXPECT_EQ(dude_cells.at(10), 1);
  EXPECT_EQ(dude_cells.at(11), 0);
  EXPECT_EQ(dude_cells.at(12), 2);
  EXPECT_EQ(dude_cells.at(13), 0);
  EXPECT_EQ(dude_cells.at(90), 1);
  EXPECT_EQ(dude_cells.at(92), 2);

  ShortTick = 0;
  const auto chest_cells = CellsByCounter(
      kRules[0], Counter::Short, 100, [&] { Anim_Custom_Treasure(chest); },
      [&] { return chest.Frame.Value(); });
  EXPECT_EQ(chest_cells.at(4), 0);
  EXPECT_EQ(chest_cells.at(7), 3);
  EXPECT_EQ(chest_cells.at(24), 3);
  EXPECT_EQ(chest_cells.at(27), 0);

  ShortTick = 0;
  head.Frame = 3;  // any cell at ShortTick 0 goes back to 0
  Anim_Custom_DiverHead(head);
  EXPECT_EQ(head.Frame.Value(), 0);
  const auto head_cells = CellsByCounter(
      kRules[0], Counter::Short, 100, [&] { Anim_Custom_DiverHead(head); },
      [&] { return head.Frame.Value(); });
  for (int t = 1; t <= 6; ++t) EXPECT_EQ(head_cells.at(t), t) << "ShortTick " << t;
  for (int t : {7, 19, 26, 86, 100}) EXPECT_EQ(head_cells.at(t), 0) << "ShortTick " << t;
  EXPECT_EQ(head_cells.at(85), 6);
}

TEST_F(ScriptsTest, OverflowIsReportedUnderTheRoutine) {
  ErrorRecorder recorder;
  Sprite eyes;
  eyes.Frame = 32767;
  TickCount = 60;
  Anim_Custom_Eyes(eyes);
  EXPECT_EQ(eyes.Frame.Value(), 32767);

  anim_test::Clear(Clams);
  Clams(2).Frame = 32767;
  TickCount = 10;
  Anim_Custom_Clam();
  EXPECT_EQ(recorder.contexts(), (std::vector<std::string>{"Animations\\Anim_Custom_Eyes",
                                                           "Animations\\Anim_Custom_Clam"}));
}

// ---- What lands in the back buffer ----

constexpr win::COLORREF kSea = win::RGB(0, 0, 0x40);
const std::vector<win::COLORREF> kCells = {win::RGB(0xC0, 0, 0), win::RGB(0, 0xC0, 0),
                                           win::RGB(0xC0, 0xC0, 0), win::RGB(0, 0xC0, 0xC0)};

TEST_F(ScriptsTest, ScriptDrawsItsCellBeforeItChangesIt) {
  anim_test::GiveBuffer(20, 10, kSea);
  Sprite dude;
  dude.Width = 3;
  dude.Height = 2;
  dude.X = 1;
  dude.Y = 1;
  anim_test::GiveSheet(dude, 3, 2, kCells);
  ShortTick = 10;
  Anim_Custom_ScubaDude(dude);
  EXPECT_EQ(At(1, 1), kCells[0]);
  ShortTick = 11;
  Anim_Custom_ScubaDude(dude);
  EXPECT_EQ(At(1, 1), kCells[1]);
  EXPECT_EQ(At(3, 1), kSea);
  Buffer = Sprite{};
}

TEST_F(ScriptsTest, GroupMembersDrawFromElementOnesSheetAtTheirStripOffset) {
  anim_test::GiveBuffer(20, 10, kSea);
  anim_test::Clear(Pillars);
  anim_test::Clear(Clams);
  for (int i = 1; i <= 2; ++i) {
    Pillars(i).Width = 3;
    Pillars(i).Height = 2;
    Pillars(i).X = 1 + 4 * (i - 1);
    Pillars(i).Y = 1;
  }
  Pillars(2).StripOffset = 3;
  anim_test::GiveSheet(Pillars(1), 3, 2, kCells);
  Anim_Custom_Pillars();
  EXPECT_EQ(At(1, 1), kCells[0]);
  EXPECT_EQ(At(5, 1), kCells[1]);

  for (int i = 1; i <= 3; ++i) {
    Clams(i).Width = 3;
    Clams(i).Height = 2;
    Clams(i).X = 1 + 4 * (i - 1);
    Clams(i).Y = 5;
  }
  Clams(2).StripOffset = 6;
  Clams(3).StripOffset = 6;
  Clams(3).Frame = 1;
  anim_test::GiveSheet(Clams(1), 3, 2, kCells);
  TickCount = 0;
  Anim_Custom_Clam();
  EXPECT_EQ(At(1, 5), kCells[0]);
  EXPECT_EQ(At(5, 5), kCells[2]);
  EXPECT_EQ(At(9, 5), kCells[3]);
  anim_test::Clear(Pillars);
  anim_test::Clear(Clams);
  Buffer = Sprite{};
}

}  // namespace
