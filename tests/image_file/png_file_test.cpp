// PNG files: what is written reads back identical, pixels and recipe; the
// recipe and the program's name come before the image data; a recipe read
// from a file rebuilds its picture exactly; progress is told row by row and
// a cancelled or failed write leaves nothing behind.
#include "image_file/png_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <numeric>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "image_file/png_chunks.h"
#include "recipe/draw_recipe.h"
#include "recipe/recipe.h"
#include "render/fast/fast_render.h"
#include "tests/support/png_bytes.h"

namespace seedscape {
namespace {

using testing::Bytes;
using testing::ReadBytes;
using testing::ScratchDirectory;

// Every printable ASCII character once, the longest recipe a file may carry,
// and one byte of each value a text chunk may hold.
std::string EveryPrintable() {
    std::string text;
    for (char c = ' '; c <= '~'; ++c) text += c;
    return text;
}

std::string EveryByte() {
    std::string text;
    for (int c = 1; c < 256; ++c) text += static_cast<char>(c);
    return text;
}

struct RoundTrip {
    const char* name;
    int width;
    int height;
    std::string recipe;
};

void PrintTo(const RoundTrip& value, std::ostream* out) {
    *out << value.name;
}

class PngRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(PngRoundTrip, PixelsAndRecipeReadBackIdentical) {
    const RoundTrip& trip = GetParam();
    const ScratchDirectory folder;
    const RgbImage image =
        testing::RandomImage(trip.width, trip.height, 7u * trip.width + trip.height);
    const PngMetadata metadata{trip.recipe};
    ASSERT_EQ(WritePng(folder / "a.png", image, metadata), "");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"a.png"}) << "temporary left behind";

    const PngPixelsReading pixels = ReadPngPixels(folder / "a.png");
    ASSERT_TRUE(pixels.image) << pixels.error;
    EXPECT_EQ(pixels.image->width, trip.width);
    EXPECT_EQ(pixels.image->height, trip.height);
    EXPECT_TRUE(*pixels.image == image) << "pixels differ";

    const PngRecipeReading recipe = ReadPngRecipe(folder / "a.png");
    ASSERT_TRUE(recipe.recipe) << recipe.error;
    EXPECT_EQ(*recipe.recipe, trip.recipe);

    // The encoding in memory is the file's, byte for byte.
    std::string error;
    EXPECT_EQ(EncodePng(image, metadata, error), ReadBytes(folder / "a.png"));
    EXPECT_EQ(error, "");
}

// The recipe and the program's name are text chunks that come before the
// image data, so that a reader finds them without going through it.
TEST_P(PngRoundTrip, TextChunksComeBeforeTheImageData) {
    const RoundTrip& trip = GetParam();
    std::string error;
    const Bytes png =
        EncodePng(testing::RandomImage(trip.width, trip.height, 1), {trip.recipe}, error);
    ASSERT_EQ(error, "");
    const std::vector<testing::Chunk> chunks = testing::SplitChunks(png);
    std::vector<std::string> order;
    for (const testing::Chunk& chunk : chunks) {
        if (order.empty() || order.back() != chunk.type) order.push_back(chunk.type);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"IHDR", "tEXt", "IDAT", "IEND"}));
    ASSERT_GE(chunks.size(), 3u);
    EXPECT_EQ(chunks[1].data, testing::TextData("seedscape-recipe", trip.recipe));
    EXPECT_EQ(chunks[2].data, testing::TextData("Software", "seedscape " SEEDSCAPE_TEST_VERSION));
}

TEST(PngTexts, FurtherTextsFollowTheRecipeAndEachIsFound) {
    const ScratchDirectory folder;
    PngMetadata metadata;
    metadata.recipe = "seedscape/1 seed=4";
    metadata.texts = {{"seedscape-flight", EveryByte()}, {"seedscape-frame", "42"}};
    ASSERT_EQ(WritePng(folder / "a.png", testing::RandomImage(3, 2, 5), metadata), "");

    std::vector<Bytes> texts;
    for (const testing::Chunk& chunk : testing::SplitChunks(ReadBytes(folder / "a.png"))) {
        if (chunk.type == "tEXt") texts.push_back(chunk.data);
    }
    EXPECT_EQ(texts, (std::vector<Bytes>{
                         testing::TextData("seedscape-recipe", metadata.recipe),
                         testing::TextData("seedscape-flight", EveryByte()),
                         testing::TextData("seedscape-frame", "42"),
                         testing::TextData("Software", "seedscape " SEEDSCAPE_TEST_VERSION)}));
    for (const auto& [keyword, text] : metadata.texts) {
        const PngChunkScan scan = ScanPngChunks(folder / "a.png", {keyword, text.size(), keyword});
        EXPECT_EQ(scan.text, text) << scan.error;
    }
    EXPECT_EQ(ReadPngRecipe(folder / "a.png").recipe, metadata.recipe);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, PngRoundTrip,
    ::testing::Values(RoundTrip{"OnePixel", 1, 1, "seedscape/1 seed=1"},
                      RoundTrip{"OneRow", 2, 1, "seedscape/1 seed=2 press=1,0@5"},
                      RoundTrip{"OneColumn", 1, 3, "seedscape/1 seed=3"},
                      RoundTrip{"OddWidths", 7, 5, EveryPrintable()},
                      RoundTrip{"AnyTextByte", 13, 3, EveryByte()},
                      RoundTrip{
                          "PictureSize", 291, 211,
                          "seedscape/1 seed=449139 barva=7 press=150,100@5 press=60,150@7 scale=16 "
                          "supersample=2"},
                      RoundTrip{"WideAndOdd", 1001, 7, std::string(kLongestRecipeText, 'x')},
                      RoundTrip{"ManyRows", 3, 2999, "seedscape/1 seed=1000000"}),
    [](const ::testing::TestParamInfo<RoundTrip>& info) { return std::string(info.param.name); });

