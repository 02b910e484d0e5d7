#include "cli/image_file.h"

#include <fcntl.h>
#include <png.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace seedscape::cli {

namespace {

std::vector<unsigned char> RgbBytes(const PixelImage& image) {
    std::vector<unsigned char> rgb;
    rgb.reserve(static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height()) *
                3);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const ColourValue colour = image.At(x, y);
            rgb.push_back(static_cast<unsigned char>(RedOf(colour)));
            rgb.push_back(static_cast<unsigned char>(GreenOf(colour)));
            rgb.push_back(static_cast<unsigned char>(BlueOf(colour)));
        }
    }
    return rgb;
}

// A name in the same directory as `path`, so that the rename cannot cross
// file systems. Hidden, and marked with the process id so that two renders
// writing the same file do not share one.
std::string TemporaryName(const std::string& path, int attempt) {
    const std::size_t slash = path.rfind('/');
    const std::string directory = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    // Shortened so that a long but valid file name still leaves room.
    const std::string base =
        (slash == std::string::npos ? path : path.substr(slash + 1)).substr(0, 180);
    return directory + "." + base + ".tmp-" + std::to_string(getpid()) + "-" +
           std::to_string(attempt);
}

bool WriteAll(int fd, const unsigned char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

std::vector<unsigned char> EncodePpm(const PixelImage& image) {
    const std::string header =
        "P6\n" + std::to_string(image.width()) + " " + std::to_string(image.height()) + "\n255\n";
    std::vector<unsigned char> bytes(header.begin(), header.end());
    const std::vector<unsigned char> rgb = RgbBytes(image);
    bytes.insert(bytes.end(), rgb.begin(), rgb.end());
    return bytes;
}

std::vector<unsigned char> EncodePng(const PixelImage& image, std::string& error) {
    const std::vector<unsigned char> rgb = RgbBytes(image);
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width());
    png.height = static_cast<png_uint_32>(image.height());
    png.format = PNG_FORMAT_RGB;

    // The first call only measures; the second writes into a buffer that fits.
    png_alloc_size_t size = 0;
    std::vector<unsigned char> bytes;
    if (png_image_write_to_memory(&png, nullptr, &size, 0, rgb.data(), 0, nullptr) != 0) {
        bytes.resize(size);
        if (png_image_write_to_memory(&png, bytes.data(), &size, 0, rgb.data(), 0, nullptr) != 0) {
            bytes.resize(size);
            return bytes;
        }
    }
    error = std::string("PNG encoding failed: ") + png.message;
    png_image_free(&png);
    return {};
}

std::string WriteFileAtomically(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = TemporaryName(path, attempt);
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return std::strerror(errno);

    // Every step is checked: a full disk may only show when the data is
    // flushed (fsync) or the file closed, not at write().
    bool ok = WriteAll(fd, bytes.data(), bytes.size()) && fsync(fd) == 0;
    int failure = ok ? 0 : errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        failure = errno;
    }
    if (!ok) {
        unlink(temporary.c_str());
        return std::strerror(failure);
    }
    return {};
}

std::string WritePng(const std::string& path, const PixelImage& image) {
    std::string error;
    const std::vector<unsigned char> bytes = EncodePng(image, error);
    if (!error.empty()) return error;
    return WriteFileAtomically(path, bytes);
}

std::string WritePpm(const std::string& path, const PixelImage& image) {
    return WriteFileAtomically(path, EncodePpm(image));
}

}  // namespace seedscape::cli
