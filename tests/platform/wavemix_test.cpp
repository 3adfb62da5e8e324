#include "platform/wavemix.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/audio_engine.h"
#include "platform/audio_test_files.h"
#include "platform/unsupported.h"

namespace {

using audio::RenderForTests;
using audiotest::SoundingFrames;
using win::MmResult;

constexpr MmResult kOk = MmResult::MMSYSERR_NOERROR, kInvalid = MmResult::MMSYSERR_INVALHANDLE;
constexpr int kTenth = audio::kRate / 10;  // frames of a 0.1 s wave
constexpr std::uint32_t kNow = win::kWaveMixClearQueue | win::kWaveMixHighPriority;

// The play record: its size, then each 32-bit field as its low word and its high word (the
// notification window 0), then the repeat count.
win::MixPlayParams Record(std::int32_t session, std::int32_t channel, std::int32_t wave,
                          std::uint32_t flags, std::uint16_t repeats) {
  win::MixPlayParams record{24};
  const std::int64_t fields[] = {session, channel, wave, 0, flags};
  for (std::size_t i = 0; i < std::size(fields); ++i) {
    record[1 + 2 * i] = static_cast<std::int16_t>(fields[i] & 0xFFFF);
    record[2 + 2 * i] = static_cast<std::int16_t>(fields[i] >> 16);
  }
  record[11] = static_cast<std::int16_t>(repeats);
  return record;
}

class WaveMix : public audiotest::ManualAudio {
 protected:
  void SetUp() override {
    ManualAudio::SetUp();
    session_ = win::WaveMixInit();
    ASSERT_NE(session_, 0);
    ASSERT_EQ(win::WaveMixOpenChannel(session_, 8, win::WaveMixOpen::Count), kOk);
    ASSERT_EQ(win::WaveMixActivate(session_, true), kOk);
  }
  // A wave holding one value throughout, written and loaded.
  std::string File(int value, int frames = kTenth) {
    return dir_.Write(std::to_string(value) + "-" + std::to_string(frames) + ".wav",
                      audiotest::ConstantWav(frames, value));
  }
  std::int32_t Load(int value, int frames = kTenth) {
    return win::WaveMixOpenWave(session_, File(value, frames), 0, 0);
  }
  MmResult Play(int channel, std::int32_t wave, std::uint16_t repeats, std::uint32_t flags = kNow) {
    return win::WaveMixPlay(Record(session_, channel, wave, flags, repeats));
  }

