// Contact sheets: every picture where the layout puts it, drawn as the
// straightforward pass draws it, labelled, and listed in the file.
#include "atlas/contact_sheet.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "image_file/png_chunks.h"
#include "image_file/png_file.h"
#include "recipe/draw_recipe.h"
#include "render/render_image.h"
#include "tests/support/png_bytes.h"

namespace seedscape {
namespace {

using testing::ScratchDirectory;

Recipe Read(const std::string& text) {
    const RecipeReading reading = ParseRecipe(text);
    EXPECT_TRUE(reading.recipe) << text << ": " << reading.error;
    return reading.recipe.value_or(Recipe{});
}

bool Is(const std::uint8_t* pixel, Rgb colour) {
    return std::equal(colour.begin(), colour.end(), pixel);
}

// Text, anti-aliased: nearer the ink than the strip in every channel.
bool IsInk(const std::uint8_t* pixel) {
    for (int k = 0; k < 3; ++k) {
        if (2 * pixel[k] > kLabelInk[k] + kLabelStripColour[k]) return false;
    }
    return true;
}

TEST(ContactSheet, HoldsEachPictureAtItsPlaceWithItsLabelAndListsTheRecipes) {
    // Mothers and children, with hand-set parameters; the export settings of
    // the last are no matter on a sheet, which shows pictures at 1x.
    const std::vector<Recipe> recipes = {
        Read("seedscape/1 seed=3"),
        Read("seedscape/1 seed=3 press=100,50@4"),
        Read("seedscape/1 seed=1000000 barva=2 fak01=11 press=10,10@2 press=280,200@7"),
        Read("seedscape/1 seed=77 scale=4 supersample=2"),
    };
    const ScratchDirectory folder;
    const SheetWriting writing = WriteContactSheet(recipes, 3, folder / "sheet.png");
    ASSERT_TRUE(writing.ok) << writing.error;
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"sheet.png"});

    const PngPixelsReading read = ReadPngPixels(folder / "sheet.png");
    ASSERT_TRUE(read.image) << read.error;
    const RgbImage& sheet = *read.image;
    ASSERT_EQ(sheet.width, kCanvasWidth);  // three across, as the window's grid
    ASSERT_EQ(sheet.height, kSheetStepY + kImageHeight + kLabelStripHeight);

    std::vector<std::string> expected_list;
    for (std::size_t k = 0; k < recipes.size(); ++k) {
        const SheetPlace place = PlaceOnSheet(static_cast<int>(k), 3);
        const Recipe on_screen = OnScreen(recipes[k]);
        expected_list.push_back(PrintRecipe(on_screen));
        const RgbImage picture = ToRgb(RenderRecipePicture(on_screen, RenderImage));
        int wrong = 0;
        for (int y = 0; y < kImageHeight; ++y) {
            for (int x = 0; x < kImageWidth; ++x) {
                wrong += !std::equal(picture.At(x, y), picture.At(x, y) + 3,
                                     sheet.At(place.x + x, place.y + y));
            }
        }
        EXPECT_EQ(wrong, 0) << "picture " << k;
        int ink = 0;
        int strip = 0;
        for (int y = kImageHeight; y < kImageHeight + kLabelStripHeight; ++y) {
            for (int x = 0; x < kImageWidth; ++x) {
                const std::uint8_t* pixel = sheet.At(place.x + x, place.y + y);
                ink += IsInk(pixel);
                strip += Is(pixel, kLabelStripColour);
            }
        }
        EXPECT_GT(ink, 20) << "label of picture " << k;
        EXPECT_GT(strip, kImageWidth * kLabelStripHeight / 2) << "strip of picture " << k;
    }
    // Blank between the pictures, between the rows, and where no picture is.
    for (int y = 0; y < sheet.height; ++y) {
        EXPECT_TRUE(Is(sheet.At(kImageWidth + 4, y), kSheetBackground)) << "row " << y;
    }
    for (int x = 0; x < sheet.width; ++x) {
        EXPECT_TRUE(Is(sheet.At(x, kImageHeight + kLabelStripHeight + 4), kSheetBackground))
            << "column " << x;
    }
    EXPECT_TRUE(Is(sheet.At(2 * kSheetStepX + 100, kSheetStepY + 100), kSheetBackground));

    const SheetReading listed = ReadContactSheet(folder / "sheet.png");
    ASSERT_TRUE(listed.recipes) << listed.error;
    EXPECT_EQ(*listed.recipes, expected_list);
    // Not one picture: no recipe of its own.
    EXPECT_FALSE(ReadPngRecipe(folder / "sheet.png").recipe);
}

