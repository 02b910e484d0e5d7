#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "flight/flight.h"
#include "image_file/rgb_image.h"

namespace seedscape {

// A frame drawn on its own, perhaps on another machine, is a PNG named by its
// number in six digits ("000042.png") that carries the flight's text and its
// frame number, so that a folder of them can be checked before it is
// assembled into a video.
inline constexpr char kFlightKeyword[] = "seedscape-flight";
inline constexpr char kFrameKeyword[] = "seedscape-frame";
inline constexpr int kFrameNameDigits = 6;
inline constexpr std::int64_t kMostFrameFiles = kFrameNumberRange.highest + 1;  // 000000.png on

// The longest flight has a name for each of its frames.
static_assert(kLongestFlightSeconds * kFpsRange.highest + 1 <= kMostFrameFiles);

// "000042.png"; "" for a frame number with no such name.
std::string FrameFileName(std::int64_t frame);

// Writes frame `frame` of the flight whose text is `flight_text` into
// `folder` under its name, whole or not at all. Returns "" or why not.
[[nodiscard]] std::string WriteFrameFile(const std::string& folder, std::int64_t frame,
                                         const RgbImage& image, const std::string& flight_text);

// What a folder of frames holds: the flight, when every frame is there.
struct FrameFolderCheck {
    std::optional<Flight> flight;  // when the folder is sound
    std::string flight_text;       // the text the frames carry, as they carry it
    std::string error;             // else its first problem, naming the file
};

// Checks that `folder` holds every frame of one flight and nothing else named
// like a frame: each of 000000.png up to the last frame present, none past
// it, each carrying the same flight text (the one `expected` is, if given)
// and its own number. Only the files' chunks are read, not their pixels.
// Files whose names do not end in ".png" are left alone (temporaries, logs).
FrameFolderCheck CheckFrameFolder(const std::string& folder,
                                  const std::optional<Flight>& expected = std::nullopt);

}  // namespace seedscape
