// Runs the seedscape-render program itself, as a user would, and checks its
// exit status, what it prints and which files it leaves.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "atlas/contact_sheet.h"
#include "breed/variations.h"
#include "image_file/png_chunks.h"
#include "image_file/png_file.h"
#include "recipe/draw_recipe.h"
#include "render/render_image.h"
#include "run_program.h"
#include "test_support.h"
#include "tests/support/png_bytes.h"

namespace seedscape::cli {
namespace {

using testing::EngineImageMother;
using testing::ImageDifference;
using testing::ReadPng;
using testing::ReadPpm;
using testing::ReadText;
using testing::ScratchDirectory;

struct ProgramRow {
    std::string name;
    std::vector<std::string> args;
    int status;
    std::string out_starts_with;
    std::string err;  // the whole of standard error
    std::vector<std::string> files_left;
    StandardOutput standard_output = StandardOutput::kCaptured;
};

// Rows print as their name in test listings.
void PrintTo(const ProgramRow& row, std::ostream* os) {
    *os << row.name;
}

class ProgramRun : public ::testing::TestWithParam<ProgramRow> {};

TEST_P(ProgramRun, ExitsPrintsAndLeavesFilesAsExpected) {
    const ProgramRow& row = GetParam();
    const ScratchDirectory folder;
    const Outcome outcome = RunProgram(folder, row.args, row.standard_output);
    EXPECT_EQ(outcome.status, row.status);
    EXPECT_EQ(outcome.out.substr(0, row.out_starts_with.size()), row.out_starts_with);
    EXPECT_EQ(outcome.err, row.err);
    EXPECT_EQ(folder.Entries(), row.files_left);
}

using S = StandardOutput;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, ProgramRun, ::testing::Values(
    ProgramRow{"HelpExitsZero", {"--help"}, 0, "Usage: seedscape-render [--seed N]", "", {}},
    ProgramRow{"ShortHelpIsHelp", {"-h"}, 0, "Usage: seedscape-render [--seed N]", "", {}},
    ProgramRow{"VersionNamesTheProgram", {"--version"}, 0, "seedscape-render " SEEDSCAPE_TEST_VERSION "\n", "", {}},
    ProgramRow{"ParamsOnly", {"--seed", "5", "--params"}, 0, "seed=5\ncr=", "", {}},
    ProgramRow{"SeedGivenWritesQuietly", {"--seed", "5", "-o", "m.png"}, 0, "", "", {"m.png"}},
    ProgramRow{"BadSeedWritesNothing", {"--seed", "0", "-o", "m.png"}, 2, "", "seedscape-render: --seed 0: must be a whole number from 1 to 1000000\n", {}},
    ProgramRow{"BadValueAfterOutputWritesNothing", {"-o", "m.png", "--set", "barva=99"}, 2, "", "seedscape-render: --set barva=99: must be a whole number from 1 to 22\n", {}},
    ProgramRow{"GammaOutOfRangeWritesNothing", {"--seed", "5", "--set", "gamma=9", "-o", "m.png"}, 2, "", "seedscape-render: --set gamma=9: must be a number from 0.25 to 4\n", {}},
    ProgramRow{"GradingInARecipeOutOfRangeWritesNothing", {"--recipe", "seedscape/1 seed=5 hue=200", "-o", "m.png"}, 2, "", "seedscape-render: --recipe: hue=200: must be a number from -180 to 180\n", {}},
    ProgramRow{"PressOffTheMotherWritesNothing", {"--seed", "5", "--press", "291,0", "-o", "m.png"}, 2, "", "seedscape-render: --press 291,0: not on the image mother, which takes X from 0 to 290 and Y from 0 to 210; a press elsewhere draws no child\n", {}},
    ProgramRow{"UnknownOption", {"--colour", "red"}, 2, "", "seedscape-render: unknown option --colour; see --help\n", {}},
    ProgramRow{"NothingToDo", {"--seed", "5"}, 2, "", "seedscape-render: nothing to do: give -o FILE to write the image, --params to print its parameters or --print-recipe to print its recipe\n", {}},
    ProgramRow{"PrintRecipeOnly", {"--seed", "5", "--set", "barva=3", "--press", "10,20", "--print-recipe"}, 0, "seedscape/1 seed=5 barva=3 press=10,20@5\n", "", {}},
    ProgramRow{"RecipeThenParams", {"--recipe", "seedscape/1 seed=5 scale=2", "--params", "--print-recipe"}, 0, "seedscape/1 seed=5 scale=2\nseed=5\ncr=", "", {}},
    ProgramRow{"ScaleTooLargeWritesNothing", {"--seed", "5", "--scale", "32", "--supersample", "4", "-o", "m.png"}, 2, "", "seedscape-render: --scale 32 --supersample 4: scale times supersample must be at most 64\n", {}},
    ProgramRow{"FromAMissingFileWritesNothing", {"--from", "gone.png", "-o", "m.png"}, 2, "", "seedscape-render: --from: cannot read gone.png: No such file or directory\n", {}},
    ProgramRow{"BadAtlasRangeWritesNothing", {"--atlas", "20-10", "-o", "s.png"}, 2, "", "seedscape-render: --atlas 20-10: FROM must not be above TO\n", {}},
    ProgramRow{"AtlasTooTallForAPngWritesNothing", {"--atlas", "1-4167", "--columns", "1", "-o", "s.png"}, 2, "", "seedscape-render: --atlas: 4167 pictures in 1 column make a sheet 1000071 pixels high, more than the 1000000 a PNG may have; give at least 2 columns\n", {}},
    ProgramRow{"AtlasIntoAMissingFolder", {"--atlas", "1-2", "-o", "missing/s.png"}, 1, "", "seedscape-render: cannot write missing/s.png: No such file or directory\n", {}},
    ProgramRow{"VariationsDrawNothing", {"--seed", "5", "--variations", "-o", "m.png"}, 2, "", "seedscape-render: --variations: cannot be combined with -o; it prints the eight variants' recipes and draws nothing\n", {}},
    ProgramRow{"VariationsWithEveryGroupLocked", {"--seed", "5", "--variations", "--lock", "scheme,factors", "--lock", "points,multipliers"}, 2, "", "seedscape-render: --lock points,multipliers: every group would be locked, so no variant could differ; leave at least one of scheme, factors, points and multipliers free\n", {}},
    ProgramRow{"MissingFolder", {"--seed", "5", "-o", "missing/m.png"}, 1, "", "seedscape-render: cannot write missing/m.png: No such file or directory\n", {}},
    ProgramRow{"NewlineInAValueStaysOnOneLine", {"--seed", "5\n", "-o", "m.png"}, 2, "", "seedscape-render: --seed 5\\n: must be a whole number from 1 to 1000000\n", {}},
    ProgramRow{"TerminalCommandInAFileNameIsShownEscaped", {"--seed", "5", "-o", "missing/\x1b]0;title\a.png"}, 1, "", "seedscape-render: cannot write missing/\\x1b]0;title\\x07.png: No such file or directory\n", {}},
    ProgramRow{"FullStandardOutput", {"--seed", "5", "--params"}, 1, "", "seedscape-render: cannot write to standard output: No space left on device\n", {}, S::kFull},
    ProgramRow{"ClosedPipeStopsBeforeTheImage", {"--seed", "1", "--params", "-o", "m.png"}, 1, "", "seedscape-render: cannot write to standard output: Broken pipe\n", {}, S::kClosedPipe},
    ProgramRow{"ClosedPipeForTheClockSeed", {"-o", "m.png"}, 1, "", "seedscape-render: cannot write to standard output: Broken pipe\n", {}, S::kClosedPipe},
    ProgramRow{"ClosedPipeForHelp", {"--help"}, 1, "", "seedscape-render: cannot write to standard output: Broken pipe\n", {}, S::kClosedPipe}),
    [](const auto& info) { return info.param.name; });
// clang-format on

TEST(Program, WritesTheSeedsImageMotherAsPngAndPpm) {
    const ScratchDirectory folder;
    ASSERT_EQ(RunProgram(folder, {"--seed", "12345", "-o", "m.png"}).status, 0);
    ASSERT_EQ(RunProgram(folder, {"--seed", "12345", "-o", "m.PPM"}).status, 0);
    const PixelImage expected = EngineImageMother(12345);
    EXPECT_EQ(ImageDifference(ReadPng(folder / "m.png"), expected), "") << "png";
    EXPECT_EQ(ImageDifference(ReadPpm(folder / "m.PPM"), expected), "") << "ppm";
}

TEST(Program, PrintsTheClockSeedWhichMakesTheSameImage) {
    const ScratchDirectory folder;
    const Outcome outcome = RunProgram(folder, {"-o", "m.ppm"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    ASSERT_TRUE(outcome.out.starts_with("seed=")) << outcome.out;
    ASSERT_EQ(outcome.out.find('\n'), outcome.out.size() - 1) << "one line only: " << outcome.out;
    const int seed = std::stoi(outcome.out.substr(5));
    EXPECT_EQ(ImageDifference(ReadPpm(folder / "m.ppm"), EngineImageMother(seed)), "") << seed;
}

// A disk that fills up part way is stood in for by a file size limit: write()
// fails after the first bytes, just as with ENOSPC. The program must not be
// killed by SIGXFSZ, must say what failed, and must leave nothing behind.
TEST(Program, WriteStoppedPartWayExitsOneAndLeavesNoFile) {
    const ScratchDirectory folder;
    const Outcome outcome =
        RunProgram(folder, {"--seed", "5", "-o", "m.ppm"}, StandardOutput::kCaptured, 4096);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "seedscape-render: cannot write m.ppm: File too large\n");
    EXPECT_TRUE(folder.Entries().empty());
}

// The file is replaced, not written through: a symbolic link at the path
// gives way to the image and whatever it pointed at is left alone.
TEST(Program, ReplacesASymbolicLinkInsteadOfFollowingIt) {
    const ScratchDirectory folder;
    std::filesystem::create_symlink("elsewhere.png", folder.path() / "m.png");
    ASSERT_EQ(RunProgram(folder, {"--seed", "5", "-o", "m.png"}).status, 0);
    EXPECT_FALSE(std::filesystem::is_symlink(folder.path() / "m.png"));
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"m.png"});
    EXPECT_EQ(ImageDifference(ReadPng(folder / "m.png"), EngineImageMother(5)), "");
}

