// A throw-away Windows directory for tests: a fresh host folder that FINBROOK_WINDIR points at
// (and XDG_CONFIG_HOME too, so nothing a test writes reaches the real per-user folder), removed
// with everything in it when the test ends, together with the environment it changed. The
// files a test needs it writes there.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace test_support {

class TempWindir {
 public:
  TempWindir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "finbrook-test-XXXXXX").string();
    dir_ = ::mkdtemp(pattern.data());
    SetEnv("FINBROOK_WINDIR", dir_.string());
    SetEnv("XDG_CONFIG_HOME", (dir_ / "config").string());
  }
  ~TempWindir() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) Set(it->first, it->second);
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  TempWindir(const TempWindir&) = delete;
  TempWindir& operator=(const TempWindir&) = delete;

  // Sets (or, given nothing, unsets) a variable until the end of the test.
  void SetEnv(const char* name, const std::optional<std::string>& value) {
    const char* old = std::getenv(name);
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    Set(name, value);
  }

  const std::filesystem::path& Dir() const { return dir_; }
  std::filesystem::path File(const std::string& name) const { return dir_ / name; }

  // Writes the file (and the folders it lies in) and gives its host path.
  std::string Write(const std::string& name, std::string_view bytes) const {
    std::filesystem::create_directories(File(name).parent_path());
    std::ofstream(File(name), std::ios::binary) << bytes;
    return File(name).string();
  }
  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    return Write(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // Names that a media folder may hold which are no regular files: a named pipe that no one
  // writes, a folder, and a device that never ends. refused(path) must refuse each at once. One
  // that opens or reads the pipe would wait for ever, so a watchdog sets it free by opening the
  // pipe's other end, and the case fails instead of hanging the test.
  void ExpectSpecialFilesRefused(const std::function<bool(const std::string&)>& refused) const {
    const std::string pipe = File("special-pipe").string(), folder = File("special-dir").string();
    ::mkfifo(pipe.c_str(), 0600);
    std::filesystem::create_directories(folder);
    for (const std::string& path : {pipe, folder, std::string("/dev/zero")}) {
      std::atomic<bool> done{false}, freed{false};
      std::thread watchdog([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (!done) {  // a reader may open the pipe more than once
          std::this_thread::sleep_for(std::chrono::milliseconds(10));
          if (std::chrono::steady_clock::now() < deadline) continue;
          freed = true;
          if (const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK); fd >= 0) ::close(fd);
        }
      });
      EXPECT_TRUE(refused(path)) << path;
      done = true;
      watchdog.join();
      EXPECT_FALSE(freed) << path << ": the reader waited on it";
    }
  }

 private:
  static void Set(const char* name, const std::optional<std::string>& value) {
    if (value) {
      ::setenv(name, value->c_str(), 1);
    } else {
      ::unsetenv(name);
    }
  }
  std::filesystem::path dir_;
  std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

}  // namespace test_support
