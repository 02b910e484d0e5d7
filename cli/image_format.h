#pragma once

namespace seedscape::cli {

// The kinds of file seedscape-render writes, told by the output's name.
enum class ImageFormat { kPng, kPpm };

}  // namespace seedscape::cli
