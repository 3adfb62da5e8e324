// Names that a media folder may hold which are no regular files: a named pipe that no one
// writes, a folder, and a device that never ends. A reader must refuse each at once. One that
// opens or reads the pipe would wait for ever, so a watchdog sets it free by opening the pipe's
// other end, and the case fails instead of hanging the test.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

namespace specialtest {

class SpecialFiles {
 public:
  SpecialFiles() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "finbrook-special-XXXXXX").string();
    dir_ = ::mkdtemp(pattern.data());
    pipe_ = (dir_ / "pipe").string();
    ::mkfifo(pipe_.c_str(), 0600);
    std::filesystem::create_directory(dir_ / "folder");
  }
  ~SpecialFiles() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  SpecialFiles(const SpecialFiles&) = delete;
  SpecialFiles& operator=(const SpecialFiles&) = delete;

  // refused(path) tells whether the reader refused the file; it must also return promptly.
  void ExpectRefusedAtOnce(const std::function<bool(const std::string&)>& refused) const {
    for (const std::string& path : {pipe_, (dir_ / "folder").string(), std::string("/dev/zero")}) {
      std::atomic<bool> done{false};
      bool freed = false;
      std::thread watchdog([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (!done) {  // a reader may open the pipe more than once
          std::this_thread::sleep_for(std::chrono::milliseconds(10));
          if (std::chrono::steady_clock::now() < deadline) continue;
          freed = true;
          const int fd = ::open(pipe_.c_str(), O_WRONLY | O_NONBLOCK);
          if (fd >= 0) ::close(fd);
        }
      });
      EXPECT_TRUE(refused(path)) << path;
      done = true;
      watchdog.join();
      EXPECT_FALSE(freed) << path << ": the reader waited on it";
    }
  }

 private:
  std::filesystem::path dir_;
  std::string pipe_;
};

}  // namespace specialtest
