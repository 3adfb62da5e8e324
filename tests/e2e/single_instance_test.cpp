// The single-instance rule end to end: a second "/s" ends at once while a saver runs, unless a
// window titled "Display Properties" exists.
#include <gtest/gtest.h>

#include "harness.h"

namespace e2e {

TEST(SingleInstance, ASecondSaverStartsOnlyBesideDisplayProperties) {
  Session session(640, 480);
  Process& first = session.Start({"/s"});
  // The saver builds every picture surface before its window opens: give it time under load.
  ASSERT_NE(session.WaitWindow("^Solmere Finbrook ScreenSaver$", 20s), 0u);
  ASSERT_TRUE(first.Running());

  Process& second = session.Start({"/S"});
  EXPECT_EQ(second.WaitExit(5s), 0) << "a second saver ends at once";

  ASSERT_NE(session.StartHostWindow("Display Properties", 300, 200), 0u);
  Process& third = session.Start({"/s"});
  EXPECT_FALSE(third.WaitExit(1500ms).has_value()) << "beside Display Properties it runs";
  EXPECT_TRUE(first.Running());
}

}  // namespace e2e
