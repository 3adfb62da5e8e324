// The Display Properties preview end to end: the program's window inside a host window made by
// the test, its picture loop read back from screenshots, and its end when the host goes.
#include <gtest/gtest.h>

#include <QColor>
#include <vector>

#include "harness.h"

namespace e2e {

TEST(Preview, RunsItsLoopCentredInTheHostFromTheThirdCellAndEndsWithTheHost) {
  Session session(320, 240);
  EXPECT_EQ(session.Start({"/p", "123456789"}).WaitExit(5s), 0) << "no such host: it ends at once";
  const unsigned long host = session.StartHostWindow("Display Properties", 200, 150);
  ASSERT_NE(host, 0u);
  Process& preview = session.Start({"/p", std::to_string(host)});

  // The cells (152 x 112, centred: 200 / 2 - 76 = 24, 150 / 2 - 56 = 19) in the order they show.
  const QImage loop = MediaPicture("a_preview.bmp");
  std::vector<int> seen;
  QImage shot;
  for (int i = 0; i < 400 && seen.size() < 8; ++i) {
    shot = session.Screenshot();
    const auto [cell, match] = BestCell(shot, loop, 152, 112, 24, 19);
    if (match > 0.98 && (seen.empty() || seen.back() != cell)) seen.push_back(cell);
  }
  ASSERT_GE(seen.size(), 7u) << "the loop did not run";
  EXPECT_EQ(seen.front(), 2) << "the first cell shown is the third";
  int steps_of_one = 0;
  for (size_t i = 1; i < seen.size(); ++i) steps_of_one += seen[i] == (seen[i - 1] + 1) % 6;
  EXPECT_GE(steps_of_one, static_cast<int>(seen.size()) - 2) << "cells out of order";
  EXPECT_EQ(shot.pixelColor(3, 3), QColor(Qt::black)) << "black around it";
  EXPECT_EQ(shot.pixelColor(196, 146), QColor(Qt::black));

  session.Xdo({"windowkill", std::to_string(host)});
  EXPECT_EQ(preview.WaitExit(5s), 0) << "the preview outlived its host";
}

}  // namespace e2e
