#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/audio_engine.h"
#include "platform/audio_test_files.h"
#include "platform/special_files.h"
#include "platform/unsupported.h"
#include "platform/winmm.h"

namespace {

using audiotest::Frames;
using audiotest::NoteSong;
using audiotest::Peak;
using win::MciError;

constexpr int kDivision = 96;  // 24 ticks a sixteenth; a sixteenth lasts 0.125 s at 120 a minute
constexpr int kSixteenth = kDivision / 4;

std::int32_t Code(MciError e) {
  return static_cast<std::int32_t>(e);
}

class Mci : public audiotest::ManualAudio {
 protected:
  std::int32_t Send(const std::string& command) {
    return win::mciSendStringA(command, &reply_, 255, 0);
  }
  // The reply as the program reads it: its first seven characters.
  std::string Reply() const { return reply_.substr(0, 7); }
  std::string Mode(const std::string& alias) {
    reply_.assign(255, ' ');
    EXPECT_EQ(Send("status " + alias + " mode"), 0);
    return Reply();
  }
  std::string OpenCommand(const std::string& path, const std::string& alias) {
    return "open \"" + path + "\" type sequencer alias " + alias;
  }

  audiotest::ScratchDir dir_;
  std::string reply_;
};

TEST_F(Mci, OpenedSongIsStoppedUntilPlayedAndPlaysUntilStopped) {
  const auto song = dir_.Write("a_song1.Mid", NoteSong(kDivision, 0, 16 * kSixteenth));
  ASSERT_EQ(Send(OpenCommand(song, "song1")), 0);
  EXPECT_EQ(Mode("song1"), "stopped");
  EXPECT_EQ(Peak(audio::RenderForTests(Frames(0.2))), 0) << "an opened song is silent";

  ASSERT_EQ(Send("play song1 from 0"), 0);
  EXPECT_EQ(Mode("song1"), "playing") << "play returns at once, the song playing";
  EXPECT_GT(Peak(audio::RenderForTests(Frames(0.5))), 100);
  EXPECT_EQ(Mode("song1"), "playing");

  ASSERT_EQ(Send("stop song1"), 0);
  EXPECT_EQ(Mode("song1"), "stopped");
  audio::RenderForTests(Frames(1.5));  // the released note fades out
  EXPECT_LT(Peak(audio::RenderForTests(Frames(0.2))), 10);

  ASSERT_EQ(Send("close song1"), 0);
  EXPECT_EQ(Send("status song1 mode"), Code(MciError::MCIERR_INVALID_DEVICE_NAME));
}

TEST_F(Mci, SongReachingItsEndReportsStopped) {
  const auto song = dir_.Write("end.mid", NoteSong(kDivision, 0, 4 * kSixteenth));  // 0.5 s
  ASSERT_EQ(Send(OpenCommand(song, "song0")), 0);
  ASSERT_EQ(Send("play song0 from 0"), 0);
  audio::RenderForTests(Frames(0.4));
  EXPECT_EQ(Mode("song0"), "playing");
  audio::RenderForTests(Frames(0.2));
  EXPECT_EQ(Mode("song0"), "stopped");
  ASSERT_EQ(Send("play song0 from 0"), 0) << "a finished song plays again from its start";
  EXPECT_EQ(Mode("song0"), "playing");
}

TEST_F(Mci, StartPositionCountsSixteenthNotes) {
  // Silent for eight sixteenths (1 s), then a note until sixteenth 12.
  const auto song = dir_.Write("late.mid", NoteSong(kDivision, 8 * kSixteenth, 12 * kSixteenth));
  ASSERT_EQ(Send(OpenCommand(song, "song2")), 0);

  ASSERT_EQ(Send("play song2 from 0"), 0);
  EXPECT_EQ(Peak(audio::RenderForTests(Frames(0.9))), 0);
  EXPECT_GT(Peak(audio::RenderForTests(Frames(0.3))), 100);

  ASSERT_EQ(Send("play song2 from 8"), 0);
  EXPECT_GT(Peak(audio::RenderForTests(Frames(0.1))), 100) << "the note starts at once";
  audio::RenderForTests(Frames(0.45));
  EXPECT_EQ(Mode("song2"), "stopped") << "four sixteenths from position 8 to the end";

  EXPECT_EQ(Send("play song2 from 12"), 0) << "the very end is a position";
  EXPECT_EQ(Send("play song2 from 13"), Code(MciError::MCIERR_OUTOFRANGE));
}

TEST_F(Mci, ASongClosedAsTheNextOpensLetsItsNotesRingOut) {
  // As an audition gives way to the next: the next song is silent at first, so what sounds
  // then is the first one's release.
  const auto first = dir_.Write("a.mid", NoteSong(kDivision, 0, 16 * kSixteenth));
  const auto next = dir_.Write("b.mid", NoteSong(kDivision, 8 * kSixteenth, 12 * kSixteenth));
  ASSERT_EQ(Send(OpenCommand(first, "song1")), 0);
  ASSERT_EQ(Send("play song1 from 0"), 0);
  const auto before = audio::RenderForTests(Frames(0.5));
  for (const auto& command : {std::string("stop song1"), std::string("close song1"),
                              OpenCommand(next, "song1"), std::string("play song1 from 0")}) {
    ASSERT_EQ(Send(command), 0) << command;
  }
  const auto after = audio::RenderForTests(Frames(0.5));
  const double ringing = audiotest::Rms(before, Frames(0.48), Frames(0.02));
  EXPECT_GT(audiotest::Rms(after, 0, Frames(0.02)), ringing / 2) << "the note is released";
  EXPECT_LT(audiotest::Rms(after, Frames(0.48), Frames(0.02)), ringing / 4) << "and dies away";
}

TEST_F(Mci, QuotedPathsMayHoldBlanksAndAliasesIgnoreCase) {
  const auto song = dir_.Write("Solmere Finbrook/a song 5.Mid", NoteSong(kDivision, 0, kSixteenth));
  ASSERT_EQ(Send(OpenCommand(song, "Song5")), 0);
  EXPECT_EQ(Send("PLAY SONG5 FROM 0"), 0);
  EXPECT_EQ(Mode("song5"), "playing");
}

TEST_F(Mci, SongsUnderDifferentAliasesPlayTogether) {
  const auto song = dir_.Write("a.mid", NoteSong(kDivision, 0, 8 * kSixteenth));
  const auto short_song = dir_.Write("b.mid", NoteSong(kDivision, 0, 2 * kSixteenth));
  ASSERT_EQ(Send(OpenCommand(song, "song1")), 0);
  ASSERT_EQ(Send(OpenCommand(short_song, "song3")), 0);
  ASSERT_EQ(Send("play song1 from 0"), 0);
  ASSERT_EQ(Send("play song3 from 0"), 0);
  audio::RenderForTests(Frames(0.5));
  EXPECT_EQ(Mode("song1"), "playing");
  EXPECT_EQ(Mode("song3"), "stopped");
}

TEST_F(Mci, FailedCommandsReturnTheirCodeAndLeaveTheReplyUntouched) {
  const auto song = dir_.Write("ok.mid", NoteSong(kDivision, 0, kSixteenth));
  const auto broken = dir_.Write("broken.mid", audiotest::Bytes{'M', 'T', 'h', 'd', 0, 0});
  ASSERT_EQ(Send(OpenCommand(song, "song1")), 0);
  const struct {
    std::string command;
    MciError code;
  } cases[] = {
      {"status song4 mode", MciError::MCIERR_INVALID_DEVICE_NAME},
      {"play song4 from 0", MciError::MCIERR_INVALID_DEVICE_NAME},
      {"stop song4", MciError::MCIERR_INVALID_DEVICE_NAME},
      {"close song4", MciError::MCIERR_INVALID_DEVICE_NAME},
      {OpenCommand(dir_.Path("missing.mid"), "song4"), MciError::MCIERR_FILE_NOT_FOUND},
      {OpenCommand(broken, "song4"), MciError::MCIERR_INVALID_FILE},
      {OpenCommand(song, "SONG1"), MciError::MCIERR_DUPLICATE_ALIAS},
  };
  for (const auto& c : cases) {
    reply_ = std::string(255, 'x');
    EXPECT_EQ(Send(c.command), Code(c.code)) << c.command;
    EXPECT_EQ(reply_, std::string(255, 'x')) << c.command;
  }
  EXPECT_EQ(Mode("song1"), "stopped") << "the failures changed nothing";
  specialtest::SpecialFiles().ExpectRefusedAtOnce([&](const std::string& path) {
    return Send(OpenCommand(path, "song4")) == Code(MciError::MCIERR_INVALID_FILE);
  });
}

TEST_F(Mci, ReplyOverwritesTheStartOfAFixedLengthBuffer) {
  const auto song = dir_.Write("s.mid", NoteSong(kDivision, 0, kSixteenth));
  ASSERT_EQ(Send(OpenCommand(song, "song1")), 0);

  std::string empty;
  ASSERT_EQ(win::mciSendStringA("status song1 mode", &empty, 255, 0), 0);
  EXPECT_EQ(empty.size(), 255u) << "a short buffer stands for 255 characters";
  EXPECT_EQ(empty.substr(0, 8), std::string("stopped\0", 8));

  std::string blanks(255, ' ');
  ASSERT_EQ(win::mciSendStringA("status song1 mode", &blanks, 4, 0), 0);
  EXPECT_EQ(blanks.substr(0, 5), std::string("sto\0 ", 5)) << "cut to the given length";

  std::string old(255, 'q');
  ASSERT_EQ(win::mciSendStringA("play song1 from 0", &old, 255, 0), 0);
  EXPECT_EQ(old.substr(0, 2), std::string("\0q", 2)) << "no reply text: an empty one";

  EXPECT_EQ(win::mciSendStringA("stop song1", nullptr, 0, 0), 0) << "no buffer at all";
}

TEST_F(Mci, OpenFailsWithoutAnOutput) {
  audio::SetOutputForTests(audio::Output::None);
  const auto song = dir_.Write("s.mid", NoteSong(kDivision, 0, kSixteenth));
  EXPECT_NE(Send(OpenCommand(song, "song1")), 0);
  EXPECT_EQ(Send("status song1 mode"), Code(MciError::MCIERR_INVALID_DEVICE_NAME));
}

class WavePlayer : public audiotest::ManualAudio {
 protected:
  void SetUp() override {
    ManualAudio::SetUp();
    win::SetMciExecuteMessageHookForTests(
        [this](const std::string& text, const std::string& title) {
          messages_.push_back(title + ": " + text);
        });
  }
  void TearDown() override {
    win::SetMciExecuteMessageHookForTests(nullptr);
    ManualAudio::TearDown();
  }
  static std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

