#include "platform/audio_engine.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <memory>

#include "platform/app.h"
#include "platform/audio_test_files.h"
#include "platform/wav_reader.h"
#include "platform/wavemix.h"
#include "platform/winmm.h"

namespace {

using audiotest::ManualAudio;
using namespace std::chrono_literals;
constexpr int kTenth = audio::kRate / 10;

std::uint32_t Get32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::vector<std::uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const std::string& path, const audiotest::Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

// Writes a 0.1 s wave to path and plays it endlessly through a mixer session of its own.
void PlayEndlessly(const std::string& path) {
  Write(path, audiotest::ConstantWav(kTenth, 8000));
  const auto session = win::WaveMixInit();
  ASSERT_NE(session, 0);
  const auto wave = win::WaveMixOpenWave(session, path, 0, 0);
  win::WaveMixOpenChannel(session, 1, win::WaveMixOpen::Count);
  win::WaveMixActivate(session, true);
  ASSERT_EQ(win::WaveMixPlay({24, static_cast<std::int16_t>(session), 0, 0, 0,
                              static_cast<std::int16_t>(wave), 0, 0, 0, 1, 0, -1}),
            win::MmResult::MMSYSERR_NOERROR);
}

// The engine on its real outputs renders on a thread of its own, driven by the clock. The
// capture file is a whole wave file while it grows, its header at most a second behind; however
// the process ends through the run time, the output is closed first and the header completed,
// at once even while a song that crowds a million notes into one instant keeps the render busy
// for seconds: the closing output waits for one block, not for the crowd.
TEST(RealTimeOutput, CaptureFileIsAWholeWaveFileWhileItGrowsAndOnceTheProcessEndsPromptly) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // The death test's child, which runs this test afresh, writes the capture and a copy of it
  // taken while the render thread still wrote.
  const auto file_of = [](pid_t test, const char* name) {
    return std::filesystem::path(testing::TempDir()) /
           ("finbrook-end-" + std::to_string(test) + "-" + name);
  };
  const auto started = std::chrono::steady_clock::now();  // before the child's, so a bound on it
  EXPECT_EXIT(
      {
        const auto capture = file_of(::getppid(), "capture.wav");
        ::setenv("FINBROOK_AUDIO_CAPTURE", capture.c_str(), 1);
        PlayEndlessly(file_of(::getppid(), "loop.wav"));
        auto growing = ReadAll(capture);  // until the header's first update
        for (; (growing.size() < 44 || Get32(growing, 40) == 0) &&
               std::chrono::steady_clock::now() < started + 20s;
             growing = ReadAll(capture))
          std::this_thread::sleep_for(10ms);
        std::filesystem::copy_file(capture, file_of(::getppid(), "growing.wav"));
        const auto crowd = file_of(::getppid(), "crowd.mid");
        Write(crowd, audiotest::Crowd(1'000'000));
        for (const auto& command : {"open \"" + crowd.string() + "\" type sequencer alias a",
                                    std::string("play a from 0")})
          ASSERT_EQ(win::mciSendStringA(command, nullptr, 0, 0), 0) << command;
        // The end must come within three seconds of the crowd, once the render is into it (a
        // render stuck in it renders nothing more).
        ::alarm(3);
        const auto played = std::filesystem::file_size(capture);
        while (std::filesystem::file_size(capture) < played + 4 * kTenth)
          std::this_thread::sleep_for(10ms);
        forms::End();
      },
      ::testing::ExitedWithCode(0), "");
  const auto growing = ReadAll(file_of(::getpid(), "growing.wav"));
  const auto bytes = ReadAll(file_of(::getpid(), "capture.wav"));
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
  for (const char* name : {"growing.wav", "capture.wav", "loop.wav", "crowd.mid"})
    std::filesystem::remove(file_of(::getpid(), name));

  ASSERT_GE(growing.size(), 44u);
  const std::uint32_t data = Get32(growing, 40);
  EXPECT_LE(44 + data, growing.size());
  EXPECT_GE(44 + data + 4 * audio::kRate, growing.size()) << "at most a second behind";
  const double seconds = static_cast<double>(growing.size() - 44) / 4.0 / audio::kRate;
  EXPECT_GE(seconds, 1.0);
  EXPECT_LT(seconds, elapsed.count() + 0.5)
      << "paced by the clock, not rendered as fast as possible";

  ASSERT_GT(bytes.size(), growing.size());
  EXPECT_EQ(Get32(bytes, 40) + 44, bytes.size()) << "complete once the process has ended";
  EXPECT_EQ(Get32(bytes, 4) + 8, bytes.size());
  std::vector<std::int16_t> samples((bytes.size() - 44) / 2);
  std::memcpy(samples.data(), bytes.data() + 44, samples.size() * 2);
  EXPECT_GT(audiotest::SoundingFrames(samples), static_cast<int>(samples.size() / 2) * 9 / 10)
      << "the endless wave sounded throughout";
}

