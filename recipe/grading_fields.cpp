#include "recipe/grading_fields.h"

#include <array>

#include "recipe/number_text.h"
#include "recipe/range_text.h"

namespace seedscape {

namespace {

constexpr std::array<GradingField, kGradingFieldCount> kGradingFields = {{
    {"hue", kHueRange, &Grading::hue},
    {"saturation", kSaturationRange, &Grading::saturation},
    {"exposure", kExposureRange, &Grading::exposure},
    {"gamma", kGammaRange, &Grading::gamma},
}};

}  // namespace

std::span<const GradingField> GradingFields() {
    return kGradingFields;
}

const GradingField* FindGradingField(std::string_view name) {
    for (const GradingField& field : kGradingFields) {
        if (field.name == name) return &field;
    }
    return nullptr;
}

std::string GradingFieldNames() {
    std::string names;
    for (const GradingField& field : kGradingFields) {
        if (!names.empty()) names += ", ";
        names += field.name;
    }
    return names;
}

Reading<double> ReadGradingValue(const GradingField& field, std::string_view text) {
    const std::optional<double> number = ParseRealNumber(text);
    if (!number || !field.range.Holds(*number)) {
        return {std::nullopt, "must be " + ClosedNumberText(field.range)};
    }
    return {*number, {}};
}

std::string FormatGrading(const Grading& grading) {
    const Grading neutral;
    std::string text;
    for (const GradingField& field : kGradingFields) {
        const double value = grading.*field.member;
        if (value == neutral.*field.member) continue;
        text += ' ';
        text += field.name;
        text += '=';
        text += FormatRoundTrip(value);
    }
    return text;
}

}  // namespace seedscape
