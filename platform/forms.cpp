// Forms on Qt Widgets: each form is one top-level QWidget created with the form object and
// shown once loaded. Load runs Form_Initialize (the first time) and Form_Load; a load asked for
// while Form_Initialize runs happens at once, so a form whose initialisation touches itself
// runs its load steps first, as the old run time did.
#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QIcon>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "platform/forms_qt.h"
#include "platform/unsupported.h"
#include "platform/user32.h"

namespace forms {

ScreenObject Screen;

namespace {

std::vector<FormImpl*>& Registry() {
  static std::vector<FormImpl*> forms;
  return forms;
}

bool cursor_hidden = false;
bool cursor_overridden = false;

void ApplyCursor() {
  EnsureApplication();
  std::optional<Qt::CursorShape> shape;
  if (cursor_hidden) {
    shape = Qt::BlankCursor;
  } else if (Screen.MousePointer == 11) {
    shape = Qt::WaitCursor;
  }
  // 99 with no pointer picture of the screen's own overrides nothing, as 0.
  if (!shape) {
    if (cursor_overridden) QGuiApplication::restoreOverrideCursor();
    cursor_overridden = false;
  } else if (cursor_overridden) {
    QGuiApplication::changeOverrideCursor(QCursor(*shape));
  } else {
    QGuiApplication::setOverrideCursor(QCursor(*shape));
    cursor_overridden = true;
  }
}

int Pixels(double units, double units_per_pixel) {
  return static_cast<int>(std::lround(units / units_per_pixel));
}

}  // namespace

// ---- Colours, fonts, cursor ----

QColor ToQColor(win::COLORREF color) {
  return QColor(win::GetRValue(color), win::GetGValue(color), win::GetBValue(color));
}

QFont ToQFont(const Font& font) {
  // Liberation Sans is drawn to Arial's measures; it also stands in for the old dialog font.
  const bool known = font.Name == "Arial" || font.Name == "MS Sans Serif";
  QFont qfont(known ? QString("Liberation Sans") : QString::fromStdString(font.Name));
  qfont.setStyleHint(QFont::SansSerif);
  qfont.setPixelSize(std::max(1, static_cast<int>(std::lround(font.Size * 96.0 / 72.0))));
  qfont.setBold(font.Bold);
  return qfont;
}

void SetCursorHidden(bool hidden) {
  cursor_hidden = hidden;
  ApplyCursor();
}

// ---- Screen ----

float ScreenObject::Width() const {
  EnsureApplication();
  return static_cast<float>(QGuiApplication::primaryScreen()->geometry().width() * kTwipsPerPixel);
}
float ScreenObject::Height() const {
  EnsureApplication();
  return static_cast<float>(QGuiApplication::primaryScreen()->geometry().height() * kTwipsPerPixel);
}
float ScreenObject::TwipsPerPixelX() const {
  return static_cast<float>(kTwipsPerPixel);
}
float ScreenObject::TwipsPerPixelY() const {
  return static_cast<float>(kTwipsPerPixel);
}

void ScreenObject::SetMousePointer(int pointer) {
  if (pointer != 0 && pointer != 11 && pointer != 99) {
    win::Unsupported("forms::Screen.MousePointer", "pointer " + std::to_string(pointer));
  }
  MousePointer = pointer;
  ApplyCursor();
}

// ---- Containers and forms ----

Container::~Container() = default;
Form& Container::OwnerForm() {
  return *owner_;
}

FormImpl& ImplOf(Form& form) {
  return static_cast<FormImpl&>(form.impl());
}

FormImpl* FindForm(win::HWND window) {
  if (window == 0) return nullptr;
  for (FormImpl* impl : Registry()) {
    if (impl->widget && impl->widget->internalWinId() == static_cast<WId>(window)) return impl;
  }
  return nullptr;
}

std::vector<FormImpl*> AllForms() {
  return Registry();
}

FormImpl::FormImpl(Form& f) : form(f) {
  EnsureApplication();
  widget = new FormWidget(*this);
  host = widget;
  Registry().push_back(this);
  ApplyWindowFlags();
}

FormImpl::~FormImpl() {
  std::erase(Registry(), this);
  delete widget.data();
}

win::COLORREF FormImpl::BackColor() const {
  if (back_color) return *back_color;
  const QColor c = widget->palette().color(QPalette::Window);
  return win::RGB(c.red(), c.green(), c.blue());
}

void FormImpl::ApplyWindowFlags() {
  Qt::WindowFlags flags;
  switch (border) {
    case BorderStyle::None:
      flags = Qt::Window | Qt::FramelessWindowHint;
      style = static_cast<std::int32_t>(0x80000000u);  // WS_POPUP
      break;
    case BorderStyle::Sizable:
      flags = Qt::Window;
      style = 0x00CF0000;  // WS_OVERLAPPEDWINDOW
      break;
    case BorderStyle::Fixed:
    case BorderStyle::FixedToolWindow:
      flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
              Qt::MSWindowsFixedSizeDialogHint;
      style = 0x00C80000;  // WS_CAPTION | WS_SYSMENU
      break;
  }
  widget->setWindowFlags(flags);
}

void FormImpl::StartTimers(bool start) {
  for (TimerImpl* timer : timers) {
    if (start) {
      timer->Update();
    } else {
      timer->timer.stop();
    }
  }
}

bool FormImpl::RunUnload(int unload_mode, bool may_cancel) {
  rt::Integer cancel = 0;
  if (may_cancel) {
    form.Form_QueryUnload(cancel, unload_mode);
    if (cancel != 0) return false;
  }
  form.Form_Unload(cancel);
  if (may_cancel && cancel != 0) return false;
  loaded = false;
  StartTimers(false);
  widget->hide();
  QuitWhenNoFormLoaded();
  return true;
}

void FormImpl::CloseBySystem() {
  Dispatch([this] {
    if (loaded) RunUnload(0, true);
  });
}

void FormImpl::DestroyedByHost() {
  Dispatch([this] {
    if (loaded) RunUnload(0, false);
  });
}

Form::Form() {
  impl_ = std::make_unique<FormImpl>(*this);
  owner_ = this;
}

Form::~Form() = default;

void Form::Load() {
  FormImpl& impl = ImplOf(*this);
  if (impl.loaded) return;
  if (!impl.initialized) {
    impl.initialized = true;
    Form_Initialize();
    if (impl.loaded) return;  // the initialisation loaded the form itself
  }
  impl.loaded = true;
  impl.widget->winId();  // the window exists from the load on, hidden
  impl.StartTimers(true);
  Form_Load();
}

void Form::Show() {
  Load();
  FormImpl& impl = ImplOf(*this);
  if (!impl.loaded) return;  // the load unloaded it again
  QWidget& w = *impl.widget;
  QScreen* screen = QGuiApplication::primaryScreen();
  if (impl.state == WindowState::Maximized) {
    // Without a window manager the state alone changes nothing, so the size is set as well.
    if (impl.border == BorderStyle::None) {
      w.setGeometry(screen->geometry());
      w.setWindowState(Qt::WindowFullScreen);
    } else {
      w.setGeometry(screen->availableGeometry());
      w.setWindowState(Qt::WindowMaximized);
    }
  } else if (impl.state == WindowState::Minimized) {
    w.setWindowState(Qt::WindowMinimized);
  }
  // The window takes the focus itself only when no control on it can, so that Tab never lands
  // on the bare window between a dialog's last control and its first.
  const QList<QWidget*> children = w.findChildren<QWidget*>();
  const bool a_control_can =
      std::any_of(children.begin(), children.end(),
                  [](const QWidget* child) { return child->focusPolicy() & Qt::TabFocus; });
  w.setFocusPolicy(a_control_can ? Qt::NoFocus : Qt::StrongFocus);
  // The window's own choice would be its first child; the old run time chose by tab order.
  if (!w.focusWidget()) FocusFirstInTabOrder(impl);
  w.show();
  w.raise();
  w.activateWindow();
}

void Form::Hide() {
  Load();
  ImplOf(*this).widget->hide();
}

void Form::Unload() {
  FormImpl& impl = ImplOf(*this);
  if (impl.loaded) impl.RunUnload(1, true);
}

bool Form::Loaded() const {
  return static_cast<FormImpl&>(*impl_).loaded;
}
bool Form::Visible() const {
  return static_cast<FormImpl&>(*impl_).widget->isVisible();
}

std::string Form::Caption() const {
  return static_cast<FormImpl&>(*impl_).widget->windowTitle().toStdString();
}
void Form::SetCaption(const std::string& caption) {
  ImplOf(*this).widget->setWindowTitle(QString::fromStdString(caption));
}

void Form::SetBorderStyle(BorderStyle style) {
  FormImpl& impl = ImplOf(*this);
  impl.border = style;
  impl.ApplyWindowFlags();
}

void Form::SetWindowState(WindowState state) {
  FormImpl& impl = ImplOf(*this);
  impl.state = state;
  if (impl.widget->isVisible()) Show();
}

void Form::SetBackColor(win::COLORREF color) {
  FormImpl& impl = ImplOf(*this);
  impl.back_color = color;
  QPalette palette = impl.widget->palette();
  palette.setColor(QPalette::Window, ToQColor(color));
  impl.widget->setPalette(palette);
  impl.widget->update();
}

void Form::SetScaleMode(ScaleMode mode) {
  ImplOf(*this).scale = mode;
}

void Form::Move(double left, double top) {
  ImplOf(*this).widget->move(Pixels(left, kTwipsPerPixel), Pixels(top, kTwipsPerPixel));
}

void Form::SetClientSize(double width, double height) {
  FormImpl& impl = ImplOf(*this);
  const QSize size(Pixels(width, kTwipsPerPixel), Pixels(height, kTwipsPerPixel));
  if (impl.border == BorderStyle::Fixed || impl.border == BorderStyle::FixedToolWindow) {
    impl.widget->setFixedSize(size);
  } else {
    impl.widget->resize(size);
  }
}

double Form::Left() const {
  return static_cast<FormImpl&>(*impl_).widget->frameGeometry().x() * kTwipsPerPixel;
}
double Form::Top() const {
  return static_cast<FormImpl&>(*impl_).widget->frameGeometry().y() * kTwipsPerPixel;
}
double Form::Width() const {
  return static_cast<FormImpl&>(*impl_).widget->frameGeometry().width() * kTwipsPerPixel;
}
double Form::Height() const {
  return static_cast<FormImpl&>(*impl_).widget->frameGeometry().height() * kTwipsPerPixel;
}
double Form::ScaleWidth() const {
  const auto& impl = static_cast<FormImpl&>(*impl_);
  return impl.widget->width() * impl.UnitsPerPixel();
}
double Form::ScaleHeight() const {
  const auto& impl = static_cast<FormImpl&>(*impl_);
  return impl.widget->height() * impl.UnitsPerPixel();
}

win::HWND Form::hWnd() const {
  return static_cast<win::HWND>(static_cast<FormImpl&>(*impl_).widget->winId());
}

win::HDC Form::hDC() const {
  auto& impl = static_cast<FormImpl&>(*impl_);
  const win::HDC dc =
      impl.surface.Handle(impl.widget->width(), impl.widget->height(), impl.BackColor());
  if (!impl.picture) impl.picture = new SurfaceWidget(*impl.widget, impl.surface);
  return dc;
}

void Form::Refresh() {
  FormImpl& impl = ImplOf(*this);
  if (impl.picture) {
    impl.picture->ShowSurface();
  } else {
    impl.widget->update();
  }
}

// ---- The form's window ----

FormWidget::FormWidget(FormImpl& impl) : impl_(impl) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setFont(ToQFont(Font{}));
  setAttribute(Qt::WA_QuitOnClose, false);
  setAttribute(Qt::WA_OpaquePaintEvent);  // every pixel is painted here
}

