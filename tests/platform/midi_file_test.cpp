#include "platform/midi_file.h"

#include <gtest/gtest.h>

#include "platform/audio_test_files.h"

namespace {

using audiotest::Bytes;
using audiotest::MidiChunk;
using audiotest::NoteOff;
using audiotest::NoteOn;
using audiotest::Smf;
using audiotest::Track;

TEST(MidiFile, TempoChangesSetTheTimeOfLaterEvents) {
  // 120 a minute (0.5 s a quarter) for one quarter, then 240 a minute.
  const auto seq = midi::ParseMidi(Smf(
      0, 96,
      {Track({NoteOn(48, 60), {96, {0xFF, 0x51, 3, 0x03, 0xD0, 0x90}}, NoteOn(192, 62)}, 288)}));
  ASSERT_TRUE(seq.has_value());
  ASSERT_EQ(seq->events.size(), 2u);
  EXPECT_DOUBLE_EQ(seq->events[0].seconds, 0.25);
  EXPECT_DOUBLE_EQ(seq->events[1].seconds, 0.75);
  EXPECT_EQ(seq->end_tick, 288u);
  EXPECT_DOUBLE_EQ(seq->end_seconds, 1.0);
  EXPECT_DOUBLE_EQ(seq->SecondsAt(48), 0.25);
}

// Tracks merge in time order; a data byte repeats the last channel status; system-exclusive and
// other meta events are skipped.
TEST(MidiFile, EventsOfEveryTrackComeInTimeOrderAsChannelMessages) {
  const auto seq = midi::ParseMidi(
      Smf(1, 24,
          {Track({NoteOn(10, 60), NoteOff(30, 60), {31, {0xF0, 3, 1, 2, 0xF7}}}, 40),
           Track({{20, {0x91, 64, 100}}, {20, {62, 90}}, {25, {0xFF, 0x03, 2, 'h', 'i'}}}, 100)}));
  ASSERT_TRUE(seq.has_value());
  std::vector<std::vector<int>> events;
  for (const auto& e : seq->events) events.push_back({e.status, e.data1, e.data2});
  EXPECT_EQ(events, (std::vector<std::vector<int>>{
                        {0x90, 60, 100}, {0x91, 64, 100}, {0x91, 62, 90}, {0x80, 60, 0}}));
  EXPECT_EQ(seq->end_tick, 100u) << "the longest track sets the end";
}

// One note after another, each a running-status note-on of three bytes: 32 MiB of events as read.
Bytes MillionAndOneNotes() {
  Bytes body{0, 0x90, 60, 100};
  for (int i = 0; i < (1 << 20); ++i) body.insert(body.end(), {0, 60, 100});
  return MidiChunk("MTrk", body);
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
      {"empty", {}},
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
      {"system message", Smf(0, 96, {Track({{0, {0xF1, 0}}}, 0)})},
      {"zero tempo", Smf(0, 96, {Track({{0, {0xFF, 0x51, 3, 0, 0, 0}}}, 0)})},
      {"more events than a song may hold", Smf(0, 96, {MillionAndOneNotes()})},
  };
  for (const auto& c : cases) EXPECT_FALSE(midi::ParseMidi(c.file).has_value()) << c.name;
}

}  // namespace
