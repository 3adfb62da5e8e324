#include "platform/bmp_reader.h"

#include <algorithm>
#include <array>
#include <bit>

#include "platform/file_read.h"

namespace win {
namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::size_t kFileHeaderSize = 14;
// Real run-length pictures stay far below this many pixels per byte of data; a few hostile
// bytes must not make the reader allocate a giant picture.
constexpr std::uint64_t kMaxRlePixelsPerByte = 1024;
// No sensible run-length data spends more than this per pixel (the costliest encodings, a run
// or a skip per pixel, take two or three), besides an end of line per row and the end marker.
constexpr std::uint64_t kMaxRleBytesPerPixel = 4;
// Every header, the bit-field masks and the largest colour table fit in this many first bytes.
constexpr std::size_t kMaxHeadBytes = kFileHeaderSize + 124 + 12 + 256 * 4;
// A picture's size as 32-bit pixels, the form the screen-sized surfaces give it.
constexpr std::uint64_t kMaxPixels = files::kMaxDecodedBytes / 4;

std::uint32_t Le16(Bytes d, std::size_t at) {
  return d[at] | (d[at + 1] << 8);
}
std::uint32_t Le32(Bytes d, std::size_t at) {
  return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) |
         (static_cast<std::uint32_t>(d[at + 3]) << 24);
}

struct Header {
  int width = 0;
  int height = 0;
  bool top_down = false;
  unsigned bpp = 0;
  std::uint32_t compression = kBiRgb;
  std::array<std::uint32_t, 3> masks{};  // red, green, blue
  std::size_t table_at = 0;
  std::size_t table_entries = 0;
  std::size_t entry_size = 4;
  std::size_t pixels_at = 0;
};

bool IsRle(const Header& h) {
  return h.compression == kBiRle8 || h.compression == kBiRle4;
}

bool KnownInfoSize(std::uint32_t size) {
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool DepthFits(unsigned bpp, std::uint32_t compression) {
  switch (compression) {
    case kBiRgb:
      return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
    case kBiRle8:
      return bpp == 8;
    case kBiRle4:
      return bpp == 4;
    case kBiBitfields:
      return bpp == 16 || bpp == 32;
    default:
      return false;
  }
}

// The header from the file's first bytes (all of them, or at least kMaxHeadBytes of them).
std::optional<Header> ReadHeader(Bytes f, std::uint64_t file_size) {
  if (f.size() < kFileHeaderSize + 4 || f[0] != 'B' || f[1] != 'M') return std::nullopt;
  Header h;
  h.pixels_at = Le32(f, 10);
  const std::uint32_t info_size = Le32(f, 14);
  if (info_size != 12 && !KnownInfoSize(info_size)) return std::nullopt;
  if (kFileHeaderSize + info_size > f.size()) return std::nullopt;
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t planes = 0;
  std::uint32_t colours_used = 0;
  h.table_at = kFileHeaderSize + info_size;
  if (info_size == 12) {  // the old core header: 16-bit sizes, 3-byte colour entries
    width = Le16(f, 18);
    height = Le16(f, 20);
    planes = Le16(f, 22);
    h.bpp = Le16(f, 24);
    h.entry_size = 3;
    if (h.bpp == 16 || h.bpp == 32) return std::nullopt;
  } else {
    width = static_cast<std::int32_t>(Le32(f, 18));
    height = static_cast<std::int32_t>(Le32(f, 22));
    planes = Le16(f, 26);
    h.bpp = Le16(f, 28);
    h.compression = Le32(f, 30);
    colours_used = Le32(f, 46);
    if (h.compression == kBiBitfields) {
      // The masks sit inside the larger headers and just after the 40-byte one.
      if (info_size == 40) h.table_at += 12;
      if (h.table_at > f.size()) return std::nullopt;
      h.masks = {Le32(f, 54), Le32(f, 58), Le32(f, 62)};
    }
  }
  h.top_down = height < 0;
  if (height < 0) height = -height;
  if (planes != 1 || width <= 0 || height == 0 || width > kBmpMaxDimension ||
      height > kBmpMaxDimension || static_cast<std::uint64_t>(width * height) > kMaxPixels ||
      !DepthFits(h.bpp, h.compression)) {
    return std::nullopt;
  }
  if (IsRle(h) && h.top_down) return std::nullopt;
  h.width = static_cast<int>(width);
  h.height = static_cast<int>(height);
  if (h.bpp <= 8) {
    const std::uint32_t full = 1u << h.bpp;
    if (colours_used > full) return std::nullopt;
    h.table_entries = colours_used != 0 ? colours_used : full;
  }
  const std::uint64_t table_end = h.table_at + std::uint64_t{h.table_entries} * h.entry_size;
  if (table_end > h.pixels_at || table_end > f.size() || h.pixels_at >= file_size) {
    return std::nullopt;
  }
  return h;
}

std::uint64_t Stride(const Header& h) {
  return (std::uint64_t{static_cast<unsigned>(h.width)} * h.bpp + 31) / 32 * 4;
}

// The bytes of pixel data that the header declares; for run-length data, the most it may use.
std::uint64_t DataBytes(const Header& h) {
  const auto height = static_cast<std::uint64_t>(h.height);
  if (!IsRle(h)) return Stride(h) * height;
  return kMaxRleBytesPerPixel * static_cast<std::uint64_t>(h.width) * height + 2 * height + 2;
}

// One channel of a bit-field pixel, scaled to 8 bits.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int width = 0;

  std::uint32_t Extract(std::uint32_t pixel) const {
    const std::uint32_t v = (pixel & mask) >> shift;
    if (width >= 8) return v >> (width - 8);
    const std::uint32_t max = (1u << width) - 1;
    return (v * 255 + max / 2) / max;
  }
};

