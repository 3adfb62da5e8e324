#include "platform/gdi.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "bmp_test_files.h"
#include "platform/gdi_raster.h"

namespace {

using win::COLORREF;
using win::HDC;
using win::RGB;
using win::Rop;

// The colours the little pictures are drawn with, one letter each.
const std::map<char, COLORREF> kLegend = {
    {'K', RGB(0, 0, 0)},   {'W', RGB(255, 255, 255)}, {'R', RGB(200, 0, 0)}, {'G', RGB(0, 160, 0)},
    {'B', RGB(0, 0, 220)}, {'Y', RGB(200, 160, 0)},   {'k', RGB(0, 0, 1)},   {'.', RGB(90, 90, 90)},
};

// The colour table of the 8-bit pictures: index 0 black, 1 red, 2 blue, 3 white, then the rest.
const std::vector<std::uint32_t> kPalette = {0x000000, 0xC80000, 0x0000DC, 0xFFFFFF,
                                             0x00A000, 0xC8A000, 0x5A5A5A};
const std::string kPaletteLetters = "KRBWGY.";

using Picture = std::vector<std::string>;
const Picture kBlank4x4 = {"....", "....", "....", "...."};

class Gdi : public testing::Test {
 protected:
  // Every test ends with each DC it made deleted; nothing may leak or be freed twice.
  void TearDown() override {
    for (HDC dc : made_) EXPECT_TRUE(win::DeleteDC(dc));
    EXPECT_EQ(win::LiveDCCount(), dcs_before_);
    EXPECT_EQ(win::LiveBitmapCount(), bitmaps_before_);
  }

  HDC NewDc() {
    const HDC dc = win::CreateCompatibleDC(0);
    made_.push_back(dc);
    return dc;
  }

  // A DC holding a new bitmap of the given depth, painted from rows of legend letters.
  HDC Surface(int bits, const Picture& rows) {
    const HDC dc = NewDc();
    const int w = static_cast<int>(rows[0].size());
    const int h = static_cast<int>(rows.size());
    win::SelectObject(dc, win::CreateBitmap(w, h, 1, bits, nullptr));
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) win::SetPixel(dc, x, y, kLegend.at(rows[y][x]));
    }
    return dc;
  }

  // A DC holding a picture loaded from a BMP file written from layout.
  HDC Loaded(const bmptest::Layout& layout) {
    // Named after the test: CTest may run tests side by side.
    const std::string path = testing::TempDir() + "gdi_test_" +
                             testing::UnitTest::GetInstance()->current_test_info()->name() + ".bmp";
    bmptest::Write(path, bmptest::File(layout));
    const win::HBITMAP bitmap =
        win::LoadImageA(0, path, win::IMAGE_BITMAP, 0, 0,
                        win::LR_LOADFROMFILE | win::LR_DEFAULTSIZE | win::LR_CREATEDIBSECTION);
    EXPECT_NE(bitmap, 0);
    const HDC dc = NewDc();
    win::SelectObject(dc, bitmap);
    return dc;
  }

  // An 8-bit picture with the colour table kPalette, from rows of its letters.
  HDC EightBit(const Picture& rows) {
    std::vector<std::uint32_t> indices;
    for (const auto& row : rows) {
      for (char letter : row) indices.push_back(kPaletteLetters.find(letter));
    }
    return Loaded({.width = static_cast<int>(rows[0].size()),
                   .height = static_cast<int>(rows.size()),
                   .bpp = 8,
                   .palette = kPalette,
                   .pixels = indices});
  }

  // The picture a DC holds as rows of legend letters ('?' for any other colour).
  static Picture Rows(HDC dc) {
    Picture rows;
    for (int y = 0; y < win::BitmapHeight(dc); ++y) {
      std::string row;
      for (int x = 0; x < win::BitmapWidth(dc); ++x) {
        char letter = '?';
        for (const auto& [l, c] : kLegend) {
          if (c == win::GetPixel(dc, x, y)) letter = l;
        }
        row += letter;
      }
      rows.push_back(row);
    }
    return rows;
  }

 private:
  std::vector<HDC> made_;
  const int dcs_before_ = win::LiveDCCount();
  const int bitmaps_before_ = win::LiveBitmapCount();
};

