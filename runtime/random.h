// The program's one random generator: uniform numbers in [0, 1).
#pragma once

#include <cstdint>

namespace rt {

// Rnd(): the next uniform number in [0, 1).
double Rnd();

// Randomize with no argument: reseeds from the timer. The time is mixed into the current state,
// so two reseeds within one clock tick still lead to different numbers.
void Randomize();

// Pins the clock that Randomize reads, in nanoseconds (nullptr returns to the real clock): tests
// use it to show that reseeds within one clock tick still lead to different numbers.
void SetRandomizeClockForTests(const std::uint64_t* pinned_nanoseconds);

// Reseeds from a given value (tests use it to make draws repeatable).
void RandomizeWith(std::uint64_t seed);

}  // namespace rt
