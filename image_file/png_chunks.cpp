// Finding a text in a PNG without decoding its pixels: the chunks are walked
// from the signature to IEND, their headers read, everything else stepped
// over.
#include "image_file/png_chunks.h"

#include <unistd.h>
#include <zlib.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

#include "image_file/atomic_file.h"
#include "image_file/input_file.h"

namespace seedscape {

namespace {

constexpr std::array<unsigned char, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
// A chunk is its length, its type, its data and a CRC of the type and data.
constexpr std::uint64_t kChunkOverhead = 12;
constexpr std::uint32_t kLargestChunkLength = 0x7fffffff;

std::uint32_t BigEndian(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
           static_cast<std::uint32_t>(bytes[2]) << 8 | static_cast<std::uint32_t>(bytes[3]);
}

// Reads a file at given offsets, keeping the last few kilobytes read, so
// that a file of many small chunks costs few system calls.
class FileReader {
  public:
    explicit FileReader(int fd) : fd_(fd) {}
    ~FileReader() { close(fd_); }
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // Fills `out` with `size` bytes from `offset`; false (errno set, or 0
    // when the file ends first) otherwise.
    bool Read(std::uint64_t offset, unsigned char* out, std::size_t size) {
        if (size > window_.size()) return ReadDirectly(offset, out, size);
        if (offset < window_offset_ || offset + size > window_offset_ + window_size_) {
            window_offset_ = offset;
            window_size_ = 0;
            while (window_size_ < window_.size()) {
                const ssize_t got =
                    pread(fd_, window_.data() + window_size_, window_.size() - window_size_,
                          static_cast<off_t>(offset + window_size_));
                if (got < 0 && errno == EINTR) continue;
                if (got < 0) return false;
                if (got == 0) break;
                window_size_ += static_cast<std::size_t>(got);
            }
            if (window_size_ < size) {
                errno = 0;
                return false;
            }
        }
        std::memcpy(out, window_.data() + (offset - window_offset_), size);
        return true;
    }

  private:
    bool ReadDirectly(std::uint64_t offset, unsigned char* out, std::size_t size) {
        std::size_t done = 0;
        while (done < size) {
            const ssize_t got =
                pread(fd_, out + done, size - done, static_cast<off_t>(offset + done));
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) {
                if (got == 0) errno = 0;
                return false;
            }
            done += static_cast<std::size_t>(got);
        }
        return true;
    }

    int fd_;
    std::array<unsigned char, 4096> window_{};
    std::uint64_t window_offset_ = 0;
    std::size_t window_size_ = 0;
};

// The reasons, each naming the file.
struct Refusals {
    using Fault = PngChunkScan::Fault;
    std::string path;
    std::string name;  // of the text wanted

    PngChunkScan Refuse(Fault fault, std::string error) const {
        return {fault, std::move(error), {}};
    }
    PngChunkScan CannotRead(int error) const {
        return Refuse(Fault::kUnreadable, "cannot read " + path + ": " + ErrorText(error));
    }
    PngChunkScan Empty() const {
        return Refuse(Fault::kUnreadable, path + " is empty, not a PNG image");
    }
    PngChunkScan NotPng() const { return Refuse(Fault::kUnreadable, path + " is not a PNG image"); }
    PngChunkScan Truncated() const {
        return Refuse(Fault::kUnreadable, path + " is truncated: the PNG image ends early");
    }
    PngChunkScan Damaged(const std::string& what, Fault fault = Fault::kUnreadable) const {
        return Refuse(fault, path + " is a damaged PNG image: " + what);
    }
    PngChunkScan NoText() const { return Refuse(Fault::kNoText, path + " carries no " + name); }
    PngChunkScan TooLong(std::size_t longest) const {
        return Refuse(Fault::kBadText, path + " carries a " + name + " longer than " +
                                           std::to_string(longest / 1024) + " KiB");
    }
    PngChunkScan TwoTexts() const {
        return Refuse(Fault::kBadText, path + " carries more than one " + name);
    }
};

bool IsChunkType(const unsigned char* type) {
    for (int k = 0; k < 4; ++k) {
        const unsigned char c = type[k];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
    }
    return true;
}

bool CrcMatches(const unsigned char* type, const unsigned char* data, std::size_t size,
                const unsigned char* stored) {
    uLong crc = crc32(0, type, 4);
    crc = crc32(crc, data, static_cast<uInt>(size));
    return crc == BigEndian(stored);
}

}  // namespace

