// Conversions of the old run time between numbers and text, and its rounding rule.
#pragma once

#include <string>
#include <string_view>

#include "runtime/checked.h"

namespace rt {

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double RoundHalfEven(double v);

// CInt / CLng: round half to even, then raise error 6 when outside the range.
Integer CInt(double v);
Long CLng(double v);
Integer CInt(Long v);

// Int(): the largest integer not above v (floor), as a double.
double Int(double v);

// Val(): the leading numeric value of a text (blanks, tabs and line feeds in front skipped;
// an optional sign, digits, a decimal point and an exponent); 0 when the text has none.
double Val(std::string_view text);

// IsNumeric(): the whole text, blanks allowed around it, is one number.
bool IsNumeric(std::string_view text);

// CDbl of a text: like IsNumeric then the value; raises error 13 when the text is not a number.
double CDblText(std::string_view text);

// Str(): a whole number as text with a blank in front when not negative (" 1", "-1").
std::string Str(Long v);
inline std::string Str(Integer v) { return Str(Long(v)); }

// The plain digits of a whole number, as concatenating a number onto a text gives ("song" & 0).
std::string Digits(Long v);

// Text helpers of the old run time, counting characters of UTF-8 text.
std::string Trim(std::string_view text);      // blanks only, both ends
std::string LCase(std::string_view text);     // ASCII letters; other characters unchanged
std::string UCase(std::string_view text);
std::string Left(std::string_view text, Long n);   // n < 0 raises error 5
std::string Right(std::string_view text, Long n);  // n < 0 raises error 5
Long Len(std::string_view text);                   // characters, not bytes

}  // namespace rt
