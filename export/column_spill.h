#pragma once

#include <string>
#include <vector>

#include "image_file/rgb_image.h"

namespace seedscape {

// An export's pixels kept on the disk rather than in memory. The render
// finishes whole columns, left to right, while a PNG is written by rows, top
// to bottom: the bands of columns are appended to a temporary file as they
// come and read back a few rows at a time. The file is unlinked as soon as it
// is made, so that nothing is left behind however the program ends.
class ColumnSpill {
  public:
    // The file is made in `folder`: beside the picture being written, where
    // there is room for it.
    ColumnSpill(const std::string& folder, int width, int height);
    ~ColumnSpill();
    ColumnSpill(const ColumnSpill&) = delete;
    ColumnSpill& operator=(const ColumnSpill&) = delete;

    // "" while every step so far succeeded, else the first failure's reason.
    const std::string& error() const { return error_; }

    // Appends the band, whose columns follow those before it and whose
    // height is the picture's. Returns whether all is still well.
    bool Append(const RgbImage& band);

    // Rows [top, top + rows.height) of the whole picture, into `rows`, whose
    // width is the picture's; every column must have been appended.
    bool ReadRows(int top, RgbImage& rows);

  private:
    bool Fail(const std::string& what, int error);

    struct Band {
        int width;
        long long offset;  // where its first row starts in the file
    };

    int fd_ = -1;
    int width_;
    int height_;
    int columns_ = 0;  // appended so far
    long long size_ = 0;
    std::vector<Band> bands_;
    std::vector<std::uint8_t> piece_;  // one band's rows, read at once
    std::string error_;
};

}  // namespace seedscape
