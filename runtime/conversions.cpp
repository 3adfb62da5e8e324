#include "runtime/conversions.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace rt {

double RoundHalfEven(double v) {
  return std::nearbyint(v);
}  // default mode: to nearest, even

Integer CInt(double v) {
  if (std::isnan(v)) Raise(kOverflow);
  const double r = RoundHalfEven(v);
  if (r < Integer::kMin || r > Integer::kMax) Raise(kOverflow);
  return Integer(static_cast<int>(r));
}

Long CLng(double v) {
  if (std::isnan(v)) Raise(kOverflow);
  const double r = RoundHalfEven(v);
  if (r < Long::kMin || r > Long::kMax) Raise(kOverflow);
  return Long(static_cast<long long>(r));
}

Integer CInt(Long v) {
  return Integer(v.Value());
}

double Int(double v) {
  return std::floor(v);
}

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Scans a number at text[pos]: sign, digits, point, digits, exponent. Returns the characters
// used (0 when there is no number) and the value.
size_t ScanNumber(std::string_view text, size_t pos, double& value) {
  size_t i = pos;
  std::string buf;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) buf += text[i++];
  size_t digits = 0;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
    buf += text[i++];
    ++digits;
  }
  if (i < text.size() && text[i] == '.') {
    buf += text[i++];
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
      buf += text[i++];
      ++digits;
    }
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    size_t j = i + 1;
    std::string exp = "e";
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exp += text[j++];
    size_t exp_digits = 0;
    while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
      exp += text[j++];
      ++exp_digits;
    }
    if (exp_digits > 0) {
      buf += exp;
      i = j;
    }
  }
  // from_chars reads the point whatever the user's locale (the toolkit adopts it, and strtod
  // would then stop at the point under a decimal comma); it takes no plus sign.
  const size_t from = buf.front() == '+' ? 1 : 0;
  const auto [end, error] = std::from_chars(buf.data() + from, buf.data() + buf.size(), value);
  if (error == std::errc::result_out_of_range) {  // too large or too small for a double
    const bool huge = buf.find("e-") == std::string::npos;
    value = std::copysign(huge ? HUGE_VAL : 0.0, buf.front() == '-' ? -1.0 : 1.0);
  }
  return i - pos;
}

}  // namespace

double Val(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  double value = 0;
  if (ScanNumber(text, i, value) == 0) return 0;
  return value;
}

bool IsNumeric(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  double value = 0;
  const size_t used = ScanNumber(text, i, value);
  if (used == 0) return false;
  i += used;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return i == text.size();
}

double CDblText(std::string_view text) {
  if (!IsNumeric(text)) Raise(kTypeMismatch);
  return Val(text);
}

std::string Str(Long v) {
  return (v.Value() < 0 ? "" : " ") + std::to_string(v.Value());
}

std::string Digits(Long v) {
  return std::to_string(v.Value());
}

std::string Trim(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && text[b] == ' ') ++b;
  while (e > b && text[e - 1] == ' ') --e;
  return std::string(text.substr(b, e - b));
}

std::string LCase(std::string_view text) {
  std::string s(text);
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

std::string UCase(std::string_view text) {
  std::string s(text);
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

namespace {
bool ContinuesCharacter(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// A character starts at every byte that does not continue one, and at the first byte of the
// text even when broken text starts with continuation bytes: Len, Left and Right must agree.
// Byte offset of the n-th character (text.size() when past the end).
size_t ByteOfChar(std::string_view text, long n) {
  size_t i = 0;
  for (long k = 0; k < n && i < text.size(); ++k) {
    ++i;
    while (i < text.size() && ContinuesCharacter(text[i])) ++i;
  }
  return i;
}
}  // namespace

Long Len(std::string_view text) {
  long n = 0;
  for (size_t i = 0; i < text.size(); ++i)
    if (i == 0 || !ContinuesCharacter(text[i])) ++n;
  return Long(n);
}

std::string Left(std::string_view text, Long n) {
  if (n.Value() < 0) Raise(kInvalidProcedureCall);
  return std::string(text.substr(0, ByteOfChar(text, n.Value())));
}

std::string Right(std::string_view text, Long n) {
  if (n.Value() < 0) Raise(kInvalidProcedureCall);
  const long len = Len(text).Value();
  if (n.Value() >= len) return std::string(text);
  return std::string(text.substr(ByteOfChar(text, len - n.Value())));
}

}  // namespace rt