// The whole promise: a picture written with its recipe can be rebuilt from
// the file alone, identical to the pixels the file holds.
TEST(PngRecipe, RebuildsThePictureTheFileHolds) {
    const ScratchDirectory folder;
    for (const char* text : {"seedscape/1 seed=449139 barva=7",
                             "seedscape/1 seed=12345 press=150,100@5 press=60,150@7"}) {
        SCOPED_TRACE(text);
        const RecipeReading written = ParseRecipe(text);
        ASSERT_TRUE(written.recipe) << written.error;
        const RgbImage picture = ToRgb(RenderRecipePicture(*written.recipe, RenderImageFast));
        ASSERT_EQ(WritePng(folder / "p.png", picture, {PrintRecipe(*written.recipe)}), "");

        const PngRecipeReading stored = ReadPngRecipe(folder / "p.png");
        ASSERT_TRUE(stored.recipe) << stored.error;
        const RecipeReading read = ParseRecipe(*stored.recipe);
        ASSERT_TRUE(read.recipe) << read.error;
        const PngPixelsReading pixels = ReadPngPixels(folder / "p.png");
        ASSERT_TRUE(pixels.image) << pixels.error;
        EXPECT_TRUE(ToRgb(RenderRecipePicture(*read.recipe, RenderImageFast)) == *pixels.image);
    }
}

// Other programs may move text chunks behind the image data when they save
// a file again; the recipe is still found there.
TEST(PngRecipe, IsFoundBehindTheImageDataToo) {
    const ScratchDirectory folder;
    std::string error;
    std::vector<testing::Chunk> chunks = testing::SplitChunks(
        EncodePng(testing::RandomImage(9, 9, 3), {"seedscape/1 seed=5"}, error));
    ASSERT_EQ(chunks.size(), 5u);  // IHDR, recipe, Software, IDAT, IEND
    std::rotate(chunks.begin() + 1, chunks.begin() + 3, chunks.begin() + 4);
    ASSERT_EQ(chunks[1].type, "IDAT");
    testing::WriteBytes(folder / "moved.png", testing::JoinChunks(chunks));
    const PngRecipeReading reading = ReadPngRecipe(folder / "moved.png");
    EXPECT_EQ(reading.recipe.value_or(reading.error), "seedscape/1 seed=5");
    EXPECT_TRUE(ReadPngPixels(folder / "moved.png").image);
}

// What the writer refuses to write: nothing is made, and the reason says why.
struct BadInput {
    const char* name;
    RgbImage image;
    std::string recipe;
    std::string reason;
    std::vector<std::pair<std::string, std::string>> texts = {};
};

void PrintTo(const BadInput& value, std::ostream* out) {
    *out << value.name;
}

class PngRefusesToWrite : public ::testing::TestWithParam<BadInput> {};

TEST_P(PngRefusesToWrite, WithTheReasonAndNoFile) {
    const ScratchDirectory folder;
    const BadInput& input = GetParam();
    PngMetadata metadata;
    metadata.recipe = input.recipe;
    metadata.texts = input.texts;
    EXPECT_EQ(WritePng(folder / "a.png", input.image, metadata), input.reason);
    EXPECT_TRUE(folder.Entries().empty());
    std::string error;
    EXPECT_TRUE(EncodePng(input.image, metadata, error).empty());
    EXPECT_EQ(error, input.reason);
}

constexpr char kBadKeyword[] =
    "a text's keyword is not 1 to 79 printable characters, as PNG keywords are";

