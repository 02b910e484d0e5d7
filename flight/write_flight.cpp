#include "flight/write_flight.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <random>
#include <set>
#include <system_error>

#include "flight/flight_text.h"
#include "flight/frame_files.h"
#include "image_file/png_file.h"
#include "video/video_writer.h"

namespace seedscape {

namespace {

// The progress of one frame's drawing, as a share of the whole job.
std::function<bool(double)> WithinFrame(const FlightProgress& progress, double frames_before,
                                        std::int64_t frames) {
    if (!progress) return {};
    return [&progress, frames_before, frames](double done) {
        return progress(frames_before + done, frames);
    };
}

bool Tell(const FlightProgress& progress, double frames_done, std::int64_t frames) {
    return !progress || progress(frames_done, frames);
}

// Hands frames to a video writer: each frame is surveyed first where the
// format asks for it (a GIF's palette), then written.
std::string Encode(const std::string& path, VideoFormat format, const VideoSettings& settings,
                   std::int64_t count,
                   const std::function<std::optional<RgbImage>(std::int64_t frame, double before,
                                                               std::int64_t steps)>& frame_at,
                   const FlightProgress& progress) {
    std::string error;
    const std::unique_ptr<VideoWriter> writer = VideoWriter::Open(path, format, settings, error);
    if (!writer) return error;
    const int passes = writer->NeedsSurvey() ? 2 : 1;
    const std::int64_t steps = count * passes;
    for (int pass = 0; pass < passes; ++pass) {
        const bool survey = pass + 1 < passes;
        for (std::int64_t frame = 0; frame < count; ++frame) {
            const double before = static_cast<double>(pass * count + frame);
            const std::optional<RgbImage> image = frame_at(frame, before, steps);
            if (!image) return kFlightCancelled;
            if (survey) {
                writer->Survey(*image);
            } else if (std::string problem = writer->Write(*image); !problem.empty()) {
                return problem;
            }
            if (!Tell(progress, before + 1, steps)) return kFlightCancelled;
        }
    }
    return writer->Finish();
}

VideoSettings SettingsOf(const FlightFrames& frames) {
    return {frames.width(), frames.height(), frames.flight().fps, PrintFlight(frames.flight())};
}

// The frames an assembly draws again: all, or the first, the last and
// others at random, in order.
std::vector<std::int64_t> FramesToVerify(std::int64_t count, const FrameVerification& wanted) {
    std::set<std::int64_t> chosen;
    const std::int64_t how_many = wanted.all ? count : std::min<std::int64_t>(wanted.frames, count);
    if (how_many >= count) {
        for (std::int64_t frame = 0; frame < count; ++frame) chosen.insert(frame);
    } else if (how_many > 0) {
        chosen.insert(0);
        if (how_many > 1) chosen.insert(count - 1);
        std::mt19937_64 random{std::random_device{}()};
        std::uniform_int_distribution<std::int64_t> any(0, count - 1);
        while (static_cast<std::int64_t>(chosen.size()) < how_many) chosen.insert(any(random));
    }
    return {chosen.begin(), chosen.end()};
}

}  // namespace

std::string WriteFlightVideo(FlightFrames& frames, const std::string& path, VideoFormat format,
                             const FlightProgress& progress) {
    return Encode(
        path, format, SettingsOf(frames), frames.count(),
        [&](std::int64_t frame, double before, std::int64_t steps) {
            return frames.Draw(frame, WithinFrame(progress, before, steps));
        },
        progress);
}

std::string WriteFlightFrames(FlightFrames& frames, std::int64_t first, std::int64_t last,
                              const std::string& folder, const FlightProgress& progress) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return "cannot make the folder: " + error.message();
    const std::string text = PrintFlight(frames.flight());
    const std::int64_t count = last - first + 1;
    for (std::int64_t frame = first; frame <= last; ++frame) {
        const double before = static_cast<double>(frame - first);
        const std::optional<RgbImage> image =
            frames.Draw(frame, WithinFrame(progress, before, count));
        if (!image) return kFlightCancelled;
        if (std::string problem = WriteFrameFile(folder, frame, *image, text); !problem.empty()) {
            return FrameFileName(frame) + ": " + problem;
        }
        if (!Tell(progress, before + 1, count)) return kFlightCancelled;
    }
    return {};
}

Assembly AssembleFlight(const std::string& folder, const std::string& path, VideoFormat format,
                        const FrameVerification& verification, const FlightProgress& progress) {
    const FrameFolderCheck check = CheckFrameFolder(folder);
    if (!check.flight) return {check.error, true};
    FlightFrames frames(*check.flight);
    const auto read = [&folder](std::int64_t frame) {
        return ReadPngPixels((std::filesystem::path(folder) / FrameFileName(frame)).string());
    };

    const std::vector<std::int64_t> verify = FramesToVerify(frames.count(), verification);
    // Verifying weighs as much as drawing the frames again, encoding as much
    // as reading them: both count in the progress.
    const auto steps = static_cast<std::int64_t>(verify.size()) + frames.count();
    for (std::size_t k = 0; k < verify.size(); ++k) {
        const std::int64_t frame = verify[k];
        const std::optional<RgbImage> drawn =
            frames.Draw(frame, WithinFrame(progress, static_cast<double>(k), steps));
        if (!drawn) return {kFlightCancelled, false};
        const PngPixelsReading file = read(frame);
        if (!file.image) return {file.error, true};
        if (!(*file.image == *drawn)) {
            return {FrameFileName(frame) + " is not frame " + std::to_string(frame) +
                        " as it is drawn here: it was drawn wrong",
                    true};
        }
    }

    const auto done_before = static_cast<double>(verify.size());
    std::string failure;
    std::string error = Encode(
        path, format, SettingsOf(frames), frames.count(),
        [&](std::int64_t frame, double, std::int64_t) -> std::optional<RgbImage> {
            PngPixelsReading file = read(frame);
            if (!file.image) {
                failure = file.error;
                return std::nullopt;
            }
            if (file.image->width != frames.width() || file.image->height != frames.height()) {
                failure = FrameFileName(frame) + " is " + std::to_string(file.image->width) +
                          " x " + std::to_string(file.image->height) + ", not the flight's " +
                          std::to_string(frames.width()) + " x " + std::to_string(frames.height());
                return std::nullopt;
            }
            return std::move(file.image);
        },
        [&](double done, std::int64_t encode_steps) {
            const double share = done / static_cast<double>(encode_steps);
            return Tell(progress, done_before + share * static_cast<double>(frames.count()), steps);
        });
    if (!failure.empty()) return {failure, true};
    return {error, false};
}

}  // namespace seedscape
