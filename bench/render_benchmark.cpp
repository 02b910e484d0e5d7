// Render speed of the engine: every image mother of the fixed seeds and an
// image child at the deepest magnification, each through the straightforward
// pass and the fast one, side by side. Besides the time per image, each case reports iteration
// steps per second: the sum over the image's pixels of (n - 1) after the
// iteration, the work the escape-time loop actually did.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "bench/benchmark_seeds.h"
#include "bench/case_times.h"
#include "bench/kernel_banner.h"
#include "render/fast/fast_render.h"
#include "render/image_child.h"
#include "render/pixel_image.h"
#include "render/render_image.h"
#include "state/grid_geometry.h"
#include "state/image_mother_parameters.h"

namespace seedscape {
namespace {

// The child case: a press on the centre at the largest magnification, with
// two factor formulas that read the distances, on a fixed seed.
constexpr double kChildSeed = 12345;
constexpr float kPressX = 145;
constexpr float kPressY = 105;
constexpr double kChildMagnification = 100;

// Counts iteration steps while the reference pass draws: it plots each pixel
// right after computing it, so at that moment the record's n is the pixel's.
class StepCounter : public DrawingSurface {
  public:
    explicit StepCounter(const ImageState& state) : state_(state) {}
    void SetPixel(int, int, ColourValue) override { steps_ += state_.n - 1; }
    double steps() const { return static_cast<double>(steps_); }

  private:
    const ImageState& state_;
    long long steps_ = 0;
};

double MotherSteps(double seed) {
    ImageState state = ImageMotherRecord(seed);
    StepCounter counter(state);
    RenderImage(state, counter);
    return counter.steps();
}

// The record as the press finds it: the mother already rendered into it.
ImageState ChildRecord() {
    ImageState state = ImageMotherRecord(kChildSeed);
    state.fak01 = 6;
    state.fak02 = 7;
    PixelImage mother(kImageWidth, kImageHeight);
    RenderImage(state, mother);
    state.f = kChildMagnification;
    return state;
}

double ChildSteps() {
    ImageState state = ChildRecord();
    StepCounter counter(state);
    RenderImageChild(state, counter, kPressX, kPressY, RenderImage);
    return counter.steps();
}

void ReportSteps(benchmark::State& bench, double steps_per_iteration) {
    bench.counters["steps/s"] =
        benchmark::Counter(steps_per_iteration, benchmark::Counter::kIsIterationInvariantRate);
    bench.counters["steps/image"] = steps_per_iteration;
}

using Pass = void (*)(ImageState&, DrawingSurface&);

void ImageMother(benchmark::State& bench, double seed, Pass pass) {
    const ImageState prepared = ImageMotherRecord(seed);
    PixelImage image(kImageWidth, kImageHeight);
    for (auto _ : bench) {
        ImageState state = prepared;
        pass(state, image);
        benchmark::DoNotOptimize(image);
    }
    ReportSteps(bench, MotherSteps(seed));
}

void ImageChild(benchmark::State& bench, Pass pass) {
    const ImageState prepared = ChildRecord();
    PixelImage canvas(kCanvasWidth, kCanvasHeight);
    for (auto _ : bench) {
        ImageState state = prepared;
        RenderImageChild(state, canvas, kPressX, kPressY, pass);
        benchmark::DoNotOptimize(canvas);
    }
    ReportSteps(bench, ChildSteps());
}

// The fastest repetition besides the median: on a machine shared with other
// work it shows what the render costs when nothing else runs.
double Fastest(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

// Every case runs twice, through the straightforward pass and the fast one,
// timed by the wall clock since the fast one uses every core.
void RegisterCases() {
    const std::pair<const char*, Pass> passes[] = {{"straightforward", RenderImage},
                                                   {"fast", RenderImageFast}};
    for (const int seed : kBenchmarkSeeds) {
        for (const auto& [name, pass] : passes) {
            benchmark::RegisterBenchmark(
                ("ImageMother/seed:" + std::to_string(seed) + "/" + name).c_str(),
                [seed, pass = pass](benchmark::State& bench) { ImageMother(bench, seed, pass); })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->ComputeStatistics("min", Fastest);
        }
    }
    for (const auto& [name, pass] : passes) {
        benchmark::RegisterBenchmark(
            (std::string("ImageChild/seed:12345,fak:6+7,press:145+105,f:100/") + name).c_str(),
            [pass = pass](benchmark::State& bench) { ImageChild(bench, pass); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->ComputeStatistics("min", Fastest);
    }
}

// Prints the usual report, then the two passes of every case side by side.
class SideBySideReporter : public CaseTimesReporter {
  public:
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-56s %16s %10s %8s\n", "case", "straightforward", "fast", "ratio");
        std::vector<double> mothers;
        for (const auto& [name, passes] : times()) {
            const auto straightforward = passes.find("straightforward");
            const auto fast = passes.find("fast");
            if (fast == passes.end()) continue;
            if (straightforward == passes.end()) {  // filtered out
                std::printf("%-56s %16s %7.2f ms\n", name.c_str(), "-", fast->second);
            } else {
                std::printf("%-56s %13.2f ms %7.2f ms %7.1fx\n", name.c_str(),
                            straightforward->second, fast->second,
                            straightforward->second / fast->second);
            }
            if (name.rfind("ImageMother", 0) == 0) mothers.push_back(fast->second);
        }
        if (!mothers.empty()) {
            std::sort(mothers.begin(), mothers.end());
            const std::size_t half = mothers.size() / 2;
            const double median =
                mothers.size() % 2 ? mothers[half] : (mothers[half - 1] + mothers[half]) / 2;
            std::printf("image mothers, fast: median %.2f ms, slowest %.2f ms\n", median,
                        mothers.back());
        }
    }
};

}  // namespace
}  // namespace seedscape

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    seedscape::PrintKernelSet();
    seedscape::RegisterCases();
    seedscape::SideBySideReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
