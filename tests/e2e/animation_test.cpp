// The scene lives: successive screenshots of the running saver find a creature further along
// its path, showing another cell of its swim, and the default scene changing frame to frame.
#include <gtest/gtest.h>

#include <thread>

#include "harness.h"
#include "scene_match.h"

namespace {

using namespace std::chrono_literals;

struct Found {
  int step = -1;  // ticks since the start: the octopus is at (500 - 6 step, 200 + step)
  int cell = -1;
};

// The octopus swims 6 pixels left and 1 down per tick from (500, 200); finds where it is now.
Found FindOctopus(const QImage& shot, const QImage& sheet) {
  Found best;
  double best_match = 0.97;
  for (int step = 0; step < 80; ++step) {
    const int x = 500 - 6 * step, y = 200 + step;
    const int cell = e2e::BestCell(shot, sheet, 32, 136, 81, x, y);
    const double match = e2e::CellMatch(shot, sheet, cell * 136, 136, 81, x, y);
    if (match > best_match) {
      best_match = match;
      best = {step, cell};
    }
  }
  return best;
}

TEST(Animation, TheOctopusSwimsAlongItsPathFrameByFrame) {
  e2e::Session session(1024, 768);
  session.WriteSettings("firstrun=1\r\nbackground= 2\r\noctopus= 1\r\nspeed=250\r\n");
  e2e::Process& saver = session.Start({"/s"});
  ASSERT_NE(session.WaitWindow("^Solmere Finbrook ScreenSaver$"), 0u);
  const QImage sheet = e2e::MediaPicture("a_octopus.bmp");

  std::vector<Found> seen;
  for (int i = 0; i < 60 && seen.size() < 4; ++i) {
    const Found f = FindOctopus(session.Screenshot(), sheet);
    if (f.step >= 0 && (seen.empty() || f.step != seen.back().step)) seen.push_back(f);
    std::this_thread::sleep_for(100ms);
  }
  ASSERT_GE(seen.size(), 4u) << "the octopus was not found moving";
  for (size_t i = 1; i < seen.size(); ++i) {
    EXPECT_GT(seen[i].step, seen[i - 1].step) << "it swims on, never back";
    EXPECT_NE(seen[i].cell, seen[i - 1].cell) << "each tick shows the next cell";
  }
  EXPECT_TRUE(saver.Running());
}

TEST(Animation, TheDefaultSceneChangesFromFrameToFrame) {
  e2e::Session session(800, 600);
  e2e::Process& saver = session.Start({"/s"});  // no settings file: the defaults
  ASSERT_NE(session.WaitWindow("^Solmere Finbrook ScreenSaver$"), 0u);
  std::this_thread::sleep_for(1s);
  const QImage first = session.Screenshot();
  std::this_thread::sleep_for(500ms);
  const QImage second = session.Screenshot();
  // Compare in 40x40 blocks: the swimmers, schools and bubbles change many of them.
  int changed = 0, blocks = 0;
  for (int by = 0; by + 40 <= 600; by += 40) {
    for (int bx = 0; bx + 40 <= 800; bx += 40) {
      ++blocks;
      bool differs = false;
      for (int y = by; y < by + 40 && !differs; y += 2)
        for (int x = bx; x < bx + 40 && !differs; x += 2)
          differs = first.pixel(x, y) != second.pixel(x, y);
      changed += differs;
    }
  }
  EXPECT_GT(changed, blocks / 20) << "too little moves";
  EXPECT_LT(changed, blocks) << "the background should stay put";
  EXPECT_TRUE(saver.Running());
}

}  // namespace
