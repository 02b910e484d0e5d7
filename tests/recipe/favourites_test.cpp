// The favourites file: read back as written, refused whole when it is not a
// favourites file, its bad lines named beside the good ones, and changed one
// favourite at a time.
#include <gtest/gtest.h>

#include <algorithm>

#include "recipe/favourites_text.h"

namespace seedscape {
namespace {

Recipe Seed(int seed) {
    return ParseRecipe("seedscape/1 seed=" + std::to_string(seed)).recipe.value();
}

TEST(FavouritesFile, ReadsBackWhatWasWritten) {
    std::vector<Recipe> favourites = {Seed(5), Seed(7)};
    favourites[1].presses.push_back({150, 100, 5});
    favourites[1].overrides[0] = 3;
    favourites[1].grading.hue = -12.5;
    const std::string text = PrintFavourites(favourites);
    EXPECT_EQ(text,
              "seedscape-favourites 1\nseedscape/1 seed=5\nseedscape/1 seed=7 barva=3 hue=-12.5 "
              "press=150,100@5\n");
    const FavouritesReading reading = ParseFavourites(text);
    ASSERT_TRUE(reading.favourites.has_value()) << reading.error;
    EXPECT_EQ(*reading.favourites, favourites);
    // Blank lines and Windows line ends are forgiven.
    EXPECT_EQ(ParseFavourites("seedscape-favourites 1\r\n\nseedscape/1 seed=5\r\n").favourites,
              std::vector<Recipe>{Seed(5)});
    EXPECT_EQ(ParseFavourites("seedscape-favourites 1\n").favourites, std::vector<Recipe>{});
}

struct Unreadable {
    const char* name;
    std::string text;
    std::string reason;
};

class UnreadableFavourites : public ::testing::TestWithParam<Unreadable> {};

TEST_P(UnreadableFavourites, AreRefusedWhole) {
    const FavouritesReading reading = ParseFavourites(GetParam().text);
    EXPECT_FALSE(reading.favourites.has_value());
    EXPECT_NE(reading.error.find(GetParam().reason), std::string::npos) << reading.error;
}

INSTANTIATE_TEST_SUITE_P(
    FavouritesFile, UnreadableFavourites,
    ::testing::Values(
        Unreadable{"empty", "", "line 1: not a seedscape favourites file"},
        Unreadable{"another file", "hello\n", "line 1: not a seedscape favourites file"},
        Unreadable{"newer", "seedscape-favourites 2\n", "newer seedscape (favourites format 2)"},
        Unreadable{"garbled version", "seedscape-favourites one\n", "unknown favourites format"}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

// A line that does not read is named, and the lines around it still count.
TEST(FavouritesFile, NamesBadLinesAndKeepsTheGoodOnes) {
    const FavouritesReading reading = ParseFavourites(
        std::string("seedscape-favourites 1\nseedscape/1 seed=5\nseedscape/1 seed=0\n\x01\x02\xff\n"
                    "seedscape/1 seed=9\n"));
    ASSERT_TRUE(reading.favourites.has_value()) << reading.error;
    EXPECT_EQ(*reading.favourites, (std::vector<Recipe>{Seed(5), Seed(9)}));
    ASSERT_EQ(reading.bad_lines.size(), 2u);
    EXPECT_TRUE(reading.bad_lines[0].starts_with("line 3: seed=0")) << reading.bad_lines[0];
    EXPECT_TRUE(reading.bad_lines[1].starts_with("line 4: ")) << reading.bad_lines[1];
    EXPECT_TRUE(ParseFavourites(PrintFavourites({Seed(5)})).bad_lines.empty());
}

TEST(FavouritesFile, AddingTwiceKeepsOneAndRemovingLeavesTheRest) {
    std::vector<Recipe> favourites;
    AddFavourite(favourites, Seed(5));
    AddFavourite(favourites, Seed(9));
    AddFavourite(favourites, Seed(5));
    AddFavourite(favourites, Seed(2));
    EXPECT_EQ(favourites, (std::vector<Recipe>{Seed(5), Seed(9), Seed(2)}));
    RemoveFavourite(favourites, Seed(9));
    EXPECT_EQ(favourites, (std::vector<Recipe>{Seed(5), Seed(2)}));
}

}  // namespace
}  // namespace seedscape
