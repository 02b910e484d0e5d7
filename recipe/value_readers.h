#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "recipe/recipe_press.h"
#include "recipe/settable_fields.h"
#include "state/parameter_ranges.h"

namespace seedscape {

// The readers of the values that recipes and seedscape-render's options
// share. Each reads its text whole and strictly, and gives the value or the
// reason it refuses the text ("must be a whole number from 1 to 100"), which
// the caller puts after the token or option it names.

template <typename T>
struct Reading {
    std::optional<T> value;
    std::string reason;  // when there is no value
};

// A whole number of `range`, in plain decimal digits.
Reading<int> ReadWholeNumber(std::string_view text, WholeRange range);

// An image mother's seed.
Reading<int> ReadSeed(std::string_view text);

// The magnification of a press.
Reading<int> ReadMagnification(std::string_view text);

// A value of `field`, as the field would store it.
Reading<double> ReadFieldValue(const SettableField& field, std::string_view text);

// A time from 0 to `most_seconds` seconds as whole microseconds: plain
// digits, then at most kSecondsDecimals digits after a point ("6.5", "0.1",
// "12"). No sign, no exponent, and a point has digits on both sides.
Reading<std::int64_t> ReadSeconds(std::string_view text, std::int64_t most_seconds);

// A point on the image mother.
struct PressPoint {
    float x = 0;
    float y = 0;
};

// "X,Y": a point on the image mother, in single precision as the window
// reports a press.
Reading<PressPoint> ReadPressPoint(std::string_view text);

// "X,Y@F": a press and the magnification it draws its child at.
Reading<RecipePress> ReadPress(std::string_view text);

}  // namespace seedscape
