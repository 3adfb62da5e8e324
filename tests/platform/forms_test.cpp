#include "platform/forms.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/forms_test_support.h"
#include "runtime/errors.h"
#include "support/raised_error.h"

namespace {

using test_support::ErrorOf;
using test_support::PumpUntil;
using test_support::WidgetOf;
using Events = std::vector<std::string>;

// A form that writes down its events in the order they come.
class Recorder : public forms::Form {
 public:
  Recorder() { SetScaleMode(forms::ScaleMode::Pixel); }
  Events events;
  bool cancel_next = false;
  bool load_from_initialize = false;
  forms::Label label{*this};

 protected:
  void Form_Initialize() override {
    events.push_back("Initialize");
    if (load_from_initialize) Load();
  }
  void Form_Load() override { events.push_back("Load"); }
  void Form_Click() override { events.push_back("Click"); }
  void Form_DblClick() override { events.push_back("DblClick"); }
  void Form_MouseMove(rt::Integer, rt::Integer, float x, float y) override {
    events.push_back("MouseMove " + std::to_string(static_cast<int>(x)) + "," +
                     std::to_string(static_cast<int>(y)));
  }
  void Form_QueryUnload(rt::Integer& cancel, rt::Integer mode) override {
    events.push_back("QueryUnload " + std::to_string(mode.Value()));
    if (cancel_next) cancel = -1;
    cancel_next = false;
  }
  void Form_Unload(rt::Integer&) override { events.push_back("Unload"); }
};

TEST(FormLife, InitializeOnceLoadEachTimeAndAQueryUnloadCancelKeepsTheForm) {
  Recorder form;
  form.Load();
  form.Load();  // already loaded: nothing runs
  form.cancel_next = true;
  form.Unload();
  EXPECT_TRUE(form.Loaded());
  form.Unload();
  EXPECT_FALSE(form.Loaded());
  form.Show();
  EXPECT_EQ(form.events,
            (Events{"Initialize", "Load", "QueryUnload 1", "QueryUnload 1", "Unload", "Load"}));

  Recorder early;  // a Load asked for during Initialize runs once
  early.load_from_initialize = true;
  early.Load();
  EXPECT_EQ(early.events, (Events{"Initialize", "Load"}));
}

TEST(FormLife, TheCloseBoxAsksWithModeZeroAndUnloadsUnlessCancelled) {
  Recorder form;
  form.Show();
  auto* window = forms::ImplOf(form).widget.data();
  form.cancel_next = true;
  window->close();
  EXPECT_TRUE(window->isVisible());
  window->close();
  EXPECT_FALSE(form.Loaded());
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(form.events,
            (Events{"Initialize", "Load", "QueryUnload 0", "QueryUnload 0", "Unload"}));
}

TEST(FormInput, ClicksDoubleClicksAndMovesReachTheFormAlsoOverALabel) {
  Recorder form;
  form.label.Move(50, 50, 40, 20);
  form.label.SetCaption("message");
  form.SetClientSize(200 * 15, 100 * 15);
  form.Show();
  QWidget* window = forms::ImplOf(form).widget.data();
  // Input as the window system hands it over: to the window, which finds the widget under it.
  auto mouse = [&](QEvent::Type type, QPointF at) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, window->mapToGlobal(at), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
    QApplication::sendEvent(window->windowHandle(), &event);
  };
  // Over the label: the label takes nothing. Then a click, and a double click whose second
  // press is no other click.
  mouse(QEvent::MouseMove, {60, 55});
  for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) mouse(type, {60, 55});
  for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                    QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
    mouse(type, {10, 10});
  }
  EXPECT_EQ(form.events,
            (Events{"Initialize", "Load", "MouseMove 60,55", "Click", "Click", "DblClick"}));
}

class TimerForm : public forms::Form {
 public:
  forms::Timer timer{*this};
  int ticks = 0;
  TimerForm() {
    timer.OnTimer = [this] { ++ticks; };
  }
};

TEST(Timers, OverdueTicksComeAsOneAndOnlyEnabledTimersWithAnIntervalOnLoadedFormsTick) {
  TimerForm running, not_loaded, disabled, no_interval, unloaded;
  for (TimerForm* form : {&running, &not_loaded, &disabled, &no_interval, &unloaded}) {
    form->timer.SetInterval(10);
  }
  disabled.timer.SetEnabled(false);
  no_interval.timer.SetInterval(0);
  for (TimerForm* form : {&running, &disabled, &no_interval, &unloaded}) form->Load();
  unloaded.Unload();
  std::this_thread::sleep_for(std::chrono::milliseconds(150));  // fifteen ticks overdue
  QCoreApplication::processEvents();  // one pass over what is pending, however slow the machine
  EXPECT_EQ(running.ticks, 1);
  EXPECT_TRUE(PumpUntil([&] { return running.ticks >= 3; }));
  EXPECT_EQ((std::vector{not_loaded.ticks, disabled.ticks, no_interval.ticks, unloaded.ticks}),
            (std::vector{0, 0, 0, 0}));
  for (long bad : {-1L, 65536L}) {
    EXPECT_EQ(ErrorOf([&] { running.timer.SetInterval(bad); }), rt::kInvalidPropertyValue);
  }
  EXPECT_EQ(running.timer.Interval(), 10);
}

TEST(Surfaces, APictureBoxShowsItsPictureOverItsBackColourAndThenWhatIsDrawnOnIt) {
  forms::Form form;
  forms::PictureBox box(form), speaker(form);
  box.SetScaleMode(forms::ScaleMode::Pixel);
  box.Move(0, 0, 60 * 15, 50 * 15);
  box.SetBorder(false);
  box.SetBackColor(win::RGB(0, 0, 0));
  box.SetPicture("BugReport.Picture1");
  const QImage before = WidgetOf(box)->grab().toImage();
  const QColor picture = before.pixelColor(16, 20);
  EXPECT_NE(picture, QColor(0, 0, 0));
  EXPECT_EQ(before.pixelColor(50, 45), QColor(0, 0, 0));  // the back colour beside it
  EXPECT_EQ(win::GetPixel(box.hDC(), 16, 20),
            win::RGB(picture.red(), picture.green(), picture.blue()));
  win::SetPixel(box.hDC(), 50, 45, win::RGB(0, 255, 0));
  EXPECT_EQ(WidgetOf(box)->grab().toImage().pixelColor(50, 45), QColor(0, 255, 0));

  // The back colour shows through the picture's clear pixels.
  speaker.Move(0, 0, 17 * 15, 16 * 15);
  speaker.SetBorder(false);
  speaker.SetBackColor(win::RGB(10, 200, 30));
  speaker.SetPicture("speaker");
  EXPECT_EQ(WidgetOf(speaker)->grab().toImage().pixelColor(0, 0), QColor(10, 200, 30));
  EXPECT_EQ(win::GetPixel(speaker.hDC(), 0, 0), win::RGB(10, 200, 30));
}

TEST(RunTimeErrors, AnErrorEscapingAnEventStopsTheProgramWithTheRunTimesMessage) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        TimerForm form;
        form.timer.OnTimer = [] { rt::Raise(rt::kOverflow); };
        form.timer.SetInterval(1);
        form.Load();
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [] {
          if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            std::fprintf(stderr, "[%s] %s\n", box->windowTitle().toUtf8().constData(),
                         box->text().toUtf8().constData());
            box->accept();
          }
        });
        closer.start(5);
        PumpUntil([] { return false; }, 5000);  // the program ends first
      },
      ::testing::ExitedWithCode(1),
      "\\[Solmere Finbrook ScreenSaver\\] Run-time error '6':\n\nOverflow");
}

}  // namespace
