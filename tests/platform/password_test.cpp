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
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/advapi32.h"
#include "platform/forms_qt.h"
#include "platform/temp_windir.h"

namespace {

// Plays the user at the next modal dialogs, one step per dialog opened, each step typing into
// the dialog's password fields (by name) and pressing a button of it.
struct Step {
  std::vector<std::pair<const char*, const char*>> typed;
  QDialogButtonBox::StandardButton press;
};

class User {
 public:
  explicit User(std::vector<Step> steps) : steps_(std::move(steps)) {
    QObject::connect(&poll_, &QTimer::timeout, [this] { Act(); });
    poll_.start(5);
  }
  int dialogs_seen() const { return seen_; }
  std::vector<std::string> notes;

 private:
  void Act() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible() || next_ >= steps_.size()) return;
    const Step& step = steps_[next_++];
    ++seen_;
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) notes.push_back(box->text().toStdString());
    for (auto [name, text] : step.typed) {
      auto* field = dialog->findChild<QLineEdit*>(name);
      ASSERT_NE(field, nullptr) << name;
      field->setText(text);
    }
    dialog->findChild<QDialogButtonBox*>()->button(step.press)->click();
    if (!dialog->isVisible()) return;
    if (auto* note = dialog->findChild<QLabel*>("mismatch")) {
      notes.push_back(note->text().toStdString());
    }
  }
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  int seen_ = 0;
  QTimer poll_;
};

Step Change(const char* first, const char* second) {
  return {{{"new_password", first}, {"confirm_password", second}}, QDialogButtonBox::Ok};
}
Step Verify(const char* typed) {
  return {{{"password", typed}}, QDialogButtonBox::Ok};
}
Step Cancel() {
  return {{}, QDialogButtonBox::Cancel};
}
Step Ok() {
  return {{}, QDialogButtonBox::Ok};
}

struct Stored {
  std::string hash;
  std::uint32_t use = 99;
};

Stored ReadStore() {
  Stored stored;
  win::HKEY key = 0;
  if (win::RegOpenKeyA(win::HKEY_CURRENT_USER, "Control Panel\\Desktop", &key) !=
      win::RegResult::ERROR_SUCCESS) {
    return stored;
  }
  char buffer[256] = {};
  std::uint32_t size = sizeof buffer;
  if (win::RegQueryValueExA(key, "ScreenSave_Data", nullptr, nullptr, buffer, &size) ==
      win::RegResult::ERROR_SUCCESS) {
    stored.hash = buffer;
  }
  size = sizeof stored.use;
  win::RegQueryValueExA(key, "ScreenSaveUsePassword", nullptr, nullptr, &stored.use, &size);
  win::RegCloseKey(key);
  return stored;
}

class Password : public ::testing::Test {
 protected:
  void SetUp() override { forms::EnsureApplication(); }
  test_support::TempWindir windir_;
};

TEST_F(Password, ASetPasswordIsStoredSaltedAndFlaggedAndVerifies) {
  {
    User user({Change("coral reef", "coral reef")});
    EXPECT_EQ(win::PwdChangePasswordA("SCRSAVE", 0, 0, 0), 0);
  }
  const Stored first = ReadStore();
  EXPECT_EQ(first.use, 1u);
  EXPECT_EQ(first.hash.rfind("$y$", 0), 0u) << first.hash;
  EXPECT_EQ(first.hash.find("coral"), std::string::npos);

  struct Case {
    Step step;
    std::int32_t confirmed;
  };
  for (const Case& c : {Case{Verify("coral reef"), 1}, Case{Verify("coral ree"), 0},
                        Case{Verify(""), 0}, Case{Cancel(), 0}}) {
    User user({c.step});
    EXPECT_EQ(win::VerifyScreenSavePwd(0) != 0, c.confirmed != 0);
    EXPECT_EQ(user.dialogs_seen(), 1);
  }

  // The same password again gets a salt of its own.
  {
    User user({Change("coral reef", "coral reef")});
    win::PwdChangePasswordA("SCRSAVE", 0, 0, 0);
  }
  EXPECT_NE(ReadStore().hash, first.hash);
}

TEST_F(Password, UnequalEntriesAreAskedAgainAndCancelChangesNothing) {
  {
    User user({Change("kelp", "kelq"), Change("kelp", "kelp")});
    EXPECT_EQ(win::PwdChangePasswordA("SCRSAVE", 0, 0, 0), 0);
    EXPECT_EQ(user.dialogs_seen(), 2);
    ASSERT_EQ(user.notes.size(), 1u);
    EXPECT_FALSE(user.notes[0].empty());
  }
  const std::string hash = ReadStore().hash;
  {
    User user({Cancel()});
    EXPECT_NE(win::PwdChangePasswordA("SCRSAVE", 0, 0, 0), 0);
  }
  EXPECT_EQ(ReadStore().hash, hash);
  User user({Verify("kelp")});
  EXPECT_NE(win::VerifyScreenSavePwd(0), 0);
}

TEST_F(Password, APasswordThatCannotBeStoredIsReportedAndTheOldOneStays) {
  {
    User user({Change("kelp", "kelp")});
    ASSERT_EQ(win::PwdChangePasswordA("SCRSAVE", 0, 0, 0), 0);
  }
  const std::string hash = ReadStore().hash;
  std::filesystem::permissions(windir_.File("registry.ini"), std::filesystem::perms(0444));
  User user({Change("reef", "reef"), Ok()});
  EXPECT_EQ(win::PwdChangePasswordA("SCRSAVE", 0, 0, 0),
            static_cast<std::int32_t>(win::RegResult::ERROR_CANTWRITE));
  EXPECT_EQ(user.notes, std::vector<std::string>{"The password was not saved: Permission denied."});
  EXPECT_EQ(ReadStore().hash, hash);
}

TEST_F(Password, AnEmptyPasswordClearsTheFlagAndNothingIsAsked) {
  {
    User user({Change("", "")});
    win::PwdChangePasswordA("SCRSAVE", 0, 0, 0);
  }
  EXPECT_EQ(ReadStore().use, 0u);
  User user({Cancel()});
  EXPECT_NE(win::VerifyScreenSavePwd(0), 0);
  EXPECT_EQ(user.dialogs_seen(), 0);
}

TEST_F(Password, OnlyTheScreenSaverProviderIsServed) {
  EXPECT_THROW(win::PwdChangePasswordA("MSNP32", 0, 0, 0), std::logic_error);
}

}  // namespace
