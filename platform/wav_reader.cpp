#include "platform/wav_reader.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/audio_engine.h"
#include "platform/file_read.h"

namespace audio {
namespace {

constexpr int kMinRate = 1000;
constexpr int kMaxRate = 192000;
constexpr std::uint16_t kFormatPcm = 1;
// Chunks looked at before the sound's own: real files have a handful, and each costs a read.
constexpr int kMaxChunks = 64;

std::uint16_t Get16(const std::uint8_t* at) {
  return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}
std::uint32_t Get32(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
         static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}
bool Tag(const std::uint8_t* at, const char* tag) {
  return at[0] == tag[0] && at[1] == tag[1] && at[2] == tag[2] && at[3] == tag[3];
}

struct Format {
  int channels = 0;
  int rate = 0;
  int bits = 0;
  int block_align = 0;
};

std::optional<Format> ParseFormat(std::span<const std::uint8_t, 16> chunk) {
  Format f;
  if (Get16(&chunk[0]) != kFormatPcm) return std::nullopt;
  f.channels = Get16(&chunk[2]);
  f.rate = static_cast<int>(std::min<std::uint32_t>(Get32(&chunk[4]), 1u << 30));
  f.block_align = Get16(&chunk[12]);
  f.bits = Get16(&chunk[14]);
  if (f.channels < 1 || f.channels > 2) return std::nullopt;
  if (f.rate < kMinRate || f.rate > kMaxRate) return std::nullopt;
  if (f.bits != 8 && f.bits != 16) return std::nullopt;
  if (f.block_align != f.channels * f.bits / 8) return std::nullopt;
  return f;
}

// Where a file's sound lies: its format, and its data chunk.
struct Layout {
  Format format;
  std::uint64_t data_at = 0;
  std::size_t data_bytes = 0;
};

// Walks the chunks of a file of `size` bytes up to the data chunk, reading through
// read(offset, out) only the chunks' headers and the format.
template <class Read>
std::optional<Layout> FindSound(std::uint64_t size, Read&& read) {
  std::array<std::uint8_t, 12> riff{};
  if (size < riff.size() || !read(0, riff) || !Tag(&riff[0], "RIFF") || !Tag(&riff[8], "WAVE"))
    return std::nullopt;
  // A RIFF size beyond the file is a truncated file: its chunks are checked one by one below.
  const std::uint64_t riff_end = std::min<std::uint64_t>(size, 8 + std::uint64_t{Get32(&riff[4])});
  std::optional<Format> format;
  std::uint64_t at = 12;
  for (int chunks = 0; chunks < kMaxChunks && at + 8 <= riff_end; ++chunks) {
    std::array<std::uint8_t, 8> header{};
    if (!read(at, header)) return std::nullopt;
    const std::uint32_t chunk_size = Get32(&header[4]);
    const std::uint64_t body = at + 8;
    if (chunk_size > riff_end - body) return std::nullopt;  // a chunk past the end
    if (Tag(&header[0], "fmt ")) {
      std::array<std::uint8_t, 16> fields{};
      if (chunk_size < fields.size() || !read(body, fields)) return std::nullopt;
      format = ParseFormat(fields);
      if (!format) return std::nullopt;
    } else if (Tag(&header[0], "data")) {
      if (!format) return std::nullopt;  // the format comes first
      return Layout{*format, body, chunk_size};
    }
    at = body + chunk_size + (chunk_size & 1);  // chunks are padded to even sizes
  }
  return std::nullopt;
}

// Frames of a sound of in_frames at rate once converted to the engine's rate.
std::size_t EngineFrames(std::size_t in_frames, int rate) {
  return static_cast<std::size_t>(
      std::llround(static_cast<double>(in_frames) * kRate / static_cast<double>(rate)));
}

// What the sound takes once converted for the engine, the form in which it stays loaded.
std::uint64_t EngineBytes(const Layout& sound) {
  const std::size_t frames = sound.data_bytes / static_cast<std::size_t>(sound.format.block_align);
  return std::uint64_t{EngineFrames(frames, sound.format.rate)} * kChannels * sizeof(float);
}

// A low rate grows hundreds of times on its way to the engine: both forms of the sound must
// stay within the bound.
bool FitsDecoded(const Layout& sound) {
  const Format& f = sound.format;
  const std::size_t frames = sound.data_bytes / static_cast<std::size_t>(f.block_align);
  const std::uint64_t as_read = std::uint64_t{frames} * f.channels * sizeof(float);
  return as_read <= files::kMaxDecodedBytes && EngineBytes(sound) <= files::kMaxDecodedBytes;
}

WavData Decode(const Format& f, std::span<const std::uint8_t> data) {
  WavData wav;
  wav.rate = f.rate;
  wav.channels = f.channels;
  const std::size_t frames = data.size() / static_cast<std::size_t>(f.block_align);
  const std::size_t count = frames * static_cast<std::size_t>(f.channels);
  wav.samples.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    if (f.bits == 8) {
      wav.samples[i] = (static_cast<float>(data[i]) - 128.0f) / 128.0f;
    } else {
      wav.samples[i] =
          static_cast<float>(static_cast<std::int16_t>(Get16(&data[2 * i]))) / 32768.0f;
    }
  }
  return wav;
}

}  // namespace

