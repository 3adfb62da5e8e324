// Fixed arrays of the old language: lower bound 0, upper bound given, every index checked
// (error 9). Element 0 exists; by convention the program uses elements from 1.
#pragma once

#include <array>
#include <concepts>
#include <cstddef>

#include "runtime/checked.h"

namespace rt {

template <class T, int Upper>
class Array {
 public:
  static constexpr int kLower = 0;
  static constexpr int kUpper = Upper;

  template <std::integral I>
  T& operator()(I index) { return items_[Check(static_cast<long long>(index))]; }
  template <std::integral I>
  const T& operator()(I index) const { return items_[Check(static_cast<long long>(index))]; }
  template <class R>
  T& operator()(Checked<R> index) { return (*this)(index.Value()); }
  template <class R>
  const T& operator()(Checked<R> index) const { return (*this)(index.Value()); }

  static constexpr int UBound() { return Upper; }

 private:
  static std::size_t Check(long long index) {
    if (index < kLower || index > kUpper) Raise(kSubscriptOutOfRange);
    return static_cast<std::size_t>(index);
  }
  std::array<T, Upper + 1> items_{};
};

}  // namespace rt
