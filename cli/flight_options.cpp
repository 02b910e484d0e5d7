// The options of flights: drawing one from a file or as a loop of a picture,
// into a video or a folder of frames, and assembling frames drawn elsewhere.
#include <array>
#include <string_view>

#include "cli/option_parser.h"
#include "cli/option_values.h"
#include "flight/flight_file.h"
#include "flight/flight_text.h"
#include "recipe/export_limits.h"
#include "recipe/number_text.h"
#include "recipe/range_text.h"
#include "recipe/value_readers.h"
#include "state/grid_geometry.h"

namespace seedscape::cli {

namespace {

// How many shares --share may cut a flight into, and how many frames
// --verify may name: bounds on what a typing slip can ask for.
constexpr WholeRange kShareCountRange{1, 100000};
constexpr WholeRange kVerifyRange{0, 1000000};

// The options that ask for a flight run, and those that only go with one.
constexpr std::array<std::string_view, 3> kFlightTasks = {"--flight", "--loop", "--assemble"};
constexpr std::array<std::string_view, 5> kFlightSettings = {
    "--fps", "--print-flight", "--frame-count", "--frames", "--share"};

std::string FrameRangeValues() {
    return "A-B, two frame numbers from " + FromTo(kFrameNumberRange) + ", A not above B";
}

std::string ShareValues() {
    return "I/N, share I of N counted from 0, N " + WholeNumberText(kShareCountRange);
}

std::string VerifyValues() {
    return "all, or " + WholeNumberText(kVerifyRange);
}

// "A-B": frames A to B.
Reading<std::pair<std::int64_t, std::int64_t>> ReadFrameRange(std::string_view value) {
    const std::size_t minus = value.find('-');
    if (minus == std::string_view::npos) return {std::nullopt, "needs " + FrameRangeValues()};
    const Reading<int> first = ReadWholeNumber(value.substr(0, minus), kFrameNumberRange);
    const Reading<int> last = ReadWholeNumber(value.substr(minus + 1), kFrameNumberRange);
    if (!first.value || !last.value) return {std::nullopt, "needs " + FrameRangeValues()};
    if (*first.value > *last.value) return {std::nullopt, "the first frame comes after the last"};
    return {std::pair<std::int64_t, std::int64_t>{*first.value, *last.value}, {}};
}

// "I/N": share I of N.
Reading<std::pair<int, int>> ReadShare(std::string_view value) {
    const std::size_t slash = value.find('/');
    if (slash == std::string_view::npos) return {std::nullopt, "needs " + ShareValues()};
    const Reading<int> count = ReadWholeNumber(value.substr(slash + 1), kShareCountRange);
    if (!count.value) return {std::nullopt, "needs " + ShareValues()};
    const Reading<int> share = ReadWholeNumber(value.substr(0, slash), {0, *count.value - 1});
    if (!share.value) {
        return {std::nullopt, "the share must be from 0 to " + std::to_string(*count.value - 1)};
    }
    return {std::pair{*share.value, *count.value}, {}};
}

}  // namespace

std::string FlightClosingText() {
    return FlightGrammarText() +
           "\n"
           "Videos: MP4 is H.264 and WebM is VP9, both in 4:2:0, which needs even\n"
           "sizes: where the width or height is odd (291K x 211K at an odd K), the\n"
           "last column or row is repeated once. A GIF has one palette of 256\n"
           "colours for the whole video, chosen from every frame, so its frames are\n"
           "drawn twice; its delays are hundredths of a second, frame n shown from\n"
           "round(100 n / fps). An MP4 or WebM carries the flight in its comment,\n"
           "a frame's PNG in text chunks.\n";
}

void Parser::AddFlightOptions() {
    AddValueOption({"--flight", "FILE", "a flight file", "given twice",
                    "draws the flight a file holds: a first line of settings,\n"
                    "then a key a line, each a time and a recipe (see below).\n"
                    "Every frame goes into -o VIDEO, or those of --frames or\n"
                    "--share into -o DIR/. --fps, --scale and --supersample\n"
                    "replace the flight's settings, and the video carries the\n"
                    "flight as it was drawn.",
                    false},
                   [this](std::string_view value) { return TakeFlight(value); });
    AddValueOption({"--loop", "SECONDS", "a time in seconds", "given twice",
                    "draws a seamless loop of the picture (--recipe, --from or\n"
                    "--seed): its three reference points travel circles of\n"
                    "radius " +
                        FormatRoundTrip(kLoopRadius) +
                        " from their places and back, a third of a\n"
                        "turn apart, in round(SECONDS x fps) frames; frame 0 is the\n"
                        "picture itself."},
                   [this](std::string_view value) {
                       return Store(ReadSeconds(value, kLongestFlightSeconds), loop_us_);
                   });
    AddValueOption(
        {"--fps", "F", WholeNumberText(kFpsRange), "given twice",
         "frames a second, " + WholeNumberText(kFpsRange) + "\n(a loop's default is " +
             std::to_string(Flight{}.fps) + "). A GIF counts time in\nhundredths of a second."},
        [this](std::string_view value) { return Store(ReadWholeNumber(value, kFpsRange), fps_); });
    AddFlag("--print-flight",
            "prints the flight's text, with the settings it is drawn\n"
            "with; --flight draws the same frames from it.",
            [this] { options_.flight.print_flight = true; });
    AddFlag("--frame-count", "prints how many frames the flight has.",
            [this] { options_.flight.print_frame_count = true; });
    AddValueOption(
        {"--frames", "A-B", FrameRangeValues(), "given twice",
         "draws frames A to B into the folder -o DIR/, each a PNG\n"
         "named by its number in six digits (000042.png) that\n"
         "carries the flight and its number."},
        [this](std::string_view value) { return Store(ReadFrameRange(value), frames_); });
    AddValueOption({"--share", "I/N", ShareValues(), "given twice",
                    "draws share I of N nearly equal runs of frames into -o\n"
                    "DIR/, as --frames does: task I of a job array of N."},
                   [this](std::string_view value) { return Store(ReadShare(value), share_); });
    AddValueOption({"--assemble", "DIR", "a folder of frames", "given twice",
                    "checks a folder of frames drawn anywhere (every frame of\n"
                    "one flight exactly once), draws some again to compare\n"
                    "them bit for bit, and encodes them into -o VIDEO. A frame\n"
                    "drawn wrong, missing or of another flight is named, and\n"
                    "nothing is written."},
                   [this](std::string_view value) {
                       options_.flight.assemble_folder = std::string(value);
                       return std::string();
                   });
    AddValueOption({"--verify", "N", VerifyValues(), "given twice",
                    "how many frames --assemble draws again: N of them, the\n"
                    "first, the last and others at random (default " +
                        std::to_string(FrameVerification{}.frames) + "), or all."},
                   [this](std::string_view value) {
                       FrameVerification& verification = options_.flight.verification;
                       verification.all = value == "all";
                       if (verification.all) return std::string();
                       return Store(ReadWholeNumber(value, kVerifyRange), verification.frames);
                   });
}

bool Parser::FlightWanted() const {
    for (const std::string_view name : kFlightTasks) {
        if (Given(name)) return true;
    }
    for (const std::string_view name : kFlightSettings) {
        if (Given(name)) return true;
    }
    return Given("--verify");
}

std::string Parser::TakeFlight(std::string_view path) {
    FlightReading reading = ReadFlightFile(std::string(path));
    if (!reading.flight) return EscapeForMessage(reading.error);
    read_flight_ = std::move(reading.flight);
    return {};
}

std::string Parser::CheckFlight() {
    if (Given("--assemble")) return CheckAssemble();
    const bool flight_or_loop = Given("--flight") || Given("--loop");
    for (const std::string_view name : kFlightSettings) {
        if (Given(name) && !flight_or_loop) {
            return std::string(name) + ": only goes with --flight or --loop";
        }
    }
    if (Given("--verify")) return "--verify: only goes with --assemble";
    const std::string task = FirstGiven({"--flight", "--loop"});
    if (Given("--flight") && Given("--loop")) {
        return "--loop: cannot be combined with --flight; a loop is a flight of one picture";
    }
    const std::string other =
        FirstGiven({"--atlas", "--columns", "--variations", "--lock", "--strength", "--generation",
                    "--params", "--print-recipe"});
    if (!other.empty()) return other + ": cannot be combined with " + task;

    Flight flight;
    if (read_flight_) {
        const std::string picture =
            FirstGiven({"--seed", "--set", "--press", "--mag", "--recipe", "--from"});
        if (!picture.empty()) {
            return picture + ": cannot be combined with --flight, whose keys name its pictures";
        }
        flight = *read_flight_;
        if (scale_) flight.scale = *scale_;
        if (supersample_) flight.supersample = *supersample_;
    } else {
        if (std::string problem = CheckPicture(); !problem.empty()) return problem;
        if (options_.seed_from_clock)
            return "--loop: give the picture with --recipe, --from or --seed";
        const Recipe& recipe = options_.recipe;
        flight.scale = recipe.scale;
        flight.supersample = recipe.supersample;
        flight.loop_us = loop_us_;
        flight.keys = {FlightKey{0, Easing::kLinear, OnScreen(recipe)}};
    }
    if (fps_) flight.fps = *fps_;
    if (const std::string problem = seedscape::CheckFlight(flight); !problem.empty()) {
        return task + ": " + problem;
    }
    options_.flight.flight = std::move(flight);
    return CheckFlightOutput();
}

std::string Parser::CheckFlightOutput() {
    FlightRun& run = options_.flight;
    const std::int64_t count = FrameCount(run.flight);
    if (frames_ && share_) return "--share: cannot be combined with --frames";
    if (frames_ || share_) {
        const std::string option = frames_ ? "--frames" : "--share";
        if (!options_.output_path || options_.output_format != ImageFormat::kFolder) {
            return option + ": give -o DIR/ for the frames";
        }
        if (frames_) {
            if (frames_->second >= count) {
                return "--frames " + std::to_string(frames_->first) + "-" +
                       std::to_string(frames_->second) + ": the flight has " +
                       std::to_string(count) + " frames, 0 to " + std::to_string(count - 1);
            }
            run.frames = frames_;
        } else {
            // Shares differ by at most one frame; one past the last frame
            // when there are more shares than frames.
            const auto [share, shares] = *share_;
            run.frames = {share * count / shares, (share + 1) * count / shares - 1};
        }
    } else if (options_.output_path) {
        const std::string shown = Shown("-o", *options_.output_path);
        if (options_.output_format == ImageFormat::kFolder) {
            return shown +
                   ": a folder takes frames; give --frames A-B or --share I/N, or -o a "
                   "video";
        }
        if (options_.output_format != ImageFormat::kVideo) {
            return shown +
                   ": a flight is written as a video ending in .mp4, .webm or .gif, or "
                   "into a folder ending in /";
        }
        run.video_format = *VideoFormatFromPath(*options_.output_path);
        const int width = kImageWidth * run.flight.scale;
        const int height = kImageHeight * run.flight.scale;
        if (const std::string size = VideoSizeProblem(run.video_format, width, height);
            !size.empty()) {
            return shown + ": " + size + "; the largest scale it takes is " +
                   std::to_string(LargestScaleFor(run.video_format, kImageWidth, kImageHeight));
        }
        if (const std::string rate = VideoFrameRateProblem(run.video_format, run.flight.fps);
            !rate.empty()) {
            return shown + ": " + rate;
        }
    } else if (!run.print_flight && !run.print_frame_count) {
        return "nothing to do: give -o VIDEO, -o DIR/ with --frames or --share, --print-flight "
               "or --frame-count";
    }
    options_.task = Task::kFlight;
    return {};
}

std::string Parser::CheckAssemble() {
    const std::string other =
        FirstGiven({"--flight", "--loop",         "--fps",       "--print-flight", "--frame-count",
                    "--frames", "--share",        "--seed",      "--set",          "--press",
                    "--mag",    "--recipe",       "--from",      "--scale",        "--supersample",
                    "--params", "--print-recipe", "--atlas",     "--columns",      "--variations",
                    "--lock",   "--strength",     "--generation"});
    if (!other.empty()) {
        return other + ": cannot be combined with --assemble; the frames carry their flight";
    }
    if (!options_.output_path || options_.output_format != ImageFormat::kVideo) {
        return "--assemble: give -o VIDEO, a name ending in .mp4, .webm or .gif";
    }
    options_.flight.video_format = *VideoFormatFromPath(*options_.output_path);
    options_.task = Task::kAssemble;
    return {};
}

}  // namespace seedscape::cli
