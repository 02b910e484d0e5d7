#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace seedscape {

// A file that appears whole or not at all. The bytes go to a temporary file
// beside `path`, which Commit() flushes to the disk and renames over `path`.
// Until then `path` is untouched; if the object goes without a successful
// Commit() (an error, a cancelled export, an exception), the temporary is
// removed; so it is when the program is interrupted, once the program has
// called RemoveTemporariesOnInterrupt(). A symbolic link at `path` is
// replaced, not followed.
//
// Every failure is kept as its errno and told as its reason ("No space left
// on device"); after the first one, nothing more is written.
class AtomicFile {
  public:
    explicit AtomicFile(std::string path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Whether the temporary is open and every write so far succeeded.
    bool ok() const { return failure_ == 0; }
    // The first failure's reason, or "".
    std::string error() const;

    // Appends `size` bytes. Returns ok(). Needs no memory of its own, so an
    // encoder may call it from inside a C library's callback.
    bool Write(const void* data, std::size_t size) noexcept;

    // Moves where the next bytes go, as lseek does (`whence` is SEEK_SET,
    // SEEK_CUR or SEEK_END), after writing what is gathered: a muxer goes back
    // to fill in a size it learns only at the end. Returns the new offset from
    // the start, or -1 when the file has failed.
    std::int64_t Seek(std::int64_t offset, int whence) noexcept;

    // Flushes, fsyncs, closes and renames over the path. Returns "" or the
    // reason; on failure the temporary is gone and the path untouched.
    [[nodiscard]] std::string Commit();

    // Gives up: removes the temporary. The destructor does this too.
    void Discard() noexcept;

    const std::string& temporary_path() const { return temporary_; }

  private:
    bool Flush() noexcept;
    void Fail(int error) noexcept;

    std::string path_;
    std::string temporary_;
    int fd_ = -1;
    int ticket_ = -1;  // the temporary's note for an interrupt
    int failure_ = 0;
    bool finished_ = false;                    // committed or discarded
    std::unique_ptr<unsigned char[]> buffer_;  // kBufferSize bytes, never cleared
    std::size_t used_ = 0;
};

// Writes `bytes` to `path` so that the file appears whole or not at all: the
// bytes go to a temporary file beside it, which is flushed to the disk and
// then renamed over `path`. On failure the temporary is removed and the
// reason is returned ("No space left on device"); on success, "".
[[nodiscard]] std::string WriteFileAtomically(const std::string& path,
                                              const std::vector<unsigned char>& bytes);

// The text of an errno value, safe to call from several threads at once.
std::string ErrorText(int error);

}  // namespace seedscape
