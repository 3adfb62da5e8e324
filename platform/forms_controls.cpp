// The controls: each is one child widget of its container's widget, placed in the owning form's
// scale units. Their events reach the program through Dispatch, as the form's own do.
#include <QCursor>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <cmath>

#include "platform/builtin_pictures.h"
#include "platform/forms_qt.h"
#include "platform/unsupported.h"
#include "platform/x11_windows.h"

namespace forms {

namespace {

int Pixels(double units, double units_per_pixel) {
  return static_cast<int>(std::lround(units / units_per_pixel));
}

// A widget that answers clicks itself, so they never fall through to the form underneath.
template <class Base>
class ClickWidget : public Base {
 public:
  using Base::Base;
  std::function<void()>* on_click = nullptr;

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    pressed_ = true;
    event->accept();
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    event->accept();
    const bool click = pressed_ && this->rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click && on_click && *on_click) Dispatch(*on_click);
  }
  void mouseDoubleClickEvent(QMouseEvent* event) override { event->accept(); }
  void mouseMoveEvent(QMouseEvent* event) override { event->accept(); }

 private:
  bool pressed_ = false;
};

}  // namespace

// ---- Control ----

ControlImpl::~ControlImpl() {
  if (form) std::erase(ImplOf(*form).tab_order, this);
  delete widget.data();
}

double ControlImpl::UnitsPerPixel() const {
  return form ? ImplOf(*form).UnitsPerPixel() : kTwipsPerPixel;
}

QWidget* HostOf(Container& parent) {
  return static_cast<ContainerImpl&>(parent.impl()).host;
}

void Attach(ControlImpl& impl, Container& parent, QWidget* widget) {
  impl.form = &parent.OwnerForm();
  impl.widget = widget;
  widget->setParent(HostOf(parent));
  widget->setFont(ToQFont(Font{}));
  widget->show();
  FormImpl& form = ImplOf(*impl.form);
  form.tab_order.push_back(&impl);
  ApplyTabOrder(form);
}

Control::~Control() = default;

void Control::Move(double left, double top, double width, double height) {
  auto& impl = static_cast<ControlImpl&>(*impl_);
  const double u = impl.UnitsPerPixel();
  impl.widget->setGeometry(Pixels(left, u), Pixels(top, u), Pixels(width, u), Pixels(height, u));
}

double Control::Left() const {
  auto& impl = static_cast<ControlImpl&>(*impl_);
  return impl.widget->x() * impl.UnitsPerPixel();
}
double Control::Top() const {
  auto& impl = static_cast<ControlImpl&>(*impl_);
  return impl.widget->y() * impl.UnitsPerPixel();
}
double Control::Width() const {
  auto& impl = static_cast<ControlImpl&>(*impl_);
  return impl.widget->width() * impl.UnitsPerPixel();
}
double Control::Height() const {
  auto& impl = static_cast<ControlImpl&>(*impl_);
  return impl.widget->height() * impl.UnitsPerPixel();
}
void Control::SetLeft(double left) {
  auto& impl = static_cast<ControlImpl&>(*impl_);
  impl.widget->move(Pixels(left, impl.UnitsPerPixel()), impl.widget->y());
}
void Control::SetTop(double top) {
  auto& impl = static_cast<ControlImpl&>(*impl_);
  impl.widget->move(impl.widget->x(), Pixels(top, impl.UnitsPerPixel()));
}
bool Control::Visible() const {
  return !static_cast<ControlImpl&>(*impl_).widget->isHidden();
}
void Control::SetVisible(bool visible) {
  static_cast<ControlImpl&>(*impl_).widget->setVisible(visible);
}
bool Control::Enabled() const {
  return !static_cast<ControlImpl&>(*impl_).widget->testAttribute(Qt::WA_Disabled);
}
void Control::SetEnabled(bool enabled) {
  static_cast<ControlImpl&>(*impl_).widget->setEnabled(enabled);
}
void Control::SetToolTipText(const std::string& text) {
  static_cast<ControlImpl&>(*impl_).widget->setToolTip(QString::fromStdString(text));
}
void Control::Refresh() {
  static_cast<ControlImpl&>(*impl_).widget->update();
}

