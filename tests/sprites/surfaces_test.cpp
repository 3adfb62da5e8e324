#include "sprites/surfaces.h"

#include <filesystem>

#include "anim_test_support.h"
#include "sprites/media_folder.h"

namespace anim_test {
namespace {

using win::RGB;

// Every test starts on a 40 x 20 screen with a 24-bit palette picture and a back buffer of the
// sea colour, and leaves no surface behind.
class SurfacesTest : public SpriteTest {
 protected:
  void SetUp() override {
    SpriteTest::SetUp();
    ScreenWidth = 40;
    ScreenHeight = 20;
    media_.WritePicture("a_palette.bmp", 1, 1, [](int, int) { return RGB(1, 2, 3); });
    Palette.ImageFile = "a_palette.bmp";
    GenerateDC(Palette);
    GiveBuffer(40, 20);
  }
  void TearDown() override {
    SpriteTest::TearDown();
    EXPECT_TRUE(win::LiveDCCount() == live_dcs_ && win::LiveBitmapCount() == live_bitmaps_)
        << "a surface leaked or was freed twice";
  }
  const int live_dcs_ = win::LiveDCCount(), live_bitmaps_ = win::LiveBitmapCount();
  testing_media::MediaFolder media_;
};

// Cell 1 of a two-cell, 3 x 2 sheet: pure black, nearly black, and ordinary colours.
constexpr win::COLORREF kCell[2][3] = {{kBlack, RGB(0, 0, 1), RGB(255, 0, 0)},
                                       {RGB(1, 0, 0), RGB(0, 1, 0), RGB(200, 100, 50)}};

Sprite LoadedTwoCellSheet(const testing_media::MediaFolder& media) {
  media.WritePicture("a_sheet.bmp", 6, 2,
                     [](int x, int y) { return x < 3 ? RGB(9, 9, 9) : kCell[y][x - 3]; });
  Sprite r{.Height = 2, .Width = 3, .Frame = 1, .ImageFile = "a_sheet.bmp"};
  GenerateDC(r);
  return r;
}

TEST_F(SurfacesTest, OnlyPureBlackIsTransparent) {
  const Sprite r = LoadedTwoCellSheet(media_);
  EXPECT_EQ(win::BitsPerPixel(r.MaskDC), 1);
  DrawSpriteCell(r, r, 10, 5);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(At(10 + x, 5 + y), kCell[y][x] == kBlack ? kSea : kCell[y][x]) << x << "," << y;
    }
  }
  EXPECT_TRUE(At(9, 5) == kSea && At(13, 6) == kSea && At(10, 7) == kSea) << "only the cell";
}

// Two 2 x 2 cells over their mask row. Cell 1 holds an opaque black pixel and a coloured pixel
// that its mask marks transparent, which a black-keyed draw would treat the other way.
TEST_F(SurfacesTest, MaskRowDrawReadsTheMaskRowNotTheBlackPixels) {
  const win::COLORREF picture[2][2] = {{kBlack, RGB(128, 0, 0)}, {RGB(0, 200, 0), kBlack}};
  media_.WritePicture("a_rows.bmp", 4, 4, [&](int x, int y) {
    if (x < 2) return y < 2 ? RGB(9, 9, 9) : kBlack;
    return y < 2 ? picture[y][x - 2] : x == 3 ? kWhite : kBlack;
  });
  Sprite r{.Height = 2, .Width = 2, .Frame = 1, .ImageFile = "a_rows.bmp"};
  GenerateDC(r);
  DrawMaskRowCell(r, r, 4, 4);
  EXPECT_EQ(At(4, 4), kBlack) << "opaque black is drawn";
  EXPECT_EQ(At(5, 4), kSea | RGB(128, 0, 0)) << "ORed onto the sea";
  EXPECT_TRUE(At(4, 5) == RGB(0, 200, 0) && At(5, 5) == kSea && At(6, 4) == kSea);
}

