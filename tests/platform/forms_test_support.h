// What the forms tests share: running the event loop for a while, and the Qt widget behind a
// control.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWidget>

#include "platform/forms.h"
#include "platform/forms_qt.h"

namespace test_support {

// Runs the event loop until done() holds or, by default, two seconds pass (a busy machine
// delays timers).
inline bool PumpUntil(auto done, int ms = 2000) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  return done();
}

template <class Widget = QWidget>
Widget* WidgetOf(forms::Control& control) {
  return static_cast<Widget*>(static_cast<forms::ControlImpl&>(control.impl()).widget.data());
}

}  // namespace test_support
