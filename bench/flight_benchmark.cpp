// Flights: what a frame costs against drawing its view as a picture of the
// same size (two pictures for a crossfade), drawn alone and in sequence; and
// what encoding an MP4 adds to drawing its frames. Each case's variants are
// timed in the same run and printed side by side as ratios.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "bench/case_times.h"
#include "bench/kernel_banner.h"
#include "export/export_picture.h"
#include "flight/flight_frames.h"
#include "flight/write_flight.h"

namespace seedscape {
namespace {

Recipe Read(const char* text) {
    return ParseRecipe(text).recipe.value();
}

// A zoom from a mother into a child at f = 20, then a crossfade to another
// seed: a second each at `fps`.
Flight Zoom(int scale, int fps) {
    Flight flight;
    flight.fps = fps;
    flight.scale = scale;
    flight.keys = {
        {0, Easing::kLinear, Read("seedscape/1 seed=449139")},
        {kMicrosecondsPerSecond, Easing::kLinear, Read("seedscape/1 seed=449139 press=150,100@20")},
        {2 * kMicrosecondsPerSecond, Easing::kLinear, Read("seedscape/1 seed=12345")},
    };
    return flight;
}

constexpr int kFps = 10;
constexpr std::int64_t kMoveFrame = kFps / 2;              // half way into the child
constexpr std::int64_t kCrossfadeFrame = kFps + kFps / 2;  // half way to the other seed

void MoveFrameAlone(benchmark::State& bench, int scale) {
    for (auto _ : bench) {
        FlightFrames frames(Zoom(scale, kFps));
        benchmark::DoNotOptimize(frames.Draw(kMoveFrame));
    }
}

// In sequence, what frames share is drawn already: the first draw is left
// out of the timing.
void MoveFrameInSequence(benchmark::State& bench, int scale) {
    FlightFrames frames(Zoom(scale, kFps));
    benchmark::DoNotOptimize(frames.Draw(kMoveFrame));
    for (auto _ : bench) benchmark::DoNotOptimize(frames.Draw(kMoveFrame));
}

void MoveViewAsPicture(benchmark::State& bench, int scale) {
    FlightFrames frames(Zoom(scale, kFps));
    const ImageState record = frames.FrameRecord(kMoveFrame).value();
    for (auto _ : bench) {
        ImageState state = record;
        benchmark::DoNotOptimize(RenderView(state, scale, 1, {}));
    }
}

void CrossfadeAlone(benchmark::State& bench, int scale) {
    for (auto _ : bench) {
        FlightFrames frames(Zoom(scale, kFps));
        benchmark::DoNotOptimize(frames.Draw(kCrossfadeFrame));
    }
}

void CrossfadeInSequence(benchmark::State& bench, int scale) {
    FlightFrames frames(Zoom(scale, kFps));
    benchmark::DoNotOptimize(frames.Draw(kCrossfadeFrame));
    for (auto _ : bench) benchmark::DoNotOptimize(frames.Draw(kCrossfadeFrame));
}

void CrossfadeTwoPictures(benchmark::State& bench, int scale) {
    const Flight flight = Zoom(scale, kFps);
    for (auto _ : bench) {
        for (const std::size_t key : {std::size_t{1}, std::size_t{2}}) {
            Recipe recipe = flight.keys[key].recipe;
            recipe.scale = scale;
            benchmark::DoNotOptimize(RenderExport(recipe, {}));
        }
    }
}

// Every frame of the zoom's first second, drawn only or drawn and encoded.
void ZoomDrawn(benchmark::State& bench, int scale) {
    for (auto _ : bench) {
        FlightFrames frames(Zoom(scale, kFps));
        for (std::int64_t frame = 0; frame <= kFps; ++frame) {
            benchmark::DoNotOptimize(frames.Draw(frame));
        }
    }
}

void ZoomEncoded(benchmark::State& bench, int scale) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "seedscape-flight-bench.mp4").string();
    Flight flight = Zoom(scale, kFps);
    flight.keys.pop_back();  // the zoom alone: kFps + 1 frames
    for (auto _ : bench) {
        FlightFrames frames(flight);
        const std::string error = WriteFlightVideo(frames, path, VideoFormat::kMp4);
        if (!error.empty()) bench.SkipWithError(error.c_str());
    }
    std::filesystem::remove(path);
}

using Case = void (*)(benchmark::State&, int);

void Register(const std::string& name, const char* variant, Case run, int scale) {
    benchmark::RegisterBenchmark((name + "/K:" + std::to_string(scale) + "/" + variant).c_str(),
                                 [run, scale](benchmark::State& bench) { run(bench, scale); })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

void RegisterCases() {
    for (const int scale : {1, 4, 8}) {
        Register("MoveFrame", "picture", MoveViewAsPicture, scale);
        Register("MoveFrame", "alone", MoveFrameAlone, scale);
        Register("MoveFrame", "in sequence", MoveFrameInSequence, scale);
        Register("Crossfade", "picture", CrossfadeTwoPictures, scale);
        Register("Crossfade", "alone", CrossfadeAlone, scale);
        Register("Crossfade", "in sequence", CrossfadeInSequence, scale);
    }
    Register("Mp4", "picture", ZoomDrawn, 4);
    Register("Mp4", "encoded", ZoomEncoded, 4);
}

// Prints the usual report, then each case's variants against its "picture"
// variant: the view drawn as a picture, or the frames only drawn.
class RatioReporter : public CaseTimesReporter {
  public:
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-16s %-12s %12s %12s %8s\n", "case", "variant", "picture", "variant",
                    "ratio");
        for (const auto& [name, variants] : times()) {
            const auto picture = variants.find("picture");
            if (picture == variants.end()) continue;
            for (const auto& [variant, time] : variants) {
                if (variant == "picture") continue;
                std::printf("%-16s %-12s %9.2f ms %9.2f ms %7.2fx\n", name.c_str(), variant.c_str(),
                            picture->second, time, time / picture->second);
            }
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
    seedscape::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
