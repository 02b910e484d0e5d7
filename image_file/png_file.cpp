// Writing PNG files with libpng, row by row, and reading their pixels back.
#include "image_file/png_file.h"

#include <png.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>

#include "image_file/atomic_file.h"
#include "image_file/input_file.h"
#include "image_file/png_chunks.h"

#ifndef SEEDSCAPE_VERSION
#define SEEDSCAPE_VERSION "0.2"
#endif

namespace seedscape {

namespace {

// Settings chosen by measurement (seedscape-png-bench, a 4656 x 3376
// export): the Up filter with zlib's run-length matching encodes it in 0.07
// to 0.4 s, the noisy worst case included, and there gives smaller files than
// level 1's general matching (18.7 MB against 23.0 MB). libpng's default,
// level 6 trying every filter, takes 7.6 s on the noisy picture for 19.2 MB.
// With run-length matching zlib's level makes no difference.
constexpr int kFilters = PNG_FILTER_UP;
constexpr int kStrategy = Z_RLE;
constexpr int kLevel = 1;
// Image data in chunks of up to this size: few chunks for ReadPngRecipe to
// step over in a large file.
constexpr std::size_t kImageChunkSize = 256 * 1024;

// Where the encoder's bytes go: a file or memory.
using ByteSink = bool (*)(void* target, const unsigned char* data, std::size_t size) noexcept;

// Everything libpng's callbacks reach. Only trivially destructible members:
// libpng reports errors by longjmp, which skips destructors.
struct EncoderState {
    ByteSink sink;
    void* target;
    bool sink_failed;
    char message[200];
};

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
    auto* state = static_cast<EncoderState*>(png_get_error_ptr(png));
    std::snprintf(state->message, sizeof state->message, "%s", message);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void OnWrite(png_structp png, png_bytep data, std::size_t size) {
    auto* state = static_cast<EncoderState*>(png_get_io_ptr(png));
    if (!state->sink(state->target, data, size)) {
        state->sink_failed = true;
        png_error(png, "the bytes could not be written");
    }
}

void OnFlush(png_structp) {}

// Frees libpng's structures however the encoder leaves: done, failed (by
// longjmp back into Encode's frame, which this outlives) or by an exception
// from the progress callback.
struct WriteStructs {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~WriteStructs() { png_destroy_write_struct(&png, &info); }
};

enum class Outcome { kDone, kFailed, kCancelled };

// Kept apart from everything with a destructor, so that a longjmp out of
// libpng lands here with nothing skipped.
Outcome EncodeRows(WriteStructs& structs, EncoderState& state, const RgbImage& image,
                   png_text* texts, int text_count, const PngProgress& progress) {
    png_structp png = structs.png;
    png_infop info = structs.info;
    if (setjmp(png_jmpbuf(png))) return Outcome::kFailed;

    png_set_write_fn(png, &state, OnWrite, OnFlush);
    png_set_compression_level(png, kLevel);
    png_set_compression_strategy(png, kStrategy);
    png_set_compression_buffer_size(png, kImageChunkSize);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, kFilters);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    // Set before png_write_info, the text chunks go before the image data.
    png_set_text(png, info, texts, text_count);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y) {
        if (progress.cancel != nullptr && progress.cancel->load(std::memory_order_relaxed)) {
            return Outcome::kCancelled;
        }
        png_write_row(png, image.At(0, y));
        if (progress.progress) progress.progress(y + 1, image.height);
    }
    // A cancel after the last row still comes before the file is finished.
    if (progress.cancel != nullptr && progress.cancel->load(std::memory_order_relaxed)) {
        return Outcome::kCancelled;
    }
    png_write_end(png, info);
    return Outcome::kDone;
}

// What makes a file unfit to write, or "".
std::string CheckInput(const RgbImage& image, const PngMetadata& metadata) {
    if (image.width <= 0 || image.height <= 0) return "the image has no pixels";
    if (image.pixels.size() !=
        static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3) {
        return "the image's pixels do not match its size";
    }
    if (metadata.recipe.size() > kLongestRecipeText) {
        return "the recipe is longer than " + std::to_string(kLongestRecipeText / 1024) + " KiB";
    }
    // A text chunk's zero byte ends its keyword; readers take a zero byte in
    // the text for its end, so such text would not read back whole.
    if (metadata.recipe.find('\0') != std::string::npos ||
        metadata.software.find('\0') != std::string::npos) {
        return "the text to store has a zero byte in it";
    }
    return {};
}