// Until the program draws on the form: once it does, its picture covers the whole client area.
void FormWidget::paintEvent(QPaintEvent*) {
  QPainter(this).fillRect(rect(), ToQColor(impl_.BackColor()));
}

void FormWidget::resizeEvent(QResizeEvent*) {
  impl_.surface.Resize(width(), height(), impl_.BackColor());
  if (impl_.picture) impl_.picture->setGeometry(rect());
}

namespace {
rt::Integer ButtonState(Qt::MouseButtons buttons) {
  return static_cast<std::int16_t>(((buttons & Qt::LeftButton) ? 1 : 0) |
                                   ((buttons & Qt::RightButton) ? 2 : 0) |
                                   ((buttons & Qt::MiddleButton) ? 4 : 0));
}
}  // namespace

void FormWidget::mouseMoveEvent(QMouseEvent* event) {
  const double units = impl_.UnitsPerPixel();
  const QPointF pos = event->position();
  Dispatch([&] {
    impl_.form.Form_MouseMove(
        ButtonState(event->buttons()), static_cast<std::int16_t>(ShiftStateOf(event->modifiers())),
        static_cast<float>(pos.x() * units), static_cast<float>(pos.y() * units));
  });
}

void FormWidget::mousePressEvent(QMouseEvent*) {
  pressed_ = true;
}

