#include "platform/wav_reader.h"

#include <gtest/gtest.h>

#include "platform/audio_engine.h"
#include "platform/audio_test_files.h"

namespace {

using namespace audiotest;

TEST(WavReader, ReadsEveryPcmLayoutScaledToFullRange) {
  const struct {
    const char* name;
    int rate, channels, bits;
    std::vector<int> samples;
    std::vector<float> expected;  // as read, scaled to -1..1
  } cases[] = {
      {"8-bit mono", 8000, 1, 8, {0, 128, 255}, {-1.0f, 0.0f, 127.0f / 128}},
      {"8-bit stereo", 11025, 2, 8, {64, 192}, {-0.5f, 0.5f}},
      {"16-bit mono", 22050, 1, 16, {-32768, 0, 16384}, {-1.0f, 0.0f, 0.5f}},
      {"16-bit stereo", 48000, 2, 16, {32767, -16384}, {32767.0f / 32768, -0.5f}},
  };
  for (const auto& c : cases) {
    const auto wav = audio::ParseWav(Wav(c.rate, c.channels, c.bits, c.samples));
    ASSERT_TRUE(wav.has_value()) << c.name;
    EXPECT_EQ(wav->rate, c.rate) << c.name;
    EXPECT_EQ(wav->channels, c.channels) << c.name;
    EXPECT_EQ(wav->samples, c.expected) << c.name;
  }
}

// The engine plays stereo at its own rate: mono goes to both sides, and a lower rate is raised
// by interpolating between neighbours, keeping the duration.
TEST(WavReader, ConvertsToStereoAtTheEngineRate) {
  for (const int rate : {8000, 11025, 22050, 44100, 48000}) {
    const auto wav = audio::ParseWav(Wav(rate, 1, 16, std::vector<int>(rate / 5, 1000)));
    EXPECT_EQ(audio::ToEnginePcm(*wav).Frames(), audio::kRate / 5u) << rate;  // 0.2 s
  }
  const auto pcm = [](int rate, int channels, const std::vector<int>& samples) {
    return audio::ToEnginePcm(*audio::ParseWav(Wav(rate, channels, 16, samples))).samples;
  };
  EXPECT_EQ(pcm(audio::kRate, 1, {16384}), (std::vector<float>{0.5f, 0.5f}));
  EXPECT_EQ(pcm(audio::kRate, 2, {16384, -16384}), (std::vector<float>{0.5f, -0.5f}));
  const auto raised = pcm(audio::kRate / 2, 1, {0, 8192, 16384});
  ASSERT_EQ(raised.size(), 12u);
  EXPECT_EQ((std::vector<float>{raised[2], raised[4], raised[6]}),
            (std::vector<float>{0.125f, 0.25f, 0.375f}));
}

// Offsets in the canonical 44-byte header written by audiotest::Wav.
constexpr std::size_t kFormatTag = 20, kChannels = 22, kRate = 24, kBlockAlign = 32, kBits = 34,
                      kDataTag = 36, kDataSize = 40, kFmtSize = 16;

Bytes With(Bytes file, std::size_t at, std::vector<std::uint8_t> bytes) {
  std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(at));
  return file;
}

TEST(WavReader, RefusesBrokenFiles) {
  const Bytes good = Wav(22050, 2, 16, std::vector<int>(40, 100));
  ASSERT_TRUE(audio::ParseWav(good).has_value());
  const struct {
    const char* name;
    Bytes file;
  } cases[] = {
      {"not WAVE", With(good, 8, {'A', 'V', 'I', ' '})},
      {"truncated data", Bytes(good.begin(), good.end() - 10)},
      {"chunk size 4 GB", With(good, kDataSize, {0xFF, 0xFF, 0xFF, 0xFF})},
      {"format chunk too short", With(good, kFmtSize, {8, 0, 0, 0})},
      {"three channels", With(good, kChannels, {3, 0})},
      {"24 bits", With(good, kBits, {24, 0})},
      {"rate 0", With(good, kRate, {0, 0, 0, 0})},
      {"rate 4 GHz", With(good, kRate, {0xFF, 0xFF, 0xFF, 0xFF})},
      {"block align mismatch", With(good, kBlockAlign, {3, 0})},
      {"compressed", With(good, kFormatTag, {2, 0})},
      {"no data chunk", With(good, kDataTag, {'j', 'u', 'n', 'k'})},
      {"data before format",
       With(With(good, 12, {'d', 'a', 't', 'a'}), kDataTag, {'f', 'm', 't', ' '})},
  };
  for (const auto& c : cases) EXPECT_FALSE(audio::ParseWav(c.file).has_value()) << c.name;
}

// A sound may take files::kMaxDecodedBytes (32 MiB) both as read and as converted for the
// engine (stereo floats at 44100 Hz): 95 seconds. A low rate swells on the way; a high one is
// larger as read.
TEST(WavReader, RefusesSoundsBeyondTheBoundBeforeDecodingThem) {
  const struct {
    const char* name;
    int rate, bits, frames;
    bool fits;
  } cases[] = {
      {"90 s at 1 kHz", 1000, 16, 90'000, true},
      {"100 s at 1 kHz", 1000, 16, 100'000, false},
      {"8.4 M frames of 8 bits at 192 kHz", 192'000, 8, 8'400'000, false},
  };
  for (const auto& c : cases) {
    const auto wav = audio::ParseWav(Wav(c.rate, 1, c.bits, std::vector<int>(c.frames, 128)));
    EXPECT_EQ(wav.has_value(), c.fits) << c.name;
  }
}

}  // namespace
