#include "sprites/surfaces.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "anim_test_support.h"
#include "host/starter.h"
#include "sprites/animations.h"
#include "sprites/media_folder.h"

namespace {

using testing_media::MediaFolder;
using win::RGB;

constexpr win::COLORREF kBlack = RGB(0, 0, 0);
constexpr win::COLORREF kWhite = RGB(255, 255, 255);
constexpr win::COLORREF kSea = RGB(50, 60, 70);

// Every test starts from a 24-bit palette picture and leaves no surface behind.
class SurfacesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ScreenWidth = 40;
    ScreenHeight = 20;
    media_.WritePicture("a_palette.bmp", 1, 1, [](int, int) { return RGB(1, 2, 3); });
    Palette.ImageFile = "a_palette.bmp";
    GenerateDC(Palette);
  }
  void TearDown() override {
    for (Sprite* s : {&Palette, &Buffer, &Background, &Foreground}) RemoveDC(*s);
    EXPECT_EQ(win::LiveDCCount(), live_dcs_) << "a surface leaked or was freed twice";
    EXPECT_EQ(win::LiveBitmapCount(), live_bitmaps_);
    EXPECT_TRUE(errors_.contexts().empty()) << errors_.contexts().front();
  }

  // A back buffer of the screen's size, all sea colour.
  void MakeSeaBuffer() {
    GenerateColorDC();
    for (int y = 0; y < ScreenHeight.Value(); ++y)
      for (int x = 0; x < ScreenWidth.Value(); ++x) win::SetPixel(BufferDC(), x, y, kSea);
  }

  const int live_dcs_ = win::LiveDCCount();
  const int live_bitmaps_ = win::LiveBitmapCount();
  MediaFolder media_;
  anim_test::ErrorRecorder errors_;
};

// Cell 1 of a two-cell, 3 x 2 sheet: pure black, nearly black, and ordinary colours.
constexpr win::COLORREF kCell[2][3] = {{kBlack, RGB(0, 0, 1), RGB(255, 0, 0)},
                                       {RGB(1, 0, 0), RGB(0, 1, 0), RGB(200, 100, 50)}};

void WriteTwoCellSheet(const MediaFolder& media) {
  media.WritePicture("a_sheet.bmp", 6, 2,
                     [](int x, int y) { return x < 3 ? RGB(9, 9, 9) : kCell[y][x - 3]; });
}

TEST_F(SurfacesTest, OnlyPureBlackIsTransparent) {
  WriteTwoCellSheet(media_);
  struct Case {
    int frame;
    int strip_offset;
  };
  for (const Case c : {Case{1, 0}, Case{0, 3}}) {
    SCOPED_TRACE(testing::Message() << "frame " << c.frame << ", offset " << c.strip_offset);
    MakeSeaBuffer();
    Sprite r;
    r.ImageFile = "a_sheet.bmp";
    r.Width = 3;
    r.Height = 2;
    r.Frame = c.frame;
    r.StripOffset = c.strip_offset;
    GenerateDC(r);
    EXPECT_EQ(win::BitsPerPixel(r.MaskDC), 1);
    EXPECT_EQ(win::GetPixel(r.MaskDC, 3, 0), kWhite);
    EXPECT_EQ(win::GetPixel(r.MaskDC, 4, 0), kBlack) << "(0,0,1) is not transparent";

    DrawSpriteCell(r, r, 10, 5);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) {
        const win::COLORREF expected = kCell[y][x] == kBlack ? kSea : kCell[y][x];
        EXPECT_EQ(win::GetPixel(BufferDC(), 10 + x, 5 + y), expected) << x << "," << y;
      }
    }
    EXPECT_EQ(win::GetPixel(BufferDC(), 9, 5), kSea);
    EXPECT_EQ(win::GetPixel(BufferDC(), 13, 6), kSea);
    EXPECT_EQ(win::GetPixel(BufferDC(), 10, 7), kSea);
  }
}

