#include "audio/sounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <limits>
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

TEST(Words, SplitIntoSignedHalves) {
  const struct {
    std::int32_t x;
    std::int16_t hi, lo;
  } cases[] = {
      {0, 0, 0},
      {5, 0, 5},
      {32767, 0, 32767},
      {32768, 0, -32768},
      {65535, 0, -1},
      {65536, 1, 0},
      {-1, -1, -1},
      {-65536, -1, 0},
      {-65537, -2, -1},
      {std::numeric_limits<std::int32_t>::max(), 32767, -1},
      {std::numeric_limits<std::int32_t>::min(), -32768, 0},
      {static_cast<std::int32_t>(0x89ABCDEFu), static_cast<std::int16_t>(0x89AB),
       static_cast<std::int16_t>(0xCDEF)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HiWord(c.x), c.hi) << c.x;
    EXPECT_EQ(LoWord(c.x), c.lo) << c.x;
  }
}

TEST(Words, LowThenHighWordAreTheLittleEndianBytesOfTheValue) {
  // A handle with its top bit set, as a record field: low word at the field, high word after.
  for (const std::int32_t x : {static_cast<std::int32_t>(0x80000001u), -2, 0x12345678}) {
    const std::int16_t field[2] = {LoWord(x).Value(), HiWord(x).Value()};
    const unsigned char expected[4] = {
        static_cast<unsigned char>(x), static_cast<unsigned char>(x >> 8),
        static_cast<unsigned char>(x >> 16), static_cast<unsigned char>(x >> 24)};
    EXPECT_EQ(std::memcmp(field, expected, 4), 0) << x;
  }
  EXPECT_LT(HiWord(static_cast<std::int32_t>(0x80000001u)), 0);
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
    WaveHandle(0) = 0;
    WaveHandle(1) = 0;
    PlayParams(0) = {};
    PlayParams(1) = {};
    RunMode = 1;
    win::RecordWaveMixCallsForTests(&mixer_calls_);
    win::RecordWinmmCallsForTests(&winmm_calls_);
  }
  void TearDown() override {
    win::RecordWaveMixCallsForTests(nullptr);
    win::RecordWinmmCallsForTests(nullptr);
    ManualAudio::TearDown();
  }
  void Choose(bool bubbles, bool whale) {
    SoundOn(0) = rt::Truth(bubbles);
    SoundOn(1) = rt::Truth(whale);
  }
  std::string Session() const { return std::to_string(MixSession.Value()); }

  audiotest::ScratchDir dir_;
  std::vector<std::string> mixer_calls_;
  std::vector<std::string> winmm_calls_;
};

TEST_F(SoundEffects, BubblesRepeatWhileTheWhaleCallsOnce) {
  Choose(true, true);
  Initialize_SoundFX();
  ASSERT_TRUE(rt::IsTrue(MixerReady));
  EXPECT_NE(WaveHandle(0), 0);
  EXPECT_NE(WaveHandle(1), 0);
  EXPECT_EQ(mixer_calls_.size(), 7u);
  EXPECT_EQ(mixer_calls_[3], "WaveMixOpenChannel(" + Session() + ", 8, 2)");
  EXPECT_EQ(mixer_calls_[4], "WaveMixActivate(" + Session() + ", 1)");

  const auto pcm = audio::RenderForTests(10 * kTenth);
  EXPECT_EQ(SoundingFrames(pcm), 10 * kTenth) << "the bubbles go on past their length";
  EXPECT_NEAR(pcm[0], 10000, 2) << "both at first";
  EXPECT_NEAR(pcm[2 * 5 * kTenth], 8000, 2) << "then the bubbles alone";
}

TEST_F(SoundEffects, PlayRecordsNameSessionChannelWaveFlagsAndRepeats) {
  Choose(true, true);
  Initialize_SoundFX();
  const auto word = [](rt::Long v, bool high) { return (high ? HiWord(v) : LoWord(v)).Value(); };
  for (int i = 0; i <= 1; ++i) {
    SCOPED_TRACE(i);
    const PlayRecord expected = {24,
                                 word(MixSession, false),
                                 word(MixSession, true),
                                 static_cast<std::int16_t>(i),
                                 0,
                                 word(WaveHandle(i), false),
                                 word(WaveHandle(i), true),
                                 0,
                                 0,
                                 5,
                                 0,
                                 static_cast<std::int16_t>(i == 0 ? -1 : 0)};
    EXPECT_EQ(PlayParams(i), expected);
  }
  static_assert(sizeof(PlayRecord) == 24);
  const auto* bytes = reinterpret_cast<const unsigned char*>(PlayParams(0).data());
  EXPECT_EQ(bytes[0], 24);
  EXPECT_EQ(bytes[22], 0xFF) << "repeat count 65535";
  EXPECT_EQ(bytes[23], 0xFF);
}

