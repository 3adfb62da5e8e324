#include "platform/instance.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/temp_windir.h"

namespace {

// A process of "the program": it answers the previous-instance question once, over a pipe, and
// then lives (holding its mark) until it is killed.
struct Instance {
  pid_t pid = 0;
  bool saw_another = false;

  Instance() {
    int fds[2];
    EXPECT_EQ(::pipe(fds), 0);
    pid = ::fork();
    if (pid == 0) {
      const char answer = forms::AnotherInstanceRunning() ? 'y' : 'n';
      (void)::write(fds[1], &answer, 1);
      for (;;) ::pause();
    }
    ::close(fds[1]);
    char answer = '?';
    EXPECT_EQ(::read(fds[0], &answer, 1), 1);
    ::close(fds[0]);
    saw_another = answer == 'y';
  }
  // Abruptly: the mark goes with the process.
  void Kill() const {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
  }
};

TEST(Instance, AnInstanceSeesTheOthersForAsLongAsOneOfThemLives) {
  test_support::TempWindir windir;
  windir.SetEnv("XDG_RUNTIME_DIR", windir.Dir().string());
  const Instance first;
  EXPECT_FALSE(first.saw_another);
  const Instance second;
  EXPECT_TRUE(second.saw_another);
  first.Kill();
  const Instance third;
  EXPECT_TRUE(third.saw_another) << "the second still counts";
  second.Kill();
  third.Kill();
  const Instance alone;
  EXPECT_FALSE(alone.saw_another);
  alone.Kill();
}

}  // namespace
