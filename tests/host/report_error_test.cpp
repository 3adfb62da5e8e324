#include <gtest/gtest.h>

#include <string>

#include "host/bugreport.h"
#include "host/starter.h"
#include "runtime/errors.h"

namespace {

class ReportErrorPath : public ::testing::Test {
 protected:
  void SetUp() override {
    RunMode = 0;
    rt::SetErrorReporter(&ReportError);
  }
  void TearDown() override {
    rt::SetErrorReporter(nullptr);
    if (BugReportLoaded()) BugReport().Unload();
  }
  static void Fail(const char* context, int number) {
    rt::Trap(context, [number] { rt::Raise(number); });
  }
};

TEST_F(ReportErrorPath, TwoFailuresOpenTheDialogOnceAndKeepTheLastError) {
  Fail("Starter/Main", rt::kOverflow);
  ASSERT_TRUE(BugReportLoaded());
  EXPECT_TRUE(BugReport().Visible());
  EXPECT_EQ(ErrNumberText, " 6");
  EXPECT_EQ(ErrContext, "Starter/Main");
  // Were the dialog loaded or shown again, the second failure would bring it back into view.
  BugReport().Hide();
  Fail("Animations\\Anim_Custom_Worm", rt::kSubscriptOutOfRange);
  EXPECT_TRUE(BugReportLoaded());
  EXPECT_FALSE(BugReport().Visible());
  EXPECT_EQ(ErrNumberText, " 9");
  EXPECT_EQ(ErrContext, "Animations\\Anim_Custom_Worm");
  Fail("System/GenerateDC", -7);
  EXPECT_EQ(ErrNumberText, "-7") << "a minus sign and no blank";
}

TEST_F(ReportErrorPath, AfterTheDialogIsGoneTheNextFailureOpensItAnew) {
  Fail("System/SetTFS", rt::kOverflow);
  BugReport().Unload();
  ASSERT_FALSE(BugReportLoaded());
  Fail("System/GetIniData", rt::kTypeMismatch);
  EXPECT_TRUE(BugReportLoaded());
  EXPECT_TRUE(BugReport().Visible());
  EXPECT_EQ(ErrContext, "System/GetIniData");
}

TEST_F(ReportErrorPath, TheFailingProcedureEndsAndItsCallerGoesOn) {
  int steps_after_error = 0;
  bool caller_went_on = false;
  rt::Trap("Starter/Main", [&] {
    rt::Trap("Starter/X_GetData", [&] {
      rt::Raise(rt::kOverflow);
      ++steps_after_error;
    });
    caller_went_on = true;
  });
  EXPECT_EQ(steps_after_error, 0);
  EXPECT_TRUE(caller_went_on);
  EXPECT_EQ(ErrContext, "Starter/X_GetData");
}

}  // namespace
