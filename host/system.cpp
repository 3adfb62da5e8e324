// Module System, host part: the folders, the settings file's two profile routines, the Windows
// family and the system-key lock of the full-screen saver.
#include "host/system.h"

#include <cstdint>

#include "host/starter.h"
#include "platform/kernel32.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/user32.h"
#include "runtime/conversions.h"
#include "runtime/errors.h"
#include "runtime/product.h"

namespace {
// Kept between queries: a failing query leaves the identifier of the last one.
win::OSVERSIONINFOA OSInfo{};
KeyLockCall key_lock_call = &win::SystemParametersInfoA;
}  // namespace

void SetKeyLockCallForTests(KeyLockCall call) {
  key_lock_call = call ? call : &win::SystemParametersInfoA;
}

std::string GetIniData(const std::string& File, const std::string& Section,
                       const std::string& Key) {
  return rt::TrapValue<std::string>("System/GetIniData", [&] {
    constexpr unsigned kChars = 128;
    std::string buffer(kChars * win::kMaxCharBytes, '\0');
    const unsigned n = win::GetPrivateProfileStringA(Section, Key, "", buffer.data(), kChars, File);
    return rt::Left(buffer.c_str(), rt::Long(n));
  });
}

bool PutIniData(const std::string& File, const std::string& Section, const std::string& Key,
                const std::string& Value) {
  return rt::TrapValue<bool>("System/PutIniData", [&] {
    return win::WritePrivateProfileStringA(Section, Key, Value, File);
  });
}

void FoldersFrom(const std::string& windows_directory) {
  WinDir = windows_directory;
  if (rt::Right(WinDir, 1) != "\\") WinDir += "\\";
  DataDir = WinDir + product::kMediaFolder + "\\";
}

// Kept as it always was: the name misspelled, and the context naming module Starter.
void GetDiectories() {
  rt::Trap("Starter/GetDiectories", [] {
    std::string buffer(256, '\0');
    const unsigned n = win::GetWindowsDirectoryA(buffer.data(), 256);
    FoldersFrom(rt::Left(buffer, rt::Long(n)));
  });
}

std::string GetVersion32() {
  return rt::TrapValue<std::string>("System/GetVersion32", [] {
    OSInfo.dwOSVersionInfoSize = 148;
    win::GetVersionExA(&OSInfo);
    switch (OSInfo.dwPlatformId) {
      case win::PlatformId::VER_PLATFORM_WIN32_WINDOWS:
        return std::string("95");
      case win::PlatformId::VER_PLATFORM_WIN32_NT:
        return std::string("NT");
      default:
        return std::string("Unknown");
    }
  });
}

void SetTFS(const std::string& LockState) {
  rt::Trap("System/SetTFS", [&] {
    if (WinVersion != "95" || UsePassword != 1) return;
    std::int32_t scratch = 0;
    const std::string state = rt::LCase(LockState);
    if (state == "disable") key_lock_call(win::SPI_SETSCREENSAVERRUNNING, 1, &scratch, 0);
    if (state == "enable") key_lock_call(win::SPI_SETSCREENSAVERRUNNING, 0, &scratch, 0);
  });
}
