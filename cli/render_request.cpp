#include "cli/render_request.h"

#include <chrono>
#include <ctime>

#include "export/export_picture.h"
#include "export/write_picture.h"
#include "image_file/ppm_file.h"
#include "state/image_mother_parameters.h"
#include "state/random_generator.h"

namespace seedscape::cli {

double SecondsSinceLocalMidnight() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto fraction =
        now - std::chrono::floor<std::chrono::seconds>(now);  // to_time_t truncates
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec +
           std::chrono::duration<double>(fraction).count();
}

int SeedFromClock(float seconds_since_midnight) {
    RandomGenerator random;
    random.Seed(seconds_since_midnight);
    ImageState state;
    DrawSeed(state, random);
    return static_cast<int>(state.seed);
}

Recipe RequestedRecipe(const RenderOptions& options, float clock_seconds) {
    Recipe recipe = options.recipe;
    if (options.seed_from_clock) recipe.seed = SeedFromClock(clock_seconds);
    return recipe;
}

ImageState ParametersRecord(const Recipe& recipe) {
    ImageState state = RecipeMotherRecord(recipe);
    if (!recipe.presses.empty()) state.f = recipe.presses.back().f;
    return state;
}

std::string WritePicture(const Recipe& recipe, const std::string& path, ImageFormat format,
                         const std::function<void(double done)>& progress) {
    const auto tell = [&](double done) {
        if (progress) progress(done);
        return true;
    };
    if (format == ImageFormat::kPng) return WritePicturePng(recipe, path, tell).error;
    ExportOptions options;
    options.progress = tell;
    const std::optional<RgbImage> image = RenderExport(recipe, options);
    return WritePpm(path, *image);  // never cancelled: `tell` always goes on
}

}  // namespace seedscape::cli
