#include "recipe/value_readers.h"

#include <algorithm>
#include <utility>

#include "recipe/number_text.h"
#include "recipe/range_text.h"
#include "render/image_child.h"
#include "state/grid_geometry.h"

namespace seedscape {

namespace {

// X and Y as two numbers, or nothing when the text is not two numbers
// separated by its first comma.
std::optional<std::pair<double, double>> TwoNumbers(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const std::optional<double> x = ParseRealNumber(text.substr(0, comma));
    const std::optional<double> y = ParseRealNumber(text.substr(comma + 1));
    if (!x || !y) return std::nullopt;
    return std::pair{*x, *y};
}

// The point of a press at (x, y), or why it draws no child.
Reading<PressPoint> PointOnMother(double x, double y) {
    // The window reports a press in single precision, and that is what is
    // tested against the image mother's edges.
    const PressPoint point{static_cast<float>(x), static_cast<float>(y)};
    if (point.x < 0 || point.y < 0 || !IsOnImageMother(point.x, point.y)) {
        return {std::nullopt, "not on the image mother, which takes X from 0 to " +
                                  std::to_string(kImageWidth - 1) + " and Y from 0 to " +
                                  std::to_string(kImageHeight - 1) +
                                  "; a press elsewhere draws no child"};
    }
    return {point, {}};
}

}  // namespace

Reading<int> ReadWholeNumber(std::string_view text, WholeRange range) {
    const std::optional<long long> number = ParseWholeNumber(text);
    if (!number || !range.Holds(*number))
        return {std::nullopt, "must be " + WholeNumberText(range)};
    return {static_cast<int>(*number), {}};
}

Reading<int> ReadSeed(std::string_view text) {
    return ReadWholeNumber(text, kSeedRange);
}

Reading<int> ReadMagnification(std::string_view text) {
    return ReadWholeNumber(text, kMagnificationRange);
}

Reading<double> ReadFieldValue(const SettableField& field, std::string_view text) {
    std::optional<double> number;
    if (field.whole) {
        if (const std::optional<long long> whole = ParseWholeNumber(text)) {
            // Beyond 2^53 a long long no longer converts exactly; such values
            // are far out of every range anyway and fail the check below.
            number = static_cast<double>(*whole);
        }
    } else {
        number = ParseRealNumber(text);
    }
    if (!number) return {std::nullopt, DescribeRange(field)};
    if (std::string problem = CheckSettableValue(field, *number); !problem.empty()) {
        return {std::nullopt, std::move(problem)};
    }
    return {field.as_stored(*number), {}};
}

Reading<std::int64_t> ReadSeconds(std::string_view text, std::int64_t most_seconds) {
    const Reading<std::int64_t> refused{std::nullopt, "must be " + SecondsText(most_seconds)};
    const auto all_digits = [](std::string_view digits) {
        return !digits.empty() && std::all_of(digits.begin(), digits.end(),
                                              [](char c) { return c >= '0' && c <= '9'; });
    };
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (!all_digits(whole)) return refused;
    if (point != std::string_view::npos &&
        (!all_digits(fraction) || fraction.size() > static_cast<std::size_t>(kSecondsDecimals))) {
        return refused;
    }
    // Digits only, so no sign; a number too long for any integer does not read.
    const std::optional<long long> seconds = ParseWholeNumber(whole);
    if (!seconds || *seconds > most_seconds) return refused;
    std::int64_t microseconds = *seconds;
    std::int64_t most = most_seconds;
    for (std::size_t k = 0; k < static_cast<std::size_t>(kSecondsDecimals); ++k) {
        microseconds = microseconds * 10 + (k < fraction.size() ? fraction[k] - '0' : 0);
        most *= 10;
    }
    if (microseconds > most) return refused;  // "3600.5" past 3600
    return {microseconds, {}};
}

Reading<PressPoint> ReadPressPoint(std::string_view text) {
    const std::optional<std::pair<double, double>> xy = TwoNumbers(text);
    if (!xy) return {std::nullopt, "needs X,Y, two numbers separated by a comma"};
    return PointOnMother(xy->first, xy->second);
}

Reading<RecipePress> ReadPress(std::string_view text) {
    const std::size_t comma = text.find(',');
    const std::size_t at = text.find('@');
    if (comma == std::string_view::npos || at == std::string_view::npos || at < comma) {
        return {std::nullopt, "a press is written X,Y@F, for example press=150,100@5"};
    }
    const std::optional<std::pair<double, double>> xy = TwoNumbers(text.substr(0, at));
    if (!xy) return {std::nullopt, "X and Y must be numbers, as in press=150,100@5"};
    const Reading<PressPoint> point = PointOnMother(xy->first, xy->second);
    if (!point.value) return {std::nullopt, point.reason};
    const Reading<int> f = ReadMagnification(text.substr(at + 1));
    if (!f.value) return {std::nullopt, "the magnification after @ " + f.reason};
    return {RecipePress{point.value->x, point.value->y, *f.value}, {}};
}

}  // namespace seedscape
