#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "recipe/settable_fields.h"

namespace seedscape::cli {

enum class ImageFormat { kPng, kPpm };

// A press on the image mother, in window pixels, as the window reports it.
struct Press {
    float x = 0;
    float y = 0;
};

// One --set: the field and the value it takes, already checked.
struct ParameterSetting {
    const SettableField* field = nullptr;
    double value = 0;
};

struct RenderOptions {
    std::optional<double> seed;              // drawn from the clock when absent
    std::vector<ParameterSetting> settings;  // in the order given, so a later one wins
    std::optional<Press> press;
    double magnification = 5;
    bool print_parameters = false;
    std::optional<std::string> output_path;
    ImageFormat output_format = ImageFormat::kPng;
};

struct CommandLine {
    enum class Action { kRender, kShowHelp, kUsageError };
    Action action = Action::kRender;
    RenderOptions options;  // for kRender
    std::string error;      // for kUsageError: one line naming the option, value and range
};

// Reads the arguments after the program name, in the order typed; the first
// problem met is the one reported, and --help stops the reading where it
// stands. Nothing is accepted loosely: a value with anything after its
// number, an empty value, NaN or infinity, a fraction where a whole number
// belongs, an unknown field or option, a missing value or an option given
// twice is a usage error. What the user typed is escaped where a message
// repeats it, so the message stays one line.
CommandLine ParseCommandLine(std::span<const std::string_view> args);

// The text --help prints.
std::string UsageText();

}  // namespace seedscape::cli
