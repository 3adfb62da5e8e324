// What the media set's tests share: reading a generated file, and writing a part of the set
// afresh to see that every run gives the same bytes as the build's media folder holds.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace media_test {

inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::filesystem::path MediaDir() {
  return FINBROOK_MEDIA_DIR;
}

// Runs write twice, each into a folder of its own (named after the test and the process, as
// tests and whole test runs may go side by side), and expects exactly the named files, each the
// same bytes as in the media folder.
template <class Writer>
void ExpectWrittenTheSameOnEveryRun(Writer write, const std::vector<std::string>& names) {
  const std::string test = testing::UnitTest::GetInstance()->current_test_info()->name();
  for (const char* run : {"first", "second"}) {
    const std::filesystem::path dir =
        std::filesystem::path(testing::TempDir()) / ("finbrook_" + test + "_" + run + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    write(dir);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                            std::filesystem::directory_iterator()),
              static_cast<std::ptrdiff_t>(names.size()))
        << run;
    for (const std::string& name : names) {
      EXPECT_EQ(ReadBytes(dir / name), ReadBytes(MediaDir() / name)) << run << " run: " << name;
    }
    std::filesystem::remove_all(dir);
  }
}

}  // namespace media_test
