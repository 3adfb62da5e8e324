// The error-report dialog BugReport.
#pragma once

#include <string>

#include "platform/forms.h"

class BugReportForm : public forms::Form {
 public:
  BugReportForm();

  forms::Frame Frame1{*this};
  forms::Label Label1{Frame1};
  forms::PictureBox Picture1{Frame1};
  forms::Label Label2{*this};
  forms::Label Label3{*this};
  forms::CommandButton Command1{*this};
  forms::CommandButton Command2{*this};

  void Command1_Click();
  void Command2_Click();

 protected:
  void Form_Load() override;
  void Form_QueryUnload(rt::Integer& cancel, rt::Integer unload_mode) override;
};

// The one BugReport form object of the process, created on first reference.
BugReportForm& BugReport();
bool BugReportLoaded();
void LoadBugReport();

// The report page's address for the last trapped error, as "&Send Error Report" opens it.
std::string BugReportAddress();