TEST_F(Gdi, ASelectedBitmapGoesWithItsDcAndTheStockBitmapNeverGoes) {
  const HDC dc = win::CreateCompatibleDC(0);
  const win::HBITMAP bitmap = win::CreateBitmap(2, 2, 1, 32, nullptr);
  const win::HBITMAP stock = win::SelectObject(dc, bitmap);
  EXPECT_FALSE(win::DeleteObject(bitmap));  // still selected
  EXPECT_TRUE(win::DeleteObject(stock));    // refused silently: every new DC still holds it
  EXPECT_EQ(win::BitsPerPixel(NewDc()), 1);
  EXPECT_TRUE(win::DeleteDC(dc));  // TearDown finds the bitmap gone with it
}

// Any side an X screen may have, up to 32767 pixels, within the bytes of a 16384-pixel square at
// 32 bits; a larger or negative size is refused rather than allocated. Bits 0: the screen's.
TEST_F(Gdi, BitmapsTakeAnySideUpToXsLimitWithinTheByteBound) {
  const std::tuple<int, int, int, bool> cases[] = {
      {32767, 8192, 0, true}, {2, 32767, 1, true},     {32768, 1, 0, false},
      {1, 32768, 8, false},   {32767, 8193, 0, false}, {16385, 16384, 32, false}};
  for (const auto& [width, height, bits, made] : cases) {
    const win::HBITMAP bitmap = bits ? win::CreateBitmap(width, height, 1, bits, nullptr)
                                     : win::CreateCompatibleBitmap(0, width, height);
    EXPECT_EQ(bitmap != 0, made) << width << "x" << height << "x" << bits;
    win::DeleteObject(bitmap);
  }
}

// A blank bitmap's words are made when first used; from a size on, by the platform's source.
TEST_F(Gdi, BlankBitmapsMakeTheirWordsWhenFirstUsedLargeOnesFromTheSource) {
  std::vector<std::vector<std::uint32_t>> given;
  win::raster::Words::SetSource(
      [&](std::size_t count, auto&) { return given.emplace_back(count).data(); }, 64 * 64);
  const HDC large = NewDc(), small = NewDc();
  win::SelectObject(large, win::CreateBitmap(64, 64, 1, 32, nullptr));
  win::SelectObject(small, win::CreateBitmap(63, 64, 1, 32, nullptr));
  EXPECT_TRUE(given.empty()) << "nothing made before it is used";
  for (const HDC dc : {large, small}) win::SetPixel(dc, 1, 0, kLegend.at('R'));
  win::raster::Words::SetSource(nullptr, 0);
  ASSERT_EQ(given.size(), 1u) << "the small one from the heap";
  EXPECT_EQ(given[0][1], 0xC80000u) << "drawn in the source's words";
}

// A picture's compatible bitmap shares its colour table; the screen's has 32 bits.
TEST_F(Gdi, CompatibleBitmapsTakeTheFormatAndColourTableOfTheReference) {
  const std::pair<HDC, COLORREF> cases[] = {{0, RGB(190, 10, 10)},
                                            {EightBit({"R"}), kLegend.at('R')}};
  for (const auto& [reference, shown] : cases) {
    const HDC dc = NewDc();
    win::SelectObject(dc, win::CreateCompatibleBitmap(reference, 3, 2));
    EXPECT_EQ(win::BitsPerPixel(dc), reference ? 8 : 32);
    EXPECT_EQ(Rows(dc), (Picture{"KKK", "KKK"}));
    win::SetPixel(dc, 0, 0, RGB(190, 10, 10));
    EXPECT_EQ(win::GetPixel(dc, 0, 0), shown);
  }
}

TEST_F(Gdi, BitmapRowsArePaddedToSixteenBits) {
  const std::uint8_t mono[] = {0b10100000, 0xFF, 0b01000000, 0x00};
  const HDC m = NewDc();
  win::SelectObject(m, win::CreateBitmap(3, 2, 1, 1, mono));
  EXPECT_EQ(Rows(m), (Picture{"WKW", "KWK"}));
  const std::uint8_t wide[] = {0xDC, 0, 0, 0xEE, 0, 0xA0, 0, 0xEE};  // blue, green; one pad byte
  const HDC w = NewDc();
  win::SelectObject(w, win::CreateBitmap(1, 2, 1, 24, wide));
  EXPECT_EQ(Rows(w), (Picture{"B", "G"}));
}

