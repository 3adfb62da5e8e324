#include "platform/password.h"

#include <crypt.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <stdexcept>

#include "platform/advapi32.h"
#include "platform/forms_qt.h"
#include "platform/temp_windir.h"
#include "runtime/errors.h"

namespace {

// Plays the user at every modal dialog: types typed_ into each of its fields and presses OK, or
// Cancel when typed_ is null, keeping what message boxes say.
class Password : public ::testing::Test {
 protected:
  void SetUp() override {
    forms::EnsureApplication();
    QObject::connect(&user_, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dialog || !dialog->isVisible()) return;
      ++dialogs_;
      if (auto* box = qobject_cast<QMessageBox*>(dialog))
        notes_.push_back(box->text().toStdString());
      for (auto* field : dialog->findChildren<QLineEdit*>()) field->setText(typed_);
      auto* buttons = dialog->findChild<QDialogButtonBox*>();
      buttons->button(typed_.isNull() ? QDialogButtonBox::Cancel : QDialogButtonBox::Ok)->click();
    });
    user_.start(5);
  }
  std::int32_t Change(const char* typed) {
    typed_ = typed;
    return win::PwdChangePasswordA("SCRSAVE", 0, 0, 0);
  }
  bool Verify(const char* typed) {
    typed_ = typed;
    return win::VerifyScreenSavePwd(0) != 0;
  }
  // The stored hash and the flag that a password is to be asked.
  static std::pair<std::string, std::uint32_t> Stored() {
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
  static void Store(const std::string& hash) {
    win::HKEY key = 0;
    win::RegOpenKeyA(win::HKEY_CURRENT_USER, "Control Panel\\Desktop", &key);
    win::RegSetValueExA(key, "ScreenSave_Data", 0, win::RegType::REG_SZ, hash.c_str(),
                        static_cast<std::uint32_t>(hash.size() + 1));
    win::RegCloseKey(key);
  }

  test_support::TempWindir windir_;
  QTimer user_;
  QString typed_;
  int dialogs_ = 0;
  std::vector<std::string> notes_;
};

TEST_F(Password, APasswordThatCannotBeStoredIsReportedAndTheOldOneStays) {
  ASSERT_EQ(Change("kelp"), 0);
  const auto stored = Stored();
  std::filesystem::permissions(windir_.File("registry.ini"), std::filesystem::perms(0444));
  EXPECT_EQ(Change("reef"), static_cast<std::int32_t>(win::RegResult::ERROR_CANTWRITE));
  EXPECT_EQ(notes_, std::vector<std::string>{"The password was not saved: Permission denied."});
  EXPECT_EQ(Stored(), stored);
  EXPECT_TRUE(Verify("kelp"));
}

// A password set anew gets a salt of its own; an empty one clears the flag, and then nothing is
// asked at all. A stored hash that asks for more than the program's own (a larger N or r, p or t
// at all, another flavor) or cannot be read is damaged, refused as any damaged hash is, never
// computed; one that asks for less is still checked.
TEST_F(Password, OnlyTheSetPasswordIsConfirmedADamagedHashNeverAndAnEmptyOneAsksNothing) {
  ASSERT_EQ(Change("kelp"), 0);
  const auto first = Stored();
  ASSERT_EQ(Change("kelp"), 0);
  EXPECT_NE(Stored().first, first.first);
  EXPECT_TRUE(Verify("kelp"));
  EXPECT_FALSE(Verify("kel"));
  EXPECT_FALSE(Verify(nullptr)) << "cancelled";
  const std::string salt = first.first.substr(first.first.find('$', 3));
  for (const char* params : {"jAT", "j9U", "j9T..", "j9T/.", "i9T", "j9", "j9~", "j9T/", ""}) {
    Store("$y$" + std::string(params) + salt);
    EXPECT_THROW(Verify("kelp"), rt::RuntimeError) << params;
  }
  crypt_data data{};
  Store(crypt_rn("kelp", crypt_gensalt("$y$", 1, nullptr, 0), &data, sizeof data));
  EXPECT_TRUE(Verify("kelp"));
  EXPECT_EQ(Change(""), 0);
  EXPECT_EQ(Stored().second, 0u);
  const int asked = dialogs_;
  EXPECT_TRUE(Verify("reef"));
  EXPECT_EQ(dialogs_, asked);
  EXPECT_THROW(win::PwdChangePasswordA("MSNP32", 0, 0, 0), std::logic_error);
}

}  // namespace
