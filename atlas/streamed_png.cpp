// libpng fed a band of rows at a time. Every call into libpng sits in a
// function of its own that sets the jump buffer first and has nothing with a
// destructor in its frame, since libpng reports errors by longjmp.
#include "atlas/streamed_png.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdio>

#include "image_file/atomic_file.h"

namespace seedscape {

namespace {

// As for the program's other PNG files: the Up filter with zlib's run-length
// matching is fast and small on rendered pictures.
constexpr int kFilters = PNG_FILTER_UP;
constexpr int kStrategy = Z_RLE;
constexpr int kLevel = 1;
constexpr std::size_t kImageChunkSize = 256 * 1024;

// What libpng's callbacks reach: trivially destructible only.
struct CallbackState {
    AtomicFile* file;
    bool sink_failed;
    char message[200];
};

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
    auto* state = static_cast<CallbackState*>(png_get_error_ptr(png));
    std::snprintf(state->message, sizeof state->message, "%s", message);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void OnWrite(png_structp png, png_bytep data, std::size_t size) {
    auto* state = static_cast<CallbackState*>(png_get_io_ptr(png));
    if (!state->file->Write(data, size)) {
        state->sink_failed = true;
        png_error(png, "the bytes could not be written");
    }
}

void OnFlush(png_structp) {}

bool Start(png_structp png, png_infop info, CallbackState& state, int width, int height,
           png_text* texts, int text_count) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, &state, OnWrite, OnFlush);
    png_set_compression_level(png, kLevel);
    png_set_compression_strategy(png, kStrategy);
    png_set_compression_buffer_size(png, kImageChunkSize);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, kFilters);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE,
                 PNG_FILTER_TYPE_BASE);
    png_set_text(png, info, texts, text_count);
    png_write_info(png, info);
    return true;
}

bool Rows(png_structp png, const RgbImage& band, int rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    for (int y = 0; y < rows; ++y) {
        // libpng only reads the row, though its signature does not say so.
        png_write_row(png, const_cast<std::uint8_t*>(band.At(0, y)));
    }
    return true;
}

bool End(png_structp png, png_infop info) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_write_end(png, info);
    return true;
}

}  // namespace

struct StreamedPng::Encoder {
    explicit Encoder(const std::string& path) : file(path) {}
    ~Encoder() { png_destroy_write_struct(&png, &info); }

    // Keeps the first failure: the file's own reason when the bytes could
    // not be written, else libpng's.
    bool Fail(const std::string& what) {
        if (error.empty()) {
            error = state.sink_failed ? file.error() : what + ": " + state.message;
        }
        return false;
    }

    AtomicFile file;
    CallbackState state{&file, false, {}};
    png_structp png = nullptr;
    png_infop info = nullptr;
    int width = 0;
    int height = 0;
    int rows_written = 0;
    std::string error;
};

StreamedPng::StreamedPng(const std::string& path, int width, int height, const Texts& texts)
    : encoder_(std::make_unique<Encoder>(path)) {
    Encoder& e = *encoder_;
    e.width = width;
    e.height = height;
    if (!e.file.ok()) {
        e.error = e.file.error();
        return;
    }
    if (width <= 0 || height <= 0) {
        e.error = "the image has no pixels";
        return;
    }
    e.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &e.state, OnError, OnWarning);
    if (e.png != nullptr) e.info = png_create_info_struct(e.png);
    if (e.info == nullptr) {
        e.error = "libpng could not start: out of memory";
        return;
    }
    // libpng copies the texts while png_set_text runs.
    std::vector<std::string> keys;
    std::vector<std::string> values;
    std::vector<png_text> chunks(texts.size());
    keys.reserve(texts.size());
    values.reserve(texts.size());
    for (std::size_t k = 0; k < texts.size(); ++k) {
        keys.push_back(texts[k].first);
        values.push_back(texts[k].second);
        chunks[k].compression = PNG_TEXT_COMPRESSION_NONE;
        chunks[k].key = keys.back().data();
        chunks[k].text = values.back().data();
        chunks[k].text_length = values.back().size();
    }
    if (!Start(e.png, e.info, e.state, width, height, chunks.data(),
               static_cast<int>(chunks.size()))) {
        e.Fail("PNG encoding failed");
    }
}

StreamedPng::~StreamedPng() = default;

const std::string& StreamedPng::error() const {
    return encoder_->error;
}

bool StreamedPng::WriteRows(const RgbImage& band, int rows) {
    Encoder& e = *encoder_;
    if (!e.error.empty()) return false;
    if (band.width != e.width || rows < 0 || rows > band.height ||
        rows > e.height - e.rows_written) {
        e.error = "the rows do not fit the image";
        return false;
    }
    if (!Rows(e.png, band, rows)) return e.Fail("PNG encoding failed");
    e.rows_written += rows;
    return true;
}

std::string StreamedPng::Finish() {
    Encoder& e = *encoder_;
    if (e.error.empty() && e.rows_written != e.height) e.error = "the image is not complete";
    if (e.error.empty() && !End(e.png, e.info)) e.Fail("PNG encoding failed");
    if (!e.error.empty()) {
        e.file.Discard();
        return e.error;
    }
    e.error = e.file.Commit();
    return e.error;
}

}  // namespace seedscape
