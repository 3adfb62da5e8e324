// Internals of the software raster shared by its sources (not part of the gdi.h contract): the
// bitmap and DC records, the handle table and the conversion of colours to pixel values.
//
// Storage is chosen for the blits, not for the platform's byte layout: one byte per pixel for 1
// bit (0 black, 1 white) and 8 bits (a colour-table index), one 0x00RRGGBB word per pixel for 24
// and 32 bits. Rows are contiguous, top row first.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/file_read.h"
#include "platform/gdi.h"

namespace win::raster {

// A bitmap may have any size an X screen may have, up to 32767 pixels a side, within a bound on
// its bytes: the largest square screen of 16384 pixels a side at 32 bits. A larger one is
// refused rather than allocated, so that a hostile size cannot exhaust memory.
constexpr int kMaxDimension = 32767;
constexpr std::size_t kMaxBytes = std::size_t{16384} * 16384 * 4;
// Whether a bitmap of this size and depth may be made.
bool SizeAllowed(int width, int height, int bits);
constexpr COLORREF kClrInvalid = 0xFFFFFFFF;
constexpr COLORREF kWhite = 0x00FFFFFF;

// A 24/32-bit pixel word (0x00RRGGBB) from a COLORREF (0x00BBGGRR) and back: red and blue swap.
constexpr std::uint32_t WordFromColor(COLORREF c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr COLORREF ColorFromWord(std::uint32_t w) {
  return WordFromColor(w);
}

// The pixel words of a 24/32-bit bitmap: on the heap, or in memory of the platform's own (shared
// with the display server), which its keeper frees with the bitmap. A new blank bitmap's words
// are made, black, only when they are first asked for: a window's surface that only ever shows
// other bitmaps never holds pixels of its own.
class Words {
 public:
  struct Keeper {
    virtual ~Keeper() = default;
  };
  // Gives count zeroed words that the keeper frees, or null to leave them to the heap.
  using Source = std::function<std::uint32_t*(std::size_t count, std::unique_ptr<Keeper>& keeper)>;
  // From now on the words of blank bitmaps of at least `from` words come from the source.
  static void SetSource(Source source, std::size_t from);

  // count black words, made when first used.
  void Assign(std::size_t count) {
    Take({});
    data_ = nullptr;
    size_ = count;
  }
  void Take(std::vector<std::uint32_t> words) {
    heap_ = std::move(words);
    keeper_.reset();
    data_ = heap_.data();
    size_ = heap_.size();
  }
  // Copies the words to data, which keeper keeps alive, and uses them from there on.
  void MoveTo(std::uint32_t* data, std::unique_ptr<Keeper> keeper);
  std::uint32_t* data() const {
    if (!data_ && size_ != 0) Make();
    return data_;
  }
  std::size_t size() const { return size_; }
  // False while they are all black and not yet made.
  bool Made() const { return data_ || size_ == 0; }
  Keeper* keeper() const { return keeper_.get(); }

 private:
  void Make() const;
  mutable std::vector<std::uint32_t> heap_;
  mutable std::unique_ptr<Keeper> keeper_;
  mutable std::uint32_t* data_ = nullptr;
  std::size_t size_ = 0;
};

// A stretch of a row whose pixels all hold one value (uniform), or not. A masked draw can skip
// or fill a uniform stretch as a whole and combines only the others pixel by pixel.
struct Run {
  std::int32_t end;  // one past its last column; it starts where the one before it ends
  bool uniform;
  std::uint32_t value;  // the pixel value of a uniform run
};

struct Bitmap {
  int width = 0;
  int height = 0;
  int bits = 1;                     // 1, 8, 24 or 32
  std::vector<std::uint8_t> bytes;  // 1 and 8 bits
  Words words;                      // 24 and 32 bits; the top byte of each word is always 0
  // 8 bits: colours as 0x00RRGGBB; entries past table_size are black, so any index shows.
  std::array<std::uint32_t, 256> table{};
  int table_size = 0;
  HDC holder = 0;  // the DC that holds and owns it; 0 when free (always 0 for the stock one)
  bool stock = false;
  files::Charge charge;  // a picture loaded from a file: its share of the loaded-media budget

  bool Wide() const { return bits >= 24; }
  std::uint8_t* Row8(int y) { return bytes.data() + static_cast<std::size_t>(y) * width; }
  const std::uint8_t* Row8(int y) const {
    return bytes.data() + static_cast<std::size_t>(y) * width;
  }
  std::uint32_t* Row32(int y) { return words.data() + static_cast<std::size_t>(y) * width; }
  const std::uint32_t* Row32(int y) const {
    return words.data() + static_cast<std::size_t>(y) * width;
  }
  // The colour (0x00RRGGBB) a pixel shows.
  std::uint32_t WordAt(int x, int y) const;
  // The pixel value that shows a colour (0x00RRGGBB) best: the word itself, the nearest table
  // entry, or for one bit the nearer of black and white.
  std::uint32_t ValueOf(std::uint32_t word) const;
  std::uint8_t Nearest(std::uint32_t word) const;
  // The runs of row y of a 1-bit or 24/32-bit bitmap, first to last. Whoever writes pixels
  // calls Written first.
  std::span<const Run> Runs(int y) const {
    if (run_rows_.empty()) FindRuns();
    return {runs_.data() + run_rows_[y], runs_.data() + run_rows_[y + 1]};
  }
  void Written() {
    run_rows_.clear();
    runs_.clear();
  }

 private:
  // Nearest-entry answers by colour: converting a picture to 8 bits asks for the same few
  // colours over and over, and the table never changes once the bitmap exists.
  mutable std::vector<std::uint32_t> nearest_keys_;
  mutable std::vector<std::uint8_t> nearest_values_;
  // The runs of every row, found the first time a draw asks for them: pictures and masks are
  // made once and drawn every frame. run_rows_[y] is the index of row y's first run.
  mutable std::vector<std::uint32_t> run_rows_;
  mutable std::vector<Run> runs_;
  void FindRuns() const;
};

// A zeroed (black) bitmap of a valid size and depth.
Bitmap MakeBitmap(int width, int height, int bits);

struct Dc {
  HBITMAP bitmap = 0;
  // A window's drawing surface shows another DC's bitmap in place of its own after a whole copy
  // of it; its own is then the stock bitmap.
  bool window = false;
  HBITMAP shown = 0;
  COLORREF bk_color = kWhite;
  COLORREF text_color = 0;
  POINT position{0, 0};
};

Dc* FindDc(HDC dc);
Bitmap* FindBitmap(HBITMAP bitmap);
// The bitmap a live DC holds (a DC always holds one), or the one it shows.
Bitmap& BitmapOf(const Dc& dc);
// A window's surface shows the source DC's bitmap from now on, and its own bitmap goes.
void ShowInstead(Dc& window, const Dc& source);
// The bitmap to draw on: a window's own again, if it showed another, and no longer known by
// its runs.
Bitmap& DrawingTarget(HDC handle, Dc& dc);

}  // namespace win::raster