PngChunkScan ScanPngChunks(const std::string& path, const PngTextWanted& wanted) {
    const Refusals refuse{path, std::string(wanted.name)};
    // A text chunk: keyword, a zero byte, then the text.
    const std::string prefix = std::string(wanted.keyword) + '\0';
    const InputFile input = OpenInputFile(path);
    if (!input.error.empty()) return refuse.Refuse(PngChunkScan::Fault::kUnreadable, input.error);
    FileReader file(input.fd);
    const std::uint64_t size = input.size;
    if (size == 0) return refuse.Empty();

    std::array<unsigned char, kSignature.size()> signature{};
    const std::size_t signature_size = size < signature.size() ? size : signature.size();
    if (!file.Read(0, signature.data(), signature_size)) {
        return errno ? refuse.CannotRead(errno) : refuse.Truncated();
    }
    if (std::memcmp(signature.data(), kSignature.data(), signature_size) != 0) {
        return refuse.NotPng();
    }

    std::string text;
    bool found = false;
    bool seen_image_data = false;
    std::vector<unsigned char> keyword;
    std::vector<unsigned char> data;
    for (std::uint64_t offset = kSignature.size();;) {
        unsigned char header[8];
        if (offset + sizeof header > size) return refuse.Truncated();
        if (!file.Read(offset, header, sizeof header)) {
            return errno ? refuse.CannotRead(errno) : refuse.Truncated();
        }
        const std::uint32_t length = BigEndian(header);
        const unsigned char* type = header + 4;
        const std::string_view name(reinterpret_cast<const char*>(type), 4);
        if (!IsChunkType(type) || length > kLargestChunkLength) {
            return refuse.Damaged("a chunk's header is not valid");
        }
        const std::uint64_t end = offset + kChunkOverhead + length;
        if (end > size) return refuse.Truncated();
        const bool first = offset == kSignature.size();
        if (first != (name == "IHDR")) {
            return refuse.Damaged(first ? "it does not begin with an image header"
                                        : "it has a second image header");
        }
        if (first && length != 13) return refuse.Damaged("its image header is not valid");

        // The image header is read for its CRC; of a text chunk, its keyword,
        // and the whole chunk only when it is the one wanted.
        bool ours = false;
        if (name == "tEXt" && length >= prefix.size()) {
            keyword.resize(prefix.size());
            if (!file.Read(offset + 8, keyword.data(), keyword.size())) {
                return errno ? refuse.CannotRead(errno) : refuse.Truncated();
            }
            ours = std::memcmp(keyword.data(), prefix.data(), prefix.size()) == 0;
            if (ours && length > prefix.size() + wanted.longest) {
                return refuse.TooLong(wanted.longest);
            }
            if (ours && found) return refuse.TwoTexts();
        }
        if (first || ours) {
            data.resize(length + 4);
            if (!file.Read(offset + 8, data.data(), data.size())) {
                return errno ? refuse.CannotRead(errno) : refuse.Truncated();
            }
            if (!CrcMatches(type, data.data(), length, data.data() + length)) {
                // A damaged recipe is no reason to doubt the pixels.
                return refuse.Damaged(
                    "the checksum of its " + std::string(name) + " chunk does not match",
                    first ? PngChunkScan::Fault::kUnreadable : PngChunkScan::Fault::kBadText);
            }
        }
        if (ours) {
            found = true;
            text.assign(reinterpret_cast<const char*>(data.data()) + prefix.size(),
                        length - prefix.size());
        }
        if (name == "IDAT") seen_image_data = true;
        if (name == "IEND") {
            if (!seen_image_data) return refuse.Damaged("it has no image data");
            if (!found) return refuse.NoText();
            return {PngChunkScan::Fault::kNone, {}, std::move(text)};
        }
        offset = end;
    }
}

PngRecipeReading ReadPngRecipe(const std::string& path) {
    PngChunkScan scan = ScanPngChunks(path);
    if (scan.fault != PngChunkScan::Fault::kNone) return {{}, std::move(scan.error)};
    return {std::move(scan.text), {}};
}

}  // namespace seedscape
