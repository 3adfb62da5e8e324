// Run-time errors of the old language run time: numbered errors, trapping and reporting.
//
// Error numbers the program can raise (the error report sends them as text):
//   5   Invalid procedure call or argument (a bad argument to a run-time function)
//   6   Overflow (checked 16- and 32-bit integer arithmetic and conversions)
//   9   Subscript out of range (a bounds-checked array index)
//   13  Type mismatch (a text that is not a number where a number is needed)
//   52  Bad file name or number (the directory search refuses a name)
//   380 Invalid property value (a control refuses a value, e.g. a negative timer interval)
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace rt {

inline constexpr int kInvalidProcedureCall = 5;
inline constexpr int kOverflow = 6;
inline constexpr int kSubscriptOutOfRange = 9;
inline constexpr int kTypeMismatch = 13;
inline constexpr int kBadFileName = 52;
inline constexpr int kInvalidPropertyValue = 380;

// A raised run-time error travels as this exception until a procedure with a context string
// traps it (Trap) or it reaches an event with no handler (the program then stops).
class RuntimeError : public std::exception {
 public:
  explicit RuntimeError(int number);
  int Number() const { return number_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  int number_;
  std::string message_;
};

[[noreturn]] void Raise(int number);

// The run time's own description of an error number ("Overflow").
std::string ErrorDescription(int number);

// The number of the last trapped error (the run time's Err.Number); 0 before any.
int ErrNumber();

// Who hears of a trapped error. The host installs ReportError; tests install a recorder.
using ErrorReporter = void (*)(std::string_view context);
void SetErrorReporter(ErrorReporter reporter);
ErrorReporter CurrentErrorReporter();

namespace detail {
void Trapped(std::string_view context, const RuntimeError& error);
}

// A procedure that carries a context string runs its body under Trap: a run-time error ends
// the body, is recorded as Err.Number and handed to the reporter with the context, and the
// procedure returns normally (a function returns its default value).
template <class Body>
void Trap(std::string_view context, Body&& body) {
  try {
    body();
  } catch (const RuntimeError& error) {
    detail::Trapped(context, error);
  }
}

template <class Result, class Body>
Result TrapValue(std::string_view context, Body&& body) {
  try {
    return body();
  } catch (const RuntimeError& error) {
    detail::Trapped(context, error);
    return Result{};
  }
}

// Sets Err.Number without reporting: for the one procedure that keeps going after an error.
void SetErrNumber(int number);

}  // namespace rt
