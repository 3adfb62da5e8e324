// Our stand-in for the registry calls of advapi32: a small store of the current user's values,
// kept as a text file in the per-user folder (beside the settings file when FINBROOK_WINDIR is
// set) and replaced whole at each write. Only HKEY_CURRENT_USER is served.
//
// Key names are paths of names joined by backslashes, value names are matched without regard to
// case, and data keep their type: REG_DWORD as 4 little-endian bytes, REG_SZ as the bytes given
// (with the terminating zero the caller counts in the size).
#pragma once

#include <cstdint>
#include <string_view>

namespace win {

using HKEY = std::int32_t;
constexpr HKEY HKEY_CURRENT_USER = static_cast<HKEY>(0x80000001u);

enum class RegResult : std::int32_t {
  ERROR_SUCCESS = 0,
  ERROR_FILE_NOT_FOUND = 2,
  ERROR_INVALID_HANDLE = 6,
  ERROR_INVALID_PARAMETER = 87,
  ERROR_MORE_DATA = 234,
  ERROR_CANTWRITE = 1013,
};

enum class RegType : std::uint32_t {
  REG_NONE = 0,
  REG_SZ = 1,
  REG_BINARY = 3,
  REG_DWORD = 4,
};

// Opens an existing key below key (an empty sub_key opens key itself); *result is 0 on failure.
RegResult RegOpenKeyA(HKEY key, std::string_view sub_key, HKEY* result);
// Opens the key, creating it and every key above it when missing.
RegResult RegCreateKeyA(HKEY key, std::string_view sub_key, HKEY* result);
// Reads a value: with data null only *size (bytes) and *type are set; a buffer smaller than the
// value gives ERROR_MORE_DATA with the size needed. type may be null; reserved must be null.
RegResult RegQueryValueExA(HKEY key, std::string_view value_name, std::uint32_t* reserved,
                           RegType* type, void* data, std::uint32_t* size);
// Writes a value of size bytes (reserved must be 0).
RegResult RegSetValueExA(HKEY key, std::string_view value_name, std::uint32_t reserved,
                         RegType type, const void* data, std::uint32_t size);
RegResult RegCloseKey(HKEY key);

}  // namespace win
