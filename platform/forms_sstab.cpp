// The tabbed dialog control: a tab strip across the top and, under it, a raised panel. Each tab
// is a page as large as the whole control, so the controls on it are placed from the control's
// top left as they were on the old control; only the selected tab's page is shown. The strip
// lies above the pages, which are see-through, and takes the clicks on the tabs.
#include <QPainter>
#include <QSignalBlocker>
#include <QTabBar>
#include <vector>

#include "platform/forms_qt.h"
#include "platform/unsupported.h"
#include "runtime/errors.h"

namespace forms {

namespace {

// A tab's page: a container over the whole control.
class TabPage : public Container {
 public:
  TabPage(QWidget* host, Form& owner) {
    auto impl = std::make_unique<ContainerImpl>();
    impl->host = host;
    impl_ = std::move(impl);
    owner_ = &owner;
  }
};

class TabWidget : public QWidget {
 public:
  TabWidget() : bar(new QTabBar(this)) {
    bar->setExpanding(true);
    bar->setDrawBase(false);
  }
  QTabBar* bar;
  std::vector<QWidget*> pages;

  void Layout() {
    bar->setGeometry(0, 0, width(), bar->sizeHint().height());
    for (QWidget* page : pages) page->setGeometry(rect());
    bar->raise();
  }

 protected:
  void resizeEvent(QResizeEvent*) override { Layout(); }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const int top = bar->height() - 1;
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(0, top, width() - 1, top);
    p.drawLine(0, top, 0, height() - 1);
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(1, height() - 1, width() - 1, height() - 1);
    p.drawLine(width() - 1, top + 1, width() - 1, height() - 1);
  }
};

}  // namespace

struct SSTab::Pages {
  TabWidget* widget = nullptr;
  std::vector<std::unique_ptr<TabPage>> pages;
  int current = 0;

  void ShowCurrent() {
    for (std::size_t i = 0; i < widget->pages.size(); ++i) {
      widget->pages[i]->setVisible(static_cast<int>(i) == current);
    }
  }
};

SSTab::SSTab(Container& parent, int tabs) : pages_(std::make_unique<Pages>()) {
  if (tabs < 1) win::Unsupported("forms::SSTab", "a tab control without tabs");
  parent_ = &parent;
  auto* w = Place<ControlImpl>(impl_, parent, new TabWidget);
  pages_->widget = w;
  for (int i = 0; i < tabs; ++i) {
    w->bar->addTab(QString());
    auto* page = new QWidget(w);
    w->pages.push_back(page);
    pages_->pages.push_back(std::make_unique<TabPage>(page, parent.OwnerForm()));
  }
  w->Layout();
  pages_->ShowCurrent();
  QObject::connect(w->bar, &QTabBar::currentChanged, [this](int index) {
    const int previous = pages_->current;
    pages_->current = index;
    pages_->ShowCurrent();
    if (OnClick) Dispatch([&] { OnClick(static_cast<std::int16_t>(previous)); });
  });
}

SSTab::~SSTab() = default;

rt::Integer SSTab::Tabs() const {
  return static_cast<std::int16_t>(pages_->pages.size());
}

void SSTab::SetTabCaption(rt::Integer tab, const std::string& caption) {
  if (tab < 0 || tab >= Tabs()) rt::Raise(rt::kInvalidPropertyValue);
  pages_->widget->bar->setTabText(tab.Value(), QString::fromStdString(caption));
  pages_->widget->Layout();  // the strip's height follows the captions' font
}

Container& SSTab::Page(rt::Integer tab) {
  if (tab < 0 || tab >= Tabs()) rt::Raise(rt::kInvalidPropertyValue);
  return *pages_->pages[static_cast<std::size_t>(tab.Value())];
}

rt::Integer SSTab::Tab() const {
  return static_cast<std::int16_t>(pages_->current);
}

void SSTab::SetTab(rt::Integer tab) {
  if (tab < 0 || tab >= Tabs()) rt::Raise(rt::kInvalidPropertyValue);
  const int previous = pages_->current;
  if (tab == previous) return;
  {
    QSignalBlocker quiet(pages_->widget->bar);
    pages_->widget->bar->setCurrentIndex(tab.Value());
  }
  pages_->current = tab.Value();
  pages_->ShowCurrent();
  if (OnClick) OnClick(static_cast<std::int16_t>(previous));
}

}  // namespace forms