TEST_F(SurfacesTest, MaskRowDrawReadsTheMaskRowNotTheBlackPixels) {
  // Two 2 x 2 cells over their mask row. Cell 1 holds an opaque black pixel and a coloured
  // pixel that its mask marks transparent, which a black-keyed draw would treat the other way.
  const win::COLORREF picture[2][2] = {{kBlack, RGB(128, 0, 0)}, {RGB(0, 200, 0), kBlack}};
  const win::COLORREF mask[2][2] = {{kBlack, kWhite}, {kBlack, kWhite}};
  media_.WritePicture("a_rows.bmp", 4, 4, [&](int x, int y) {
    if (x < 2) return y < 2 ? RGB(9, 9, 9) : kBlack;
    return y < 2 ? picture[y][x - 2] : mask[y - 2][x - 2];
  });
  MakeSeaBuffer();
  Sprite r;
  r.ImageFile = "a_rows.bmp";
  r.Width = 2;
  r.Height = 2;
  r.Frame = 1;
  GenerateDC(r);
  DrawMaskRowCell(r, r, 4, 4);
  EXPECT_EQ(win::GetPixel(BufferDC(), 4, 4), kBlack) << "opaque black is drawn";
  EXPECT_EQ(win::GetPixel(BufferDC(), 5, 4), kSea | RGB(128, 0, 0)) << "ORed onto the sea";
  EXPECT_EQ(win::GetPixel(BufferDC(), 4, 5), RGB(0, 200, 0));
  EXPECT_EQ(win::GetPixel(BufferDC(), 5, 5), kSea);
  EXPECT_EQ(win::GetPixel(BufferDC(), 6, 4), kSea);
}

TEST_F(SurfacesTest, CellSourceOverflowTakesTheCallersErrorPath) {
  MakeSeaBuffer();
  Sprite r;
  r.Width = 200;
  r.Height = 2;
  r.Frame = 200;  // 40000 does not fit 16 bits
  try {
    DrawSpriteCell(r, r, 0, 0);
    ADD_FAILURE() << "no overflow";
  } catch (const rt::RuntimeError& e) {
    EXPECT_EQ(e.Number(), rt::kOverflow);
  }
  EXPECT_THROW(DrawMaskRowCell(r, r, 0, 0), rt::RuntimeError);
  r.Frame = 100;  // 20000 fits; the strip offset is added in 32 bits
  r.StripOffset = 100000;
  EXPECT_NO_THROW(DrawSpriteCell(r, r, 0, 0));
}

TEST_F(SurfacesTest, MissingPictureGivesEmptySurfacesThatDrawNothing) {
  MakeSeaBuffer();
  Sprite r;
  r.ImageFile = "a_missing.bmp";
  r.Width = 3;
  r.Height = 2;
  GenerateDC(r);
  ASSERT_NE(r.ImageDC, 0);
  ASSERT_NE(r.MaskDC, 0);
  EXPECT_EQ(win::BitmapWidth(r.MaskDC), 1);
  EXPECT_EQ(win::BitmapHeight(r.MaskDC), 1);
  EXPECT_EQ(win::BitsPerPixel(r.MaskDC), 1);
  r.Frame = 1;
  DrawSpriteCell(r, r, 5, 5);
  DrawMaskRowCell(r, r, 5, 5);
  for (int y = 4; y < 8; ++y)
    for (int x = 4; x < 9; ++x) EXPECT_EQ(win::GetPixel(BufferDC(), x, y), kSea) << x << "," << y;
  RemoveDC(r);
}

TEST_F(SurfacesTest, ACopySharesSurfacesUntilItIsRebuilt) {
  WriteTwoCellSheet(media_);
  const int before = win::LiveDCCount();
  Whale.ImageFile = "a_sheet.bmp";
  GenerateDC(Whale);
  const win::HDC image = Whale.ImageDC;
  const win::HDC mask = Whale.MaskDC;
  const int with_whale = win::LiveDCCount();

  PredatorPreview = Whale;
  EXPECT_EQ(PredatorPreview.ImageDC, image);
  EXPECT_EQ(PredatorPreview.MaskDC, mask);
  EXPECT_EQ(win::LiveDCCount(), with_whale) << "copying makes no surface";

  GenerateDC(PredatorPreview);
  EXPECT_NE(PredatorPreview.ImageDC, image);
  EXPECT_EQ(Whale.ImageDC, image);
  EXPECT_EQ(Whale.MaskDC, mask);
  EXPECT_EQ(win::LiveDCCount(), with_whale + 2);

  RemoveDC(PredatorPreview);
  EXPECT_EQ(win::GetPixel(Whale.ImageDC, 5, 1), kCell[1][2]) << "the source's surface is alive";
  EXPECT_EQ(win::GetPixel(Whale.MaskDC, 3, 0), kWhite);

  PredatorPreview = Whale;
  RemoveDC(Whale);
  EXPECT_EQ(win::LiveDCCount(), with_whale) << "the copy still holds them";
  RemoveDC(PredatorPreview);
  EXPECT_EQ(win::LiveDCCount(), before);
}

TEST_F(SurfacesTest, RebuildingARecordLetsGoOfItsOldSurfaces) {
  WriteTwoCellSheet(media_);
  Sprite r;
  r.ImageFile = "a_sheet.bmp";
  GenerateDC(r);
  const int once = win::LiveDCCount();
  const int bitmaps = win::LiveBitmapCount();
  GenerateDC(r);
  GenerateDC(r);
  EXPECT_EQ(win::LiveDCCount(), once);
  EXPECT_EQ(win::LiveBitmapCount(), bitmaps);
  RemoveDC(r);
  EXPECT_EQ(r.ImageDC, 0);
  EXPECT_EQ(r.MaskDC, 0);
  const int removed = win::LiveDCCount();
  RemoveDC(r);
  EXPECT_EQ(win::LiveDCCount(), removed) << "a second RemoveDC releases nothing";
}

