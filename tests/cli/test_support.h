#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "render/pixel_image.h"
#include "tests/support/engine_images.h"

namespace seedscape::cli::testing {

// A fresh directory under the system's temporary folder, removed with
// everything in it when the object goes.
class ScratchDirectory {
  public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    // The names of the entries in the directory, sorted.
    std::vector<std::string> Entries() const;

  private:
    std::filesystem::path path_;
};

using seedscape::testing::EngineImageMother;

// Whether both have the same size and the same colour at every pixel; on a
// difference, `where` tells the first one.
bool SameImage(const PixelImage& a, const PixelImage& b, std::string* where = nullptr);

// Read back with libpng as 8-bit RGB, or by parsing the P6 header; an empty
// 0 x 0 image when the file is not what it should be.
PixelImage ReadPng(const std::string& path);
PixelImage ReadPpm(const std::string& path);

std::string ReadText(const std::string& path);

}  // namespace seedscape::cli::testing
