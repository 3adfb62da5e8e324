// Sound end to end: the saver plays its effects and songs into a capture file instead of a
// sound device, and the file is read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <thread>
#include <vector>

#include "harness.h"

namespace {

using namespace std::chrono_literals;

// The capture: 44100 Hz, two channels, 16 bits. Gives the left channel's samples.
std::vector<std::int16_t> ReadCapture(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::int16_t> left;
  if (bytes.size() < 44 || std::memcmp(bytes.data(), "RIFF", 4) != 0) return left;
  size_t at = 12;
  while (at + 8 <= bytes.size()) {
    std::uint32_t size;
    std::memcpy(&size, bytes.data() + at + 4, 4);
    if (std::memcmp(bytes.data() + at, "data", 4) == 0) {
      const size_t end = std::min(bytes.size(), at + 8 + size);
      for (size_t i = at + 8; i + 4 <= end; i += 4) {
        std::int16_t sample;
        std::memcpy(&sample, bytes.data() + i, 2);
        left.push_back(sample);
      }
      break;
    }
    at += 8 + size + (size & 1);
  }
  return left;
}

// Root mean square of the samples from second a to second b.
double Rms(const std::vector<std::int16_t>& s, double a, double b) {
  const size_t from = static_cast<size_t>(a * 44100), to = std::min(s.size(), size_t(b * 44100));
  double sum = 0;
  for (size_t i = from; i < to; ++i) sum += double(s[i]) * s[i];
  return to > from ? std::sqrt(sum / double(to - from)) : 0.0;
}

class SaverSound : public ::testing::Test {
 protected:
  std::vector<std::int16_t> RunSaverFor(const std::string& settings,
                                        std::chrono::seconds how_long) {
    session_.WriteSettings(settings);
    const auto capture = session_.windir() / "capture.wav";
    e2e::Process& saver = session_.Start({"/s"}, {{"FINBROOK_AUDIO_CAPTURE", capture.string()}});
    EXPECT_NE(session_.WaitWindow("^Solmere Finbrook ScreenSaver$"), 0u);
    std::this_thread::sleep_for(how_long);
    session_.Xdo({"mousemove", "300", "300", "click", "1"});
    EXPECT_EQ(saver.WaitExit(10s), 0) << "the common exit must end the process";
    return ReadCapture(capture);
  }
  e2e::Session session_{640, 480};
};

TEST_F(SaverSound, BothEffectsAndTwoSongsAreHeardTogetherWithoutClipping) {
  const auto mixed = RunSaverFor(
      "firstrun=1\r\nbackground= 4\r\nspeed=70\r\nsong1= 1\r\nsong3= 1\r\nsound0= 1\r\n"
      "sound1= 1\r\n",
      7s);
  ASSERT_GT(mixed.size(), 44100u * 5) << "less than five seconds were captured";
  EXPECT_GT(Rms(mixed, 0.5, 2.5), 100.0) << "silence at the start";
  EXPECT_GT(Rms(mixed, 4.5, 6.0), 100.0) << "silence later on";
  int peak = 0;
  for (const std::int16_t s : mixed) peak = std::max(peak, std::abs(int{s}));
  EXPECT_LT(peak, 32767) << "clipped";
}

TEST_F(SaverSound, TheBubblesAloneKeepTheirLevelAndLoopPastTheirLength) {
  // The bubbles wave is sixteen seconds long and plays endlessly.
  const auto bubbles = RunSaverFor("firstrun=1\r\nbackground= 4\r\nspeed=70\r\nsound0= 1\r\n", 19s);
  ASSERT_GT(bubbles.size(), 44100u * 18);
  const double decibels = 20.0 * std::log10(Rms(bubbles, 0.0, 16.0) / 32768.0);
  EXPECT_NEAR(decibels, -24.5, 1.5) << "as loud as the songs";
  EXPECT_GT(Rms(bubbles, 16.5, 18.0), 30.0) << "the loop stopped after one pass";
}

TEST_F(SaverSound, NothingChosenMeansSilence) {
  const auto quiet = RunSaverFor("firstrun=1\r\nbackground= 4\r\nspeed=70\r\n", 3s);
  EXPECT_LT(Rms(quiet, 0.0, 2.0), 1.0);
}

}  // namespace
