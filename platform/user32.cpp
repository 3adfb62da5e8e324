// The window calls the program makes, on our forms' Qt windows and on foreign X windows. Only
// the indexes, flags and actions the program uses are implemented; anything else fails loudly.
#include "platform/user32.h"

#include <QGuiApplication>
#include <QWindow>

#include "platform/forms_qt.h"
#include "platform/unsupported.h"
#include "platform/x11_windows.h"

namespace win {

namespace {

forms::FormImpl& OurWindow(const std::string& call, HWND window) {
  forms::FormImpl* form = forms::FindForm(window);
  if (!form) Unsupported(call, "a window that is not one of the program's own");
  return *form;
}

int cursor_count = 0;

}  // namespace

HWND FindWindowA(const char*, const char* window_name) {
  const std::string title = window_name ? window_name : "";
  if (x11::Available()) return x11::FindTopLevel(title);
  // Without an X server the program's own windows are the only ones there are.
  for (forms::FormImpl* form : forms::AllForms()) {
    if (form->widget && form->widget->internalWinId() &&
        form->widget->windowTitle().toStdString() == title) {
      return static_cast<HWND>(form->widget->internalWinId());
    }
  }
  return 0;
}

bool IsWindow(HWND window) {
  return forms::FindForm(window) != nullptr || x11::WindowGeometry(window).has_value();
}

bool GetClientRect(HWND window, RECT* rect) {
  int width = 0, height = 0;
  if (forms::FormImpl* form = forms::FindForm(window)) {
    width = form->widget->width();
    height = form->widget->height();
  } else if (const auto geometry = x11::WindowGeometry(window)) {
    width = geometry->width;
    height = geometry->height;
  } else {
    return false;
  }
  *rect = RECT{0, 0, width, height};
  return true;
}

std::int32_t GetWindowLongA(HWND window, int index) {
  if (index != GWL_STYLE && index != GWL_HWNDPARENT) {
    Unsupported("GetWindowLongA", "index " + std::to_string(index));
  }
  forms::FormImpl* form = forms::FindForm(window);
  if (!form) return 0;
  return index == GWL_STYLE ? form->style : form->owner;
}

std::int32_t SetWindowLongA(HWND window, int index, std::int32_t value) {
  if (index != GWL_STYLE && index != GWL_HWNDPARENT) {
    Unsupported("SetWindowLongA", "index " + std::to_string(index));
  }
  forms::FormImpl& form = OurWindow("SetWindowLongA", window);
  // X11 has no child style to set: SetParent makes the window a child. The owner is kept for the
  // asking; the parent already keeps an embedded window with it.
  std::int32_t& slot = index == GWL_STYLE ? form.style : form.owner;
  const std::int32_t previous = slot;
  slot = value;
  return previous;
}

HWND SetParent(HWND child, HWND new_parent) {
  forms::FormImpl& form = OurWindow("SetParent", child);
  if (new_parent == 0 || !IsWindow(new_parent)) return 0;
  QWindow* host = nullptr;
  if (forms::FormImpl* ours = forms::FindForm(new_parent)) {
    host = ours->widget->windowHandle();
  } else {
    host = QWindow::fromWinId(static_cast<WId>(new_parent));  // kept for the process's life
  }
  form.widget->winId();
  QWindow* window = form.widget->windowHandle();
  QWindow* previous = window->parent();
  window->setParent(host);
  // A host that closes takes its child window with it: the form then unloads.
  x11::WatchDestroy(new_parent, [&form] { form.DestroyedByHost(); });
  return previous ? static_cast<HWND>(previous->winId()) : 0;
}

bool SetWindowPos(HWND window, HWND insert_after, int x, int y, int cx, int cy, unsigned flags) {
  constexpr unsigned kKnown =
      SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW;
  if (flags & ~kKnown) Unsupported("SetWindowPos", "flags " + std::to_string(flags));
  forms::FormImpl& form = OurWindow("SetWindowPos", window);
  QWidget& widget = *form.widget;
  if (!(flags & SWP_NOZORDER)) {
    if (insert_after != HWND_TOPMOST && insert_after != HWND_NOTOPMOST) {
      Unsupported("SetWindowPos", "insert-after window " + std::to_string(insert_after));
    }
    // The window's own flag: changing the widget's flags would make a new X window.
    widget.winId();
    widget.windowHandle()->setFlag(Qt::WindowStaysOnTopHint, insert_after == HWND_TOPMOST);
    if (insert_after == HWND_TOPMOST) widget.raise();
  }
  if (!(flags & SWP_NOMOVE)) widget.move(x, y);
  if (!(flags & SWP_NOSIZE)) widget.resize(cx, cy);
  if (flags & SWP_SHOWWINDOW) {
    widget.setAttribute(Qt::WA_ShowWithoutActivating, (flags & SWP_NOACTIVATE) != 0);
    widget.show();
  }
  return true;
}

int ShowCursor(bool show) {
  cursor_count += show ? 1 : -1;
  forms::SetCursorHidden(cursor_count < 0);
  return cursor_count;
}

bool SystemParametersInfoA(unsigned action, unsigned param, void*, unsigned) {
  if (action != SPI_SETSCREENSAVERRUNNING) {
    Unsupported("SystemParametersInfoA", "action " + std::to_string(action));
  }
  return x11::GrabKeyboard(param != 0);
}

}  // namespace win
