// What a colour grading costs a picture: the image mothers of the fixed
// seeds drawn by the fast pass onto an image, ungraded and graded, in one
// run so that their times compare; and the grading alone, a finished mother
// pushed through a GradedSurface, beside grading every pixel without the
// cache.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "bench/benchmark_seeds.h"
#include "bench/case_times.h"
#include "colour/encode_steps.h"
#include "colour/grading.h"
#include "render/fast/fast_render.h"
#include "render/graded_surface.h"
#include "render/pixel_image.h"
#include "state/grid_geometry.h"
#include "state/image_mother_parameters.h"

namespace seedscape {
namespace {

// Every step of the grading at work: two powers a channel.
constexpr Grading kGrading{30, 1.3, 0.5, 2.2};

std::vector<ImageState> MotherRecords() {
    std::vector<ImageState> records;
    for (const int seed : kBenchmarkSeeds) records.push_back(ImageMotherRecord(seed));
    return records;
}

std::vector<PixelImage> Mothers() {
    std::vector<PixelImage> mothers;
    for (ImageState state : MotherRecords()) {
        mothers.emplace_back(kImageWidth, kImageHeight);
        RenderImageFast(state, mothers.back());
    }
    return mothers;
}

void ReportPerMother(benchmark::State& bench) {
    bench.counters["mothers/s"] = benchmark::Counter(static_cast<double>(kBenchmarkSeeds.size()),
                                                     benchmark::Counter::kIsIterationInvariantRate);
}

void BM_MothersDrawn(benchmark::State& bench, bool graded) {
    const std::vector<ImageState> records = MotherRecords();
    PixelImage image(kImageWidth, kImageHeight);
    for (auto _ : bench) {
        for (ImageState state : records) {
            if (graded) {
                GradedSurface surface(image, kGrading);
                RenderImageFast(state, surface);
            } else {
                RenderImageFast(state, image);
            }
        }
        benchmark::DoNotOptimize(image.At(0, 0));
    }
    ReportPerMother(bench);
}
BENCHMARK_CAPTURE(BM_MothersDrawn, ungraded, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MothersDrawn, graded, true)->Unit(benchmark::kMillisecond);

// Pushes finished mothers through `grade` column by column.
template <typename Grade>
void GradeMothers(benchmark::State& bench, Grade grade) {
    const std::vector<PixelImage> mothers = Mothers();
    std::set<ColourValue> distinct;
    for (const PixelImage& mother : mothers) {
        for (int x = 0; x < kImageWidth; ++x) {
            for (int y = 0; y < kImageHeight; ++y) distinct.insert(mother.At(x, y));
        }
    }
    PixelImage out(kImageWidth, kImageHeight);
    std::vector<ColourValue> column(kImageHeight);
    for (auto _ : bench) {
        for (const PixelImage& mother : mothers) grade(mother, out, column);
        benchmark::DoNotOptimize(out.At(0, 0));
    }
    ReportPerMother(bench);
    bench.counters["colours/mother"] =
        static_cast<double>(distinct.size()) / static_cast<double>(mothers.size());
}

void BM_GradingAlone(benchmark::State& bench) {
    GradeMothers(bench,
                 [](const PixelImage& mother, PixelImage& out, std::vector<ColourValue>& column) {
                     GradedSurface surface(out, kGrading);
                     for (int x = 0; x < kImageWidth; ++x) {
                         for (int y = 0; y < kImageHeight; ++y) column[y] = mother.At(x, y);
                         surface.SetColumn(x, 0, column.data(), kImageHeight);
                     }
                 });
}
BENCHMARK(BM_GradingAlone)->Unit(benchmark::kMillisecond);

void BM_GradingEveryPixelUncached(benchmark::State& bench) {
    const Grader grader(kGrading);
    GradeMothers(bench, [&](const PixelImage& mother, PixelImage& out, std::vector<ColourValue>&) {
        for (int x = 0; x < kImageWidth; ++x) {
            for (int y = 0; y < kImageHeight; ++y) {
                out.SetPixel(x, y, GradeColour(grader, mother.At(x, y)));
            }
        }
    });
}
BENCHMARK(BM_GradingEveryPixelUncached)->Unit(benchmark::kMillisecond);

// What a grading with a new gamma costs before its first pixel: the table of
// its last step.
void BM_EncodeStepsMade(benchmark::State& bench) {
    double gamma = 2.2;
    for (auto _ : bench) {
        const EncodeSteps steps(gamma);
        benchmark::DoNotOptimize(steps(0.5));
        gamma = gamma == 2.2 ? 0.7 : 2.2;
    }
}
BENCHMARK(BM_EncodeStepsMade)->Unit(benchmark::kMicrosecond);

// Prints the usual report, then the graded mothers' time over the ungraded.
class RatioReporter : public CaseTimesReporter {
  public:
    void Finalize() override {
        ConsoleReporter::Finalize();
        const auto mothers = times().find("BM_MothersDrawn");
        if (mothers == times().end()) return;
        const auto ungraded = mothers->second.find("ungraded");
        const auto graded = mothers->second.find("graded");
        if (ungraded == mothers->second.end() || graded == mothers->second.end()) return;
        std::printf("\nmothers drawn graded / ungraded: %.2f ms / %.2f ms = %.3f\n", graded->second,
                    ungraded->second, graded->second / ungraded->second);
    }
};

}  // namespace
}  // namespace seedscape

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    seedscape::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
