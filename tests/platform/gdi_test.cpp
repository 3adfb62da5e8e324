#include "platform/gdi.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "bmp_test_files.h"

namespace {

using win::COLORREF;
using win::HDC;
using win::RGB;
using win::Rop;

constexpr COLORREF kInvalid = 0xFFFFFFFF;

// The colours the little pictures are drawn with, one letter each.
const std::map<char, COLORREF> kLegend = {
    {'K', RGB(0, 0, 0)},   {'W', RGB(255, 255, 255)}, {'R', RGB(200, 0, 0)}, {'G', RGB(0, 160, 0)},
    {'B', RGB(0, 0, 220)}, {'Y', RGB(200, 160, 0)},   {'k', RGB(0, 0, 1)},   {'.', RGB(90, 90, 90)},
    {'r', RGB(255, 0, 0)}, {'b', RGB(0, 0, 255)},
};

// The colour table of the 8-bit pictures: index 0 black, 1 red, 2 blue, 3 white, then the rest.
const std::vector<std::uint32_t> kPalette = {0x000000, 0xC80000, 0x0000DC, 0xFFFFFF,
                                             0x00A000, 0xC8A000, 0x5A5A5A};
const std::string kPaletteLetters = "KRBWGY.";

using Picture = std::vector<std::string>;
const Picture kBlank4x4 = {"....", "....", "....", "...."};

class Gdi : public testing::Test {
 protected:
  void SetUp() override {
    dcs_before_ = win::LiveDCCount();
    bitmaps_before_ = win::LiveBitmapCount();
  }
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
  HDC Surface(int bits, const std::vector<std::string>& rows) {
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
  static std::vector<std::string> Rows(HDC dc) {
    std::vector<std::string> rows;
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
  int dcs_before_ = 0;
  int bitmaps_before_ = 0;
};

TEST_F(Gdi, NewDcHoldsTheStockBitmapWithDefaultColours) {
  const HDC dc = NewDc();
  EXPECT_EQ(win::BitsPerPixel(dc), 1);
  EXPECT_EQ(win::BitmapWidth(dc), 1);
  EXPECT_EQ(win::BitmapHeight(dc), 1);
  EXPECT_EQ(win::SetBkColor(dc, RGB(1, 2, 3)), RGB(255, 255, 255));
  EXPECT_EQ(win::SetBkColor(dc, 0), RGB(1, 2, 3));
  EXPECT_EQ(win::SetTextColor(dc, RGB(4, 5, 6)), RGB(0, 0, 0));
  EXPECT_EQ(win::CreateCompatibleDC(12345), 0);

  const int bitmaps = win::LiveBitmapCount();
  const win::HBITMAP stock = win::CreateBitmap(0, 0, 1, 1, nullptr);
  EXPECT_NE(stock, 0);
  EXPECT_EQ(win::CreateBitmap(0, 0, 1, 1, nullptr), stock);
  EXPECT_EQ(win::SelectObject(dc, win::CreateBitmap(2, 2, 1, 1, nullptr)), stock);
  EXPECT_TRUE(win::DeleteObject(stock));  // refused silently: the stock bitmap stays
  win::BITMAP info{};
  EXPECT_EQ(win::GetObjectA(stock, sizeof info, &info), static_cast<int>(sizeof info));
  EXPECT_EQ(info.bmWidth, 1);
  EXPECT_EQ(info.bmBitsPixel, 1);
  EXPECT_EQ(win::LiveBitmapCount(), bitmaps + 1);
}

TEST_F(Gdi, SelectObjectHandsBackThePreviousBitmapWhichTheCallerDeletes) {
  const HDC dc = win::CreateCompatibleDC(0);
  const HDC other = NewDc();
  const int bitmaps = win::LiveBitmapCount();
  const win::HBITMAP a = win::CreateBitmap(2, 2, 1, 32, nullptr);
  const win::HBITMAP b = win::CreateBitmap(3, 3, 1, 32, nullptr);
  EXPECT_EQ(win::LiveBitmapCount(), bitmaps + 2);
  win::SelectObject(dc, a);
  EXPECT_EQ(win::SelectObject(dc, b), a);
  EXPECT_EQ(win::BitmapWidth(dc), 3);
  EXPECT_FALSE(win::DeleteObject(b));         // still selected
  EXPECT_EQ(win::SelectObject(other, b), 0);  // a bitmap lives in one DC at a time
  EXPECT_EQ(win::SelectObject(dc, 0), 0);
  EXPECT_EQ(win::SelectObject(dc, other), 0);  // a DC is no bitmap
  EXPECT_TRUE(win::DeleteObject(a));
  EXPECT_FALSE(win::DeleteObject(a));
  EXPECT_TRUE(win::DeleteDC(dc));  // takes b with it
  EXPECT_EQ(win::LiveBitmapCount(), bitmaps);
  EXPECT_FALSE(win::DeleteDC(dc));
  EXPECT_EQ(win::BitmapWidth(dc), 0);
  EXPECT_EQ(win::SetBkColor(dc, 0), kInvalid);
}

TEST_F(Gdi, CompatibleBitmapsTakeTheFormatOfTheReferenceBitmap) {
  const HDC stock_holder = NewDc();
  const HDC wide = Surface(24, {"R"});
  const HDC paletted = EightBit({"R"});
  struct Case {
    HDC reference;
    int bits;
  } cases[] = {{0, 32}, {stock_holder, 1}, {wide, 24}, {paletted, 8}};
  for (const auto& c : cases) {
    const HDC dc = NewDc();
    win::SelectObject(dc, win::CreateCompatibleBitmap(c.reference, 3, 2));
    EXPECT_EQ(win::BitsPerPixel(dc), c.bits) << c.reference;
    EXPECT_EQ(win::BitmapWidth(dc), 3);
    EXPECT_EQ(win::BitmapHeight(dc), 2);
    EXPECT_EQ(win::GetPixel(dc, 2, 1), RGB(0, 0, 0));
  }
  // The 8-bit one shares its reference's colour table.
  const HDC copy = NewDc();
  win::SelectObject(copy, win::CreateCompatibleBitmap(paletted, 1, 1));
  win::SetPixel(copy, 0, 0, RGB(190, 10, 10));
  EXPECT_EQ(win::GetPixel(copy, 0, 0), kLegend.at('R'));
  EXPECT_EQ(win::CreateCompatibleBitmap(777, 3, 2), 0);
  EXPECT_EQ(win::CreateCompatibleBitmap(0, -1, 2), 0);
}

TEST_F(Gdi, GetObjectDescribesBitmapsWithSixteenBitRows) {
  struct Case {
    int width, bits, width_bytes;
  } cases[] = {{10, 1, 2}, {17, 1, 4}, {3, 24, 10}, {5, 8, 6}, {3, 32, 12}};
  for (const auto& c : cases) {
    const win::HBITMAP b = win::CreateBitmap(c.width, 3, 1, c.bits, nullptr);
    win::BITMAP info{};
    EXPECT_EQ(win::GetObjectA(b, sizeof info, &info), 24);
    EXPECT_EQ(info.bmWidthBytes, c.width_bytes) << c.width << "x" << c.bits;
    EXPECT_EQ(info.bmHeight, 3);
    EXPECT_EQ(win::GetObjectA(b, 10, &info), 0);
    win::DeleteObject(b);
  }
  EXPECT_EQ(win::GetObjectA(NewDc(), 24, nullptr), 0);
  EXPECT_EQ(win::GetObjectA(0, 24, nullptr), 0);
}

TEST_F(Gdi, CreateBitmapReadsRowsPaddedToSixteenBits) {
  const std::uint8_t mono[] = {0b10100000, 0xFF, 0b01000000, 0x00};
  const HDC m = NewDc();
  win::SelectObject(m, win::CreateBitmap(3, 2, 1, 1, mono));
  EXPECT_EQ(Rows(m), (Picture{"WKW", "KWK"}));
  const std::uint8_t wide[] = {0xDC, 0, 0, 0xEE, 0, 0xA0, 0, 0xEE};  // blue, green; one pad byte
  const HDC w = NewDc();
  win::SelectObject(w, win::CreateBitmap(1, 2, 1, 24, wide));
  EXPECT_EQ(Rows(w), (Picture{"B", "G"}));
  EXPECT_THROW(win::CreateBitmap(1, 1, 1, 16, nullptr), std::logic_error);
}

TEST_F(Gdi, RasterOperationsActOnPixelValues) {
  const COLORREF dst = RGB(0x12, 0x34, 0x56);
  const COLORREF src = RGB(0xF0, 0x0F, 0x33);
  struct Case {
    Rop rop;
    COLORREF expected;
  } cases[] = {{Rop::SRCCOPY, src},
               {Rop::SRCAND, RGB(0x10, 0x04, 0x12)},
               {Rop::SRCPAINT, RGB(0xF2, 0x3F, 0x77)},
               {Rop::BLACKNESS, RGB(0, 0, 0)}};
  for (int dst_bits : {24, 32}) {
    for (int src_bits : {24, 32}) {
      for (const auto& c : cases) {
        const HDC d = Surface(dst_bits, {"..."});
        const HDC s = Surface(src_bits, {"."});
        win::SetPixel(d, 1, 0, dst);
        win::SetPixel(s, 0, 0, src);
        EXPECT_TRUE(win::BitBlt(d, 1, 0, 1, 1, s, 0, 0, c.rop));
        EXPECT_EQ(win::GetPixel(d, 1, 0), c.expected)
            << dst_bits << "<-" << src_bits << " rop " << static_cast<unsigned>(c.rop);
        EXPECT_EQ(Rows(d)[0][0], '.');
        EXPECT_EQ(Rows(d)[0][2], '.');
      }
    }
  }
}

TEST_F(Gdi, MonochromeBlitsCombineBits) {
  struct Case {
    Rop rop;
    const char* expected;
  } cases[] = {{Rop::SRCCOPY, "KKWW"},
               {Rop::SRCAND, "KKKW"},
               {Rop::SRCPAINT, "KWWW"},
               {Rop::BLACKNESS, "KKKK"}};
  for (const auto& c : cases) {
    const HDC d = Surface(1, {"KWKW"});
    const HDC s = Surface(1, {"KKWW"});
    win::SetTextColor(d, RGB(200, 0, 0));  // colours play no part between one-bit surfaces
    win::SetBkColor(s, RGB(200, 0, 0));
    win::BitBlt(d, 0, 0, 4, 1, s, 0, 0, c.rop);
    EXPECT_EQ(Rows(d)[0], c.expected);
  }
}

TEST_F(Gdi, ColourToMonochromeWhitensOnlyTheSourceBackgroundColour) {
  struct Case {
    const char* what;
    HDC picture;
    COLORREF background;
    const char* mask;
  } cases[] = {
      {"32-bit, black", Surface(32, {"KkWR"}), RGB(0, 0, 0), "WKKK"},
      {"24-bit, black", Surface(24, {"KkWR"}), RGB(0, 0, 0), "WKKK"},
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
  const HDC mask = Surface(1, {"KW"});
  win::SetTextColor(mask, RGB(0, 0, 220));  // the source's own colours are not used
  win::SetBkColor(mask, RGB(0, 0, 220));
  const HDC d = Surface(32, {"..", ".."});
  win::BitBlt(d, 0, 0, 2, 1, mask, 0, 0, Rop::SRCCOPY);
  win::SetTextColor(d, kLegend.at('R'));
  win::SetBkColor(d, kLegend.at('G'));
  win::BitBlt(d, 0, 1, 2, 1, mask, 0, 0, Rop::SRCCOPY);
  EXPECT_EQ(Rows(d), (Picture{"KW", "RG"}));

  // Rows long enough for the four-pixel steps, with a tail, in every pattern order.
  const HDC long_mask = Surface(1, {"KWWKKKWWWKW", "WKKKWKWWKKK"});
  const HDC e = Surface(32, {"...........", "..........."});
  win::SetTextColor(e, kLegend.at('R'));
  win::SetBkColor(e, kLegend.at('G'));
  win::BitBlt(e, 0, 0, 11, 2, long_mask, 0, 0, Rop::SRCCOPY);
  EXPECT_EQ(Rows(e), (Picture{"RGGRRRGGGRG", "GRRRGRGGRRR"}));

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
      {"24-bit", Surface(24, {"KRkK", "GKKW", "KKKK"}), {"RRkY", "GBGW", "...."}},
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
    const HDC mask = NewDc();
    win::SelectObject(mask, win::CreateBitmap(4, 3, 1, 1, nullptr));
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
  const HDC dst = Surface(32, std::vector<std::string>(kH, std::string(kW, '.')));
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

    std::vector<COLORREF> want;
    for (int j = 0; j < kH; ++j) {
      for (int i = 0; i < kW; ++i) want.push_back(win::GetPixel(dst, i, j));
    }
    for (int j = std::max(0, y); j < std::min(kH, y + h); ++j) {
      for (int i = std::max(0, x); i < std::min(kW, x + w); ++i) {
        COLORREF s = win::GetPixel(src, sx + i - x, sy + j - y);
        if (s == kInvalid) continue;
        if (src == mask) s = s == white ? back : text;
        COLORREF& d = want[j * kW + i];
        d = rop == Rop::SRCAND ? d & s : d | s;
      }
    }
    win::BitBlt(dst, x, y, w, h, src, sx, sy, rop);
    for (int j = 0; j < kH; ++j) {
      for (int i = 0; i < kW; ++i) {
        ASSERT_EQ(win::GetPixel(dst, i, j), want[j * kW + i])
            << "round " << round << " at " << i << "," << j;
      }
    }
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
  struct Case {
    int x, y, sx, sy, w, h;
    std::vector<std::string> expected;
  } cases[] = {
      {1, 1, 0, 0, 2, 2, {"....", ".RG.", ".BY.", "...."}},
      {-1, -1, 0, 0, 2, 2, {"Y...", "....", "....", "...."}},
      {3, 3, 0, 0, 2, 2, {"....", "....", "....", "...R"}},
      {3, -1, 0, 0, 2, 2, {"...B", "....", "....", "...."}},
      {1, 1, -1, -1, 2, 2, {"....", "....", "..R.", "...."}},
      {0, 0, 1, 1, 2, 2, {"Y...", "....", "....", "...."}},
      {0, 0, 0, 0, 4, 4, {"RG..", "BY..", "....", "...."}},
      {0, 0, 0, 5, 4, 4, {"....", "....", "....", "...."}},
      {4, 0, 0, 0, 2, 2, {"....", "....", "....", "...."}},
      {0, 0, 0, 0, -2, 2, {"....", "....", "....", "...."}},
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

TEST_F(Gdi, FullWidthBlitsMoveWholeRowsToTheRightPlace) {
  const HDC wide = Surface(32, kBlank4x4);
  win::BitBlt(wide, 0, 1, 4, 4, Surface(24, {"RGBY", "YBGR"}), 0, -1, Rop::SRCCOPY);
  EXPECT_EQ(Rows(wide), (Picture{"....", "....", "RGBY", "YBGR"}));
  const HDC mono = Surface(1, {"WWW", "WWW", "WWW"});
  win::BitBlt(mono, 0, 1, 3, 1, Surface(1, {"WWW", "KWK"}), 0, 1, Rop::SRCCOPY);
  EXPECT_EQ(Rows(mono), (Picture{"WWW", "KWK", "WWW"}));
}

TEST_F(Gdi, BlitWithoutSourceDrawsNothingButBlacknessNeedsNone) {
  const HDC d = Surface(32, {"RGB"});
  EXPECT_FALSE(win::BitBlt(d, 0, 0, 3, 1, 0, 0, 0, Rop::SRCCOPY));
  EXPECT_FALSE(win::BitBlt(d, 0, 0, 3, 1, 0, 0, 0, Rop::SRCPAINT));
  EXPECT_EQ(Rows(d)[0], "RGB");
  EXPECT_TRUE(win::BitBlt(d, 1, 0, 5, 1, 0, 0, 0, Rop::BLACKNESS));
  EXPECT_EQ(Rows(d)[0], "RKK");
  EXPECT_FALSE(win::BitBlt(0, 0, 0, 3, 1, d, 0, 0, Rop::SRCCOPY));
}

TEST_F(Gdi, OtherRasterOperationsFailLoudlyNamingTheCall) {
  const HDC d = Surface(32, {"."});
  const auto srcinvert = static_cast<Rop>(0x00660046);
  const std::pair<std::string, std::function<void()>> calls[] = {
      {"BitBlt", [&] { win::BitBlt(d, 0, 0, 1, 1, d, 0, 0, srcinvert); }},
      {"StretchBlt", [&] { win::StretchBlt(d, 0, 0, 2, 2, d, 0, 0, 1, 1, srcinvert); }}};
  for (const auto& [name, call] : calls) {
    try {
      call();
      ADD_FAILURE() << name << " accepted SRCINVERT";
    } catch (const std::logic_error& e) {
      EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
    }
  }
}

TEST_F(Gdi, EightBitSurfacesUseTheNearestTableEntryAndCombineIndices) {
  const HDC s = Surface(32, {"...."});
  const COLORREF colours[] = {RGB(180, 20, 10), RGB(10, 10, 150), RGB(250, 240, 250), RGB(1, 0, 0)};
  for (int x = 0; x < 4; ++x) win::SetPixel(s, x, 0, colours[x]);
  const HDC d = EightBit({"KKKK"});
  win::BitBlt(d, 0, 0, 4, 1, s, 0, 0, Rop::SRCCOPY);
  EXPECT_EQ(Rows(d)[0], "RBWK");

  const HDC red = EightBit({"R"});
  const HDC blue = EightBit({"B"});
  win::BitBlt(red, 0, 0, 1, 1, blue, 0, 0, Rop::SRCPAINT);  // index 1 | 2 = 3: white
  EXPECT_EQ(Rows(red)[0], "W");

  const HDC wide = Surface(32, {"...."});
  win::BitBlt(wide, 0, 0, 4, 1, d, 0, 0, Rop::SRCCOPY);  // the table's colours
  EXPECT_EQ(Rows(wide)[0], "RBWK");
}

TEST_F(Gdi, StretchBltRepeatsPixelsWhenEnlarging) {
  const HDC s = Surface(24, {"RG", "BY"});
  const HDC d = Surface(32, {"....", "....", "....", "...."});
  EXPECT_TRUE(win::StretchBlt(d, 0, 0, 4, 4, s, 0, 0, 2, 2, Rop::SRCCOPY));
  EXPECT_EQ(Rows(d), (Picture{"RRGG", "RRGG", "BBYY", "BBYY"}));

  const HDC clipped = Surface(32, {"....", "...."});
  win::StretchBlt(clipped, -2, 0, 6, 2, s, -1, 0, 3, 1, Rop::SRCCOPY);
  EXPECT_EQ(Rows(clipped), (Picture{"RRGG", "RRGG"}));
  const HDC outside = Surface(32, {"....", "...."});
  win::StretchBlt(outside, 0, 0, 4, 2, s, -1, 0, 2, 1, Rop::SRCCOPY);
  EXPECT_EQ(Rows(outside), (Picture{"..RR", "..RR"}));
}

TEST_F(Gdi, StretchBltAndsEliminatedPixelsWhenShrinking) {
  const HDC s = Surface(32, {"....", "...."});
  const COLORREF row0[] = {RGB(0xFF, 0x0F, 0xFF), RGB(0x0F, 0xFF, 0xFF), RGB(0xF0, 0xF0, 0xF0),
                           RGB(0xFF, 0xFF, 0xFF)};
  for (int x = 0; x < 4; ++x) {
    win::SetPixel(s, x, 0, row0[x]);
    win::SetPixel(s, x, 1, RGB(0xFF, 0xFF, 0xFE));
  }
  const HDC d = Surface(32, {"..", ".."});
  win::StretchBlt(d, 0, 0, 2, 1, s, 0, 0, 4, 2, Rop::SRCCOPY);
  EXPECT_EQ(win::GetPixel(d, 0, 0), RGB(0x0F, 0x0F, 0xFE));
  EXPECT_EQ(win::GetPixel(d, 1, 0), RGB(0xF0, 0xF0, 0xF0));
  EXPECT_EQ(Rows(d)[1], "..");

  const HDC m = Surface(1, {"WKWWWW"});
  const HDC md = Surface(1, {"KKK"});
  win::StretchBlt(md, 0, 0, 3, 1, m, 0, 0, 6, 1, Rop::SRCCOPY);
  EXPECT_EQ(Rows(md)[0], "KWW");  // black wins
}

TEST_F(Gdi, SetPixelStoresTheNearestShowableColour) {
  const HDC wide = Surface(32, {"...", "..."});
  EXPECT_EQ(win::SetPixel(wide, 1, 1, RGB(1, 2, 3)), RGB(1, 2, 3));
  const std::uint32_t* words = win::Pixels32(wide);
  ASSERT_NE(words, nullptr);
  EXPECT_EQ(win::Stride32(wide), 3);
  EXPECT_EQ(words[1 * 3 + 1], 0x00010203u);
  win::MutablePixels32(wide)[2] = 0x00C80000;
  EXPECT_EQ(Rows(wide)[0], "..R");
  EXPECT_EQ(win::SetPixel(wide, 3, 0, RGB(1, 2, 3)), kInvalid);
  EXPECT_EQ(win::GetPixel(wide, -1, 0), kInvalid);
  EXPECT_EQ(win::GetPixel(0, 0, 0), kInvalid);

  const HDC mono = Surface(1, {"WW"});
  EXPECT_EQ(win::SetPixel(mono, 0, 0, RGB(100, 100, 100)), RGB(0, 0, 0));
  EXPECT_EQ(win::SetPixel(mono, 1, 0, RGB(160, 160, 160)), RGB(255, 255, 255));
  EXPECT_EQ(win::Pixels32(mono), nullptr);
  EXPECT_EQ(win::Stride32(mono), 0);
  EXPECT_EQ(win::SetPixel(EightBit({"K"}), 0, 0, RGB(20, 20, 240)), kLegend.at('B'));
}

TEST_F(Gdi, LineToDrawsWithABlackPenAndLeavesOutTheEndPoint) {
  struct Case {
    int x0, y0, x1, y1;
    std::vector<std::string> expected;
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
    win::POINT at{};
    win::MoveToEx(d, 0, 0, &at);
    EXPECT_EQ(at.x, c.x1);
    EXPECT_EQ(at.y, c.y1);
  }
  EXPECT_FALSE(win::LineTo(0, 1, 1));
}

TEST_F(Gdi, OverlappingBlitsWithinOneSurfaceReadTheSourceFirst) {
  const HDC right = Surface(32, {"RGBY"});
  win::BitBlt(right, 1, 0, 3, 1, right, 0, 0, Rop::SRCCOPY);
  EXPECT_EQ(Rows(right)[0], "RRGB");
  const HDC left = Surface(32, {"RGBY"});
  win::BitBlt(left, 0, 0, 3, 1, left, 1, 0, Rop::SRCCOPY);
  EXPECT_EQ(Rows(left)[0], "GBYY");
  const HDC down = Surface(32, {"R", "G", "B"});
  win::BitBlt(down, 0, 1, 1, 2, down, 0, 0, Rop::SRCCOPY);
  EXPECT_EQ(Rows(down), (Picture{"R", "R", "G"}));
}

TEST_F(Gdi, LoadImageKeepsTheFileFormat) {
  const std::vector<std::uint32_t> two = {0, 1};
  struct Case {
    const char* what;
    bmptest::Layout layout;
    int bits;
    const char* row;
  } cases[] = {
      {"1-bit black and white",
       {.width = 2, .bpp = 1, .palette = {0, 0xFFFFFF}, .pixels = two},
       8,
       "KW"},
      {"1-bit white and black",
       {.width = 2, .bpp = 1, .palette = {0xFFFFFF, 0}, .pixels = two},
       8,
       "WK"},
      {"1-bit coloured",
       {.width = 2, .bpp = 1, .palette = {0xC80000, 0x00A000}, .pixels = two},
       8,
       "RG"},
      {"4-bit", {.width = 2, .bpp = 4, .palette = kPalette, .pixels = {2, 3}}, 8, "BW"},
      {"8-bit", {.width = 2, .bpp = 8, .palette = kPalette, .pixels = {1, 0}}, 8, "RK"},
      {"16-bit", {.width = 2, .bpp = 16, .pixels = {0x7C00, 0x001F}}, 24, "rb"},
      {"24-bit", {.width = 2, .bpp = 24, .pixels = {0xC80000, 0x00A000}}, 24, "RG"},
      {"32-bit", {.width = 2, .bpp = 32, .pixels = {0x0000DC, 0xC8A000}}, 32, "BY"},
  };
  for (const auto& c : cases) {
    const HDC dc = Loaded(c.layout);
    EXPECT_EQ(win::BitsPerPixel(dc), c.bits) << c.what;
    EXPECT_EQ(Rows(dc)[0], c.row) << c.what;
  }
  const int bitmaps = win::LiveBitmapCount();
  EXPECT_EQ(win::LoadImageA(0, "/nonexistent/a_missing.bmp", win::IMAGE_BITMAP, 0, 0,
                            win::LR_LOADFROMFILE),
            0);
  EXPECT_EQ(win::LiveBitmapCount(), bitmaps);
  EXPECT_THROW(win::LoadImageA(0, "/x.bmp", win::IMAGE_BITMAP, 0, 0, 0), std::logic_error);
  EXPECT_THROW(win::LoadImageA(0, "/x.bmp", 1, 0, 0, win::LR_LOADFROMFILE), std::logic_error);
}

}  // namespace
