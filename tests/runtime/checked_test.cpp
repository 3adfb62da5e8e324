#include "runtime/checked.h"

#include <gtest/gtest.h>

#include "support/raised_error.h"

#include <functional>

namespace {

using test_support::ErrorOf;

TEST(CheckedInteger, ArithmeticRaisesOverflowAtTheSixteenBitEdges) {
  const std::pair<int, std::function<void()>> cases[] = {
      {6, [] { (void)(rt::Integer(32767) + 1); }},
      {0, [] { (void)(rt::Integer(32766) + 1); }},
      {6, [] { (void)(rt::Integer(-32768) - 1); }},
      {6, [] { (void)(-rt::Integer(-32768)); }},
      {6, [] { (void)(rt::Integer(182) * rt::Integer(181)); }},
      {0, [] { (void)(rt::Integer(181) * rt::Integer(181)); }},
      {6, [] { (void)rt::Integer(40000); }},
      {6, [] { (void)(rt::Long(2147483647) + 1); }},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(ErrorOf(cases[i].second), cases[i].first) << "case " << i;
}

TEST(CheckedInteger, MixedOperandsWidenToLongAndTrueIsMinusOne) {
  const auto sum = rt::Integer(32767) + rt::Long(1);
  static_assert(std::is_same_v<decltype(sum), const rt::Long>);
  EXPECT_EQ(sum.Value(), 32768);
  EXPECT_DOUBLE_EQ(rt::Integer(7) / rt::Integer(2), 3.5);
  static_assert(!std::is_convertible_v<bool, rt::Integer>);
  EXPECT_EQ(rt::Truth(true).Value(), -1);
}

}  // namespace
