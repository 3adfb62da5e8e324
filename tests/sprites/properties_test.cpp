#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "host/starter.h"
#include "runtime/conversions.h"
#include "runtime/random.h"
#include "sprites/animations.h"
#include "sprites/media_folder.h"

namespace {

using testing_media::MediaFolder;

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

std::vector<std::string> reports;
void Record(std::string_view context) {
  reports.emplace_back(context);
}

// The screen measurements and turn limits as start-up takes them.
void SetScreen(int width, int height) {
  ScreenWidth = width;
  ScreenHeight = height;
  TopLimit = rt::CInt(height * -0.25);
  BottomLimit = rt::Integer(height) - 65;
  RightLimit = rt::CInt(width * 1.5);
  LeftLimit = rt::CInt(width * -0.5);
}

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
    reports.clear();
    rt::SetErrorReporter(Record);
    SetScreen(1024, 768);
  }
  void TearDown() override {
    rt::SetRandomizeClockForTests(nullptr);
    rt::SetErrorReporter(nullptr);
  }
  MediaFolder media_;
};

struct Placed {
  const char* what;
  const Sprite* rec;
  int x;
  int y;
};

void ExpectPlaced(const std::vector<Placed>& expected) {
  for (const Placed& p : expected) {
    EXPECT_EQ(p.rec->X, p.x) << p.what;
    EXPECT_EQ(p.rec->Y, p.y) << p.what;
  }
}

TEST_F(PropertiesTest, FixedPositionsOnA1024x768Screen) {
  FillStartUpTables();
  ExpectPlaced({{"anchor", &Anchor, 187, 598},
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
                {"octopus", &Octopus, 500, 200}});
  EXPECT_TRUE(reports.empty());
}

TEST_F(PropertiesTest, FixedPositionsOnOtherScreens) {
  SetScreen(800, 600);
  FillStartUpTables();
  ExpectPlaced({{"anchor", &Anchor, 75, 430},
                {"eyes", &Eyes, 645, 550},
                {"sign", &MarinaSign, 300, 320},
                {"left pillar", &Pillars(1), 257, 311},
                {"right pillar", &Pillars(2), 480, 311},
                {"lifeguard", &Lifeguard, 368, 387},
                {"treasure", &Treasure, 346, 436},
                {"evil relic", &EvilRelic, 338, 418},
                {"octopus", &Octopus, 500, 200}});

  SetScreen(1025, 768);
  FillStartUpTables();
  ExpectPlaced(
      {{"anchor", &Anchor, 188, 598}, {"eyes", &Eyes, 758, 718}, {"sign", &MarinaSign, 412, 488}});

  SetScreen(640, 480);
  FillStartUpTables();
  ExpectPlaced({{"anchor", &Anchor, -5, 310}, {"octopus", &Octopus, 500, 200}});
  EXPECT_TRUE(reports.empty());
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
      EXPECT_EQ(group(i).Frames, frames) << what;
      EXPECT_GE(group(i).Frame, 0) << what << " " << i;
      EXPECT_LT(group(i).Frame, frames) << what << " " << i;
      cells.insert(group(i).Frame.Value());
    }
    EXPECT_GT(cells.size(), 1u) << what << ": every member starts on one cell";
  };
  expect_cells("blue devils", BlueDevils, 7, 7);
  expect_cells("angel fish", AngelFish, 5, 10);
  expect_cells("emperor fish", EmperorFish, 6, 8);
  expect_cells("sea horses", SwimHorses, 5, 6);
  expect_cells("yellow fish", YellowFish, 5, 8);
  expect_cells("red fish", RedFish, 4, 8);

  struct Single {
    const char* what;
    const Sprite* rec;
    int frames;
  };
  const Single singles[] = {{"jellyfish", &JellyFish, 31},  {"octopus", &Octopus, 16},
                            {"whale", &Whale, 8},           {"bottle 1", &Bottles(1), 13},
                            {"bottle 2", &Bottles(2), 13},  {"snitch", &MofiaSnitch, 6},
                            {"scuba diver", &ScubaDiver, 8}};
  for (const Single& s : singles) {
    EXPECT_GE(s.rec->Frame, 0) << s.what;
    EXPECT_LT(s.rec->Frame, s.frames) << s.what;
  }

  std::set<int> bubble_heights;
  for (int i = 1; i <= 50; ++i) bubble_heights.insert(BubblesLeft(i).Y.Value());
  EXPECT_GT(bubble_heights.size(), 10u);
}

