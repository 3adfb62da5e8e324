#include "platform/password.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/advapi32.h"
#include "platform/forms_qt.h"
#include "platform/temp_windir.h"

namespace {

// One dialog's worth of the user: text typed into its fields (by name), then a button pressed.
struct Step {
  std::vector<std::pair<const char*, const char*>> typed;
  QDialogButtonBox::StandardButton press = QDialogButtonBox::Ok;
};
Step Change(const char* first, const char* second) {
  return {{{"new_password", first}, {"confirm_password", second}}};
}
const Step kCancel{{}, QDialogButtonBox::Cancel};

// Plays the user at the next modal dialogs, a step for each; keeps what they say (a message
// box's text, the note on unequal entries).
class User {
 public:
  explicit User(std::vector<Step> steps) : steps_(std::move(steps)) {
    QObject::connect(&poll_, &QTimer::timeout, [this] { Act(); });
    poll_.start(5);
  }
  std::size_t dialogs_seen() const { return next_; }
  std::vector<std::string> notes;

 private:
  void Act() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible() || next_ >= steps_.size()) return;
    const Step& step = steps_[next_++];
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) notes.push_back(box->text().toStdString());
    for (auto [name, text] : step.typed) dialog->findChild<QLineEdit*>(name)->setText(text);
    dialog->findChild<QDialogButtonBox*>()->button(step.press)->click();
    auto* note = dialog->findChild<QLabel*>("mismatch");
    if (dialog->isVisible() && note) notes.push_back(note->text().toStdString());
  }
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  QTimer poll_;
};

std::int32_t ChangeAs(std::vector<Step> steps, std::vector<std::string>* notes = nullptr) {
  User user(std::move(steps));
  const std::int32_t result = win::PwdChangePasswordA("SCRSAVE", 0, 0, 0);
  if (notes) *notes = user.notes;
  return result;
}
bool VerifyAs(const Step& step, std::size_t dialogs = 1) {
  User user({step});
  const bool confirmed = win::VerifyScreenSavePwd(0) != 0;
  EXPECT_EQ(user.dialogs_seen(), dialogs);
  return confirmed;
}

// The stored hash and the flag that a password is to be asked.
std::pair<std::string, std::uint32_t> Stored() {
  win::HKEY key = 0;
  win::RegOpenKeyA(win::HKEY_CURRENT_USER, "Control Panel\\Desktop", &key);
  char hash[256] = {};
  std::uint32_t use = 99, size = sizeof hash;
  win::RegQueryValueExA(key, "ScreenSave_Data", nullptr, nullptr, hash, &size);
  size = sizeof use;
  win::RegQueryValueExA(key, "ScreenSaveUsePassword", nullptr, nullptr, &use, &size);
  win::RegCloseKey(key);
  return {hash, use};
}

class Password : public ::testing::Test {
 protected:
  void SetUp() override { forms::EnsureApplication(); }
  test_support::TempWindir windir_;
};

TEST_F(Password, ASetPasswordIsStoredSaltedAndFlaggedAndVerifies) {
  std::vector<std::string> notes;
  EXPECT_EQ(
      ChangeAs({Change("coral reef", "coral reeg"), Change("coral reef", "coral reef")}, &notes),
      0);
  ASSERT_EQ(notes.size(), 1u) << "unequal entries are asked again, saying why";
  EXPECT_FALSE(notes[0].empty());
  const auto [hash, use] = Stored();
  EXPECT_EQ(use, 1u);
  EXPECT_TRUE(hash.starts_with("$y$")) << hash;
  EXPECT_EQ(hash.find("coral"), std::string::npos);

  EXPECT_TRUE(VerifyAs({{{"password", "coral reef"}}}));
  EXPECT_FALSE(VerifyAs({{{"password", "coral ree"}}}));
  EXPECT_FALSE(VerifyAs({{{"password", ""}}}));
  EXPECT_FALSE(VerifyAs(kCancel));

  EXPECT_NE(ChangeAs({kCancel}), 0);
  EXPECT_EQ(Stored().first, hash) << "a cancelled change changes nothing";
  ChangeAs({Change("coral reef", "coral reef")});
  EXPECT_NE(Stored().first, hash) << "the same password again gets a salt of its own";
}

TEST_F(Password, APasswordThatCannotBeStoredIsReportedAndTheOldOneStays) {
  ASSERT_EQ(ChangeAs({Change("kelp", "kelp")}), 0);
  const std::string hash = Stored().first;
  std::filesystem::permissions(windir_.File("registry.ini"), std::filesystem::perms(0444));
  std::vector<std::string> notes;
  EXPECT_EQ(ChangeAs({Change("reef", "reef"), Step{}}, &notes),
            static_cast<std::int32_t>(win::RegResult::ERROR_CANTWRITE));
  EXPECT_EQ(notes, std::vector<std::string>{"The password was not saved: Permission denied."});
  EXPECT_EQ(Stored().first, hash);
}

TEST_F(Password, AnEmptyPasswordClearsTheFlagAndNothingIsAsked) {
  ChangeAs({Change("", "")});
  EXPECT_EQ(Stored().second, 0u);
  EXPECT_TRUE(VerifyAs(kCancel, 0));
  EXPECT_THROW(win::PwdChangePasswordA("MSNP32", 0, 0, 0), std::logic_error);
}

}  // namespace
