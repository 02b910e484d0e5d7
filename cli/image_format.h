#pragma once

namespace seedscape::cli {

// The kinds of file seedscape-render writes, told by the output's name.
// A video's kind (MP4, WebM, GIF) is told apart by VideoFormatFromPath; a
// name ending in "/" is a folder, for a flight's frames.
enum class ImageFormat { kPng, kPpm, kVideo, kFolder };

}  // namespace seedscape::cli
