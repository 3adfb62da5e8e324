// Small WAV and MIDI files that the sound tests write for themselves, and a fixture that renders
// the audio engine synchronously (no device, no thread).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/audio_engine.h"
#include "platform/temp_windir.h"

namespace audiotest {

using Bytes = std::vector<std::uint8_t>;

inline void PutLittle(Bytes& b, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
inline void PutBig(Bytes& b, std::uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A PCM WAV file; samples are raw values (0..255 for 8 bits), interleaved by channel.
inline Bytes Wav(int rate, int channels, int bits, const std::vector<int>& samples) {
  Bytes data;
  for (const int s : samples) PutLittle(data, static_cast<std::uint32_t>(s), bits / 8);
  Bytes b{'R', 'I', 'F', 'F'};
  PutLittle(b, static_cast<std::uint32_t>(36 + data.size()), 4);
  b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  PutLittle(b, 16, 4);  // the format's size
  PutLittle(b, 1, 2);   // PCM
  PutLittle(b, static_cast<std::uint32_t>(channels), 2);
  PutLittle(b, static_cast<std::uint32_t>(rate), 4);
  PutLittle(b, static_cast<std::uint32_t>(rate * channels * bits / 8), 4);
  PutLittle(b, static_cast<std::uint32_t>(channels * bits / 8), 2);
  PutLittle(b, static_cast<std::uint32_t>(bits), 2);
  b.insert(b.end(), {'d', 'a', 't', 'a'});
  PutLittle(b, static_cast<std::uint32_t>(data.size()), 4);
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

inline Bytes MidiChunk(const std::string& tag, const Bytes& body) {
  Bytes b(tag.begin(), tag.end());
  PutBig(b, static_cast<std::uint32_t>(body.size()), 4);
  b.insert(b.end(), body.begin(), body.end());
  return b;
}

// One track chunk of the events, given in time order, closed by an end of track at end_tick.
inline Bytes Track(std::vector<TimedEvent> events, std::uint32_t end_tick) {
  events.push_back({std::max(end_tick, events.empty() ? 0 : events.back().tick), {0xFF, 0x2F, 0}});
  Bytes body;
  std::uint32_t now = 0;
  for (const auto& e : events) {
    Bytes groups{static_cast<std::uint8_t>((e.tick - now) & 0x7F)};  // a variable-length delta
    for (std::uint32_t v = (e.tick - now) >> 7; v; v >>= 7) groups.push_back(0x80 | (v & 0x7F));
    body.insert(body.end(), groups.rbegin(), groups.rend());
    body.insert(body.end(), e.bytes.begin(), e.bytes.end());
    now = e.tick;
  }
  return MidiChunk("MTrk", body);
}

inline Bytes Smf(int format, int division, const std::vector<Bytes>& tracks) {
  Bytes header;
  for (const int v : {format, static_cast<int>(tracks.size()), division}) PutBig(header, v, 2);
  Bytes b = MidiChunk("MThd", header);
  for (const auto& t : tracks) b.insert(b.end(), t.begin(), t.end());
  return b;
}

inline TimedEvent NoteOn(std::uint32_t tick, int key) {
  return {tick, {0x90, static_cast<std::uint8_t>(key), 100}};
}
inline TimedEvent NoteOff(std::uint32_t tick, int key) {
  return {tick, {0x80, static_cast<std::uint8_t>(key), 0}};
}

// A crowd of note-ons at tick 0, over every key and channel.
inline Bytes Crowd(int notes) {
  Bytes body;
  for (int i = 0; i < notes; ++i)  // a delta of 0, status, key and velocity
    PutBig(body, static_cast<std::uint32_t>((0x90 | i % 16) << 16 | i % 128 << 8 | 100), 4);
  return Smf(0, 96, {MidiChunk("MTrk", body)});
}

// A piano note from first_tick to end_tick, at the default 120 quarters a minute.
inline Bytes NoteSong(int division, std::uint32_t first_tick, std::uint32_t end_tick) {
  return Smf(0, division,
             {Track({{0, {0xC0, 0}}, NoteOn(first_tick, 60), NoteOff(end_tick, 60)}, end_tick)});
}

// Sound files are written into a throw-away folder.
struct ScratchDir : test_support::TempWindir {
  std::string Path(const std::string& name) const { return File(name).string(); }
  // The folder as the program holds its media folder: ending in a separator.
  std::string Folder() const { return Dir().string() + "/"; }
};

// ---- Rendering ----
inline int Frames(double seconds) {
  return static_cast<int>(seconds * audio::kRate);
}
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
// Root mean square of both channels over `count` frames from frame `from`, full scale 1.
inline double Rms(const std::vector<std::int16_t>& pcm, std::size_t from, std::size_t count) {
  double sum = 0.0;
  for (std::size_t i = 2 * from; i < 2 * (from + count); ++i)
    sum += static_cast<double>(pcm[i]) * pcm[i];
  return std::sqrt(sum / static_cast<double>(2 * count)) / 32768.0;
}
// The largest change between neighbouring samples of a channel across two renders played one
// after the other: a wave cut off in mid-swing shows a step as tall as the wave.
inline int LargestStep(std::vector<std::int16_t> pcm, const std::vector<std::int16_t>& after) {
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
