#include "platform/bmp_reader.h"

#include <gtest/gtest.h>

#include "bmp_test_files.h"
#include "platform/gdi.h"
#include "temp_windir.h"

namespace {

using bmptest::Layout;
using Bytes = std::vector<std::uint8_t>;
using Colours = std::vector<std::uint32_t>;

// Eight colours with distinct channels, so a swapped channel or a wrong index shows.
const Colours kPalette = {0x000000, 0x102030, 0x405060, 0x708090,
                          0xA0B0C0, 0xD0E0F0, 0xFFFFFF, 0x0A0B0C};
constexpr auto kFields = bmptest::kBitfields;

// The colours (0x00RRGGBB) of a decoded picture, top row first; nothing if it was refused.
Colours ColoursOf(const Bytes& file, int bits) {
  const auto img = win::DecodeBmp(file);
  if (!img || img->bits != bits) return {};
  Colours out;
  for (std::size_t at = 0; at < static_cast<std::size_t>(img->width) * img->height; ++at) {
    if (bits != 8) {
      out.push_back(img->words[at]);
    } else {
      out.push_back(img->indices[at] < img->table.size() ? img->table[img->indices[at]] : 0);
    }
  }
  return out;
}

// The colours of a 3 x 2 picture of the layout, decoded with the bits given.
Colours Decoded(Layout layout, int bits) {
  layout.width = 3;
  layout.height = 2;
  return ColoursOf(bmptest::File(layout), bits);
}

// The layouts the raster's own tests do not load: 16-bit pictures decode as 24-bit ones, those of
// 8 bits and fewer to indices into their colour table, which a one-bit picture keeps too.
TEST(BmpReader, DecodesEveryLayoutTopRowFirst) {
  const Colours ids = {1, 2, 3, 4, 5, 7};
  const Colours rgb = {0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x010203};
  Colours pal, red_low;  // red_low: a 32-bit layout that keeps red in the low byte
  for (std::size_t i = 0; i < 6; ++i) {
    pal.push_back(kPalette[ids[i]]);
    red_low.push_back((rgb[i] >> 16) | (rgb[i] & 0xFF00) | ((rgb[i] & 0xFF) << 16));
  }
  Colours core_palette = kPalette;
  core_palette.resize(256);
  const std::array<std::uint32_t, 3> low = {0xFF, 0xFF00, 0xFF0000}, m565 = {0xF800, 0x7E0, 0x1F},
                                     wide = {0x3FF00000, 0x000FFC00, 0x3FF};
  const Layout fields{.bpp = 32, .compression = kFields, .masks = low, .pixels = red_low};
  Layout fields_in_header = fields;
  fields_in_header.info_size = 124;
  const std::uint32_t ten = 0x3FF00000 | (0x201 << 10) | 0x007;  // wider channels keep their top
  EXPECT_EQ(Decoded({.bpp = 1, .palette = {0x102030, 0xFFFFFF}, .pixels = {1, 0, 1, 0, 0, 1}}, 8),
            (Colours{0xFFFFFF, 0x102030, 0xFFFFFF, 0x102030, 0x102030, 0xFFFFFF}));
  EXPECT_EQ(Decoded({.bpp = 8, .top_down = true, .palette = kPalette, .pixels = ids}, 8), pal);
  EXPECT_EQ(Decoded({.bpp = 8, .info_size = 12, .palette = core_palette, .pixels = ids}, 8), pal);
  EXPECT_EQ(Decoded({.bpp = 16,
                     .compression = kFields,
                     .masks = m565,
                     .pixels = {0xF800, 0x07E0, 0x001F, 0x0841, 0, 0xFFFF}},
                    24),
            (Colours{0xFF0000, 0x00FF00, 0x0000FF, 0x080808, 0, 0xFFFFFF}));
  EXPECT_EQ(Decoded({.bpp = 24, .info_size = 12, .pixels = rgb}, 24), rgb);
  EXPECT_EQ(Decoded(fields, 32), rgb);
  EXPECT_EQ(Decoded(fields_in_header, 32), rgb);
  EXPECT_EQ(
      Decoded({.bpp = 32, .compression = kFields, .masks = wide, .pixels = Colours(6, ten)}, 32),
      Colours(6, 0xFF8001));
}

// Run-length pictures, bottom row first: runs, a literal of odd length with its padding, an end
// of line, a delta that skips to the top row, and the end marker.
Layout Rle(int bpp, std::vector<std::uint8_t> rle, int width = 5, int height = 3) {
  const auto compression = bpp == 8 ? bmptest::kRle8 : bmptest::kRle4;
  return {width, height, bpp, false, compression, 40, kPalette, {}, {}, std::move(rle)};
}
const Layout kRle8 = Rle(8, {2, 1, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 2, 1, 3, 4, 0, 1});
const Layout kRle4 = Rle(4, {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 2, 0x67, 0, 1}, 5, 2);

TEST(BmpReader, DecodesRunLengthPictures) {
  const auto indices = [](const Layout& layout) {
    return win::DecodeBmp(bmptest::File(layout)).value_or(win::BmpImage{}).indices;
  };
  EXPECT_EQ(indices(kRle8), (Bytes{0, 0, 4, 4, 4, 0, 0, 0, 0, 0, 1, 1, 2, 3, 2}));
  EXPECT_EQ(indices(kRle4), (Bytes{3, 4, 5, 6, 7, 1, 2, 1, 2, 1}));
}

Bytes Valid24() {
  return bmptest::File({.width = 3, .height = 2, .bpp = 24, .pixels = {1, 2, 3, 4, 5, 6}});
}
Bytes With(Bytes file, std::size_t at, std::uint32_t value) {
  bmptest::Patch32(file, at, value);
  return file;
}
Bytes Rle8(std::vector<std::uint8_t> data, int width = 5, int height = 3) {
  return bmptest::File(Rle(8, std::move(data), width, height));
}
Bytes Fields(std::array<std::uint32_t, 3> masks, int bpp = 32) {
  return bmptest::File({.bpp = bpp, .compression = kFields, .masks = masks, .pixels = {0}});
}

// Each case breaks one rule alone.
TEST(BmpReader, RefusesBrokenAndHostileFiles) {
  const Bytes good = Valid24(), fields = Fields({0xFF0000, 0xFF00, 0xFF});
  const Bytes eight = bmptest::File(
      {.width = 3, .height = 2, .bpp = 8, .palette = kPalette, .pixels = {0, 1, 2, 3, 4, 5}});
  const struct {
    const char* what;
    Bytes file;
  } cases[] = {
      {"not a bitmap", With(good, 0, 0x0000414D)},
      {"pixels cut short", Bytes(good.begin(), good.end() - 1)},
      {"truncated colour table", Bytes(eight.begin(), eight.begin() + 60)},
      {"pixel offset past the end", With(good, 10, static_cast<std::uint32_t>(good.size() + 8))},
      {"pixel offset inside the header", With(good, 10, 20)},
      {"unknown header size", With(good, 14, 64)},
      {"negative width", With(good, 18, static_cast<std::uint32_t>(-3))},
      {"zero height", With(good, 22, 0)},
      {"most negative height", With(good, 22, 0x80000000)},
      {"width over the cap", With(good, 18, 16385)},
      {"largest size without its pixels", With(With(good, 18, 16384), 22, 16384)},
      {"two planes", With(good, 26, 0x00180002)},
      {"7 bits per pixel", With(good, 26, 0x00070001)},
      {"run-length 24 bits", With(good, 30, 1)},
      {"colours beyond the depth", bmptest::File({.bpp = 1, .palette = {0, 1, 2}, .pixels = {0}})},
      {"run-length top-down", With(Rle8({0, 1}), 22, static_cast<std::uint32_t>(-3))},
      {"run past the row", Rle8({6, 1, 0, 1})},
      {"literal cut short", Rle8({0, 5, 1, 2})},
      {"data ending before the last row", Rle8({5, 1, 0, 0})},
      {"zero mask", Fields({0, 0xFF00, 0xFF})},
      {"overlapping masks", Fields({0xFF0000, 0x0FF000, 0xFF})},
      {"split mask", Fields({0xFF0000, 0xF0F0, 0x0F})},
      {"16-bit mask past 16 bits", Fields({0x1F0000, 0x07E0, 0x001F}, 16)},
      {"bit fields cut off", Bytes(fields.begin(), fields.begin() + 60)},
  };
  for (const auto& c : cases) EXPECT_FALSE(win::DecodeBmp(c.file).has_value()) << c.what;
  for (const Bytes& file : {good, eight, fields, Rle8({5, 1, 0, 0, 5, 2, 0, 0, 5, 3, 0, 0})}) {
    EXPECT_TRUE(win::DecodeBmp(file).has_value()) << "the good ones, one without its end marker";
  }
}

// A file is read only when it is a regular one, and then only its headers and the pixels they
// declare: a picture beyond the bound is refused before its pixels are read or room is made for
// them. The large files are all there, most of them a hole that takes no disk.
TEST(BmpReader, ReadsOnlyRegularFilesAndOnlyTheDeclaredPixelsWithinTheBound) {
  test_support::TempWindir dir;
  const int bitmaps = win::LiveBitmapCount();
  for (const Bytes& file : {With(Valid24(), 10, 9999), Rle8({6, 1, 0, 1}), Bytes{'B', 'M'}}) {
    EXPECT_EQ(win::LoadImageA(0, dir.Write("broken.bmp", file), win::IMAGE_BITMAP, 0, 0,
                              win::LR_LOADFROMFILE | win::LR_CREATEDIBSECTION),
              0);
  }
  EXPECT_EQ(win::LiveBitmapCount(), bitmaps) << "nothing kept";
  EXPECT_FALSE(win::ReadBmpFile(dir.File("missing.bmp")).has_value());
  EXPECT_THROW(win::LoadImageA(0, "/x.bmp", win::IMAGE_BITMAP, 0, 0, 0), std::logic_error);
  dir.ExpectSpecialFilesRefused(
      [](const std::string& path) { return !win::ReadBmpFile(path).has_value(); });

  const struct {
    const char* what;
    int width, height, bpp;
    std::uint64_t size;  // 0: just the pixels declared
    bool loads;
  } cases[] = {
      {"8 Mi pixels of 8 bits", 4096, 2048, 8, 0, true},
      {"a row more", 4096, 2049, 8, 0, false},
      {"a row more at 32 bits", 4096, 2049, 32, 0, false},
      {"a small picture ahead of 2 GiB", 3, 2, 24, 2ull << 30, true},
  };
  for (const auto& c : cases) {
    Bytes head =
        bmptest::File({.bpp = c.bpp, .palette = Colours(c.bpp <= 8 ? 2 : 0), .pixels = {0}});
    bmptest::Patch32(head, 18, static_cast<std::uint32_t>(c.width));
    bmptest::Patch32(head, 22, static_cast<std::uint32_t>(c.height));
    const std::string path = dir.Write("large.bmp", head);
    const std::uint64_t stride = (static_cast<std::uint64_t>(c.width) * c.bpp + 31) / 32 * 4;
    std::filesystem::resize_file(path, c.size ? c.size : head.size() - 4 + stride * c.height);
    const auto img = win::ReadBmpFile(path);
    EXPECT_EQ(img.has_value(), c.loads) << c.what;
    if (img) {
      EXPECT_EQ(img->width, c.width) << c.what;
    }
  }
}

}  // namespace
