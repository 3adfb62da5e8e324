#include "platform/instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/environment.h"
#include "runtime/product.h"

namespace forms {
namespace {

std::string LockPath() {
  const std::string runtime_dir = env::Get(env::kRuntimeDir);
  if (!runtime_dir.empty()) return runtime_dir + "/" + product::kHostName + ".lock";
  return "/tmp/" + std::string(product::kHostName) + "-" + std::to_string(::getuid()) + ".lock";
}

int LockWithRetry(int fd, int operation) {
  int result;
  do {
    result = ::flock(fd, operation);
  } while (result != 0 && errno == EINTR);
  return result;
}

// Every instance holds a shared lock for its whole life. An instance that can take the lock
// exclusively for a moment is alone; it then steps down to shared like the others.
bool MarkAndTest() {
  const int fd = ::open(LockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;  // no place for a mark: behave as the only instance
  const bool alone = LockWithRetry(fd, LOCK_EX | LOCK_NB) == 0;
  LockWithRetry(fd, LOCK_SH);
  return !alone;  // the descriptor stays open, holding the mark until the process ends
}

}  // namespace

bool AnotherInstanceRunning() {
  static const bool another = MarkAndTest();
  return another;
}

}  // namespace forms