// ---- Timer ----

void TimerImpl::Update() {
  const bool active = enabled && interval > 0 && form->loaded;
  if (!active) {
    timer.stop();
  } else if (!timer.isActive() || timer.interval() != interval.Value()) {
    timer.start(interval.Value());
  }
}

Timer::Timer(Form& owner) {
  auto impl = std::make_unique<TimerImpl>();
  impl->form = &ImplOf(owner);
  impl->handler = &OnTimer;
  impl->timer.setTimerType(Qt::PreciseTimer);
  TimerImpl* raw = impl.get();
  // A QTimer never queues ticks: a handler that overruns, or a busy loop, gives one late tick,
  // not a burst. A tick that comes while the handler itself waits (a modal box) is dropped.
  QObject::connect(&raw->timer, &QTimer::timeout, [raw] {
    if (raw->running_handler || !*raw->handler) return;
    raw->running_handler = true;
    Dispatch(*raw->handler);
    raw->running_handler = false;
  });
  raw->form->timers.push_back(raw);
  impl_ = std::move(impl);
}

Timer::~Timer() {
  auto& impl = static_cast<TimerImpl&>(*impl_);
  std::erase(impl.form->timers, &impl);
}

rt::Long Timer::Interval() const {
  return static_cast<TimerImpl&>(*impl_).interval;
}

void Timer::SetInterval(rt::Long ms) {
  if (ms < 0 || ms > 65535) rt::Raise(rt::kInvalidPropertyValue);
  auto& impl = static_cast<TimerImpl&>(*impl_);
  impl.interval = ms;
  impl.timer.stop();  // a new interval starts its count afresh
  impl.Update();
}

bool Timer::Enabled() const {
  return static_cast<TimerImpl&>(*impl_).enabled;
}

void Timer::SetEnabled(bool enabled) {
  auto& impl = static_cast<TimerImpl&>(*impl_);
  impl.enabled = enabled;
  impl.Update();
}

// ---- Label ----

namespace {

// The mouse acts on what lies under a label: a click on the saver's message ends the saver, and
// so does the fifth move over it. Above a form's picture the label has an X window of its own,
// which would take the moves for itself, so that window passes all pointer input through.
class LabelWidget : public QLabel {
 protected:
  bool event(QEvent* event) override {
    if ((event->type() == QEvent::Show || event->type() == QEvent::WinIdChange) &&
        internalWinId()) {
      win::x11::PassPointerInput(static_cast<win::HWND>(internalWinId()));
    }
    return QLabel::event(event);
  }
};

struct LabelImpl : ControlImpl {
  bool auto_size = false;
  QLabel* Widget() { return static_cast<QLabel*>(widget.data()); }
  void Fit() {
    if (!auto_size) return;
    QLabel* w = Widget();
    if (w->wordWrap()) {
      w->resize(w->width(), w->heightForWidth(w->width()));
    } else {
      w->resize(w->sizeHint());
    }
  }
};

LabelImpl& LabelOf(std::unique_ptr<Impl>& impl) {
  return static_cast<LabelImpl&>(*impl);
}

void SetRole(QWidget* widget, QPalette::ColorRole role, win::COLORREF color) {
  QPalette palette = widget->palette();
  palette.setColor(role, ToQColor(color));
  widget->setPalette(palette);
}

}  // namespace

