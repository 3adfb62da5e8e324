#include "platform/instance.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include "platform/temp_windir.h"

namespace {

// Starts a process of "the program": it answers the previous-instance question over a pipe and
// then lives, holding its mark, until it is killed. Gives its pid and its answer.
std::pair<pid_t, bool> Start() {
  int fds[2];
  EXPECT_EQ(::pipe(fds), 0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    const char answer = forms::AnotherInstanceRunning() ? 'y' : 'n';
    (void)::write(fds[1], &answer, 1);
    for (;;) ::pause();
  }
  ::close(fds[1]);
  char answer = '?';
  EXPECT_EQ(::read(fds[0], &answer, 1), 1);
  ::close(fds[0]);
  return {pid, answer == 'y'};
}
// Abruptly: the mark goes with the process.
void Kill(pid_t pid) {
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
}

TEST(Instance, AnInstanceSeesTheOthersForAsLongAsOneOfThemLives) {
  test_support::TempWindir windir;
  windir.SetEnv("XDG_RUNTIME_DIR", windir.Dir().string());
  const auto [first, first_saw] = Start();
  const auto [second, second_saw] = Start();
  Kill(first);
  const auto [third, third_saw] = Start();
  Kill(second);
  Kill(third);
  const auto [alone, alone_saw] = Start();
  Kill(alone);
  EXPECT_FALSE(first_saw);
  EXPECT_TRUE(second_saw);
  EXPECT_TRUE(third_saw) << "the second still counts";
  EXPECT_FALSE(alone_saw);
}

}  // namespace
