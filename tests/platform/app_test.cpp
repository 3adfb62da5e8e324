#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

// The real program, started without an X server to talk to, before any mode begins.
TEST(RunProgram, WithoutAnXDisplayEveryModeSaysSoInOneLineAndEndsWithStatusOne) {
  for (const char* command :
       {"-u DISPLAY " FINBROOK_BINARY " /s", "DISPLAY=:9999 " FINBROOK_BINARY " /c",
        "DISPLAY=:9999 " FINBROOK_BINARY " /p 1234", "-u DISPLAY " FINBROOK_BINARY " /a 1234"}) {
    const std::string line =
        std::string("env -u QT_QPA_PLATFORM ") + command + " 2>&1 >/dev/null </dev/null";
    FILE* pipe = ::popen(line.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string errors;
    char chunk[256];
    while (std::fgets(chunk, sizeof chunk, pipe)) errors += chunk;
    const int status = ::pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status)) << line << errors;
    EXPECT_EQ(WEXITSTATUS(status), 1) << line << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << line << errors;
    EXPECT_NE(errors.find("DISPLAY"), std::string::npos) << line << errors;
  }
}

}  // namespace
