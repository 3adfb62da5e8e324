// What the forms tests share: running the event loop for a while, and the Qt widget behind a
// control.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWidget>

#include "platform/forms.h"
#include "platform/forms_qt.h"

namespace test_support {

inline void PumpFor(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Runs the event loop until done() holds or two seconds pass (a busy machine delays timers).
template <class Condition>
bool PumpUntil(Condition done) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < 2000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  return done();
}

template <class Widget = QWidget>
Widget* WidgetOf(forms::Control& control) {
  return static_cast<Widget*>(static_cast<forms::ControlImpl&>(control.impl()).widget.data());
}

}  // namespace test_support
