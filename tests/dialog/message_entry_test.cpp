#include "dialog/message_entry.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "dialog_test_support.h"
#include "host/system.h"
#include "platform/forms_qt.h"

namespace {

using dialog_test::DialogTest;

std::string MessageInFile() {
  return GetIniData("quorvane.ini", "Solmere Finbrook", "messagetext");
}

class MessageDialog : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    MessageText = "Read at start-up";
    MessageOn = -1;
    Configuration().Load();
    Configuration().changebutton_Click();
  }
};

TEST_F(MessageDialog, OpensOverTheHiddenSettingsDialogWithTheStartUpText) {
  MessageEntryForm& entry = messageentry();
  EXPECT_TRUE(entry.Visible());
  EXPECT_FALSE(Configuration().Visible());
  EXPECT_EQ(entry.Caption(), "Solmere Finbrook ScreenSaver Message");
  EXPECT_EQ(entry.Text1.Text(), "Read at start-up");
  EXPECT_EQ(entry.textentry.Caption(), "Please Enter Your Text Message Below:");
  EXPECT_EQ(entry.Apply.Caption(), "&Apply Changes");
  EXPECT_EQ(entry.ScaleWidth(), 5175);
  EXPECT_EQ(entry.ScaleHeight(), 1425);
  EXPECT_NEAR(entry.Left(), forms::Screen.Width() / 2 - entry.Width() / 2, 15);
}

TEST_F(MessageDialog, ApplyWritesTheTextAtOnceAndCancelLaterKeepsIt) {
  MessageEntryForm& entry = messageentry();
  entry.Text1.SetText("  Hello, reef  ");
  entry.apply_Click();
  EXPECT_EQ(MessageInFile(), "  Hello, reef  ");
  EXPECT_EQ(MessageText, "Read at start-up");
  EXPECT_TRUE(Configuration().Visible());
  EXPECT_FALSE(entry.Visible());
  EXPECT_TRUE(entry.Loaded());

  // Opened again it shows the applied text; the settings dialog's Cancel keeps the file.
  Configuration().changebutton_Click();
  EXPECT_EQ(entry.Text1.Text(), "  Hello, reef  ");
  entry.Cancel_Click();
  Configuration().Command1_Click();
  EXPECT_EQ(MessageInFile(), "  Hello, reef  ");
  EXPECT_EQ(ReadIni().size(), 1u) << "the message alone";
}

TEST_F(MessageDialog, AFailedApplySaysSoAndKeepsTheDialogWithItsText) {
  WriteReadOnlyIni("messagetext=Old");
  MessageEntryForm& entry = messageentry();
  entry.Text1.SetText("Not saved");
  dialog_test::MessageBoxes boxes;
  entry.apply_Click();
  EXPECT_EQ(boxes.texts, std::vector<std::string>{"The message could not be saved.\n\n" +
                                                  IniPath() + ": Permission denied"});
  EXPECT_TRUE(entry.Visible());
  EXPECT_FALSE(Configuration().Visible());
  EXPECT_EQ(entry.Text1.Text(), "Not saved");
  EXPECT_EQ(MessageInFile(), "Old");
}

TEST_F(MessageDialog, EnterInTheTextBoxAppliesAnEmptyTextToo) {
  MessageEntryForm& entry = messageentry();
  entry.Text1.SetText("");
  QWidget* box = static_cast<forms::ControlImpl&>(entry.Text1.impl()).widget.data();
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
  QApplication::sendEvent(box, &press);
  ASSERT_TRUE(IniExists());
  EXPECT_EQ(ReadIni(), (dialog_test::Entries{{"messagetext", ""}}));
  EXPECT_FALSE(entry.Visible());
  EXPECT_TRUE(Configuration().Visible());
}

TEST_F(MessageDialog, CancelWritesNothingAndTheNextOpeningShowsTheTextLastApplied) {
  MessageEntryForm& entry = messageentry();
  entry.Text1.SetText("Never kept");
  entry.Cancel_Click();
  EXPECT_FALSE(IniExists());
  EXPECT_FALSE(entry.Loaded());
  EXPECT_TRUE(Configuration().Visible());

  Configuration().changebutton_Click();
  EXPECT_EQ(entry.Text1.Text(), "Read at start-up");
  entry.Text1.SetText("Applied");
  entry.apply_Click();
  Configuration().changebutton_Click();
  entry.Cancel_Click();
  Configuration().changebutton_Click();
  EXPECT_EQ(entry.Text1.Text(), "Applied") << "a cancel never puts an older text back";
  EXPECT_EQ(MessageText, "Read at start-up");
}

TEST_F(MessageDialog, ClosingTheWindowActsAsCancel) {
  MessageEntryForm& entry = messageentry();
  static_cast<forms::FormImpl&>(entry.impl()).widget->close();
  EXPECT_FALSE(entry.Loaded());
  EXPECT_TRUE(Configuration().Visible());
  EXPECT_FALSE(IniExists());
}

}  // namespace
