#include "host/bugreport.h"
#include "host_test_support.h"

namespace {

void Fail(const char* context, int number) {
  rt::Trap(context, [number] { rt::Raise(number); });
}

// Each failure keeps its number, with a blank before a positive one, and its context; the
// dialog opens once while it is loaded, and anew once it is gone.
TEST(ReportErrorPath, TheDialogOpensOnceWhileLoadedAndKeepsTheLastError) {
  RunMode = 0;
  rt::SetErrorReporter(&ReportError);
  Fail("Starter/Main", rt::kOverflow);
  ASSERT_TRUE(BugReportLoaded());
  EXPECT_TRUE(BugReport().Visible());
  EXPECT_EQ(ErrNumberText + "|" + ErrContext, " 6|Starter/Main");
  // Were the dialog loaded or shown again, the second failure would bring it back into view.
  BugReport().Hide();
  Fail("Animations\\Anim_Custom_Worm", -7);
  EXPECT_FALSE(BugReport().Visible());
  EXPECT_EQ(ErrNumberText + "|" + ErrContext, "-7|Animations\\Anim_Custom_Worm");
  BugReport().Unload();
  Fail("System/GetIniData", rt::kTypeMismatch);
  EXPECT_TRUE(BugReportLoaded() && BugReport().Visible()) << "gone, it opens anew";
  BugReport().Unload();
  rt::SetErrorReporter(nullptr);
}

}  // namespace
