#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabBar>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/forms.h"
#include "platform/forms_test_support.h"
#include "runtime/errors.h"
#include "support/raised_error.h"

namespace {

using test_support::ErrorOf;
using test_support::PumpUntil;
using test_support::WidgetOf;
using Events = std::vector<std::string>;

// A form that writes down its key presses in the order they come.
class Dialog : public forms::Form {
 public:
  Events events;
  int swallow = -1;  // the KeyAscii to set to 0

 protected:
  void Form_KeyPress(rt::Integer& key_ascii) override {
    events.push_back("KeyPress " + std::to_string(key_ascii.Value()));
    if (key_ascii == swallow) key_ascii = 0;
  }
};

void Press(QWidget* widget, Qt::Key key, const QString& text = {}) {
  QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &event);
}

// The controls whose values the program and the user change, each writing down its events.
struct Controls {
  Dialog form;
  forms::CheckBox check{form};
  forms::ComboBox list{form};
  forms::HScrollBar bar{form};
  forms::TextBox text{form};
  Events events;
  Controls() {
    check.OnClick = [&] { events.push_back("check " + std::to_string(check.Value().Value())); };
    list.OnClick = [&] { events.push_back("list " + list.Text()); };
    bar.OnChange = [&] { events.push_back("bar " + std::to_string(bar.Value().Value())); };
    text.OnChange = [&] { events.push_back("text " + text.Text()); };
    for (const char* item : {"<None>", "ArchWay"}) list.AddItem(item);
    bar.SetMax(140);
    bar.SetLargeChange(10);
  }
};

TEST(ControlValues, AProgramSetFiresTheEventOnlyOnAChangeAndRefusesValuesOutOfRange) {
  Controls c;
  for (int twice = 0; twice < 2; ++twice) {
    c.check.SetValue(1);
    c.list.SetListIndex(1);
    c.bar.SetValue(70);
    c.text.SetText("hello");
  }
  c.bar.SetMax(50);  // a Max below the value moves the value, which is a change
  EXPECT_EQ(c.events, (Events{"check 1", "list ArchWay", "bar 70", "text hello", "bar 50"}));

  c.list.OnClick = [] { rt::Raise(rt::kOverflow); };  // reaches the caller of the set
  EXPECT_EQ(ErrorOf([&] { c.list.SetListIndex(0); }), rt::kOverflow);
  c.events.clear();
  forms::SSTab tabs(c.form, 3);
  const std::vector<std::function<void()>> sets = {
      [&] { c.check.SetValue(-1); },    [&] { c.list.SetListIndex(-2); },
      [&] { c.list.SetListIndex(2); },  [&] { c.bar.SetValue(51); },
      [&] { c.bar.SetSmallChange(0); }, [&] { tabs.SetTab(3); },
      [&] { tabs.Page(-1); },           [&] { c.text.SetMaxLength(-1); }};
  for (std::size_t i = 0; i < sets.size(); ++i) {
    EXPECT_EQ(ErrorOf(sets[i]), rt::kInvalidPropertyValue) << "set " << i;
  }
  EXPECT_EQ(c.events, Events{});
  EXPECT_EQ(c.bar.Value(), 50);
  EXPECT_THROW(c.check.SetValue(2), std::logic_error);  // greyed is never used
}

TEST(ControlValues, UserChangesFireTheirEventsOnce) {
  Controls c;
  c.form.Show();
  WidgetOf<QAbstractButton>(c.check)->click();
  auto* combo = WidgetOf<QComboBox>(c.list);
  combo->setCurrentIndex(1);
  emit combo->activated(1);
  emit combo->activated(1);  // picking the same item again is still a click
  WidgetOf<QScrollBar>(c.bar)->triggerAction(QAbstractSlider::SliderPageStepAdd);
  Press(WidgetOf(c.text), Qt::Key_X, "x");
  EXPECT_EQ(c.events, (Events{"check 1", "list ArchWay", "list ArchWay", "bar 10", "text x"}));
}

TEST(ControlValues, ATextBoxTakesOneLineOfAtMostItsMaxLength) {
  Controls c;
  c.text.SetMaxLength(127);
  const std::pair<std::string, std::string> cases[] = {
      {"two\r\nlines", "two lines"},
      {"a\nb\rc\n", "a b c "},
      {std::string(200, 'x'), std::string(127, 'x')}};
  for (const auto& [pasted, kept] : cases) {
    c.text.SetText("");
    c.events.clear();
    WidgetOf<QLineEdit>(c.text)->insert(QString::fromStdString(pasted));  // as a paste does
    EXPECT_EQ(c.events, Events{"text " + kept}) << "one change, with the text kept";
  }
}

