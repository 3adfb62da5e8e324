// The media set as the generator writes it, read back with the program's own readers: the
// pictures' geometry and transparency, the songs' audition points, the bubbles' loop, and the
// same bytes on every run.
#include "mediagen/media.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "mediagen/draw.h"
#include "platform/bmp_reader.h"
#include "platform/midi_file.h"
#include "platform/wav_reader.h"

namespace {

namespace fs = std::filesystem;

const fs::path kMedia = FINBROOK_MEDIA_DIR;

std::vector<std::uint8_t> Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Media, EveryRunWritesTheBuildsFilesByteForByte) {
  for (int run = 0; run < 2; ++run) {
    std::string pattern = fs::path(testing::TempDir()) / "finbrook_media_XXXXXX";
    const fs::path dir = ::mkdtemp(pattern.data());
    for (const auto write : {mediagen::WritePictures, mediagen::WriteSongs, mediagen::WriteSounds})
      write(dir);
    for (const auto& file : fs::directory_iterator(kMedia))
      EXPECT_EQ(Bytes(dir / file.path().filename()), Bytes(file.path())) << file.path();
    fs::remove_all(dir);
  }
}

// Scenes are opaque; sprites are transparent where black, some with a mask row under the cells.
enum Look { kScene, kSprite, kMasked };

struct Sheet {
  const char* name;
  int w, h, cells;
  Look look;
};

// clang-format off
constexpr Sheet kSheets[] = {
    {"palette", 16, 16, 1, kScene}, {"background1", 640, 480, 1, kScene},
    {"background2", 640, 480, 1, kScene}, {"background3", 640, 480, 1, kScene},
    {"background4", 640, 480, 1, kScene}, {"backgroundpreview1", 197, 167, 1, kScene},
    {"backgroundpreview2", 197, 167, 1, kScene}, {"backgroundpreview3", 197, 167, 1, kScene},
    {"backgroundpreview4", 197, 167, 1, kScene}, {"foreground0", 784, 247, 1, kSprite},
    {"foregroundpreview0", 197, 167, 1, kScene}, {"previewscenery", 197, 167, 1, kScene},
    {"previewother", 197, 167, 1, kScene}, {"preview", 152, 112, 6, kScene},
    {"bluedevil", 30, 18, 14, kMasked}, {"angelfish", 40, 42, 20, kMasked},
    {"emperorfish", 31, 20, 16, kMasked}, {"swimhorse", 20, 21, 12, kMasked},
    {"redfish", 41, 31, 16, kMasked}, {"yellowfish", 33, 31, 16, kMasked},
    {"jellyfish", 56, 71, 62, kSprite}, {"seahorse", 40, 45, 8, kSprite},
    {"crab", 61, 40, 8, kMasked}, {"clam", 350, 27, 1, kMasked}, {"Dolphin", 195, 54, 18, kSprite},
    {"tigershark", 174, 66, 12, kSprite}, {"hammerhead", 177, 71, 18, kSprite},
    {"manatee", 148, 70, 16, kSprite}, {"octopus", 136, 81, 32, kSprite},
    {"orca", 138, 101, 16, kSprite}, {"shark", 130, 62, 12, kSprite},
    {"swimmaid", 115, 149, 16, kSprite}, {"tuna", 100, 46, 16, kSprite},
    {"whale", 129, 73, 16, kSprite}, {"anchor", 76, 83, 5, kSprite},
    {"bottle1", 32, 51, 13, kSprite}, {"bottle2", 32, 51, 13, kSprite},
    {"bubble", 11, 10, 1, kMasked}, {"heart", 15, 14, 8, kMasked},
    {"diverhead", 129, 150, 8, kSprite}, {"eyes", 30, 12, 6, kSprite},
    {"marinasign", 55, 141, 6, kSprite}, {"mofiasnitch", 65, 144, 6, kSprite},
    {"pillar", 63, 169, 2, kSprite}, {"scubadiver", 150, 90, 16, kSprite},
    {"worm", 37, 60, 5, kMasked}, {"mermaid", 138, 120, 8, kSprite},
    {"swimdude", 64, 131, 6, kSprite}, {"lifeguard", 91, 156, 5, kSprite},
    {"scubadude", 92, 155, 3, kSprite}, {"treasure", 109, 94, 4, kMasked},
    {"evilrelic", 125, 122, 1, kSprite}, {"bather", 90, 123, 8, kSprite},
    {"watch", 110, 126, 2, kSprite}};
