// The message dialog. It is opened from the settings dialog, which it hides, and both ways out
// show the settings dialog again: Apply (or Enter) writes the text and keeps the dialog loaded
// with it; Cancel unloads it, so the next opening starts again from the text last applied (the
// text read at start-up until one is), never putting an older text back in the box.
#include "dialog/message_entry.h"

#include "dialog/center_form.h"
#include "dialog/configuration.h"
#include "host/starter.h"
#include "host/system.h"
#include "platform/user32.h"
#include "runtime/product.h"

namespace {

constexpr int kEnter = 13;
constexpr int kClosedByTheUser = 0;

}  // namespace

MessageEntryForm& messageentry() {
  static MessageEntryForm* const dialog = new MessageEntryForm;  // lives until the process ends
  return *dialog;
}

MessageEntryForm::MessageEntryForm() {
  SetCaption("Text Message");
  SetBorderStyle(forms::BorderStyle::Fixed);
  SetScaleMode(forms::ScaleMode::Twip);
  SetClientSize(5175, 1425);
  SetKeyPreview(true);

  textentry.Move(120, 120, 4935, 255);
  textentry.SetAlignment(forms::Alignment::Center);
  textentry.SetCaption("Please Enter Your Text Message Below:");
  Text1.Move(360, 480, 4455, 285);
  Text1.SetBackColor(win::RGB(255, 255, 255));
  // The settings reader keeps 127 characters: the box shows what the saver will.
  Text1.SetMaxLength(127);
  Apply.Move(375, 960, 1815, 375);
  Apply.SetCaption("&Apply Changes");
  Apply.OnClick = [this] { apply_Click(); };
  Cancel.Move(3000, 960, 1815, 375);
  Cancel.SetCaption("&Cancel");
  Cancel.OnClick = [this] { Cancel_Click(); };
}

void MessageEntryForm::Form_Load() {
  SetCaption(std::string(product::kTitle) + " Message");
  Text1.SetText(applied_text.value_or(MessageText));
  CenterForm(*this);
  win::SetWindowPos(hWnd(), win::HWND_TOPMOST, 0, 0, 0, 0, win::SWP_NOSIZE | win::SWP_NOMOVE);
}

void MessageEntryForm::Form_Activate() {
  Text1.SetFocus();
}

void MessageEntryForm::Form_KeyPress(rt::Integer& KeyAscii) {
  if (KeyAscii != kEnter) return;
  apply_Click();
  KeyAscii = 0;  // spent on Apply: the focused button (Cancel, or Apply itself) must not act too
}

void MessageEntryForm::apply_Click() {
  // A text that was not saved stays in the box, for the user to try again or cancel.
  if (!PutIniData(product::kSettingsFile, product::kSettingsSection, "messagetext", Text1.Text())) {
    ShowSaveFailure("message");
    return;
  }
  applied_text = Text1.Text();
  Configuration().Show();
  Hide();
}

void MessageEntryForm::Cancel_Click() {
  Configuration().Show();
  Unload();
}

// Closing the window by its frame would otherwise leave the settings dialog hidden for good, so
// it acts as Cancel.
void MessageEntryForm::Form_QueryUnload(rt::Integer& /*cancel*/, rt::Integer unload_mode) {
  if (unload_mode == kClosedByTheUser) Configuration().Show();
}
