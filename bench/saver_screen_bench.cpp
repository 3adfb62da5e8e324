// The running saver, measured from outside: the real program on a private Xvfb screen with the
// default settings, for a fixed time. Frames are counted as they reach the screen (the X
// server's damage reports on the root window, in full-screen areas), and the processor time of
// the saver and of the X server over the same span (utime + stime of /proc/<pid>/stat) is
// divided by them. The yardstick is three full-frame memcpys at the same screen size, timed
// every half second while the saver runs, so that both meet the same load of a shared machine.
//
// The reported time of each run is the saver's and the X server's processor time per frame
// together; the counters give each side, the ratio to the yardstick and the saver's resident
// memory in MiB at the end (VmRSS, which ps -o rss shows) and at its peak since it started
// (VmHWM).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include "xvfb/private_display.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto kWarmUp = 3s;
constexpr auto kMeasured = 20s;

// A child process in a group of its own, killed with its group when this goes.
class Child {
 public:
  Child(const std::vector<std::string>& argv, const std::vector<std::string>& extra_env,
        const fs::path& out) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    env.insert(env.end(), extra_env.begin(), extra_env.end());
    std::vector<char*> args, envp;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const std::string errors = out.string() + ".err";
    posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    if (posix_spawn(&pid_, args[0], &actions, &attributes, args.data(), envp.data()) != 0) {
      throw std::runtime_error("cannot start " + argv[0]);
    }
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
  }
  ~Child() {
    ::kill(-pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  pid_t pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Processor time used by a process and its threads so far, in seconds.
double ProcessorSeconds(pid_t pid) {
  const std::string stat = ReadFile("/proc/" + std::to_string(pid) + "/stat");
  // Fields after the command name, which ends at the last ')': state is field 3, utime 14.
  std::istringstream fields(stat.substr(stat.rfind(')') + 2));
  std::string field;
  double ticks = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i >= 14) ticks += std::stod(field);
  }
  return ticks / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

// A figure of /proc/<pid>/status in MiB, by its name ("VmRSS:").
double StatusMebibytes(pid_t pid, const std::string& name) {
  std::istringstream status(ReadFile("/proc/" + std::to_string(pid) + "/status"));
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(name, 0) == 0) return std::stod(line.substr(name.size())) / 1024.0;
  }
  return 0;
}

// Three memcpys of a whole 32-bit frame, timed in processor time again and again. The saver's
// frames do not stay in the processor's caches from one tick to the next, so by default the
// copies go round a ring of frames larger than any cache; a hot yardstick repeats one copy
// between two frames, which then stay in cache when they fit.
class Yardstick {
 public:
  Yardstick(int width, int height, bool hot)
      : bytes_(static_cast<std::size_t>(width) * height * 4),
        frames_(hot ? 2 : std::max<std::size_t>(4, kRingBytes / bytes_ + 1),
                std::vector<char>(bytes_, 0x12)) {}
  void Sample() {
    timespec start{}, end{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
    for (int i = 0; i < 3; ++i, next_ = (next_ + 1) % frames_.size()) {
      std::memcpy(frames_[(next_ + 1) % frames_.size()].data(), frames_[next_].data(), bytes_);
      benchmark::ClobberMemory();
    }
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
    times_.push_back((end.tv_sec - start.tv_sec) + (end.tv_nsec - start.tv_nsec) * 1e-9);
  }
  // The median of the samples, in seconds.
  double Median() {
    std::nth_element(times_.begin(), times_.begin() + times_.size() / 2, times_.end());
    return times_[times_.size() / 2];
  }

 private:
  static constexpr std::size_t kRingBytes = std::size_t{256} << 20;
  std::size_t bytes_;
  std::vector<std::vector<char>> frames_;
  std::size_t next_ = 0;
  std::vector<double> times_;
};

// Counts what is drawn on the screen, in whole screens: every drawing on any window shows up as
// damage to the root window.
class ScreenDamage {
 public:
  explicit ScreenDamage(const std::string& display) {
    dpy_ = XOpenDisplay(display.c_str());
    if (!dpy_) throw std::runtime_error("cannot open display " + display);
    int error_base = 0;
    if (!XDamageQueryExtension(dpy_, &event_base_, &error_base)) {
      throw std::runtime_error("the X server has no DAMAGE extension");
    }
    const Window root = DefaultRootWindow(dpy_);
    XWindowAttributes attributes{};
    XGetWindowAttributes(dpy_, root, &attributes);
    screen_area_ = static_cast<double>(attributes.width) * attributes.height;
    damage_ = XDamageCreate(dpy_, root, XDamageReportRawRectangles);
    XSync(dpy_, False);
  }
  ~ScreenDamage() {
    XDamageDestroy(dpy_, damage_);
    XCloseDisplay(dpy_);
  }
  // Whole screens drawn since the last call.
  double Screens() {
    double area = 0;
    while (XPending(dpy_)) {
      XEvent event;
      XNextEvent(dpy_, &event);
      if (event.type != event_base_ + XDamageNotify) continue;
      const auto& notify = reinterpret_cast<const XDamageNotifyEvent&>(event);
      area += static_cast<double>(notify.area.width) * notify.area.height;
    }
    return area / screen_area_;
  }

