#include <gtest/gtest.h>

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

using audiotest::Frames;

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
    music_timer_.SetEnabled(false);  // as the saver window creates it
    music_timer_.SetInterval(10000);
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
  void ChooseSongs(std::initializer_list<int> songs, bool write_files = true) {
    for (const int i : songs) {
      SongOn(i) = rt::kTrue;
      if (write_files) AddSong(i);
    }
  }
  // The commands sent since the last call, without "mciSendStringA(...)" around them.
  std::vector<std::string> Sent() {
    std::vector<std::string> sent;
    for (const auto& call : log_) sent.push_back(call.substr(15, call.size() - 16));
    log_.clear();
    return sent;
  }
  // Lets the current song finish, then ticks; returns the commands the tick sent.
  std::vector<std::string> TickAfterSongEnds() {
    audio::RenderForTests(Frames(kSongSeconds + 0.05));
    log_.clear();
    MusicTimer_Timer(music_timer_);
    return Sent();
  }
  std::string Open(int i) {
    return "open \"" + dir_.Folder() + "a_song" + std::to_string(i) +
           ".Mid\" type sequencer alias song" + std::to_string(i);
  }
  std::string Status(int i) { return "status song" + std::to_string(i) + " mode"; }
  std::string PlayFromStart(int i) { return "play song" + std::to_string(i) + " from 0"; }

  audiotest::ScratchDir dir_;
  std::vector<std::string> log_;
  forms::Form saver_;
  forms::Timer music_timer_{saver_};
};

TEST_F(SongCycle, ChosenSongsPlayInTurnRoundAndRound) {
  ChooseSongs({1, 3});
  Initialize_Songs(music_timer_);
  EXPECT_EQ(Sent(), (std::vector<std::string>{Open(1), Open(3), PlayFromStart(1)}));
  EXPECT_TRUE(music_timer_.Enabled());
  EXPECT_EQ(SongIndex, 1);

  MusicTimer_Timer(music_timer_);
  EXPECT_EQ(Sent(), std::vector<std::string>{Status(1)}) << "a playing song is left alone";

  const std::vector<std::string> expected_turns[] = {
      {Status(1), PlayFromStart(3)},
      {Status(3), PlayFromStart(1)},
      {Status(1), PlayFromStart(3)},
  };
  for (const auto& turn : expected_turns) EXPECT_EQ(TickAfterSongEnds(), turn);
  EXPECT_EQ(MciResult, 0);
}

TEST_F(SongCycle, OnlyChosenSongPlaysAgainEachTimeItStops) {
  ChooseSongs({5});
  Initialize_Songs(music_timer_);
  EXPECT_EQ(Sent(), (std::vector<std::string>{Open(5), PlayFromStart(5)}));
  for (int turn = 0; turn < 3; ++turn) {
    EXPECT_EQ(TickAfterSongEnds(), (std::vector<std::string>{Status(5), PlayFromStart(5)}));
  }
}

TEST_F(SongCycle, NoSongChosenSendsNothingButTheExitsStatusQueries) {
  AddSong(0);  // a file alone does not make a song chosen
  Initialize_Songs(music_timer_);
  EXPECT_TRUE(Sent().empty());
  EXPECT_FALSE(music_timer_.Enabled());

  CloseSongs();
  std::vector<std::string> queries;
  for (int i = 0; i <= 5; ++i) queries.insert(queries.end(), {Status(i), Status(i)});
  EXPECT_EQ(Sent(), queries) << "each alias asked twice, nothing else sent";
  EXPECT_EQ(SongIndex, 6);
}

TEST_F(SongCycle, ExitStopsThePlayingSongAndClosesEveryOpenOne) {
  ChooseSongs({2, 4});
  Initialize_Songs(music_timer_);
  Sent();
  CloseSongs();
  const std::vector<std::string> expected = {
      Status(0), Status(0),                                   // never opened
      Status(1), Status(1),                                   // never opened
      Status(2), "stop song2", Status(2),     "close song2",  // playing
      Status(3), Status(3),                                   // never opened
      Status(4), Status(4),    "close song4",                 // opened, never played
      Status(5), Status(5),                                   // never opened
  };
  EXPECT_EQ(Sent(), expected);
}

TEST_F(SongCycle, ExitClosesAnAuditionPlayingUnderSongOne) {
  AddSong(4);
  std::string reply(255, ' ');
  const std::string audition =
      "open \"" + dir_.Folder() + "a_song4.Mid\" type sequencer alias song1";
  ASSERT_EQ(win::mciSendStringA(audition, &reply, 255, 0), 0);
  ASSERT_EQ(win::mciSendStringA("play song1 from 0", &reply, 255, 0), 0);
  Sent();
  CloseSongs();
  const auto sent = Sent();
  EXPECT_EQ(std::vector<std::string>(sent.begin() + 2, sent.begin() + 6),
            (std::vector<std::string>{Status(1), "stop song1", Status(1), "close song1"}));
}

TEST_F(SongCycle, MissingFirstSongLeavesTheSaverSilent) {
  ChooseSongs({1}, false);
  ChooseSongs({3});
  Initialize_Songs(music_timer_);
  EXPECT_EQ(Sent(), (std::vector<std::string>{Open(1), Open(3), PlayFromStart(1)}));
  EXPECT_NE(MciResult, 0);
  EXPECT_FALSE(music_timer_.Enabled()) << "no music while the saver runs";
  EXPECT_TRUE(reported.empty());
}

TEST_F(SongCycle, MissingLaterSongStopsTheMusicButNotTheSaver) {
  ChooseSongs({1});
  ChooseSongs({3}, false);
  Initialize_Songs(music_timer_);
  ASSERT_TRUE(music_timer_.Enabled());
  EXPECT_EQ(TickAfterSongEnds(), (std::vector<std::string>{Status(1), PlayFromStart(3)}));
  EXPECT_NE(MciResult, 0);
  EXPECT_FALSE(music_timer_.Enabled());
  EXPECT_TRUE(reported.empty());
  // The saver is still here to close what did open.
  CloseSongs();
  const auto sent = Sent();
  EXPECT_NE(std::find(sent.begin(), sent.end(), "close song1"), sent.end());
}

TEST_F(SongCycle, FailedStatusQueryWaitsForTheNextTick) {
  ChooseSongs({2});
  Initialize_Songs(music_timer_);
  ASSERT_EQ(win::mciSendStringA("close song2", nullptr, 0, 0), 0);
  MciReply = "stopped";
  Sent();
  MusicTimer_Timer(music_timer_);
  EXPECT_EQ(Sent(), std::vector<std::string>{Status(2)});
  EXPECT_NE(MciResult, 0);
  EXPECT_TRUE(music_timer_.Enabled());
}

TEST_F(SongCycle, RunTimeErrorInTheTickIsReportedWithItsContext) {
  // A stopped song whose number has no choice flag makes the search step outside the flags.
  AddSong(7);
  ASSERT_EQ(win::mciSendStringA(Open(7), nullptr, 0, 0), 0);
  SongIndex = 7;
  MusicTimer_Timer(music_timer_);
  EXPECT_EQ(reported, std::vector<std::string>{"ScreenSaver/MusicTimer"});
  EXPECT_EQ(rt::ErrNumber(), rt::kSubscriptOutOfRange);
}

}  // namespace