Label::Label(Container& parent) {
  parent_ = &parent;
  auto* w = Place<LabelImpl>(impl_, parent, new LabelWidget);
  w->setAttribute(Qt::WA_TransparentForMouseEvents);
  w->setTextFormat(Qt::PlainText);
  w->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

std::string Label::Caption() const {
  return static_cast<LabelImpl&>(*impl_).Widget()->text().toStdString();
}

void Label::SetCaption(const std::string& caption) {
  LabelOf(impl_).Widget()->setText(QString::fromStdString(caption));
  LabelOf(impl_).Fit();
}

void Label::SetAutoSize(bool auto_size) {
  LabelOf(impl_).auto_size = auto_size;
  LabelOf(impl_).Fit();
}

void Label::SetWordWrap(bool word_wrap) {
  LabelOf(impl_).Widget()->setWordWrap(word_wrap);
  LabelOf(impl_).Fit();
}

void Label::SetAlignment(Alignment alignment) {
  Qt::Alignment horizontal = Qt::AlignLeft;
  if (alignment == Alignment::RightJustify) horizontal = Qt::AlignRight;
  if (alignment == Alignment::Center) horizontal = Qt::AlignHCenter;
  LabelOf(impl_).Widget()->setAlignment(horizontal | Qt::AlignTop);
}

void Label::SetFont(const Font& font) {
  LabelOf(impl_).Widget()->setFont(ToQFont(font));
  LabelOf(impl_).Fit();
}

void Label::SetForeColor(win::COLORREF color) {
  SetRole(LabelOf(impl_).Widget(), QPalette::WindowText, color);
}

void Label::SetBackColor(win::COLORREF color) {
  QLabel* w = LabelOf(impl_).Widget();
  SetRole(w, QPalette::Window, color);
  w->setAutoFillBackground(true);
}

// ---- CommandButton ----

namespace {
QPushButton* ButtonOf(std::unique_ptr<Impl>& impl) {
  return static_cast<QPushButton*>(static_cast<ControlImpl&>(*impl).widget.data());
}
}  // namespace

CommandButton::CommandButton(Container& parent) {
  parent_ = &parent;
  auto* w = Place<ControlImpl>(impl_, parent, new QPushButton);
  // Enter presses the button that has the focus, as the old buttons did.
  w->setAutoDefault(true);
  QObject::connect(w, &QPushButton::clicked, [this] {
    if (OnClick) Dispatch(OnClick);
  });
}

std::string CommandButton::Caption() const {
  return static_cast<QPushButton*>(static_cast<ControlImpl&>(*impl_).widget.data())
      ->text()
      .toStdString();
}

void CommandButton::SetCaption(const std::string& caption) {
  ButtonOf(impl_)->setText(QString::fromStdString(caption));  // Qt reads "&" the same way
}

void CommandButton::SetFocus() {
  Control::SetFocus();
}

// ---- Frame ----

namespace {

// A frame: its back colour, an etched border and the caption over the border's top edge.
class FrameWidget : public QWidget {
 public:
  QString caption;
  bool border = true;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    if (autoFillBackground()) p.fillRect(rect(), palette().color(QPalette::Window));
    if (!border) return;
    const int top = caption.isEmpty() ? 0 : fontMetrics().height() / 2;
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(QRect(0, top, width() - 2, height() - top - 2));
    p.setPen(palette().color(QPalette::Light));
    p.drawRect(QRect(1, top + 1, width() - 2, height() - top - 2));
    if (caption.isEmpty()) return;
    const QRect text(8, 0, fontMetrics().horizontalAdvance(caption) + 4, fontMetrics().height());
    p.fillRect(text, palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(text, Qt::AlignCenter, caption);
  }
};

FrameWidget* FrameOf(std::unique_ptr<Impl>& impl) {
  return static_cast<FrameWidget*>(static_cast<ControlImpl&>(*impl).widget.data());
}

}  // namespace

Frame::Frame(Container& parent) {
  parent_ = &parent;
  auto* w = Place<ControlImpl>(Control::impl_, parent, new FrameWidget);
  auto host = std::make_unique<ContainerImpl>();
  host->host = w;
  Container::impl_ = std::move(host);
  owner_ = &parent.OwnerForm();
}

void Frame::SetCaption(const std::string& caption) {
  FrameOf(Control::impl_)->caption = QString::fromStdString(caption);
  FrameOf(Control::impl_)->update();
}

void Frame::SetBackColor(win::COLORREF color) {
  FrameWidget* w = FrameOf(Control::impl_);
  SetRole(w, QPalette::Window, color);
  w->setAutoFillBackground(true);
}

void Frame::SetBorder(bool border) {
  FrameOf(Control::impl_)->border = border;
  FrameOf(Control::impl_)->update();
}

// ---- PictureBox ----

namespace {

struct PictureImpl;

// A picture box: its back colour, the built-in picture at the top left of its inner area, or
// its drawing surface once the program has asked for one; a sunken border around it.
class PictureWidget : public ClickWidget<QWidget> {
 public:
  // Every pixel is painted here, and the surface's words carry no alpha: an opaque widget is
  // drawn into an opaque image, where those words need no converting.
  explicit PictureWidget(PictureImpl& impl) : impl_(impl) { setAttribute(Qt::WA_OpaquePaintEvent); }
  QRect Inner() const;

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;

 private:
  PictureImpl& impl_;
};

struct PictureImpl : ControlImpl {
  Surface surface;
  QImage picture;
  bool border = true;
  ScaleMode scale = ScaleMode::Twip;
  std::optional<win::COLORREF> back_color;
  bool custom_pointer = false;
  std::optional<QCursor> icon;
  PictureWidget* Widget() { return static_cast<PictureWidget*>(widget.data()); }
  // The surface shows as the box does: its back colour with the picture on it.
  void PaintPicture() {
    if (picture.isNull()) return;
    QImage shown(picture.size(), QImage::Format_RGB32);
    shown.fill(ToQColor(BackColor()));
    QPainter(&shown).drawImage(0, 0, picture);
    const win::HDC dc = surface.Handle(0, 0, 0);
    std::uint32_t* pixels = win::MutablePixels32(dc);
    const int stride = win::Stride32(dc);
    for (int y = 0; y < std::min(win::BitmapHeight(dc), shown.height()); ++y) {
      const auto* src = reinterpret_cast<const std::uint32_t*>(shown.constScanLine(y));
      for (int x = 0; x < std::min(win::BitmapWidth(dc), shown.width()); ++x) {
        pixels[y * stride + x] = src[x] & 0x00FFFFFF;
      }
    }
  }
  // Pointer 99 without a picture shows the default pointer, as the old run time did.
  void ApplyPointer() {
    if (custom_pointer && icon) {
      Widget()->setCursor(*icon);
    } else {
      Widget()->unsetCursor();
    }
  }
  win::COLORREF BackColor() {
    if (back_color) return *back_color;
    const QColor c = Widget()->palette().color(QPalette::Window);
    return win::RGB(c.red(), c.green(), c.blue());
  }
  double ScaleUnits() const { return scale == ScaleMode::Twip ? kTwipsPerPixel : 1.0; }
};

QRect PictureWidget::Inner() const {
  const int edge = impl_.border ? 2 : 0;
  return rect().adjusted(edge, edge, -edge, -edge);
}

void PictureWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect inner = Inner();
  p.fillRect(rect(), ToQColor(impl_.BackColor()));
  if (impl_.border) {
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(0, 0, width() - 1, 0);
    p.drawLine(0, 0, 0, height() - 1);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(1, height() - 1, width() - 1, height() - 1);
    p.drawLine(width() - 1, 1, width() - 1, height() - 1);
  }
  p.setClipRect(inner);
  if (impl_.surface.Exists()) {
    p.drawImage(inner.topLeft(), impl_.surface.View());
  } else if (!impl_.picture.isNull()) {
    p.drawImage(inner.topLeft(), impl_.picture);
  }
}

void PictureWidget::resizeEvent(QResizeEvent*) {
  impl_.surface.Resize(Inner().width(), Inner().height(), impl_.BackColor());
}

PictureImpl& PictureOf(std::unique_ptr<Impl>& impl) {
  return static_cast<PictureImpl&>(*impl);
}

}  // namespace

