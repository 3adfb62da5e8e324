// The forms run time's process: start-up, the event loop and the End statement.
#pragma once

#include <string>

namespace forms {

// Starts the run time, hands the raw command line (the arguments after the program name,
// joined by blanks) to the program's entry, then runs the event loop for as long as a form is
// loaded. Returns the process's exit code.
int RunProgram(int argc, char** argv, void (*entry)(const std::string& command_line));

// The End statement: the process ends at once; no window stays and no further handler runs.
[[noreturn]] void End();

// The code the process ends with by End or when no form is left: 0 unless a stand-in met a
// failure that the program does not check for (a password that could not be stored).
void SetExitCode(int code);

// A request from outside to stop the process (SIGTERM, SIGINT or SIGHUP) runs way_out, the
// running mode's own exit, on the user-interface thread, also while a modal dialog waits. When
// there is none, or it returns, every event loop is left, a modal dialog's as if cancelled, and
// the process ends once the program's entry has returned.
void SetStopRequestHandler(void (*way_out)());

}  // namespace forms
