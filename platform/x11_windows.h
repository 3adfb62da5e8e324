// The X11 side of the window calls, on the X connection of Qt's xcb platform. Private to
// platform/; shows no X type. Without an X display (Qt's offscreen platform) every query answers
// "no such window" and the keyboard lock does nothing.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/gdi.h"

namespace win::x11 {

// A connection of our own to the X server at DISPLAY, opened before Qt starts and held until
// Qt has its own: a server whose last client leaves resets and refuses connections meanwhile.
class DisplayProbe {
 public:
  DisplayProbe();
  ~DisplayProbe();
  DisplayProbe(const DisplayProbe&) = delete;
  DisplayProbe& operator=(const DisplayProbe&) = delete;
  bool Reachable() const { return display_ != nullptr; }

 private:
  void* display_;
};

bool Available();
// The first top-level window, topmost first, whose title (_NET_WM_NAME, else WM_NAME) is exactly
// the text; 0 when none.
HWND FindTopLevel(const std::string& title);
// A window's place on the screen (its top left on the root window) and size.
struct Geometry {
  int x, y, width, height;
};
// Nothing when the id names no window.
std::optional<Geometry> WindowGeometry(HWND window);
// Grabs the keyboard on the root window (events for our own windows still reach them) or lets
// go of it. Another client may hold it for a moment (an open menu, say): a grab is
// tried again for about a second. False when it was not got, or without a display.
bool GrabKeyboard(bool grab);
// The window takes no pointer input: clicks and moves go to the window under it.
void PassPointerInput(HWND window);
// Calls on_destroyed (once, on the user-interface thread) when the window is destroyed.
void WatchDestroy(HWND window, std::function<void()> on_destroyed);

}  // namespace win::x11