TEST_F(SoundEffects, OnlyTheWhalePlaysOnceOnChannelOne) {
  Choose(false, true);
  Initialize_SoundFX();
  EXPECT_EQ(WaveHandle(0), 0);
  EXPECT_EQ(PlayParams(0), PlayRecord{}) << "no record for an effect that is off";
  EXPECT_EQ(PlayParams(1)[3], 1);
  EXPECT_EQ(SoundingFrames(audio::RenderForTests(10 * kTenth)), kTenth);
}

TEST_F(SoundEffects, BothOffStillOpensTheMixerAndTheExitClosesIt) {
  Choose(false, false);
  Initialize_SoundFX();
  EXPECT_EQ(mixer_calls_, (std::vector<std::string>{"WaveMixInit()",
                                                    "WaveMixOpenChannel(" + Session() + ", 8, 2)",
                                                    "WaveMixActivate(" + Session() + ", 1)"}));
  EXPECT_EQ(SoundingFrames(audio::RenderForTests(kTenth)), 0);
  mixer_calls_.clear();
  CloseSoundFX();
  EXPECT_EQ(mixer_calls_, (std::vector<std::string>{
                              "WaveMixCloseChannel(" + Session() + ", 0, 1)",
                              "WaveMixFreeWave(" + Session() + ", 0)",
                              "WaveMixFreeWave(" + Session() + ", 0)",
                              "WaveMixCloseSession(" + Session() + ")",
                          }));
  EXPECT_TRUE(winmm_calls_.empty());
}

TEST_F(SoundEffects, MissingWaveStillGetsItsPlayRequestAndSpoilsNothingElse) {
  std::filesystem::remove(dir_.Path("a_sound0.wav"));
  Choose(true, true);
  Initialize_SoundFX();
  EXPECT_EQ(WaveHandle(0), 0);
  EXPECT_NE(WaveHandle(1), 0);
  EXPECT_EQ(std::count_if(mixer_calls_.begin(), mixer_calls_.end(),
                          [](const std::string& c) { return c.starts_with("WaveMixPlay("); }),
            2);
  EXPECT_EQ(SoundingFrames(audio::RenderForTests(5 * kTenth)), kTenth);
}

TEST_F(SoundEffects, NoMixerClearsTheChoicesAndTheExitMakesNoMixerCall) {
  audio::SetOutputForTests(audio::Output::None);
  Choose(true, true);
  Initialize_SoundFX();
  EXPECT_FALSE(rt::IsTrue(SoundOn(0)));
  EXPECT_FALSE(rt::IsTrue(SoundOn(1)));
  EXPECT_FALSE(rt::IsTrue(MixerReady));
  EXPECT_EQ(mixer_calls_, std::vector<std::string>{"WaveMixInit()"});
  mixer_calls_.clear();
  CloseSoundFX();
  EXPECT_TRUE(mixer_calls_.empty());
}

TEST_F(SoundEffects, ExitOfTheSettingsDialogOnlySilencesTheSimplePlayer) {
  RunMode = 2;
  win::SetMciExecuteMessageHookForTests(
      [](const std::string& text, const std::string&) { ADD_FAILURE() << text; });
  ASSERT_TRUE(win::mciExecute("play \"" + dir_.Path("a_sound1.wav") + "\""));
  winmm_calls_.clear();
  CloseSoundFX();
  EXPECT_EQ(winmm_calls_, std::vector<std::string>{"sndPlaySoundA(null, 2)"});
  EXPECT_TRUE(mixer_calls_.empty());
  EXPECT_EQ(SoundingFrames(audio::RenderForTests(kTenth)), 0) << "the audition is silenced";
  win::SetMciExecuteMessageHookForTests(nullptr);
}

TEST_F(SoundEffects, ExitOfThePasswordAndPreviewModesMakesNoSoundCall) {
  for (const int mode : {3, 4}) {
    RunMode = mode;
    CloseSoundFX();
  }
  EXPECT_TRUE(mixer_calls_.empty());
  EXPECT_TRUE(winmm_calls_.empty());
}

}  // namespace
