// Shared pieces of the host's tests: a recorder of trapped errors in place of the report dialog,
// a return of the settings values to the zeroed state in which start-up finds them, and the
// fixture that gives a test both and a throw-away Windows directory.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "host/starter.h"
#include "host/system.h"
#include "platform/temp_windir.h"
#include "runtime/errors.h"
#include "sprites/animations.h"
#include "sprites/catalogue.h"
#include "support/raised_error.h"

namespace host_test {

// Collects the context of every trapped error while it lives.
class ErrorRecorder {
 public:
  ErrorRecorder() : previous_(rt::CurrentErrorReporter()) {
    contexts_.clear();
    rt::SetErrorReporter([](std::string_view context) { contexts_.emplace_back(context); });
  }
  ~ErrorRecorder() { rt::SetErrorReporter(previous_); }
  ErrorRecorder(const ErrorRecorder&) = delete;
  ErrorRecorder& operator=(const ErrorRecorder&) = delete;
  const std::vector<std::string>& contexts() const { return contexts_; }

 private:
  static inline std::vector<std::string> contexts_;
  rt::ErrorReporter previous_;
};

inline void ResetSettings() {
  Background.Choice = 0;
  CenterpieceSlot.Choice = 0;
  for (const CatalogueItem& item : Catalogue()) item.record->Visible = 0;
  FrameInterval = 0;
  MessageOn = 0;
  MessageText.clear();
  for (int i = 0; i <= 5; ++i) SongOn(i) = 0;
  for (int i = 0; i <= 2; ++i) SoundOn(i) = 0;
  ExitOnMouseMove = 0;
}

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSettings();
    ErrContext.clear();
    ErrNumberText.clear();
  }
  void TearDown() override { ResetSettings(); }

  test_support::TempWindir windir_;
  ErrorRecorder errors_;
};

}  // namespace host_test
