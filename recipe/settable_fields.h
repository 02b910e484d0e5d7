#pragma once

#include <span>
#include <string>
#include <string_view>

#include "state/image_state.h"

namespace seedscape {

// A per-image parameter that --set may change, with the range its draw
// covers. Whole fields take whole numbers from `lowest` to `highest`; real
// fields take numbers from `lowest` up to but not including `highest`.
struct SettableField {
    std::string_view name;
    bool whole;
    double lowest;
    double highest;
    // Stores the value with the field's kind: Single fields round it to float.
    void (*store)(ImageState& state, double value);
    // The value the field would hold after storing `value`.
    double (*as_stored)(double value);
    // The value the field holds in `state`.
    double (*load)(const ImageState& state);
    // Kept in single precision: printed in the shortest text that reads back
    // as the identical float.
    bool single;
};

// Every settable field, in the order recipes and messages list them.
std::span<const SettableField> SettableFields();

// The text of a value of `field` that reads back as the value it holds.
std::string FormatFieldValue(const SettableField& field, double value);

// The field called `name`, or nullptr when no settable field has that name.
const SettableField* FindSettableField(std::string_view name);

// The names of all settable fields, separated by ", ", for messages.
std::string SettableFieldNames();

// What the field accepts, as "must be a whole number from 1 to 22".
std::string DescribeRange(const SettableField& field);

// Checks `value` against the field's kind and range as it would be stored.
// Returns an empty string when it is acceptable, else why not ("must be a
// whole number from 1 to 22").
std::string CheckSettableValue(const SettableField& field, double value);

// Every per-image parameter, the seed and f as "name=value" lines, in the
// order seed, cr, ci, fak01, fak02, barva, dn1..dn3, xt1, yt1, xt2, yt2,
// xt3, yt3, faktor1, f. Each value reads back to the identical double.
std::string FormatParameters(const ImageState& state);

}  // namespace seedscape
