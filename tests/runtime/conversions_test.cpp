#include "runtime/conversions.h"

#include <gtest/gtest.h>

#include "support/raised_error.h"

#include <cmath>
#include <functional>
#include <string>

namespace {

using test_support::ErrorOf;

// Val takes the leading number after blanks; IsNumeric and CDbl want the whole text one number.
TEST(Conversions, ValIsNumericAndCDblOfText) {
  const std::tuple<const char*, double, bool> cases[] = {
      {" 1", 1, true},   {"\t 70", 70, true}, {"1.5 ", 1.5, true}, {".5", 0.5, true},
      {"+4", 4, true},   {"-1", -1, true},    {"2abc", 2, false},  {"1e3x", 1000, false},
      {"1 2", 1, false}, {"", 0, false},      {"   ", 0, false},   {"abc", 0, false},
      {"-", 0, false},   {":12", 0, false},   {"1e-999", 0, true}, {"-1e999", -HUGE_VAL, true}};
  for (const auto& [text, value, numeric] : cases) {
    SCOPED_TRACE('"' + std::string(text) + '"');
    EXPECT_DOUBLE_EQ(rt::Val(text), value);
    EXPECT_EQ(rt::IsNumeric(text), numeric);
    EXPECT_EQ(ErrorOf([&] { EXPECT_DOUBLE_EQ(rt::CDblText(text), value); }),
              numeric ? 0 : rt::kTypeMismatch);
  }
}

TEST(Conversions, StrPutsABlankBeforeANonNegativeNumber) {
  EXPECT_EQ(rt::Str(rt::Long(1)) + rt::Str(rt::Long(0)) + rt::Str(rt::Long(-1)), " 1 0-1");
  EXPECT_EQ(rt::Str(rt::Integer(70)), " 70");
  EXPECT_EQ(rt::Digits(rt::Long(5)), "5");
}

TEST(Conversions, RoundingIsHalfToEvenThenRangeChecked) {
  const std::pair<double, double> halves[] = {{2.5, 2}, {3.5, 4},   {-2.5, -2},     {-262.5, -262},
                                              {0.5, 0}, {-3.5, -4}, {2047.5, 2048}, {2.4999, 2}};
  for (const auto& [in, out] : halves) EXPECT_EQ(rt::RoundHalfEven(in), out) << in;
  EXPECT_EQ(rt::CInt(32767.4).Value(), 32767);
  EXPECT_EQ(rt::CInt(-32768.5).Value(), -32768);
  EXPECT_EQ(rt::CInt(rt::Long(-32768)).Value(), -32768);
  EXPECT_EQ(rt::CLng(2147483647.0).Value(), 2147483647);
  for (const auto& overflow : std::initializer_list<std::function<void()>>{
           [] { rt::CInt(32767.5); }, [] { rt::CInt(std::nan("")); },
           [] { rt::CInt(rt::Long(40000)); }, [] { rt::CLng(2147483647.5); }})
    EXPECT_EQ(ErrorOf(overflow), rt::kOverflow);
}

// The settings reader cuts a value at 127 characters, not bytes.
TEST(Conversions, LenAndLeftCountCharactersOfUtf8) {
  const std::string text = "a\xC3\xA9\xE2\x82\xACz";  // a, e acute, euro sign, z
  EXPECT_EQ(rt::Len(text).Value(), 4);
  EXPECT_EQ(rt::Left(text, 3), "a\xC3\xA9\xE2\x82\xAC");
}

}  // namespace