TEST_F(SurfacesTest, BackBufferIsScreenSizedInThePalettesFormatAndReused) {
  GenerateColorDC();
  const win::HDC buffer = BufferDC();
  EXPECT_EQ(win::BitmapWidth(buffer), 40);
  EXPECT_EQ(win::BitmapHeight(buffer), 20);
  EXPECT_EQ(win::BitsPerPixel(buffer), win::BitsPerPixel(Palette.ImageDC));
  EXPECT_EQ(win::GetPixel(buffer, 39, 19), kBlack);
  const int bitmaps = win::LiveBitmapCount();
  ScreenWidth = 30;
  GenerateColorDC();
  EXPECT_EQ(BufferDC(), buffer);
  EXPECT_EQ(win::BitmapWidth(buffer), 30);
  EXPECT_EQ(win::LiveBitmapCount(), bitmaps) << "the old back buffer's bitmap was freed";
}

TEST_F(SurfacesTest, MissingPaletteMakesTheScreenSurfacesOneBitDeep) {
  RemoveDC(Palette);
  Palette.ImageFile = "a_nopalette.bmp";
  GenerateDC(Palette);
  Foreground.Width = 784;
  Foreground.Height = 247;
  Foreground.ImageFile = "a_foreground0.bmp";
  Background.ImageFile = "a_background1.bmp";
  Background.Height = 480;
  GenerateColorDC();
  GenerateBackgroundDC();
  GenerateForegroundDC();
  for (win::HDC dc : {BufferDC(), Background.ImageDC.Handle(), Foreground.ImageDC.Handle()}) {
    EXPECT_EQ(win::BitsPerPixel(dc), 1);
    EXPECT_EQ(win::BitmapWidth(dc), 40);
  }
  EXPECT_EQ(win::BitmapHeight(Foreground.ImageDC), 247);
}

// The quadrants of a 640 x 480 picture land on the quadrants of the screen, shrunk or enlarged.
TEST_F(SurfacesTest, BackgroundIsStretchedOverTheScreen) {
  const win::COLORREF quadrant[2][2] = {{RGB(200, 0, 0), RGB(0, 200, 0)},
                                        {RGB(0, 0, 200), RGB(200, 200, 0)}};
  media_.WritePicture("a_background2.bmp", 640, 480,
                      [&](int x, int y) { return quadrant[y / 240][x / 320]; });
  Background.Choice = 2;
  Background.ImageFile = "a_background2.bmp";
  Background.Height = 480;
  struct Screen {
    int width;
    int height;
  };
  for (const Screen s : {Screen{64, 48}, Screen{1280, 960}, Screen{800, 600}}) {
    SCOPED_TRACE(testing::Message() << s.width << " x " << s.height);
    ScreenWidth = s.width;
    ScreenHeight = s.height;
    GenerateBackgroundDC();
    const win::HDC bg = Background.ImageDC;
    EXPECT_EQ(win::BitmapWidth(bg), s.width);
    EXPECT_EQ(win::BitmapHeight(bg), s.height);
    const int w = s.width, h = s.height;
    for (int qy = 0; qy < 2; ++qy) {
      for (int qx = 0; qx < 2; ++qx) {
        const int left = qx * w / 2, top = qy * h / 2;
        EXPECT_EQ(win::GetPixel(bg, left, top), quadrant[qy][qx]);
        EXPECT_EQ(win::GetPixel(bg, left + w / 2 - 1, top + h / 2 - 1), quadrant[qy][qx]);
      }
    }
  }
}

// Each picture column has a colour of its own, so a strip column shows which one it holds.
win::COLORREF ForegroundColumn(int x) {
  return RGB(x % 256, x / 256 + 1, 77);
}

struct Span {
  int first;
  int last;
  int picture_first;  // -1: black, transparent
};
struct StripCase {
  int screen_width;
  std::vector<Span> spans;
};

class ForegroundStripTest : public SurfacesTest, public ::testing::WithParamInterface<StripCase> {};

