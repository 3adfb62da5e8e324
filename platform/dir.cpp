#include "platform/dir.h"

#include <filesystem>
#include <system_error>

#include "platform/paths.h"
#include "platform/text_case.h"
#include "platform/unsupported.h"
#include "runtime/errors.h"

namespace forms {
namespace {

namespace fs = std::filesystem;

using textcase::SameText;

// Characters that no Windows file name can hold; the old search refused such a path outright.
bool HoldsForbiddenCharacter(const std::string& path) {
  for (const char c : path) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 32 || c == '<' || c == '>' || c == '"' || c == '|') return true;
  }
  return false;
}

bool IsFindable(const fs::directory_entry& entry) {
  std::error_code ec;
  return entry.is_regular_file(ec) && !ec;
}

}  // namespace

std::string Dir(const std::string& path, FileAttribute attributes) {
  if (attributes != FileAttribute::vbNormal)
    win::Unsupported("Dir", "a search for other than normal files (vbNormal)");
  if (HoldsForbiddenCharacter(path)) rt::Raise(rt::kBadFileName);

  const std::size_t cut = path.find_last_of("\\/");
  const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
  // A dot in front hides a file on this host, as the hidden attribute does on Windows.
  if (name.empty() || name.front() == '.' || name.find_first_of("*?") != std::string::npos)
    return "";
  const std::string folder = cut == std::string::npos ? "" : path.substr(0, cut == 0 ? 1 : cut);

  // The file system may hold several names that differ only in case; the exact spelling wins,
  // otherwise the first in name order, so the answer does not depend on the listing order.
  std::string found;
  std::error_code ec;
  for (fs::directory_iterator it(win::HostPath(folder), ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string stored = it->path().filename().string();
    if (!SameText(stored, name) || !IsFindable(*it)) continue;
    if (stored == name) return stored;
    if (found.empty() || stored < found) found = stored;
  }
  return found;
}

}  // namespace forms
