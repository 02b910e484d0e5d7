#include "cli/render_request.h"

#include <chrono>
#include <ctime>
#include <stdexcept>

#include "render/fast/fast_render.h"
#include "render/image_child.h"
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

void DrawSeedFromClock(ImageState& state, float seconds_since_midnight) {
    RandomGenerator random;
    random.Seed(seconds_since_midnight);
    DrawSeed(state, random);
}

ImageState PrepareImageState(const RenderOptions& options, float clock_seconds) {
    ImageState state;
    SetStartUpSelectors(state);
    if (options.seed) {
        state.seed = *options.seed;
    } else {
        DrawSeedFromClock(state, clock_seconds);
    }
    RandomGenerator random;
    DrawParametersFromSeed(state, random);
    for (const ParameterSetting& setting : options.settings) {
        setting.field->store(state, setting.value);
    }
    if (options.press) state.f = options.magnification;
    return state;
}

PixelImage RenderRequestedImage(ImageState& state, const RenderOptions& options) {
    PixelImage canvas(kCanvasWidth, kCanvasHeight);
    RenderImageFast(state, canvas);
    if (options.press &&
        !RenderImageChild(state, canvas, options.press->x, options.press->y, RenderImageFast)) {
        // The command line refuses such a press, so this is a caller's mistake.
        throw std::logic_error("the press lies outside the image mother");
    }
    return canvas.Crop(static_cast<int>(state.zamikx), static_cast<int>(state.zamiky),
                       static_cast<int>(state.sir) + 1, static_cast<int>(state.vis) + 1);
}

}  // namespace seedscape::cli
