#include "mediagen/wav_writer.h"

#include <fstream>
#include <stdexcept>

namespace mediagen {
namespace {

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

}  // namespace

std::vector<std::uint8_t> WavBytes(int sample_rate, const std::vector<std::int16_t>& samples) {
  constexpr std::uint32_t kChannels = 1;
  constexpr std::uint32_t kBitsPerSample = 16;
  constexpr std::uint32_t kBlockAlign = kChannels * kBitsPerSample / 8;
  const auto data_size = static_cast<std::uint32_t>(samples.size() * kBlockAlign);
  const auto rate = static_cast<std::uint32_t>(sample_rate);

  std::vector<std::uint8_t> out;
  out.reserve(44 + data_size);
  PutTag(out, "RIFF");
  PutLittleEndian(out, 36 + data_size, 4);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutLittleEndian(out, 16, 4);
  PutLittleEndian(out, 1, 2);  // PCM
  PutLittleEndian(out, kChannels, 2);
  PutLittleEndian(out, rate, 4);
  PutLittleEndian(out, rate * kBlockAlign, 4);
  PutLittleEndian(out, kBlockAlign, 2);
  PutLittleEndian(out, kBitsPerSample, 2);
  PutTag(out, "data");
  PutLittleEndian(out, data_size, 4);
  for (std::int16_t sample : samples) {
    PutLittleEndian(out, static_cast<std::uint16_t>(sample), 2);
  }
  return out;
}

void WriteWav(const std::filesystem::path& file, int sample_rate,
              const std::vector<std::int16_t>& samples) {
  const std::vector<std::uint8_t> bytes = WavBytes(sample_rate, samples);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("mediagen: cannot write " + file.string());
}

}  // namespace mediagen
