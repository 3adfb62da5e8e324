#include "runtime/random.h"

#include <chrono>
#include <optional>

namespace rt {
namespace {

std::uint64_t state = 0x853c49e6748fea9bULL;
std::optional<std::uint64_t> pinned_clock;

// splitmix64: a small, well-mixed generator; one state word is all the program needs.
std::uint64_t Next() {
  std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  return z ^ (z >> 31);
}

}  // namespace

double Rnd() {
  return static_cast<double>(Next() >> 11) * 0x1.0p-53;
}

void RandomizeWith(std::uint64_t seed) {
  state ^= seed * 0xd1b54a32d192ed03ULL;
  Next();
}

void SetRandomizeClockForTests(const std::uint64_t* pinned_nanoseconds) {
  if (pinned_nanoseconds)
    pinned_clock = *pinned_nanoseconds;
  else
    pinned_clock.reset();
}

void Randomize() {
  if (pinned_clock) return RandomizeWith(*pinned_clock);
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  RandomizeWith(static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}

}  // namespace rt
