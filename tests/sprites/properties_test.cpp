#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "anim_test_support.h"
#include "runtime/random.h"
#include "sprites/animations.h"
#include "sprites/media_folder.h"

namespace {

using anim_test::UseScreen;

const char* const kPictures[] = {
    "a_bluedevil.bmp",  "a_angelfish.bmp",  "a_emperorfish.bmp", "a_jellyfish.bmp",
    "a_swimhorse.bmp",  "a_redfish.bmp",    "a_clam.bmp",        "a_seahorse.bmp",
    "a_crab.bmp",       "a_yellowfish.bmp", "a_Dolphin.bmp",     "a_tigershark.bmp",
    "a_hammerhead.bmp", "a_manatee.bmp",    "a_octopus.bmp",     "a_orca.bmp",
    "a_shark.bmp",      "a_swimmaid.bmp",   "a_tuna.bmp",        "a_whale.bmp",
    "a_anchor.bmp",     "a_bottle1.bmp",    "a_bottle2.bmp",     "a_bubble.bmp",
    "a_diverhead.bmp",  "a_eyes.bmp",       "a_marinasign.bmp",  "a_mofiasnitch.bmp",
    "a_pillar.bmp",     "a_scubadiver.bmp", "a_worm.bmp",        "a_mermaid.bmp",
    "a_swimdude.bmp",   "a_lifeguard.bmp",  "a_scubadude.bmp",   "a_treasure.bmp",
    "a_evilrelic.bmp",  "a_bather.bmp",     "a_watch.bmp",       "a_palette.bmp",
};

void FillStartUpTables() {
  Properties_Fish();
  Properties_Predator();
  Properties_Other();
  Properties_Scenery();
}

class PropertiesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kPictures) media_.Touch(name);
    UseScreen(1024, 768);
  }
  void TearDown() override { rt::SetRandomizeClockForTests(nullptr); }
  testing_media::MediaFolder media_;
  anim_test::ErrorRecorder errors_;
};

TEST_F(PropertiesTest, FixedPositionsFollowTheScreen) {
  struct Placed {
    const char* what;
    const Sprite* rec;
    int x, y;
  };
  struct Screen {
    int width, height;
    std::vector<Placed> placed;
  };
  const Screen screens[] = {
      {1024,
       768,
       {{"anchor", &Anchor, 187, 598},
        {"eyes", &Eyes, 757, 718},
        {"sign", &MarinaSign, 412, 488},
        {"left pillar", &Pillars(1), 369, 479},
        {"right pillar", &Pillars(2), 592, 479},
        {"diver head", &DiverHead, 20, 0},
        {"mermaid", &Mermaid, 443, 588},
        {"swim dude", &SwimDude, 480, 577},
        {"lifeguard", &Lifeguard, 480, 555},
        {"scuba dude", &ScubaDude, 466, 560},
        {"treasure", &Treasure, 458, 604},
        {"evil relic", &EvilRelic, 450, 586},
        {"bather", &Bather, 467, 575},
        {"watch", &Watch, 457, 574},
        {"clam 1", &Clams(1), 760, 584},
        {"clam 2", &Clams(2), 696, 608},
        {"clam 3", &Clams(3), 770, 648},
        {"sea horse", &SeaHorse, 227, 698},
        {"crab", &Crab, 482, 728},
        {"octopus", &Octopus, 500, 200}}},
      {800,
       600,
       {{"anchor", &Anchor, 75, 430},
        {"eyes", &Eyes, 645, 550},
        {"sign", &MarinaSign, 300, 320},
        {"left pillar", &Pillars(1), 257, 311},
        {"right pillar", &Pillars(2), 480, 311},
        {"lifeguard", &Lifeguard, 368, 387},
        {"treasure", &Treasure, 346, 436},
        {"evil relic", &EvilRelic, 338, 418},
        {"octopus", &Octopus, 500, 200}}},
      {1025,
       768,
       {{"anchor", &Anchor, 188, 598}, {"eyes", &Eyes, 758, 718}, {"sign", &MarinaSign, 412, 488}}},
      {640, 480, {{"anchor", &Anchor, -5, 310}, {"octopus", &Octopus, 500, 200}}},
  };
  for (const Screen& s : screens) {
    UseScreen(s.width, s.height);
    FillStartUpTables();
    for (const Placed& p : s.placed) {
      EXPECT_EQ(p.rec->X, p.x) << p.what << " at " << s.width;
      EXPECT_EQ(p.rec->Y, p.y) << p.what << " at " << s.width;
    }
  }
  EXPECT_TRUE(errors_.contexts().empty());
}

