#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QProcess>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <string>

namespace {

// The real program, started without an X server to talk to, before any mode begins; the last
// with a list of toolkit platforms that names X among others.
TEST(RunProgram, WithoutAnXDisplayEveryModeSaysSoInOneLineAndEndsWithStatusOne) {
  for (const char* command :
       {"-u DISPLAY " FINBROOK_BINARY " /s", "DISPLAY=:9999 " FINBROOK_BINARY " /c",
        "DISPLAY=:9999 " FINBROOK_BINARY " /p 1234",
        "-u DISPLAY -u WAYLAND_DISPLAY 'QT_QPA_PLATFORM=wayland;xcb' " FINBROOK_BINARY
        " /a 1234"}) {
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

// A stop while the program still waits for its X display (a server that never answers) ends it
// at once, with the status of a normal exit: the signals are caught from its first step.
TEST(RunProgram, AStopWhileTheDisplayHasNotAnsweredEndsAsANormalExit) {
  const int server = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
  socklen_t size = sizeof address;
  auto* name = reinterpret_cast<sockaddr*>(&address);
  ASSERT_TRUE(::bind(server, name, size) == 0 && ::listen(server, 1) == 0 &&
              ::getsockname(server, name, &size) == 0);
  QProcess program;  // the display's number is the port's, less 6000
  program.start("env", {"QT_QPA_PLATFORM=xcb",
                        "DISPLAY=127.0.0.1:" + QString::number(ntohs(address.sin_port) - 6000),
                        FINBROOK_BINARY, "/s"});
  pollfd asked{server, POLLIN, 0};
  ASSERT_EQ(::poll(&asked, 1, 20000), 1) << "the program never called its display";
  ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
  ASSERT_TRUE(program.waitForFinished(5000));
  EXPECT_TRUE(program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0);
  ::close(server);
}

}  // namespace
