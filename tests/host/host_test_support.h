// Shared pieces of the host's tests: a recorder of trapped errors in place of the report dialog,
// and a return of the settings values to the zeroed state in which start-up finds them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/starter.h"
#include "runtime/errors.h"
#include "sprites/animations.h"
#include "sprites/catalogue.h"

namespace host_test {

// Collects the context of every trapped error while it lives.
class ErrorRecorder {
 public:
  ErrorRecorder() : previous_(rt::CurrentErrorReporter()) {
    Contexts().clear();
    rt::SetErrorReporter(&Record);
  }
  ~ErrorRecorder() { rt::SetErrorReporter(previous_); }
  ErrorRecorder(const ErrorRecorder&) = delete;
  ErrorRecorder& operator=(const ErrorRecorder&) = delete;

  const std::vector<std::string>& contexts() const { return Contexts(); }

 private:
  static std::vector<std::string>& Contexts() {
    static std::vector<std::string> contexts;
    return contexts;
  }
  static void Record(std::string_view context) { Contexts().emplace_back(context); }
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

}  // namespace host_test
