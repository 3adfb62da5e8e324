#include "runtime/checked.h"

#include <gtest/gtest.h>

#include "support/raised_error.h"

#include <functional>

namespace {

using test_support::ErrorOf;

TEST(CheckedInteger, ArithmeticRaisesOverflowAtTheSixteenBitEdges) {
  // clang-format off
  const std::pair<int, std::function<void()>> cases[] = {
      {6, [] { (void)(rt::Integer(32767) + 1); }},  {0, [] { (void)(rt::Integer(32766) + 1); }},
      {6, [] { (void)(rt::Integer(-32768) - 1); }}, {6, [] { (void)(-rt::Integer(-32768)); }},
      {6, [] { (void)(rt::Integer(182) * 181); }},  {0, [] { (void)(rt::Integer(181) * 181); }},
      {6, [] { (void)rt::Integer(40000); }},        {6, [] { (void)(rt::Long(2147483647) + 1); }}};
  // clang-format on
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(ErrorOf(cases[i].second), cases[i].first) << "case " << i;
}

}  // namespace
