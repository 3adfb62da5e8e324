#include <QKeyEvent>

#include "dialog_test_support.h"
#include "platform/forms_test_support.h"

namespace {

class MessageDialog : public dialog_test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    MessageText = "Read at start-up";
    MessageOn = -1;
    Configuration().Load();
    Configuration().changebutton_Click();
  }
  // The message dialog is gone and the settings dialog is back.
  static bool HandedBack() { return !messageentry().Visible() && Configuration().Visible(); }
  MessageEntryForm& entry_ = messageentry();
};

// Written at once, as typed, and kept by a later Cancel of the settings dialog; a Cancel or
// the close box writes nothing, and the next opening shows the text last applied.
TEST_F(MessageDialog, ApplyWritesTheTextAtOnceAndNoCancelPutsAnOlderTextBack) {
  entry_.Text1.SetText("Never kept");
  entry_.Cancel_Click();
  EXPECT_TRUE(HandedBack());
  EXPECT_FALSE(entry_.Loaded());
  EXPECT_EQ(IniText(), "");
  Configuration().changebutton_Click();
  EXPECT_EQ(entry_.Text1.Text(), "Read at start-up");
  entry_.Text1.SetText("  Hello, reef  ");
  entry_.apply_Click();
  EXPECT_EQ(IniText(), "messagetext=  Hello, reef  ");
  EXPECT_TRUE(HandedBack());
  Configuration().changebutton_Click();
  static_cast<forms::FormImpl&>(entry_.impl()).widget->close();
  EXPECT_TRUE(HandedBack());
  Configuration().changebutton_Click();
  EXPECT_EQ(entry_.Text1.Text(), "  Hello, reef  ");
  entry_.Cancel_Click();
  Configuration().Command1_Click();
  EXPECT_EQ(IniText(), "messagetext=  Hello, reef  ");
  EXPECT_EQ(MessageText, "Read at start-up");
}

// Enter applies wherever the focus is, and is spent there: the focused Cancel does not act too.
TEST_F(MessageDialog, EnterAppliesAnEmptyTextTooAndOnlyApplies) {
  entry_.Text1.SetText("");
  ASSERT_TRUE(test_support::PumpUntil([] { return QApplication::activeWindow() != nullptr; }));
  entry_.Cancel.SetFocus();
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
  QApplication::sendEvent(test_support::WidgetOf(entry_.Cancel), &press);
  EXPECT_EQ(IniText(), "messagetext=");
  EXPECT_TRUE(HandedBack() && entry_.Loaded());
}

TEST_F(MessageDialog, AFailedApplySaysSoAndKeepsTheDialogWithItsText) {
  WriteReadOnlyIni("messagetext=Old");
  entry_.Text1.SetText("Not saved");
  dialog_test::MessageBoxes boxes;
  entry_.apply_Click();
  EXPECT_EQ(boxes.texts, std::vector<std::string>{SaveFailure("message")});
  EXPECT_TRUE(entry_.Visible());
  EXPECT_FALSE(Configuration().Visible());
  EXPECT_EQ(entry_.Text1.Text(), "Not saved");
  EXPECT_EQ(IniText(), "messagetext=Old");
}

}  // namespace
