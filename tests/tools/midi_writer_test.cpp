// Writes small tracks and reads them back with an independent reader.
#include "mediagen/midi_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tools/smf_reader.h"

namespace {

using mediagen::MidiTrack;

struct Sounded {
  std::uint32_t on;
  std::uint32_t off;
  int key;
  int velocity;
};

// The notes of one track, pairing each note-on with the next note-off of its key.
std::vector<Sounded> NotesOf(const smf::Track& track) {
  std::vector<Sounded> notes;
  for (std::size_t i = 0; i < track.events.size(); ++i) {
    const smf::Event& on = track.events[i];
    if (!on.IsNoteOn()) continue;
    const auto off =
        std::find_if(track.events.begin() + i + 1, track.events.end(), [&](const smf::Event& e) {
          return e.IsNoteOff() && e.data[0] == on.data[0] && e.Channel() == on.Channel();
        });
    EXPECT_NE(off, track.events.end()) << "key " << int{on.data[0]} << " never ends";
    if (off != track.events.end()) notes.push_back({on.tick, off->tick, on.data[0], on.data[1]});
  }
  return notes;
}

smf::File RoundTrip(const std::vector<MidiTrack>& tracks, std::uint16_t division = 480) {
  return smf::Parse(mediagen::SmfBytes(division, tracks));
}

TEST(MidiWriter, HeaderNamesFormatOneTheTracksAndTheDivision) {
  const smf::File file = RoundTrip({MidiTrack("a"), MidiTrack("b"), MidiTrack("c")}, 96);
  EXPECT_EQ(file.format, 1);
  EXPECT_EQ(file.division, 96);
  EXPECT_EQ(file.tracks.size(), 3u);
}

TEST(MidiWriter, NotesComeBackAtTheirTicksIncludingLongDeltas) {
  MidiTrack track("piano");
  track.Note(0, 240, 2, 60, 90);
  track.Note(240, 100, 2, 64, 70);
  track.Note(200'000, 480, 2, 67, 127);  // a delta that needs three bytes
  const smf::File file = RoundTrip({track});
  const std::vector<Sounded> notes = NotesOf(file.tracks.at(0));
  ASSERT_EQ(notes.size(), 3u);
  EXPECT_EQ(notes[0].on, 0u);
  EXPECT_EQ(notes[0].off, 240u);
  EXPECT_EQ(notes[1].on, 240u);
  EXPECT_EQ(notes[1].off, 340u);
  EXPECT_EQ(notes[1].velocity, 70);
  EXPECT_EQ(notes[2].on, 200'000u);
  EXPECT_EQ(notes[2].off, 200'480u);
  EXPECT_EQ(file.tracks[0].end_tick, 200'480u);
}

TEST(MidiWriter, AKeyStruckAgainBeforeItEndsIsCutAtTheNewStroke) {
  MidiTrack track("lead");
  track.Note(0, 480, 0, 72, 80);
  track.Note(240, 480, 0, 72, 80);
  track.Note(240, 120, 0, 76, 80);
  track.Note(240, 120, 0, 76, 50);  // a second stroke on the same tick: only one survives
  const std::vector<Sounded> notes = NotesOf(RoundTrip({track}).tracks.at(0));
  std::vector<std::pair<std::uint32_t, std::uint32_t>> spans72;
  int strokes76 = 0;
  for (const Sounded& n : notes) {
    if (n.key == 72) spans72.emplace_back(n.on, n.off);
    if (n.key == 76) ++strokes76;
  }
  const std::vector<std::pair<std::uint32_t, std::uint32_t>> expected = {{0, 240}, {240, 720}};
  EXPECT_EQ(spans72, expected);
  EXPECT_EQ(strokes76, 1);
}

TEST(MidiWriter, ChordStrokesShareOneStatusByte) {
  MidiTrack track("chords");
  for (int key : {60, 64, 67}) track.Note(0, 100, 3, key, 80);  // deltas below 0x80
  const std::vector<std::uint8_t> chunk = track.Chunk();
  EXPECT_EQ(std::count(chunk.begin(), chunk.end(), 0x93), 1);
  EXPECT_EQ(std::count(chunk.begin(), chunk.end(), 0x83), 1);
  EXPECT_EQ(NotesOf(RoundTrip({track}).tracks.at(0)).size(), 3u);
}

TEST(MidiWriter, TempoAndTimeSignatureBecomeMetaEvents) {
  MidiTrack conductor("song");
  conductor.TimeSignature(0, 3, 2);
  conductor.Tempo(0, 100.0);
  conductor.Tempo(960, 150.0);
  MidiTrack part("part");
  part.Note(1920, 10, 0, 60, 80);
  const smf::File file = RoundTrip({conductor, part});
  // Two beats at 100 a minute, then two at 150.
  EXPECT_NEAR(smf::SecondsAt(file, 1920), 1.2 + 0.8, 1e-9);
  const auto& events = file.tracks.at(0).events;
  const auto signature = std::find_if(events.begin(), events.end(), [](const smf::Event& e) {
    return e.status == 0xFF && e.meta_type == 0x58;
  });
  ASSERT_NE(signature, events.end());
  EXPECT_EQ(signature->data.at(0), 3);
  EXPECT_EQ(signature->data.at(1), 2);
}

TEST(MidiWriter, ProgramAndControllersPrecedeANoteOnTheSameTick) {
  MidiTrack track("flute");
  track.Note(0, 480, 5, 79, 90);
  track.Program(0, 5, 73);
  track.Control(0, 5, 7, 100);
  const smf::File file = RoundTrip({track});
  const auto& events = file.tracks.at(0).events;
  const auto first_note =
      std::find_if(events.begin(), events.end(), [](const smf::Event& e) { return e.IsNoteOn(); });
  const auto program = std::find_if(events.begin(), events.end(),
                                    [](const smf::Event& e) { return e.status == 0xC5; });
  ASSERT_NE(program, events.end());
  EXPECT_EQ(program->data.at(0), 73);
  EXPECT_LT(program - events.begin(), first_note - events.begin());
}

}  // namespace