TEST_F(PropertiesTest, SchoolsStartInFormationBehindTheirLeader) {
  FillStartUpTables();
  const Sprite& leader = AngelFish(1);
  EXPECT_GE(leader.X, LeftLimit);
  EXPECT_LE(leader.X, RightLimit - leader.Width);
  const int dx[] = {0, 55, 75, 125, 145};
  const int dy[] = {0, 55, -55, 15, -25};
  const int step[] = {-1, -1, 1, 1, -1};
  const int wobble[] = {0, 40, 50, 10, 20};
  for (int i = 1; i <= 5; ++i) {
    EXPECT_EQ(AngelFish(i).X - leader.X, dx[i - 1]) << i;
    EXPECT_EQ(AngelFish(i).Y - leader.Y, dy[i - 1]) << i;
    EXPECT_EQ(AngelFish(i).DY, step[i - 1]) << i;
    EXPECT_EQ(AngelFish(i).WobblePeriod, wobble[i - 1]) << i;
    EXPECT_EQ(AngelFish(i).DX, -3) << i;
    EXPECT_EQ(AngelFish(i).ImageFile, "a_angelfish.bmp");
  }
  EXPECT_EQ(BlueDevils(7).X - BlueDevils(1).X, 115);
  EXPECT_EQ(BlueDevils(7).Y - BlueDevils(1).Y, 2);
  for (int i = 1; i <= 7; ++i) {
    EXPECT_EQ(BlueDevils(i).DY, 1);
    EXPECT_EQ(BlueDevils(i).WobblePeriod, 0);
  }
  EXPECT_EQ(EmperorFish(3).DY, 0);
  EXPECT_EQ(EmperorFish(6).WobblePeriod, 18);
  EXPECT_EQ(RedFish(4).WobblePeriod, 10);
}

TEST_F(PropertiesTest, SeaHorseSchoolLeaderStartsInTheLowerHalf) {
  SetScreen(800, 600);
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

TEST_F(PropertiesTest, BubbleColumns) {
  std::set<int> right_xs, left_xs;
  for (int run = 0; run < 20; ++run) {
    Properties_Other();
    for (int i = 1; i <= 50; ++i) {
      for (const Sprite* b : {&BubblesRight(i), &BubblesLeft(i)}) {
        EXPECT_EQ(b->DX, i <= 25 ? 3 : -3) << i;
        EXPECT_EQ(b->DY, -6);
        EXPECT_EQ(b->Width, 11);
        EXPECT_EQ(b->Height, 10);
        EXPECT_EQ(b->Frames, 1);
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
  EXPECT_EQ(BubblesLeft(1).ImageFile, "a_bubble.bmp");
  EXPECT_EQ(BubblesLeft(1).Installed, rt::kTrue);
  EXPECT_EQ(BubblesRight(1).ImageFile, "") << "the right column draws with the left's sheet";
  EXPECT_EQ(BubblesLeft(2).ImageFile, "");
}

TEST_F(PropertiesTest, DropsWaitAboveTheScreen) {
  media_.Remove("a_bottle2.bmp");
  Properties_Other();
  EXPECT_EQ(Bottles(1).Y, -51);
  EXPECT_EQ(Bottles(2).Y, -51);
  EXPECT_EQ(MofiaSnitch.Y, -144);
  EXPECT_EQ(Worm.Y, -60);
  EXPECT_EQ(Worm.State, "None");
  EXPECT_EQ(Bottles(1).ImageFile, "a_bottle1.bmp");
  EXPECT_EQ(Bottles(2).ImageFile, "a_bottle2.bmp");
  EXPECT_EQ(Bottles(1).Installed, rt::kTrue);
  EXPECT_EQ(Bottles(2).Installed, rt::kFalse) << "each bottle checks its own sheet";
}

TEST_F(PropertiesTest, OnlyTheFirstClamLooksItsSheetUp) {
  Properties_Fish();
  EXPECT_EQ(Clams(1).Installed, rt::kTrue);
  media_.Remove("a_clam.bmp");
  Properties_Fish();
  EXPECT_EQ(Clams(1).Installed, rt::kFalse);
  for (int i = 2; i <= 3; ++i) {
    EXPECT_EQ(Clams(i).ImageFile, "a_clam.bmp");
    EXPECT_EQ(Clams(i).Installed, rt::kFalse);
    EXPECT_EQ(Clams(i).StripOffset, 200);
  }
}

TEST_F(PropertiesTest, PictureNamesAreFoundWhateverTheirCase) {
  media_.Remove("a_Dolphin.bmp");
  media_.Touch("A_DOLPHIN.BMP");
  Properties_Predator();
  EXPECT_EQ(Dolphin.ImageFile, "a_Dolphin.bmp");
  EXPECT_EQ(Dolphin.Installed, rt::kTrue);
  media_.Remove("A_DOLPHIN.BMP");
  Properties_Predator();
  EXPECT_EQ(Dolphin.Installed, rt::kFalse);
  EXPECT_EQ(Whale.Installed, rt::kTrue);
}

TEST_F(PropertiesTest, VeryWideScreensStartCleanly) {
  for (int width : {7000, 7680}) {
    SetScreen(width, 1200);
    Worm.State = "";
    FillStartUpTables();
    EXPECT_TRUE(reports.empty()) << width << ": " << reports.front();
    EXPECT_EQ(Worm.State, "None") << "the table ran to its end";
    for (int i = 1; i <= 50; ++i) {
      EXPECT_GE(BubblesRight(i).X, width * 5 / 6);
      EXPECT_LE(BubblesRight(i).X, width - 11);
    }
  }
}

TEST_F(PropertiesTest, AnErrorStopsTheTableAndIsReported) {
  SetScreen(1024, 768);
  ScreenHeight = -32700;  // the anchor's height above the bottom overflows 16 bits
  Worm.State = "";
  Properties_Other();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0], "Animations/Properties_Other");
  EXPECT_EQ(Worm.State, "") << "records after the failing step keep their values";

  reports.clear();
  YellowFish(1).ImageFile = "";
  Properties_Fish();  // the first clam's height overflows
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0], "Animations/Properties_Fish");
  EXPECT_EQ(YellowFish(1).ImageFile, "");
}

