// Reads the generated sound effects as the wave mixer would and checks how they will sound:
// the bubbles loop without a click, the whale call is a deep, gliding call that starts and
// ends in silence.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>
#include <stdexcept>
#include <string>
#include <vector>

#include "mediagen/media.h"
#include "tools/media_test_support.h"

namespace {

namespace fs = std::filesystem;

struct Wave {
  int format = 0;
  int channels = 0;
  int sample_rate = 0;
  int byte_rate = 0;
  int block_align = 0;
  int bits = 0;
  std::vector<std::int16_t> samples;
  double Seconds() const { return static_cast<double>(samples.size()) / sample_rate; }
};

std::uint32_t Little(const std::vector<std::uint8_t>& b, std::size_t at, int count) {
  if (at + count > b.size()) throw std::runtime_error("truncated wave file");
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = (value << 8) | b[at + i];
  return value;
}

// Walks the RIFF chunks; unknown chunks are skipped as a player would.
Wave ParseWave(const std::vector<std::uint8_t>& b) {
  if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
      std::string(b.begin() + 8, b.begin() + 12) != "WAVE") {
    throw std::runtime_error("not a RIFF WAVE file");
  }
  if (Little(b, 4, 4) != b.size() - 8) throw std::runtime_error("RIFF size disagrees with file");
  Wave wave;
  bool have_format = false;
  bool have_data = false;
  for (std::size_t at = 12; at < b.size();) {
    const std::string tag(b.begin() + at, b.begin() + at + 4);
    const std::uint32_t size = Little(b, at + 4, 4);
    const std::size_t body = at + 8;
    if (body + size > b.size()) throw std::runtime_error("chunk runs past the end: " + tag);
    if (tag == "fmt ") {
      wave.format = static_cast<int>(Little(b, body, 2));
      wave.channels = static_cast<int>(Little(b, body + 2, 2));
      wave.sample_rate = static_cast<int>(Little(b, body + 4, 4));
      wave.byte_rate = static_cast<int>(Little(b, body + 8, 4));
      wave.block_align = static_cast<int>(Little(b, body + 12, 2));
      wave.bits = static_cast<int>(Little(b, body + 14, 2));
      have_format = true;
    } else if (tag == "data") {
      if (!have_format || wave.bits != 16 || size % 2 != 0) throw std::runtime_error("bad data");
      for (std::size_t i = 0; i < size; i += 2) {
        wave.samples.push_back(static_cast<std::int16_t>(Little(b, body + i, 2)));
      }
      have_data = true;
    }
    at = body + size + (size & 1);
  }
  if (!have_format || !have_data) throw std::runtime_error("fmt or data chunk missing");
  return wave;
}

Wave LoadEffect(int effect) {
  return ParseWave(media_test::ReadBytes(media_test::MediaDir() /
                                         ("a_sound" + std::to_string(effect) + ".wav")));
}

double Rms(const std::vector<std::int16_t>& s, std::size_t from, std::size_t count) {
  double sum = 0.0;
  for (std::size_t i = from; i < from + count; ++i) sum += static_cast<double>(s[i]) * s[i];
  return std::sqrt(sum / count);
}

int Peak(const std::vector<std::int16_t>& s, std::size_t from, std::size_t count) {
  int peak = 0;
  for (std::size_t i = from; i < from + count; ++i) peak = std::max(peak, std::abs(int{s[i]}));
  return peak;
}

// The strongest period between 50 and 400 Hz in a window, by autocorrelation, as a frequency.
double Fundamental(const Wave& wave, double at_seconds) {
  const auto from = static_cast<std::size_t>(at_seconds * wave.sample_rate);
  const std::size_t length = 2048;
  const int shortest = wave.sample_rate / 400;
  const int longest = wave.sample_rate / 50;
  double best = -1e300;
  int best_lag = shortest;
  for (int lag = shortest; lag <= longest; ++lag) {
    double sum = 0.0;
    for (std::size_t i = 0; i < length; ++i) {
      sum += static_cast<double>(wave.samples.at(from + i)) * wave.samples.at(from + i + lag);
    }
    if (sum > best) {
      best = sum;
      best_lag = lag;
    }
  }
  return static_cast<double>(wave.sample_rate) / best_lag;
}

TEST(SoundEffects, ArePcmMonoSixteenBitInOneFormatAndSmall) {
  const struct {
    Wave wave;
    double shortest, longest;  // seconds
  } effects[] = {
      {LoadEffect(0), 15.0, 20.0},  // a loop long enough that no pattern is heard coming round
      {LoadEffect(1), 2.0, 10.0},
  };
  for (const auto& [wave, shortest, longest] : effects) {
    EXPECT_EQ(wave.format, 1);
    EXPECT_EQ(wave.channels, 1);
    EXPECT_EQ(wave.bits, 16);
    EXPECT_EQ(wave.block_align, 2);
    EXPECT_EQ(wave.byte_rate, wave.sample_rate * 2);
    EXPECT_EQ(wave.sample_rate, 22050);
    EXPECT_GE(wave.Seconds(), shortest);
    EXPECT_LE(wave.Seconds(), longest);
  }
}

