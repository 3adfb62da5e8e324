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
  // 0 default, 11 hourglass over every window of the program, 99 custom: with no pointer picture
  // of the screen's own, 99 shows what 0 does (each control's own pointer). Others fail loudly.
  int MousePointer = 0;
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

  // With key preview on, the form sees every key (Form_KeyDown, then Form_KeyPress) before the
  // control that has the focus; off (the default), only keys that reach the form itself.
  void SetKeyPreview(bool key_preview);

 protected:
  friend struct FormImpl;
  friend class FormWidget;
  friend class KeyPreviewFilter;
  virtual void Form_Initialize() {}
  virtual void Form_Load() {}
  virtual void Form_Click() {}
  virtual void Form_DblClick() {}
  virtual void Form_MouseMove(rt::Integer /*button*/, rt::Integer /*shift*/, float /*x*/,
                              float /*y*/) {}
  virtual void Form_KeyDown(rt::Integer /*keycode*/, rt::Integer /*shift*/) {}
  // A key that types a character (Enter 13, Backspace 8, Escape 27 included), after KeyDown.
  // Setting KeyAscii to 0 swallows the key; changing it to another character is not supported.
  virtual void Form_KeyPress(rt::Integer& /*KeyAscii*/) {}
  // Each time the form becomes the active window.
  virtual void Form_Activate() {}
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
  // The place in the form's tab order, 0 first; the others move up or down to make room, as in
  // the old run time. Controls start in the order they were created.
  void SetTabIndex(int index);
  // Error 5 when the control or its form cannot take the focus (hidden or disabled).
  void SetFocus();
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

// A label takes no mouse input: clicks and moves over it belong to what lies under it.
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
};

class CommandButton : public Control {
 public:
  explicit CommandButton(Container& parent);
  std::string Caption() const;
  void SetCaption(const std::string& caption);  // "&" marks the access key
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
  // Clears what was drawn: the surface shows the back colour with the picture again.
  void Cls();
  // 0 the default pointer, 99 the picture set by SetMouseIcon; others fail loudly.
  void SetMousePointer(int pointer);
  // A cursor picture built into the program, by name (its hotspot comes with it).
  void SetMouseIcon(const std::string& builtin_name);
  std::function<void()> OnClick;
};

// Controls whose value the program sets as well as the user: a set that changes the value runs
// the event handler at once, in the caller (its errors reach the caller); a change by the user
// runs it as an event. A set to the value already held runs nothing.
// Control arrays are plain arrays of controls, each handler capturing its index.

// A check box: Value 0 unchecked, 1 checked; a user click toggles it and fires OnClick.
class CheckBox : public Control {
 public:
  explicit CheckBox(Container& parent);
  std::string Caption() const;
  void SetCaption(const std::string& caption);  // "&" marks the access key
  rt::Integer Value() const;
  // 0 or 1; 2 (greyed) is not supported, anything else raises error 380.
  void SetValue(rt::Integer value);
  std::function<void()> OnClick;
};

// A drop-down list without free text. ListIndex -1 is no selection.
class ComboBox : public Control {
 public:
  explicit ComboBox(Container& parent);
  void AddItem(const std::string& item);
  rt::Integer ListCount() const;
  std::string List(rt::Integer index) const;  // outside 0..ListCount-1 fails loudly
  rt::Integer ListIndex() const;
  // Selects the item (-1 none) and fires OnClick when the index changes; outside
  // -1..ListCount-1 raises error 380. A pick by the user fires OnClick even on the same item.
  void SetListIndex(rt::Integer index);
  std::string Text() const;  // the selected item's text, "" with none selected
  std::function<void()> OnClick;
};

// A horizontal scroll bar: Min 0, Max 32767, Value 0, SmallChange 1, LargeChange 1 at first.
class HScrollBar : public Control {
 public:
  explicit HScrollBar(Container& parent);
  rt::Integer Min() const;
  rt::Integer Max() const;
  rt::Integer Value() const;
  rt::Integer SmallChange() const;
  rt::Integer LargeChange() const;
  // Min above Max is not supported; a Value left outside the new range is moved into it.
  void SetMin(rt::Integer min);
  void SetMax(rt::Integer max);
  void SetValue(rt::Integer value);         // outside Min..Max raises error 380
  void SetSmallChange(rt::Integer change);  // below 1 raises error 380
  void SetLargeChange(rt::Integer change);  // below 1 raises error 380
  // Fires when the value changes, by the user (arrows, track, thumb) or by a set.
  std::function<void()> OnChange;
};

// A one-line text box: a line break that comes in (pasted, dropped or set) becomes one blank.
class TextBox : public Control {
 public:
  explicit TextBox(Container& parent);
  std::string Text() const;
  void SetText(const std::string& text);
  // The most characters the box takes, 0 (the default) for no limit; negative raises error 380.
  void SetMaxLength(rt::Long length);
  void SetBackColor(win::COLORREF color);
  std::function<void()> OnChange;
};

// The tabbed dialog control: Tabs() pages, each a container whose controls show only while its
// tab is selected. Controls on a page are placed relative to the control's own top left, the
// tab strip included, as on the old control; controls on the form created after the tab
// control lie above it.
class SSTab : public Control {
 public:
  SSTab(Container& parent, int tabs);
  ~SSTab() override;
  rt::Integer Tabs() const;
  void SetTabCaption(rt::Integer tab, const std::string& caption);  // "&" marks the access key
  Container& Page(rt::Integer tab);  // outside 0..Tabs-1 raises error 380
  rt::Integer Tab() const;
  // Selects the tab; outside 0..Tabs-1 raises error 380; a change fires OnClick.
  void SetTab(rt::Integer tab);
  // Fires when the selected tab changes, by the user or by SetTab, with the tab left.
  std::function<void(rt::Integer previous_tab)> OnClick;

 private:
  struct Pages;
  std::unique_ptr<Pages> pages_;
};

// MsgBox: a modal message box with an OK button (the only kind the program shows).
void MsgBox(const std::string& prompt, const std::string& title);

}  // namespace forms
