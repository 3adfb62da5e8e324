// The Qt side of the forms run time, shared by the platform's own sources and the platform
// tests only. Each form, control and timer keeps its Qt objects in an Impl of its kind; the
// widgets here turn Qt's events into the forms' events.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/builtin_pictures.h"
#include "platform/forms.h"

class QAbstractButton;

namespace forms {

struct Impl {
  virtual ~Impl() = default;
};

// The run time's process-wide pieces (app.cpp).
// Creates the application object when nothing has yet (tests build forms without RunProgram).
void EnsureApplication();
// Runs an event handler: a run-time error that escapes it stops the program with the run time's
// message box, as an unhandled error did.
void Dispatch(const std::function<void()>& handler);
// Called when a form unloads: the event loop ends once no form is loaded.
void QuitWhenNoFormLoaded();

constexpr double kTwipsPerPixel = 15.0;

QColor ToQColor(win::COLORREF color);
// A host font for the run time's font description, sized at the 96 dots an inch of twips.
QFont ToQFont(const Font& font);
// Buttons as the program's own show them: in words alone, without the style's stock icons.
void WordsOnly(const QList<QAbstractButton*>& buttons);

// The cursor the run time shows: blank while ShowCursor's count is below 0, else the screen
// object's mouse pointer.
void SetCursorHidden(bool hidden);

// A window's drawing surface (forms_surface.cpp): a raster window surface (gdi.h) holding a
// 32-bit bitmap of the given size, filled with a colour; resizing keeps the DC's handle and
// swaps its bitmap.
class Surface {
 public:
  Surface() = default;
  ~Surface();
  Surface(const Surface&) = delete;  // it owns its DC: a copy would delete it twice
  Surface& operator=(const Surface&) = delete;
  win::HDC Handle(int width, int height, win::COLORREF fill);
  void Resize(int width, int height, win::COLORREF fill);
  bool Exists() const { return dc_ != 0; }
  // The pixels the surface shows as an image, without copying them.
  QImage View() const;

 private:
  win::HDC dc_ = 0;
};

// The picture of a form's drawing surface, over the whole client area and under the controls
// (forms_surface.cpp). On an X display that takes the raster's pixels as they are, it has a
// window of its own and puts them there itself, so that no toolkit buffer holds a copy of them;
// elsewhere the toolkit paints it.
class SurfaceWidget : public QWidget {
 public:
  SurfaceWidget(QWidget& form, Surface& surface);
  // The window shows what is on the surface now.
  void ShowSurface();

 protected:
  QPaintEngine* paintEngine() const override;
  void paintEvent(QPaintEvent* event) override;

 private:
  Surface& surface_;
  bool puts_pixels_ = false;
};

// What a container gives the controls placed on it.
struct ContainerImpl : Impl {
  QWidget* host = nullptr;
};

class FormWidget;
struct TimerImpl;
struct ControlImpl;

struct FormImpl : ContainerImpl {
  explicit FormImpl(Form& form);
  ~FormImpl() override;

  Form& form;
  QPointer<FormWidget> widget;
  ScaleMode scale = ScaleMode::Twip;
  BorderStyle border = BorderStyle::Sizable;
  WindowState state = WindowState::Normal;
  std::optional<win::COLORREF> back_color;
  Surface surface;
  QPointer<SurfaceWidget> picture;  // made when the program first asks for the surface
  std::vector<TimerImpl*> timers;
  bool initialized = false;
  bool loaded = false;
  std::int32_t style = 0;                // GWL_STYLE bookkeeping
  win::HWND owner = 0;                   // GWL_HWNDPARENT bookkeeping
  std::vector<ControlImpl*> tab_order;   // every control of the form, first in the order first
  std::unique_ptr<QObject> key_preview;  // the filter that shows the form its controls' keys

  double UnitsPerPixel() const { return scale == ScaleMode::Twip ? kTwipsPerPixel : 1.0; }
  win::COLORREF BackColor() const;
  void ApplyWindowFlags();
  void StartTimers(bool start);
  // The window closed by the user (close box) or destroyed by its host.
  void CloseBySystem();
  void DestroyedByHost();
  // The Form_QueryUnload/Form_Unload steps; false when cancelled.
  bool RunUnload(int unload_mode, bool may_cancel);
};

// The form's window: turns input into the form's events.
class FormWidget : public QWidget {
 public:
  explicit FormWidget(FormImpl& impl);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;  // activation (forms_focus.cpp)

 private:
  FormImpl& impl_;
  bool pressed_ = false;
  bool after_double_click_ = false;
};

struct ControlImpl : Impl {
  QPointer<QWidget> widget;
  Form* form = nullptr;
  double UnitsPerPixel() const;
  ~ControlImpl() override;  // also leaves the form's tab order
};

// The widget that a container's controls are placed on.
QWidget* HostOf(Container& parent);
// Puts a new control's widget on its container, shown, in the dialog font, at the end of the
// form's tab order.
void Attach(ControlImpl& impl, Container& parent, QWidget* widget);
template <class Impl_, class Widget>
Widget* Place(std::unique_ptr<Impl>& slot, Container& parent, Widget* widget) {
  auto impl = std::make_unique<Impl_>();
  Attach(*impl, parent, widget);
  slot = std::move(impl);
  return widget;
}
// Chains the form's focusable widgets in its tab order.
void ApplyTabOrder(FormImpl& form);
// Gives the focus to the first control of the tab order that can take it, as a form shown for
// the first time does; nothing when no control can.
void FocusFirstInTabOrder(FormImpl& form);

// A built-in picture as an image: opaque, or with its alpha when it has one.
QImage ToQImage(const BuiltinPicture& picture);

struct TimerImpl : Impl {
  FormImpl* form = nullptr;
  QTimer timer;
  rt::Long interval = 0;
  bool enabled = true;
  bool running_handler = false;
  std::function<void()>* handler = nullptr;
  void Update();
};

FormImpl& ImplOf(Form& form);
// The form whose window has the handle; null when the window is not ours.
FormImpl* FindForm(win::HWND window);
// Every form whose window exists (for FindWindowA without an X server).
std::vector<FormImpl*> AllForms();

// The virtual-key code and shift state (1 shift, 2 control, 4 alt) of a Qt key event.
int VirtualKeyOf(int qt_key);
int ShiftStateOf(Qt::KeyboardModifiers modifiers);
// The character code of a key that types one (KeyAscii: Enter 13, Backspace 8, Escape 27, the
// ANSI characters), or nothing for other keys (Tab, arrows, characters beyond ANSI).
std::optional<int> KeyAsciiOf(const QKeyEvent& event);

}  // namespace forms