// What the render thread holds was lent to it, so the render thread never drops the last
// reference: the thread that lent it frees it, at its next loan.
TEST(Lend, TheLenderFreesWhatTheRenderLetGoOf) {
  bool freed = false;
  std::shared_ptr<const int> item(new int(1), [&freed](const int* p) {
    delete p;
    freed = true;
  });
  auto held_by_render = audio::Lend(std::move(item));
  held_by_render.reset();
  EXPECT_FALSE(freed) << "freed where the render let go";
  audio::Lend(std::make_shared<const int>(2));
  EXPECT_TRUE(freed);
}

void Play(const std::string& path) {
  ASSERT_TRUE(win::mciExecute("play \"" + path + "\""));
}

TEST_F(ManualAudio, ALoudMixIsHeldUnderFullScaleAndTheGainComesBackAfterwards) {
  audiotest::ScratchDir dir;
  const auto loud = audiotest::ConstantWav(kTenth, 30000);
  Play(dir.Write("a.wav", loud));
  Play(dir.Write("b.wav", loud));  // together twice full scale
  const auto pcm = audio::RenderForTests(kTenth);
  const auto [low, high] = std::minmax_element(pcm.begin(), pcm.end());
  EXPECT_LT(*high, 29500) << "over the ceiling a decibel under full scale";
  EXPECT_GT(*low, 28000) << "turned down further than needed, or wrapped round";
  audio::RenderForTests(audio::kRate);
  Play(dir.Write("soft.wav", audiotest::ConstantWav(kTenth, 8000)));
  EXPECT_NEAR(audio::RenderForTests(1)[0], 8000, 8) << "a soft sound later plays as it is";
}

// The media set as the output plays it, each over its whole length as a listener hears it.
std::string Media(const std::string& name) {
  return std::string(FINBROOK_MEDIA_DIR) + "/" + name;
}
std::vector<std::int16_t> EffectToItsEnd(int effect) {
  const auto path = Media("a_sound" + std::to_string(effect) + ".wav");
  Play(path);
  return audio::RenderForTests(static_cast<int>(audio::LoadWavFile(path)->Frames()));
}
void StartSong(int song) {
  win::mciSendStringA("close song", nullptr, 0, 0);
  const auto path = Media("a_song" + std::to_string(song) + ".Mid");
  ASSERT_EQ(win::mciSendStringA("open \"" + path + "\" type sequencer alias song", nullptr, 0, 0),
            0);
  ASSERT_EQ(win::mciSendStringA("play song from 0", nullptr, 0, 0), 0);
}
// The level of the tenths of a second that are heard: within `range` (a ratio) of the loudest.
double Decibels(const std::vector<std::int16_t>& pcm, double range) {
  std::vector<double> levels;
  for (std::size_t at = 0; at + kTenth <= pcm.size() / 2; at += kTenth)
    levels.push_back(audiotest::Rms(pcm, at, kTenth));
  const double loudest = *std::max_element(levels.begin(), levels.end());
  std::erase_if(levels, [&](double level) { return level < loudest * range; });
  double power = 0.0;
  for (const double level : levels) power += level * level / static_cast<double>(levels.size());
  return 10.0 * std::log10(power);
}

class MediaLevels : public ManualAudio, public ::testing::WithParamInterface<int> {};

TEST_P(MediaLevels, SongSitsWithTheBubblesThroughoutBelowTheWhaleCallAndWithBothUnderFullScale) {
  const double bubbles = Decibels(EffectToItsEnd(0), 0);
  const double whale = Decibels(EffectToItsEnd(1), 0.1);
  StartSong(GetParam());
  std::vector<std::int16_t> song;
  for (std::string reply = "playing"; reply.starts_with("playing");) {
    const auto second = audio::RenderForTests(audio::kRate);
    song.insert(song.end(), second.begin(), second.end());
    ASSERT_EQ(win::mciSendStringA("status song mode", &reply, 255, 0), 0);
  }
  EXPECT_NEAR(Decibels(song, 0), bubbles, 3.0);
  EXPECT_LE(whale, Decibels(song, 0) + 6.0);
  for (std::size_t at = 0; at + 10 * audio::kRate <= song.size() / 2; at += audio::kRate)
    EXPECT_GT(20 * std::log10(audiotest::Rms(song, at, 10 * audio::kRate)), bubbles - 6.0) << at;

  StartSong(GetParam());
  Play(Media("a_sound0.wav"));
  EXPECT_LT(audiotest::Peak(EffectToItsEnd(1)), 32767) << "all at once";
}

INSTANTIATE_TEST_SUITE_P(EverySong, MediaLevels, ::testing::Range(0, 6));

}  // namespace
