// The object table of the raster and every call but the blits: DCs, bitmaps, colours, picture
// loading, single pixels and lines, and the inspection calls.
#include "platform/gdi.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "platform/bmp_reader.h"
#include "platform/gdi_raster.h"
#include "platform/paths.h"
#include "platform/unsupported.h"

namespace win {
namespace raster {
namespace {

// One numbering for DCs and bitmaps, never reused, so a stale handle can never reach a newer
// object. The maps keep element addresses stable while others are added or erased. Never
// destroyed, like every other stand-in's state: the program's records are globals that let go
// of their surfaces at exit, in no order we control.
struct Table {
  std::unordered_map<HDC, Dc> dcs;
  std::unordered_map<HBITMAP, Bitmap> bitmaps;
  std::int32_t next = 0x100;
  HBITMAP stock = 0;
};

Table& Objects() {
  static Table* const table = [] {
    auto* t = new Table;
    Bitmap stock = MakeBitmap(1, 1, 1);
    stock.stock = true;
    t->stock = t->next++;
    t->bitmaps.emplace(t->stock, std::move(stock));
    return t;
  }();
  return *table;
}

HBITMAP AddBitmap(Bitmap bitmap) {
  Table& t = Objects();
  const HBITMAP handle = t.next++;
  t.bitmaps.emplace(handle, std::move(bitmap));
  return handle;
}

std::uint32_t Distance(std::uint32_t a, std::uint32_t b) {
  const int dr = static_cast<int>((a >> 16) & 0xFF) - static_cast<int>((b >> 16) & 0xFF);
  const int dg = static_cast<int>((a >> 8) & 0xFF) - static_cast<int>((b >> 8) & 0xFF);
  const int db = static_cast<int>(a & 0xFF) - static_cast<int>(b & 0xFF);
  return static_cast<std::uint32_t>(dr * dr + dg * dg + db * db);
}

constexpr std::size_t kNearestCacheSize = 4096;
constexpr std::uint32_t kCacheFilled = 0x80000000;

// Shorter stretches of one value are left to the pixel-by-pixel combining, which handles them
// as fast as a run would and keeps the rows' run lists short.
constexpr int kMinRun = 8;

// Appends the runs of one row. Wide pixels form uniform runs only of black and white, the
// values that a masked draw can skip or fill; mask pixels of either value.
template <class T>
void AppendRuns(const T* row, int width, bool wide, std::vector<Run>& out) {
  int mixed_from = 0;
  for (int x = 0; x < width;) {
    const T value = row[x];
    int end = x + 1;
    while (end < width && row[end] == value) ++end;
    if (end - x >= kMinRun && (!wide || value == 0 || value == kWhite)) {
      if (mixed_from < x) out.push_back({x, false, 0});
      out.push_back({end, true, value});
      mixed_from = end;
    }
    x = end;
  }
  if (mixed_from < width) out.push_back({width, false, 0});
}

// A DC that shows another's bitmap gets one of its own again, a copy of what it shows.
void TakeOwnCopy(HDC handle, Dc& dc) {
  const Bitmap& shown = BitmapOf(dc);
  Bitmap own = MakeBitmap(shown.width, shown.height, 32);
  std::copy_n(shown.words.data(), shown.words.size(), own.words.data());
  own.holder = handle;
  dc.shown = 0;
  dc.bitmap = AddBitmap(std::move(own));
}

// Before a bitmap goes: the windows that show it keep a copy.
void Forget(HBITMAP bitmap) {
  for (auto& [handle, dc] : Objects().dcs) {
    if (dc.shown == bitmap) TakeOwnCopy(handle, dc);
  }
}

}  // namespace

bool SizeAllowed(int width, int height, int bits) {
  if (width < 0 || height < 0 || width > kMaxDimension || height > kMaxDimension) return false;
  const std::size_t bytes_per_pixel = bits >= 24 ? 4 : 1;
  return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * bytes_per_pixel <=
         kMaxBytes;
}

Bitmap MakeBitmap(int width, int height, int bits) {
  Bitmap b;
  b.width = width;
  b.height = height;
  b.bits = bits;
  const std::size_t pixels = static_cast<std::size_t>(width) * height;
  if (b.Wide()) {
    b.words.Assign(pixels);
  } else {
    b.bytes.assign(pixels, 0);
  }
  return b;
}

std::uint32_t Bitmap::WordAt(int x, int y) const {
  const std::size_t at = static_cast<std::size_t>(y) * width + x;
  if (Wide()) return words.data()[at];
  if (bits == 8) return table[bytes[at]];
  return bytes[at] ? kWhite : 0;
}

std::uint32_t Bitmap::ValueOf(std::uint32_t word) const {
  if (Wide()) return word;
  if (bits == 8) return Nearest(word);
  return Distance(word, kWhite) < Distance(word, 0) ? 1 : 0;
}

std::uint8_t Bitmap::Nearest(std::uint32_t word) const {
  if (nearest_keys_.empty()) {
    nearest_keys_.assign(kNearestCacheSize, 0);
    nearest_values_.assign(kNearestCacheSize, 0);
  }
  const std::size_t slot = (word * 2654435761u) >> 20 & (kNearestCacheSize - 1);
  if (nearest_keys_[slot] == (word | kCacheFilled)) return nearest_values_[slot];
  std::uint8_t best = 0;
  std::uint32_t best_distance = ~0u;
  for (int i = 0; i < table_size; ++i) {  // the first of equally near entries wins
    const std::uint32_t d = Distance(word, table[i]);
    if (d < best_distance) {
      best_distance = d;
      best = static_cast<std::uint8_t>(i);
    }
  }
  nearest_keys_[slot] = word | kCacheFilled;
  nearest_values_[slot] = best;
  return best;
}

void Bitmap::FindRuns() const {
  run_rows_.reserve(static_cast<std::size_t>(height) + 1);
  for (int row = 0; row < height; ++row) {
    run_rows_.push_back(static_cast<std::uint32_t>(runs_.size()));
    if (Wide()) {
      AppendRuns(Row32(row), width, true, runs_);
    } else {
      AppendRuns(Row8(row), width, false, runs_);
    }
  }
  run_rows_.push_back(static_cast<std::uint32_t>(runs_.size()));
}

namespace {
struct WordSource {
  Words::Source source;
  std::size_t from = 0;
};
WordSource& TheWordSource() {
  static WordSource* const source = new WordSource;
  return *source;
}
}  // namespace

void Words::SetSource(Source source, std::size_t from) {
  TheWordSource() = {std::move(source), from};
}

void Words::Make() const {
  const WordSource& source = TheWordSource();
  if (source.source && size_ >= source.from) {
    if (std::uint32_t* given = source.source(size_, keeper_)) {
      data_ = given;
      return;
    }
  }
  heap_.assign(size_, 0);
  data_ = heap_.data();
}

void Words::MoveTo(std::uint32_t* data, std::unique_ptr<Keeper> keeper) {
  std::copy_n(this->data(), size_, data);
  heap_ = std::vector<std::uint32_t>();  // not {}, which would keep the memory
  keeper_ = std::move(keeper);
  data_ = data;
}

Dc* FindDc(HDC dc) {
  auto& dcs = Objects().dcs;
  const auto it = dcs.find(dc);
  return it == dcs.end() ? nullptr : &it->second;
}

Bitmap* FindBitmap(HBITMAP bitmap) {
  auto& bitmaps = Objects().bitmaps;
  const auto it = bitmaps.find(bitmap);
  return it == bitmaps.end() ? nullptr : &it->second;
}

Bitmap& BitmapOf(const Dc& dc) {
  return Objects().bitmaps.at(dc.shown ? dc.shown : dc.bitmap);
}

void ShowInstead(Dc& window, const Dc& source) {
  const HBITMAP shown = source.shown ? source.shown : source.bitmap;
  if (window.shown == shown) return;
  Table& t = Objects();
  if (!window.shown && window.bitmap != t.stock) {
    Forget(window.bitmap);
    t.bitmaps.erase(window.bitmap);
  }
  window.bitmap = t.stock;
  window.shown = shown;
}

Bitmap& DrawingTarget(HDC handle, Dc& dc) {
  if (dc.shown) TakeOwnCopy(handle, dc);
  Bitmap& b = BitmapOf(dc);
  b.Written();
  return b;
}

}  // namespace raster

using raster::Bitmap;
using raster::Dc;
using raster::kClrInvalid;

HDC CreateCompatibleDC(HDC reference) {
  if (reference != 0 && !raster::FindDc(reference)) return 0;
  raster::Table& t = raster::Objects();
  const HDC handle = t.next++;
  t.dcs.emplace(handle, Dc{t.stock});
  return handle;
}

HBITMAP CreateCompatibleBitmap(HDC reference, int width, int height) {
  const Dc* ref = reference != 0 ? raster::FindDc(reference) : nullptr;
  if (reference != 0 && !ref) return 0;
  const Bitmap* model = ref ? &raster::BitmapOf(*ref) : nullptr;
  const int bits = model ? model->bits : 32;  // without a reference, the screen's
  if (!raster::SizeAllowed(width, height, bits)) return 0;
  if (width == 0 || height == 0) return raster::Objects().stock;
  if (!model) return raster::AddBitmap(raster::MakeBitmap(width, height, bits));
  Bitmap b = raster::MakeBitmap(width, height, bits);
  b.table = model->table;
  b.table_size = model->table_size;
  return raster::AddBitmap(std::move(b));
}

HBITMAP CreateBitmap(int width, int height, unsigned planes, unsigned bits_per_pixel,
                     const void* bits) {
  if (planes != 1) Unsupported("CreateBitmap", "a plane count other than 1");
  if (bits_per_pixel != 1 && bits_per_pixel != 8 && bits_per_pixel != 24 && bits_per_pixel != 32) {
    Unsupported("CreateBitmap", std::to_string(bits_per_pixel) + " bits per pixel");
  }
  if (width == 0 || height == 0) return raster::Objects().stock;
  if (!raster::SizeAllowed(width, height, static_cast<int>(bits_per_pixel))) return 0;
  Bitmap b = raster::MakeBitmap(width, height, static_cast<int>(bits_per_pixel));
  if (bits_per_pixel == 8) {  // no colour table comes with the call: a grey ramp
    for (int i = 0; i < 256; ++i) b.table[i] = static_cast<std::uint32_t>(i) * 0x010101;
    b.table_size = 256;
  }
  if (bits) {  // rows padded to 16 bits; 24 and 32-bit pixels stored blue, green, red
    const auto* in = static_cast<const std::uint8_t*>(bits);
    const std::size_t stride = (static_cast<std::size_t>(width) * bits_per_pixel + 15) / 16 * 2;
    const int step = static_cast<int>(bits_per_pixel) / 8;
    for (int y = 0; y < height; ++y) {
      const std::uint8_t* row = in + y * stride;
      for (int x = 0; x < width; ++x) {
        if (bits_per_pixel == 1) {
          b.Row8(y)[x] = (row[x / 8] >> (7 - x % 8)) & 1;
        } else if (bits_per_pixel == 8) {
          b.Row8(y)[x] = row[x];
        } else {
          const std::uint8_t* p = row + x * step;
          b.Row32(y)[x] = (p[2] << 16) | (p[1] << 8) | p[0];
        }
      }
    }
  }
  return raster::AddBitmap(std::move(b));
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  Dc* d = raster::FindDc(dc);
  Bitmap* b = raster::FindBitmap(object);
  if (!d || !b) return 0;
  if (d->bitmap == object && !d->shown) return object;
  if (!b->stock && b->holder != 0) return 0;  // a bitmap lives in one DC at a time
  const HBITMAP previous = d->bitmap;
  raster::Objects().bitmaps.at(previous).holder = 0;
  if (!b->stock) b->holder = dc;
  d->bitmap = object;
  d->shown = 0;
  return previous;
}

bool DeleteDC(HDC dc) {
  Dc* d = raster::FindDc(dc);
  if (!d) return false;
  raster::Table& t = raster::Objects();
  if (d->bitmap != t.stock) {
    raster::Forget(d->bitmap);
    t.bitmaps.erase(d->bitmap);
  }
  t.dcs.erase(dc);
  return true;
}

bool DeleteObject(HGDIOBJ object) {
  raster::Table& t = raster::Objects();
  const Bitmap* b = raster::FindBitmap(object);
  if (!b || b->holder != 0) return false;
  if (!b->stock) {
    raster::Forget(object);
    t.bitmaps.erase(object);
  }
  return true;  // the stock bitmap outlives every request to delete it
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
  Dc* d = raster::FindDc(dc);
  if (!d) return kClrInvalid;
  const COLORREF previous = d->bk_color;
  d->bk_color = color & raster::kWhite;
  return previous;
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
  Dc* d = raster::FindDc(dc);
  if (!d) return kClrInvalid;
  const COLORREF previous = d->text_color;
  d->text_color = color & raster::kWhite;
  return previous;
}

int GetObjectA(HGDIOBJ object, int size, void* out) {
  const Bitmap* b = raster::FindBitmap(object);
  if (!b) return 0;
  constexpr int kSize = static_cast<int>(sizeof(BITMAP));
  if (!out) return kSize;
  if (size < kSize) return 0;
  BITMAP info{};
  info.bmWidth = b->width;
  info.bmHeight = b->height;
  info.bmWidthBytes = (b->width * b->bits + 15) / 16 * 2;
  info.bmPlanes = 1;
  info.bmBitsPixel = static_cast<std::uint16_t>(b->bits);
  std::memcpy(out, &info, sizeof info);
  return kSize;
}

HBITMAP LoadImageA(std::int32_t instance, const std::string& path, unsigned type, int cx, int cy,
                   unsigned flags) {
  constexpr unsigned kKnownFlags = LR_LOADFROMFILE | LR_DEFAULTSIZE | LR_CREATEDIBSECTION;
  if (type != IMAGE_BITMAP) Unsupported("LoadImageA", "an image type other than a bitmap");
  if (instance != 0 || !(flags & LR_LOADFROMFILE) || (flags & ~kKnownFlags) != 0) {
    Unsupported("LoadImageA", "loading other than from a file with the known flags");
  }
  if (cx != 0 || cy != 0) Unsupported("LoadImageA", "scaling while loading");
  auto image = ReadBmpFile(HostPath(path));
  if (!image) return 0;
  Bitmap b;
  b.width = image->width;
  b.height = image->height;
  b.bits = image->bits;
  b.bytes = std::move(image->indices);
  b.words.Take(std::move(image->words));
  b.table_size = static_cast<int>(image->table.size());
  std::copy(image->table.begin(), image->table.end(), b.table.begin());
  b.charge = std::move(image->charge);
  return raster::AddBitmap(std::move(b));
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
  Dc* d = raster::FindDc(dc);
  if (!d) return kClrInvalid;
  const Bitmap& shown = raster::BitmapOf(*d);
  if (x < 0 || y < 0 || x >= shown.width || y >= shown.height) return kClrInvalid;
  Bitmap& b = raster::DrawingTarget(dc, *d);
  const std::uint32_t value = b.ValueOf(raster::WordFromColor(color));
  if (b.Wide()) {
    b.Row32(y)[x] = value;
  } else {
    b.Row8(y)[x] = static_cast<std::uint8_t>(value);
  }
  return raster::ColorFromWord(b.WordAt(x, y));
}

bool MoveToEx(HDC dc, int x, int y, POINT* previous) {
  Dc* d = raster::FindDc(dc);
  if (!d) return false;
  if (previous) *previous = d->position;
  d->position = {x, y};
  return true;
}

bool LineTo(HDC dc, int x, int y) {
  Dc* d = raster::FindDc(dc);
  if (!d) return false;
  Bitmap& b = raster::DrawingTarget(dc, *d);
  const std::uint32_t pen = b.ValueOf(0);  // the default pen: solid black, one pixel
  std::int64_t px = d->position.x;
  std::int64_t py = d->position.y;
  const std::int64_t dx = std::llabs(x - px);
  const std::int64_t dy = -std::llabs(y - py);
  const int step_x = px < x ? 1 : -1;
  const int step_y = py < y ? 1 : -1;
  std::int64_t error = dx + dy;
  while (px != x || py != y) {  // the end point is left out
    if (px >= 0 && py >= 0 && px < b.width && py < b.height) {
      if (b.Wide()) {
        b.Row32(static_cast<int>(py))[px] = pen;
      } else {
        b.Row8(static_cast<int>(py))[px] = static_cast<std::uint8_t>(pen);
      }
    }
    const std::int64_t twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      px += step_x;
    }
    if (twice <= dx) {
      error += dx;
      py += step_y;
    }
  }
  d->position = {x, y};
  return true;
}

