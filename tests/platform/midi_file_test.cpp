#include "platform/midi_file.h"

#include <gtest/gtest.h>

#include "platform/audio_test_files.h"

namespace {

using namespace audiotest;

// Tracks merge in time order; a tempo change sets the time of later events; a data byte repeats
// the last channel status; system-exclusive and other meta events are skipped. At 96 ticks a
// quarter: 120 a minute (0.5 s a quarter) for one quarter, then 240 a minute.
TEST(MidiFile, EventsOfEveryTrackComeInTimeOrderAtTheirTempo) {
  const Bytes tempo{0xFF, 0x51, 3, 0x03, 0xD0, 0x90}, sysex{0xF0, 3, 1, 2, 0xF7};
  const auto seq = midi::ParseMidi(
      Smf(1, 96,
          {Track({NoteOn(48, 60), {96, tempo}, NoteOff(192, 60), {193, sysex}}, 240),
           Track({{72, {0x91, 64, 100}}, {72, {62, 90}}, {80, {0xFF, 0x03, 2, 'h', 'i'}}}, 288)}));
  ASSERT_TRUE(seq.has_value());
  std::vector<std::vector<double>> events;
  for (const auto& e : seq->events)
    events.push_back({1.0 * e.status, 1.0 * e.data1, 1.0 * e.data2, e.seconds});
  EXPECT_EQ(events, (std::vector<std::vector<double>>{{0x90, 60, 100, 0.25},
                                                      {0x91, 64, 100, 0.375},
                                                      {0x91, 62, 90, 0.375},
                                                      {0x80, 60, 0, 0.75}}));
  EXPECT_EQ(seq->end_tick, 288u) << "the longest track sets the end";
  EXPECT_DOUBLE_EQ(seq->end_seconds, 1.0);
  EXPECT_DOUBLE_EQ(seq->SecondsAt(48), 0.25);
}

TEST(MidiFile, RefusesBrokenAndUnsupportedFiles) {
  const Bytes good_track = Track({NoteOn(0, 60), NoteOff(96, 60)}, 96);
  ASSERT_TRUE(midi::ParseMidi(Smf(0, 96, {good_track})).has_value());
  Bytes truncated = Smf(0, 96, {good_track});
  truncated.resize(truncated.size() - 3);
  Bytes missing_track = Smf(1, 96, {good_track});
  missing_track[11] = 2;  // two tracks announced, one present
  const struct {
    const char* name;
    Bytes file;
  } cases[] = {
      {"not a MIDI file", Bytes(20, 'x')},
      {"time-code division", Smf(0, 0xE728, {good_track})},
      {"zero division", Smf(0, 0, {good_track})},
      {"format 2", Smf(2, 96, {good_track})},
      {"no tracks", Smf(0, 96, {})},
      {"truncated track", truncated},
      {"missing track", missing_track},
      {"delta time of five bytes",
       Smf(0, 96, {MidiChunk("MTrk", {0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 60, 1})})},
      {"status without its data", Smf(0, 96, {MidiChunk("MTrk", {0, 0x90, 60})})},
      {"data without a status", Smf(0, 96, {Track({{0, {60, 100}}}, 0)})},
      {"status byte as data", Smf(0, 96, {Track({{0, {0x90, 0x90, 100}}}, 0)})},
      {"meta event past the end", Smf(0, 96, {Track({{0, {0xFF, 0x01, 0x7F}}}, 0)})},
      {"system exclusive past the end", Smf(0, 96, {Track({{0, {0xF0, 0x7F}}}, 0)})},
      {"system message", Smf(0, 96, {Track({{0, {0xF1, 0}}}, 0)})},
      {"zero tempo", Smf(0, 96, {Track({{0, {0xFF, 0x51, 3, 0, 0, 0}}}, 0)})},
      {"more events than a song may hold: 32 MiB as read", Crowd((1 << 20) + 1)},
  };
  for (const auto& c : cases) EXPECT_FALSE(midi::ParseMidi(c.file).has_value()) << c.name;
}

}  // namespace