  audiotest::ScratchDir dir_;
  std::int32_t session_ = 0;
};

// A repeat count of n plays the wave n + 1 times; an endless one sounds until the channels
// close, and then fades out instead of stopping with a click.
TEST_F(WaveMix, AWaveSoundsOnceForEachRepeatOrEndlesslyUntilTheChannelsClose) {
  const auto wave = Load(8000);
  for (const std::uint16_t repeats : {0, 2}) {
    ASSERT_EQ(Play(1, wave, repeats), kOk);
    EXPECT_EQ(SoundingFrames(RenderForTests(5 * kTenth)), (repeats + 1) * kTenth);
    EXPECT_EQ(SoundingFrames(RenderForTests(kTenth)), 0);
  }
  ASSERT_EQ(Play(0, wave, win::kWaveMixEndless), kOk);
  const auto pcm = RenderForTests(10 * kTenth + 7);
  EXPECT_EQ(SoundingFrames(pcm), 10 * kTenth + 7);
  ASSERT_EQ(win::WaveMixCloseChannel(session_, 0, win::WaveMixClose::All), kOk);
  const auto after = RenderForTests(kTenth);
  EXPECT_LT(audiotest::LargestStep(pcm, after), 100) << "no click";
  EXPECT_LE(SoundingFrames(after), audiotest::Frames(0.01));
  EXPECT_NE(Play(0, wave, 0), kOk) << "closed channels take no play";
}

// Channels mix; a play that does not clear its channel waits in its queue, one that does drops
// what plays and what waits; an inactive session holds its waves silent.
TEST_F(WaveMix, ChannelsMixAndEachChannelQueuesItsPlays) {
  const auto loud = Load(8000), soft = Load(2000), long_soft = Load(2000, 2 * kTenth);
  const struct {
    std::vector<std::tuple<int, std::int32_t, std::uint32_t>> plays;  // channel, wave, flags
    int first, later;  // the values at the start and after the first wave's end
    int sounding;
  } cases[] = {
      {{{0, loud, kNow}, {1, long_soft, kNow}}, 10000, 2000, 2 * kTenth},
      {{{3, loud, kNow}, {3, soft, win::kWaveMixHighPriority}}, 8000, 2000, 2 * kTenth},
      {{{3, loud, kNow}, {3, loud, win::kWaveMixHighPriority}, {3, soft, kNow}}, 2000, 0, kTenth},
  };
  for (const auto& c : cases) {
    for (const auto& [channel, wave, flags] : c.plays)
      ASSERT_EQ(Play(channel, wave, 0, flags), kOk);
    const auto pcm = RenderForTests(3 * kTenth);
    EXPECT_NEAR(pcm[0], c.first, 2);
    EXPECT_NEAR(pcm[2 * (kTenth + 10)], c.later, 2);
    EXPECT_EQ(SoundingFrames(pcm), c.sounding);
  }
  ASSERT_EQ(win::WaveMixActivate(session_, false), kOk);
  ASSERT_EQ(Play(0, loud, 0), kOk);
  EXPECT_EQ(SoundingFrames(RenderForTests(2 * kTenth)), 0) << "inactive";
  ASSERT_EQ(win::WaveMixActivate(session_, true), kOk);
  EXPECT_EQ(SoundingFrames(RenderForTests(2 * kTenth)), kTenth);
}

TEST_F(WaveMix, FreedOrUnknownWavesAndFilesThatAreNoWavesGiveNothing) {
  const auto wave = Load(8000), freed = Load(2000);
  ASSERT_EQ(win::WaveMixFreeWave(session_, freed), kOk);
  for (const std::int32_t bad : {0, freed, wave + 100}) EXPECT_EQ(Play(0, bad, 0), kInvalid);
  EXPECT_EQ(win::WaveMixOpenWave(session_, dir_.Write("b.wav", "RIFF\1\2\3"), 0, 0), 0);
  EXPECT_EQ(Load(0, 0), 0) << "an empty wave";
  EXPECT_EQ(win::WaveMixCloseSession(session_), kOk);
  EXPECT_EQ(win::WaveMixCloseSession(session_), kInvalid);
}

// What the program never asks of the mixer is refused loudly, not answered with an error code
// (a full command ring after a second's wait for a render).
TEST_F(WaveMix, ResourcesNotificationsAndOtherFlagsAreRefused) {
  const auto wave = Load(8000);
  const std::string file = File(8000);
  auto notified = Record(session_, 0, wave, 0, 0);
  notified[7] = 1;
  const std::function<void()> calls[] = {
      [&] { win::WaveMixOpenWave(session_, file, 1, 0); },
      [&] { win::WaveMixOpenWave(session_, file, 0, 1); },
      [&] { win::WaveMixOpenChannel(session_, 0, win::WaveMixOpen{0}); },
      [&] { win::WaveMixPlay(notified); },
      [&] { Play(0, wave, 0, 2); },
      [&] { win::WaveMixCloseChannel(session_, 0, win::WaveMixClose{0}); },
      [&] {  // more commands than the render's ring holds, with no render to take them
        for (std::size_t i = 0; i <= audio::CommandQueue<int>::kCapacity; ++i)
          win::WaveMixActivate(session_, true);
      },
  };
  for (std::size_t i = 0; i < std::size(calls); ++i) {
    EXPECT_THROW(calls[i](), win::UnsupportedCall) << "call " << i;
  }
  EXPECT_EQ(SoundingFrames(RenderForTests(kTenth)), 0);
}

}  // namespace
