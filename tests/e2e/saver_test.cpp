// The full-screen saver end to end: its scene read back from screenshots, and each way a user
// ends it through real mouse and key input.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QColor>
#include <QRect>
#include <QSize>
#include <filesystem>
#include <iterator>
#include <ostream>
#include <sstream>
#include <string>
#include <thread>

#include "harness.h"

namespace e2e {
namespace {

constexpr QRgb kBlack = 0xFF000000;

bool AllBlack(const QImage& shot) {
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x)
      if (shot.pixel(x, y) != kBlack) return false;
  return true;
}

// The window stays black until the first tick draws, but for the message label near the bottom.
QImage FirstFrame(Session& session) {
  for (int i = 0; i < 100; ++i) {
    QImage shot = session.Screenshot();
    if (!AllBlack(shot.copy(0, 0, shot.width(), shot.height() / 2))) return shot;
    std::this_thread::sleep_for(50ms);
  }
  return {};
}

class SaverScene : public ::testing::TestWithParam<QSize> {};

TEST_P(SaverScene, ShowsBackgroundItemsCoralAndMessageWhereTheScreenSizePutsThem) {
  const int sw = GetParam().width(), sh = GetParam().height();
  Session session(sw, sh);
  session.WriteSettings(
      "firstrun=1\r\nbackground= 4\r\ncenterpiece= 5\r\noctopus= 1\r\nanchor= 1\r\neyes= 1\r\n"
      "speed=1500\r\nmessage= 1\r\nmessagetext=Hello\r\n");
  Process& saver = session.Start({"/s"});
  ASSERT_NE(session.WaitWindow("^Solmere Finbrook ScreenSaver$"), 0u);
  const QImage shot = FirstFrame(session);
  ASSERT_FALSE(shot.isNull()) << "no frame was drawn";

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
                         ::testing::Values(QSize(800, 600), QSize(1024, 768), QSize(2560, 720)),
                         [](const auto& info) {
                           return std::to_string(info.param.width()) + "x" +
                                  std::to_string(info.param.height());
                         });

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

class Saver : public ::testing::Test {
 protected:
  Process& StartSaver(const std::string& settings) {
    session_.WriteSettings("firstrun=1\r\nspeed=70\r\n" + settings);
    Process& saver = session_.Start({"/s"});
    EXPECT_NE(session_.WaitWindow("^Solmere Finbrook ScreenSaver$"), 0u);
    EXPECT_FALSE(FirstFrame(session_).isNull());
    return saver;
  }
  Session session_{800, 600};
};

// Input the saver must survive, then the input that ends it, as xdotool's words; only the
// seven-letter sequence turns its bubbles into hearts.
struct ExitCase {
  const char* name;
  const char* settings;
  std::string harmless, ending;
  bool hearts;
  friend void PrintTo(const ExitCase& c, std::ostream* out) { *out << c.name; }
};

std::string MouseMoves(int count) {
  std::string moves;
  for (int i = 0; i < count; ++i)
    moves += " mousemove " + std::to_string(100 + 37 * i) + " " + std::to_string(100 + 23 * i) +
             " sleep 0.15";
  return moves;
}

class SaverExit : public Saver, public ::testing::WithParamInterface<ExitCase> {
 protected:
  void Xdo(const std::string& words) {
    std::istringstream in(words);
    session_.Xdo({std::istream_iterator<std::string>(in), {}});
  }
};

TEST_P(SaverExit, SurvivesTheHarmlessInputAndEndsOnItsInput) {
  const ExitCase& c = GetParam();
  Process& saver = StartSaver(std::string("background= 0\r\nbubble= 1\r\n") + c.settings);
  EXPECT_EQ(RedInColumns(session_.Screenshot()), 0) << "bubbles are not red";
  Xdo(c.harmless);
  std::this_thread::sleep_for(400ms);
  EXPECT_FALSE(saver.WaitExit(200ms).has_value()) << "ended too early";
  EXPECT_EQ(RedInColumns(session_.Screenshot()) > 200, c.hearts) << "hearts to be seen";
  Xdo(c.ending);
  EXPECT_EQ(saver.WaitExit(5s), 0);
}

// Without its option no mouse move ends the saver. The message label's bottom stands 40 pixels
// above the screen's, centred.
INSTANTIATE_TEST_SUITE_P(
    Inputs, SaverExit,
    ::testing::Values(
        ExitCase{"FifthMouseMove", "MouseMove= 1\r\n", MouseMoves(4), MouseMoves(1), false},
        ExitCase{"ClickOnTheMessage", "message= 1\r\nmessagetext=Hello reef\r\n", MouseMoves(7),
                 "mousemove 400 554 click 1", false},
        ExitCase{"KeyOutsideTheSequence", "", "sleep 0", "key x", false},
        ExitCase{"AnyKeyAfterTheHeartsSequence", "", "type --delay 60 mermaid", "key m", true}),
    ::testing::PrintToStringParamName());

// Named pipes that no one writes in place of the background, the first song and the bubbles
// sound: the saver must not wait on them but come up without them and run.
TEST_F(Saver, SkipsPipesInTheMediaFolderAndRuns) {
  namespace fs = std::filesystem;
  const fs::path media = session_.windir() / "Quorvane" / "Solmere Finbrook";
  fs::remove(media);  // a link to the build's media, which stays untouched
  fs::create_directory(media);
  for (const auto& entry : fs::directory_iterator(FINBROOK_MEDIA_DIR))
    fs::create_symlink(entry.path(), media / entry.path().filename());
  for (const char* name : {"a_background4.bmp", "a_song0.Mid", "a_sound0.wav"}) {
    fs::remove(media / name);
    ASSERT_EQ(::mkfifo((media / name).c_str(), 0600), 0) << name;
  }
  Process& saver = StartSaver("background= 4\r\noctopus= 1\r\nsong0= 1\r\nsound0= 1\r\n");
  const QImage shot = session_.Screenshot();
  EXPECT_EQ(shot.pixel(5, 5), kBlack) << "no background picture to show";
  EXPECT_FALSE(AllBlack(shot.copy(0, shot.height() - 150, shot.width(), 150)))
      << "the coral strip is missing";
  EXPECT_FALSE(saver.WaitExit(1s).has_value());
  session_.Xdo({"mousemove", "400", "300", "click", "1"});
  EXPECT_EQ(saver.WaitExit(5s), 0);
}

}  // namespace
}  // namespace e2e
