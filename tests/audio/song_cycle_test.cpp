#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "audio/sounds.h"
#include "host/starter.h"
#include "host/system.h"
#include "platform/audio_engine.h"
#include "platform/audio_test_files.h"
#include "platform/forms.h"
#include "platform/winmm.h"
#include "runtime/errors.h"

namespace {

using Commands = std::vector<std::string>;

constexpr int kDivision = 96;
constexpr double kSongSeconds = 0.25;  // two sixteenths at 120 quarters a minute

std::vector<std::string> reported;
void Report(std::string_view context) {
  reported.emplace_back(context);
}

class SongCycle : public audiotest::ManualAudio {
 protected:
  void SetUp() override {
    ManualAudio::SetUp();
    DataDir = dir_.Folder();
    for (int i = 0; i <= 5; ++i) SongOn(i) = rt::kFalse;
    SongIndex = 0;
    MciReply.clear();
    MciResult = 0;
    reported.clear();
    rt::SetErrorReporter(Report);
    win::RecordWinmmCallsForTests(&log_);
    timer_.SetEnabled(false);  // as the saver window creates it
    timer_.SetInterval(10000);
  }
  void TearDown() override {
    win::RecordWinmmCallsForTests(nullptr);
    rt::SetErrorReporter(nullptr);
    ManualAudio::TearDown();
  }

  void AddSong(int i) {
    dir_.Write("a_song" + std::to_string(i) + ".Mid",
               audiotest::NoteSong(kDivision, 0, kDivision / 2));
  }
  // Chooses the songs, writing the files of those that are not to be missing, and starts.
  void Start(std::initializer_list<int> chosen, std::initializer_list<int> missing = {}) {
    for (const int i : chosen) {
      SongOn(i) = rt::kTrue;
      if (std::find(missing.begin(), missing.end(), i) == missing.end()) AddSong(i);
    }
    Initialize_Songs(timer_);
  }
  // The commands sent since the last call, without "mciSendStringA(...)" around them.
  Commands Sent() {
    Commands sent;
    for (const auto& call : log_) sent.push_back(call.substr(15, call.size() - 16));
    log_.clear();
    return sent;
  }
  // Lets the current song finish, then ticks; returns the commands the tick sent.
  Commands TickAfterSongEnds() {
    audio::RenderForTests(audiotest::Frames(kSongSeconds + 0.05));
    log_.clear();
    MusicTimer_Timer(timer_);
    return Sent();
  }
  std::string Open(int i) {
    return "open \"" + dir_.Folder() + "a_song" + std::to_string(i) +
           ".Mid\" type sequencer alias song" + std::to_string(i);
  }
  static std::string Status(int i) { return "status song" + std::to_string(i) + " mode"; }
  static std::string Play(int i) { return "play song" + std::to_string(i) + " from 0"; }

  audiotest::ScratchDir dir_;
  std::vector<std::string> log_;
  forms::Form saver_;
  forms::Timer timer_{saver_};
};

TEST_F(SongCycle, ChosenSongsPlayInTurnRoundAndRound) {
  Start({1, 3});
  EXPECT_EQ(Sent(), (Commands{Open(1), Open(3), Play(1)}));
  EXPECT_TRUE(timer_.Enabled());
  MusicTimer_Timer(timer_);
  EXPECT_EQ(Sent(), Commands{Status(1)}) << "a playing song is left alone";
  for (const int next : {3, 1, 3})
    EXPECT_EQ(TickAfterSongEnds(), (Commands{Status(next == 3 ? 1 : 3), Play(next)}));
  EXPECT_EQ(MciResult, 0);
}

TEST_F(SongCycle, TheSixthSongAloneComesRoundAgainEachTimeItStops) {
  Start({5});
  EXPECT_EQ(Sent(), (Commands{Open(5), Play(5)}));
  for (int turn = 0; turn < 2; ++turn)
    EXPECT_EQ(TickAfterSongEnds(), (Commands{Status(5), Play(5)}));
}

TEST_F(SongCycle, NoSongChosenSendsNothingButTheExitsStatusQueries) {
  AddSong(0);  // a file alone does not make a song chosen
  Initialize_Songs(timer_);
  EXPECT_TRUE(Sent().empty());
  EXPECT_FALSE(timer_.Enabled());
  CloseSongs();
  Commands queries;
  for (int i = 0; i <= 5; ++i) queries.insert(queries.end(), {Status(i), Status(i)});
  EXPECT_EQ(Sent(), queries);
}

TEST_F(SongCycle, ExitStopsThePlayingSongAndClosesEveryOpenOne) {
  Start({2, 4});
  Sent();
  CloseSongs();
  EXPECT_EQ(Sent(), (Commands{Status(0), Status(0), Status(1), Status(1),                 //
                              Status(2), "stop song2", Status(2), "close song2",          // playing
                              Status(3), Status(3), Status(4), Status(4), "close song4",  //
                              Status(5), Status(5)}));
}

TEST_F(SongCycle, ExitClosesAnAuditionPlayingUnderSongOne) {
  AddSong(4);
  const std::string audition =
      "open \"" + dir_.Folder() + "a_song4.Mid\" type sequencer alias song1";
  ASSERT_EQ(win::mciSendStringA(audition, nullptr, 0, 0), 0);
  ASSERT_EQ(win::mciSendStringA("play song1 from 0", nullptr, 0, 0), 0);
  Sent();
  CloseSongs();
  const Commands sent = Sent();
  EXPECT_EQ(Commands(sent.begin() + 2, sent.begin() + 6),
            (Commands{Status(1), "stop song1", Status(1), "close song1"}));
}

TEST_F(SongCycle, AMissingFirstSongLeavesTheSaverSilent) {
  Start({1, 3}, {1});
  EXPECT_EQ(Sent(), (Commands{Open(1), Open(3), Play(1)}));
  EXPECT_NE(MciResult, 0);
  EXPECT_FALSE(timer_.Enabled());
  EXPECT_TRUE(reported.empty());
}

TEST_F(SongCycle, AMissingLaterSongStopsTheMusicButNotTheSaver) {
  Start({1, 3}, {3});
  ASSERT_TRUE(timer_.Enabled());
  EXPECT_EQ(TickAfterSongEnds(), (Commands{Status(1), Play(3)}));
  EXPECT_NE(MciResult, 0);
  EXPECT_FALSE(timer_.Enabled());
  EXPECT_TRUE(reported.empty());
  CloseSongs();  // the saver is still here to close what did open
  const Commands sent = Sent();
  EXPECT_NE(std::find(sent.begin(), sent.end(), "close song1"), sent.end());
}

TEST_F(SongCycle, AFailedStatusQueryWaitsForTheNextTick) {
  Start({2});
  ASSERT_EQ(win::mciSendStringA("close song2", nullptr, 0, 0), 0);
  MciReply = "stopped";
  Sent();
  MusicTimer_Timer(timer_);
  EXPECT_EQ(Sent(), Commands{Status(2)});
  EXPECT_TRUE(timer_.Enabled());
}

TEST_F(SongCycle, ARunTimeErrorInTheTickIsReportedWithItsContext) {
  // A stopped song whose number has no choice flag makes the search step outside the flags.
  AddSong(7);
  ASSERT_EQ(win::mciSendStringA(Open(7), nullptr, 0, 0), 0);
  SongIndex = 7;
  MusicTimer_Timer(timer_);
  EXPECT_EQ(reported, std::vector<std::string>{"ScreenSaver/MusicTimer"});
  EXPECT_EQ(rt::ErrNumber(), rt::kSubscriptOutOfRange);
}

}  // namespace