// A rebuilt record lets go of its old surfaces, a copy shares them until it is rebuilt, and the
// last holder frees them.
TEST_F(SurfacesTest, ACopySharesSurfacesUntilItIsRebuilt) {
  const int before = win::LiveDCCount();
  Whale = LoadedTwoCellSheet(media_);
  GenerateDC(Whale);
  EXPECT_EQ(win::LiveDCCount(), before + 2);
  const win::HDC image = Whale.ImageDC, mask = Whale.MaskDC;
  PredatorPreview = Whale;
  EXPECT_TRUE(PredatorPreview.ImageDC == image && PredatorPreview.MaskDC == mask);
  GenerateDC(PredatorPreview);
  EXPECT_NE(PredatorPreview.ImageDC, image);
  EXPECT_TRUE(Whale.ImageDC == image && Whale.MaskDC == mask);
  RemoveDC(PredatorPreview);

  PredatorPreview = Whale;
  RemoveDC(Whale);
  EXPECT_EQ(win::LiveDCCount(), before + 2) << "the copy still holds them";
  RemoveDC(PredatorPreview);
  RemoveDC(PredatorPreview);
  EXPECT_EQ(win::LiveDCCount(), before) << "a second RemoveDC releases nothing";
}

// A record's missing picture gives a 1 x 1 surface that draws nothing. The back buffer, the
// background and the coral strip are made in the palette picture's format, one bit deep without
// it, screen-wide, and black and transparent without their own pictures.
TEST_F(SurfacesTest, MissingPicturesLeaveSurfacesThatDrawNothingOrStayBlack) {
  Sprite r{.Height = 2, .Width = 3, .Frame = 1, .ImageFile = "a_missing.bmp"};
  GenerateDC(r);
  EXPECT_TRUE(r.ImageDC != 0 && win::BitmapWidth(r.MaskDC) == 1 &&
              win::BitsPerPixel(r.MaskDC) == 1);
  DrawSpriteCell(r, r, 5, 5);
  DrawMaskRowCell(r, r, 5, 5);
  EXPECT_TRUE(At(5, 5) == kSea && At(7, 6) == kSea);
  Foreground = {.Height = 247, .Width = 784, .ImageFile = "a_foreground0.bmp"};
  Background = {.Height = 480, .ImageFile = "a_background0.bmp"};
  const win::HDC buffer = BufferDC();
  for (const char* palette : {"a_nopalette.bmp", "a_palette.bmp"}) {
    Palette = {.ImageFile = palette};
    GenerateDC(Palette);
    GenerateColorDC();
    GenerateBackgroundDC();
    GenerateForegroundDC();
    for (win::HDC dc : {BufferDC(), Background.ImageDC.Handle(), Foreground.ImageDC.Handle()}) {
      EXPECT_TRUE(win::BitsPerPixel(dc) == win::BitsPerPixel(Palette.ImageDC) &&
                  win::BitmapWidth(dc) == 40)
          << palette << ": " << win::BitsPerPixel(dc) << " bits";
    }
  }
  EXPECT_TRUE(BufferDC() == buffer && win::BitmapHeight(Foreground.ImageDC) == 247);
  for (int x = 0; x < 40; x += 3) {
    EXPECT_TRUE(win::GetPixel(Background.ImageDC, x, 10) == kBlack &&
                win::GetPixel(Foreground.ImageDC, x, 100) == kBlack &&
                win::GetPixel(Foreground.MaskDC, x, 100) == kWhite)
        << x;
  }
}

// The quadrants of a 640 x 480 picture land on the quadrants of the screen, shrunk or enlarged.
TEST_F(SurfacesTest, BackgroundIsStretchedOverTheScreen) {
  const win::COLORREF quadrant[2][2] = {{RGB(200, 0, 0), RGB(0, 200, 0)},
                                        {RGB(0, 0, 200), RGB(200, 200, 0)}};
  media_.WritePicture("a_background2.bmp", 640, 480,
                      [&](int x, int y) { return quadrant[y / 240][x / 320]; });
  Background = {.Height = 480, .ImageFile = "a_background2.bmp"};
  for (const auto& [w, h] : {std::pair{64, 48}, {1280, 960}, {800, 600}}) {
    ScreenWidth = w;
    ScreenHeight = h;
    GenerateBackgroundDC();
    const win::HDC bg = Background.ImageDC;
    EXPECT_TRUE(win::BitmapWidth(bg) == w && win::BitmapHeight(bg) == h);
    for (int q = 0; q < 4; ++q) {
      const int left = q % 2 * w / 2, top = q / 2 * h / 2;
      EXPECT_EQ(win::GetPixel(bg, left, top), quadrant[q / 2][q % 2]) << w << ", " << q;
    }
  }
}

