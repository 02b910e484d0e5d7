// PNG speed on a 4656 x 3376 export (a picture at 16 times its size), as
// blocks, as smooth gradients and with noise: encoding with libpng, and with
// libspng where it is installed, at zlib levels 1, 3 and 6, each filter
// choice, and run-length matching; decoding with both; the module's own
// WritePng to a file and ReadPngRecipe on it. Every encoding reports its
// size, so that time and size can be weighed.
#include <benchmark/benchmark.h>
#include <png.h>
#ifdef SEEDSCAPE_HAVE_SPNG
#include <spng.h>
#endif

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "image_file/png_chunks.h"
#include "image_file/png_file.h"
#include "image_file/rgb_image.h"
#include "recipe/draw_recipe.h"
#include "recipe/recipe.h"
#include "render/fast/fast_render.h"

namespace seedscape {
namespace {

constexpr int kScale = 16;
constexpr char kRecipeText[] = "seedscape/1 seed=449139 barva=7 press=150,100@5 scale=16";

// The picture of kRecipeText at 1x, each pixel made a kScale x kScale block:
// what an export looks like where the render adds no detail.
const RgbImage& BlockyExport() {
    static const RgbImage image = [] {
        const RecipeReading reading = ParseRecipe(kRecipeText);
        const RgbImage small =
            ToRgb(RenderRecipePicture(OnScreen(*reading.recipe), RenderImageFast));
        RgbImage large(small.width * kScale, small.height * kScale);
        for (int y = 0; y < large.height; ++y) {
            for (int x = 0; x < large.width; ++x) {
                const std::uint8_t* from = small.At(x / kScale, y / kScale);
                std::uint8_t* to = large.At(x, y);
                to[0] = from[0];
                to[1] = from[1];
                to[2] = from[2];
            }
        }
        return large;
    }();
    return image;
}

// The picture enlarged with bilinear interpolation: smooth gradients between
// the pixels, where the filters' predictions matter, as in a real render at
// 16 times the size.
const RgbImage& SmoothExport() {
    static const RgbImage image = [] {
        const RecipeReading reading = ParseRecipe(kRecipeText);
        const RgbImage small =
            ToRgb(RenderRecipePicture(OnScreen(*reading.recipe), RenderImageFast));
        RgbImage large(small.width * kScale, small.height * kScale);
        for (int y = 0; y < large.height; ++y) {
            const int top = y / kScale;
            const int bottom = std::min(top + 1, small.height - 1);
            const int down = y % kScale;
            for (int x = 0; x < large.width; ++x) {
                const int left = x / kScale;
                const int right = std::min(left + 1, small.width - 1);
                const int across = x % kScale;
                for (int c = 0; c < 3; ++c) {
                    const int upper = small.At(left, top)[c] * (kScale - across) +
                                      small.At(right, top)[c] * across;
                    const int lower = small.At(left, bottom)[c] * (kScale - across) +
                                      small.At(right, bottom)[c] * across;
                    large.At(x, y)[c] = static_cast<std::uint8_t>(
                        (upper * (kScale - down) + lower * down + kScale * kScale / 2) /
                        (kScale * kScale));
                }
            }
        }
        return large;
    }();
    return image;
}

// The same with a little noise on every channel: the worst an export with
// fine detail or supersampled edges can be.
const RgbImage& NoisyExport() {
    static const RgbImage image = [] {
        RgbImage noisy = BlockyExport();
        std::uint32_t state = 2463534242u;
        for (std::uint8_t& channel : noisy.pixels) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const int value = channel + static_cast<int>(state % 9) - 4;
            channel = static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
        }
        return noisy;
    }();
    return image;
}

// Counts the bytes an encoder hands over and keeps none, so that only the
// encoding is timed.
struct CountingSink {
    std::size_t bytes = 0;
};

void CountPngBytes(png_structp png, png_bytep, png_size_t size) {
    static_cast<CountingSink*>(png_get_io_ptr(png))->bytes += size;
}

std::size_t EncodeWithLibpng(const RgbImage& image, int level, int filters, int strategy) {
    CountingSink sink;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return 0;
    }
    png_set_write_fn(png, &sink, CountPngBytes, nullptr);
    png_set_compression_level(png, level);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, filters);
    if (strategy >= 0) png_set_compression_strategy(png, strategy);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_text text{};
    text.compression = PNG_TEXT_COMPRESSION_NONE;
    text.key = const_cast<char*>("seedscape-recipe");
    text.text = const_cast<char*>(kRecipeText);
    png_set_text(png, info, &text, 1);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y) {
        png_write_row(png, const_cast<png_bytep>(image.At(0, y)));
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return sink.bytes;
}

#ifdef SEEDSCAPE_HAVE_SPNG
int CountSpngBytes(spng_ctx*, void* user, void*, std::size_t size) {
    static_cast<CountingSink*>(user)->bytes += size;
    return 0;
}

