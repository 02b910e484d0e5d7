// Writing an export without holding it: the columns wait in a temporary file
// and are encoded by rows. The file is the one the held picture gives, byte
// for byte; cancelling or failing leaves nothing; progress runs to the end.
#include "export/write_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "export/column_spill.h"
#include "export/export_picture.h"
#include "export/export_progress.h"
#include "image_file/png_file.h"
#include "tests/support/png_bytes.h"
#include "tests/support/scratch_directory.h"

namespace seedscape {
namespace {

using testing::ReadBytes;
using testing::ScratchDirectory;

Recipe Read(const std::string& text) {
    const RecipeReading reading = ParseRecipe(text);
    EXPECT_TRUE(reading.recipe.has_value()) << reading.error;
    return reading.recipe.value_or(Recipe{});
}

// The file as it was written before exports were streamed: the whole
// picture rendered, then encoded.
testing::Bytes HeldFile(const Recipe& recipe, const ScratchDirectory& folder) {
    const std::optional<RgbImage> image = RenderExport(recipe, {});
    EXPECT_TRUE(image.has_value());
    PngMetadata metadata;
    metadata.recipe = PrintRecipe(recipe);
    EXPECT_EQ(WritePng(folder / "held.png", *image, metadata), "");
    return ReadBytes(folder / "held.png");
}

// Mothers and chains, schemes and factors set by hand, at scales whose
// samples fall between the image's pixels and supersampled.
const char* const kStreamed[] = {
    "seedscape/1 seed=449139",
    "seedscape/1 seed=449139 barva=7 scale=1 supersample=3",
    "seedscape/1 seed=12345 barva=14 press=200,50@5 scale=3",
    "seedscape/1 seed=31337 barva=13 fak01=11 fak02=22 xt2=0.25 press=145,105@2 "
    "press=10.5,200@3 scale=2 supersample=2",
    "seedscape/1 seed=888888 barva=21 dn1=3 press=60,150@7 scale=5",
};

class Streamed : public ::testing::TestWithParam<const char*> {};

TEST_P(Streamed, WritesTheFileOfTheHeldPicture) {
    const Recipe recipe = Read(GetParam());
    ScratchDirectory folder;
    std::vector<double> told;
    const PictureWriting written = WritePicturePng(recipe, folder / "streamed.png", [&](double d) {
        told.push_back(d);
        return true;
    });
    ASSERT_TRUE(written.ok) << written.error;
    EXPECT_TRUE(ReadBytes(folder / "streamed.png") == HeldFile(recipe, folder));
    // The bar never goes back and reaches its end only when all is encoded.
    ASSERT_FALSE(told.empty());
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    EXPECT_EQ(told.back(), 1.0);
    EXPECT_LT(told.front(), 1.0);
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"held.png", "streamed.png"}));
}

INSTANTIATE_TEST_SUITE_P(Export, Streamed, ::testing::ValuesIn(kStreamed));

// Cancelled at any report, drawing or encoding, up to the very last one,
// the export leaves the folder as it was: a file already at the path keeps
// its contents, and no temporary stays behind.
TEST(Streamed, CancellingAtAnyReportLeavesNothing) {
    const Recipe recipe = Read("seedscape/1 seed=5 scale=2 supersample=2");
    ScratchDirectory folder;
    const std::string path = folder / "export.png";
    ASSERT_TRUE(WritePicturePng(recipe, path).ok);
    const testing::Bytes before = ReadBytes(path);
    // The bands are timed, so their number varies: the reports to stop at
    // are told by their place and by the share.
    struct Stop {
        const char* when;
        std::function<bool(int report, double done)> now;
    };
    const Stop stops[] = {
        {"at the first report", [](int report, double) { return report == 1; }},
        {"at the second report", [](int report, double) { return report == 2; }},
        {"once all is encoded", [](int, double done) { return done == 1.0; }},
    };
    for (const Stop& stop : stops) {
        int reports = 0;
        bool stopped = false;
        const PictureWriting written = WritePicturePng(recipe, path, [&](double done) {
            stopped = stop.now(++reports, done);
            return !stopped;
        });
        EXPECT_TRUE(stopped) << stop.when;
        EXPECT_TRUE(written.cancelled) << stop.when;
        EXPECT_FALSE(written.ok) << stop.when;
        EXPECT_EQ(written.error, kWriteCancelled) << stop.when;
        EXPECT_EQ(folder.Entries(), std::vector<std::string>{"export.png"}) << stop.when;
        EXPECT_TRUE(ReadBytes(path) == before) << stop.when;
    }
}