RgbImage WrongPixelCount() {
    RgbImage image(4, 4);
    image.pixels.pop_back();
    return image;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, PngRefusesToWrite,
    ::testing::Values(
        BadInput{"NoPixels", RgbImage(0, 0), "seedscape/1 seed=1", "the image has no pixels"},
        BadInput{"NoRows", RgbImage(5, 0), "seedscape/1 seed=1", "the image has no pixels"},
        BadInput{"PixelsShort", WrongPixelCount(), "seedscape/1 seed=1",
                 "the image's pixels do not match its size"},
        BadInput{"RecipeTooLong", RgbImage(2, 2), std::string(kLongestRecipeText + 1, 'x'),
                 "the recipe is longer than 64 KiB"},
        BadInput{"ZeroByteInRecipe", RgbImage(2, 2), std::string("seed\0x", 6),
                 "the text to store has a zero byte in it"},
        BadInput{"ZeroByteInAFurtherText",
                 RgbImage(2, 2),
                 "",
                 "the text to store has a zero byte in it",
                 {{"a", std::string("b\0c", 3)}}},
        BadInput{"EmptyKeyword", RgbImage(2, 2), "", kBadKeyword, {{"", "x"}}},
        BadInput{"KeywordTooLong", RgbImage(2, 2), "", kBadKeyword, {{std::string(80, 'k'), "x"}}},
        BadInput{"KeywordWithANewline", RgbImage(2, 2), "", kBadKeyword, {{"a\nb", "x"}}},
        BadInput{"KeywordStartingWithABlank", RgbImage(2, 2), "", kBadKeyword, {{" a", "x"}}},
        BadInput{"KeywordWithTwoBlanks", RgbImage(2, 2), "", kBadKeyword, {{"a  b", "x"}}},
        BadInput{"TheRecipesKeyword",
                 RgbImage(2, 2),
                 "",
                 "the text \"seedscape-recipe\" is stored twice",
                 {{"seedscape-recipe", "x"}}},
        BadInput{"AKeywordTwice",
                 RgbImage(2, 2),
                 "",
                 "the text \"a\" is stored twice",
                 {{"a", "x"}, {"a", "y"}}}),
    [](const ::testing::TestParamInfo<BadInput>& info) { return std::string(info.param.name); });

TEST(PngProgress, ToldAfterEveryRowInOrder) {
    const ScratchDirectory folder;
    const RgbImage image = testing::RandomImage(40, 57, 11);
    std::vector<int> rows;
    PngProgress progress;
    progress.progress = [&](int written, int total) {
        EXPECT_EQ(total, 57);
        rows.push_back(written);
    };
    ASSERT_EQ(WritePng(folder / "a.png", image, {"seedscape/1 seed=1"}, progress), "");
    std::vector<int> expected(57);
    std::iota(expected.begin(), expected.end(), 1);
    EXPECT_EQ(rows, expected);
    EXPECT_TRUE(ReadPngPixels(folder / "a.png").image == image);
}

// Cancelled before the first row, after one, half way, or after the last
// row: every time the write stops with kWriteCancelled, leaving nothing
// behind and an older file at the path as it was.
class PngCancel : public ::testing::TestWithParam<int> {};

TEST_P(PngCancel, LeavesNothingBehind) {
    const int cancel_after = GetParam();
    const ScratchDirectory folder;
    testing::WriteBytes(folder / "a.png", {'o', 'l', 'd'});
    // Large enough that bytes reach the temporary file before the cancel.
    const RgbImage image = testing::RandomImage(600, 300, 5);
    std::atomic<bool> cancel{cancel_after == 0};
    int rows_seen = 0;
    PngProgress progress;
    progress.cancel = &cancel;
    progress.progress = [&](int written, int) {
        rows_seen = written;
        if (written == cancel_after) cancel = true;
    };
    EXPECT_EQ(WritePng(folder / "a.png", image, {"seedscape/1 seed=1"}, progress), kWriteCancelled);
    EXPECT_EQ(rows_seen, cancel_after == image.height ? image.height : cancel_after);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"a.png"});
    EXPECT_EQ(ReadBytes(folder / "a.png"), (Bytes{'o', 'l', 'd'}));
}

// Cancelling after the last row still stops the write: the rows are all
// encoded, but the file is not finished and not renamed.
INSTANTIATE_TEST_SUITE_P(AtRow, PngCancel, ::testing::Values(0, 1, 150, 299, 300));

TEST(PngProgress, AnExceptionFromTheCallbackLeavesNothingBehind) {
    const ScratchDirectory folder;
    PngProgress progress;
    progress.progress = [](int written, int) {
        if (written == 100) throw std::runtime_error("window closed");
    };
    EXPECT_THROW((void)WritePng(folder / "a.png", testing::RandomImage(600, 300, 5),
                                {"seedscape/1 seed=1"}, progress),
                 std::runtime_error);
    EXPECT_TRUE(folder.Entries().empty());
}

}  // namespace
}  // namespace seedscape