// Colour pictures combine the colours' bits, one-bit ones the bits whatever the DC's colours,
// 8-bit ones the table indices.
TEST_F(Gdi, RasterOperationsCombinePixelValues) {
  const struct {
    Rop rop;
    COLORREF wide;
    const char* mono;
    const char* eight;  // red (1) with blue (2)
  } cases[] = {{Rop::SRCCOPY, RGB(0xF0, 0x0F, 0x33), "KKWW", "B"},
               {Rop::SRCAND, RGB(0x10, 0x04, 0x12), "KKKW", "K"},
               {Rop::SRCPAINT, RGB(0xF2, 0x3F, 0x77), "KWWW", "W"},
               {Rop::BLACKNESS, RGB(0, 0, 0), "KKKK", "K"}};
  for (const auto& c : cases) {
    for (const auto& [dst_bits, src_bits] : {std::pair{24, 32}, {32, 24}, {32, 32}}) {
      const HDC d = Surface(dst_bits, {"..."});
      const HDC s = Surface(src_bits, {"."});
      win::SetPixel(d, 1, 0, RGB(0x12, 0x34, 0x56));
      win::SetPixel(s, 0, 0, RGB(0xF0, 0x0F, 0x33));
      EXPECT_TRUE(win::BitBlt(d, 1, 0, 1, 1, s, 0, 0, c.rop));
      EXPECT_EQ(win::GetPixel(d, 1, 0), c.wide) << dst_bits << "<-" << src_bits;
      EXPECT_EQ(Rows(d)[0][0], '.');
      EXPECT_EQ(Rows(d)[0][2], '.');
    }
    const HDC d = Surface(1, {"KWKW"});
    const HDC s = Surface(1, {"KKWW"});
    win::SetTextColor(d, RGB(200, 0, 0));
    win::SetBkColor(s, RGB(200, 0, 0));
    win::BitBlt(d, 0, 0, 4, 1, s, 0, 0, c.rop);
    EXPECT_EQ(Rows(d)[0], c.mono);
    const HDC red = EightBit({"R"});
    win::BitBlt(red, 0, 0, 1, 1, EightBit({"B"}), 0, 0, c.rop);
    EXPECT_EQ(Rows(red)[0], c.eight);
  }
}

TEST_F(Gdi, ABlitWithoutSourceDrawsNothingButBlacknessNeedsNoneAndOtherOperationsFailLoudly) {
  const HDC d = Surface(32, {"RGB"});
  EXPECT_FALSE(win::BitBlt(d, 0, 0, 3, 1, 0, 0, 0, Rop::SRCPAINT));
  EXPECT_EQ(Rows(d)[0], "RGB");
  EXPECT_TRUE(win::BitBlt(d, 1, 0, 5, 1, 0, 0, 0, Rop::BLACKNESS));
  EXPECT_EQ(Rows(d)[0], "RKK");
  const auto srcinvert = static_cast<Rop>(0x00660046);
  EXPECT_THROW(win::BitBlt(d, 0, 0, 1, 1, d, 0, 0, srcinvert), std::logic_error);
}

TEST_F(Gdi, ColourToMonochromeWhitensOnlyTheSourceBackgroundColour) {
  const struct {
    const char* what;
    HDC picture;
    COLORREF background;
    const char* mask;
  } cases[] = {
      {"32-bit, black", Surface(32, {"KkWR"}), RGB(0, 0, 0), "WKKK"},
      {"32-bit, (0,0,1)", Surface(32, {"KkWR"}), RGB(0, 0, 1), "KWKK"},
      {"32-bit, default white", Surface(32, {"KkWR"}), RGB(255, 255, 255), "KKWK"},
      {"8-bit, black", EightBit({"KRWK"}), RGB(0, 0, 0), "WKKW"},
  };
  for (const auto& c : cases) {
    win::SetBkColor(c.picture, c.background);
    const HDC mask = Surface(1, {"...."});
    win::BitBlt(mask, 0, 0, 4, 1, c.picture, 0, 0, Rop::SRCCOPY);
    EXPECT_EQ(Rows(mask)[0], c.mask) << c.what;
  }
}

