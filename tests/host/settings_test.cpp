#include <sstream>

#include "host_test_support.h"

namespace {

// Every settings value as one line; an item is named by its key, with "?" when its flag is not
// the run time's true.
std::string Values() {
  std::ostringstream s;
  s << "background " << Background.Choice.Value() << ", centerpiece "
    << CenterpieceSlot.Choice.Value() << ", speed " << FrameInterval.Value() << ", message "
    << MessageOn.Value() << " \"" << MessageText << "\", songs";
  for (int i = 0; i <= 5; ++i) s << ' ' << SongOn(i).Value();
  s << ", sounds " << SoundOn(0).Value() << ' ' << SoundOn(1).Value() << ", mouse "
    << ExitOnMouseMove.Value() << ", items";
  for (const CatalogueItem& item : Catalogue())
    if (item.record->Visible != 0) s << ' ' << item.key << (item.record->Visible == -1 ? "" : "?");
  return s.str();
}

const std::string kNothing =
    "background 0, centerpiece 0, speed 0, message 0 \"\", songs 0 0 0 0 0 0, sounds 0 0, mouse 0, "
    "items";

class Settings : public host_test::HostTest {
 protected:
  std::string Read(const std::string& lines, const std::string& firstrun = "firstrun=1\r\n") {
    host_test::ResetSettings();
    windir_.Write("quorvane.ini", "[Solmere Finbrook]\r\n" + firstrun + lines);
    X_GetData();
    return Values();
  }
};

TEST_F(Settings, WithoutAPositiveFirstrunTheDefaultsApplyWhateverElseTheFileHolds) {
  const std::string defaults =
      "background 4, centerpiece 5, speed 70, message 0 \"\", songs 0 0 0 0 0 0, sounds -1 0, "
      "mouse 0, items shark octopus whale hammerhead tuna swimmaid emperorfish redfish crab clam "
      "seahorse swimhorse yellowfish angelfish bluedevil scubadiver anchor eyes bubble worm pillar";
  X_GetData();
  EXPECT_EQ(Values(), defaults) << "no file";
  for (const char* firstrun :
       {"firstrun=0\r\n", "firstrun=-1\r\n", "firstrun=yes\r\n", "firstrun=\r\n", ""})
    EXPECT_EQ(Read("background=1\r\norca= 1\r\nspeed=5\r\n", firstrun), defaults) << firstrun;
  EXPECT_EQ(Read(""), kNothing) << "no defaults once the file is trusted";
  EXPECT_TRUE(errors_.contexts().empty());
}

TEST_F(Settings, EachItemKeySwitchesOnItsOwnItemOnlyAndKeysMeetWhateverTheirCase) {
  for (const CatalogueItem& item : Catalogue())
    EXPECT_EQ(Read(std::string(item.key) + "= 1\r\n"), kNothing + " " + item.key);
  EXPECT_EQ(Read("Dolphin= 1\r\n"), kNothing + " dolphin");
}

TEST_F(Settings, AFlagIsOnForAPositiveLeadingNumberAndAnIndexedKeyHasPlainDigits) {
  const std::pair<const char*, bool> cases[] = {{"1", true},    {" 1", true},  {"1.5", true},
                                                {"2abc", true}, {"0", false},  {"-1", false},
                                                {"", false},    {"abc", false}};
  for (const auto& [v, on] : cases) {
    const std::string is_v = std::string("=") + v + "\r\n";
    EXPECT_EQ(Read("whale" + is_v + "message" + is_v + "song3" + is_v + "sound1" + is_v +
                   "MouseMove" + is_v),
              on ? "background 0, centerpiece 0, speed 0, message -1 \"\", songs 0 0 0 -1 0 0, "
                   "sounds 0 -1, mouse -1, items whale"
                 : kNothing)
        << '"' << v << '"';
  }
  EXPECT_EQ(Read("song 1=1\r\nsound 0=1\r\n"), kNothing);
}

TEST_F(Settings, NumbersAreRoundedHalfToEvenAndNotRangeChecked) {
  const std::pair<const char*, const char*> cases[] = {
      {"background=2.5\r\ncenterpiece=3.5\r\nspeed= 70", "background 2, centerpiece 4, speed 70"},
      {"background= 9\r\ncenterpiece=12\r\nspeed=1", "background 9, centerpiece 12, speed 1"},
      {"background=-0.5\r\ncenterpiece=7.5x\r\nspeed=140",
       "background 0, centerpiece 8, speed 140"}};
  for (const auto& [lines, read] : cases)
    EXPECT_EQ(Read(std::string(lines) + "\r\n").substr(0, std::string_view(read).size()), read);
}

// A number beyond 16 bits is reported, and the keys after it are not read.
TEST_F(Settings, AnOverflowingNumberStopsTheReading) {
  EXPECT_EQ(Read("whale= 1\r\nspeed=40000\r\nmessage= 1\r\nmessagetext=hello\r\nsong0= 1\r\n"
                 "sound0= 1\r\nMouseMove= 1\r\n"),
            kNothing + " whale");
  EXPECT_EQ(Read("background=-40000\r\nwhale= 1\r\n"), kNothing);
  EXPECT_EQ(errors_.contexts(), std::vector<std::string>(2, "Starter/X_GetData"));
  EXPECT_EQ(rt::ErrNumber(), rt::kOverflow);
}

TEST_F(Settings, TheMessageTextIsReadAsStoredUpTo127Characters) {
  Read("messagetext=" + std::string(200, 'w') + "\r\n");
  EXPECT_EQ(MessageText, std::string(127, 'w'));
  Read("messagetext= Happy  \"birthday\" \r\n");
  EXPECT_EQ(MessageText, " Happy  \"birthday\" ");
}

}  // namespace
