// The end-to-end harness: a private Xvfb display, the real program started on it with a
// throw-away Windows directory, and real input through xdotool. Every wait polls against a
// deadline; everything started is killed when the harness goes.
//
//   e2e::Session s(800, 600);                      // Xvfb :N -screen 0 800x600x24
//   s.WriteSettings("firstrun=1\r\nspeed=40\r\n");  // quorvane.ini, section "Solmere Finbrook"
//   e2e::Process& saver = s.Start({"/s"});          // FINBROOK_BINARY, DISPLAY=:N
//   auto host = s.StartHostWindow("Display Properties", 400, 300);  // its X window id
//   auto id = s.WaitWindow("^Solmere Finbrook ScreenSaver$");     // xdotool search --name
//   s.Xdo({"mousemove", "10", "10", "click", "1"});
//   QImage shot = s.Screenshot();                   // import -window root
//   auto code = saver.WaitExit(std::chrono::seconds(5));  // nullopt while it runs
#pragma once

#include <QImage>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;

class Process {
 public:
  Process(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
          const std::filesystem::path& stdout_file);
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  bool Running();
  // The exit code (128 + signal when killed); nullopt when still running at the deadline.
  std::optional<int> WaitExit(std::chrono::milliseconds timeout);
  void Kill();
  int pid() const { return pid_; }

 private:
  int pid_ = -1;
  std::optional<int> status_;
};

class Session {
 public:
  Session(int width, int height);
  ~Session();

  const std::string& display() const { return display_; }
  const std::filesystem::path& windir() const { return windir_; }
  // Writes the settings file with these lines (CRLF-separated) in the program's section.
  void WriteSettings(const std::string& lines);
  // Starts the program with these arguments; extra environment on top of the session's.
  Process& Start(const std::vector<std::string>& args,
                 const std::map<std::string, std::string>& env = {});
  // Starts the host-window helper and gives its X window id (0 when it did not come up).
  unsigned long StartHostWindow(const std::string& title, int width, int height);
  // The first window whose name matches the regular expression, within the timeout; 0 if none.
  unsigned long WaitWindow(const std::string& name_regex, std::chrono::milliseconds timeout = 10s);
  // Waits until the window has the keyboard focus.
  bool WaitFocus(unsigned long window, std::chrono::milliseconds timeout = 5s);
  // The window that takes the focus from all of these (a message box, a prompt); 0 if none.
  unsigned long WaitFocusElsewhere(const std::vector<unsigned long>& windows,
                                   std::chrono::milliseconds timeout = 10s);
  // Runs xdotool on the session's display; its standard output.
  std::string Xdo(const std::vector<std::string>& args);
  // Runs any X client on the session's display; its standard output.
  std::string Run(const std::vector<std::string>& argv);
  QImage Screenshot();

 private:
  std::string display_;
  std::unique_ptr<Process> xvfb_;
  std::filesystem::path windir_;
  std::vector<std::unique_ptr<Process>> processes_;
  std::map<std::string, std::string> Env() const;
};

}  // namespace e2e