TEST_F(Gdi, MonochromeToColourUsesTheDestinationTextAndBackgroundColours) {
  // Rows long enough for the four-pixel steps, with a tail, in every pattern order.
  const HDC mask = Surface(1, {"KWWKKKWWWKW", "WKKKWKWWKKK"});
  win::SetTextColor(mask, RGB(0, 0, 220));  // the source's own colours are not used
  win::SetBkColor(mask, RGB(0, 0, 220));
  const HDC d = Surface(32, {"...........", "..........."});
  win::SetTextColor(d, kLegend.at('R'));
  win::SetBkColor(d, kLegend.at('G'));
  win::BitBlt(d, 0, 0, 11, 2, mask, 0, 0, Rop::SRCCOPY);
  EXPECT_EQ(Rows(d), (Picture{"RGGRRRGGGRG", "GRRRGRGGRRR"}));

  const HDC eight = EightBit({"KK"});
  win::SetTextColor(eight, RGB(180, 30, 30));  // drawn as the nearest entry, red
  win::BitBlt(eight, 0, 0, 2, 1, mask, 0, 0, Rop::SRCCOPY);
  EXPECT_EQ(Rows(eight)[0], "RW");
}

// Pure black is transparent in pictures of every depth, loaded black-and-white ones included.
TEST_F(Gdi, MaskedDrawShowsThePictureOnlyWhereItIsNotBlack) {
  const struct {
    const char* what;
    HDC picture;
    Picture drawn;
  } cases[] = {
      {"32-bit", Surface(32, {"KRkK", "GKKW", "KKKK"}), {"RRkY", "GBGW", "...."}},
      {"8-bit file", EightBit({"KRBK", "GKKW", "KKKK"}), {"RRBY", "GBGW", "...."}},
      {"1-bit file",
       Loaded({.width = 4,
               .height = 3,
               .bpp = 1,
               .palette = {0, 0xFFFFFF},
               .pixels = {0, 1, 1, 0, 1, 0, 0, 1, 0, 0, 0, 0}}),
       {"RWWY", "WBGW", "...."}},
  };
  for (const auto& c : cases) {
    const HDC buffer = Surface(32, {"RGBY", "YBGR", "...."});
    win::SetBkColor(c.picture, RGB(0, 0, 0));
    const HDC mask = Surface(1, {"....", "....", "...."});
    win::BitBlt(mask, 0, 0, 4, 3, c.picture, 0, 0, Rop::SRCCOPY);
    win::BitBlt(buffer, 0, 0, 4, 3, mask, 0, 0, Rop::SRCAND);
    win::BitBlt(buffer, 0, 0, 4, 3, c.picture, 0, 0, Rop::SRCPAINT);
    EXPECT_EQ(Rows(buffer), c.drawn) << c.what;
  }
}

// Random pictures and masks blitted at random places, against a plain per-pixel reference: the
// masked blits skip and fill whole runs, yet must change exactly the pixels it changes, also
// after their sources have been drawn on.
TEST_F(Gdi, MaskedBlitsChangeThePixelsThatAPixelByPixelBlitChanges) {
  constexpr int kW = 70, kH = 40;
  std::mt19937 random(12345);
  auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  auto colour = [&] { return static_cast<COLORREF>(random() & 0xFFFFFF); };
  const COLORREF white = RGB(255, 255, 255);
  // Stretches of black, of white and of other colours, shorter and longer than a run.
  auto paint = [&](HDC dc) {
    for (int y = 0; y < win::BitmapHeight(dc); ++y) {
      for (int x = 0; x < win::BitmapWidth(dc);) {
        const int kind = below(3);
        for (int end = x + 1 + below(24); x < end; ++x) {
          win::SetPixel(dc, x, y, kind == 0 ? 0 : kind == 1 ? white : colour());
        }
      }
    }
  };
  const HDC dst = Surface(32, Picture(kH, std::string(kW, '.')));
  auto snapshot = [&] {
    std::vector<COLORREF> pixels;
    for (int j = 0; j < kH; ++j) {
      for (int i = 0; i < kW; ++i) pixels.push_back(win::GetPixel(dst, i, j));
    }
    return pixels;
  };
  const HDC picture = NewDc();
  const HDC mask = NewDc();
  win::SelectObject(picture, win::CreateBitmap(90, 30, 1, 24, nullptr));
  win::SelectObject(mask, win::CreateBitmap(90, 30, 1, 1, nullptr));
  for (int round = 0; round < 400; ++round) {
    if (round % 40 == 0) {
      for (HDC dc : {dst, picture, mask}) paint(dc);
    }
    const HDC src = below(2) ? picture : mask;
    const Rop rop = below(2) ? Rop::SRCAND : Rop::SRCPAINT;
    const COLORREF text = below(4) ? 0 : colour();  // a mask's colours: mostly the defaults
    const COLORREF back = below(4) ? white : colour();
    win::SetTextColor(dst, text);
    win::SetBkColor(dst, back);
    const int x = below(90) - 10, y = below(50) - 5, w = below(100), h = below(40);
    const int sx = below(100) - 5, sy = below(36) - 3;

    std::vector<COLORREF> want = snapshot();
    for (int j = std::max(0, y); j < std::min(kH, y + h); ++j) {
      for (int i = std::max(0, x); i < std::min(kW, x + w); ++i) {
        COLORREF s = win::GetPixel(src, sx + i - x, sy + j - y);
        if (s == 0xFFFFFFFF) continue;  // outside the source
        if (src == mask) s = s == white ? back : text;
        COLORREF& d = want[j * kW + i];
        d = rop == Rop::SRCAND ? d & s : d | s;
      }
    }
    win::BitBlt(dst, x, y, w, h, src, sx, sy, rop);
    ASSERT_EQ(snapshot(), want) << "round " << round;
  }
}

