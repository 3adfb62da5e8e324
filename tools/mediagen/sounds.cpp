// The two sound effects, synthesized: "a_sound0.wav", bubbles that the wave mixer repeats
// endlessly, and "a_sound1.wav", a whale call that plays once. Both are 22050 Hz, 16-bit mono.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "mediagen/media.h"
#include "mediagen/seeded_random.h"
#include "mediagen/wav_writer.h"

namespace mediagen {
namespace {

constexpr int kSampleRate = 22050;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Scales the samples so that the loudest reaches `peak` of full scale.
std::vector<std::int16_t> ToPcm(const std::vector<double>& samples, double peak) {
  double loudest = 1e-9;
  for (double s : samples) loudest = std::max(loudest, std::abs(s));
  std::vector<std::int16_t> pcm(samples.size());
  std::transform(samples.begin(), samples.end(), pcm.begin(), [&](double s) {
    return static_cast<std::int16_t>(std::lround(s / loudest * peak * 32767.0));
  });
  return pcm;
}

// --- Bubbles --------------------------------------------------------------------------------
// Everything is written into a ring as long as the loop: a bubble that starts near the end
// rings on at the beginning, and the water's murmur is filtered round the ring until it is in
// its steady state, so the last sample runs into the first like any two neighbours.

// Long enough, with bursts at uneven times and of uneven sizes, that a listener hears no pattern
// coming round again.
constexpr double kBubbleLoopSeconds = 16.0;
constexpr int kBubbleLoopSamples = static_cast<int>(kBubbleLoopSeconds * kSampleRate);

// One bubble: a damped sine whose pitch rises as the bubble shrinks on its way up.
void AddBubble(std::vector<double>& ring, int start, double pitch, double decay_seconds,
               double rise_per_second, double loudness) {
  const int length = static_cast<int>(6.0 * decay_seconds * kSampleRate);
  const int ring_size = static_cast<int>(ring.size());
  double phase = 0.0;
  for (int n = 0; n < length; ++n) {
    const double t = static_cast<double>(n) / kSampleRate;
    const double attack = std::min(1.0, t / 0.0015);
    ring[(start + n) % ring_size] +=
        loudness * attack * std::exp(-t / decay_seconds) * std::sin(phase);
    phase += kTwoPi * pitch * (1.0 + rise_per_second * t) / kSampleRate;
  }
}

// Low, soft water noise: white noise through two one-pole low-passes, run twice round the ring.
void AddMurmur(std::vector<double>& ring, SeededRandom& noise, double loudness) {
  std::vector<double> white(ring.size());
  for (double& w : white) w = noise.Between(-1.0, 1.0);
  const double k = 1.0 - std::exp(-kTwoPi * 250.0 / kSampleRate);
  double first = 0.0;
  double second = 0.0;
  for (int pass = 0; pass < 2; ++pass) {
    for (std::size_t n = 0; n < ring.size(); ++n) {
      first += k * (white[n] - first);
      second += k * (first - second);
      if (pass == 1) ring[n] += loudness * second;
    }
  }
}

std::vector<double> Bubbles() {
  std::vector<double> ring(kBubbleLoopSamples, 0.0);
  SeededRandom noise(0xB0BB1E5u);
  AddMurmur(ring, noise, 0.6);
  // Bubbles come in bursts, as from a diver's regulator or a clam, not evenly spread: a lone
  // bubble now, a long chain then, soft or strong, after a short or a long wait.
  for (double burst = noise.Between(0.1, 0.8); burst < kBubbleLoopSeconds;
       burst += noise.Between(0.3, 2.4)) {
    const int count = 1 + noise.Below(9);
    const double strength = noise.Between(0.3, 1.0);
    double at = burst;
    for (int b = 0; b < count; ++b) {
      at += noise.Between(0.012, 0.07);
      const double pitch = noise.Between(450.0, 1500.0);
      // Larger (lower) bubbles ring longer.
      const double decay = 0.012 + 0.03 * (1500.0 - pitch) / 1050.0;
      AddBubble(ring, static_cast<int>(at * kSampleRate) % kBubbleLoopSamples, pitch, decay,
                noise.Between(3.0, 7.0), strength * noise.Between(0.35, 1.0));
    }
  }
  return ring;
}

// --- Whale call -----------------------------------------------------------------------------

constexpr double kWhaleCallSeconds = 4.6;
constexpr double kWhaleTotalSeconds = 7.0;

// The call's fundamental glides smoothly between these points: a rising moan, a long fall.
struct GlidePoint {
  double seconds;
  double hertz;
};
constexpr std::array<GlidePoint, 6> kGlide = {{{0.0, 120.0},
                                               {1.1, 215.0},
                                               {1.9, 235.0},
                                               {2.9, 150.0},
                                               {3.9, 92.0},
                                               {kWhaleCallSeconds, 80.0}}};

double GlideHertz(double t) {
  for (std::size_t i = 1; i < kGlide.size(); ++i) {
    if (t <= kGlide[i].seconds) {
      const GlidePoint& a = kGlide[i - 1];
      const GlidePoint& b = kGlide[i];
      const double x = (t - a.seconds) / (b.seconds - a.seconds);
      const double smooth = 0.5 - 0.5 * std::cos(std::numbers::pi * x);
      return a.hertz + (b.hertz - a.hertz) * smooth;
    }
  }
  return kGlide.back().hertz;
}

// Slow swell in, a fuller middle, and a long release into the reverberation.
double CallEnvelope(double t) {
  if (t >= kWhaleCallSeconds) return 0.0;
  const double attack = std::min(1.0, t / 0.6);
  const double release = std::min(1.0, (kWhaleCallSeconds - t) / 1.1);
  const double swell = 0.75 + 0.25 * std::sin(std::numbers::pi * t / kWhaleCallSeconds);
  return attack * attack * release * swell;
}

std::vector<double> WhaleVoice() {
  constexpr std::array<double, 5> kHarmonics = {1.0, 0.55, 0.32, 0.16, 0.07};
  const int length = static_cast<int>(kWhaleTotalSeconds * kSampleRate);
  std::vector<double> voice(length, 0.0);
  double phase = 0.0;
  for (int n = 0; n < length; ++n) {
    const double t = static_cast<double>(n) / kSampleRate;
    const double vibrato = 1.0 + 0.012 * std::min(1.0, t / 1.5) * std::sin(kTwoPi * 3.2 * t);
    phase += kTwoPi * GlideHertz(t) * vibrato / kSampleRate;
    // The upper partials open up with the louder middle of the call.
    const double brightness =
        0.5 + 0.5 * std::sin(std::numbers::pi * std::min(t, kWhaleCallSeconds) / kWhaleCallSeconds);
    double sum = 0.0;
    for (std::size_t h = 0; h < kHarmonics.size(); ++h) {
      sum += kHarmonics[h] * std::pow(brightness, static_cast<double>(h)) *
             std::sin(static_cast<double>(h + 1) * phase);
    }
    voice[n] = CallEnvelope(t) * sum;
  }
  return voice;
}

// A small Schroeder reverberator (parallel damped combs, then all-passes) for the sea's echo.
std::vector<double> WithReverb(const std::vector<double>& dry) {
  constexpr std::array<int, 4> kCombDelays = {558, 594, 638, 678};
  constexpr std::array<int, 2> kAllPassDelays = {278, 113};
  constexpr double kFeedback = 0.93;
  constexpr double kDamping = 0.3;
  constexpr double kWet = 0.4;
  std::vector<double> wet(dry.size(), 0.0);
  for (int delay : kCombDelays) {
    std::vector<double> line(delay, 0.0);
    double low = 0.0;
    for (std::size_t n = 0; n < dry.size(); ++n) {
      double& slot = line[n % delay];
      const double out = slot;
      low = out * (1.0 - kDamping) + low * kDamping;
      slot = dry[n] + low * kFeedback;
      wet[n] += out / kCombDelays.size();
    }
  }
  for (int delay : kAllPassDelays) {
    std::vector<double> line(delay, 0.0);
    for (std::size_t n = 0; n < wet.size(); ++n) {
      double& slot = line[n % delay];
      const double delayed = slot;
      slot = wet[n] + 0.5 * delayed;
      wet[n] = delayed - 0.5 * slot;
    }
  }
  std::vector<double> mix(dry.size());
  for (std::size_t n = 0; n < dry.size(); ++n) mix[n] = (1.0 - kWet) * dry[n] + kWet * wet[n];
  // The tail is faded out over the last few tenths of a second so the file ends in silence.
  const auto fade = static_cast<std::size_t>(0.4 * kSampleRate);
  for (std::size_t i = 0; i < fade; ++i) mix[mix.size() - 1 - i] *= static_cast<double>(i) / fade;
  return mix;
}

}  // namespace

void WriteSounds(const std::filesystem::path& dir) {
  WriteWav(dir / "a_sound0.wav", kSampleRate, ToPcm(Bubbles(), 0.7));
  WriteWav(dir / "a_sound1.wav", kSampleRate, ToPcm(WithReverb(WhaleVoice()), 0.35));
}

}  // namespace mediagen
