// A fixed-seed random generator of our own: the media must come out byte for byte the same with
// every compiler and standard library, which the standard distributions do not promise.
#pragma once

#include <cstdint>

namespace mediagen {

class SeededRandom {
 public:
  explicit SeededRandom(std::uint32_t seed) : state_(seed) {}

  double Uniform() {  // in [0, 1)
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) / 16777216.0;
  }
  double Between(double low, double high) { return low + (high - low) * Uniform(); }
  int Below(int count) { return static_cast<int>(Uniform() * count); }
  bool Chance(double probability) { return Uniform() < probability; }

 private:
  std::uint32_t state_;
};

}  // namespace mediagen
