// Module Starter: the process entry and the four mode starters. Main, in this order:
//   1. the command line, trimmed and lower-cased, and its two-character prefix;
//   2. the Display Properties window, for 3. the single-instance rule (may end the process);
//   4. the folders; 5. the screen size and 6. the turn limits; 7. the random seed;
//   8. the settings; 9. the property tables (every mode); 10. the switch, then its starter.
// Each step that fails reports and Main returns without a mode: the report dialog alone then
// keeps the process alive.
#include "host/starter.h"

#include "dialog/configuration.h"
#include "host/preview_screen.h"
#include "host/screensaver.h"
#include "host/system.h"
#include "platform/advapi32.h"
#include "platform/app.h"
#include "platform/forms.h"
#include "platform/instance.h"
#include "platform/password.h"
#include "platform/user32.h"
#include "runtime/conversions.h"
#include "runtime/errors.h"
#include "runtime/random.h"
#include "sprites/animations.h"

bool EndsAtOnce(bool another_instance, const std::string& prefix, win::HWND display_props) {
  return another_instance && prefix == "/s" && display_props == 0;
}

void MeasureScreen(float width_twips, float height_twips, float twips_per_pixel_x,
                   float twips_per_pixel_y) {
  // The quotients are single precision, the limits double; neither passes through a narrower
  // intermediate, so only a limit that itself leaves the 32-bit range is an overflow.
  const float width = width_twips / twips_per_pixel_x;
  const float height = height_twips / twips_per_pixel_y;
  ScreenWidth = rt::CLng(static_cast<double>(width));
  ScreenHeight = rt::CLng(static_cast<double>(height));
  TopLimit = rt::CLng(ScreenHeight.AsDouble() * -0.25);
  BottomLimit = ScreenHeight - 65;
  RightLimit = rt::CLng(ScreenWidth.AsDouble() * 1.5);
  LeftLimit = rt::CLng(ScreenWidth.AsDouble() * -0.5);
}

rt::Integer ModeOfCommandLine(const std::string& raw) {
  const std::string lower = rt::LCase(raw);
  if (lower.find("/p") != std::string::npos) return 4;
  if (lower.find("/c") != std::string::npos) return 2;
  if (lower.find("/a") != std::string::npos) return 3;
  return 1;
}

void ParsePasswordParent() {
  const std::string rest = rt::Right(RawCommandLine, rt::Len(RawCommandLine) - 3);
  PasswordParent = rt::CLng(rt::CDblText(rest)).Value();
}

void ParsePreviewParent() {
  ParseBuf = CmdLine;
  for (ParseLen = rt::Len(ParseBuf); ParseLen >= 1; ParseLen -= 1) {
    ParseBuf = rt::Right(ParseBuf, ParseLen);
    if (rt::IsNumeric(ParseBuf)) {
      PreviewParent = rt::CLng(rt::Val(ParseBuf)).Value();
      break;
    }
  }
}

void StopRequested() {
  if (RunMode != 3) X_Cleanup_And_End();
}

void Main() {
  rt::SetErrorReporter(&ReportError);
  forms::SetStopRequestHandler(&StopRequested);
  rt::Trap("Starter/Main", [] {
    CmdLine = rt::LCase(rt::Trim(RawCommandLine));
    CmdPrefix = rt::Left(CmdLine, 2);
    DisplayPropsWnd = win::FindWindowA(nullptr, "Display Properties");
    if (EndsAtOnce(forms::AnotherInstanceRunning(), CmdPrefix, DisplayPropsWnd)) forms::End();

    GetDiectories();
    MeasureScreen(forms::Screen.Width(), forms::Screen.Height(), forms::Screen.TwipsPerPixelX(),
                  forms::Screen.TwipsPerPixelY());
    rt::Randomize();
    X_GetData();
    Properties_Fish();
    Properties_Predator();
    Properties_Other();
    Properties_Scenery();

    RunMode = ModeOfCommandLine(RawCommandLine);
    if (RunMode == 4) Run_Preview();
    if (RunMode == 3) Run_Password();
    if (RunMode == 2) Run_Configure();
    if (RunMode == 1) Run_ScreenSaver();
  });
}

void Run_ScreenSaver() {
  rt::Trap("Starter/Run_ScreenSaver", [] {
    RunMode = 1;
    LoadPics4ScreenSaver();
    win::ShowCursor(false);
    WinVersion = GetVersion32();
    if (WinVersion == "95")
      UsePassword = GetRegistryNumber(win::HKEY_CURRENT_USER, "Control Panel\\Desktop",
                                      "ScreenSaveUsePassword");
    SetTFS("disable");
    ScreenSaver().Load();
    win::SetWindowPos(ScreenSaver().hWnd(), win::HWND_TOPMOST, 0, 0, 0, 0, win::SWP_NOSIZE);
  });
}

void Run_Configure() {
  rt::Trap("Starter/Run_Configure", [] {
    RunMode = 2;
    Configuration().Load();
  });
}

void Run_Password() {
  rt::Trap("Starter/Run_Password", [] {
    RunMode = 3;
    ParsePasswordParent();
    win::PwdChangePasswordA("SCRSAVE", PasswordParent, 0, 0);
  });
}

void Run_Preview() {
  rt::Trap("Starter/Run_Preview", [] {
    RunMode = 4;
    ParsePreviewParent();
    // Without a host window there is nowhere to show the loop, and a window of ours that is
    // never shown would keep the process alive for ever.
    if (PreviewParent == 0 || !win::IsWindow(PreviewParent)) X_Cleanup_And_End();
    win::RECT client{};
    win::GetClientRect(PreviewParent, &client);
    PreviewRect = {client.left, client.top, client.right, client.bottom};

    PreviewScreenForm& preview = PreviewScreen();
    preview.Load();
    preview.SetCaption("Preview");
    const win::HWND window = preview.hWnd();
    PreviewStyle = win::GetWindowLongA(window, win::GWL_STYLE) | win::WS_CHILD;
    win::SetWindowLongA(window, win::GWL_STYLE, PreviewStyle.Value());
    win::SetParent(window, PreviewParent);
    win::SetWindowLongA(window, win::GWL_HWNDPARENT, PreviewParent);
    win::SetWindowPos(window, 0, 0, 0, PreviewRect.Right.Value(), PreviewRect.Bottom.Value(),
                      win::SWP_NOZORDER | win::SWP_NOACTIVATE | win::SWP_SHOWWINDOW);
  });
}
