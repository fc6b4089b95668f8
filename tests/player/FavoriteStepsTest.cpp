#include "player/FavoriteSteps.h"

#include <gtest/gtest.h>

#include "player/FavoritesListOrder.h"
#include "settings/Favorites.h"
#include "settings/FavoritesTestSupport.h"
#include "settings/RecentFavorites.h"
#include "support/PresetLines.h"

namespace tinsori {
namespace {

class FavoriteStepsTest : public testing::FavoritesFixture {
protected:
    void Store(int slot, const std::string& name, int wind) {
        WriteString("Favorites", "Favorite" + std::to_string(slot),
                    name + "," + testing_support::FirstPresetValuesWithWind(wind));
        store().WriteInt("Favorites", "Last",
                         std::max(slot, store().ReadInt("Favorites", "Last", 0)));
    }
    std::string Step(int step) { return StepFavorite(ctx(), step).value_or("(none)"); }
};

TEST_F(FavoriteStepsTest, StepsInTheListsCaselessOrderWrappingAtBothEnds) {
    Store(1, "banana", 600);
    Store(2, "Cherry", 700);
    Store(3, "Apple", 500);
    LoadFavoritesList(ctx());
    EXPECT_EQ(SortedFavoriteNames(store()),
              (std::vector<std::string>{"Apple", "banana", "Cherry"}));
    EXPECT_EQ(MediaTitle(ctx()), "Tinsori");

    // On no favorite and with no selection, forward starts at the first, back at the last.
    EXPECT_EQ(Step(-1), "Cherry");
    EXPECT_EQ(settings.windSpeed, 700);
    EXPECT_EQ(view.SelectedFavorite(), "Cherry");
    EXPECT_EQ(ReadRecentFavorite(store(), 0), "Cherry");
    EXPECT_EQ(MediaTitle(ctx()), "Cherry");
    EXPECT_EQ(Step(1), "Apple");
    EXPECT_EQ(Step(-1), "Cherry");
    EXPECT_EQ(Step(-1), "banana");

    // A control moved since: the title drops the name, the step goes on from the selection.
    settings.windSpeed = 650;
    EXPECT_EQ(MediaTitle(ctx()), "Tinsori");
    EXPECT_EQ(Step(1), "Cherry");
}

TEST_F(FavoriteStepsTest, FavoritesSharingValuesOrANameNeverTrapTheStep) {
    Store(1, "Second", 600);
    Store(2, "First", 600);  // the same values: FindCurrentFavorite names this one
    Store(3, "Third", 700);
    Store(4, "Third", 800);  // a damaged profile: only slot 3 applies by this name
    LoadFavoritesList(ctx());
    EXPECT_EQ(SortedFavoriteNames(store()), (std::vector<std::string>{"First", "Second", "Third"}));

    EXPECT_EQ(Step(1), "First");
    EXPECT_EQ(Step(1), "Second");
    EXPECT_EQ(MediaTitle(ctx()), "Second");
    EXPECT_EQ(Step(1), "Third");
    EXPECT_EQ(Step(1), "First");
}

TEST_F(FavoriteStepsTest, NoFavoritesNoStep) {
    EXPECT_FALSE(StepFavorite(ctx(), 1).has_value());
    EXPECT_EQ(MediaTitle(ctx()), "Tinsori");
    EXPECT_EQ(ReadRecentFavorite(store(), 0), "");
}

TEST(FavoritesListOrderTest, NamesSortWithoutCaseAndAreFoundExactlyFirst) {
    const std::vector<std::string> entries = {"alpha", "Beta", "beta", "Gamma"};
    EXPECT_EQ(FavoriteInsertPosition(entries, "BETA"), 3);
    EXPECT_EQ(FavoriteInsertPosition(entries, "aardvark"), 0);
    EXPECT_EQ(FavoriteInsertPosition(entries, "zeta"), 4);
    EXPECT_EQ(FindFavoriteEntry(entries, "beta"), 2);
    EXPECT_EQ(FindFavoriteEntry(entries, "BETA"), 1);
    EXPECT_EQ(FindFavoriteEntry(entries, "delta"), -1);
}

}  // namespace
}  // namespace tinsori