std::size_t EncodeWithLibspng(const RgbImage& image, int level, int filters, int strategy) {
    CountingSink sink;
    spng_ctx* png = spng_ctx_new(SPNG_CTX_ENCODER);
    spng_set_png_stream(png, CountSpngBytes, &sink);
    spng_set_option(png, SPNG_IMG_COMPRESSION_LEVEL, level);
    spng_set_option(png, SPNG_FILTER_CHOICE, filters);
    if (strategy >= 0) spng_set_option(png, SPNG_IMG_COMPRESSION_STRATEGY, strategy);
    spng_ihdr ihdr{};
    ihdr.width = static_cast<std::uint32_t>(image.width);
    ihdr.height = static_cast<std::uint32_t>(image.height);
    ihdr.bit_depth = 8;
    ihdr.color_type = SPNG_COLOR_TYPE_TRUECOLOR;
    spng_set_ihdr(png, &ihdr);
    spng_text text{};
    std::snprintf(text.keyword, sizeof text.keyword, "seedscape-recipe");
    text.type = SPNG_TEXT;
    text.text = const_cast<char*>(kRecipeText);
    text.length = sizeof kRecipeText - 1;
    spng_set_text(png, &text, 1);
    int error = spng_encode_image(png, nullptr, 0, SPNG_FMT_PNG,
                                  SPNG_ENCODE_PROGRESSIVE | SPNG_ENCODE_FINALIZE);
    const std::size_t row = static_cast<std::size_t>(image.width) * 3;
    for (int y = 0; error == 0 && y < image.height; ++y) {
        error = spng_encode_row(png, image.At(0, y), row);
    }
    spng_ctx_free(png);
    return error == SPNG_EOI ? sink.bytes : 0;
}

#endif

enum class Library { kLibpng, kLibspng };
enum class Filters { kNone, kSub, kUp, kPaeth, kAll };

int LibpngFilters(Filters filters) {
    switch (filters) {
        case Filters::kNone:
            return PNG_FILTER_NONE;
        case Filters::kSub:
            return PNG_FILTER_SUB;
        case Filters::kUp:
            return PNG_FILTER_UP;
        case Filters::kPaeth:
            return PNG_FILTER_PAETH;
        case Filters::kAll:
            return PNG_ALL_FILTERS;
    }
    return PNG_ALL_FILTERS;
}

#ifdef SEEDSCAPE_HAVE_SPNG
int LibspngFilters(Filters filters) {
    switch (filters) {
        case Filters::kNone:
            return SPNG_FILTER_CHOICE_NONE;
        case Filters::kSub:
            return SPNG_FILTER_CHOICE_SUB;
        case Filters::kUp:
            return SPNG_FILTER_CHOICE_UP;
        case Filters::kPaeth:
            return SPNG_FILTER_CHOICE_PAETH;
        case Filters::kAll:
            return SPNG_FILTER_CHOICE_ALL;
    }
    return SPNG_FILTER_CHOICE_ALL;
}

#endif

void ReportSize(benchmark::State& bench, const RgbImage& image, std::size_t bytes) {
    bench.counters["MB"] = static_cast<double>(bytes) / 1e6;
    bench.counters["ratio"] = static_cast<double>(image.pixels.size()) / static_cast<double>(bytes);
    bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations()) *
                            static_cast<std::int64_t>(image.pixels.size()));
}

void Encode(benchmark::State& bench, const RgbImage& image, Library library, int level,
            Filters filters, int strategy) {
    std::size_t bytes = 0;
    for (auto _ : bench) {
#ifdef SEEDSCAPE_HAVE_SPNG
        bytes = library == Library::kLibpng
                    ? EncodeWithLibpng(image, level, LibpngFilters(filters), strategy)
                    : EncodeWithLibspng(image, level, LibspngFilters(filters), strategy);
#else
        bytes = EncodeWithLibpng(image, level, LibpngFilters(filters), strategy);
        (void)library;
#endif
        if (bytes == 0) bench.SkipWithError("the encoder failed");
    }
    ReportSize(bench, image, bytes);
}

std::string ScratchPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

// The module's own writer: encoding, the temporary file, fsync and rename.
void WriteFile(benchmark::State& bench, const RgbImage& image) {
    const std::string path = ScratchPath("seedscape-png-bench-write.png");
    for (auto _ : bench) {
        const std::string error = WritePng(path, image, {kRecipeText});
        if (!error.empty()) bench.SkipWithError(error.c_str());
    }
    ReportSize(bench, image, std::filesystem::file_size(path));
    std::filesystem::remove(path);
}