COLORREF GetPixel(HDC dc, int x, int y) {
  const Dc* d = raster::FindDc(dc);
  if (!d) return kClrInvalid;
  const Bitmap& b = raster::BitmapOf(*d);
  if (x < 0 || y < 0 || x >= b.width || y >= b.height) return kClrInvalid;
  return raster::ColorFromWord(b.WordAt(x, y));
}

int BitsPerPixel(HDC dc) {
  const Dc* d = raster::FindDc(dc);
  return d ? raster::BitmapOf(*d).bits : 0;
}

int BitmapWidth(HDC dc) {
  const Dc* d = raster::FindDc(dc);
  return d ? raster::BitmapOf(*d).width : 0;
}

int BitmapHeight(HDC dc) {
  const Dc* d = raster::FindDc(dc);
  return d ? raster::BitmapOf(*d).height : 0;
}

std::uint32_t* MutablePixels32(HDC dc) {
  Dc* d = raster::FindDc(dc);
  if (!d || !raster::BitmapOf(*d).Wide()) return nullptr;
  return raster::DrawingTarget(dc, *d).words.data();
}

const std::uint32_t* Pixels32(HDC dc) {
  const Dc* d = raster::FindDc(dc);
  if (!d) return nullptr;
  const Bitmap& b = raster::BitmapOf(*d);
  return b.Wide() ? b.words.data() : nullptr;
}

int Stride32(HDC dc) {
  const Dc* d = raster::FindDc(dc);
  if (!d) return 0;
  const Bitmap& b = raster::BitmapOf(*d);
  return b.Wide() ? b.width : 0;
}

void MakeWindowSurface(HDC dc) {
  if (Dc* d = raster::FindDc(dc)) d->window = true;
}

int LiveDCCount() {
  return static_cast<int>(raster::Objects().dcs.size());
}

// The stock bitmap is not counted: it is never made or deleted by anyone.
int LiveBitmapCount() {
  return static_cast<int>(raster::Objects().bitmaps.size()) - 1;
}

}  // namespace win
