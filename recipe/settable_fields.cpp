#include "recipe/settable_fields.h"

#include <array>
#include <cmath>

#include "recipe/number_text.h"

namespace seedscape {

namespace {

double AsSingle(double value) {
    return static_cast<double>(Single(value));
}
double AsDouble(double value) {
    return value;
}

// Everything but cr and ci is a Single field of the record, so a value given
// for it is kept as the nearest float.
// One row of the table: the field's name, kind and range, and how to store
// and load it.
#define SEEDSCAPE_SINGLE_FIELD(name, whole, lowest, highest)                                    \
    SettableField {                                                                             \
#name, whole, lowest, highest,                                                          \
            [](ImageState & s,                                                                  \
               double v) { s.name = v; }, AsSingle,                                             \
                                       [](const ImageState& s) { return double(s.name); }, true \
    }
#define SEEDSCAPE_DOUBLE_FIELD(name, lowest, highest)                                              \
    SettableField {                                                                                \
#name, false, lowest, highest,                                                             \
            [](ImageState & s,                                                                     \
               double v) { s.name = v; }, AsDouble, [](const ImageState& s) { return s.name; },    \
                                                                                             false \
    }

const std::array<SettableField, 14> kSettableFields = {{
    SEEDSCAPE_SINGLE_FIELD(barva, true, 1, 22),
    SEEDSCAPE_SINGLE_FIELD(fak01, true, 1, 25),
    SEEDSCAPE_SINGLE_FIELD(fak02, true, 1, 25),
    SEEDSCAPE_SINGLE_FIELD(dn1, true, 1, 30),
    SEEDSCAPE_SINGLE_FIELD(dn2, true, 1, 30),
    SEEDSCAPE_SINGLE_FIELD(dn3, true, 1, 30),
    SEEDSCAPE_SINGLE_FIELD(xt1, false, -1, 1),
    SEEDSCAPE_SINGLE_FIELD(yt1, false, -1, 1),
    SEEDSCAPE_SINGLE_FIELD(xt2, false, -1, 1),
    SEEDSCAPE_SINGLE_FIELD(yt2, false, -1, 1),
    SEEDSCAPE_SINGLE_FIELD(xt3, false, -1, 1),
    SEEDSCAPE_SINGLE_FIELD(yt3, false, -1, 1),
    SEEDSCAPE_DOUBLE_FIELD(cr, -1.5, 1.5),
    SEEDSCAPE_DOUBLE_FIELD(ci, -1.5, 1.5),
}};

#undef SEEDSCAPE_SINGLE_FIELD
#undef SEEDSCAPE_DOUBLE_FIELD

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
        return "must be a whole number from " + FormatRoundTrip(field.lowest) + " to " +
               FormatRoundTrip(field.highest);
    }
    return "must be a number from " + FormatRoundTrip(field.lowest) + " up to but not including " +
           FormatRoundTrip(field.highest);
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
