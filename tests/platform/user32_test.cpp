#include "platform/user32.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QWindow>
#include <stdexcept>

#include "platform/forms.h"
#include "platform/forms_qt.h"

namespace {

constexpr win::HWND kMissing = 0x7FFFFF01;

// The calls the preview and the password dialog make on windows that may be gone by then.
TEST(Window, AWindowIsFoundByItsWholeTitleAndAMissingOneIsLeftAlone) {
  forms::Form form, child;
  form.SetCaption("Display Properties");
  form.Load();
  child.Load();
  EXPECT_EQ(win::FindWindowA(nullptr, "Display Properties"), form.hWnd());
  EXPECT_EQ(win::FindWindowA(nullptr, "Display"), 0);
  EXPECT_EQ(win::FindWindowA(nullptr, "display properties"), 0);
  for (win::HWND missing : {0, kMissing}) {
    win::RECT rect{7, 7, 7, 7};
    EXPECT_FALSE(win::IsWindow(missing));
    EXPECT_FALSE(win::GetClientRect(missing, &rect));
    EXPECT_EQ(rect.right, 7);
    EXPECT_EQ(win::SetParent(child.hWnd(), missing), 0);
  }
  EXPECT_EQ(forms::ImplOf(child).widget->windowHandle()->parent(), nullptr);
  EXPECT_THROW(win::SetWindowPos(kMissing, 0, 0, 0, 0, 0, win::SWP_NOZORDER), std::logic_error);
}

TEST(Window, SetWindowPosKeepsWhatItsFlagsSayToKeep) {
  forms::Form form;
  form.Load();
  QWidget& widget = *forms::ImplOf(form).widget;
  const auto on_top = [&] {
    return bool(widget.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
  };
  win::SetWindowPos(form.hWnd(), 0, 30, 40, 152, 112, win::SWP_NOZORDER | win::SWP_SHOWWINDOW);
  win::SetWindowPos(form.hWnd(), win::HWND_TOPMOST, 0, 0, 10, 10,
                    win::SWP_NOSIZE | win::SWP_NOMOVE);
  EXPECT_EQ(QRect(widget.pos(), widget.size()), QRect(30, 40, 152, 112));
  EXPECT_TRUE(on_top());
  win::SetWindowPos(form.hWnd(), win::HWND_NOTOPMOST, 0, 0, 0, 0,
                    win::SWP_NOSIZE | win::SWP_NOMOVE);
  EXPECT_FALSE(on_top());
  EXPECT_THROW(win::SetWindowPos(form.hWnd(), 0, 0, 0, 0, 0, 0x0008), std::logic_error);
}

TEST(Cursor, ShowCursorCountsAndAHiddenCursorStaysHiddenOverTheHourglass) {
  forms::EnsureApplication();
  const auto shape = [] {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor ? cursor->shape() : Qt::ArrowCursor;
  };
  EXPECT_EQ(win::ShowCursor(false), -1);
  EXPECT_EQ(win::ShowCursor(false), -2);
  EXPECT_EQ(win::ShowCursor(true), -1);
  forms::Screen.SetMousePointer(11);
  EXPECT_EQ(shape(), Qt::BlankCursor);
  EXPECT_EQ(win::ShowCursor(true), 0);
  EXPECT_EQ(shape(), Qt::WaitCursor);
  forms::Screen.SetMousePointer(0);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(KeyLock, OnlyTheScreenSaverRunningActionIsServed) {
  forms::EnsureApplication();
  // Off screen there is no keyboard to grab: the lock must not claim that it holds.
  EXPECT_FALSE(win::SystemParametersInfoA(win::SPI_SETSCREENSAVERRUNNING, 1, nullptr, 0));
  EXPECT_TRUE(win::SystemParametersInfoA(win::SPI_SETSCREENSAVERRUNNING, 0, nullptr, 0));
  EXPECT_THROW(win::SystemParametersInfoA(20, 0, nullptr, 0), std::logic_error);
}

}  // namespace
