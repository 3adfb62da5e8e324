// A temporary folder of one benchmark run's own, removed when the run ends: runs side by side
// never touch each other's files.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

struct PrivateFolder {
  std::filesystem::path path;
  PrivateFolder() {
    std::string name = (std::filesystem::temp_directory_path() / "finbrook-bench-XXXXXX").string();
    if (!::mkdtemp(name.data())) throw std::runtime_error("no private temporary folder");
    path = name;
  }
  ~PrivateFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;
};
