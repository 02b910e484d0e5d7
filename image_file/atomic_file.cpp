#include "image_file/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "image_file/interrupt_cleanup.h"

namespace seedscape {

namespace {

// Encoders hand over their output in pieces of a few kilobytes; gathered
// here, they reach the disk in few system calls. A piece of a quarter of the
// buffer or more goes straight to the file: copying it would cost more than
// the call it saves, in memory touched for the first time as much as in time.
constexpr std::size_t kBufferSize = 256 * 1024;
constexpr std::size_t kWrittenDirectly = kBufferSize / 4;

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

bool WriteAll(int fd, const unsigned char* data, std::size_t size) noexcept {
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

std::string ErrorText(int error) {
    char text[256];
    // The GNU strerror_r: it returns the text, which may or may not be `text`.
    return strerror_r(error, text, sizeof text);
}

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)) {
    for (int attempt = 0; fd_ < 0 && attempt < 100; ++attempt) {
        temporary_ = TemporaryName(path_, attempt);
        // Noted before it exists, so that no moment is left in which an
        // interrupt would find a temporary it does not know of.
        ForgetTemporary(ticket_);
        ticket_ = NoteTemporary(temporary_);
        fd_ = open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) {
        failure_ = errno;
        ForgetTemporary(ticket_);
        ticket_ = -1;
        finished_ = true;  // nothing was made, so nothing is to be removed
        return;
    }
    // Not zeroed: only the pages that pieces are copied into are touched.
    buffer_.reset(new unsigned char[kBufferSize]);
}

AtomicFile::~AtomicFile() {
    Discard();
}

std::string AtomicFile::error() const {
    return failure_ == 0 ? std::string() : ErrorText(failure_);
}

void AtomicFile::Fail(int error) noexcept {
    if (failure_ == 0) failure_ = error;
}

bool AtomicFile::Flush() noexcept {
    if (!ok()) return false;
    if (used_ > 0 && !WriteAll(fd_, buffer_.get(), used_)) Fail(errno);
    used_ = 0;
    return ok();
}

bool AtomicFile::Write(const void* data, std::size_t size) noexcept {
    if (!ok() || finished_) return false;
    if (size == 0) return true;
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (size < kWrittenDirectly) {
        if (used_ + size > kBufferSize && !Flush()) return false;
        std::memcpy(buffer_.get() + used_, bytes, size);
        used_ += size;
        return true;
    }
    // What is gathered goes first, then the piece itself, whole.
    if (!Flush()) return false;
    if (!WriteAll(fd_, bytes, size)) Fail(errno);
    return ok();
}

std::int64_t AtomicFile::Seek(std::int64_t offset, int whence) noexcept {
    if (finished_ || !Flush()) return -1;
    const off_t place = lseek(fd_, static_cast<off_t>(offset), whence);
    if (place < 0) Fail(errno);
    return ok() ? static_cast<std::int64_t>(place) : -1;
}

std::string AtomicFile::Commit() {
    if (finished_) return ok() ? "the file was already written or given up" : error();
    // Every step is checked: a full disk may only show when the data is
    // flushed (fsync) or the file closed, not at write().
    if (Flush() && fsync(fd_) != 0) Fail(errno);
    if (close(fd_) != 0) Fail(errno);
    fd_ = -1;
    if (ok() && std::rename(temporary_.c_str(), path_.c_str()) != 0) Fail(errno);
    if (!ok()) {
        unlink(temporary_.c_str());
    }
    ForgetTemporary(ticket_);
    finished_ = true;
    return error();
}

void AtomicFile::Discard() noexcept {
    if (finished_) return;
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    unlink(temporary_.c_str());
    ForgetTemporary(ticket_);
    finished_ = true;
}

std::string WriteFileAtomically(const std::string& path, const std::vector<unsigned char>& bytes) {
    AtomicFile file(path);
    file.Write(bytes.data(), bytes.size());
    return file.Commit();
}

}  // namespace seedscape
