#include "export/column_spill.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "image_file/atomic_file.h"

namespace seedscape {

namespace {

// Goes on after a partial transfer or a signal. Returns 0 or the errno; a
// read that meets the file's end gives EIO.
template <typename Bytes, typename Step>
int TransferAll(Bytes* data, std::size_t size, long long offset, Step step) {
    while (size > 0) {
        const ssize_t done = step(data, size, offset);
        if (done < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (done == 0) return EIO;
        data += done;
        size -= static_cast<std::size_t>(done);
        offset += done;
    }
    return 0;
}

int WriteAll(int fd, const std::uint8_t* data, std::size_t size, long long offset) {
    return TransferAll(data, size, offset, [fd](const std::uint8_t* d, std::size_t n, off_t at) {
        return pwrite(fd, d, n, at);
    });
}

int ReadAll(int fd, std::uint8_t* data, std::size_t size, long long offset) {
    return TransferAll(data, size, offset, [fd](std::uint8_t* d, std::size_t n, off_t at) {
        return pread(fd, d, n, at);
    });
}

}  // namespace

ColumnSpill::ColumnSpill(const std::string& folder, int width, int height)
    : width_(width), height_(height) {
    std::string name = (folder.empty() ? std::string(".") : folder) + "/.seedscape-columns-XXXXXX";
    fd_ = mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0) {
        Fail("cannot make a temporary file in " + folder, errno);
        return;
    }
    // Only the descriptor needs it from now on.
    unlink(name.c_str());
}

ColumnSpill::~ColumnSpill() {
    if (fd_ >= 0) close(fd_);
}

bool ColumnSpill::Fail(const std::string& what, int error) {
    if (error_.empty()) error_ = what + ": " + ErrorText(error);
    return false;
}

bool ColumnSpill::Append(const RgbImage& band) {
    if (!error_.empty()) return false;
    if (band.height != height_ || band.width <= 0 || band.width > width_ - columns_) {
        error_ = "the columns do not fit the picture";
        return false;
    }
    const std::size_t bytes = band.pixels.size();
    if (const int error = WriteAll(fd_, band.pixels.data(), bytes, size_); error != 0) {
        return Fail("cannot write a temporary file", error);
    }
    bands_.push_back({band.width, size_});
    size_ += static_cast<long long>(bytes);
    columns_ += band.width;
    return true;
}

bool ColumnSpill::ReadRows(int top, RgbImage& rows) {
    if (!error_.empty()) return false;
    if (columns_ != width_ || rows.width != width_ || top < 0 || rows.height > height_ - top) {
        error_ = "the rows do not fit the picture";
        return false;
    }
    int left = 0;
    for (const Band& band : bands_) {
        // A band holds its rows one after another: the rows asked for are
        // one stretch of it.
        const std::size_t row_bytes = static_cast<std::size_t>(band.width) * 3;
        piece_.resize(row_bytes * static_cast<std::size_t>(rows.height));
        const long long offset = band.offset + static_cast<long long>(row_bytes) * top;
        if (const int error = ReadAll(fd_, piece_.data(), piece_.size(), offset); error != 0) {
            return Fail("cannot read a temporary file", error);
        }
        for (int y = 0; y < rows.height; ++y) {
            std::memcpy(rows.At(left, y), piece_.data() + row_bytes * y, row_bytes);
        }
        left += band.width;
    }
    return true;
}

}  // namespace seedscape
