#include "flight/flight_rules.h"

#include "recipe/export_limits.h"
#include "recipe/number_text.h"
#include "recipe/range_text.h"

namespace seedscape {

namespace {

using Place = FlightProblem::Place;

FlightProblem AtSetting(FlightSetting setting, std::string reason) {
    return {Place::kSetting, setting, 0, std::move(reason)};
}

FlightProblem AtKey(Place place, std::size_t key, std::string reason) {
    return {place, FlightSetting::kFps, key, std::move(reason)};
}

std::string SettingsProblemReason(WholeRange range, int value) {
    return range.Holds(value) ? std::string() : "must be " + WholeNumberText(range);
}

FlightProblem FindSettingsProblem(const Flight& flight) {
    const struct {
        FlightSetting setting;
        WholeRange range;
        int value;
    } wholes[] = {{FlightSetting::kFps, kFpsRange, flight.fps},
                  {FlightSetting::kScale, kScaleRange, flight.scale},
                  {FlightSetting::kSupersample, kSupersampleRange, flight.supersample}};
    for (const auto& whole : wholes) {
        if (std::string reason = SettingsProblemReason(whole.range, whole.value); !reason.empty()) {
            return AtSetting(whole.setting, std::move(reason));
        }
    }
    if (std::string reason = ExportSizeProblem(flight.scale, flight.supersample); !reason.empty()) {
        return AtSetting(FlightSetting::kSupersample, std::move(reason));
    }
    if (!flight.loop_us) return {};
    const std::int64_t loop = *flight.loop_us;
    if (loop <= 0 || loop > kLongestFlightSeconds * kMicrosecondsPerSecond) {
        return AtSetting(FlightSetting::kLoop, "a loop lasts more than 0 s and at most " +
                                                   std::to_string(kLongestFlightSeconds) + " s");
    }
    if (flight.keys.size() > 1) {
        return AtSetting(FlightSetting::kLoop, "a loop has exactly one key; this flight has " +
                                                   std::to_string(flight.keys.size()));
    }
    if (const std::int64_t frames = FrameCount(flight); frames < kFewestLoopFrames) {
        return AtSetting(FlightSetting::kLoop,
                         FormatSeconds(loop) + " s at " + std::to_string(flight.fps) +
                             " fps makes " + std::to_string(frames) + " frame" +
                             (frames == 1 ? "" : "s") + "; a loop has at least " +
                             std::to_string(kFewestLoopFrames));
    }
    return {};
}

// Key `k`'s time: in range, on a frame, and after the key before it.
std::string KeyTimeReason(const Flight& flight, std::size_t k) {
    const std::int64_t time = flight.keys[k].time_us;
    if (time < 0 || time > kLongestFlightSeconds * kMicrosecondsPerSecond) {
        return "must be " + SecondsText(kLongestFlightSeconds);
    }
    // Whole microseconds times a whole frame rate: exact.
    if (time * flight.fps % kMicrosecondsPerSecond != 0) {
        return FormatSeconds(time) + " s at " + std::to_string(flight.fps) +
               " fps does not fall on a frame";
    }
    if (k == 0) return time == 0 ? std::string() : "the first key must be at 0";
    const FlightKey& before = flight.keys[k - 1];
    if (KeyFrame(flight, flight.keys[k]) <= KeyFrame(flight, before)) {
        return "must come at least one frame (1/" + std::to_string(flight.fps) +
               " s) after the key before it, at " + FormatSeconds(before.time_us);
    }
    return {};
}

}  // namespace

std::string_view FlightSettingName(FlightSetting setting) {
    switch (setting) {
        case FlightSetting::kFps:
            return "fps";
        case FlightSetting::kScale:
            return "scale";
        case FlightSetting::kSupersample:
            return "supersample";
        case FlightSetting::kLoop:
            return "loop";
    }
    return "?";
}

std::string KeyExportSettingsReason() {
    return "a key's recipe carries no export settings; the flight's first line gives scale and "
           "supersample";
}

std::string FirstKeyEaseReason() {
    return "the first key ends no segment, so it takes no ease";
}

FlightProblem FindFlightProblem(const Flight& flight) {
    if (FlightProblem problem = FindSettingsProblem(flight); problem.place != Place::kNone) {
        return problem;
    }
    if (flight.keys.empty()) {
        return {Place::kWhole, FlightSetting::kFps, 0,
                "a flight has at least one key, a line such as at=0 seedscape/1 seed=1"};
    }
    for (std::size_t k = 0; k < flight.keys.size(); ++k) {
        const FlightKey& key = flight.keys[k];
        if (k == static_cast<std::size_t>(kMostKeys)) {
            return AtKey(Place::kKey, k,
                         "a flight has at most " + std::to_string(kMostKeys) + " keys");
        }
        if (std::string reason = KeyTimeReason(flight, k); !reason.empty()) {
            return AtKey(Place::kKeyTime, k, std::move(reason));
        }
        if (k == 0 && key.ease != Easing::kLinear) {
            return AtKey(Place::kKeyEase, k, FirstKeyEaseReason());
        }
        if (key.recipe.scale != 1 || key.recipe.supersample != 1) {
            return AtKey(Place::kKeyRecipe, k, KeyExportSettingsReason());
        }
        if (std::string reason = CheckRecipe(key.recipe); !reason.empty()) {
            return AtKey(Place::kKeyRecipe, k, std::move(reason));
        }
    }
    return {};
}

}  // namespace seedscape
