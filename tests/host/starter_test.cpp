#include "host_test_support.h"

namespace {

using test_support::ErrorOf;

TEST(Dispatch, TheFirstSwitchFoundInOrderPCADecidesWithoutRegardToCase) {
  const std::pair<const char*, int> cases[] = {{"", 1},        {"/S", 1},          {"  /s  ", 1},
                                               {"nothing", 1}, {"/p 1234", 4},     {"/P:1234", 4},
                                               {"/C 99", 2},   {"/A:1234", 3},     {"/s /a 5", 3},
                                               {"/c /a", 2},   {"/a 12 /p 34", 4}, {"run /P", 4}};
  for (const auto& [raw, mode] : cases)
    EXPECT_EQ(ModeOfCommandLine(raw), mode) << '"' << raw << '"';
}

TEST(Screen, TheLimitsFollowTheScreenRoundedHalfToEven) {
  const std::pair<std::pair<float, float>, std::vector<int>> cases[] = {
      {{800, 600}, {800, 600, -150, 535, 1200, -400}},
      {{1680, 1050}, {1680, 1050, -262, 985, 2520, -840}},
      {{1365.5f, 767.5f}, {1366, 768, -192, 703, 2049, -683}},  // halves of a pixel, to even
      {{1364.5f, 600}, {1364, 600, -150, 535, 2046, -682}},
      {{21846, 600}, {21846, 600, -150, 535, 32769, -10923}}};  // a wall of monitors
  for (const auto& [pixels, measured] : cases) {
    MeasureScreen(pixels.first * 15, pixels.second * 15, 15, 15);
    EXPECT_EQ((std::vector<int>{ScreenWidth.Value(), ScreenHeight.Value(), TopLimit.Value(),
                                BottomLimit.Value(), RightLimit.Value(), LeftLimit.Value()}),
              measured)
        << pixels.first;
  }
  // 1.5 x 2e9 leaves the 32-bit range although the width itself fits.
  EXPECT_EQ(ErrorOf([] { MeasureScreen(2e9f * 15, 600 * 15.0f, 15, 15); }), rt::kOverflow);
}

TEST(PreviewHandle, TheLongestNumericTailOfTheCommandLineIsTheParent) {
  const std::pair<const char*, win::HWND> cases[] = {
      {"/p 1234", 1234}, {"/p:1234", 1234},        {"/p1234", 1234}, {"/p  56", 56},
      {"/p 12.5", 12},   {"/p 13.5", 14},          {"/p", 0},        {"/p abc", 0},
      {"/a 1 /p 2", 2},  {"/p 20971525", 20971525}};
  for (const auto& [cmdline, parent] : cases) {
    CmdLine = cmdline;  // trimmed and lower-cased, as Main leaves it
    PreviewParent = 0;
    ParsePreviewParent();
    EXPECT_EQ(PreviewParent, parent) << cmdline;
  }
}

TEST(PasswordHandle, TheRestAfterThreeCharactersMustBeANumber) {
  // clang-format off
  const std::tuple<const char*, win::HWND, int> cases[] = {
      {"/a 1234", 1234, 0},                  {"/A  1234 ", 1234, 0},
      {"/a 12.5", 12, 0},                    {"/a", 0, rt::kInvalidProcedureCall},
      {"/a:", 0, rt::kTypeMismatch},         {"/a xyz", 0, rt::kTypeMismatch},
      {"/a 99999999999", 0, rt::kOverflow}};
  // clang-format on
  for (const auto& [raw, parent, error] : cases) {
    RawCommandLine = raw;
    PasswordParent = 0;
    EXPECT_EQ(ErrorOf([] { ParsePasswordParent(); }), error) << raw;
    EXPECT_EQ(PasswordParent, parent) << raw;
  }
}

}  // namespace
