// The picture set written by the media generator: names, geometry, format, transparency, mask
// rows, seamless tiling and loops, the watch's dial and glass, and repeatability.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "mediagen/media.h"
#include "mediagen/pictures.h"
#include "tools/media_test_support.h"

namespace {

namespace fs = std::filesystem;

struct Rgb8 {
  int r = 0, g = 0, b = 0;
  bool Black() const { return r == 0 && g == 0 && b == 0; }
  bool White() const { return r == 255 && g == 255 && b == 255; }
};

struct Bmp {
  int width = 0, height = 0, bits = 0, compression = -1, info_size = 0;
  bool bottom_up = false;
  std::vector<Rgb8> pixels;  // top row first
  const Rgb8& At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

std::int32_t Le32(const std::vector<std::uint8_t>& d, size_t at) {
  return static_cast<std::int32_t>(d[at] | d[at + 1] << 8 | d[at + 2] << 16 |
                                   static_cast<std::uint32_t>(d[at + 3]) << 24);
}

Bmp ReadBmp(const fs::path& p) {
  const auto d = media_test::ReadBytes(p);
  Bmp b;
  if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') return b;
  const std::int32_t offset = Le32(d, 10);
  b.info_size = Le32(d, 14);
  b.width = Le32(d, 18);
  const std::int32_t h = Le32(d, 22);
  b.bottom_up = h > 0;
  b.height = std::abs(h);
  b.bits = d[28] | d[29] << 8;
  b.compression = Le32(d, 30);
  if (b.bits != 24) return b;
  const size_t row = (static_cast<size_t>(b.width) * 3 + 3) & ~size_t{3};
  if (d.size() < offset + row * b.height) return b;
  b.pixels.resize(static_cast<size_t>(b.width) * b.height);
  for (int y = 0; y < b.height; ++y) {
    const size_t src = offset + row * (b.bottom_up ? b.height - 1 - y : y);
    for (int x = 0; x < b.width; ++x) {
      const size_t i = src + 3 * x;
      b.pixels[static_cast<size_t>(y) * b.width + x] = {d[i + 2], d[i + 1], d[i]};
    }
  }
  return b;
}

// Each file: cell size, number of cells in the row, whether a mask row follows.
struct Sheet {
  int w, h, cells;
  bool mask;
};

const std::map<std::string, Sheet>& Expected() {
  static const std::map<std::string, Sheet> kSheets = {
      {"a_palette.bmp", {16, 16, 1, false}},
      {"a_background1.bmp", {640, 480, 1, false}},
      {"a_background2.bmp", {640, 480, 1, false}},
      {"a_background3.bmp", {640, 480, 1, false}},
      {"a_background4.bmp", {640, 480, 1, false}},
      {"a_backgroundpreview1.bmp", {197, 167, 1, false}},
      {"a_backgroundpreview2.bmp", {197, 167, 1, false}},
      {"a_backgroundpreview3.bmp", {197, 167, 1, false}},
      {"a_backgroundpreview4.bmp", {197, 167, 1, false}},
      {"a_foreground0.bmp", {784, 247, 1, false}},
      {"a_foregroundpreview0.bmp", {197, 167, 1, false}},
      {"a_previewscenery.bmp", {197, 167, 1, false}},
      {"a_previewother.bmp", {197, 167, 1, false}},
      {"a_preview.bmp", {152, 112, 6, false}},
      {"a_bluedevil.bmp", {30, 18, 14, true}},
      {"a_angelfish.bmp", {40, 42, 20, true}},
      {"a_emperorfish.bmp", {31, 20, 16, true}},
      {"a_swimhorse.bmp", {20, 21, 12, true}},
      {"a_redfish.bmp", {41, 31, 16, true}},
      {"a_yellowfish.bmp", {33, 31, 16, true}},
      {"a_jellyfish.bmp", {56, 71, 62, false}},
      {"a_seahorse.bmp", {40, 45, 8, false}},
      {"a_crab.bmp", {61, 40, 8, true}},
      {"a_clam.bmp", {350, 27, 1, true}},
      {"a_Dolphin.bmp", {195, 54, 18, false}},
      {"a_tigershark.bmp", {174, 66, 12, false}},
      {"a_hammerhead.bmp", {177, 71, 18, false}},
      {"a_manatee.bmp", {148, 70, 16, false}},
      {"a_octopus.bmp", {136, 81, 32, false}},
      {"a_orca.bmp", {138, 101, 16, false}},
      {"a_shark.bmp", {130, 62, 12, false}},
      {"a_swimmaid.bmp", {115, 149, 16, false}},
      {"a_tuna.bmp", {100, 46, 16, false}},
      {"a_whale.bmp", {129, 73, 16, false}},
      {"a_anchor.bmp", {76, 83, 5, false}},
      {"a_bottle1.bmp", {32, 51, 13, false}},
      {"a_bottle2.bmp", {32, 51, 13, false}},
      {"a_bubble.bmp", {11, 10, 1, true}},
      {"a_heart.bmp", {15, 14, 8, true}},
      {"a_diverhead.bmp", {129, 150, 8, false}},
      {"a_eyes.bmp", {30, 12, 6, false}},
      {"a_marinasign.bmp", {55, 141, 6, false}},
      {"a_mofiasnitch.bmp", {65, 144, 6, false}},
      {"a_pillar.bmp", {63, 169, 2, false}},
      {"a_scubadiver.bmp", {150, 90, 16, false}},
      {"a_worm.bmp", {37, 60, 5, true}},
      {"a_mermaid.bmp", {138, 120, 8, false}},
      {"a_swimdude.bmp", {64, 131, 6, false}},
      {"a_lifeguard.bmp", {91, 156, 5, false}},
      {"a_scubadude.bmp", {92, 155, 3, false}},
      {"a_treasure.bmp", {109, 94, 4, true}},
      {"a_evilrelic.bmp", {125, 122, 1, false}},
      {"a_bather.bmp", {90, 123, 8, false}},
      {"a_watch.bmp", {110, 126, 2, false}},
  };
  return kSheets;
}

// Whole scenes with no transparency at all.
bool Opaque(const std::string& name) {
  return name.find("background") != std::string::npos ||
         name.find("preview") != std::string::npos || name == "a_palette.bmp";
}

double ColumnDifference(const Bmp& b, int x0, int x1) {
  double sum = 0;
  for (int y = 0; y < b.height; ++y) {
    const Rgb8 &p = b.At(x0, y), &q = b.At(x1, y);
    sum += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
  }
  return sum / b.height;
}

// The checks read the media folder that the build generates; the repeatability check runs the
// generator itself twice, into folders of its own.
class PicturesTest : public ::testing::Test {
 protected:
  static fs::path Media() { return media_test::MediaDir(); }
  static Bmp Load(const std::string& name) { return ReadBmp(Media() / name); }
};

TEST_F(PicturesTest, WritesExactlyTheFiftyFourNamedPictures) {
  std::vector<std::string> written;
  for (const auto& e : fs::directory_iterator(Media())) {
    const std::string name = e.path().filename().string();
    if (e.path().extension() == ".bmp") written.push_back(name);
  }
  std::sort(written.begin(), written.end());
  std::vector<std::string> expected;
  for (const auto& [name, sheet] : Expected()) expected.push_back(name);
  EXPECT_EQ(expected.size(), 54u);
  EXPECT_EQ(written, expected);
  EXPECT_FALSE(fs::exists(Media() / "a_background0.bmp"));
}

TEST_F(PicturesTest, EveryFileIsAnUncompressedBottomUp24BitBitmapOfItsSheetSize) {
  for (const auto& [name, s] : Expected()) {
    SCOPED_TRACE(name);
    const Bmp b = Load(name);
    EXPECT_EQ(b.info_size, 40);
    EXPECT_EQ(b.bits, 24);
    EXPECT_EQ(b.compression, 0);
    EXPECT_TRUE(b.bottom_up);
    EXPECT_EQ(b.width, name == "a_clam.bmp" ? 350 : s.w * s.cells);
    EXPECT_EQ(b.height, s.mask ? 2 * s.h : s.h);
  }
}

TEST_F(PicturesTest, MaskRowsMarkExactlyTheBlackPixelsOfThePictureRow) {
  for (const auto& [name, s] : Expected()) {
    if (!s.mask) continue;
    SCOPED_TRACE(name);
    const Bmp b = Load(name);
    ASSERT_EQ(b.height, 2 * s.h);
    int wrong = 0;
    for (int y = 0; y < s.h; ++y) {
      for (int x = 0; x < b.width; ++x) {
        const Rgb8 &pic = b.At(x, y), &mask = b.At(x, y + s.h);
        wrong += pic.Black() ? !mask.White() : !mask.Black();
      }
    }
    EXPECT_EQ(wrong, 0);
  }
}

TEST_F(PicturesTest, OpaquePixelsAreNeverNearlyBlackAndScenesHaveNoHoles) {
  for (const auto& [name, s] : Expected()) {
    SCOPED_TRACE(name);
    const Bmp b = Load(name);
    int near_black = 0, transparent = 0;
    for (int y = 0; y < s.h; ++y) {
      for (int x = 0; x < b.width; ++x) {
        const Rgb8& p = b.At(x, y);
        if (p.Black()) {
          ++transparent;
        } else if (std::max({p.r, p.g, p.b}) < mediagen::kDarkest) {
          ++near_black;
        }
      }
    }
    EXPECT_EQ(near_black, 0);
    if (Opaque(name)) {
      EXPECT_EQ(transparent, 0);
    }
  }
}

TEST_F(PicturesTest, EveryCellThatAScriptCanShowHasAPicture) {
  for (const auto& [name, s] : Expected()) {
    SCOPED_TRACE(name);
    const Bmp b = Load(name);
    for (int x0 = 0; x0 + s.w <= b.width; x0 += s.w) {
      int opaque = 0;
      for (int y = 0; y < s.h; ++y) {
        for (int x = x0; x < x0 + s.w; ++x) opaque += !b.At(x, y).Black();
      }
      EXPECT_GT(opaque, 0) << "cell at x " << x0;
    }
  }
  const Bmp clam = Load("a_clam.bmp");  // the small clams' cells from x 200
  for (int x0 = 200; x0 < 350; x0 += 30) {
    int opaque = 0;
    for (int y = 0; y < 19; ++y) {
      for (int x = x0; x < x0 + 30; ++x) opaque += !clam.At(x, y).Black();
    }
    EXPECT_GT(opaque, 0) << "small clam at x " << x0;
  }
}

TEST_F(PicturesTest, SecondDirectionStripIsTheMirrorOfTheFirst) {
  for (const char* name : {"a_bluedevil.bmp", "a_angelfish.bmp", "a_Dolphin.bmp", "a_whale.bmp",
                           "a_hammerhead.bmp", "a_swimmaid.bmp", "a_octopus.bmp"}) {
    SCOPED_TRACE(name);
    const Sheet s = Expected().at(name);
    const Bmp b = Load(name);
    const int frames = s.cells / 2;
    int differ = 0;
    for (int f = 0; f < frames; ++f) {
      for (int y = 0; y < s.h; ++y) {
        for (int x = 0; x < s.w; ++x) {
          const Rgb8 &a = b.At(f * s.w + x, y), &m = b.At((frames + f + 1) * s.w - 1 - x, y);
          differ += a.r != m.r || a.g != m.g || a.b != m.b;
        }
      }
    }
    EXPECT_EQ(differ, 0);
  }
}

TEST_F(PicturesTest, ForegroundEdgesContinueIntoEachOther) {
  const Bmp b = Load("a_foreground0.bmp");
  double typical = 0;
  for (int x = 1; x < b.width; ++x) typical += ColumnDifference(b, x - 1, x);
  typical /= b.width - 1;
  EXPECT_LT(ColumnDifference(b, b.width - 1, 0), 2.0 * typical);
  int opaque_bottom = 0;  // the sea floor runs the whole width
  for (int x = 0; x < b.width; ++x) opaque_bottom += !b.At(x, b.height - 1).Black();
  EXPECT_EQ(opaque_bottom, b.width);
}

TEST_F(PicturesTest, PreviewLoopRunsOnFromItsLastCellIntoItsFirst) {
  const Bmp b = Load("a_preview.bmp");
  const auto cell_difference = [&b](int c0, int c1) {
    double sum = 0;
    for (int y = 0; y < 112; ++y) {
      for (int x = 0; x < 152; ++x) {
        const Rgb8 &p = b.At(c0 * 152 + x, y), &q = b.At(c1 * 152 + x, y);
        sum += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
      }
    }
    return sum;
  };
  double largest_step = 0;
  for (int c = 1; c < 6; ++c) largest_step = std::max(largest_step, cell_difference(c - 1, c));
  EXPECT_GT(largest_step, 0);  // it does move
  EXPECT_LE(cell_difference(5, 0), 1.25 * largest_step);
}

TEST_F(PicturesTest, WatchDialIsLightAroundItsCentreAndTheGlassLeavesTheHandsVisible) {
  const Bmp b = Load("a_watch.bmp");
  int dark_face = 0, covered = 0;
  for (int y = 69 - 26; y <= 69 + 26; ++y) {
    for (int x = 53 - 26; x <= 53 + 26; ++x) {
      if (std::hypot(x - 53, y - 69) > 26) continue;
      const Rgb8& dial = b.At(x, y);
      const bool mark = std::hypot(x - 53, y - 69) < 3 || std::hypot(x - 53, y - 69) > 23;
      if (!mark && dial.r + dial.g + dial.b < 3 * 180) ++dark_face;
      covered += !b.At(110 + x, y).Black();
    }
  }
  EXPECT_EQ(dark_face, 0);
  EXPECT_EQ(covered, 0);
}

TEST_F(PicturesTest, WormHangsFromTheLineAtColumnNineInEveryCell) {
  const Bmp b = Load("a_worm.bmp");
  for (int cell = 0; cell < 5; ++cell) EXPECT_FALSE(b.At(cell * 37 + 9, 0).Black()) << cell;
}

TEST_F(PicturesTest, TheEyesOpenFromTheirRestCellAndHalfCloseOnTheBlink) {
  const Bmp b = Load("a_eyes.bmp");
  const auto bright = [&b](int cell) {
    int n = 0;
    for (int y = 0; y < 12; ++y) {
      for (int x = cell * 30; x < cell * 30 + 30; ++x)
        n += b.At(x, y).r > 180 && b.At(x, y).g > 140;
    }
    return n;
  };
  for (int cell = 1; cell <= 5; ++cell) EXPECT_LT(bright(cell), bright(cell - 1)) << cell;
  EXPECT_EQ(bright(5), 0);
}

TEST_F(PicturesTest, GenerationIsRepeatableByteForByte) {
  std::vector<std::string> names;
  for (const auto& [name, sheet] : Expected()) names.push_back(name);
  media_test::ExpectWrittenTheSameOnEveryRun(mediagen::WritePictures, names);
}

}  // namespace