TEST(SoundEffects, BubblesLoopWithoutAClick) {
  const Wave bubbles = LoadEffect(0);
  const auto& s = bubbles.samples;
  std::vector<int> steps;
  for (std::size_t i = 1; i < s.size(); ++i) steps.push_back(std::abs(s[i] - s[i - 1]));
  std::sort(steps.begin(), steps.end());
  const int typical = steps[steps.size() * 99 / 100];
  EXPECT_LE(std::abs(s.front() - s.back()), typical);
  EXPECT_GT(Rms(s, 0, s.size()), 500.0) << "the bubbles are all but silent";
}

// A burst is where the level rises well above the water's murmur after a quiet spell. Its time
// is that onset; its size the energy of its loud 20 ms windows up to the next onset.
struct Burst {
  double seconds;
  double energy;
};

std::vector<Burst> Bursts(const Wave& wave) {
  const std::size_t window = wave.sample_rate / 50;
  std::vector<double> levels;
  for (std::size_t at = 0; at + window <= wave.samples.size(); at += window) {
    levels.push_back(Rms(wave.samples, at, window));
  }
  std::vector<double> sorted = levels;
  std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
  const double murmur = sorted[sorted.size() / 2];
  std::vector<Burst> bursts;
  int quiet_windows = 0;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    const bool loud = levels[i] > 3.0 * murmur;
    if (loud && quiet_windows >= 8) bursts.push_back({i / 50.0, 0.0});
    if (loud && !bursts.empty()) bursts.back().energy += levels[i] * levels[i];
    quiet_windows = loud ? 0 : quiet_windows + 1;
  }
  return bursts;
}

TEST(SoundEffects, BubblesComeInBurstsAtUnevenTimesAndOfUnevenSizes) {
  const Wave bubbles = LoadEffect(0);
  const std::vector<Burst> bursts = Bursts(bubbles);
  ASSERT_GE(bursts.size(), 6u);
  std::vector<double> gaps;  // round the loop: the last burst is followed by the first
  for (std::size_t i = 0; i < bursts.size(); ++i) {
    const double next =
        i + 1 < bursts.size() ? bursts[i + 1].seconds : bursts.front().seconds + bubbles.Seconds();
    gaps.push_back(next - bursts[i].seconds);
  }
  const auto [shortest, longest] = std::minmax_element(gaps.begin(), gaps.end());
  EXPECT_GT(*longest, 3.0 * *shortest) << "bursts at a steady beat";
  EXPECT_LT(*longest, 3.0) << "a long silence";
  const auto [softest, strongest] =
      std::minmax_element(bursts.begin(), bursts.end(),
                          [](const Burst& a, const Burst& b) { return a.energy < b.energy; });
  EXPECT_GT(strongest->energy, 4.0 * softest->energy) << "bursts all alike";
}

TEST(SoundEffects, WhaleCallIsAudibleAndStartsAndEndsInSilence) {
  const Wave whale = LoadEffect(1);
  const auto& s = whale.samples;
  const std::size_t edge = whale.sample_rate / 100;
  EXPECT_GT(Rms(s, 0, s.size()), 1500.0);
  EXPECT_GT(Peak(s, 0, s.size()), 8000);
  EXPECT_LT(Peak(s, 0, s.size()), 32767) << "clipped";
  EXPECT_LT(Peak(s, 0, edge), 300);
  EXPECT_LT(Peak(s, s.size() - edge, edge), 100);
}

TEST(SoundEffects, WhaleCallIsDeepAndGlides) {
  const Wave whale = LoadEffect(1);
  std::vector<double> pitches;
  for (double at : {0.8, 1.6, 2.4, 3.2, 4.0}) {
    const double hertz = Fundamental(whale, at);
    EXPECT_GT(hertz, 55.0) << "at " << at << " s";
    EXPECT_LT(hertz, 350.0) << "at " << at << " s";
    pitches.push_back(hertz);
  }
  const auto [lowest, highest] = std::minmax_element(pitches.begin(), pitches.end());
  EXPECT_GT(*highest, 1.5 * *lowest) << "the call should glide, not hold one note";
}

TEST(SoundEffects, WhaleCallFadesThroughAReverberantTail) {
  // A voice alone that stops falls from a tenth of its loudest level to a hundredth within a
  // moment; an echoing tail takes well over half a second for the same fall.
  const Wave whale = LoadEffect(1);
  const auto& s = whale.samples;
  const std::size_t window = whale.sample_rate / 10;
  std::vector<double> levels;
  for (std::size_t at = 0; at + window <= s.size(); at += window) {
    levels.push_back(Rms(s, at, window));
  }
  const auto loudest = std::max_element(levels.begin(), levels.end());
  const auto tenth =
      std::find_if(loudest, levels.end(), [&](double l) { return l < *loudest / 10; });
  const auto hundredth =
      std::find_if(tenth, levels.end(), [&](double l) { return l < *loudest / 100; });
  ASSERT_NE(hundredth, levels.end()) << "the call never dies away";
  EXPECT_GE(std::distance(tenth, hundredth), 6) << "tenths of a second";
}

TEST(SoundEffects, AreWrittenTheSameOnEveryRun) {
  media_test::ExpectWrittenTheSameOnEveryRun(mediagen::WriteSounds,
                                             {"a_sound0.wav", "a_sound1.wav"});
}

}  // namespace
