#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "breed/variations.h"
#include "cli/image_format.h"
#include "flight/flight.h"
#include "flight/write_flight.h"
#include "recipe/recipe.h"
#include "video/video_format.h"

namespace seedscape::cli {

// What one run does.
enum class Task {
    kPicture,       // one picture: written, and its recipe or parameters printed
    kContactSheet,  // --atlas: many mothers side by side in one PNG
    kVariations,    // --variations: the recipes of eight variants, printed
    kFlight,        // --flight or --loop: a video, frames, or the flight's text
    kAssemble,      // --assemble: frames drawn anywhere, checked and made a video
};

// What a flight run does besides drawing: --frames or --share give the
// frames that go into a folder; otherwise every frame goes into a video.
struct FlightRun {
    Flight flight;
    bool print_flight = false;
    bool print_frame_count = false;
    std::optional<std::pair<std::int64_t, std::int64_t>> frames;  // first and last, into a folder
    VideoFormat video_format = VideoFormat::kMp4;
    std::string assemble_folder;  // kAssemble
    FrameVerification verification;
};

struct RenderOptions {
    Task task = Task::kPicture;

    // The picture, for kPicture and kVariations: built from --seed, --set,
    // --press and --mag, or read whole from --recipe or --from; --scale and
    // --supersample replace its export settings.
    Recipe recipe;
    bool seed_from_clock = false;  // no seed given: the run draws one
    bool print_parameters = false;
    bool print_recipe = false;
    std::optional<std::string> output_path;
    ImageFormat output_format = ImageFormat::kPng;

    // kContactSheet: the seeds from first to last, `columns` to a row.
    int first_seed = 1;
    int last_seed = 1;
    int columns = 10;

    // kVariations.
    BreedSettings breeding;

    // kFlight and kAssemble.
    FlightRun flight;
};

struct CommandLine {
    enum class Action { kRender, kShowHelp, kShowVersion, kUsageError };
    Action action = Action::kRender;
    RenderOptions options;  // for kRender
    std::string error;      // for kUsageError: one line naming the option, value and range
};

}  // namespace seedscape::cli
