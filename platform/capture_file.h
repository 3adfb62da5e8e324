// The WAV file of FINBROOK_AUDIO_CAPTURE (44100 Hz, stereo, 16-bit): opened at the output's first
// start and appended to by every later start. Each block of the render is one write. The sizes in
// the header are brought up to date every second of sound and at Close, so that a reader finds a
// whole file at any moment, at most a second short, and all of it once the output has closed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace audio {

class CaptureFile {
 public:
  // The samples of the largest block that Append takes.
  static constexpr int kMaxBlockSamples = 2048;

  bool Open(const std::string& path);
  // Render thread: interleaved samples, at most kMaxBlockSamples.
  void Append(const std::int16_t* samples, int count);
  // Once no render runs: the header made whole and the file closed.
  void Close();

 private:
  void WriteHeader();

  std::FILE* file_ = nullptr;
  std::uint32_t data_bytes_ = 0;
  std::uint32_t header_bytes_ = 0;  // the data size the header gives
  unsigned char block_[2 * kMaxBlockSamples];
};

}  // namespace audio
