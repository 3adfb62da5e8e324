// A small writer of RIFF WAVE files holding 16-bit PCM samples, one channel.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace mediagen {

// The whole file: "RIFF" header, "fmt " chunk (PCM, mono, 16-bit) and "data" chunk.
std::vector<std::uint8_t> WavBytes(int sample_rate, const std::vector<std::int16_t>& samples);

// Writes WavBytes to the file; throws std::runtime_error naming the file when it cannot.
void WriteWav(const std::filesystem::path& file, int sample_rate,
              const std::vector<std::int16_t>& samples);

}  // namespace mediagen