TEST_P(ForegroundStripTest, PictureIsCentredAndRepeatedToBothEnds) {
  media_.WritePicture("a_foreground0.bmp", 784, 247,
                      [](int x, int) { return ForegroundColumn(x); });
  Foreground.Width = 784;
  Foreground.Height = 247;
  Foreground.ImageFile = "a_foreground0.bmp";
  ScreenWidth = GetParam().screen_width;
  GenerateForegroundDC();
  const win::HDC strip = Foreground.ImageDC;
  const win::HDC mask = Foreground.MaskDC;
  ASSERT_EQ(win::BitmapWidth(strip), ScreenWidth.Value());
  ASSERT_EQ(win::BitmapHeight(strip), 247);
  int covered = 0;
  for (const Span& span : GetParam().spans) {
    for (int x = span.first; x <= span.last; ++x) {
      const bool black = span.picture_first < 0;
      const win::COLORREF want =
          black ? kBlack : ForegroundColumn(span.picture_first + x - span.first);
      for (int y : {0, 246}) {
        ASSERT_EQ(win::GetPixel(strip, x, y), want) << "column " << x << ", row " << y;
        ASSERT_EQ(win::GetPixel(mask, x, y), black ? kWhite : kBlack) << "column " << x;
      }
      ++covered;
    }
  }
  EXPECT_EQ(covered, ScreenWidth.Value()) << "the cases name every column";
}

INSTANTIATE_TEST_SUITE_P(
    ScreenWidths, ForegroundStripTest,
    ::testing::Values(
        StripCase{1024, {{0, 119, 664}, {120, 903, 0}, {904, 1023, 0}}},
        StripCase{800, {{0, 7, 776}, {8, 791, 0}, {792, 799, 0}}},
        StripCase{1025, {{0, 119, 664}, {120, 903, 0}, {904, 1024, 0}}},
        StripCase{640, {{0, 639, 72}}}, StripCase{784, {{0, 783, 0}}},
        StripCase{2352, {{0, 783, 0}, {784, 1567, 0}, {1568, 2351, 0}}},
        StripCase{2400,
                  {{0, 23, 760}, {24, 807, 0}, {808, 1591, 0}, {1592, 2375, 0}, {2376, 2399, 0}}}),
    [](const auto& info) { return std::to_string(info.param.screen_width); });

TEST_F(SurfacesTest, MissingSceneryPicturesLeaveBlackTransparentSurfaces) {
  Background.ImageFile = "a_background0.bmp";
  Background.Height = 480;
  Foreground.Width = 784;
  Foreground.Height = 247;
  Foreground.ImageFile = "a_foreground0.bmp";
  GenerateBackgroundDC();
  GenerateForegroundDC();
  for (int x = 0; x < 40; x += 3) {
    EXPECT_EQ(win::GetPixel(Background.ImageDC, x, 10), kBlack);
    EXPECT_EQ(win::GetPixel(Foreground.ImageDC, x, 100), kBlack);
    EXPECT_EQ(win::GetPixel(Foreground.MaskDC, x, 100), kWhite);
  }
}

TEST(TrimPathTest, KeepsWhatFollowsTheLastBackslash) {
  struct Case {
    const char* path;
    const char* trimmed;
  };
  const Case cases[] = {
      {"C:\\WINDOWS\\Quorvane\\Solmere Finbrook\\a_crab.bmp", "a_crab.bmp"},
      {"a_crab.bmp", "a_crab.bmp"},
      {"C:\\WINDOWS\\", ""},
      {"", ""},
      {"\\\\", ""},
      {"C:/media/a_crab.bmp", "C:/media/a_crab.bmp"},  // only the backslash separates
  };
  for (const Case& c : cases) EXPECT_EQ(TrimPath(c.path), c.trimmed) << c.path;
}

TEST(FileInstallCheckTest, OnlyOneNormalFileCountsWhateverTheCaseOfItsName) {
  MediaFolder media;
  anim_test::ErrorRecorder errors;
  media.Touch("a_dolphin.bmp");
  media.Touch("a_crab.bmp");
  media.Touch(".a_hidden.bmp");
  std::filesystem::create_directory(media.Folder() / "a_folder.bmp");
  const std::pair<const char*, bool> cases[] = {{"a_Dolphin.bmp", true}, {"A_CRAB.BMP", true},
                                                {"a_crab.bmp", true},    {"a_*.bmp", false},
                                                {"a_cra?.bmp", false},   {"*", false},
                                                {"a_folder.bmp", false}, {".a_hidden.bmp", false},
                                                {"a_whale.bmp", false},  {"", false}};
  for (const auto& [name, installed] : cases)
    EXPECT_EQ(FileInstallCheck(DataDir + name), rt::Truth(installed)) << '"' << name << '"';
  EXPECT_TRUE(errors.contexts().empty()) << "a missing file is not an error";
  EXPECT_EQ(FileInstallCheck(DataDir + "a|crab.bmp"), rt::kFalse);
  EXPECT_EQ(errors.contexts(), std::vector<std::string>{"System/FileInstallCheck"});
}

}  // namespace
