#include "video/video_format.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace seedscape {

namespace {

// The largest levels of H.264 and VP9, 6.2 both.
constexpr std::int64_t kH264MostMacroblocks = 139264;
constexpr int kMacroblock = 16;
constexpr std::int64_t kVp9MostPixels = 35651584;
constexpr std::int64_t kLongestEncodedSide = 16384;  // x264's and libvpx's
constexpr int kGifLongestSide = 65535;
constexpr int kGifMostFps = 50;

std::string Lowercase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::int64_t Macroblocks(std::int64_t pixels) {
    return (pixels + kMacroblock - 1) / kMacroblock;
}

std::string SizeText(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

}  // namespace

std::optional<VideoFormat> VideoFormatFromPath(const std::string& path) {
    const std::string name = Lowercase(path);
    if (EndsWith(name, ".mp4")) return VideoFormat::kMp4;
    if (EndsWith(name, ".webm")) return VideoFormat::kWebm;
    if (EndsWith(name, ".gif")) return VideoFormat::kGif;
    return std::nullopt;
}

const char* VideoFormatName(VideoFormat format) {
    switch (format) {
        case VideoFormat::kMp4:
            return "MP4 (H.264)";
        case VideoFormat::kWebm:
            return "WebM (VP9)";
        case VideoFormat::kGif:
            return "GIF";
    }
    return "?";
}

int StoredWidth(VideoFormat format, int width) {
    return format == VideoFormat::kGif ? width : width + width % 2;
}

int StoredHeight(VideoFormat format, int height) {
    return format == VideoFormat::kGif ? height : height + height % 2;
}

std::string VideoSizeProblem(VideoFormat format, int width, int height) {
    if (width < 1 || height < 1) return "a video frame needs at least one pixel a side";
    const std::string name = VideoFormatName(format);
    // Counted in 64 bits: the padding may take a side past the largest int.
    const std::int64_t stored_width = width + static_cast<std::int64_t>(width % 2);
    const std::int64_t stored_height = height + static_cast<std::int64_t>(height % 2);
    switch (format) {
        case VideoFormat::kMp4: {
            if (std::max(stored_width, stored_height) > kLongestEncodedSide) {
                return name + " allows at most " + std::to_string(kLongestEncodedSide) +
                       " pixels a side, and " + SizeText(width, height) + " is larger";
            }
            const std::int64_t blocks = Macroblocks(stored_width) * Macroblocks(stored_height);
            if (blocks > kH264MostMacroblocks) {
                return name + " allows at most " + std::to_string(kH264MostMacroblocks) +
                       " blocks of 16 x 16 pixels a frame, and " + SizeText(width, height) +
                       " needs " + std::to_string(blocks);
            }
            return "";
        }
        case VideoFormat::kWebm:
            if (std::max(stored_width, stored_height) > kLongestEncodedSide) {
                return name + " allows at most " + std::to_string(kLongestEncodedSide) +
                       " pixels a side, and " + SizeText(width, height) + " is larger";
            }
            if (stored_width * stored_height > kVp9MostPixels) {
                return name + " allows at most " + std::to_string(kVp9MostPixels) +
                       " pixels a frame, and " + SizeText(width, height) + " has " +
                       std::to_string(stored_width * stored_height);
            }
            return "";
        case VideoFormat::kGif:
            if (std::max(width, height) > kGifLongestSide) {
                return name + " allows at most " + std::to_string(kGifLongestSide) +
                       " pixels a side, and " + SizeText(width, height) + " is larger";
            }
            return "";
    }
    return "";
}

int LargestScaleFor(VideoFormat format, int base_width, int base_height) {
    if (base_width < 1 || base_height < 1) return 0;
    // No format allows a side past 65535, so the search is short.
    int largest = 0;
    for (int k = 1; static_cast<std::int64_t>(k) * std::max(base_width, base_height) <= 65536;
         ++k) {
        if (!VideoSizeProblem(format, k * base_width, k * base_height).empty()) break;
        largest = k;
    }
    return largest;
}

std::string VideoFrameRateProblem(VideoFormat format, int fps) {
    if (fps < 1) return "a video needs at least one frame a second";
    if (format == VideoFormat::kGif && fps > kGifMostFps) {
        return "GIF shows at most " + std::to_string(kGifMostFps) + " frames a second, not " +
               std::to_string(fps);
    }
    return "";
}

}  // namespace seedscape
