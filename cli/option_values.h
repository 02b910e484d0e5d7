#pragma once

#include <string>
#include <string_view>

#include "breed/variations.h"
#include "cli/command_line.h"
#include "recipe/recipe.h"

namespace seedscape::cli {

// Readers of the options' values. Each checks one value strictly and, when
// it is sound, stores it and returns ""; else it returns why the value is
// refused ("must be ..."), for a message that names the option.

inline constexpr std::string_view kSeedValues = "a whole number from 1 to 1000000";
inline constexpr std::string_view kMagnificationValues = "a whole number from 1 to 100";
inline constexpr std::string_view kOutputValues = "a file name ending in .png or .ppm";
inline constexpr std::string_view kAtlasValues = "FROM-TO, two seeds from 1 to 1000000";
inline constexpr std::string_view kGroupValues =
    "one or more of scheme, factors, points, "
    "multipliers, separated by commas";
inline constexpr std::string_view kStrengthValues = "small, medium or wild";

// A whole number from `lowest` to `highest`, nothing around it.
std::string ReadWholeNumber(std::string_view value, long long lowest, long long highest, int& out);

// FIELD=VALUE, stored in the recipe as the field would store it.
std::string ReadSetting(std::string_view value, Recipe& recipe);

// X,Y on the image mother, in single precision as the window reports it.
std::string ReadPressPoint(std::string_view value, float& x, float& y);

// A name ending in .png or .ppm, either case.
std::string ReadOutputName(std::string_view value, ImageFormat& format);

// FROM-TO: the seeds of a contact sheet, FROM not above TO, at most
// kMostSheetPictures of them.
std::string ReadSeedRange(std::string_view value, int& first, int& last);

// GROUP,GROUP,...: each named group is locked. Refused when it would leave
// every group locked.
std::string ReadLockedGroups(std::string_view value, BreedSettings& settings);

std::string ReadStrength(std::string_view value, BreedStrength& strength);

}  // namespace seedscape::cli
