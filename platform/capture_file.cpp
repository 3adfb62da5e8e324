#include "platform/capture_file.h"

#include <cstring>

#include "platform/audio_engine.h"

namespace audio {
namespace {

constexpr std::uint32_t kBytesPerSecond = kRate * kChannels * 2;

void Put32(unsigned char* at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(v >> (8 * i));
}
void Put16(unsigned char* at, std::uint16_t v) {
  at[0] = static_cast<unsigned char>(v & 0xFF);
  at[1] = static_cast<unsigned char>(v >> 8);
}

}  // namespace

bool CaptureFile::Open(const std::string& path) {
  if (file_) return true;
  file_ = std::fopen(path.c_str(), "wb");
  if (!file_) return false;
  data_bytes_ = 0;
  WriteHeader();
  return true;
}

void CaptureFile::Append(const std::int16_t* samples, int count) {
  for (int i = 0; i < count; ++i) Put16(block_ + 2 * i, static_cast<std::uint16_t>(samples[i]));
  const auto bytes = static_cast<std::size_t>(count) * 2;
  std::fwrite(block_, 1, bytes, file_);
  data_bytes_ += static_cast<std::uint32_t>(bytes);
  if (data_bytes_ - header_bytes_ >= kBytesPerSecond) WriteHeader();
}

void CaptureFile::Close() {
  if (!file_) return;
  WriteHeader();
  std::fclose(file_);
  file_ = nullptr;
}

// Moving to the start flushes the data written so far, so that the file never holds less than
// its header gives; moving back to the end flushes the header.
void CaptureFile::WriteHeader() {
  unsigned char h[44];
  std::memcpy(h, "RIFF", 4);
  Put32(h + 4, 36 + data_bytes_);
  std::memcpy(h + 8, "WAVEfmt ", 8);
  Put32(h + 16, 16);
  Put16(h + 20, 1);
  Put16(h + 22, kChannels);
  Put32(h + 24, kRate);
  Put32(h + 28, kBytesPerSecond);
  Put16(h + 32, kChannels * 2);
  Put16(h + 34, 16);
  std::memcpy(h + 36, "data", 4);
  Put32(h + 40, data_bytes_);
  std::fseek(file_, 0, SEEK_SET);
  std::fwrite(h, 1, sizeof h, file_);
  std::fseek(file_, 0, SEEK_END);
  header_bytes_ = data_bytes_;
}

}  // namespace audio