// clang-format on

const Sheet& Find(const std::string& sheet) {
  return *std::find_if(std::begin(kSheets), std::end(kSheets),
                       [&](const Sheet& s) { return s.name == sheet; });
}

// A picture's pixels as the program reads them: 0x00RRGGBB, top row first.
struct Picture {
  win::BmpImage image;
  explicit Picture(const std::string& sheet)
      : image(win::DecodeBmp(Bytes(kMedia / ("a_" + sheet + ".bmp"))).value()) {}
  std::uint32_t At(int x, int y) const { return image.words.at(y * image.width + x); }
  int Opaque(int x0, int y0, int w, int h) const {
    int opaque = 0;
    for (int y = y0; y < y0 + h; ++y)
      for (int x = x0; x < x0 + w; ++x) opaque += At(x, y) != 0;
    return opaque;
  }
  // How many separate pieces the opaque pixels of a block make, touching corners joining.
  int Pieces(int x0, int y0, int w, int h) const {
    std::vector<int> seen(w * h), todo;
    int pieces = 0;
    for (int i = 0; i < w * h; ++i) {
      if (seen[i] || At(x0 + i % w, y0 + i / w) == 0) continue;
      for (++pieces, todo = {i}, seen[i] = 1; !todo.empty();) {
        const int j = todo.back();
        todo.pop_back();
        for (int d = 0; d < 9; ++d) {
          const int x = j % w + d % 3 - 1, y = j / w + d / 3 - 1;
          if (x >= 0 && y >= 0 && x < w && y < h && !seen[y * w + x] && At(x0 + x, y0 + y))
            seen[y * w + x] = 1, todo.push_back(y * w + x);
        }
      }
    }
    return pieces;
  }
  // The sum over the channels of the differences between two blocks of w x h at the top.
  double Difference(int x0, int x1, int w, int h) const {
    double sum = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        for (int shift : {0, 8, 16})
          sum += std::abs(int(At(x0 + x, y) >> shift & 0xFF) - int(At(x1 + x, y) >> shift & 0xFF));
      }
    }
    return sum;
  }
};

TEST(Pictures, EachSheetIsA24BitBitmapOfItsSizeWithItsMaskNoEmptyCellAndNoNearBlack) {
  for (const auto& [sheet, w, h, cells, look] : kSheets) {
    SCOPED_TRACE(sheet);
    const std::vector<std::uint8_t> file = Bytes(kMedia / ("a_" + std::string(sheet) + ".bmp"));
    // The plain 40-byte header, rows bottom-up, uncompressed.
    ASSERT_GE(file.size(), 54u);
    EXPECT_TRUE(file[14] == 40 && file[25] < 0x80 && file[28] == 24 && file[30] == 0);
    const Picture p(sheet);
    ASSERT_EQ(p.image.width, w * cells);
    ASSERT_EQ(p.image.height, look == kMasked ? 2 * h : h);
    int near_black = 0, wrong_mask = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < p.image.width; ++x) {
        const std::uint32_t pixel = p.At(x, y);
        near_black += pixel != 0 &&
                      std::max({pixel & 0xFF, pixel >> 8 & 0xFF, pixel >> 16}) < mediagen::kDarkest;
        if (look == kMasked) wrong_mask += p.At(x, y + h) != (pixel == 0 ? 0xFFFFFFu : 0u);
      }
    }
    EXPECT_EQ(near_black, 0);
    EXPECT_EQ(wrong_mask, 0);
    for (int x0 = 0; x0 < p.image.width; x0 += w) EXPECT_GT(p.Opaque(x0, 0, w, h), 0) << x0;
    EXPECT_TRUE(look != kScene || p.Opaque(0, 0, p.image.width, h) == p.image.width * h)
        << "a hole";
  }
  const Picture clam("clam");  // the small clams' cells, 30 x 19 from x 200
  for (int x0 = 200; x0 < 350; x0 += 30) EXPECT_GT(clam.Opaque(x0, 0, 30, 19), 0) << x0;
}

