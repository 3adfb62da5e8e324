#include "harness.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

// After Qt's headers: Xlib's macros would clash with their names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace e2e {

namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

QStringList Strings(const std::vector<std::string>& strings) {
  QStringList list;
  for (const std::string& s : strings) list << QString::fromStdString(s);
  return list;
}

std::string Words(const QProcess& process) {
  return (process.program() + " " + process.arguments().join(" ")).toStdString();
}

// Runs an X client to its end; its standard output. Only a checked run must succeed: a search
// that finds nothing, or a focus on no window, ends with status 1.
std::string Run(const char* program, const std::vector<std::string>& args, bool checked) {
  QProcess process;
  process.start(program, Strings(args));
  if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit ||
      (checked && process.exitCode() != 0))
    throw std::runtime_error(Words(process) + " failed (" + process.errorString().toStdString() +
                             "): " + process.readAllStandardError().toStdString());
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
  if (::mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("cannot create " + pattern + ": " + std::strerror(errno));
  windir_ = pattern;
  std::filesystem::create_directories(windir_ / "Quorvane");
  std::filesystem::create_directory(windir_ / "runtime");
  std::filesystem::permissions(windir_ / "runtime", std::filesystem::perms::owner_all);
  std::filesystem::create_directory_symlink(FINBROOK_MEDIA_DIR,
                                            windir_ / "Quorvane" / "Solmere Finbrook");
  display_ = std::make_unique<xvfb::PrivateDisplay>(width, height, windir_ / "xvfb.txt");
  ::setenv("DISPLAY", display_->name().c_str(), 1);
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
  processes_.clear();  // before their display goes
  std::error_code ec;
  std::filesystem::remove_all(windir_, ec);
}

void Session::WriteSettings(const std::string& lines) {
  if (!(std::ofstream(windir_ / "quorvane.ini", std::ios::binary) << "[Solmere Finbrook]\r\n"
                                                                  << lines))
    throw std::runtime_error("cannot write the settings file");
}

std::string Session::ReadWindirFile(const std::string& name) const {
  return ReadFile(windir_ / name);
}

Process& Session::Start(const std::vector<std::string>& args,
                        const std::map<std::string, std::string>& env, const char* program) {
  Process& process = *processes_.emplace_back(std::make_unique<Process>());
  process.printed = windir_ / ("printed" + std::to_string(processes_.size()) + ".txt");
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.setStandardOutputFile(QString::fromStdString(process.printed.string()));
  process.setChildProcessModifier([env] {
    ::setpgid(0, 0);  // its own group, killed as one
    for (const auto& [k, v] : env) ::setenv(k.c_str(), v.c_str(), 1);
  });
  process.start(program, Strings(args));
  if (!process.waitForStarted()) Fail("the start of " + Words(process));
  return process;
}

Process& Session::StartSaver(const std::string& settings,
                             const std::map<std::string, std::string>& env) {
  WriteSettings(settings);
  Process& saver = Start({"/s"}, env);
  WaitWindow("^Solmere Finbrook ScreenSaver$", 20s);
  Await("the saver's first frame", 20s, [&] {
    const QImage shot = Screenshot();
    QImage black(shot.width(), shot.height() / 2, QImage::Format_RGB32);
    black.fill(Qt::black);
    return shot.copy(black.rect()) != black;
  });
  return saver;
}

unsigned long Session::StartHostWindow(const std::string& title, int width, int height) {
  Start({title, std::to_string(width), std::to_string(height)}, {}, FINBROOK_HOST_WINDOW);
  return WaitWindow("^" + title + "$");
}

std::string Session::Xdo(const std::vector<std::string>& args) {
  return Run("/usr/bin/xdotool", args, true);
}

void Session::Await(const std::string& awaited, std::chrono::milliseconds timeout,
                    const std::function<bool()>& done) {
  for (const auto deadline = std::chrono::steady_clock::now() + timeout; !done();
       std::this_thread::sleep_for(20ms)) {
    if (std::chrono::steady_clock::now() >= deadline) Fail(awaited);
  }
}

unsigned long Session::WaitWindow(const std::string& name_regex, std::chrono::milliseconds timeout,
                                  bool gone) {
  unsigned long id = 0;
  Await((gone ? "no more window named " : "a window named ") + name_regex, timeout, [&] {
    const std::string found =
        Run("/usr/bin/xdotool", {"search", "--onlyvisible", "--name", name_regex}, false);
    return ((id = std::strtoul(found.c_str(), nullptr, 10)) == 0) == gone;
  });
  return id;
}

unsigned long Session::Focus() {
  Display* x = display_->connection();
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(x, &focus, &revert);
  return focus == PointerRoot || focus == DefaultRootWindow(x) ? 0 : focus;
}

void Session::WaitFocus(unsigned long window, std::chrono::milliseconds timeout) {
  Await("the focus on window " + std::to_string(window), timeout,
        [&] { return Focus() == window; });
}

unsigned long Session::WaitFocusElsewhere(const std::vector<unsigned long>& windows,
                                          const std::string& awaited,
                                          std::chrono::milliseconds timeout) {
  unsigned long focus = 0;
  Await(awaited, timeout, [&] {
    focus = Focus();
    return focus != 0 && std::find(windows.begin(), windows.end(), focus) == windows.end();
  });
  return focus;
}

void Session::Fail(const std::string& awaited) const {
  std::string message = "waited in vain for " + awaited;
  for (const auto& p : processes_) {
    const std::string state = p->Running() ? "runs" : "ended with " + std::to_string(p->exitCode());
    message += "\n--- " + Words(*p) + " " + state + ", printing:\n" + ReadFile(p->printed);
  }
  throw std::runtime_error(message);
}

QImage Session::Screenshot() {
  Display* x = display_->connection();
  const int width = DisplayWidth(x, 0), height = DisplayHeight(x, 0);
  XImage* image = XGetImage(x, DefaultRootWindow(x), 0, 0, width, height, AllPlanes, ZPixmap);
  if (image == nullptr || image->bits_per_pixel != 32 || image->byte_order != LSBFirst)
    throw std::runtime_error("the screen cannot be read as 32-bit pixels");
  // Its pixels 0x00RRGGBB, which QImage reads as 0xFFRRGGBB.
  const QImage shot = QImage(reinterpret_cast<const uchar*>(image->data), width, height,
                             image->bytes_per_line, QImage::Format_RGB32)
                          .copy();
  XDestroyImage(image);
  return shot;
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
