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
  struct Case {
    const char* text;
    double value;
    bool numeric;
  };
  const Case cases[] = {
      {" 1", 1, true},   {"\t 70", 70, true}, {"1.5 ", 1.5, true}, {".5", 0.5, true},
      {"+4", 4, true},   {"-1", -1, true},    {"2abc", 2, false},  {"1e3x", 1000, false},
      {"1 2", 1, false}, {"", 0, false},      {"   ", 0, false},   {"abc", 0, false},
      {"-", 0, false},   {":12", 0, false},   {"1e-999", 0, true}, {"-1e999", -HUGE_VAL, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE('"' + std::string(c.text) + '"');
    EXPECT_DOUBLE_EQ(rt::Val(c.text), c.value);
    EXPECT_EQ(rt::IsNumeric(c.text), c.numeric);
    if (c.numeric) {
      EXPECT_DOUBLE_EQ(rt::CDblText(c.text), c.value);
    } else {
      EXPECT_EQ(ErrorOf([&] { rt::CDblText(c.text); }), rt::kTypeMismatch);
    }
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

TEST(Conversions, TextHelpersCountCharactersOfUtf8AndTouchOnlyAscii) {
  const std::string text =
      "a\xC3\xA9\xE2\x82\xAC"
      "b";  // a, e acute, euro sign, b
  EXPECT_EQ(rt::Len(text).Value(), 4);
  EXPECT_EQ(rt::Left(text, 2), "a\xC3\xA9");
  EXPECT_EQ(rt::Right(text, 2),
            "\xE2\x82\xAC"
            "b");
  EXPECT_EQ(rt::Left(text, 10), text);
  EXPECT_EQ(ErrorOf([&] { rt::Right(text, -1); }), rt::kInvalidProcedureCall);
  EXPECT_EQ(rt::Trim("  /S 12  "), "/S 12");
  EXPECT_EQ(rt::Trim("\t/s\t"), "\t/s\t");
  EXPECT_EQ(rt::LCase("/P:ABC \xC3\x89"), "/p:abc \xC3\x89");
}

}  // namespace