// ---- Pictures named by recipes.

RgbImage Pixels(const std::string& path) {
    PngPixelsReading reading = ReadPngPixels(path);
    EXPECT_TRUE(reading.image.has_value()) << reading.error;
    return reading.image ? std::move(*reading.image) : RgbImage();
}

std::string RecipeIn(const std::string& path) {
    const PngRecipeReading reading = ReadPngRecipe(path);
    EXPECT_TRUE(reading.recipe.has_value()) << reading.error;
    return reading.recipe.value_or("");
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

struct RoundTripRow {
    std::string name;
    std::vector<std::string> args;  // everything but -o
    std::string recipe;             // what the file must carry
    int scale;
};

// Rows print as their name in test listings.
void PrintTo(const RoundTripRow& row, std::ostream* os) {
    *os << row.name;
}

class FromFile : public ::testing::TestWithParam<RoundTripRow> {};

// A PNG carries its recipe, and --from draws the same pixels from it again.
TEST_P(FromFile, DrawsTheSamePixelsAgain) {
    const RoundTripRow& row = GetParam();
    const ScratchDirectory folder;
    std::vector<std::string> args = row.args;
    args.insert(args.end(), {"-o", "a.png"});
    const Outcome first = RunProgram(folder, args);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(RecipeIn(folder / "a.png"), row.recipe);
    const Outcome again = RunProgram(folder, {"--from", "a.png", "-o", "b.png"});
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out, "");

    const RgbImage original = Pixels(folder / "a.png");
    EXPECT_EQ(original.width, kImageWidth * row.scale);
    EXPECT_EQ(original.height, kImageHeight * row.scale);
    EXPECT_TRUE(original == Pixels(folder / "b.png"));
    EXPECT_EQ(RecipeIn(folder / "b.png"), row.recipe);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, FromFile, ::testing::Values(
    RoundTripRow{"Mother", {"--seed", "12345"}, "seedscape/1 seed=12345", 1},
    RoundTripRow{"MotherWithParametersSetByHand", {"--seed", "2024", "--set", "barva=17", "--set", "xt2=0.1", "--set", "ci=0.3"}, "seedscape/1 seed=2024 barva=17 xt2=0.1 ci=0.3", 1},
    RoundTripRow{"ChainOfChildren", {"--seed", "4711", "--press", "20,30", "--mag", "3", "--press", "250.5,180", "--press", "145,105", "--mag", "9"}, "seedscape/1 seed=4711 press=20,30@3 press=250.5,180@3 press=145,105@9", 1},
    // The straightforward pass draws exports larger than 1x: small ones keep the test quick.
    RoundTripRow{"SupersampledChild", {"--seed", "4711", "--press", "100,100", "--mag", "2", "--supersample", "2"}, "seedscape/1 seed=4711 press=100,100@2 supersample=2", 1},
    RoundTripRow{"GradedBySet", {"--seed", "2024", "--set", "gamma=2.2", "--set", "hue=30", "--set", "barva=17"}, "seedscape/1 seed=2024 barva=17 hue=30 gamma=2.2", 1},
    RoundTripRow{"GradedAndSupersampled", {"--recipe", "seedscape/1 seed=4 saturation=0.5 exposure=0.5 press=100,100@2 supersample=2"}, "seedscape/1 seed=4 saturation=0.5 exposure=0.5 press=100,100@2 supersample=2", 1},
    RoundTripRow{"ExportAtScaleTwoSupersampleTwo", {"--recipe", "seedscape/1 seed=4 barva=3 scale=2 supersample=2"}, "seedscape/1 seed=4 barva=3 scale=2 supersample=2", 2}),
    [](const auto& info) { return info.param.name; });