// What the program draws or picks from these sheets: a swimmer's second strip is its first
// mirrored cell by cell, the worm's line ends on the knot at column nine of each cell, and the
// eyes open from their rest cell and shut cell by cell on the blink.
TEST(Pictures, StripsMirrorTheWormHangsFromColumnNineAndTheEyesShutCellByCell) {
  for (const std::string sheet :
       {"bluedevil", "angelfish", "Dolphin", "whale", "hammerhead", "swimmaid", "octopus"}) {
    const Sheet& s = Find(sheet);
    const Picture p(sheet);
    const int frames = s.cells / 2;
    int differ = 0;
    for (int y = 0; y < s.h; ++y) {
      for (int x = 0; x < frames * s.w; ++x)
        differ += p.At(x, y) != p.At((frames + x / s.w + 1) * s.w - 1 - x % s.w, y);
    }
    EXPECT_EQ(differ, 0) << sheet;
  }
  const Picture worm("worm"), eyes("eyes");
  for (int cell = 0; cell < 5; ++cell) EXPECT_NE(worm.At(cell * 37 + 9, 0), 0u) << cell;
  int bright[6] = {};
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 180; ++x)
      bright[x / 30] += (eyes.At(x, y) >> 16) > 180 && (eyes.At(x, y) >> 8 & 0xFF) > 140;
  }
  for (int cell = 1; cell <= 5; ++cell) EXPECT_LT(bright[cell], bright[cell - 1]) << cell;
  EXPECT_EQ(bright[5], 0);
}

// Thin parts hold together: every cell of these sheets is one piece, with no tentacle broken
// into dashes and no tail tip left floating; the worm keeps clear of its cell's left and bottom.
TEST(Pictures, ThinCreaturesStayInOnePieceAndTheWormIsNotCutOff) {
  for (const std::string sheet : {"jellyfish", "swimhorse", "swimmaid", "octopus", "worm"}) {
    const Sheet& s = Find(sheet);
    const Picture p(sheet);
    for (int c = 0; c < s.cells; ++c) EXPECT_EQ(p.Pieces(c * s.w, 0, s.w, s.h), 1) << sheet << c;
  }
  EXPECT_EQ(Picture("worm").Opaque(0, 59, 5 * 37, 1), 0) << "the bottom row";
  for (int x = 0; x < 5 * 37; x += 37) EXPECT_EQ(Picture("worm").Opaque(x, 0, 1, 60), 0) << x;
}

// No seam stands out from the steps inside: the coral strip repeats edge to edge over its sea
// floor, and the preview loop runs on from its last cell into its first.
TEST(Pictures, TheCoralStripTilesAndThePreviewLoopsWithoutASeam) {
  const Picture coral("foreground0"), loop("preview");
  double typical = 0;
  for (int x = 1; x < 784; ++x) typical += coral.Difference(x - 1, x, 1, 247) / 783;
  EXPECT_LT(coral.Difference(783, 0, 1, 247), 2 * typical);
  EXPECT_EQ(coral.Opaque(0, 246, 784, 1), 784) << "the sea floor";
  double largest_step = 0;
  for (int c = 1; c < 6; ++c)
    largest_step = std::max(largest_step, loop.Difference((c - 1) * 152, c * 152, 152, 112));
  EXPECT_GT(largest_step, 0) << "it does move";
  EXPECT_LE(loop.Difference(5 * 152, 0, 152, 112), 1.25 * largest_step);
}

