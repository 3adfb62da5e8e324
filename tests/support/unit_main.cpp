// The entry of every unit-test program: unit tests need no display and no sound device, so the
// windows are drawn off screen and the sound goes to SDL's dummy driver, whoever starts them.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