std::optional<WavData> ParseWav(std::span<const std::uint8_t> bytes) {
  const auto sound =
      FindSound(bytes.size(), [bytes](std::uint64_t at, std::span<std::uint8_t> out) {
        if (at > bytes.size() || out.size() > bytes.size() - at) return false;
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), out.size(), out.begin());
        return true;
      });
  if (!sound || !FitsDecoded(*sound)) return std::nullopt;
  return Decode(sound->format, bytes.subspan(sound->data_at, sound->data_bytes));
}

Pcm ToEnginePcm(const WavData& wav) {
  Pcm pcm;
  const std::size_t in_frames = wav.Frames();
  if (in_frames == 0) return pcm;
  const std::size_t out_frames = EngineFrames(in_frames, wav.rate);
  pcm.samples.resize(out_frames * 2);
  const double step = static_cast<double>(wav.rate) / kRate;
  const auto sample = [&](std::size_t frame, int channel) {
    frame = std::min(frame, in_frames - 1);
    return wav.samples[frame * wav.channels + (wav.channels == 2 ? channel : 0)];
  };
  for (std::size_t i = 0; i < out_frames; ++i) {
    const double pos = static_cast<double>(i) * step;
    const auto frame = static_cast<std::size_t>(pos);
    const auto frac = static_cast<float>(pos - static_cast<double>(frame));
    for (int c = 0; c < 2; ++c) {
      pcm.samples[2 * i + c] = sample(frame, c) * (1.0f - frac) + sample(frame + 1, c) * frac;
    }
  }
  return pcm;
}

std::shared_ptr<const Pcm> LoadWavFile(const std::string& host_path) {
  const auto file = files::RegularFile::Open(host_path);
  if (!file) return nullptr;
  const auto sound = FindSound(
      file->Size(),
      [&file](std::uint64_t at, std::span<std::uint8_t> out) { return file->ReadAt(at, out); });
  if (!sound || !FitsDecoded(*sound)) return nullptr;
  auto charge = files::Charge::Take(EngineBytes(*sound));
  if (!charge) return nullptr;
  // The file's bytes go before the conversion: no more than two forms of the sound are held at
  // once.
  std::shared_ptr<Pcm> pcm;
  std::optional<WavData> wav;
  {
    std::vector<std::uint8_t> data(sound->data_bytes);
    if (file->ReadAt(sound->data_at, data)) wav = Decode(sound->format, data);
  }
  if (wav) {
    pcm = std::make_shared<Pcm>(ToEnginePcm(*wav));
    pcm->charge = std::move(*charge);
  }
  wav.reset();
  files::ReleaseFreedMemory();
  return pcm;
}

}  // namespace audio
