#pragma once

#include <cstdint>
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

// Times are kept to the microsecond: written in seconds with at most this
// many digits after the point.
inline constexpr int kSecondsDecimals = 6;

// A time in microseconds written in seconds, as short as it reads back:
// "0", "6.5", "0.000001", "-2.25".
std::string FormatSeconds(std::int64_t microseconds);

}  // namespace seedscape