void FormWidget::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && !after_double_click_ && rect().contains(event->position().toPoint());
  pressed_ = false;
  after_double_click_ = false;
  if (click) Dispatch([&] { impl_.form.Form_Click(); });
}

void FormWidget::mouseDoubleClickEvent(QMouseEvent*) {
  after_double_click_ = true;
  Dispatch([&] { impl_.form.Form_DblClick(); });
}

void FormWidget::keyPressEvent(QKeyEvent* event) {
  // A key a control passed on was already shown to the form by its key preview.
  const QWidget* focused = QApplication::focusWidget();
  if (impl_.key_preview && focused && focused != this) return;
  const int keycode = VirtualKeyOf(event->key());
  const int shift = ShiftStateOf(event->modifiers());
  const std::optional<int> ascii = KeyAsciiOf(*event);
  Dispatch([&] {
    impl_.form.Form_KeyDown(static_cast<std::int16_t>(keycode), static_cast<std::int16_t>(shift));
    if (!ascii) return;
    rt::Integer key_ascii = static_cast<std::int16_t>(*ascii);
    impl_.form.Form_KeyPress(key_ascii);
  });
}

void FormWidget::closeEvent(QCloseEvent* event) {
  // The window goes away only through the unload steps, which hide it.
  event->ignore();
  impl_.CloseBySystem();
}

