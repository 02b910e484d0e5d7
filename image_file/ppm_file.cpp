#include "image_file/ppm_file.h"

#include "image_file/atomic_file.h"

namespace seedscape {

namespace {

std::string Header(const RgbImage& image) {
    return "P6\n" + std::to_string(image.width) + " " + std::to_string(image.height) + "\n255\n";
}

}  // namespace

std::vector<unsigned char> EncodePpm(const RgbImage& image) {
    const std::string header = Header(image);
    std::vector<unsigned char> bytes;
    bytes.reserve(header.size() + image.pixels.size());
    bytes.insert(bytes.end(), header.begin(), header.end());
    bytes.insert(bytes.end(), image.pixels.begin(), image.pixels.end());
    return bytes;
}

std::string WritePpm(const std::string& path, const RgbImage& image) {
    AtomicFile file(path);
    const std::string header = Header(image);
    file.Write(header.data(), header.size());
    file.Write(image.pixels.data(), image.pixels.size());
    return file.Commit();
}

}  // namespace seedscape
