#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace seedscape {

// The kinds of video this program writes and reads back: H.264 in MP4, VP9
// in WebM, and an animated GIF.
enum class VideoFormat { kMp4, kWebm, kGif };

// The format a path's extension names (.mp4, .webm, .gif in any case), or
// nothing.
std::optional<VideoFormat> VideoFormatFromPath(const std::string& path);

// "MP4 (H.264)", "WebM (VP9)", "GIF", for messages.
const char* VideoFormatName(VideoFormat format);

// The longest comment a video carries, in bytes; a longer one is neither
// written nor read.
inline constexpr std::size_t kLongestVideoComment = 256 * 1024;

// Frames of MP4 and WebM are stored in 4:2:0, which needs even sizes: an odd
// width or height gains one column or row. GIF keeps the size as it is.
int StoredWidth(VideoFormat format, int width);
int StoredHeight(VideoFormat format, int height);

// "" when a picture of width x height can be stored in `format`, else why
// not, counted after the padding to even sizes above. H.264 and VP9 keep to
// their largest level, 6.2, which players are built for: H.264 allows 139264
// macroblocks of 16 x 16, VP9 35651584 pixels, and both 16384 pixels a side
// (x264 and libvpx refuse a longer one, though H.264's level alone would
// allow 16880). GIF allows 65535 pixels a side.
std::string VideoSizeProblem(VideoFormat format, int width, int height);

// The largest K for which a picture of K x base_width by K x base_height can
// be stored in `format`, or 0 when not even K = 1 can.
int LargestScaleFor(VideoFormat format, int base_width, int base_height);

// "" when frames at `fps` a second can be stored in `format`, else why not.
// GIF counts time in hundredths of a second and viewers show a delay below
// two as a tenth of a second, so a GIF holds at most 50 frames a second.
std::string VideoFrameRateProblem(VideoFormat format, int fps);

}  // namespace seedscape
