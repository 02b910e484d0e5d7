#include "cli/option_values.h"

#include <algorithm>
#include <cctype>

#include "atlas/contact_sheet.h"
#include "recipe/grading_fields.h"
#include "recipe/message_text.h"
#include "recipe/number_text.h"
#include "recipe/range_text.h"
#include "recipe/settable_fields.h"
#include "video/video_format.h"

namespace seedscape::cli {

std::string AtlasValues() {
    return "FROM-TO, two seeds from " + FromTo(kSeedRange);
}

std::string ReadSetting(std::string_view value, Recipe& recipe) {
    const std::string names = SettableFieldNames() + ", " + GradingFieldNames();
    const std::size_t equals = value.find('=');
    if (equals == std::string_view::npos) return "needs FIELD=VALUE, with FIELD one of " + names;
    const std::string_view name = value.substr(0, equals);
    // A later --set of the same field replaces an earlier one.
    if (const GradingField* grading = FindGradingField(name)) {
        return Store(ReadGradingValue(*grading, value.substr(equals + 1)),
                     recipe.grading.*grading->member);
    }
    const SettableField* field = FindSettableField(name);
    if (field == nullptr) {
        return "no field called \"" + EscapeForMessage(name) + "\"; the fields are " + names;
    }
    return Store(ReadFieldValue(*field, value.substr(equals + 1)),
                 recipe.overrides[static_cast<std::size_t>(field - SettableFields().data())]);
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
    } else if (VideoFormatFromPath(std::string(file_name))) {
        format = ImageFormat::kVideo;
    } else if (value.ends_with('/')) {
        format = ImageFormat::kFolder;
    } else {
        return "must be " + std::string(kOutputValues);
    }
    return {};
}

std::string ReadSeedRange(std::string_view value, int& first, int& last) {
    // The minus between the seeds is the only one: seeds are never negative.
    const std::size_t minus = value.find('-');
    if (minus == std::string_view::npos) return "needs " + AtlasValues();
    const std::optional<long long> from = ParseWholeNumber(value.substr(0, minus));
    const std::optional<long long> to = ParseWholeNumber(value.substr(minus + 1));
    if (!from || !to) return "needs " + AtlasValues();
    if (!kSeedRange.Holds(*from) || !kSeedRange.Holds(*to))
        return "seeds run from " + FromTo(kSeedRange);
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
