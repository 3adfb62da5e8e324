// ReportError (module Starter): the common error path. It records the last error for the
// report and opens the report dialog once; later errors only replace the two values, so the
// report sent describes the last error before the click.
#include "host/bugreport.h"
#include "host/starter.h"
#include "runtime/conversions.h"
#include "runtime/errors.h"

void ReportError(std::string_view context) {
  ErrNumberText = rt::Str(rt::Long(rt::ErrNumber()));
  ErrContext = std::string(context);
  if (!BugReportLoaded()) LoadBugReport();
}
