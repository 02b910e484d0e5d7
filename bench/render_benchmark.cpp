// Render speed of the engine: every image mother of the fixed seeds and an
// image child at the deepest magnification, each through the straightforward
// pass and the fast one, side by side. The fast pass is timed on one thread,
// on every thread of the render pool, and as two independent one-thread
// renders at once: what those take is the most the cores allow two threads
// of one render to gain. Besides the time per image, each case reports
// iteration steps per second: the sum over the image's pixels of (n - 1)
// after the iteration, the work the escape-time loop actually did.
//
// Two more measures sit beside them: each mother exported at K = 16, whose
// pixels a second should keep up with the mother's own; and the sine alone,
// scalar against a register of lanes, the most one thread can gain where the
// sine is all the work.
//
// All targets are ratios within one run, as the machine's speed varies from
// hour to hour; the load average at the start and the end says how busy it was.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "bench/benchmark_seeds.h"
#include "bench/case_times.h"
#include "bench/kernel_banner.h"
#include "bench/partner_thread.h"
#include "bench/sine_speed.h"
#include "export/export_picture.h"
#include "recipe/recipe.h"
#include "render/fast/factor_plan.h"
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
// The scale of the big pictures.
constexpr int kBigScale = 16;

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

void RenderFastOnOneThread(ImageState& state, DrawingSurface& surface) {
    FastRenderOptions options;
    options.threads = 1;
    RenderImageFastWith(state, surface, options);
}

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

// The mother at K = 16 through the export, on every thread, as a print is drawn.
void ImageMotherExport(benchmark::State& bench, int seed) {
    Recipe recipe;
    recipe.seed = seed;
    recipe.scale = kBigScale;
    for (auto _ : bench) {
        std::optional<RgbImage> image = RenderExport(recipe, {});
        benchmark::DoNotOptimize(image);
    }
}

// Two one-thread fast renders of the same picture at once, each into its own
// record and surface; the time is that of the pair.
void TwoAtOnce(benchmark::State& bench, const std::function<void(PixelImage&)>& render, int width,
               int height, double steps) {
    PixelImage own(width, height);
    PixelImage partners(width, height);
    const std::function<void()> own_job = [&] { render(own); };
    const std::function<void()> partner_job = [&] { render(partners); };
    PartnerThread partner;
    for (auto _ : bench) {
        partner.RunBoth(partner_job, own_job);
        benchmark::DoNotOptimize(own);
        benchmark::DoNotOptimize(partners);
    }
    ReportSteps(bench, 2 * steps);
}

void ImageMotherTwoAtOnce(benchmark::State& bench, double seed) {
    const ImageState prepared = ImageMotherRecord(seed);
    const auto render = [&](PixelImage& image) {
        ImageState state = prepared;
        RenderFastOnOneThread(state, image);
    };
    TwoAtOnce(bench, render, kImageWidth, kImageHeight, MotherSteps(seed));
}

void ImageChildTwoAtOnce(benchmark::State& bench) {
    const ImageState prepared = ChildRecord();
    const auto render = [&](PixelImage& canvas) {
        ImageState state = prepared;
        RenderImageChild(state, canvas, kPressX, kPressY, RenderFastOnOneThread);
    };
    TwoAtOnce(bench, render, kCanvasWidth, kCanvasHeight, ChildSteps());
}

