#pragma once

#include <string>
#include <string_view>

#include "breed/variations.h"
#include "cli/image_format.h"
#include "recipe/recipe.h"
#include "recipe/value_readers.h"

namespace seedscape::cli {

// Readers of the options' values that recipes do not share. Each checks one
// value strictly and, when it is sound, stores it and returns ""; else it
// returns why the value is refused ("must be ..."), for a message that names
// the option. The values recipes share are read by recipe/value_readers.h.

// What a value must be, as "needs a value, ..." and the readers word it.
std::string AtlasValues();  // "FROM-TO, two seeds from 1 to 1000000"
inline constexpr char kOutputValues[] =
    "a file name ending in .png or .ppm, a video ending in .mp4, .webm or .gif, "
    "or a folder ending in /";
inline constexpr char kGroupValues[] =
    "one or more of scheme, factors, points, "
    "multipliers, separated by commas";
inline constexpr char kStrengthValues[] = "small, medium or wild";

// Stores a reading's value in `out`; returns "" then, else its reason.
template <typename T, typename Out>
std::string Store(Reading<T> reading, Out& out) {
    if (!reading.value) return std::move(reading.reason);
    out = std::move(*reading.value);
    return {};
}

// FIELD=VALUE, stored in the recipe as the field would store it.
std::string ReadSetting(std::string_view value, Recipe& recipe);

// A name ending in .png, .ppm, .mp4, .webm or .gif, either case, or a
// folder ending in "/".
std::string ReadOutputName(std::string_view value, ImageFormat& format);

// FROM-TO: the seeds of a contact sheet, FROM not above TO, at most
// kMostSheetPictures of them.
std::string ReadSeedRange(std::string_view value, int& first, int& last);

// GROUP,GROUP,...: each named group is locked. Refused when it would leave
// every group locked.
std::string ReadLockedGroups(std::string_view value, BreedSettings& settings);

std::string ReadStrength(std::string_view value, BreedStrength& strength);

}  // namespace seedscape::cli
