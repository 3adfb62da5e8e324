// The error-report dialog: an apology on a white band, the offer to send the report, and two
// buttons. Sending opens the support site's report page and leaves the dialog open; not sending
// (or closing the dialog) ends the program through the common exit. In the full-screen saver
// the dialog first moves the saver window out of the way, whose frame and music go on.
#include "host/bugreport.h"

#include "host/screensaver.h"
#include "host/starter.h"
#include "host/system.h"
#include "platform/builtin_pictures.h"
#include "platform/shell32.h"
#include "platform/user32.h"
#include "runtime/product.h"

namespace {

constexpr char kSupportSite[] = "https://support.solmere-finbrook.example";

BugReportForm* the_dialog = nullptr;

}  // namespace

BugReportForm& BugReport() {
  if (!the_dialog) the_dialog = new BugReportForm;  // lives until the process ends
  return *the_dialog;
}

bool BugReportLoaded() {
  return the_dialog && the_dialog->Loaded();
}

void LoadBugReport() {
  BugReport().Load();
}

BugReportForm::BugReportForm() {
  SetCaption(product::kTitle);
  SetBorderStyle(forms::BorderStyle::Fixed);
  SetClientSize(7335, 3705);

  Frame1.Move(0, 0, 7335, 1095);
  Frame1.SetBackColor(win::RGB(255, 255, 255));
  Frame1.SetBorder(false);

  const forms::Font bold{"MS Sans Serif", 8.25, true};
  Label1.Move(240, 240, 5760, 615);
  Label1.SetFont(bold);
  Label1.SetBackColor(win::RGB(255, 255, 255));
  Label1.SetWordWrap(true);
  Label1.SetAutoSize(true);
  Label1.SetCaption(
      std::string("The ") + product::kTitle +
      " has encountered a problem and needs to close. We Are sorry for the inconvenience.");

  Picture1.Move(6600, 240, 480, 495);
  Picture1.SetBorder(false);
  Picture1.SetBackColor(win::RGB(255, 255, 255));
  Picture1.SetPicture(forms::kBugReportPicture);

  Label2.Move(240, 1320, 6855, 255);
  Label2.SetFont(bold);
  Label2.SetAutoSize(true);
  Label2.SetCaption("Please report this problem by clicking the button below.");

  Label3.Move(240, 1800, 6855, 615);
  Label3.SetWordWrap(true);
  Label3.SetAutoSize(true);
  Label3.SetCaption(
      "We have created an error report that you can send to help us improve the Solmere "
      "Finbrook Screensaver.  We will treat this report as confidential and anonymous.");

  Command1.Move(2760, 3120, 2175, 375);
  Command1.SetCaption("&Send Error Report");
  Command1.OnClick = [this] { Command1_Click(); };
  Command2.Move(5160, 3120, 1935, 375);
  Command2.SetCaption("&Don't Send");
  Command2.OnClick = [this] { Command2_Click(); };
}

void BugReportForm::Form_Load() {
  if (RunMode == 1) {
    win::ShowCursor(true);
    // An error before the saver window opened has no saver window to move aside.
    if (ScreenSaverExists() && ScreenSaver().Loaded()) {
      win::SetWindowPos(ScreenSaver().hWnd(), win::HWND_NOTOPMOST, 0, 0, 0, 0, win::SWP_NOSIZE);
      ScreenSaver().Hide();
    }
  }
  Move((forms::Screen.Width() - Width()) / 2, (forms::Screen.Height() - Height()) / 2);
  Show();
}

std::string BugReportAddress() {
  return std::string(kSupportSite) + "/support/bugreport.asp?Error=" + ErrNumberText +
         "&Procedure=" + ErrContext + "&WinVersion=" + GetVersion32() +
         "&Version=" + product::kVersion + "&ScreenSaver_Tag=Finbrook";
}

void BugReportForm::Command1_Click() {
  win::ShellExecuteA(hWnd(), "open", BugReportAddress().c_str(), nullptr, nullptr,
                     win::ShowCommand::SW_SHOWNORMAL);
}

void BugReportForm::Command2_Click() {
  X_Cleanup_And_End();
}

// The close box does what "&Don't Send" does, so a closed dialog never leaves a hidden saver
// running with no way to end it.
void BugReportForm::Form_QueryUnload(rt::Integer&, rt::Integer unload_mode) {
  if (unload_mode == 0) Command2_Click();
}
