// The settings file read and written as the saver and its dialog do, one key per call, when the
// program's section is followed by about a million empty lines (just under the megabyte that
// any file of ours may hold). Opening the saver reads about a hundred keys, applying the dialog
// writes about fifty: each of the two should take well under half a second.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench/private_folder.h"
#include "platform/profile.h"
#include "runtime/product.h"

namespace {

class BlankLinesFile {
 public:
  BlankLinesFile() : path_((folder_.path / "quorvane.ini").string()) {}
  const std::string& Refill() {
    std::ofstream(path_, std::ios::binary) << "[" << product::kSettingsSection << "]\n"
                                           << std::string((1u << 20) - 4096, '\n');
    return path_;
  }

 private:
  PrivateFolder folder_;
  std::string path_;
};

void BM_OpenTheSaver(benchmark::State& state) {
  BlankLinesFile file;
  const std::string& path = file.Refill();
  for (auto _ : state) {
    for (int key = 0; key < 100; ++key)
      benchmark::DoNotOptimize(
          win::ReadProfileValue(path, product::kSettingsSection, "key" + std::to_string(key)));
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
      benchmark::DoNotOptimize(win::WriteProfileValue(path, product::kSettingsSection,
                                                      "key" + std::to_string(key), "1"));
  }
}
BENCHMARK(BM_ApplyTheDialog)->Unit(benchmark::kMillisecond);

}  // namespace