// The fastest repetition besides the median: on a machine shared with other
// work it shows what the render costs when nothing else runs.
double Fastest(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

// The variants of every case, as the report names them.
constexpr const char* kStraightforward = "straightforward";
constexpr const char* kOneThread = "fast-1-thread";
constexpr const char* kTwoAtOnce = "two-1-thread-at-once";
constexpr const char* kAllThreads = "fast";
constexpr const char* kBigPicture = "export-K16";

constexpr const char* kChildCase = "ImageChild/seed:12345,fak:6+7,press:145+105,f:100";
constexpr const char* kSineCase = "Sine/n+y";

// Every case runs through the straightforward pass, the fast one on one
// thread, two of those at once and the fast one on every thread, timed by
// the wall clock since the last uses every core.
void RegisterCases() {
    const std::pair<const char*, Pass> passes[] = {{kStraightforward, RenderImage},
                                                   {kOneThread, RenderFastOnOneThread},
                                                   {kAllThreads, RenderImageFast}};
    const auto timed = [](benchmark::internal::Benchmark* bench) {
        bench->Unit(benchmark::kMillisecond)->UseRealTime()->ComputeStatistics("min", Fastest);
    };
    for (const int seed : kBenchmarkSeeds) {
        const std::string name = "ImageMother/seed:" + std::to_string(seed) + "/";
        for (const auto& [variant, pass] : passes) {
            timed(benchmark::RegisterBenchmark(
                (name + variant).c_str(),
                [seed, pass = pass](benchmark::State& bench) { ImageMother(bench, seed, pass); }));
            if (pass == RenderFastOnOneThread) {
                timed(benchmark::RegisterBenchmark(
                    (name + kTwoAtOnce).c_str(),
                    [seed](benchmark::State& bench) { ImageMotherTwoAtOnce(bench, seed); }));
            }
        }
        timed(benchmark::RegisterBenchmark(
            (name + kBigPicture).c_str(),
            [seed](benchmark::State& bench) { ImageMotherExport(bench, seed); }));
    }
    const std::string name = std::string(kChildCase) + "/";
    for (const auto& [variant, pass] : passes) {
        timed(benchmark::RegisterBenchmark(
            (name + variant).c_str(),
            [pass = pass](benchmark::State& bench) { ImageChild(bench, pass); }));
        if (pass == RenderFastOnOneThread) {
            timed(benchmark::RegisterBenchmark((name + kTwoAtOnce).c_str(), ImageChildTwoAtOnce));
        }
    }
    const std::string sine = std::string(kSineCase) + "/";
    timed(benchmark::RegisterBenchmark((sine + kStraightforward).c_str(), SineStraightforward));
    timed(benchmark::RegisterBenchmark((sine + kOneThread).c_str(), SineInRegisters));
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t half = values.size() / 2;
    return values.size() % 2 ? values[half] : (values[half - 1] + values[half]) / 2;
}

void PrintLoad(const char* when) {
    double load[3];
    if (getloadavg(load, 3) == 3) {
        std::printf("load average %s: %.2f %.2f %.2f\n", when, load[0], load[1], load[2]);
    }
}

// One case's times in milliseconds, 0 where its variant was filtered out,
// and the ratios the targets are set in.
struct CaseRatios {
    double straightforward = 0, one_thread = 0, pair = 0, all_threads = 0, big_picture = 0;

    double OnOneThread() const { return straightforward / one_thread; }
    double OnAllThreads() const { return straightforward / all_threads; }
    double AllOverOne() const { return one_thread / all_threads; }
    // What two threads would gain at most: two renders in the time of `pair`.
    double Ceiling() const { return 2 * one_thread / pair; }
    // A big picture's pixels a second over the picture's own at 1x.
    double BigOverSmall() const {
        return double(kBigScale) * kBigScale * all_threads / big_picture;
    }
    bool Complete() const {
        return straightforward > 0 && one_thread > 0 && pair > 0 && all_threads > 0;
    }
};

// The sines a picture's steps take in the fast pass: one a step for each
// factor formula computed at every step.
double StepSines(const ImageState& state, double steps) {
    const PixelKernelSet* const kernels = BestKernelSet();
    if (kernels == nullptr) return 0;
    std::vector<double> y(SineRows::kRows);  // the rows' values do not change the plan
    RowTable row_table;
    const FactorPlan plan(state, *kernels, y.data(), SineRows::kRows, row_table);
    return plan.FactorsComputedEveryStep() * steps;
}

// A ratio over the mothers: its median, and the seed where it is least.
class Spread {
  public:
    void Add(const std::string& name, double ratio) {
        ratios_.push_back(ratio);
        if (worst_name_.empty() || ratio < worst_) {
            worst_ = ratio;
            worst_name_ = name;
        }
    }
    bool empty() const { return ratios_.empty(); }
    double median() const { return Median(ratios_); }
    double worst() const { return worst_; }
    const char* worst_name() const { return worst_name_.c_str(); }

  private:
    std::vector<double> ratios_;
    double worst_ = 0;
    std::string worst_name_;
};

// Prints the usual report, then every case's variants side by side as
// ratios with their times, and the ratios over the mothers. Where the sine
// alone was timed, the deep child also gets its bound: the straightforward
// time over what the sines of its steps take in registers, the most one
// thread can reach however fast the rest of the fast pass. Its formulas'
// sines take n plus a value within 2 of 0, as the sine alone does: others
// take other arguments, whose sines cost more or less.
class SideBySideReporter : public CaseTimesReporter {
  public:
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-52s %9s %17s %17s %8s %8s %7s %14s\n", "case (times in ms)", "straight",
                    "fast 1 thread", "fast all threads", "all/1", "ceiling", "share",
                    "K16 px/s vs 1x");
        Spread one_thread, all_threads, all_over_one, ceiling, share, big;
        std::vector<double> one_thread_ms, all_threads_ms;
        for (const auto& [name, variants] : times()) {
            if (name == kSineCase) continue;
            const CaseRatios c = Read(variants);
            if (!c.Complete()) {
                std::printf("%-52s (a variant was filtered out)\n", name.c_str());
                continue;
            }
            std::printf("%-52s %9.2f %7.2f %7.1fx %7.2f %7.1fx %7.2fx %7.2fx %6.0f%%", name.c_str(),
                        c.straightforward, c.one_thread, c.OnOneThread(), c.all_threads,
                        c.OnAllThreads(), c.AllOverOne(), c.Ceiling(),
                        100 * c.AllOverOne() / c.Ceiling());
            if (c.big_picture > 0) std::printf(" %6.0f %6.2fx", c.big_picture, c.BigOverSmall());
            std::printf("\n");
            if (name.rfind("ImageMother", 0) != 0) continue;
            one_thread.Add(name, c.OnOneThread());
            all_threads.Add(name, c.OnAllThreads());
            all_over_one.Add(name, c.AllOverOne());
            ceiling.Add(name, c.Ceiling());
            share.Add(name, c.AllOverOne() / c.Ceiling());
            one_thread_ms.push_back(c.one_thread);
            all_threads_ms.push_back(c.all_threads);
            if (c.big_picture > 0) big.Add(name, c.BigOverSmall());
        }
        if (!one_thread.empty()) {
            std::printf(
                "\nimage mothers, %zu seeds, median ratio: one thread %.1fx (%.2f ms), all "
                "threads %.1fx (%.2f ms), all/1 %.2fx, ceiling %.2fx, share %.0f%%\n",
                one_thread_ms.size(), one_thread.median(), Median(one_thread_ms),
                all_threads.median(), Median(all_threads_ms), all_over_one.median(),
                ceiling.median(), 100 * share.median());
            std::printf("worst seed's ratio: one thread %.1fx (%s), all threads %.1fx (%s)\n",
                        one_thread.worst(), one_thread.worst_name(), all_threads.worst(),
                        all_threads.worst_name());
        }
        if (!big.empty()) {
            std::printf(
                "big pictures at K = %d, pixels a second against the mother's on all "
                "threads: median %.2fx, worst %.2fx (%s)\n",
                kBigScale, big.median(), big.worst(), big.worst_name());
        }
        PrintSineBound();
        PrintLoad("at the end");
    }

  private:
    // The sine alone, and the most one thread can gain on the deep child.
    void PrintSineBound() const {
        const auto sine = times().find(kSineCase);
        if (sine == times().end()) return;
        const CaseRatios alone = Read(sine->second);
        if (alone.straightforward == 0 || alone.one_thread == 0) return;
        const double lane_ms = alone.one_thread / SineRows::Sines();
        std::printf(
            "the sine alone, one thread: %.1fx (%.2f ns a sine scalar, %.2f ns a lane in "
            "registers), the most one thread gains where it is all the work\n",
            alone.OnOneThread(), 1e6 * alone.straightforward / SineRows::Sines(), 1e6 * lane_ms);
        const auto child_times = times().find(kChildCase);
        if (child_times == times().end()) return;
        const CaseRatios child = Read(child_times->second);
        if (!child.Complete()) return;
        const double floor = StepSines(ChildRecord(), ChildSteps()) * lane_ms;
        std::printf(
            "deep child: the sines of its steps take %.1f ms in registers, so one "
            "thread reaches at most %.1fx; it reaches %.1fx (%.0f%% of that)\n",
            floor, child.straightforward / floor, child.OnOneThread(),
            100 * child.OnOneThread() * floor / child.straightforward);
    }

    static CaseRatios Read(const std::map<std::string, double>& variants) {
        const auto time = [&](const char* variant) {
            const auto found = variants.find(variant);
            return found == variants.end() ? 0.0 : found->second;
        };
        return {time(kStraightforward), time(kOneThread), time(kTwoAtOnce), time(kAllThreads),
                time(kBigPicture)};
    }
};

}  // namespace
}  // namespace seedscape

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    seedscape::PrintKernelSet();
    seedscape::PrintLoad("at the start");
    seedscape::RegisterCases();
    seedscape::SideBySideReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