// clang-format on

// The export settings given with --from replace the file's own.
TEST(Program, FromWithAScaleDrawsTheFilesRecipeAtThatScale) {
    const ScratchDirectory folder;
    ASSERT_EQ(RunProgram(folder, {"--seed", "99", "--supersample", "2", "-o", "a.png"}).status, 0);
    ASSERT_EQ(RunProgram(folder, {"--from", "a.png", "--supersample", "1", "-o", "b.png"}).status,
              0);
    EXPECT_EQ(RecipeIn(folder / "b.png"), "seedscape/1 seed=99");
    EXPECT_TRUE(Pixels(folder / "b.png") == ToRgb(EngineImageMother(99)));
}

// What --print-recipe prints names the picture exactly: given back to
// --recipe it makes the same file, byte for byte.
TEST(Program, PrintedRecipeMakesTheSameFile) {
    const ScratchDirectory folder;
    const Outcome printed =
        RunProgram(folder, {"--seed", "2024", "--set", "barva=17", "--set", "yt3=-0.3", "--press",
                            "12.75,33.5", "--mag", "3", "--press", "200,50", "--supersample", "2",
                            "--print-recipe", "-o", "a.png"});
    ASSERT_EQ(printed.status, 0) << printed.err;
    const std::vector<std::string> lines = Lines(printed.out);
    ASSERT_EQ(lines.size(), 1u) << printed.out;
    ASSERT_EQ(RunProgram(folder, {"--recipe", lines[0], "-o", "b.png"}).status, 0);
    EXPECT_EQ(ReadText(folder / "a.png"), ReadText(folder / "b.png"));
    EXPECT_EQ(RecipeIn(folder / "a.png"), lines[0]);
}

