#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "anim_test_support.h"
#include "runtime/random.h"
#include "sprites/animations.h"
#include "sprites/catalogue.h"
#include "sprites/media_folder.h"

namespace {

void FillStartUpTables() {
  Properties_Fish();
  Properties_Predator();
  Properties_Other();
  Properties_Scenery();
}

// Every picture the tables check is installed, on a 1024 x 768 screen.
class PropertiesTest : public anim_test::SpriteTest {
 protected:
  void SetUp() override {
    SpriteTest::SetUp();
    for (const CatalogueItem& item : Catalogue()) media_.Touch(item.picture);
    for (const Centrepiece& c : Centrepieces()) media_.Touch(c.picture);
    media_.Touch("a_bottle2.bmp");
    anim_test::UseScreen(1024, 768);
  }
  void TearDown() override {
    rt::SetRandomizeClockForTests(nullptr);
    SpriteTest::TearDown();
  }
  testing_media::MediaFolder media_;
};

TEST_F(PropertiesTest, FixedPositionsFollowTheScreenAndRoundHalvesToEven) {
  struct Placed {
    const Sprite* rec;
    int x, y;
  };
  struct Screen {
    int width, height;
    std::vector<Placed> placed;
  };
  // clang-format off
  const Screen screens[] = {
      {1024, 768, {{&Anchor, 187, 598}, {&Eyes, 757, 718}, {&MarinaSign, 412, 488},
                   {&Pillars(1), 369, 479}, {&Pillars(2), 592, 479}, {&DiverHead, 20, 0},
                   {&Mermaid, 443, 588}, {&SwimDude, 480, 577}, {&Lifeguard, 480, 555},
                   {&ScubaDude, 466, 560}, {&Treasure, 458, 604}, {&EvilRelic, 450, 586},
                   {&Bather, 467, 575}, {&Watch, 457, 574}, {&Clams(1), 760, 584},
                   {&Clams(2), 696, 608}, {&Clams(3), 770, 648}, {&SeaHorse, 227, 698},
                   {&Crab, 482, 728}, {&Octopus, 500, 200}}},
      {800, 600, {{&Anchor, 75, 430}, {&Eyes, 645, 550}, {&MarinaSign, 300, 320},
                  {&Pillars(1), 257, 311}, {&Pillars(2), 480, 311}, {&Lifeguard, 368, 387},
                  {&Treasure, 346, 436}, {&EvilRelic, 338, 418}, {&Octopus, 500, 200}}},
      {1025, 768, {{&Anchor, 188, 598}, {&Eyes, 758, 718}, {&MarinaSign, 412, 488}}},
      {640, 480, {{&Anchor, -5, 310}, {&Octopus, 500, 200}}},
  };
  // clang-format on
  for (const Screen& s : screens) {
    anim_test::UseScreen(s.width, s.height);
    FillStartUpTables();
    for (const Placed& p : s.placed) {
      EXPECT_TRUE(p.rec->X == p.x && p.rec->Y == p.y)
          << p.rec->ImageFile << " at " << p.rec->X.Value() << ", " << p.rec->Y.Value() << " on "
          << s.width;
    }
  }
  EXPECT_TRUE(errors_.contexts().empty());
}

// With the reseed clock pinned, a reseed that threw the state away would start every member of
// a group on the same cell.
TEST_F(PropertiesTest, StartCellsLieInTheirStripAndDifferWithinAGroup) {
  const std::uint64_t same_tick = 1234567;
  rt::SetRandomizeClockForTests(&same_tick);
  FillStartUpTables();
  auto expect_cells = [](auto& group, int members, int frames) {
    std::set<int> cells;
    for (int i = 1; i <= members; ++i) cells.insert(group(i).Frame.Value());
    EXPECT_TRUE(*cells.begin() >= 0 && *cells.rbegin() < frames) << group(1).ImageFile;
    EXPECT_GT(cells.size(), 1u) << group(1).ImageFile << ": every member starts on one cell";
  };
  expect_cells(BlueDevils, 7, 7);
  expect_cells(AngelFish, 5, 10);
  expect_cells(SwimHorses, 5, 6);
  for (const auto& [rec, frames] : {std::pair{&JellyFish, 31},
                                    {&Octopus, 16},
                                    {&Bottles(1), 13},
                                    {&Bottles(2), 13},
                                    {&MofiaSnitch, 6},
                                    {&ScubaDiver, 8}}) {
    EXPECT_TRUE(rec->Frame >= 0 && rec->Frame < frames) << rec->ImageFile;
  }
}

// On 800 x 600 BottomLimit is 535: the band's lower half runs from 267.5 to 535 - 21.
TEST_F(PropertiesTest, SeaHorseSchoolLeaderStartsInTheLowerHalf) {
  anim_test::UseScreen(800, 600);
  std::set<int> ys;
  for (int run = 0; run < 200; ++run) {
    Properties_Fish();
    ys.insert(SwimHorses(1).Y.Value());
  }
  EXPECT_TRUE(*ys.begin() >= 267 && *ys.rbegin() <= 514) << *ys.begin() << " to " << *ys.rbegin();
  EXPECT_TRUE(*ys.begin() < 300 && *ys.rbegin() > 480) << "spread over the half";
}

TEST_F(PropertiesTest, BubbleColumnsDriftApartAndRiseFromTheirSixths) {
  std::set<int> right_xs, left_xs, ys;
  for (int run = 0; run < 60; ++run) {
    Properties_Other();
    for (int i = 1; i <= 50; ++i) {
      for (const Sprite* b : {&BubblesRight(i), &BubblesLeft(i)}) {
        EXPECT_TRUE(b->DX == (i <= 25 ? 3 : -3) && b->DY == -6) << i;
        ys.insert(b->Y.Value());
      }
      right_xs.insert(BubblesRight(i).X.Value());
      left_xs.insert(BubblesLeft(i).X.Value());
    }
  }
  EXPECT_EQ(std::pair(*right_xs.begin(), *right_xs.rbegin()), std::pair(853, 1013));
  EXPECT_EQ(std::pair(*left_xs.begin(), *left_xs.rbegin()), std::pair(0, 160));
  EXPECT_TRUE(*ys.begin() >= 0 && *ys.rbegin() <= 768);
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
  EXPECT_EQ(SeaHorse.Installed, rt::kTrue);
}

TEST_F(PropertiesTest, VeryWideScreensStartCleanly) {
  for (int width : {7000, 7680, 21846}) {
    anim_test::UseScreen(width, 1200);
    Worm.State = "";
    FillStartUpTables();
    EXPECT_TRUE(errors_.contexts().empty()) << width << ": " << errors_.contexts().front();
    EXPECT_EQ(Worm.State, "None") << "the table ran to its end";
    for (int i = 1; i <= 50; ++i) {
      EXPECT_TRUE(BubblesRight(i).X >= width * 5 / 6 && BubblesRight(i).X <= width - 11) << i;
    }
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

TEST_F(PropertiesTest, BackgroundNumberNamesItsPictureWithPlainDigits) {
  for (const auto& [choice, name] :
       {std::pair{4, "a_background4.bmp"}, {-3, "a_background-3.bmp"}}) {
    Background.Choice = choice;
    Properties_Scenery();
    EXPECT_EQ(Background.ImageFile, name);
  }
}

TEST_F(PropertiesTest, UnusedGroupElementsStayEmpty) {
  FillStartUpTables();
  for (const Sprite* s :
       {&BlueDevils(0), &BlueDevils(8), &AngelFish(0), &EmperorFish(0), &SwimHorses(0), &RedFish(0),
        &YellowFish(0), &Clams(0), &Bottles(0), &Pillars(0), &BubblesLeft(0), &BubblesRight(0)}) {
    EXPECT_TRUE(s->ImageFile.empty() && s->Width == 0 && s->X == 0 && s->Frames == 0);
  }
}

}  // namespace
