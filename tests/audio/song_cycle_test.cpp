#include "audio_test_support.h"

namespace {

using Commands = std::vector<std::string>;

constexpr int kDivision = 96;
constexpr double kSongSeconds = 0.25;  // two sixteenths at 120 quarters a minute

class SongCycle : public audio_test::SoundsTest {
 protected:
  void SetUp() override {
    SoundsTest::SetUp();
    for (int i = 0; i <= 5; ++i) SongOn(i) = rt::kFalse;
    SongIndex = 0;
    MciResult = 0;
    timer_.SetEnabled(false);  // as the saver window creates it
  }
  // Writes the song files given, chooses the songs given, and starts the cycle.
  void Start(std::initializer_list<int> chosen, std::initializer_list<int> files) {
    for (const int i : files)
      dir_.Write("a_song" + std::to_string(i) + ".Mid",
                 audiotest::NoteSong(kDivision, 0, kDivision / 2));
    for (const int i : chosen) SongOn(i) = rt::kTrue;
    Initialize_Songs(timer_);
  }
  // The commands sent since the last call, without "mciSendStringA(...)" around them.
  Commands Sent() {
    Commands sent;
    for (const auto& call : winmm_) sent.push_back(call.substr(15, call.size() - 16));
    winmm_.clear();
    return sent;
  }
  // Lets the current song finish, then ticks; returns the commands the tick sent.
  Commands TickAfterSongEnds() {
    audio::RenderForTests(audiotest::Frames(kSongSeconds + 0.05));
    winmm_.clear();
    MusicTimer_Timer(timer_);
    return Sent();
  }
  std::string Open(int i) {
    return "open \"" + dir_.Folder() + "a_song" + std::to_string(i) +
           ".Mid\" type sequencer alias song" + std::to_string(i);
  }
  static std::string Status(int i) { return "status song" + std::to_string(i) + " mode"; }
  static std::string Play(int i) { return "play song" + std::to_string(i) + " from 0"; }

  forms::Form saver_;
  forms::Timer timer_{saver_};
};

TEST_F(SongCycle, ChosenSongsPlayInTurnRoundAndRound) {
  Start({1, 3}, {1, 3});
  EXPECT_EQ(Sent(), (Commands{Open(1), Open(3), Play(1)}));
  EXPECT_TRUE(timer_.Enabled());
  MusicTimer_Timer(timer_);
  EXPECT_EQ(Sent(), Commands{Status(1)}) << "a playing song is left alone";
  for (const auto& [stopped, next] : {std::pair{1, 3}, {3, 1}, {1, 3}})
    EXPECT_EQ(TickAfterSongEnds(), (Commands{Status(stopped), Play(next)}));
  EXPECT_EQ(MciResult, 0);
}

TEST_F(SongCycle, TheSixthSongAloneComesRoundAgainEachTimeItStops) {
  Start({5}, {5});
  EXPECT_EQ(Sent(), (Commands{Open(5), Play(5)}));
  for (int turn = 0; turn < 2; ++turn)
    EXPECT_EQ(TickAfterSongEnds(), (Commands{Status(5), Play(5)}));
}

TEST_F(SongCycle, NoSongChosenSendsNothingButTheExitsStatusQueries) {
  Start({}, {0});  // a file alone does not make a song chosen
  EXPECT_TRUE(Sent().empty());
  EXPECT_FALSE(timer_.Enabled());
  CloseSongs();
  Commands queries;
  for (int i = 0; i <= 5; ++i) queries.insert(queries.end(), {Status(i), Status(i)});
  EXPECT_EQ(Sent(), queries);
}

TEST_F(SongCycle, ExitStopsThePlayingSongAndClosesEveryOpenOne) {
  Start({2, 4}, {2, 4});
  Sent();
  CloseSongs();
  EXPECT_EQ(Sent(), (Commands{Status(0), Status(0), Status(1), Status(1),                 //
                              Status(2), "stop song2", Status(2), "close song2",          // playing
                              Status(3), Status(3), Status(4), Status(4), "close song4",  //
                              Status(5), Status(5)}));
}

TEST_F(SongCycle, AMissingFirstSongLeavesTheSaverSilent) {
  Start({1, 3}, {3});
  EXPECT_EQ(Sent(), (Commands{Open(1), Open(3), Play(1)}));
  EXPECT_NE(MciResult, 0);
  EXPECT_FALSE(timer_.Enabled());
  EXPECT_TRUE(errors_.contexts().empty());
}

TEST_F(SongCycle, AMissingLaterSongStopsTheMusicWhenItsTurnComesButNotTheSaver) {
  Start({1, 3}, {1});
  ASSERT_TRUE(timer_.Enabled());
  EXPECT_EQ(TickAfterSongEnds(), (Commands{Status(1), Play(3)}));
  EXPECT_NE(MciResult, 0);
  EXPECT_FALSE(timer_.Enabled());
  EXPECT_TRUE(errors_.contexts().empty());
}

}  // namespace
