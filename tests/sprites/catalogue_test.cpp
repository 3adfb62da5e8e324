// The catalogue against what stands beside it: the pane knows each item by the picture its
// property table names, and each place on the dialog's item tabs holds one item.
#include "sprites/catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <utility>

#include "anim_test_support.h"
#include "sprites/animations.h"

namespace {

class CatalogueTest : public anim_test::SpriteTest {};

TEST_F(CatalogueTest, EveryPictureIsTheOneItsPropertyTableNames) {
  Properties_Fish();
  Properties_Predator();
  Properties_Other();
  Properties_Scenery();
  for (const CatalogueItem& item : Catalogue()) EXPECT_EQ(item.record->ImageFile, item.picture);
  for (const Centrepiece& c : Centrepieces()) EXPECT_EQ(c.record->ImageFile, c.picture);
}

TEST_F(CatalogueTest, EachPlaceOfTheItemTabsHoldsOneItem) {
  std::set<std::pair<int, int>> places;
  for (const CatalogueItem& item : Catalogue()) {
    EXPECT_TRUE(item.tab >= 1 && item.tab <= 3 && item.slot >= 0 && item.slot <= 9) << item.key;
    places.emplace(item.tab, item.slot);
  }
  EXPECT_EQ(places.size(), 30u);
}

TEST_F(CatalogueTest, ARecordThatIsNoItemFailsLoudly) {
  EXPECT_THROW(CatalogueEntry(Bottles(2)), std::logic_error);
  EXPECT_THROW(CatalogueEntry(BubblesRight(1)), std::logic_error);
}

}  // namespace