 private:
  Display* dpy_ = nullptr;
  Damage damage_ = 0;
  int event_base_ = 0;
  double screen_area_ = 1;
};

struct Measurement {
  double copies = 0;  // the yardstick's median
  double frames = 0;
  double seconds = 0;
  double saver_cpu = 0;
  double server_cpu = 0;
  double resident_mib = 0;
  double peak_mib = 0;
};

Measurement RunSaver(int width, int height) {
  const fs::path dir = fs::temp_directory_path() / ("finbrook-bench-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "Quorvane");
  fs::create_directories(dir / "runtime");
  fs::permissions(dir / "runtime", fs::perms::owner_all);
  fs::create_directory_symlink(FINBROOK_MEDIA_DIR, dir / "Quorvane" / "Solmere Finbrook");

  const xvfb::PrivateDisplay server(width, height, dir / "xvfb.err");
  const std::string& display = server.name();

  ScreenDamage damage(display);
  Child saver({FINBROOK_BINARY, "/s"},
              {"DISPLAY=" + display, "QT_QPA_PLATFORM=xcb", "SDL_AUDIODRIVER=dummy",
               "FINBROOK_WINDIR=" + dir.string(), "XDG_CONFIG_HOME=" + (dir / "config").string(),
               "XDG_RUNTIME_DIR=" + (dir / "runtime").string()},
              dir / "saver.out");

  // The first frames, then a settled stretch.
  double seen = 0;
  for (auto deadline = Clock::now() + 30s; seen < 2 && Clock::now() < deadline;
       std::this_thread::sleep_for(20ms)) {
    seen += damage.Screens();
  }
  if (seen < 2) throw std::runtime_error("the saver drew no frames");
  std::this_thread::sleep_for(kWarmUp);

  Yardstick yardstick(width, height, false);
  damage.Screens();
  const auto start = Clock::now();
  const double saver_start = ProcessorSeconds(saver.pid());
  const double server_start = ProcessorSeconds(server.server());
  Measurement m;
  for (int round = 0; Clock::now() < start + kMeasured; ++round) {
    if (round % 5 == 0) yardstick.Sample();
    std::this_thread::sleep_for(100ms);
    m.frames += damage.Screens();
  }
  m.saver_cpu = ProcessorSeconds(saver.pid()) - saver_start;
  m.server_cpu = ProcessorSeconds(server.server()) - server_start;
  m.frames += damage.Screens();
  m.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  m.resident_mib = StatusMebibytes(saver.pid(), "VmRSS:");
  m.peak_mib = StatusMebibytes(saver.pid(), "VmHWM:");
  m.copies = yardstick.Median();
  fs::remove_all(dir);
  return m;
}

void BM_SaverOnScreen(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  for (auto _ : state) {
    Measurement m;
    try {
      m = RunSaver(width, height);
    } catch (const std::exception& e) {
      state.SkipWithError(e.what());
      break;
    }
    Yardstick hot(width, height, true);
    for (int i = 0; i < 31; ++i) hot.Sample();
    const double frames = std::max(m.frames, 1.0);
    const double per_frame = (m.saver_cpu + m.server_cpu) / frames;
    state.SetIterationTime(per_frame);
    state.counters["frames_per_s"] = m.frames / m.seconds;
    state.counters["saver_ms"] = m.saver_cpu / frames * 1e3;
    state.counters["xserver_ms"] = m.server_cpu / frames * 1e3;
    state.counters["copies3_ms"] = m.copies * 1e3;
    state.counters["ratio"] = per_frame / m.copies;
    state.counters["hot_copies3_ms"] = hot.Median() * 1e3;
    state.counters["rss_MiB"] = m.resident_mib;
    state.counters["peak_MiB"] = m.peak_mib;
  }
}
BENCHMARK(BM_SaverOnScreen)
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
