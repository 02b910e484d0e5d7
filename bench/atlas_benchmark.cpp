// How soon the atlas fills: the first screen (40 pictures) and 100 pictures
// of the chain, through the atlas's own renderer from the request until the
// last result has reached the requesting thread; and one picture on one
// thread, the unit of that work.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <vector>

#include "app/shared/thumbnail_renderer.h"
#include "atlas/atlas_sources.h"
#include "recipe/recipe.h"

namespace seedscape {
namespace {

constexpr int kFirstMother = 12345;
// The size the atlas shows a picture at: half of 291 x 211.
constexpr QSize kShown(146, 106);

std::vector<ThumbnailJob> ChainJobs(int count) {
    AtlasSource chain = AtlasSource::NextInChain(kFirstMother);
    std::vector<ThumbnailJob> jobs;
    for (int k = 0; k < count; ++k) {
        const Recipe recipe = *chain.At(k);
        jobs.push_back({QString::fromStdString(PrintRecipe(recipe)), recipe});
    }
    return jobs;
}

void AtlasThumbnails(benchmark::State& bench) {
    const int count = static_cast<int>(bench.range(0));
    const std::vector<ThumbnailJob> jobs = ChainJobs(count);
    for (auto _ : bench) {
        ThumbnailRenderer renderer;
        QEventLoop loop;
        int arrived = 0;
        QObject::connect(&renderer, &ThumbnailRenderer::rendered, &loop, [&] {
            if (++arrived == count) loop.quit();
        });
        renderer.SetWanted(jobs, kShown);
        loop.exec();
    }
    bench.counters["pictures/s"] =
        benchmark::Counter(count, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(AtlasThumbnails)->Arg(40)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();

void AtlasThumbnailOnOneThread(benchmark::State& bench) {
    const std::vector<ThumbnailJob> jobs = ChainJobs(20);
    std::size_t next = 0;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(MakeThumbnail(jobs[next].recipe, kShown));
        next = (next + 1) % jobs.size();
    }
}
BENCHMARK(AtlasThumbnailOnOneThread)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace seedscape

int main(int argc, char** argv) {
    // The renderer delivers its results through the event loop.
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
