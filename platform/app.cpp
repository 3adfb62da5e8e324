// The run time's process. RunProgram: the application object, the program's entry with the raw
// command line, then the event loop for as long as a form is loaded. End and a run-time error
// that no handler traps both end the process at once, without unwinding: no window stays and no
// further event handler runs. Only the sound output is closed first, so that a capture file is
// complete.
//
// The stop signals are caught from the process's first step. Before the mode starts nothing is
// shown, grabbed, marked or playing, so a stop then ends the process at once as a normal exit
// (the saver never flashes up). From then on they come through a pipe to ourselves: the handler
// only writes a byte, and a socket notifier hears it in whichever event loop runs, a modal
// dialog's included, and runs the mode's own way out.
#include "platform/app.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/audio_engine.h"
#include "platform/environment.h"
#include "platform/forms_qt.h"
#include "platform/x11_picture.h"
#include "platform/x11_windows.h"
#include "runtime/errors.h"
#include "runtime/product.h"

namespace forms {

namespace {

bool event_loop_running = false;
int exit_code = 0;
bool stop_requested = false;
void (*stop_way_out)() = nullptr;
int stop_pipe[2] = {-1, -1};
volatile std::sig_atomic_t mode_started = 0;

[[noreturn]] void EndProcess(int code) {
  audio::CloseAll();
  std::fflush(nullptr);
  std::_Exit(code);
}

// The old run time's answer to an error that no procedure traps: its message box, then the end.
[[noreturn]] void StopOnRuntimeError(const rt::RuntimeError& error) {
  const std::string message = "Run-time error '" + std::to_string(error.Number()) + "':\n\n" +
                              rt::ErrorDescription(error.Number());
  std::fprintf(stderr, "%s: %s\n", product::kHostName, message.c_str());
  MsgBox(message, product::kTitle);
  EndProcess(1);
}

bool AnyFormLoaded() {
  for (FormImpl* form : AllForms()) {
    if (form->loaded) return true;
  }
  return false;
}

extern "C" void OnStopSignal(int) {
  if (!mode_started) ::_exit(0);
  const int saved_errno = errno;
  const char byte = 0;
  // A full pipe already holds a request: nothing is lost when this write fails.
  [[maybe_unused]] const ssize_t written = ::write(stop_pipe[1], &byte, 1);
  errno = saved_errno;
}

void AnswerStopRequest() {
  stop_requested = true;
  if (stop_way_out) Dispatch(stop_way_out);
  // Leaves every running loop, a modal dialog's too; a dialog opened later returns at once.
  QCoreApplication::exit(0);
}

void CatchStopSignals() {
  if (::pipe2(stop_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

void ListenForStopSignals(QApplication& app) {
  if (stop_pipe[0] < 0) return;
  auto* notifier = new QSocketNotifier(stop_pipe[0], QSocketNotifier::Read, &app);
  QObject::connect(notifier, &QSocketNotifier::activated, [] {
    char bytes[16];
    while (::read(stop_pipe[0], bytes, sizeof bytes) > 0) {
    }
    AnswerStopRequest();
  });
}

// The toolkit tries the platforms of a list ("wayland;xcb") in turn: X is needed when it is one.
bool UsesX() {
  const std::string platforms = env::Get(env::kQtPlatform);
  return platforms.empty() || (";" + platforms).find(";xcb") != std::string::npos;
}

// Qt aborts with advice to reinstall when its X platform finds no display; say what is missing.
[[noreturn]] void NoDisplay() {
  const std::string display = env::Get(env::kDisplay);
  if (!display.empty()) {
    std::fprintf(stderr, "%s: cannot open the X display %s named by %s\n", product::kHostName,
                 display.c_str(), env::kDisplay.name);
  } else {
    std::fprintf(stderr, "%s: no X display: %s is not set\n", product::kHostName,
                 env::kDisplay.name);
  }
  EndProcess(1);
}

}  // namespace

void EnsureApplication() {
  if (QApplication::instance()) return;
  static int argc = 1;
  static std::string name = product::kHostName;
  static char* argv[] = {name.data(), nullptr};
  new QApplication(argc, argv);  // lives as long as the process
}

void Dispatch(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const rt::RuntimeError& error) {
    StopOnRuntimeError(error);
  } catch (const std::exception& error) {
    // A stand-in refused a call the program never makes (platform/unsupported.h), or the process
    // ran out of memory: stop loudly, naming it.
    std::fprintf(stderr, "%s: %s\n", product::kHostName, error.what());
    EndProcess(70);
  }
}

void QuitWhenNoFormLoaded() {
  if (event_loop_running && !AnyFormLoaded()) QCoreApplication::exit(0);
}

int RunProgram(int argc, char** argv, void (*entry)(const std::string& command_line)) {
  CatchStopSignals();
  std::optional<win::x11::DisplayProbe> probe;
  if (UsesX() && !probe.emplace().Reachable()) NoDisplay();
  // Qt sees only the program name: the command line belongs to the program.
  static int qt_argc = 1;
  static char* qt_argv[] = {argv[0], nullptr};
  QApplication app(qt_argc, qt_argv);
  probe.reset();
  win::x11::ShareLargeBitmaps();
  app.setQuitOnLastWindowClosed(false);
  ListenForStopSignals(app);

  std::string command_line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) command_line += ' ';
    command_line += argv[i];
  }
  mode_started = 1;
  Dispatch([&] { entry(command_line); });
  if (AnyFormLoaded() && !stop_requested) {
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

void SetStopRequestHandler(void (*way_out)()) {
  stop_way_out = way_out;
}

}  // namespace forms
