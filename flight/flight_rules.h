#pragma once

// The rules every flight keeps, each in one place: the reader of the text and
// the check of a flight made in code both ask here, and each words where the
// fault lies in its own terms (a line of the text, a key of the record).
// Internal to flight/.
#include <cstddef>
#include <string>
#include <string_view>

#include "flight/flight.h"

namespace seedscape {

// The settings of a flight's first line, in the order they are written.
enum class FlightSetting { kFps, kScale, kSupersample, kLoop };
inline constexpr FlightSetting kFlightSettings[] = {
    FlightSetting::kFps, FlightSetting::kScale, FlightSetting::kSupersample, FlightSetting::kLoop};

// "fps", "scale", "supersample", "loop"
std::string_view FlightSettingName(FlightSetting setting);

// What is wrong with a flight, and where.
struct FlightProblem {
    enum class Place {
        kNone,       // nothing: the flight is sound
        kWhole,      // the flight as a whole
        kSetting,    // `setting` on the first line
        kKey,        // key number `key` as a whole
        kKeyTime,    // its at=
        kKeyEase,    // its ease=
        kKeyRecipe,  // its recipe
    };
    Place place = Place::kNone;
    FlightSetting setting = FlightSetting::kFps;
    std::size_t key = 0;  // from 0
    std::string reason;
};

// The first rule the flight breaks, in the order the text reads: the
// settings, then the keys from the first.
FlightProblem FindFlightProblem(const Flight& flight);

// Why a key's recipe may not carry scale= or supersample=.
std::string KeyExportSettingsReason();

// Why the first key may not carry ease=.
std::string FirstKeyEaseReason();

}  // namespace seedscape
