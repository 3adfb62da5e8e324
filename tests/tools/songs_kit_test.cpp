// The composer's kit: scale arithmetic, rhythm strings and the rules the phrase composer keeps.
#include "mediagen/songs_kit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "tools/media_test_support.h"
#include "tools/smf_reader.h"

namespace {

using namespace mediagen::songs;

TEST(SongsKit, ScaleDegreesWrapIntoNeighbouringOctaves) {
  const Key d_minor{62, kHarmonicMinor};
  struct Case {
    int degree;
    int pitch;
  };
  for (const Case& c : std::vector<Case>{
           {0, 62}, {2, 65}, {6, 73}, {7, 74}, {-1, 61}, {-7, 50}, {-8, 49}, {9, 77}}) {
    EXPECT_EQ(Pitch(d_minor, c.degree), c.pitch) << "degree " << c.degree;
  }
}

TEST(SongsKit, ChordTonesAreRootThirdFifthAndTheSeventhWhenAsked) {
  const Chord dominant{4};
  const Chord dominant_seventh{4, true};
  EXPECT_TRUE(IsChordTone(4, dominant));
  EXPECT_TRUE(IsChordTone(6, dominant));
  EXPECT_TRUE(IsChordTone(-1, dominant));  // the fifth, an octave down
  EXPECT_FALSE(IsChordTone(5, dominant));
  EXPECT_FALSE(IsChordTone(3, dominant));
  EXPECT_TRUE(IsChordTone(3, dominant_seventh));
  EXPECT_TRUE(IsChordTone(-4, dominant_seventh));
}

TEST(SongsKit, RhythmStringsGiveStrokesWithLengthsAndAccents) {
  const std::vector<Stroke> strokes = Strokes("X--.x-o...-x", 80);
  ASSERT_EQ(strokes.size(), 4u);
  EXPECT_EQ(strokes[0].at, 0);
  EXPECT_EQ(strokes[0].length, 3);
  EXPECT_GT(strokes[0].velocity, 80);
  EXPECT_EQ(strokes[1].at, 4);
  EXPECT_EQ(strokes[1].length, 2);
  EXPECT_EQ(strokes[1].velocity, 80);
  EXPECT_EQ(strokes[2].at, 6);
  EXPECT_EQ(strokes[2].length, 1) << "a hold after a rest holds nothing";
  EXPECT_LT(strokes[2].velocity, 80);
  EXPECT_EQ(strokes[3].at, 11);
  EXPECT_THROW(Strokes("x?", 80), std::logic_error);
}

TEST(SongsKit, PhrasesKeepChordTonesOnTheBeatsAndStayInRange) {
  const Progression chords = {{0}, {5}, {3}, {4, true}, {0}, {1}, {4}, {0}};
  const MelodyStyle style{.bars = {"x-x-x-x-x-x-x-x-", "x--x--x-x---x---", "..x-x-.xx---x-x-"},
                          .ending = "x-x-x-------....",
                          .pickup = "x-x-",
                          .lowest = 0,
                          .highest = 9,
                          .loudness = 90};
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    mediagen::SeededRandom random(seed);
    int degree = 4;
    const Phrase phrase = ComposePhrase(random, chords, style, degree);
    ASSERT_GE(phrase.size(), 3u);
    // The pickup's two notes lead by step into the first downbeat.
    EXPECT_EQ(phrase[0].at, -4);
    EXPECT_EQ(phrase[1].at, -2);
    EXPECT_EQ(phrase[2].at, 0);
    EXPECT_EQ(phrase[1].degree + 1, phrase[2].degree);
    EXPECT_EQ(phrase[0].degree + 2, phrase[2].degree);
    for (std::size_t i = 2; i < phrase.size(); ++i) {
      const MelodyNote& note = phrase[i];
      EXPECT_GE(note.degree, style.lowest) << "seed " << seed;
      EXPECT_LE(note.degree, style.highest) << "seed " << seed;
      if (note.at % 4 == 0) {
        EXPECT_TRUE(IsChordTone(note.degree, chords[note.at / kBar]))
            << "seed " << seed << " at " << note.at;
      }
    }
    const MelodyNote& last = phrase.back();
    EXPECT_EQ(last.at, 7 * kBar + 4) << "the ending rhythm closes the phrase";
    EXPECT_TRUE(IsChordTone(last.degree, chords.back()));
    EXPECT_EQ(degree, last.degree) << "the melody goes on from where the phrase ended";
  }
}

TEST(SongsKit, RiffsAndChordsLandWhereTheyAreAsked) {
  Score score("riff", 120);
  const int bass = score.Instrument("bass", 32, 100, 64, 0);
  const int piano = score.Instrument("piano", 0, 100, 64, 0);
  const Key c_major{60, kMajor};
  // Roots at or above E2 (40): C3, G2, A2; each bar root then fifth.
  Riff(score, bass, 0, c_major, {{0}, {4}, {5}}, "x---x---........", {0, 4}, 40, 90);
  // G7 in close position around middle C.
  Comp(score, piano, 16, c_major, {{4, true}}, "x---------------", 60, 90);
  const auto path = std::filesystem::path(::testing::TempDir()) / ("finbrook_kit_" + std::to_string(::getpid()) + ".Mid");
  score.Write(path);
  const smf::File file = smf::Parse(media_test::ReadBytes(path));
  std::filesystem::remove(path);

  auto strikes = [&](int track) {
    std::vector<std::pair<std::uint32_t, int>> found;
    for (const smf::Event& e : file.tracks.at(track).events) {
      if (e.IsNoteOn()) found.emplace_back(e.tick / kTicksPerSixteenth, e.data[0]);
    }
    return found;
  };
  const std::vector<std::pair<std::uint32_t, int>> bass_line = {{0, 48},  {4, 55},  {16, 43},
                                                                {20, 50}, {32, 45}, {36, 52}};
  EXPECT_EQ(strikes(1), bass_line);
  const std::vector<std::pair<std::uint32_t, int>> chord = {{16, 55}, {16, 59}, {16, 62}, {16, 65}};
  EXPECT_EQ(strikes(2), chord);
}

}  // namespace
