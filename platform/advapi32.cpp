#include "platform/advapi32.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/unsupported.h"

namespace win {
namespace {

// The store lives in the Windows directory's per-user part, never beside the built-in media.
std::string StorePath() {
  return HostPath("C:\\WINDOWS\\registry.ini");
}

// The default value of a key has the empty name, which an INI key cannot have.
std::string StoredName(std::string_view value_name) {
  return value_name.empty() ? std::string("@") : std::string(value_name);
}

std::mutex table_mutex;
std::map<HKEY, std::string> open_keys;  // handle -> full key path
HKEY next_handle = 1;

std::optional<std::string> PathOf(std::string_view call, HKEY key) {
  if (key == HKEY_CURRENT_USER) return std::string("HKEY_CURRENT_USER");
  if (key < 0) Unsupported(call, "a predefined key other than HKEY_CURRENT_USER");
  std::lock_guard lock(table_mutex);
  const auto it = open_keys.find(key);
  if (it == open_keys.end()) return std::nullopt;
  return it->second;
}

// The parent's path joined with the names of sub_key, empty names dropped.
std::string JoinPath(std::string path, std::string_view sub_key) {
  std::string name;
  auto flush = [&] {
    if (!name.empty()) path += "\\" + name;
    name.clear();
  };
  for (char c : sub_key) {
    if (c == '\\') {
      flush();
    } else {
      name += c;
    }
  }
  flush();
  return path;
}

HKEY NewHandle(std::string path) {
  std::lock_guard lock(table_mutex);
  const HKEY handle = next_handle++;
  open_keys.emplace(handle, std::move(path));
  return handle;
}

bool KeyExists(const std::string& path) {
  return path.find('\\') == std::string::npos || ProfileSectionExists(StorePath(), path);
}

// "dword:0000002a" for a 4-byte REG_DWORD, "hex(<type>):aa,bb,..." for anything else.
std::string Encode(RegType type, const unsigned char* data, std::uint32_t size) {
  char buf[16];
  if (type == RegType::REG_DWORD && size == 4) {
    const std::uint32_t v =
        data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<std::uint32_t>(data[3]) << 24);
    std::snprintf(buf, sizeof buf, "%08x", v);
    return std::string("dword:") + buf;
  }
  std::snprintf(buf, sizeof buf, "hex(%u):", static_cast<unsigned>(type));
  std::string text = buf;
  for (std::uint32_t i = 0; i < size; ++i) {
    std::snprintf(buf, sizeof buf, i == 0 ? "%02x" : ",%02x", data[i]);
    text += buf;
  }
  return text;
}

struct Stored {
  RegType type;
  std::vector<unsigned char> bytes;
};

// Text edited by hand into something else reads as no value at all.
std::optional<Stored> Decode(const std::string& text) {
  unsigned type = 0, byte = 0;
  int used = 0;
  if (text.starts_with("dword:") && text.size() == 14) {
    std::uint32_t v = 0;
    if (std::sscanf(text.c_str() + 6, "%8x%n", &v, &used) != 1 || used != 8) return std::nullopt;
    return Stored{RegType::REG_DWORD,
                  {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                   static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)}};
  }
  if (std::sscanf(text.c_str(), "hex(%u):%n", &type, &used) != 1 || used == 0) return std::nullopt;
  Stored stored{static_cast<RegType>(type), {}};
  size_t at = static_cast<size_t>(used);
  while (at < text.size()) {
    if (!stored.bytes.empty()) {
      if (text[at] != ',') return std::nullopt;
      ++at;
    }
    if (std::sscanf(text.c_str() + at, "%2x%n", &byte, &used) != 1 || used != 2)
      return std::nullopt;
    stored.bytes.push_back(static_cast<unsigned char>(byte));
    at += 2;
  }
  return stored;
}

RegResult OpenOrCreate(HKEY key, std::string_view sub_key, HKEY* result, bool create) {
  const char* call = create ? "RegCreateKeyA" : "RegOpenKeyA";
  if (result == nullptr) Unsupported(call, "a null result pointer");
  *result = 0;
  const auto parent = PathOf(call, key);
  if (!parent) return RegResult::ERROR_INVALID_HANDLE;
  const std::string path = JoinPath(*parent, sub_key);
  if (create) {
    // Every key on the way down exists afterwards, as the registry creates them.
    for (size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1))
      if (!KeyExists(path.substr(0, at)) &&
          !WriteProfileValue(StorePath(), path.substr(0, at), std::nullopt))
        return RegResult::ERROR_CANTWRITE;
    if (!KeyExists(path) && !WriteProfileValue(StorePath(), path, std::nullopt))
      return RegResult::ERROR_CANTWRITE;
  } else if (!KeyExists(path)) {
    return RegResult::ERROR_FILE_NOT_FOUND;
  }
  *result = NewHandle(path);
  return RegResult::ERROR_SUCCESS;
}

}  // namespace

RegResult RegOpenKeyA(HKEY key, std::string_view sub_key, HKEY* result) {
  return OpenOrCreate(key, sub_key, result, false);
}

RegResult RegCreateKeyA(HKEY key, std::string_view sub_key, HKEY* result) {
  return OpenOrCreate(key, sub_key, result, true);
}

RegResult RegQueryValueExA(HKEY key, std::string_view value_name, std::uint32_t* reserved,
                           RegType* type, void* data, std::uint32_t* size) {
  if (reserved != nullptr) Unsupported("RegQueryValueExA", "a reserved pointer that is not null");
  if (data != nullptr && size == nullptr) return RegResult::ERROR_INVALID_PARAMETER;
  const auto path = PathOf("RegQueryValueExA", key);
  if (!path) return RegResult::ERROR_INVALID_HANDLE;
  const auto text = ReadProfileValue(StorePath(), *path, StoredName(value_name));
  const auto stored = text ? Decode(*text) : std::nullopt;
  if (!stored) return RegResult::ERROR_FILE_NOT_FOUND;
  if (type != nullptr) *type = stored->type;
  const auto needed = static_cast<std::uint32_t>(stored->bytes.size());
  if (size == nullptr) return RegResult::ERROR_SUCCESS;
  if (data != nullptr && *size < needed) {
    *size = needed;
    return RegResult::ERROR_MORE_DATA;
  }
  if (data != nullptr && needed > 0) std::memcpy(data, stored->bytes.data(), needed);
  *size = needed;
  return RegResult::ERROR_SUCCESS;
}

RegResult RegSetValueExA(HKEY key, std::string_view value_name, std::uint32_t reserved,
                         RegType type, const void* data, std::uint32_t size) {
  if (reserved != 0) Unsupported("RegSetValueExA", "a reserved value other than 0");
  if (data == nullptr && size > 0) return RegResult::ERROR_INVALID_PARAMETER;
  if (type == RegType::REG_DWORD && size != 4) return RegResult::ERROR_INVALID_PARAMETER;
  const auto path = PathOf("RegSetValueExA", key);
  if (!path) return RegResult::ERROR_INVALID_HANDLE;
  const std::string text = Encode(type, static_cast<const unsigned char*>(data), size);
  return WriteProfileValue(StorePath(), *path, StoredName(value_name), text)
             ? RegResult::ERROR_SUCCESS
             : RegResult::ERROR_CANTWRITE;
}

RegResult RegCloseKey(HKEY key) {
  if (key == HKEY_CURRENT_USER) return RegResult::ERROR_SUCCESS;
  std::lock_guard lock(table_mutex);
  return open_keys.erase(key) == 1 ? RegResult::ERROR_SUCCESS : RegResult::ERROR_INVALID_HANDLE;
}

}  // namespace win