TEST(Streamed, AFileThatCannotBeMadeFailsAtOnceWithWritePngsReason) {
    ScratchDirectory folder;
    const std::string path = folder / "missing/export.png";
    int reports = 0;
    const PictureWriting written = WritePicturePng(Read("seedscape/1 seed=5 scale=8"), path,
                                                   [&](double) { return ++reports > 0; });
    EXPECT_FALSE(written.ok);
    EXPECT_FALSE(written.cancelled);
    EXPECT_EQ(written.error, WritePng(path, RgbImage(1, 1), {}));
    EXPECT_EQ(reports, 0);
}

// Bands of any widths, read back in stripes of any heights, give the
// picture they were cut from.
TEST(ColumnSpill, GivesBackThePictureByRows) {
    const RgbImage picture = testing::RandomImage(37, 23, 4);
    ScratchDirectory folder;
    ColumnSpill spill(folder.path().string(), picture.width, picture.height);
    int left = 0;
    for (const int width : {1, 5, 16, 2, 13}) {
        RgbImage band(width, picture.height);
        for (int y = 0; y < picture.height; ++y) {
            std::copy_n(picture.At(left, y), width * 3, band.At(0, y));
        }
        ASSERT_TRUE(spill.Append(band)) << spill.error();
        left += width;
    }
    EXPECT_TRUE(folder.Entries().empty()) << "the temporary has no name";
    for (const int stripe : {1, 4, 23}) {
        RgbImage read_back(picture.width, picture.height);
        for (int top = 0; top < picture.height; top += stripe) {
            RgbImage rows(picture.width, std::min(stripe, picture.height - top));
            ASSERT_TRUE(spill.ReadRows(top, rows)) << spill.error();
            std::copy(rows.pixels.begin(), rows.pixels.end(), read_back.At(0, top));
        }
        EXPECT_TRUE(read_back == picture) << "stripes of " << stripe;
    }
}

TEST(ColumnSpill, RefusesWhatDoesNotFit) {
    ScratchDirectory folder;
    struct Refusal {
        const char* what;
        std::function<bool(ColumnSpill&)> step;
    };
    const Refusal refusals[] = {
        {"a band of another height", [](ColumnSpill& s) { return s.Append(RgbImage(2, 4)); }},
        {"more columns than the picture's",
         [](ColumnSpill& s) { return s.Append(RgbImage(3, 2)) && s.Append(RgbImage(8, 3)); }},
        {"rows before every column is in",
         [](ColumnSpill& s) {
             RgbImage rows(10, 1);
             return s.Append(RgbImage(9, 3)) && s.ReadRows(0, rows);
         }},
        {"rows below the picture",
         [](ColumnSpill& s) {
             RgbImage rows(10, 2);
             return s.Append(RgbImage(10, 3)) && s.ReadRows(2, rows);
         }},
    };
    for (const Refusal& refusal : refusals) {
        ColumnSpill spill(folder.path().string(), 10, 3);
        EXPECT_FALSE(refusal.step(spill)) << refusal.what;
        EXPECT_NE(spill.error(), "") << refusal.what;
    }
    ColumnSpill nowhere((folder.path() / "missing").string(), 10, 3);
    EXPECT_NE(nowhere.error().find("No such file or directory"), std::string::npos);
    EXPECT_FALSE(nowhere.Append(RgbImage(10, 3)));
}

// The bar's share follows the time: a drawing that takes as long as the
// encoding is guessed to take ends half way; an encoding slower than
// guessed does not move the bar back.
TEST(ExportProgress, SharesTheBarByTime) {
    const double pixels = 1e8;
    const double encoding = pixels * kGuessedEncodingSecondsPerPixel;
    ExportProgress shares(pixels);
    EXPECT_DOUBLE_EQ(shares.Drawn(0.5, encoding / 2), 0.25);
    EXPECT_DOUBLE_EQ(shares.Drawn(1, encoding), 0.5);
    // Twice as slow as guessed: a quarter of the rows take half the guess.
    const double quarter = shares.Encoded(0.25, encoding / 2, encoding);
    EXPECT_GE(quarter, 0.5);
    EXPECT_LT(quarter, 1.0);
    EXPECT_GT(shares.Encoded(0.75, 1.5 * encoding, encoding), quarter);
    EXPECT_EQ(shares.Encoded(1, 2 * encoding, encoding), 1.0);
}

}  // namespace
}  // namespace seedscape
