#include "recipe/value_readers.h"

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