// A mask must be a single run of bits; an empty or split one cannot be scaled sensibly.
std::optional<Channel> MakeChannel(std::uint32_t mask) {
  if (mask == 0) return std::nullopt;
  Channel c{mask, std::countr_zero(mask), std::popcount(mask)};
  if ((std::uint64_t{mask} >> c.shift) != (1ull << c.width) - 1) return std::nullopt;
  return c;
}

struct Channels {
  Channel red, green, blue;
  std::uint32_t Word(std::uint32_t p) const {
    return (red.Extract(p) << 16) | (green.Extract(p) << 8) | blue.Extract(p);
  }
};

std::optional<Channels> MakeChannels(const Header& h) {
  std::array<std::uint32_t, 3> masks = h.masks;
  if (h.compression != kBiBitfields) {
    if (h.bpp != 16) return Channels{};  // 24 and 32-bit files are read byte by byte
    masks = {0x7C00, 0x03E0, 0x001F};
  }
  const auto red = MakeChannel(masks[0]);
  const auto green = MakeChannel(masks[1]);
  const auto blue = MakeChannel(masks[2]);
  if (!red || !green || !blue) return std::nullopt;
  if ((masks[0] & masks[1]) || (masks[0] & masks[2]) || (masks[1] & masks[2])) return std::nullopt;
  if (h.bpp == 16 && ((masks[0] | masks[1] | masks[2]) > 0xFFFF)) return std::nullopt;
  return Channels{*red, *green, *blue};
}

std::size_t RowOf(const Header& h, int file_row) {
  return static_cast<std::size_t>(h.top_down ? file_row : h.height - 1 - file_row);
}

// The decoders read the pixel data alone: data starts where the header places the pixels.
bool DecodeIndexed(Bytes data, const Header& h, BmpImage& img) {
  const std::uint64_t stride = Stride(h);
  if (stride * h.height > data.size()) return false;
  img.indices.assign(static_cast<std::size_t>(h.width) * h.height, 0);
  for (int r = 0; r < h.height; ++r) {
    const std::uint8_t* row = data.data() + r * stride;
    std::uint8_t* out = img.indices.data() + RowOf(h, r) * h.width;
    for (int x = 0; x < h.width; ++x) {
      if (h.bpp == 8) {
        out[x] = row[x];
      } else if (h.bpp == 4) {
        out[x] = (row[x / 2] >> ((x & 1) ? 0 : 4)) & 0x0F;
      } else {
        out[x] = (row[x / 8] >> (7 - x % 8)) & 1;
      }
    }
  }
  return true;
}

bool DecodeWide(Bytes data, const Header& h, const Channels& channels, BmpImage& img) {
  const std::uint64_t stride = Stride(h);
  if (stride * h.height > data.size()) return false;
  img.words.assign(static_cast<std::size_t>(h.width) * h.height, 0);
  for (int r = 0; r < h.height; ++r) {
    const std::size_t at = r * stride;
    std::uint32_t* out = img.words.data() + RowOf(h, r) * h.width;
    for (int x = 0; x < h.width; ++x) {
      if (h.bpp == 16) {
        out[x] = channels.Word(Le16(data, at + 2 * x));
      } else if (h.bpp == 24) {
        const std::size_t p = at + 3 * x;
        out[x] = (data[p + 2] << 16) | (data[p + 1] << 8) | data[p];
      } else if (h.compression == kBiBitfields) {
        out[x] = channels.Word(Le32(data, at + 4 * x));
      } else {
        out[x] = Le32(data, at + 4 * x) & 0x00FFFFFF;  // the fourth byte is not a colour
      }
    }
  }
  return true;
}

