// Reads the generated songs as a sequencer would and checks what the song cycle and the
// dialog's auditions rely on.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "mediagen/media.h"
#include "tools/media_test_support.h"
#include "tools/smf_reader.h"

namespace {

constexpr int kSongs = 6;
constexpr int kDrumChannel = 9;

std::string SongName(int song) {
  return "a_song" + std::to_string(song) + ".Mid";
}

smf::File LoadSong(int song) {
  return smf::Parse(media_test::ReadBytes(media_test::MediaDir() / SongName(song)));
}

class SongFile : public ::testing::TestWithParam<int> {};

TEST_P(SongFile, IsFormatOneWithATempoTrackAndLastsOneToThreeMinutes) {
  const smf::File song = LoadSong(GetParam());
  EXPECT_EQ(song.format, 1);
  ASSERT_GE(song.tracks.size(), 4u) << "a tempo track and several instruments";
  bool tempo_at_start = false;
  for (const smf::Event& e : song.tracks.front().events) {
    EXPECT_EQ(e.status, 0xFF) << "the tempo track holds meta events only";
    tempo_at_start |= e.meta_type == 0x51 && e.tick == 0;
  }
  EXPECT_TRUE(tempo_at_start);
  const double seconds = smf::SecondsAt(song, smf::LastTick(song));
  EXPECT_GE(seconds, 60.0);
  EXPECT_LE(seconds, 180.0);
}

TEST_P(SongFile, EveryNoteOnIsEndedByANoteOffInItsTrack) {
  const smf::File song = LoadSong(GetParam());
  int notes = 0;
  for (const smf::Track& track : song.tracks) {
    std::map<std::pair<int, int>, int> sounding;  // (channel, key) -> strokes not yet ended
    for (const smf::Event& e : track.events) {
      const std::pair<int, int> voice = {e.Channel(), e.status < 0xF0 ? e.data.at(0) : -1};
      if (e.IsNoteOn()) {
        EXPECT_EQ(sounding[voice], 0) << "key " << voice.second << " struck again at " << e.tick;
        ++sounding[voice];
        ++notes;
      } else if (e.IsNoteOff()) {
        EXPECT_GT(sounding[voice], 0) << "note-off without a note-on at " << e.tick;
        --sounding[voice];
      }
    }
    for (const auto& [voice, count] : sounding) {
      EXPECT_EQ(count, 0) << "key " << voice.second << " on channel " << voice.first;
    }
  }
  EXPECT_GT(notes, 100);
}

TEST_P(SongFile, UsesSeveralInstrumentsAtAudibleVelocities) {
  const smf::File song = LoadSong(GetParam());
  std::set<int> programs;
  for (const smf::Track& track : song.tracks) {
    for (const smf::Event& e : track.events) {
      if (e.status < 0xF0 && e.Kind() == 0xC0 && e.Channel() != kDrumChannel) {
        programs.insert(e.data.at(0));
      }
      if (e.IsNoteOn()) {
        EXPECT_GE(e.data.at(1), 20) << "at tick " << e.tick;
        EXPECT_LE(e.data.at(1), 127) << "at tick " << e.tick;
      }
    }
  }
  EXPECT_GE(programs.size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(AllSongs, SongFile, ::testing::Range(0, kSongs));

// The settings dialog starts these songs part way in, at positions counted in sixteenth notes.
struct Audition {
  int song;
  int sixteenth;
};

void PrintTo(const Audition& audition, std::ostream* os) {
  *os << "song " << audition.song << " from sixteenth " << audition.sixteenth;
}

class AuditionStart : public ::testing::TestWithParam<Audition> {};

TEST_P(AuditionStart, AnInstrumentStrikesAtTheStartPosition) {
  const smf::File song = LoadSong(GetParam().song);
  const auto start = static_cast<std::uint32_t>(GetParam().sixteenth * song.division / 4);
  const auto window = static_cast<std::uint32_t>(song.division / 8);  // a thirty-second note
  int strokes = 0;
  for (const smf::Track& track : song.tracks) {
    for (const smf::Event& e : track.events) {
      if (e.IsNoteOn() && e.Channel() != kDrumChannel && e.tick >= start &&
          e.tick < start + window) {
        ++strokes;
      }
    }
  }
  EXPECT_GT(strokes, 0) << "nothing tuned begins at sixteenth " << GetParam().sixteenth;
}

INSTANTIATE_TEST_SUITE_P(SettingsDialog, AuditionStart,
                         ::testing::Values(Audition{1, 110}, Audition{2, 10}, Audition{3, 30},
                                           Audition{5, 30}),
                         [](const ::testing::TestParamInfo<Audition>& info) {
                           return "Song" + std::to_string(info.param.song) + "From" +
                                  std::to_string(info.param.sixteenth);
                         });

TEST(Songs, AreWrittenTheSameOnEveryRun) {
  std::vector<std::string> names;
  for (int song = 0; song < kSongs; ++song) names.push_back(SongName(song));
  media_test::ExpectWrittenTheSameOnEveryRun(mediagen::WriteSongs, names);
}

}  // namespace
