#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "image_file/png_keywords.h"
#include "image_file/rgb_image.h"

namespace seedscape {

// What a PNG carries besides its pixels: the recipe under kRecipeKeyword (no
// chunk when empty), further texts under keywords of their own (a frame of a
// flight carries the flight and its number), and the program that made it
// under "Software". All are written before the image data, so a reader finds
// them without decoding it.
struct PngMetadata {
    std::string recipe;
    std::string software = SoftwareName();
    std::vector<std::pair<std::string, std::string>> texts = {};  // keyword and text

    // "seedscape 0.2": the program and its version.
    static std::string SoftwareName();
};

// What makes the metadata unfit to store, or "": a recipe longer than
// kLongestRecipeText, a zero byte in a text, a further text's keyword that a
// PNG cannot hold (1 to 79 printable Latin-1 characters, no blank at either
// end nor two together) or that is the recipe's, Software's or another's.
std::string MetadataProblem(const PngMetadata& metadata);

// The text chunks a PNG carries for the metadata, as keyword and text, in
// the order they are written: a writer fed rows a band at a time gives the
// same file as WritePng.
std::vector<std::pair<std::string, std::string>> MetadataTexts(const PngMetadata& metadata);

// Exports of tens of megapixels take a while: the encoder reports the rows
// written so far after every row, and stops at the next row once `cancel`
// is set. `progress` may be empty, `cancel` null.
struct PngProgress {
    std::function<void(int rows_written, int rows)> progress;
    const std::atomic<bool>* cancel = nullptr;
};

// WritePng's reason when it was cancelled.
inline constexpr char kWriteCancelled[] = "cancelled";

// The image as an 8-bit RGB PNG at `path`, streamed into a temporary file
// beside it and renamed over `path` when whole (see AtomicFile). Returns ""
// or the reason; on failure or cancelling nothing is left behind and a file
// already at `path` keeps its contents.
[[nodiscard]] std::string WritePng(const std::string& path, const RgbImage& image,
                                   const PngMetadata& metadata, const PngProgress& progress = {});

// The same PNG in memory, e.g. for the clipboard. Leaves an empty vector and
// the reason in `error` on failure.
std::vector<unsigned char> EncodePng(const RgbImage& image, const PngMetadata& metadata,
                                     std::string& error);

// Either the pixels of a PNG or why they cannot be had.
struct PngPixelsReading {
    std::optional<RgbImage> image;
    std::string error;
};

// The largest image ReadPngPixels decodes, in pixels: room for every export,
// and a bound on the memory an untrusted file can ask for.
inline constexpr long long kLargestPixelCount = 1LL << 27;

// The pixels of a PNG as 8-bit RGB. The files this program writes read back
// exactly; other files are converted by libpng (palettes expanded, 16 bits
// cut to 8, alpha composed onto black).
PngPixelsReading ReadPngPixels(const std::string& path);

}  // namespace seedscape
