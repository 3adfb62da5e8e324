// Keys, focus and activation: the form's key preview, its activation event, the tab order and
// giving a control the focus.
//
// Key preview is an application-wide event filter, one per previewing form: it sees a key press
// first on the widget that has the focus, runs Form_KeyDown and Form_KeyPress there, and lets
// the key go on to the control unless KeyAscii was set to 0 (so a key the form spends, such as
// Enter on a focused button, is not that button's click as well). Qt hands a key the focused widget ignores on to its parents, and the filter
// sees each of those deliveries too; only the first (the widget with the focus) counts. A key
// that reaches the form window itself is the window's own (FormWidget::keyPressEvent), preview
// or not.
#include <QApplication>
#include <algorithm>

#include "platform/forms_qt.h"
#include "platform/unsupported.h"
#include "runtime/errors.h"

namespace forms {

std::optional<int> KeyAsciiOf(const QKeyEvent& event) {
  if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) return std::nullopt;
  const QString text = event.text();
  if (text.size() != 1 || text[0].unicode() > 0xFF) return std::nullopt;
  return text[0].unicode();
}

class KeyPreviewFilter : public QObject {
 public:
  explicit KeyPreviewFilter(FormImpl& form) : form_(form) {}

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget || widget == form_.widget || widget->window() != form_.widget) return false;
    if (widget != QApplication::focusWidget()) return false;  // passed on by a child
    auto* key = static_cast<QKeyEvent*>(event);
    const int keycode = VirtualKeyOf(key->key());
    const int shift = ShiftStateOf(key->modifiers());
    const std::optional<int> ascii = KeyAsciiOf(*key);
    bool swallow = false;
    Dispatch([&] {
      form_.form.Form_KeyDown(static_cast<std::int16_t>(keycode), static_cast<std::int16_t>(shift));
      if (!ascii) return;
      rt::Integer key_ascii = static_cast<std::int16_t>(*ascii);
      form_.form.Form_KeyPress(key_ascii);
      if (key_ascii == 0) {
        swallow = true;
      } else if (key_ascii != *ascii) {
        win::Unsupported("forms::Form_KeyPress", "changing the key");
      }
    });
    return swallow;
  }

 private:
  FormImpl& form_;
};

void Form::SetKeyPreview(bool key_preview) {
  FormImpl& impl = ImplOf(*this);
  if (key_preview == static_cast<bool>(impl.key_preview)) return;
  if (key_preview) {
    impl.key_preview = std::make_unique<KeyPreviewFilter>(impl);
    QApplication::instance()->installEventFilter(impl.key_preview.get());
  } else {
    impl.key_preview.reset();  // a destroyed filter leaves the application's list by itself
  }
}

bool FormWidget::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  if (event->type() == QEvent::WindowActivate && impl_.loaded) {
    Dispatch([this] { impl_.form.Form_Activate(); });
  }
  return handled;
}

// ---- Tab order and focus ----

void ApplyTabOrder(FormImpl& form) {
  for (std::size_t i = 1; i < form.tab_order.size(); ++i) {
    QWidget::setTabOrder(form.tab_order[i - 1]->widget, form.tab_order[i]->widget);
  }
}

void FocusFirstInTabOrder(FormImpl& form) {
  for (ControlImpl* control : form.tab_order) {
    QWidget* w = control->widget;
    if (w && w->isEnabled() && w->isVisibleTo(form.widget) && (w->focusPolicy() & Qt::TabFocus)) {
      w->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

void Control::SetTabIndex(int index) {
  auto& impl = static_cast<ControlImpl&>(*impl_);
  std::vector<ControlImpl*>& order = ImplOf(*impl.form).tab_order;
  std::erase(order, &impl);
  const auto place = static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(order.size())));
  order.insert(order.begin() + static_cast<std::ptrdiff_t>(place), &impl);
  ApplyTabOrder(ImplOf(*impl.form));
}

void Control::SetFocus() {
  auto& impl = static_cast<ControlImpl&>(*impl_);
  QWidget* w = impl.widget;
  if (!w->isVisible() || !w->isEnabled() || w->focusPolicy() == Qt::NoFocus) {
    rt::Raise(rt::kInvalidProcedureCall);
  }
  w->setFocus(Qt::OtherFocusReason);
}

}  // namespace forms
