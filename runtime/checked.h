// Integer and Long: the old run time's 16- and 32-bit signed integers. Every arithmetic
// operation, negation and narrowing conversion is overflow-checked and raises error 6, so an
// overflow takes the same error path as any other run-time error.
//
// Mixing follows the old language: Integer op Integer gives Integer, anything with a Long gives
// Long, and a plain C++ integer literal takes the type of the other operand. Division with "/"
// gives a double, as it did there.
#pragma once

#include <compare>
#include <concepts>
#include <cstdint>
#include <limits>
#include <type_traits>

#include "runtime/errors.h"

namespace rt {

template <class Rep>
class Checked {
 public:
  using rep = Rep;
  static constexpr Rep kMin = std::numeric_limits<Rep>::min();
  static constexpr Rep kMax = std::numeric_limits<Rep>::max();

  constexpr Checked() = default;

  // Any C++ integer converts implicitly, checked against the range. A bool does not: true is -1
  // in the old language, so truth values go through Truth().
  template <std::integral T>
    requires(!std::same_as<T, bool>)
  constexpr Checked(T v) : v_(Narrow(static_cast<long long>(v))) {}  // NOLINT

  // A narrower Checked widens implicitly; a wider one narrows only through CInt.
  template <class R2>
    requires(sizeof(R2) < sizeof(Rep))
  constexpr Checked(Checked<R2> other) : v_(other.Value()) {}  // NOLINT

  constexpr Rep Value() const { return v_; }
  constexpr double AsDouble() const { return static_cast<double>(v_); }

  static constexpr Rep Narrow(long long v) {
    if (v < kMin || v > kMax) Raise(kOverflow);
    return static_cast<Rep>(v);
  }

  friend constexpr Checked operator+(Checked a, Checked b) {
    return Checked(static_cast<long long>(a.v_) + b.v_);
  }
  friend constexpr Checked operator-(Checked a, Checked b) {
    return Checked(static_cast<long long>(a.v_) - b.v_);
  }
  friend constexpr Checked operator*(Checked a, Checked b) {
    return Checked(static_cast<long long>(a.v_) * b.v_);
  }
  // "/" in the old language always gives a floating-point quotient.
  friend constexpr double operator/(Checked a, Checked b) {
    return static_cast<double>(a.v_) / static_cast<double>(b.v_);
  }
  constexpr Checked operator-() const { return Checked(-static_cast<long long>(v_)); }

  Checked& operator+=(Checked b) { return *this = *this + b; }
  Checked& operator-=(Checked b) { return *this = *this - b; }
  Checked& operator*=(Checked b) { return *this = *this * b; }

  friend constexpr bool operator==(Checked a, Checked b) { return a.v_ == b.v_; }
  friend constexpr std::strong_ordering operator<=>(Checked a, Checked b) { return a.v_ <=> b.v_; }

 private:
  Rep v_ = 0;
};

using Integer = Checked<std::int16_t>;
using Long = Checked<std::int32_t>;

// Integer op Long picks the Long operators through the widening conversion, so the result is a
// Long and the check is 32-bit, as in the old language.

// Truth values are 16-bit integers: -1 true, 0 false.
inline constexpr Integer kTrue = Integer(-1);
inline constexpr Integer kFalse = Integer(0);
inline constexpr Integer Truth(bool b) { return b ? kTrue : kFalse; }
inline constexpr bool IsTrue(Integer v) { return v.Value() != 0; }

}  // namespace rt
