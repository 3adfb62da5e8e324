#include "fuzz/fuzz_entries.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Every input kept for a fuzz target, its seeds and the inputs that once broke it, goes through
// the target's entry again.
TEST(FuzzInputs, EveryKeptInputPassesItsTargetsEntry) {
  const fs::path root = fs::path(FINBROOK_SOURCE_DIR) / "tests" / "fuzz";
  int replayed = 0;
  for (const char* kind : {"seeds", "regressions"}) {
    if (!fs::exists(root / kind)) continue;
    for (const auto& folder : fs::directory_iterator(root / kind)) {
      const fuzz::Entry entry = fuzz::EntryNamed(folder.path().filename().string());
      ASSERT_NE(entry, nullptr) << "no target for " << folder.path();
      for (const auto& file : fs::directory_iterator(folder.path())) {
        std::ifstream in(file.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                              std::istreambuf_iterator<char>()};
        EXPECT_NO_THROW(entry(bytes)) << file.path();
        ++replayed;
      }
    }
  }
  EXPECT_GT(replayed, 0);
}

}  // namespace