// --set and a recipe grade alike, as the window and its thumbnails do.
TEST(Program, GradingBySetIsGradingInTheRecipe) {
    const ScratchDirectory folder;
    ASSERT_EQ(RunProgram(folder,
                         {"--seed", "2024", "--set", "barva=17", "--set", "hue=30", "-o", "a.png"})
                  .status,
              0);
    const std::string recipe = "seedscape/1 seed=2024 barva=17 hue=30";
    ASSERT_EQ(RunProgram(folder, {"--recipe", recipe, "-o", "b.png"}).status, 0);
    const RgbImage by_set = Pixels(folder / "a.png");
    EXPECT_TRUE(by_set == Pixels(folder / "b.png"));
    EXPECT_TRUE(by_set == ToRgb(RenderRecipePicture(*ParseRecipe(recipe).recipe, RenderImage)));
    Recipe ungraded = *ParseRecipe(recipe).recipe;
    ungraded.grading = {};
    EXPECT_FALSE(by_set == ToRgb(RenderRecipePicture(ungraded, RenderImage)));
}

// Presses pair with the --mag after them, a press without one keeps the
// magnification before it, and the chain is drawn as the window draws it:
// compared with the straightforward pass.
TEST(Program, PressChainIsTheWindowsSequence) {
    const ScratchDirectory folder;
    const Outcome outcome =
        RunProgram(folder, {"--seed", "31337", "--set", "fak01=11", "--mag", "3", "--press",
                            "12.75,33.5", "--press", "200,50", "--mag", "8", "--press", "145,105",
                            "--print-recipe", "-o", "c.ppm"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const std::string expected =
        "seedscape/1 seed=31337 fak01=11 press=12.75,33.5@3 press=200,50@8 press=145,105@8";
    EXPECT_EQ(outcome.out, expected + "\n");
    const PixelImage reference = RenderRecipePicture(*ParseRecipe(expected).recipe, RenderImage);
    EXPECT_EQ(ImageDifference(ReadPpm(folder / "c.ppm"), reference), "");
}

// ---- Variations.

TEST(Program, VariationsAreTheSameEightEveryTimeAndKeepTheLockedGroups) {
    const ScratchDirectory folder;
    const std::string parent = "seedscape/1 seed=449139 barva=7 press=150,100@5";
    const std::vector<std::string> args = {
        "--recipe",       parent,       "--variations", "--lock",       "scheme", "--lock",
        "factors,points", "--strength", "wild",         "--generation", "3"};
    const Outcome first = RunProgram(folder, args);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(RunProgram(folder, args).out, first.out);

    // The eight BreedVariants gives for the same arguments, in order.
    BreedSettings settings;
    settings.locked = {true, true, true, false};
    settings.strength = BreedStrength::kWild;
    settings.generation = 3;
    const Recipe parent_recipe = *ParseRecipe(parent).recipe;
    std::string expected;
    const auto variants = BreedVariants(parent_recipe, settings);
    ASSERT_TRUE(variants.has_value());
    for (const Recipe& variant : *variants) {
        expected += PrintRecipe(variant) + "\n";
    }
    EXPECT_EQ(first.out, expected);

    const ImageState before = RecipeMotherRecord(parent_recipe);
    const std::vector<std::string> lines = Lines(first.out);
    ASSERT_EQ(lines.size(), 8u);
    for (const std::string& line : lines) {
        const RecipeReading reading = ParseRecipe(line);
        ASSERT_TRUE(reading.recipe) << line << ": " << reading.error;
        EXPECT_EQ(reading.recipe->presses, parent_recipe.presses) << line;
        const ImageState after = RecipeMotherRecord(*reading.recipe);
        EXPECT_EQ(static_cast<double>(after.barva), static_cast<double>(before.barva)) << line;
        EXPECT_EQ(static_cast<double>(after.fak02), static_cast<double>(before.fak02)) << line;
        EXPECT_EQ(static_cast<double>(after.yt2), static_cast<double>(before.yt2)) << line;
        EXPECT_NE(line, parent);
    }
    std::vector<std::string> next = args;
    next.back() = "4";
    EXPECT_NE(RunProgram(folder, next).out, first.out);
}

// ---- Contact sheets.

bool IsColour(const std::uint8_t* pixel, Rgb colour) {
    return std::equal(colour.begin(), colour.end(), pixel);
}

// Text, anti-aliased: nearer the ink than the strip in every channel.
bool IsInk(const std::uint8_t* pixel) {
    for (int k = 0; k < 3; ++k) {
        if (2 * pixel[k] > kLabelInk[k] + kLabelStripColour[k]) return false;
    }
    return true;
}

TEST(Program, ContactSheetHoldsEverySeedLabelledAndListsTheirRecipes) {
    const ScratchDirectory folder;
    const Outcome outcome =
        RunProgram(folder, {"--atlas", "7-11", "--columns", "2", "-o", "s.png"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "");

    // Two to a row, three rows, the last one half full.
    const RgbImage sheet = Pixels(folder / "s.png");
    EXPECT_EQ(sheet.width, kImageWidth + kSheetStepX);
    EXPECT_EQ(sheet.height, 2 * kSheetStepY + kImageHeight + kLabelStripHeight);
    const SheetReading listed = ReadContactSheet(folder / "s.png");
    ASSERT_TRUE(listed.recipes) << listed.error;
    EXPECT_EQ(*listed.recipes, (std::vector<std::string>{
                                   "seedscape/1 seed=7", "seedscape/1 seed=8", "seedscape/1 seed=9",
                                   "seedscape/1 seed=10", "seedscape/1 seed=11"}));
    EXPECT_FALSE(ReadPngRecipe(folder / "s.png").recipe) << "a sheet is not one picture";

    for (int index = 0; index < 5; ++index) {
        const SheetPlace place = PlaceOnSheet(index, 2);
        const RgbImage mother = ToRgb(EngineImageMother(7 + index));
        int wrong = 0;
        int ink = 0;
        for (int y = 0; y < kImageHeight; ++y) {
            for (int x = 0; x < kImageWidth; ++x) {
                wrong += !std::equal(mother.At(x, y), mother.At(x, y) + 3,
                                     sheet.At(place.x + x, place.y + y));
            }
        }
        for (int y = kImageHeight; y < kImageHeight + kLabelStripHeight; ++y) {
            for (int x = 0; x < kImageWidth; ++x) {
                ink += IsInk(sheet.At(place.x + x, place.y + y));
            }
        }
        EXPECT_EQ(wrong, 0) << "seed " << 7 + index;
        EXPECT_GT(ink, 10) << "no label under seed " << 7 + index;
    }
    // The place after the last picture is left blank.
    const SheetPlace empty = PlaceOnSheet(5, 2);
    EXPECT_TRUE(IsColour(sheet.At(empty.x + 100, empty.y + 100), kSheetBackground));

    // Given back to --from, a sheet is refused as not one picture.
    const Outcome from = RunProgram(folder, {"--from", "s.png", "-o", "one.png"});
    EXPECT_EQ(from.status, 2);
    EXPECT_EQ(from.err,
              "seedscape-render: --from: s.png is a contact sheet of 5 pictures, not one picture; "
              "its seedscape-atlas text chunk lists their recipes, one of which --recipe draws\n");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"s.png"});
}

// PNG files that ask for gigabytes: a text chunk that claims 2 GiB in a
// small file, hundreds of compressed text chunks that inflate to megabytes
// each, and a sparse file of chunks of 2 GiB each. Each is refused as any
// damaged file is, without taking memory anywhere near what they ask for.
TEST(Program, PngFilesThatAskForGigabytesAreRefusedWithinBoundedMemory) {
    const ScratchDirectory folder;
    const auto chunk = [](const std::string& type, const std::string& data) {
        seedscape::testing::Bytes bytes(data.begin(), data.end());
        return seedscape::testing::MakeChunk(type, bytes);
    };
    std::string error;
    const std::vector<seedscape::testing::Chunk> picture =
        seedscape::testing::SplitChunks(EncodePng(RgbImage(3, 2), {}, error));
    const seedscape::testing::Chunk header = picture.front();

    {  // A text chunk whose length claims 2 GiB, cut off after 60 KB.
        seedscape::testing::Bytes bytes = seedscape::testing::JoinChunks({header});
        const std::string claim = std::string("\x7f\xff\xff\xff", 4) + "tEXt" + kRecipeKeyword +
                                  std::string(1, '\0') + std::string(60000, 'a');
        bytes.insert(bytes.end(), claim.begin(), claim.end());
        seedscape::testing::WriteBytes(folder / "claims.png", bytes);
    }
    {  // 300 compressed text chunks, each inflating to 7.9 MB.
        uLongf packed_size = compressBound(7'900'000);
        seedscape::testing::Bytes packed(packed_size);
        const std::string text(7'900'000, 'x');
        ASSERT_EQ(compress2(packed.data(), &packed_size,
                            reinterpret_cast<const Bytef*>(text.data()), text.size(), 9),
                  Z_OK);
        packed.resize(packed_size);
        std::string data = std::string("Comment") + std::string(2, '\0');
        data.append(packed.begin(), packed.end());
        std::vector<seedscape::testing::Chunk> chunks = {header};
        for (int k = 0; k < 300; ++k) chunks.push_back(chunk("zTXt", data));
        chunks.push_back(picture.back());
        seedscape::testing::WriteBytes(folder / "inflates.png",
                                       seedscape::testing::JoinChunks(chunks));
    }
    {  // 32 chunk headers that each claim 2 GiB, with holes between them.
        std::ofstream sparse(folder / "sparse.png", std::ios::binary);
        const seedscape::testing::Bytes start = seedscape::testing::JoinChunks({header});
        sparse.write(reinterpret_cast<const char*>(start.data()),
                     static_cast<std::streamsize>(start.size()));
        std::streamoff at = static_cast<std::streamoff>(start.size());
        for (int k = 0; k < 32; ++k) {
            sparse.seekp(at);
            sparse.write("\x7f\xff\xff\xfftEXtk", 10);
            at += 12 + 0x7fffffffLL;
        }
        sparse.seekp(at);
        sparse.write("\0", 1);
    }
    for (const char* name : {"claims.png", "inflates.png", "sparse.png"}) {
        const Outcome outcome = RunProgram(folder, {"--from", name, "-o", "out.png"});
        EXPECT_EQ(outcome.status, 2) << name << ": " << outcome.err;
        EXPECT_NE(outcome.err.find(name), std::string::npos) << outcome.err;
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "out.png"));
    // The largest of the three, as its peak resident memory (in kilobytes);
    // reading what the headers claim would take gigabytes.
    struct rusage children = {};
    ASSERT_EQ(getrusage(RUSAGE_CHILDREN, &children), 0);
    EXPECT_LT(children.ru_maxrss, 200 * 1024);
}