// With the reseed clock pinned, a reseed that threw the state away would start every member
// of a group on the same cell.
TEST_F(PropertiesTest, StartCellsLieInTheirStripAndDifferWithinAGroup) {
  const std::uint64_t same_tick = 1234567;
  rt::SetRandomizeClockForTests(&same_tick);
  FillStartUpTables();
  auto expect_cells = [](const char* what, auto& group, int members, int frames) {
    std::set<int> cells;
    for (int i = 1; i <= members; ++i) {
      EXPECT_GE(group(i).Frame, 0) << what << " " << i;
      EXPECT_LT(group(i).Frame, frames) << what << " " << i;
      cells.insert(group(i).Frame.Value());
    }
    EXPECT_GT(cells.size(), 1u) << what << ": every member starts on one cell";
  };
  expect_cells("blue devils", BlueDevils, 7, 7);
  expect_cells("angel fish", AngelFish, 5, 10);
  expect_cells("sea horses", SwimHorses, 5, 6);
  const std::pair<const Sprite*, int> singles[] = {{&JellyFish, 31},  {&Octopus, 16},
                                                   {&Bottles(1), 13}, {&Bottles(2), 13},
                                                   {&MofiaSnitch, 6}, {&ScubaDiver, 8}};
  for (const auto& [rec, frames] : singles) {
    EXPECT_GE(rec->Frame, 0) << rec->ImageFile;
    EXPECT_LT(rec->Frame, frames) << rec->ImageFile;
  }
}

TEST_F(PropertiesTest, SeaHorseSchoolLeaderStartsInTheLowerHalf) {
  UseScreen(800, 600);
  int lowest = 1000, highest = -1000;
  for (int run = 0; run < 200; ++run) {
    Properties_Fish();
    lowest = std::min(lowest, SwimHorses(1).Y.Value());
    highest = std::max(highest, SwimHorses(1).Y.Value());
  }
  EXPECT_GE(lowest, 267);
  EXPECT_LE(highest, 514);
  EXPECT_LT(lowest, 300);
  EXPECT_GT(highest, 480);
}

TEST_F(PropertiesTest, BubbleColumnsDriftApartAndRiseFromTheirSixths) {
  std::set<int> right_xs, left_xs;
  for (int run = 0; run < 60; ++run) {
    Properties_Other();
    for (int i = 1; i <= 50; ++i) {
      for (const Sprite* b : {&BubblesRight(i), &BubblesLeft(i)}) {
        EXPECT_EQ(b->DX, i <= 25 ? 3 : -3) << i;
        EXPECT_EQ(b->DY, -6);
        EXPECT_GE(b->Y, 0);
        EXPECT_LE(b->Y, 768);
      }
      right_xs.insert(BubblesRight(i).X.Value());
      left_xs.insert(BubblesLeft(i).X.Value());
    }
  }
  EXPECT_EQ(*right_xs.begin(), 853);
  EXPECT_EQ(*right_xs.rbegin(), 1013);
  EXPECT_EQ(*left_xs.begin(), 0);
  EXPECT_EQ(*left_xs.rbegin(), 160);
  EXPECT_EQ(BubblesRight(1).ImageFile, "") << "the right column draws with the left's sheet";
}

