// The Display Properties preview end to end: the program's window inside a host window made by
// the test, its picture loop read back from screenshots, and its end when the host goes.
#include <gtest/gtest.h>

#include <QColor>
#include <algorithm>

#include "harness.h"

namespace e2e {

TEST(Preview, RunsItsLoopCentredInTheHostFromTheThirdCellAndEndsWithTheHost) {
  Session session(320, 240);
  EXPECT_EQ(session.Start({"/p", "123456789"}).WaitExit(5s), 0) << "no such host: it ends at once";
  const unsigned long host = session.StartHostWindow("Display Properties", 200, 150);
  Process& preview = session.Start({"/p", std::to_string(host)});

  // The cells (152 x 112, centred: 200 / 2 - 76 = 24, 150 / 2 - 56 = 19), one every 190 ms: the
  // third first, then each step from a cell to the next is seen. A busy machine may hide a cell
  // from the screenshots, but the loop comes round again.
  const QImage loop = MediaPicture("a_preview.bmp");
  int first = -1, last = -1;
  bool stepped_from[6] = {};
  QImage shot;
  session.Await("every step of the loop from a cell to the next", 20s, [&] {
    shot = session.Screenshot();
    const auto [cell, match] = BestCell(shot, loop, 152, 112, 24, 19);
    if (match < 0.98 || cell == last) return false;
    if (first < 0) first = cell;
    if (last >= 0 && cell == (last + 1) % 6) stepped_from[last] = true;
    last = cell;
    return std::ranges::count(stepped_from, true) == 6;
  });
  EXPECT_EQ(first, 2) << "the first cell shown is the third";
  EXPECT_EQ(shot.pixelColor(3, 3), QColor(Qt::black)) << "black around it";
  EXPECT_EQ(shot.pixelColor(196, 146), QColor(Qt::black));

  session.Xdo({"windowkill", std::to_string(host)});
  EXPECT_EQ(preview.WaitExit(5s), 0) << "the preview outlived its host";
}

}  // namespace e2e
