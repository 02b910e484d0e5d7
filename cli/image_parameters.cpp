#include "cli/image_parameters.h"

#include <array>
#include <cmath>

#include "cli/number_text.h"

namespace seedscape::cli {

namespace {

double AsSingle(double value) {
    return static_cast<double>(Single(value));
}
double AsDouble(double value) {
    return value;
}

// Everything but cr and ci is a Single field of the record, so a value given
// for it is kept as the nearest float.
const std::array<SettableField, 14> kSettableFields = {{
    {"barva", true, 1, 22, [](ImageState& s, double v) { s.barva = v; }, AsSingle},
    {"fak01", true, 1, 25, [](ImageState& s, double v) { s.fak01 = v; }, AsSingle},
    {"fak02", true, 1, 25, [](ImageState& s, double v) { s.fak02 = v; }, AsSingle},
    {"dn1", true, 1, 30, [](ImageState& s, double v) { s.dn1 = v; }, AsSingle},
    {"dn2", true, 1, 30, [](ImageState& s, double v) { s.dn2 = v; }, AsSingle},
    {"dn3", true, 1, 30, [](ImageState& s, double v) { s.dn3 = v; }, AsSingle},
    {"xt1", false, -1, 1, [](ImageState& s, double v) { s.xt1 = v; }, AsSingle},
    {"yt1", false, -1, 1, [](ImageState& s, double v) { s.yt1 = v; }, AsSingle},
    {"xt2", false, -1, 1, [](ImageState& s, double v) { s.xt2 = v; }, AsSingle},
    {"yt2", false, -1, 1, [](ImageState& s, double v) { s.yt2 = v; }, AsSingle},
    {"xt3", false, -1, 1, [](ImageState& s, double v) { s.xt3 = v; }, AsSingle},
    {"yt3", false, -1, 1, [](ImageState& s, double v) { s.yt3 = v; }, AsSingle},
    {"cr", false, -1.5, 1.5, [](ImageState& s, double v) { s.cr = v; }, AsDouble},
    {"ci", false, -1.5, 1.5, [](ImageState& s, double v) { s.ci = v; }, AsDouble},
}};

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

}  // namespace seedscape::cli
