// Reading of RIFF WAVE files for the wave mixer and the simple player: uncompressed PCM, 8 or
// 16 bits, mono or stereo, any common rate, converted to the engine's own format. Anything
// else, every broken file and every sound that would take more than files::kMaxDecodedBytes as
// read or as converted is refused with no sound rather than a crash.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/file_read.h"

namespace audio {

// Samples as the file holds them, scaled to -1..1, interleaved by channel.
struct WavData {
  int rate = 0;
  int channels = 0;
  std::vector<float> samples;
  std::size_t Frames() const { return channels ? samples.size() / channels : 0; }
};

// A sound ready to mix: interleaved stereo at the engine's rate (kRate).
struct Pcm {
  std::vector<float> samples;
  files::Charge charge;  // read from a file: its share of the loaded-media budget
  std::size_t Frames() const { return samples.size() / 2; }
};

// The contents of a WAV file, or nothing when it is not one we can play.
std::optional<WavData> ParseWav(std::span<const std::uint8_t> bytes);

// Stereo at kRate, by linear interpolation between neighbouring samples.
Pcm ToEnginePcm(const WavData& wav);

// Reads a host file and converts it; nothing when it is missing, unreadable, not a regular file,
// refused, or too large for what is left of files::kMaxLoadedBytes. Only the chunks' headers,
// the format and the sound's data are read.
std::shared_ptr<const Pcm> LoadWavFile(const std::string& host_path);

}  // namespace audio
