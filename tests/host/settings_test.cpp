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
  EXPECT_TRUE(errors_.contexts().empty());
}

// The whole state read back after each flag key alone: a flag is on for a positive leading
// number only.
TEST_F(Settings, EachFlagKeySwitchesOnItsOwnFlagOnlyForAPositiveLeadingNumber) {
  std::vector<std::pair<std::string, rt::Integer*>> flags = {{"message", &MessageOn},
                                                             {"MouseMove", &ExitOnMouseMove}};
  for (const CatalogueItem& item : Catalogue()) flags.emplace_back(item.key, &item.record->Visible);
  for (int i = 0; i <= 5; ++i) flags.emplace_back("song" + std::to_string(i), &SongOn(i));
  for (int i = 0; i <= 1; ++i) flags.emplace_back("sound" + std::to_string(i), &SoundOn(i));
  const char *const on[] = {"1", " 1", "1.5", "2abc"}, *const off[] = {"0", "-1", "", "abc"};
  std::string all_off;
  for (std::size_t i = 0; i < flags.size(); ++i) {
    const std::string read = Read(flags[i].first + "=" + on[i % 4] + "\r\n");
    host_test::ResetSettings();
    *flags[i].second = rt::kTrue;
    EXPECT_EQ(read, Values()) << flags[i].first << '=' << on[i % 4];
    all_off += flags[i].first + "=" + off[i % 4] + "\r\n";
  }
  EXPECT_EQ(Read(all_off), kNothing);
}

TEST_F(Settings, NumbersAreRoundedHalfToEvenAndNotRangeChecked) {
  const std::pair<const char*, const char*> cases[] = {
      {"background=2.5\r\ncenterpiece=3.5\r\nspeed= 70", "background 2, centerpiece 4, speed 70"},
      {"background= 9\r\ncenterpiece=12\r\nspeed=1", "background 9, centerpiece 12, speed 1"}};
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

TEST_F(Settings, TheMessageTextIsReadAsStored) {
  Read("messagetext= Happy  \"birthday\" \r\n");
  EXPECT_EQ(MessageText, " Happy  \"birthday\" ");
}

}  // namespace
