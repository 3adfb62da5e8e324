// Our stand-ins for kernel32's version query and last error. The Windows family the program
// believes it runs on is the NT family unless FINBROOK_WINVER says otherwise: "95" for the
// Windows 95 family (its password paths), "unknown" for a platform the program does not know.
#pragma once

#include <cstdint>
#include <string>

namespace win {

enum class PlatformId : std::uint32_t {
  VER_PLATFORM_WIN32s = 0,
  VER_PLATFORM_WIN32_WINDOWS = 1,
  VER_PLATFORM_WIN32_NT = 2,
};

struct OSVERSIONINFOA {
  std::uint32_t dwOSVersionInfoSize;
  std::uint32_t dwMajorVersion;
  std::uint32_t dwMinorVersion;
  std::uint32_t dwBuildNumber;
  PlatformId dwPlatformId;
  char szCSDVersion[128];
};
static_assert(sizeof(OSVERSIONINFOA) == 148);

// Fills info when its size field is 148; otherwise fails and leaves it untouched.
bool GetVersionExA(OSVERSIONINFOA* info);

// The calling thread's last error, as the last failing stand-in left it. The stand-ins keep the
// host's error number (errno) rather than a Windows code, and LastErrorText gives the system's
// own words for it ("Permission denied"), as FormatMessageA does for GetLastError on Windows.
void SetLastHostError(int error_number);
std::string LastErrorText();

}  // namespace win
