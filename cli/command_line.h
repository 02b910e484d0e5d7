#pragma once

#include <span>
#include <string>
#include <string_view>

#include "cli/render_options.h"

namespace seedscape::cli {

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
