// The fuzz targets' entries: each feeds one input to a part of the program that reads what it
// cannot trust, and checks what must hold for any input. The libFuzzer programs
// (tests/fuzz/libfuzzer) and the unit test that replays the kept inputs (tests/fuzz/seeds and
// tests/fuzz/regressions, a folder per target) call the same entries.
//
// A broken rule throws Broken; a memory or arithmetic fault is the sanitizers' to catch.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>

namespace fuzz {

using Input = std::span<const std::uint8_t>;
using Entry = void (*)(Input input);

struct Broken : std::logic_error {
  using std::logic_error::logic_error;
};

// The entry of the target of that name (a folder name under tests/fuzz/seeds); null when none.
Entry EntryNamed(std::string_view target);

}  // namespace fuzz
