#include "platform/wavemix.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/audio_engine.h"
#include "platform/audio_test_files.h"
#include "platform/unsupported.h"

namespace {

using audiotest::ConstantWav;
using audiotest::SoundingFrames;

constexpr int kTenth = audio::kRate / 10;  // frames of a 0.1 s wave

win::MixPlayParams Record(std::int32_t session, std::int32_t channel, std::int32_t wave,
                          std::uint32_t flags, std::uint16_t repeats) {
  const auto low = [](std::int32_t v) { return static_cast<std::int16_t>(v & 0xFFFF); };
  const auto high = [](std::int32_t v) { return static_cast<std::int16_t>(v >> 16); };
  const auto f = static_cast<std::int32_t>(flags);
  return {24,
          low(session),
          high(session),
          low(channel),
          high(channel),
          low(wave),
          high(wave),
          0,
          0,
          low(f),
          high(f),
          static_cast<std::int16_t>(repeats)};
}

class WaveMix : public audiotest::ManualAudio {
 protected:
  void SetUp() override {
    ManualAudio::SetUp();
    session_ = win::WaveMixInit();
    ASSERT_NE(session_, 0);
    ASSERT_EQ(win::WaveMixOpenChannel(session_, 8, win::WaveMixOpen::Count),
              win::MmResult::MMSYSERR_NOERROR);
    ASSERT_EQ(win::WaveMixActivate(session_, true), win::MmResult::MMSYSERR_NOERROR);
  }
  std::int32_t Load(const std::string& name, const audiotest::Bytes& bytes) {
    return win::WaveMixOpenWave(session_, dir_.Write(name, bytes), 0, 0);
  }
  win::MmResult Play(int channel, std::int32_t wave, std::uint16_t repeats,
                     std::uint32_t flags = win::kWaveMixClearQueue | win::kWaveMixHighPriority) {
    return win::WaveMixPlay(Record(session_, channel, wave, flags, repeats));
  }