PictureBox::PictureBox(Container& parent) {
  parent_ = &parent;
  auto impl = std::make_unique<PictureImpl>();
  PictureImpl& raw = *impl;
  auto* w = new PictureWidget(raw);
  w->on_click = &OnClick;
  Attach(raw, parent, w);
  Control::impl_ = std::move(impl);
  auto host = std::make_unique<ContainerImpl>();
  host->host = w;
  Container::impl_ = std::move(host);
  owner_ = &parent.OwnerForm();
}

void PictureBox::SetPicture(const std::string& builtin_name) {
  const QImage image = ToQImage(FindBuiltinPicture(builtin_name));
  // Clear pixels let the back colour show through, as the picture box paints it under them.
  PictureOf(Control::impl_).picture = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  PictureOf(Control::impl_).Widget()->update();
}

void PictureBox::SetBackColor(win::COLORREF color) {
  PictureOf(Control::impl_).back_color = color;
  PictureOf(Control::impl_).Widget()->update();
}

void PictureBox::SetBorder(bool border) {
  PictureImpl& impl = PictureOf(Control::impl_);
  impl.border = border;
  const QRect inner = impl.Widget()->Inner();
  impl.surface.Resize(inner.width(), inner.height(), impl.BackColor());
  impl.Widget()->update();
}

