#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace seedscape {

// A whole number written as plain decimal digits with an optional leading
// minus: no sign of plus, no blanks, no point, no exponent, nothing after it.
std::optional<long long> ParseWholeNumber(std::string_view text);

// A finite real number in decimal or exponent notation ("0.25", "-1e-3"),
// with nothing before or after it. NaN and infinities are not numbers here.
std::optional<double> ParseRealNumber(std::string_view text);

// The shortest text that reads back to exactly `value` (ParseRealNumber of it
// gives the identical double, the sign of zero included).
std::string FormatRoundTrip(double value);

// The shortest text that reads back, through ParseRealNumber and a rounding
// to single precision, to exactly `value`.
std::string FormatRoundTripSingle(float value);

}  // namespace seedscape
