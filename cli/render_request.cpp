#include "cli/render_request.h"

#include <chrono>
#include <ctime>
#include <stdexcept>

#include "render/fast/fast_render.h"
#include "render/image_child.h"
#include "render/pixel_image.h"
#include "state/grid_geometry.h"
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

namespace {

// Where the image mother is drawn when a press follows: none of its pixels
// reach the picture, as the child covers the whole of its own place.
class NoSurface : public DrawingSurface {
  public:
    void SetPixel(int, int, ColourValue) override {}
    void SetColumn(int, int, const ColourValue*, int) override {}
};

}  // namespace

PixelImage RenderRequestedImage(ImageState& state, const RenderOptions& options) {
    // Only the picture the file shows is kept: the image at its place on the
    // window's canvas, cut out as the canvas would show it.
    PixelImage picture(0, 0);
    const auto into_picture = [&picture](ImageState& record, DrawingSurface&) {
        picture = PixelImage(static_cast<int>(record.sir) + 1, static_cast<int>(record.vis) + 1);
        ImageWindow window(picture, static_cast<int>(record.zamikx),
                           static_cast<int>(record.zamiky), kCanvasWidth, kCanvasHeight);
        RenderImageFast(record, window);
    };
    NoSurface nowhere;
    if (!options.press) {
        into_picture(state, nowhere);
        return picture;
    }
    RenderImageFast(state, nowhere);
    if (!RenderImageChild(state, nowhere, options.press->x, options.press->y, into_picture)) {
        // The command line refuses such a press, so this is a caller's mistake.
        throw std::logic_error("the press lies outside the image mother");
    }
    return picture;
}

}  // namespace seedscape::cli
