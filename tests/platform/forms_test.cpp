#include "platform/forms.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/builtin_pictures.h"
#include "platform/forms_qt.h"
#include "platform/forms_test_support.h"
#include "runtime/errors.h"

namespace {

using test_support::PumpFor;
using test_support::PumpUntil;
using test_support::WidgetOf;

// A form that writes down its events in the order they come.
class Recorder : public forms::Form {
 public:
  Recorder() { SetScaleMode(forms::ScaleMode::Pixel); }
  std::vector<std::string> events;
  bool cancel_next = false;
  bool load_from_initialize = false;
  forms::Label label{*this};

 protected:
  void Form_Initialize() override {
    events.push_back("Initialize");
    if (load_from_initialize) {
      Load();
      events.push_back("Initialize continues");
    }
  }
  void Form_Load() override { events.push_back("Load"); }
  void Form_Click() override { events.push_back("Click"); }
  void Form_DblClick() override { events.push_back("DblClick"); }
  void Form_MouseMove(rt::Integer, rt::Integer, float x, float y) override {
    events.push_back("MouseMove " + std::to_string(static_cast<int>(x)) + "," +
                     std::to_string(static_cast<int>(y)));
  }
  void Form_KeyDown(rt::Integer keycode, rt::Integer shift) override {
    events.push_back("KeyDown " + std::to_string(keycode.Value()) + " " +
                     std::to_string(shift.Value()));
  }
  void Form_QueryUnload(rt::Integer& cancel, rt::Integer mode) override {
    events.push_back("QueryUnload " + std::to_string(mode.Value()));
    if (cancel_next) cancel = -1;
    cancel_next = false;
  }
  void Form_Unload(rt::Integer&) override { events.push_back("Unload"); }
};

using Events = std::vector<std::string>;

TEST(FormLife, InitializeOnceLoadEachTimeAndAQueryUnloadCancelKeepsTheForm) {
  Recorder form;
  EXPECT_FALSE(form.Loaded());
  form.Load();
  form.Load();  // already loaded: nothing runs
  EXPECT_EQ(form.events, (Events{"Initialize", "Load"}));
  EXPECT_TRUE(form.Loaded());

  form.cancel_next = true;
  form.Unload();
  EXPECT_TRUE(form.Loaded());
  form.Unload();
  EXPECT_FALSE(form.Loaded());
  form.Show();
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(form.events,
            (Events{"Initialize", "Load", "QueryUnload 1", "QueryUnload 1", "Unload", "Load"}));
}

TEST(FormLife, ALoadAskedForDuringInitializeRunsTheLoadFirst) {
  Recorder form;
  form.load_from_initialize = true;
  form.Load();
  EXPECT_EQ(form.events, (Events{"Initialize", "Load", "Initialize continues"}));
}

TEST(FormLife, TheCloseBoxAsksWithModeZeroAndUnloadsUnlessCancelled) {
  Recorder form;
  form.Show();
  auto* window = forms::ImplOf(form).widget.data();
  form.cancel_next = true;
  window->close();
  EXPECT_TRUE(form.Loaded());
  EXPECT_TRUE(window->isVisible());
  window->close();
  EXPECT_FALSE(form.Loaded());
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(form.events,
            (Events{"Initialize", "Load", "QueryUnload 0", "QueryUnload 0", "Unload"}));
}

TEST(FormInput, ClicksDoubleClicksMovesAndKeysReachTheFormAlsoOverALabel) {
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
  // Over the label: the label takes nothing.
  mouse(QEvent::MouseMove, {60, 55});
  mouse(QEvent::MouseButtonPress, {60, 55});
  mouse(QEvent::MouseButtonRelease, {60, 55});
  // A click, then a double click: the second press is the double click, not another click.
  mouse(QEvent::MouseButtonPress, {10, 10});
  mouse(QEvent::MouseButtonRelease, {10, 10});
  mouse(QEvent::MouseButtonDblClick, {10, 10});
  mouse(QEvent::MouseButtonRelease, {10, 10});
  QKeyEvent key(QEvent::KeyPress, Qt::Key_M, Qt::ShiftModifier, "M");
  QApplication::sendEvent(window, &key);
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(window, &escape);
  EXPECT_EQ(form.events, (Events{"Initialize", "Load", "MouseMove 60,55", "Click", "Click",
                                 "DblClick", "KeyDown 77 1", "KeyDown 27 0"}));
}

// ---- Timers ----

class TimerForm : public forms::Form {
 public:
  forms::Timer timer{*this};
  int ticks = 0;
  TimerForm() {
    timer.OnTimer = [this] { ++ticks; };
  }
};

TEST(Timers, OverdueTicksComeAsOne) {
  TimerForm form;
  form.timer.SetInterval(10);
  form.Load();
  std::this_thread::sleep_for(std::chrono::milliseconds(150));  // fifteen ticks overdue
  // One pass over what is pending, however slow the machine: the overdue ticks come as one.
  QCoreApplication::processEvents();
  EXPECT_EQ(form.ticks, 1);
  PumpFor(80);
  EXPECT_GE(form.ticks, 3);  // and it goes on ticking
}

TEST(Timers, TickOnlyWhileEnabledLoadedAndWithAnInterval) {
  struct Case {
    const char* name;
    bool load;
    bool enabled;
    int interval;
    bool ticks;
  };
  for (const Case& c :
       {Case{"running", true, true, 5, true}, Case{"form not loaded", false, true, 5, false},
        Case{"disabled", true, false, 5, false}, Case{"interval 0", true, true, 0, false}}) {
    TimerForm form;
    form.timer.SetEnabled(c.enabled);
    form.timer.SetInterval(c.interval);
    if (c.load) form.Load();
    PumpFor(40);
    EXPECT_EQ(form.ticks > 0, c.ticks) << c.name;
  }
}

TEST(Timers, UnloadStopsTheTimer) {
  TimerForm form;
  form.timer.SetInterval(5);
  form.Load();
  ASSERT_TRUE(PumpUntil([&] { return form.ticks > 0; }));
  form.Unload();
  const int ticks = form.ticks;
  PumpFor(30);
  EXPECT_EQ(form.ticks, ticks);
}

TEST(Timers, IntervalOutsideTheTimersRangeIsAnInvalidPropertyValue) {
  TimerForm form;
  for (long bad : {-1L, -70L, 65536L}) {
    try {
      form.timer.SetInterval(static_cast<std::int32_t>(bad));
      ADD_FAILURE() << bad << " was accepted";
    } catch (const rt::RuntimeError& error) {
      EXPECT_EQ(error.Number(), rt::kInvalidPropertyValue) << bad;
    }
  }
  EXPECT_EQ(form.timer.Interval(), 0);  // a refused value leaves the interval as it was
  for (int good : {0, 1, 65535}) {
    form.timer.SetInterval(good);
    EXPECT_EQ(form.timer.Interval(), good);
  }
}

// ---- Geometry ----

TEST(Geometry, TheScreenMeasuresFifteenTwipsAPixel) {
  forms::EnsureApplication();
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(forms::Screen.TwipsPerPixelX(), 15.0f);
  EXPECT_EQ(forms::Screen.TwipsPerPixelY(), 15.0f);
  EXPECT_EQ(forms::Screen.Width(), screen.width() * 15.0f);
  EXPECT_EQ(forms::Screen.Height(), screen.height() * 15.0f);
}

TEST(Geometry, ControlsMeasureInTheFormsScaleAndFormsInTwips) {
  for (auto mode : {forms::ScaleMode::Twip, forms::ScaleMode::Pixel}) {
    const double unit = mode == forms::ScaleMode::Twip ? 15 : 1;
    forms::Form form;
    form.SetScaleMode(mode);
    form.SetClientSize(7335, 3705);
    QWidget* window = forms::ImplOf(form).widget.data();
    EXPECT_EQ(window->size(), QSize(489, 247));
    EXPECT_EQ(form.ScaleWidth(), 489 * unit);
    EXPECT_EQ(form.ScaleHeight(), 247 * unit);

    forms::Label label(form);
    label.Move(20 * unit, 30 * unit, 100 * unit, 16 * unit);
    QWidget* widget = WidgetOf(label);
    EXPECT_EQ(widget->geometry(), QRect(20, 30, 100, 16));
    EXPECT_EQ(label.Left(), 20 * unit);
    EXPECT_EQ(label.Width(), 100 * unit);
  }
}

TEST(Labels, AnAutoSizeLabelFollowsItsCaption) {
  forms::Form form;
  forms::Label sized(form);
  forms::Label fixed(form);
  for (forms::Label* label : {&sized, &fixed}) label->Move(0, 0, 1500, 300);
  sized.SetAutoSize(true);
  sized.SetFont(forms::Font{"Arial", 12, true});
  sized.SetCaption("  ab  ");
  const double short_width = sized.Width();
  sized.SetCaption("  a message of some length  ");
  EXPECT_GT(sized.Width(), short_width * 2);
  EXPECT_GT(sized.Height(), 0);
  fixed.SetCaption("  a message of some length  ");
  EXPECT_EQ(fixed.Width(), 1500);
  EXPECT_EQ(fixed.Caption(), "  a message of some length  ");
}

TEST(Labels, AWrappingAutoSizeLabelGrowsDownward) {
  forms::Form form;
  forms::Label label(form);
  label.Move(0, 0, 1500, 200);
  label.SetWordWrap(true);
  label.SetAutoSize(true);
  label.SetCaption("one");
  const double one_line = label.Height();
  label.SetCaption("one two three four five six seven eight nine ten eleven twelve");
  EXPECT_EQ(label.Width(), 1500);
  EXPECT_GT(label.Height(), one_line * 2);
}

// ---- Drawing surfaces ----

TEST(Surfaces, WhatIsDrawnOnTheFormsDcIsWhatTheWindowShows) {
  forms::Form form;
  form.SetScaleMode(forms::ScaleMode::Pixel);
  form.SetBackColor(win::RGB(0, 0, 40));
  form.SetClientSize(64 * 15, 48 * 15);
  form.Show();
  const win::HDC dc = form.hDC();
  EXPECT_EQ(win::BitsPerPixel(dc), 32);
  EXPECT_EQ(win::BitmapWidth(dc), 64);
  win::SetPixel(dc, 5, 7, win::RGB(255, 10, 20));
  form.Refresh();
  const QImage shown = forms::ImplOf(form).widget->grab().toImage();
  EXPECT_EQ(shown.pixelColor(5, 7), QColor(255, 10, 20));
  EXPECT_EQ(shown.pixelColor(40, 30), QColor(0, 0, 40));  // the new surface is the back colour

  // A new size keeps the handle, with a bitmap of the new size.
  form.SetClientSize(100 * 15, 80 * 15);
  PumpFor(5);
  EXPECT_EQ(form.hDC(), dc);
  EXPECT_EQ(win::BitmapWidth(dc), 100);
  EXPECT_EQ(win::BitmapHeight(dc), 80);
}

TEST(Surfaces, APictureBoxShowsItsPictureAndThenItsDc) {
  forms::Form form;
  forms::PictureBox box(form);
  box.SetScaleMode(forms::ScaleMode::Pixel);
  box.Move(0, 0, 60 * 15, 50 * 15);
  EXPECT_EQ(box.ScaleWidth(), 56);  // the border takes two pixels a side
  EXPECT_EQ(box.ScaleHeight(), 46);
  box.SetBorder(false);
  box.SetBackColor(win::RGB(0, 0, 0));
  box.SetPicture("BugReport.Picture1");
  QWidget* widget = WidgetOf(box);
  const QImage before = widget->grab().toImage();
  EXPECT_NE(before.pixelColor(16, 20), QColor(0, 0, 0));  // the picture is there
  EXPECT_EQ(before.pixelColor(50, 45), QColor(0, 0, 0));  // and the back colour beside it

  const win::HDC dc = box.hDC();
  EXPECT_EQ(win::GetPixel(dc, 16, 20), [&] {
    const QColor c = before.pixelColor(16, 20);
    return win::RGB(c.red(), c.green(), c.blue());
  }());
  win::SetPixel(dc, 50, 45, win::RGB(0, 255, 0));
  EXPECT_EQ(widget->grab().toImage().pixelColor(50, 45), QColor(0, 255, 0));
}

TEST(Surfaces, ThePictureBoxsBackColourShowsThroughItsPicturesClearPixels) {
  forms::Form form;
  forms::PictureBox speaker(form);
  speaker.Move(0, 0, 17 * 15, 16 * 15);
  speaker.SetBorder(false);
  speaker.SetBackColor(win::RGB(10, 200, 30));
  speaker.SetPicture("speaker");
  EXPECT_EQ(WidgetOf(speaker)->grab().toImage().pixelColor(0, 0), QColor(10, 200, 30));
  EXPECT_EQ(win::GetPixel(speaker.hDC(), 0, 0), win::RGB(10, 200, 30));
}

TEST(BuiltinPictures, UnknownNamesFailLoudly) {
  EXPECT_THROW(forms::FindBuiltinPicture("NoSuchForm.Picture9"), std::logic_error);
}

// ---- Errors ----

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
        PumpFor(5000);
      },
      ::testing::ExitedWithCode(1),
      "\\[Solmere Finbrook ScreenSaver\\] Run-time error '6':\n\nOverflow");
}

}  // namespace