// Run-length data, bottom row first. Pixels the data skips stay index 0. A run, delta or literal
// that leaves its row or the picture, or data that stops before the last row, refuses the file.
bool DecodeRle(Bytes data, const Header& h, BmpImage& img) {
  const std::uint64_t pixels = std::uint64_t{static_cast<unsigned>(h.width)} * h.height;
  if (pixels > kMaxRlePixelsPerByte * data.size()) return false;
  img.indices.assign(pixels, 0);
  const bool four = h.compression == kBiRle4;
  int x = 0;
  int y = 0;
  auto put = [&](std::uint8_t v) {
    if (x >= h.width || y >= h.height) return false;
    img.indices[(h.height - 1 - y) * static_cast<std::size_t>(h.width) + x++] = v;
    return true;
  };
  std::size_t p = 0;
  while (p + 2 <= data.size()) {
    const unsigned count = data[p];
    const unsigned code = data[p + 1];
    p += 2;
    if (count > 0) {
      for (unsigned i = 0; i < count; ++i) {
        const auto v = static_cast<std::uint8_t>(four ? ((i & 1) ? code & 0x0F : code >> 4) : code);
        if (!put(v)) return false;
      }
    } else if (code == 0) {
      x = 0;
      ++y;
      if (y > h.height) return false;
    } else if (code == 1) {
      return true;
    } else if (code == 2) {
      if (p + 2 > data.size()) return false;
      x += data[p];
      y += data[p + 1];
      p += 2;
      if (x > h.width || y > h.height) return false;
    } else {
      const std::size_t bytes = four ? (code + 1) / 2 : code;
      const std::size_t padded = bytes + (bytes & 1);
      if (p + padded > data.size()) return false;
      for (unsigned i = 0; i < code; ++i) {
        const std::uint8_t b = data[p + (four ? i / 2 : i)];
        if (!put(four ? ((i & 1) ? b & 0x0F : b >> 4) : b)) return false;
      }
      p += padded;
    }
  }
  return y >= h.height;  // no end marker: acceptable only once every row was given
}

std::vector<std::uint32_t> ReadTable(Bytes f, const Header& h) {
  std::vector<std::uint32_t> table(h.table_entries);
  for (std::size_t i = 0; i < table.size(); ++i) {
    const std::size_t at = h.table_at + i * h.entry_size;
    table[i] = (f[at + 2] << 16) | (f[at + 1] << 8) | f[at];
  }
  return table;
}

// head holds at least the headers and the colour table, data the pixel data.
std::optional<BmpImage> DecodePixels(Bytes head, Bytes data, const Header& h) {
  BmpImage img;
  img.width = h.width;
  img.height = h.height;
  if (h.bpp <= 8) {
    if (!(IsRle(h) ? DecodeRle(data, h, img) : DecodeIndexed(data, h, img))) return std::nullopt;
    // Black-and-white pictures too keep their colour table: as one-bit bitmaps their pixels
    // would reach masks and colour surfaces as bits, not colours, and their black would not be
    // transparent.
    img.bits = 8;
    img.table = ReadTable(head, h);
    return img;
  }
  const auto channels = MakeChannels(h);
  if (!channels || !DecodeWide(data, h, *channels, img)) return std::nullopt;
  img.bits = h.bpp == 32 ? 32 : 24;
  return img;
}

}  // namespace

std::optional<BmpImage> DecodeBmp(Bytes file) {
  const auto h = ReadHeader(file, file.size());
  if (!h) return std::nullopt;
  return DecodePixels(file, file.subspan(h->pixels_at), *h);
}

std::optional<BmpImage> ReadBmpFile(const std::string& host_path) {
  const auto file = files::RegularFile::Open(host_path);
  if (!file) return std::nullopt;
  std::vector<std::uint8_t> head(std::min<std::uint64_t>(file->Size(), kMaxHeadBytes));
  if (!file->ReadAt(0, head)) return std::nullopt;
  const auto h = ReadHeader(head, file->Size());
  if (!h) return std::nullopt;
  const std::uint64_t pixels = static_cast<std::uint64_t>(h->width) * h->height;
  auto charge = files::Charge::Take(h->bpp <= 8 ? pixels : pixels * 4);
  if (!charge) return std::nullopt;
  std::optional<BmpImage> image;
  {
    std::vector<std::uint8_t> data(std::min(DataBytes(*h), file->Size() - h->pixels_at));
    if (file->ReadAt(h->pixels_at, data)) image = DecodePixels(head, data, *h);
  }
  if (image) image->charge = std::move(*charge);
  files::ReleaseFreedMemory();
  return image;
}

}  // namespace win
