// The Display Properties preview end to end: the program's window inside a host window made by
// the test, its picture loop read back from screenshots, and its end when the host goes.
#include <gtest/gtest.h>

#include <QColor>
#include <thread>
#include <vector>

#include "harness.h"
#include "scene_match.h"

namespace {

using namespace std::chrono_literals;

struct Geometry {
  int x = -1, y = -1, width = 0, height = 0;
};

Geometry WindowGeometry(e2e::Session& session, unsigned long window) {
  const std::string shell = session.Xdo({"getwindowgeometry", "--shell", std::to_string(window)});
  auto value = [&](const std::string& key) {
    const auto at = shell.find(key + "=");
    return at == std::string::npos ? -1 : std::stoi(shell.substr(at + key.size() + 1));
  };
  return {value("X"), value("Y"), value("WIDTH"), value("HEIGHT")};
}

// The preview cell shown at (x, y) of the screenshot, or -1 when none is (the window still
// black, or no window).
int ShownCell(const QImage& shot, const QImage& loop, int x, int y) {
  const int cell = e2e::BestCell(shot, loop, 6, 152, 112, x, y);
  return e2e::CellMatch(shot, loop, cell * 152, 152, 112, x, y) > 0.98 ? cell : -1;
}

class Preview : public ::testing::Test {
 protected:
  e2e::Session session_{320, 240};
  QImage loop_ = e2e::MediaPicture("a_preview.bmp");
};

TEST_F(Preview, FillsAHostOfItsOwnSizeAndCyclesItsCellsFromTheThird) {
  const unsigned long host = session_.StartHostWindow("Display Properties", 152, 112);
  ASSERT_NE(host, 0u);
  const Geometry area = WindowGeometry(session_, host);
  e2e::Process& preview = session_.Start({"/p", std::to_string(host)});

  // Record the cells in the order they appear.
  std::vector<int> seen;
  for (int i = 0; i < 400 && seen.size() < 8; ++i) {
    const int cell = ShownCell(session_.Screenshot(), loop_, area.x, area.y);
    if (cell >= 0 && (seen.empty() || seen.back() != cell)) seen.push_back(cell);
  }
  ASSERT_GE(seen.size(), 7u) << "the loop did not run";
  EXPECT_EQ(seen.front(), 2) << "the first cell shown is the third";
  int steps_of_one = 0;
  for (size_t i = 1; i < seen.size(); ++i) steps_of_one += (seen[i] == (seen[i - 1] + 1) % 6);
  EXPECT_GE(steps_of_one, static_cast<int>(seen.size()) - 2) << "cells out of order";
  EXPECT_TRUE(preview.Running());
}

TEST_F(Preview, CentresThePictureOnBlackInALargerHostAndEndsWhenTheHostGoes) {
  const unsigned long host = session_.StartHostWindow("Display Properties", 200, 150);
  ASSERT_NE(host, 0u);
  const Geometry area = WindowGeometry(session_, host);
  e2e::Process& preview = session_.Start({"/p", std::to_string(host)});

  // 200 / 2 - 76 = 24 and 150 / 2 - 56 = 19.
  QImage shot;
  for (int i = 0; i < 200; ++i) {
    shot = session_.Screenshot();
    if (ShownCell(shot, loop_, area.x + 24, area.y + 19) >= 0) break;
  }
  ASSERT_GE(ShownCell(shot, loop_, area.x + 24, area.y + 19), 0) << "no centred picture";
  EXPECT_EQ(shot.pixelColor(area.x + 3, area.y + 3), QColor(Qt::black));
  EXPECT_EQ(shot.pixelColor(area.x + 196, area.y + 146), QColor(Qt::black));

  session_.Xdo({"windowkill", std::to_string(host)});
  EXPECT_EQ(preview.WaitExit(5s), 0) << "the preview outlived its host";
}

TEST_F(Preview, EndsAtOnceWithoutAHostWindow) {
  e2e::Process& no_handle = session_.Start({"/p"});
  EXPECT_EQ(no_handle.WaitExit(5s), 0);
  e2e::Process& zero = session_.Start({"/p", "0"});
  EXPECT_EQ(zero.WaitExit(5s), 0);
  e2e::Process& missing = session_.Start({"/p", "123456789"});
  EXPECT_EQ(missing.WaitExit(5s), 0);
}

}  // namespace
