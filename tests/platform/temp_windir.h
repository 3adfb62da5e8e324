// A throw-away Windows directory for tests: a fresh host folder that FINBROOK_WINDIR points at
// (and XDG_CONFIG_HOME too, so nothing a test writes reaches the real per-user folder), removed
// with everything in it when the test ends.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace test_support {

class TempWindir {
 public:
  TempWindir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "finbrook-test-XXXXXX").string();
    dir_ = ::mkdtemp(pattern.data());
    Save("FINBROOK_WINDIR", saved_windir_);
    Save("XDG_CONFIG_HOME", saved_config_);
    ::setenv("FINBROOK_WINDIR", dir_.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
  }
  ~TempWindir() {
    Restore("FINBROOK_WINDIR", saved_windir_);
    Restore("XDG_CONFIG_HOME", saved_config_);
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  TempWindir(const TempWindir&) = delete;
  TempWindir& operator=(const TempWindir&) = delete;

  const std::filesystem::path& Dir() const { return dir_; }
  std::filesystem::path File(const std::string& name) const { return dir_ / name; }

  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(File(name), std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  static void Save(const char* name, std::optional<std::string>& slot) {
    if (const char* v = std::getenv(name)) slot = v;
  }
  static void Restore(const char* name, const std::optional<std::string>& slot) {
    if (slot) {
      ::setenv(name, slot->c_str(), 1);
    } else {
      ::unsetenv(name);
    }
  }
  std::filesystem::path dir_;
  std::optional<std::string> saved_windir_, saved_config_;
};

}  // namespace test_support
