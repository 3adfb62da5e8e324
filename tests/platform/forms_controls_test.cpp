#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabBar>
#include <algorithm>
#include <string>
#include <vector>

#include "platform/forms.h"
#include "platform/forms_qt.h"
#include "platform/forms_test_support.h"
#include "runtime/errors.h"
#include "support/raised_error.h"

namespace {

using test_support::ErrorOf;
using Events = std::vector<std::string>;

using test_support::PumpFor;
using test_support::WidgetOf;

// A form that writes down its key, activation and control events in the order they come.
class Dialog : public forms::Form {
 public:
  Events events;
  int swallow = -1;  // the KeyAscii to set to 0

 protected:
  void Form_KeyPress(rt::Integer& key_ascii) override {
    events.push_back("KeyPress " + std::to_string(key_ascii.Value()));
    if (key_ascii == swallow) key_ascii = 0;
  }
  void Form_Activate() override { events.push_back("Activate"); }
};

// ---- Values set by the program ----

TEST(ControlValues, ASetThatChangesTheValueFiresTheEventOnceAndASameSetNone) {
  Dialog form;
  forms::CheckBox check(form);
  forms::ComboBox list(form);
  forms::HScrollBar bar(form);
  forms::TextBox text(form);
  int clicks = 0, picks = 0, changes = 0, edits = 0;
  check.OnClick = [&] { ++clicks; };
  list.OnClick = [&] { ++picks; };
  bar.OnChange = [&] { ++changes; };
  text.OnChange = [&] { ++edits; };
  for (const char* item : {"<None>", "ArchWay", "Muddy Waters"}) list.AddItem(item);
  bar.SetMax(140);

  EXPECT_EQ(list.ListIndex(), -1);  // adding items selects none
  EXPECT_EQ(list.Text(), "");
  check.SetValue(1);
  check.SetValue(1);
  list.SetListIndex(2);
  list.SetListIndex(2);
  bar.SetValue(70);
  bar.SetValue(70);
  text.SetText("hello");
  text.SetText("hello");
  EXPECT_EQ((std::vector{clicks, picks, changes, edits}), (std::vector{1, 1, 1, 1}));
  EXPECT_EQ(list.Text(), "Muddy Waters");

  // A Max below the value moves the value, which is a change.
  bar.SetMax(50);
  EXPECT_EQ(bar.Value(), 50);
  EXPECT_EQ(changes, 2);
}

TEST(ControlValues, TheHandlerSeesTheNewValueAndItsErrorsReachTheCaller) {
  Dialog form;
  forms::ComboBox list(form);
  list.AddItem("Coral Reef");
  rt::Integer seen = -5;
  list.OnClick = [&] {
    seen = list.ListIndex();
    rt::Raise(rt::kOverflow);
  };
  EXPECT_EQ(ErrorOf([&] { list.SetListIndex(0); }), rt::kOverflow);
  EXPECT_EQ(seen, 0);
}

TEST(ControlValues, ValuesOutsideTheirRangeAreInvalidPropertyValues) {
  Dialog form;
  forms::CheckBox check(form);
  forms::ComboBox list(form);
  forms::HScrollBar bar(form);
  forms::SSTab tabs(form, 3);
  forms::TextBox text(form);
  list.AddItem("one");
  bar.SetMax(140);
  int events = 0;
  check.OnClick = list.OnClick = bar.OnChange = [&] { ++events; };
  const std::vector<std::function<void()>> sets = {
      [&] { check.SetValue(-1); },    [&] { check.SetValue(3); },    [&] { list.SetListIndex(-2); },
      [&] { list.SetListIndex(1); },  [&] { bar.SetValue(-1); },     [&] { bar.SetValue(141); },
      [&] { bar.SetSmallChange(0); }, [&] { tabs.SetTab(3); },       [&] { tabs.SetTab(-1); },
      [&] { tabs.Page(3); },          [&] { text.SetMaxLength(-1); }};
  for (std::size_t i = 0; i < sets.size(); ++i) {
    EXPECT_EQ(ErrorOf(sets[i]), rt::kInvalidPropertyValue) << "set " << i;
  }
  EXPECT_EQ(events, 0);
  EXPECT_EQ(bar.Value(), 0);
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_THROW(check.SetValue(2), std::logic_error);  // greyed is never used
  EXPECT_NO_THROW(list.SetListIndex(-1));
}

// ---- Changes by the user ----

TEST(ControlValues, UserChangesFireTheirEventsOnce) {
  Dialog form;
  forms::CheckBox check(form);
  forms::ComboBox list(form);
  forms::HScrollBar bar(form);
  forms::TextBox text(form);
  form.Show();
  Events events;
  check.OnClick = [&] { events.push_back("check " + std::to_string(check.Value().Value())); };
  list.OnClick = [&] { events.push_back("list " + std::to_string(list.ListIndex().Value())); };
  bar.OnChange = [&] { events.push_back("bar " + std::to_string(bar.Value().Value())); };
  text.OnChange = [&] { events.push_back("text " + text.Text()); };
  list.AddItem("a");
  list.AddItem("b");
  bar.SetMax(140);
  bar.SetLargeChange(10);
  events.clear();

  WidgetOf<QAbstractButton>(check)->click();
  auto* combo = WidgetOf<QComboBox>(list);
  combo->setCurrentIndex(1);
  emit combo->activated(1);
  emit combo->activated(1);  // picking the same item again is still a click
  WidgetOf<QScrollBar>(bar)->triggerAction(QAbstractSlider::SliderPageStepAdd);
  QKeyEvent key(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
  QApplication::sendEvent(WidgetOf(text), &key);
  EXPECT_EQ(events, (Events{"check 1", "list 1", "list 1", "bar 10", "text x"}));
}

TEST(ControlValues, TheScrollBarIsATabStopThatTheKeysMove) {
  Dialog form;
  forms::CommandButton before(form);
  forms::HScrollBar bar(form);
  bar.SetMax(140);
  bar.SetLargeChange(10);
  form.Show();
  PumpFor(20);
  before.SetFocus();
  QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
  QApplication::sendEvent(WidgetOf(before), &tab);
  ASSERT_EQ(QApplication::focusWidget(), WidgetOf(bar));
  struct Case {
    Qt::Key key;
    int value;
  };
  const Case cases[] = {{Qt::Key_Right, 71}, {Qt::Key_Down, 71},     {Qt::Key_Left, 69},
                        {Qt::Key_Up, 69},    {Qt::Key_PageDown, 80}, {Qt::Key_PageUp, 60},
                        {Qt::Key_Home, 0},   {Qt::Key_End, 140}};
  for (const Case& c : cases) {
    bar.SetValue(70);
    QKeyEvent key(QEvent::KeyPress, c.key, Qt::NoModifier);
    QApplication::sendEvent(WidgetOf(bar), &key);
    EXPECT_EQ(bar.Value(), c.value) << c.key;
  }
}

TEST(ControlValues, ATextBoxTakesOneLineOfAtMostItsMaxLength) {
  Dialog form;
  forms::TextBox text(form);
  text.SetMaxLength(127);
  Events changes;
  text.OnChange = [&] { changes.push_back(text.Text()); };
  struct Case {
    std::string pasted;
    std::string kept;
  };
  const Case cases[] = {{"two\r\nlines", "two lines"},
                        {"a\nb\rc\n", "a b c "},
                        {std::string(200, 'x'), std::string(127, 'x')}};
  for (const Case& c : cases) {
    text.SetText("");
    changes.clear();
    WidgetOf<QLineEdit>(text)->insert(QString::fromStdString(c.pasted));  // as a paste does
    EXPECT_EQ(text.Text(), c.kept);
    EXPECT_EQ(changes, Events{c.kept}) << "one change, with the text kept";
  }
}

// ---- The tabbed control ----

TEST(TabControl, OnlyTheSelectedTabsControlsShowAndSelectingFiresWithThePreviousTab) {
  Dialog form;
  form.SetClientSize(7575, 3810);
  forms::SSTab tabs(form, 6);
  tabs.Move(0, 0, 7575, 3810);
  forms::Label on_first(tabs.Page(0));
  forms::Frame frame(tabs.Page(4));
  forms::CheckBox in_frame(frame);
  forms::PictureBox pane(form);  // on the form, over the tabs
  form.Show();
  std::vector<int> previous;
  tabs.OnClick = [&](rt::Integer tab) { previous.push_back(tab.Value()); };
  QWidget* window = forms::ImplOf(form).widget.data();

  EXPECT_EQ(tabs.Tab(), 0);
  EXPECT_TRUE(WidgetOf(on_first)->isVisibleTo(window));
  EXPECT_FALSE(WidgetOf(in_frame)->isVisibleTo(window));
  tabs.SetTab(4);
  tabs.SetTab(4);
  EXPECT_FALSE(WidgetOf(on_first)->isVisibleTo(window));
  EXPECT_TRUE(WidgetOf(in_frame)->isVisibleTo(window));
  EXPECT_TRUE(WidgetOf(pane)->isVisibleTo(window));
  // The user picks tab 5 on the strip.
  WidgetOf(tabs)->findChild<QTabBar*>()->setCurrentIndex(5);
  EXPECT_EQ(tabs.Tab(), 5);
  EXPECT_FALSE(WidgetOf(in_frame)->isVisibleTo(window));
  EXPECT_EQ(previous, (std::vector{0, 4}));
}

TEST(TabControl, ControlsOnPagesAndFramesArePlacedInTwipsFromTheirContainer) {
  Dialog form;
  form.SetClientSize(7575, 3810);
  forms::SSTab tabs(form, 2);
  tabs.Move(150, 300, 7200, 3300);
  forms::Frame frame(tabs.Page(1));
  frame.Move(120, 480, 3000, 1500);
  forms::CheckBox check(frame);
  check.Move(150, 300, 1455, 375);
  const QPoint on_form = WidgetOf(check)->mapTo(forms::ImplOf(form).widget.data(), QPoint(0, 0));
  EXPECT_EQ(on_form, QPoint((150 + 120 + 150) / 15, (300 + 480 + 300) / 15));
}

// ---- Keys, activation, focus ----

TEST(KeyPreview, TheFormSeesEachKeyBeforeTheFocusedTextBox) {
  Dialog form;
  forms::TextBox text(form);
  form.SetKeyPreview(true);
  text.OnChange = [&] { form.events.push_back("Change " + text.Text()); };
  form.Show();
  PumpFor(20);
  text.SetFocus();
  form.events.clear();
  QWidget* line = WidgetOf(text);
  ASSERT_EQ(QApplication::focusWidget(), line);
  QKeyEvent letter(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
  QApplication::sendEvent(line, &letter);
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
  QApplication::sendEvent(line, &enter);
  form.swallow = 'b';
  QKeyEvent swallowed(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, "b");
  QApplication::sendEvent(line, &swallowed);
  EXPECT_EQ(form.events, (Events{"KeyPress 97", "Change a", "KeyPress 13", "KeyPress 98"}));
  EXPECT_EQ(text.Text(), "a");

  form.SetKeyPreview(false);
  form.events.clear();
  QKeyEvent unseen(QEvent::KeyPress, Qt::Key_C, Qt::NoModifier, "c");
  QApplication::sendEvent(line, &unseen);
  EXPECT_EQ(form.events, (Events{"Change ac"}));
}

TEST(KeyPreview, AKeyTheFormSpendsNeverClicksTheFocusedButtonToo) {
  Dialog form;
  forms::CommandButton button(form);
  button.OnClick = [&] { form.events.push_back("Click"); };
  form.SetKeyPreview(true);
  form.Show();
  PumpFor(20);
  button.SetFocus();
  form.events.clear();
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
  QApplication::sendEvent(WidgetOf(button), &enter);
  form.swallow = 13;
  QApplication::sendEvent(WidgetOf(button), &enter);
  EXPECT_EQ(form.events, (Events{"KeyPress 13", "Click", "KeyPress 13"}));
}

TEST(Focus, ActivationFiresAndFocusNeedsAVisibleEnabledControl) {
  Dialog form;
  forms::TextBox text(form);
  forms::CommandButton button(form);
  form.Show();
  PumpFor(50);
  EXPECT_EQ(form.events, (Events{"Activate"}));
  button.SetEnabled(false);
  EXPECT_EQ(ErrorOf([&] { button.SetFocus(); }), rt::kInvalidProcedureCall);
  text.SetVisible(false);
  EXPECT_EQ(ErrorOf([&] { static_cast<forms::Control&>(text).SetFocus(); }),
            rt::kInvalidProcedureCall);
}

TEST(Focus, TabIndexOrdersTheFocusChain) {
  Dialog form;
  forms::TextBox first(form);
  forms::CommandButton second(form);
  forms::CommandButton third(form);
  third.SetTabIndex(0);  // third, first, second
  EXPECT_EQ(WidgetOf(third)->nextInFocusChain(), WidgetOf(first));
  EXPECT_EQ(WidgetOf(first)->nextInFocusChain(), WidgetOf(second));
  second.SetTabIndex(1);  // third, second, first
  EXPECT_EQ(WidgetOf(third)->nextInFocusChain(), WidgetOf(second));
  EXPECT_EQ(WidgetOf(second)->nextInFocusChain(), WidgetOf(first));
}

TEST(Focus, AFormFirstShownFocusesTheFirstControlInTabOrderThatCanTakeIt) {
  Dialog form;
  forms::SSTab tabs(form, 2);
  forms::CheckBox on_a_page(tabs.Page(0));
  forms::TextBox hidden(form);
  forms::CommandButton disabled(form);
  forms::CommandButton first(form);
  hidden.SetVisible(false);
  disabled.SetEnabled(false);
  hidden.SetTabIndex(0);
  disabled.SetTabIndex(1);
  first.SetTabIndex(2);  // hidden, disabled, first, then the tabs and the check box
  form.Show();
  PumpFor(50);
  EXPECT_EQ(QApplication::focusWidget(), WidgetOf(first));
}

TEST(Focus, TabGoesRoundTheControlsAndNeverToTheWindow) {
  Dialog form;
  forms::CommandButton first(form);
  forms::Label label(form);
  forms::CommandButton second(form);
  form.Show();
  PumpFor(20);
  first.SetFocus();
  std::vector<QWidget*> visited;
  for (int i = 0; i < 3; ++i) {
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(QApplication::focusWidget(), &tab);
    visited.push_back(QApplication::focusWidget());
  }
  EXPECT_EQ(visited, (std::vector{WidgetOf(second), WidgetOf(first), WidgetOf(second)}));
}

// ---- Picture boxes and the screen's pointer ----

TEST(Pointers, APictureBoxShowsItsCustomPointerOnlyWithPointer99) {
  Dialog form;
  forms::PictureBox button(form);
  const forms::BuiltinPicture& hand = forms::FindBuiltinPicture("pointer");
  button.SetMouseIcon("pointer");
  EXPECT_FALSE(WidgetOf(button)->testAttribute(Qt::WA_SetCursor));
  button.SetMousePointer(99);
  const QCursor cursor = WidgetOf(button)->cursor();
  EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
  EXPECT_EQ(cursor.hotSpot(), QPoint(hand.hotspot_x, hand.hotspot_y));
  button.SetMousePointer(0);
  EXPECT_FALSE(WidgetOf(button)->testAttribute(Qt::WA_SetCursor));
  EXPECT_THROW(button.SetMousePointer(11), std::logic_error);
}

TEST(Pointers, TheScreensHourglassCoversEveryWindowUntilPointer99) {
  forms::EnsureApplication();
  forms::Screen.SetMousePointer(11);
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  forms::Screen.SetMousePointer(99);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  forms::Screen.SetMousePointer(0);
}

TEST(Pointers, ClsClearsWhatWasDrawnOnThePictureBox) {
  Dialog form;
  form.SetScaleMode(forms::ScaleMode::Pixel);
  forms::PictureBox pane(form);
  pane.SetBorder(false);
  pane.SetBackColor(win::RGB(0, 0, 0));
  pane.Move(0, 0, 20, 10);
  const win::HDC dc = pane.hDC();
  std::fill_n(win::MutablePixels32(dc), 20, 0xFFFFFFu);  // the program drew a white row
  ASSERT_EQ(win::Pixels32(dc)[0] & 0xFFFFFF, 0xFFFFFFu);
  pane.Cls();
  EXPECT_EQ(pane.hDC(), dc);
  EXPECT_EQ(win::Pixels32(dc)[5] & 0xFFFFFF, 0u);
}

}  // namespace
