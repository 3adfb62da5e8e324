#include "dialog_test_support.h"
#include "platform/winmm.h"

namespace {

using Calls = std::vector<std::string>;

// The auditions play the real media set's songs and effects.
class Auditions : public dialog_test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    DataDir = std::string(FINBROOK_MEDIA_DIR) + "/";
    dialog_ = &Open();
    win::SetMciExecuteMessageHookForTests(
        [](const std::string& text, const std::string&) { ADD_FAILURE() << text; });
    win::RecordWinmmCallsForTests(&log_);
  }
  void TearDown() override {
    win::RecordWinmmCallsForTests(nullptr);
    win::SetMciExecuteMessageHookForTests(nullptr);
    DialogTest::TearDown();
  }
  std::string Effect(const std::string& command, int i) const {
    return "mciExecute(" + command + " \"" + DataDir + "a_sound" + std::to_string(i) + ".wav\")";
  }
  static std::string Song(const std::string& command) {
    return "mciSendStringA(" + command + " song1" + (command == "status" ? " mode)" : ")");
  }
  ConfigurationForm* dialog_ = nullptr;
  Calls log_;
};

// Only effect 0 is stopped before a song; a song playing is stopped and closed first.
TEST_F(Auditions, ASongOpensUnderSongOneAndStartsAtItsPosition) {
  const char* starts[] = {"0", "110", "10", "30", "0", "30"};
  for (int song = 0; song <= 5; ++song) {
    const Calls before_open =
        song == 0 ? Calls{Song("status"), Song("status")}
                  : Calls{Song("status"), Song("stop"), Song("status"), Song("close")};
    Calls expected = {Effect("stop", 0)};
    expected.insert(expected.end(), before_open.begin(), before_open.end());
    expected.push_back("mciSendStringA(open \"" + DataDir + "a_song" + std::to_string(song) +
                       ".Mid\" type sequencer alias song1)");
    expected.push_back(std::string("mciSendStringA(play song1 from ") + starts[song] + ")");
    dialog_->speaker_Click(song);
    EXPECT_EQ(log_, expected);
    log_.clear();
  }
  EXPECT_EQ(forms::Screen.MousePointer, 99);
}

// With no song open only the two questions are asked.
TEST_F(Auditions, AnEffectEndsTheSongStopsBothEffectsThenPlays) {
  dialog_->speaker_Click(2);
  log_.clear();
  dialog_->speakerfx_Click(1);
  dialog_->speakerfx_Click(0);
  EXPECT_EQ(log_, (Calls{Song("status"), Song("stop"), Song("status"), Song("close"),
                         Effect("stop", 0), Effect("stop", 1), Effect("play", 1), Song("status"),
                         Song("status"), Effect("stop", 0), Effect("stop", 1), Effect("play", 0)}));
}

}  // namespace
