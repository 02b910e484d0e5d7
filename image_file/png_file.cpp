// Writing PNG files with libpng, row by row, and reading their pixels back.
#include "image_file/png_file.h"

#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

#include "image_file/atomic_file.h"
#include "image_file/input_file.h"
#include "image_file/png_chunks.h"
#include "image_file/png_encoder.h"

#ifndef SEEDSCAPE_VERSION
#define SEEDSCAPE_VERSION "0.2"
#endif

namespace seedscape {

namespace {

using png_encoder::ByteSink;
using EncoderState = png_encoder::State;

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
Outcome EncodeRows(WriteStructs& structs, const RgbImage& image, png_encoder::Texts& texts,
                   const PngProgress& progress) {
    png_structp png = structs.png;
    png_infop info = structs.info;
    if (setjmp(png_jmpbuf(png))) return Outcome::kFailed;

    png_encoder::WriteHead(png, info, image.width, image.height, texts);
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
    return MetadataProblem(metadata);
}

// Encodes into `sink`. Returns "", kWriteCancelled, or the reason; when the
// sink failed, "" is never returned and the caller knows the reason better.
std::string Encode(const RgbImage& image, const PngMetadata& metadata, const PngProgress& progress,
                   ByteSink sink, void* target, bool& sink_failed) {
    sink_failed = false;
    if (std::string problem = CheckInput(image, metadata); !problem.empty()) return problem;

    EncoderState state{sink, target, false, {}};
    WriteStructs structs;
    structs.png = png_encoder::Create(state);
    if (structs.png != nullptr) structs.info = png_create_info_struct(structs.png);
    if (structs.info == nullptr) return "libpng could not start: out of memory";

    png_encoder::Texts texts;
    for (auto& [keyword, text] : MetadataTexts(metadata)) texts.Add(keyword, text);

    const Outcome outcome = EncodeRows(structs, image, texts, progress);
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

constexpr char kSoftwareKeyword[] = "Software";

// Whether a PNG text chunk may carry `keyword`: 1 to 79 Latin-1 characters,
// printable, with no blank at either end nor two together.
bool IsPngKeyword(const std::string& keyword) {
    if (keyword.empty() || keyword.size() > 79) return false;
    if (keyword.front() == ' ' || keyword.back() == ' ') return false;
    if (keyword.find("  ") != std::string::npos) return false;
    return std::all_of(keyword.begin(), keyword.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte >= 32 && byte <= 126) || byte >= 161;
    });
}

}  // namespace

std::string PngMetadata::SoftwareName() {
    return "seedscape " SEEDSCAPE_VERSION;
}

std::string MetadataProblem(const PngMetadata& metadata) {
    if (metadata.recipe.size() > kLongestRecipeText) {
        return "the recipe is longer than " + std::to_string(kLongestRecipeText / 1024) + " KiB";
    }
    std::vector<std::string_view> keywords = {kRecipeKeyword, kSoftwareKeyword};
    for (const auto& [keyword, text] : metadata.texts) {
        if (!IsPngKeyword(keyword)) {
            // Not repeated: it may hold anything.
            return "a text's keyword is not 1 to 79 printable characters, as PNG keywords are";
        }
        if (std::find(keywords.begin(), keywords.end(), keyword) != keywords.end()) {
            return "the text \"" + keyword + "\" is stored twice";
        }
        keywords.push_back(keyword);
    }
    // A text chunk's zero byte ends its keyword; readers take a zero byte in
    // the text for its end, so such text would not read back whole.
    const auto has_zero = [](const std::string& text) {
        return text.find('\0') != std::string::npos;
    };
    if (has_zero(metadata.recipe) || has_zero(metadata.software) ||
        std::any_of(metadata.texts.begin(), metadata.texts.end(),
                    [&](const auto& text) { return has_zero(text.second); })) {
        return "the text to store has a zero byte in it";
    }
    return {};
}

std::vector<std::pair<std::string, std::string>> MetadataTexts(const PngMetadata& metadata) {
    std::vector<std::pair<std::string, std::string>> texts;
    if (!metadata.recipe.empty()) texts.emplace_back(kRecipeKeyword, metadata.recipe);
    texts.insert(texts.end(), metadata.texts.begin(), metadata.texts.end());
    if (!metadata.software.empty()) texts.emplace_back(kSoftwareKeyword, metadata.software);
    return texts;
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
