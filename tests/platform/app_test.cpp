#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

struct NoDisplayCase {
  const char* display;  // null: DISPLAY unset
  const char* args;
};

// The real program, started without an X server to talk to, before any mode begins.
TEST(RunProgram, WithoutAnXDisplayEveryModeSaysSoInOneLineAndEndsWithStatusOne) {
  for (const auto& [display, args] :
       {NoDisplayCase{nullptr, "/s"}, NoDisplayCase{":9999", "/c"},
        NoDisplayCase{":9999", "/p 1234"}, NoDisplayCase{nullptr, "/a 1234"}}) {
    const std::string environment =
        std::string("env -u QT_QPA_PLATFORM ") +
        (display ? "DISPLAY=" + std::string(display) : std::string("-u DISPLAY"));
    const std::string command =
        environment + " " FINBROOK_BINARY " " + args + " 2>&1 >/dev/null </dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string errors;
    char chunk[256];
    while (std::fgets(chunk, sizeof chunk, pipe)) errors += chunk;
    const int status = ::pclose(pipe);

    SCOPED_TRACE(command);
    ASSERT_TRUE(WIFEXITED(status)) << errors;
    EXPECT_EQ(WEXITSTATUS(status), 1) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_NE(errors.find("DISPLAY"), std::string::npos) << errors;
  }
}

}  // namespace
