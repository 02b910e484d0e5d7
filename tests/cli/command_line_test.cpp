#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "atlas/contact_sheet.h"
#include "image_file/png_file.h"
#include "recipe/message_text.h"
#include "test_support.h"
#include "tests/support/value_refusals.h"

namespace seedscape::cli {
namespace {

using testing::ScratchDirectory;

// PNG files for --from, made once. Only their recipe chunks are read when
// the options are, so the pictures are stand-ins, except the contact sheet's.
void MakeFiles(const ScratchDirectory& folder) {
    const RgbImage stand_in(2, 2);
    PngMetadata metadata;
    metadata.recipe = "seedscape/1 seed=5 press=100,100@3 scale=2 supersample=4";
    ASSERT_EQ(WritePng(folder / "export.png", stand_in, metadata), "");
    metadata.recipe = "seedscape/1 seed=0";
    ASSERT_EQ(WritePng(folder / "bad-recipe.png", stand_in, metadata), "");
    metadata.recipe = "";
    ASSERT_EQ(WritePng(folder / "plain.png", stand_in, metadata), "");
    std::string bytes = testing::ReadText(folder / "export.png");
    std::ofstream(folder / "truncated.png", std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    std::ofstream(folder / "text.png") << "not a picture\n";
    Recipe first;
    Recipe second;
    second.seed = 2;
    ASSERT_TRUE(WriteContactSheet({first, second}, 10, folder / "sheet.png").ok);
}

const ScratchDirectory& Files() {
    static const ScratchDirectory folder;
    static const bool made = [] {
        MakeFiles(folder);
        return true;
    }();
    (void)made;
    return folder;
}

// "@name" in a row stands for the file of that name among Files().
CommandLine Parse(const std::vector<std::string_view>& args) {
    std::vector<std::string> owned;
    for (const std::string_view arg : args) {
        owned.push_back(arg.starts_with('@') ? Files() / std::string(arg.substr(1))
                                             : std::string(arg));
    }
    const std::vector<std::string_view> views(owned.begin(), owned.end());
    return ParseCommandLine(views);
}

// ---- Command lines that are accepted, and what they ask for.

// The options in one line: the task, the picture's recipe and what is done
// with it, so that a row states everything at a glance.
std::string Summary(const RenderOptions& options) {
    std::ostringstream text;
    switch (options.task) {
        case Task::kContactSheet:
            text << "sheet " << options.first_seed << "-" << options.last_seed << " in "
                 << options.columns << " columns";
            break;
        case Task::kVariations: {
            text << "variations of " << PrintRecipe(options.recipe) << " locking";
            for (int g = 0; g < kParameterGroups; ++g) {
                if (options.breeding.locked[g]) text << " " << GroupName(ParameterGroup(g));
            }
            text << ", " << StrengthName(options.breeding.strength) << ", generation "
                 << options.breeding.generation;
            break;
        }
        case Task::kPicture:
            text << PrintRecipe(options.recipe);
            break;
        case Task::kFlight: {
            const FlightRun& run = options.flight;
            text << "flight of " << FrameCount(run.flight) << " frames at " << run.flight.fps
                 << " fps, " << run.flight.scale << "x" << run.flight.supersample;
            if (run.flight.loop_us) text << ", a loop of " << PrintRecipe(run.flight.keys[0].recipe);
            if (run.frames) text << ", frames " << run.frames->first << "-" << run.frames->second;
            if (run.print_flight) text << " +flight";
            if (run.print_frame_count) text << " +count";
            break;
        }
        case Task::kAssemble:
            text << "assemble " << options.flight.assemble_folder << ", verifying "
                 << (options.flight.verification.all
                         ? std::string("all")
                         : std::to_string(options.flight.verification.frames));
            break;
    }
    if (options.seed_from_clock) text << " (seed from the clock)";
    if (options.print_recipe) text << " +recipe";
    if (options.print_parameters) text << " +params";
    if (options.output_path) {
        text << " -> " << *options.output_path
             << (options.output_format == ImageFormat::kPng ? " (png)" : " (ppm)");
    }
    return text.str();
}

struct Accepted {
    std::string name;
    std::vector<std::string_view> args;
    std::string summary;
};

// Rows print as their name in test listings.
void PrintTo(const Accepted& row, std::ostream* os) {
    *os << row.name;
}

class AcceptedCommandLine : public ::testing::TestWithParam<Accepted> {};

TEST_P(AcceptedCommandLine, GivesTheOptions) {
    const CommandLine parsed = Parse(GetParam().args);
    ASSERT_EQ(parsed.action, CommandLine::Action::kRender) << parsed.error;
    EXPECT_EQ(Summary(parsed.options), GetParam().summary);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, AcceptedCommandLine, ::testing::Values(
    Accepted{"SeedAndPng", {"--seed", "12345", "-o", "out.png"}, "seedscape/1 seed=12345 -> out.png (png)"},
    Accepted{"LowestSeedInEqualsForm", {"--seed=1", "--params"}, "seedscape/1 seed=1 +params"},
    Accepted{"HighestSeed", {"--seed", "1000000", "--params"}, "seedscape/1 seed=1000000 +params"},
    Accepted{"NoSeedMeansTheClock", {"-o", "a/b/c.png"}, "seedscape/1 seed=1 (seed from the clock) -> a/b/c.png (png)"},
    Accepted{"UpperCasePpmExtension", {"-o", "OUT.PPM"}, "seedscape/1 seed=1 (seed from the clock) -> OUT.PPM (ppm)"},
    Accepted{"MixedCasePngExtension", {"-o", "x.PnG"}, "seedscape/1 seed=1 (seed from the clock) -> x.PnG (png)"},
    Accepted{"RepeatedSetLastOneWins", {"--seed", "2", "--set", "barva=3", "--set=barva=22", "--params"}, "seedscape/1 seed=2 barva=22 +params"},
    Accepted{"SetsListedInTheRecipesOrder", {"--seed", "2", "--set", "dn3=30", "--set", "fak01=1", "--set", "cr=-1.5", "--params"}, "seedscape/1 seed=2 fak01=1 dn3=30 cr=-1.5 +params"},
    Accepted{"SinglesAreRoundedAsStored", {"--seed", "2", "--set", "xt1=0.1", "--set", "ci=0.1", "--params"}, "seedscape/1 seed=2 xt1=0.1 ci=0.1 +params"},
    Accepted{"ExponentNotation", {"--seed", "2", "--set", "yt2=-2.5e-1", "--params"}, "seedscape/1 seed=2 yt2=-0.25 +params"},
    Accepted{"PressWithFractionsTakesDefaultMagnification", {"--seed", "3", "--press", "12.5,200.25", "-o", "c.png"}, "seedscape/1 seed=3 press=12.5,200.25@5 -> c.png (png)"},
    Accepted{"PressOnTheLastColumnAndRow", {"--seed", "3", "--press", "290,210", "--mag", "100", "-o", "c.png"}, "seedscape/1 seed=3 press=290,210@100 -> c.png (png)"},
    Accepted{"PressAtTheOriginWithMagnificationOne", {"--seed", "3", "--press=0,0", "--mag=1", "--params"}, "seedscape/1 seed=3 press=0,0@1 +params"},
    Accepted{"MagnificationBeforeThePressIsItsOwn", {"--seed", "3", "--mag", "37", "--press", "1,1", "--params"}, "seedscape/1 seed=3 press=1,1@37 +params"},
    Accepted{"PressJustPastTheEdgeIsOnItInSinglePrecision", {"--seed", "3", "--press", "290.000001,0", "--params"}, "seedscape/1 seed=3 press=290,0@5 +params"},
    Accepted{"ValueThatStartsWithAMinusIsNoOption", {"--seed", "3", "--press", "-0,5", "--params"}, "seedscape/1 seed=3 press=-0,5@5 +params"},
    Accepted{"ChainKeepsTheMagnificationOfThePressBefore", {"--seed", "4", "--press", "1,2", "--mag", "8", "--press", "3,4", "--press", "5,6", "--mag", "2", "--press", "7,8", "--params"}, "seedscape/1 seed=4 press=1,2@8 press=3,4@8 press=5,6@2 press=7,8@2 +params"},
    Accepted{"ChainFromAMagnificationBeforeEveryPress", {"--seed", "4", "--mag", "9", "--press", "1,2", "--press", "3,4", "--mag", "3", "--params"}, "seedscape/1 seed=4 press=1,2@9 press=3,4@3 +params"},
    Accepted{"ChainWithSetsInBetween", {"--press", "1,2", "--set", "barva=5", "--press", "3,4", "--seed", "6", "-o", "c.png"}, "seedscape/1 seed=6 barva=5 press=1,2@5 press=3,4@5 -> c.png (png)"},
    Accepted{"ScaleAndSupersample", {"--seed", "5", "--scale", "16", "--supersample", "4", "-o", "e.png"}, "seedscape/1 seed=5 scale=16 supersample=4 -> e.png (png)"},
    Accepted{"LargestScale", {"--seed", "5", "--scale", "32", "--supersample", "2", "-o", "e.ppm"}, "seedscape/1 seed=5 scale=32 supersample=2 -> e.ppm (ppm)"},
    Accepted{"PrintRecipeAlone", {"--seed", "5", "--print-recipe"}, "seedscape/1 seed=5 +recipe"},
    Accepted{"Recipe", {"--recipe", "seedscape/1 seed=449139 barva=7 press=150,100@5 press=60,150@7", "-o", "r.png"}, "seedscape/1 seed=449139 barva=7 press=150,100@5 press=60,150@7 -> r.png (png)"},
    Accepted{"RecipeKeepsItsExportSettings", {"--recipe", "seedscape/1 seed=9 scale=3 supersample=2", "--print-recipe"}, "seedscape/1 seed=9 scale=3 supersample=2 +recipe"},
    Accepted{"ScaleReplacesTheRecipes", {"--recipe", "seedscape/1 seed=9 scale=3 supersample=2", "--scale", "1", "--params"}, "seedscape/1 seed=9 supersample=2 +params"},
    Accepted{"FromTakesTheFilesRecipe", {"--from", "@export.png", "--print-recipe"}, "seedscape/1 seed=5 press=100,100@3 scale=2 supersample=4 +recipe"},
    Accepted{"FromWithSupersampleGiven", {"--from", "@export.png", "--supersample", "1", "-o", "b.png"}, "seedscape/1 seed=5 press=100,100@3 scale=2 -> b.png (png)"},
    Accepted{"Atlas", {"--atlas", "1-100", "-o", "sheet.png"}, "sheet 1-100 in 10 columns -> sheet.png (png)"},
    Accepted{"AtlasOfOneSeedInColumns", {"--columns", "3", "--atlas=1000000-1000000", "-o", "s.PNG"}, "sheet 1000000-1000000 in 3 columns -> s.PNG (png)"},
    Accepted{"AtlasOfTheMostSeeds", {"--atlas", "990001-1000000", "--columns", "100", "-o", "s.png"}, "sheet 990001-1000000 in 100 columns -> s.png (png)"},
    Accepted{"VariationsByDefault", {"--recipe", "seedscape/1 seed=5", "--variations"}, "variations of seedscape/1 seed=5 locking, medium, generation 1"},
    Accepted{"VariationsOfASeedWithLocksAndStrength", {"--seed", "8", "--variations", "--lock", "scheme,points", "--lock", "scheme", "--strength", "wild", "--generation", "12"}, "variations of seedscape/1 seed=8 locking scheme points, wild, generation 12"},
    Accepted{"VariationsWithThreeGroupsLocked", {"--from", "@export.png", "--variations", "--lock=factors,points,multipliers", "--strength=small"}, "variations of seedscape/1 seed=5 press=100,100@3 scale=2 supersample=4 locking factors points multipliers, small, generation 1"}),
    [](const auto& info) { return info.param.name; });
// clang-format on

// ---- Command lines that are refused: one line naming the option, the value
// and what would be accepted.

struct Refused {
    std::string name;
    std::vector<std::string_view> args;
    std::vector<std::string> message_parts;
};

// Rows print as their name in test listings.
void PrintTo(const Refused& row, std::ostream* os) {
    *os << row.name;
}

class RefusedCommandLine : public ::testing::TestWithParam<Refused> {};

TEST_P(RefusedCommandLine, SaysWhyOnOneLine) {
    const CommandLine parsed = Parse(GetParam().args);
    ASSERT_EQ(parsed.action, CommandLine::Action::kUsageError);
    // No control character at all: nothing the user typed may break the line
    // or reach the terminal as a command.
    for (const char c : parsed.error) {
        EXPECT_TRUE(c >= 0x20 && c != 0x7f)
            << "control character " << int(c) << " in " << parsed.error;
    }
    for (const std::string& part : GetParam().message_parts) {
        EXPECT_NE(parsed.error.find(part), std::string::npos)
            << "\"" << parsed.error << "\" lacks \"" << part << "\"";
    }
}

const std::string kSeedReason = "must be a whole number from 1 to 1000000";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, RefusedCommandLine, ::testing::Values(
    Refused{"SeedLeadingBlank", {"--seed", " 12", "--params"}, {"--seed  12: " + kSeedReason}},
    Refused{"SeedEmpty", {"--seed=", "--params"}, {"--seed: needs a value, a whole number from 1 to 1000000"}},
    Refused{"SeedMissingAtTheEnd", {"--params", "--seed"}, {"--seed: needs a value", "1 to 1000000"}},
    Refused{"SeedFollowedByAnotherOption", {"--seed", "--params"}, {"--seed: needs a value"}},
    Refused{"SeedWithANewline", {"--seed", "5\n", "--params"}, {"--seed 5\\n: " + kSeedReason}},
    Refused{"SeedTwice", {"--seed", "5", "--seed", "6", "--params"}, {"--seed 6: given twice"}},
    Refused{"SetUnknownField", {"--set", "foo=1", "--params"}, {"--set foo=1", "no field called \"foo\"", "barva, fak01"}},
    Refused{"SetFieldNamesAreCaseSensitive", {"--set", "BARVA=3", "--params"}, {"no field called \"BARVA\""}},
    Refused{"SetSeedIsNotAField", {"--set", "seed=5", "--params"}, {"no field called \"seed\""}},
    Refused{"SetFieldWithATerminalCommand", {"--set", "\x1b[2Jbarva=1", "--params"}, {"--set \\x1b[2Jbarva=1: no field called \"\\x1b[2Jbarva\""}},
    Refused{"SetWithoutEquals", {"--set", "barva", "--params"}, {"--set barva: needs FIELD=VALUE"}},
    Refused{"PressWithOneNumber", {"--press", "10", "-o", "x.png"}, {"--press 10: needs X,Y"}},
    Refused{"PressWithThreeNumbers", {"--press", "1,2,3", "-o", "x.png"}, {"--press 1,2,3: needs X,Y"}},
    Refused{"PressWithEmptyY", {"--press", "5,", "-o", "x.png"}, {"--press 5,: needs X,Y"}},
    Refused{"PressNan", {"--press", "nan,3", "-o", "x.png"}, {"--press nan,3: needs X,Y"}},
    Refused{"MagnificationWithoutPress", {"--mag", "7", "--params"}, {"--mag 7", "give --press X,Y as well"}},
    Refused{"MagnificationMissingValue", {"--press", "1,1", "--params", "--mag"}, {"--mag: needs a value"}},
    Refused{"MagnificationTwiceBeforeTheFirstPress", {"--mag", "3", "--mag", "4", "--press", "1,1", "--params"}, {"--mag 4: given twice before the first press"}},
    Refused{"MagnificationTwiceForOnePress", {"--press", "1,1", "--mag", "3", "--press", "2,2", "--mag", "3", "--mag", "4", "--params"}, {"--mag 4: press 2 has a magnification already"}},
    Refused{"MagnificationBeforeAndAfterTheFirstPress", {"--mag", "3", "--press", "1,1", "--mag", "4", "--params"}, {"--mag 4: press 1 has a magnification already"}},
    Refused{"ScaleTimesSupersampleAbove64", {"--seed", "5", "--scale", "16", "--supersample", "5", "-o", "x.png"}, {"--scale 16 --supersample 5: scale times supersample must be at most 64"}},
    Refused{"ScaleTimesTheFilesSupersampleAbove64", {"--from", "@export.png", "--scale", "17", "-o", "x.png"}, {"--scale 17: scale times supersample must be at most 64, and the recipe's supersample is 4"}},
    Refused{"SupersampleTimesTheRecipesScaleAbove64", {"--recipe", "seedscape/1 seed=2 scale=32", "--supersample", "3", "-o", "x.png"}, {"--supersample 3: scale times supersample must be at most 64, and the recipe's scale is 32"}},
    Refused{"RecipeWithSeed", {"--recipe", "seedscape/1 seed=5", "--seed", "3", "-o", "x.png"}, {"--seed: cannot be combined with --recipe, whose recipe names the whole picture"}},
    Refused{"SetBeforeRecipe", {"--set", "barva=2", "--recipe", "seedscape/1 seed=5", "-o", "x.png"}, {"--set: cannot be combined with --recipe"}},
    Refused{"PressWithFrom", {"--from", "@export.png", "--press", "3,4", "-o", "x.png"}, {"--press: cannot be combined with --from"}},
    Refused{"RecipeAndFrom", {"--recipe", "seedscape/1 seed=5", "--from", "@export.png", "-o", "x.png"}, {"--from: give either --recipe or --from, not both"}},
    Refused{"RecipeTwice", {"--recipe", "seedscape/1 seed=5", "--recipe", "seedscape/1 seed=6", "-o", "x.png"}, {"--recipe: given twice"}},
    Refused{"RecipeMalformed", {"--recipe", "seedscape/1 seed=5 barva=99", "-o", "x.png"}, {"--recipe: barva=99: must be a whole number from 1 to 22"}},
    Refused{"RecipeOfAnotherProgram", {"--recipe", "hello", "-o", "x.png"}, {"--recipe: hello: not a seedscape recipe"}},
    Refused{"RecipeOverTwoLines", {"--recipe", "seedscape/1 seed=5\nseedscape/1 seed=6", "-o", "x.png"}, {"--recipe: a recipe is a single line"}},
    Refused{"FromMissingFile", {"--from", "@missing.png", "-o", "x.png"}, {"--from: cannot read ", "missing.png: No such file or directory"}},
    Refused{"FromTextFile", {"--from", "@text.png", "-o", "x.png"}, {"--from: ", "text.png is not a PNG image"}},
    Refused{"FromTruncatedFile", {"--from", "@truncated.png", "-o", "x.png"}, {"--from: ", "truncated.png is truncated"}},
    Refused{"FromPngWithoutRecipe", {"--from", "@plain.png", "-o", "x.png"}, {"--from: ", "plain.png carries no seedscape recipe"}},
    Refused{"FromPngWithABadRecipe", {"--from", "@bad-recipe.png", "-o", "x.png"}, {"--from: ", "bad-recipe.png carries a recipe that cannot be read: seed=0: the seed must be"}},
    Refused{"FromContactSheet", {"--from", "@sheet.png", "-o", "x.png"}, {"--from: ", "sheet.png is a contact sheet of 2 pictures, not one picture"}},
    Refused{"AtlasFromAboveTo", {"--atlas", "9-3", "-o", "s.png"}, {"--atlas 9-3: FROM must not be above TO"}},
    Refused{"AtlasSeedZero", {"--atlas", "0-5", "-o", "s.png"}, {"--atlas 0-5: seeds run from 1 to 1000000"}},
    Refused{"AtlasBeyondTheLastSeed", {"--atlas", "999999-1000001", "-o", "s.png"}, {"--atlas 999999-1000001: seeds run from 1 to 1000000"}},
    Refused{"AtlasOfWords", {"--atlas", "one-ten", "-o", "s.png"}, {"--atlas one-ten: needs FROM-TO, two seeds from 1 to 1000000"}},
    Refused{"AtlasOfOneNumber", {"--atlas", "5", "-o", "s.png"}, {"--atlas 5: needs FROM-TO"}},
    Refused{"AtlasWithANegativeSeed", {"--atlas", "-5-10", "-o", "s.png"}, {"--atlas -5-10: needs FROM-TO"}},
    Refused{"AtlasOfTooManySeeds", {"--atlas", "1-10001", "-o", "s.png"}, {"--atlas 1-10001: a contact sheet takes at most 10000 seeds"}},
    Refused{"AtlasWithSeed", {"--atlas", "1-5", "--seed", "3", "-o", "s.png"}, {"--atlas: cannot be combined with --seed"}},
    Refused{"AtlasWithScale", {"--atlas", "1-5", "--scale", "2", "-o", "s.png"}, {"--atlas: cannot be combined with --scale"}},
    Refused{"AtlasWithoutOutput", {"--atlas", "1-5"}, {"--atlas: give -o FILE.png"}},
    Refused{"AtlasAsPpm", {"--atlas", "1-5", "-o", "s.ppm"}, {"-o s.ppm: a contact sheet is written as PNG"}},
    Refused{"ColumnsWithoutAtlas", {"--seed", "5", "--columns", "3", "-o", "x.png"}, {"--columns: only goes with --atlas"}},
    Refused{"ColumnsZero", {"--atlas", "1-5", "--columns", "0", "-o", "s.png"}, {"--columns 0: must be a whole number from 1 to 100"}},
    Refused{"LockUnknownGroup", {"--seed", "5", "--variations", "--lock", "colours"}, {"--lock colours: no group called \"colours\"; the groups are scheme, factors, points and multipliers"}},
    Refused{"LockUnknownGroupInAList", {"--seed", "5", "--variations", "--lock", "scheme,Points"}, {"--lock scheme,Points: no group called \"Points\""}},
    Refused{"LockEmptyGroup", {"--seed", "5", "--variations", "--lock", "scheme,,points"}, {"--lock scheme,,points: needs one or more of scheme, factors"}},
    Refused{"LockEveryGroup", {"--seed", "5", "--variations", "--lock", "scheme,factors,points,multipliers"}, {"--lock scheme,factors,points,multipliers: every group would be locked"}},
    Refused{"LockEveryGroupOverSeveralOptions", {"--seed", "5", "--variations", "--lock", "scheme,factors", "--lock", "points", "--lock", "multipliers"}, {"--lock multipliers: every group would be locked"}},
    Refused{"LockWithoutVariations", {"--seed", "5", "--lock", "scheme", "-o", "x.png"}, {"--lock: only goes with --variations"}},
    Refused{"StrengthUnknown", {"--seed", "5", "--variations", "--strength", "huge"}, {"--strength huge: must be small, medium or wild"}},
    Refused{"GenerationZero", {"--seed", "5", "--variations", "--generation", "0"}, {"--generation 0: must be a whole number from 1 to 2147483647"}},
    Refused{"GenerationFraction", {"--seed", "5", "--variations", "--generation", "1.5"}, {"--generation 1.5: must be a whole number"}},
    Refused{"VariationsWithOutput", {"--seed", "5", "--variations", "-o", "x.png"}, {"--variations: cannot be combined with -o; it prints the eight variants' recipes and draws nothing"}},
    Refused{"VariationsWithScale", {"--seed", "5", "--scale", "2", "--variations"}, {"--variations: cannot be combined with --scale"}},
    Refused{"VariationsOfTheClocksSeed", {"--variations"}, {"--variations: give the picture to vary with --recipe, --from or --seed"}},
    Refused{"OutputOtherExtension", {"-o", "x.jpg"}, {"-o x.jpg: must be a file name ending in .png or .ppm"}},
    Refused{"OutputWithoutExtension", {"-o", "png"}, {"-o png: must be a file name ending in .png or .ppm"}},
    Refused{"OutputNamesAFolder", {"-o", "pictures.png/"}, {"-o pictures.png/: a picture is written as .png or .ppm"}},
    Refused{"OutputMissingName", {"--seed", "4", "-o"}, {"-o: needs a value"}},
    Refused{"OutputTwice", {"-o", "a.png", "-o", "b.png"}, {"-o b.png: given twice"}},
    Refused{"OutputWrittenWithEquals", {"-o=x.png"}, {"-o =x.png: must not begin with \"=\""}},
    Refused{"OutputFollowedByAnotherOption", {"-o", "--params"}, {"-o: needs a value, a file name ending in .png or .ppm"}},
    Refused{"UnknownLongOption", {"--bogus", "--params"}, {"unknown option --bogus"}},
    Refused{"UnknownLongOptionWithAValue", {"--bogus=3", "--params"}, {"unknown option --bogus;"}},
    Refused{"UnknownShortOption", {"-x", "--params"}, {"unknown option -x"}},
    Refused{"UnknownOptionWithABell", {"--bo\agus", "--params"}, {"unknown option --bo\\x07gus"}},
    Refused{"StrayArgument", {"--params", "out.png"}, {"unexpected argument out.png"}},
    Refused{"StrayArgumentOverTwoLines", {"--params", "a\r\nb"}, {"unexpected argument a\\r\\nb"}},
    Refused{"FlagWithAValue", {"--params=yes"}, {"--params takes no value"}},
    Refused{"FlagWithTrue", {"--params=true"}, {"--params takes no value"}},
    Refused{"NothingToDo", {"--seed", "5"}, {"nothing to do", "-o FILE", "--params", "--print-recipe"}},
    Refused{"NothingToDoWithARecipe", {"--recipe", "seedscape/1 seed=5"}, {"nothing to do"}},
    Refused{"NoArgumentsAtAll", {}, {"nothing to do"}}),
    [](const auto& info) { return info.param.name; });
// clang-format on

// ---- Values refused as a recipe refuses them, the option named before the
// value and the reason.

// The option and value of a row, as typed, and as the message repeats them.
std::vector<std::string> OptionOf(const seedscape::testing::ValueRefusal& row) {
    switch (row.kind) {
        case seedscape::testing::ValueKind::kSeed:
            return {"--seed", row.value};
        case seedscape::testing::ValueKind::kSetting:
            return {"--set", row.value};
        case seedscape::testing::ValueKind::kPoint:
            return {"--press", row.value};
        case seedscape::testing::ValueKind::kMagnification:
            return {"--press", "1,1", "--mag", row.value};
        case seedscape::testing::ValueKind::kScale:
            return {"--scale", row.value};
        case seedscape::testing::ValueKind::kSupersample:
            break;
    }
    return {"--supersample", row.value};
}

class RefusedOptionValue : public ::testing::TestWithParam<seedscape::testing::ValueRefusal> {};

TEST_P(RefusedOptionValue, NamesTheOptionAndTheValue) {
    std::vector<std::string> owned = OptionOf(GetParam());
    const std::string option = owned[owned.size() - 2];
    owned.push_back("--params");
    const CommandLine parsed = Parse(std::vector<std::string_view>(owned.begin(), owned.end()));
    ASSERT_EQ(parsed.action, CommandLine::Action::kUsageError);
    for (const char c : parsed.error) EXPECT_TRUE(c >= 0x20 && c != 0x7f) << parsed.error;
    EXPECT_EQ(parsed.error,
              option + " " + EscapeForMessage(GetParam().value) + ": " + GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(Rows, RefusedOptionValue,
                         ::testing::ValuesIn(seedscape::testing::ValueRefusals()),
                         [](const auto& info) { return info.param.name; });

TEST(HelpOption, WinsOverTheRestOfTheCommandLine) {
    EXPECT_EQ(Parse({"--help"}).action, CommandLine::Action::kShowHelp);
    EXPECT_EQ(Parse({"--seed", "5", "--help", "--bogus"}).action, CommandLine::Action::kShowHelp);
    EXPECT_EQ(Parse({"--help", "--seed", "0"}).action, CommandLine::Action::kShowHelp);
    // ...but an error before it is still an error.
    EXPECT_EQ(Parse({"--seed", "0", "--help"}).action, CommandLine::Action::kUsageError);
}

// Each option on a line of its own with its value's name, descriptions in one
// column, and nothing wider than a terminal.
TEST(HelpText, ListsEveryOptionInOneColumnWithinEightyCharacters) {
    const std::string help = UsageText();
    for (const std::string option :
         {"--seed N", "--set FIELD=VALUE", "--press X,Y", "--mag F", "--recipe TEXT", "--from FILE",
          "--scale K", "--supersample S", "--params", "--print-recipe", "-o FILE",
          "--atlas FROM-TO", "--columns C", "--variations", "--lock GROUP,...", "--strength LEVEL",
          "--generation G", "--version", "-h, --help"}) {
        std::string lead = "\n  " + option;
        lead.resize(22, ' ');
        EXPECT_NE(help.find(lead), std::string::npos) << option;
    }
    // The contact sheet's chunk is documented where users look.
    EXPECT_NE(help.find(kContactSheetKeyword), std::string::npos);
    std::istringstream lines(help);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_LE(line.size(), 80u) << line;
    }
}

// ---- What a message repeats of the user's typing.

struct Escaped {
    std::string name;
    std::string_view typed;
    std::string shown;
};

// Rows print as their name in test listings.
void PrintTo(const Escaped& row, std::ostream* os) {
    *os << row.name;
}

class EscapedText : public ::testing::TestWithParam<Escaped> {};

TEST_P(EscapedText, IsShownOnOneLineWithoutControls) {
    EXPECT_EQ(EscapeForMessage(GetParam().typed), GetParam().shown);
}

using namespace std::string_view_literals;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, EscapedText, ::testing::Values(
    Escaped{"PlainTextIsKept", "out 1.png", "out 1.png"},
    Escaped{"Newline", "5\n", "5\\n"},
    Escaped{"CarriageReturnAndTab", "a\rb\tc", "a\\rb\\tc"},
    Escaped{"TerminalEscapeSequence", "\x1b[31mred", "\\x1b[31mred"},
    Escaped{"BellAndDelete", "\a\x7f", "\\x07\\x7f"},
    Escaped{"NulByte", "a\0b"sv, "a\\x00b"},
    Escaped{"BackslashIsDoubledSoEscapesReadOneWay", "a\\nb", "a\\\\nb"},
    Escaped{"Utf8LettersAreKept", "slika-\u010d-\u6f22\U0001f600.png", "slika-\u010d-\u6f22\U0001f600.png"},
    Escaped{"C1ControlSequenceIntroducer", "\u009b2J", "\\xc2\\x9b2J"},
    Escaped{"RightToLeftOverrideWouldReverseTheRest", "a\u202ecod.png", "a\\xe2\\x80\\xaecod.png"},
    Escaped{"IsolatesAndMarksOfDirection", "\u2068\u200f\u061c", "\\xe2\\x81\\xa8\\xe2\\x80\\x8f\\xd8\\x9c"},
    Escaped{"SpacesBesideTheControlsAreKept", "a\u202fb\u2065", "a\u202fb\u2065"},
    Escaped{"LoneContinuationByte", "\x80", "\\x80"},
    Escaped{"ByteThatIsNeverUtf8", "\xff", "\\xff"},
    Escaped{"CharacterCutShort", "a\xe6\xbc", "a\\xe6\\xbc"},
    Escaped{"OverlongSlash", "\xc0\xaf", "\\xc0\\xaf"},
    Escaped{"OverlongThreeBytes", "\xe0\x80\xaf", "\\xe0\\x80\\xaf"},
    Escaped{"Surrogate", "\xed\xa0\x80", "\\xed\\xa0\\x80"},
    Escaped{"BeyondUnicode", "\xf4\x90\x80\x80", "\\xf4\\x90\\x80\\x80"}),
    [](const auto& info) { return info.param.name; });
// clang-format on

}  // namespace
}  // namespace seedscape::cli
