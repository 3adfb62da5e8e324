#include "platform/unsupported.h"

#include <gtest/gtest.h>

#include "platform/forms_qt.h"

namespace {

// A refused call that escapes an event handler ends the process with status 70, naming the call
// and what was asked.
TEST(Unsupported, EndsTheProcessThroughTheRunTimeNamingTheCall) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(forms::Dispatch([] { win::Unsupported("BitBlt", "raster operation 0x00440328"); }),
              ::testing::ExitedWithCode(70),
              "^finbrook: BitBlt: raster operation 0x00440328 is not supported\n$");
}

}  // namespace
