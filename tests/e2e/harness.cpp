#include "harness.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

namespace e2e {

namespace {

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

QStringList Strings(const std::vector<std::string>& strings) {
  QStringList list;
  for (const std::string& s : strings) list << QString::fromStdString(s);
  return list;
}

// Runs an X client to its end; its standard output.
std::string Run(const char* program, const std::vector<std::string>& args) {
  QProcess process;
  process.start(program, Strings(args));
  process.waitForFinished(10000);
  return process.readAllStandardOutput().toStdString();
}

}  // namespace

Process::~Process() {
  if (!Running()) return;
  ::kill(-processId(), SIGKILL);  // the program's group: what it started goes too
  kill();
  waitForFinished(5000);
}

std::optional<int> Process::WaitExit(std::chrono::milliseconds timeout) {
  if (state() != NotRunning && !waitForFinished(static_cast<int>(timeout.count())))
    return std::nullopt;
  return exitStatus() == NormalExit ? exitCode() : -1;
}

Session::Session(int width, int height) {
  std::string pattern = (std::filesystem::temp_directory_path() / "finbrook-e2e-XXXXXX").string();
  windir_ = ::mkdtemp(pattern.data());
  std::filesystem::create_directories(windir_ / "Quorvane");
  ::mkdir((windir_ / "runtime").c_str(), 0700);
  std::filesystem::create_directory_symlink(FINBROOK_MEDIA_DIR,
                                            windir_ / "Quorvane" / "Solmere Finbrook");
  // Xvfb picks a free display number itself and writes it out once it listens, so a display
  // another X server takes meanwhile can never be ours.
  xvfb_ = std::make_unique<Process>();
  xvfb_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
  xvfb_->start("/usr/bin/Xvfb", {"-displayfd", "1", "-screen", "0",
                                 QString("%1x%2x24").arg(width).arg(height), "-nolisten", "tcp"});
  std::string number;
  PollUntil(20s, [&] {
    xvfb_->waitForReadyRead(100);
    return (number += xvfb_->readAllStandardOutput().toStdString()).ends_with('\n');
  });
  if (number.empty() || !xvfb_->Running()) throw std::runtime_error("Xvfb did not start");
  display_ = ":" + number.substr(0, number.size() - 1);
  ::setenv("DISPLAY", display_.c_str(), 1);
  ::setenv("QT_QPA_PLATFORM", "xcb", 1);
  ::setenv("SDL_AUDIODRIVER", "dummy", 1);
  ::setenv("FINBROOK_WINDIR", windir_.c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", (windir_ / "config").c_str(), 1);
  // The instance mark lives here: sessions running side by side must not see each other.
  ::setenv("XDG_RUNTIME_DIR", (windir_ / "runtime").c_str(), 1);
  // ImageMagick's own policy refuses the screenshot of a screen wider than 16,000 pixels, which
  // X allows: the session's policy lets it through.
  std::ofstream(windir_ / "policy.xml")
      << R"(<policymap><policy domain="resource" name="width" value="64KP"/></policymap>)";
  ::setenv("MAGICK_CONFIGURE_PATH", windir_.c_str(), 1);
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
  std::ifstream in(windir_ / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

Process& Session::Start(const std::vector<std::string>& args,
                        const std::map<std::string, std::string>& env, const char* program) {
  Process& process = *processes_.emplace_back(std::make_unique<Process>());
  process.setProcessChannelMode(QProcess::ForwardedChannels);
  process.setChildProcessModifier([env] {
    ::setpgid(0, 0);  // its own group, killed as one
    for (const auto& [k, v] : env) ::setenv(k.c_str(), v.c_str(), 1);
  });
  process.start(program, Strings(args));
  return process;
}

Process& Session::StartSaver(const std::string& settings,
                             const std::map<std::string, std::string>& env) {
  WriteSettings(settings);
  Process& saver = Start({"/s"}, env);
  WaitWindow("^Solmere Finbrook ScreenSaver$", 20s);
  PollUntil(5s, [&] {
    const QImage shot = Screenshot();
    for (int y = 0; y < shot.height() / 2; ++y) {
      for (int x = 0; x < shot.width(); ++x)
        if (shot.pixel(x, y) != 0xFF000000) return true;
    }
    return false;
  });
  return saver;
}

unsigned long Session::StartHostWindow(const std::string& title, int width, int height) {
  Start({title, std::to_string(width), std::to_string(height)}, {}, FINBROOK_HOST_WINDOW);
  return WaitWindow("^" + title + "$");
}

std::string Session::Xdo(const std::vector<std::string>& args) {
  return Run("/usr/bin/xdotool", args);
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
  Run("/usr/bin/import", {"-display", display_, "-window", "root", shot.string()});
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
