#include "recipe/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace seedscape {

std::optional<long long> ParseWholeNumber(std::string_view text) {
    const std::string_view digits = text.starts_with('-') ? text.substr(1) : text;
    // from_chars would take "-" followed by digits, but a lone sign or an
    // empty text has no digits at all.
    if (digits.empty() || digits.front() < '0' || digits.front() > '9') return std::nullopt;
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<double> ParseRealNumber(std::string_view text) {
    if (text.empty()) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

std::string FormatRoundTrip(double value) {
    std::array<char, 32> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    // 32 characters hold the longest shortest form of any double ("-2.2250738585072014e-308").
    if (error != std::errc()) return "?";
    return std::string(buffer.data(), end);
}

std::string FormatRoundTripSingle(float value) {
    std::array<char, 32> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (error != std::errc()) return "?";
    std::string text(buffer.data(), end);
    // The text is read as a double and then rounded to a float. Should that
    // double rounding ever land on the other float, the double's own text,
    // which holds the float exactly, is used instead.
    const std::optional<double> back = ParseRealNumber(text);
    if (!back || static_cast<float>(*back) != value) return FormatRoundTrip(value);
    return text;
}

std::string FormatSeconds(std::int64_t microseconds) {
    std::uint64_t per_second = 1;
    for (int k = 0; k < kSecondsDecimals; ++k) per_second *= 10;
    // Unsigned, so that the most negative value has a magnitude too.
    const std::uint64_t magnitude = microseconds < 0 ? 0 - static_cast<std::uint64_t>(microseconds)
                                                     : static_cast<std::uint64_t>(microseconds);
    std::string text = (microseconds < 0 ? "-" : "") + std::to_string(magnitude / per_second);
    std::uint64_t fraction = magnitude % per_second;
    if (fraction == 0) return text;
    std::string digits = std::to_string(fraction);
    digits.insert(0, kSecondsDecimals - digits.size(), '0');
    while (digits.back() == '0') digits.pop_back();
    return text + '.' + digits;
}

}  // namespace seedscape
