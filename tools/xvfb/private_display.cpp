#include "xvfb/private_display.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

extern char** environ;

namespace xvfb {

PrivateDisplay::PrivateDisplay(int width, int height, const std::filesystem::path& log) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (Start(width, height, log)) return;
    Stop();
  }
  std::ifstream messages(log);
  throw std::runtime_error("no X server of our own; Xvfb printed: " +
                           std::string(std::istreambuf_iterator<char>(messages), {}));
}

PrivateDisplay::~PrivateDisplay() {
  Stop();
}

// Xvfb writes the number it picked once it listens, so a number another server holds is never
// given. Without -noreset it would reset whenever its last client left, refusing whoever
// connects meanwhile. Another server may still answer on the number (one that took it without
// the lock, say), so the connection must lead to the process started here.
bool PrivateDisplay::Start(int width, int height, const std::filesystem::path& log) {
  int number_pipe[2];
  if (::pipe(number_pipe) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, number_pipe[1], 1);
  posix_spawn_file_actions_addclose(&actions, number_pipe[0]);
  posix_spawn_file_actions_addopen(&actions, 2, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  const char* argv[] = {"/usr/bin/Xvfb", "-displayfd", "1", "-noreset",     "-nolisten",
                        "tcp",           "-screen",    "0", screen.c_str(), nullptr};
  const bool spawned = posix_spawn(&server_, argv[0], &actions, nullptr,
                                   const_cast<char* const*>(argv), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  ::close(number_pipe[1]);
  if (!spawned) server_ = -1;
  std::string number;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  pollfd readable{number_pipe[0], POLLIN, 0};
  char c = 0;
  while (spawned && !number.ends_with('\n') && std::chrono::steady_clock::now() < deadline &&
         ::poll(&readable, 1, 100) >= 0) {
    if (readable.revents != 0 && ::read(number_pipe[0], &c, 1) != 1) break;
    if (readable.revents != 0) number += c;
  }
  ::close(number_pipe[0]);
  if (!number.ends_with('\n')) return false;
  name_ = ":" + number.substr(0, number.size() - 1);
  connection_ = XOpenDisplay(name_.c_str());
  ucred peer{};
  socklen_t size = sizeof peer;
  return connection_ != nullptr &&
         ::getsockopt(ConnectionNumber(connection_), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
         peer.pid == server_;
}

void PrivateDisplay::Stop() {
  if (connection_ != nullptr) XCloseDisplay(connection_);
  connection_ = nullptr;
  if (server_ > 0) {
    ::kill(server_, SIGTERM);  // it removes its socket as it ends
    ::waitpid(server_, nullptr, 0);
  }
  server_ = -1;
}

}  // namespace xvfb