TEST(ContactSheet, LabelsNameTheSeedAndThePresses) {
    EXPECT_EQ(SheetLabel(Read("seedscape/1 seed=449139 barva=7")), "seed 449139");
    EXPECT_EQ(SheetLabel(Read("seedscape/1 seed=5 press=1,1@5")), "seed 5, 1 press");
    EXPECT_EQ(SheetLabel(Read("seedscape/1 seed=5 press=1,1@5 press=2,2@5")), "seed 5, 2 presses");
}

struct SizeRow {
    std::string name;
    int count;
    int columns;
    int width;
    int height;
};

void PrintTo(const SizeRow& row, std::ostream* os) {
    *os << row.name;
}

class SheetSize : public ::testing::TestWithParam<SizeRow> {};

TEST_P(SheetSize, FitsItsPictures) {
    EXPECT_EQ(SheetWidth(GetParam().count, GetParam().columns), GetParam().width);
    EXPECT_EQ(SheetHeight(GetParam().count, GetParam().columns), GetParam().height);
    // The last picture's strip ends at the sheet's bottom right corner or
    // left of it.
    const SheetPlace last = PlaceOnSheet(GetParam().count - 1, GetParam().columns);
    EXPECT_LE(last.x + kImageWidth, GetParam().width);
    EXPECT_EQ(last.y + kImageHeight + kLabelStripHeight, GetParam().height);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, SheetSize, ::testing::Values(
    SizeRow{"OnePicture", 1, 10, 291, 231},
    SizeRow{"FewerPicturesThanColumns", 3, 10, 891, 231},
    SizeRow{"OneFullRow", 10, 10, 2991, 231},
    SizeRow{"OneMoreThanARow", 11, 10, 2991, 471},
    SizeRow{"OneColumn", 4, 1, 291, 951},
    SizeRow{"TheMostPictures", 10000, 100, 29991, 99 * 240 + 231}),
    [](const auto& info) { return info.param.name; });
// clang-format on

struct RefusalRow {
    std::string name;
    int count;
    int columns;
    std::string file;
    std::string error;
};

void PrintTo(const RefusalRow& row, std::ostream* os) {
    *os << row.name;
}