// The window's surface takes a whole copy of a bitmap of its size as the bitmap to show, and a
// copy of its own only when it is drawn on or the bitmap goes.
TEST_F(Gdi, AWindowSurfaceShowsAWholeCopyOfABitmapUntilItIsDrawnOnOrTheBitmapGoes) {
  const HDC window = Surface(32, {"....", "...."});
  win::MakeWindowSurface(window);
  const HDC buffer = Surface(24, {"RGBY", "YBGR"});
  const HDC other = Surface(32, {"....", "...."});
  const int bitmaps = win::LiveBitmapCount();
  win::BitBlt(window, 0, 0, 4, 2, buffer, 0, 0, Rop::SRCCOPY);
  EXPECT_EQ(win::Pixels32(window), win::Pixels32(buffer));
  EXPECT_EQ(win::LiveBitmapCount(), bitmaps - 1) << "the window's own bitmap goes";
  win::SetPixel(buffer, 0, 0, kLegend.at('W'));
  EXPECT_EQ(Rows(window), (Picture{"WGBY", "YBGR"}));

  win::SetPixel(window, 3, 1, kLegend.at('K'));
  EXPECT_EQ(Rows(window), (Picture{"WGBY", "YBGK"}));
  EXPECT_EQ(Rows(buffer), (Picture{"WGBY", "YBGR"}));

  // Only a whole copy is shown; a memory DC always copies.
  win::BitBlt(window, 0, 0, 3, 2, buffer, 0, 0, Rop::SRCCOPY);
  EXPECT_NE(win::Pixels32(window), win::Pixels32(buffer));
  win::BitBlt(other, 0, 0, 4, 2, buffer, 0, 0, Rop::SRCCOPY);
  EXPECT_NE(win::Pixels32(other), win::Pixels32(buffer));

  win::BitBlt(window, 0, 0, 4, 2, buffer, 0, 0, Rop::SRCCOPY);
  ASSERT_EQ(win::Pixels32(window), win::Pixels32(buffer));
  win::DeleteObject(win::SelectObject(buffer, win::CreateBitmap(1, 1, 1, 24, nullptr)));
  EXPECT_EQ(Rows(window), (Picture{"WGBY", "YBGR"}));
}

TEST_F(Gdi, BlitsClipToBothBitmaps) {
  const struct {
    int x, y, sx, sy, w, h;
    Picture expected;
  } cases[] = {
      {1, 1, 0, 0, 2, 2, {"....", ".RG.", ".BY.", "...."}},
      {-1, -1, 0, 0, 2, 2, {"Y...", "....", "....", "...."}},
      {1, 1, -1, -1, 2, 2, {"....", "....", "..R.", "...."}},
      {0, 0, 0, 0, 4, 4, {"RG..", "BY..", "....", "...."}},
      {0, 0, 0, 0, -2, 2, kBlank4x4},
  };
  for (const auto& c : cases) {
    // The fused loops of 24/32-bit surfaces and the generic path of 8-bit ones clip alike.
    const std::pair<HDC, HDC> pairs[] = {{Surface(32, kBlank4x4), Surface(24, {"RG", "BY"})},
                                         {EightBit(kBlank4x4), EightBit({"RG", "BY"})}};
    for (const auto& [d, s] : pairs) {
      win::BitBlt(d, c.x, c.y, c.w, c.h, s, c.sx, c.sy, Rop::SRCCOPY);
      EXPECT_EQ(Rows(d), c.expected) << c.x << "," << c.y << " from " << c.sx << "," << c.sy
                                     << " at " << win::BitsPerPixel(d) << " bits";
    }
  }
}

