#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <string>
#include <vector>

#include "dialog_test_support.h"
#include "platform/forms.h"
#include "platform/winmm.h"

namespace {

using dialog_test::DialogTest;

// The auditions play the real media set's songs and effects.
class Auditions : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    DataDir = std::string(FINBROOK_MEDIA_DIR) + "/";
    dialog_ = &Open();
    win::SetMciExecuteMessageHookForTests(
        [this](const std::string& text, const std::string&) { messages_.push_back(text); });
    win::RecordWinmmCallsForTests(&log_);
  }
  void TearDown() override {
    win::RecordWinmmCallsForTests(nullptr);
    win::SetMciExecuteMessageHookForTests(nullptr);
    DialogTest::TearDown();
  }
  std::string Effect(int i) const {
    return "\"" + DataDir + "a_sound" + std::to_string(i) + ".wav\"";
  }
  std::string Open(int song) const {
    return "mciSendStringA(open \"" + DataDir + "a_song" + std::to_string(song) +
           ".Mid\" type sequencer alias song1)";
  }
  using DialogTest::Open;
  ConfigurationForm* dialog_ = nullptr;
  std::vector<std::string> log_;
  std::vector<std::string> messages_;
};

TEST_F(Auditions, ASongWithNothingPlayingOpensAndStartsAtItsPosition) {
  const char* starts[] = {"0", "110", "10", "30", "0", "30"};
  for (int song = 0; song <= 5; ++song) {
    log_.clear();
    dialog_->speaker_Click(song);
    const std::vector<std::string> first = {"mciExecute(stop " + Effect(0) + ")",
                                            "mciSendStringA(status song1 mode)"};
    ASSERT_GE(log_.size(), 4u);
    EXPECT_EQ(log_[0], first[0]);
    EXPECT_EQ(log_[log_.size() - 2], Open(song));
    EXPECT_EQ(log_.back(), std::string("mciSendStringA(play song1 from ") + starts[song] + ")");
    EXPECT_EQ(forms::Screen.MousePointer, 99);
  }
  EXPECT_TRUE(messages_.empty());
}

TEST_F(Auditions, ASongPlayingIsStoppedAndClosedBeforeTheNextOne) {
  dialog_->speaker_Click(4);
  log_.clear();
  dialog_->speaker_Click(1);
  EXPECT_EQ(log_,
            (std::vector<std::string>{
                "mciExecute(stop " + Effect(0) + ")", "mciSendStringA(status song1 mode)",
                "mciSendStringA(stop song1)", "mciSendStringA(status song1 mode)",
                "mciSendStringA(close song1)", Open(1), "mciSendStringA(play song1 from 110)"}));
}

TEST_F(Auditions, AnEffectEndsTheSongStopsBothEffectsThenPlays) {
  dialog_->speaker_Click(2);
  log_.clear();
  dialog_->speakerfx_Click(1);
  EXPECT_EQ(log_, (std::vector<std::string>{
                      "mciSendStringA(status song1 mode)", "mciSendStringA(stop song1)",
                      "mciSendStringA(status song1 mode)", "mciSendStringA(close song1)",
                      "mciExecute(stop " + Effect(0) + ")", "mciExecute(stop " + Effect(1) + ")",
                      "mciExecute(play " + Effect(1) + ")"}));
  EXPECT_TRUE(messages_.empty());
}

TEST_F(Auditions, WithNoSongOpenOnlyTheTwoQuestionsAreAsked) {
  dialog_->speakerfx_Click(0);
  EXPECT_EQ(log_, (std::vector<std::string>{
                      "mciSendStringA(status song1 mode)", "mciSendStringA(status song1 mode)",
                      "mciExecute(stop " + Effect(0) + ")", "mciExecute(stop " + Effect(1) + ")",
                      "mciExecute(play " + Effect(0) + ")"}));
}

TEST_F(Auditions, AMissingEffectIsToldByTheCommandAndTheHandlerGoesOn) {
  DataDir = media_.Folder().string() + "/";
  dialog_->speakerfx_Click(1);
  EXPECT_FALSE(messages_.empty());
  EXPECT_EQ(log_.back(), "mciExecute(play " + Effect(1) + ")");
}

}  // namespace
