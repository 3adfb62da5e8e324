#include "platform/instance.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/temp_windir.h"

namespace {

// A process of "the program": it answers the previous-instance question once, over a pipe, and
// then lives (holding its mark) until it is killed.
struct Instance {
  pid_t pid = 0;
  bool saw_another = false;

  static Instance Start() {
    int fds[2];
    EXPECT_EQ(::pipe(fds), 0);
    Instance instance;
    instance.pid = ::fork();
    if (instance.pid == 0) {
      ::close(fds[0]);
      const char answer = forms::AnotherInstanceRunning() ? 'y' : 'n';
      (void)::write(fds[1], &answer, 1);
      for (;;) ::pause();
    }
    ::close(fds[1]);
    char answer = '?';
    EXPECT_EQ(::read(fds[0], &answer, 1), 1);
    ::close(fds[0]);
    instance.saw_another = answer == 'y';
    return instance;
  }
  void Kill() const {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
  }
};

TEST(Instance, AnInstanceSeesTheOthersForAsLongAsOneOfThemLives) {
  test_support::TempWindir windir;
  const char* saved = std::getenv("XDG_RUNTIME_DIR");
  const std::string saved_dir = saved ? saved : "";
  ::setenv("XDG_RUNTIME_DIR", windir.Dir().c_str(), 1);
  const Instance first = Instance::Start();
  EXPECT_FALSE(first.saw_another);
  const Instance second = Instance::Start();
  EXPECT_TRUE(second.saw_another);
  // The first one ends (abruptly: its mark goes with it); the second still counts.
  first.Kill();
  const Instance third = Instance::Start();
  EXPECT_TRUE(third.saw_another);
  second.Kill();
  third.Kill();
  const Instance alone = Instance::Start();
  EXPECT_FALSE(alone.saw_another);
  alone.Kill();
  if (saved) {
    ::setenv("XDG_RUNTIME_DIR", saved_dir.c_str(), 1);
  } else {
    ::unsetenv("XDG_RUNTIME_DIR");
  }
}

}  // namespace
