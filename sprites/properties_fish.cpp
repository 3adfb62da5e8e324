// Starting values of the schools, the lone fish, the clams, the crab and the large creatures.
// Each block reseeds the generator before it draws, so items filled one after another within a
// clock tick still start differently.
#include <vector>

#include "host/starter.h"
#include "runtime/conversions.h"
#include "runtime/errors.h"
#include "runtime/random.h"
#include "sprites/animations.h"
#include "sprites/placement.h"

namespace {

struct Offset {
  int dx;
  int dy;
};

// One school: every member shares name, cell size, cell count and horizontal step.
struct School {
  const char* image_file;
  int width;
  int height;
  int frames;
  int dx;
  std::vector<Offset> offsets;  // members 2 to N from the leader
  std::vector<int> dy;          // members 1 to N
  std::vector<int> wobble;      // members 2 to N; empty for the schools that do not wobble
};

// clang-format off
const School kBlueDevils{"a_bluedevil.bmp", 30, 18, 7, -4,
    {{35, 25}, {45, -25}, {75, 15}, {85, -15}, {50, 0}, {115, 2}},
    {1, 1, 1, 1, 1, 1, 1}, {}};
const School kAngelFish{"a_angelfish.bmp", 40, 42, 10, -3,
    {{55, 55}, {75, -55}, {125, 15}, {145, -25}},
    {-1, -1, 1, 1, -1}, {40, 50, 10, 20}};
const School kEmperorFish{"a_emperorfish.bmp", 31, 20, 8, -4,
    {{35, -20}, {85, -45}, {125, -35}, {85, 45}, {125, 15}},
    {-1, 1, 0, -1, 0, 1}, {20, 20, 20, 18, 18}};
const School kSwimHorses{"a_swimhorse.bmp", 20, 21, 6, -2,
    {{25, 15}, {35, -15}, {55, 15}, {65, -15}},
    {1, 1, 1, 1, 1}, {}};
const School kRedFish{"a_redfish.bmp", 41, 31, 8, -5,
    {{55, 55}, {75, -55}, {125, 15}},
    {-1, -1, 1, 1}, {30, 20, 10}};
const School kYellowFish{"a_yellowfish.bmp", 33, 31, 8, -5,
    {{55, 55}, {75, -55}, {125, 15}, {145, -25}},
    {-1, -1, 1, 1, -1}, {40, 50, 10, 20}};
// clang-format on

enum class LeaderBand { Whole, LowerHalf };

// The lower half of the swimming band, BottomLimit / 2 taken as a fraction.
rt::Long RandomLowerHalfY(rt::Integer height) {
  const double half = BottomLimit / 2;
  const rt::Long band = BottomLimit - height;
  return rt::CLng(rt::Int(rt::Rnd() * (band.AsDouble() - half + 1) + half));
}

template <int Upper>
void FillSchool(rt::Array<Sprite, Upper>& school, const School& t,
                LeaderBand band = LeaderBand::Whole) {
  const int members = static_cast<int>(t.dy.size());
  // Schools that wobble take their vertical steps after the positions; the others swim level
  // with one step set in the member pass.
  const bool wobbles = !t.wobble.empty();
  for (int i = 1; i <= members; ++i) {
    rt::Randomize();
    Sprite& s = school(i);
    SetCells(s, t.width, t.height, t.frames);
    s.Frame = RandomStartFrame(s.Frames);
    s.DX = t.dx;
    if (!wobbles) s.DY = t.dy[i - 1];
    SetPicture(s, t.image_file);
  }

  rt::Randomize();
  Sprite& leader = school(1);
  leader.X = RandomSwimX(leader.Width);
  leader.Y =
      band == LeaderBand::LowerHalf ? RandomLowerHalfY(leader.Height) : RandomSwimY(leader.Height);
  for (int i = 2; i <= members; ++i) {
    school(i).X = leader.X + t.offsets[i - 2].dx;
    school(i).Y = leader.Y + t.offsets[i - 2].dy;
  }

  if (!wobbles) return;
  for (int i = 1; i <= members; ++i) school(i).DY = t.dy[i - 1];
  for (int i = 2; i <= members; ++i) school(i).WobblePeriod = t.wobble[i - 2];
}

struct Clam {
  int width;
  int height;
  int strip_offset;  // the small clams' cells follow the large clam's five in one sheet
  double x_offset;   // from the middle of the screen
  int raise;         // above the bottom edge
};
constexpr Clam kClams[] = {
    {40, 27, 0, +248, 184}, {30, 19, 200, +184, 160}, {30, 19, 200, +258, 120}};

void SetStill(Sprite& s, const Clam& c) {
  SetCells(s, c.width, c.height, 5);
  s.StripOffset = c.strip_offset;
  s.Frame = 0;
  s.DX = 0;
  s.DY = 0;
}

void PlaceClam(Sprite& s, const Clam& c) {
  s.X = CentreAnchoredX(c.x_offset);
  s.Y = ScreenHeight - c.raise;
}

// Only the first clam looks its sheet up: a missing sheet switches off all three.
void FillClams() {
  SetStill(Clams(1), kClams[0]);
  PlaceClam(Clams(1), kClams[0]);
  SetPicture(Clams(1), "a_clam.bmp");
  for (int i = 2; i <= 3; ++i) {
    SetStill(Clams(i), kClams[i - 1]);
    Clams(i).ImageFile = Clams(1).ImageFile;
  }
  for (int i = 2; i <= 3; ++i) PlaceClam(Clams(i), kClams[i - 1]);
}

struct Predator {
  Sprite* rec;
  const char* image_file;
  int width;
  int height;
  int frames;
  int dx;
  int dy;
  bool swims;  // false: the fixed start below
};
constexpr Position kOctopusStart{500, 200};

// Kept as it always was: the dolphin's sheet is named with a capital letter.
// clang-format off
const Predator kPredators[] = {
    {&Dolphin,    "a_Dolphin.bmp",    195, 54,  9,  -12, -1, true},
    {&TigerShark, "a_tigershark.bmp", 174, 66,  6,  -9,  -1, true},
    {&HammerHead, "a_hammerhead.bmp", 177, 71,  9,  8,   1,  true},
    {&Manatee,    "a_manatee.bmp",    148, 70,  8,  8,   1,  true},
    {&Octopus,    "a_octopus.bmp",    136, 81,  16, -6,  1,  false},
    {&Orca,       "a_orca.bmp",       138, 101, 8,  -10, 1,  true},
    {&Shark,      "a_shark.bmp",      130, 62,  6,  8,   1,  true},
    {&SwimMaid,   "a_swimmaid.bmp",   115, 149, 8,  -7,  -3, true},
    {&Tuna,       "a_tuna.bmp",       100, 46,  8,  -7,  1,  true},
    {&Whale,      "a_whale.bmp",      129, 73,  8,  6,   1,  true},
};
// clang-format on

}  // namespace

