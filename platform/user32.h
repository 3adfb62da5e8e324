// Our stand-ins for the window calls of user32, on X11 and Qt. Windows are X window ids.
#pragma once

#include <cstdint>
#include <string>

#include "platform/gdi.h"

namespace win {

struct RECT {
  std::int32_t left, top, right, bottom;
};

constexpr HWND HWND_TOPMOST = -1;
constexpr HWND HWND_NOTOPMOST = -2;
constexpr unsigned SWP_NOSIZE = 0x0001;
constexpr unsigned SWP_NOMOVE = 0x0002;
constexpr unsigned SWP_NOZORDER = 0x0004;
constexpr unsigned SWP_NOACTIVATE = 0x0010;
constexpr unsigned SWP_SHOWWINDOW = 0x0040;
constexpr int GWL_STYLE = -16;
constexpr int GWL_HWNDPARENT = -8;
constexpr std::int32_t WS_CHILD = 0x40000000;
constexpr unsigned SPI_SETSCREENSAVERRUNNING = 97;

// The top-level window whose title is exactly the given text (class name not used); 0 if none.
HWND FindWindowA(const char* class_name, const char* window_name);
// Whether the handle names an existing window (ours or another program's).
bool IsWindow(HWND window);
// False, leaving rect as it was, when the handle names no window.
bool GetClientRect(HWND window, RECT* rect);
std::int32_t GetWindowLongA(HWND window, int index);
std::int32_t SetWindowLongA(HWND window, int index, std::int32_t value);
// Embeds one of our windows in another window. When that parent is destroyed, our form unloads
// (Form_Unload runs; there is no asking to stay). A parent of 0 or one that does not exist
// changes nothing and gives 0.
HWND SetParent(HWND child, HWND new_parent);
bool SetWindowPos(HWND window, HWND insert_after, int x, int y, int cx, int cy, unsigned flags);
// The display counter: the cursor shows while it is 0 or more. Returns the new count.
int ShowCursor(bool show);
// SPI_SETSCREENSAVERRUNNING: 1 grabs the keyboard (the system keys are held back), 0 lets go.
// False when the keyboard could not be grabbed.
bool SystemParametersInfoA(unsigned action, unsigned param, void* pv, unsigned win_ini);

}  // namespace win
