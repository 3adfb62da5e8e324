#include "platform/user32.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QWindow>
#include <stdexcept>

#include "platform/forms.h"
#include "platform/forms_qt.h"

namespace {

class Window : public ::testing::Test {
 protected:
  void SetUp() override {
    form_.SetCaption("Display Properties");
    form_.SetClientSize(320 * 15, 200 * 15);
    form_.Load();
  }
  QWidget& Widget() { return *forms::ImplOf(form_).widget; }
  forms::Form form_;
};

TEST_F(Window, ClientRectOfOurWindowAndNoneForAMissingOne) {
  win::RECT rect{1, 2, 3, 4};
  ASSERT_TRUE(win::GetClientRect(form_.hWnd(), &rect));
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right, 320);
  EXPECT_EQ(rect.bottom, 200);
  EXPECT_TRUE(win::IsWindow(form_.hWnd()));

  const win::RECT untouched{7, 7, 7, 7};
  rect = untouched;
  for (win::HWND missing : {0, 0x7FFFFF01}) {
    EXPECT_FALSE(win::IsWindow(missing));
    EXPECT_FALSE(win::GetClientRect(missing, &rect));
    EXPECT_EQ(rect.right, untouched.right);
  }
}

TEST_F(Window, FindWindowMatchesTheWholeTitleOnly) {
  EXPECT_EQ(win::FindWindowA(nullptr, "Display Properties"), form_.hWnd());
  EXPECT_EQ(win::FindWindowA(nullptr, "Display"), 0);
  EXPECT_EQ(win::FindWindowA(nullptr, "display properties"), 0);
}

TEST_F(Window, StyleAndOwnerAreKeptPerWindow) {
  const std::int32_t style = win::GetWindowLongA(form_.hWnd(), win::GWL_STYLE);
  EXPECT_EQ(style & win::WS_CHILD, 0);
  EXPECT_EQ(win::SetWindowLongA(form_.hWnd(), win::GWL_STYLE, style | win::WS_CHILD), style);
  EXPECT_EQ(win::GetWindowLongA(form_.hWnd(), win::GWL_STYLE), style | win::WS_CHILD);
  EXPECT_EQ(win::SetWindowLongA(form_.hWnd(), win::GWL_HWNDPARENT, 4321), 0);
  EXPECT_EQ(win::GetWindowLongA(form_.hWnd(), win::GWL_HWNDPARENT), 4321);
  EXPECT_THROW(win::GetWindowLongA(form_.hWnd(), -20), std::logic_error);
}

TEST_F(Window, SetWindowPosPlacesSizesStacksAndShows) {
  ASSERT_FALSE(Widget().isVisible());
  win::SetWindowPos(form_.hWnd(), 0, 0, 0, 152, 112,
                    win::SWP_NOZORDER | win::SWP_NOACTIVATE | win::SWP_SHOWWINDOW);
  EXPECT_TRUE(Widget().isVisible());
  EXPECT_EQ(Widget().size(), QSize(152, 112));
  EXPECT_TRUE(Widget().testAttribute(Qt::WA_ShowWithoutActivating));

  win::SetWindowPos(form_.hWnd(), win::HWND_TOPMOST, 0, 0, 10, 10, win::SWP_NOSIZE);
  EXPECT_EQ(Widget().size(), QSize(152, 112));
  EXPECT_TRUE(Widget().windowHandle()->flags() & Qt::WindowStaysOnTopHint);
  win::SetWindowPos(form_.hWnd(), win::HWND_NOTOPMOST, 0, 0, 0, 0, win::SWP_NOSIZE);
  EXPECT_FALSE(Widget().windowHandle()->flags() & Qt::WindowStaysOnTopHint);

  win::SetWindowPos(form_.hWnd(), 0, 30, 40, 0, 0, win::SWP_NOZORDER | win::SWP_NOSIZE);
  win::SetWindowPos(form_.hWnd(), win::HWND_TOPMOST, 0, 0, 0, 0, win::SWP_NOSIZE | win::SWP_NOMOVE);
  EXPECT_EQ(Widget().pos(), QPoint(30, 40));
  EXPECT_TRUE(Widget().windowHandle()->flags() & Qt::WindowStaysOnTopHint);

  EXPECT_THROW(win::SetWindowPos(form_.hWnd(), 0, 0, 0, 0, 0, 0x0008), std::logic_error);
  EXPECT_THROW(win::SetWindowPos(0x7FFFFF01, 0, 0, 0, 0, 0, win::SWP_NOZORDER), std::logic_error);
}

TEST_F(Window, SetParentEmbedsInAnExistingWindowAndIgnoresAMissingOne) {
  forms::Form child;
  child.Load();
  EXPECT_EQ(win::SetParent(child.hWnd(), 0), 0);
  EXPECT_EQ(win::SetParent(child.hWnd(), 0x7FFFFF01), 0);
  EXPECT_EQ(forms::ImplOf(child).widget->windowHandle()->parent(), nullptr);
  win::SetParent(child.hWnd(), form_.hWnd());
  EXPECT_EQ(forms::ImplOf(child).widget->windowHandle()->parent(), Widget().windowHandle());
}

TEST(Cursor, ShowCursorCountsAndHidesBelowZero) {
  forms::EnsureApplication();
  auto shape = [] {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor ? cursor->shape() : Qt::ArrowCursor;
  };
  EXPECT_EQ(win::ShowCursor(false), -1);
  EXPECT_EQ(shape(), Qt::BlankCursor);
  EXPECT_EQ(win::ShowCursor(false), -2);
  EXPECT_EQ(win::ShowCursor(true), -1);
  EXPECT_EQ(shape(), Qt::BlankCursor);
  forms::Screen.SetMousePointer(11);
  EXPECT_EQ(shape(), Qt::BlankCursor);  // hidden wins over the hourglass
  EXPECT_EQ(win::ShowCursor(true), 0);
  EXPECT_EQ(shape(), Qt::WaitCursor);
  forms::Screen.SetMousePointer(0);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(win::ShowCursor(true), 1);
  EXPECT_EQ(win::ShowCursor(false), 0);
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
