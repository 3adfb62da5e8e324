#include "harness.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace e2e {

namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

template <class Condition>
bool PollUntil(std::chrono::milliseconds timeout, Condition done) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

}  // namespace

// ---- Process ----

Process::Process(const std::vector<std::string>& argv,
                 const std::map<std::string, std::string>& env,
                 const std::filesystem::path& stdout_file) {
  std::map<std::string, std::string> merged;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    const auto eq = entry.find('=');
    if (eq != std::string::npos) merged[entry.substr(0, eq)] = entry.substr(eq + 1);
  }
  for (const auto& [k, v] : env) merged[k] = v;
  std::vector<std::string> env_text;
  for (const auto& [k, v] : merged) env_text.push_back(k + "=" + v);
  std::vector<char*> args, envp;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  for (auto& e : env_text) envp.push_back(e.data());
  envp.push_back(nullptr);

  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    ::setpgid(0, 0);  // its own group, so that killing it takes its children too
    if (!stdout_file.empty()) {
      if (FILE* out = std::fopen(stdout_file.c_str(), "w")) ::dup2(fileno(out), 1);
    }
    ::execve(args[0], args.data(), envp.data());
    ::_exit(127);
  }
}

Process::~Process() {
  Kill();
}

bool Process::Running() {
  return !WaitExit(0ms).has_value();
}

std::optional<int> Process::WaitExit(std::chrono::milliseconds timeout) {
  if (status_) return status_;
  PollUntil(timeout, [&] {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) != pid_) return false;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
  });
  return status_;
}

void Process::Kill() {
  if (status_ || pid_ <= 0) return;
  ::kill(-pid_, SIGKILL);
  ::kill(pid_, SIGKILL);
  WaitExit(5s);
}

// ---- Session ----

Session::Session(int width, int height) {
  std::string pattern = (std::filesystem::temp_directory_path() / "finbrook-e2e-XXXXXX").string();
  windir_ = ::mkdtemp(pattern.data());
  std::filesystem::create_directories(windir_ / "Quorvane");
  std::filesystem::create_directory(windir_ / "runtime");
  std::filesystem::permissions(windir_ / "runtime", std::filesystem::perms::owner_all);
  std::filesystem::create_directory_symlink(FINBROOK_MEDIA_DIR,
                                            windir_ / "Quorvane" / "Solmere Finbrook");
  // Xvfb picks a free display number itself and writes it out once it listens, so a display
  // another X server takes meanwhile can never be ours.
  const auto number_file = windir_ / "xvfb.display";
  auto xvfb = std::make_unique<Process>(
      std::vector<std::string>{"/usr/bin/Xvfb", "-displayfd", "1", "-screen", "0",
                               std::to_string(width) + "x" + std::to_string(height) + "x24",
                               "-nolisten", "tcp"},
      std::map<std::string, std::string>{}, number_file);
  const bool up = PollUntil(20s, [&] {
    if (!xvfb->Running()) return true;
    const std::string number = ReadFile(number_file);
    if (number.empty() || number.back() != '\n') return false;
    display_ = ":" + number.substr(0, number.size() - 1);
    Process probe({"/usr/bin/xdpyinfo", "-display", display_}, {}, "/dev/null");
    return probe.WaitExit(5s) == 0;
  });
  if (up && xvfb->Running()) xvfb_ = std::move(xvfb);
  if (!xvfb_) throw std::runtime_error("no Xvfb display could be started");
}

Session::~Session() {
  processes_.clear();
  xvfb_.reset();
  std::error_code ec;
  std::filesystem::remove_all(windir_, ec);
}

std::map<std::string, std::string> Session::Env() const {
  return {{"DISPLAY", display_},
          {"QT_QPA_PLATFORM", "xcb"},
          {"SDL_AUDIODRIVER", "dummy"},
          {"FINBROOK_WINDIR", windir_.string()},
          {"XDG_CONFIG_HOME", (windir_ / "config").string()},
          // The instance mark lives here: sessions running side by side must not see each other.
          {"XDG_RUNTIME_DIR", (windir_ / "runtime").string()}};
}

void Session::WriteSettings(const std::string& lines) {
  std::ofstream(windir_ / "quorvane.ini", std::ios::binary) << "[Solmere Finbrook]\r\n" << lines;
}

Process& Session::Start(const std::vector<std::string>& args,
                        const std::map<std::string, std::string>& env) {
  std::vector<std::string> argv{FINBROOK_BINARY};
  argv.insert(argv.end(), args.begin(), args.end());
  auto merged = Env();
  for (const auto& [k, v] : env) merged[k] = v;
  const auto log = windir_ / ("finbrook-" + std::to_string(processes_.size()) + ".out");
  processes_.push_back(std::make_unique<Process>(argv, merged, log));
  return *processes_.back();
}

unsigned long Session::StartHostWindow(const std::string& title, int width, int height) {
  const auto out = windir_ / ("host-" + std::to_string(processes_.size()) + ".out");
  processes_.push_back(std::make_unique<Process>(
      std::vector<std::string>{FINBROOK_HOST_WINDOW, title, std::to_string(width),
                               std::to_string(height)},
      Env(), out));
  unsigned long id = 0;
  PollUntil(10s, [&] {
    id = std::strtoul(ReadFile(out).c_str(), nullptr, 10);
    return id != 0;
  });
  return id;
}

std::string Session::Run(const std::vector<std::string>& argv) {
  const auto out = windir_ / "run.out";
  Process process(argv, Env(), out);
  process.WaitExit(10s);
  return ReadFile(out);
}

std::string Session::Xdo(const std::vector<std::string>& args) {
  std::vector<std::string> argv{"/usr/bin/xdotool"};
  argv.insert(argv.end(), args.begin(), args.end());
  return Run(argv);
}

unsigned long Session::WaitWindow(const std::string& name_regex,
                                  std::chrono::milliseconds timeout) {
  unsigned long id = 0;
  PollUntil(timeout, [&] {
    id = std::strtoul(Xdo({"search", "--onlyvisible", "--name", name_regex}).c_str(), nullptr, 10);
    return id != 0;
  });
  return id;
}

bool Session::WaitFocus(unsigned long window, std::chrono::milliseconds timeout) {
  return PollUntil(timeout, [&] {
    return std::strtoul(Xdo({"getwindowfocus"}).c_str(), nullptr, 10) == window;
  });
}

unsigned long Session::WaitFocusElsewhere(const std::vector<unsigned long>& windows,
                                          std::chrono::milliseconds timeout) {
  unsigned long focus = 0;
  const bool moved = PollUntil(timeout, [&] {
    focus = std::strtoul(Xdo({"getwindowfocus"}).c_str(), nullptr, 10);
    return focus != 0 && std::find(windows.begin(), windows.end(), focus) == windows.end();
  });
  return moved ? focus : 0;
}

QImage Session::Screenshot() {
  const auto shot = windir_ / "shot.png";
  Run({"/usr/bin/import", "-display", display_, "-window", "root", shot.string()});
  return QImage(QString::fromStdString(shot.string()));
}

}  // namespace e2e