  audiotest::ScratchDir dir_;
  std::vector<std::string> messages_;
};

constexpr int kTenth = audio::kRate / 10;

TEST_F(WavePlayer, PlaysAWaveOnceAndStopsIt) {
  const auto bubbles =
      Quoted(dir_.Write("Solmere Finbrook/a_sound0.wav", audiotest::ConstantWav(kTenth, 8000)));
  ASSERT_TRUE(win::mciExecute("play " + bubbles));
  EXPECT_EQ(audiotest::SoundingFrames(audio::RenderForTests(3 * kTenth)), kTenth);

  EXPECT_TRUE(win::mciExecute("stop " + bubbles)) << "stopping a silent wave is no fault";
  EXPECT_TRUE(messages_.empty());
}

TEST_F(WavePlayer, AStopFadesTheWaveOutWithinMillisecondsInsteadOfCuttingIt) {
  const auto bubbles = Quoted(dir_.Write("a_sound0.wav", audiotest::ConstantWav(kTenth, 8000)));
  const struct {
    const char* stop;
    std::function<bool()> call;
  } cases[] = {
      {"stop", [&] { return win::mciExecute("stop " + bubbles); }},
      {"stop everything", [] { return win::sndPlaySoundA(nullptr, win::SND_NODEFAULT); }},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(win::mciExecute("play " + bubbles));
    const auto before = audio::RenderForTests(kTenth / 2);
    ASSERT_TRUE(c.call());
    const auto after = audio::RenderForTests(kTenth);
    EXPECT_LT(audiotest::LargestStep(before, after), 100) << c.stop << ": no click";
    EXPECT_LE(audiotest::SoundingFrames(after), Frames(0.01)) << c.stop;
  }
}

TEST_F(WavePlayer, StoppingOneWaveLeavesTheOtherPlaying) {
  const auto bubbles = Quoted(dir_.Write("a_sound0.wav", audiotest::ConstantWav(kTenth, 8000)));
  const auto whale = Quoted(dir_.Write("a_sound1.wav", audiotest::ConstantWav(kTenth, 2000)));
  ASSERT_TRUE(win::mciExecute("play " + whale));
  ASSERT_TRUE(win::mciExecute("play " + bubbles));
  ASSERT_TRUE(win::mciExecute("stop " + bubbles));
  const auto pcm = audio::RenderForTests(2 * kTenth);
  EXPECT_NEAR(pcm[0], 2000, 2);
  EXPECT_EQ(audiotest::SoundingFrames(pcm), kTenth);
}

TEST_F(WavePlayer, NoSoundNameStopsEverythingTheSimplePlayerPlays) {
  const auto whale = Quoted(dir_.Write("a_sound1.wav", audiotest::ConstantWav(kTenth, 2000)));
  ASSERT_TRUE(win::mciExecute("play " + whale));
  EXPECT_TRUE(win::sndPlaySoundA(nullptr, win::SND_NODEFAULT));
  EXPECT_EQ(audiotest::SoundingFrames(audio::RenderForTests(kTenth)), 0);
}

// Commands the program never sends are refused loudly, not answered with an error code that it
// would not check.
TEST_F(WavePlayer, CommandsOutsideWhatTheProgramSendsAreRefused) {
  const auto song = dir_.Write("s.mid", NoteSong(kDivision, 0, kSixteenth));
  ASSERT_EQ(win::mciSendStringA("open \"" + song + "\" type sequencer alias song1", nullptr, 0, 0),
            0);
  const auto wave = Quoted(dir_.Write("a_sound0.wav", audiotest::ConstantWav(kTenth, 8000)));
  const std::function<void()> calls[] = {
      [] { win::mciSendStringA("", nullptr, 0, 0); },
      [] { win::mciSendStringA("rewind song1", nullptr, 0, 0); },
      [] { win::mciSendStringA("status song1 position", nullptr, 0, 0); },
      [] { win::mciSendStringA("play song1", nullptr, 0, 0); },
      [] { win::mciSendStringA("play song1 from -1", nullptr, 0, 0); },
      [] { win::mciSendStringA("stop song1 now", nullptr, 0, 0); },
      [] { win::mciSendStringA("close", nullptr, 0, 0); },
      [&] { win::mciSendStringA("open " + wave + " type waveaudio alias fx", nullptr, 0, 0); },
      [&] { win::mciSendStringA("open \"" + song + " type sequencer alias song4", nullptr, 0, 0); },
      [&] { win::mciExecute("record " + wave); },
      [] { win::mciExecute("play"); },
      [] { win::sndPlaySoundA("a_sound0.wav", win::SND_NODEFAULT); },
      [] { win::sndPlaySoundA(nullptr, 0x0001); },
  };
  for (std::size_t i = 0; i < std::size(calls); ++i) {
    EXPECT_THROW(calls[i](), win::UnsupportedCall) << "call " << i;
  }
  EXPECT_TRUE(messages_.empty()) << "no message box of the player's own";
  std::string reply;
  ASSERT_EQ(win::mciSendStringA("status song1 mode", &reply, 255, 0), 0);
  EXPECT_TRUE(reply.starts_with("stopped")) << "the refusals changed nothing";
}

TEST_F(WavePlayer, FailuresShowThePlayersOwnMessage) {
  const auto broken = Quoted(dir_.Write("broken.wav", audiotest::Bytes{'R', 'I', 'F', 'F'}));
  const auto missing = Quoted(dir_.Path("missing.wav"));
  const std::string commands[] = {"play " + missing, "stop " + missing, "play " + broken};
  for (const auto& command : commands) {
    messages_.clear();
    EXPECT_FALSE(win::mciExecute(command)) << command;
    ASSERT_EQ(messages_.size(), 1u) << command;
    EXPECT_TRUE(messages_[0].starts_with("MCI: ")) << messages_[0];
  }
  specialtest::SpecialFiles().ExpectRefusedAtOnce([&](const std::string& path) {
    messages_.clear();
    return !win::mciExecute("play " + Quoted(path)) && messages_.size() == 1;
  });
  EXPECT_EQ(audiotest::SoundingFrames(audio::RenderForTests(kTenth)), 0);

  // A good wave with no output to play it on fails the same way.
  audio::SetOutputForTests(audio::Output::None);
  messages_.clear();
  const auto whale = Quoted(dir_.Write("a_sound1.wav", audiotest::ConstantWav(kTenth, 2000)));
  EXPECT_FALSE(win::mciExecute("play " + whale));
  EXPECT_EQ(messages_.size(), 1u);
}

}  // namespace
