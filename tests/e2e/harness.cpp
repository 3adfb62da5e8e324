#include "harness.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

namespace e2e {

namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
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

unsigned long Number(const std::string& text) {
  return std::strtoul(text.c_str(), nullptr, 10);
}

}  // namespace

Process::Process(const std::vector<std::string>& argv, const std::filesystem::path& out,
                 const std::map<std::string, std::string>& env) {
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    ::setpgid(0, 0);  // its own group, so that killing it takes its children too
    for (const auto& [k, v] : env) ::setenv(k.c_str(), v.c_str(), 1);
    if (FILE* file = std::fopen(out.c_str(), "w")) ::dup2(fileno(file), 1);
    ::execv(args[0], args.data());
    ::_exit(127);
  }
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
  xvfb_ = std::make_unique<Process>(
      std::vector<std::string>{"/usr/bin/Xvfb", "-displayfd", "1", "-screen", "0",
                               std::to_string(width) + "x" + std::to_string(height) + "x24",
                               "-nolisten", "tcp"},
      number_file);
  std::string number;
  PollUntil(20s, [&] { return (number = ReadFile(number_file)).ends_with('\n'); });
  if (number.empty() || !xvfb_->Running()) throw std::runtime_error("Xvfb did not start");
  display_ = ":" + number.substr(0, number.size() - 1);
  const std::map<std::string, std::string> env = {
      {"DISPLAY", display_},
      {"QT_QPA_PLATFORM", "xcb"},
      {"SDL_AUDIODRIVER", "dummy"},
      {"FINBROOK_WINDIR", windir_.string()},
      {"XDG_CONFIG_HOME", (windir_ / "config").string()},
      // The instance mark lives here: sessions running side by side must not see each other.
      {"XDG_RUNTIME_DIR", (windir_ / "runtime").string()}};
  for (const auto& [k, v] : env) ::setenv(k.c_str(), v.c_str(), 1);
}

Session::~Session() {
  processes_.clear();
  xvfb_.reset();
  std::error_code ec;
  std::filesystem::remove_all(windir_, ec);
}

void Session::WriteSettings(const std::string& lines) {
  std::ofstream(windir_ / "quorvane.ini", std::ios::binary) << "[Solmere Finbrook]\r\n" << lines;
}

std::string Session::ReadWindirFile(const std::string& name) const {
  return ReadFile(windir_ / name);
}

Process& Session::Start(const std::vector<std::string>& args,
                        const std::map<std::string, std::string>& env) {
  std::vector<std::string> argv{FINBROOK_BINARY};
  argv.insert(argv.end(), args.begin(), args.end());
  const auto log = windir_ / ("finbrook-" + std::to_string(processes_.size()) + ".out");
  return *processes_.emplace_back(std::make_unique<Process>(argv, log, env));
}

unsigned long Session::StartHostWindow(const std::string& title, int width, int height) {
  processes_.push_back(std::make_unique<Process>(
      std::vector<std::string>{FINBROOK_HOST_WINDOW, title, std::to_string(width),
                               std::to_string(height)},
      "/dev/null"));
  return WaitWindow("^" + title + "$");
}

std::string Session::Run(const std::vector<std::string>& argv) {
  const auto out = windir_ / "run.out";
  Process(argv, out).WaitExit(10s);
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
    return (id = Number(Xdo({"search", "--onlyvisible", "--name", name_regex}))) != 0;
  });
  return id;
}

bool Session::WaitFocus(unsigned long window, std::chrono::milliseconds timeout) {
  return PollUntil(timeout, [&] { return Number(Xdo({"getwindowfocus"})) == window; });
}

unsigned long Session::WaitFocusElsewhere(const std::vector<unsigned long>& windows,
                                          std::chrono::milliseconds timeout) {
  unsigned long focus = 0;
  const bool moved = PollUntil(timeout, [&] {
    focus = Number(Xdo({"getwindowfocus"}));
    return focus != 0 && std::find(windows.begin(), windows.end(), focus) == windows.end();
  });
  return moved ? focus : 0;
}

QImage Session::Screenshot() {
  const auto shot = windir_ / "shot.png";
  Run({"/usr/bin/import", "-display", display_, "-window", "root", shot.string()});
  return QImage(QString::fromStdString(shot.string())).convertToFormat(QImage::Format_RGB32);
}

QImage MediaPicture(const std::string& name) {
  return QImage(QString::fromStdString(std::string(FINBROOK_MEDIA_DIR) + "/" + name))
      .convertToFormat(QImage::Format_RGB32);
}

double CellMatch(const QImage& shot, const QImage& sheet, int cell, int width, int height, int x,
                 int y) {
  int opaque = 0, shown = 0;
  for (int dy = 0; dy < height; ++dy) {
    for (int dx = 0; dx < width; ++dx) {
      const QRgb p = sheet.pixel(cell * width + dx, dy) & 0xFFFFFF;
      if (p == 0 || !shot.valid(x + dx, y + dy)) continue;
      ++opaque;
      shown += (shot.pixel(x + dx, y + dy) & 0xFFFFFF) == p;
    }
  }
  return opaque == 0 ? 0.0 : static_cast<double>(shown) / opaque;
}

std::pair<int, double> BestCell(const QImage& shot, const QImage& sheet, int width, int height,
                                int x, int y) {
  std::pair<int, double> best{0, -1.0};
  for (int c = 0; c < sheet.width() / width; ++c) {
    const double match = CellMatch(shot, sheet, c, width, height, x, y);
    if (match > best.second) best = {c, match};
  }
  return best;
}

}  // namespace e2e