void Properties_Fish() {
  rt::Trap("Animations/Properties_Fish", [] {
    FillSchool(BlueDevils, kBlueDevils);
    FillSchool(AngelFish, kAngelFish);
    FillSchool(EmperorFish, kEmperorFish);

    rt::Randomize();
    SetCells(JellyFish, 56, 71, 31);
    JellyFish.Frame = RandomStartFrame(JellyFish.Frames);
    JellyFish.DX = 2;
    JellyFish.DY = -2;
    const Position jelly = RandomSwimPosition(JellyFish.Width, JellyFish.Height);
    JellyFish.X = jelly.X;
    JellyFish.Y = jelly.Y;
    SetPicture(JellyFish, "a_jellyfish.bmp");

    FillSchool(SwimHorses, kSwimHorses, LeaderBand::LowerHalf);
    FillSchool(RedFish, kRedFish);
    FillClams();

    SetCells(SeaHorse, 40, 45, 8);
    SeaHorse.Frame = 0;
    SeaHorse.DX = 0;
    SeaHorse.DY = 0;
    SeaHorse.X = CentreAnchoredX(-285);
    SeaHorse.Y = ScreenHeight - 70;
    SetPicture(SeaHorse, "a_seahorse.bmp");

    // The crab's script walks cells 0 to 7 itself; it starts on the last one.
    SetCells(Crab, 61, 40, 7);
    Crab.Frame = 7;
    Crab.DX = 0;
    Crab.DY = 0;
    Crab.X = CentreAnchoredX(-30.5);
    Crab.Y = ScreenHeight - Crab.Height;
    SetPicture(Crab, "a_crab.bmp");

    FillSchool(YellowFish, kYellowFish);
  });
}

void Properties_Predator() {
  rt::Trap("Animations/Properties_Predator", [] {
    for (const Predator& p : kPredators) {
      // Kept as it always was: the octopus reseeds too, though its start cell is its only
      // random value.
      rt::Randomize();
      Sprite& s = *p.rec;
      SetCells(s, p.width, p.height, p.frames);
      s.Frame = RandomStartFrame(s.Frames);
      s.DX = p.dx;
      s.DY = p.dy;
      const Position start = p.swims ? RandomSwimPosition(s.Width, s.Height) : kOctopusStart;
      s.X = start.X;
      s.Y = start.Y;
      SetPicture(s, p.image_file);
    }
  });
}
