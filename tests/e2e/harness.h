// The end-to-end harness: a private Xvfb display, the real program started on it with a
// throw-away Windows directory, real input through xdotool, and the program's pictures found
// again in screenshots. Every wait polls against a deadline and, when it passes, throws one
// message naming what was awaited and what each program printed, so that nothing after it runs;
// everything started is killed when the harness goes.
//
//   e2e::Session s(800, 600);                      // Xvfb -screen 0 800x600x24
//   e2e::Process& saver = s.StartSaver("firstrun=1\r\nspeed=40\r\n");  // up to its first frame
//   e2e::Process& dialog = s.Start({"/c"});         // FINBROOK_BINARY, DISPLAY=:N
//   auto host = s.StartHostWindow("Display Properties", 400, 300);  // its X window id
//   auto id = s.WaitWindow("^Solmere Finbrook ScreenSaver$");     // xdotool search --name
//   s.Xdo({"mousemove", "10", "10", "click", "1"});
//   auto code = saver.WaitExit(5s);                 // nullopt while it runs
#pragma once

#include <QImage>
#include <QProcess>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "xvfb/private_display.h"

namespace e2e {

using namespace std::chrono_literals;

// A program the session started; killed, with every process it started, when it goes.
class Process : public QProcess {
 public:
  ~Process() override;
  // The exit code (-1 when killed); nullopt when still running at the deadline.
  std::optional<int> WaitExit(std::chrono::milliseconds timeout);
  bool Running() { return !WaitExit(0ms).has_value(); }
  std::filesystem::path printed;  // where its standard output and error go
};

// Everything started while a session lives runs on its display, with its Windows directory.
class Session {
 public:
  Session(int width, int height);
  ~Session();

  const std::filesystem::path& windir() const { return windir_; }
  // Writes the settings file with these lines (CRLF-separated) in the program's section.
  void WriteSettings(const std::string& lines);
  std::string ReadWindirFile(const std::string& name) const;
  // Starts the program (or another one) with these arguments and extra environment.
  Process& Start(const std::vector<std::string>& args,
                 const std::map<std::string, std::string>& env = {},
                 const char* program = FINBROOK_BINARY);
  // Writes these settings, starts the saver ("/s") and waits for its first frame: its window
  // stays black until then, but for the message label near the bottom.
  Process& StartSaver(const std::string& settings,
                      const std::map<std::string, std::string>& env = {});
  // Starts the host-window helper, its client area at the screen's top left; its X window id.
  unsigned long StartHostWindow(const std::string& title, int width, int height);
  // The first visible window whose name matches the regular expression; or, when `gone`, until
  // none is visible.
  unsigned long WaitWindow(const std::string& name_regex, std::chrono::milliseconds timeout = 10s,
                           bool gone = false);
  // The window with the keyboard focus; 0 when none has it (the screen's root holds it when a
  // window goes, without a window manager to hand it on).
  unsigned long Focus();
  void WaitFocus(unsigned long window, std::chrono::milliseconds timeout = 5s);
  // The window that takes the focus from all of these (a message box, a prompt), `awaited`.
  unsigned long WaitFocusElsewhere(const std::vector<unsigned long>& windows,
                                   const std::string& awaited,
                                   std::chrono::milliseconds timeout = 10s);
  // Polls until done() holds; when the deadline passes first, fails awaiting `awaited`.
  void Await(const std::string& awaited, std::chrono::milliseconds timeout,
             const std::function<bool()>& done);
  // Runs xdotool on the session's display, which must do what it is asked; its standard output.
  std::string Xdo(const std::vector<std::string>& args);
  QImage Screenshot();  // as MediaPicture gives pictures: RGB32, its pixels 0xFFRRGGBB

 private:
  [[noreturn]] void Fail(const std::string& awaited) const;

  std::filesystem::path windir_;
  std::unique_ptr<xvfb::PrivateDisplay> display_;
  std::vector<std::unique_ptr<Process>> processes_;
};

// A picture of the media set, by file name.
QImage MediaPicture(const std::string& name);
// The share (0 to 1) of cell `cell`'s opaque (not pure black) pixels that the screenshot shows
// unchanged with the cell's top-left corner at (x, y).
double CellMatch(const QImage& shot, const QImage& sheet, int cell, int width, int height, int x,
                 int y);
// The best-matching cell of the sheet's row at (x, y), and how well it matches.
std::pair<int, double> BestCell(const QImage& shot, const QImage& sheet, int width, int height,
                                int x, int y);

}  // namespace e2e
