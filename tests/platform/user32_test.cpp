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
