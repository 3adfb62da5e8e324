#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/audio_engine.h"
#include "platform/audio_test_files.h"
#include "platform/midi_synth.h"
#include "platform/unsupported.h"
#include "platform/winmm.h"

namespace {

using audio::RenderForTests;
using audiotest::Frames;
using audiotest::Peak;
using win::MciError;

constexpr int kTenth = audio::kRate / 10;

std::int32_t Code(MciError e) {
  return static_cast<std::int32_t>(e);
}
std::string Quoted(const std::string& path) {
  return "\"" + path + "\"";
}
std::string Open(const std::string& path, const std::string& alias) {
  return "open " + Quoted(path) + " type sequencer alias " + alias;
}

// The sequencer and the simple wave player, rendered by the test; the wave player's message
// boxes are kept instead of shown.
class Mci : public audiotest::ManualAudio {
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
  std::int32_t Send(const std::string& command) {
    return win::mciSendStringA(command, &reply_, 255, 0);
  }
  // The mode as the program reads it: the reply's first seven characters.
  std::string Mode(const std::string& alias) {
    reply_.assign(255, ' ');
    EXPECT_EQ(Send("status " + alias + " mode"), 0);
    return reply_.substr(0, 7);
  }
  // A piano note from one sixteenth to another, a sixteenth lasting 0.125 s.
  std::string Song(int first, int end, std::string name = "") {
    if (name.empty()) name = "song" + std::to_string(++files_) + ".mid";
    return dir_.Write(name, audiotest::NoteSong(96, first * 24, end * 24));
  }
  std::string Wave(int value, int frames = kTenth) {
    return Quoted(
        dir_.Write(std::to_string(value) + ".wav", audiotest::ConstantWav(frames, value)));
  }

  audiotest::ScratchDir dir_;
  std::string reply_;
  std::vector<std::string> messages_;
  int files_ = 0;
};

// An opened song waits silent until played; play starts at a position counted in sixteenths
// and returns at once, and the song stops at its end. Quoted paths may hold blanks, and aliases
// ignore case.
TEST_F(Mci, PlayStartsAtAPositionInSixteenthsAndTheSongStopsAtItsEnd) {
  // Silent for a second, then a note.
  ASSERT_EQ(Send(Open(Song(8, 12, "Solmere Finbrook/a song 2.Mid"), "Song2")), 0);
  EXPECT_EQ(Mode("song2"), "stopped");
  ASSERT_EQ(Send("PLAY SONG2 FROM 0"), 0);
  EXPECT_EQ(Mode("song2"), "playing");
  EXPECT_EQ(Peak(RenderForTests(Frames(0.9))), 0);
  EXPECT_GT(Peak(RenderForTests(Frames(0.3))), 100);
  ASSERT_EQ(Send("play song2 from 8"), 0);
  EXPECT_GT(Peak(RenderForTests(Frames(0.1))), 100) << "the note starts at once";
  RenderForTests(Frames(0.45));
  EXPECT_EQ(Mode("song2"), "stopped") << "four sixteenths from position 8 to the end";
  ASSERT_EQ(Send("play song2 from 0"), 0) << "a finished song plays again";
  EXPECT_EQ(Mode("song2"), "playing");
  EXPECT_EQ(Send("play song2 from 12"), 0) << "the very end is a position";
  EXPECT_EQ(Send("play song2 from 13"), Code(MciError::MCIERR_OUTOFRANGE));
  ASSERT_EQ(Send("close song2"), 0);
  EXPECT_EQ(Send("status song2 mode"), Code(MciError::MCIERR_INVALID_DEVICE_NAME));
}

// As an audition gives way to the next: the next song is silent at first, so what sounds then
// is the first one's release.
TEST_F(Mci, ASongClosedAsTheNextOpensLetsItsNotesRingOut) {
  ASSERT_EQ(Send(Open(Song(0, 16), "song1")), 0);
  ASSERT_EQ(Send("play song1 from 0"), 0);
  const auto before = RenderForTests(Frames(0.5));
  for (const auto& command : {std::string("stop song1"), std::string("close song1"),
                              Open(Song(8, 12), "song1"), std::string("play song1 from 0")}) {
    ASSERT_EQ(Send(command), 0) << command;
  }
  const auto after = RenderForTests(Frames(0.5));
  const double ringing = audiotest::Rms(before, Frames(0.48), Frames(0.02));
  EXPECT_GT(audiotest::Rms(after, 0, Frames(0.02)), ringing / 2) << "the note is released";
  EXPECT_LT(audiotest::Rms(after, Frames(0.48), Frames(0.02)), ringing / 4) << "and dies away";
}

// However many notes a song crowds into one instant, a block of the render sends a bounded
// number and the rest wait for the next; the synthesizer starts no thread of its own, and of its
// complaints one line of each kind reaches standard error, not one a note.
TEST_F(Mci, AnInstantCrowdedWithNotesPlaysOutOverBlocksOfBoundedWork) {
  const auto threads = std::distance(std::filesystem::directory_iterator("/proc/self/task"), {});
  ASSERT_EQ(Send(Open(dir_.Write("a.mid", audiotest::Crowd(3 * midi::kMaxEventsPerBlock)), "a")),
            0);
  ASSERT_EQ(Send("play a from 0"), 0);
  RenderForTests(2 * 1024);  // two blocks of the engine's render
  EXPECT_EQ(Mode("a"), "playing") << "a third of the notes waiting";
  RenderForTests(1024);
  EXPECT_EQ(Mode("a"), "stopped");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("/proc/self/task"), {}), threads);

  testing::internal::CaptureStderr();
  for (int key = 0; key < 100; ++key) fluid_log(FLUID_WARN, "No voice (key=%d)", key);
  fluid_log(FLUID_ERR, "No room");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "fluidsynth: warning: No voice (key=0)\nfluidsynth: error: No room\n");
}

