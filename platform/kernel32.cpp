#include "platform/kernel32.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/environment.h"

namespace win {
namespace {

thread_local int last_host_error = 0;

std::string LowerEnv(env::Variable variable) {
  std::string text = env::Get(variable);
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

struct Version {
  PlatformId platform;
  std::uint32_t major, minor, build;
};

// Read at each call, so that a test may switch the family between two queries.
Version ChosenVersion() {
  const std::string family = LowerEnv(env::kWinVer);
  if (family == "95") return {PlatformId::VER_PLATFORM_WIN32_WINDOWS, 4, 0, 950};
  if (family == "unknown") return {PlatformId::VER_PLATFORM_WIN32s, 3, 10, 0};
  if (!family.empty() && family != "nt")
    std::fprintf(stderr, "GetVersionExA: %s=%s is not 95, nt or unknown; using nt\n",
                 env::kWinVer.name, family.c_str());
  return {PlatformId::VER_PLATFORM_WIN32_NT, 5, 1, 2600};
}

}  // namespace

bool GetVersionExA(OSVERSIONINFOA* info) {
  if (info == nullptr || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) return false;
  const Version v = ChosenVersion();
  info->dwMajorVersion = v.major;
  info->dwMinorVersion = v.minor;
  info->dwBuildNumber = v.build;
  info->dwPlatformId = v.platform;
  std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
  return true;
}

void SetLastHostError(int error_number) {
  last_host_error = error_number;
}

std::string LastErrorText() {
  return std::strerror(last_host_error);
}

}  // namespace win
