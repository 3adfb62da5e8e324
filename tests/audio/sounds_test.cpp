#include "audio/sounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "host/starter.h"
#include "host/system.h"
#include "platform/audio_engine.h"
#include "platform/audio_test_files.h"
#include "platform/wavemix.h"
#include "platform/winmm.h"

namespace {

using audiotest::ConstantWav;
using audiotest::SoundingFrames;

constexpr int kTenth = audio::kRate / 10;

// The halves are signed, and low then high word lie as the value's little-endian bytes, as the
// play record's handle fields need them even with the handle's top bit set.
TEST(Words, SplitIntoSignedHalvesThatRecombine) {
  const struct {
    std::uint32_t x;
    std::int16_t hi, lo;
  } cases[] = {{5, 0, 5},
               {32768, 0, -32768},
               {65536, 1, 0},
               {0xFFFFFFFF, -1, -1},
               {0xFFFEFFFF, -2, -1},
               {0x80000001, -32768, 1},
               {0x7FFFFFFF, 32767, -1}};
  for (const auto& c : cases) {
    const auto x = static_cast<std::int32_t>(c.x);
    EXPECT_EQ(HiWord(x), c.hi) << c.x;
    EXPECT_EQ(LoWord(x), c.lo) << c.x;
    const std::int16_t field[2] = {LoWord(x).Value(), HiWord(x).Value()};
    EXPECT_EQ(std::memcmp(field, &x, 4), 0) << c.x;
  }
}

class SoundEffects : public audiotest::ManualAudio {
 protected:
  void SetUp() override {
    ManualAudio::SetUp();
    DataDir = dir_.Folder();
    dir_.Write("a_sound0.wav", ConstantWav(kTenth, 8000));
    dir_.Write("a_sound1.wav", ConstantWav(kTenth, 2000));
    MixSession = 0;
    MixerReady = rt::kFalse;
    WaveHandle(0) = WaveHandle(1) = 0;
    PlayParams(0) = PlayParams(1) = {};
    RunMode = 1;
    win::RecordWaveMixCallsForTests(&mixer_calls_);
    win::RecordWinmmCallsForTests(&winmm_calls_);
  }
  void TearDown() override {
    win::RecordWaveMixCallsForTests(nullptr);
    win::RecordWinmmCallsForTests(nullptr);
    ManualAudio::TearDown();
  }
  void Start(bool bubbles, bool whale) {
    SoundOn(0) = rt::Truth(bubbles);
    SoundOn(1) = rt::Truth(whale);
    Initialize_SoundFX();
  }
  std::string Call(const std::string& name, const std::string& rest = "") const {
    return name + "(" + std::to_string(MixSession.Value()) + rest + ")";
  }

  audiotest::ScratchDir dir_;
  std::vector<std::string> mixer_calls_;
  std::vector<std::string> winmm_calls_;
};

TEST_F(SoundEffects, BubblesRepeatOnChannelZeroWhileTheWhaleCallsOnceOnChannelOne) {
  Start(true, true);
  ASSERT_TRUE(rt::IsTrue(MixerReady));
  const auto pcm = audio::RenderForTests(10 * kTenth);
  EXPECT_EQ(SoundingFrames(pcm), 10 * kTenth) << "the bubbles go on past their length";
  EXPECT_NEAR(pcm[0], 10000, 2) << "both at first";
  EXPECT_NEAR(pcm[2 * 5 * kTenth], 8000, 2) << "then the bubbles alone";
  // Each record: size, session, channel, wave, flags 5 (clear the queue, play at once) and the
  // repeats, 65535 for the bubbles.
  for (int i = 0; i <= 1; ++i) {
    const rt::Long s = MixSession, w = WaveHandle(i);
    const PlayRecord expected = {24,
                                 LoWord(s).Value(),
                                 HiWord(s).Value(),
                                 static_cast<std::int16_t>(i),
                                 0,
                                 LoWord(w).Value(),
                                 HiWord(w).Value(),
                                 0,
                                 0,
                                 5,
                                 0,
                                 static_cast<std::int16_t>(-(i == 0))};
    EXPECT_EQ(PlayParams(i), expected) << i;
  }
}

TEST_F(SoundEffects, OnlyTheWhalePlaysOnce) {
  Start(false, true);
  EXPECT_EQ(PlayParams(0), PlayRecord{}) << "no record for an effect that is off";
  EXPECT_EQ(SoundingFrames(audio::RenderForTests(10 * kTenth)), kTenth);
}

TEST_F(SoundEffects, BothOffStillOpensTheMixerAndTheExitClosesIt) {
  Start(false, false);
  EXPECT_EQ(mixer_calls_,
            (std::vector<std::string>{"WaveMixInit()", Call("WaveMixOpenChannel", ", 8, 2"),
                                      Call("WaveMixActivate", ", 1")}));
  EXPECT_EQ(SoundingFrames(audio::RenderForTests(kTenth)), 0);
  mixer_calls_.clear();
  CloseSoundFX();
  EXPECT_EQ(mixer_calls_, (std::vector<std::string>{
                              Call("WaveMixCloseChannel", ", 0, 1"), Call("WaveMixFreeWave", ", 0"),
                              Call("WaveMixFreeWave", ", 0"), Call("WaveMixCloseSession")}));
  EXPECT_TRUE(winmm_calls_.empty());
}

TEST_F(SoundEffects, AMissingWaveSpoilsNothingElse) {
  std::filesystem::remove(dir_.Path("a_sound0.wav"));
  Start(true, true);
  EXPECT_EQ(WaveHandle(0), 0);
  EXPECT_EQ(std::count_if(mixer_calls_.begin(), mixer_calls_.end(),
                          [](const std::string& c) { return c.starts_with("WaveMixPlay("); }),
            2);
  EXPECT_EQ(SoundingFrames(audio::RenderForTests(5 * kTenth)), kTenth);
}

TEST_F(SoundEffects, NoMixerClearsTheChoicesAndTheExitMakesNoMixerCall) {
  audio::SetOutputForTests(audio::Output::None);
  Start(true, true);
  EXPECT_FALSE(rt::IsTrue(SoundOn(0)) || rt::IsTrue(SoundOn(1)) || rt::IsTrue(MixerReady));
  mixer_calls_.clear();
  CloseSoundFX();
  EXPECT_TRUE(mixer_calls_.empty());
}

// The settings dialog silences its audition with the simple player; the other modes call
// nothing.
TEST_F(SoundEffects, TheExitOutsideTheSaverTouchesOnlyTheSimplePlayerOfTheDialog) {
  ASSERT_TRUE(win::mciExecute("play \"" + dir_.Path("a_sound1.wav") + "\""));
  for (const int mode : {3, 4, 2}) {
    RunMode = mode;
    winmm_calls_.clear();
    CloseSoundFX();
    EXPECT_EQ(winmm_calls_.size(), mode == 2 ? 1u : 0u) << mode;
  }
  EXPECT_EQ(winmm_calls_, std::vector<std::string>{"sndPlaySoundA(null, 2)"});
  EXPECT_TRUE(mixer_calls_.empty());
  EXPECT_EQ(SoundingFrames(audio::RenderForTests(kTenth)), 0) << "the audition is silenced";
}

}  // namespace
