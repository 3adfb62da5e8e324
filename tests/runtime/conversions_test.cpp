#include "runtime/conversions.h"

#include <gtest/gtest.h>

#include "support/raised_error.h"

#include <cmath>
#include <string>

namespace {

using test_support::ErrorOf;

TEST(Conversions, ValTakesTheLeadingNumberAfterBlanks) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"1", 1},  {" 1", 1},        {"\t 70", 70}, {"1.5", 1.5},          {"2abc", 2},    {"-1", -1},
      {"", 0},   {"abc", 0},       {"   ", 0},    {".5", 0.5},           {"1e3x", 1000}, {"-", 0},
      {"+4", 4}, {"40000", 40000}, {"1 ", 1},     {"-1e999", -HUGE_VAL}, {"1e-999", 0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(rt::Val(c.text), c.value) << '"' << c.text << '"';
}

TEST(Conversions, IsNumericWantsTheWholeTextToBeOneNumber) {
  struct Case {
    const char* text;
    bool numeric;
  };
  const Case cases[] = {
      {"1234", true},  {" 1234", true}, {"1234 ", true}, {"-5", true},
      {"1.5", true},   {"", false},     {" ", false},    {"2abc", false},
      {"p 12", false}, {":12", false},  {"abc", false},  {"1 2", false},
  };
  for (const auto& c : cases) EXPECT_EQ(rt::IsNumeric(c.text), c.numeric) << '"' << c.text << '"';
}

TEST(Conversions, CDblOfTextRejectsWhatIsNotANumber) {
  EXPECT_DOUBLE_EQ(rt::CDblText(" 12.5 "), 12.5);
  EXPECT_EQ(ErrorOf([] { rt::CDblText(""); }), rt::kTypeMismatch);
  EXPECT_EQ(ErrorOf([] { rt::CDblText("12x"); }), rt::kTypeMismatch);
}

TEST(Conversions, StrPutsABlankBeforeANonNegativeNumber) {
  EXPECT_EQ(rt::Str(rt::Long(1)), " 1");
  EXPECT_EQ(rt::Str(rt::Long(0)), " 0");
  EXPECT_EQ(rt::Str(rt::Long(-1)), "-1");
  EXPECT_EQ(rt::Str(rt::Integer(70)), " 70");
  EXPECT_EQ(rt::Digits(rt::Long(5)), "5");
}

TEST(Conversions, RoundHalfEvenTable) {
  struct Case {
    double in, out;
  };
  const Case cases[] = {{2.5, 2}, {3.5, 4},       {-2.5, -2},     {-262.5, -262}, {0.5, 0},
                        {1.5, 2}, {2047.5, 2048}, {-682.5, -682}, {2.4999, 2},    {-3.5, -4}};
  for (const auto& c : cases) EXPECT_EQ(rt::RoundHalfEven(c.in), c.out) << c.in;
}

TEST(Conversions, CIntRoundsThenChecksTheSixteenBitRange) {
  EXPECT_EQ(rt::CInt(32767.4).Value(), 32767);
  EXPECT_EQ(rt::CInt(-32768.5).Value(), -32768);
  EXPECT_EQ(ErrorOf([] { rt::CInt(32767.5); }), rt::kOverflow);
  EXPECT_EQ(ErrorOf([] { rt::CInt(40000.0); }), rt::kOverflow);
  EXPECT_EQ(ErrorOf([] { rt::CInt(std::nan("")); }), rt::kOverflow);
  EXPECT_EQ(rt::CLng(2147483647.0).Value(), 2147483647);
  EXPECT_EQ(ErrorOf([] { rt::CLng(2147483648.0); }), rt::kOverflow);
}

TEST(Conversions, LeftAndRightCountCharactersOfUtf8) {
  const std::string text =
      "a\xC3\xA9\xE2\x82\xAC"
      "b";  // a, e acute, euro sign, b
  EXPECT_EQ(rt::Len(text).Value(), 4);
  EXPECT_EQ(rt::Left(text, 2), "a\xC3\xA9");
  EXPECT_EQ(rt::Right(text, 2),
            "\xE2\x82\xAC"
            "b");
  EXPECT_EQ(rt::Left(text, 10), text);
  EXPECT_EQ(rt::Right(text, 10), text);
  EXPECT_EQ(rt::Left(text, 0), "");
  EXPECT_EQ(ErrorOf([&] { rt::Left(text, -1); }), rt::kInvalidProcedureCall);
  EXPECT_EQ(ErrorOf([&] { rt::Right(text, -1); }), rt::kInvalidProcedureCall);
}

TEST(Conversions, TrimAndLCaseTouchOnlyBlanksAndAsciiLetters) {
  EXPECT_EQ(rt::Trim("  /S 12  "), "/S 12");
  EXPECT_EQ(rt::Trim("\t/s\t"), "\t/s\t");
  EXPECT_EQ(rt::LCase("/P:ABC \xC3\x89"), "/p:abc \xC3\x89");
}

}  // namespace