TEST_F(PropertiesTest, DropsWaitAboveTheScreenAndEachBottleChecksItsOwnSheet) {
  media_.Remove("a_bottle2.bmp");
  Properties_Other();
  EXPECT_EQ(Bottles(1).Y, -51);
  EXPECT_EQ(Bottles(2).Y, -51);
  EXPECT_EQ(MofiaSnitch.Y, -144);
  EXPECT_EQ(Worm.Y, -60);
  EXPECT_EQ(Worm.State, "None");
  EXPECT_EQ(Bottles(1).Installed, rt::kTrue);
  EXPECT_EQ(Bottles(2).Installed, rt::kFalse);
}

TEST_F(PropertiesTest, OnlyTheFirstClamLooksItsSheetUp) {
  Properties_Fish();
  EXPECT_EQ(Clams(1).Installed, rt::kTrue);
  media_.Remove("a_clam.bmp");
  Properties_Fish();
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(Clams(i).Installed, rt::kFalse) << i;
}

TEST_F(PropertiesTest, VeryWideScreensStartCleanly) {
  for (int width : {7000, 7680, 21846}) {
    UseScreen(width, 1200);
    Worm.State = "";
    FillStartUpTables();
    EXPECT_TRUE(errors_.contexts().empty()) << width << ": " << errors_.contexts().front();
    EXPECT_EQ(Worm.State, "None") << "the table ran to its end";
    for (int i = 1; i <= 50; ++i) {
      EXPECT_GE(BubblesRight(i).X, width * 5 / 6);
      EXPECT_LE(BubblesRight(i).X, width - 11);
    }
  }
}

TEST_F(PropertiesTest, AnErrorStopsTheTableAndIsReported) {
  ScreenHeight = rt::Long::kMin;  // the anchor's height above the bottom overflows
  Worm.State = "";
  Properties_Other();
  EXPECT_EQ(Worm.State, "") << "records after the failing step keep their values";
  YellowFish(1).ImageFile = "";
  Properties_Fish();  // the first clam's height overflows
  EXPECT_EQ(YellowFish(1).ImageFile, "");
  EXPECT_EQ(errors_.contexts(), (std::vector<std::string>{"Animations/Properties_Other",
                                                          "Animations/Properties_Fish"}));
}

TEST_F(PropertiesTest, BackgroundNumberNamesItsPicture) {
  for (const auto& [choice, name] :
       {std::pair{4, "a_background4.bmp"}, {-3, "a_background-3.bmp"}}) {
    Background.Choice = choice;
    Properties_Scenery();
    EXPECT_EQ(Background.ImageFile, name);
  }
  Background.Choice = 0;
}

TEST_F(PropertiesTest, PreviewRecordsStartAsOneWholeCell) {
  Properties_Preview();
  for (const Sprite* p : {&ScenePreview, &PredatorPreview, &FishPreview, &OtherPreview}) {
    EXPECT_EQ(p->Width, 197);
    EXPECT_EQ(p->Height, 167);
    EXPECT_EQ(p->Frames, 1);
    EXPECT_EQ(p->X, 0);
    EXPECT_EQ(p->Y, 0);
  }
}

TEST_F(PropertiesTest, UnusedGroupElementsStayEmpty) {
  FillStartUpTables();
  const Sprite* unused[] = {&BlueDevils(0), &BlueDevils(8), &AngelFish(0),   &EmperorFish(0),
                            &SwimHorses(0), &RedFish(0),    &YellowFish(0),  &Clams(0),
                            &Bottles(0),    &Pillars(0),    &BubblesLeft(0), &BubblesRight(0)};
  for (const Sprite* s : unused) {
    EXPECT_EQ(s->ImageFile, "");
    EXPECT_EQ(s->Width, 0);
    EXPECT_EQ(s->X, 0);
    EXPECT_EQ(s->Frames, 0);
  }
}

}  // namespace