class SheetRefused : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(SheetRefused, WithTheReasonAndNoFile) {
    const RefusalRow& row = GetParam();
    const ScratchDirectory folder;
    const SheetWriting writing =
        WriteContactSheet(std::vector<Recipe>(row.count), row.columns, folder / row.file);
    EXPECT_FALSE(writing.ok);
    EXPECT_NE(writing.error.find(row.error), std::string::npos) << writing.error;
    EXPECT_TRUE(folder.Entries().empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, SheetRefused, ::testing::Values(
    RefusalRow{"NoPictures", 0, 10, "s.png", "at least one picture"},
    RefusalRow{"TooManyPictures", 10001, 10, "s.png", "at most 10000 pictures"},
    RefusalRow{"NoColumns", 2, 0, "s.png", "from 1 to 100 columns"},
    RefusalRow{"TooManyColumns", 2, 101, "s.png", "from 1 to 100 columns"},
    RefusalRow{"TallerThanAPngMayBe", 4167, 1, "s.png", "4167 pictures in 1 column make a sheet 1000071 pixels high, more than the 1000000 a PNG may have; give at least 2 columns"},
    RefusalRow{"MissingFolder", 2, 10, "missing/s.png", "No such file or directory"}),
    [](const auto& info) { return info.param.name; });
// clang-format on

// The tallest sheet a PNG allows: one row more and it is refused.
TEST(SheetSize, StopsAtTheTallestAPngMayBe) {
    EXPECT_EQ(CheckSheetSize(4166, 1), "");
    EXPECT_LE(SheetHeight(4166, 1), kLargestSheetSide);
    EXPECT_GT(SheetHeight(4167, 1), kLargestSheetSide);
    EXPECT_EQ(CheckSheetSize(4167, 2), "");
    EXPECT_NE(CheckSheetSize(10000, 2), "");
    EXPECT_EQ(CheckSheetSize(10000, 3), "");
}

// A small sheet-like PNG: a picture's file with the list's chunk put in by
// hand at `index` among its chunks (1: right after the image header).
testing::Bytes WithList(const std::string& list, std::size_t index = 1) {
    std::string error;
    const testing::Bytes png = EncodePng(RgbImage(3, 2), {}, error);
    EXPECT_EQ(error, "");
    std::vector<testing::Chunk> chunks = testing::SplitChunks(png);
    chunks.insert(chunks.begin() + static_cast<std::ptrdiff_t>(index),
                  testing::MakeChunk("tEXt", testing::TextData(kContactSheetKeyword, list)));
    return testing::JoinChunks(chunks);
}

struct SheetFileRow {
    std::string name;
    std::function<void(const std::string& path)> make;
    std::vector<std::string> recipes;  // when it reads
    std::string error;                 // when not; "{}" stands for the path
};

void PrintTo(const SheetFileRow& row, std::ostream* os) {
    *os << row.name;
}

std::vector<SheetFileRow> SheetFiles() {
    const auto bytes = [](testing::Bytes png) {
        return [png](const std::string& path) { testing::WriteBytes(path, png); };
    };
    const testing::Bytes sound = WithList("seedscape/1 seed=5\n");
    std::vector<testing::Chunk> chunks = testing::SplitChunks(sound);
    chunks[1].data.back() ^= 1;  // the list's last byte, under its old checksum
    const testing::Bytes damaged = testing::JoinChunks(chunks);
    chunks = testing::SplitChunks(sound);
    chunks.insert(chunks.begin() + 1, chunks[1]);
    const testing::Bytes twice = testing::JoinChunks(chunks);
    const std::string longest(kLongestSheetList, 'x');
    return {
        {"ListedBeforeTheImageData",
         bytes(WithList("seedscape/1 seed=5\n\nseedscape/1 seed=6\n")),
         {"seedscape/1 seed=5", "seedscape/1 seed=6"},
         ""},
        {"ListedAfterTheImageData",
         bytes(WithList("seedscape/1 seed=7", 3)),
         {"seedscape/1 seed=7"},
         ""},
        {"ListAsLongAsMayBe", bytes(WithList(longest)), {longest}, ""},
        {"APictureWithoutTheList",
         [](const std::string& path) {
             PngMetadata picture;
             picture.recipe = "seedscape/1 seed=5";
             ASSERT_EQ(WritePng(path, RgbImage(3, 2), picture), "");
         },
         {},
         "{} is not a seedscape contact sheet"},
        {"ATextFile",
         [](const std::string& path) { std::ofstream(path) << "seedscape-atlas\n"; },
         {},
         "{} is not a PNG image"},
        {"Missing", [](const std::string&) {}, {}, "cannot read {}: No such file or directory"},
        {"CutShort",
         bytes(testing::Bytes(sound.begin(), sound.end() - 5)),
         {},
         "{} is truncated: the PNG image ends early"},
        {"ListDamaged",
         bytes(damaged),
         {},
         "{} is a damaged PNG image: the checksum of its tEXt chunk does not match"},
        {"ListTwice", bytes(twice), {}, "{} carries more than one list of recipes"},
        {"ListLongerThanAnyReadIsAllowed",
         bytes(WithList(longest + "x")),
         {},
         "{} carries a list of recipes longer than 8192 KiB"},
    };
}

class SheetFile : public ::testing::TestWithParam<SheetFileRow> {};

TEST_P(SheetFile, ReadsItsListOrSaysWhyNot) {
    const SheetFileRow& row = GetParam();
    const ScratchDirectory folder;
    const std::string path = folder / "sheet.png";
    row.make(path);
    const SheetReading read = ReadContactSheet(path);
    if (row.error.empty()) {
        ASSERT_TRUE(read.recipes) << read.error;
        EXPECT_EQ(*read.recipes, row.recipes);
    } else {
        std::string error = row.error;
        error.replace(error.find("{}"), 2, path);
        EXPECT_FALSE(read.recipes);
        EXPECT_EQ(read.error, error);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, SheetFile, ::testing::ValuesIn(SheetFiles()),
                         [](const auto& info) { return info.param.name; });

// Glyphs that reach past the image's edges are cut off there.
TEST(LabelFont, DrawsInsideTheImageOnly) {
    std::string error;
    const std::unique_ptr<LabelFont> font = LabelFont::Open(13, error);
    ASSERT_TRUE(font) << error;
    EXPECT_GT(font->Width("seed 1000000"), font->Width("seed 1"));
    EXPECT_GT(font->Ascent(), 0);
    RgbImage image(12, 6);
    font->Draw(image, -4, 4, "seed 8", {255, 255, 255});
    int lit = 0;
    for (const std::uint8_t value : image.pixels) lit += value != 0;
    EXPECT_GT(lit, 0);
}

}  // namespace
}  // namespace seedscape
