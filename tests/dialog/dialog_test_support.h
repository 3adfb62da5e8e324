// Shared fixture of the settings dialog's tests: a throw-away Windows directory with an empty
// media folder, zeroed settings, an 800 x 600 screen, the common exit's last step recorded
// instead of ending the process, and the dialog unloaded again after each test.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "dialog/configuration.h"
#include "dialog/message_entry.h"
#include "host/host_test_support.h"
#include "host/starter.h"
#include "sprites/animations.h"
#include "sprites/catalogue.h"
#include "sprites/media_folder.h"

namespace dialog_test {

inline int& Ends() {
  static int ends = 0;
  return ends;
}
inline void RecordEnd() {
  ++Ends();
}

// Answers each message box that opens while it lives with OK, keeping its text.
class MessageBoxes {
 public:
  MessageBoxes() {
    QObject::connect(&poll_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        texts.push_back(box->text().toStdString());
        box->accept();
      }
    });
    poll_.start(5);
  }
  std::vector<std::string> texts;

 private:
  QTimer poll_;
};

// Every key and value of the settings file's one section, in the file's order.
using Entries = std::vector<std::pair<std::string, std::string>>;

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_test::ResetSettings();
    for (const CatalogueItem& item : Catalogue()) item.record->Installed = -1;
    RunMode = 2;
    ScreenWidth = 800;
    ScreenHeight = 600;
    ShortTick = 0;
    TickCount = 0;
    Ends() = 0;
    SetEndStepForTests(&RecordEnd);
    // The back buffer takes the palette picture's format.
    media_.WritePicture("a_palette.bmp", 4, 4, [](int, int) { return win::RGB(1, 2, 3); });
    Palette.ImageFile = "a_palette.bmp";
  }
  void TearDown() override {
    Close();
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
    Close();
    form_ = std::make_unique<ConfigurationForm>();
    form_->Load();
    return *form_;
  }
  void Close() {
    if (form_ && form_->Loaded()) form_->Unload();
    form_.reset();
  }

  std::string IniPath() const {
    return (media_.Folder().parent_path().parent_path() / "quorvane.ini").string();
  }
  bool IniExists() const { return std::ifstream(IniPath()).good(); }
  // A settings file with the one line given, without any write bit: read-only.
  void WriteReadOnlyIni(const std::string& line) const {
    std::ofstream(IniPath()) << "[Solmere Finbrook]\r\n" << line << "\r\n";
    std::filesystem::permissions(IniPath(), std::filesystem::perms(0444));
  }
  Entries ReadIni() const {
    Entries entries;
    std::ifstream in(IniPath());
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const auto eq = line.find('=');
      if (eq != std::string::npos) entries.emplace_back(line.substr(0, eq), line.substr(eq + 1));
    }
    return entries;
  }

  std::unique_ptr<ConfigurationForm> form_;
  testing_media::MediaFolder media_;
  host_test::ErrorRecorder errors_;
};

}  // namespace dialog_test
