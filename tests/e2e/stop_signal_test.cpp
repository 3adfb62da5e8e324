// Stop signals end every mode through its own way out: `kill`, Ctrl+C or a closed terminal
// end the process promptly with the status of a normal exit, not the signal's.
#include <gtest/gtest.h>
#include <signal.h>

#include <ostream>
#include <string>
#include <vector>

#include "harness.h"

namespace e2e {
namespace {

struct StopCase {
  const char* name;
  std::string mode;
  const char* window;  // the program's window to wait for before the signal
  int signal;
  friend void PrintTo(const StopCase& c, std::ostream* out) { *out << c.name; }
};

class StopSignal : public ::testing::TestWithParam<StopCase> {};

TEST_P(StopSignal, EndsTheModeThroughItsOwnExit) {
  const StopCase& c = GetParam();
  Session session(640, 480);
  std::vector<std::string> args{c.mode};
  if (c.mode == "/p" || c.mode == "/a")  // they take another program's window
    args.push_back(std::to_string(session.StartHostWindow("Display Properties", 200, 150)));
  Process& program = session.Start(args);
  // The saver builds every picture surface and starts its sound before its window opens.
  session.WaitWindow(c.window, 20s);

  ASSERT_EQ(::kill(program.processId(), c.signal), 0);
  EXPECT_EQ(program.WaitExit(2s), 0);

  if (c.mode == "/s") {
    Process& next = session.Start({"/s"});
    EXPECT_FALSE(next.WaitExit(1500ms).has_value()) << "the single-instance mark was kept";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, StopSignal,
    ::testing::Values(StopCase{"SaverOnTerm", "/s", "ScreenSaver$", SIGTERM},
                      StopCase{"SettingsOnInterrupt", "/c", "ScreenSaver$", SIGINT},
                      StopCase{"PreviewOnHangUp", "/p", "^Preview$", SIGHUP},
                      // The change dialog waits in a loop of its own, inside the program's entry.
                      StopCase{"PasswordChangeOnInterrupt", "/a", "^Change Password$", SIGINT}),
    ::testing::PrintToStringParamName());

}  // namespace
}  // namespace e2e
