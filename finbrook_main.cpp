// The process entry: the forms run time starts, hands the command line to Main, and keeps the
// process alive for as long as one of the program's windows is loaded.
#include "host/starter.h"
#include "platform/app.h"

int main(int argc, char** argv) {
  return forms::RunProgram(argc, argv, [](const std::string& command_line) {
    RawCommandLine = command_line;
    Main();
  });
}
