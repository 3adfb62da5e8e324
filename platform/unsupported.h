// How every stand-in refuses a call the program never makes (an argument, flag or command it
// does not serve): loudly, naming the call and what was asked, and never by an error code that
// the program would not check.
//
// Unsupported throws UnsupportedCall, which no procedure of the program traps (rt::Trap catches
// run-time errors only). The run time's Dispatch, which runs the program's entry and every event
// handler, catches it, prints "finbrook: <call>: <what> is not supported" on standard error and
// ends the process at once with status 70. Unit tests see the exception itself.
//
// For the user-interface thread: the audio engine's render thread has nothing to refuse.
#pragma once

#include <stdexcept>
#include <string_view>

namespace win {

class UnsupportedCall : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// For example Unsupported("BitBlt", "raster operation 0x00440328").
[[noreturn]] void Unsupported(std::string_view call, std::string_view what);

}  // namespace win