TEST_F(Gdi, WholeRowAndOverlappingBlitsPutRowsInTheRightPlace) {
  const HDC wide = Surface(32, kBlank4x4);
  win::BitBlt(wide, 0, 1, 4, 4, Surface(24, {"RGBY", "YBGR"}), 0, -1, Rop::SRCCOPY);
  EXPECT_EQ(Rows(wide), (Picture{"....", "....", "RGBY", "YBGR"}));
  // Within one surface the source is read before it is overwritten, in every direction.
  const HDC row = Surface(32, {"RGBY"});
  win::BitBlt(row, 1, 0, 3, 1, row, 0, 0, Rop::SRCCOPY);
  EXPECT_EQ(Rows(row)[0], "RRGB");
  win::BitBlt(row, 0, 0, 3, 1, row, 1, 0, Rop::SRCCOPY);
  EXPECT_EQ(Rows(row)[0], "RGBB");
}

TEST_F(Gdi, StretchBltRepeatsPixelsWhenEnlargingAndAndsThemWhenShrinking) {
  const HDC s = Surface(24, {"RG", "BY"});
  const HDC d = Surface(32, kBlank4x4);
  EXPECT_TRUE(win::StretchBlt(d, 0, 0, 4, 4, s, 0, 0, 2, 2, Rop::SRCCOPY));
  EXPECT_EQ(Rows(d), (Picture{"RRGG", "RRGG", "BBYY", "BBYY"}));
  const HDC clipped = Surface(32, {"....", "...."});
  win::StretchBlt(clipped, -2, 0, 6, 2, s, -1, 0, 3, 1, Rop::SRCCOPY);
  EXPECT_EQ(Rows(clipped), (Picture{"RRGG", "RRGG"}));

  // Each pixel left takes the AND of those it stands for, in both directions.
  const HDC small = Surface(32, {"..", ".."});
  win::StretchBlt(small, 0, 0, 2, 1, Surface(32, {"YRWW", "WWWY"}), 0, 0, 4, 2, Rop::SRCCOPY);
  EXPECT_EQ(Rows(small), (Picture{"RY", ".."}));
  const HDC md = Surface(1, {"KKK"});
  win::StretchBlt(md, 0, 0, 3, 1, Surface(1, {"WKWWWW"}), 0, 0, 6, 1, Rop::SRCCOPY);
  EXPECT_EQ(Rows(md)[0], "KWW");  // black wins
}

TEST_F(Gdi, LineToDrawsWithABlackPenAndLeavesOutTheEndPoint) {
  const struct {
    int x0, y0, x1, y1;
    Picture expected;
  } cases[] = {
      {0, 2, 4, 2, {".....", ".....", "KKKK.", ".....", "....."}},
      {0, 0, 4, 4, {"K....", ".K...", "..K..", "...K.", "....."}},
      {4, 0, 4, 3, {"....K", "....K", "....K", ".....", "....."}},
      {3, 3, 0, 3, {".....", ".....", ".....", ".KKK.", "....."}},
      {0, 4, 4, 2, {".....", ".....", "...K.", ".KK..", "K...."}},
      {-2, 1, 2, 1, {".....", "KK...", ".....", ".....", "....."}},
      {2, 2, 2, 2, {".....", ".....", ".....", ".....", "....."}},
  };
  for (const auto& c : cases) {
    const HDC d = Surface(32, {".....", ".....", ".....", ".....", "....."});
    win::MoveToEx(d, c.x0, c.y0, nullptr);
    EXPECT_TRUE(win::LineTo(d, c.x1, c.y1));
    EXPECT_EQ(Rows(d), c.expected) << c.x0 << "," << c.y0 << " to " << c.x1 << "," << c.y1;
  }
}

}  // namespace
