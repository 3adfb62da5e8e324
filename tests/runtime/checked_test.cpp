#include "runtime/checked.h"

#include <gtest/gtest.h>

#include "support/raised_error.h"

#include <functional>

#include "runtime/conversions.h"

namespace {

using test_support::ErrorOf;

TEST(CheckedInteger, ArithmeticRaisesOverflowAtTheSixteenBitEdges) {
  struct Case {
    const char* what;
    int error;
    std::function<void()> body;
  };
  const Case cases[] = {
      {"32767 + 1", 6, [] { (void)(rt::Integer(32767) + 1); }},
      {"32766 + 1", 0, [] { (void)(rt::Integer(32766) + 1); }},
      {"-32768 - 1", 6, [] { (void)(rt::Integer(-32768) - 1); }},
      {"-(-32768)", 6, [] { (void)(-rt::Integer(-32768)); }},
      {"-(-32767)", 0, [] { (void)(-rt::Integer(-32767)); }},
      {"182 * 181", 6, [] { (void)(rt::Integer(182) * rt::Integer(181)); }},
      {"181 * 181", 0, [] { (void)(rt::Integer(181) * rt::Integer(181)); }},
      {"Integer from 40000", 6, [] { (void)rt::Integer(40000); }},
      {"Long 2147483647 + 1", 6, [] { (void)(rt::Long(2147483647) + 1); }},
      {"Integer 32767 + Long 1", 0, [] { (void)(rt::Integer(32767) + rt::Long(1)); }},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorOf(c.body), c.error) << c.what;
}

TEST(CheckedInteger, MixedOperandsWidenToLong) {
  const auto sum = rt::Integer(32767) + rt::Long(1);
  static_assert(std::is_same_v<decltype(sum), const rt::Long>);
  EXPECT_EQ(sum.Value(), 32768);
  EXPECT_DOUBLE_EQ(rt::Integer(7) / rt::Integer(2), 3.5);
  // True is -1 here, not C++'s 1: a bool must go through Truth.
  static_assert(!std::is_convertible_v<bool, rt::Integer>);
  EXPECT_EQ(rt::Truth(true).Value(), -1);
}

TEST(Conversions, RoundingIsHalfToEvenWithOverflowChecks) {
  EXPECT_EQ(rt::CInt(2.5).Value(), 2);
  EXPECT_EQ(rt::CInt(3.5).Value(), 4);
  EXPECT_EQ(rt::CInt(-262.5).Value(), -262);
  EXPECT_EQ(rt::CInt(32767.4).Value(), 32767);
  EXPECT_EQ(ErrorOf([] { rt::CInt(32767.5); }), 6);
  EXPECT_EQ(ErrorOf([] { rt::CLng(2147483647.5); }), 6);
}

}  // namespace
