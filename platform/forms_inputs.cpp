// The controls that hold a value the program both sets and reads: check boxes, drop-down lists,
// scroll bars and text boxes. A set by the program changes the widget with its signals blocked
// and runs the handler itself, in the caller, so a run-time error in the handler reaches the
// procedure that made the set; a change by the user arrives as a Qt signal and is dispatched as
// an event.
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QValidator>
#include <limits>

#include "platform/forms_qt.h"
#include "platform/unsupported.h"
#include "runtime/errors.h"

namespace forms {

namespace {

template <class Widget>
Widget* WidgetOf(const std::unique_ptr<Impl>& impl) {
  return static_cast<Widget*>(static_cast<ControlImpl&>(*impl).widget.data());
}

void RunNow(const std::function<void()>& handler) {
  if (handler) handler();
}

void RunAsEvent(const std::function<void()>& handler) {
  if (handler) Dispatch(handler);
}

}  // namespace

// ---- CheckBox ----

CheckBox::CheckBox(Container& parent) {
  parent_ = &parent;
  auto* w = Place<ControlImpl>(impl_, parent, new QCheckBox);
  QObject::connect(w, &QCheckBox::clicked, [this] { RunAsEvent(OnClick); });
}

std::string CheckBox::Caption() const {
  return WidgetOf<QCheckBox>(impl_)->text().toStdString();
}

void CheckBox::SetCaption(const std::string& caption) {
  WidgetOf<QCheckBox>(impl_)->setText(QString::fromStdString(caption));
}

rt::Integer CheckBox::Value() const {
  return WidgetOf<QCheckBox>(impl_)->isChecked() ? 1 : 0;
}

void CheckBox::SetValue(rt::Integer value) {
  if (value == 2) win::Unsupported("forms::CheckBox::SetValue", "greyed");
  if (value != 0 && value != 1) rt::Raise(rt::kInvalidPropertyValue);
  if (value == Value()) return;
  {
    QSignalBlocker quiet(WidgetOf<QCheckBox>(impl_));
    WidgetOf<QCheckBox>(impl_)->setChecked(value == 1);
  }
  RunNow(OnClick);
}

// ---- ComboBox ----

ComboBox::ComboBox(Container& parent) {
  parent_ = &parent;
  auto* w = Place<ControlImpl>(impl_, parent, new QComboBox);
  w->setEditable(false);
  // Every pick by the user is a click, the same item again included.
  QObject::connect(w, &QComboBox::activated, [this] { RunAsEvent(OnClick); });
}

void ComboBox::AddItem(const std::string& item) {
  QComboBox* w = WidgetOf<QComboBox>(impl_);
  QSignalBlocker quiet(w);
  const int selected = w->currentIndex();
  w->addItem(QString::fromStdString(item));
  w->setCurrentIndex(selected);  // the first item added is not selected by itself
}

rt::Integer ComboBox::ListCount() const {
  return static_cast<std::int16_t>(WidgetOf<QComboBox>(impl_)->count());
}

std::string ComboBox::List(rt::Integer index) const {
  QComboBox* w = WidgetOf<QComboBox>(impl_);
  if (index < 0 || index >= w->count()) {
    win::Unsupported("forms::ComboBox::List", "item " + std::to_string(index.Value()));
  }
  return w->itemText(index.Value()).toStdString();
}

rt::Integer ComboBox::ListIndex() const {
  return static_cast<std::int16_t>(WidgetOf<QComboBox>(impl_)->currentIndex());
}

void ComboBox::SetListIndex(rt::Integer index) {
  QComboBox* w = WidgetOf<QComboBox>(impl_);
  if (index < -1 || index >= w->count()) rt::Raise(rt::kInvalidPropertyValue);
  if (index == ListIndex()) return;
  {
    QSignalBlocker quiet(w);
    w->setCurrentIndex(index.Value());
  }
  RunNow(OnClick);
}

std::string ComboBox::Text() const {
  return WidgetOf<QComboBox>(impl_)->currentText().toStdString();
}

// ---- HScrollBar ----

namespace {

QScrollBar* BarOf(const std::unique_ptr<Impl>& impl) {
  return WidgetOf<QScrollBar>(impl);
}

// A tab stop that the keys move as the old bar: Left and Up a small change towards Min, Right
// and Down towards Max, Page Up and Down a large change, Home and End to Min and Max. Qt's bar
// has all of these but turns Left and Right round. Qt's bar shows nothing when it has the
// focus; this one frames its thumb with the style's focus mark, as the other controls mark
// theirs.
class KeyedScrollBar : public QScrollBar {
 public:
  KeyedScrollBar() : QScrollBar(Qt::Horizontal) { setFocusPolicy(Qt::StrongFocus); }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QScrollBar::paintEvent(event);
    if (!hasFocus()) return;
    QStyleOptionSlider bar;
    initStyleOption(&bar);
    QStyleOptionFocusRect mark;
    mark.initFrom(this);
    mark.rect =
        style()->subControlRect(QStyle::CC_ScrollBar, &bar, QStyle::SC_ScrollBarSlider, this);
    QStylePainter(this).drawPrimitive(QStyle::PE_FrameFocusRect, mark);
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
      triggerAction(event->key() == Qt::Key_Left ? SliderSingleStepSub : SliderSingleStepAdd);
      event->accept();
    } else {
      QScrollBar::keyPressEvent(event);
    }
  }
};

}  // namespace

