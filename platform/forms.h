// Our stand-in for the forms-and-controls run time, on Qt 6 Widgets. This header shows no Qt
// type, so the core's forms (the saver window, the dialogs) derive from forms::Form and hold
// controls as members, with event handlers named as the system names them.
//
// Events are dispatched one at a time on the user-interface thread. A rt::RuntimeError that
// escapes an event handler stops the program with the run time's own message box
// ("Run-time error '6':" / "Overflow"), as the old run time did.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/gdi.h"
#include "runtime/checked.h"

namespace forms {

class Form;
class Container;
struct Impl;  // the Qt side of a form or control

struct Font {
  std::string Name = "MS Sans Serif";  // mapped to a host font ("Arial" -> Liberation Sans)
  double Size = 8.25;                  // points
  bool Bold = false;
};

enum class ScaleMode { Twip, Pixel };
enum class WindowState { Normal, Minimized, Maximized };
enum class BorderStyle { None, Fixed, Sizable, FixedToolWindow };
enum class Alignment { LeftJustify, RightJustify, Center };

// The screen object: its size in twips, 15 twips to a pixel, and the mouse pointer.
struct ScreenObject {
  float Width() const;   // twips
  float Height() const;  // twips
  float TwipsPerPixelX() const;
  float TwipsPerPixelY() const;
  int MousePointer = 0;  // 0 default, 11 hourglass
  void SetMousePointer(int pointer);
};
extern ScreenObject Screen;

// Anything that holds controls: a form, a frame, a picture box.
class Container {
 public:
  virtual ~Container();
  Form& OwnerForm();
  Impl& impl() { return *impl_; }

 protected:
  std::unique_ptr<Impl> impl_;
  Form* owner_ = nullptr;
};

// A form: a top-level window with an Initialize/Load/Show/Hide/QueryUnload/Unload life.
class Form : public Container {
 public:
  Form();
  ~Form() override;

  // Load creates the window (hidden) and runs Form_Load; the first Load also runs
  // Form_Initialize before it. Show loads first when needed. Unload asks Form_QueryUnload, and
  // unless cancelled runs Form_Unload and destroys the window.
  void Load();
  void Show();
  void Hide();
  void Unload();
  bool Loaded() const;
  bool Visible() const;

  std::string Caption() const;
  void SetCaption(const std::string& caption);
  void SetBorderStyle(BorderStyle style);
  void SetWindowState(WindowState state);
  void SetBackColor(win::COLORREF color);
  void SetScaleMode(ScaleMode mode);
  // Outer position and size in twips, whatever the scale mode (the screen's units, as the run
  // time's form properties); the scale mode applies to the client area and the controls.
  void Move(double left, double top);
  void SetClientSize(double width, double height);
  double Left() const;
  double Top() const;
  double Width() const;  // outer width, as the run time's Width property
  double Height() const;
  double ScaleWidth() const;  // client area
  double ScaleHeight() const;

  // The window's handle (an X window id) and its drawing surface: a raster DC whose 32-bit
  // bitmap is the client area, shown on screen by Refresh.
  win::HWND hWnd() const;
  win::HDC hDC() const;
  void Refresh();

 protected:
  friend struct FormImpl;
  friend class FormWidget;
  virtual void Form_Initialize() {}
  virtual void Form_Load() {}
  virtual void Form_Click() {}
  virtual void Form_DblClick() {}
  virtual void Form_MouseMove(rt::Integer /*button*/, rt::Integer /*shift*/, float /*x*/,
                              float /*y*/) {}
  virtual void Form_KeyDown(rt::Integer /*keycode*/, rt::Integer /*shift*/) {}
  // cancel: set non-zero to keep the form; unload_mode: 0 closed from the window's menu or
  // close box, 1 by the program's Unload. A window destroyed by its host (a preview whose host
  // closes) cannot stay: it gets Form_Unload only.
  virtual void Form_QueryUnload(rt::Integer& /*cancel*/, rt::Integer /*unload_mode*/) {}
  virtual void Form_Unload(rt::Integer& /*cancel*/) {}
};

// Controls share placement and visibility, in the owning form's scale units.
class Control {
 public:
  virtual ~Control();
  void Move(double left, double top, double width, double height);
  double Left() const;
  double Top() const;
  double Width() const;
  double Height() const;
  void SetLeft(double left);
  void SetTop(double top);
  bool Visible() const;
  void SetVisible(bool visible);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  void SetToolTipText(const std::string& text);
  void Refresh();
  Impl& impl() { return *impl_; }

 protected:
  std::unique_ptr<Impl> impl_;
  Container* parent_ = nullptr;
};

// A timer: fires Timer every Interval milliseconds while enabled and the interval is above 0.
// Overdue ticks are coalesced into one, as the old timers did.
class Timer {
 public:
  explicit Timer(Form& owner);
  ~Timer();
  rt::Long Interval() const;
  void SetInterval(rt::Long ms);  // negative (or above 65535) raises error 380
  bool Enabled() const;
  void SetEnabled(bool enabled);
  std::function<void()> OnTimer;

 private:
  std::unique_ptr<Impl> impl_;
};

class Label : public Control {
 public:
  explicit Label(Container& parent);
  std::string Caption() const;
  void SetCaption(const std::string& caption);  // AutoSize labels resize to the caption
  void SetAutoSize(bool auto_size);
  void SetWordWrap(bool word_wrap);
  void SetAlignment(Alignment alignment);
  void SetFont(const Font& font);
  void SetForeColor(win::COLORREF color);
  void SetBackColor(win::COLORREF color);
  std::function<void()> OnClick;
};

class CommandButton : public Control {
 public:
  explicit CommandButton(Container& parent);
  std::string Caption() const;
  void SetCaption(const std::string& caption);  // "&" marks the access key
  void SetDefault(bool is_default);
  void SetFocus();
  std::function<void()> OnClick;
};

class Frame : public Control, public Container {
 public:
  explicit Frame(Container& parent);
  void SetCaption(const std::string& caption);
  void SetBackColor(win::COLORREF color);
  void SetBorder(bool border);
};

// A picture box: shows a built-in picture, or draws from its own drawing surface (hDC, a raster
// DC of its inner area) when the program blits into it.
class PictureBox : public Control, public Container {
 public:
  explicit PictureBox(Container& parent);
  // A picture built into the program, by name (see platform/builtin_pictures.h).
  void SetPicture(const std::string& builtin_name);
  void SetBackColor(win::COLORREF color);
  void SetBorder(bool border);
  void SetScaleMode(ScaleMode mode);
  double ScaleWidth() const;
  double ScaleHeight() const;
  win::HDC hDC() const;
  std::function<void()> OnClick;
};

// MsgBox: a modal message box with an OK button (the only kind the program shows).
void MsgBox(const std::string& prompt, const std::string& title);

}  // namespace forms
