// The one-shot renderer as a user runs it: `seedscape-render --seed N -o
// x.ppm` as a whole process, against an empty process (/bin/true) timed in
// the same loop, and against the same seed's image mother rendered in this
// process with warm threads and memory. What the renderer costs beyond the
// render itself is the difference less the in-process render.
//
//   seedscape-oneshot-bench [--runs N] [--new-file] [seed ...]
//
// --new-file writes each run to a name that does not exist yet; without it
// every run replaces the file the run before wrote.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/benchmark_seeds.h"
#include "bench/kernel_banner.h"
#include "render/fast/fast_render.h"
#include "render/pixel_image.h"
#include "state/grid_geometry.h"
#include "state/image_mother_parameters.h"

extern char** environ;

namespace seedscape {
namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t half = values.size() / 2;
    return values.size() % 2 ? values[half] : (values[half - 1] + values[half]) / 2;
}

// Milliseconds from spawning `args` to reaping it; stops the run if the
// program cannot start or fails.
double TimeProcess(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", argv[0]);
        std::exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", argv[0]);
        std::exit(1);
    }
    return ms;
}

// The median of warm renders of the seed's image mother, as the render
// benchmark times them.
double InProcessRender(int seed) {
    const ImageState prepared = ImageMotherRecord(seed);
    PixelImage image(kImageWidth, kImageHeight);
    std::vector<double> times;
    for (int k = 0; k < 25; ++k) {
        ImageState state = prepared;
        const Clock::time_point start = Clock::now();
        RenderImageFast(state, image);
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return Median(times);
}

struct Options {
    int runs = 10;
    bool new_file = false;
    std::vector<int> seeds;
};

Options ReadOptions(int argc, char** argv) {
    Options options;
    for (int k = 1; k < argc; ++k) {
        const std::string arg = argv[k];
        if (arg == "--runs" && k + 1 < argc) {
            options.runs = std::max(1, std::atoi(argv[++k]));
        } else if (arg == "--new-file") {
            options.new_file = true;
        } else if (!arg.empty() && arg.find_first_not_of("0123456789") == std::string::npos) {
            options.seeds.push_back(std::atoi(arg.c_str()));
        } else {
            std::fprintf(stderr, "usage: %s [--runs N] [--new-file] [seed ...]\n", argv[0]);
            std::exit(2);
        }
    }
    if (options.seeds.empty()) options.seeds.assign(kBenchmarkSeeds.begin(), kBenchmarkSeeds.end());
    return options;
}

}  // namespace
}  // namespace seedscape

int main(int argc, char** argv) {
    using namespace seedscape;
    const Options options = ReadOptions(argc, argv);
    PrintKernelSet();
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("seedscape-oneshot-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::printf("%d alternating runs a seed, medians in ms; the file is %s\n", options.runs,
                options.new_file ? "new every run" : "replaced every run");
    std::printf("%8s %9s %10s %11s %11s %10s %5s\n", "seed", "process", "/bin/true", "difference",
                "in-process", "allowance", "met");
    int met = 0;
    for (const int seed : options.seeds) {
        const std::string output = (folder / "x.ppm").string();
        const std::vector<std::string> render = {SEEDSCAPE_RENDERER, "--seed", std::to_string(seed),
                                                 "-o", output};
        TimeProcess(render);  // the first run pays for the disk cache, not the program
        std::vector<double> process, empty, difference;
        for (int run = 0; run < options.runs; ++run) {
            if (options.new_file) std::filesystem::remove(output);
            process.push_back(TimeProcess(render));
            empty.push_back(TimeProcess({"/bin/true"}));
            difference.push_back(process.back() - empty.back());
        }
        const double in_process = InProcessRender(seed);
        const double allowance = 1.5 * in_process + 3;
        const double beyond = Median(difference);
        met += beyond <= allowance;
        std::printf("%8d %9.2f %10.2f %11.2f %11.2f %10.2f %5s\n", seed, Median(process),
                    Median(empty), beyond, in_process, allowance,
                    beyond <= allowance ? "yes" : "no");
    }
    std::printf("within the allowance: %d of %zu seeds\n", met, options.seeds.size());
    std::filesystem::remove_all(folder);
    return 0;
}