// Encodes into `sink`. Returns "", kWriteCancelled, or the reason; when the
// sink failed, "" is never returned and the caller knows the reason better.
std::string Encode(const RgbImage& image, const PngMetadata& metadata, const PngProgress& progress,
                   ByteSink sink, void* target, bool& sink_failed) {
    sink_failed = false;
    if (std::string problem = CheckInput(image, metadata); !problem.empty()) return problem;

    EncoderState state{sink, target, false, {}};
    WriteStructs structs;
    structs.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, OnError, OnWarning);
    if (structs.png != nullptr) structs.info = png_create_info_struct(structs.png);
    if (structs.info == nullptr) return "libpng could not start: out of memory";

    // libpng copies the texts; it only needs the strings while the call lasts.
    std::string recipe = metadata.recipe;
    std::string software = metadata.software;
    png_text texts[2] = {};
    int text_count = 0;
    if (!recipe.empty()) {
        texts[text_count].compression = PNG_TEXT_COMPRESSION_NONE;
        texts[text_count].key = const_cast<char*>(kRecipeKeyword);
        texts[text_count].text = recipe.data();
        texts[text_count].text_length = recipe.size();
        ++text_count;
    }
    if (!software.empty()) {
        texts[text_count].compression = PNG_TEXT_COMPRESSION_NONE;
        texts[text_count].key = const_cast<char*>("Software");
        texts[text_count].text = software.data();
        texts[text_count].text_length = software.size();
        ++text_count;
    }

    const Outcome outcome = EncodeRows(structs, state, image, texts, text_count, progress);
    sink_failed = state.sink_failed;
    switch (outcome) {
        case Outcome::kDone:
            return {};
        case Outcome::kCancelled:
            return kWriteCancelled;
        case Outcome::kFailed:
            break;
    }
    return std::string("PNG encoding failed: ") + state.message;
}

bool WriteToFile(void* target, const unsigned char* data, std::size_t size) noexcept {
    return static_cast<AtomicFile*>(target)->Write(data, size);
}

bool WriteToMemory(void* target, const unsigned char* data, std::size_t size) noexcept {
    try {
        auto* bytes = static_cast<std::vector<unsigned char>*>(target);
        bytes->insert(bytes->end(), data, data + size);
        return true;
    } catch (...) {
        return false;  // out of memory
    }
}

}  // namespace

std::string PngMetadata::SoftwareName() {
    return "seedscape " SEEDSCAPE_VERSION;
}

std::string WritePng(const std::string& path, const RgbImage& image, const PngMetadata& metadata,
                     const PngProgress& progress) {
    // Checked first, so that a refused image does not even make a temporary.
    if (std::string problem = CheckInput(image, metadata); !problem.empty()) return problem;
    AtomicFile file(path);
    if (!file.ok()) return file.error();
    bool sink_failed = false;
    const std::string error = Encode(image, metadata, progress, WriteToFile, &file, sink_failed);
    if (sink_failed) return file.error();
    if (!error.empty()) return error;  // the file's destructor removes the temporary
    return file.Commit();
}

std::vector<unsigned char> EncodePng(const RgbImage& image, const PngMetadata& metadata,
                                     std::string& error) {
    std::vector<unsigned char> bytes;
    bool sink_failed = false;
    error = Encode(image, metadata, {}, WriteToMemory, &bytes, sink_failed);
    if (sink_failed) error = "PNG encoding failed: out of memory";
    if (!error.empty()) bytes.clear();
    return bytes;
}

PngPixelsReading ReadPngPixels(const std::string& path) {
    // libpng stops once it has the pixels; the walk also finds a file cut
    // short after them, or damaged where libpng would only warn.
    PngChunkScan scan = ScanPngChunks(path);
    if (scan.fault == PngChunkScan::Fault::kUnreadable) return {{}, std::move(scan.error)};
    const InputFile input = OpenInputFile(path);
    if (!input.error.empty()) return {{}, input.error};
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(fdopen(input.fd, "rb"), std::fclose);
    if (!file) {
        const int error = errno;
        close(input.fd);
        return {{}, "cannot read " + path + ": " + ErrorText(error)};
    }

    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    // Frees libpng's state on every path; harmless once finish_read has done so.
    const std::unique_ptr<png_image, void (*)(png_imagep)> cleanup(&png, png_image_free);
    if (png_image_begin_read_from_stdio(&png, file.get()) == 0) {
        return {{}, path + " cannot be read as a PNG image: " + png.message};
    }
    const long long pixels = static_cast<long long>(png.width) * png.height;
    if (pixels > kLargestPixelCount) {
        return {{},
                path + " is too large to open: " + std::to_string(png.width) + " x " +
                    std::to_string(png.height) + " pixels"};
    }
    png.format = PNG_FORMAT_RGB;
    RgbImage image(static_cast<int>(png.width), static_cast<int>(png.height));
    if (png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr) == 0) {
        return {{}, path + " cannot be read as a PNG image: " + png.message};
    }
    return {std::move(image), {}};
}

}  // namespace seedscape
