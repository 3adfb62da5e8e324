// The error-report dialog BugReport.
#pragma once

#include "platform/forms.h"

class BugReportForm;
// The one BugReport form object of the process, created on first reference.
BugReportForm& BugReport();
bool BugReportLoaded();
void LoadBugReport();
