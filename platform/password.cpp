// The screen-saver password: set by a change dialog, asked for by a prompt, kept in the registry
// store as a salted yescrypt hash ("ScreenSave_Data" under the desktop key) beside the
// "ScreenSaveUsePassword" flag that the saver reads. Both dialogs are modal, owned by the given
// window, open with the keyboard in their first field and take Enter for OK.
#include "platform/password.h"

#include <crypt.h>

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>
#include <QWindow>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "platform/advapi32.h"
#include "platform/app.h"
#include "platform/forms_qt.h"
#include "platform/kernel32.h"
#include "platform/unsupported.h"
#include "platform/user32.h"
#include "platform/x11_windows.h"
#include "runtime/errors.h"
#include "runtime/product.h"

namespace win {

namespace {

constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kHashValue[] = "ScreenSave_Data";
constexpr char kUseValue[] = "ScreenSaveUsePassword";
constexpr std::int32_t kErrorCancelled = 1223;

std::string StoredHash() {
  HKEY key = 0;
  if (RegOpenKeyA(HKEY_CURRENT_USER, kDesktopKey, &key) != RegResult::ERROR_SUCCESS) return {};
  char buffer[512] = {};
  std::uint32_t size = sizeof buffer - 1;
  RegType type = RegType::REG_NONE;
  const RegResult result = RegQueryValueExA(key, kHashValue, nullptr, &type, buffer, &size);
  RegCloseKey(key);
  if (result != RegResult::ERROR_SUCCESS || type != RegType::REG_SZ) return {};
  return std::string(buffer);  // stops at the terminating zero
}

// A fresh salt for each password, so that equal passwords never share a stored hash.
std::string FreshSetting() {
  char setting[CRYPT_GENSALT_OUTPUT_SIZE] = {};
  if (!crypt_gensalt_rn("$y$", 0, nullptr, 0, setting, sizeof setting)) {
    rt::Raise(rt::kInvalidProcedureCall);
  }
  return setting;
}

// One number of a yescrypt setting's parameters, in base 64 over one or more characters: the
// first character's range says how many characters follow.
std::optional<std::uint32_t> TakeNumber(std::string_view& text, std::uint32_t min) {
  constexpr std::string_view kDigits =
      "./0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  const auto digit = [&]() -> std::optional<std::uint32_t> {
    const size_t at = text.empty() ? std::string_view::npos : kDigits.find(text.front());
    if (at == std::string_view::npos) return std::nullopt;
    text.remove_prefix(1);
    return static_cast<std::uint32_t>(at);
  };
  const auto first = digit();
  if (!first) return std::nullopt;
  std::uint64_t value = min;
  std::uint32_t start = 0, end = 47, bits = 0;
  while (*first > end) {
    value += std::uint64_t{end + 1 - start} << bits;
    start = end + 1;
    end = start + (62 - end) / 2;
    bits += 6;
  }
  value += std::uint64_t{*first - start} << bits;
  for (; bits > 0; bits -= 6) {
    const auto next = digit();
    if (!next) return std::nullopt;
    value += std::uint64_t{*next} << (bits - 6);
  }
  if (value > UINT32_MAX) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

// What a yescrypt setting asks for: its flavor, log2 N and r, then (when a bit set names them) p,
// t, g and log2 of the ROM's N, each with its least value when absent. Nothing when the text is
// not such a setting.
using YescryptCost = std::array<std::uint32_t, 7>;
std::optional<YescryptCost> CostOf(std::string_view setting) {
  constexpr YescryptCost kLeast = {0, 1, 1, 2, 1, 1, 1};
  if (!setting.starts_with("$y$")) return std::nullopt;
  setting.remove_prefix(3);
  YescryptCost cost = {0, 0, 0, 1, 0, 0, 0};
  std::uint32_t present = 0;
  for (size_t i = 0; i < cost.size(); ++i) {
    if (i == 3) {
      if (setting.starts_with('$')) break;
      const auto have = TakeNumber(setting, 1);
      if (!have || *have > 0b1111) return std::nullopt;
      present = *have;
    }
    if (i >= 3 && !(present & 1u << (i - 3))) continue;
    const auto number = TakeNumber(setting, kLeast[i]);
    if (!number) return std::nullopt;
    cost[i] = *number;
  }
  if (!setting.starts_with('$')) return std::nullopt;
  return cost;
}

// The stored hash names its own cost, and a hand-edited one could ask for gigabytes and minutes:
// one that asks for more than the program's own hashes, or in another flavor, is damaged.
bool WithinOwnCost(const std::string& setting) {
  const auto own = CostOf(FreshSetting());
  const auto asked = CostOf(setting);
  if (!own || !asked || (*asked)[0] != (*own)[0]) return false;
  for (size_t i = 1; i < own->size(); ++i)
    if ((*asked)[i] > (*own)[i]) return false;
  return true;
}

// A hash that cannot be made (a stored hash that was tampered with) is a failing call of the
// password service: the caller's error path reports it.
std::string Hash(const std::string& password, const std::string& setting) {
  if (!WithinOwnCost(setting)) rt::Raise(rt::kInvalidProcedureCall);
  crypt_data data{};
  const char* hashed = crypt_rn(password.c_str(), setting.c_str(), &data, sizeof data);
  if (!hashed || hashed[0] == '*') rt::Raise(rt::kInvalidProcedureCall);
  return hashed;
}

// False, with the reason as the last error, when the store cannot be written.
bool StorePassword(const std::string& password) {
  HKEY key = 0;
  if (RegCreateKeyA(HKEY_CURRENT_USER, kDesktopKey, &key) != RegResult::ERROR_SUCCESS) return false;
  std::string hash;
  if (!password.empty()) {
    hash = Hash(password, FreshSetting());
  }
  const std::uint32_t use = password.empty() ? 0 : 1;
  const bool stored =
      RegSetValueExA(key, kHashValue, 0, RegType::REG_SZ, hash.c_str(),
                     static_cast<std::uint32_t>(hash.size() + 1)) == RegResult::ERROR_SUCCESS &&
      RegSetValueExA(key, kUseValue, 0, RegType::REG_DWORD, &use, sizeof use) ==
          RegResult::ERROR_SUCCESS;
  RegCloseKey(key);
  return stored;
}

QLineEdit* PasswordField(const char* name) {
  auto* field = new QLineEdit;
  field->setObjectName(name);
  field->setEchoMode(QLineEdit::Password);
  return field;
}

// OK and Cancel as the program's own buttons show them, in words alone; Cancel rejects.
QDialogButtonBox* OkCancel(QDialog& dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  forms::WordsOnly(buttons->buttons());
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  return buttons;
}

// A dialog in the dialog font of the program's forms, above its owner window, which may belong
// to another program, and centred over it where no window manager places it otherwise.
void Own(QDialog& dialog, HWND owner) {
  dialog.setFont(forms::ToQFont(forms::Font{}));
  dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
  dialog.winId();
  if (owner == 0 || !IsWindow(owner)) return;
  forms::FormImpl* ours = forms::FindForm(owner);
  QWindow* parent = ours ? ours->widget->windowHandle()
                         : QWindow::fromWinId(static_cast<WId>(owner));  // kept while we run
  dialog.windowHandle()->setTransientParent(parent);
  if (const auto frame = x11::WindowGeometry(owner)) {
    dialog.adjustSize();
    dialog.move(frame->x + (frame->width - dialog.width()) / 2,
                frame->y + (frame->height - dialog.height()) / 2);
  }
}

}  // namespace

std::int32_t PwdChangePasswordA(const char* provider, HWND owner, std::int32_t, std::int32_t) {
  if (!provider || std::strcmp(provider, "SCRSAVE") != 0) {
    Unsupported("PwdChangePasswordA", std::string("provider ") + (provider ? provider : "(none)"));
  }
  forms::EnsureApplication();
  QDialog dialog;
  dialog.setWindowTitle("Change Password");
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel("Change the password of the screen saver."));
  auto* form = new QFormLayout;
  QLineEdit* first = PasswordField("new_password");
  QLineEdit* second = PasswordField("confirm_password");
  form->addRow("&New password:", first);
  form->addRow("&Confirm new password:", second);
  layout->addLayout(form);
  auto* mismatch = new QLabel;  // shown only once there is something to say
  mismatch->setObjectName("mismatch");
  mismatch->hide();
  layout->addWidget(mismatch);
  QDialogButtonBox* buttons = OkCancel(dialog);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    if (first->text() == second->text()) {
      dialog.accept();
      return;
    }
    mismatch->setText("The passwords you typed do not match. Type them again.");
    mismatch->show();
    first->clear();
    second->clear();
    first->setFocus();
  });
  Own(dialog, owner);
  first->setFocus();
  if (dialog.exec() != QDialog::Accepted) return kErrorCancelled;
  if (StorePassword(first->text().toStdString())) return 0;
  // The caller does not look at the result, so the user hears it here, and whoever started the
  // change from the process's exit code.
  QMessageBox box(QMessageBox::Warning, "Change Password",
                  QString::fromStdString("The password was not saved: " + LastErrorText() + "."),
                  QMessageBox::Ok);
  forms::WordsOnly(box.buttons());
  Own(box, owner);
  box.exec();
  forms::SetExitCode(1);
  return static_cast<std::int32_t>(RegResult::ERROR_CANTWRITE);
}

std::int32_t VerifyScreenSavePwd(HWND owner) {
  const std::string hash = StoredHash();
  if (hash.empty()) return 1;  // no password is set: nothing to confirm
  forms::EnsureApplication();
  QDialog dialog;
  dialog.setWindowTitle(product::kTitle);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel("Type the screen saver's password to go back to the desktop."));
  auto* form = new QFormLayout;
  QLineEdit* field = PasswordField("password");
  form->addRow("&Password:", field);
  layout->addLayout(form);
  QDialogButtonBox* buttons = OkCancel(dialog);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  Own(dialog, owner);
  field->setFocus();
  if (dialog.exec() != QDialog::Accepted) return 0;
  return Hash(field->text().toStdString(), hash) == hash ? 1 : 0;
}

}  // namespace win
