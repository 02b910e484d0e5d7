// libpng fed a band of rows at a time. Every call into libpng sits in a
// function of its own that sets the jump buffer first and has nothing with a
// destructor in its frame, since libpng reports errors by longjmp.
#include "image_file/streamed_png.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>

#include "image_file/atomic_file.h"
#include "image_file/png_encoder.h"

namespace seedscape {

namespace {

bool FileSink(void* target, const unsigned char* data, std::size_t size) noexcept {
    return static_cast<AtomicFile*>(target)->Write(data, size);
}

bool Start(png_structp png, png_infop info, int width, int height, png_encoder::Texts& texts) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_encoder::WriteHead(png, info, width, height, texts);
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
    png_encoder::State state{FileSink, &file, false, {}};
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
    e.png = png_encoder::Create(e.state);
    if (e.png != nullptr) e.info = png_create_info_struct(e.png);
    if (e.info == nullptr) {
        e.error = "libpng could not start: out of memory";
        return;
    }
    png_encoder::Texts chunks;
    for (const auto& [keyword, text] : texts) chunks.Add(keyword, text);
    if (!Start(e.png, e.info, width, height, chunks)) e.Fail("PNG encoding failed");
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