// Ctrl+C or a kill while a file is being written: the program ends by the
// signal, and the folder holds what it held before, no partial temporary. The
// signal is sent once the temporary has appeared, so that it lands part way.
struct InterruptRow {
    std::string name;
    std::vector<std::string> args;
    int signal_number;
    bool file_there_before;
};

void PrintTo(const InterruptRow& row, std::ostream* os) {
    *os << row.name;
}

class ProgramInterrupted : public ::testing::TestWithParam<InterruptRow> {};

TEST_P(ProgramInterrupted, LeavesTheFolderAsItWas) {
    const InterruptRow& row = GetParam();
    const ScratchDirectory folder;
    const std::string old_text = "the picture made before";
    if (row.file_there_before) std::ofstream(folder / "out.png") << old_text;
    const std::vector<std::string> before = folder.Entries();

    std::vector<std::string> args = row.args;
    args.insert(args.begin(), SEEDSCAPE_RENDER_PATH);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const std::string directory = folder.path().string();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        if (null < 0 || dup2(null, STDOUT_FILENO) < 0 || dup2(null, STDERR_FILENO) < 0 ||
            chdir(directory.c_str()) != 0) {
            _exit(126);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    bool temporary_seen = false;
    int raw = 0;
    for (int waited_ms = 0; waited_ms < 120'000 && !temporary_seen; waited_ms += 2) {
        if (waitpid(child, &raw, WNOHANG) == child) break;
        for (const std::string& name : folder.Entries()) temporary_seen |= name.front() == '.';
        if (!temporary_seen) usleep(2000);
    }
    if (temporary_seen) {
        usleep(50'000);  // a few pieces written
        kill(child, row.signal_number);
        ASSERT_EQ(waitpid(child, &raw, 0), child);
    }
    ASSERT_TRUE(temporary_seen) << "the program ended before its temporary appeared";
    ASSERT_TRUE(WIFSIGNALED(raw)) << "status " << raw;
    EXPECT_EQ(WTERMSIG(raw), row.signal_number);
    EXPECT_EQ(folder.Entries(), before);
    if (row.file_there_before) {
        EXPECT_EQ(ReadText(folder / "out.png"), old_text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ProgramInterrupted,
    ::testing::Values(InterruptRow{"ExportAtScale32ByCtrlC",
                                   {"--seed", "5", "--scale", "32", "-o", "out.png"},
                                   SIGINT,
                                   false},
                      InterruptRow{"ContactSheetOverAnOldFileByKill",
                                   {"--atlas", "1-2000", "--columns", "40", "-o", "out.png"},
                                   SIGTERM,
                                   true},
                      InterruptRow{"FlightVideoByCtrlC",
                                   {"--recipe", "seedscape/1 seed=5", "--loop", "20", "-o",
                                    "out.mp4"},
                                   SIGINT,
                                   false}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace seedscape::cli
