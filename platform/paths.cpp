// Where the program's Windows-style paths live on the host. The Windows directory is the one
// folder the program knows by name; its media folder inside it may be the built-in media, and the
// rest of it (the settings file, the registry store) belongs to the user.
#include "platform/paths.h"

#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "platform/environment.h"
#include "platform/text_case.h"
#include "runtime/product.h"

namespace win {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kWindowsDirectory = "C:\\WINDOWS";

using textcase::SameText;

// The rest of path after prefix when path starts with prefix as whole components (case-blind);
// nullopt otherwise. The rest carries no leading separator.
std::optional<std::string_view> RestUnder(std::string_view path, std::string_view prefix) {
  if (path.size() < prefix.size() || !SameText(path.substr(0, prefix.size()), prefix))
    return std::nullopt;
  std::string_view rest = path.substr(prefix.size());
  if (rest.empty()) return rest;
  if (rest.front() != '\\' && rest.front() != '/') return std::nullopt;
  while (!rest.empty() && (rest.front() == '\\' || rest.front() == '/')) rest.remove_prefix(1);
  return rest;
}

std::vector<std::string> Components(std::string_view path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\' || c == '/') {
      if (!part.empty()) parts.push_back(std::move(part));
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(std::move(part));
  return parts;
}

// Appends each component to base, taking the real spelling of an existing entry that differs
// only in case, as the Windows file system would find it.
fs::path Resolve(fs::path base, std::string_view windows_rest) {
  for (const std::string& part : Components(windows_rest)) {
    fs::path exact = base / part;
    std::error_code ec;
    if (part != "." && part != ".." && !fs::exists(exact, ec)) {
      for (const auto& entry : fs::directory_iterator(base, ec)) {
        const std::string name = entry.path().filename().string();
        if (SameText(name, part)) {
          exact = base / name;
          break;
        }
      }
    }
    base = std::move(exact);
  }
  return base;
}

fs::path UserFolder() {
  std::string config = env::Get(env::kConfigHome);
  if (config.empty()) {
    const std::string home = env::Get(env::kHome);
    config = (home.empty() ? std::string("/tmp") : home) + "/.config";
  }
  return fs::path(config) / product::kHostName;
}

fs::path BuiltInMedia() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return (ec ? fs::current_path() : exe.parent_path()) / "media";
}

fs::path UnderWindowsDirectory(std::string_view rest) {
  const std::string windir = env::Get(env::kWinDir);
  if (!windir.empty()) return Resolve(windir, rest);
  if (auto media = RestUnder(rest, product::kMediaFolder)) return Resolve(BuiltInMedia(), *media);
  return Resolve(UserFolder(), rest);
}

bool IsDrivePath(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

}  // namespace

unsigned GetWindowsDirectoryA(char* buffer, unsigned size) {
  const auto length = static_cast<unsigned>(kWindowsDirectory.size());
  if (buffer == nullptr || size <= length) return length + 1;
  std::memcpy(buffer, kWindowsDirectory.data(), length);
  buffer[length] = '\0';
  return length;
}

std::string HostPath(std::string_view windows_path) {
  if (!windows_path.empty() && windows_path.front() == '/') return std::string(windows_path);
  if (auto rest = RestUnder(windows_path, kWindowsDirectory))
    return UnderWindowsDirectory(*rest).string();
  // Another drive, or a path from the root of the current one: the host root stands in for
  // every drive. Anything else is relative to the working directory, as on Windows.
  if (IsDrivePath(windows_path)) return Resolve("/", windows_path.substr(2)).string();
  if (!windows_path.empty() && windows_path.front() == '\\')
    return Resolve("/", windows_path).string();
  std::error_code ec;
  return Resolve(fs::current_path(ec), windows_path).string();
}

}  // namespace win
