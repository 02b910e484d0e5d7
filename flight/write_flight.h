#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "flight/flight_frames.h"
#include "video/video_format.h"

namespace seedscape {

// Told the frames done so far, with a fraction for the one being drawn, of
// every frame the job draws; returning false cancels the job.
using FlightProgress = std::function<bool(double frames_done, std::int64_t frames)>;

// The reason a cancelled job gives.
inline constexpr char kFlightCancelled[] = "cancelled";

// Draws every frame of the flight into a video at `path`, which carries the
// flight's text. A GIF's palette is chosen from every frame, so its frames
// are drawn twice. Returns "" or why not; nothing is left at `path` then.
std::string WriteFlightVideo(FlightFrames& frames, const std::string& path, VideoFormat format,
                             const FlightProgress& progress = {});

// Draws frames `first` to `last` into `folder` (made if missing), each a PNG
// named by its number that carries the flight and the number. Returns "" or
// why not; the frames written before a failure stay, each whole.
std::string WriteFlightFrames(FlightFrames& frames, std::int64_t first, std::int64_t last,
                              const std::string& folder, const FlightProgress& progress = {});

// How many of the frames an assembly draws again to compare: a number, or
// every frame.
struct FrameVerification {
    int frames = 3;
    bool all = false;
};

struct Assembly {
    std::string error;        // "" when the video was written
    bool bad_frames = false;  // the error lies in the frames, not in writing
};

// Checks a folder of frames drawn anywhere (every frame of one flight there
// exactly once), draws some again here and compares them bit for bit, then
// encodes them, in order, into a video at `path`. A frame drawn wrong is
// named. The frames verified are chosen at random, so that a run of
// assemblies in time checks every frame; the first and last are always
// among them.
Assembly AssembleFlight(const std::string& folder, const std::string& path, VideoFormat format,
                        const FrameVerification& verification, const FlightProgress& progress = {});

}  // namespace seedscape
