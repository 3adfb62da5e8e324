#include "platform/bmp_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "bmp_test_files.h"
#include "platform/gdi.h"
#include "special_files.h"

namespace {

using bmptest::Layout;
using Bytes = std::vector<std::uint8_t>;

// Eight colours with distinct channels, so a swapped channel or a wrong index shows.
const std::vector<std::uint32_t> kPalette = {0x000000, 0x102030, 0x405060, 0x708090,
                                             0xA0B0C0, 0xD0E0F0, 0xFFFFFF, 0x0A0B0C};

// The colour (0x00RRGGBB) a decoded picture shows at (x, y).
std::uint32_t ColourAt(const win::BmpImage& img, int x, int y) {
  const std::size_t at = static_cast<std::size_t>(y) * img.width + x;
  if (img.bits == 8) return img.indices[at] < img.table.size() ? img.table[img.indices[at]] : 0;
  return img.words[at];
}

std::vector<std::uint32_t> Colours(const win::BmpImage& img) {
  std::vector<std::uint32_t> out;
  for (int y = 0; y < img.height; ++y) {
    for (int x = 0; x < img.width; ++x) out.push_back(ColourAt(img, x, y));
  }
  return out;
}

std::optional<win::BmpImage> Decode(const Bytes& file) {
  return win::DecodeBmp(file);
}

TEST(BmpReader, DecodesEveryLayoutTopRowFirst) {
  const std::vector<std::uint32_t> indices = {1, 2, 3, 4, 5, 7};  // 3 x 2
  std::vector<std::uint32_t> paletted;
  for (auto i : indices) paletted.push_back(kPalette[i]);
  const std::vector<std::uint32_t> words = {0x112233, 0x445566, 0x778899,
                                            0xAABBCC, 0xDDEEFF, 0x010203};
  const std::vector<std::uint32_t> sixteen = {0x7C00, 0x03E0, 0x001F, 0x4210, 0x0000, 0x7FFF};
  const std::vector<std::uint32_t> sixteen_colours = {0xFF0000, 0x00FF00, 0x0000FF,
                                                      0x848484, 0x000000, 0xFFFFFF};
  const std::vector<std::uint32_t> rgb565 = {0xF800, 0x07E0, 0x001F, 0x0841, 0, 0xFFFF};
  std::vector<std::uint32_t> with_alpha;
  for (auto w : words) with_alpha.push_back(w | 0x5A000000);
  std::vector<std::uint32_t> red_low;  // a 32-bit layout that keeps red in the low byte
  for (auto w : words) red_low.push_back(((w >> 16) & 0xFF) | (w & 0xFF00) | ((w & 0xFF) << 16));
  const std::array<std::uint32_t, 3> red_low_masks = {0x000000FF, 0x0000FF00, 0x00FF0000};

  struct Case {
    const char* what;
    Layout layout;
    int bits;
    std::vector<std::uint32_t> colours;
  } cases[] = {
      {"1-bit black and white",
       {.width = 3, .height = 2, .bpp = 1, .palette = {0, 0xFFFFFF}, .pixels = {1, 0, 1, 0, 0, 1}},
       8,
       {0xFFFFFF, 0, 0xFFFFFF, 0, 0, 0xFFFFFF}},
      {"1-bit coloured",
       {.width = 3,
        .height = 2,
        .bpp = 1,
        .palette = {0x102030, 0xFFFFFF},
        .pixels = {1, 0, 1, 0, 0, 1}},
       8,
       {0xFFFFFF, 0x102030, 0xFFFFFF, 0x102030, 0x102030, 0xFFFFFF}},
      {"4-bit",
       {.width = 3, .height = 2, .bpp = 4, .palette = kPalette, .pixels = indices},
       8,
       paletted},
      {"8-bit",
       {.width = 3, .height = 2, .bpp = 8, .palette = kPalette, .pixels = indices},
       8,
       paletted},
      {"8-bit top-down",
       {.width = 3,
        .height = 2,
        .bpp = 8,
        .top_down = true,
        .palette = kPalette,
        .pixels = indices},
       8,
       paletted},
      {"8-bit core header",
       {.width = 3,
        .height = 2,
        .bpp = 8,
        .info_size = 12,
        .palette =
            [] {
              std::vector<std::uint32_t> p(256, 0);
              std::copy(kPalette.begin(), kPalette.end(), p.begin());
              return p;
            }(),
        .pixels = indices},
       8,
       paletted},
      {"16-bit 5-5-5",
       {.width = 3, .height = 2, .bpp = 16, .pixels = sixteen},
       24,
       sixteen_colours},
      {"16-bit 5-6-5 bit fields",
       {.width = 3,
        .height = 2,
        .bpp = 16,
        .compression = bmptest::kBitfields,
        .masks = {0xF800, 0x07E0, 0x001F},
        .pixels = rgb565},
       24,
       {0xFF0000, 0x00FF00, 0x0000FF, 0x080808, 0x000000, 0xFFFFFF}},
      {"24-bit", {.width = 3, .height = 2, .bpp = 24, .pixels = words}, 24, words},
      {"24-bit top-down",
       {.width = 3, .height = 2, .bpp = 24, .top_down = true, .pixels = words},
       24,
       words},
      {"24-bit core header",
       {.width = 3, .height = 2, .bpp = 24, .info_size = 12, .pixels = words},
       24,
       words},
      {"32-bit, fourth byte ignored",
       {.width = 3, .height = 2, .bpp = 32, .pixels = with_alpha},
       32,
       words},
      {"32-bit bit fields after a 40-byte header",
       {.width = 3,
        .height = 2,
        .bpp = 32,
        .compression = bmptest::kBitfields,
        .masks = red_low_masks,
        .pixels = red_low},
       32,
       words},
      {"32-bit bit fields in a 124-byte header",
       {.width = 3,
        .height = 2,
        .bpp = 32,
        .compression = bmptest::kBitfields,
        .info_size = 124,
        .masks = red_low_masks,
        .pixels = red_low},
       32,
       words},
  };
  for (const auto& c : cases) {
    const auto img = Decode(bmptest::File(c.layout));
    ASSERT_TRUE(img.has_value()) << c.what;
    EXPECT_EQ(img->bits, c.bits) << c.what;
    EXPECT_EQ(img->width, 3) << c.what;
    EXPECT_EQ(img->height, 2) << c.what;
    EXPECT_EQ(Colours(*img), c.colours) << c.what;
  }
  // Channels wider than 8 bits keep their top 8 bits.
  const auto ten = Decode(bmptest::File({.width = 1,
                                         .bpp = 32,
                                         .compression = bmptest::kBitfields,
                                         .masks = {0x3FF00000, 0x000FFC00, 0x000003FF},
                                         .pixels = {0x3FF00000 | (0x201 << 10) | 0x007}}));
  ASSERT_TRUE(ten.has_value());
  EXPECT_EQ(Colours(*ten), std::vector<std::uint32_t>{0xFF8001});
}

// A run-length picture, 5 x 3 pixels, bottom row first: runs, a literal of odd length with its
// padding, an end of line, a delta that skips to the top row, and the end marker.
Layout Rle8Picture() {
  return {.width = 5,
          .height = 3,
          .bpp = 8,
          .compression = bmptest::kRle8,
          .palette = kPalette,
          .rle = {2, 1, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 2, 1, 3, 4, 0, 1}};
}

TEST(BmpReader, DecodesRunLengthPictures) {
  const auto rle8 = Decode(bmptest::File(Rle8Picture()));
  ASSERT_TRUE(rle8.has_value());
  EXPECT_EQ(rle8->bits, 8);
  EXPECT_EQ(rle8->indices,
            (std::vector<std::uint8_t>{0, 0, 4, 4, 4, 0, 0, 0, 0, 0, 1, 1, 2, 3, 2}));

  const Layout rle4{.width = 5,
                    .height = 2,
                    .bpp = 4,
                    .compression = bmptest::kRle4,
                    .palette = kPalette,
                    .rle = {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 2, 0x67, 0, 1}};
  const auto img = Decode(bmptest::File(rle4));
  ASSERT_TRUE(img.has_value());
  EXPECT_EQ(img->indices, (std::vector<std::uint8_t>{3, 4, 5, 6, 7, 1, 2, 1, 2, 1}));
  EXPECT_EQ(ColourAt(*img, 0, 0), kPalette[3]);
}

Bytes Valid24() {
  return bmptest::File({.width = 3, .height = 2, .bpp = 24, .pixels = {1, 2, 3, 4, 5, 6}});
}

Bytes With(Bytes file, std::size_t at, std::uint32_t value) {
  bmptest::Patch32(file, at, value);
  return file;
}

Bytes Rle8(std::vector<std::uint8_t> data, int width = 5, int height = 3) {
  Layout s = Rle8Picture();
  s.rle = std::move(data);
  s.width = width;
  s.height = height;
  return bmptest::File(s);
}

Bytes Fields(std::array<std::uint32_t, 3> masks, int bpp = 32) {
  return bmptest::File(
      {.width = 1, .bpp = bpp, .compression = bmptest::kBitfields, .masks = masks, .pixels = {0}});
}

TEST(BmpReader, RefusesBrokenAndHostileFiles) {
  const Bytes good = Valid24();
  const Bytes eight = bmptest::File(
      {.width = 3, .height = 2, .bpp = 8, .palette = kPalette, .pixels = {0, 1, 2, 3, 4, 5}});
  struct Case {
    const char* what;
    Bytes file;
  } cases[] = {
      {"empty", {}},
      {"not a bitmap", With(good, 0, 0x0000414D)},
      {"truncated file header", Bytes(good.begin(), good.begin() + 10)},
      {"truncated info header", Bytes(good.begin(), good.begin() + 30)},
      {"truncated pixels", Bytes(good.begin(), good.end() - 1)},
      {"truncated colour table", Bytes(eight.begin(), eight.begin() + 60)},
      {"pixel offset past the end", With(good, 10, static_cast<std::uint32_t>(good.size() + 8))},
      {"pixel offset inside the header", With(good, 10, 20)},
      {"unknown header size", With(good, 14, 64)},
      {"zero width", With(good, 18, 0)},
      {"negative width", With(good, 18, static_cast<std::uint32_t>(-3))},
      {"zero height", With(good, 22, 0)},
      {"most negative height", With(good, 22, 0x80000000)},
      {"width over the cap", With(good, 18, 16385)},
      {"width * height overflowing", With(With(good, 18, 0x7FFFFFFF), 22, 0x7FFFFFFF)},
      {"largest size without its pixels", With(With(good, 18, 16384), 22, 16384)},
      {"two planes", With(good, 26, 0x00180002)},
      {"7 bits per pixel", With(good, 26, 0x00070001)},
      {"JPEG compression", With(good, 30, 4)},
      {"run-length 24 bits", With(good, 30, 1)},
      {"absurd colour count", With(eight, 46, 300)},
      {"huge colour count", With(eight, 46, 0x40000000)},
      {"run-length top-down", With(Rle8({0, 1}), 22, static_cast<std::uint32_t>(-3))},
      {"run past the row", Rle8({6, 1, 0, 1})},
      {"literal past the row", Rle8({3, 1, 0, 3, 1, 2, 3, 0, 0, 1})},
      {"delta past the row", Rle8({0, 2, 6, 0, 0, 1})},
      {"delta past the picture", Rle8({0, 2, 0, 4, 0, 1})},
      {"run past the picture", Rle8({0, 0, 0, 0, 0, 0, 1, 1, 0, 1})},
      {"literal cut short", Rle8({0, 5, 1, 2})},
      {"delta cut short", Rle8({0, 2, 1})},
      {"data ending before the last row", Rle8({5, 1, 0, 0})},
      {"run-length giant from a few bytes", Rle8({0, 1}, 16384, 16384)},
      {"zero red mask", Fields({0, 0xFF00, 0xFF})},
      {"zero blue mask", Fields({0xFF0000, 0xFF00, 0})},
      {"split mask", Fields({0xF0F000, 0x0F00, 0xFF})},
      {"overlapping masks", Fields({0xFF0000, 0x0FF000, 0xFF})},
      {"16-bit mask past 16 bits", Fields({0x1F0000, 0x07E0, 0x001F}, 16)},
      {"bit fields cut off",
       [] {
         Bytes f = Fields({0xFF0000, 0xFF00, 0xFF});
         f.resize(60);
         return f;
       }()},
  };
  for (const auto& c : cases) EXPECT_FALSE(Decode(c.file).has_value()) << c.what;
  EXPECT_TRUE(Decode(good).has_value());
  EXPECT_TRUE(Decode(eight).has_value());
  EXPECT_TRUE(Decode(Rle8({5, 1, 0, 0, 5, 2, 0, 0, 5, 3, 0, 0})).has_value());  // no end marker
}

// Every shortened copy and every single damaged byte of a few files: refused or decoded to a
// consistent picture, never a crash (run under the address sanitizer to see overreads).
TEST(BmpReader, SurvivesEveryTruncationAndDamagedByte) {
  const std::vector<Bytes> files = {
      Valid24(), bmptest::File(Rle8Picture()),
      bmptest::File({.width = 5,
                     .height = 2,
                     .bpp = 4,
                     .compression = bmptest::kRle4,
                     .palette = kPalette,
                     .rle = {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 2, 0x67, 0, 1}}),
      Fields({0xF800, 0x07E0, 0x001F}, 16)};
  auto consistent = [](const std::optional<win::BmpImage>& img) {
    if (!img) return true;
    const std::size_t pixels = static_cast<std::size_t>(img->width) * img->height;
    return img->width > 0 && img->height > 0 &&
           (img->bits >= 24 ? img->words.size() : img->indices.size()) == pixels;
  };
  for (const Bytes& file : files) {
    for (std::size_t n = 0; n < file.size(); ++n) {
      const auto img = Decode(Bytes(file.begin(), file.begin() + n));
      EXPECT_TRUE(consistent(img)) << "cut to " << n;
    }
    for (std::size_t at = 0; at < file.size(); ++at) {
      for (std::uint8_t value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
        Bytes damaged = file;
        damaged[at] = value;
        EXPECT_TRUE(consistent(Decode(damaged))) << "byte " << at << " = " << int{value};
      }
    }
  }
  // A plain file cut anywhere is refused: its rows are not all there.
  const Bytes good = Valid24();
  for (std::size_t n = 0; n < good.size(); ++n) {
    EXPECT_FALSE(Decode(Bytes(good.begin(), good.begin() + n)).has_value()) << n;
  }
}

TEST(BmpReader, LoadImageGivesNothingForABrokenFileAndKeepsNothing) {
  const std::string dir = testing::TempDir();
  const int bitmaps = win::LiveBitmapCount();
  const Bytes broken[] = {With(Valid24(), 10, 9999), Rle8({6, 1, 0, 1}), Bytes{'B', 'M'}};
  for (const Bytes& file : broken) {
    bmptest::Write(dir + "bmp_reader_test_broken.bmp", file);
    EXPECT_EQ(win::LoadImageA(0, dir + "bmp_reader_test_broken.bmp", win::IMAGE_BITMAP, 0, 0,
                              win::LR_LOADFROMFILE | win::LR_CREATEDIBSECTION),
              0);
  }
  EXPECT_EQ(win::LiveBitmapCount(), bitmaps);
  EXPECT_FALSE(win::ReadBmpFile(dir + "no_such_picture.bmp").has_value());
  specialtest::SpecialFiles().ExpectRefusedAtOnce(
      [](const std::string& path) { return !win::ReadBmpFile(path).has_value(); });

  bmptest::Write(dir + "bmp_reader_test_good.bmp", Valid24());
  const auto img = win::ReadBmpFile(dir + "bmp_reader_test_good.bmp");
  ASSERT_TRUE(img.has_value());
  EXPECT_EQ(img->words, (std::vector<std::uint32_t>{1, 2, 3, 4, 5, 6}));
}

// Files whose every byte is there, most of them a hole that takes no disk: only the headers
// and the pixels they declare are read, and a picture beyond the bound is refused before its
// pixels are read or room is made for them, whatever its depth.
TEST(BmpReader, ReadsOnlyTheDeclaredPixelsOfPicturesWithinTheBound) {
  const std::string path = testing::TempDir() + "bmp_reader_test_large.bmp";
  const auto write = [&](int width, int height, int bpp, std::uint64_t size) {
    Bytes head = bmptest::File({.width = 1,
                                .bpp = bpp,
                                .palette = std::vector<std::uint32_t>(bpp <= 8 ? 2 : 0, 0),
                                .pixels = {0}});
    bmptest::Patch32(head, 18, static_cast<std::uint32_t>(width));
    bmptest::Patch32(head, 22, static_cast<std::uint32_t>(height));
    bmptest::Write(path, head);
    const std::uint64_t pixels_at = head.size() - 4;  // a 1-pixel row takes 4 bytes
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bpp + 31) / 32 * 4;
    std::filesystem::resize_file(path, size ? size : pixels_at + stride * height);
  };
  const struct {
    const char* what;
    int width, height, bpp;
    std::uint64_t size;  // 0: just the pixels declared
    bool loads;
  } cases[] = {
      {"8 Mi pixels of 8 bits", 4096, 2048, 8, 0, true},
      {"a row more", 4096, 2049, 8, 0, false},
      {"a row more at 32 bits", 4096, 2049, 32, 0, false},
      {"8192 x 8192", 8192, 8192, 8, 0, false},
      {"60000 x 60000 in 100 bytes", 60000, 60000, 24, 100, false},
      {"a small picture ahead of 2 GiB", 3, 2, 24, 2ull << 30, true},
  };
  for (const auto& c : cases) {
    write(c.width, c.height, c.bpp, c.size);
    const auto img = win::ReadBmpFile(path);
    EXPECT_EQ(img.has_value(), c.loads) << c.what;
    if (img) {
      EXPECT_EQ(img->width, c.width) << c.what;
    }
  }
  std::filesystem::remove(path);
}

}  // namespace
