#include <cstdint>
#include <set>
#include <stdexcept>

#include "anim_test_support.h"
#include "runtime/random.h"
#include "sprites/media_folder.h"

namespace anim_test {
namespace {

void FillStartUpTables() {
  Properties_Fish();
  Properties_Predator();
  Properties_Other();
  Properties_Scenery();
}

// Every picture the tables check is installed, on a 1024 x 768 screen.
class PropertiesTest : public SpriteTest {
 protected:
  void SetUp() override {
    SpriteTest::SetUp();
    for (const CatalogueItem& item : Catalogue()) media_.Touch(item.picture);
    for (const Centrepiece& c : Centrepieces()) media_.Touch(c.picture);
    media_.Touch("a_bottle2.bmp");
    UseScreen(1024, 768);
  }
  void TearDown() override {
    rt::SetRandomizeClockForTests(nullptr);
    SpriteTest::TearDown();
  }
  testing_media::MediaFolder media_;
};

// The pane knows an item by the picture its property table names; each place on the item tabs
// holds one item.
TEST_F(PropertiesTest, TheCatalogueMatchesTheTablesAndUnusedGroupElementsStayEmpty) {
  FillStartUpTables();
  for (const Centrepiece& c : Centrepieces()) EXPECT_EQ(c.record->ImageFile, c.picture);
  std::set<std::pair<int, int>> places;
  for (const CatalogueItem& item : Catalogue()) {
    EXPECT_EQ(item.record->ImageFile, item.picture);
    EXPECT_TRUE(item.tab >= 1 && item.tab <= 3 && item.slot >= 0 && item.slot <= 9) << item.key;
    EXPECT_TRUE(places.emplace(item.tab, item.slot).second) << item.key << " takes a taken place";
  }
  EXPECT_THROW(CatalogueEntry(Bottles(2)), std::logic_error) << "a record that is no item";
  for (const Sprite* s :
       {&BlueDevils(0), &BlueDevils(8), &AngelFish(0), &EmperorFish(0), &SwimHorses(0), &RedFish(0),
        &YellowFish(0), &Clams(0), &Bottles(0), &Pillars(0), &BubblesLeft(0), &BubblesRight(0)}) {
    EXPECT_TRUE(s->ImageFile.empty() && s->Width == 0 && s->X == 0 && s->Frames == 0);
  }
}

TEST_F(PropertiesTest, PositionsFollowTheScreenRoundingHalvesToEvenAndTheBackgroundItsNumber) {
  // clang-format off
  const std::tuple<const Sprite*, int, int> on_1024[] = {
      {&Anchor, 187, 598}, {&Eyes, 757, 718}, {&MarinaSign, 412, 488}, {&Pillars(1), 369, 479},
      {&Pillars(2), 592, 479}, {&DiverHead, 20, 0}, {&Mermaid, 443, 588}, {&SwimDude, 480, 577},
      {&Lifeguard, 480, 555}, {&ScubaDude, 466, 560}, {&Treasure, 458, 604},
      {&EvilRelic, 450, 586}, {&Bather, 467, 575}, {&Watch, 457, 574}, {&Clams(1), 760, 584},
      {&Clams(2), 696, 608}, {&Clams(3), 770, 648}, {&SeaHorse, 227, 698}, {&Crab, 482, 728},
      {&Octopus, 500, 200}};
  // clang-format on
  Background.Choice = 4;
  FillStartUpTables();
  EXPECT_EQ(Background.ImageFile, "a_background4.bmp") << "the number in plain digits";
  for (const auto& [rec, x, y] : on_1024) {
    EXPECT_TRUE(rec->X == x && rec->Y == y)
        << rec->ImageFile << " at " << rec->X.Value() << ", " << rec->Y.Value();
  }
  UseScreen(640, 480);
  FillStartUpTables();
  EXPECT_TRUE(Anchor.X == -5 && Octopus.X == 500 && Octopus.Y == 200) << "the same on any screen";
}

// With the reseed clock pinned, a reseed that threw the state away would start every member of
// a group on the same cell.
TEST_F(PropertiesTest, StartCellsLieInTheirStripAndDifferWithinAGroup) {
  const std::uint64_t same_tick = 1234567;
  rt::SetRandomizeClockForTests(&same_tick);
  Properties_Fish();
  auto expect_cells = [](auto& group, int members, int frames) {
    std::set<int> cells;
    for (int i = 1; i <= members; ++i) cells.insert(group(i).Frame.Value());
    EXPECT_TRUE(*cells.begin() >= 0 && *cells.rbegin() < frames && cells.size() > 1)
        << group(1).ImageFile << ": " << cells.size() << " cells";
  };
  expect_cells(BlueDevils, 7, 7);
  expect_cells(AngelFish, 5, 10);
  expect_cells(SwimHorses, 5, 6);
}

// On 800 x 600 (BottomLimit 535) the sea-horse school's leader starts in the lower half of the
// band, from 267.5 to 535 - 21; the right bubble column from 800 x 5 / 6 to 800 - 11, the left
// from 0 to 800 / 6 - 11 + 1; every bubble's Y from 0 to 600.
TEST_F(PropertiesTest, RandomStartsCoverTheirWholeBandsAndNoMore) {
  UseScreen(800, 600);
  std::set<int> horse_ys, right_xs, left_xs;
  for (int run = 0; run < 150; ++run) {
    Properties_Fish();
    Properties_Other();
    horse_ys.insert(SwimHorses(1).Y.Value());
    for (int i = 1; i <= 50; ++i) {
      for (const Sprite* b : {&BubblesRight(i), &BubblesLeft(i)})
        EXPECT_TRUE(b->DX == (i <= 25 ? 3 : -3) && b->DY == -6 && b->Y >= 0 && b->Y <= 600) << i;
      right_xs.insert(BubblesRight(i).X.Value());
      left_xs.insert(BubblesLeft(i).X.Value());
    }
  }
  auto range = [](const std::set<int>& s) { return std::pair(*s.begin(), *s.rbegin()); };
  const auto [lowest, highest] = range(horse_ys);
  EXPECT_TRUE(lowest >= 267 && lowest < 300 && highest <= 514 && highest > 480)
      << lowest << " to " << highest;
  EXPECT_EQ(range(right_xs), std::pair(666, 789));
  EXPECT_EQ(range(left_xs), std::pair(0, 123));
  EXPECT_EQ(BubblesRight(1).ImageFile, "") << "the right column draws with the left's sheet";
}

// Only the first clam looks its sheet up; each bottle looks up its own.
TEST_F(PropertiesTest, DropsWaitAboveTheScreenAndMissingSheetsSwitchOffTheirGroup) {
  media_.Remove("a_bottle2.bmp");
  media_.Remove("a_clam.bmp");
  FillStartUpTables();
  EXPECT_TRUE(Bottles(1).Y == -51 && Bottles(2).Y == -51 && MofiaSnitch.Y == -144);
  EXPECT_TRUE(Worm.Y == -60 && Worm.State == "None");
  EXPECT_TRUE(Bottles(1).Installed == rt::kTrue && Bottles(2).Installed == rt::kFalse);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(Clams(i).Installed, rt::kFalse) << "clam " << i;
}

TEST_F(PropertiesTest, VeryWideScreensStartCleanly) {
  for (int width : {7000, 7680, 21846}) {
    UseScreen(width, 1200);
    Worm.State = "";
    FillStartUpTables();
    EXPECT_TRUE(errors_.contexts().empty()) << width << ": " << errors_.contexts().front();
    EXPECT_EQ(Worm.State, "None") << "the table ran to its end";
  }
}

TEST_F(PropertiesTest, AnErrorStopsTheTableAndIsReported) {
  ScreenHeight = rt::Long::kMin;  // the anchor's, then the first clam's height overflows
  Properties_Other();
  Properties_Fish();
  EXPECT_TRUE(Worm.State == "" && YellowFish(1).ImageFile == "") << "records after it stay empty";
  EXPECT_EQ(errors_.contexts(), (std::vector<std::string>{"Animations/Properties_Other",
                                                          "Animations/Properties_Fish"}));
}

}  // namespace
}  // namespace anim_test
