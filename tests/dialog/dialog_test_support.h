// Shared fixture of the settings dialog's tests: a throw-away Windows directory with an empty
// media folder, zeroed settings, every item's picture present, an 800 x 600 screen, the common
// exit's last step counted instead of ending the process, and the dialogs unloaded after each
// test.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QProxyStyle>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <memory>

#include "dialog/configuration.h"
#include "dialog/message_entry.h"
#include "host/host_test_support.h"
#include "platform/forms_qt.h"
#include "sprites/media_folder.h"

namespace dialog_test {

inline int ends = 0;

// Dialog buttons with the stock icons that the desktop's theme gives them under X.
struct StockIconStyle : QProxyStyle {
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override {
    return hint == SH_DialogButtonBox_ButtonsHaveIcons
               ? 1
               : QProxyStyle::styleHint(hint, option, widget, data);
  }
};

// Answers each message box that opens while it lives with OK, keeping its text; the box's own
// buttons show no stock icon.
class MessageBoxes {
 public:
  MessageBoxes() {
    QApplication::setStyle(new StockIconStyle);
    QObject::connect(&poll_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        texts.push_back(box->text().toStdString());
        EXPECT_TRUE(box->button(QMessageBox::Ok)->icon().isNull()) << "a stock icon on OK";
        box->accept();
      }
    });
    poll_.start(5);
  }
  std::vector<std::string> texts;

 private:
  QTimer poll_;
};

// A record's place and size in the pane, "x,y wxh".
inline std::string Place(const Sprite& s) {
  return std::to_string(s.X.Value()) + "," + std::to_string(s.Y.Value()) + " " +
         std::to_string(s.Width.Value()) + "x" + std::to_string(s.Height.Value());
}

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_test::ResetSettings();
    for (const CatalogueItem& item : Catalogue()) item.record->Installed = -1;
    RunMode = 2;
    ScreenWidth = 800;
    ScreenHeight = 600;
    ShortTick = TickCount = 0;
    ends = 0;
    SetEndStepForTests([] { ++ends; });
    // The back buffer takes the palette picture's format.
    media_.WritePicture("a_palette.bmp", 4, 4, [](int, int) { return win::RGB(1, 2, 3); });
    Palette.ImageFile = "a_palette.bmp";
  }
  void TearDown() override {
    if (form_ && form_->Loaded()) form_->Unload();
    if (messageentry().Loaded()) messageentry().Unload();
    messageentry().applied_text.reset();
    if (Configuration().Loaded()) Configuration().Unload();
    SetEndStepForTests(nullptr);
    for (const CatalogueItem& item : Catalogue()) item.record->Installed = 0;
    host_test::ResetSettings();
    Palette = Sprite{};
  }

  // A dialog of the test's own, loaded afresh from the settings values (the message dialog's
  // tests use the process's one dialog, Configuration(), which the message dialog shows).
  ConfigurationForm& Open() {
    if (form_ && form_->Loaded()) form_->Unload();
    form_ = std::make_unique<ConfigurationForm>();
    form_->Load();
    return *form_;
  }

  std::string IniPath() const {
    return (media_.Folder().parent_path().parent_path() / "quorvane.ini").string();
  }
  // A settings file with the one line given, without any write bit: read-only.
  void WriteReadOnlyIni(const std::string& line) const {
    std::ofstream(IniPath()) << "[Solmere Finbrook]\r\n" << line << "\r\n";
    std::filesystem::permissions(IniPath(), std::filesystem::perms(0444));
  }
  // The lines of the settings file's one section, joined by ", ".
  std::string IniText() const {
    std::ifstream in(IniPath());
    std::string text, line;
    std::getline(in, line);  // the section
    while (std::getline(in, line))
      text += (text.empty() ? "" : ", ") + line.substr(0, line.size() - 1);
    return text;
  }
  std::string SaveFailure(const std::string& what) const {
    return "The " + what + " could not be saved.\n\n" + IniPath() + ": Permission denied";
  }

  std::unique_ptr<ConfigurationForm> form_;
  testing_media::MediaFolder media_;
  host_test::ErrorRecorder errors_;
};

}  // namespace dialog_test
