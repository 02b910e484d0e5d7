#pragma once

#include <string>

#include "video/video_format.h"

namespace seedscape {

// What a video file says of itself, read from its container alone.
struct VideoProbe {
    std::string error;  // "" when the file was read; else one line naming it
    VideoFormat format = VideoFormat::kMp4;
    int width = 0;  // as stored, so an odd size padded to even shows even
    int height = 0;
    double fps = 0;  // frames a second; for a GIF, as its delays give it
    std::string comment;
};

// Reads an untrusted file: only MP4 (and QuickTime), WebM (and Matroska) and
// GIF containers are opened, the probe reads a bounded amount, nothing is
// decoded, and a comment longer than kLongestVideoComment is refused. A GIF's
// frame rate comes from the delays of its first frames (at most a few
// hundred, and a bounded number of bytes).
VideoProbe ProbeVideo(const std::string& path);

}  // namespace seedscape