HScrollBar::HScrollBar(Container& parent) {
  parent_ = &parent;
  auto* w = Place<ControlImpl>(impl_, parent, new KeyedScrollBar);
  w->setRange(0, 32767);
  w->setSingleStep(1);
  w->setPageStep(1);
  QObject::connect(w, &QScrollBar::valueChanged, [this] { RunAsEvent(OnChange); });
}

rt::Integer HScrollBar::Min() const {
  return static_cast<std::int16_t>(BarOf(impl_)->minimum());
}
rt::Integer HScrollBar::Max() const {
  return static_cast<std::int16_t>(BarOf(impl_)->maximum());
}
rt::Integer HScrollBar::Value() const {
  return static_cast<std::int16_t>(BarOf(impl_)->value());
}
rt::Integer HScrollBar::SmallChange() const {
  return static_cast<std::int16_t>(BarOf(impl_)->singleStep());
}
rt::Integer HScrollBar::LargeChange() const {
  return static_cast<std::int16_t>(BarOf(impl_)->pageStep());
}

namespace {
// Sets the range; the value Qt moves into it fires the change as a set would.
void SetRange(QScrollBar* bar, int min, int max, const std::function<void()>& on_change) {
  if (min > max) win::Unsupported("forms::HScrollBar", "Min above Max");
  const int before = bar->value();
  {
    QSignalBlocker quiet(bar);
    bar->setRange(min, max);
  }
  if (bar->value() != before) RunNow(on_change);
}
}  // namespace

void HScrollBar::SetMin(rt::Integer min) {
  SetRange(BarOf(impl_), min.Value(), BarOf(impl_)->maximum(), OnChange);
}

void HScrollBar::SetMax(rt::Integer max) {
  SetRange(BarOf(impl_), BarOf(impl_)->minimum(), max.Value(), OnChange);
}

void HScrollBar::SetValue(rt::Integer value) {
  QScrollBar* bar = BarOf(impl_);
  if (value < bar->minimum() || value > bar->maximum()) rt::Raise(rt::kInvalidPropertyValue);
  if (value == bar->value()) return;
  {
    QSignalBlocker quiet(bar);
    bar->setValue(value.Value());
  }
  RunNow(OnChange);
}

void HScrollBar::SetSmallChange(rt::Integer change) {
  if (change < 1) rt::Raise(rt::kInvalidPropertyValue);
  BarOf(impl_)->setSingleStep(change.Value());
}

void HScrollBar::SetLargeChange(rt::Integer change) {
  if (change < 1) rt::Raise(rt::kInvalidPropertyValue);
  BarOf(impl_)->setPageStep(change.Value());
}

// ---- TextBox ----

namespace {

// Keeps the text on one line: each line break (CR LF, CR or LF) becomes one blank, the cursor
// staying after what came before it.
class OneLine : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& text, int& cursor) const override {
    QString before = text.left(cursor);
    QString after = text.mid(cursor);
    for (QString* part : {&before, &after}) {
      part->replace(QStringLiteral("\r\n"), QStringLiteral(" "));
      part->replace(QChar('\r'), QChar(' ')).replace(QChar('\n'), QChar(' '));
    }
    text = before + after;
    cursor = static_cast<int>(before.size());
    return Acceptable;
  }
};

}  // namespace

TextBox::TextBox(Container& parent) {
  parent_ = &parent;
  auto* w = Place<ControlImpl>(impl_, parent, new QLineEdit);
  w->setMaxLength(std::numeric_limits<int>::max());
  w->setValidator(new OneLine(w));
  QObject::connect(w, &QLineEdit::textEdited, [this] { RunAsEvent(OnChange); });
}

std::string TextBox::Text() const {
  return WidgetOf<QLineEdit>(impl_)->text().toStdString();
}

void TextBox::SetText(const std::string& text) {
  QLineEdit* w = WidgetOf<QLineEdit>(impl_);
  const QString new_text = QString::fromStdString(text);
  if (new_text == w->text()) return;
  {
    QSignalBlocker quiet(w);
    w->setText(new_text);
  }
  RunNow(OnChange);
}

void TextBox::SetMaxLength(rt::Long length) {
  if (length < 0) rt::Raise(rt::kInvalidPropertyValue);
  WidgetOf<QLineEdit>(impl_)->setMaxLength(length == 0 ? std::numeric_limits<int>::max()
                                                       : length.Value());
}

void TextBox::SetBackColor(win::COLORREF color) {
  QLineEdit* w = WidgetOf<QLineEdit>(impl_);
  QPalette palette = w->palette();
  palette.setColor(QPalette::Base, ToQColor(color));
  w->setPalette(palette);
}

}  // namespace forms
