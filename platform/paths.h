// The Windows directory and the mapping of the program's Windows-style paths onto the host.
//
// The core sees "C:\WINDOWS\" as its Windows directory and builds every path with backslashes.
// Only this layer knows where those paths live on Linux:
//   - FINBROOK_WINDIR set: the Windows directory is that host folder (settings file and media
//     folder "Quorvane\Solmere Finbrook\" below it), as on Windows; tests use it.
//   - otherwise: the media folder is the built-in media next to the binary, and everything else
//     in the Windows directory (the settings file) lives in the per-user folder
//     $XDG_CONFIG_HOME/finbrook (default ~/.config/finbrook).
// Each component is resolved without regard to case, as the Windows file system does.
#pragma once

#include <string>
#include <string_view>

namespace win {

// kernel32's GetWindowsDirectoryA: copies the directory (no trailing backslash) into buffer,
// returns its length, or the size needed when the buffer is too small.
unsigned GetWindowsDirectoryA(char* buffer, unsigned size);

// The host path of a Windows-style path of the program. A path that already starts with "/"
// is a host path and comes back unchanged.
std::string HostPath(std::string_view windows_path);

}  // namespace win
