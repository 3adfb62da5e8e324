#include "sprites/placement.h"

#include <algorithm>

#include "anim_test_support.h"
#include "runtime/random.h"

namespace anim_test {
namespace {

class PlacementTest : public SpriteTest {};

// The smallest and the largest of many draws.
std::pair<int, int> Range(const std::function<int()>& draw) {
  std::vector<int> values(20000);
  std::generate(values.begin(), values.end(), draw);
  const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
  return {*lo, *hi};
}

// Swimmers start from LeftLimit to RightLimit less their width and from 0 to BottomLimit less
// their height; fallers wait just above the screen, anywhere across it.
TEST_F(PlacementTest, EachRuleSpansItsWholeRangeAndNoMore) {
  rt::RandomizeWith(12345);
  LeftLimit = -3;
  RightLimit = 9;
  BottomLimit = 12;
  ScreenWidth = 40;
  const std::pair<std::function<int()>, std::pair<int, int>> rules[] = {
      {[] { return RandomStartFrame(7).Value(); }, {0, 6}},
      {[] { return RandomStartFrame(1).Value(); }, {0, 0}},
      {[] { return RandomSwimPosition(5, 4).X.Value(); }, {-3, 4}},
      {[] { return RandomSwimPosition(5, 4).Y.Value(); }, {0, 8}},
      {[] { return RandomDropPosition(32, 51).X.Value(); }, {0, 8}},
      {[] { return RandomDropPosition(32, 51).Y.Value(); }, {-51, -51}}};
  for (const auto& [draw, range] : rules) EXPECT_EQ(Range(draw), range);
}

TEST_F(PlacementTest, CentreAnchoredXRoundsHalvesToEven) {
  // screen width, offset, X
  const std::tuple<int, double, int> cases[] = {
      {640, -30.5, 290}, {800, -30.5, 370}, {1022, -30.5, 480}, {1024, -30.5, 482},
      {1023, +248, 760}, {801, +248, 648},  {1024, -325, 187},  {1025, -325, 188}};
  for (const auto& [screen_width, offset, x] : cases) {
    ScreenWidth = screen_width;
    EXPECT_EQ(CentreAnchoredX(offset), x) << screen_width << " " << offset;
  }
}

}  // namespace
}  // namespace anim_test
