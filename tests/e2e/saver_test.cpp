// The full-screen saver end to end: its scene read back from screenshots, each way a user ends it
// through real mouse and key input, the special files it skips and its single instance.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QColor>
#include <QRect>
#include <filesystem>
#include <iterator>
#include <ostream>
#include <sstream>
#include <string>

#include "harness.h"

namespace e2e {
namespace {

struct Screen {
  int width, height;
  friend void PrintTo(const Screen& s, std::ostream* out) { *out << s.width << "x" << s.height; }
};

class SaverScene : public ::testing::TestWithParam<Screen> {};

TEST_P(SaverScene, ShowsBackgroundItemsCoralAndMessageWhereTheScreenSizePutsThem) {
  const auto [sw, sh] = GetParam();
  Session session(sw, sh);
  Process& saver = session.StartSaver(
      "firstrun=1\r\nbackground= 4\r\ncenterpiece= 5\r\noctopus= 1\r\nanchor= 1\r\neyes= 1\r\n"
      "speed=3000\r\nmessage= 1\r\nmessagetext=Hello\r\n");
  const QImage shot = session.Screenshot();

  // The background picture stretched over the screen, pixels repeated without smoothing.
  const QImage background = MediaPicture("a_background4.bmp");
  int background_hits = 0, background_samples = 0;
  for (int y = 10; y < 150; y += 23) {
    for (int x = 10; x < 480; x += 37, ++background_samples)
      background_hits += shot.pixel(x, y) == background.pixel(x * 640 / sw, y * 480 / sh);
  }
  EXPECT_GE(background_hits, background_samples * 9 / 10);

  // The octopus starts at (500, 200) and is drawn before it first moves; the centrepiece (the
  // mermaid) and the front row's anchor and eyes stand centre-anchored.
  const struct {
    const char* file;
    int width, height, x, y;
  } items[] = {{"a_octopus.bmp", 136, 81, 500, 200},
               {"a_mermaid.bmp", 138, 120, sw / 2 - 69, sh - 180},
               {"a_anchor.bmp", 76, 83, sw / 2 - 325, sh - 170},
               {"a_eyes.bmp", 30, 12, sw / 2 + 245, sh - 50}};
  for (const auto& [file, width, height, x, y] : items) {
    EXPECT_GE(BestCell(shot, MediaPicture(file), width, height, x, y).second, 0.9) << file;
  }

  // The coral strip along the bottom, its picture centred and repeated out to both ends of the
  // screen, however wide; the front row hides a little of it.
  const QImage coral = MediaPicture("a_foreground0.bmp");
  const int centred = sw / 2 - 392;
  for (int x = centred - (centred + 783) / 784 * 784; x < sw; x += 784)
    EXPECT_GE(CellMatch(shot, coral, 0, 784, 247, x, sh - 247), 0.8) << "the strip at x " << x;

  // The message in its colour, centred, the label's bottom 40 pixels above the screen's.
  QRect text;
  for (int y = sh - 120; y < sh; ++y) {
    for (int x = 0; x < sw; ++x)
      if (shot.pixel(x, y) == 0xFF8080FF) text |= QRect(x, y, 1, 1);
  }
  ASSERT_FALSE(text.isNull()) << "no message text";
  EXPECT_NEAR(text.center().x(), sw / 2.0, 8);
  EXPECT_LT(text.bottom(), sh - 40);
  EXPECT_GT(text.top(), sh - 80);
  EXPECT_TRUE(saver.Running());
}

INSTANTIATE_TEST_SUITE_P(Screens, SaverScene,
                         ::testing::Values(Screen{800, 600}, Screen{1024, 768}, Screen{2560, 720},
                                           Screen{21846, 600}),
                         ::testing::PrintToStringParamName());

// Red pixels in the two bubble columns (the left and right sixths of the screen), above the
// coral strip.
int RedInColumns(const QImage& shot) {
  int red = 0;
  for (int y = 0; y < shot.height() - 247; y += 2) {
    for (int x = 0; x < shot.width(); ++x) {
      if (x > shot.width() / 6 && x < shot.width() * 5 / 6) continue;
      const QColor c = shot.pixelColor(x, y);
      red += c.red() > 150 && c.green() < 110 && c.blue() < 160;
    }
  }
  return red;
}

// Input the saver must survive, then the input that ends it, as xdotool's words; only the
// seven-letter sequence turns its bubbles into hearts.
struct ExitCase {
  const char* name;
  const char* settings;
  std::string harmless, ending;
  bool hearts;
  friend void PrintTo(const ExitCase& c, std::ostream* out) { *out << c.name; }
};

std::string MouseMoves(int count, int x = 100, int y = 100, int dx = 37, int dy = 23) {
  std::string moves;
  for (int i = 0; i < count; ++i)
    moves += " mousemove " + std::to_string(x + dx * i) + " " + std::to_string(y + dy * i) +
             " sleep 0.15";
  return moves;
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  return {std::istream_iterator<std::string>(in), {}};
}

class SaverExit : public ::testing::TestWithParam<ExitCase> {};

TEST_P(SaverExit, SurvivesTheHarmlessInputAndEndsOnItsInput) {
  const ExitCase& c = GetParam();
  Session session(800, 600);
  Process& saver = session.StartSaver(
      std::string("firstrun=1\r\nspeed=70\r\nbackground= 0\r\nbubble= 1\r\n") + c.settings);
  EXPECT_EQ(RedInColumns(session.Screenshot()), 0) << "bubbles are not red";
  session.Xdo(Words(c.harmless));
  EXPECT_FALSE(saver.WaitExit(600ms).has_value()) << "ended too early";
  session.Await(c.hearts ? "hearts in the bubble columns" : "bubbles, not hearts", 5s,
                [&] { return (RedInColumns(session.Screenshot()) > 200) == c.hearts; });
  session.Xdo(Words(c.ending));
  EXPECT_EQ(saver.WaitExit(5s), 0);
}

// Without its option no mouse move ends the saver. The message label's bottom stands 40 pixels
// above the screen's, centred: moves that stay on it count as any others.
INSTANTIATE_TEST_SUITE_P(
    Inputs, SaverExit,
    ::testing::Values(
        ExitCase{"FifthMouseMove", "MouseMove= 1\r\n", MouseMoves(4), MouseMoves(1), false},
        ExitCase{"FifthMouseMoveOverTheMessage",
                 "MouseMove= 1\r\nmessage= 1\r\nmessagetext=Hello reef\r\n",
                 MouseMoves(4, 370, 548, 15, 1), MouseMoves(1, 370, 548), false},
        ExitCase{"ClickOnTheMessage", "message= 1\r\nmessagetext=Hello reef\r\n", MouseMoves(7),
                 "mousemove 400 554 click 1", false},
        ExitCase{"KeyOutsideTheSequence", "", "sleep 0", "key x", false},
        ExitCase{"AnyKeyAfterTheHeartsSequence", "", "type --delay 60 mermaid", "key m", true}),
    ::testing::PrintToStringParamName());

// Named pipes that no one writes in place of the background, the first song and the bubbles
// sound: the saver must not wait on them but come up without them and run.
TEST(Saver, SkipsPipesInTheMediaFolderAndRuns) {
  namespace fs = std::filesystem;
  Session session(800, 600);
  const fs::path media = session.windir() / "Quorvane" / "Solmere Finbrook";
  fs::remove(media);  // a link to the build's media, which stays untouched
  fs::create_directory(media);
  for (const auto& entry : fs::directory_iterator(FINBROOK_MEDIA_DIR))
    fs::create_symlink(entry.path(), media / entry.path().filename());
  for (const char* name : {"a_background4.bmp", "a_song0.Mid", "a_sound0.wav"}) {
    fs::remove(media / name);
    ASSERT_EQ(::mkfifo((media / name).c_str(), 0600), 0) << name;
  }
  Process& saver = session.StartSaver(
      "firstrun=1\r\nspeed=70\r\nbackground= 4\r\noctopus= 1\r\nsong0= 1\r\nsound0= 1\r\n");
  const QImage shot = session.Screenshot();
  EXPECT_EQ(shot.pixel(5, 5), 0xFF000000) << "no background picture to show";
  EXPECT_GE(CellMatch(shot, MediaPicture("a_foreground0.bmp"), 0, 784, 247, 8, 353), 0.8)
      << "the coral strip";
  EXPECT_FALSE(saver.WaitExit(1s).has_value());
  session.Xdo({"mousemove", "400", "300", "click", "1"});
  EXPECT_EQ(saver.WaitExit(5s), 0);
}

// Between two ticks the window keeps its last frame: covered by another window and uncovered
// again, it shows the same picture, message and all (the repaint may take a moment on a busy
// machine; the next tick is seconds away). A second "/s" ends at once while a saver runs, unless
// a window titled "Display Properties" exists.
TEST(Saver, ShowsItsLastFrameAgainWhenUncoveredAndASecondOneRunsOnlyBesideDisplayProperties) {
  Session session(800, 600);
  Process& first = session.StartSaver(
      "firstrun=1\r\nbackground= 4\r\nspeed=5000\r\nmessage= 1\r\nmessagetext=Hello\r\n");
  const QImage frame = session.Screenshot();
  const unsigned long cover = session.StartHostWindow("Cover", 800, 600);
  session.Await("the cover drawn over the saver", 5s,
                [&] { return session.Screenshot().pixel(400, 300) != frame.pixel(400, 300); });
  session.Xdo({"windowunmap", "--sync", std::to_string(cover)});
  session.Await("the saver's last frame shown again", 2s,
                [&] { return session.Screenshot() == frame; });

  EXPECT_EQ(session.Start({"/S"}).WaitExit(5s), 0) << "a second saver ends at once";
  session.StartHostWindow("Display Properties", 300, 200);
  EXPECT_FALSE(session.Start({"/s"}).WaitExit(1500ms).has_value())
      << "beside Display Properties it runs";
  EXPECT_TRUE(first.Running());
}

}  // namespace
}  // namespace e2e
