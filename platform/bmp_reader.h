// Decoding of Windows bitmap (BMP) files into pixels the raster can hold.
//
// Picture files live in a folder the user can change, so every field is distrusted: a truncated,
// inconsistent or oversized file is refused as a whole (nothing loaded), never half-read, and
// nothing is allocated before the file has shown that it holds the pixels it claims. A picture
// whose pixels, as 32-bit ones, would take more than files::kMaxDecodedBytes is refused too.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/file_read.h"

namespace win {

// A decoded picture, top row first.
//   bits 8:  a file of 1, 4 or 8 bits; one colour-table index per pixel in indices.
//   bits 24: a 16 or 24-bit file; bits 32: a 32-bit file; one 0x00RRGGBB word per pixel.
struct BmpImage {
  int width = 0;
  int height = 0;
  int bits = 0;
  std::vector<std::uint32_t> table;  // bits 8: the file's colours, 0x00RRGGBB
  std::vector<std::uint8_t> indices;
  std::vector<std::uint32_t> words;
  files::Charge charge;  // a picture read from a file: its share of the loaded-media budget
};

// Pictures wider or taller than this are refused.
constexpr int kBmpMaxDimension = 16384;

// nullopt for anything that is not a complete, sane BMP file.
std::optional<BmpImage> DecodeBmp(std::span<const std::uint8_t> file);
// Reads a file of the host and decodes it; nullopt when it is missing, unreadable, not a regular
// file, broken or too large for what is left of files::kMaxLoadedBytes. Only the headers and the
// pixel data they declare are read.
std::optional<BmpImage> ReadBmpFile(const std::string& host_path);

}  // namespace win
