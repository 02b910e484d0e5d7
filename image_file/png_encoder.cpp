#include "image_file/png_chunks.h"
#include "image_file/png_encoder.h"

#include <zlib.h>

#include <cstdio>

namespace seedscape::png_encoder {

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

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
    auto* state = static_cast<State*>(png_get_error_ptr(png));
    std::snprintf(state->message, sizeof state->message, "%s", message);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void OnWrite(png_structp png, png_bytep data, std::size_t size) {
    auto* state = static_cast<State*>(png_get_io_ptr(png));
    if (!state->sink(state->target, data, size)) {
        state->sink_failed = true;
        png_error(png, "the bytes could not be written");
    }
}

void OnFlush(png_structp) {}

}  // namespace

png_structp Create(State& state) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, OnError, OnWarning);
    if (png != nullptr) png_set_write_fn(png, &state, OnWrite, OnFlush);
    return png;
}

void Texts::Add(std::string keyword, std::string text) {
    strings_.emplace_back(std::move(keyword), std::move(text));
    // The strings may have moved: point every chunk at them afresh.
    chunks_.assign(strings_.size(), png_text{});
    for (std::size_t k = 0; k < strings_.size(); ++k) {
        chunks_[k].compression = PNG_TEXT_COMPRESSION_NONE;
        chunks_[k].key = strings_[k].first.data();
        chunks_[k].text = strings_[k].second.data();
        chunks_[k].text_length = strings_[k].second.size();
    }
}

void WriteHead(png_structp png, png_infop info, int width, int height, Texts& texts) {
    png_set_compression_level(png, kLevel);
    png_set_compression_strategy(png, kStrategy);
    png_set_compression_buffer_size(png, kImageChunkSize);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, kFilters);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE,
                 PNG_FILTER_TYPE_BASE);
    png_set_text(png, info, texts.chunks(), texts.count());
    png_write_info(png, info);
}

}  // namespace seedscape::png_encoder
