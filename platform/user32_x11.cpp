// The X11 queries behind the window calls, made with Xlib on Qt's own X connection, so that a
// keyboard grab belongs to the client whose windows get the keys. A bad window id gives an X
// error; our error handler counts it instead of letting Xlib end the process.
#include <QtGui/qguiapplication_platform.h>
#include <QAbstractEventDispatcher>
#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QTimer>
#include <chrono>
#include <map>
#include <thread>

#include "platform/x11_display.h"
#include "platform/x11_windows.h"

// Xlib and xcb come last: their macros (None, Bool, Status...) clash with Qt's headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>
#include <xcb/xcb.h>

namespace win::x11 {

namespace {

unsigned long errors = 0;

int XErrorSink(Display*, XErrorEvent*) {
  ++errors;
  return 0;
}

}  // namespace

Display* QtDisplay() {
  if (!qGuiApp) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->display()) return nullptr;
  static bool handler_installed = false;
  if (!handler_installed) {
    XSetErrorHandler(XErrorSink);
    handler_installed = true;
  }
  return x11->display();
}

unsigned long ErrorCount() {
  return errors;
}

namespace {

std::string TitleOf(Display* dpy, Window window) {
  static const Atom net_wm_name = XInternAtom(dpy, "_NET_WM_NAME", False);
  static const Atom utf8 = XInternAtom(dpy, "UTF8_STRING", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(dpy, window, net_wm_name, 0, 1024, False, utf8, &type, &format, &count,
                         &after, &data) == Success &&
      data) {
    std::string title(reinterpret_cast<char*>(data), count);
    XFree(data);
    if (type == utf8) return title;
  }
  char* name = nullptr;
  if (XFetchName(dpy, window, &name) && name) {
    std::string title(name);
    XFree(name);
    return title;
  }
  return {};
}

// Window managers put each top-level window inside a frame of their own, so the search goes a
// few levels down from the root, topmost windows first.
Window Search(Display* dpy, Window parent, const std::string& title, int depth) {
  Window root = 0, up = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(dpy, parent, &root, &up, &children, &count)) return 0;
  Window found = 0;
  for (unsigned int i = count; i-- > 0 && !found;) {
    if (TitleOf(dpy, children[i]) == title) found = children[i];
  }
  for (unsigned int i = count; i-- > 0 && !found && depth > 1;) {
    found = Search(dpy, children[i], title, depth - 1);
  }
  if (children) XFree(children);
  return found;
}

// Hears DestroyNotify for the windows that WatchDestroy asked about.
class DestroyWatcher : public QAbstractNativeEventFilter {
 public:
  std::map<xcb_window_t, std::function<void()>> watched;

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t") return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_DESTROY_NOTIFY) return false;
    auto* destroy = static_cast<xcb_destroy_notify_event_t*>(message);
    const auto found = watched.find(destroy->window);
    if (found == watched.end()) return false;
    auto callback = std::move(found->second);
    watched.erase(found);
    QTimer::singleShot(0, qGuiApp, callback);
    return false;
  }
};

}  // namespace

DisplayProbe::DisplayProbe() : display_(XOpenDisplay(nullptr)) {}

DisplayProbe::~DisplayProbe() {
  if (display_) XCloseDisplay(static_cast<Display*>(display_));
}

bool Available() {
  return QtDisplay() != nullptr;
}

HWND FindTopLevel(const std::string& title) {
  Display* dpy = QtDisplay();
  if (!dpy) return 0;
  return static_cast<HWND>(Search(dpy, DefaultRootWindow(dpy), title, 3));
}

std::optional<Geometry> WindowGeometry(HWND window) {
  Display* dpy = QtDisplay();
  if (!dpy || window == 0) return std::nullopt;
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(dpy, static_cast<Window>(window), &attributes)) return std::nullopt;
  Geometry geometry{0, 0, attributes.width, attributes.height};
  Window child = 0;
  XTranslateCoordinates(dpy, static_cast<Window>(window), attributes.root, 0, 0, &geometry.x,
                        &geometry.y, &child);
  return geometry;
}

bool GrabKeyboard(bool grab) {
  Display* dpy = QtDisplay();
  if (!dpy) return !grab;
  if (!grab) {
    XUngrabKeyboard(dpy, CurrentTime);
    XFlush(dpy);
    return true;
  }
  constexpr int kTries = 20;
  constexpr auto kPause = std::chrono::milliseconds(50);
  for (int attempt = 1;; ++attempt) {
    if (XGrabKeyboard(dpy, DefaultRootWindow(dpy), True, GrabModeAsync, GrabModeAsync,
                      CurrentTime) == GrabSuccess)
      return true;
    if (attempt == kTries) return false;
    std::this_thread::sleep_for(kPause);
  }
}

// An empty input shape: the window still shows, but the pointer sees through it.
void PassPointerInput(HWND window) {
  Display* dpy = QtDisplay();
  int event_base = 0, error_base = 0;
  if (!dpy || window == 0 || !XShapeQueryExtension(dpy, &event_base, &error_base)) return;
  XShapeCombineRectangles(dpy, static_cast<Window>(window), ShapeInput, 0, 0, nullptr, 0, ShapeSet,
                          Unsorted);
  XFlush(dpy);
}

void WatchDestroy(HWND window, std::function<void()> on_destroyed) {
  Display* dpy = QtDisplay();
  if (!dpy) return;
  static DestroyWatcher* watcher = [] {
    auto* w = new DestroyWatcher;  // lives as long as the process
    QAbstractEventDispatcher::instance()->installNativeEventFilter(w);
    return w;
  }();
  watcher->watched[static_cast<xcb_window_t>(window)] = on_destroyed;
  XSelectInput(dpy, static_cast<Window>(window), StructureNotifyMask);
  XFlush(dpy);
  // The window may have gone before it was watched.
  if (!WindowGeometry(window)) {
    watcher->watched.erase(static_cast<xcb_window_t>(window));
    QTimer::singleShot(0, qGuiApp, on_destroyed);
  }
}

}  // namespace win::x11
