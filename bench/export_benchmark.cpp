// Exports at print size: the render of the picture a recipe names, at its
// scale and supersampling, and the PNG encoding of the result, timed apart;
// then the whole export to a file, as the window and seedscape-render write it.
// The render case reports the samples per second and the longest band, the
// time for which a render in the window may wait on the render threads.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "bench/kernel_banner.h"
#include "export/export_picture.h"
#include "export/write_picture.h"
#include "image_file/png_file.h"
#include "recipe/recipe.h"

namespace seedscape {
namespace {

// A mother, the slowest of the benchmark's mothers, and a chain of children
// with failing factors and colour statements.
const char* const kPictures[] = {
    "seedscape/1 seed=12345",
    "seedscape/1 seed=31337",
    "seedscape/1 seed=31337 barva=13 fak01=11 fak02=22 press=145,105@2 press=10.5,200@3",
};

const std::pair<int, int> kSizes[] = {{16, 1}, {8, 4}};

Recipe At(const char* text, int scale, int supersample) {
    Recipe recipe = ParseRecipe(text).recipe.value();
    recipe.scale = scale;
    recipe.supersample = supersample;
    return recipe;
}

void Render(benchmark::State& bench, const Recipe& recipe) {
    using Clock = std::chrono::steady_clock;
    // The time from each band's end to the next one's, in milliseconds: the
    // first band's time also holds the pictures before it, and is left out.
    std::vector<double> bands;
    for (auto _ : bench) {
        ExportOptions options;
        std::optional<Clock::time_point> band_end;
        options.progress = [&](double) {
            const Clock::time_point now = Clock::now();
            if (band_end) bands.push_back(std::chrono::duration<double>(now - *band_end).count());
            band_end = now;
            return true;
        };
        std::optional<RgbImage> image = RenderExport(recipe, options);
        benchmark::DoNotOptimize(image);
    }
    const double samples = static_cast<double>(ExportWidth(recipe)) * ExportHeight(recipe) *
                           recipe.supersample * recipe.supersample;
    bench.counters["samples/s"] =
        benchmark::Counter(samples, benchmark::Counter::kIsIterationInvariantRate);
    if (!bands.empty()) {
        std::sort(bands.begin(), bands.end());
        bench.counters["bands"] = static_cast<double>(bands.size() + 1);
        bench.counters["median band ms"] = 1000 * bands[bands.size() / 2];
        bench.counters["longest band ms"] = 1000 * bands.back();
    }
}

void Encode(benchmark::State& bench, const Recipe& recipe) {
    const RgbImage image = RenderExport(recipe, {}).value();
    PngMetadata metadata;
    metadata.recipe = PrintRecipe(recipe);
    const std::string path =
        (std::filesystem::temp_directory_path() / "seedscape-export-bench.png").string();
    for (auto _ : bench) {
        const std::string error = WritePng(path, image, metadata);
        if (!error.empty()) bench.SkipWithError(error.c_str());
    }
    bench.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    std::filesystem::remove(path);
}

void WriteFile(benchmark::State& bench, const Recipe& recipe) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "seedscape-export-bench.png").string();
    for (auto _ : bench) {
        const PictureWriting written = WritePicturePng(recipe, path);
        if (!written.ok) bench.SkipWithError(written.error.c_str());
    }
    std::filesystem::remove(path);
}

void RegisterCases() {
    for (const char* text : kPictures) {
        for (const auto& [scale, supersample] : kSizes) {
            const Recipe recipe = At(text, scale, supersample);
            const std::string name = "Export/" + PrintRecipe(recipe);
            using Stage = void (*)(benchmark::State&, const Recipe&);
            const std::pair<const char*, Stage> stages[] = {
                {"/render", Render}, {"/png", Encode}, {"/file", WriteFile}};
            for (const auto& [stage, run] : stages) {
                benchmark::RegisterBenchmark(
                    (name + stage).c_str(),
                    [recipe, run = run](benchmark::State& bench) { run(bench, recipe); })
                    ->Unit(benchmark::kMillisecond)
                    ->UseRealTime()
                    ->MeasureProcessCPUTime()
                    ->Iterations(1);
            }
        }
    }
}

}  // namespace
}  // namespace seedscape

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    seedscape::PrintKernelSet();
    seedscape::RegisterCases();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
