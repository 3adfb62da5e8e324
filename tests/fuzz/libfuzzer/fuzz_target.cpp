// A libFuzzer program: FINBROOK_FUZZ_TARGET names the entry it feeds.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::Entry entry = fuzz::EntryNamed(FINBROOK_FUZZ_TARGET);
  entry({data, size});
  return 0;
}
