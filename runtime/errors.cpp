#include "runtime/errors.h"

namespace rt {
namespace {
int last_error_number = 0;
ErrorReporter reporter = nullptr;
}  // namespace

RuntimeError::RuntimeError(int number)
    : number_(number), message_("Run-time error '" + std::to_string(number) + "': " +
                                ErrorDescription(number)) {}

void Raise(int number) { throw RuntimeError(number); }

std::string ErrorDescription(int number) {
  switch (number) {
    case kInvalidProcedureCall: return "Invalid procedure call or argument";
    case kOverflow: return "Overflow";
    case kSubscriptOutOfRange: return "Subscript out of range";
    case kTypeMismatch: return "Type mismatch";
    case kBadFileName: return "Bad file name or number";
    case kInvalidPropertyValue: return "Invalid property value";
    default: return "Application-defined or object-defined error";
  }
}

int ErrNumber() { return last_error_number; }
void SetErrNumber(int number) { last_error_number = number; }

void SetErrorReporter(ErrorReporter r) { reporter = r; }
ErrorReporter CurrentErrorReporter() { return reporter; }

namespace detail {
void Trapped(std::string_view context, const RuntimeError& error) {
  last_error_number = error.Number();
  if (reporter) reporter(context);
}
}  // namespace detail

}  // namespace rt
