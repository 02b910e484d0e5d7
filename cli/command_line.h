#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "breed/variations.h"
#include "cli/image_format.h"
#include "recipe/recipe.h"

namespace seedscape::cli {

// What one run does.
enum class Task {
    kPicture,       // one picture: written, and its recipe or parameters printed
    kContactSheet,  // --atlas: many mothers side by side in one PNG
    kVariations,    // --variations: the recipes of eight variants, printed
};

struct RenderOptions {
    Task task = Task::kPicture;

    // The picture, for kPicture and kVariations: built from --seed, --set,
    // --press and --mag, or read whole from --recipe or --from; --scale and
    // --supersample replace its export settings.
    Recipe recipe;
    bool seed_from_clock = false;  // no seed given: the run draws one
    bool print_parameters = false;
    bool print_recipe = false;
    std::optional<std::string> output_path;
    ImageFormat output_format = ImageFormat::kPng;

    // kContactSheet: the seeds from first to last, `columns` to a row.
    int first_seed = 1;
    int last_seed = 1;
    int columns = 10;

    // kVariations.
    BreedSettings breeding;
};

struct CommandLine {
    enum class Action { kRender, kShowHelp, kShowVersion, kUsageError };
    Action action = Action::kRender;
    RenderOptions options;  // for kRender
    std::string error;      // for kUsageError: one line naming the option, value and range
};

// Reads the arguments after the program name, in the order typed; the first
// problem met is the one reported, and --help stops the reading where it
// stands. Nothing is accepted loosely: a value with anything after its
// number, an empty value, NaN or infinity, a fraction where a whole number
// belongs, an unknown field or option, a missing value, an option given
// twice where it may not repeat, or options that do not go together is a
// usage error. What the user typed is escaped where a message repeats it, so
// the message stays one line.
//
// --from reads the recipe its file carries here, so that a file without one
// is refused like any other bad value; the pixels are not decoded.
CommandLine ParseCommandLine(std::span<const std::string_view> args);

// The text --help prints.
std::string UsageText();

// The line --version prints: "seedscape-render 0.2".
std::string VersionText();

}  // namespace seedscape::cli