  audiotest::ScratchDir dir_;
  std::int32_t session_ = 0;
};

// A repeat count of n plays the wave n + 1 times, then the channel falls silent.
TEST_F(WaveMix, AWaveSoundsForItsLengthTimesOnePlusItsRepeats) {
  const auto wave = Load("once.wav", ConstantWav(kTenth, 8000));
  ASSERT_NE(wave, 0);
  for (const std::uint16_t repeats : {0, 2}) {
    ASSERT_EQ(Play(1, wave, repeats), win::MmResult::MMSYSERR_NOERROR);
    EXPECT_EQ(SoundingFrames(audio::RenderForTests(5 * kTenth)), (repeats + 1) * kTenth);
    EXPECT_EQ(SoundingFrames(audio::RenderForTests(kTenth)), 0);
  }
}

TEST_F(WaveMix, EndlessWaveKeepsSoundingUntilTheChannelsClose) {
  const auto wave = Load("loop.wav", ConstantWav(kTenth, 8000));
  ASSERT_EQ(Play(0, wave, win::kWaveMixEndless), win::MmResult::MMSYSERR_NOERROR);
  std::vector<std::int16_t> pcm;
  for (int pass = 0; pass < 5; ++pass) {
    pcm = audio::RenderForTests(2 * kTenth + 7);
    EXPECT_EQ(SoundingFrames(pcm), 2 * kTenth + 7);
  }
  ASSERT_EQ(win::WaveMixCloseChannel(session_, 0, win::WaveMixClose::All),
            win::MmResult::MMSYSERR_NOERROR);
  const auto after = audio::RenderForTests(kTenth);
  EXPECT_LT(audiotest::LargestStep(pcm, after), 100) << "the wave fades out, no click";
  EXPECT_LE(SoundingFrames(after), audiotest::Frames(0.01));
  EXPECT_NE(Play(0, wave, 0), win::MmResult::MMSYSERR_NOERROR) << "closed channels take no play";
}

TEST_F(WaveMix, ChannelsMixTogether) {
  const auto loud = Load("a.wav", ConstantWav(kTenth, 8000));
  const auto soft = Load("b.wav", ConstantWav(2 * kTenth, 2000));
  ASSERT_EQ(Play(0, loud, 0), win::MmResult::MMSYSERR_NOERROR);
  ASSERT_EQ(Play(1, soft, 0), win::MmResult::MMSYSERR_NOERROR);
  const auto pcm = audio::RenderForTests(2 * kTenth);
  EXPECT_NEAR(pcm[0], 10000, 2);
  EXPECT_NEAR(pcm[2 * (kTenth + 10)], 2000, 2);
}

TEST_F(WaveMix, WithoutClearingAPlayWaitsInTheChannelsQueue) {
  const auto first = Load("1.wav", ConstantWav(kTenth, 8000));
  const auto second = Load("2.wav", ConstantWav(kTenth, 2000));
  ASSERT_EQ(Play(3, first, 0), win::MmResult::MMSYSERR_NOERROR);
  ASSERT_EQ(Play(3, second, 0, win::kWaveMixHighPriority), win::MmResult::MMSYSERR_NOERROR);
  auto pcm = audio::RenderForTests(3 * kTenth);
  EXPECT_NEAR(pcm[0], 8000, 2);
  EXPECT_NEAR(pcm[2 * (kTenth + 10)], 2000, 2);
  EXPECT_EQ(SoundingFrames(pcm), 2 * kTenth);

  // Clearing drops what plays and what waits.
  ASSERT_EQ(Play(3, first, 0), win::MmResult::MMSYSERR_NOERROR);
  ASSERT_EQ(Play(3, first, 0, win::kWaveMixHighPriority), win::MmResult::MMSYSERR_NOERROR);
  ASSERT_EQ(Play(3, second, 0), win::MmResult::MMSYSERR_NOERROR);
  pcm = audio::RenderForTests(3 * kTenth);
  EXPECT_NEAR(pcm[0], 2000, 2);
  EXPECT_EQ(SoundingFrames(pcm), kTenth);
}

TEST_F(WaveMix, InactiveSessionHoldsItsWavesSilent) {
  const auto wave = Load("held.wav", ConstantWav(kTenth, 8000));
  ASSERT_EQ(win::WaveMixActivate(session_, false), win::MmResult::MMSYSERR_NOERROR);
  ASSERT_EQ(Play(0, wave, 0), win::MmResult::MMSYSERR_NOERROR);
  EXPECT_EQ(SoundingFrames(audio::RenderForTests(2 * kTenth)), 0);
  ASSERT_EQ(win::WaveMixActivate(session_, true), win::MmResult::MMSYSERR_NOERROR);
  EXPECT_EQ(SoundingFrames(audio::RenderForTests(2 * kTenth)), kTenth);
}

TEST_F(WaveMix, ZeroAndUnknownHandlesAreRefusedWithoutHarm) {
  const auto wave = Load("ok.wav", ConstantWav(kTenth, 8000));
  EXPECT_EQ(Play(0, 0, win::kWaveMixEndless), win::MmResult::MMSYSERR_INVALHANDLE);
  EXPECT_EQ(win::WaveMixFreeWave(session_, 0), win::MmResult::MMSYSERR_INVALHANDLE);
  EXPECT_EQ(Play(0, wave + 100, 0), win::MmResult::MMSYSERR_INVALHANDLE);
  EXPECT_NE(Play(8, wave, 0), win::MmResult::MMSYSERR_NOERROR);
  EXPECT_NE(Play(-1, wave, 0), win::MmResult::MMSYSERR_NOERROR);
  EXPECT_EQ(win::WaveMixPlay(Record(session_ + 50, 0, wave, 5, 0)),
            win::MmResult::MMSYSERR_INVALHANDLE);
  EXPECT_EQ(win::WaveMixOpenWave(session_ + 50, dir_.Path("ok.wav"), 0, 0), 0);
  EXPECT_EQ(win::WaveMixCloseSession(0), win::MmResult::MMSYSERR_INVALHANDLE);
  EXPECT_EQ(SoundingFrames(audio::RenderForTests(kTenth)), 0);
  EXPECT_EQ(Play(0, wave, 0), win::MmResult::MMSYSERR_NOERROR) << "the session still works";
}

// What the program never asks of the mixer is refused loudly, not answered with an error code.
TEST_F(WaveMix, ResourcesNotificationsAndOtherFlagsAreRefused) {
  const auto wave = Load("ok.wav", ConstantWav(kTenth, 8000));
  auto notified = Record(session_, 0, wave, 0, 0);
  notified[7] = 1;
  const std::function<void()> calls[] = {
      [&] { win::WaveMixOpenWave(session_, dir_.Path("ok.wav"), 1, 0); },
      [&] { win::WaveMixOpenWave(session_, dir_.Path("ok.wav"), 0, 1); },
      [&] { win::WaveMixOpenChannel(session_, 0, win::WaveMixOpen{0}); },
      [&] { win::WaveMixPlay(notified); },
      [&] { Play(0, wave, 0, 2); },
      [&] { win::WaveMixCloseChannel(session_, 0, win::WaveMixClose{0}); },
  };
  for (std::size_t i = 0; i < std::size(calls); ++i) {
    EXPECT_THROW(calls[i](), win::UnsupportedCall) << "call " << i;
  }
  EXPECT_EQ(SoundingFrames(audio::RenderForTests(kTenth)), 0);
}

TEST_F(WaveMix, MissingOrBrokenFilesGiveNoWave) {
  EXPECT_EQ(win::WaveMixOpenWave(session_, dir_.Path("missing.wav"), 0, 0), 0);
  EXPECT_EQ(Load("broken.wav", audiotest::Bytes{'R', 'I', 'F', 'F', 1, 2, 3}), 0);
  EXPECT_EQ(Load("empty.wav", ConstantWav(0, 0)), 0);
}

TEST_F(WaveMix, FreedWaveAndClosedSessionAreGone) {
  const auto wave = Load("gone.wav", ConstantWav(kTenth, 8000));
  EXPECT_EQ(win::WaveMixFreeWave(session_, wave), win::MmResult::MMSYSERR_NOERROR);
  EXPECT_EQ(Play(0, wave, 0), win::MmResult::MMSYSERR_INVALHANDLE);
  EXPECT_EQ(win::WaveMixCloseSession(session_), win::MmResult::MMSYSERR_NOERROR);
  EXPECT_EQ(win::WaveMixCloseSession(session_), win::MmResult::MMSYSERR_INVALHANDLE);
}

TEST(WaveMixWithoutOutput, InitGivesNoSession) {
  audio::CloseAll();
  audio::SetOutputForTests(audio::Output::None);
  EXPECT_EQ(win::WaveMixInit(), 0);
  audio::SetOutputForTests(audio::Output::Default);
}

}  // namespace