// Finding the recipe in a large file: the chunks are walked, the pixels not
// decoded.
void ReadRecipe(benchmark::State& bench, const RgbImage& image) {
    const std::string path = ScratchPath("seedscape-png-bench-read.png");
    if (const std::string error = WritePng(path, image, {kRecipeText}); !error.empty()) {
        bench.SkipWithError(error.c_str());
        return;
    }
    for (auto _ : bench) {
        const PngRecipeReading reading = ReadPngRecipe(path);
        if (!reading.recipe) bench.SkipWithError(reading.error.c_str());
        benchmark::DoNotOptimize(reading);
    }
    bench.counters["file MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    std::filesystem::remove(path);
}

void ReadPixels(benchmark::State& bench, const RgbImage& image) {
    const std::string path = ScratchPath("seedscape-png-bench-pixels.png");
    if (const std::string error = WritePng(path, image, {kRecipeText}); !error.empty()) {
        bench.SkipWithError(error.c_str());
        return;
    }
    for (auto _ : bench) {
        const PngPixelsReading reading = ReadPngPixels(path);
        if (!reading.image) bench.SkipWithError(reading.error.c_str());
        benchmark::DoNotOptimize(reading);
    }
    std::filesystem::remove(path);
}

// Decoding a whole file in memory, for comparison: the module reads its
// pixels with libpng's simplified interface.
void Decode(benchmark::State& bench, const RgbImage& image, Library library) {
    std::string error;
    const std::vector<unsigned char> file = EncodePng(image, {kRecipeText}, error);
    RgbImage decoded(image.width, image.height);
    for (auto _ : bench) {
        bool ok = false;
        if (library == Library::kLibpng) {
            png_image png{};
            png.version = PNG_IMAGE_VERSION;
            if (png_image_begin_read_from_memory(&png, file.data(), file.size()) != 0) {
                png.format = PNG_FORMAT_RGB;
                ok = png_image_finish_read(&png, nullptr, decoded.pixels.data(), 0, nullptr) != 0;
            }
            png_image_free(&png);
        }
#ifdef SEEDSCAPE_HAVE_SPNG
        if (library == Library::kLibspng) {
            spng_ctx* png = spng_ctx_new(0);
            spng_set_png_buffer(png, file.data(), file.size());
            ok = spng_decode_image(png, decoded.pixels.data(), decoded.pixels.size(), SPNG_FMT_RGB8,
                                   0) == 0;
            spng_ctx_free(png);
        }
#endif
        if (!ok || decoded != image) bench.SkipWithError("decoding failed");
    }
    bench.counters["MB"] = static_cast<double>(file.size()) / 1e6;
}

// The settings tried: every filter choice at zlib levels 1, 3 and 6 with
// zlib's default strategy for filtered data, and run-length matching alone
// (Z_RLE), which suits rows that repeat.
struct Setting {
    int level;
    Filters filters;
    const char* filter_name;
    int strategy;  // -1: the library's default
};

std::vector<Setting> Settings() {
    const std::pair<const char*, Filters> filter_choices[] = {{"none", Filters::kNone},
                                                              {"sub", Filters::kSub},
                                                              {"up", Filters::kUp},
                                                              {"paeth", Filters::kPaeth},
                                                              {"all", Filters::kAll}};
    std::vector<Setting> settings;
    for (const int level : {1, 3, 6}) {
        for (const auto& [name, filters] : filter_choices) {
            settings.push_back({level, filters, name, -1});
        }
    }
    for (const auto& [name, filters] : filter_choices) {
        settings.push_back({1, filters, name, 3 /* Z_RLE */});
    }
    return settings;
}

void RegisterCases() {
    struct Picture {
        const char* name;
        const RgbImage& (*image)();
    };
    const Picture pictures[] = {
        {"blocky", BlockyExport}, {"smooth", SmoothExport}, {"noisy", NoisyExport}};
    const std::vector<std::pair<const char*, Library>> libraries = {
        {"libpng", Library::kLibpng},
#ifdef SEEDSCAPE_HAVE_SPNG
        {"libspng", Library::kLibspng},
#endif
    };
    for (const Picture& picture : pictures) {
        for (const auto& [library_name, library] : libraries) {
            for (const Setting& setting : Settings()) {
                const std::string name = std::string("Encode/") + picture.name + "/" +
                                         library_name + "/level:" + std::to_string(setting.level) +
                                         "/filter:" + setting.filter_name +
                                         (setting.strategy == 3 ? "/rle" : "");
                benchmark::RegisterBenchmark(
                    name.c_str(),
                    [image = picture.image, library = library, setting](benchmark::State& bench) {
                        Encode(bench, image(), library, setting.level, setting.filters,
                               setting.strategy);
                    })
                    ->Unit(benchmark::kMillisecond)
                    ->UseRealTime();
            }
        }
        for (const auto& [library_name, library] : libraries) {
            benchmark::RegisterBenchmark(
                (std::string("Decode/") + picture.name + "/" + library_name).c_str(),
                [image = picture.image, library = library](benchmark::State& bench) {
                    Decode(bench, image(), library);
                })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
        benchmark::RegisterBenchmark(
            (std::string("WritePng/") + picture.name).c_str(),
            [image = picture.image](benchmark::State& bench) { WriteFile(bench, image()); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(
            (std::string("ReadPngRecipe/") + picture.name).c_str(),
            [image = picture.image](benchmark::State& bench) { ReadRecipe(bench, image()); })
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(
            (std::string("ReadPngPixels/") + picture.name).c_str(),
            [image = picture.image](benchmark::State& bench) { ReadPixels(bench, image()); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
}

}  // namespace
}  // namespace seedscape

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    seedscape::RegisterCases();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
