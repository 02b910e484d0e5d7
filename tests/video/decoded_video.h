#pragma once

#include <string>
#include <vector>

#include "image_file/rgb_image.h"

namespace seedscape::testing {

// Every frame of a video file, decoded back to RGB through the colour
// matrix and range its stream declares (lossy codecs: compare with a
// tolerance; a GIF comes back exactly as its palette has it).
struct DecodedVideo {
    std::string error;  // "" when every frame decoded
    std::vector<RgbImage> frames;
    std::vector<double> times;  // when each frame is shown, in seconds
    double end = 0;             // when the last frame ends, in seconds
};

DecodedVideo DecodeVideo(const std::string& path);

}  // namespace seedscape::testing
