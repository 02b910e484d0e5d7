#pragma once

// Values that a recipe and seedscape-render's options both refuse, and the
// reason both give. A recipe names the value in its token (seed=0,
// press=291,10@5), an option after its name (--seed 0, --press 291,10), and
// each test turns a row into its own text.

#include <ostream>
#include <string>
#include <vector>

namespace seedscape::testing {

enum class ValueKind {
    kSeed,           // seed=V                    --seed V
    kSetting,        // V, a FIELD=VALUE token    --set V
    kPoint,          // press=V@5                 --press V
    kMagnification,  // press=1,1@V               --press 1,1 --mag V
    kScale,          // scale=V                   --scale V
    kSupersample,    // supersample=V             --supersample V
};

struct ValueRefusal {
    std::string name;  // what the row shows
    ValueKind kind;
    std::string value;   // as typed
    std::string reason;  // what the message says after the token or option
};

// Rows print as their name in test listings.
inline void PrintTo(const ValueRefusal& row, std::ostream* os) {
    *os << row.name;
}

inline std::vector<ValueRefusal> ValueRefusals() {
    const std::string seeds = "must be a whole number from 1 to 1000000";
    const std::string points = "must be a number from -1 up to but not including 1";
    const std::string planes = "must be a number from -1.5 up to but not including 1.5";
    const std::string off_mother =
        "not on the image mother, which takes X from 0 to 290 and Y from 0 to 210; a press "
        "elsewhere draws no child";
    const std::string magnifications = "must be a whole number from 1 to 100";
    using enum ValueKind;
    // clang-format off
    return {
        {"SeedZero", kSeed, "0", seeds},
        {"SeedAboveRange", kSeed, "1000001", seeds},
        {"SeedFraction", kSeed, "12.5", seeds},
        {"SeedWholeButWrittenWithPoint", kSeed, "12.0", seeds},
        {"SeedTrailingJunk", kSeed, "12a", seeds},
        {"SeedLeadingPlus", kSeed, "+12", seeds},
        {"SeedExponent", kSeed, "1e3", seeds},
        {"SeedTooLongForAnyInteger", kSeed, "99999999999999999999999", seeds},
        {"SetEmptyValue", kSetting, "barva=", "must be a whole number from 1 to 22"},
        {"SetBarvaFraction", kSetting, "barva=2.5", "must be a whole number from 1 to 22"},
        {"SetBarvaAboveRange", kSetting, "barva=23", "must be a whole number from 1 to 22"},
        {"SetBarvaWithATerminalCommand", kSetting, "barva=\x1b[31m", "must be a whole number from 1 to 22"},
        {"SetFakZero", kSetting, "fak01=0", "must be a whole number from 1 to 25"},
        {"SetDnAboveRange", kSetting, "dn3=31", "must be a whole number from 1 to 30"},
        {"SetDnHexadecimal", kSetting, "dn1=0x10", "must be a whole number from 1 to 30"},
        {"SetPointAtItsExcludedEnd", kSetting, "xt1=1", points},
        {"SetPointThatSinglePrecisionRoundsToOne", kSetting, "yt3=0.99999999", points + " (in single precision this is 1)"},
        {"SetInfinity", kSetting, "xt2=-inf", points},
        {"SetHexadecimal", kSetting, "xt1=0x0.1p0", points},
        {"SetCrBelowRange", kSetting, "cr=-1.5000001", planes},
        {"SetNan", kSetting, "ci=nan", planes},
        {"SetTrailingJunk", kSetting, "ci=0.5x", planes},
        {"SetHueAboveRange", kSetting, "hue=200", "must be a number from -180 to 180"},
        {"SetHueJustBelowRange", kSetting, "hue=-180.00000000000003", "must be a number from -180 to 180"},
        {"SetSaturationNegative", kSetting, "saturation=-0.1", "must be a number from 0 to 2"},
        {"SetSaturationNan", kSetting, "saturation=nan", "must be a number from 0 to 2"},
        {"SetExposureBeyondAnyDouble", kSetting, "exposure=1e400", "must be a number from -3 to 3"},
        {"SetExposureInfinity", kSetting, "exposure=inf", "must be a number from -3 to 3"},
        {"SetGammaEmpty", kSetting, "gamma=", "must be a number from 0.25 to 4"},
        {"SetGammaAboveRange", kSetting, "gamma=9", "must be a number from 0.25 to 4"},
        {"SetGammaZero", kSetting, "gamma=0", "must be a number from 0.25 to 4"},
        {"PressRightOfTheMother", kPoint, "290.01,0", off_mother},
        {"PressBeyondTheMother", kPoint, "291,10", off_mother},
        {"PressBelowTheMother", kPoint, "0,211", off_mother},
        {"PressLeftOfTheWindow", kPoint, "-1,5", off_mother},
        {"MagnificationZero", kMagnification, "0", magnifications},
        {"MagnificationAboveRange", kMagnification, "101", magnifications},
        {"MagnificationFraction", kMagnification, "2.5", magnifications},
        {"ScaleZero", kScale, "0", "must be a whole number from 1 to 32"},
        {"ScaleAboveRange", kScale, "33", "must be a whole number from 1 to 32"},
        {"ScaleFraction", kScale, "1.5", "must be a whole number from 1 to 32"},
        {"SupersampleAboveRange", kSupersample, "9", "must be a whole number from 1 to 8"},
        {"SupersampleZero", kSupersample, "0", "must be a whole number from 1 to 8"},
    };
    // clang-format on
}

}  // namespace seedscape::testing