TEST_F(PropertiesTest, SceneryHoldersAndCentrepieces) {
  Background.Choice = 4;
  Lifeguard.FrameStep = 0;
  Mermaid.FrameStep = 0;
  Properties_Scenery();
  EXPECT_EQ(Background.ImageFile, "a_background4.bmp");
  EXPECT_EQ(Background.Width, 640);
  EXPECT_EQ(Background.Height, 480);
  EXPECT_EQ(Foreground.ImageFile, "a_foreground0.bmp");
  EXPECT_EQ(Foreground.Width, 784);
  EXPECT_EQ(Foreground.Height, 247);
  EXPECT_EQ(Palette.ImageFile, "a_palette.bmp");
  EXPECT_EQ(Palette.Installed, rt::kFalse) << "the holders get no file check";
  EXPECT_EQ(Lifeguard.FrameStep, 1);
  EXPECT_EQ(Mermaid.FrameStep, 0);
  EXPECT_EQ(Watch.ImageFile, "a_watch.bmp");
  EXPECT_EQ(Watch.Installed, rt::kTrue);
  Background.Choice = -3;
  Properties_Scenery();
  EXPECT_EQ(Background.ImageFile, "a_background-3.bmp");
  Background.Choice = 0;
}

TEST_F(PropertiesTest, PreviewRecordsStartAsOneWholeCell) {
  Properties_Preview();
  for (const Sprite* p : {&ScenePreview, &PredatorPreview, &FishPreview, &OtherPreview}) {
    EXPECT_EQ(p->Width, 197);
    EXPECT_EQ(p->Height, 167);
    EXPECT_EQ(p->Frames, 1);
    EXPECT_EQ(p->Frame, 0);
    EXPECT_EQ(p->X, 0);
    EXPECT_EQ(p->Y, 0);
    EXPECT_EQ(p->Installed, rt::kFalse);
  }
  EXPECT_EQ(ScenePreview.ImageFile, "a_previewscenery.bmp");
  EXPECT_EQ(PredatorPreview.ImageFile, "a_previewother.bmp");
  EXPECT_EQ(OtherPreview.ImageFile, "a_previewother.bmp");
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
    EXPECT_EQ(s->Installed, 0);
  }
}

}  // namespace