void PictureBox::SetScaleMode(ScaleMode mode) {
  PictureOf(Control::impl_).scale = mode;
}

double PictureBox::ScaleWidth() const {
  auto& impl = static_cast<PictureImpl&>(*Control::impl_);
  return impl.Widget()->Inner().width() * impl.ScaleUnits();
}

double PictureBox::ScaleHeight() const {
  auto& impl = static_cast<PictureImpl&>(*Control::impl_);
  return impl.Widget()->Inner().height() * impl.ScaleUnits();
}

win::HDC PictureBox::hDC() const {
  auto& impl = static_cast<PictureImpl&>(*Control::impl_);
  const QRect inner = impl.Widget()->Inner();
  const bool fresh = !impl.surface.Exists();
  const win::HDC dc = impl.surface.Handle(inner.width(), inner.height(), impl.BackColor());
  if (fresh) impl.PaintPicture();
  return dc;
}

void PictureBox::Cls() {
  PictureImpl& impl = PictureOf(Control::impl_);
  if (impl.surface.Exists()) {
    const std::uint32_t fill = ToQColor(impl.BackColor()).rgb() & 0x00FFFFFF;
    const win::HDC dc = impl.surface.Handle(0, 0, 0);
    std::uint32_t* pixels = win::MutablePixels32(dc);
    std::fill(pixels, pixels + static_cast<std::size_t>(win::Stride32(dc)) * win::BitmapHeight(dc),
              fill);
    impl.PaintPicture();
  }
  impl.Widget()->update();
}

void PictureBox::SetMousePointer(int pointer) {
  PictureImpl& impl = PictureOf(Control::impl_);
  if (pointer != 0 && pointer != 99) {
    win::Unsupported("forms::PictureBox::SetMousePointer", "pointer " + std::to_string(pointer));
  }
  impl.custom_pointer = pointer == 99;
  impl.ApplyPointer();
}

void PictureBox::SetMouseIcon(const std::string& builtin_name) {
  PictureImpl& impl = PictureOf(Control::impl_);
  const BuiltinPicture& picture = FindBuiltinPicture(builtin_name);
  impl.icon = QCursor(QPixmap::fromImage(ToQImage(picture)), picture.hotspot_x, picture.hotspot_y);
  impl.ApplyPointer();
}

// ---- Built-in pictures as images ----

QImage ToQImage(const BuiltinPicture& picture) {
  const bool has_alpha = !picture.alpha.empty();
  QImage image(picture.width, picture.height,
               has_alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  for (int y = 0; y < picture.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    for (int x = 0; x < picture.width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * picture.width + x;
      const std::uint32_t alpha = has_alpha ? picture.alpha[i] : 0xFFu;
      row[x] = (alpha << 24) | (picture.pixels[i] & 0x00FFFFFF);
    }
  }
  return image;
}

}  // namespace forms