TEST_F(Mci, FailedCommandsReturnTheirCodeAndLeaveTheReplyUntouched) {
  const auto song = Song(0, 1);
  ASSERT_EQ(Send(Open(song, "song1")), 0);
  const struct {
    std::string command;
    MciError code;
  } cases[] = {
      {"status song4 mode", MciError::MCIERR_INVALID_DEVICE_NAME},
      {Open(dir_.Path("missing.mid"), "song4"), MciError::MCIERR_FILE_NOT_FOUND},
      {Open(dir_.Write("broken.mid", "MThd"), "song4"), MciError::MCIERR_INVALID_FILE},
      {Open(song, "SONG1"), MciError::MCIERR_DUPLICATE_ALIAS},
  };
  for (const auto& c : cases) {
    reply_ = std::string(255, 'x');
    EXPECT_EQ(Send(c.command), Code(c.code)) << c.command;
    EXPECT_EQ(reply_, std::string(255, 'x')) << c.command;
  }
  EXPECT_EQ(Mode("song1"), "stopped") << "the failures changed nothing";
  dir_.ExpectSpecialFilesRefused([&](const std::string& path) {
    return Send(Open(path, "song4")) == Code(MciError::MCIERR_INVALID_FILE);
  });
  audio::CloseAll();
  audio::SetOutputForTests(audio::Output::None);
  EXPECT_NE(Send(Open(song, "song2")), 0) << "no output to play on";
}

// mciExecute plays a wave once; a stop, of one wave or of everything the simple player plays,
// fades out within milliseconds instead of cutting the wave off with a click.
TEST_F(Mci, TheWavePlayerPlaysAWaveOnceAndAStopFadesItOut) {
  const auto bubbles = Wave(8000), whale = Wave(2000, 3 * kTenth);
  ASSERT_TRUE(win::mciExecute("play " + bubbles));
  EXPECT_EQ(audiotest::SoundingFrames(RenderForTests(3 * kTenth)), kTenth);
  EXPECT_TRUE(win::mciExecute("stop " + bubbles)) << "stopping a silent wave is no fault";
  // Stopped alone, the bubbles leave the whale sounding; stopped with everything, nothing.
  for (const bool everything : {false, true}) {
    ASSERT_TRUE(win::mciExecute("play " + whale));
    ASSERT_TRUE(win::mciExecute("play " + bubbles));
    const auto before = RenderForTests(kTenth / 2);
    ASSERT_TRUE(everything ? win::sndPlaySoundA(nullptr, win::SND_NODEFAULT)
                           : win::mciExecute("stop " + bubbles));
    const auto after = RenderForTests(kTenth);
    EXPECT_LT(audiotest::LargestStep(before, after), 100) << everything << ": no click";
    EXPECT_NEAR(after[2 * Frames(0.01)], everything ? 0 : 2000, 2) << everything;
  }
  EXPECT_TRUE(messages_.empty());
}

TEST_F(Mci, TheWavePlayersFailuresShowItsOwnMessage) {
  const auto missing = Quoted(dir_.Path("missing.wav"));
  const std::string commands[] = {"play " + missing, "stop " + missing,
                                  "play " + Quoted(dir_.Write("broken.wav", "RIFF"))};
  for (const auto& command : commands) {
    messages_.clear();
    EXPECT_FALSE(win::mciExecute(command)) << command;
    ASSERT_EQ(messages_.size(), 1u) << command;
    EXPECT_TRUE(messages_[0].starts_with("MCI: ")) << messages_[0];
  }
  dir_.ExpectSpecialFilesRefused([&](const std::string& path) {
    messages_.clear();
    return !win::mciExecute("play " + Quoted(path)) && messages_.size() == 1;
  });
  audio::SetOutputForTests(audio::Output::None);
  messages_.clear();
  EXPECT_FALSE(win::mciExecute("play " + Wave(2000))) << "a good wave with no output";
  EXPECT_EQ(messages_.size(), 1u);
}

// Commands the program never sends are refused loudly, not answered with an error code that it
// would not check, nor with a message box.
TEST_F(Mci, CommandsOutsideWhatTheProgramSendsAreRefused) {
  const auto song = Song(0, 1);
  ASSERT_EQ(Send(Open(song, "song1")), 0);
  const auto wave = Wave(8000);
  for (const std::string& command : std::initializer_list<std::string>{
           "", "rewind song1", "status song1 position", "play song1", "play song1 from -1",
           "stop song1 now", "close", "open " + wave + " type waveaudio alias fx",
           "open \"" + song + " type sequencer alias song4"}) {
    EXPECT_THROW(win::mciSendStringA(command, nullptr, 0, 0), win::UnsupportedCall) << command;
  }
  EXPECT_THROW(win::mciExecute("record " + wave), win::UnsupportedCall);
  EXPECT_THROW(win::mciExecute("play"), win::UnsupportedCall);
  EXPECT_THROW(win::sndPlaySoundA("a_sound0.wav", win::SND_NODEFAULT), win::UnsupportedCall);
  EXPECT_THROW(win::sndPlaySoundA(nullptr, 0x0001), win::UnsupportedCall);
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(Mode("song1"), "stopped") << "the refusals changed nothing";
}

}  // namespace
