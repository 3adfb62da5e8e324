// A private X server for the end-to-end tests and the on-screen benchmark: Xvfb on a display
// number it picks itself, proven to be the server that answers there.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>

struct _XDisplay;

namespace xvfb {

class PrivateDisplay {
 public:
  // Starts Xvfb with one screen of this size, its messages going to `log`; throws, quoting
  // them, when three servers in a row gave no display of their own.
  PrivateDisplay(int width, int height, const std::filesystem::path& log);
  ~PrivateDisplay();
  PrivateDisplay(const PrivateDisplay&) = delete;
  PrivateDisplay& operator=(const PrivateDisplay&) = delete;

  const std::string& name() const { return name_; }  // ":N", for DISPLAY
  pid_t server() const { return server_; }
  // Held open while the display lives; closing it would not reset the server either.
  _XDisplay* connection() const { return connection_; }

 private:
  bool Start(int width, int height, const std::filesystem::path& log);
  void Stop();

  std::string name_;
  pid_t server_ = -1;
  _XDisplay* connection_ = nullptr;
};

}  // namespace xvfb
