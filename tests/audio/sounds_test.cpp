#include <cstring>
#include <filesystem>

#include "audio_test_support.h"
#include "platform/wavemix.h"

namespace {

using audiotest::SoundingFrames;

constexpr int kTenth = audio::kRate / 10;

// The halves are signed, and low then high word lie as the value's little-endian bytes, as the
// play record's handle fields need them even with the handle's top bit set.
TEST(Words, SplitIntoSignedHalvesThatRecombine) {
  // clang-format off
  const std::tuple<std::uint32_t, std::int16_t, std::int16_t> cases[] = {
      {5, 0, 5}, {32768, 0, -32768}, {65536, 1, 0}, {0xFFFEFFFF, -2, -1}, {0x80000001, -32768, 1}};
  // clang-format on
  for (const auto& [bits, hi, lo] : cases) {
    const auto x = static_cast<std::int32_t>(bits);
    const std::int16_t field[2] = {LoWord(x).Value(), HiWord(x).Value()};
    EXPECT_EQ(field[0], lo) << bits;
    EXPECT_EQ(field[1], hi) << bits;
    EXPECT_EQ(std::memcmp(field, &x, 4), 0) << bits;
  }
}

class SoundEffects : public audio_test::SoundsTest {
 protected:
  void SetUp() override {
    SoundsTest::SetUp();
    dir_.Write("a_sound0.wav", audiotest::ConstantWav(kTenth, 8000));
    dir_.Write("a_sound1.wav", audiotest::ConstantWav(kTenth, 2000));
    MixSession = 0;
    MixerReady = rt::kFalse;
    WaveHandle(0) = WaveHandle(1) = 0;
    PlayParams(0) = PlayParams(1) = {};
    RunMode = 1;
    win::RecordWaveMixCallsForTests(&mixer_);
  }
  void TearDown() override {
    win::RecordWaveMixCallsForTests(nullptr);
    SoundsTest::TearDown();
  }
  void Start(bool bubbles, bool whale) {
    SoundOn(0) = rt::Truth(bubbles);
    SoundOn(1) = rt::Truth(whale);
    Initialize_SoundFX();
  }
  std::string Call(const std::string& name, const std::string& rest = "") const {
    return name + "(" + std::to_string(MixSession.Value()) + rest + ")";
  }
  std::vector<std::string> mixer_;
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
    // clang-format off
    const PlayRecord expected = {24, LoWord(s).Value(), HiWord(s).Value(), std::int16_t(i), 0,
                                 LoWord(w).Value(), HiWord(w).Value(), 0, 0, 5, 0,
                                 std::int16_t(i == 0 ? -1 : 0)};
    // clang-format on
    EXPECT_EQ(PlayParams(i), expected) << i;
  }
}

TEST_F(SoundEffects, BothOffStillOpensTheMixerAndTheExitClosesIt) {
  Start(false, false);
  EXPECT_EQ(mixer_, (std::vector<std::string>{"WaveMixInit()", Call("WaveMixOpenChannel", ", 8, 2"),
                                              Call("WaveMixActivate", ", 1")}));
  EXPECT_EQ(SoundingFrames(audio::RenderForTests(kTenth)), 0);
  mixer_.clear();
  CloseSoundFX();
  EXPECT_EQ(mixer_, (std::vector<std::string>{
                        Call("WaveMixCloseChannel", ", 0, 1"), Call("WaveMixFreeWave", ", 0"),
                        Call("WaveMixFreeWave", ", 0"), Call("WaveMixCloseSession")}));
  EXPECT_TRUE(winmm_.empty());
}

TEST_F(SoundEffects, AMissingWaveSpoilsNothingElse) {
  std::filesystem::remove(dir_.Path("a_sound0.wav"));
  Start(true, true);
  EXPECT_EQ(WaveHandle(0), 0);
  EXPECT_EQ(std::count_if(mixer_.begin(), mixer_.end(),
                          [](const std::string& c) { return c.starts_with("WaveMixPlay("); }),
            2);
  EXPECT_EQ(SoundingFrames(audio::RenderForTests(5 * kTenth)), kTenth);
}

TEST_F(SoundEffects, NoMixerClearsTheChoicesAndTheExitMakesNoMixerCall) {
  audio::SetOutputForTests(audio::Output::None);
  Start(true, true);
  EXPECT_FALSE(rt::IsTrue(SoundOn(0)) || rt::IsTrue(SoundOn(1)) || rt::IsTrue(MixerReady));
  mixer_.clear();
  CloseSoundFX();
  EXPECT_TRUE(mixer_.empty());
}

// The settings dialog silences its audition with the simple player; the other modes call
// nothing.
TEST_F(SoundEffects, TheExitOutsideTheSaverTouchesOnlyTheSimplePlayerOfTheDialog) {
  const std::string audition = "play \"" + dir_.Path("a_sound1.wav") + "\"";
  ASSERT_TRUE(win::mciExecute(audition));
  for (const int mode : {3, 4, 2}) {
    RunMode = mode;
    CloseSoundFX();
  }
  EXPECT_EQ(winmm_,
            (std::vector<std::string>{"mciExecute(" + audition + ")", "sndPlaySoundA(null, 2)"}));
  EXPECT_TRUE(mixer_.empty());
  EXPECT_EQ(SoundingFrames(audio::RenderForTests(kTenth)), 0) << "the audition is silenced";
}

}  // namespace
