#include "cli/option_values.h"

#include <algorithm>
#include <cctype>

#include "atlas/contact_sheet.h"
#include "recipe/message_text.h"
#include "recipe/number_text.h"
#include "recipe/settable_fields.h"
#include "render/image_child.h"

namespace seedscape::cli {

namespace {

constexpr long long kLowestSeed = 1;
constexpr long long kHighestSeed = 1000000;

}  // namespace

std::string ReadWholeNumber(std::string_view value, long long lowest, long long highest, int& out) {
    const std::optional<long long> number = ParseWholeNumber(value);
    if (!number || *number < lowest || *number > highest) {
        return "must be a whole number from " + std::to_string(lowest) + " to " +
               std::to_string(highest);
    }
    out = static_cast<int>(*number);
    return {};
}

std::string ReadSetting(std::string_view value, Recipe& recipe) {
    const std::size_t equals = value.find('=');
    if (equals == std::string_view::npos) {
        return "needs FIELD=VALUE, with FIELD one of " + SettableFieldNames();
    }
    const std::string_view name = value.substr(0, equals);
    const SettableField* field = FindSettableField(name);
    if (field == nullptr) {
        return "no field called \"" + EscapeForMessage(name) + "\"; the fields are " +
               SettableFieldNames();
    }
    const std::string_view text = value.substr(equals + 1);
    std::optional<double> number;
    if (field->whole) {
        if (const std::optional<long long> whole = ParseWholeNumber(text)) {
            // Beyond 2^53 a long long no longer converts exactly; such values
            // are far out of every range anyway and fail the check below.
            number = static_cast<double>(*whole);
        }
    } else {
        number = ParseRealNumber(text);
    }
    if (!number) return DescribeRange(*field);
    if (std::string problem = CheckSettableValue(*field, *number); !problem.empty()) {
        return problem;
    }
    // A later --set of the same field replaces an earlier one.
    recipe.overrides[static_cast<std::size_t>(field - SettableFields().data())] =
        field->as_stored(*number);
    return {};
}

std::string ReadPressPoint(std::string_view value, float& x, float& y) {
    const std::size_t comma = value.find(',');
    std::optional<double> read_x;
    std::optional<double> read_y;
    if (comma != std::string_view::npos) {
        read_x = ParseRealNumber(value.substr(0, comma));
        read_y = ParseRealNumber(value.substr(comma + 1));
    }
    if (!read_x || !read_y) return "needs X,Y, two numbers separated by a comma";
    // The window reports a press in single precision, and that is what is
    // tested against the image mother's edges.
    const float single_x = static_cast<float>(*read_x);
    const float single_y = static_cast<float>(*read_y);
    if (single_x < 0 || single_y < 0 || !IsOnImageMother(single_x, single_y)) {
        return "not on the image mother, which takes X from 0 to 290 and Y from 0 to 210; a "
               "press elsewhere draws no child";
    }
    x = single_x;
    y = single_y;
    return {};
}

std::string ReadOutputName(std::string_view value, ImageFormat& format) {
    // CLI11 reads "-o=x.png" as the name "=x.png"; that is a slip, not a wish.
    if (value.starts_with('=')) return "must not begin with \"=\"; write -o FILE";
    const std::size_t slash = value.rfind('/');
    const std::string_view file_name =
        slash == std::string_view::npos ? value : value.substr(slash + 1);
    std::string suffix;
    if (file_name.size() >= 4) {
        suffix = file_name.substr(file_name.size() - 4);
        std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    }
    if (suffix == ".png") {
        format = ImageFormat::kPng;
    } else if (suffix == ".ppm") {
        format = ImageFormat::kPpm;
    } else {
        return "must be " + std::string(kOutputValues);
    }
    return {};
}

std::string ReadSeedRange(std::string_view value, int& first, int& last) {
    // The minus between the seeds is the only one: seeds are never negative.
    const std::size_t minus = value.find('-');
    if (minus == std::string_view::npos) return "needs " + std::string(kAtlasValues);
    const std::optional<long long> from = ParseWholeNumber(value.substr(0, minus));
    const std::optional<long long> to = ParseWholeNumber(value.substr(minus + 1));
    if (!from || !to) return "needs " + std::string(kAtlasValues);
    if (*from < kLowestSeed || *from > kHighestSeed || *to < kLowestSeed || *to > kHighestSeed) {
        return "seeds run from 1 to 1000000";
    }
    if (*from > *to) return "FROM must not be above TO";
    if (*to - *from + 1 > kMostSheetPictures) {
        return "a contact sheet takes at most " + std::to_string(kMostSheetPictures) + " seeds";
    }
    first = static_cast<int>(*from);
    last = static_cast<int>(*to);
    return {};
}

std::string ReadLockedGroups(std::string_view value, BreedSettings& settings) {
    std::array<bool, kParameterGroups> locked = settings.locked;
    for (std::size_t start = 0;;) {
        const std::size_t comma = std::min(value.find(',', start), value.size());
        const std::string_view name = value.substr(start, comma - start);
        const std::optional<ParameterGroup> group = GroupNamed(name);
        if (!group) {
            if (name.empty()) return "needs " + std::string(kGroupValues);
            return "no group called \"" + EscapeForMessage(name) +
                   "\"; the groups are scheme, "
                   "factors, points and multipliers";
        }
        locked[static_cast<std::size_t>(*group)] = true;
        if (comma == value.size()) break;
        start = comma + 1;
    }
    if (std::all_of(locked.begin(), locked.end(), [](bool is) { return is; })) {
        return "every group would be locked, so no variant could differ; leave at least one of "
               "scheme, factors, points and multipliers free";
    }
    settings.locked = locked;
    return {};
}

std::string ReadStrength(std::string_view value, BreedStrength& strength) {
    const std::optional<BreedStrength> named = StrengthNamed(value);
    if (!named) return "must be " + std::string(kStrengthValues);
    strength = *named;
    return {};
}

}  // namespace seedscape::cli
