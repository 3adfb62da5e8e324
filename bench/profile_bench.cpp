// The settings file read and written as the saver and its dialog do, one key per call, when the
// program's section is followed by about a million empty lines (just under the megabyte that
// any file of ours may hold). Opening the saver reads about a hundred keys, applying the dialog
// writes about fifty: each of the two should take well under half a second.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/profile.h"

namespace {

constexpr char kSection[] = "Solmere Finbrook ScreenSaver";

// A private folder, so that two runs at once never touch each other's files.
class BlankLinesFile {
 public:
  BlankLinesFile() {
    std::string folder = (std::filesystem::temp_directory_path() / "finbrook-bench-XXXXXX");
    folder_ = ::mkdtemp(folder.data());
    path_ = (folder_ / "quorvane.ini").string();
  }
  ~BlankLinesFile() { std::filesystem::remove_all(folder_); }
  const std::string& Refill() {
    std::ofstream(path_, std::ios::binary) << "[" << kSection << "]\n"
                                           << std::string((1u << 20) - 4096, '\n');
    return path_;
  }

 private:
  std::filesystem::path folder_;
  std::string path_;
};

void BM_OpenTheSaver(benchmark::State& state) {
  BlankLinesFile file;
  const std::string& path = file.Refill();
  for (auto _ : state) {
    for (int key = 0; key < 100; ++key)
      benchmark::DoNotOptimize(win::ReadProfileValue(path, kSection, "key" + std::to_string(key)));
  }
}
BENCHMARK(BM_OpenTheSaver)->Unit(benchmark::kMillisecond);

void BM_ApplyTheDialog(benchmark::State& state) {
  BlankLinesFile file;
  for (auto _ : state) {
    state.PauseTiming();
    const std::string& path = file.Refill();
    state.ResumeTiming();
    for (int key = 0; key < 50; ++key)
      benchmark::DoNotOptimize(
          win::WriteProfileValue(path, kSection, "key" + std::to_string(key), "1"));
  }
}
BENCHMARK(BM_ApplyTheDialog)->Unit(benchmark::kMillisecond);

}  // namespace