// Each picture column has a colour of its own, so a strip column shows which one it holds.
win::COLORREF CoralColumn(int x) {
  return RGB(x % 256, x / 256 + 1, 77);
}

// For each screen width, spans that cover every column of the strip: the first and last column
// and the picture's column shown at the first. No column is left black.
TEST_F(SurfacesTest, CoralPictureIsCentredAndRepeatedToBothEndsOfAnyScreen) {
  media_.WritePicture("a_foreground0.bmp", 784, 247, [](int x, int) { return CoralColumn(x); });
  Foreground = {.Height = 247, .Width = 784, .ImageFile = "a_foreground0.bmp"};
  // clang-format off
  const std::pair<int, std::vector<std::tuple<int, int, int>>> cases[] = {
      {1024, {{0, 119, 664}, {120, 903, 0}, {904, 1023, 0}}},
      {800, {{0, 7, 776}, {8, 791, 0}, {792, 799, 0}}},
      {1025, {{0, 119, 664}, {120, 903, 0}, {904, 1024, 0}}},
      {640, {{0, 639, 72}}}, {784, {{0, 783, 0}}},
      {2352, {{0, 783, 0}, {784, 1567, 0}, {1568, 2351, 0}}},
      {2400, {{0, 23, 760}, {24, 807, 0}, {808, 1591, 0}, {1592, 2375, 0}, {2376, 2399, 0}}}};
  // clang-format on
  for (const auto& [width, spans] : cases) {
    ScreenWidth = width;
    GenerateForegroundDC();
    ASSERT_EQ(win::BitmapWidth(Foreground.ImageDC), width);
    for (const auto& [first, last, picture_first] : spans) {
      for (int x = first; x <= last; ++x) {
        for (int y : {0, 246}) {
          ASSERT_EQ(win::GetPixel(Foreground.ImageDC, x, y), CoralColumn(picture_first + x - first))
              << width << ": " << x << ", " << y;
          ASSERT_EQ(win::GetPixel(Foreground.MaskDC, x, y), kBlack) << "opaque at " << x;
        }
      }
    }
  }
}

TEST_F(SurfacesTest, OnlyOneNormalFileIsInstalledWhateverTheCaseOfItsName) {
  // Which names Dir finds (no folder, no hidden file, no pattern) is its own test's.
  for (const char* name : {"a_dolphin.bmp", "a_crab.bmp"}) media_.Touch(name);
  const std::pair<const char*, bool> cases[] = {{"a_Dolphin.bmp", true},
                                                {"A_CRAB.BMP", true},
                                                {"a_*.bmp", false},
                                                {"a_whale.bmp", false},
                                                {"", false}};
  for (const auto& [name, installed] : cases)
    EXPECT_EQ(FileInstallCheck(DataDir + name), rt::Truth(installed)) << '"' << name << '"';
  EXPECT_TRUE(errors_.contexts().empty()) << "a missing file is not an error";
  EXPECT_EQ(FileInstallCheck(DataDir + "a|crab.bmp"), rt::kFalse);
  EXPECT_EQ(errors_.contexts(), std::vector<std::string>{"System/FileInstallCheck"});
  EXPECT_TRUE(TrimPath("a_crab.bmp") == "a_crab.bmp" && TrimPath("C:\\WINDOWS\\").empty() &&
              TrimPath("C:/a_crab.bmp") == "C:/a_crab.bmp")
      << "the name is what follows the last backslash";
}

}  // namespace
}  // namespace anim_test
