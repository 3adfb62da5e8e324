#include "fuzz/fuzz_entries.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Every input kept for a fuzz target, its seeds and the inputs that once broke it, goes through
// the target's entry again: tests/fuzz/{seeds,regressions}/TARGET/FILE.
TEST(FuzzInputs, EveryKeptInputPassesItsTargetsEntry) {
  int replayed = 0;
  for (const auto& file :
       fs::recursive_directory_iterator(fs::path(FINBROOK_SOURCE_DIR) / "tests" / "fuzz")) {
    const fs::path folder = file.path().parent_path();
    const std::string kind = folder.parent_path().filename();
    if (!file.is_regular_file() || (kind != "seeds" && kind != "regressions")) continue;
    const fuzz::Entry entry = fuzz::EntryNamed(folder.filename().string());
    ASSERT_NE(entry, nullptr) << "no target for " << folder;
    std::ifstream in(file.path(), std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    EXPECT_NO_THROW(entry(bytes)) << file.path();
    ++replayed;
  }
  EXPECT_GT(replayed, 0);
}

}  // namespace
