#include "platform/shell32.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <thread>

#include "platform/environment.h"
#include "platform/unsupported.h"

extern char** environ;

namespace win {

std::int32_t ShellExecuteA(HWND /*window*/, const char* operation, const char* file,
                           const char* parameters, const char* directory, ShowCommand /*show*/) {
  if (operation == nullptr || std::strcmp(operation, "open") != 0 || file == nullptr ||
      parameters != nullptr || directory != nullptr)
    Unsupported("ShellExecuteA", "anything but \"open\" of one address");
  std::string opener = env::Get(env::kOpener);
  if (opener.empty()) opener = "xdg-open";
  std::string address = file;
  char* argv[] = {opener.data(), address.data(), nullptr};
  pid_t child = 0;
  if (::posix_spawnp(&child, opener.c_str(), nullptr, nullptr, argv, environ) != 0)
    return SE_ERR_FNF;
  // Nobody waits for the browser; a thread of its own collects the opener's exit status so
  // that no finished child lingers.
  std::thread([child] {
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return kShellExecuteOk;
}

}  // namespace win
