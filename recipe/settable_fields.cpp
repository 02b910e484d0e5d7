#include "recipe/settable_fields.h"

#include <array>
#include <cmath>

#include "recipe/number_text.h"
#include "recipe/range_text.h"
#include "state/parameter_ranges.h"

namespace seedscape {

namespace {

double AsSingle(double value) {
    return static_cast<double>(Single(value));
}
double AsDouble(double value) {
    return value;
}

template <auto member>
void Store(ImageState& state, double value) {
    state.*member = value;
}

template <auto member>
double Load(const ImageState& state) {
    return static_cast<double>(state.*member);
}

// Every field but cr and ci is a Single field of the record, so a value given
// for it is kept as the nearest float.
template <Single ImageState::*member>
constexpr SettableField WholeSingle(std::string_view name, WholeRange range) {
    const double lowest = range.lowest;
    const double highest = range.highest;
    return {name, true, lowest, highest, Store<member>, AsSingle, Load<member>, true};
}

template <Single ImageState::*member>
constexpr SettableField RealSingle(std::string_view name, RealRange range) {
    return {name, false, range.lowest, range.below, Store<member>, AsSingle, Load<member>, true};
}

template <double ImageState::*member>
constexpr SettableField RealDouble(std::string_view name, RealRange range) {
    return {name, false, range.lowest, range.below, Store<member>, AsDouble, Load<member>, false};
}

// clang-format off
constexpr std::array<SettableField, 14> kSettableFields = {{
    WholeSingle<&ImageState::barva>("barva", kColourSchemeRange),
    WholeSingle<&ImageState::fak01>("fak01", kFactorFormulaRange),
    WholeSingle<&ImageState::fak02>("fak02", kFactorFormulaRange),
    WholeSingle<&ImageState::dn1>  ("dn1",   kMultiplierRange),
    WholeSingle<&ImageState::dn2>  ("dn2",   kMultiplierRange),
    WholeSingle<&ImageState::dn3>  ("dn3",   kMultiplierRange),
    RealSingle <&ImageState::xt1>  ("xt1",   kReferencePointRange),
    RealSingle <&ImageState::yt1>  ("yt1",   kReferencePointRange),
    RealSingle <&ImageState::xt2>  ("xt2",   kReferencePointRange),
    RealSingle <&ImageState::yt2>  ("yt2",   kReferencePointRange),
    RealSingle <&ImageState::xt3>  ("xt3",   kReferencePointRange),
    RealSingle <&ImageState::yt3>  ("yt3",   kReferencePointRange),
    RealDouble <&ImageState::cr>   ("cr",    kPlaneConstantRange),
    RealDouble <&ImageState::ci>   ("ci",    kPlaneConstantRange),
}};
// clang-format on

struct PrintedField {
    std::string_view name;
    double (*load)(const ImageState& state);
};

const std::array<PrintedField, 17> kPrintedFields = {{
    {"seed", [](const ImageState& s) { return s.seed; }},
    {"cr", [](const ImageState& s) { return s.cr; }},
    {"ci", [](const ImageState& s) { return s.ci; }},
    {"fak01", [](const ImageState& s) { return static_cast<double>(s.fak01); }},
    {"fak02", [](const ImageState& s) { return static_cast<double>(s.fak02); }},
    {"barva", [](const ImageState& s) { return static_cast<double>(s.barva); }},
    {"dn1", [](const ImageState& s) { return static_cast<double>(s.dn1); }},
    {"dn2", [](const ImageState& s) { return static_cast<double>(s.dn2); }},
    {"dn3", [](const ImageState& s) { return static_cast<double>(s.dn3); }},
    {"xt1", [](const ImageState& s) { return static_cast<double>(s.xt1); }},
    {"yt1", [](const ImageState& s) { return static_cast<double>(s.yt1); }},
    {"xt2", [](const ImageState& s) { return static_cast<double>(s.xt2); }},
    {"yt2", [](const ImageState& s) { return static_cast<double>(s.yt2); }},
    {"xt3", [](const ImageState& s) { return static_cast<double>(s.xt3); }},
    {"yt3", [](const ImageState& s) { return static_cast<double>(s.yt3); }},
    {"faktor1", [](const ImageState& s) { return static_cast<double>(s.faktor1); }},
    {"f", [](const ImageState& s) { return s.f; }},
}};

bool InRange(const SettableField& field, double value) {
    if (field.whole) {
        return value == std::floor(value) && value >= field.lowest && value <= field.highest;
    }
    return value >= field.lowest && value < field.highest;
}

}  // namespace

std::span<const SettableField> SettableFields() {
    return kSettableFields;
}

std::string FormatFieldValue(const SettableField& field, double value) {
    return field.single ? FormatRoundTripSingle(static_cast<float>(value)) : FormatRoundTrip(value);
}

const SettableField* FindSettableField(std::string_view name) {
    for (const SettableField& field : kSettableFields) {
        if (field.name == name) return &field;
    }
    return nullptr;
}

std::string SettableFieldNames() {
    std::string names;
    for (const SettableField& field : kSettableFields) {
        if (!names.empty()) names += ", ";
        names += field.name;
    }
    return names;
}

std::string DescribeRange(const SettableField& field) {
    if (field.whole) {
        return "must be " +
               WholeNumberText({static_cast<int>(field.lowest), static_cast<int>(field.highest)});
    }
    return "must be " + RealNumberText({field.lowest, field.highest});
}

std::string CheckSettableValue(const SettableField& field, double value) {
    if (!InRange(field, value)) return DescribeRange(field);
    // 0.99999999 is below 1, but as a float it is 1: what the record would
    // hold has to be in range too, or the printed parameters would name a
    // value that --set itself refuses.
    const double stored = field.as_stored(value);
    if (!InRange(field, stored)) {
        return DescribeRange(field) + " (in single precision this is " + FormatRoundTrip(stored) +
               ")";
    }
    return {};
}

std::string FormatParameters(const ImageState& state) {
    std::string text;
    for (const PrintedField& field : kPrintedFields) {
        text += field.name;
        text += '=';
        text += FormatRoundTrip(field.load(state));
        text += '\n';
    }
    return text;
}

}  // namespace seedscape
