// The full-screen saver end to end: the real program on a private X display, its scene read
// back from screenshots, and real mouse and key input through xdotool.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QColor>
#include <cmath>
#include <filesystem>
#include <string>
#include <thread>

#include "harness.h"
#include "scene_match.h"

namespace {

using namespace std::chrono_literals;

// Rounds half to even, as the program places its items.
int HalfEven(double v) {
  return static_cast<int>(std::nearbyint(v));
}

// Polls screenshots until the saver has drawn its first frame: the window is black until then,
// but for the message label near the bottom.
QImage FirstFrame(e2e::Session& session) {
  for (int i = 0; i < 100; ++i) {
    QImage shot = session.Screenshot();
    if (!e2e::AllBlack(shot.copy(0, 0, shot.width(), shot.height() / 2))) return shot;
    std::this_thread::sleep_for(50ms);
  }
  return {};
}

struct Screen {
  int width;
  int height;
};

class SaverScene : public ::testing::TestWithParam<Screen> {};

TEST_P(SaverScene, ShowsBackgroundCoralFixedItemsAndTheMessage) {
  const auto [sw, sh] = GetParam();
  e2e::Session session(sw, sh);
  session.WriteSettings(
      "firstrun=1\r\nbackground= 4\r\ncenterpiece= 5\r\noctopus= 1\r\nanchor= 1\r\neyes= 1\r\n"
      "speed=1500\r\nmessage= 1\r\nmessagetext=Hello\r\n");
  e2e::Process& saver = session.Start({"/s"});
  const unsigned long window = session.WaitWindow("^Solmere Finbrook ScreenSaver$");
  ASSERT_NE(window, 0u);

  // Before the first tick the window covers the whole screen and is black (the message label
  // aside). Xvfb's own root window is a grey weave, so black everywhere else means covered.
  {
    const std::string geometry =
        session.Xdo({"getwindowgeometry", "--shell", std::to_string(window)});
    EXPECT_NE(geometry.find("WIDTH=" + std::to_string(sw)), std::string::npos) << geometry;
    EXPECT_NE(geometry.find("HEIGHT=" + std::to_string(sh)), std::string::npos) << geometry;
    const QImage early = session.Screenshot();
    EXPECT_EQ(early.pixelColor(5, 5), QColor(Qt::black));
    EXPECT_EQ(early.pixelColor(sw - 5, sh / 3), QColor(Qt::black));
  }

  const QImage shot = FirstFrame(session);
  ASSERT_FALSE(shot.isNull()) << "no frame was drawn";

  // The background picture stretched over the screen (pixels repeated, no smoothing).
  const QImage background = e2e::MediaPicture("a_background4.bmp");
  int background_hits = 0, background_samples = 0;
  for (int y = 10; y < 150; y += 23) {
    for (int x = 10; x < 480; x += 37) {
      ++background_samples;
      const QRgb want = background.pixel(x * 640 / sw, y * 480 / sh);
      if ((shot.pixel(x, y) & 0xFFFFFF) == (want & 0xFFFFFF)) ++background_hits;
    }
  }
  EXPECT_GE(background_hits, background_samples * 9 / 10);

  // The octopus starts at (500, 200) and is drawn before it first moves.
  const QImage octopus = e2e::MediaPicture("a_octopus.bmp");
  EXPECT_GE(e2e::BestCellMatch(shot, octopus, 32, 136, 81, 500, 200), 0.97);

  // The centrepiece (the mermaid) and the front-row anchor and eyes, centre-anchored.
  const QImage mermaid = e2e::MediaPicture("a_mermaid.bmp");
  EXPECT_GE(e2e::BestCellMatch(shot, mermaid, 8, 138, 120, HalfEven(sw / 2.0 - 69), sh - 180),
            0.97);
  const QImage anchor = e2e::MediaPicture("a_anchor.bmp");
  const int anchor_x = HalfEven(sw / 2.0 - 325), anchor_y = sh - 170;
  EXPECT_GE(e2e::BestCellMatch(shot, anchor, anchor.width() / 76, 76, 83, anchor_x, anchor_y),
            0.97);
  const QImage eyes = e2e::MediaPicture("a_eyes.bmp");
  EXPECT_GE(
      e2e::BestCellMatch(shot, eyes, eyes.width() / 30, 30, 12, HalfEven(sw / 2.0 + 245), sh - 50),
      0.9);

  // The coral strip along the bottom, its picture centred and repeated edge to edge out to both
  // ends of the screen, however wide.
  const QImage coral = e2e::MediaPicture("a_foreground0.bmp");
  const int x0 = HalfEven(sw / 2.0 - 392);
  // Nine in ten samples of the picture's coral (its black is transparent) over some columns and
  // the strip's top rows (the front row stands in its lower part, nearer the middle).
  const auto coral_shows = [&](int from, int to, int step, int rows) {
    int hits = 0, samples = 0;
    for (int x = from; x < to; x += step) {
      if (x >= anchor_x - 2 && x < anchor_x + 80) continue;  // the anchor stands in front
      const int column = ((x - x0) % 784 + 784) % 784;
      for (int r = 0; r < rows; r += 7) {
        const QRgb want = coral.pixel(column, r) & 0xFFFFFF;
        if (want == 0) continue;
        ++samples;
        if ((shot.pixel(x, sh - 247 + r) & 0xFFFFFF) == want) ++hits;
      }
    }
    return samples > 20 && hits >= samples * 9 / 10;
  };
  EXPECT_TRUE(coral_shows(3, sw, 29, 150));
  EXPECT_TRUE(coral_shows(0, 40, 2, 247)) << "the left end";
  EXPECT_TRUE(coral_shows(sw - 40, sw, 2, 247)) << "the right end";

  // The message: its text colour, centred, the label's bottom 40 pixels above the screen's.
  int min_x = sw, max_x = -1, max_y = -1, min_y = sh;
  for (int y = sh - 120; y < sh; ++y) {
    for (int x = 0; x < sw; ++x) {
      if ((shot.pixel(x, y) & 0xFFFFFF) == 0x8080FF) {
        min_x = std::min(min_x, x);
        max_x = std::max(max_x, x);
        min_y = std::min(min_y, y);
        max_y = std::max(max_y, y);
      }
    }
  }
  ASSERT_GE(max_x, 0) << "no message text";
  EXPECT_NEAR((min_x + max_x) / 2.0, sw / 2.0, 8);
  EXPECT_LT(max_y, sh - 40);
  EXPECT_GT(min_y, sh - 40 - 40);

  EXPECT_TRUE(saver.Running());
}

INSTANTIATE_TEST_SUITE_P(Screens, SaverScene,
                         ::testing::Values(Screen{800, 600}, Screen{1024, 768}, Screen{2560, 720}),
                         [](const auto& info) {
                           return std::to_string(info.param.width) + "x" +
                                  std::to_string(info.param.height);
                         });

// Between two ticks the window keeps its last frame: covered by another window and uncovered
// again, it shows the same picture, message and all.
TEST(SaverWindow, ShowsItsLastFrameAgainWhenUncovered) {
  e2e::Session session(800, 600);
  session.WriteSettings(
      "firstrun=1\r\nbackground= 4\r\nspeed=5000\r\nmessage= 1\r\nmessagetext=Hello\r\n");
  session.Start({"/s"});
  ASSERT_NE(session.WaitWindow("^Solmere Finbrook ScreenSaver$"), 0u);
  const QImage frame = FirstFrame(session);
  ASSERT_FALSE(frame.isNull()) << "no frame was drawn";
  const unsigned long cover = session.StartHostWindow("Cover", 800, 600);
  ASSERT_NE(cover, 0u);
  ASSERT_NE(session.Screenshot().pixel(400, 300), frame.pixel(400, 300)) << "nothing covered it";
  session.Xdo({"windowunmap", "--sync", std::to_string(cover)});
  // The repaint may take a moment on a busy machine; the next tick is seconds away.
  QImage shown = session.Screenshot();
  for (int i = 0; i < 20 && shown != frame; ++i) {
    std::this_thread::sleep_for(100ms);
    shown = session.Screenshot();
  }
  EXPECT_EQ(shown, frame);
}

class SaverExit : public ::testing::Test {
 protected:
  e2e::Process& StartSaver(const std::string& settings,
                           const std::map<std::string, std::string>& env = {}) {
    session_.WriteSettings(settings);
    e2e::Process& saver = session_.Start({"/s"}, env);
    window_ = session_.WaitWindow("^Solmere Finbrook ScreenSaver$");
    EXPECT_NE(window_, 0u);
    EXPECT_FALSE(FirstFrame(session_).isNull());
    return saver;
  }
  void MoveMouse(int i) {
    session_.Xdo({"mousemove", std::to_string(100 + 37 * i), std::to_string(100 + 23 * i)});
    std::this_thread::sleep_for(150ms);
  }
  e2e::Session session_{800, 600};
  unsigned long window_ = 0;
};

TEST_F(SaverExit, FourMouseMovesKeepItRunningAndTheFifthEndsIt) {
  e2e::Process& saver = StartSaver("firstrun=1\r\nbackground= 4\r\nspeed=70\r\nMouseMove= 1\r\n");
  for (int i = 0; i < 4; ++i) MoveMouse(i);
  EXPECT_FALSE(saver.WaitExit(500ms).has_value()) << "four moves ended the saver";
  MoveMouse(4);
  EXPECT_EQ(saver.WaitExit(5s), 0);
}

TEST_F(SaverExit, MouseMovesNeverEndItWithTheOptionOff) {
  e2e::Process& saver = StartSaver("firstrun=1\r\nbackground= 4\r\nspeed=70\r\n");
  for (int i = 0; i < 7; ++i) MoveMouse(i);
  EXPECT_FALSE(saver.WaitExit(500ms).has_value());
  session_.Xdo({"click", "1"});
  EXPECT_EQ(saver.WaitExit(5s), 0) << "a click ends it";
}

TEST_F(SaverExit, AClickOnTheMessageEndsIt) {
  e2e::Process& saver = StartSaver(
      "firstrun=1\r\nbackground= 4\r\nspeed=70\r\nmessage= 1\r\nmessagetext=Hello reef\r\n");
  // The label's bottom edge stands 40 pixels above the screen's, centred.
  session_.Xdo({"mousemove", "400", std::to_string(600 - 40 - 6), "click", "1"});
  EXPECT_EQ(saver.WaitExit(5s), 0);
}

TEST_F(SaverExit, AKeyOutsideTheSequenceEndsIt) {
  e2e::Process& saver = StartSaver("firstrun=1\r\nbackground= 4\r\nspeed=70\r\n");
  session_.Xdo({"key", "--window", std::to_string(window_), "x"});
  EXPECT_EQ(saver.WaitExit(5s), 0);
}

// Named pipes that no one writes in place of the background, the first song and the bubbles
// sound: the saver must not wait on them but come up without them and run.
TEST_F(SaverExit, PipesInTheMediaFolderAreSkippedAndTheSaverRuns) {
  namespace fs = std::filesystem;
  const fs::path media = session_.windir() / "Quorvane" / "Solmere Finbrook";
  fs::remove(media);  // a link to the build's media, which stays untouched
  fs::create_directory(media);
  for (const auto& entry : fs::directory_iterator(FINBROOK_MEDIA_DIR)) {
    fs::create_symlink(entry.path(), media / entry.path().filename());
  }
  for (const char* name : {"a_background4.bmp", "a_song0.Mid", "a_sound0.wav"}) {
    fs::remove(media / name);
    ASSERT_EQ(::mkfifo((media / name).c_str(), 0600), 0) << name;
  }
  e2e::Process& saver = StartSaver(
      "firstrun=1\r\nbackground= 4\r\noctopus= 1\r\nspeed=70\r\nsong0= 1\r\nsound0= 1\r\n");
  const QImage shot = session_.Screenshot();
  EXPECT_EQ(shot.pixelColor(5, 5), QColor(Qt::black)) << "no background picture to show";
  EXPECT_FALSE(e2e::AllBlack(shot.copy(0, shot.height() - 150, shot.width(), 150)))
      << "the coral strip is missing";
  EXPECT_FALSE(saver.WaitExit(1s).has_value());
  session_.Xdo({"mousemove", "400", "300", "click", "1"});
  EXPECT_EQ(saver.WaitExit(5s), 0);
}

// Red pixels in the two bubble columns (the left and right sixths of the screen), above the
// coral strip.
int RedInColumns(const QImage& shot) {
  int red = 0;
  for (int y = 0; y < shot.height() - 247; y += 2) {
    for (int x = 0; x < shot.width(); ++x) {
      if (x > shot.width() / 6 && x < shot.width() * 5 / 6) continue;
      const QColor c = shot.pixelColor(x, y);
      if (c.red() > 150 && c.green() < 110 && c.blue() < 160) ++red;
    }
  }
  return red;
}

TEST_F(SaverExit, TheSevenLetterSequenceTurnsTheBubblesIntoHeartsAndKeepsItRunning) {
  e2e::Process& saver = StartSaver("firstrun=1\r\nbackground= 0\r\nbubble= 1\r\nspeed=70\r\n");
  EXPECT_EQ(RedInColumns(session_.Screenshot()), 0) << "bubbles are not red";
  for (const char* key : {"m", "e", "r", "m", "a", "i", "d"}) {
    session_.Xdo({"key", "--window", std::to_string(window_), key});
    std::this_thread::sleep_for(60ms);
  }
  std::this_thread::sleep_for(400ms);
  EXPECT_FALSE(saver.WaitExit(200ms).has_value()) << "the sequence must not end the saver";
  EXPECT_GT(RedInColumns(session_.Screenshot()), 200) << "no hearts to be seen";
  session_.Xdo({"key", "--window", std::to_string(window_), "m"});
  EXPECT_EQ(saver.WaitExit(5s), 0) << "any key after the full sequence ends it";
}

TEST_F(SaverExit, OnWindows95ThePasswordGuardsEveryWayOut) {
  // Set the password the way a user does: the change dialog of "/a".
  const unsigned long owner = session_.StartHostWindow("Display Properties", 300, 200);
  ASSERT_NE(owner, 0u);
  e2e::Process& change = session_.Start({"/a", std::to_string(owner)});
  const unsigned long dialog = session_.WaitWindow("^Change Password$");
  ASSERT_NE(dialog, 0u);
  ASSERT_TRUE(session_.WaitFocus(dialog));
  session_.Xdo({"type", "--delay", "20", "kelp"});
  session_.Xdo({"key", "Tab"});
  session_.Xdo({"type", "--delay", "20", "kelp"});
  session_.Xdo({"key", "Return"});
  ASSERT_EQ(change.WaitExit(10s), 0);

  e2e::Process& saver =
      StartSaver("firstrun=1\r\nbackground= 4\r\nspeed=70\r\n", {{"FINBROOK_WINVER", "95"}});

  session_.Xdo({"mousemove", "400", "300", "click", "1"});
  ASSERT_NE(session_.WaitFocusElsewhere({window_, owner}, 5s), 0u) << "no password prompt";
  session_.Xdo({"type", "--delay", "20", "coral"});
  session_.Xdo({"key", "Return"});
  EXPECT_FALSE(saver.WaitExit(1s).has_value()) << "a wrong password ended the saver";

  session_.Xdo({"key", "--window", std::to_string(window_), "x"});
  ASSERT_NE(session_.WaitFocusElsewhere({window_, owner}, 5s), 0u) << "a key must ask again";
  session_.Xdo({"type", "--delay", "20", "kelp"});
  session_.Xdo({"key", "Return"});
  EXPECT_EQ(saver.WaitExit(5s), 0);
}

}  // namespace
