// Sound end to end: the saver plays its effects and songs into a capture file instead of a sound
// device, and the levels of the file are read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <thread>
#include <vector>

#include "harness.h"

namespace e2e {
namespace {

// A level the capture must keep between two moments: root mean square, full scale 32768.
struct Level {
  double from, to;  // seconds
  double lowest, highest;
};

struct SoundCase {
  const char* name;
  const char* settings;
  std::chrono::seconds played;
  std::vector<Level> levels;
  friend void PrintTo(const SoundCase& c, std::ostream* out) { *out << c.name; }
};

class SaverSound : public ::testing::TestWithParam<SoundCase> {};

TEST_P(SaverSound, TheCaptureKeepsItsLevelsUnclipped) {
  const SoundCase& c = GetParam();
  Session session(640, 480);
  Process& saver =
      session.StartSaver(std::string("firstrun=1\r\nbackground= 4\r\nspeed=70\r\n") + c.settings,
                         {{"FINBROOK_AUDIO_CAPTURE", (session.windir() / "capture.wav").string()}});
  std::this_thread::sleep_for(c.played);
  session.Xdo({"mousemove", "300", "300", "click", "1"});
  ASSERT_EQ(saver.WaitExit(10s), 0) << "the common exit must end the process";

  // 44100 Hz, two channels, 16 bits, after a header of 44 bytes: the left channel's samples.
  const std::string bytes = session.ReadWindirFile("capture.wav");
  ASSERT_TRUE(bytes.starts_with("RIFF"));
  std::vector<std::int16_t> s;
  for (size_t i = 44; i + 4 <= bytes.size(); i += 4) std::memcpy(&s.emplace_back(), &bytes[i], 2);
  ASSERT_GT(s.size(), 44100u * (c.played.count() - 2)) << "too little was captured";
  for (const Level& level : c.levels) {
    const size_t from = level.from * 44100, to = std::min(s.size(), size_t(level.to * 44100));
    double sum = 0;
    for (size_t i = from; i < to; ++i) sum += double(s[i]) * s[i];
    const double rms = to > from ? std::sqrt(sum / double(to - from)) : 0.0;
    EXPECT_TRUE(rms >= level.lowest && rms <= level.highest) << rms << " from " << level.from;
  }
  EXPECT_LT(*std::max_element(s.begin(), s.end()), 32767) << "clipped";
  EXPECT_GT(*std::min_element(s.begin(), s.end()), -32767) << "clipped";
}

INSTANTIATE_TEST_SUITE_P(
    Choices, SaverSound,
    ::testing::Values(
        SoundCase{"BothEffectsAndTwoSongsTogether",
                  "song1= 1\r\nsong3= 1\r\nsound0= 1\r\nsound1= 1\r\n",
                  7s,
                  {{0.5, 2.5, 100, 32768}, {4.5, 6.0, 100, 32768}}},
        // The sixteen-second bubbles as loud as the songs (-24.5 dB, within 1.5), looping on.
        SoundCase{
            "TheBubblesAlone", "sound0= 1\r\n", 19s, {{0, 16, 1640, 2320}, {16.5, 18, 30, 32768}}}),
    ::testing::PrintToStringParamName());

}  // namespace
}  // namespace e2e
