// Small WAV and MIDI files that the sound tests write for themselves, a scratch folder to write
// them into, and a fixture that renders the audio engine synchronously (no device, no thread).
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/audio_engine.h"

namespace audiotest {

using Bytes = std::vector<std::uint8_t>;

inline void Put16(Bytes& b, std::uint32_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void Put32(Bytes& b, std::uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

// A PCM WAV file; samples are raw values (0..255 for 8 bits), interleaved by channel.
inline Bytes Wav(int rate, int channels, int bits, const std::vector<int>& samples) {
  Bytes data;
  for (const int s : samples) {
    if (bits == 8) {
      data.push_back(static_cast<std::uint8_t>(s));
    } else {
      Put16(data, static_cast<std::uint16_t>(s));
    }
  }
  Bytes b{'R', 'I', 'F', 'F'};
  Put32(b, static_cast<std::uint32_t>(36 + data.size()));
  for (char c : std::string("WAVEfmt ")) b.push_back(static_cast<std::uint8_t>(c));
  Put32(b, 16);
  Put16(b, 1);
  Put16(b, static_cast<std::uint32_t>(channels));
  Put32(b, static_cast<std::uint32_t>(rate));
  Put32(b, static_cast<std::uint32_t>(rate * channels * bits / 8));
  Put16(b, static_cast<std::uint32_t>(channels * bits / 8));
  Put16(b, static_cast<std::uint32_t>(bits));
  for (char c : std::string("data")) b.push_back(static_cast<std::uint8_t>(c));
  Put32(b, static_cast<std::uint32_t>(data.size()));
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

// A 16-bit mono wave at the engine's rate holding one value throughout.
inline Bytes ConstantWav(int frames, int value) {
  return Wav(audio::kRate, 1, 16, std::vector<int>(static_cast<std::size_t>(frames), value));
}

// ---- MIDI ----
struct TimedEvent {
  std::uint32_t tick;
  Bytes bytes;  // status and data, or FF type length data for a meta event
};

inline void PutVlq(Bytes& b, std::uint32_t v) {
  Bytes groups{static_cast<std::uint8_t>(v & 0x7F)};
  while (v >>= 7) groups.push_back(static_cast<std::uint8_t>(0x80 | (v & 0x7F)));
  b.insert(b.end(), groups.rbegin(), groups.rend());
}

// One MTrk chunk of the events (in time order), closed by an end of track at end_tick.
inline Bytes Track(std::vector<TimedEvent> events, std::uint32_t end_tick) {
  std::stable_sort(events.begin(), events.end(),
                   [](const TimedEvent& a, const TimedEvent& b) { return a.tick < b.tick; });
  events.push_back({std::max(end_tick, events.empty() ? 0 : events.back().tick), {0xFF, 0x2F, 0}});
  Bytes body;
  std::uint32_t now = 0;
  for (const auto& e : events) {
    PutVlq(body, e.tick - now);
    now = e.tick;
    body.insert(body.end(), e.bytes.begin(), e.bytes.end());
  }
  Bytes b{'M', 'T', 'r', 'k'};
  b.push_back(static_cast<std::uint8_t>(body.size() >> 24));
  b.push_back(static_cast<std::uint8_t>(body.size() >> 16));
  b.push_back(static_cast<std::uint8_t>(body.size() >> 8));
  b.push_back(static_cast<std::uint8_t>(body.size()));
  b.insert(b.end(), body.begin(), body.end());
  return b;
}

inline Bytes Smf(int format, int division, const std::vector<Bytes>& tracks) {
  Bytes b{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, static_cast<std::uint8_t>(format)};
  b.push_back(static_cast<std::uint8_t>(tracks.size() >> 8));
  b.push_back(static_cast<std::uint8_t>(tracks.size()));
  b.push_back(static_cast<std::uint8_t>(division >> 8));
  b.push_back(static_cast<std::uint8_t>(division));
  for (const auto& t : tracks) b.insert(b.end(), t.begin(), t.end());
  return b;
}

inline TimedEvent NoteOn(std::uint32_t tick, int key) {
  return {tick, {0x90, static_cast<std::uint8_t>(key), 100}};
}
inline TimedEvent NoteOff(std::uint32_t tick, int key) {
  return {tick, {0x80, static_cast<std::uint8_t>(key), 0}};
}

// A piano note from first_tick to end_tick, at the default 120 quarters a minute.
inline Bytes NoteSong(int division, std::uint32_t first_tick, std::uint32_t end_tick) {
  return Smf(0, division,
             {Track({{0, {0xC0, 0}}, NoteOn(first_tick, 60), NoteOff(end_tick, 60)}, end_tick)});
}

// ---- Files ----
class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "finbrook-audio-XXXXXX").string();
    dir_ = ::mkdtemp(pattern.data());
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  // Writes the file (creating folders) and returns its host path.
  std::string Write(const std::string& name, const Bytes& bytes) const {
    const auto path = dir_ / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  // The folder as the program holds its media folder: ending in a separator.
  std::string Folder() const { return dir_.string() + "/"; }

 private:
  std::filesystem::path dir_;
};

// ---- Rendering ----
// Frames (stereo pairs) of a render in which either channel is not zero.
inline int SoundingFrames(const std::vector<std::int16_t>& pcm) {
  int count = 0;
  for (std::size_t i = 0; i + 1 < pcm.size(); i += 2) count += (pcm[i] != 0 || pcm[i + 1] != 0);
  return count;
}
inline int Peak(const std::vector<std::int16_t>& pcm) {
  int peak = 0;
  for (const auto s : pcm) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
}
inline int Frames(double seconds) {
  return static_cast<int>(seconds * audio::kRate);
}
// Root mean square of both channels over `count` frames from frame `from`, full scale 1.
inline double Rms(const std::vector<std::int16_t>& pcm, std::size_t from, std::size_t count) {
  double sum = 0.0;
  for (std::size_t i = 2 * from; i < 2 * (from + count); ++i)
    sum += static_cast<double>(pcm[i]) * pcm[i];
  return std::sqrt(sum / static_cast<double>(2 * count)) / 32768.0;
}
// The largest change between neighbouring samples of a channel across two renders played one
// after the other: a wave cut off in mid-swing shows a step as tall as the wave.
inline int LargestStep(const std::vector<std::int16_t>& before,
                       const std::vector<std::int16_t>& after) {
  std::vector<std::int16_t> pcm = before;
  pcm.insert(pcm.end(), after.begin(), after.end());
  int step = 0;
  for (std::size_t i = 2; i < pcm.size(); ++i) step = std::max(step, std::abs(pcm[i] - pcm[i - 2]));
  return step;
}

// Every test starts and ends with nothing open, the output rendered by the test itself.
class ManualAudio : public ::testing::Test {
 protected:
  void SetUp() override {
    audio::CloseAll();
    audio::SetOutputForTests(audio::Output::Manual);
  }
  void TearDown() override {
    audio::CloseAll();
    audio::SetOutputForTests(audio::Output::Default);
  }
};

}  // namespace audiotest
