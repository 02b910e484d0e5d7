#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <functional>
#include <initializer_list>
#include <utility>

#include "atlas/contact_sheet.h"
#include "cli/option_parser.h"
#include "cli/option_values.h"
#include "colour/grading.h"
#include "image_file/png_chunks.h"
#include "image_file/png_file.h"
#include "recipe/export_limits.h"
#include "recipe/message_text.h"
#include "recipe/number_text.h"
#include "recipe/range_text.h"
#include "recipe/value_readers.h"
#include "state/grid_geometry.h"
#include "state/parameter_ranges.h"

namespace seedscape::cli {

namespace {

constexpr WholeRange kColumnRange{1, kMostSheetColumns};

constexpr std::string_view kUsage =
    "Usage: seedscape-render [--seed N] [--set FIELD=VALUE]...\n"
    "                        [--press X,Y [--mag F]]... [--scale K] [--supersample S]\n"
    "                        [--params] [--print-recipe] [-o FILE]\n"
    "       seedscape-render (--recipe TEXT | --from FILE.png) [--scale K]\n"
    "                        [--supersample S] [--params] [--print-recipe] [-o FILE]\n"
    "       seedscape-render --atlas FROM-TO [--columns C] -o SHEET.png\n"
    "       seedscape-render (--recipe TEXT | --from FILE.png | --seed N ...)\n"
    "                        --variations [--lock GROUP,...]... [--strength LEVEL]\n"
    "                        [--generation G]\n"
    "       seedscape-render (--flight FILE | (--recipe TEXT | ...) --loop SECONDS)\n"
    "                        [--fps F] [--scale K] [--supersample S] [--print-flight]\n"
    "                        [--frame-count] [-o VIDEO | (--frames A-B | --share I/N)\n"
    "                        -o DIR/]\n"
    "       seedscape-render --assemble DIR [--verify N] -o VIDEO\n";

constexpr std::string_view kAbout =
    "Renders pictures without a window, pixel for pixel as the window draws them:\n"
    "the image mother of a seed, the image children that presses on it draw, or\n"
    "the picture a recipe names, at any scale; contact sheets of many seeds; the\n"
    "recipes of a picture's variants; and flights, zooms and loops from picture\n"
    "to picture, as video or as frames drawn anywhere and assembled.";

constexpr std::string_view kClosing =
    "A picture needs at least one of -o, --params and --print-recipe; --atlas\n"
    "needs -o. Long options may also be written --option=VALUE.\n"
    "\n"
    "Exit status: 0 done; 1 the image, the video or the printed text could not\n"
    "be written; 2 the command line was refused, or the frames --assemble was\n"
    "given (then nothing is written).\n";

// Where the options' descriptions start in --help.
constexpr std::size_t kHelpColumn = 21;

// Stops CLI11 where it stands, at the option being read, with the message
// that reaches the user.
[[noreturn]] void Refuse(std::string message) {
    throw CLI::ValidationError(std::move(message));
}

// A word that no option took, reported as the user typed it.
std::string DescribeStray(std::string_view word) {
    if (word.starts_with('-') && word.size() > 1) {
        const std::string_view name =
            word.starts_with("--") ? word.substr(0, word.find('=')) : word;
        return "unknown option " + EscapeForMessage(name) + "; see --help";
    }
    return "unexpected argument " + EscapeForMessage(word) + "; see --help";
}

// --help: usage, what the program does, then each option with its
// description in the order declared, then the closing notes.
std::string HelpText(const CLI::App* app, const std::string& /*name*/, CLI::AppFormatMode) {
    std::string text = std::string(kUsage) + "\n" + app->get_description() + "\n\n";
    for (const CLI::Option* option : app->get_options()) {
        std::string names = option->get_name(false, true);  // "-h,--help" as "-h, --help"
        for (std::size_t comma = names.find(','); comma != std::string::npos;
             comma = names.find(',', comma + 2)) {
            names.insert(comma + 1, " ");
        }
        std::string lead = "  " + names;
        if (!option->get_option_text().empty()) lead += " " + option->get_option_text();
        lead += "  ";
        if (lead.size() <= kHelpColumn) {
            lead.resize(kHelpColumn, ' ');
        } else {
            lead += "\n" + std::string(kHelpColumn, ' ');
        }
        text += lead;
        for (const char c : option->get_description()) {
            text += c;
            if (c == '\n') text.append(kHelpColumn, ' ');
        }
        text += '\n';
    }
    return text + "\n" + app->get_footer();
}

// --set's description, with the range of each field.
std::string SetHelp() {
    const std::string indent(22, ' ');  // under the descriptions of the fields
    std::string text =
        "replaces one of the parameters drawn from the seed; may be\n"
        "repeated, and the last value for a field wins:\n";
    text += "  barva               colour scheme, whole, " + FromTo(kColourSchemeRange) + "\n";
    text += "  fak01, fak02        factor formulas, whole, " + FromTo(kFactorFormulaRange) + "\n";
    text += "  dn1, dn2, dn3       channel multipliers, whole, " + FromTo(kMultiplierRange) + "\n";
    text += "  xt1, yt1, xt2, yt2, xt3, yt3\n";
    text += indent + "reference points, from " + FormatRoundTrip(kReferencePointRange.lowest) +
            " up to\n";
    text += indent + "but not including " + FormatRoundTrip(kReferencePointRange.below) + "\n";
    text += "  cr, ci              from " + FormatRoundTrip(kPlaneConstantRange.lowest) +
            " up to but not including\n";
    text +=
        indent + FormatRoundTrip(kPlaneConstantRange.below) + "; every pixel replaces them with\n";
    text += indent + "its own point, so they change the\n";
    text += indent + "printed parameters, not the picture\n";
    const auto from_to = [](ClosedRange range) {
        return FormatRoundTrip(range.lowest) + " to " + FormatRoundTrip(range.highest);
    };
    text += "and the colour grading of the finished picture, in linear\n";
    text += "light, each range with both ends included:\n";
    text += "  hue                 turn of the hue, " + from_to(kHueRange) + " degrees\n";
    text += "  saturation          " + from_to(kSaturationRange) + "; 0 is grey\n";
    text += "  exposure            stops, " + from_to(kExposureRange) + "\n";
    text += "  gamma               " + from_to(kGammaRange) + "\n";
    return text + "All but cr, ci and the grading are kept in single\nprecision.";
}

// Thrown by --version: like --help, it stops the parse where it stands.
struct VersionWanted {};

}  // namespace

Parser::Parser() : app_(std::string(kAbout), "seedscape-render") {
    app_.set_help_flag();  // replaced by the --help below, which stops the parse at once
    app_.formatter_fn(HelpText);
    app_.footer(std::string(kClosing) + "\n" + FlightClosingText());
    AddPictureOptions();
    AddTaskOptions();
    AddFlightOptions();
    AddFlag("--version", "prints the program's name and version.", [] { throw VersionWanted(); });
    AddFlag("-h,--help", "prints this text.", [] { throw CLI::CallForHelp(); });
}

void Parser::AddPictureOptions() {
    AddValueOption(
        {"--seed", "N", WholeNumberText(kSeedRange), "given twice",
         "the seed, " + WholeNumberText(kSeedRange) +
             ". Without it\n"
             "(and without --recipe or --from) a seed is drawn from the\n"
             "clock, as at start-up, and printed as \"seed=N\" on\n"
             "standard output."},
        [this](std::string_view value) { return Store(ReadSeed(value), options_.recipe.seed); });
    AddValueOption({"--set", "FIELD=VALUE", "FIELD=VALUE", "", SetHelp()},
                   [this](std::string_view value) { return ReadSetting(value, options_.recipe); });
    AddValueOption(
        {"--press", "X,Y", "X,Y, a point on the image mother", "",
         "draws the image child of a press at (X, Y) on the image\n"
         "mother instead: 0 <= X <= " +
             std::to_string(kImageWidth - 1) + ", 0 <= Y <= " + std::to_string(kImageHeight - 1) +
             ", fractions\n"
             "allowed. Repeated, it draws a chain of children, each\n"
             "after the pictures before it, as the window does; the\n"
             "last one is the picture. The mother is rendered first."},
        [this](std::string_view value) { return TakePress(value); });
    AddValueOption({"--mag", "F", WholeNumberText(kMagnificationRange), "",
                    "magnification of the press before it, a whole number from\n" +
                        FromTo(kMagnificationRange) +
                        "; one given before the first press is the first\n"
                        "press's. A press without one keeps the magnification of\n"
                        "the press before it, as the window keeps f; the first\n"
                        "press's is " +
                        std::to_string(kStartMagnification) + "."},
                   [this](std::string_view value) { return TakeMagnification(value); });
    AddValueOption({"--recipe", "TEXT", "a recipe", "given twice",
                    "draws the picture a recipe names, such as\n"
                    "\"seedscape/1 seed=449139 barva=7 press=150,100@5\",\n"
                    "in place of --seed, --set, --press and --mag. The\n"
                    "recipe's scale and supersample apply unless --scale or\n"
                    "--supersample is given.",
                    false},
                   [this](std::string_view value) { return TakeRecipe(value); });
    AddValueOption({"--from", "FILE", "a PNG file written by seedscape", "given twice",
                    "draws the picture whose recipe a PNG written by seedscape\n"
                    "carries, at the file's own scale and supersampling unless\n"
                    "--scale or --supersample is given: with -o FILE.png the\n"
                    "same pixels come out. A contact sheet is refused.",
                    false},
                   [this](std::string_view value) { return TakeFrom(value); });
    AddValueOption({"--scale", "K", WholeNumberText(kScaleRange), "given twice",
                    "draws the picture K times as wide and high, " + std::to_string(kImageWidth) +
                        "K x " + std::to_string(kImageHeight) +
                        "K\n"
                        "pixels, each a point of the plane: K a whole number from\n" +
                        FromTo(kScaleRange) + " (default 1, the picture as the window shows it)."},
                   [this](std::string_view value) {
                       return Store(ReadWholeNumber(value, kScaleRange), scale_);
                   });
    AddValueOption({"--supersample", "S", WholeNumberText(kSupersampleRange), "given twice",
                    "averages S x S samples for each pixel, in linear light: S\n" +
                        WholeNumberText(kSupersampleRange) +
                        " (default 1), and K times S at\n"
                        "most " +
                        std::to_string(kLargestSamplesPerSide) +
                        ". Large pictures take a while; when standard error\n"
                        "is a terminal, it shows how far the render has got."},
                   [this](std::string_view value) {
                       return Store(ReadWholeNumber(value, kSupersampleRange), supersample_);
                   });
    AddFlag("--params",
            "prints seed, cr, ci, fak01, fak02, barva, dn1, dn2, dn3,\n"
            "xt1, yt1, xt2, yt2, xt3, yt3, faktor1 and f as name=value\n"
            "lines: the image mother's, with the parameters set by hand\n"
            "or by the recipe. Every value reads back to the identical\n"
            "number; f is the last press's magnification, else " +
                std::to_string(kStartMagnification) + ".",
            [this] { options_.print_parameters = true; });
    AddFlag("--print-recipe",
            "prints the picture's recipe on one line, with its scale and\n"
            "supersample when they are not 1; --recipe draws the same\n"
            "picture from it. Printed before --params's lines.",
            [this] { options_.print_recipe = true; });
    AddValueOption({"-o", "FILE", kOutputValues, "given twice",
                    "writes the image to FILE: PNG if the name ends in .png,\n"
                    "binary PPM (P6) if it ends in .ppm. A PNG carries the\n"
                    "picture's recipe in a tEXt chunk with the keyword\n"
                    "seedscape-recipe; a PPM carries none. The file appears\n"
                    "whole or not at all: the image goes to a new file that\n"
                    "then replaces what is at FILE, so a symbolic link there\n"
                    "is replaced, not followed, and the old file's\n"
                    "permissions are not kept."},
                   [this](std::string_view value) {
                       std::string problem = ReadOutputName(value, options_.output_format);
                       if (problem.empty()) options_.output_path = std::string(value);
                       return problem;
                   });
}

void Parser::AddTaskOptions() {
    AddValueOption({"--atlas", "FROM-TO", AtlasValues(), "given twice",
                    "writes a contact sheet of the image mothers of the seeds\n"
                    "FROM to TO (at most " +
                        std::to_string(kMostSheetPictures) +
                        ") to -o FILE.png instead: each at\n"
                        "full size with its seed in a strip under it, 9 pixels\n"
                        "apart, as in the window's grid. The sheet is not one\n"
                        "picture and carries no recipe; instead a tEXt chunk with\n"
                        "the keyword seedscape-atlas lists the recipes of its\n"
                        "pictures, one a line, left to right and then down."},
                   [this](std::string_view value) {
                       return ReadSeedRange(value, options_.first_seed, options_.last_seed);
                   });
    AddValueOption({"--columns", "C", WholeNumberText(kColumnRange), "given twice",
                    "pictures to a row of the contact sheet, a whole number\nfrom " +
                        FromTo(kColumnRange) + " (default 10)."},
                   [this](std::string_view value) {
                       return Store(ReadWholeNumber(value, kColumnRange), options_.columns);
                   });
    AddFlag("--variations",
            "prints the recipes of the picture's eight variants, one a\n"
            "line, bred as the window breeds them; it draws nothing,\n"
            "so -o, --scale, --supersample, --params and --print-recipe\n"
            "are refused with it. The picture is given by --recipe,\n"
            "--from or --seed (with --set and --press if wanted).",
            [] {});
    AddValueOption(
        {"--lock", "GROUP,...", kGroupValues, "",
         "keeps groups of parameters as the picture has them:\n"
         "scheme (barva), factors (fak01, fak02), points (xt1 to\n"
         "yt3) or multipliers (dn1, dn2, dn3). Several groups are\n"
         "separated by commas, and --lock may be repeated; at least\n"
         "one group must stay free."},
        [this](std::string_view value) { return ReadLockedGroups(value, options_.breeding); });
    AddValueOption(
        {"--strength", "LEVEL", kStrengthValues, "given twice",
         "how far the variants stray from the picture: small,\n"
         "medium (the default) or wild."},
        [this](std::string_view value) { return ReadStrength(value, options_.breeding.strength); });
    AddValueOption({"--generation", "G", WholeNumberText(kGenerationRange), "given twice",
                    "which generation of variants to print, a whole number\n"
                    "from 1 (the default). The same picture, locks, strength\n"
                    "and generation always give the same eight."},
                   [this](std::string_view value) {
                       return Store(ReadWholeNumber(value, kGenerationRange),
                                    options_.breeding.generation);
                   });
}

void Parser::AddValueOption(ValueOption option, ReadValue read) {
    const std::string name = option.name;
    const std::string value_name = option.value_name;
    const std::string help = option.help;
    auto use = [this, option = std::move(option),
                read = std::move(read)](const CLI::results_t& values) {
        const std::string value = values.empty() ? "" : values.front();
        if (value.empty()) {
            Refuse(option.name + ": needs a value, " + std::string(option.values));
        }
        const std::string shown = option.repeat_value ? Shown(option.name, value) : option.name;
        if (!option.given_twice.empty() && TimesGiven(option.name) > 1) {
            Refuse(shown + ": " + option.given_twice);
        }
        if (const std::string reason = read(value); !reason.empty()) {
            Refuse(shown + ": " + reason);
        }
        return true;
    };
    // At most one value each time, and none that looks like an option: a
    // missing value arrives as "" instead of swallowing the next option.
    app_.add_option(name, std::move(use), help)
        ->expected(0, 1)
        ->trigger_on_parse()
        ->option_text(value_name);
}

void Parser::AddFlag(const std::string& names, std::string help, std::function<void()> act) {
    // Messages name a flag by its long name: "-h,--help" is --help.
    const std::string name = names.substr(names.rfind(',') + 1);
    auto use = [name, act = std::move(act)](const CLI::results_t& values) {
        // A plain flag passes "", one written --flag=VALUE passes VALUE.
        if (!values.empty() && !values.front().empty()) Refuse(name + " takes no value");
        act();
        return true;
    };
    app_.add_option(names, std::move(use), std::move(help))->expected(0, 0)->trigger_on_parse();
}

std::ptrdiff_t Parser::TimesGiven(std::string_view name) const {
    const std::vector<CLI::Option*>& order = app_.parse_order();
    return std::count_if(order.begin(), order.end(),
                         [name](const CLI::Option* option) { return option->get_name() == name; });
}

std::string Parser::FirstGiven(std::initializer_list<std::string_view> names) const {
    for (const CLI::Option* option : app_.parse_order()) {
        if (std::find(names.begin(), names.end(), option->get_name()) != names.end()) {
            return option->get_name();
        }
    }
    return {};
}

CommandLine Parser::Parse(std::span<const std::string_view> args) {
    CommandLine result;
    std::string refusal;
    try {
        // CLI11 takes the arguments last first.
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        app_.parse(reversed);
        refusal = CheckTogether();
    } catch (const CLI::CallForHelp&) {
        result.action = CommandLine::Action::kShowHelp;
        return result;
    } catch (const VersionWanted&) {
        result.action = CommandLine::Action::kShowVersion;
        return result;
    } catch (const CLI::ExtrasError&) {
        const std::vector<std::string> strays = app_.remaining();
        refusal = DescribeStray(strays.empty() ? "" : strays.front());
    } catch (const CLI::ValidationError& error) {
        refusal = error.what();  // from Refuse, with the user's text escaped already
    } catch (const CLI::ParseError& error) {
        refusal = EscapeForMessage(error.what());
    }
    if (!refusal.empty()) {
        result.action = CommandLine::Action::kUsageError;
        result.error = std::move(refusal);
        return result;
    }
    result.options = std::move(options_);
    return result;
}

std::string Parser::TakePress(std::string_view value) {
    if (presses_.size() >= static_cast<std::size_t>(Recipe::kMostPresses)) {
        return "more than " + std::to_string(Recipe::kMostPresses) + " presses";
    }
    const Reading<PressPoint> point = ReadPressPoint(value);
    if (!point.value) return point.reason;
    presses_.push_back({point.value->x, point.value->y, std::nullopt});
    return {};
}

std::string Parser::TakeMagnification(std::string_view value) {
    const Reading<int> reading = ReadMagnification(value);
    if (!reading.value) return reading.reason;
    const int f = *reading.value;
    // Each --mag belongs to the press typed last before it; one typed before
    // every press belongs to the first.
    const std::ptrdiff_t presses_before = TimesGiven("--press");
    if (presses_before == 0) {
        if (magnification_before_presses_) return "given twice before the first press";
        magnification_before_presses_ = f;
        return {};
    }
    GivenPress& press = presses_[static_cast<std::size_t>(presses_before - 1)];
    const bool taken = press.f || (presses_before == 1 && magnification_before_presses_);
    if (taken) {
        return "press " + std::to_string(presses_before) + " has a magnification already";
    }
    press.f = f;
    return {};
}

std::string Parser::TakeRecipe(std::string_view value) {
    if (Given("--from")) return "give either --recipe or --from, not both";
    RecipeReading reading = ParseRecipe(value);
    if (!reading.recipe) return reading.error;  // it names the token, escaped
    read_recipe_ = std::move(reading.recipe);
    return {};
}

std::string Parser::TakeFrom(std::string_view value) {
    if (Given("--recipe")) return "give either --recipe or --from, not both";
    const std::string path(value);
    const PngRecipeReading file = ReadPngRecipe(path);
    if (!file.recipe) {
        // Say so when the file is a contact sheet: it lists recipes but is
        // no one picture.
        const SheetReading sheet = ReadContactSheet(path);
        if (sheet.recipes) {
            return EscapeForMessage(path) + " is a contact sheet of " +
                   std::to_string(sheet.recipes->size()) + " pictures, not one picture; its " +
                   kContactSheetKeyword +
                   " text chunk lists their recipes, one of which --recipe draws";
        }
        return EscapeForMessage(file.error);
    }
    RecipeReading reading = ParseRecipe(*file.recipe);
    if (!reading.recipe) {
        return EscapeForMessage(path) + " carries a recipe that cannot be read: " + reading.error;
    }
    read_recipe_ = std::move(reading.recipe);
    return {};
}

std::vector<RecipePress> Parser::ChainOfPresses() const {
    std::vector<RecipePress> chain;
    int f = magnification_before_presses_.value_or(kStartMagnification);
    for (const GivenPress& press : presses_) {
        f = press.f.value_or(f);
        chain.push_back({press.x, press.y, f});
    }
    return chain;
}

std::string Parser::CheckTogether() {
    if (FlightWanted()) return CheckFlight();
    for (const std::string_view name : {"--lock", "--strength", "--generation"}) {
        if (Given(name) && !Given("--variations")) {
            return std::string(name) + ": only goes with --variations";
        }
    }
    if (Given("--columns") && !Given("--atlas")) return "--columns: only goes with --atlas";
    if (Given("--atlas")) {
        const std::string other =
            FirstGiven({"--seed", "--set", "--press", "--mag", "--recipe", "--from", "--scale",
                        "--supersample", "--params", "--print-recipe", "--variations"});
        if (!other.empty()) {
            return "--atlas: cannot be combined with " + other +
                   "; a contact sheet draws the image mothers of its seeds";
        }
        if (!options_.output_path) return "--atlas: give -o FILE.png to write the contact sheet";
        if (options_.output_format != ImageFormat::kPng) {
            return Shown("-o", *options_.output_path) +
                   ": a contact sheet is written as PNG, which lists its pictures' recipes";
        }
        // Refused before anything is drawn: libpng would only refuse the
        // sheet once every picture of it had been.
        const std::string size =
            CheckSheetSize(options_.last_seed - options_.first_seed + 1, options_.columns);
        if (!size.empty()) return "--atlas: " + size;
        options_.task = Task::kContactSheet;
        return {};
    }
    if (std::string problem = CheckPicture(); !problem.empty()) return problem;
    if (Given("--variations")) {
        const std::string other =
            FirstGiven({"-o", "--scale", "--supersample", "--params", "--print-recipe"});
        if (!other.empty()) {
            return "--variations: cannot be combined with " + other +
                   "; it prints the eight variants' recipes and draws nothing";
        }
        if (options_.seed_from_clock) {
            return "--variations: give the picture to vary with --recipe, --from or --seed";
        }
        options_.task = Task::kVariations;
        return {};
    }
    if (options_.output_path && (options_.output_format == ImageFormat::kVideo ||
                                 options_.output_format == ImageFormat::kFolder)) {
        return Shown("-o", *options_.output_path) +
               ": a picture is written as .png or .ppm; videos and folders of frames are "
               "written for --flight or --loop";
    }
    if (!options_.output_path && !options_.print_parameters && !options_.print_recipe) {
        return "nothing to do: give -o FILE to write the image, --params to print its "
               "parameters or --print-recipe to print its recipe";
    }
    return {};
}

std::string Parser::CheckPicture() {
    if (read_recipe_) {
        const std::string other = FirstGiven({"--seed", "--set", "--press", "--mag"});
        if (!other.empty()) {
            return other + ": cannot be combined with " + FirstGiven({"--recipe", "--from"}) +
                   ", whose recipe names the whole picture";
        }
        options_.recipe = *read_recipe_;
    } else {
        if (magnification_before_presses_ && presses_.empty()) {
            return "--mag " + std::to_string(*magnification_before_presses_) +
                   ": magnifies the child of a press; give --press X,Y as well";
        }
        options_.seed_from_clock = !Given("--seed");
        options_.recipe.presses = ChainOfPresses();
    }

    Recipe& recipe = options_.recipe;
    if (scale_) recipe.scale = *scale_;
    if (supersample_) recipe.supersample = *supersample_;
    if (const std::string limit = ExportSizeProblem(recipe.scale, recipe.supersample);
        !limit.empty()) {
        const std::string scale = "--scale " + std::to_string(recipe.scale);
        const std::string supersample = "--supersample " + std::to_string(recipe.supersample);
        if (scale_ && supersample_) return scale + " " + supersample + ": " + limit;
        if (scale_) {
            return scale + ": " + limit + ", and the recipe's supersample is " +
                   std::to_string(recipe.supersample);
        }
        return supersample + ": " + limit + ", and the recipe's scale is " +
               std::to_string(recipe.scale);
    }
    // Every value was refused as it was read if it had to be; the finished
    // recipe must also be one that reads back as itself.
    if (const std::string problem = CheckRecipe(recipe); !problem.empty()) {
        return "the picture's recipe would be refused: " + problem;
    }
    return {};
}

CommandLine ParseCommandLine(std::span<const std::string_view> args) {
    return Parser().Parse(args);
}

std::string UsageText() {
    return Parser().Help();
}

std::string VersionText() {
    return "seedscape-render " SEEDSCAPE_VERSION;
}

}  // namespace seedscape::cli
