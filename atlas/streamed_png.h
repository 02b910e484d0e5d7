#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "image_file/rgb_image.h"

namespace seedscape {

// A PNG written a few rows at a time, for images too tall to hold whole: a
// contact sheet of thousands of pictures. The bytes go to a temporary file
// beside `path` (see AtomicFile), which Finish() renames over `path` once
// every row is in; given up before that, nothing is left behind.
class StreamedPng {
  public:
    // Text chunks as keyword and text, written before the image data.
    using Texts = std::vector<std::pair<std::string, std::string>>;

    StreamedPng(const std::string& path, int width, int height, const Texts& texts);
    ~StreamedPng();
    StreamedPng(const StreamedPng&) = delete;
    StreamedPng& operator=(const StreamedPng&) = delete;

    // "" while every step so far succeeded, else the first failure's reason.
    const std::string& error() const;

    // Appends the first `rows` rows of `band`, whose width is the image's.
    // Returns whether all is still well.
    bool WriteRows(const RgbImage& band, int rows);

    // Ends the image and renames the file into place once all its rows are
    // written. Returns "" or the reason.
    [[nodiscard]] std::string Finish();

  private:
    struct Encoder;
    std::unique_ptr<Encoder> encoder_;
};

}  // namespace seedscape
