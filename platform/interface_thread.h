// The user-interface thread: the process's first thread, which runs the program's entry, every
// event handler and every stand-in call. Beside it, the audio engine's render thread touches only
// what the audio engine hands it.
#pragma once

namespace forms {

// True on the user-interface thread. For assert() wherever state is the interface thread's alone.
bool OnInterfaceThread();

}  // namespace forms