TEST(TabControl, OnlyTheSelectedTabsControlsShowAndTheyArePlacedFromTheirContainer) {
  Dialog form;
  forms::SSTab tabs(form, 6);
  tabs.Move(150, 300, 7200, 3300);
  forms::Label on_first(tabs.Page(0));
  forms::Frame frame(tabs.Page(4));
  frame.Move(120, 480, 3000, 1500);
  forms::CheckBox in_frame(frame);
  in_frame.Move(150, 300, 1455, 375);
  form.Show();
  std::vector<int> previous;
  tabs.OnClick = [&](rt::Integer tab) { previous.push_back(tab.Value()); };
  QWidget* window = forms::ImplOf(form).widget.data();
  auto shown = [&] {
    return std::pair(WidgetOf(on_first)->isVisibleTo(window),
                     WidgetOf(in_frame)->isVisibleTo(window));
  };
  EXPECT_EQ(shown(), std::pair(true, false));
  tabs.SetTab(4);
  tabs.SetTab(4);
  EXPECT_EQ(shown(), std::pair(false, true));
  EXPECT_EQ(WidgetOf(in_frame)->mapTo(window, QPoint(0, 0)),
            QPoint((150 + 120 + 150) / 15, (300 + 480 + 300) / 15));
  WidgetOf(tabs)->findChild<QTabBar*>()->setCurrentIndex(5);  // the user picks tab 5
  EXPECT_EQ(tabs.Tab(), 5);
  EXPECT_EQ(shown(), std::pair(false, false));
  EXPECT_EQ(previous, (std::vector{0, 4}));  // each selection names the tab before
}

// The form sees each key before the focused control; a key it spends (KeyAscii = 0) goes no
// further: it neither types nor clicks.
TEST(KeyPreview, TheFormSeesEachKeyFirstAndAKeyItSpendsGoesNoFurther) {
  Dialog form;
  forms::TextBox text(form);
  forms::CommandButton button(form);
  text.OnChange = [&] { form.events.push_back("Change " + text.Text()); };
  button.OnClick = [&] { form.events.push_back("Click"); };
  form.SetKeyPreview(true);
  form.Show();
  text.SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return QApplication::focusWidget() == WidgetOf(text); }));
  form.events.clear();
  form.swallow = 'b';
  for (auto [key, letter] : {std::pair{Qt::Key_A, "a"}, {Qt::Key_Return, "\r"}, {Qt::Key_B, "b"}}) {
    Press(WidgetOf(text), key, letter);
  }
  button.SetFocus();
  form.swallow = -1;
  Press(WidgetOf(button), Qt::Key_Return, "\r");
  form.swallow = 13;
  Press(WidgetOf(button), Qt::Key_Return, "\r");
  EXPECT_EQ(form.events, (Events{"KeyPress 97", "Change a", "KeyPress 13", "KeyPress 98",
                                 "KeyPress 13", "Click", "KeyPress 13"}));

  form.SetKeyPreview(false);
  form.events.clear();
  Press(WidgetOf(text), Qt::Key_C, "c");
  EXPECT_EQ(form.events, (Events{"Change ac"}));
}

// Tab goes round the tab stops in tab-index order, never to the window. The scroll bar is one:
// the keys move it as they moved the old bar, and it shows when it has the keyboard.
TEST(Focus, TabGoesRoundTheControlsInTabIndexOrderAndTheScrollBarTakesItsKeys) {
  Dialog form;
  forms::CommandButton first(form);
  forms::Label label(form);
  forms::CommandButton second(form);
  forms::HScrollBar bar(form);
  bar.SetMax(140);
  bar.SetLargeChange(10);
  bar.SetTabIndex(0);
  second.SetTabIndex(1);  // bar, second, first
  form.Show();
  first.SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return QApplication::focusWidget() == WidgetOf(first); }));
  std::vector<QWidget*> visited;
  for (int i = 0; i < 4; ++i) {
    Press(QApplication::focusWidget(), Qt::Key_Tab);
    visited.push_back(QApplication::focusWidget());
  }
  ASSERT_EQ(visited,
            (std::vector{WidgetOf(bar), WidgetOf(second), WidgetOf(first), WidgetOf(bar)}));
  const std::pair<Qt::Key, int> cases[] = {
      {Qt::Key_Right, 71},    {Qt::Key_Down, 71},   {Qt::Key_Left, 69}, {Qt::Key_Up, 69},
      {Qt::Key_PageDown, 80}, {Qt::Key_PageUp, 60}, {Qt::Key_Home, 0},  {Qt::Key_End, 140}};
  for (const auto& [key, value] : cases) {
    bar.SetValue(70);
    Press(WidgetOf(bar), key);
    EXPECT_EQ(bar.Value(), value) << key;
  }
  const QImage marked = WidgetOf(bar)->grab().toImage();
  first.SetFocus();
  EXPECT_NE(WidgetOf(bar)->grab().toImage(), marked) << "no focus mark";
}

TEST(Pointers, APictureBoxShowsItsOwnPointerOnlyWithPointer99AndTheHourglassCoversAll) {
  Dialog form;
  forms::PictureBox button(form);
  button.SetMouseIcon("pointer");
  EXPECT_FALSE(WidgetOf(button)->testAttribute(Qt::WA_SetCursor));
  button.SetMousePointer(99);
  EXPECT_EQ(WidgetOf(button)->cursor().shape(), Qt::BitmapCursor);
  button.SetMousePointer(0);
  EXPECT_FALSE(WidgetOf(button)->testAttribute(Qt::WA_SetCursor));
  forms::Screen.SetMousePointer(11);
  const QCursor* wait = QGuiApplication::overrideCursor();
  EXPECT_TRUE(wait && wait->shape() == Qt::WaitCursor);
  forms::Screen.SetMousePointer(99);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
