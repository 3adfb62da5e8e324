// Shared fixture of the sound tests: rendering by hand, a media folder of the test's own, every
// winmm call logged and every trapped error's context kept.
#pragma once

#include "audio/sounds.h"
#include "host/host_test_support.h"
#include "platform/audio_engine.h"
#include "platform/audio_test_files.h"
#include "platform/winmm.h"

namespace audio_test {

class SoundsTest : public audiotest::ManualAudio {
 protected:
  void SetUp() override {
    ManualAudio::SetUp();
    DataDir = dir_.Folder();
    win::RecordWinmmCallsForTests(&winmm_);
  }
  void TearDown() override {
    win::RecordWinmmCallsForTests(nullptr);
    ManualAudio::TearDown();
  }
  audiotest::ScratchDir dir_;
  std::vector<std::string> winmm_;
  host_test::ErrorRecorder errors_;
};

}  // namespace audio_test
