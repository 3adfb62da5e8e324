// Module Starter: the process entry, the mode starters, the settings values, the screen
// measurements and the error values. All of it lives as long as the process.
#pragma once

#include <string>
#include <vector>

#include "platform/gdi.h"
#include "runtime/array.h"
#include "runtime/checked.h"

struct Sprite;

// ---- Start-up ----
inline std::string CmdLine;    // trimmed, lower case
inline std::string CmdPrefix;  // its first two characters
inline win::HWND DisplayPropsWnd = 0;
inline rt::Integer RunMode;  // 1 saver, 2 settings dialog, 3 password change, 4 preview
// 32-bit, so that a wall of monitors fits the limits (one and a half screen widths).
inline rt::Long ScreenWidth, ScreenHeight;
inline rt::Long TopLimit, BottomLimit, LeftLimit, RightLimit;
inline win::HWND PasswordParent = 0;
inline std::string ParseBuf;
inline rt::Long ParseLen;
inline win::HWND PreviewParent = 0;
struct RECT {
  rt::Long Left, Top, Right, Bottom;
};
inline RECT PreviewRect;
inline rt::Long PreviewStyle;
inline std::string WinVersion;  // "95", "NT" or "Unknown"
inline rt::Integer UsePassword;

// ---- Settings values (read once by X_GetData; BackgroundChoice and CenterpieceChoice are the
// Choice of Background and CenterpieceSlot, and each item's flag is its record's Visible) ----
inline rt::Integer FrameInterval;
inline rt::Integer MessageOn;
inline std::string MessageText;
inline rt::Array<rt::Integer, 5> SongOn;
inline rt::Array<rt::Integer, 2> SoundOn;
inline rt::Integer ExitOnMouseMove;

// The one module-level loop counter that many procedures count with.
inline rt::Integer LoopIndex;

// ---- The last trapped error ----
inline std::string ErrNumberText;
inline std::string ErrContext;

// The command line as the process received it (the platform hands it over before Main).
inline std::string RawCommandLine;

void Main();
void Run_ScreenSaver();
void Run_Configure();
void Run_Password();
void Run_Preview();
void X_GetData();
rt::Integer GetRegistryNumber(std::int32_t hKey, const std::string& SubKey,
                              const std::string& ValueName);
void LoadPics4ScreenSaver();
void X_Cleanup_And_End();
// The items' records in the order the common exit releases their surfaces.
std::vector<const Sprite*> ItemsInReleaseOrder();
void ReportError(std::string_view context);

// ---- Start-up decisions, each a step of Main or of a starter ----
// The single-instance rule: a saver started while another instance runs and no Display
// Properties window is open ends at once.
bool EndsAtOnce(bool another_instance, const std::string& prefix, win::HWND display_props);
// ScreenWidth, ScreenHeight and the four turn limits from the screen's twips.
void MeasureScreen(float width_twips, float height_twips, float twips_per_pixel_x,
                   float twips_per_pixel_y);
// The mode chosen by the switches of the raw command line (4, 2, 3 or 1).
rt::Integer ModeOfCommandLine(const std::string& raw);
// PasswordParent from the raw command line; raises an error when there is no number.
void ParsePasswordParent();
// PreviewParent from the longest numeric tail of CmdLine (0 when there is none).
void ParsePreviewParent();
// Asked from outside to stop: the modes with a window leave through the common exit; the
// password change, which has none, ends when the platform dismisses its dialog.
void StopRequested();

// The common exit's last step ends the process; tests put a recorder in its place (null puts
// the real end back).
using EndStep = void (*)();
void SetEndStepForTests(EndStep step);
