// The run time's process. RunProgram: the application object, the program's entry with the raw
// command line, then the event loop for as long as a form is loaded. End and a run-time error
// that no handler traps both end the process at once, without unwinding: no window stays and no
// further event handler runs.
#include "platform/app.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "platform/forms_qt.h"
#include "runtime/errors.h"

namespace forms {

namespace {

constexpr char kProgramTitle[] = "Solmere Finbrook ScreenSaver";

bool event_loop_running = false;
int exit_code = 0;

[[noreturn]] void EndProcess(int code) {
  std::fflush(nullptr);
  std::_Exit(code);
}

// The old run time's answer to an error that no procedure traps: its message box, then the end.
[[noreturn]] void StopOnRuntimeError(const rt::RuntimeError& error) {
  const std::string message = "Run-time error '" + std::to_string(error.Number()) + "':\n\n" +
                              rt::ErrorDescription(error.Number());
  std::fprintf(stderr, "finbrook: %s\n", message.c_str());
  MsgBox(message, kProgramTitle);
  EndProcess(1);
}

bool AnyFormLoaded() {
  for (FormImpl* form : AllForms()) {
    if (form->loaded) return true;
  }
  return false;
}

}  // namespace

void EnsureApplication() {
  if (QApplication::instance()) return;
  static int argc = 1;
  static char name[] = "finbrook";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // lives as long as the process
}

void Dispatch(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const rt::RuntimeError& error) {
    StopOnRuntimeError(error);
  } catch (const std::exception& error) {
    // A stand-in asked for something the program never needs: stop loudly, naming it.
    std::fprintf(stderr, "finbrook: %s\n", error.what());
    EndProcess(70);
  }
}

void QuitWhenNoFormLoaded() {
  if (event_loop_running && !AnyFormLoaded()) QCoreApplication::exit(0);
}

int RunProgram(int argc, char** argv, void (*entry)(const std::string& command_line)) {
  // Qt sees only the program name: the command line belongs to the program.
  static int qt_argc = 1;
  static char* qt_argv[] = {argv[0], nullptr};
  QApplication app(qt_argc, qt_argv);
  app.setQuitOnLastWindowClosed(false);

  std::string command_line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) command_line += ' ';
    command_line += argv[i];
  }
  Dispatch([&] { entry(command_line); });
  if (AnyFormLoaded()) {
    event_loop_running = true;
    app.exec();
  }
  EndProcess(exit_code);
}

void End() {
  EndProcess(exit_code);
}

void SetExitCode(int code) {
  exit_code = code;
}

}  // namespace forms
