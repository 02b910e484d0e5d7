#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "colour/grading.h"
#include "recipe/value_readers.h"

namespace seedscape {

// A value of a recipe's grading that a recipe and --set may give: a real
// number of its range, kept in double precision.
struct GradingField {
    std::string_view name;
    ClosedRange range;
    double Grading::*member;
};

inline constexpr std::size_t kGradingFieldCount = 4;

// The grading's fields, in the order recipes print them: hue, saturation,
// exposure, gamma.
std::span<const GradingField> GradingFields();

// The field called `name`, or nullptr when no grading field has that name.
const GradingField* FindGradingField(std::string_view name);

// "hue, saturation, exposure, gamma", for messages.
std::string GradingFieldNames();

// A value of `field`: a finite number in its range, or why not ("must be a
// number from -180 to 180").
Reading<double> ReadGradingValue(const GradingField& field, std::string_view text);

// " hue=30 gamma=2.2": each field that differs from the neutral grading, in
// the fields' order, in the shortest text that reads back as the identical
// number; "" for a neutral grading.
std::string FormatGrading(const Grading& grading);

}  // namespace seedscape