// ---- Keys ----

int ShiftStateOf(Qt::KeyboardModifiers modifiers) {
  return ((modifiers & Qt::ShiftModifier) ? 1 : 0) | ((modifiers & Qt::ControlModifier) ? 2 : 0) |
         ((modifiers & Qt::AltModifier) ? 4 : 0);
}

int VirtualKeyOf(int qt_key) {
  if (qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) return 0x41 + (qt_key - Qt::Key_A);
  if (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9) return 0x30 + (qt_key - Qt::Key_0);
  if (qt_key >= Qt::Key_F1 && qt_key <= Qt::Key_F24) return 0x70 + (qt_key - Qt::Key_F1);
  switch (qt_key) {
    case Qt::Key_Backspace:
      return 0x08;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return 0x09;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 0x0D;
    case Qt::Key_Shift:
      return 0x10;
    case Qt::Key_Control:
      return 0x11;
    case Qt::Key_Alt:
      return 0x12;
    case Qt::Key_Pause:
      return 0x13;
    case Qt::Key_CapsLock:
      return 0x14;
    case Qt::Key_Escape:
      return 0x1B;
    case Qt::Key_Space:
      return 0x20;
    case Qt::Key_PageUp:
      return 0x21;
    case Qt::Key_PageDown:
      return 0x22;
    case Qt::Key_End:
      return 0x23;
    case Qt::Key_Home:
      return 0x24;
    case Qt::Key_Left:
      return 0x25;
    case Qt::Key_Up:
      return 0x26;
    case Qt::Key_Right:
      return 0x27;
    case Qt::Key_Down:
      return 0x28;
    case Qt::Key_Print:
      return 0x2C;
    case Qt::Key_Insert:
      return 0x2D;
    case Qt::Key_Delete:
      return 0x2E;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
      return 0x5B;
    case Qt::Key_Super_R:
      return 0x5C;
    case Qt::Key_Menu:
      return 0x5D;
    case Qt::Key_NumLock:
      return 0x90;
    case Qt::Key_ScrollLock:
      return 0x91;
    default:
      // Punctuation and keys the old keyboard had no code for still end the saver: they get
      // a code no letter of any sequence has.
      return 0xFF;
  }
}

// ---- MsgBox ----

void WordsOnly(const QList<QAbstractButton*>& buttons) {
  for (QAbstractButton* button : buttons) button->setIcon(QIcon());
}

void MsgBox(const std::string& prompt, const std::string& title) {
  EnsureApplication();
  const QPointer<QWidget> had_focus = QApplication::focusWidget();
  // Owned by the active window, as on Windows, so that it stays above it even when that window
  // is topmost.
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                  QString::fromStdString(prompt), QMessageBox::Ok, QApplication::activeWindow());
  WordsOnly(box.buttons());
  box.exec();
  // Without a window manager nobody gives the keyboard back when the box goes: the control that
  // had it takes it again, or typing would go nowhere until a click.
  if (had_focus && had_focus->isVisible()) {
    had_focus->activateWindow();
    had_focus->setFocus(Qt::OtherFocusReason);
  }
}

}  // namespace forms