// The settings dialog plays these songs from these sixteenths on: an instrument, not a drum,
// must strike there within a thirty-second note.
TEST(Songs, AnInstrumentStrikesAtEachAuditionPoint) {
  const struct { int song, sixteenth; } auditions[] = {{1, 110}, {2, 10}, {3, 30}, {5, 30}};
  for (const auto [song, sixteenth] : auditions) {
    const auto name = "a_song" + std::to_string(song) + ".Mid";
    const midi::Sequence s = midi::ParseMidi(Bytes(kMedia / name)).value();
    const double tick = sixteenth * s.division / 4.0;
    const double from = s.SecondsAt(tick), to = s.SecondsAt(tick + s.division / 8.0);
    EXPECT_TRUE(std::any_of(s.events.begin(), s.events.end(),
                            [&](const midi::Event& e) {
                              return (e.status & 0xF0) == 0x90 && e.data2 > 0 &&
                                     (e.status & 0x0F) != 9 && e.seconds >= from && e.seconds < to;
                            }))
        << name << " from sixteenth " << sixteenth;
  }
}

double Rms(const std::vector<float>& s, std::size_t from, std::size_t count) {
  double sum = 0;
  for (std::size_t i = from; i < from + count; ++i) sum += double(s[i]) * s[i];
  return std::sqrt(sum / count);
}

// The bubbles loop endlessly: long enough that no pattern is heard coming round, in bursts at
// uneven times and of uneven sizes, the last sample running into the first like any two
// neighbours. A burst is where the level of 20 ms windows rises over three times the water's
// murmur (their median) after eight quiet ones; its size, the energy of its loud windows.
TEST(SoundEffects, TheBubblesLoopAtLengthInUnevenBurstsWithoutAClick) {
  const std::vector<std::uint8_t> file = Bytes(kMedia / "a_sound0.wav");
  constexpr std::uint8_t kFormat[] = {16, 0, 0,    0,    1, 0, 1, 0, 0x22, 0x56,
                                      0,  0, 0x44, 0xAC, 0, 0, 2, 0, 16,   0};
  ASSERT_TRUE(file.size() > 36 && std::equal(std::begin(kFormat), std::end(kFormat), &file[16]))
      << "PCM, mono, 22050 Hz (44100 bytes a second), 16 bits";
  const std::vector<float> s = audio::ParseWav(file).value().samples;
  EXPECT_GE(s.size() / 22050.0, 15.0);
  EXPECT_LE(s.size() / 22050.0, 20.0);
  std::vector<double> steps;
  for (std::size_t i = 1; i < s.size(); ++i) steps.push_back(std::abs(s[i] - s[i - 1]));
  std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
  EXPECT_LE(std::abs(s.front() - s.back()), steps[steps.size() * 99 / 100]) << "a click";

  std::vector<double> levels;
  for (std::size_t at = 0; at + 441 <= s.size(); at += 441) levels.push_back(Rms(s, at, 441));
  std::vector<double> sorted = levels;
  std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
  std::vector<double> onsets, energies;
  for (std::size_t i = 0, quiet = 0; i < levels.size(); ++i) {
    const bool loud = levels[i] > 3 * sorted[sorted.size() / 2];
    if (loud && quiet >= 8) onsets.push_back(i / 50.0), energies.push_back(0);
    if (loud && !energies.empty()) energies.back() += levels[i] * levels[i];
    quiet = loud ? 0 : quiet + 1;
  }
  ASSERT_GE(onsets.size(), 6u);
  std::vector<double> gaps;  // round the loop: the last burst is followed by the first
  for (std::size_t i = 0; i < onsets.size(); ++i)
    gaps.push_back((i + 1 < onsets.size() ? onsets[i + 1] : onsets[0] + s.size() / 22050.0) -
                   onsets[i]);
  const auto [shortest, longest] = std::minmax_element(gaps.begin(), gaps.end());
  EXPECT_GT(*longest, 3 * *shortest) << "a steady beat";
  EXPECT_LT(*longest, 3.0) << "a long silence";
  const auto [softest, strongest] = std::minmax_element(energies.begin(), energies.end());
  EXPECT_GT(*strongest, 4 * *softest) << "bursts all alike";
}

}  // namespace
