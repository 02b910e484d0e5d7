// Render speed of the engine: every image mother of the fixed seeds, one case
// per seed and all of them together, and an image child at the deepest
// magnification. Besides the time per image, each case reports iteration
// steps per second: the sum over the image's pixels of (n - 1) after the
// iteration, the work the escape-time loop actually did.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/benchmark_seeds.h"
#include "render/fast_render.h"
#include "render/image_child.h"
#include "render/pixel_image.h"
#include "render/render_image.h"
#include "state/image_mother_parameters.h"

namespace seedscape {
namespace {

constexpr int kWidth = 291;
constexpr int kHeight = 211;

// The child case: a press on the centre at the largest magnification, with
// two factor formulas that read the distances, on a fixed seed.
constexpr double kChildSeed = 12345;
constexpr float kPressX = 145;
constexpr float kPressY = 105;
constexpr double kChildMagnification = 100;

ImageState MotherRecord(double seed) {
    ImageState state;
    SetStartUpSelectors(state);
    state.seed = seed;
    RandomGenerator random;
    DrawParametersFromSeed(state, random);
    return state;
}

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
    ImageState state = MotherRecord(seed);
    StepCounter counter(state);
    RenderImage(state, counter);
    return counter.steps();
}

// The record as the press finds it: the mother already rendered into it.
ImageState ChildRecord() {
    ImageState state = MotherRecord(kChildSeed);
    state.fak01 = 6;
    state.fak02 = 7;
    PixelImage mother(kWidth, kHeight);
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

void ImageMother(benchmark::State& bench) {
    const double seed = kBenchmarkSeeds.at(static_cast<std::size_t>(bench.range(0)));
    const ImageState prepared = MotherRecord(seed);
    PixelImage image(kWidth, kHeight);
    for (auto _ : bench) {
        ImageState state = prepared;
        RenderImage(state, image);
        benchmark::DoNotOptimize(image);
    }
    bench.SetLabel("seed " + std::to_string(static_cast<int>(seed)));
    ReportSteps(bench, MotherSteps(seed));
}

// All twenty mothers per iteration; the time shown is for the twenty.
template <void (*Pass)(ImageState&, DrawingSurface&)>
void AllImageMothers(benchmark::State& bench) {
    std::vector<ImageState> prepared;
    double steps = 0;
    for (const int seed : kBenchmarkSeeds) {
        prepared.push_back(MotherRecord(seed));
        steps += MotherSteps(seed);
    }
    PixelImage image(kWidth, kHeight);
    for (auto _ : bench) {
        for (const ImageState& record : prepared) {
            ImageState state = record;
            Pass(state, image);
        }
        benchmark::DoNotOptimize(image);
    }
    bench.counters["steps/s"] =
        benchmark::Counter(steps, benchmark::Counter::kIsIterationInvariantRate);
    bench.counters["images/s"] = benchmark::Counter(static_cast<double>(prepared.size()),
                                                    benchmark::Counter::kIsIterationInvariantRate);
}

template <void (*Pass)(ImageState&, DrawingSurface&)>
void ImageChild(benchmark::State& bench) {
    const ImageState prepared = ChildRecord();
    PixelImage canvas(891, 651);
    for (auto _ : bench) {
        ImageState state = prepared;
        RenderImageChild(state, canvas, kPressX, kPressY, Pass);
        benchmark::DoNotOptimize(canvas);
    }
    bench.SetLabel("seed 12345, fak01 6, fak02 7, press (145,105), f 100");
    ReportSteps(bench, ChildSteps());
}

BENCHMARK(ImageMother)
    ->DenseRange(0, static_cast<int>(kBenchmarkSeeds.size()) - 1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(AllImageMothers<RenderImage>)->Name("AllImageMothers")->Unit(benchmark::kMillisecond);
BENCHMARK(ImageChild<RenderImage>)->Name("ImageChild")->Unit(benchmark::kMillisecond);
// The fast pass draws the same pixels; these show what it gains.
BENCHMARK(AllImageMothers<RenderImageFast>)
    ->Name("AllImageMothers/fast")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(ImageChild<RenderImageFast>)
    ->Name("ImageChild/fast")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace seedscape

BENCHMARK_MAIN();
